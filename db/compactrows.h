// The rows of a query kept compactly for a grid that lists many of them:
// each column holds its values as numbers or as bytes, once per distinct
// value while values repeat, and turns every cell into the text that
// FieldAsString would give only when the cell is read. Listed date
// columns are stored already turned from "yyyy-mm-dd" into "dd.mm.yyyy".
// A column that repeats an earlier one row for row (a variable symbol
// that is the bill number) shares its stored runs instead of a copy.
#pragma once

#include "db/tsqlitetable.h"
#include "platform/widgets/gridrowsource.h"

#include <QSet>
#include <memory>
#include <vector>

namespace bralvo::db {

class CompactColumn;

class CompactRows : public platform::GridRowSource {
public:
    // Runs the query (errors as ReadRowsAsText) and keeps the first
    // `columns` columns of every row; a column the result lacks reads "".
    CompactRows(TSQLiteDatabase &db, const QString &sql, int columns, const QSet<int> &dateColumns);
    ~CompactRows() override;

    int rowCount() const override { return m_rows; }
    QString text(int col, int row) const override;

private:
    void shareRuns();

    std::vector<std::unique_ptr<CompactColumn>> m_columns;
    int m_rows = 0;
};

} // namespace bralvo::db
