// The script engine's small XML tree: grammar documents and the
// intermediate program are kept in it, and scripts build and walk such
// trees themselves. An element has a name, one unparsed attribute text and
// child elements; character data between tags is not kept. Elements the
// parser writes may hold their few attributes as values instead (see
// TscXMLItem::SetTokenValues): they read as text all the same.
//
// Reading rules: comments are skipped, a missing closing tag at the end of
// the input is accepted, the closing tag's case is ignored. Malformed input
// (no "<?xml" header, "<" inside a tag, input ending inside a tag, a closing
// tag that does not match, nesting deeper than kMaxDepth) raises ScriptError
// "Invalid file format". Files are UTF-8 on writing; reading decodes UTF-8,
// else Windows-1250.
#pragma once

#include "platform/handleregistry.h"
#include "script/blockpool.h"
#include "script/childlist.h"

#include <QString>
#include <QVarLengthArray>
#include <cstddef>
#include <memory>
#include <new>
#include <vector>

class QIODevice;

namespace bralvo::script {

// Attribute-value escaping. StrToXML writes LF, CR, '"', '<', '>' and '&'
// as decimal references ("&#10;"); "&quot;" becomes "&#34;".
QString StrToXML(const QString &text);
// StrToXML's result appended to out: for writers that keep it elsewhere and
// need no QString of their own.
using XMLEscapeBuffer = QVarLengthArray<QChar, 128>;
void AppendStrToXML(QStringView text, XMLEscapeBuffer &out);
// True when StrToXML would change text.
bool NeedsXMLEscape(QStringView text);
// The inverse: "&#N;" becomes character N and "&quot;" a double quote; any
// other '&' stays. A reference with non-digits or one that does not fit an
// integer raises platform::ConversionError ("'N' is not a valid integer
// value"); one above 255 raises ScriptError ("Invalid character reference:
// &#N;"); one without ';' is left as is.
QString XMLToStr(const QString &text);

// Whether two element or attribute names are equal ignoring case, as Qt
// compares them (by case folding, which maps a few non-ASCII characters,
// the long s and the Kelvin sign, onto ASCII letters). Names are nearly
// always ASCII and are compared in place; texts of different lengths never
// are equal.
inline bool SameNameIgnoringCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if ((x | y) >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) == 0;
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

// The attributes of an element that holds them as values: a token's text
// value with its position (text="value" pos="line:column"), or a node's
// position and, for a range, its end (pos="l:c" pos1="l:c").
struct TscXMLAttributeValues {
    // The text value as it stands in the attribute text (StrToXML'd);
    // absent for a node.
    QStringView text;
    bool hasText = false;
    int line = 0, column = 0;
    bool hasEnd = false;
    int endLine = 0, endColumn = 0;
};

// Elements and documents are handle targets, so scripts hold them safely:
// a handle of an element that was destroyed raises instead of crashing.
class TscXMLItem : public platform::HandleTarget {
public:
    // An element made while an arena stands came from it (see operator
    // new). Inline, as is operator new: elements are made by the ten
    // thousand.
    TscXMLItem()
        : m_isDocumentRoot(false), m_fromArena(detail::t_elementArena != nullptr), m_shape(Shape::Text), m_line(0),
          m_column(0), m_endLine(0), m_endColumn(0)
    {
    }
    // Destroys the children first, then leaves the parent's list.
    ~TscXMLItem() override;
    QString scriptClassName() const override { return QStringLiteral("TscXMLItem"); }
    TscXMLItem(const TscXMLItem &) = delete;
    TscXMLItem &operator=(const TscXMLItem &) = delete;
    // Compiling a program makes and drops elements by the ten thousand:
    // they come from the block pool (script/blockpool.h), or from the
    // arena of an ArenaScope standing on the thread.
    static void *operator new(std::size_t size)
    {
        if (blockpool::Arena *arena = detail::t_elementArena)
            return arena->take(size);
        return blockpool::take(size);
    }
    // Destroys the element and returns its block where it came from.
    static void operator delete(TscXMLItem *item, std::destroying_delete_t, std::size_t size) noexcept;
    // Only for a construction that failed, where the block was just taken.
    static void operator delete(void *block, std::size_t size) noexcept;

