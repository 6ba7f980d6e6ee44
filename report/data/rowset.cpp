#include "report/data/rowset.h"

#include <cstring>

namespace bralvo::data {

RowSet::RowSet(QList<ColumnInfo> columns) : m_columns(std::move(columns)), m_columnCount(size_t(m_columns.size()))
{
    while ((size_t(2) << m_rowShift) * std::max<size_t>(m_columnCount, 1) <= kCellsPerChunk)
        ++m_rowShift;
    m_rowMask = (size_t(1) << m_rowShift) - 1;
}

RowSet::~RowSet() = default;

void RowSet::clear()
{
    if (m_cellChunks.size() > 1)
        m_cellChunks.resize(1);
    m_lastRow = nullptr;
    if (!m_textChunks.empty()) {
        m_textChunks.resize(1);
        m_textUsed = 0;
    }
    if (!m_longTexts.empty())
        m_longTexts.clear();
    if (!m_bytes.empty())
        m_bytes.clear();
    m_rowCount = 0;
}

void RowSet::appendRow()
{
    const size_t r = size_t(m_rowCount);
    if ((r >> m_rowShift) >= m_cellChunks.size())
        m_cellChunks.push_back(std::make_unique<Cell[]>((m_rowMask + 1) * m_columnCount));
    m_lastRow = m_cellChunks[r >> m_rowShift].get() + (r & m_rowMask) * m_columnCount;
    for (size_t c = 0; c < m_columnCount; ++c) {
        m_lastRow[c].i = 0;
        m_lastRow[c].length = 0;
        m_lastRow[c].kind = CellKind::Null;
    }
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

const char *RowSet::storeText(const char *data, size_t length)
{
    if (length == 0)
        return nullptr;
    if (length > kTextChunk / 4) {
        m_longTexts.push_back(std::unique_ptr<char[]>(new char[length]));
        std::memcpy(m_longTexts.back().get(), data, length);
        return m_longTexts.back().get();
    }
    if (m_textUsed + length > kTextChunk) {
        m_textChunks.push_back(std::unique_ptr<char[]>(new char[kTextChunk]));
        m_textUsed = 0;
    }
    char *at = m_textChunks.back().get() + m_textUsed;
    std::memcpy(at, data, length);
    m_textUsed += length;
    return at;
}

void RowSet::setUtf8(int col, const char *data, int length)
{
    const char *stored = storeText(data, size_t(std::max(length, 0)));
    Cell &c = last(col);
    c.kind = CellKind::Text;
    c.text = stored;
    c.length = quint32(std::max(length, 0));
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
    return QString::fromUtf8(c.text, qsizetype(c.length));
}

QByteArrayView RowSet::utf8(int row, int col) const
{
    const Cell &c = cell(row, col);
    if (c.kind != CellKind::Text)
        return QByteArrayView();
    return QByteArrayView(c.text, qsizetype(c.length));
}

const QByteArray &RowSet::bytes(int row, int col) const
{
    static const QByteArray empty;
    const Cell &c = cell(row, col);
    return c.kind == CellKind::Bytes ? m_bytes[size_t(c.i)] : empty;
}

} // namespace bralvo::data
