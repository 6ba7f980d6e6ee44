// Report XML elements, documents, reader, writer and escaping.
#include "report/model/trpxml.h"

#include "platform/conversionerror.h"
#include "platform/stream.h"
#include "platform/textcodec.h"
#include "platform/variant.h"
#include "report/model/trputils.h"

#include <QFile>

namespace bralvo::report {

namespace {

// Deeper nesting than any report needs; guards the recursive reader.
constexpr int kMaxDepth = 256;

// Reads tags through a 4096-byte buffer; gives unread bytes back to the
// stream when destroyed.
class TrpXMLReader {
public:
    explicit TrpXMLReader(platform::Stream &stream)
        : m_stream(stream), m_position(stream.position()), m_size(stream.size())
    {
    }
    ~TrpXMLReader()
    {
        try {
            m_stream.seek(m_position);
        } catch (...) {
        }
    }

    qint64 position() const { return m_position; }
    void setPosition(qint64 pos)
    {
        m_stream.seek(pos);
        m_position = pos;
        m_fill = m_index = 0;
    }

    // False at the end of the stream.
    bool next(char &c)
    {
        if (m_index >= m_fill) {
            m_fill = int(m_stream.read(m_buffer, sizeof m_buffer));
            m_index = 0;
            if (m_fill <= 0) {
                m_fill = 0;
                return false;
            }
        }
        c = m_buffer[m_index++];
        ++m_position;
        return true;
    }

    // An empty name at the end of the stream outside a tag.
    void readTag(QString &name, QString &text)
    {
        QByteArray tag;
        for (;;) {
            char c;
            do {
                if (!next(c)) {
                    name.clear();
                    text.clear();
                    return;
                }
            } while (c != '<');
            tag.clear();
            if (collectTag(tag))
                break;
        }
        if (tag.endsWith(' '))
            tag.chop(1);
        const QString s = platform::decodeText(tag);
        const qsizetype blank = s.indexOf(u' ');
        name = blank < 0 ? s : s.left(blank);
        text = blank < 0 ? QString() : s.mid(blank + 1);
    }

private:
    // Collects up to ">"; false when the tag was a comment (skipped).
    bool collectTag(QByteArray &tag)
    {
        char c;
        for (;;) {
            if (!next(c))
                throw TrpInvalidXMLException();
            if (c == '>')
                return true;
            if (c == '<')
                throw TrpInvalidXMLException();
            tag.append(c);
            if (tag.size() == 3 && tag == "!--") {
                skipComment();
                return false;
            }
        }
    }

    // Up to two dashes directly followed by ">".
    void skipComment()
    {
        int dashes = 0;
        char c;
        while (next(c)) {
            if (dashes == 2) {
                if (c == '>')
                    return;
                dashes = 0;
                continue;
            }
            dashes = c == '-' ? dashes + 1 : 0;
        }
        throw TrpInvalidXMLException();
    }

    platform::Stream &m_stream;
    qint64 m_position;
    qint64 m_size;
    char m_buffer[4096];
    int m_fill = 0;
    int m_index = 0;
};

enum class ReadResult { Element, Closing, ClosingAtEnd };

// Reads one element into Item; see the document's reading rules.
ReadResult readItem(TrpXMLReader &reader, TrpXMLItem *item, bool readAll, int depth, bool &truncated)
{
    if (depth > kMaxDepth)
        throw TrpInvalidXMLException();
    const qint64 start = reader.position();
    reader.readTag(item->Name, item->Text);
    if (item->Name.isEmpty())
        return ReadResult::ClosingAtEnd;
    if (item->Name.startsWith(u'/'))
        return ReadResult::Closing;
    if (item->Name.endsWith(u'/')) {
        item->Name.chop(1);
        return ReadResult::Element;
    }
    if (item->Text.endsWith(u'/')) {
        item->Text.chop(1);
        return ReadResult::Element;
    }
    for (;;) {
        auto child = std::make_unique<TrpXMLItem>();
        const ReadResult r = readItem(reader, child.get(), readAll, depth + 1, truncated);
        if (r == ReadResult::Element) {
            item->AddItem(child.release());
            continue;
        }
        if (r == ReadResult::ClosingAtEnd)
            truncated = true;
        else if (child->Name.mid(1).compare(item->Name, Qt::CaseInsensitive) != 0)
            throw TrpInvalidXMLException();
        break;
    }
    // The marker may be the only attribute, with no blank before it.
    QString padded = u' ' + item->Text;
    const qsizetype marker = padded.toLower().indexOf(QStringLiteral(" ld=\"0\""));
    if (marker >= 0) {
        padded.remove(marker, 7);
        item->Text = padded.mid(1);
        // Read whole, it stays unloadable, so saving it again keeps the marker.
        item->Unloadable = true;
        if (!readAll) {
            while (item->Count() > 0)
                delete item->Items(item->Count() - 1);
            item->StreamOffset = start;
            item->Loaded = false;
        }
    }
    return ReadResult::Element;
}

class TrpXMLWriter {
public:
    TrpXMLWriter(platform::Stream &stream, bool autoIndent, TrpXMLDocument *doc)
        : m_stream(stream), m_autoIndent(autoIndent), m_doc(doc)
    {
    }
    ~TrpXMLWriter() { flushQuietly(); }

