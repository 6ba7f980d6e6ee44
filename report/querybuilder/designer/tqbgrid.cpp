// The column grid of the query builder window.
#include "report/querybuilder/designer/tqbgrid.h"

#include "report/querybuilder/designer/qbgeometry.h"
#include "report/querybuilder/designer/tqblists.h"
#include "report/querybuilder/designer/tqbtable.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "report/querybuilder/tqbcore.h"
#include "report/querybuilder/tqbresources.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

namespace bralvo::report {

TqbEdit::TqbEdit(QWidget *parent) : QLineEdit(parent)
{
    m_panel = new QFrame(this);
    m_panel->setFrameShape(QFrame::NoFrame);
    m_button = new QToolButton(m_panel);
    m_button->setText(QStringLiteral("..."));
    connect(m_button, &QToolButton::clicked, this, [this] {
        setFocus();
        emit ButtonClick();
    });
    SetPanelVisible(false);
}

void TqbEdit::SetPanelVisible(bool visible)
{
    m_panelVisible = visible;
    m_panel->setVisible(visible);
    layoutPanel();
}

// Text never runs under the panel.
void TqbEdit::layoutPanel()
{
    const int w = std::max(0, height() - 3);
    m_panel->setGeometry(width() - w, 0, w, height());
    m_button->setGeometry(0, 0, w, height());
    setTextMargins(0, 0, m_panelVisible ? w + 1 : 0, 0);
}

void TqbEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    layoutPanel();
}

TqbGrid::TqbGrid(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("Grid"));
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    QStringList headers;
    for (int id = 1820; id <= 1825; ++id)
        headers.append(GetQbText(id));
    setHeaderLabels(headers);
    header()->setStretchLastSection(false);
    for (int c = 0; c < 6; ++c)
        setColumnWidth(c, c == 5 ? 105 : 104);
    m_editors[1] = makeList(1, {GetQbText(1828), GetQbText(1829)});
    auto *where = new TqbEdit(viewport());
    where->setObjectName(QStringLiteral("WhereE"));
    where->hide();
    connect(where, &QLineEdit::textEdited, this, [this] { editorChanged(2); });
    m_editors[2] = where;
    m_editors[3] = makeList(3, {GetQbText(1830), GetQbText(1831), GetQbText(1832)});
    m_editors[4] = makeList(4, {GetQbText(1830), QStringLiteral("AVG"), QStringLiteral("COUNT"),
                                QStringLiteral("MAX"), QStringLiteral("MIN"), QStringLiteral("SUM")});
    m_editors[5] = makeList(5, {GetQbText(1830), GetQbText(1833)});
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { rowSelected(); });
    connect(header(), &QHeaderView::sectionResized, this, [this] { placeEditors(); });
}

QComboBox *TqbGrid::makeList(int tag, const QStringList &items)
{
    static const char *const names[] = {"", "VisibleCB", "", "SortCB", "FunctionCB", "GroupCB"};
    auto *cb = new QComboBox(viewport());
    cb->setObjectName(QString::fromLatin1(names[tag]));
    cb->addItems(items);
    cb->setEditable(false);
    cb->hide();
    connect(cb, &QComboBox::currentIndexChanged, this, [this, tag] { editorChanged(tag); });
    return cb;
}

TqbModel &TqbGrid::Model() const
{
    return qbCore().Model();
}

QWidget *TqbGrid::Editor(int tag) const
{
    return tag >= 1 && tag <= 5 ? m_editors[tag] : nullptr;
}

QStringList TqbGrid::RowCells(int row) const
{
    const TGridColumn &r = Model().Rows.at(row);
    const auto pick = [](int value, std::initializer_list<QString> names) {
        return value > 0 && value < int(names.size()) ? *(names.begin() + value) : QString();
    };
    return {r.field,
            r.visible ? QString() : GetQbText(1829),
            r.where,
            pick(r.sort, {QString(), GetQbText(1831), GetQbText(1832)}),
            pick(r.function, {QString(), "AVG", "COUNT", "MAX", "MIN", "SUM"}),
            pick(r.group, {QString(), GetQbText(1833)})};
}

