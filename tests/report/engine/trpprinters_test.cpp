// The report printers against a private cupsd: the list and default,
// papers and bins, view and print settings, drawn and raw jobs, and the
// virtual printer when no printer exists.
#include "report/engine/trpprinters.h"

#include "report/engine/trpengine.h"

#include "platform/printers/printererror.h"
#include "tests/platform/printers/cupstestserver.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace bralvo::report;
using bralvo::platform::DeviceMode;
using bralvo::platform::PrinterError;
using bralvo::test::CupsTestServer;

namespace {

TEST(RpGetPaperDimensions, KnowsTableCodesOnly)
{
    double w = -1, h = -1;
    ASSERT_TRUE(rpGetPaperDimensions(9, w, h));
    EXPECT_DOUBLE_EQ(w, 210);
    EXPECT_DOUBLE_EQ(h, 297);
    for (int code : {48, 256}) {
        w = h = -1;
        EXPECT_FALSE(rpGetPaperDimensions(code, w, h)) << code;
        EXPECT_EQ(w, -1);
        EXPECT_EQ(h, -1);
    }
}

TEST(TrpVirtualPrinter, StandsInWhenNoPrinterExists)
{
    bralvo::test::useCupsServer("127.0.0.1:1");  // nothing listens there
    TrpPrinters list;
    bralvo::test::useCupsServer(QByteArray());
    EXPECT_FALSE(list.HasPhysicalPrinters());
    EXPECT_TRUE(list.Names().isEmpty());
    ASSERT_EQ(list.Count(), 1);
    TrpCustomPrinter *p = list.GetCurrentPrinter();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Name(), "Virtual");
    EXPECT_EQ(p->DPI(), QPoint(600, 600));
    ASSERT_EQ(p->PaperList().size(), 67);
    EXPECT_EQ(p->PaperList().first(), (TrpCodeItem{"Custom", 256}));
    EXPECT_EQ(p->PaperList().at(1).Code, 1);
    EXPECT_EQ(p->PaperList().last().Code, 68);
    EXPECT_EQ(p->PaperCode(), 9);

    p->ApplyPaperForView(9, true, 0, 0);
    EXPECT_EQ(p->PaperWidth(), 297);
    EXPECT_EQ(p->PaperHeight(), 210);
    for (double m : {p->LeftMargin(), p->TopMargin(), p->RightMargin(), p->BottomMargin()})
        EXPECT_EQ(m, 4);
    p->ApplyPaperForView(256, false, 100, 150);
    EXPECT_EQ(p->PaperCode(), 256);
    EXPECT_EQ(p->PaperWidth(), 100);
    EXPECT_EQ(p->PaperHeight(), 150);
}

class ReportPrinters : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = std::make_unique<CupsTestServer>(); }
    static void TearDownTestSuite() { s_server.reset(); }
    void SetUp() override
    {
        ASSERT_EQ(s_server->error(), QString());
        QFile::remove(s_server->outputFile("Laser"));
        QFile::remove(s_server->outputFile("Raw"));
        m_list = std::make_unique<TrpPrinters>();
    }
    TrpCustomPrinter &select(const QString &name)
    {
        m_list->SetPrinterIndex(m_list->IndexOf(name));
        return *m_list->GetCurrentPrinter();
    }
    static std::unique_ptr<CupsTestServer> s_server;
    std::unique_ptr<TrpPrinters> m_list;
};
std::unique_ptr<CupsTestServer> ReportPrinters::s_server;

TEST_F(ReportPrinters, ListsTheQueuesAndSelectsTheDefault)
{
    EXPECT_TRUE(m_list->HasPhysicalPrinters());
    EXPECT_TRUE(m_list->Names().contains("Laser"));
    EXPECT_TRUE(m_list->Names().contains("Raw"));
    EXPECT_EQ(m_list->Names().size(), m_list->Count());
    EXPECT_EQ(m_list->DefaultPrinterName(), "Laser");
    ASSERT_NE(m_list->GetCurrentPrinter(), nullptr);
    EXPECT_EQ(m_list->GetCurrentPrinter()->Name(), "Laser");
    EXPECT_TRUE(m_list->GetCurrentPrinter()->Initialized());
    EXPECT_EQ(m_list->IndexOf("lASER"), m_list->PrinterIndex());
    EXPECT_EQ(m_list->IndexOf("Nobody"), -1);
}

