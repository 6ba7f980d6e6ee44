// Reading a dataset's statement row by row, and switching to kept rows
// when an operation needs them.
#include "report/data/tdataset.h"

#include <numeric>

namespace bralvo::data {

namespace {

bool hasUntypedColumn(const RowSet &rows)
{
    for (const ColumnInfo &c : rows.columns())
        if (c.type == ftUnknown)
            return true;
    return false;
}

// A column that held only Nulls and declared nothing reads as text.
void typeRemainingAsText(RowSet &rows)
{
    for (int c = 0; c < rows.columnCount(); ++c)
        if (rows.column(c).type == ftUnknown)
            rows.column(c).type = ftWideString;
}

} // namespace

bool TDataSet::needsAllRows() const
{
    return (m_filtered && OnFilterRecord) || !m_sort.trimmed().isEmpty();
}

// The first row decides: a sort or a filter handler needs every row, and
// so does a column whose type only a later row can tell (its first value
// is Null); the fields are made from the types known now.
std::unique_ptr<RowSet> TDataSet::startCursor(std::unique_ptr<RowCursor> cursor)
{
    const bool hasRow = cursor->step();
    auto rows = std::make_unique<RowSet>(cursor->columns());
    if (hasRow)
        cursor->read(*rows);
    if (needsAllRows() || (hasRow && hasUntypedColumn(*rows))) {
        while (cursor->step())
            cursor->read(*rows);
        typeRemainingAsText(*rows);
        return rows;
    }
    typeRemainingAsText(*rows);
    m_cursor = std::move(cursor);
    m_reached = rows->rowCount();
    m_released = false;
    return rows;
}

bool TDataSet::fetchNext()
{
    if (!m_cursor->step())
        return false;
    m_rows->clear();
    m_cursor->read(*m_rows);
    return true;
}

void TDataSet::ReleaseStatement()
{
    if (!m_cursor || m_released)
        return;
    m_cursor->rewind();
    m_released = true;
}

// The current row is still held; the statement only has to get back to it.
void TDataSet::resumeCursor()
{
    if (!m_released)
        return;
    m_released = false;
    for (int i = 0; i <= m_pos && m_cursor->step(); ++i) {
    }
}

int TDataSet::moveForward(int distance)
{
    if (m_pos < 0)
        return 0;
    resumeCursor();
    if (BeforeScroll)
        BeforeScroll(this);
    int moved = 0;
    while (moved < distance && fetchNext())
        ++moved;
    m_eof = moved < distance;
    m_bof = false;
    moveTo(m_pos + moved);
    m_reached = std::max(m_reached, m_pos + 1);
    if (moved != 0) {
        if (AfterScroll)
            AfterScroll(this);
        notifyObservers(DataChange::Scrolled);
    }
    return moved;
}

// Back to the first row: the statement runs again unless it is there.
void TDataSet::restartCursor()
{
    if (m_pos <= 0)
        return;
    m_released = false;
    m_cursor->rewind();
    m_rows->clear();
    moveTo(-1);
    if (m_cursor->step()) {
        m_cursor->read(*m_rows);
        moveTo(0);
    }
}

// Reads on to the row at Position (not behind the current one), or to
// the last row when the statement now gives fewer.
void TDataSet::skipTo(int position)
{
    resumeCursor();
    while (m_pos < position && fetchNext())
        moveTo(m_pos + 1);
}

void TDataSet::KeepRows()
{
    if (!m_cursor)
        return;
    auto rows = std::make_unique<RowSet>(m_cursor->columns());
    m_released = false;
    try {
        m_cursor->rewind();
        while (m_cursor->step())
            m_cursor->read(*rows);
    } catch (...) {
        Close();
        throw;
    }
    // The fields keep the types they were made with.
    for (int c = 0; c < rows->columnCount(); ++c)
        rows->column(c) = m_rows->columns().at(c);
    const int position = m_pos;
    m_cursor.reset();
    m_rows = std::move(rows);
    m_order.resize(size_t(m_rows->rowCount()));
    std::iota(m_order.begin(), m_order.end(), 0);
    moveTo(m_order.empty() ? -1 : std::min(position, int(m_order.size()) - 1));
    if (m_order.empty())
        m_eof = m_bof = true;
}

int TDataSet::RecordCount()
{
    KeepRows();
    return int(m_order.size());
}

int TDataSet::RowAt(int position)
{
    KeepRows();
    return m_order[size_t(position)];
}

} // namespace bralvo::data
