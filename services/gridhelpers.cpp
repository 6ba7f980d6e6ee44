// Column widths, money columns and the owner drawing of grids and lists.
#include "services/gridhelpers.h"

#include "platform/conversionerror.h"
#include "platform/widgets/stringgrid.h"
#include "services/numbers.h"
#include "services/uitexts.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace bralvo::services {

namespace {

void writeClipped(QPainter &painter, const QRect &rect, int x, int y, const QString &text)
{
    painter.save();
    painter.setClipRect(rect);
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
    painter.restore();
}

int topIndex(const QListWidget &list)
{
    const QModelIndex top = list.indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

} // namespace

void SetGridColWidths(platform::StringGrid &grid, const QString &widths, bool same)
{
    if (widths.isEmpty())
        return;
    const QStringList parts = widths.split(QLatin1Char(';'));
    if (same) {
        const int w = parts.first().trimmed().toInt();
        for (int col = 0; col < grid.columnCount(); ++col)
            grid.setColWidth(col, w);
        return;
    }
    for (int col = 0; col < parts.size() && col < grid.columnCount(); ++col)
        grid.setColWidth(col, parts[col].trimmed().toInt());
}

void SetupGridColumns(platform::StringGrid &grid, std::initializer_list<GridTitle> titles, const QString &widths)
{
    grid.setColumnCount(int(titles.size()));
    if (grid.rowCount() < 2)
        grid.setRowCount(2);
    int col = 0;
    for (const GridTitle &title : titles)
        grid.setCell(col++, 0, title.text >= 0 ? MessageText(title.text) : QLatin1String(title.fixed));
    SetGridColWidths(grid, widths, false);
}

void FormatGridMoneyColumns(platform::StringGrid &grid, const QString &columns)
{
    if (grid.rowCount() < 3 || columns.isEmpty())
        return;
    for (const QString &part : columns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int col = part.trimmed().toInt(&ok);
        if (!ok)
            continue;
        for (int row = 1; row <= grid.rowCount() - 2; ++row) {
            // A cell that holds no number keeps its text rather than
            // breaking off the whole column.
            try {
                grid.setCell(col, row, FormatMoney(ParseNumber(grid.cell(col, row))));
            } catch (const platform::ConversionError &) {
            }
        }
    }
}

void DrawGridCell(QPainter &painter, const platform::StringGrid &grid, int row, int col,
                  QFont::Weight weight, bool italic, int vOffset, int alignment,
                  const QColor &fontColor, int fontSize, const QString &fontName,
                  const QRect &rect)
{
    QFont font = painter.font();
    if (!fontName.isEmpty())
        font.setFamily(fontName);
    if (fontSize > 0)
        font.setPointSize(fontSize);
    font.setWeight(weight);
    font.setItalic(italic);
    painter.setFont(font);
    painter.setPen(fontColor);
    painter.fillRect(rect, painter.brush());

    const QString text = grid.cell(col, row);
    const int textWidth = painter.fontMetrics().horizontalAdvance(text);
    const int colWidth = grid.columnWidth(col);
    const int y = rect.bottom() + 1 + vOffset - grid.rowHeight(row);
    switch (alignment) {
    case AlignLeft: writeClipped(painter, rect, rect.left() + 4, y, text); break;
    case AlignCenter: writeClipped(painter, rect, rect.left() + (colWidth - textWidth) / 2, y, text); break;
    case AlignRight: writeClipped(painter, rect, rect.left() + colWidth - textWidth - 3, y, text); break;
    default: break;
    }
}

void DrawGridCellPlain(QPainter &painter, const platform::StringGrid &grid, int row, int col,
                       int alignment, const QColor &fontColor, int fontSize,
                       const QString &fontName, const QRect &rect)
{
    DrawGridCell(painter, grid, row, col, QFont::Normal, false, 2, alignment, fontColor, fontSize,
                 fontName, rect);
}

void DrawListBoxItem(QPainter &painter, QListWidget &list, const QRect &rect, QChar alignment,
                     QWidget &window, int index, int indent)
{
    painter.fillRect(rect, painter.brush());
    const QString text = list.item(index) ? list.item(index)->text() : QString();
    const int itemHeight = rect.height();
    const int textHeight = painter.fontMetrics().height();
    const int y = itemHeight < 18 ? rect.top() : rect.top() + (itemHeight - textHeight) / 2;
    if (alignment == 'L') {
        painter.drawText(QPoint(indent, y + painter.fontMetrics().ascent()), text);
    } else if (alignment == 'R' || alignment == 'P') {
        const double fitting = std::round((list.height() - 3.0) / qMax(1, itemHeight) * 1000.0);
        const int margin = list.count() * 1000.0 < fitting ? 20 : 3;
        const int x = rect.right() + 1 - painter.fontMetrics().horizontalAdvance(text) - margin -
                      indent - 1;
        painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
    }
    SyncListBoxTops(list, window);
}

void SyncListBoxTops(QListWidget &list, QWidget &window)
{
    const QVariant tag = list.property("tag");
    const int top = topIndex(list);
    for (QListWidget *other : window.findChildren<QListWidget *>()) {
        if (other == &list || other->property("tag") != tag)
            continue;
        if (other->currentRow() >= list.currentRow() && other->item(top))
            other->scrollToItem(other->item(top), QAbstractItemView::PositionAtTop);
    }
}

void SetComboDropDownWidth(QComboBox &combo)
{
    const QFontMetrics metrics(combo.font());
    int width = combo.width();
    for (int i = 0; i < combo.count(); ++i)
        width = qMax(width, metrics.horizontalAdvance(combo.itemText(i)) + 24);
    combo.view()->setMinimumWidth(width);
}

} // namespace bralvo::services
