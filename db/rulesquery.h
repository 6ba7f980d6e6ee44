// Small query shortcuts shared by the lookups, rights, retiring and bill
// helper routines. Internal to the database layer: windows call the
// routines built on them, never these.
#pragma once

#include <QString>
#include <memory>

namespace bralvo::db {

class TSQLiteDatabase;
class TSQLiteTable;

namespace rules {

// The program's connection. Throws ESQLiteException "Database is not
// open" while DbOpen is false or there is no connection, instead of
// touching a null connection.
TSQLiteDatabase &connection();

// Whether the query finds at least one row.
bool queryHasRow(const QString &sql);
// How many rows the query finds.
int queryRowCount(const QString &sql);
// ReadFieldStr of the field on the first row; defaultValue when the query
// finds nothing or the field cannot be read.
QString queryFirstField(const QString &sql, const QString &fieldName,
                        const QString &defaultValue = QString());

// "SELECT * FROM <table> WHERE id = <id>", on its row; nullptr when the
// id is "" or "NULL" (no query is made) or no row has it. Throws
// ESQLiteException for an id that is no number.
std::unique_ptr<TSQLiteTable> rowById(const char *table, const QString &idText);

// Exactly four ASCII digits. strftime('%Y', ...) only ever gives such a
// text, so any other year can match no bill and needs no query.
bool isYearText(const QString &year);

// "2" for an advance bill, "1" for a bill (faktury.typ).
QString billTypeText(bool isAdvance);

} // namespace rules
} // namespace bralvo::db
