// The rows a provider fetched, held in memory: the client-side cursor of
// every dataset walks them. Cells are kept compactly (16 bytes, texts and
// bytes in pools) and turned into values by the fields on demand.
#pragma once

#include "report/data/tfieldtype.h"

#include <QByteArray>
#include <QList>
#include <QString>
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

    const QList<ColumnInfo> &columns() const { return m_columns; }
    ColumnInfo &column(int i) { return m_columns[i]; }
    int columnCount() const { return int(m_columns.size()); }
    int rowCount() const { return m_rowCount; }

    // Filling: a new row of Null cells, then set its cells.
    void appendRow();
    void setInteger(int col, qint64 v);
    void setReal(int col, double v);
    void setText(int col, const QString &v);
    void setBytes(int col, const QByteArray &v);

    CellKind kind(int row, int col) const { return cell(row, col).kind; }
    bool isNull(int row, int col) const { return kind(row, col) == CellKind::Null; }
    qint64 integer(int row, int col) const { return cell(row, col).i; }
    double real(int row, int col) const { return cell(row, col).d; }
    const QString &text(int row, int col) const;
    const QByteArray &bytes(int row, int col) const;

private:
    struct Cell {
        union {
            qint64 i;
            double d;
        };
        CellKind kind = CellKind::Null;
    };
    const Cell &cell(int row, int col) const { return m_cells[size_t(row) * m_columns.size() + col]; }
    Cell &last(int col) { return m_cells[size_t(m_rowCount - 1) * m_columns.size() + col]; }

    QList<ColumnInfo> m_columns;
    std::vector<Cell> m_cells;
    std::vector<QString> m_texts;
    std::vector<QByteArray> m_bytes;
    int m_rowCount = 0;
};

} // namespace bralvo::data
