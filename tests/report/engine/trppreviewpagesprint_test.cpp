// The prepared-pages store printing on the capture queue of a private
// cupsd, and rptool's print and dmp commands over a saved .rp3 file.
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trpprinters.h"
#include "report/export/trpdmpexport.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/preview/trppreview.h"
#include "tests/platform/printers/cupstestserver.h"
#include "tests/report/engine/storefixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace bralvo::report::testing {
namespace {

QString run(const QString &program, const QStringList &args, int *exitCode = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAll());
}

int pdfPages(const QByteArray &pdf, const QTemporaryDir &dir)
{
    const QString path = dir.filePath("info.pdf");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(pdf);
    f.close();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages: +(\\d+)")).match(run("pdfinfo", {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

class StorePrinting : public StoreFixture {
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
        installMemoTextLayout();
        StoreFixture::SetUp();
        s_server->clearCaptured();
        report->PrintOptions()->SetPrinter(QStringLiteral("Capture"));
        report->PrintOptions()->SetShowDialog(false);
        preparePages({"Page 1", "Page 2", "Page 3", "Page 4", "Page 5", "Page 6"});
    }

    // One dot-matrix page instead: "AB" in the first cells of its band.
    void prepareDmpPage()
    {
        pages->Clear();
        auto *dmpPage = new TrpDMPPage(report.get());
        dmpPage->setName(QStringLiteral("DmpPage"));
        auto *dmpBand = new TrpMasterData(dmpPage);
        dmpBand->setName(QStringLiteral("DmpBand"));
        dmpBand->SetBounds(0, 0, 96, 17);
        auto *memo = new TrpDMPMemoView(dmpBand);
        memo->setName(QStringLiteral("DmpMemo"));
        memo->SetBounds(0, 0, 96, 17);
        memo->SetText(QStringLiteral("AB"));
        pages->AddSourceObjects(dmpPage);
        pages->AddPage(dmpPage);
        pages->AddObject(dmpBand);
    }

    static test::CupsTestServer *s_server;
    QTemporaryDir m_dir;
};

test::CupsTestServer *StorePrinting::s_server = nullptr;

// The memo text is drawn as glyph outlines, so the pages are told apart
// by what the store hands to each page event.
TEST_F(StorePrinting, PrintsTheChosenPagesAndResetsItsCopyNumber)
{
    report->PrintOptions()->SetPageNumbers(QStringLiteral("2,4-5"));
    report->PrintOptions()->SetReverse(true);
    QStringList printed;
    QList<int> copyNos;
    report->OnPrintPage = [this, &printed, &copyNos](TrpReportPage *page, int) {
        auto *memo = dynamic_cast<TrpCustomMemoView *>(page->FindObject(QStringLiteral("Memo1")));
        printed.append(memo ? memo->Memo()->Text().trimmed() : QString());
        copyNos.append(pages->CopyNo());
    };
    ASSERT_TRUE(pages->Print());
    const auto jobs = s_server->capturedJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(pdfPages(jobs[0].bytes, m_dir), 3);
    EXPECT_EQ(printed, QStringList({"Page 5", "Page 4", "Page 2"}));
    EXPECT_EQ(copyNos, QList<int>({1, 1, 1}));
    EXPECT_EQ(pages->CopyNo(), 0);
    EXPECT_EQ(pages->PrintScale(), 1.0);
    EXPECT_EQ(report->PrintOptions()->PageNumbers(), "2,4-5");
}

TEST_F(StorePrinting, ThePreviewIsLockedWhilePrinting)
{
    TrpPreview preview;
    preview.SetReport(report.get(), pages);
    report->SetPreview(&preview);
    QList<bool> locked;
    report->OnPrintPage = [&](TrpReportPage *, int) { locked.append(preview.Locked()); };
    const bool printed = pages->Print();
    report->SetPreview(nullptr);
    ASSERT_TRUE(printed);
    EXPECT_EQ(locked, QList<bool>(6, true));
    EXPECT_FALSE(preview.Locked());
    EXPECT_EQ(s_server->capturedJobs(1).size(), 1);
}

