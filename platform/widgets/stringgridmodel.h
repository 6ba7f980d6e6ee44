// The cells of a StringGrid: one text per cell, kept row-major in one
// block, and the few cells that carry more (a number beside the text, a
// background) in a side table. Rows above fixedRows() are titles: bold,
// in the title brush, enabled but never selectable or editable.
//
// A block of rows may instead come from a GridRowSource (adoptRows): its
// cells are read from it, a cell written afterwards is kept on the side,
// and a column formatted (formatRows) is formatted as it is read. Any
// change of size or wholesale clearing turns the grid back into texts.
//
// Changes made inside a bulk update (beginBulk/endBulk, nested) send no
// signal per cell; the outermost endBulk announces the whole grid once.
// Outside it every changed cell is announced with dataChanged.
#pragma once

#include <QAbstractTableModel>
#include <QBrush>
#include <QHash>
#include <QMap>
#include <functional>
#include <memory>
#include <vector>

namespace bralvo::platform {

class GridRowSource;

class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringGridModel(QObject *parent = nullptr);
    ~StringGridModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Cells keep their (column, row) place; cells beyond the new size go.
    void setRows(int rows);
    void setColumns(int columns);

    // "" outside the grid; writes outside it are ignored.
    QString text(int col, int row) const;
    void setText(int col, int row, const QString &text);
    // Moves texts (row-major, columnCount() per row) into the rows from
    // firstRow on; texts past the last row stay in the vector.
    void takeRows(int firstRow, std::vector<QString> &texts);
    // The grid becomes `rows` rows: the rows above firstRow keep their
    // texts, the source's rows follow from firstRow, any rows after them
    // are empty. Extras stay.
    void adoptRows(int firstRow, std::unique_ptr<GridRowSource> source, int rows);
    // Each cell of the column in rows first to last becomes
    // format(row, its text): at once for texts, as it is read for rows of
    // a source.
    using CellFormat = std::function<QString(int row, const QString &text)>;
    void formatRows(int col, int first, int last, const CellFormat &format);
    // Extra roles of one cell; an invalid QVariant when never set.
    QVariant extra(int col, int row, int role) const;
    void setExtra(int col, int row, int role, const QVariant &value);
    // Empties every text; extras and sizes stay.
    void clearTexts();
    // Empties every text and drops every extra; sizes stay.
    void clearCells();

    void setFixedRows(int rows);
    void setTitleBrush(const QBrush &brush) { m_titleBrush = brush; }

    void beginBulk() { ++m_bulk; }
    void endBulk();

private:
    bool inside(int col, int row) const { return col >= 0 && row >= 0 && col < m_columns && row < m_rows; }
    static quint64 key(int col, int row) { return (quint64(quint32(row)) << 32) | quint32(col); }
    void dropExtrasOutside();
    void announce(int col, int row);
    bool sourced(int row) const;
    QString sourceText(int col, int row) const;
    // Back to one text per cell, keeping the first `rows` rows.
    void materialize(int rows);

    std::vector<QString> m_cells;  // row-major, m_rows x m_columns; empty while sourced
    std::unique_ptr<GridRowSource> m_source;
    int m_sourceFirst = 0;
    QHash<quint64, QString> m_written;           // cells written while sourced
    QHash<int, std::vector<CellFormat>> m_formats;  // per column, applied in order
    int m_rows = 0;
    int m_columns = 0;
    int m_fixedRows = 1;
    QHash<quint64, QMap<int, QVariant>> m_extras;
    QBrush m_titleBrush;
    int m_bulk = 0;
};

} // namespace bralvo::platform
