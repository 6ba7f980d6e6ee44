// The printed bill built by the report engine from the program's own
// layouts: printed from the editor, exported through the program's PDF
// filter and judged by qpdf and poppler, laid out over two pages when the
// lines leave no room for the summary, and printed on the dot-matrix
// layout into a file that must equal its golden bytes.
#include "tests/app/billdocumentsfixture.h"
#include "tests/report/export/pdftools.h"

#include "app/reportbillprinter.h"
#include "app/tftabulky.h"
#include "report/export/trpdmpexport.h"
#include "report/export/trppdfexport.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "services/uitexts.h"
#include "report/model/trppage.h"
#include "services/settings.h"

#include <QAbstractButton>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace bralvo::test {
namespace {

using report::testing::expectQpdfClean;
using report::testing::pdftotext;
using report::testing::runTool;

class PrintedBill : public BillDocumentsFixture {
protected:
    void SetUp() override
    {
        BillDocumentsFixture::SetUp();
        report::TrpPDFExport::SetOpener([this](const QString &file) { m_opened << file; });
    }
    void TearDown() override
    {
        report::TrpPDFExport::SetOpener(nullptr);
        BillDocumentsFixture::TearDown();
    }
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    // As a user chooses in the dot-matrix dialog: an Epson printer, into
    // the file prn.
    static void exportToDotMatrixFile(report::TrpReport &r, report::TrpDotMatrixExport &filter, const QString &prn)
    {
        filter.SetEscModel(1);
        filter.SetShowDialog(false);
        filter.SetShowProgress(false);
        filter.SetSaveToFile(true);
        filter.SetFileName(prn);
        ASSERT_TRUE(r.PreparedPages()->Export(&filter)) << r.ErrorList().text().toStdString();
    }