TEST_F(StorePrinting, RptoolPrintsASavedReport)
{
    const QString file = m_dir.filePath("bill.rp3");
    pages->SaveToFile(file);
    int rc = -1;
    const QString out = run(RPTOOL, {"print", file, "--printer", "Capture", "--copies", "2"}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    const auto jobs = s_server->capturedJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(pdfPages(jobs[0].bytes, m_dir), 12) << "two collated copies of six pages";

    struct Case {
        const char *what;
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {"unknown printer", {"print", file, "--printer", "NoSuch"}, 2},
        {"refused by the queue", {"print", file, "--printer", "Closed"}, 1},
        {"missing file", {"print", m_dir.filePath("none.rp3"), "--printer", "Capture"}, 2},
        {"no printer named", {"print", file}, 2},
        {"copies not a number", {"print", file, "--printer", "Capture", "--copies", "x"}, 2},
        {"dmp needs one target", {"dmp", file, "--printer", "Raw", "--out", m_dir.filePath("x.prn")}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ((run(RPTOOL, c.args, &rc), rc), c.exitCode);
    }
}

// A file that is empty or cut short is refused as dump, pdf and render
// refuse it: a message and exit code 2, nothing printed or written.
TEST_F(StorePrinting, RptoolRefusesAnEmptyOrTruncatedFile)
{
    const QString whole = m_dir.filePath("whole.rp3");
    pages->SaveToFile(whole);
    QFile source(whole);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    const QString prn = m_dir.filePath("out.prn");
    for (const QByteArray &content : {QByteArray(), bytes.left(bytes.size() / 2)}) {
        const QString file = m_dir.filePath("broken.rp3");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        const QStringList commands[] = {{"print", file, "--printer", "Capture"},
                                        {"dmp", file, "--out", prn},
                                        {"dmp", file, "--printer", "Capture"}};
        for (const QStringList &args : commands) {
            SCOPED_TRACE((args.join(' ') + QStringLiteral(", %1 bytes").arg(content.size())).toStdString());
            int rc = -1;
            const QString out = run(RPTOOL, args, &rc);
            EXPECT_EQ(rc, 2) << out.toStdString();
            EXPECT_TRUE(out.contains("rptool: Invalid file format")) << out.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(prn));
    EXPECT_TRUE(s_server->capturedJobs(0).isEmpty());
}

TEST_F(StorePrinting, RptoolDmpWritesTheFileOrTheRawJob)
{
    prepareDmpPage();
    const QString file = m_dir.filePath("dmp.rp3");
    pages->SaveToFile(file);

    const QString prn = m_dir.filePath("dmp.prn");
    int rc = -1;
    QString out = run(RPTOOL, {"dmp", file, "--out", prn, "--escape", "1"}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    QFile f(prn);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("1b40"))) << bytes.toHex().toStdString();
    EXPECT_TRUE(bytes.endsWith("AB\r\n\x0c")) << bytes.toHex().toStdString();

    out = run(RPTOOL, {"dmp", file, "--printer", "Capture", "--escape", "1"}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    const auto jobs = s_server->capturedJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].bytes, bytes);
}

// A broken printers.xml beside the program is reported in a message box
// and the built-in command sets carry on.
TEST_F(StorePrinting, RptoolReportsABrokenPrintersFileAndCarriesOn)
{
    prepareDmpPage();
    const QString file = m_dir.filePath("dmp.rp3");
    pages->SaveToFile(file);
    const QString tool = m_dir.filePath("rptool");
    ASSERT_TRUE(QFile::copy(RPTOOL, tool));
    QFile xml(m_dir.filePath("printers.xml"));
    ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
    xml.write("<printers><printer Name=\"A\"");
    xml.close();

    const QString prn = m_dir.filePath("dmp.prn");
    int rc = -1;
    const QString out = run(tool, {"dmp", file, "--out", prn, "--escape", "1"}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    EXPECT_EQ(out.count("Error in file printers.xml"), 1) << out.toStdString();
    QFile f(prn);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith(QByteArray::fromHex("1b40"))) << "the built-in sets";
}

TEST_F(StorePrinting, ADotMatrixReportPrintsThroughTheCurrentExport)
{
    prepareDmpPage();
    report->SetDotMatrixReport(true);
    report->PrintOptions()->SetCopies(2);
    QStringList events;
    report->OnPrintReport = [&events](TrpReport *) { events.append("report"); };
    report->OnAfterPrintReport = [&events](TrpReport *) { events.append("after"); };
    TrpDotMatrixExport filter;
    filter.SetEscModel(1);
    filter.SetUseIniSettings(false);
    ASSERT_TRUE(pages->Print());
    EXPECT_EQ(events, QStringList({"report", "after"}));
    const auto jobs = s_server->capturedJobs(2);
    ASSERT_EQ(jobs.size(), 2);
    for (const auto &job : jobs)
        EXPECT_TRUE(job.bytes.startsWith(QByteArray::fromHex("1b40")) && job.bytes.endsWith("AB\r\n\x0c"))
            << job.bytes.toHex().toStdString();
}

TEST_F(StorePrinting, ExportEventsFireOnlyForTheDotMatrixExport)
{
    QStringList events;
    report->OnPrintReport = [&events](TrpReport *) { events.append("report"); };
    report->OnAfterPrintReport = [&events](TrpReport *) { events.append("after"); };
    TrpDotMatrixExport filter;
    filter.SetEscModel(1);
    filter.SetShowDialog(false);
    filter.SetSaveToFile(true);
    filter.SetFileName(m_dir.filePath("a.prn"));
    ASSERT_TRUE(pages->Export(&filter));
    EXPECT_EQ(events, QStringList({"report", "after"}));
    {
        TrpDotMatrixExport newer;  // now the current one
        events.clear();
        filter.SetFileName(m_dir.filePath("b.prn"));
        ASSERT_TRUE(pages->Export(&filter));
        EXPECT_TRUE(events.isEmpty());
    }
}

} // namespace
} // namespace bralvo::report::testing
