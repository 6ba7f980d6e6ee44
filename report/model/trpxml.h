// The report XML document: a thin tree of elements (name, one unparsed
// attribute text, children, an optional text value the writer puts
// between the tags), its stream reader and writer, attribute escaping,
// and partial loading: an element marked unloadable is written with
// ` ld="0"`; loading such a file with partial loading keeps only the
// element's stream offset, and LoadItem brings its children back.
//
// Files are UTF-8; a tag whose bytes are not valid UTF-8 is read as
// Windows-1250. Character data between tags is skipped on reading.
#pragma once

#include "report/model/reporterror.h"

#include <QList>
#include <QString>
#include <memory>

namespace bralvo::platform {
class Stream;
class Variant;
} // namespace bralvo::platform

namespace bralvo::report {

// Every structural reading error; the text is always "Invalid file format".
class TrpInvalidXMLException : public ReportError {
public:
    TrpInvalidXMLException() : ReportError(QStringLiteral("Invalid file format")) {}
};

class TrpXMLItem {
public:
    TrpXMLItem() = default;
    TrpXMLItem(const TrpXMLItem &) = delete;
    TrpXMLItem &operator=(const TrpXMLItem &) = delete;
    // Destroys the children, then leaves the parent's list.
    ~TrpXMLItem();

    void *Data = nullptr;  // for the owner's use; never written
    QString Name;
    QString Text;          // attributes as they stand after the name
    QString Value;         // content written between the tags (no children)

    // Destroys all children; an unloadable element becomes not loaded.
    void Clear();
    TrpXMLItem *Items(int index) const { return m_items.at(index); }
    int Count() const { return int(m_items.size()); }
    int IndexOf(const TrpXMLItem *item) const { return int(m_items.indexOf(item)); }
    TrpXMLItem *Parent() const { return m_parent; }
    // Appends a new empty child, owned by this element.
    TrpXMLItem *Add();
    // Takes Item (from its old parent, if any) and appends it.
    void AddItem(TrpXMLItem *item);
    void InsertItem(int index, TrpXMLItem *item);
    // Index of the first child of that name ignoring case; -1 when none.
    int Find(const QString &name) const;
    // That child, or a new child of that name appended.
    TrpXMLItem *FindItem(const QString &name);

    // The decoded value of the attribute (name ignoring case); "" when
    // absent.
    QString Prop(const QString &name) const;
    // Replaces the attribute in place, or appends it after one blank.
    void SetProp(const QString &name, const QString &value);
    bool PropExists(const QString &name) const;

    bool Loaded = true;
    bool Unloadable = false;
    qint64 StreamOffset = 0;

private:
    QList<TrpXMLItem *> m_items;
    TrpXMLItem *m_parent = nullptr;
};

class TrpXMLDocument {
public:
    TrpXMLDocument();
    ~TrpXMLDocument();

    bool AutoIndent = false;
    QString TempDir;  // folder of the temporary file; empty: the system's
    TrpXMLItem *Root() const { return m_root.get(); }

    // Root.Clear, then the temporary stream is released (a temporary file
    // the document made is deleted).
    void Clear();
    // Throws TrpInvalidXMLException on malformed input. A stream that ends
    // before every element is closed keeps what was read and sets
    // TruncatedRead (callers record "Invalid file format").
    // With partial loading the document keeps Stream (not owned: it must
    // live until Clear, the next load or the document's end) and reads
    // unloadable elements from it on demand.
    void LoadFromStream(platform::Stream &stream, bool allowPartialLoading = false);
    void SaveToStream(platform::Stream &stream);
    // Loads a file with partial loading; the document owns the file.
    // Throws StreamError when it cannot be opened.
    void LoadFromFile(const QString &fileName);
    void LoadItem(TrpXMLItem *item);
    void UnloadItem(TrpXMLItem *item);
    void CreateTempFile();
    void FreeTempStream();
    // True when the last load ran into the end of the stream before every
    // element was closed (what was read is kept).
    bool TruncatedRead() const { return m_truncated; }

private:
    std::unique_ptr<TrpXMLItem> m_root;
    std::unique_ptr<platform::Stream> m_ownedTemp;
    platform::Stream *m_tempStream = nullptr;
    QString m_tempFileName;
    bool m_tempCreated = false;
    bool m_truncated = false;
};

// Escapes an attribute value: LF, CR, '"', '&', '<', '>' become "&#10;",
// "&#13;", "&#34;", "&#38;", "&#60;", "&#62;"; everything else is kept.
QString StrToXML(const QString &text);
// Decodes "&#N;" (the full code point) and "&quot;"; any other "&"
// stays. A "&#" without a later ";" leaves the rest as it is. Throws
// ConversionError when the characters between "&#" and ";" are not
// decimal digits.
QString XMLToStr(const QString &text);
// A variant as attribute text: integers in decimal, floats shortest with
// ".", dates as their day count, texts escaped, Booleans "1"/"0", other
// kinds "".
QString ValueToXML(const platform::Variant &value);

} // namespace bralvo::report
