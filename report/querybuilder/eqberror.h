// The query builder's own error: missing references, bad model text,
// failed decompression. Carries the text shown to the user.
#pragma once

#include "platform/error.h"

namespace bralvo::report {

class EqbError : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

} // namespace bralvo::report