    // While one stands, elements made on this thread come from arena; the
    // elements must go before the arena does. Scopes nest.
    class ArenaScope {
    public:
        explicit ArenaScope(blockpool::Arena *arena);
        ~ArenaScope();
        ArenaScope(const ArenaScope &) = delete;
        ArenaScope &operator=(const ArenaScope &) = delete;

    private:
        blockpool::Arena *m_previous;
    };

    const QString &Name() const { return *reinterpret_cast<const QString *>(m_name & ~kNameFlags); }
    // Keeps a copy of name.
    void SetName(const QString &name);
    // Keeps name itself, which must last as long as the process: the
    // parser names every element it writes with the grammar's permanent
    // names, and an element is a word smaller for not holding a QString.
    void SetPermanentName(const QString &name)
    {
        if (m_name & kOwnName)
            dropOwnName();
        setNamePointer(reinterpret_cast<quintptr>(&name));
    }
    // The attribute text as it stands in the tag: text="program" node="x".
    // An element holding values makes its text at the first reading and
    // holds the text from then on. That changes the element inside a const
    // call, which is safe only because elements shared between threads
    // (the grammar documents) are read from text and never hold values.
    const QString &Text() const
    {
        if (m_shape != Shape::Text)
            settleText();
        return m_textData ? *textHolder() : s_noText;
    }
    void SetText(const QString &text) { setOwnText(QString(text)); }
    void SetText(QString &&text) { setOwnText(std::move(text)); }
    // Sets the attributes to text="value" pos="line:column" (value already
    // StrToXML'd), kept as values when they read back the same: the
    // parser writes one such element per token, and the builder reads
    // the values without scanning a text. Others become the text. value
    // may be raw data (QString::fromRawData) over storage that outlives the
    // element, as the parser's tokens view its source: Assign copies it.
    void SetTokenValues(QString value, int line, int column)
    {
        // Inline: the parser writes one per token. The rare rest is text.
        if (!fitsValues(line, column) || !valueReadsPlainly(value) || value.size() >= kLongestTokenValue) {
            setTokenText(value, line, column);
            return;
        }
        releaseText();
        const qsizetype length = value.size();
        const bool owned = value.data_ptr().d_ptr() != nullptr; // else raw data the element only views
        m_textData = owned ? static_cast<const void *>(makeText(std::move(value))) : value.data_ptr().data();
        setValues(Shape::Token, line, column);
        setTokenLength(length, owned);
    }
    // The same for pos="line:column".
    void SetNodeValues(int line, int column)
    {
        if (!fitsValues(line, column)) {
            setPositionText(line, column);
            return;
        }
        releaseText();
        setValues(Shape::Node, line, column);
    }
    // The same for pos="line:column" pos1="endLine:endColumn".
    void SetNodeValues(int line, int column, int endLine, int endColumn)
    {
        if (!fitsValues(line, column) || !fitsValues(endLine, endColumn)) {
            setRangeText(line, column, endLine, endColumn);
            return;
        }
        releaseText();
        setValues(Shape::Range, line, column);
        m_endLine = quint64(endLine);
        m_endColumn = quint64(endColumn);
    }
    // False for an element that holds its attributes as text.
    bool AttributeValues(TscXMLAttributeValues &values) const
    {
        if (m_shape == Shape::Text)
            return false;
        values.hasText = m_shape == Shape::Token;
        values.text = values.hasText ? tokenValue() : QStringView();
        values.line = int(m_line);
        values.column = int(m_column);
        values.hasEnd = m_shape == Shape::Range;
        values.endLine = values.hasEnd ? int(m_endLine) : 0;
        values.endColumn = values.hasEnd ? int(m_endColumn) : 0;
        return true;
    }
    // Free for the tree's user; copied by Assign, never written to files.
    // Kept beside the element, not in it: scripts set it now and then, and
    // the parser's elements never.
    qint64 Data() const { return m_name & kHasData ? storedData() : 0; }
    void SetData(qint64 data);

    TscXMLItem *Parent() const { return m_parent; }
    // Topmost ancestor (this element when it has no parent).
    TscXMLItem *Root();

