// Reading the parser's tree while building a program: small helpers the
// builder's files share. Internal to the script layer.
#pragma once

#include "script/tscxmldocument.h"

#include <QLatin1String>
#include <QString>

namespace bralvo::script::builder {

// The element's name in lower case: grammar rules name nodes in any case.
inline QString kindOf(const TscXMLItem &e)
{
    return e.Name().toLower();
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