TEST_F(ReportPrinters, ReadsPapersBinsAndTheDefaultSetting)
{
    TrpCustomPrinter &p = select("Laser");
    const TrpCodeList papers{{"Custom", 256}, {"A5", 11}, {"A4", 9}, {"Letter", 1}};
    EXPECT_EQ(p.PaperList().size(), 4);
    for (const TrpCodeItem &want : papers)
        EXPECT_GE(p.PaperIndex(want.Code), 0) << want.Code;
    EXPECT_EQ(p.PaperIndex(256), 0);
    EXPECT_EQ(p.PaperIndex(8), -1);
    EXPECT_EQ(p.PaperCodeByName(p.PaperList().at(p.PaperIndex(11)).Name), 11);
    EXPECT_EQ(p.PaperCodeByName("No such paper"), 256);
    ASSERT_EQ(p.BinList().size(), 3);
    EXPECT_EQ(p.BinList().at(0), (TrpCodeItem{"Default", 7}));
    EXPECT_EQ(p.BinList().at(1).Code, 1);
    EXPECT_EQ(p.BinList().at(2).Code, 4);
    EXPECT_EQ(p.DPI(), QPoint(600, 600));
    // A4 (595 x 842 points = 209.90 x 297.04 mm) with 12-point (4.23 mm)
    // unprintable edges, in whole millimetres: the right margin is
    // 210 - round(201.44) - 4 = 5, the bottom 297 - round(288.57) - 4 = 4.
    EXPECT_EQ(p.DefaultPaper(), 9);
    EXPECT_EQ(p.DefaultPaperWidth(), 210);
    EXPECT_EQ(p.DefaultPaperHeight(), 297);
    EXPECT_FALSE(p.DefaultOrientation());
    EXPECT_EQ(p.LeftMargin(), 4);
    EXPECT_EQ(p.TopMargin(), 4);
    EXPECT_EQ(p.RightMargin(), 5);
    EXPECT_EQ(p.BottomMargin(), 4);
    EXPECT_EQ(p.ChosenBin(), -1);
}

// Runs lpadmin against the test server; its output when it fails.
QString lpadmin(int port, const QStringList &args)
{
    QProcess tool;
    tool.start(QStringLiteral("lpadmin"), QStringList{QStringLiteral("-h"), QStringLiteral("127.0.0.1:%1").arg(port)} + args);
    if (!tool.waitForFinished(20000))
        return QStringLiteral("lpadmin did not finish");
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    return QString();
}

// A new page takes the default printer's own paper: Letter on a queue set
// to it, in millimetres from the paper table.
TEST_F(ReportPrinters, NewPagesTakeTheCurrentPrintersPaper)
{
    const int port = s_server->port();
    ASSERT_EQ(lpadmin(port, {QStringLiteral("-p"), QStringLiteral("Capture"), QStringLiteral("-o"),
                             QStringLiteral("media-default=na_letter_8.5x11in")}),
              QString());
    ASSERT_EQ(lpadmin(port, {QStringLiteral("-d"), QStringLiteral("Capture")}), QString());
    installReportEngine();
    ASSERT_EQ(rpPrinters().GetCurrentPrinter()->Name(), QStringLiteral("Capture"));
    TrpReportPage page(nullptr);
    page.SetDefaults();
    EXPECT_EQ(page.PaperSize(), 1);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 215.9);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 279.4);
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_DOUBLE_EQ(page.LeftMargin(), 10);
    EXPECT_DOUBLE_EQ(page.Width(), 816);
}

// A queue whose default is landscape gives a landscape default setting
// and paper read across.
TEST_F(ReportPrinters, DefaultOrientationComesFromThePrinter)
{
    const int port = s_server->port();
    ASSERT_EQ(lpadmin(port, {QStringLiteral("-p"), QStringLiteral("Raw"), QStringLiteral("-o"),
                             QStringLiteral("orientation-requested-default=4")}),
              QString());
    TrpPrinters list;
    list.SetPrinterIndex(list.IndexOf(QStringLiteral("Raw")));
    TrpCustomPrinter &p = *list.GetCurrentPrinter();
    ASSERT_TRUE(p.Initialized());
    EXPECT_TRUE(p.DefaultOrientation());
    EXPECT_TRUE(p.Orientation());
    EXPECT_GT(p.PaperWidth(), p.PaperHeight());
    ASSERT_EQ(lpadmin(port, {QStringLiteral("-p"), QStringLiteral("Raw"), QStringLiteral("-o"),
                             QStringLiteral("orientation-requested-default=3")}),
              QString());
}

