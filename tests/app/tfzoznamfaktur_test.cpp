// The bill list window: proposals, the list SQL, periods, amounts and
// colours, deleting and printing.
#include "tests/app/billsfixture.h"

#include "app/reportlayouts.h"
#include "report/model/trpreport.h"

#include "db/billstate.h"
#include "platform/messageboxseam.h"
#include "services/listhelpers.h"
#include "services/settings.h"
#include "services/uitexts.h"
#include "tests/support/filecontent.h"

#include <QDateEdit>
#include <QFile>
#include <QSpinBox>
#include <QToolButton>

namespace bralvo::test {
namespace {

using BillList = BillsFixture;

QString golden(const char *name)
{
    QFile file(QStringLiteral(BRALVO_SOURCE_DIR "/tests/app/golden/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

TEST_F(BillList, NumberProposalsAndVariableSymbol)
{
    const QString yy = m_year.right(2);
    const auto prefix = [](int text) { return services::RemoveDiacritics(services::MessageText(text)).left(2).toUpper(); };
    EXPECT_EQ(app::ProposedBillNumber(false, m_year), prefix(170) + yy + "00001");
    EXPECT_EQ(app::ProposedBillNumber(true, m_year), prefix(210) + yy + "00001");
    addBill("BR2500041", 1, 100, 100);
    EXPECT_EQ(app::ProposedBillNumber(false, m_year), "BR2500042");
    EXPECT_EQ(app::ProposedBillNumber(true, m_year), prefix(210) + yy + "00001");

    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(true, m_year);
    EXPECT_EQ(bill.eCisloFaktury->text(), prefix(210) + yy + "00001");
    EXPECT_EQ(bill.eVS->text(), yy + "00001");
    EXPECT_EQ(bill.lblFaktura->text(), services::MessageText(210).toUpper());
    services::WriteSetting("Faktura", "FullAutoCislovanie", "0");
    bill.PrepareNewBill(false, m_year);
    EXPECT_EQ(bill.eCisloFaktury->text(), "BR2500042");
    EXPECT_EQ(bill.eVS->text(), "");
    EXPECT_FALSE(bill.bitPrint->isEnabled());
}

TEST_F(BillList, RoundingProposalByValue)
{
    const QStringList steps = {"0,01", "0,10", "0,50", "1,00"};
    const struct {
        const char *setting;
        int index;
    } cases[] = {{"0,10", 1}, {"0.10", 1}, {"1", 3}, {"", 2}, {"0", 2}, {"abc", 2}, {"0,25", -1}};
    for (const auto &c : cases)
        EXPECT_EQ(app::RoundingStepIndex(steps, c.setting), c.index) << c.setting;
}

TEST_F(BillList, ListSqlAsGoldenFiles)
{
    app::TfZoznamFaktur &list = openList();
    list.eRok->setValue(2025);
    EXPECT_EQ(list.billListSql(), golden("billlist_2025_all.sql"));
    list.cbOdberatelovi->setCurrentIndex(list.cbOdberatelovi->findText("O'Neil s.r.o. - 12345678"));
    list.rbPreuhradene->setChecked(true);
    EXPECT_EQ(list.billListSql(), golden("billlist_2025_customer_overpaid.sql"));
}

TEST_F(BillList, PeriodsOfMonthButtonsAndFreePeriod)
{
    const struct {
        int year, month;
        QDate from, to;
    } cases[] = {{2024, 2, {2024, 2, 1}, {2024, 2, 29}}, {2023, 2, {2023, 2, 1}, {2023, 2, 28}},
                 {2025, 0, {2025, 1, 1}, {2025, 12, 31}}, {2025, 12, {2025, 12, 1}, {2025, 12, 31}}};
    for (const auto &c : cases) {
        const auto period = app::BillListPeriod(c.year, c.month);
        ASSERT_TRUE(period) << c.year;
        EXPECT_EQ(period->first, c.from) << c.year << "/" << c.month;
        EXPECT_EQ(period->second, c.to) << c.year << "/" << c.month;
    }
    EXPECT_FALSE(app::BillListPeriod(1899, 1));
    EXPECT_FALSE(app::BillListPeriod(2201, 0));
    EXPECT_EQ(app::MoveIntoYear(QDate(2024, 2, 29), 2023), QDate(2023, 2, 28));

    app::TfZoznamFaktur &list = openList();
    list.eRok->setValue(2024);
    list.sbFebruar->click();
    EXPECT_EQ(list.eDatumDO->date(), QDate(2024, 2, 29));
    list.eRok->setValue(2023);
    EXPECT_EQ(list.eDatumDO->date(), QDate(2023, 2, 28));
    // A free period across two years keeps the start's year.
    list.eDatumOD->setDate(QDate(2023, 3, 15));
    list.eDatumDO->setDate(QDate(2024, 2, 29));
    list.bitOK->click();
    EXPECT_EQ(list.eRok->value(), 2023);
    EXPECT_EQ(list.eDatumDO->date(), QDate(2023, 2, 28));
    EXPECT_FALSE(list.sbFebruar->isChecked());
}

TEST_F(BillList, AmountColumnsAndColours)
{
    addBill("B1", 1, 119, 119);
    addBill("B2", 1, 50, 50, 1);
    addBill("B3", 1, 0, 0);
    app::TfZoznamFaktur &list = openList();
    ASSERT_EQ(list.sgFaktury->rowCount(), 5);
    EXPECT_EQ(list.sgFaktury->cell(5, rowOf(list, "B1")), "119,00 Sk");
    EXPECT_EQ(list.sgFaktury->cell(6, rowOf(list, "B1")), "119,00 Sk");
    EXPECT_EQ(list.sgFaktury->cell(5, rowOf(list, "B2")), QString::fromUtf8("uhradené"));

    const QColor red(0xFF, 0, 0), blue(0, 0, 0xFF), lightRed(0xFF, 0xAA, 0xAA), white(0xFF, 0xFF, 0xFF);
    const struct {
        int col;
        const char *text;
        bool selected, freeAdvance;
        bool bold;
        QColor font, background;
    } cases[] = {
        {5, "119,00 Sk", false, false, true, red, {}},
        {5, "0,00 Sk", false, false, true, blue, {}},
        {5, "-3,00 Sk", true, false, true, QColor(0xCE, 0xCE, 0xFF), {}},
        {5, "uhradené", false, false, false, {}, {}},
        {6, "10,00 Sk", false, false, true, {}, {}},
        {0, "Z1", true, false, false, white, {}},
        {0, "Z1", false, true, false, {}, QColor(0xFF, 0xEA, 0xEA)},
        {0, "Z1", true, true, true, lightRed, {}},
    };
    for (const auto &c : cases) {
        const app::BillListCellLook look = app::BillListCellStyle(c.col, QString::fromUtf8(c.text), c.selected,
                                                                  c.freeAdvance);
        EXPECT_EQ(look.bold, c.bold) << c.text;
        EXPECT_EQ(look.font, c.font) << c.text;
        EXPECT_EQ(look.background, c.background) << c.text;
    }
}

TEST_F(BillList, LongListReadsEveryBillAcrossItsStoredRuns)
{
    // 9,000 bills: numbers counting up, the variable symbol repeating the
    // number but for bill 5000, amounts in a cycle of 37, every seventh
    // bill paid.
    sql(QString("WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM k WHERE n < 9000) "
                "INSERT INTO faktury (cislo, vs, datum_vystavenia, datum_splatnosti, id_uzivatel, id_odberatel, "
                "fakturovat_bezdph, fakturovat_vcudzejmene, fakturovat_vdvochmenach, jehlavna_cudziamena, "
                "domaca_menaZobr, domaca_menaIso, hlavna_mena, kurz, kurz_domaca, kurz_cudzia, zaokruhlovanie, "
                "suma_celkom, suma_kuhrade, suma1_left, suma2_right, interna_poznamka, typ, uhradena, existuje) "
                "SELECT 'F' || printf('%05d', n), CASE WHEN n = 5000 THEN 'X' ELSE 'F' || printf('%05d', n) END, "
                "'%1-03-10', '%1-03-10', 1, 1, 0, 0, 0, 0, 'Sk', 'SKK', 'Sk', 1, 1, 1, 0.5, 100 + n % 37, "
                "100 + n % 37, '', '', '', 1, n % 7 = 0, 1 FROM k")
            .arg(m_year));
    app::TfZoznamFaktur &list = openList();
    ASSERT_EQ(list.sgFaktury->rowCount(), 9002);
    for (int n : {1, 7, 4095, 4096, 4097, 5000, 8192, 8193, 9000}) {
        SCOPED_TRACE(n);
        const QString number = QString("F%1").arg(n, 5, 10, QLatin1Char('0'));
        const QString amount = QString("%1,00 Sk").arg(100 + n % 37);
        EXPECT_EQ(list.sgFaktury->cell(0, n), number);
        EXPECT_EQ(list.sgFaktury->cell(1, n), n == 5000 ? QString("X") : number);
        EXPECT_EQ(list.sgFaktury->cell(6, n), amount);
        EXPECT_EQ(list.sgFaktury->cell(5, n), n % 7 == 0 ? QString::fromUtf8("uhradené") : amount);
    }
}

TEST_F(BillList, DeleteNeedsTheRightAndAFreeAdvanceBill)
{
    addBill("Z1", 2, 500, 500);
    addBill("B1", 1, 1190, 690);
    sql("INSERT INTO sp_zalfaktury (id_faktura, id_zalfaktura) VALUES (2, 1)");
    app::TfZoznamFaktur &list = openList();
    list.rbZoznamZalohovychFaktur->setChecked(true);
    list.sgFaktury->setCurrentRowIndex(rowOf(list, "Z1"));
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    list.bitZmazatFakturuClick();
    EXPECT_EQ(shownTexts().last(), services::FillPlaceholders(services::MessageText(217), {"B1"}));
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury"), "2");

    loginUserWithoutRights();
    m_boxes.answerBox(platform::kIdOk);
    list.bitZmazatFakturuClick();
    EXPECT_EQ(shownTexts().last(), services::MessageText(280));
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury"), "2");
}

TEST_F(BillList, DeletingTheLastBillSelectsTheNewLast)
{
    addBill("B1", 1, 10, 10);
    addBill("B2", 1, 20, 20);
    app::TfZoznamFaktur &list = openList();
    list.sgFaktury->setCurrentRowIndex(rowOf(list, "B2"));
    m_boxes.answerBox(platform::kIdYes);
    list.bitZmazatFakturuClick();
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury"), "1");
    EXPECT_EQ(list.sgFaktury->currentRowIndex(), rowOf(list, "B1"));
}

TEST_F(BillList, PrintingSaysWhenItIsNotAvailable)
{
    addBill("B1", 1, 10, 10);
    app::TfZoznamFaktur &list = openList();
    app::setBillPrinter(nullptr);
    m_boxes.answerBox(platform::kIdOk);
    list.bitTlacitZoznamFakturClick();
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, app::PrintingUnavailableText());

    QStringList printed;
    app::setBillPrinter(std::make_unique<RecordingBillPrinter>(printed));
    list.bitTlacitZoznamFakturClick();
    EXPECT_EQ(printed, QStringList{"list 1 B1"});
}

TEST_F(BillList, ListReportGoesThroughTheLayout)
{
    addBill("B1", 1, 10, 10);
    addBill("B2", 1, 20, 5);
    app::TfZoznamFaktur &list = openList();
    std::vector<QString> values;
    const app::ReportShower previous = app::reportShower();
    app::reportShower() = [&](report::TrpReport &) {
        const app::ListReportData data = list.listReportData();
        for (const char *name : {"zoznamfaktur", "db_cislo", "db_datum_od", "udb_summary_uhradit"}) {
            platform::Variant value;
            app::BillListReportValue(data, 1, name, value);
            values.push_back(value.toString());
        }
    };
    list.bitTlacitZoznamFakturClick();
    app::reportShower() = previous;
    EXPECT_EQ(values, (std::vector<QString>{QString::fromUtf8("Zoznam faktúr"), "B2", "rok " + m_year, "15,00 Sk"}));
}

// The list's order (bill numbers as text, then ids), its cells, a payment
// filter, the row kept after a reload and the sums printed under it.
TEST_F(BillList, OrderFilterReloadAndSums)
{
    addBill("B9", 1, 100, 100, 1);
    addBill("B2", 1, 50.5, 20);
    addBill("B10", 1, 300, 300);
    addBill("B2", 1, 7.25, 7.25);
    app::TfZoznamFaktur &list = openList();
    const auto column = [&list](int col) {
        QStringList cells;
        for (int row = 1; row <= list.sgFaktury->rowCount() - 2; ++row)
            cells << list.sgFaktury->cell(col, row);
        return cells;
    };
    const auto printed = [&list](const char *name) {
        platform::Variant value;
        app::BillListReportValue(list.listReportData(), 0, name, value);
        return value.toString();
    };
    EXPECT_EQ(column(0), (QStringList{"B10", "B2", "B2", "B9"}));
    EXPECT_EQ(column(12), (QStringList{"3", "2", "4", "1"}));
    EXPECT_EQ(column(2), QStringList(4, "10.03." + m_year));
    EXPECT_EQ(column(6), (QStringList{"300,00 Sk", "50,50 Sk", "7,25 Sk", "100,00 Sk"}));
    EXPECT_EQ(column(5), (QStringList{"300,00 Sk", "20,00 Sk", "7,25 Sk", QString::fromUtf8("uhradené")}));
    EXPECT_EQ(list.sgFaktury->cell(0, list.sgFaktury->rowCount() - 1), "");
    EXPECT_EQ(list.sgFaktury->currentRowIndex(), 4);
    EXPECT_EQ(list.sgFaktury->colWidth(0), 80);
    EXPECT_EQ(list.sgFaktury->colWidth(8), -1);
    EXPECT_EQ(printed("udb_summary_sumacelkom"), "457,75 Sk");
    EXPECT_EQ(printed("udb_summary_uhradit"), "327,25 Sk");

    list.refreshAndSelect("B10");
    EXPECT_EQ(list.sgFaktury->currentRowIndex(), 1);
    list.rbNeuhradene->setChecked(true);
    EXPECT_EQ(column(0), (QStringList{"B10", "B2", "B2"}));
    EXPECT_EQ(printed("udb_summary_sumacelkom"), "357,75 Sk");
    EXPECT_EQ(printed("db_cislo"), "B10");
}

} // namespace
} // namespace bralvo::test
