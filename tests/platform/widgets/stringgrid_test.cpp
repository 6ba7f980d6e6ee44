// The string grid: cells, title row, hidden columns, cell painter.
#include "platform/widgets/stringgrid.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using bralvo::platform::StringGrid;

TEST(StringGrid, AddressesCellsByColumnThenRow)
{
    StringGrid grid;
    grid.setColumnCount(3);
    grid.setRowCount(4);
    grid.setCell(2, 1, "x");
    EXPECT_EQ(grid.cell(2, 1), "x");
    EXPECT_EQ(grid.cell(1, 2), "");
    grid.setCell(5, 5, "outside");  // ignored, never grows the grid
    EXPECT_EQ(grid.cell(5, 5), "");
    EXPECT_EQ(grid.rowCount(), 4);
}

TEST(StringGrid, TitleRowIsNeverSelected)
{
    StringGrid grid;
    grid.setColumnCount(2);
    grid.setRowCount(3);
    grid.setCell(0, 0, "Kód");
    grid.setCell(0, 1, "A1");
    grid.setCurrentRowIndex(0);
    EXPECT_NE(grid.currentRowIndex(), 0);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 0)) & Qt::ItemIsSelectable);
    grid.setCurrentRowIndex(1);
    EXPECT_EQ(grid.currentRowIndex(), 1);
}

TEST(StringGrid, WidthMinusOneHidesAColumn)
{
    StringGrid grid;
    grid.setColumnCount(3);
    grid.setColWidth(1, -1);
    grid.setColWidth(2, 70);
    EXPECT_EQ(grid.colWidth(1), -1);
    EXPECT_EQ(grid.colWidth(2), 70);
    grid.setColWidth(1, 40);
    EXPECT_EQ(grid.colWidth(1), 40);
}

TEST(StringGrid, CellPainterSeesEveryPaintedCell)
{
    StringGrid grid;
    grid.setColumnCount(2);
    grid.setRowCount(2);
    grid.resize(300, 200);
    QList<QPoint> seen;
    grid.setCellPainter([&](QPainter &, const QRect &, int col, int row, bool) {
        seen.append(QPoint(col, row));
        return true;
    });
    grid.show();
    QImage image(grid.size(), QImage::Format_ARGB32);
    grid.render(&image);
    EXPECT_TRUE(seen.contains(QPoint(0, 0)));
    EXPECT_TRUE(seen.contains(QPoint(1, 1)));
}
