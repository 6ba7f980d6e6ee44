// The text grid addressed by (column, row) with its cell-painter hook.
#include "platform/widgets/stringgrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace bralvo::platform {

namespace {

// Routes painting through the grid's cell painter when it has one.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(StringGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const auto &custom = m_grid->cellPainter();
        const bool selected = option.state & QStyle::State_Selected;
        if (custom) {
            painter->save();
            const bool done = custom(*painter, option.rect, index.column(), index.row(), selected);
            painter->restore();
            if (done)
                return;
        }
        QStyledItemDelegate::paint(painter, option, index);
    }

private:
    StringGrid *m_grid;
};

} // namespace

StringGrid::StringGrid(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CellDelegate(this));
    setRowCount(2);
    setColumnCount(1);
}

QString StringGrid::cell(int col, int row) const
{
    const QTableWidgetItem *it = item(row, col);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int col, int row, const QString &text)
{
    if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount())
        return;
    QTableWidgetItem *it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem(text);
        if (row < m_fixedRows) {
            it->setFlags(Qt::ItemIsEnabled);
            QFont bold = it->font();
            bold.setBold(true);
            it->setFont(bold);
            it->setBackground(palette().button());
        }
        setItem(row, col, it);
        return;
    }
    it->setText(text);
}

void StringGrid::setFixedRows(int rows)
{
    m_fixedRows = qMax(0, rows);
}

void StringGrid::setColWidth(int col, int width)
{
    if (width < 0) {
        setColumnHidden(col, true);
        return;
    }
    setColumnHidden(col, false);
    setColumnWidth(col, width);
}

int StringGrid::colWidth(int col) const
{
    return isColumnHidden(col) ? -1 : columnWidth(col);
}

void StringGrid::setCurrentRowIndex(int row)
{
    if (row < m_fixedRows || row >= rowCount())
        return;
    setCurrentCell(row, qMax(0, currentColumn()));
}

void StringGrid::setCellPainter(CellPainter painter)
{
    m_cellPainter = std::move(painter);
    viewport()->update();
}

void StringGrid::clearCells()
{
    for (int row = 0; row < rowCount(); ++row)
        for (int col = 0; col < columnCount(); ++col)
            if (QTableWidgetItem *it = item(row, col))
                it->setText(QString());
}

} // namespace bralvo::platform
