// Statements into lists and grids; creating missing tables.
#include "db/sqlhelpers.h"

#include "db/esqliteexception.h"
#include "db/fieldreaders.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/widgets/stringgrid.h"

#include <algorithm>

namespace bralvo::db {

namespace {

void clearRow(platform::StringGrid &grid, int row)
{
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setCell(c, row, QString());
}

QList<int> columnList(const QString &columns)
{
    QList<int> result;
    for (const QString &entry : columns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int column = entry.trimmed().toInt(&ok);
        if (!ok || column < 0)
            throw ESQLiteException(QStringLiteral("Invalid column list: ") + columns);
        result << column;
    }
    return result;
}

} // namespace

void FillListFromSql(TSQLiteDatabase &db, const QString &sql, const QString &fieldName,
                     QStringList &list)
{
    const auto table = db.GetTable(sql);
    list.clear();
    for (table->MoveFirst(); !table->IsEof(); table->NextRow())
        list << ReadFieldStr(*table, fieldName, QString());
}

bool EnsureTable(TSQLiteDatabase &db, const QString &tableName, const QString &createSql)
{
    if (db.TableExists(tableName))
        return true;
    db.ExecSql(createSql);
    return false;
}

void FillGridFromSql(TSQLiteDatabase &db, const QString &tableName, const QString &sql,
                     platform::StringGrid &grid)
{
    grid.setRowCount(2);
    clearRow(grid, 1);
    if (db.TableExists(tableName)) {
        const auto table = db.GetTable(sql);
        if (table->MoveFirst()) {
            grid.setRowCount(table->RowCount() + 2);
            const int columns = std::min(table->ColumnCount(), int(grid.columnCount()));
            for (int row = 1; !table->IsEof(); table->NextRow(), ++row) {
                for (int c = 0; c < columns; ++c)
                    grid.setCell(c, row, table->FieldAsString(c));
            }
        }
    }
    clearRow(grid, grid.rowCount() - 1);
}

void ConvertGridDateColumns(platform::StringGrid &grid, const QString &columns)
{
    for (const int column : columnList(columns)) {
        for (int row = 1; row <= grid.rowCount() - 2; ++row)
            grid.setCell(column, row, SqlDateToDate(grid.cell(column, row)));
    }
}

} // namespace bralvo::db
