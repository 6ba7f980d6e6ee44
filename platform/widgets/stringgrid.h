// A grid of text cells addressed as (column, row), the way the windows
// think of their lists: row 0 holds the titles and is fixed, the data
// rows follow, and a hidden column is one of width -1.
#pragma once

#include <QTableWidget>
#include <functional>

namespace bralvo::platform {

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    // Paints one cell itself and returns true, or returns false to leave
    // the cell to the default drawing. `selected` is the current row's look.
    using CellPainter =
        std::function<bool(QPainter &painter, const QRect &rect, int col, int row, bool selected)>;

    explicit StringGrid(QWidget *parent = nullptr);

    // Cell text; a cell outside the grid reads as "" and ignores writes.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);

    // Rows above this number are titles: drawn fixed, never selected.
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int rows);

    // A width of -1 hides the column; any other width shows it.
    void setColWidth(int col, int width);
    int colWidth(int col) const;

    // The current data row (-1 when none).
    int currentRowIndex() const { return currentRow(); }
    void setCurrentRowIndex(int row);

    void setCellPainter(CellPainter painter);
    const CellPainter &cellPainter() const { return m_cellPainter; }

    // Empties every cell but keeps the row and column counts.
    void clearCells();

private:
    int m_fixedRows = 1;
    CellPainter m_cellPainter;
};

} // namespace bralvo::platform
