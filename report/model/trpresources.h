// The report library's text table: every caption and message of the
// library by key (a number written in decimal, or a short name such as
// "mbError"). It starts with built-in English texts; a language file
// (".flng", lines "key=text") replaces texts, and a key the file lacks
// keeps its English text, so a partial translation never shows raw keys.
// The table also names the help pages of the library's windows.
#pragma once

#include "platform/stringlist.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace bralvo::platform {
class Stream;
}

namespace bralvo::report {

class TrpResources {
public:
    TrpResources();

    // The stored text, or Key itself when there is none; a leading "!"
    // is dropped in both cases. Keys compare ignoring case.
    QString Get(const QString &key) const;
    QString GetResourceTextById(int id) const { return Get(QString::number(id)); }
    // Replaces the text of an existing key, else adds the pair.
    void Add(const QString &key, const QString &text);
    // Every line "key=text" (split at the first "=") with both parts not
    // empty is added; other lines (headings, empty lines) are skipped.
    void AddStrings(const QString &text);
    void Clear();
    // Every key in the table, in its sorted order.
    QStringList Keys() const;
    // A missing file changes nothing; otherwise as LoadFromStream.
    void LoadFromFile(const QString &fileName);
    // Back to the English table, then the stream's lines on top (text
    // decoded as UTF-8 when valid, else Windows-1250); then the script
    // engine's messages are updated.
    void LoadFromStream(platform::Stream &stream);
    // Copies the script engine's 17 message texts from this table.
    void UpdateScriptMessages() const;
    // Restores the built-in English table.
    void LoadEnglish();

    QString HelpFile() const { return m_helpFile; }
    void SetHelpFile(const QString &name) { m_helpFile = name; }
    // The help page of a window class ("Designer.htm"), empty when none;
    // the last entry of that class name (ignoring case) counts.
    static QString HelpTopic(const QString &windowClass);
    // The file ShowHelp opens: the program folder's "help/" + topic, or
    // "help/index.htm" without a topic.
    QString HelpPath(const QString &windowClass) const;
    // Opens HelpPath in the browser; does nothing when the file is absent.
    void ShowHelp(const QString &windowClass) const;

    // Names of the "*.frc" files of the program folder: lower case with
    // the first letter upper case, ".frc" removed, sorted.
    static QStringList Languages();
    // Preview button images (16 x 16), cut from the packed resource
    // ":/report/PreviewButtons.gz" on first use; empty without it.
    const QList<QImage> &GetPreviewButtonImages();

private:
    platform::StringList m_keys; // sorted, ignoring case; object = index into m_texts
    QStringList m_texts;
    QString m_helpFile = QStringLiteral("DEDovu.chm");
    QList<QImage> m_previewImages;
    bool m_previewLoaded = false;
};

// The process-wide table, created with the English texts on first use.
TrpResources &GetResources();

// The built-in English table as the library ships it, one "key=text"
// per line with section headings.
QString englishResourceText();

} // namespace bralvo::report
