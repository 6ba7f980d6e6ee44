// Printing prepared pages made in code on the capture queue of a private
// cupsd: what reaches the queue is read back with pdfinfo and pdftotext.
#include "report/engine/trppagesprinter.h"

#include "platform/messageboxseam.h"
#include "report/engine/trpprinters.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "tests/platform/printers/cupstestserver.h"
#include "tests/report/model/stubengine.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QFont>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

TrpReport *newQuietReport()
{
    auto *report = new TrpReport(nullptr);
    report->EngineOptions()->SetNewSilentMode(simSilent);
    return report;
}

// Pages of given papers; each draws "Page N" near its top-left corner.
class PrintTestStore : public StubPreviewPages {
public:
    PrintTestStore() : StubPreviewPages(newQuietReport()), m_report(Report()) {}
    TrpReport &report() { return *m_report; }

    TrpReportPage &addPage(int paper, TPrinterOrientation orientation = poPortrait)
    {
        auto page = std::make_unique<TrpReportPage>(nullptr);
        page->SetPaperSize(paper);
        page->SetOrientation(orientation);
        pages.push_back(std::move(page));
        return *pages.back();
    }
    void addPages(int count, int paper)
    {
        for (int i = 0; i < count; ++i)
            addPage(paper);
    }

    void DrawPage(int index, QPainter &canvas, double scaleX, double scaleY, double offsetX,
                  double offsetY) override
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(int(20 * scaleY));
        canvas.setFont(font);
        canvas.drawText(QPointF(offsetX + 40 * scaleX, offsetY + 60 * scaleY),
                        QStringLiteral("Page %1").arg(index + 1));
        drawn.append(index + 1);
    }

    QList<int> drawn;

private:
    std::unique_ptr<TrpReport> m_report;
};

struct PrintRecord {
    QList<int> copyNos;
    QList<double> scales;
    int clears = 0;
};

TrpPrintHooks recordingHooks(PrintRecord &r)
{
    return {[&r](int c) { r.copyNos.append(c); }, [&r](double s) { r.scales.append(s); },
            [&r] { ++r.clears; }};
}

QString runTool(const QString &tool, const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(tool, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfFile(const QByteArray &pdf, QTemporaryFile &file)
{
    file.open();
    file.write(pdf);
    file.flush();
    return file.fileName();
}

// The "Page N" texts of each sheet of the PDF, joined by blanks.
QStringList sheetTexts(const QByteArray &pdf)
{
    QTemporaryFile file;
    const QString text = runTool("pdftotext", {pdfFile(pdf, file), "-"});
    QStringList sheets = text.split(QChar('\f'));
    if (!sheets.isEmpty() && sheets.last().trimmed().isEmpty())
        sheets.removeLast();
    QStringList result;
    static const QRegularExpression page(QStringLiteral("Page \\d+"));
    for (const QString &s : sheets) {
        QStringList found;
        for (const auto &m : page.globalMatch(s))
            found.append(m.captured());
        result.append(found.join(' '));
    }
    return result;
}

// pdfinfo's "Page size" of each page, in points ("595.276 x 841.89").
QStringList pageSizes(const QByteArray &pdf)
{
    QTemporaryFile file;
    const QString info = runTool("pdfinfo", {"-f", "1", "-l", "999", pdfFile(pdf, file)});
    QStringList sizes;
    static const QRegularExpression size(QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+)"));
    for (const auto &m : size.globalMatch(info))
        sizes.append(QStringLiteral("%1x%2").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble())));
    return sizes;
}

class PagesPrinting : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new test::CupsTestServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_server->error().isEmpty()) << s_server->error().toStdString();
        s_server->clearCaptured();
        m_store.report().PrintOptions()->SetPrinter(QStringLiteral("Capture"));
        m_store.report().PrintOptions()->SetShowDialog(false);
    }
    TrpPrintOptions &options() { return *m_store.report().PrintOptions(); }
    bool print() { return TrpPagesPrinter(m_store, recordingHooks(m_record)).Print(); }
    QList<test::CapturedJob> jobs(int count) { return s_server->capturedJobs(count); }

    static test::CupsTestServer *s_server;
    PrintTestStore m_store;
    PrintRecord m_record;
};

