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
    const platform::StringGrid::BulkUpdate bulk(grid);
    grid.setRowCount(2);
    clearRow(grid, 1);
    if (db.TableExists(tableName)) {
        // Rows are read as texts straight into one block, then the grid
        // grows once: no result table in between, no signal per row.
        const int columns = int(grid.columnCount());
        std::vector<QString> texts;
        int rows = 0;
        ReadRowsAsText(db, sql, [&](QString *cells, int count) {
            for (int c = 0; c < columns; ++c)
                texts.push_back(c < count ? std::move(cells[c]) : QString());
            ++rows;
        });
        if (rows > 0) {
            grid.setRowCount(rows + 2);
            grid.takeRows(1, texts);
        }
    }
    clearRow(grid, grid.rowCount() - 1);
}

void ConvertGridDateColumns(platform::StringGrid &grid, const QString &columns)
{
    const platform::StringGrid::BulkUpdate bulk(grid);
    for (const int column : columnList(columns)) {
        for (int row = 1; row <= grid.rowCount() - 2; ++row)
            grid.setCell(column, row, SqlDateToDate(grid.cell(column, row)));
    }
}

} // namespace bralvo::db
