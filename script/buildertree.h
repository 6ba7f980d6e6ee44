// Reading the parser's tree while building a program: small helpers the
// builder's files share. Internal to the script layer.
#pragma once

#include "script/tscxmldocument.h"

#include <QLatin1String>
#include <QString>

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
    const QString &name = e.Name();
    if (name.size() != kind.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char16_t c = name[i].unicode();
        if (c >= 0x80)
            return kindOf(e) == kind;
        if (c >= 'A' && c <= 'Z')
            c = char16_t(c - 'A' + 'a');
        if (c != char16_t(kind[i].unicode()))
            return false;
    }
    return true;
}

inline bool isKind(const TscXMLItem &e, const char *kind)
{
    return isKind(e, QLatin1String(kind));
}

// The attribute's value as it stands in the element's text, not unescaped,
// found exactly as TscXMLItem::RawProp finds it (the first ` name="`,
// ignoring case, the text's start counting as a blank): one pass over the
// short text, since the builder reads a position or a text of nearly
// every element.
inline QStringView rawAttribute(const TscXMLItem &e, QLatin1String name)
{
    const QString &text = e.Text();
    const QChar *data = text.constData();
    const qsizetype size = text.size();
    const qsizetype length = name.size();
    for (qsizetype equals = length; equals + 1 < size; ++equals) {
        if (data[equals] != QLatin1Char('=') || data[equals + 1] != QLatin1Char('"'))
            continue;
        const qsizetype at = equals - length;
        if (at > 0 && data[at - 1] != QLatin1Char(' '))
            continue;
        bool same = true;
        for (qsizetype i = 0; i < length && same; ++i) {
            char16_t c = data[at + i].unicode();
            if (c >= 0x80) {
                same = QStringView(data + at, length).compare(name, Qt::CaseInsensitive) == 0;
                break;
            }
            char16_t n = char16_t(uchar(name[i].toLatin1()));
            if (c >= 'A' && c <= 'Z')
                c = char16_t(c - 'A' + 'a');
            if (n >= 'A' && n <= 'Z')
                n = char16_t(n - 'A' + 'a');
            same = c == n;
        }
        if (!same)
            continue;
        const qsizetype start = equals + 2;
        qsizetype end = start;
        while (end < size && data[end] != QLatin1Char('"'))
            ++end;
        return QStringView(data + start, end - start);
    }
    return QStringView();
}

inline QStringView rawAttribute(const TscXMLItem &e, const char *name)
{
    return rawAttribute(e, QLatin1String(name));
}

// The attribute's value as TscXMLItem::Prop gives it (unescaped).
inline QString attributeText(const TscXMLItem &e, const char *name)
{
    const QStringView raw = rawAttribute(e, name);
    if (raw.isEmpty())
        return QString();
    return raw.contains(QLatin1Char('&')) ? XMLToStr(raw.toString()) : raw.toString();
}

// name in single quotes, as error messages show identifiers.
inline QString quoted(const QString &name)
{
    return QLatin1Char('\'') + name + QLatin1Char('\'');
}

// The first child of that name, or nullptr when there is none.
inline const TscXMLItem *childNamed(const TscXMLItem &e, const char *name)
{
    const int index = e.Find(QLatin1String(name));
    return index < 0 ? nullptr : e.Items(index);
}

} // namespace bralvo::script::builder
