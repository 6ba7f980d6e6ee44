// The bill list, bill lines and payments grids and the payment state.
#include "tests/db/recordsfixture.h"

#include "db/billgrids.h"
#include "db/billsaving.h"
#include "db/billstate.h"
#include "db/esqliteexception.h"
#include "platform/widgets/stringgrid.h"

using namespace bralvo::db;
using bralvo::platform::StringGrid;

namespace {

class BillGrids : public bralvo::test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        addItem(30, "Pilník", "P1");
        setItemVat(30, 20);
        addItem(31, "Kladivo", "K1");
        addMoneyBill({.id = 1, .number = "F1"});
        addLineOf(1, 30, 100, 2, 10, 1);
    }

    QStringList row(const StringGrid &grid, int r)
    {
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << grid.cell(c, r);
        return cells;
    }
};

TEST_F(BillGrids, LayoutsHaveTheirTitlesAndHiddenColumns)
{
    StringGrid grid;
    SetupBillListGrid(grid);
    EXPECT_EQ(grid.columnCount(), 13);
    EXPECT_EQ(grid.cell(0, 0), "number");
    EXPECT_EQ(grid.cell(12, 0), "id");
    EXPECT_EQ(grid.colWidth(7), 155);
    EXPECT_EQ(grid.colWidth(8), -1);

    SetupBillLinesGrid(grid, true);
    EXPECT_EQ(grid.columnCount(), 10);
    EXPECT_EQ(grid.cell(8, 0), "add_dph");
    EXPECT_EQ(grid.colWidth(5), 60);
    SetupBillLinesGrid(grid, false);
    EXPECT_EQ(grid.colWidth(5), -1);

    SetupPaymentsGrid(grid);
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.cell(0, 0), "Date");
    EXPECT_EQ(grid.colWidth(3), -1);
}

TEST_F(BillGrids, LineTotalIncludesVatOnlyOnAdvanceBills)
{
    // (100 + 20) x 2 - 10 % = 216 on an advance bill; 100 x 2 - 10 % = 180 on a bill.
    const std::pair<bool, QString> cases[] = {{true, "216,00"}, {false, "180,00"}};
    for (const auto &[advance, total] : cases) {
        BillIsAdvance = advance;
        StringGrid grid;
        SetupBillLinesGrid(grid, true);
        FillBillLinesGrid(grid, "", "1");
        ASSERT_EQ(grid.rowCount(), 3);
        EXPECT_EQ(row(grid, 1), QStringList({"P1", "Pilník", "2,00", "10,00", "100,00", "20", total, "", "1", "30"}));
        EXPECT_EQ(row(grid, 2).join(""), "");
    }
}

TEST_F(BillGrids, EmptyIdOrBillWithoutLinesGivesTitleAndOneEmptyRow)
{
    addMoneyBill({.id = 2, .number = "F2"});
    for (const QString &id : {QString(""), QString("NULL"), QString("2")}) {
        StringGrid grid;
        SetupBillLinesGrid(grid, true);
        grid.setRowCount(5);
        grid.setCell(0, 1, "old");
        FillBillLinesGrid(grid, "", id);
        EXPECT_EQ(grid.rowCount(), 2) << id;
        EXPECT_EQ(grid.cell(0, 1), "") << id;
    }
}

TEST_F(BillGrids, AppendedLinesFollowThePresentOnes)
{
    addMoneyBill({.id = 2, .number = "Z1", .type = 2});
    addLineOf(2, 31, 5, 3, 0, 0);
    addLineOf(2, 30, 1, 1, 0, 1);
    StringGrid grid;
    SetupBillLinesGrid(grid, true);
    grid.setRowCount(5);  // three lines and the totals row
    for (int r = 1; r <= 3; ++r)
        grid.setCell(1, r, QString("line %1").arg(r));
    AppendBillLinesToGrid(grid, "2");
    ASSERT_EQ(grid.rowCount(), 7);
    EXPECT_EQ(grid.cell(1, 3), "line 3");
    EXPECT_EQ(grid.cell(1, 4), "Kladivo");
    EXPECT_EQ(grid.cell(6, 4), "15,00");  // price x quantity
    EXPECT_EQ(grid.cell(1, 5), "Pilník");
    EXPECT_EQ(row(grid, 6).join(""), "");
    AppendBillLinesToGrid(grid, "NULL");
    EXPECT_EQ(grid.rowCount(), 7);
}

