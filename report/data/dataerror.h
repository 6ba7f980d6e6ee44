// Errors of the data-access layer: bad connection strings, provider and
// SQL failures, cursor misuse. The text is what the user sees.
#pragma once

#include "platform/error.h"

namespace bralvo::data {

class DataError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

} // namespace bralvo::data
