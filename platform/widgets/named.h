// Gives a freshly created control its objectName, which language files and
// tests find it by; returns the control so construction reads as one line.
#pragma once

#include <QLatin1String>

namespace bralvo::platform {

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace bralvo::platform