test::CupsTestServer *PagesPrinting::s_server = nullptr;

TEST_F(PagesPrinting, PrinterListMatchesTheServer)
{
    QStringList expected = runTool("lpstat", {"-e"}).split('\n', Qt::SkipEmptyParts);
    QStringList names = rpPrinters().Names();
    expected.sort();
    names.sort();
    EXPECT_EQ(names, expected);
    EXPECT_EQ(rpPrinters().GetCurrentPrinter()->Name(), "Laser");  // the server's default

    rpPrinters().SetPrinterIndex(rpPrinters().IndexOf("Capture"));
    TrpCustomPrinter &p = *rpPrinters().GetCurrentPrinter();
    p.ApplyPaperForView(9, false, 0, 0);
    EXPECT_EQ(p.PaperWidth(), 210);
    EXPECT_EQ(p.PaperHeight(), 297);
    // 12 points (4.23 mm) each in the test PPD; its A4 is 595 points
    // (209.9 mm) wide, so the printable width of 201.4 mm rounds down and
    // the right margin takes the difference.
    EXPECT_EQ(QList<double>({p.LeftMargin(), p.TopMargin(), p.RightMargin(), p.BottomMargin()}),
              QList<double>({4, 4, 5, 4}));
}

TEST_F(PagesPrinting, PageListsOrderAndParityChooseThePages)
{
    struct Case {
        const char *what;
        QString numbers;
        bool reverse;
        TrpPrintPages which;
        QStringList expected;
    };
    const Case cases[] = {
        {"list", "2,4-5", false, ppAll, {"Page 2", "Page 4", "Page 5"}},
        {"list reversed", "2,4-5", true, ppAll, {"Page 5", "Page 4", "Page 2"}},
        {"odd", "", false, ppOdd, {"Page 1", "Page 3", "Page 5"}},
        {"even", "", false, ppEven, {"Page 2", "Page 4", "Page 6"}},
        {"even of the list", "1-3", false, ppEven, {"Page 2"}},
    };
    m_store.addPages(6, 9);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        s_server->clearCaptured();
        options().SetPageNumbers(c.numbers);
        options().SetReverse(c.reverse);
        options().SetPrintPages(c.which);
        ASSERT_TRUE(print());
        const auto captured = jobs(1);
        ASSERT_EQ(captured.size(), 1);
        EXPECT_EQ(sheetTexts(captured[0].bytes), c.expected);
        EXPECT_EQ(options().PageNumbers(), c.numbers) << "the options come back unchanged";
    }
}

TEST_F(PagesPrinting, CopiesWithAndWithoutCollation)
{
    m_store.addPages(2, 9);
    options().SetCopies(3);
    ASSERT_TRUE(print());
    auto captured = jobs(1);
    ASSERT_EQ(captured.size(), 1);
    EXPECT_EQ(sheetTexts(captured[0].bytes),
              QStringList({"Page 1", "Page 2", "Page 1", "Page 2", "Page 1", "Page 2"}));
    EXPECT_EQ(captured[0].copies, 1);
    EXPECT_EQ(m_record.copyNos, QList<int>({1, 1, 2, 2, 3, 3, 0}));

    s_server->clearCaptured();
    m_record = {};
    options().SetCollate(false);
    ASSERT_TRUE(print());
    captured = jobs(1);
    ASSERT_EQ(captured.size(), 1);
    EXPECT_EQ(sheetTexts(captured[0].bytes), QStringList({"Page 1", "Page 2"}));
    EXPECT_EQ(captured[0].copies, 3);
    EXPECT_TRUE(captured[0].options.contains("separate-documents-uncollated-copies"))
        << captured[0].options.toStdString();
    EXPECT_EQ(m_record.copyNos, QList<int>({1, 1, 0}));
}

TEST_F(PagesPrinting, ScaleModeFitsAnA4PageOnA5)
{
    m_store.addPages(1, 9);
    options().SetPrintMode(pmScale);
    options().SetPrintOnSheet(11);  // A5
    ASSERT_TRUE(print());
    const auto captured = jobs(1);
    ASSERT_EQ(captured.size(), 1);
    EXPECT_EQ(pageSizes(captured[0].bytes), QStringList({"420x595"}));
    ASSERT_EQ(m_record.scales.size(), 2);
    EXPECT_EQ(m_record.scales[0], 1.0);
    EXPECT_NEAR(m_record.scales[1], 148.0 / 210.0, 1e-9);
    EXPECT_NEAR(m_record.scales[1], 0.70476, 1e-5);
}

