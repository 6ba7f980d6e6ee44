// The bill's lines as values, the line writer and the grid that shows
// them.
#include "app/billlinecells.h"
#include "app/billlines.h"
#include "platform/widgets/stringgrid.h"
#include "tests/services/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo;
using app::NewBillLine;

namespace {

// A lines grid with its header and the empty input row, and the lines it
// shows.
struct LinesGrid {
    LinesGrid()
    {
        grid.setColumnCount(10);
        grid.setRowCount(2);
    }
    int add(const NewBillLine &line)
    {
        lines.append(app::WrittenLine(line));
        show();
        return lines.count();
    }
    void show(const QString &currency = "Sk") { app::ShowBillLines(grid, lines, currency); }
    QStringList texts() const
    {
        QStringList all;
        for (int row = 0; row < grid.rowCount(); ++row)
            for (int col = 0; col < grid.columnCount(); ++col)
                all << grid.cell(col, row);
        return all;
    }
    platform::StringGrid grid;
    app::BillLines lines;
};

NewBillLine line(double typedPrice, double vat, bool typedWithVat, double perUnits, double quantity, double discount,
                 bool addsVat = false)
{
    NewBillLine l;
    l.name = "Stôl";
    l.unit = "ks";
    l.vat = vat;
    l.vatText = QString::number(vat);
    l.netPrice = app::NetPrice(typedPrice, vat, typedWithVat);
    l.perUnits = perUnits;
    l.quantity = quantity;
    l.discount = discount;
    l.addsVat = addsVat;
    l.itemId = "7";
    return l;
}

TEST(BillLineCells, LineAmountsFromTheTypedPrice)
{
    const struct {
        const char *name;
        NewBillLine line;
        QString unitPrice, total, addsVat;
    } cases[] = {
        {"gross price 121 at 21 %", line(121, 21, true, 1, 1, 0), "100,00 Sk", "100,00 Sk", "0"},
        {"100 per 3 units, 3 of them", line(100, 19, false, 3, 3, 0), "33,33 Sk", "99,99 Sk", "0"},
        {"advance line with VAT added", line(100, 20, false, 1, 1, 0, true), "100,00 Sk", "120,00 Sk", "1"},
        {"10 % off 2 x 50", line(50, 19, false, 1, 2, 10), "50,00 Sk", "90,00 Sk", "0"},
        {"per-units 0 counts as 1", line(80, 19, false, 0, 1, 0), "80,00 Sk", "80,00 Sk", "0"},
        {"price 0", line(0, 19, false, 1, 5, 0), "0,00 Sk", "0,00 Sk", "0"},
    };
    for (const auto &c : cases) {
        LinesGrid lines;
        const int row = lines.add(c.line);
        EXPECT_EQ(lines.grid.cell(app::kColUnitPrice, row), c.unitPrice) << c.name;
        EXPECT_EQ(lines.grid.cell(app::kColTotal, row), c.total) << c.name;
        EXPECT_EQ(lines.grid.cell(app::kColAddsVat, row), c.addsVat) << c.name;
        EXPECT_EQ(lines.grid.cell(9, row), "7") << c.name;
        EXPECT_EQ(lines.grid.rowCount(), 3) << c.name;
    }
}

TEST(BillLineCells, UnitAndSymbolWithDigitsNeverReachTheNumbers)
{
    LinesGrid lines;
    NewBillLine area = line(10, 19, false, 1, 2, 0);
    area.unit = "m2";
    const int row = lines.add(area);
    lines.show("1.5-€");
    lines.show("1.5-€");
    EXPECT_EQ(lines.grid.cell(app::kColQuantity, row), "2,00 m2");
    EXPECT_EQ(lines.grid.cell(app::kColTotal, row), "20,00 1.5-€");
    EXPECT_EQ(lines.grid.cell(app::kColVat, row), "19%");
    const std::vector<db::BillLine> stored = lines.lines.stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].quantity, "2.00000000");
    EXPECT_EQ(stored[0].unitPrice, "10.00000000");
}

TEST(BillLineCells, RemovingALineMovesTheLaterOnesUp)
{
    LinesGrid lines;
    lines.add(line(10, 19, false, 1, 1, 0));
    lines.add(line(20, 10, false, 1, 1, 0));
    lines.add(line(30, 0, false, 1, 1, 0));
    lines.lines.remove(0);
    lines.lines.remove(5);  // no such line: nothing
    lines.show();
    EXPECT_EQ(lines.grid.rowCount(), 4);
    EXPECT_EQ(lines.grid.cell(app::kColTotal, 1), "20,00 Sk");
    EXPECT_EQ(lines.grid.cell(app::kColVat, 2), "0%");
    EXPECT_EQ(lines.grid.cell(app::kColName, 3), "");
    EXPECT_EQ(lines.lines.distinctVatRates(false), 2);
    EXPECT_EQ(lines.lines.distinctVatRates(true), 1);
}

// A grid that showed other lines before shows exactly what a new grid
// shows for the same lines: no text of an earlier line is left.
TEST(BillLineCells, GridShowsOnlyTheLinesItIsGiven)
{
    LinesGrid earlier;
    earlier.add(line(100, 19, false, 1, 3, 10));
    earlier.add(line(50, 10, false, 1, 2, 0));
    app::BillLineValues stored;
    stored.name = "Stolička";
    stored.unit = "ks";
    stored.quantity = 1.125;  // kept as stored, shown in cents
    stored.unitPrice = 42.5;
    stored.vat = 19;
    stored.total = 47.8125;
    earlier.lines.assign({stored});
    earlier.show();
    LinesGrid fresh;
    fresh.lines.assign({stored});
    fresh.show();
    EXPECT_EQ(earlier.texts(), fresh.texts());
    EXPECT_EQ(fresh.grid.cell(app::kColQuantity, 1), "1,13 ks");
    EXPECT_EQ(fresh.grid.cell(app::kColTotal, 1), "47,81 Sk");
    EXPECT_EQ(fresh.lines.stored()[0].quantity, "1.12500000");
    earlier.lines.clear();
    earlier.show();
    EXPECT_EQ(earlier.grid.rowCount(), 2);
    EXPECT_EQ(earlier.texts().mid(10).join(""), "");
}

TEST(BillLineCells, CellTextsReadAsTheirNumbers)
{
    EXPECT_DOUBLE_EQ(app::CellTextNumber("1 000,50 ks"), 1000.5);
    EXPECT_DOUBLE_EQ(app::CellTextNumber("3 584,99 Sk"), 3584.99);
    EXPECT_DOUBLE_EQ(app::CellTextNumber("19,5%"), 19.5);
    EXPECT_DOUBLE_EQ(app::CellTextNumber("abc"), 0);
}

} // namespace
