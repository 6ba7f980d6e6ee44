#include "report/data/rowset.h"

namespace bralvo::data {

RowSet::RowSet(QList<ColumnInfo> columns) : m_columns(std::move(columns)) {}

void RowSet::appendRow()
{
    m_cells.resize(m_cells.size() + m_columns.size(), Cell{});
    ++m_rowCount;
}

void RowSet::setInteger(int col, qint64 v)
{
    Cell &c = last(col);
    c.kind = CellKind::Integer;
    c.i = v;
}

void RowSet::setReal(int col, double v)
{
    Cell &c = last(col);
    c.kind = CellKind::Real;
    c.d = v;
}

void RowSet::setText(int col, const QString &v)
{
    Cell &c = last(col);
    c.kind = CellKind::Text;
    c.i = qint64(m_texts.size());
    m_texts.push_back(v);
}

void RowSet::setBytes(int col, const QByteArray &v)
{
    Cell &c = last(col);
    c.kind = CellKind::Bytes;
    c.i = qint64(m_bytes.size());
    m_bytes.push_back(v);
}

const QString &RowSet::text(int row, int col) const
{
    static const QString empty;
    const Cell &c = cell(row, col);
    return c.kind == CellKind::Text ? m_texts[size_t(c.i)] : empty;
}

const QByteArray &RowSet::bytes(int row, int col) const
{
    static const QByteArray empty;
    const Cell &c = cell(row, col);
    return c.kind == CellKind::Bytes ? m_bytes[size_t(c.i)] : empty;
}

} // namespace bralvo::data
