// For tests of number formatting under other regional settings.
#pragma once

#include "platform/regionalsettings.h"

namespace bralvo::test {

// The default (Slovak) settings with English separators: "." before the
// decimals and "," between thousands.
inline platform::RegionalSettings englishNumbers()
{
    platform::RegionalSettings settings;
    settings.decimalSeparator = u'.';
    settings.thousandSeparator = u',';
    return settings;
}

} // namespace bralvo::test
