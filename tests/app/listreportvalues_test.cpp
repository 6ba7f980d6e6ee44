// The values of the bill list report and the four overview reports.
#include "tests/db/recordsfixture.h"

#include "app/listreportvalues.h"
#include "services/builtintexts.h"

#include <map>

using namespace bralvo;
using app::ListReportData;
using app::OverviewTab;

namespace {

class ListReports : public test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        services::LoadDefaultTexts();
        data.homeSymbol = QStringLiteral("Sk");
        data.from = QDate(2009, 3, 5);
        data.to = QDate(2009, 4, 30);
        data.cell = [this](int column, int row) { return cells[{column, row}]; };
    }
    QString overview(OverviewTab tab, const QString &name, int recNo = 0) const
    {
        platform::Variant v(QStringLiteral("<untouched>"));
        app::OverviewReportValue(tab, data, recNo, name, v);
        return v.toString();
    }
    QString billList(const QString &name, int recNo = 0) const
    {
        platform::Variant v(QStringLiteral("<untouched>"));
        app::BillListReportValue(data, recNo, name, v);
        return v.toString();
    }
    // Data rows 1..n of a bill grid: number, open amount, total, home total.
    void billRows(const std::vector<std::array<const char *, 4>> &rows)
    {
        data.rowCount = int(rows.size()) + 2;
        for (int i = 0; i < int(rows.size()); ++i) {
            cells[{0, i + 1}] = QString::fromUtf8(rows[i][0]);
            cells[{5, i + 1}] = QString::fromUtf8(rows[i][1]);
            cells[{6, i + 1}] = QString::fromUtf8(rows[i][2]);
            cells[{11, i + 1}] = QString::fromUtf8(rows[i][3]);
        }
    }
    ListReportData data;
    std::map<std::pair<int, int>, QString> cells;
};

TEST_F(ListReports, BillsOverviewLabels)
{
    data.wholePeriod = true;
    data.payment = db::PaymentStateFilter::Unpaid;
    const char *const cases[][2] = {
        {"zoznamfaktur", "Zoznam faktúr"}, {"uzivatel", "užívateľ"}, {"odberatel", "odberateľ"},
        {"db_datum_od", "celé odbobie"}, {"db_datum_do", ""}, {"datum_od", ""},
        {"uhrada", "(neuhradené)"}, {"summary_uhradit", "Zostáva uhradiť"}, {"ZoznamFaktur", "<untouched>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(overview(OverviewTab::Bills, QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
    data.wholePeriod = false;
    data.advanceBills = true;
    EXPECT_EQ(overview(OverviewTab::Bills, "zoznamfaktur"), "Zoznam zálohových faktúr");
    EXPECT_EQ(overview(OverviewTab::Bills, "datum_od"), "Dátum od:");
    EXPECT_EQ(overview(OverviewTab::Bills, "db_datum_od"), "05.03.2009");
    EXPECT_EQ(overview(OverviewTab::Bills, "db_datum_do"), "30.04.2009");
}

TEST_F(ListReports, EachTabAnswersItsOwnNames)
{
    struct Case {
        OverviewTab tab;
        const char *name, *expected;
    } cases[] = {
        {OverviewTab::Customers, "zoznamodberatelov", "Zoznam odberateľov"},
        {OverviewTab::Customers, "uzivatelia", "Užívatelia"},
        {OverviewTab::Customers, "uzivatel", "Vystavil"},
        {OverviewTab::Customers, "zoznamfaktur", "<untouched>"},
        {OverviewTab::Categories, "zoznamkatpoloziek", "Zoznam kategórií položiek"},
        {OverviewTab::Items, "zoznampoloziek", "Zoznam položiek"},
        {OverviewTab::Items, "uhrada", "<untouched>"},
        {OverviewTab::Bills, "zoznampoloziek", "<untouched>"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(overview(c.tab, QString::fromUtf8(c.name)), QString::fromUtf8(c.expected)) << c.name;
}

TEST_F(ListReports, BillListLabelsAndPeriod)
{
    data.wholePeriod = true;
    data.year = QStringLiteral("2009");
    data.payment = db::PaymentStateFilter::Unpaid;
    EXPECT_EQ(billList("zoznamfaktur"), "Zoznam faktúr");
    EXPECT_EQ(billList("uhrada"), "(neuhradené)");
    EXPECT_EQ(billList("db_datum_od"), "rok 2009");
    EXPECT_EQ(billList("datum_do"), "");
    data.wholePeriod = false;
    EXPECT_EQ(billList("datum_do"), "Dátum do:");
    EXPECT_EQ(billList("db_datum_do"), "30.04.2009");
    EXPECT_EQ(billList("obsahuju"), "<untouched>");
}

TEST_F(ListReports, CompanyValuesOnlyWithACompanyRow)
{
    EXPECT_EQ(billList("db_firma"), "<untouched>");
    EXPECT_EQ(overview(OverviewTab::Items, "db_ico"), "<untouched>");
    data.company = QHash<QString, QString>{{"nazov", "Firma"}, {"ico", "123"}};
    EXPECT_EQ(billList("db_firma"), "Firma");
    EXPECT_EQ(overview(OverviewTab::Items, "db_ico"), "123");
    EXPECT_EQ(overview(OverviewTab::Items, "db_dic"), "");
}

TEST_F(ListReports, RowsAndSums)
{
    billRows({{"F1", "10,00 Sk", "100,00 €", "3 012,60"}, {"F2", "uhradené", "50,00 Sk", "50"}});
    data.homeTotals = {3012.60, 50};
    EXPECT_EQ(overview(OverviewTab::Bills, "db_cislo", 1), "F2");
    EXPECT_EQ(overview(OverviewTab::Bills, "udb_summary_uhradit"), "10,00 Sk");
    EXPECT_EQ(overview(OverviewTab::Bills, "udb_summary_sumacelkom"), "3 062,60 Sk");
    EXPECT_EQ(billList("udb_summary_sumacelkom"), "3 062,60 Sk");
    EXPECT_EQ(billList("udb_summary_uhradit"), "10,00 Sk");

    cells[{2, 1}] = QStringLiteral("1 000,50 Sk");
    cells[{2, 2}] = QStringLiteral("0,50 Sk");
    EXPECT_EQ(overview(OverviewTab::Customers, "udb_summary_sumacelkom"), "1 001,00 Sk");
    EXPECT_EQ(overview(OverviewTab::Items, "udb_suma", 0), "1 000,50 Sk");

    data.rowCount = 2;  // an empty result
    EXPECT_EQ(overview(OverviewTab::Bills, "udb_summary_uhradit"), "0,00 Sk");
}

TEST_F(ListReports, HomeTotalsOfListedBills)
{
    addMoneyBill({.id = 1, .number = "F1", .total = 100, .rate = 2, .foreign = 1});
    addMoneyBill({.id = 2, .number = "F2", .total = 40, .rate = 30, .foreign = 1, .twoCurrencies = 1});
    addLineOf(1, 1, 1, 1, 0, 0);
    addLineOf(1, 1, 1, 1, 0, 0);
    const std::vector<double> totals = app::BillHomeTotals({"2", "1", "99"});
    ASSERT_EQ(totals.size(), 3u);
    EXPECT_DOUBLE_EQ(totals[0], 40);   // home currency is the main one: as stored
    EXPECT_DOUBLE_EQ(totals[1], 200);  // once per bill, whatever its lines
    EXPECT_DOUBLE_EQ(totals[2], 0);
    EXPECT_TRUE(app::BillHomeTotals({}).empty());
}

} // namespace
