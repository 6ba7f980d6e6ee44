// The item row behind a one-off bill line: every stored bill line refers
// to an item, so a line typed by hand gets a retired item row of its own
// (or reuses one with the same name, code, unit and VAT text).
#pragma once

#include <QString>

namespace bralvo::db {

struct OneOffItem {
    QString name, code, unit;
    QString vatText;       // as typed ("19", "19,5")
    QString price;         // as typed (gross or net)
    QString perUnits;
};

// The id of the item row for the line. An existing row (live or retired)
// with exactly that name, code, unit and VAT text is reused; otherwise a
// new row is inserted and retired in one transaction, and only that row
// is retired (a live catalogue item of the same name stays live). Throws
// ESQLiteException (nothing written) on a database error.
QString OneOffItemId(const OneOffItem &item);

} // namespace bralvo::db
