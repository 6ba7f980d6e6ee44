// A grid of text cells addressed as (column, row), the way the windows
// think of their lists: row 0 holds the titles and is fixed, the data
// rows follow, and a hidden column is one of width -1.
//
// The cells live in a compact model of their own (StringGridModel): a
// text per cell and, for the few cells that need it, extra values by
// role. Filling many cells goes inside a BulkUpdate, which announces the
// change once instead of once per cell.
#pragma once

#include <QTableView>
#include <functional>
#include <memory>
#include <vector>

namespace bralvo::platform {

class GridRowSource;
class StringGridModel;

class StringGrid : public QTableView {
    Q_OBJECT
public:
    // Paints one cell itself and returns true, or returns false to leave
    // the cell to the default drawing. `selected` is the current row's look.
    using CellPainter =
        std::function<bool(QPainter &painter, const QRect &rect, int col, int row, bool selected)>;

    // Many cell writes announced as one change; nests.
    class BulkUpdate {
    public:
        explicit BulkUpdate(StringGrid &grid);
        ~BulkUpdate();
        BulkUpdate(const BulkUpdate &) = delete;
        BulkUpdate &operator=(const BulkUpdate &) = delete;

    private:
        StringGridModel &m_model;
    };

    explicit StringGrid(QWidget *parent = nullptr);

    int rowCount() const;
    // Cells keep their place; cells beyond a smaller size are dropped.
    void setRowCount(int rows);
    int columnCount() const;
    void setColumnCount(int columns);

    // Cell text; a cell outside the grid reads as "" and ignores writes.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    // Moves texts (row-major, columnCount() per row) into the rows from
    // firstRow on; texts past the last row are left where they are.
    void takeRows(int firstRow, std::vector<QString> &texts);
    // The grid becomes `rows` rows: the rows above firstRow keep their
    // texts, the source's rows follow (read from it, not copied), any
    // rows after them are empty. For long lists kept compactly.
    void adoptRows(int firstRow, std::unique_ptr<GridRowSource> source, int rows);
    // Each cell of the column in rows first to last becomes
    // format(row, its present text); the rows of a source are formatted
    // when they are read, so `format` must stay valid with the grid.
    void formatRows(int col, int first, int last,
                    const std::function<QString(int row, const QString &text)> &format);
    // A value of another role kept with the cell (a number beside its
    // text, a background); invalid when never set or outside the grid.
    QVariant cellData(int col, int row, int role) const;
    void setCellData(int col, int row, int role, const QVariant &value);

    // Rows above this number are titles: drawn fixed, never selected.
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int rows);

    // A width of -1 hides the column; any other width shows it.
    void setColWidth(int col, int width);
    int colWidth(int col) const;

    // The current cell's row and column (-1 when none).
    int currentRow() const;
    int currentColumn() const;
    void setCurrentCell(int row, int col);
    // The current data row (-1 when none).
    int currentRowIndex() const { return currentRow(); }
    void setCurrentRowIndex(int row);

    void setCellPainter(CellPainter painter);
    const CellPainter &cellPainter() const { return m_cellPainter; }

    // Empties every cell's text but keeps its other values and the sizes.
    void clearCells();
    // Empties every cell and forgets its other values; sizes stay.
    void clear();

signals:
    // The user clicked or double-clicked a cell.
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);

protected:
    void changeEvent(QEvent *event) override;

private:
    StringGridModel *m_model;
    int m_fixedRows = 1;
    CellPainter m_cellPainter;
};

} // namespace bralvo::platform