TEST_F(PagesPrinting, SplitModePutsAnA3PageOnTwoLandscapeA4Sheets)
{
    m_store.addPages(1, 8);  // A3
    options().SetPrintMode(pmSplit);
    options().SetPrintOnSheet(9);
    ASSERT_TRUE(print());
    const auto captured = jobs(1);
    ASSERT_EQ(captured.size(), 1);
    EXPECT_EQ(pageSizes(captured[0].bytes), QStringList({"842x595", "842x595"}));
    // The page's corner lies on the first tile only.
    EXPECT_EQ(sheetTexts(captured[0].bytes), QStringList({"Page 1", ""}));
}

TEST_F(PagesPrinting, SplitModePrintsAnA4PageOnOneA4Sheet)
{
    m_store.addPages(2, 9);
    options().SetPrintMode(pmSplit);
    options().SetPrintOnSheet(9);
    ASSERT_TRUE(print());
    const auto captured = jobs(1);
    ASSERT_EQ(captured.size(), 1);
    EXPECT_EQ(pageSizes(captured[0].bytes), QStringList({"595x842", "595x842"}));
}

TEST_F(PagesPrinting, JoinModeRepeatsEachPageCopiesTimesInAll)
{
    struct Case {
        const char *what;
        int pages;
        int copies;
        bool collate;
        QStringList expected;
    };
    // A5 pages go two to a landscape A4 sheet.
    const Case cases[] = {
        {"one copy", 3, 1, true, {"Page 1 Page 2", "Page 3"}},
        {"two copies collated, not squared", 3, 2, true, {"Page 1 Page 1", "Page 2 Page 2", "Page 3 Page 3"}},
        {"three copies carry across sheets", 2, 3, false, {"Page 1 Page 1", "Page 1 Page 2", "Page 2 Page 2"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        s_server->clearCaptured();
        m_store.pages.clear();
        m_store.addPages(c.pages, 11);
        options().SetPrintMode(pmJoin);
        options().SetPrintOnSheet(9);
        options().SetCopies(c.copies);
        options().SetCollate(c.collate);
        ASSERT_TRUE(print());
        const auto captured = jobs(1);
        ASSERT_EQ(captured.size(), 1);
        EXPECT_EQ(sheetTexts(captured[0].bytes), c.expected);
        for (const QString &size : pageSizes(captured[0].bytes))
            EXPECT_EQ(size, "842x595");
    }
}

TEST_F(PagesPrinting, DuplexPadsAnOddPageCountWithAnEmptySheet)
{
    m_store.addPages(3, 9);
    for (auto &page : m_store.pages)
        page->SetDuplex(dmVertical);
    ASSERT_TRUE(print());
    const auto captured = jobs(1);
    ASSERT_EQ(captured.size(), 1);
    EXPECT_EQ(sheetTexts(captured[0].bytes), QStringList({"Page 1", "Page 2", "Page 3", ""}));
    EXPECT_TRUE(captured[0].options.contains("sides=two-sided-long-edge")) << captured[0].options.toStdString();
}

TEST_F(PagesPrinting, ABinChangeStartsTheNextJob)
{
    m_store.addPages(3, 9);
    for (auto &page : m_store.pages) {
        page->SetBin(1);           // upper tray for the first page
        page->SetBinOtherPages(2); // lower tray for the rest
    }
    ASSERT_TRUE(print());
    const auto captured = jobs(2);
    ASSERT_EQ(captured.size(), 2);
    EXPECT_EQ(sheetTexts(captured[0].bytes), QStringList({"Page 1"}));
    EXPECT_EQ(sheetTexts(captured[1].bytes), QStringList({"Page 2", "Page 3"}));
    EXPECT_TRUE(captured[0].options.contains("media-source=top")) << captured[0].options.toStdString();
    EXPECT_TRUE(captured[1].options.contains("media-source=bottom")) << captured[1].options.toStdString();
}

TEST_F(PagesPrinting, EventsFireAroundTheJobAndEachPage)
{
    m_store.addPages(2, 9);
    QStringList events;
    m_store.report().OnPrintReport = [&events](TrpReport *) { events.append("report"); };
    m_store.report().OnPrintPage = [&events](TrpReportPage *, int copy) {
        events.append(QStringLiteral("page %1").arg(copy));
    };
    m_store.report().OnAfterPrintReport = [&events](TrpReport *) { events.append("after"); };
    options().SetCopies(2);
    ASSERT_TRUE(print());
    EXPECT_EQ(events, QStringList({"report", "page 1", "page 1", "page 2", "page 2", "after"}));
}

TEST_F(PagesPrinting, AClosedQueueIsAnErrorNeverAPrint)
{
    m_store.addPages(2, 9);
    options().SetPrinter(QStringLiteral("Closed"));
    m_store.report().EngineOptions()->SetNewSilentMode(simMessageBoxes);
    bool after = false;
    m_store.report().OnAfterPrintReport = [&after](TrpReport *) { after = true; };
    test::ScriptedMessageBoxes boxes;
    boxes.answerBox(platform::kIdOk);
    EXPECT_FALSE(print());
    EXPECT_TRUE(after);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_FALSE(boxes.boxes()[0].text.isEmpty());
    EXPECT_EQ(m_record.copyNos.last(), 0);
}

TEST_F(PagesPrinting, ACancelledDialogPrintsNothing)
{
    m_store.addPages(1, 9);
    options().SetShowDialog(true);
    SetPrintDialogRunner([](TrpReport &, TrpCustomPreviewPages &) { return std::optional<int>(); });
    EXPECT_FALSE(print());
    SetPrintDialogRunner({});
    EXPECT_TRUE(m_store.drawn.isEmpty());
}

TEST_F(PagesPrinting, TerminatedDropsTheWholeJob)
{
    m_store.addPages(3, 9);
    m_store.report().OnPrintPage = [this](TrpReportPage *page, int) {
        if (page == m_store.pages[1].get())
            m_store.report().SetTerminated(true);
    };
    EXPECT_TRUE(print());
    EXPECT_EQ(m_store.drawn, QList<int>({1, 2}));
    EXPECT_TRUE(s_server->capturedJobs(1, 2000).isEmpty());
}

TEST_F(PagesPrinting, PrintToFileWritesThePdfThere)
{
    QTemporaryDir dir;
    m_store.addPages(2, 9);
    rpPrinters().SetPrinterIndex(rpPrinters().IndexOf("Capture"));
    rpPrinters().GetCurrentPrinter()->SetOutputFileName(dir.filePath("bill.prn"));
    ASSERT_TRUE(print());
    rpPrinters().GetCurrentPrinter()->SetOutputFileName(QString());
    QFile file(dir.filePath("bill.prn"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(sheetTexts(pdf), QStringList({"Page 1", "Page 2"}));
    EXPECT_TRUE(s_server->capturedJobs(1, 2000).isEmpty());
}

TEST(PagesPrintingWithoutPrinters, SaysSoAndPrintsNothing)
{
    test::useCupsServer("127.0.0.1:1");  // nothing listens there
    PrintTestStore store;
    store.addPages(1, 9);
    test::ScriptedMessageBoxes boxes;
    boxes.answerBox(platform::kIdOk);
    EXPECT_FALSE(TrpPagesPrinter(store).Print());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "No printers installed on your system");
    test::useCupsServer(QByteArray());
}

TEST(PrintFit, RoundsWithinElevenMillimetres)
{
    struct Case {
        double a, b;
        int expected;
    };
    for (const Case &c : {Case{297, 210, 2}, Case{420, 297, 2}, Case{297, 297, 1}, Case{420, 210, 2},
                          Case{210, 148, 2}, Case{300, 297, 1}, Case{307, 297, 1}, Case{308, 297, 2}}) {
        SCOPED_TRACE(QStringLiteral("%1 / %2").arg(c.a).arg(c.b).toStdString());
        EXPECT_EQ(PrintFit(c.a, c.b), c.expected);
    }
}

} // namespace
