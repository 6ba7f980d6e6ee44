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
    // 36 lines of 4 mm leave 16 mm of page 1 (273 - 98 - 10 - 5 - 144),
    // fewer than the summary's 43 mm.
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
    // Pushed down to sit on the footer: 273 - 5 - 43 mm, less 0.1 px.
    EXPECT_NEAR(summaryTop, (273 - 5 - 43) * report::kPixelsPerMm - 0.1, 0.05);
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
        // As a user chooses in its dialog: an Epson printer, into a file.
        filter->SetEscModel(1);
        filter->SetShowDialog(false);
        filter->SetShowProgress(false);
        filter->SetSaveToFile(true);
        filter->SetFileName(prn);
        ASSERT_TRUE(r.PreparedPages()->Export(filter)) << r.ErrorList().text().toStdString();
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
