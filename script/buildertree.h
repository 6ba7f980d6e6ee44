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
