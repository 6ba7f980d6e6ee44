// Every printed document holds every value: each of the program's nine
// layouts is prepared with the longest values a user can realistically
// have (four VAT rates and deducted advances, 60-character names, a full
// IBAN, 10-digit symbols, two currencies, amounts up to 999 999 999,99)
// and must show each text whole, apart from every other text and line.
// The bill is checked in each print language, the rest in the interface
// language.
#include "tests/app/layoutfaults.h"

#include "app/billprintvalues.h"
#include "app/billtotals.h"
#include "app/listreportvalues.h"
#include "app/receiptvalues.h"
#include "app/reportlayouts.h"
#include "report/engine/trpengine.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trplineview.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "services/builtintexts.h"
#include "services/globals.h"
#include "services/printlanguages.h"
#include "services/uitexts.h"
#include "tests/support/programfolders.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace bralvo;

namespace {

using Answers = std::function<bool(const QString &name, int recNo, platform::Variant &value)>;

const QString kFirm = QString::fromUtf8("Stolárstvo a tesárstvo Šimon a synovia, spol. s r. o., Senec");
const QString kCustomer = QString::fromUtf8("Pekáreň Ďurčo, výroba a predaj pečiva a cukroviniek, s. r.o.");
const QString kBig = QString::fromUtf8("999 999 999,99 Sk");

QHash<QString, QString> billRow()
{
    QHash<QString, QString> row;
    const auto party = [&row](const QString &prefix, const QString &name) {
        row.insert(prefix + "nazov", name);
        row.insert(prefix + "ulica", QString::fromUtf8("Námestie Slobody 1234/56"));
        row.insert(prefix + "psc", "811 02");
        row.insert(prefix + "mesto", QString::fromUtf8("Bratislava - Staré Mesto"));
        row.insert(prefix + "stat", QString::fromUtf8("Slovenská republika"));
        row.insert(prefix + "ico", "35123456");
        row.insert(prefix + "dic", "2020123456");
        row.insert(prefix + "icdph", "SK2020123456");
    };
    party("firma_", kFirm);
    party("odberatel_", kCustomer);
    const std::pair<const char *, const char *> fields[] = {
        {"cislo", "FA2500123"}, {"cislo_objednavky", "OBJ-25-0456"}, {"vs", "2025000123"},
        {"ks", "1234567890"}, {"ss", "9876543210"}, {"forma_uhrady", "bankovým prevodom"},
        {"opravnenie", "OR Okresného súdu Bratislava I, oddiel Sro, vložka č. 12345/B"},
        {"datum_vystavenia", "2025-12-31"}, {"datum_splatnosti", "2026-01-14"}, {"datum_dodania", "2025-12-31"},
        {"datum_platby", "2026-01-14"}, {"nazov_banky", "Všeobecná úverová banka, a.s."},
        {"cislo_uctu", "000000-2612345678/1100"}, {"swift", "SUBASKBXXXX"}, {"iban", "SK31 1100 0000 0026 1234 5678"},
        {"poznamka", "Tovar zostáva až do úplného zaplatenia majetkom dodávateľa. Pri omeškaní úhrady účtujeme "
                     "úrok z omeškania podľa obchodného zákonníka."},
        {"uzivatel_textpodpis", "Eva Adminová, konateľka"}, {"telefon", "+421 2 1234 5678"},
        {"fax", "+421 2 1234 5679"}, {"email", "fakturacia@stolarstvo-simon.sk"},
    };
    for (const auto &f : fields)
        row.insert(QString::fromLatin1(f.first), QString::fromUtf8(f.second));
    return row;
}

// A bill in two currencies with four VAT rates, two deducted advances
// and a rounding difference, its totals as the editor computes them.
app::BillPrintData extremeBill(const QString &language)
{
    app::BillTotalsInput input;
    input.showsVat = true;
    input.inForeignCurrency = true;
    input.inTwoCurrencies = true;
    input.foreignSymbol = QString::fromUtf8("€");
    input.homeSymbol = "Sk";
    input.rate = 30.126;
    input.billStep = 0.5;
    input.lines = {{5, 99999999.99}, {10, 199999999.99}, {19, 299999999.99}, {23, 199999999.99}};
    input.advanceDeduction = 12345678.90 + 9876543.21;
    const app::BillTotals totals = app::computeBillTotals(input);

    app::BillPrintData bill;
    bill.language = language;
    bill.suma1Left = totals.left;
    bill.suma2Right = totals.right;
    bill.sumaCelkom = totals.total;
    bill.sumaKUhrade = totals.due;
    bill.secondaryKUhrade = totals.secondary;
    bill.foreignIso = "EUR";
    bill.rate = "30,1260";
    bill.inForeignCurrency = bill.inTwoCurrencies = true;
    bill.homeIso = "SKK";
    bill.row = billRow();
    bill.lineCell = [](int column, int) {
        const char *const cells[] = {"A-12345", "Dlažba kamenná leštená, formát 60 x 60 cm, hrúbka 2 cm",
                                     "9 999,00 ks", "100%", "999 999,99 Sk", "23%", nullptr};
        return column == 6 ? kBig : QString::fromUtf8(cells[column]);
    };
    return bill;
}

app::ReceiptData extremeReceipt()
{
    app::ReceiptData receipt;
    receipt.date = QDate(2025, 12, 31);
    receipt.homeAmount = "999 999 999,99";
    receipt.homeSymbol = "Sk";
    receipt.foreignIso = "EUR";
    receipt.homeIso = "SKK";
    const QHash<QString, QString> bill = billRow();
    const std::pair<const char *, const char *> fields[] = {
        {"firma", "firma_nazov"}, {"ulica", "firma_ulica"}, {"psc", "firma_psc"}, {"mesto", "firma_mesto"},
        {"stat", "firma_stat"}, {"ico", "firma_ico"}, {"dic", "firma_dic"}, {"icdph", "firma_icdph"},
        {"firmao", "odberatel_nazov"}, {"ulicao", "odberatel_ulica"}, {"psco", "odberatel_psc"},
        {"mestoo", "odberatel_mesto"}, {"stato", "odberatel_stat"}, {"icoo", "odberatel_ico"},
        {"dico", "odberatel_dic"}, {"icdpho", "odberatel_icdph"}, {"vs", "vs"},
    };
    for (const auto &f : fields)
        receipt.row.insert(QString::fromLatin1(f.first), bill.value(QString::fromLatin1(f.second)));
    receipt.row.insert("vystavil", QString::fromUtf8("Administrátor Ďurčo-Šimonovič"));
    return receipt;
}

// One listed row: bills (number, symbol, date, issuer, customer, open,
// total, note; the home total in column 11), or customers, categories
// and items (name, count, sum, paid after due date).
app::ListReportData extremeList(bool bills)
{
    app::ListReportData list;
    list.from = QDate(2025, 1, 1);
    list.to = QDate(2025, 12, 31);
    list.category = QString::fromUtf8("Stavebné materiály a náradie pre dielne");
    list.item = QString::fromUtf8("Dlažba kamenná leštená, formát 60 x 60 cm");
    list.issuer = QString::fromUtf8("Administrátor Ďurčo-Šimonovič");
    list.customer = kCustomer;
    list.amountFrom = "999 999 999,99";
    list.amountTo = "999 999 999,99";
    list.year = "2025";
    list.rowCount = 3;
    list.homeSymbol = "Sk";
    list.homeTotals = {999999999.99};
    QHash<QString, QString> company;
    const QHash<QString, QString> row = billRow();
    for (const char *field : {"nazov", "ulica", "psc", "mesto", "stat", "ico", "dic", "icdph"})
        company.insert(QString::fromLatin1(field), row.value(QStringLiteral("firma_") + field));
    list.company = company;
    list.cell = [bills](int column, int) -> QString {
        if (!bills)
            return column == 0 ? kCustomer : column == 2 ? kBig : QStringLiteral("99 999");
        const char *const cells[] = {"FA2500123", "2025000123", "31.12.2025", "Administrátor Ďurčo-Šimonovič",
                                     nullptr, nullptr, nullptr, "Zaplatené v hotovosti pri prevzatí tovaru"};
        if (column == 4)
            return kCustomer;
        if (column == 5 || column == 6 || column == 11)
            return kBig;
        return column < 8 ? QString::fromUtf8(cells[column]) : QString();
    };
    return list;
}

struct Layout {
    QString file;
    const char *dataSet;  // nullptr: none
    Answers answers;
};

class LayoutFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        report::installMemoTextLayout();
        report::installReportEngine();
        report::installPreviewPages();
        services::LoadDefaultTexts();
        // The shipped print languages, where the program looks for them.
        const QDir shipped(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages"));
        QDir().mkpath(services::DataRoot + QStringLiteral("Languages"));
        for (const QString &file : shipped.entryList({QStringLiteral("*.ilng")}))
            QFile::copy(shipped.filePath(file), services::DataRoot + QStringLiteral("Languages/") + file);
    }

