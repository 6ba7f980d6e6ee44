// A value outside the range a routine can handle, such as a day count
// beyond the years 1..9999.
#pragma once

#include "platform/error.h"

namespace bralvo::platform {

class RangeError : public bralvo::Error {
public:
    RangeError() : bralvo::Error(QStringLiteral("Range check error")) {}
};

} // namespace bralvo::platform
