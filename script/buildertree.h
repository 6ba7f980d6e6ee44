// Reading the parser's tree while building a program: small helpers the
// builder's files share. Internal to the script layer.
#pragma once

#include "script/tscxmldocument.h"

#include <QLatin1String>
#include <QVarLengthArray>
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

// The attribute's value as TscXMLItem::Prop gives it (unescaped).
inline QString attributeText(const TscXMLItem &e, const char *name)
{
    const QStringView raw = rawAttribute(e, name);
    return raw.isEmpty() ? QString() : XMLToStr(raw.toString());
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
