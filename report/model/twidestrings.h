// The report library's list of UTF-16 lines (memo texts, text layout).
// Each line has an attached object pointer (not owned). It streams
// itself into form definitions and "PropData" as a "UTF8" list (one
// UTF-8 string per line) and still reads the old "Strings" list.
#pragma once

#include "platform/handleregistry.h"
#include "platform/persistent.h"

#include <QList>
#include <QString>

namespace bralvo::platform {
class Stream;
class StringList;
} // namespace bralvo::platform

namespace bralvo::report {

// A handle target, so scripts reach a memo's Lines.
class TWideStrings : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TWideStrings)
public:
    TWideStrings() = default;
    QString scriptClassName() const override { return className(); }

    void Clear() { m_lines.clear(); }
    int Count() const { return int(m_lines.size()); }
    // "" for an index outside the list.
    QString Strings(int index) const;
    // Index below Count replaces, Index == Count appends; anything else
    // throws ReportError "Wide String Out of Bounds".
    void SetStrings(int index, const QString &text);
    void *Objects(int index) const;
    void SetObjects(int index, void *object); // out of range: ignored
    int Add(const QString &text);
    int AddObject(const QString &text, void *object);
    void AddStrings(const TWideStrings &source);
    // Index 0 .. Count; anything else throws ListIndexError.
    void Insert(int index, const QString &text);
    // Throws ListIndexError for an index outside the list.
    void Delete(int index);
    int IndexOf(const QString &text) const; // exact; -1 when none

    // Every line followed by CR LF.
    QString Text() const;
    // CR LF, CR, LF and U+2028 each end a line (the first NUL ends the
    // text); a break at the very end adds no empty line.
    void SetText(const QString &text);

    // A leading byte-order mark FF FE: UTF-16 little-endian; otherwise
    // the bytes are decoded as UTF-8 when valid, else Windows-1250. A
    // leading U+FEFF left after decoding is skipped.
    void LoadFromStream(platform::Stream &stream);
    // The rest of the stream as raw UTF-16 little-endian; a leading
    // U+FEFF (the mark SaveToStream writes) is skipped.
    void LoadFromWideStream(platform::Stream &stream);
    // UTF-16 little-endian with the byte-order mark FF FE, so
    // LoadFromStream reads it back.
    void SaveToStream(platform::Stream &stream) const;
    // Throws StreamError when the file cannot be opened or written;
    // SaveToFile writes a temporary file and renames it.
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;

    // From a TWideStrings or a StringList (objects kept); else AssignError.
    void assign(const platform::Persistent &source) override;
    // "Strings" (read only) and "UTF8" (written when not empty).
    void defineProperties(platform::PropertyFiler &filer) override;

protected:
    void assignTo(platform::Persistent &dest) const override;

private:
    struct Line {
        QString text;
        void *object = nullptr;
    };
    QList<Line> m_lines;
};

} // namespace bralvo::report
