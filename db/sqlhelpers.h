// Running statements into the program's lists and grids, and creating a
// table when it is missing. Errors of the statements propagate as
// ESQLiteException.
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::platform { class StringGrid; }

namespace bralvo::db {

class TSQLiteDatabase;

// Runs the query, then empties the list and adds the field of every row in
// result order ("" where the field cannot be read). When the query fails
// the list is left untouched.
void FillListFromSql(TSQLiteDatabase &db, const QString &sql, const QString &fieldName,
                     QStringList &list);

// Whether the table existed; when it did not, runs the CREATE statement.
bool EnsureTable(TSQLiteDatabase &db, const QString &tableName, const QString &createSql);

// The grid becomes: row 0 (the caller's titles, untouched), one row per
// result row with result column c in grid column c (columns beyond the
// grid's are dropped), and one empty last row (the forms' totals row).
// A missing table gives the titles and one empty row, without running the
// query. When the query fails the grid is left with two rows.
void FillGridFromSql(TSQLiteDatabase &db, const QString &tableName, const QString &sql,
                     platform::StringGrid &grid);

// Rewrites the listed columns ("2" or "0;3") of rows 1 to rowCount-2 from
// "yyyy-mm-dd" to "dd.mm.yyyy" (SqlDateToDate); the title row and the last
// row are left alone, an empty list does nothing. Throws ESQLiteException
// "Invalid column list: <list>" when an entry is not a column number.
void ConvertGridDateColumns(platform::StringGrid &grid, const QString &columns);

} // namespace bralvo::db
