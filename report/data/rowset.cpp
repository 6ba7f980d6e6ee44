#include "report/data/rowset.h"

namespace bralvo::data {

RowSet::RowSet(QList<ColumnInfo> columns) : m_columns(std::move(columns)) {}

void RowSet::appendRow()
{
    const size_t columns = size_t(m_columns.size());
    if (m_cells.size() + columns > m_cells.capacity())
        m_cells.reserve(std::max<size_t>(1024, m_cells.capacity() * 2));
    for (size_t c = 0; c < columns; ++c)
        m_cells.emplace_back();
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
    const QByteArray utf8 = v.toUtf8();
    setUtf8(col, utf8.constData(), int(utf8.size()));
}

void RowSet::setUtf8(int col, const char *data, int length)
{
    Cell &c = last(col);
    c.kind = CellKind::Text;
    c.i = qint64(m_arena.size());
    c.length = quint32(length);
    if (m_arena.size() + size_t(length) > m_arena.capacity())
        m_arena.reserve(std::max<size_t>(4096, (m_arena.capacity() + size_t(length)) * 2));
    m_arena.insert(m_arena.end(), data, data + length);
}

void RowSet::setBytes(int col, const QByteArray &v)
{
    Cell &c = last(col);
    c.kind = CellKind::Bytes;
    c.i = qint64(m_bytes.size());
    m_bytes.push_back(v);
}

QString RowSet::text(int row, int col) const
{
    const Cell &c = cell(row, col);
    if (c.kind != CellKind::Text)
        return QString();
    return QString::fromUtf8(m_arena.data() + c.i, qsizetype(c.length));
}

const QByteArray &RowSet::bytes(int row, int col) const
{
    static const QByteArray empty;
    const Cell &c = cell(row, col);
    return c.kind == CellKind::Bytes ? m_bytes[size_t(c.i)] : empty;
}

} // namespace bralvo::data
