// A query's rows kept compactly, column by column.
#include "db/compactrows.h"

#include "db/compactcolumn.h"
#include "db/sqltext.h"

namespace bralvo::db {

static_assert(PackedValues::kRun == PackedTexts::kRun, "every store packs its runs on the same rows");

CompactRows::CompactRows(TSQLiteDatabase &db, const QString &sql, int columns, const QSet<int> &dateColumns)
{
    for (int c = 0; c < columns; ++c)
        m_columns.push_back(std::make_unique<CompactColumn>(
            dateColumns.contains(c) ? CompactColumn::TextConversion(SqlDateToDate) : CompactColumn::TextConversion()));
    ReadRowsTyped(db, sql, [this](sqlite3_stmt *statement, const ColumnKind *kinds, int count) {
        for (int c = 0; c < int(m_columns.size()); ++c)
            m_columns[c]->append(statement, c, c < count ? kinds[c] : ColumnKind::Null);
        if (++m_rows % PackedValues::kRun == 0)
            shareRuns();
    });
    for (auto &column : m_columns)
        column->finish();
    shareRuns();
}

// Columns that repeat an earlier column (a variable symbol that is the
// bill number, a home total that is the total) keep their rows once.
void CompactRows::shareRuns()
{
    for (std::size_t c = 1; c < m_columns.size(); ++c)
        for (std::size_t earlier = 0; earlier < c; ++earlier)
            m_columns[c]->shareLastRuns(*m_columns[earlier]);
}

CompactRows::~CompactRows() = default;

QString CompactRows::text(int col, int row) const
{
    return col >= 0 && col < int(m_columns.size()) ? m_columns[col]->text(row) : QString();
}

} // namespace bralvo::db
