// Errors of the data-access layer: bad connection strings, provider and
// SQL failures, cursor misuse. The text is what the user sees.
#pragma once

#include "platform/error.h"

namespace bralvo::data {

class DataError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

// A write asked of a dataset, or a statement that would write run to
// open one.
inline DataError readOnlyError()
{
    return DataError(QStringLiteral("dataset is read-only"));
}

} // namespace bralvo::data