TEST_F(ReportPrinters, ApplyPaperForViewGivesSizesAndMargins)
{
    TrpCustomPrinter &p = select("Laser");
    struct Case { int code; bool landscape; double w, h; int wantW, wantH; };
    for (const Case &c : {Case{9, true, 0, 0, 297, 210}, Case{11, false, 0, 0, 148, 210},
                          Case{1, false, 0, 0, 216, 279}, Case{256, false, 100, 150, 100, 150},
                          Case{8, false, 0, 0, 297, 420}}) {  // A3: table size
        SCOPED_TRACE(c.code);
        p.ApplyPaperForView(c.code, c.landscape, c.w, c.h);
        EXPECT_EQ(p.PaperCode(), c.code);
        EXPECT_EQ(p.Orientation(), c.landscape);
        EXPECT_EQ(p.PaperWidth(), c.wantW);
        EXPECT_EQ(p.PaperHeight(), c.wantH);
        EXPECT_EQ(p.LeftMargin(), 4);
    }
}

TEST_F(ReportPrinters, ApplyPrintSettingsFillsTheDeviceMode)
{
    auto &p = static_cast<TrpPrinter &>(select("Laser"));
    p.ApplyPrintSettings(9, false, 1, 1, 7, 297, 210);
    EXPECT_EQ(p.Mode().defaultSource, 7);  // 7 keeps the printer's source
    EXPECT_FALSE(p.Mode().fields & DeviceMode::Duplex);
    p.ApplyPrintSettings(256, true, 3, 2, 4, 150.04, 100.06);
    EXPECT_EQ(p.Mode().paperSize, 256);
    EXPECT_EQ(p.Mode().paperLength, 1500);
    EXPECT_EQ(p.Mode().paperWidth, 1001);
    EXPECT_EQ(p.Mode().orientation, 2);
    EXPECT_EQ(p.Mode().copies, 3);
    EXPECT_EQ(p.Mode().defaultSource, 4);
    EXPECT_EQ(p.Mode().duplex, DeviceMode::Vertical);
    struct Case { int duplex; int want; };
    for (const Case &c : {Case{3, DeviceMode::Horizontal}, Case{4, DeviceMode::Simplex},
                          Case{1, DeviceMode::Simplex}}) {  // 1 leaves it
        p.ApplyPrintSettings(9, false, 1, c.duplex, 7, 297, 210);
        EXPECT_EQ(p.Mode().duplex, c.want) << c.duplex;
    }
    p.SetChosenBin(1);  // picked in the properties dialog: wins over the page's bin
    p.ApplyPrintSettings(9, false, 1, 1, 4, 297, 210);
    EXPECT_EQ(p.Mode().defaultSource, 1);
}

TEST_F(ReportPrinters, RawJobLandsByteForByte)
{
    TrpCustomPrinter &p = select("Raw");
    QByteArray data("\x1b@\x1bx1");
    for (int i = 0; i < 2048; ++i)
        data.append(char(255 - i % 256));
    p.SetDocumentTitle("Faktura 2026001");
    p.BeginRawDoc();
    // As the dot-matrix export sends a file: 1024-byte chunks, then an
    // empty one when the size is a multiple of 1024.
    for (qsizetype at = 0; at <= data.size(); at += 1024)
        p.WriteRaw(data.mid(at, 1024));
    p.EndRawDoc();
    EXPECT_EQ(s_server->waitForOutput("Raw"), data);
    EXPECT_EQ(s_server->finishedJobTitles("Raw").last(), "Faktura 2026001");
}

// The first page from the upper tray, the rest from manual feed: a queue
// takes one bin per job, so the document goes out as two jobs.
TEST_F(ReportPrinters, PagesWithAnotherBinGoOutAsTheNextJob)
{
    TrpCustomPrinter &p = select("Laser");
    p.SetDocumentTitle("Bins");
    const int before = int(s_server->finishedJobTitles("Laser").size());
    for (int page = 0; page < 3; ++page) {
        p.ApplyPrintSettings(9, false, 1, 1, page == 0 ? 1 : 4, 297, 210);
        if (page == 0)
            p.BeginDoc();
        p.BeginPage();
        p.EndPage();
    }
    p.EndDoc();
    // The second job holds pages 2 and 3.
    const QByteArray pdf = s_server->waitForOutput("Laser");
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 2);
    EXPECT_EQ(s_server->finishedJobTitles("Laser").mid(before), QStringList({"Bins", "Bins"}));
}