    QTemporaryDir m_dir;
    QStringList m_opened;
};

TEST_F(PrintedBill, PdfOfTheEditorsBillShowsItsTextsAndTotals)
{
    addFixtureBill(3);
    const QString pdf = path("bill.pdf");
    QString due;
    printFromEditor([&](report::TrpReport &r) {
        prepare(r);
        exportPdf(r, pdf);
    }, &due);
    // 2 x 50 + 10 % and 3 x 100 + 4 x 42,50 + 19 %: 110 + 559,30,
    // rounded up to the bill's step of 0,50.
    EXPECT_EQ(due, "669,50 Sk");
    expectQpdfClean(pdf);
    EXPECT_EQ(m_opened, QStringList{pdf});
    const QString text = pdftotext(pdf);
    for (const char *expected : {"FAKTÚRA", "FA0900001", kCustomer, "Štúrova 12", "Žilina", "Stolárstvo Šimon s.r.o.",
                                 "Dlažba kamenná", "Stolička buková", "05.03.2009", "19.03.2009", "Suma celkom",
                                 "K úhrade", "669,50 Sk", "100,00 Sk", "10,00 Sk", "470,00 Sk", "89,30 Sk"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("ZÁLOHOVÁ")));
    EXPECT_TRUE(report::testing::pdfinfo(pdf).simplified().contains(QLatin1String("Pages: 1")));

    // The fixture bill's first page, drawn by poppler, for the docs.
    const QString folder = qEnvironmentVariable("BRALVO_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        const QString prefix = QDir(folder).filePath("bill-page1");
        const auto run = runTool("pdftoppm", {"-r", "80", "-png", "-singlefile", "-f", "1", "-l", "1", pdf, prefix});
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    }
}

// The most a bill's summary holds: four VAT rates with base and VAT
// each, two deducted advances and the rounding; and the account's IBAN.
// Every amount and the whole IBAN are in the PDF's text.
TEST_F(PrintedBill, PdfOfABillWithFourRatesAndTwoAdvancesShowsEverySummaryLine)
{
    sql("INSERT INTO polozky (ID, kod, nazov, merna_jednotka, dph, cena, za_mj, existuje) VALUES "
        "(63, 'K5', 'Kniha', 'ks', 5, 20, 1, 1), (64, 'V23', 'Víno', 'ks', 23, 30, 1, 1)");
    sql(QString::fromUtf8("INSERT INTO ucty (ID, nazov, nazov_banky, cislo_uctu, iban, swift, je_uzivatelsky, "
                          "existuje) VALUES (70, 'Hlavný', 'Všeobecná úverová banka, a.s.', '2612345678/1100', "
                          "'SK31 1100 0000 0026 1234 5678', 'SUBASKBX', 0, 1)"));
    const char *const advances = "INSERT INTO faktury (ID, cislo, typ, datum_vystavenia, id_uzivatel, id_odberatel, "
                                 "suma_celkom, suma_kuhrade, hlavna_mena, kurz, existuje) VALUES "
                                 "(41, 'ZF0900001', 2, '2009-02-01', 1, 50, 100, 100, 'Sk', 1, 1), "
                                 "(42, 'ZF0900002', 2, '2009-02-15', 1, 50, 50, 50, 'Sk', 1, 1)";
    addFixtureBill(3, {"INSERT INTO sp_polozky (id_faktura, id_polozka, cena, pocet, zlava, zaratat_dph) VALUES "
                       "(40, 63, 20, 1, 0, 1), (40, 64, 30, 2, 0, 1)",
                       "UPDATE faktury SET id_ucet = 70 WHERE ID = 40", advances,
                       "INSERT INTO sp_zalfaktury (id_faktura, id_zalfaktura) VALUES (40, 41), (40, 42)"});
    const QString pdf = path("four-rates.pdf");
    QString due;
    printFromEditor([&](report::TrpReport &r) {
        prepare(r);
        exportPdf(r, pdf);
    }, &due);
    // Bases 20 + 100 + 470 + 60, VAT 1 + 10 + 89,30 + 13,80: 764,10; less
    // the advances' 150 and rounded to the bill's step of 0,50.
    EXPECT_EQ(due, "614,00 Sk");
    const QString text = pdftotext(pdf);
    for (const char *expected : {"5%", "23%", "20,00 Sk", "1,00 Sk", "100,00 Sk", "10,00 Sk", "470,00 Sk", "89,30 Sk",
                                 "60,00 Sk", "13,80 Sk", "-150,00 Sk", "-0,10 Sk", "764,00 Sk", "614,00 Sk",
                                 "SK31 1100 0000 0026 1234 5678", "SUBASKBX"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    }
    const QString folder = qEnvironmentVariable("BRALVO_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        const QString prefix = QDir(folder).filePath("bill-four-rates-page1");
        const auto run = runTool("pdftoppm", {"-r", "80", "-png", "-singlefile", "-f", "1", "-l", "1", pdf, prefix});
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    }
}

// The bands of one prepared page by name, with their top edges.
QList<QPair<QString, double>> bandsOf(const report::TrpReportPage &page)
{
    QList<QPair<QString, double>> bands;
    for (report::TrpComponent *c : page.AllObjects()) {
        if (dynamic_cast<report::TrpBand *>(c))
            bands << qMakePair(c->name(), c->AbsTop());
    }
    return bands;
}

int countNamed(const QList<QPair<QString, double>> &bands, const QString &name)
{
    return int(std::count_if(bands.begin(), bands.end(), [&](const auto &b) { return b.first == name; }));
}

TEST_F(PrintedBill, SummaryWithoutRoomGoesAloneAboveTheLastFooter)
{
    // 36 lines of 4 mm leave 12 mm of page 1 (273 - 102 - 10 - 5 - 144),
    // fewer than the summary's 57.5 mm.
    addFixtureBill(36);
    int pages = 0;
    QList<QPair<QString, double>> first, second;
    double footer = 0, summary = 0, pageHeight = 0;
    printFromEditor([&](report::TrpReport &r) {
        prepare(r);
        pages = r.PreparedPages()->GetCount();
        ASSERT_EQ(pages, 2);
        first = bandsOf(*r.PreparedPages()->GetPage(0));
        second = bandsOf(*r.PreparedPages()->GetPage(1));
        footer = r.FindObject("PageFooter1")->Height();
        summary = r.FindObject("ReportSummary1")->Height();
        auto *page = dynamic_cast<report::TrpReportPage *>(r.FindObject("Page1"));
        ASSERT_NE(page, nullptr);
        pageHeight = (page->PaperHeight() - page->TopMargin() - page->BottomMargin()) * report::kPixelsPerMm;
    });
    ASSERT_EQ(pages, 2);
    EXPECT_EQ(countNamed(first, "MasterData1"), 36);
    EXPECT_EQ(countNamed(first, "ReportSummary1"), 0);
    EXPECT_EQ(countNamed(second, "MasterData1"), 0);
    EXPECT_EQ(countNamed(second, "ReportTitle1"), 0);
    ASSERT_EQ(countNamed(second, "ReportSummary1"), 1);
    for (const auto &band : second) {
        if (band.first == "ReportSummary1")
            EXPECT_NEAR(band.second, pageHeight - footer - summary - 0.1, 0.01);
    }
}

TEST_F(PrintedBill, SummaryStaysOnTheLastPageOfLinesWhenItFits)
{
    addFixtureBill(20);
    int pages = 0;
    double summaryTop = 0;
    printFromEditor([&](report::TrpReport &r) {
        prepare(r);
        pages = r.PreparedPages()->GetCount();
        for (const auto &band : bandsOf(*r.PreparedPages()->GetPage(0)))
            if (band.first == "ReportSummary1")
                summaryTop = band.second;
    });
    EXPECT_EQ(pages, 1);
    // Pushed down to sit on the footer: 273 - 5 - 57.5 mm, less 0.1 px.
    EXPECT_NEAR(summaryTop, (273 - 5 - 57.5) * report::kPixelsPerMm - 0.1, 0.05);
}

QByteArray fileBytes(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(PrintedBill, DotMatrixLayoutPrintedToAFileEqualsItsGolden)
{
    addFixtureBill(36);
    services::WriteSettingBool("Faktura", "DotMatrix", true);
    const QString prn = path("bill.prn");
    printFromEditor([&](report::TrpReport &r) {
        ASSERT_TRUE(r.DotMatrixReport());
        prepare(r);
        report::TrpDotMatrixExport *filter = report::CurrentDotMatrixExport();
        ASSERT_NE(filter, nullptr);
        EXPECT_EQ(filter->name(), "rpDotMatrixExport1");
        EXPECT_FALSE(filter->SaveToFile());  // the program prints
        EXPECT_EQ(filter->EscModel(), 0);
        exportToDotMatrixFile(r, *filter, prn);
    });
    const QByteArray bytes = fileBytes(prn);
    const QString goldenFile = QStringLiteral(BRALVO_SOURCE_DIR "/tests/app/golden/bill_dotmatrix.prn");
    if (qEnvironmentVariableIsSet("BRALVO_UPDATE_GOLDEN")) {
        QFile out(goldenFile);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    const QByteArray golden = fileBytes(goldenFile);
    ASSERT_FALSE(golden.isEmpty()) << "missing " << goldenFile.toStdString();
    EXPECT_EQ(bytes, golden);

    // What the golden holds: the printer reset first, the text in code
    // page 852, frames of "+", "-" and "|", a form feed per page.
    EXPECT_TRUE(bytes.startsWith("\x1b@"));
    EXPECT_EQ(bytes.count('\f'), 2);
    EXPECT_TRUE(bytes.endsWith("\f"));
    QStringDecoder cp852("IBM852");
    const QString text = cp852(bytes);
    EXPECT_TRUE(text.contains(QString::fromUtf8(kCustomer)));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Dlažba kamenná")));
    EXPECT_FALSE(bytes.contains(QString::fromUtf8(kCustomer).toUtf8()));
    EXPECT_TRUE(bytes.contains("+-----"));
    EXPECT_TRUE(bytes.contains('|'));
}

// The dot-matrix bill's raw job, in code page 852: the payment form
// below its frame line, a 10-digit constant symbol whole, the order
// number a blank apart from its label, and "EUR" for the euro sign the
// code page lacks (the bill shown also in euros).
TEST_F(PrintedBill, DotMatrixJobShowsPaymentFormSymbolsAndEuros)
{
    addFixtureBill(3, {QString::fromUtf8("UPDATE faktury SET ks = '1234567890', fakturovat_vcudzejmene = 1, "
                                         "fakturovat_vdvochmenach = 1, cudzia_menaIso = 'EUR', "
                                         "cudzia_menaZobr = '€', kurz = 30.126 WHERE ID = 40")});
    services::WriteSettingBool("Faktura", "DotMatrix", true);
    const QString prn = path("euro.prn");
    printFromEditor([&](report::TrpReport &r) {
        prepare(r);
        report::TrpDotMatrixExport *filter = report::CurrentDotMatrixExport();
        ASSERT_NE(filter, nullptr);
        exportToDotMatrixFile(r, *filter, prn);
    });
    const QByteArray bytes = fileBytes(prn);
    ASSERT_FALSE(bytes.isEmpty());
    // Printer commands out, the text as the paper shows it.
    QByteArray plain = bytes;
    plain.replace(QByteArray("\x1b" "E"), "").replace(QByteArray("\x1b" "F"), "");
    const QString text = QStringDecoder("IBM852")(plain);
    for (const char *expected : {"Forma úhrady: prevodom", "konštantný symb.: 1234567890", "objednávky: OBJ-17"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Inf\\.hodn\\.:\\s+[0-9 ]+,[0-9]{2} EUR"))))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QLatin1Char('?'))) << text.toStdString();
}

// Every layout of the program prepares through the engine (its script
// compiles, its names resolve) with every name answered by a text.
TEST_F(PrintedBill, EveryLayoutPreparesThroughTheEngine)
{
    const struct {
        const char *file, *dataSet;
    } layouts[] = {
        {"bill.rpx", "rpUDSpolozky"},         {"bill_dotmatrix.rpx", "rpUDSpolozky"},
        {"receipt.rpx", nullptr},             {"receipt_two.rpx", nullptr},
        {"bill_list.rpx", "rpUDTzoznamf"},    {"overview_bills.rpx", "rpUDTzoznamf"},
        {"overview_customers.rpx", "rpUDTzoznamf"}, {"overview_categories.rpx", "rpUDTzoznamf"},
        {"overview_items.rpx", "rpUDTzoznamf"},
    };
    for (const auto &l : layouts) {
        SCOPED_TRACE(l.file);
        report::TrpUserDataSet rows(nullptr);
        rows.SetUserName(QString::fromLatin1(l.dataSet ? l.dataSet : "unused"));
        rows.SetRangeEnd(report::reCount);
        rows.SetRangeEndCount(3);
        report::TrpReport r;
        app::LoadReportLayout(r, QString::fromLatin1(l.file), l.dataSet ? &rows : nullptr);
        r.OnGetValue = [](const QString &name, platform::Variant &value) { value = platform::Variant(name); };
        prepare(r);
        EXPECT_TRUE(r.ErrorList().text().isEmpty()) << r.ErrorList().text().toStdString();
        ASSERT_GE(r.PreparedPages()->GetCount(), 1);
        if (l.dataSet)
            EXPECT_EQ(countNamed(bandsOf(*r.PreparedPages()->GetPage(0)), "MasterData1"), 3);
    }
}

// The bill list printed by the engine: a row per listed bill, the
// home-currency sum of totals, and the several-firms warning once per
// print although every page asks for the firm.
TEST_F(PrintedBill, BillListPrintsEveryBillAndWarnsOncePerPrint)
{
    sql(QString::fromUtf8("INSERT INTO firma (nazov, existuje) VALUES ('Druhá firma', 1)"));
    for (int i = 1; i <= 60; ++i)
        addBill(QString("B%1").arg(i, 2, 10, QChar('0')), 1, 10, 10);
    app::TfZoznamFaktur &list = openList();
    int pages = 0, rows = 0;
    QString text;
    app::reportShower() = [&](report::TrpReport &r) {
        prepare(r);
        pages = r.PreparedPages()->GetCount();
        for (int p = 0; p < pages; ++p) {
            const auto bands = bandsOf(*r.PreparedPages()->GetPage(p));
            rows += countNamed(bands, "MasterData1");
            for (report::TrpComponent *c : r.PreparedPages()->GetPage(p)->AllObjects())
                if (auto *memo = dynamic_cast<report::TrpCustomMemoView *>(c))
                    text += memo->Text() + '\n';
        }
    };
    for (int print = 1; print <= 2; ++print) {
        SCOPED_TRACE(print);
        pages = rows = 0;
        text.clear();
        m_boxes.answerBox(platform::kIdOk);
        list.bitTlacitZoznamFakturClick();
        EXPECT_GE(pages, 2);
        EXPECT_EQ(rows, 60);
        EXPECT_EQ(shownTexts().size(), print);
        EXPECT_EQ(shownTexts().last(), services::MessageText(177));
        EXPECT_TRUE(text.contains("600,00 Sk")) << text.toStdString();
    }
}

// The bill overview printed by the engine with nothing to list: the
// title, the column captions and the summary still print, and the
// several-firms warning comes once however often the names are asked.
TEST_F(PrintedBill, EmptyOverviewPrintsTitleHeaderAndSummaryWarningOnce)
{
    sql(QString::fromUtf8("INSERT INTO firma (nazov, existuje) VALUES ('Druhá firma', 1)"));
    app::TfTabulky window(nullptr, false);
    window.show();
    QList<QPair<QString, double>> bands;
    int pages = 0;
    app::reportShower() = [&](report::TrpReport &r) {
        prepare(r);
        pages = r.PreparedPages()->GetCount();
        bands = bandsOf(*r.PreparedPages()->GetPage(0));
    };
    window.findChild<QRadioButton *>("rbUhradene")->setChecked(true);  // no paid bill this year
    m_boxes.answerBox(platform::kIdOk);
    window.bitTlacitZoznamFaktur->click();
    EXPECT_EQ(pages, 1);
    for (const char *band : {"ReportTitle1", "PageHeader1", "ReportSummary1", "PageFooter1"})
        EXPECT_EQ(countNamed(bands, band), 1) << band;
    EXPECT_EQ(countNamed(bands, "MasterData1"), 0);
    EXPECT_EQ(shownTexts().size(), 1);
}

} // namespace
} // namespace bralvo::test
