// Errors of the text conversions and formatting routines: a text that is
// not a number or a date, a format that does not fit its arguments.
#pragma once

#include "platform/error.h"

namespace bralvo::platform {

// A text that cannot be read as the value asked for ("'abc' is not a valid
// floating point value").
class ConversionError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

// A format string whose directives do not fit the arguments given
// ("Format '%d' invalid or incompatible with argument").
class FormatError : public ConversionError {
public:
    using ConversionError::ConversionError;
};

} // namespace bralvo::platform