    void writeLine(const QString &line)
    {
        m_buffer += line;
        if (m_autoIndent)
            m_buffer += QStringLiteral("\r\n");
        if (m_buffer.size() > 4096)
            flush();
    }

    void flush()
    {
        if (!m_buffer.isEmpty())
            m_stream.write(m_buffer.toUtf8());
        m_buffer.clear();
    }

    void writeItem(TrpXMLItem *item, int level)
    {
        const bool reload = m_doc && item->Unloadable && !item->Loaded;
        if (reload)
            m_doc->LoadItem(item);
        const QString indent = m_autoIndent ? QString(level, u' ') : QString();
        QString attrs = item->Text;
        if (!attrs.isEmpty() && !attrs.startsWith(u' '))
            attrs.prepend(u' ');
        if (item->Unloadable)
            attrs += QStringLiteral(" ld=\"0\"");
        if (item->Count() > 0) {
            writeLine(indent + u'<' + item->Name + attrs + u'>');
            for (int i = 0; i < item->Count(); ++i)
                writeItem(item->Items(i), level + 2);
            writeLine(indent + QStringLiteral("</") + item->Name + u'>');
        } else if (!item->Value.isEmpty()) {
            writeLine(indent + u'<' + item->Name + attrs + u'>' + item->Value + QStringLiteral("</") + item->Name
                      + u'>');
        } else {
            writeLine(indent + u'<' + item->Name + attrs + QStringLiteral("/>"));
        }
        if (reload)
            item->Clear();
    }

private:
    void flushQuietly()
    {
        try {
            flush();
        } catch (...) {
        }
    }

