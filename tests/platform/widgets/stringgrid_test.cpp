// The string grid: cells, title row, hidden columns, cell painter.
#include "platform/widgets/stringgrid.h"

#include "platform/widgets/gridrowsource.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

using bralvo::platform::StringGrid;

namespace {

// Rows whose cells are made up from their place: "c<col>r<row>".
class PlaceRows : public bralvo::platform::GridRowSource {
public:
    explicit PlaceRows(int rows) : m_rows(rows) {}
    int rowCount() const override { return m_rows; }
    QString text(int col, int row) const override
    {
        return col < 3 ? QStringLiteral("c%1r%2").arg(col).arg(row) : QString();
    }

private:
    int m_rows;
};

QStringList allCells(const StringGrid &grid)
{
    QStringList cells;
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int col = 0; col < grid.columnCount(); ++col)
            cells << grid.cell(col, row) + "|" + grid.model()->index(row, col).data().toString();
    return cells;
}

} // namespace

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

// A grid reading its rows from a source behaves as the same grid holding
// the texts: every step below is taken on both and every cell compared.
TEST(StringGrid, AdoptedRowsBehaveAsTexts)
{
    StringGrid texts, adopted;
    for (StringGrid *grid : {&texts, &adopted}) {
        grid->setColumnCount(4);
        grid->setRowCount(2);
        grid->setCell(1, 0, "title");
    }
    const PlaceRows source(5);
    texts.setRowCount(8);
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 4; ++col)
            texts.setCell(col, row + 2, source.text(col, row));
    adopted.adoptRows(2, std::make_unique<PlaceRows>(5), 8);
    ASSERT_EQ(allCells(adopted), allCells(texts));

    const auto money = [](StringGrid &grid) {
        return [&grid](int row, const QString &text) { return text + "/" + grid.cell(0, row); };
    };
    const struct {
        const char *step;
        std::function<void(StringGrid &)> take;
    } steps[] = {
        {"write into a source row", [](StringGrid &g) { g.setCell(2, 3, "written"); }},
        {"format a whole column", [&](StringGrid &g) { g.formatRows(1, 1, g.rowCount() - 2, money(g)); }},
        {"format part of a column", [&](StringGrid &g) { g.formatRows(2, 3, 4, money(g)); }},
        {"format it again", [&](StringGrid &g) { g.formatRows(1, 2, 6, money(g)); }},
        {"write over a formatted cell", [](StringGrid &g) { g.setCell(1, 4, "over"); }},
        {"write past the source", [](StringGrid &g) { g.setCell(0, 7, "last"); }},
        {"shrink", [](StringGrid &g) { g.setRowCount(5); }},
        {"grow", [](StringGrid &g) { g.setRowCount(6); }},
        {"more columns", [](StringGrid &g) { g.setColumnCount(5); }},
        {"clear", [](StringGrid &g) { g.clearCells(); }},
    };
    for (const auto &step : steps) {
        step.take(texts);
        step.take(adopted);
        EXPECT_EQ(allCells(adopted), allCells(texts)) << step.step;
    }
}