    void checkReceiptsAndLists();
    // The layout prepared with the answers; its faults.
    static QStringList prepared(const Layout &l)
    {
        report::TrpUserDataSet rows(nullptr);
        rows.SetUserName(QString::fromLatin1(l.dataSet ? l.dataSet : "unused"));
        rows.SetRangeEnd(report::reCount);
        rows.SetRangeEndCount(2);
        report::TrpReport r;
        app::LoadReportLayout(r, l.file, l.dataSet ? &rows : nullptr);
        r.OnGetValue = [&](const QString &name, platform::Variant &value) {
            l.answers(name, rows.RecNo(), value);
        };
        if (!r.PrepareReport(true))
            return {QStringLiteral("not prepared: ") + r.ErrorList().text()};
        return test::LayoutFaults(r);
    }

    test::ProgramFolders m_folders;
};

// The check itself sees each kind of fault it is there for.
TEST_F(LayoutFit, TheCheckSeesClippedSplitOverlappingAndCrossedTexts)
{
    report::TrpReport r;
    r.EngineOptions()->SetNewSilentMode(report::simSilent);
    auto *page = new report::TrpReportPage(&r);
    page->setName("Page1");
    auto *band = new report::TrpReportTitle(page);
    band->setName("Title");
    band->SetBounds(0, 0, 700, 400);
    const auto memo = [band](const char *name, const char *text, QRectF bounds) {
        auto *m = new report::TrpMemoView(band);
        m->setName(QString::fromLatin1(name));
        m->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        m->SetText(QString::fromUtf8(text));
    };
    memo("Clipped", "Dlažba kamenná leštená", {0, 0, 40, 14});
    memo("Split", "SK31 1100 0000 0026 1234 5678", {0, 50, 60, 200});
    memo("Under", "Prvý", {300, 0, 100, 20});
    memo("Over", "Druhý", {310, 5, 100, 20});
    memo("Crossed", "Stolárstvo", {300, 100, 100, 20});
    auto *line = new report::TrpLineView(band);
    line->setName("Rule");
    line->SetBounds(290, 110, 200, 0);
    memo("Fits", "OK", {500, 0, 100, 20});
    ASSERT_TRUE(r.PrepareReport(true)) << r.ErrorList().text().toStdString();
    const QString faults = test::LayoutFaults(r).join('\n');
    for (const char *expected : {"Clipped \"Dlažba kamenná leštená\" needs", "Split \"SK31 1100 0000 0026 1234 5678\" splits",
                                 "Under \"Prvý\" overlaps page 1, Over", "Crossed \"Stolárstvo\" is crossed by page 1, line Rule"})
        EXPECT_TRUE(faults.contains(QString::fromUtf8(expected))) << expected << "\n" << faults.toStdString();
    EXPECT_FALSE(faults.contains("Fits")) << faults.toStdString();
}

