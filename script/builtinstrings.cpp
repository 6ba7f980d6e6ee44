// Built-in string functions. Positions are 1-based and count characters;
// out-of-range positions and counts are clamped, never trusted.
#include "script/builtinfunctions.h"

#include "platform/collation.h"
#include "script/runtimeerror.h"
#include "script/tschelpers.h"

namespace bralvo::script {

namespace {

// Longest text SetLength may make (characters): a script asking for more
// gets a range error instead of exhausting memory.
constexpr qint64 maxTextLength = qint64(1) << 28;

QString textArg(TscMethodHelper &h, int index)
{
    return valueText(h.GetParamValue(index));
}

// The part of text from 1-based position from, at most count characters.
QString copyOf(const QString &text, qint64 from, qint64 count)
{
    if (from < 1)
        from = 1;
    if (count <= 0 || from > text.size())
        return QString();
    count = std::min<qint64>(count, text.size() - from + 1);
    return text.mid(qsizetype(from - 1), qsizetype(count));
}

Variant deleteChars(TscMethodHelper &h)
{
    QString text = textArg(h, 0);
    const qint64 from = h.GetParamValue(1).toInt64();
    qint64 count = h.GetParamValue(2).toInt64();
    if (from >= 1 && from <= text.size() && count > 0) {
        count = std::min<qint64>(count, text.size() - from + 1);
        text.remove(qsizetype(from - 1), qsizetype(count));
    }
    h.SetParamValue(0, Variant(text));
    return Variant::null();
}

Variant insertChars(TscMethodHelper &h)
{
    const QString insert = textArg(h, 0);
    QString text = textArg(h, 1);
    const qint64 pos = std::clamp<qint64>(h.GetParamValue(2).toInt64(), 1, text.size() + 1);
    text.insert(qsizetype(pos - 1), insert);
    h.SetParamValue(1, Variant(text));
    return Variant::null();
}

QString nameCase(const QString &text)
{
    QString result = text.toLower();
    if (!result.isEmpty())
        result[0] = result[0].toUpper();
    // A blank in the first position does not capitalise the second character.
    for (qsizetype i = 2; i < result.size(); ++i)
        if (result[i - 1] == u' ')
            result[i] = result[i].toUpper();
    return result;
}

QString trimmed(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].unicode() <= 32)
        ++start;
    while (end > start && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(start, end - start);
}

Variant chr(qint64 code)
{
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        throw rangeError();
    const char32_t c = char32_t(code);
    return Variant(QString::fromUcs4(&c, 1));
}

Variant ord(const QString &text)
{
    if (text.isEmpty())
        return Variant(0);
    if (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate())
        return Variant(int(QChar::surrogateToUcs4(text[0], text[1])));
    return Variant(int(text[0].unicode()));
}

Variant setLength(TscMethodHelper &h)
{
    Variant value = h.GetParamValue(0);
    const qint64 length = h.GetParamValue(1).toInt64();
    checkCount(length, maxTextLength);
    if (value.isString()) {
        QString text = value.toString();
        // New characters are blanks.
        text = length <= text.size() ? text.left(qsizetype(length))
                                     : text + QString(qsizetype(length - text.size()), u' ');
        h.SetParamValue(0, Variant(text));
    } else {
        value.redim(length - 1);
        h.SetParamValue(0, value);
    }
    return Variant::null();
}

int sign(int compared)
{
    return compared < 0 ? -1 : compared > 0 ? 1 : 0;
}

Variant length(const Variant &value)
{
    if (value.isArray())
        return Variant(int(value.highBound(1) - value.lowBound(1) + 1));
    return Variant(int(valueText(value).size()));
}

} // namespace

void checkCount(qint64 value, qint64 limit)
{
    if (value < 0 || value > limit)
        throw rangeError();
}

Variant callString(const QString &name, TscMethodHelper &h)
{
    if (name == QLatin1String("LENGTH"))
        return length(h.GetParamValue(0));
    if (name == QLatin1String("COPY"))
        return Variant(copyOf(textArg(h, 0), h.GetParamValue(1).toInt64(), h.GetParamValue(2).toInt64()));
    if (name == QLatin1String("POS")) {
        const QString sub = textArg(h, 0);
        return Variant(sub.isEmpty() ? 0 : int(textArg(h, 1).indexOf(sub) + 1));
    }
    if (name == QLatin1String("DELETE") || name == QLatin1String("DELETESTR"))
        return deleteChars(h);
    if (name == QLatin1String("INSERT"))
        return insertChars(h);
    if (name == QLatin1String("UPPERCASE"))
        return Variant(textArg(h, 0).toUpper());
    if (name == QLatin1String("LOWERCASE"))
        return Variant(textArg(h, 0).toLower());
    if (name == QLatin1String("TRIM"))
        return Variant(trimmed(textArg(h, 0)));
    if (name == QLatin1String("NAMECASE"))
        return Variant(nameCase(textArg(h, 0)));
    if (name == QLatin1String("COMPARETEXT"))
        return Variant(sign(platform::userCollator(Qt::CaseInsensitive).compare(textArg(h, 0), textArg(h, 1))));
    if (name == QLatin1String("CHR"))
        return chr(h.GetParamValue(0).toInt64());
    if (name == QLatin1String("ORD"))
        return ord(textArg(h, 0));
    return setLength(h); // SETLENGTH
}

} // namespace bralvo::script
