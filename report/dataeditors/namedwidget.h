// Gives a widget the object name tests and language files find it by.
#pragma once

#include <QString>

namespace bralvo::report {

template <class W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace bralvo::report