    int Count() const { return int(m_children.size()); }
    // Child at 0-based index; throws ScriptError "List index out of bounds".
    // Inline: the builder walks every element's children through here.
    TscXMLItem *Items(int index) const
    {
        if (index < 0 || index >= Count())
            throwIndexOutOfBounds(index);
        return m_children[size_t(index)];
    }
    // Destroys all children.
    void Clear();
    // Clear for a tree whose arena goes right after (no other arena
    // standing): elements drawn from it that hold nothing else (no handle,
    // own name, data, text of their own or list outside the arena) are left
    // to it instead of being destroyed one by one. How a parser drops its
    // intermediate program.
    void ClearBeforeArenaEnds();
    // New empty child appended; owned by this element.
    TscXMLItem *Add();
    // Appends an element: one that has a parent is moved from its parent's
    // list; one without a parent must have been created with new and passes
    // into this element's ownership. Adding this element, one of its
    // ancestors or a document's root raises ScriptError.
    void AddItem(TscXMLItem *item);
    // AddItem, then moves the element to position index (clamped).
    void InsertItem(int index, TscXMLItem *item);
    // Moves the children from index on, in order, to the end of target's
    // list (target must not lie among them). For building trees in bulk.
    void MoveChildrenTo(int index, TscXMLItem &target);
    // A new child that takes the place of the children from index on, which
    // become its children in order (none when index is past the last).
    // How a parser wraps what a rule wrote into the rule's element.
    TscXMLItem *WrapChildrenFrom(int index);
    // Destroys the children from index on.
    void DeleteChildrenFrom(int index);
    // Index of the first child named so (ignoring case), or -1.
    int Find(const QString &name) const;
    // The first child named so, or a new child with that name appended.
    TscXMLItem *FindItem(const QString &name);

    // One attribute of Text: empty when absent; the value is XMLToStr'd.
    QString Prop(const QString &name) const;
    // The same attribute's value as it stands in Text, not unescaped: for
    // readers that compare more often than they keep.
    QStringView RawProp(QStringView name) const;
    // Replaces the attribute in place or appends it; the value is StrToXML'd.
    void SetProp(const QString &name, const QString &value);

    // Clears, then copies Name, Text, Data and copies of all children of
    // source (a token value over raw data gets storage of its own);
    // nullptr only clears. Assigning an ancestor of this element
    // copies the ancestor's tree as it was before the call.
    void Assign(const TscXMLItem *source);

private:
    friend class TscXMLDocument;
    // Takes the child out of the list; it has no parent afterwards.
    void detachChild(TscXMLItem *child);
    // Deletes the elements in [items, end), which are left dangling there.
    static void deleteItems(TscXMLItem *const *items, TscXMLItem *const *end) noexcept;
    // Where this element's list grows: the standing arena for an element
    // drawn from one, else the block pool.
    blockpool::Arena *listArena() const { return m_fromArena ? detail::t_elementArena : nullptr; }
    void copyFrom(const TscXMLItem &source);
    void copyAttributesFrom(const TscXMLItem &source);
    void settleText() const;
    void dropOwnName() noexcept;
    // Whether the element's end is only its block going back to its arena.
    bool endsWithArena() const
    {
        // Under the address sanitizer an arena's blocks are heap blocks.
        return blockpool::detail::kPoolBlocks && m_fromArena && !(m_name & kNameFlags) && !ownsText()
            && m_children.leftToArena() && !hasHandle();
    }
    void setNamePointer(quintptr name) { m_name = name | (m_name & kHasData); }
    qint64 storedData() const;
    void dropData() noexcept;
    void copyNameFrom(const TscXMLItem &source);
    [[noreturn]] static void throwIndexOutOfBounds(int index);
    void setTokenText(const QString &value, int line, int column);
    void setPositionText(int line, int column);
    void setRangeText(int line, int column, int endLine, int endColumn);

    // The token's text value, empty but not null when the text is empty,
    // as a value found in a text is.
    QStringView tokenValue() const
    {
        const qsizetype length = tokenLength();
        if (!m_textData || length == 0)
            return tokenOwned() && !textHolder()->isNull() ? QStringView(*textHolder()) : QStringView(u"", 0);
        const QChar *const chars =
            tokenOwned() ? textHolder()->constData() : static_cast<const QChar *>(m_textData);
        return QStringView(chars, length);
    }

