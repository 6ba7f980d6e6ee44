// Rows a provider fetched, held in memory. Cells are kept compactly (16
// bytes; texts as UTF-8, bytes in a pool) and turned into values by the
// fields on demand. Storage grows in fixed chunks of whole rows, so a
// large result is never copied to a bigger block while it is read, a
// row's cells lie side by side, and clear() keeps the first chunk for a
// row set that holds one row at a time.
#pragma once

#include "report/data/tfieldtype.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

namespace bralvo::data {

struct ColumnInfo {
    QString name;
    TFieldType type = ftUnknown;
    int size = 0;          // characters of a sized text column, else 0
    bool required = false;
};

enum class CellKind : quint8 { Null, Integer, Real, Text, Bytes };

class RowSet {
public:
    explicit RowSet(QList<ColumnInfo> columns);
    ~RowSet();
    RowSet(const RowSet &) = delete;
    RowSet &operator=(const RowSet &) = delete;

    const QList<ColumnInfo> &columns() const { return m_columns; }
    ColumnInfo &column(int i) { return m_columns[i]; }
    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return m_rowCount; }
    // No rows left; the columns stay.
    void clear();

    // Filling: a new row of Null cells, then set its cells.
    void appendRow();
    void setInteger(int col, qint64 v);
    void setReal(int col, double v);
    void setText(int col, const QString &v);
    void setUtf8(int col, const char *data, int length);
    void setBytes(int col, const QByteArray &v);

    CellKind kind(int row, int col) const { return cell(row, col).kind; }
    bool isNull(int row, int col) const { return kind(row, col) == CellKind::Null; }
    qint64 integer(int row, int col) const { return cell(row, col).i; }
    double real(int row, int col) const { return cell(row, col).d; }
    // Decoded on each call; empty for a cell that holds no text.
    QString text(int row, int col) const;
    // The stored UTF-8 of a text cell (empty for other cells), valid until
    // the row set is cleared or destroyed.
    QByteArrayView utf8(int row, int col) const;
    const QByteArray &bytes(int row, int col) const;

    // A cell as stored: kind, and the number, the text or the pool index.
    struct Cell {
        union {
            qint64 i; // a blob's pool index
            double d;
            const char *text;
        };
        quint32 length = 0; // of a text, in bytes
        CellKind kind = CellKind::Null;
    };
    const Cell &at(int row, int col) const { return cell(row, col); }
    // The cells of a row, in column order.
    const Cell *row(int row) const
    {
        return m_cellChunks[size_t(row) >> m_rowShift].get() + (size_t(row) & m_rowMask) * m_columnCount;
    }

private:
    static constexpr size_t kCellsPerChunk = 4096; // 64 KiB
    static constexpr size_t kTextChunk = 64 * 1024;

    const Cell &cell(int r, int col) const { return row(r)[col]; }
    Cell &last(int col) { return m_lastRow[col]; }
    const char *storeText(const char *data, size_t length);

    QList<ColumnInfo> m_columns;
    size_t m_columnCount;
    size_t m_rowShift = 0; // a chunk holds 1 << m_rowShift rows
    size_t m_rowMask = 0;
    std::vector<std::unique_ptr<Cell[]>> m_cellChunks;
    Cell *m_lastRow = nullptr;
    // Texts: filled chunk by chunk; a long text gets a block of its own.
    std::vector<std::unique_ptr<char[]>> m_textChunks;
    size_t m_textUsed = kTextChunk; // in the last chunk
    std::vector<std::unique_ptr<char[]>> m_longTexts;
    std::deque<QByteArray> m_bytes;
    int m_rowCount = 0;
};

} // namespace bralvo::data
