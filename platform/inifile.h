// An INI file held in memory: the settings file, the database list, the
// language files and the registry-path store all follow its rules.
//
// Loading (text decoded as UTF-8, else Windows-1250):
//  - every line is trimmed; empty lines and lines beginning with ";" are
//    skipped; lines before the first section are dropped;
//  - "[name]" opens a section (name trimmed); a second section whose name
//    differs only in letter case continues the first one;
//  - "key=value" splits at the first "=", key and value trimmed, no quotes
//    removed; a line without "=" stays in its section unchanged.
// Section and key names compare without regard to letter case; order is
// kept. When a key appears twice in a section, the first one counts.
//
// Saving rewrites the whole file (UTF-8): each section as "[name]", its
// lines in order, then one empty line. Comments are not kept. New sections
// go to the end in the order first written, a new key to the end of its
// section; an existing key keeps its place. The file is written to a
// temporary file and renamed, and a read-only file is never written.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace bralvo::platform {

class IniFile {
public:
    IniFile() = default;  // empty, without a path: save() gives false

    // Loads the file; a missing file gives an empty object with that path.
    // Throws FileError (platform/textfile.h) when the file exists but
    // cannot be read.
    explicit IniFile(const QString &path);

    // Parses text by the loading rules; the object has no path.
    static IniFile fromText(const QString &text);

    const QString &path() const { return m_path; }

    // The value, or defaultValue when the section or key is missing. A key
    // present with an empty value gives the empty text.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // Decimal digits with an optional sign, or "0x"/"0X" and hexadecimal
    // digits; anything else (empty text too) gives defaultValue.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // A whole number as readInteger: non-zero is true. A value that is not a
    // whole number ("true" too) gives defaultValue.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    // The raw value; std::nullopt when the key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);  // "1"/"0"

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    QStringList sections() const;                     // names as first written, in order
    QStringList keys(const QString &section) const;   // keys of key=value lines, in order
    // Every line of the section as stored ("key=value" or the bare line).
    QStringList sectionLines(const QString &section) const;

    void eraseSection(const QString &section);                  // no-op when missing
    void deleteKey(const QString &section, const QString &key); // no-op when missing
    void clear();

    // The file's text as save() writes it.
    QString toText() const;

    // Writes toText() to path(). False when there is no path, the file is
    // read-only, the folder is missing or the write fails; the file on disk
    // is then unchanged. Never throws.
    bool save() const;
    // As save(), to another path (path() is not changed).
    bool saveAs(const QString &path) const;

private:
    struct Line {
        QString key;    // empty for a bare line
        QString value;  // the whole line when bare
        bool bare = false;
        QString text() const;
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
        QHash<QString, qsizetype> keyIndex;  // folded key -> its first line
        void indexLine(qsizetype at);
        void reindex();
    };

    void parse(const QString &text);
    const Section *findSection(const QString &name) const;
    Section *findSection(const QString &name);
    Section &sectionForWrite(const QString &name);
    static const Line *findLine(const Section &section, const QString &key);

    void reindexSections();

    // Lookups go through the indexes, so loading and reading a file take
    // time in proportion to its size, however many sections it holds.
    QString m_path;
    std::vector<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex;  // folded name -> position
};

} // namespace bralvo::platform
