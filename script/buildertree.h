// Reading the parser's tree while building a program: small helpers the
// builder's files share. Internal to the script layer.
#pragma once

#include "script/shorttexts.h"
#include "script/tscxmldocument.h"

#include <QLatin1String>
#include <QVarLengthArray>
#include <QString>

#include <limits>

namespace bralvo::script::builder {

// The element's name in lower case: grammar rules name nodes in any case.
// Asked for nearly every element, and almost every name is lower-case ASCII
// already: that case shares the name instead of converting it.
inline QString kindOf(const TscXMLItem &e)
{
    const QString &name = e.Name();
    for (const QChar c : name)
        if (c.unicode() >= 0x80 || (c.unicode() >= 'A' && c.unicode() <= 'Z'))
            return name.toLower();
    return name;
}

// Whether kindOf(e) is kind, a lower-case ASCII name: compared in place,
// since the builder asks this for nearly every element it visits.
inline bool isKind(const TscXMLItem &e, QLatin1String kind)
{
    return lowersTo(e.Name(), kind);
}

inline bool isKind(const TscXMLItem &e, const char *kind)
{
    return isKind(e, QLatin1String(kind));
}

// The attribute's value as it stands in the element's text, not unescaped
// (TscXMLItem::RawProp), for the ASCII names the builder spells as literals.
inline QStringView rawAttribute(const TscXMLItem &e, QLatin1String name)
{
    QVarLengthArray<char16_t, 16> wide(name.size());
    for (qsizetype i = 0; i < name.size(); ++i)
        wide[i] = char16_t(uchar(name[i].toLatin1()));
    return e.RawProp(QStringView(wide.constData(), wide.size()));
}

inline QStringView rawAttribute(const TscXMLItem &e, const char *name)
{
    return rawAttribute(e, QLatin1String(name));
}

// A position attribute as the element holds it: its value as it stands in
// the text ("line:column", perhaps with entities), or the numbers of an
// element that holds its attributes as values.
struct RawPosition {
    QStringView text;
    int line = 0, column = 0;
    bool isNumbers = false;

    static RawPosition numbers(int line, int column) { return {QStringView(), line, column, true}; }
    bool isEmpty() const { return !isNumbers && text.isEmpty(); }
};

// The three attributes the builder reads most. text, and pos and pos1 of
// an element holding text, each as rawAttribute gives it (a view into the
// element's text, empty when absent); the positions of an element holding
// values are in values.
struct RawAttributes {
    QStringView text;
    QStringView pos;
    QStringView pos1;
    bool fromValues = false;
    TscXMLAttributeValues values;

    RawPosition position() const
    {
        return fromValues ? RawPosition::numbers(values.line, values.column) : RawPosition{pos};
    }
    RawPosition endPosition() const
    {
        if (!fromValues)
            return RawPosition{pos1};
        return values.hasEnd ? RawPosition::numbers(values.endLine, values.endColumn) : RawPosition();
    }
};

// Writes n's decimal digits so that they end just before end; gives where
// they start. Two digits a step: positions are made by the ten thousand.
inline char16_t *writeDigitsBackwards(char16_t *end, unsigned n)
{
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536"
                                     "37383940414243444546474849505152535455565758596061626364656667686970717273"
                                     "7475767778798081828384858687888990919293949596979899";
    while (n >= 100) {
        const unsigned pair = n % 100 * 2;
        n /= 100;
        *--end = char16_t(kPairs[pair + 1]);
        *--end = char16_t(kPairs[pair]);
    }
    if (n >= 10) {
        *--end = char16_t(kPairs[n * 2 + 1]);
        *--end = char16_t(kPairs[n * 2]);
    } else {
        *--end = char16_t(u'0' + n);
    }
    return end;
}

// "line:column" made from the numbers in place, as the parser writes it:
// written backwards from the end, each digit once.
class PositionDigits {
public:
    PositionDigits(int line, int column)
    {
        prepend(unsigned(column));
        *--m_start = u':';
        prepend(unsigned(line));
    }
    QStringView view() const { return QStringView(m_start, m_chars + kSize); }

private:
    void prepend(unsigned n) { m_start = writeDigitsBackwards(m_start, n); }