    // How the attributes are held: as text, or as values packed below with
    // the token's text value (Token) or nothing more (Node, Range).
    enum class Shape : quint8 { Text, Token, Node, Range };
    void setValues(Shape shape, int line, int column)
    {
        m_shape = shape;
        m_line = quint64(line);
        m_column = quint64(column);
    }
    static constexpr int kLineBits = 17;
    static constexpr int kColumnBits = 13;
    // Negative numbers read as large ones and do not fit either.
    static bool fitsValues(int line, int column)
    {
        return unsigned(line) < (1u << kLineBits) && unsigned(column) < (1u << kColumnBits);
    }
    // Whether RawProp finds, in text="value" pos=..., each attribute where
    // it stands and nothing else. An escaped value holds no '"', and can
    // fake a name only when a blank and a closing '=' make it end like
    // ` name=`.
    static bool valueReadsPlainly(QStringView value)
    {
        Q_ASSERT(!value.contains(u'"'));
        return value.isEmpty() || value.back() != u'=' || !value.contains(u' ');
    }

    // The name: a permanent QString, or with kOwnName one of the element's
    // own (allocated by SetName). Never null: no name is s_noName. The
    // pointer's spare bit kHasData: Data() is not 0.
    static constexpr quintptr kOwnName = 1;
    static constexpr quintptr kHasData = 2;
    static constexpr quintptr kNameFlags = kOwnName | kHasData;
    static const QString s_noName;
    quintptr m_name = reinterpret_cast<quintptr>(&s_noName);
    // What holds the attributes (see Shape): for Text an own QString, or
    // nullptr for none (s_noText); for Token the value's characters, or
    // with tokenOwned() an own QString holding them.
    mutable const void *m_textData = nullptr;
    static const QString s_noText;
    const QString *textHolder() const { return static_cast<const QString *>(m_textData); }
    // Own texts come from the block pool.
    static QString *makeText(QString &&text);
    static void dropText(const QString *text) noexcept;
    void setOwnText(QString &&text);
    // A Token's length and whether it owns its QString, kept in the bits
    // only a Range uses (m_endLine above the length's low 12 bits in
    // m_endColumn, beside the flag): an element is a word smaller.
    static constexpr qsizetype kLongestTokenValue = qsizetype(1) << 29;
    qsizetype tokenLength() const { return qsizetype(quint32(m_endLine) << 12 | quint32(m_endColumn) >> 1); }
    bool tokenOwned() const { return m_shape == Shape::Token && (m_endColumn & 1); }
    void setTokenLength(qsizetype length, bool owned)
    {
        m_endLine = quint64(length) >> 12;
        m_endColumn = (quint64(length) & 0xfff) << 1 | (owned ? 1 : 0);
    }
    bool ownsText() const { return m_shape == Shape::Text ? m_textData != nullptr : tokenOwned(); }
    void releaseText() noexcept
    {
        if (ownsText())
            dropText(textHolder());
        m_textData = nullptr;
    }
    TscXMLItem *m_parent = nullptr;
    // Packed into the word the flag had to itself: elements are made by
    // the ten thousand. Positions that do not fit stay text.
    bool m_isDocumentRoot : 1;
    bool m_fromArena : 1;
    mutable Shape m_shape : 2;
    quint64 m_line : kLineBits;
    quint64 m_column : kColumnBits;
    quint64 m_endLine : kLineBits;
    quint64 m_endColumn : kColumnBits;
    // The children are owned, as plain pointers: moving them between lists
    // is then copying words, and a list goes without visiting each entry.
    ChildList m_children;
};

class TscXMLDocument : public platform::HandleTarget {
public:
    // Deepest element nesting the reader accepts.
    static constexpr int kMaxDepth = 2048;

    TscXMLDocument();
    ~TscXMLDocument() override;
    QString scriptClassName() const override { return QStringLiteral("TscXMLDocument"); }

    // The top-level element: after loading, the first element after the
    // header, with its children.
    TscXMLItem *Root() const { return m_root.get(); }
    bool AutoIndent() const { return m_autoIndent; }
    void SetAutoIndent(bool on) { m_autoIndent = on; }

    // Reads from the device's current position; afterwards the device
    // stands just after the last byte used. Throws ScriptError.
    void LoadFromStream(QIODevice &stream);
    void SaveToStream(QIODevice &stream) const;
    // Throws ScriptError "Cannot open file \"name\"" when it cannot.
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;
    // The same over text in memory.
    void LoadFromText(const QString &text);
    QString SaveToText() const;

private:
    std::unique_ptr<TscXMLItem> m_root;
    bool m_autoIndent = false;
};

} // namespace bralvo::script
