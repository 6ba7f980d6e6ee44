// TscXMLItem, TscXMLDocument and the reader and writer behind them.
#include "script/tscxmldocument.h"
#include "script/blockpool.h"
#include "script/scripterror.h"
#include "platform/conversionerror.h"
#include "platform/textcodec.h"

#include <QBuffer>
#include <QHash>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <mutex>
#include <vector>

namespace bralvo::script {

namespace {

[[noreturn]] void invalidFormat() { throw ScriptError(QStringLiteral("Invalid file format")); }

bool needsReference(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('"')
        || c == QLatin1Char('<') || c == QLatin1Char('>');
}

// "&#N;" for one of the characters above, all below 100: the parser
// escapes every '>' operator it writes, so this is no place for arg().
void appendReference(XMLEscapeBuffer &out, QChar c)
{
    const char16_t code = c.unicode();
    const char16_t reference[] = {u'&', u'#', char16_t(u'0' + code / 10), char16_t(u'0' + code % 10), u';'};
    out.append(reinterpret_cast<const QChar *>(reference), 5);
}

void appendPosition(QString &text, QLatin1String name, int line, int column)
{
    if (!text.isEmpty())
        text += QLatin1Char(' ');
    text += name + QLatin1String("=\"") + QString::number(line) + QLatin1Char(':') + QString::number(column)
        + QLatin1Char('"');
}

QString tokenText(QStringView value, int line, int column)
{
    QString text = QLatin1String("text=\"");
    text += value;
    text += QLatin1Char('"');
    appendPosition(text, QLatin1String("pos"), line, column);
    return text;
}

// pos="line:column", then pos1="endLine:endColumn" for a range.
QString nodeText(int line, int column, bool isRange, int endLine, int endColumn)
{
    QString text;
    appendPosition(text, QLatin1String("pos"), line, column);
    if (isRange)
        appendPosition(text, QLatin1String("pos1"), endLine, endColumn);
    return text;
}

// A name RawProp can match only to a whole attribute name.
bool isPlainName(QStringView name)
{
    return std::none_of(name.cbegin(), name.cend(),
                        [](QChar c) { return c == u' ' || c == u'"' || c == u'='; });
}

} // namespace

bool NeedsXMLEscape(QStringView text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char('&') || needsReference(c); });
}

QString StrToXML(const QString &text)
{
    if (!NeedsXMLEscape(text))
        return text;
    XMLEscapeBuffer out;
    AppendStrToXML(text, out);
    return QString(out.constData(), out.size());
}

void AppendStrToXML(QStringView text, XMLEscapeBuffer &out)
{
    // Characters between references are appended a run at a time.
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype at) { out.append(text.data() + runStart, at - runStart); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&')) {
            endRun(i);
            if (text.mid(i + 1, 5) == QLatin1String("quot;")) {
                appendReference(out, QLatin1Char('"'));
                i += 5;
            } else {
                appendReference(out, c);
            }
            runStart = i + 1;
        } else if (needsReference(c)) {
            endRun(i);
            appendReference(out, c);
            runStart = i + 1;
        }
    }
    endRun(text.size());
}

QString XMLToStr(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out;
    out.reserve(text.size());
    int i = 0;
    // The last character can never start a reference.
    for (; i < text.size() - 1; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('&')) {
            out += c;
        } else if (QStringView(text).mid(i + 1, 5) == QLatin1String("quot;")) {
            out += QLatin1Char('"');
            i += 5;
        } else if (text[i + 1] == QLatin1Char('#') && i + 3 < text.size() + 0 && text.indexOf(QLatin1Char(';'), i + 2) > i + 2) {
            const int end = text.indexOf(QLatin1Char(';'), i + 2);
            const QString digits = text.mid(i + 2, end - i - 2);
            bool ok = false;
            const int code = digits.toInt(&ok, 10);
            if (!ok || digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
                throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(digits));
            // Text is Unicode, but stored documents only ever reference bytes;
            // anything above is damage, not a character to cut down to 8 bits.
            if (code > 255)
                throw ScriptError(QStringLiteral("Invalid character reference: &#%1;").arg(digits));
            out += QChar(code);
            i = end;
        } else {
            out += c;
        }
    }
    if (i < text.size())
        out += text[i];
    return out;
}

