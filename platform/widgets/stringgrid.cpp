// The text grid addressed by (column, row) with its cell-painter hook.
#include "platform/widgets/stringgrid.h"

#include "platform/widgets/gridrowsource.h"
#include "platform/widgets/stringgridmodel.h"

#include <QEvent>
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

StringGrid::BulkUpdate::BulkUpdate(StringGrid &grid) : m_model(*grid.m_model)
{
    m_model.beginBulk();
}

StringGrid::BulkUpdate::~BulkUpdate()
{
    m_model.endBulk();
}

StringGrid::StringGrid(QWidget *parent) : QTableView(parent), m_model(new StringGridModel(this))
{
    m_model->setTitleBrush(palette().button());
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CellDelegate(this));
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { emit cellClicked(index.row(), index.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { emit cellDoubleClicked(index.row(), index.column()); });
    setRowCount(2);
    setColumnCount(1);
}

int StringGrid::rowCount() const
{
    return m_model->rowCount();
}

void StringGrid::setRowCount(int rows)
{
    m_model->setRows(rows);
}

int StringGrid::columnCount() const
{
    return m_model->columnCount();
}

void StringGrid::setColumnCount(int columns)
{
    m_model->setColumns(columns);
}

QString StringGrid::cell(int col, int row) const
{
    return m_model->text(col, row);
}

void StringGrid::setCell(int col, int row, const QString &text)
{
    m_model->setText(col, row, text);
}

void StringGrid::takeRows(int firstRow, std::vector<QString> &texts)
{
    m_model->takeRows(firstRow, texts);
}

void StringGrid::adoptRows(int firstRow, std::unique_ptr<GridRowSource> source, int rows)
{
    m_model->adoptRows(firstRow, std::move(source), rows);
}

void StringGrid::formatRows(int col, int first, int last,
                            const std::function<QString(int row, const QString &text)> &format)
{
    m_model->formatRows(col, first, last, format);
}

QVariant StringGrid::cellData(int col, int row, int role) const
{
    return m_model->extra(col, row, role);
}

void StringGrid::setCellData(int col, int row, int role, const QVariant &value)
{
    m_model->setExtra(col, row, role, value);
}

void StringGrid::setFixedRows(int rows)
{
    m_fixedRows = qMax(0, rows);
    m_model->setFixedRows(m_fixedRows);
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

int StringGrid::currentRow() const
{
    return currentIndex().row();
}

int StringGrid::currentColumn() const
{
    return currentIndex().column();
}

void StringGrid::setCurrentCell(int row, int col)
{
    const QModelIndex index = m_model->index(row, col);
    if (index.isValid())
        setCurrentIndex(index);
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
    m_model->clearTexts();
}

void StringGrid::clear()
{
    m_model->clearCells();
}

void StringGrid::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        m_model->setTitleBrush(palette().button());
    QTableView::changeEvent(event);
}

} // namespace bralvo::platform
