// The error every printer operation throws: the print server cannot be
// reached, a printer refuses a job, a document cannot be written.
#pragma once

#include "platform/error.h"

namespace bralvo::platform {

class PrinterError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

} // namespace bralvo::platform