// The editor's lines: the numbers as stored, not as the grid rounds them.
TEST_F(BillGrids, LineRowsKeepTheStoredNumbers)
{
    addMoneyBill({.id = 2, .number = "F2"});
    addLineOf(2, 31, 12.34, 1.125, 12.5, 0);
    addLineOf(2, 30, 100, 2, 10, 1);
    BillIsAdvance = false;
    const std::vector<BillLineRow> lines = LoadBillLineRows("2");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].name, "Kladivo");
    EXPECT_EQ(lines[0].itemId, "31");
    EXPECT_DOUBLE_EQ(lines[0].quantity, 1.125);
    EXPECT_DOUBLE_EQ(lines[0].discount, 12.5);
    EXPECT_DOUBLE_EQ(lines[0].unitPrice, 12.34);
    EXPECT_NEAR(lines[0].total, 12.34 * 1.125 * 0.875, 1e-9);
    EXPECT_FALSE(lines[0].addsVat);
    EXPECT_TRUE(lines[1].addsVat);
    EXPECT_DOUBLE_EQ(lines[1].vat, 20);
    EXPECT_DOUBLE_EQ(lines[1].total, 180);
    BillIsAdvance = true;
    EXPECT_DOUBLE_EQ(LoadBillLineRows("2")[1].total, 216);
    EXPECT_DOUBLE_EQ(LoadTakenOverLineRows("2")[1].total, 180);  // never with VAT added
    for (const QString &none : {QString(""), QString("NULL"), QString("99")}) {
        EXPECT_TRUE(LoadBillLineRows(none).empty()) << none.toStdString();
        EXPECT_TRUE(LoadTakenOverLineRows(none).empty()) << none.toStdString();
    }
}

TEST_F(BillGrids, PaymentsAreListedByDate)
{
    addPaymentOf(70, 1, 50, "2009-04-02");
    addPaymentOf(71, 1, 1234.5, "2009-03-30");
    StringGrid grid;
    SetupPaymentsGrid(grid);
    FillPaymentsGrid(grid, "1");
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(row(grid, 1), QStringList({"30.03.2009", "1 234,50", "Sk", "71"}));
    EXPECT_EQ(row(grid, 2), QStringList({"02.04.2009", "50,00", "Sk", "70"}));
    FillPaymentsGrid(grid, "");
    EXPECT_EQ(grid.rowCount(), 2);
}

TEST_F(BillGrids, OpenAmountIsDueLessPaymentsInHomeCurrency)
{
    struct Case { const char *label; MoneyBill bill; std::vector<double> payments; double open; };
    const Case cases[] = {
        {"no payment", {.id = 10, .number = "A", .due = 100, .rate = 2}, {}, 200},
        {"part paid", {.id = 11, .number = "B", .due = 100, .rate = 2}, {50, 30}, 120},
        {"paid by payments", {.id = 12, .number = "C", .due = 100}, {100}, 0},
        {"overpaid", {.id = 13, .number = "D", .due = 100}, {150}, -50},
        {"marked paid", {.id = 14, .number = "E", .due = 100, .paid = 1}, {10}, 0},
        {"two currencies, home main",
         {.id = 15, .number = "G", .due = 100, .rate = 30, .foreign = 1, .twoCurrencies = 1}, {}, 100},
        {"two currencies, foreign main",
         {.id = 16, .number = "H", .due = 100, .rate = 30, .foreign = 1, .twoCurrencies = 1, .foreignMain = 1}, {}, 3000},
    };
    int paymentId = 100;
    for (const Case &c : cases) {
        addMoneyBill(c.bill);
        for (double amount : c.payments)
            addPaymentOf(paymentId++, c.bill.id, amount);
        EXPECT_DOUBLE_EQ(GetBillOpenAmount(QString::number(c.bill.id)), c.open) << c.label;
    }
    EXPECT_EQ(GetBillOpenAmount("999"), 0);
    EXPECT_EQ(GetBillOpenAmount(""), 0);
}