    static constexpr int kSize = 24; // two numbers of up to ten digits
    char16_t m_chars[kSize];
    char16_t *m_start = m_chars + kSize;
};

// The numbers of text written as PositionDigits writes them (digits, ':',
// digits; no sign, no leading zero), so that PositionDigits gives text back
// unchanged. False for any other text.
inline bool readPositionNumbers(QStringView text, int &line, int &column)
{
    auto readNumber = [&text](qsizetype &at, int &number) {
        const qsizetype start = at;
        qint64 value = 0;
        for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
            value = value * 10 + (text[at].unicode() - u'0');
            if (value > std::numeric_limits<int>::max())
                return false;
        }
        number = int(value);
        return at > start && (at - start == 1 || text[start] != u'0');
    };
    qsizetype at = 0;
    if (!readNumber(at, line) || at >= text.size() || text[at] != u':')
        return false;
    ++at;
    return readNumber(at, column) && at == text.size();
}

namespace detail {

constexpr QStringView attributeNames[3] = {u"text", u"pos", u"pos1"};

// Reads text of the form name="value" name="value" (single blanks
// between, no '=' inside a value) attribute by attribute. There every
// `="` ends a name, so the first attribute of a name is the one RawProp
// finds. False, leaving found undefined, for any other form.
inline bool readPlainAttributes(QStringView text, QStringView (&found)[3])
{
    const char16_t *chars = text.utf16();
    const qsizetype size = text.size();
    bool done[3] = {false, false, false};
    for (qsizetype at = 0; at < size;) {
        qsizetype equals = at;
        for (; equals < size && chars[equals] != u'='; ++equals)
            if (chars[equals] == u' ' || chars[equals] == u'"')
                return false;
        if (equals + 1 >= size || chars[equals + 1] != u'"')
            return false;
        const qsizetype start = equals + 2;
        qsizetype end = start;
        for (; end < size && chars[end] != u'"'; ++end)
            if (chars[end] == u'=')
                return false;
        if (end == size)
            return false;
        const QStringView name = text.mid(at, equals - at);
        for (int n = 0; n < 3; ++n) {
            if (!done[n] && SameNameIgnoringCase(name, attributeNames[n])) {
                found[n] = text.mid(start, end - start);
                done[n] = true;
            }
        }
        if (end + 1 == size)
            return true;
        if (chars[end + 1] != u' ')
            return false;
        at = end + 2;
        if (at == size)
            return false;
    }
    return true;
}

// The general form: each name takes the first `="` RawProp would take.
inline void scanAttributes(QStringView text, QStringView (&found)[3])
{
    const char16_t *chars = text.utf16();
    const qsizetype last = text.size() - 1;
    bool done[3] = {false, false, false};
    int missing = 3;
    for (qsizetype equals = 0; equals < last && missing > 0; ++equals) {
        if (chars[equals] != u'=' || chars[equals + 1] != u'"')
            continue;
        for (int n = 0; n < 3; ++n) {
            const qsizetype at = equals - attributeNames[n].size();
            if (done[n] || at < 0 || (at > 0 && chars[at - 1] != u' ')
                || !SameNameIgnoringCase(text.mid(at, attributeNames[n].size()), attributeNames[n]))
                continue;
            const qsizetype start = equals + 2;
            qsizetype end = start;
            while (end <= last && chars[end] != u'"')
                ++end;
            found[n] = text.mid(start, end - start);
            done[n] = true;
            --missing;
        }
    }
}

} // namespace detail

