// The bill line writer and the grid's numbers beside its texts.
#include "app/billlinecells.h"
#include "db/billgrids.h"
#include "platform/widgets/stringgrid.h"
#include "tests/services/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo;
using app::NewBillLine;

namespace {

// A lines grid with its header and the empty input row.
struct LinesGrid {
    LinesGrid()
    {
        grid.setColumnCount(10);
        grid.setRowCount(2);
    }
    int add(const NewBillLine &line)
    {
        const int row = grid.rowCount() - 1;
        app::WriteBillLine(grid, row, line);
        app::AppendInputRow(grid);
        return row;
    }
    platform::StringGrid grid;
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
        {"gross price 121 at 21 %", line(121, 21, true, 1, 1, 0), "100,00", "100,00", "0"},
        {"100 per 3 units, 3 of them", line(100, 19, false, 3, 3, 0), "33,33", "99,99", "0"},
        {"advance line with VAT added", line(100, 20, false, 1, 1, 0, true), "100,00", "120,00", "1"},
        {"10 % off 2 x 50", line(50, 19, false, 1, 2, 10), "50,00", "90,00", "0"},
        {"per-units 0 counts as 1", line(80, 19, false, 0, 1, 0), "80,00", "80,00", "0"},
        {"price 0", line(0, 19, false, 1, 5, 0), "0,00", "0,00", "0"},
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
    app::FormatLineCells(lines.grid, "1.5-€");
    EXPECT_EQ(lines.grid.cell(app::kColQuantity, row), "2,00 m2");
    EXPECT_EQ(lines.grid.cell(app::kColTotal, row), "20,00 1.5-€");
    EXPECT_EQ(lines.grid.cell(app::kColVat, row), "19%");
    const std::vector<db::BillLine> stored = app::BillLinesOf(lines.grid);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].quantity, "2.00000000");
    EXPECT_EQ(stored[0].unitPrice, "10.00000000");
}

TEST(BillLineCells, RemovingARowMovesTheNumbersWithTheTexts)
{
    LinesGrid lines;
    lines.add(line(10, 19, false, 1, 1, 0));
    lines.add(line(20, 10, false, 1, 1, 0));
    lines.add(line(30, 0, false, 1, 1, 0));
    app::RemoveLineRow(lines.grid, 1);
    EXPECT_EQ(lines.grid.rowCount(), 4);
    EXPECT_DOUBLE_EQ(app::LineNumber(lines.grid, app::kColTotal, 1), 20);
    EXPECT_DOUBLE_EQ(app::LineNumber(lines.grid, app::kColVat, 2), 0);
    EXPECT_EQ(lines.grid.cell(app::kColName, 3), "");
    EXPECT_EQ(app::DistinctVatRates(lines.grid, false), 2);
    EXPECT_EQ(app::DistinctVatRates(lines.grid, true), 1);
}

TEST(BillLineCells, LoadedPlainNumbersAreCaptured)
{
    LinesGrid lines;
    lines.grid.setRowCount(3);
    lines.grid.setCell(app::kColQuantity, 1, "1 000,50");
    lines.grid.setCell(app::kColVat, 1, "19");
    lines.grid.setCell(app::kColTotal, 1, "12,00");
    app::CaptureLineNumbers(lines.grid);
    EXPECT_DOUBLE_EQ(app::LineNumber(lines.grid, app::kColQuantity, 1), 1000.5);
    EXPECT_DOUBLE_EQ(app::LineNumber(lines.grid, app::kColVat, 1), 19);
    EXPECT_DOUBLE_EQ(app::CellTextNumber("3 584,99 Sk"), 3584.99);
    EXPECT_DOUBLE_EQ(app::CellTextNumber("19,5%"), 19.5);
    EXPECT_DOUBLE_EQ(app::CellTextNumber("abc"), 0);
}

} // namespace