TEST_F(BillGrids, PaymentStateOfABill)
{
    exec("UPDATE faktury SET suma_kuhrade = 100, kurz = 2, domaca_menaIso = 'SKK', cudzia_menaZobr = '€', "
         "cudzia_menaIso = 'EUR' WHERE id = 1");
    addPaymentOf(70, 1, 50);
    const BillPaymentState state = GetBillPaymentState("1", "Kč");
    EXPECT_EQ(state.totalDueLabel, "200,00 Sk");
    EXPECT_EQ(state.leftToPayLabel, "150,00 Sk");
    EXPECT_EQ(state.rate, "2,00000000");
    EXPECT_EQ(state.suggestedPayment, "150,00");
    EXPECT_FALSE(state.paid);
    EXPECT_EQ(state.foreignIso, "EUR");
    EXPECT_EQ(state.homeIso, "SKK");
    EXPECT_EQ(state.foreignSymbol, "€");

    exec("UPDATE faktury SET uhradena = 1 WHERE id = 1");
    EXPECT_TRUE(GetBillPaymentState("1", "Kč").paid);
    EXPECT_EQ(GetBillPaymentState("1", "Kč").suggestedPayment, "0,00");

    const BillPaymentState none = GetBillPaymentState("999", "Kč");
    EXPECT_EQ(none.totalDueLabel, "0,00 Kč");
    EXPECT_EQ(none.leftToPayLabel, "0,00 Kč");
    EXPECT_EQ(none.rate, "1,00000000");
    EXPECT_EQ(none.foreignIso, "");
}

TEST_F(BillGrids, PaidFlag)
{
    addMoneyBill({.id = 2, .number = "F2", .paid = 1});
    EXPECT_FALSE(IsBillPaid("1"));
    EXPECT_TRUE(IsBillPaid("2"));
    EXPECT_FALSE(IsBillPaid(""));
    EXPECT_FALSE(IsBillPaid("999"));
}

} // namespace

namespace {

// The bill id reached the statements unquoted as the caller passed it.
TEST_F(BillGrids, BillIdIsCheckedBeforeItReachesSql)
{
    StringGrid grid;
    SetupPaymentsGrid(grid);
    for (const QString &id : {QString("1 OR 1=1"), QString("1; DROP TABLE faktury")}) {
        EXPECT_THROW(FillPaymentsGrid(grid, id), ESQLiteException) << id;
        EXPECT_THROW(FillBillLinesGrid(grid, "", id), ESQLiteException) << id;
        EXPECT_THROW(GetBillOpenAmount(id), ESQLiteException) << id;
        EXPECT_THROW(IsBillPaid(id), ESQLiteException) << id;
    }
    EXPECT_EQ(count("faktury"), 1);
}

} // namespace

namespace {

// The lines statement joined the items with an inner join, so a line
// stored without an item vanished from the editor and was lost on the
// next save.
TEST_F(BillGrids, LineWithoutAnItemLoadsAndIsSavedAgain)
{
    exec("INSERT INTO sp_polozky (id_faktura, id_polozka, cena, pocet, zlava, zaratat_dph) "
         "VALUES (1, NULL, 7.25, 2, 0, 1)");
    addMoneyBill({.id = 9, .number = "F9"});
    for (const bool advance : {false, true}) {
        BillIsAdvance = advance;
        StringGrid grid;
        SetupBillLinesGrid(grid, true);
        FillBillLinesGrid(grid, "", "1");
        ASSERT_EQ(grid.rowCount(), 4) << advance;
        const int r = grid.cell(9, 1) == "30" ? 2 : 1;
        EXPECT_EQ(row(grid, r), QStringList({"", "", "2,00", "0,00", "7,25", "", "14,50", "", "1", ""})) << advance;

        exec("DELETE FROM sp_polozky WHERE id_faktura = 9");
        SaveBillLines("9", BillLinesFromGrid(grid));
        EXPECT_EQ(column("SELECT COALESCE(id_polozka, 'NULL') || '|' || cena || '|' || pocet FROM sp_polozky "
                         "WHERE id_faktura = 9 ORDER BY cena"),
                  QStringList({"NULL|7.25|2.0", "30|100.0|2.0"}))
            << advance;
    }
}

// Taking over an advance bill's lines ignored their discount, so the new
// bill's totals were overstated.
TEST_F(BillGrids, TakenOverLinesCountTheirDiscount)
{
    addMoneyBill({.id = 2, .number = "Z1", .type = 2});
    addLineOf(2, 31, 5, 3, 20, 0);
    StringGrid grid;
    SetupBillLinesGrid(grid, true);
    AppendBillLinesToGrid(grid, "2");
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(6, 1), "12,00");  // 5 x 3 less 20 %
}

} // namespace
