// The one error class of the database layer. Every failure of the SQLite
// access layer, the SQL helpers and the schema code is thrown as this,
// carrying the text shown to the user.
#pragma once

#include "platform/error.h"

namespace bralvo::db {

class ESQLiteException : public bralvo::Error {
public:
    using bralvo::Error::Error;
};

// The name the rest of the program uses for it.
using DbError = ESQLiteException;

} // namespace bralvo::db
