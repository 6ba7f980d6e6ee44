// The error class of the report library; it carries the user's text.
#pragma once

#include "platform/error.h"

namespace bralvo::report {

class ReportError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

} // namespace bralvo::report