// On the character grid too: a cut text, two texts with no blank
// between them, and a text under a frame line.
TEST_F(LayoutFit, TheCheckSeesCutTouchingAndHiddenTextsOnTheGrid)
{
    report::TrpReport r;
    r.EngineOptions()->SetNewSilentMode(report::simSilent);
    r.SetDotMatrixReport(true);
    auto *page = new report::TrpDMPPage(&r);
    page->setName("Page1");
    auto *band = new report::TrpReportTitle(page);
    band->setName("Title");
    band->SetBounds(0, 0, 80 * report::DMPCellWidth, 10 * report::DMPCellHeight);
    // Columns first..last on one row.
    const auto memo = [band](const char *name, const char *text, int first, int last, int row,
                             report::TrpHAlign align) {
        auto *m = new report::TrpDMPMemoView(band);
        m->setName(QString::fromLatin1(name));
        m->SetBounds(first * report::DMPCellWidth, row * report::DMPCellHeight,
                     (last - first + 1) * report::DMPCellWidth, report::DMPCellHeight);
        m->SetText(QString::fromUtf8(text));
        m->SetHAlign(align);
    };
    memo("Cut", "SUBASKBXXXX", 0, 5, 0, report::haLeft);
    memo("Label", "Číslo:", 10, 19, 0, report::haRight);
    memo("Value", "123", 20, 29, 0, report::haLeft);
    memo("Hidden", "Oprávnenie:", 0, 12, 3, report::haLeft);
    auto *rule = new report::TrpDMPLineView(band);
    rule->setName("Rule");
    rule->SetBounds(0, 3 * report::DMPCellHeight, 40 * report::DMPCellWidth, 0);
    memo("Apart", "Dátum:", 40, 46, 5, report::haLeft);
    memo("Date", "01.01.2025", 48, 57, 5, report::haLeft);
    ASSERT_TRUE(r.PrepareReport(true)) << r.ErrorList().text().toStdString();
    const QString faults = test::LayoutFaults(r).join('\n');
    for (const char *expected : {"Cut \"SUBASKBXXXX\" has", "Label \"Číslo:\" runs into page 1, Value",
                                 "Hidden \"Oprávnenie:\" is drawn across a frame line"})
        EXPECT_TRUE(faults.contains(QString::fromUtf8(expected))) << expected << "\n" << faults.toStdString();
    for (const char *apart : {"Apart", "Date"})
        EXPECT_FALSE(faults.contains(QLatin1String(apart))) << faults.toStdString();
}