void TqbGrid::UpdateGrid()
{
    m_updating = true;
    const int current = indexOfTopLevelItem(currentItem());
    clear();
    for (int r = 0; r < Model().Rows.size(); ++r)
        addTopLevelItem(new QTreeWidgetItem(RowCells(r)));
    if (current >= 0 && current < topLevelItemCount())
        setCurrentItem(topLevelItem(current));
    m_updating = false;
    placeEditors();
}

void TqbGrid::placeEditors()
{
    QTreeWidgetItem *item = currentItem();
    const QRect rowRect = item ? visualItemRect(item) : QRect();
    const bool show = item && item->isSelected() && rowRect.bottom() >= 0;
    int left = -horizontalScrollBar()->value();
    for (int c = 0; c < 6; ++c) {
        if (QWidget *editor = Editor(c)) {
            editor->setVisible(show);
            if (show) {
                editor->setGeometry(left, rowRect.top() - 2, columnWidth(c) + 1, c == 2 ? 18 : 19);
                const QSignalBlocker block(editor);
                const QString cell = item->text(c);
                if (auto *cb = qobject_cast<QComboBox *>(editor))
                    cb->setCurrentIndex(std::max(0, cb->findText(cell)));
                else
                    static_cast<TqbEdit *>(editor)->setText(cell);
            }
        }
        left += columnWidth(c);
    }
}

void TqbGrid::editorChanged(int tag)
{
    QTreeWidgetItem *item = currentItem();
    const int row = indexOfTopLevelItem(item);
    if (m_updating || row < 0)
        return;
    TGridColumn &r = Model().Rows[row];
    if (tag == 2) {
        r.where = static_cast<TqbEdit *>(m_editors[2])->text();
        item->setText(2, r.where);
        return;
    }
    auto *cb = static_cast<QComboBox *>(m_editors[tag]);
    const int index = cb->currentIndex();
    item->setText(tag, index != 0 ? cb->currentText() : QString());
    if (tag == 1)
        r.visible = index == 0;
    else if (tag == 3)
        r.sort = index;
    else if (tag == 4)
        r.function = index;
    else
        r.group = index;
}

// The row's box comes to the front with the row's field current.
void TqbGrid::rowSelected()
{
    placeEditors();
    const int row = indexOfTopLevelItem(currentItem());
    if (m_updating || row < 0 || !m_area)
        return;
    const TGridColumn &r = Model().Rows.at(row);
    ui::TqbTable *box = m_area->FindBox(r.tableName, r.alias);
    if (!box)
        return;
    box->raise();
    const int t = m_area->IndexOf(box);
    const QList<TqbField> &fields = Model().Tables.at(t).Fields;
    for (int f = 0; f < fields.size(); ++f)
        if (QuotedFieldName(fields.at(f).FieldName) == r.field)
            box->FieldList()->setCurrentRow(f);
}

void TqbGrid::FitColumns()
{
    QList<int> widths;
    for (int c = 0; c < 6; ++c)
        widths.append(columnWidth(c));
    const QList<int> fitted = bralvo::report::FitColumns(widths, width());
    for (int c = 0; c < 6; ++c)
        setColumnWidth(c, fitted.at(c));
}

void TqbGrid::resizeEvent(QResizeEvent *event)
{
    QTreeWidget::resizeEvent(event);
    FitColumns();
    placeEditors();
}

void TqbGrid::scrollContentsBy(int dx, int dy)
{
    QTreeWidget::scrollContentsBy(dx, dy);
    placeEditors();
}

void TqbGrid::MoveRow(int delta)
{
    const int row = indexOfTopLevelItem(currentItem());
    const int other = row + delta;
    if (row < 0 || other < 0 || other >= Model().Rows.size())
        return;
    Model().Rows.swapItemsAt(row, other);
    UpdateGrid();
    setCurrentItem(topLevelItem(other));
}

void TqbGrid::contextMenuEvent(QContextMenuEvent *event)
{
    const int row = indexOfTopLevelItem(currentItem());
    QMenu menu(this);
    QAction *up = menu.addAction(GetQbText(1826), this, [this] { MoveRow(-1); });
    QAction *down = menu.addAction(GetQbText(1827), this, [this] { MoveRow(1); });
    up->setEnabled(row > 0);
    down->setEnabled(row >= 0 && row < topLevelItemCount() - 1);
    menu.exec(event->globalPos());
}

} // namespace bralvo::report