    platform::Stream &m_stream;
    bool m_autoIndent;
    TrpXMLDocument *m_doc;
    QString m_buffer;
};

// Position of the attribute Name in Text: index of the blank before it
// in " " + Text, or -1.
qsizetype findAttribute(const QString &text, const QString &name)
{
    const QString hay = (u' ' + text).toUpper();
    const QString needle = u' ' + name.toUpper() + QStringLiteral("=\"");
    return hay.indexOf(needle);
}

} // namespace

// --- TrpXMLItem

TrpXMLItem::~TrpXMLItem()
{
    Clear();
    if (m_parent)
        m_parent->m_items.removeAll(this);
}

void TrpXMLItem::Clear()
{
    while (!m_items.isEmpty()) {
        TrpXMLItem *child = m_items.takeLast();
        child->m_parent = nullptr;
        delete child;
    }
    if (Unloadable)
        Loaded = false;
}

TrpXMLItem *TrpXMLItem::Add()
{
    auto *item = new TrpXMLItem;
    AddItem(item);
    return item;
}

void TrpXMLItem::AddItem(TrpXMLItem *item)
{
    if (item->m_parent)
        item->m_parent->m_items.removeAll(item);
    m_items.append(item);
    item->m_parent = this;
}

void TrpXMLItem::InsertItem(int index, TrpXMLItem *item)
{
    AddItem(item);
    m_items.move(m_items.size() - 1, qBound(0, index, int(m_items.size()) - 1));
}

int TrpXMLItem::Find(const QString &name) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->Name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

TrpXMLItem *TrpXMLItem::FindItem(const QString &name)
{
    const int i = Find(name);
    if (i >= 0)
        return m_items[i];
    TrpXMLItem *item = Add();
    item->Name = name;
    return item;
}

QString TrpXMLItem::Prop(const QString &name) const
{
    const qsizetype at = findAttribute(Text, name);
    if (at < 0)
        return QString();
    // at is the blank's index in " " + Text, so the value starts here:
    const qsizetype valueStart = at + name.size() + 2;
    const qsizetype end = Text.indexOf(u'"', valueStart);
    return XMLToStr(end < 0 ? Text.mid(valueStart) : Text.mid(valueStart, end - valueStart));
}

bool TrpXMLItem::PropExists(const QString &name) const
{
    return findAttribute(Text, name) >= 0;
}

void TrpXMLItem::SetProp(const QString &name, const QString &value)
{
    qsizetype at = findAttribute(Text, name);
    if (at >= 0) {
        const qsizetype valueStart = at + name.size() + 2;
        const qsizetype end = Text.indexOf(u'"', valueStart);
        Text.remove(at, (end < 0 ? Text.size() : end + 1) - at);
    } else {
        at = Text.size();
    }
    QString attr = name + QStringLiteral("=\"") + StrToXML(value) + u'"';
    if (at > 0 && Text[at - 1] != u' ')
        attr.prepend(u' ');
    Text.insert(at, attr);
}

// --- TrpXMLDocument

TrpXMLDocument::TrpXMLDocument() : m_root(std::make_unique<TrpXMLItem>()) {}

TrpXMLDocument::~TrpXMLDocument()
{
    FreeTempStream();
}

void TrpXMLDocument::Clear()
{
    m_root->Clear();
    FreeTempStream();
}

void TrpXMLDocument::FreeTempStream()
{
    m_ownedTemp.reset();
    m_tempStream = nullptr;
    if (m_tempCreated)
        QFile::remove(m_tempFileName);
    m_tempCreated = false;
    m_tempFileName.clear();
}

void TrpXMLDocument::CreateTempFile()
{
    if (m_tempStream)
        return;
    m_tempFileName = MakeTempFileNameIn(TempDir);
    m_tempCreated = true;
    m_ownedTemp = std::make_unique<platform::FileStream>(m_tempFileName, platform::FileStream::Mode::ReadWrite);
    m_tempStream = m_ownedTemp.get();
}

void TrpXMLDocument::LoadFromStream(platform::Stream &stream, bool allowPartialLoading)
{
    FreeTempStream();
    m_truncated = false;
    m_root->Clear();
    m_root->Loaded = true;
    m_root->Unloadable = false;
    m_root->StreamOffset = 0;
    {
        TrpXMLReader reader(stream);
        QString name, text;
        reader.readTag(name, text);
        if (!name.startsWith(QStringLiteral("?xml")))
            throw TrpInvalidXMLException();
        if (readItem(reader, m_root.get(), !allowPartialLoading, 0, m_truncated) != ReadResult::Element)
            m_truncated = true;
    }
    if (allowPartialLoading)
        m_tempStream = &stream;
}

void TrpXMLDocument::LoadFromFile(const QString &fileName)
{
    auto file = std::make_unique<platform::FileStream>(fileName, platform::FileStream::Mode::Read);
    LoadFromStream(*file, true);
    m_ownedTemp = std::move(file);
}

void TrpXMLDocument::LoadItem(TrpXMLItem *item)
{
    if (!m_tempStream || !item->Unloadable || item->Loaded)
        return;
    TrpXMLReader reader(*m_tempStream);
    reader.setPosition(item->StreamOffset);
    TrpXMLItem fresh;
    bool truncated = false;
    readItem(reader, &fresh, true, 0, truncated);
    while (fresh.Count() > 0)
        item->AddItem(fresh.Items(0));
    item->Loaded = true;
}

void TrpXMLDocument::UnloadItem(TrpXMLItem *item)
{
    if (!item->Loaded || !item->Unloadable)
        return;
    CreateTempFile();
    const qint64 end = m_tempStream->size();
    m_tempStream->seek(end);
    item->StreamOffset = end;
    {
        TrpXMLWriter writer(*m_tempStream, false, nullptr);
        writer.writeItem(item, 0);
        writer.flush();
    }
    item->Clear();
}

void TrpXMLDocument::SaveToStream(platform::Stream &stream)
{
    TrpXMLWriter writer(stream, AutoIndent, this);
    writer.writeLine(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    writer.writeItem(m_root.get(), 0);
    writer.flush();
}

// --- escaping

QString StrToXML(const QString &text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case 10:
        case 13:
        case 34:
        case 38:
        case 60:
        case 62:
            out += QStringLiteral("&#") + QString::number(c.unicode()) + u';';
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString XMLToStr(const QString &text)
{
    if (!text.contains(u'&'))
        return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'&') {
            out += c;
        } else if (i + 1 < n && text[i + 1] == u'#') {
            const qsizetype semi = text.indexOf(u';', i + 2);
            if (semi < 0) {
                out += text.mid(i);
                break;
            }
            // Decimal digits only, as an unsigned 32-bit number.
            const QStringView digits = QStringView(text).mid(i + 2, semi - i - 2);
            bool ok = !digits.isEmpty();
            quint64 code = 0;
            for (const QChar d : digits) {
                ok = ok && d >= u'0' && d <= u'9' && code <= 0xFFFFFFFFu;
                code = code * 10 + (d.unicode() - u'0');
            }
            if (!ok || code > 0xFFFFFFFFu)
                throw platform::ConversionError(
                    QStringLiteral("'%1' is not a valid integer value").arg(digits.toString()));
            if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                out += QStringView(text).mid(i, semi - i + 1); // no character: keep the reference
            } else if (QChar::requiresSurrogates(char32_t(code))) {
                out += QChar(QChar::highSurrogate(char32_t(code)));
                out += QChar(QChar::lowSurrogate(char32_t(code)));
            } else {
                out += QChar(char16_t(code));
            }
            i = semi;
        } else if (text.mid(i, 6) == QStringLiteral("&quot;")) {
            out += u'"';
            i += 5;
        } else {
            out += c;
        }
    }
    return out;
}

QString ValueToXML(const platform::Variant &value)
{
    using namespace platform;
    switch (value.kind()) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return QString::number(value.toInt64());
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
        return FloatToFileStr(value.toDouble());
    case varString:
    case varOleStr:
        return StrToXML(value.toString());
    case varBoolean:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return QString();
    }
}

} // namespace bralvo::report