TEST_F(LayoutFit, TheBillInEveryPrintLanguageShowsEveryValue)
{
    for (const char *language : {"SK - Slovenčina", "CS - Čeština", "EN - English", "DE - Deutsch"}) {
        SCOPED_TRACE(language);
        services::LoadPrintTexts(QString::fromUtf8(language));
        const app::BillPrintData bill = extremeBill(QString::fromUtf8(language));
        ASSERT_EQ(bill.suma1Left.count(QChar(13)), 9) << "four rates, the advances and the rounding";
        const Answers answers = [&bill](const QString &n, int recNo, platform::Variant &v) {
            return app::BillPrintValue(bill, recNo, n, v);
        };
        for (const char *file : {"bill.rpx", "bill_dotmatrix.rpx"}) {
            SCOPED_TRACE(file);
            const QStringList faults = prepared({QString::fromLatin1(file), "rpUDSpolozky", answers});
            EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
        }
    }
    services::LoadPrintTexts(QString());
}

// The interface language's texts, and those a print language loaded
// for the last bill replaced (they share the report texts).
TEST_F(LayoutFit, ReceiptsAndListsShowEveryValue)
{
    for (const char *language : {"", "SK - Slovenčina", "CS - Čeština", "EN - English", "DE - Deutsch"}) {
        SCOPED_TRACE(language);
        services::LoadPrintTexts(QString::fromUtf8(language));
        checkReceiptsAndLists();
    }
    services::LoadPrintTexts(QString());
}

void LayoutFit::checkReceiptsAndLists()
{
    const app::ReceiptData receipt = extremeReceipt();
    const app::ListReportData bills = extremeList(true), others = extremeList(false);
    const auto overview = [&](app::OverviewTab tab) -> Answers {
        const app::ListReportData &list = tab == app::OverviewTab::Bills ? bills : others;
        return [tab, &list](const QString &n, int recNo, platform::Variant &v) {
            return app::OverviewReportValue(tab, list, recNo, n, v);
        };
    };
    const Answers receiptAnswers = [&receipt](const QString &n, int, platform::Variant &v) {
        return app::ReceiptValue(receipt, n, v);
    };
    const Layout layouts[] = {
        {"receipt.rpx", nullptr, receiptAnswers},
        {"receipt_two.rpx", nullptr, receiptAnswers},
        {"bill_list.rpx", "rpUDTzoznamf",
         [&bills](const QString &n, int recNo, platform::Variant &v) {
             return app::BillListReportValue(bills, recNo, n, v);
         }},
        {"overview_bills.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Bills)},
        {"overview_customers.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Customers)},
        {"overview_categories.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Categories)},
        {"overview_items.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Items)},
    };
    for (const Layout &l : layouts) {
        SCOPED_TRACE(l.file.toStdString());
        const QStringList faults = prepared(l);
        EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
    }
}

} // namespace