// text, pos and pos1 found in one pass over the element's text, each the
// same as a search of its own by RawProp gives; or taken from the element's
// values when it holds them. Scanned by hand: the texts
// are a few dozen characters, too short for Qt's searches to pay for
// their set-up; the parser's plain form is read attribute by attribute.
inline RawAttributes rawAttributes(const TscXMLItem &e)
{
    RawAttributes attributes;
    if (e.AttributeValues(attributes.values)) {
        attributes.fromValues = true;
        attributes.text = attributes.values.text;
        return attributes;
    }
    const QStringView text(e.Text());
    QStringView found[3];
    if (!detail::readPlainAttributes(text, found)) {
        for (QStringView &value : found)
            value = QStringView();
        detail::scanAttributes(text, found);
    }
    attributes.text = found[0];
    attributes.pos = found[1];
    attributes.pos1 = found[2];
    return attributes;
}

// Whether raw holds a character reference, so that it reads otherwise
// once unescaped.
inline bool hasEntity(QStringView raw)
{
    for (const QChar c : raw)
        if (c == u'&')
            return true;
    return false;
}

namespace detail {

// The length of the reference at text[at] (an '&') when it is one of the
// two forms the parser writes, &quot; or &# and up to three digits
// naming a byte, with the character it stands for in decoded; else 0.
inline qsizetype plainReferenceAt(QStringView text, qsizetype at, char16_t &decoded)
{
    const QStringView rest = text.mid(at + 1);
    if (rest.startsWith(u"quot;")) {
        decoded = u'"';
        return 6;
    }
    if (rest.size() < 3 || rest[0] != u'#')
        return 0;
    unsigned code = 0;
    qsizetype end = 1;
    for (; end <= 3 && end < rest.size() && rest[end] >= u'0' && rest[end] <= u'9'; ++end)
        code = code * 10 + (rest[end].unicode() - u'0');
    if (end == 1 || end == rest.size() || rest[end] != u';' || code > 255)
        return 0;
    decoded = char16_t(code);
    return end + 2;
}

} // namespace detail

// raw, holding a character reference, decoded as XMLToStr decodes it.
// The parser's own references are decoded here without the copy and
// searches XMLToStr makes; any other form (and every error) is left to it.
inline QString decodedReferences(QStringView raw)
{
    QString out(raw.size(), Qt::Uninitialized);
    char16_t *const start = reinterpret_cast<char16_t *>(out.data());
    char16_t *to = start;
    for (qsizetype at = 0; at < raw.size(); ++at) {
        const char16_t c = raw[at].unicode();
        if (c != u'&') {
            *to++ = c;
            continue;
        }
        const qsizetype length = detail::plainReferenceAt(raw, at, *to++);
        if (length == 0)
            return XMLToStr(raw.toString());
        at += length - 1;
    }
    out.truncate(to - start);
    return out;
}

// raw, an attribute's value as it stands, unescaped as TscXMLItem::Prop
// would give it.
inline QString unescapedAttribute(QStringView raw)
{
    if (raw.isEmpty())
        return QString();
    // Nothing changes without an '&'.
    return hasEntity(raw) ? decodedReferences(raw) : raw.toString();
}

// The text attribute as TscXMLItem::Prop gives it, found by rawAttributes.
inline QString textAttribute(const TscXMLItem &e)
{
    return unescapedAttribute(rawAttributes(e).text);
}

// The attribute's value as TscXMLItem::Prop gives it (unescaped).
inline QString attributeText(const TscXMLItem &e, const char *name)
{
    return unescapedAttribute(rawAttribute(e, name));
}

// name in single quotes, as error messages show identifiers.
inline QString quoted(const QString &name)
{
    return QLatin1Char('\'') + name + QLatin1Char('\'');
}

// Index of the first child named name ignoring case, as TscXMLItem::Find
// gives it, or -1; compared in place instead of through a copy of name.
inline int indexOfChild(const TscXMLItem &e, QStringView name)
{
    for (int i = 0; i < e.Count(); ++i)
        if (SameNameIgnoringCase(e.Items(i)->Name(), name))
            return i;
    return -1;
}

// The first child of that name (spelt as a UTF-16 literal, u"types"), or
// nullptr when there is none.
inline const TscXMLItem *childNamed(const TscXMLItem &e, QStringView name)
{
    const int index = indexOfChild(e, name);
    return index < 0 ? nullptr : e.Items(index);
}

} // namespace bralvo::script::builder