TEST_F(ReportPrinters, DrawnJobPrintsEveryPageAsPdf)
{
    TrpCustomPrinter &p = select("Laser");
    p.SetDocumentTitle("Report");
    p.ApplyPrintSettings(9, false, 1, 1, 7, 297, 210);
    EXPECT_EQ(p.Canvas(), nullptr);
    p.BeginDoc();
    EXPECT_TRUE(p.DocOpen());
    for (int page = 0; page < 3; ++page) {
        p.BeginPage();
        QPainter *canvas = p.Canvas();
        ASSERT_NE(canvas, nullptr);
        EXPECT_EQ(canvas->device()->devType(), QInternal::Printer);
        EXPECT_EQ(canvas->device()->logicalDpiY(), p.DPI().y());
        canvas->drawText(100, 100, QStringLiteral("Strana %1").arg(page + 1));
        p.EndPage();
    }
    p.EndDoc();
    EXPECT_FALSE(p.DocOpen());
    const QByteArray pdf = s_server->waitForOutput("Laser");
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 3);
}

TEST_F(ReportPrinters, PrintToFileWritesThePdfThere)
{
    QTemporaryDir dir;
    TrpCustomPrinter &p = select("Laser");
    p.SetOutputFileName(dir.filePath("bill.prn"));
    p.BeginDoc();
    p.BeginPage();
    p.Canvas()->drawLine(0, 0, 500, 500);
    p.EndPage();
    p.EndDoc();
    QFile out(dir.filePath("bill.prn"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().startsWith("%PDF-"));
    EXPECT_FALSE(QFile::exists(s_server->outputFile("Laser")));
}

TEST_F(ReportPrinters, AbortPrintsNothing)
{
    TrpCustomPrinter &p = select("Laser");
    p.BeginDoc();
    p.BeginPage();
    p.Abort();
    EXPECT_FALSE(p.DocOpen());
    EXPECT_EQ(p.Canvas(), nullptr);
    p.EndDoc();  // nothing open: nothing happens
    EXPECT_FALSE(QFile::exists(s_server->outputFile("Laser")));
}

// A default printer the list lacks, or a stale index, used to leave the
// list on index -1 and initialize a printer that does not exist.
TEST_F(ReportPrinters, SetPrinterIndexOutOfRangeSelectsAValidPrinter)
{
    for (int index : {-1, 99, -7}) {
        select("Raw");
        m_list->SetPrinterIndex(index);
        ASSERT_NE(m_list->GetCurrentPrinter(), nullptr) << index;
        EXPECT_EQ(m_list->GetCurrentPrinter()->Name(), "Laser") << index;  // the default
    }
}

// A printer the server cannot describe has no device mode; reading its
// paper used to touch a null device mode.
TEST_F(ReportPrinters, ApplyPaperOnUninitializedPrinterRaisesNotValid)
{
    m_list->AddPrinter("Gone", QString());
    TrpCustomPrinter &p = select("Gone");
    EXPECT_FALSE(p.Initialized());
    try {
        p.ApplyPaperForView(9, false, 0, 0);
        FAIL() << "no error";
    } catch (const PrinterError &e) {
        EXPECT_EQ(e.userText(), "Printer selected is not valid");
    }
    EXPECT_THROW(p.ApplyPrintSettings(9, false, 1, 1, 7, 297, 210), PrinterError);
    EXPECT_THROW(p.BeginDoc(), PrinterError);
    EXPECT_FALSE(p.DocOpen());
}

// Ending a document ignored the driver's errors, so a refused job looked
// printed; raw writes were not checked either.
TEST_F(ReportPrinters, RefusedJobIsReportedNotIgnored)
{
    TrpCustomPrinter &p = select("Closed");
    ASSERT_TRUE(p.Initialized());
    p.BeginDoc();
    p.BeginPage();
    p.EndPage();
    EXPECT_THROW(p.EndDoc(), PrinterError);
    EXPECT_FALSE(p.DocOpen());
    EXPECT_THROW(p.BeginRawDoc(), PrinterError);
    EXPECT_THROW(p.WriteRaw("x"), PrinterError);
    EXPECT_THROW(p.EndRawDoc(), PrinterError);
}

TEST_F(ReportPrinters, PropertiesDialogChoosesTheBinUntilTheDocumentEnds)
{
    TrpCustomPrinter &p = select("Laser");
    p.ShowPropertiesDialog();  // none installed: nothing
    EXPECT_EQ(p.ChosenBin(), -1);
    SetPrinterPropertiesDialog([](TrpCustomPrinter &) { return std::optional<int>(4); });
    p.ShowPropertiesDialog();
    SetPrinterPropertiesDialog({});
    EXPECT_EQ(p.ChosenBin(), 4);
    p.SetOutputFileName(QTemporaryDir().filePath("x.prn"));
    p.BeginDoc();
    p.Abort();
    EXPECT_EQ(p.ChosenBin(), -1);
}

} // namespace
