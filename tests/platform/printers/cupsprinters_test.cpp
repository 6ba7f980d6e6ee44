// The CUPS layer against a private cupsd: the printer list, papers and
// bins, raw jobs landing byte for byte, drawn jobs as PDF.
#include "platform/printers/cupsjob.h"
#include "platform/printers/cupsprinters.h"
#include "platform/printers/devicemode.h"
#include "platform/printers/papertable.h"
#include "platform/printers/pdfprintjob.h"
#include "platform/printers/printererror.h"
#include "tests/platform/printers/cupstestserver.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace bralvo::platform;
using bralvo::test::CupsTestServer;

namespace {

TEST(PaperTable, KnowsTheWindowsCodes)
{
    EXPECT_EQ(paperTable().size(), 66u);
    struct Case { int code; double w, h; };
    for (const Case &c : {Case{9, 210, 297}, Case{11, 148, 210}, Case{1, 215.9, 279.4},
                          Case{68, 322, 445}, Case{26, 863.6, 1117.6}}) {
        SCOPED_TRACE(c.code);
        ASSERT_TRUE(paperDimensions(c.code));
        EXPECT_DOUBLE_EQ(paperDimensions(c.code)->width(), c.w);
        EXPECT_DOUBLE_EQ(paperDimensions(c.code)->height(), c.h);
    }
    for (int missing : {0, 48, 49, 69, 256, -1})
        EXPECT_FALSE(paperDimensions(missing)) << missing;
}

TEST(PaperTable, FindsTheCodeOfASize)
{
    struct Case { double w, h; int code; };
    for (const Case &c : {Case{210, 297, 9}, Case{297, 210, 9}, Case{209.9, 297.04, 9},
                          Case{148.17, 209.9, 11}, Case{215.9, 279.4, 1}, Case{100, 100, 0}}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(c.w).arg(c.h).toStdString());
        EXPECT_EQ(paperCodeForSize(c.w, c.h), c.code);
    }
}

TEST(JobOptions, TranslateTheDeviceMode)
{
    CupsPrinterInfo printer;
    printer.papers.append({"A4", "iso_a4_210x297mm", 9, 210, 297});
    printer.bins.append({"Manual", "manual", 4});
    DeviceMode all;
    all.fields = DeviceMode::PaperSize | DeviceMode::Copies | DeviceMode::Duplex
                 | DeviceMode::DefaultSource;
    all.copies = 3;
    all.duplex = DeviceMode::Vertical;
    all.defaultSource = 4;
    DeviceMode custom = all;
    custom.paperSize = kCustomPaper;
    custom.paperWidth = 1005;
    custom.paperLength = 1500;
    custom.duplex = DeviceMode::Horizontal;
    custom.defaultSource = 2;  // a bin this printer lacks is not sent
    DeviceMode tableOnly;
    tableOnly.fields = DeviceMode::PaperSize;
    tableOnly.paperSize = 11;
    struct Case { DeviceMode mode; JobOptions options; };
    const Case cases[] = {
        {all, {{"media", "iso_a4_210x297mm"}, {"copies", "3"},
               {"sides", "two-sided-long-edge"}, {"media-source", "manual"}}},
        {custom, {{"media", "custom_100.5x150mm"}, {"copies", "3"},
                  {"sides", "two-sided-short-edge"}}},
        {tableOnly, {{"media", "custom_148x210mm"}}},
        {DeviceMode{}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(jobOptions(c.mode, printer), c.options);
}

class CupsLayer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = std::make_unique<CupsTestServer>(); }
    static void TearDownTestSuite() { s_server.reset(); }
    void SetUp() override { ASSERT_EQ(s_server->error(), QString()); }
    static std::unique_ptr<CupsTestServer> s_server;
};
std::unique_ptr<CupsTestServer> CupsLayer::s_server;

TEST_F(CupsLayer, ListsTheQueuesAndTheDefault)
{
    const QStringList names = cupsPrinterNames();
    EXPECT_TRUE(names.contains("Laser"));
    EXPECT_TRUE(names.contains("Raw"));
    EXPECT_EQ(cupsDefaultPrinter(), "Laser");
}