// ---- TscXMLItem

namespace detail {

constinit thread_local blockpool::Arena *t_elementArena = nullptr;

} // namespace detail

using detail::t_elementArena;

TscXMLItem::ArenaScope::ArenaScope(blockpool::Arena *arena) : m_previous(t_elementArena)
{
    t_elementArena = arena;
}

TscXMLItem::ArenaScope::~ArenaScope()
{
    t_elementArena = m_previous;
}

void TscXMLItem::operator delete(TscXMLItem *item, std::destroying_delete_t, std::size_t size) noexcept
{
    const bool fromArena = item->m_fromArena;
    item->~TscXMLItem();
    if (!fromArena)
        blockpool::give(item, size);
    else if (blockpool::Arena *arena = t_elementArena)
        arena->give(item, size); // only the parse owning the arena deletes elements while it stands
    else
        blockpool::Arena::drop(item, size);
}

void TscXMLItem::operator delete(void *block, std::size_t size) noexcept
{
    if (blockpool::Arena *arena = t_elementArena)
        arena->give(block, size);
    else
        blockpool::give(block, size);
}

static_assert(sizeof(TscXMLItem) <= 64, "elements are pooled and made by the ten thousand");

const QString TscXMLItem::s_noName;

void TscXMLItem::SetName(const QString &name)
{
    if (m_name & kOwnName)
        *reinterpret_cast<QString *>(m_name & ~kNameFlags) = name;
    else if (name.isNull())
        setNamePointer(reinterpret_cast<quintptr>(&s_noName));
    else
        setNamePointer(reinterpret_cast<quintptr>(new QString(name)) | kOwnName);
}

void TscXMLItem::dropOwnName() noexcept
{
    delete reinterpret_cast<QString *>(m_name & ~kNameFlags);
    setNamePointer(reinterpret_cast<quintptr>(&s_noName));
}

namespace {

// Data() of the elements that have it, by element.
struct StoredData {
    std::mutex lock;
    QHash<const TscXMLItem *, qint64> values;
};

StoredData &storedData()
{
    static auto *data = new StoredData; // elements may go after every static
    return *data;
}

} // namespace

qint64 TscXMLItem::storedData() const
{
    StoredData &all = script::storedData();
    const std::lock_guard guard(all.lock);
    return all.values.value(this);
}

void TscXMLItem::SetData(qint64 data)
{
    if (data == 0) {
        if (m_name & kHasData)
            dropData();
        return;
    }
    StoredData &all = script::storedData();
    const std::lock_guard guard(all.lock);
    all.values.insert(this, data);
    m_name |= kHasData;
}

void TscXMLItem::dropData() noexcept
{
    StoredData &all = script::storedData();
    const std::lock_guard guard(all.lock);
    all.values.remove(this);
    m_name &= ~kHasData;
}

void TscXMLItem::copyNameFrom(const TscXMLItem &source)
{
    if (source.m_name & kOwnName)
        SetName(source.Name());
    else
        SetPermanentName(source.Name());
}

TscXMLItem::~TscXMLItem()
{
    releaseText();
    if (m_name & kNameFlags) {
        if (m_name & kOwnName)
            dropOwnName();
        if (m_name & kHasData)
            dropData();
    }
    if (!m_children.empty()) // most elements are leaves
        deleteItems(m_children.begin(), m_children.end());
    if (m_parent)
        m_parent->detachChild(this);
}

TscXMLItem *TscXMLItem::Root()
{
    TscXMLItem *item = this;
    while (item->m_parent)
        item = item->m_parent;
    return item;
}

void TscXMLItem::throwIndexOutOfBounds(int index)
{
    throw ScriptError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void TscXMLItem::Clear()
{
    if (m_children.empty())
        return;
    ChildList children;
    children.swap(m_children);
    deleteItems(children.begin(), children.end());
}

void TscXMLItem::ClearBeforeArenaEnds()
{
    ChildList children;
    children.swap(m_children);
    // Depth first with a stack of its own: the tree is visited, not
    // destroyed by recursion, and most elements need nothing more.
    std::vector<TscXMLItem *> stack(children.begin(), children.end());
    while (!stack.empty()) {
        TscXMLItem *const item = stack.back();
        stack.pop_back();
        for (TscXMLItem *child : item->m_children) {
            __builtin_prefetch(child); // elements lie scattered: fetched while others are looked at
            stack.push_back(child);
        }
        if (item->endsWithArena())
            continue;
        item->m_parent = nullptr; // its parent may have gone first
        item->m_children.truncate(0); // on the stack already
        delete item;
    }
}

void TscXMLItem::deleteItems(TscXMLItem *const *items, TscXMLItem *const *end) noexcept
{
    // Each child is told it has no parent before it goes, so it does not
    // search the list to leave it: trees are taken down by the ten
    // thousand, and the list goes as a whole afterwards.
    constexpr size_t kAhead = 4; // elements lie scattered: fetch a few ahead
    const size_t count = size_t(end - items);
    for (size_t i = 0; i < count; ++i) {
        if (i + kAhead < count)
            __builtin_prefetch(items[i + kAhead]);
        TscXMLItem *const child = items[i];
        child->m_parent = nullptr;
        delete child;
    }
}

TscXMLItem *TscXMLItem::Add()
{
    auto item = std::make_unique<TscXMLItem>();
    item->m_parent = this;
    m_children.push_back(item.get(), listArena());
    return item.release();
}

void TscXMLItem::detachChild(TscXMLItem *child)
{
    const auto found = std::find(m_children.begin(), m_children.end(), child);
    if (found == m_children.end())
        return;
    m_children.erase(size_t(found - m_children.begin()));
    child->m_parent = nullptr;
}

void TscXMLItem::AddItem(TscXMLItem *item)
{
    if (!item)
        return;
    for (const TscXMLItem *a = this; a; a = a->m_parent)
        if (a == item)
            throw ScriptError(QStringLiteral("An element cannot be added to itself or to its own descendant"));
    if (item->m_isDocumentRoot)
        throw ScriptError(QStringLiteral("A document's root element cannot be moved"));
    if (item->m_parent)
        item->m_parent->detachChild(item);
    std::unique_ptr<TscXMLItem> owned(item); // until the list holds it
    m_children.push_back(item, listArena());
    owned.release()->m_parent = this;
}

void TscXMLItem::InsertItem(int index, TscXMLItem *item)
{
    AddItem(item);
    if (!item)
        return;
    index = std::clamp(index, 0, Count() - 1);
    // The list has room for it where it was appended.
    TscXMLItem *const moved = m_children.back();
    m_children.pop_back();
    m_children.insert(size_t(index), moved, listArena());
}

void TscXMLItem::MoveChildrenTo(int index, TscXMLItem &target)
{
    if (index < 0 || index >= Count() || &target == this)
        return;
    if (index == 0 && target.m_children.empty()) {
        // All of them to an empty list: hand the list over whole.
        m_children.swap(target.m_children);
        for (auto &child : target.m_children)
            child->m_parent = &target;
        return;
    }
    const size_t from = size_t(index);
    for (size_t i = from; i < m_children.size(); ++i)
        m_children[i]->m_parent = &target;
    target.m_children.append(m_children.begin() + from, m_children.size() - from, target.listArena());
    m_children.truncate(from);
}

TscXMLItem *TscXMLItem::WrapChildrenFrom(int index)
{
    auto owned = std::make_unique<TscXMLItem>();
    TscXMLItem *const wrapper = owned.get();
    wrapper->m_parent = this;
    if (index < 0 || index >= Count()) {
        m_children.push_back(wrapper, listArena());
        return owned.release();
    }
    const size_t from = size_t(index);
    wrapper->m_children.append(m_children.begin() + from, m_children.size() - from, wrapper->listArena());
    for (TscXMLItem *child : wrapper->m_children)
        child->m_parent = wrapper;
    // The wrapper takes the first place its children leave.
    m_children[from] = owned.release();
    m_children.truncate(from + 1);
    return wrapper;
}

void TscXMLItem::DeleteChildrenFrom(int index)
{
    if (index < 0 || index >= Count())
        return;
    // Cut from the list first; the entries stay in the array past its
    // count while they go, and nothing adds to the list meanwhile.
    const size_t from = size_t(index);
    TscXMLItem *const *const end = m_children.end();
    m_children.truncate(from);
    deleteItems(m_children.begin() + from, end);
}

int TscXMLItem::Find(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_children[size_t(i)]->Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TscXMLItem *TscXMLItem::FindItem(const QString &name)
{
    const int i = Find(name);
    if (i >= 0)
        return m_children[size_t(i)];
    TscXMLItem *item = Add();
    item->SetName(name);
    return item;
}

void TscXMLItem::setTokenText(const QString &value, int line, int column)
{
    SetText(tokenText(value, line, column));
}

void TscXMLItem::setPositionText(int line, int column)
{
    SetText(nodeText(line, column, false, 0, 0));
}

void TscXMLItem::setRangeText(int line, int column, int endLine, int endColumn)
{
    SetText(nodeText(line, column, true, endLine, endColumn));
}

void TscXMLItem::settleText() const
{
    QString text = m_shape == Shape::Token ? tokenText(tokenValue(), int(m_line), int(m_column))
                                           : nodeText(int(m_line), int(m_column), m_shape == Shape::Range,
                                                      int(m_endLine), int(m_endColumn));
    if (tokenOwned())
        dropText(textHolder()); // after its value was read
    m_textData = makeText(std::move(text));
    m_shape = Shape::Text;
}

QStringView TscXMLItem::RawProp(QStringView name) const
{
    // A token's text is at hand as it stands; the rest of an element
    // holding values is read from its text.
    if (m_shape != Shape::Text && isPlainName(name)) {
        const bool isText = SameNameIgnoringCase(name, u"text");
        if (isText && m_shape == Shape::Token)
            return tokenValue();
        if (isText || (!SameNameIgnoringCase(name, u"pos") && !SameNameIgnoringCase(name, u"pos1")))
            return QStringView();
    }
    Text();
    // The first ` name="` (ignoring case), the text's start counting as a
    // blank. Each `="` is a candidate end of the name, tried in order.
    // Runs for nearly every element built, on texts of a few dozen
    // characters: a plain scan beats a library search's set-up.
    const QStringView text(Text());
    const qsizetype length = name.size();
    const qsizetype size = text.size();
    const QChar *chars = text.data();
    for (qsizetype equals = length; equals + 1 < size; ++equals) {
        if (chars[equals] != u'=' || chars[equals + 1] != u'"')
            continue;
        const qsizetype at = equals - length;
        if ((at > 0 && chars[at - 1] != u' ') || !SameNameIgnoringCase(text.mid(at, length), name))
            continue;
        const qsizetype start = equals + 2;
        qsizetype end = start;
        while (end < size && chars[end] != u'"')
            ++end;
        return text.mid(start, end - start);
    }
    return QStringView();
}

QString TscXMLItem::Prop(const QString &name) const
{
    const QStringView raw = RawProp(name);
    return raw.isEmpty() ? QString() : XMLToStr(raw.toString());
}

void TscXMLItem::SetProp(const QString &name, const QString &value)
{
    Text(); // edited as text from here on
    if (!m_textData)
        m_textData = makeText(QString());
    QString &text = *const_cast<QString *>(textHolder());
    const QString needle = QLatin1Char(' ') + name + QLatin1String("=\"");
    const int found = (QLatin1Char(' ') + text).indexOf(needle, 0, Qt::CaseInsensitive);
    int insertAt = text.size();
    if (found >= 0) {
        // found is an index into " " + text: the attribute starts there in text.
        insertAt = found;
        const int valueStart = found + needle.size() - 1;
        int close = text.indexOf(QLatin1Char('"'), valueStart);
        close = close < 0 ? text.size() : close + 1;
        text.remove(insertAt, close - insertAt);
    }
    QString attribute = name + QLatin1String("=\"") + StrToXML(value) + QLatin1Char('"');
    if (insertAt > 0 && text[insertAt - 1] != QLatin1Char(' '))
        attribute.prepend(QLatin1Char(' '));
    text.insert(insertAt, attribute);
}

void TscXMLItem::copyAttributesFrom(const TscXMLItem &source)
{
    releaseText();
    m_shape = source.m_shape;
    m_line = source.m_line;
    m_column = source.m_column;
    m_endLine = source.m_endLine;
    m_endColumn = source.m_endColumn;
    // A text over storage of someone else's (a parser's token viewing its
    // source) is copied: the copy may outlive that storage.
    const auto copied = [](const QString &text) {
        const bool rawData = !const_cast<QString &>(text).data_ptr().d_ptr() && !text.isNull();
        return rawData ? QString(text.constData(), text.size()) : text;
    };
    if (source.m_shape == Shape::Text) {
        m_textData = source.m_textData ? makeText(copied(*source.textHolder())) : nullptr;
    } else if (source.m_shape == Shape::Token && source.m_textData) {
        const QStringView value = source.tokenValue();
        m_textData = makeText(source.tokenOwned() ? copied(*source.textHolder()) : value.toString());
        setTokenLength(value.size(), true);
    }
}

void TscXMLItem::setOwnText(QString &&text)
{
    if (m_shape == Shape::Text && m_textData) {
        *const_cast<QString *>(textHolder()) = std::move(text);
        return;
    }
    releaseText();
    m_shape = Shape::Text;
    m_textData = text.isNull() ? nullptr : makeText(std::move(text));
}

QString *TscXMLItem::makeText(QString &&text)
{
    return new (blockpool::take(sizeof(QString))) QString(std::move(text));
}

void TscXMLItem::dropText(const QString *text) noexcept
{
    text->~QString();
    blockpool::give(const_cast<QString *>(text), sizeof(QString));
}

const QString TscXMLItem::s_noText;

void TscXMLItem::copyFrom(const TscXMLItem &source)
{
    copyNameFrom(source);
    copyAttributesFrom(source);
    SetData(source.Data());
    for (const TscXMLItem *child : source.m_children)
        Add()->copyFrom(*child);
}

void TscXMLItem::Assign(const TscXMLItem *source)
{
    if (!source) {
        Clear();
        return;
    }
    // Copy first: the source may be this element's ancestor or descendant.
    TscXMLItem copy;
    copy.copyFrom(*source);
    Clear();
    // An own name of the copy's goes with the copy; each keeps its data.
    const quintptr name = copy.m_name & ~kHasData;
    copy.m_name = (m_name & ~kHasData) | (copy.m_name & kHasData);
    m_name = name | (m_name & kHasData);
    copyAttributesFrom(copy);
    SetData(copy.Data());
    m_children.swap(copy.m_children);
    for (TscXMLItem *child : m_children)
        child->m_parent = this;
}

// ---- reader

namespace {

class Reader {
public:
    explicit Reader(QIODevice &device) : m_device(device), m_start(device.pos()) {}
    ~Reader()
    {
        if (!m_device.isSequential())
            m_device.seek(m_start + m_consumed);
    }

    // One tag: name and attribute text; an empty name at the end of input.
    void readTag(QString &name, QString &text);
    bool readElement(TscXMLItem &item, int depth);

private:
    bool next(char &c);
    // Appends the bytes before the next '>' or '<' in the buffer at hand
    // to tag and consumes them: tags are read a run at a time, not a byte.
    void takeTagRun(QByteArray &tag);

    QIODevice &m_device;
    qint64 m_start;
    qint64 m_consumed = 0;
    QByteArray m_buffer;
    int m_index = 0;
    QString m_lastTag;
};

void Reader::takeTagRun(QByteArray &tag)
{
    const char *const start = m_buffer.constData() + m_index;
    const char *const end = m_buffer.constData() + m_buffer.size();
    const char *stop = start;
    while (stop < end && *stop != '>' && *stop != '<')
        ++stop;
    tag.append(start, stop - start);
    m_index += int(stop - start);
    m_consumed += stop - start;
}

// A tag's bytes as text: ASCII, nearly always, reads the same in both of
// decodeText's encodings.
QString decodedTag(const QByteArray &tag)
{
    for (const char c : tag)
        if (uchar(c) >= 0x80)
            return platform::decodeText(tag);
    return QString::fromLatin1(tag);
}

bool Reader::next(char &c)
{
    if (m_index >= m_buffer.size()) {
        m_buffer = m_device.read(4096);
        m_index = 0;
        if (m_buffer.isEmpty())
            return false;
    }
    c = m_buffer[m_index++];
    ++m_consumed;
    return true;
}

void Reader::readTag(QString &name, QString &text)
{
    name.clear();
    text.clear();
    char c = 0;
    for (;;) {
        do {
            if (!next(c))
                return;
        } while (c != '<');
        QByteArray tag;
        bool comment = false;
        for (;;) {
            if (!next(c))
                invalidFormat();
            if (c == '>')
                break;
            if (c == '<')
                invalidFormat();
            tag += c;
            if (tag.size() == 3 && tag == "!--") {
                comment = true;
                int dashes = 0;
                for (;;) {
                    if (!next(c))
                        invalidFormat();
                    if (c == '>' && dashes >= 2)
                        break;
                    dashes = (c == '-' && dashes < 2) ? dashes + 1 : 0;
                }
                break;
            }
            if (tag.size() >= 3)
                takeTagRun(tag); // no comment can start any more
        }
        if (comment)
            continue;
        if (tag.endsWith(' '))
            tag.chop(1);
        const QString decoded = decodedTag(tag);
        const int blank = decoded.indexOf(QLatin1Char(' '));
        name = blank < 0 ? decoded : decoded.left(blank);
        text = blank < 0 ? QString() : decoded.mid(blank + 1);
        return;
    }
}

// False when the tag read is not an element but the end of the parent's list.
bool Reader::readElement(TscXMLItem &item, int depth)
{
    if (depth > TscXMLDocument::kMaxDepth)
        invalidFormat();
    QString name, text;
    readTag(name, text);
    m_lastTag = name;
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return false;
    if (name.endsWith(QLatin1Char('/'))) {
        name.chop(1);
    } else if (text.endsWith(QLatin1Char('/'))) {
        text.chop(1);
    } else {
        item.SetName(name);
        item.SetText(text);
        for (;;) {
            TscXMLItem *child = item.Add();
            if (!readElement(*child, depth + 1)) {
                delete child;
                break;
            }
        }
        if (!m_lastTag.isEmpty() && m_lastTag.compare(QLatin1Char('/') + name, Qt::CaseInsensitive) != 0)
            invalidFormat();
        return true;
    }
    item.SetName(name);
    item.SetText(text);
    return true;
}

// ---- writer

void writeElement(QString &out, const TscXMLItem &item, int level, bool indent, QIODevice &device)
{
    const QString pad = indent ? QString(level * 2, QLatin1Char(' ')) : QString();
    const QString eol = indent ? QStringLiteral("\r\n") : QString();
    out += pad + QLatin1Char('<') + item.Name();
    if (!item.Text().isEmpty()) {
        if (!item.Text().startsWith(QLatin1Char(' ')))
            out += QLatin1Char(' ');
        out += item.Text();
    }
    out += item.Count() > 0 ? QLatin1String(">") : QLatin1String("/>");
    out += eol;
    if (out.size() > 4096) {
        device.write(out.toUtf8());
        out.clear();
    }
    if (item.Count() == 0)
        return;
    for (int i = 0; i < item.Count(); ++i)
        writeElement(out, *item.Items(i), level + 1, indent, device);
    out += pad + QLatin1String("</") + item.Name() + QLatin1Char('>') + eol;
}

} // namespace

// ---- TscXMLDocument

TscXMLDocument::TscXMLDocument() : m_root(std::make_unique<TscXMLItem>())
{
    m_root->m_isDocumentRoot = true;
}

TscXMLDocument::~TscXMLDocument() = default;

void TscXMLDocument::LoadFromStream(QIODevice &stream)
{
    m_root->Clear();
    m_root->SetName(QString());
    m_root->SetText(QString());
    Reader reader(stream);
    QString name, text;
    reader.readTag(name, text);
    if (!name.startsWith(QLatin1String("?xml")))
        invalidFormat();
    reader.readElement(*m_root, 1);
}

void TscXMLDocument::SaveToStream(QIODevice &stream) const
{
    QString out = QStringLiteral("<?xml version=\"1.0\"?>");
    if (m_autoIndent)
        out += QLatin1String("\r\n");
    writeElement(out, *m_root, 0, m_autoIndent, stream);
    stream.write(out.toUtf8());
}

void TscXMLDocument::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ScriptError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromStream(file);
}

void TscXMLDocument::SaveToFile(const QString &fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw ScriptError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    SaveToStream(file);
    if (!file.commit())
        throw ScriptError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
}

void TscXMLDocument::LoadFromText(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

QString TscXMLDocument::SaveToText() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    return QString::fromUtf8(bytes);
}

} // namespace bralvo::script