TEST_F(CupsLayer, ReadsPapersBinsAndResolutionFromThePpd)
{
    const auto info = cupsPrinterInfo("Laser");
    ASSERT_TRUE(info);
    struct Want { int code; double w, h; };
    for (const Want &w : {Want{9, 210, 297}, Want{11, 148, 210}, Want{1, 215.9, 279.4}}) {
        SCOPED_TRACE(w.code);
        const CupsPaper *p = info->paper(w.code);
        ASSERT_NE(p, nullptr);
        EXPECT_NEAR(p->width, w.w, 0.2);
        EXPECT_NEAR(p->height, w.h, 0.2);
        EXPECT_NEAR(p->left, 12 * 25.4 / 72, 0.05);  // ImageableArea's 12 points
        EXPECT_NEAR(p->bottom, 12 * 25.4 / 72, 0.05);
        EXPECT_FALSE(p->name.isEmpty());
    }
    ASSERT_GE(info->defaultPaper, 0);
    EXPECT_EQ(info->papers.at(info->defaultPaper).code, 9);
    ASSERT_EQ(info->bins.size(), 2);
    EXPECT_EQ(info->bins.at(0).code, 1);  // upper tray
    EXPECT_EQ(info->bins.at(1).code, 4);  // manual feed
    EXPECT_EQ(info->dpi, QPoint(600, 600));
    EXPECT_FALSE(cupsPrinterInfo("NoSuchQueue"));
}

TEST_F(CupsLayer, RawJobLandsByteForByte)
{
    QByteArray data;
    for (int i = 0; i < 3000; ++i)
        data.append(char(i % 256));
    data.append("\x1b@\x1b" "E bold\r\n\x0c");
    CupsRawJob job;
    job.begin("Raw", "raw test");
    EXPECT_TRUE(job.isOpen());
    for (qsizetype at = 0; at < data.size(); at += 1024)
        job.write(data.mid(at, 1024));
    job.write(QByteArray());
    EXPECT_GT(job.finish(), 0);
    EXPECT_FALSE(job.isOpen());
    EXPECT_EQ(s_server->waitForOutput("Raw"), data);
}

TEST_F(CupsLayer, UntitledJobIsAccepted)
{
    CupsRawJob job;
    job.begin("Raw", QString());
    job.write("untitled");
    EXPECT_GT(job.finish(), 0);
    EXPECT_EQ(s_server->waitForOutput("Raw"), "untitled");
}

TEST_F(CupsLayer, RawJobOnAMissingOrClosedQueueRaises)
{
    for (const char *queue : {"NoSuchQueue", "Closed"}) {
        SCOPED_TRACE(queue);
        CupsRawJob job;
        EXPECT_THROW(job.begin(queue, "refused"), PrinterError);
        EXPECT_FALSE(job.isOpen());
        EXPECT_THROW(job.write("x"), PrinterError);
    }
}

TEST_F(CupsLayer, DrawnJobArrivesAsPdfWithEveryPage)
{
    PdfPrintJob job;
    job.begin("drawn test", 600);
    QPainter *p = job.beginPage(QSizeF(210, 297), QPointF(4, 4));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->device()->devType(), QInternal::Printer);
    EXPECT_EQ(p->device()->logicalDpiY(), 600);
    p->drawRect(0, 0, 600, 600);
    p = job.beginPage(QSizeF(297, 210), QPointF(4, 4));
    p->drawText(100, 100, "Bralvo");
    EXPECT_EQ(job.pageCount(), 2);
    EXPECT_GT(job.finishToPrinter("Laser", {{"media", "iso_a4_210x297mm"}}), 0);
    const QByteArray pdf = s_server->waitForOutput("Laser");
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 2);
}

TEST_F(CupsLayer, DrawnJobToFileAndAbort)
{
    QTemporaryDir dir;
    PdfPrintJob job;
    job.begin("to file", 300);
    job.beginPage(QSizeF(148, 210), QPointF());
    job.finishToFile(dir.filePath("out.prn"));
    QFile f(dir.filePath("out.prn"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF-"));

    job.begin("aborted", 300);
    job.beginPage(QSizeF(148, 210), QPointF());
    job.abort();
    EXPECT_FALSE(job.isOpen());
    EXPECT_EQ(job.finishToPrinter("Laser", {}), 0);  // nothing left to send
}

TEST(CupsLayerWithoutServer, ListsNothing)
{
    bralvo::test::useCupsServer("127.0.0.1:1");
    EXPECT_TRUE(cupsPrinterNames().isEmpty());
    EXPECT_FALSE(cupsPrinterInfo("Laser"));
    CupsRawJob job;
    EXPECT_THROW(job.begin("Laser", "nowhere"), PrinterError);
    bralvo::test::useCupsServer(QByteArray());
}

} // namespace
