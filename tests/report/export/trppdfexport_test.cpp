// The PDF export filter over prepared pages: the export driver, output
// file handling (default folder, failures, opening), scratch files,
// printable objects, options, texts and the options dialog.
#include "pdfpages.h"
#include "pdftools.h"
#include "stubengine.h"
#include "testreport.h"

#include "report/export/trppdfexport.h"
#include "report/export/trppdfexportdialog.h"
#include "platform/classregistry.h"
#include "report/model/trpband.h"
#include "report/model/trpresources.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

// A report whose prepared pages are the test's own store.
class PdfExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = reportMachinery();
        TrpReportMachinery m;
        m.createPreviewPages = [](TrpReport &r) { return std::make_unique<StubPreviewPages>(&r); };
        setReportMachinery(m);
        report = quietReport();
        filter.SetShowDialog(false);
        filter.SetShowProgress(false);
        TrpPDFExport::SetOpener([this](const QString &f) { opened << f; });
    }
    void TearDown() override
    {
        TrpPDFExport::SetOpener(nullptr);
        setReportMachinery(m_saved);
    }

    StubPreviewPages &pages() { return *static_cast<StubPreviewPages *>(report->PreparedPages()); }

    // Count pages, each with a band holding the memo "Strana N".
    void addPages(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto page = a4Page();
            auto *band = new TrpMasterData(page.get());
            band->SetBounds(0, 40, 700, 40);
            memoOn(*band, QStringLiteral("Strana %1").arg(pages().pages.size() + 1), 20, 0, 300, 20);
            pages().pages.push_back(std::move(page));
        }
    }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<TrpReport> report;
    TrpPDFExport filter;
    QStringList opened;

private:
    TrpReportMachinery m_saved;
};

TEST_F(PdfExport, WritesAllPagesAndOpensTheFile)
{
    addPages(3);
    filter.SetFileName(path(QStringLiteral("out.pdf")));
    filter.SetOpenAfterExport(true);
    ASSERT_TRUE(pages().Export(&filter));
    expectQpdfClean(filter.FileName());
    const QString text = pdftotext(filter.FileName());
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(text.contains(QStringLiteral("Strana %1").arg(i)));
    EXPECT_EQ(opened, QStringList{filter.FileName()});
    EXPECT_EQ(filter.PdfFile(), nullptr);
    EXPECT_TRUE(pdfinfo(filter.FileName()).simplified().contains(QLatin1String("Pages: 3")));
}

TEST_F(PdfExport, PageRangeExportsOnlyThosePages)
{
    addPages(4);
    filter.SetFileName(path(QStringLiteral("range.pdf")));
    filter.SetPageRange(QStringLiteral("2,4"));
    ASSERT_TRUE(pages().Export(&filter));
    expectQpdfClean(filter.FileName());
    const QString text = pdftotext(filter.FileName());
    EXPECT_FALSE(text.contains(QLatin1String("Strana 1")));
    EXPECT_TRUE(text.contains(QLatin1String("Strana 2")));
    EXPECT_FALSE(text.contains(QLatin1String("Strana 3")));
    EXPECT_TRUE(text.contains(QLatin1String("Strana 4")));
}

TEST_F(PdfExport, ABareFileNameGoesToTheDefaultFolder)
{
    addPages(1);
    filter.SetFileName(QStringLiteral("out.pdf"));
    filter.SetDefaultPath(dir.path());
    ASSERT_TRUE(pages().Export(&filter));
    EXPECT_EQ(filter.FileName(), path(QStringLiteral("out.pdf")));
    expectQpdfClean(path(QStringLiteral("out.pdf")));
}

TEST_F(PdfExport, NoFileNameAndNoStreamExportsNothing)
{
    addPages(1);
    EXPECT_FALSE(pages().Export(&filter));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(report->ErrorList().text().isEmpty());
}

TEST_F(PdfExport, WritesToAGivenStream)
{
    addPages(2);
    bralvo::platform::MemoryStream out;
    filter.SetStream(&out);
    ASSERT_TRUE(pages().Export(&filter));
    writeChecked(out.data(), QStringLiteral("stream.pdf"));
    EXPECT_TRUE(opened.isEmpty());
}

// The process may write only a few bytes per file while the document is
// written, as on a full disk.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

TEST_F(PdfExport, AFailedWriteLeavesNoPartialFileAndIsReported)
{
    addPages(2);
    filter.SetEmbeddedFonts(true); // the font file makes the document large
    filter.SetOpenAfterExport(true);
    for (bool existed : {false, true}) {
        const QString target = path(QStringLiteral("failed-%1.pdf").arg(existed));
        if (existed) {
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old content");
        }
        filter.SetFileName(target);
        report->ErrorList().clear();
        bool result = true;
        {
            FileSizeLimit limit(20000);
            result = pages().Export(&filter);
        }
        EXPECT_FALSE(result);
        EXPECT_FALSE(report->ErrorList().text().isEmpty());
        EXPECT_TRUE(opened.isEmpty());
        QFile after(target);
        EXPECT_EQ(after.exists(), existed);
        if (existed) {
            ASSERT_TRUE(after.open(QIODevice::ReadOnly));
            EXPECT_EQ(after.readAll(), QByteArray("old content"));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), existed ? 1 : 0);
    }
}

// A FIFO or a folder is no file to replace: the export stops with a
// clear error before a page is made, and the target stays what it was.
TEST_F(PdfExport, OnlyARegularFileIsReplaced)
{
    addPages(1);
    const QString fifo = path(QStringLiteral("pipe.pdf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = path(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const QString &target : {fifo, folder}) {
        SCOPED_TRACE(target.toStdString());
        filter.SetFileName(target);
        try {
            pages().Export(&filter);
            ADD_FAILURE() << "export over a special file went ahead";
        } catch (const bralvo::platform::StreamError &e) {
            EXPECT_TRUE(e.userText().contains(QStringLiteral("Not a regular file"))) << e.userText().toStdString();
        }
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & S_IFMT, target == fifo ? mode_t(S_IFIFO) : mode_t(S_IFDIR));
    }
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size(), 1);
}

// Notes the scratch file as the document is about to be written.
class ScratchWatchingExport : public TrpPDFExport {
public:
    QString scratch;
    bool existed = false;
    void Finish() override
    {
        scratch = PdfFile()->TempFileName();
        existed = QFile::exists(scratch);
        TrpPDFExport::Finish();
    }
};

TEST_F(PdfExport, LargeReportsUseAScratchFileThatIsRemoved)
{
    QTemporaryDir temp;
    report->EngineOptions()->SetTempDir(temp.path());
    for (const auto &[count, cache, scratch] : {std::tuple{200, true, false}, std::tuple{201, true, true},
                                                std::tuple{201, false, false}}) {
        pages().pages.clear();
        addPages(count);
        ScratchWatchingExport watching;
        watching.SetShowDialog(false);
        watching.SetShowProgress(false);
        watching.SetUseFileCache(cache);
        watching.SetFileName(path(QStringLiteral("large-%1-%2.pdf").arg(count).arg(cache)));
        ASSERT_TRUE(pages().Export(&watching));
        EXPECT_EQ(!watching.scratch.isEmpty(), scratch) << count;
        if (scratch) {
            EXPECT_TRUE(QFileInfo(watching.scratch).fileName().startsWith(QLatin1String("fr")));
            EXPECT_EQ(QFileInfo(watching.scratch).absolutePath(), QDir(temp.path()).absolutePath());
            EXPECT_TRUE(watching.existed);
        }
        EXPECT_TRUE(QDir(temp.path()).isEmpty()) << count;
        expectQpdfClean(watching.FileName());
        EXPECT_TRUE(pdfinfo(watching.FileName()).simplified().contains(QStringLiteral("Pages: %1").arg(count)));
        const QString text = pdftotext(watching.FileName());
        EXPECT_TRUE(text.contains(QStringLiteral("Strana 1\n")) && text.contains(QStringLiteral("Strana %1").arg(count)));
    }
}

TEST_F(PdfExport, NotPrintableObjectsOnlyWhenAsked)
{
    addPages(1);
    auto *band = static_cast<TrpComponent *>(pages().GetPage(0)->Objects().first());
    memoOn(*band, QStringLiteral("Len na obrazovke"), 20, 20, 300, 20)->SetPrintable(false);
    for (bool all : {false, true}) {
        filter.SetFileName(path(QStringLiteral("printable-%1.pdf").arg(all)));
        filter.SetExportNotPrintable(all);
        ASSERT_TRUE(pages().Export(&filter));
        expectQpdfClean(filter.FileName());
        EXPECT_EQ(pdftotext(filter.FileName()).contains(QLatin1String("Len na obrazovke")), all);
    }
}

TEST_F(PdfExport, OptionsDefaultsAndTexts)
{
    TrpPDFExport fresh;
    EXPECT_TRUE(fresh.Compressed());
    EXPECT_FALSE(fresh.EmbeddedFonts());
    EXPECT_FALSE(fresh.OpenAfterExport());
    EXPECT_TRUE(fresh.HTMLTags());
    EXPECT_EQ(fresh.Author(), QStringLiteral("VevuRodevi"));
    EXPECT_EQ(fresh.Subject(), QStringLiteral("VevuRodevi PDF export"));
    EXPECT_TRUE(fresh.Creator().startsWith(QLatin1String("VevuRodevi (")));
    EXPECT_EQ(fresh.GetDescription(), QStringLiteral("PDF file"));
    EXPECT_EQ(fresh.FileFilter(), QStringLiteral("Adobe PDF file (*.pdf)|*.pdf"));
    EXPECT_EQ(fresh.FileExtension(), QStringLiteral(".pdf"));
    EXPECT_EQ(GetResources().Get(QStringLiteral("8702")), QStringLiteral("Embedded fonts"));
    EXPECT_TRUE(exportFilters().contains(&fresh));
    // Every option reaches the document.
    addPages(1);
    filter.SetAuthor(QStringLiteral("Tamrex"));
    filter.SetSubject(QStringLiteral("Export PDF..."));
    filter.SetCreator(QStringLiteral("Tamrex"));
    filter.SetCompressed(false);
    report->ReportOptions()->SetName(QStringLiteral("Faktúry"));
    bralvo::platform::MemoryStream out;
    filter.SetStream(&out);
    ASSERT_TRUE(pages().Export(&filter));
    const QByteArray pdf = out.data();
    EXPECT_TRUE(pdf.contains("/Producer (Tamrex)\r\n/Author (Tamrex)\r\n/Subject (Export PDF...)\r\n"));
    EXPECT_TRUE(pdf.contains("/Title <FEFF"));
    EXPECT_TRUE(pdf.contains("(Strana 1) Tj"));
    writeChecked(pdf, QStringLiteral("options.pdf"));
}

TEST(PdfExportClass, PropertiesInTableOrderAndReadableByName)
{
    TrpPDFExport filter;
    EXPECT_EQ(bralvo::platform::findClass(QStringLiteral("TrpPDFExport")), &TrpPDFExport::staticClass());
    QStringList names;
    QStringList alwaysStored;
    for (const bralvo::platform::PropInfo &p : TrpPDFExport::staticClass().allProperties()) {
        names << p.name;
        if (!p.defaultOrd && p.kind == bralvo::platform::PropKind::Enumeration)
            alwaysStored << p.name;
    }
    EXPECT_EQ(names.mid(names.indexOf(QStringLiteral("Compressed"))),
              QStringList({"Compressed", "EmbeddedFonts", "OpenAfterExport", "PrintOptimized", "Outline", "Author",
                           "Subject", "Background", "Creator", "HTMLTags"}));
    EXPECT_EQ(names.indexOf(QStringLiteral("ShowProgress")), names.indexOf(QStringLiteral("Compressed")) - 1);
    EXPECT_TRUE(alwaysStored.contains(QStringLiteral("PrintOptimized")));
    EXPECT_TRUE(alwaysStored.contains(QStringLiteral("HTMLTags")));
    EXPECT_FALSE(alwaysStored.contains(QStringLiteral("Compressed")));
}

TEST(PdfExportClass, ProgramWindowsOptions)
{
    for (bool billList : {false, true}) {
        TrpPDFExport filter;
        filter.SetOutline(true);
        filter.SetUseFileCache(false);
        SetProgramPdfOptions(filter, billList);
        EXPECT_TRUE(filter.UseFileCache());
        EXPECT_TRUE(filter.ShowProgress());
        EXPECT_TRUE(filter.OpenAfterExport());
        EXPECT_FALSE(filter.PrintOptimized());
        EXPECT_FALSE(filter.Outline());
        EXPECT_EQ(filter.Author(), QStringLiteral("Tamrex"));
        EXPECT_EQ(filter.Subject(), QStringLiteral("Export PDF..."));
        EXPECT_EQ(filter.Creator(), QStringLiteral("Tamrex"));
        EXPECT_TRUE(filter.HTMLTags());
        EXPECT_EQ(filter.Compressed(), !billList);
    }
}

// The dialog is worked by the test through its named controls.
class PdfExportDialog : public PdfExport {
protected:
    void TearDown() override
    {
        TrpPDFExportDialog::SetRunner(nullptr);
        PdfExport::TearDown();
    }
    template <class W>
    static W *find(TrpPDFExportDialog &d, const char *name)
    {
        W *w = d.findChild<W *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

class StubPreview : public TrpCustomPreview {
public:
    void SetReport(TrpReport *, TrpCustomPreviewPages *) override {}
    void Init() override {}
};

TEST_F(PdfExportDialog, CurrentPageExportsThePageShown)
{
    StubPreview preview;
    report->SetPreview(&preview);
    addPages(3);
    pages().SetPreviewPageNo(2);
    filter.SetShowDialog(true);
    TrpPDFExportDialog::SetRunner([](TrpPDFExportDialog &d) {
        find<QRadioButton>(d, "CurPageRB")->setChecked(true);
        return int(QDialog::Accepted);
    });
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerSaveFile(path(QStringLiteral("current.pdf")));
    ASSERT_TRUE(pages().Export(&filter));
    expectQpdfClean(path(QStringLiteral("current.pdf")));
    const QString text = pdftotext(path(QStringLiteral("current.pdf")));
    EXPECT_TRUE(text.contains(QLatin1String("Strana 2")));
    EXPECT_FALSE(text.contains(QLatin1String("Strana 1")));
    EXPECT_FALSE(text.contains(QLatin1String("Strana 3")));
    report->SetPreview(nullptr);
}

TEST_F(PdfExportDialog, PageNumbersTakeDigitsOnlyAndCheckTheirOption)
{
    report->PreviewOptions()->SetOutlineVisible(false);
    filter.SetEmbeddedFonts(true);
    QString typed;
    bool rangeChecked = false, outlineChecked = true, outlineEnabled = true, embeddedShown = false;
    TrpPDFExportDialog::SetRunner([&](TrpPDFExportDialog &d) {
        QLineEdit *edit = find<QLineEdit>(d, "PageNumbersE");
        QTest::keyClicks(edit, QStringLiteral("x1-3,a5"));
        typed = edit->text();
        rangeChecked = find<QRadioButton>(d, "PageNumbersRB")->isChecked();
        outlineChecked = find<QCheckBox>(d, "OutlineCB")->isChecked();
        outlineEnabled = find<QCheckBox>(d, "OutlineCB")->isEnabled();
        embeddedShown = find<QCheckBox>(d, "EmbeddedCB")->isChecked();
        find<QCheckBox>(d, "CompressedCB")->setChecked(false);
        return int(QDialog::Accepted);
    });
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerSaveFile(path(QStringLiteral("chosen.pdf")));
    filter.SetReport(report.get());
    EXPECT_EQ(filter.ShowModal(), 1);
    EXPECT_EQ(typed, QStringLiteral("1-3,5"));
    EXPECT_TRUE(rangeChecked);
    EXPECT_FALSE(outlineChecked);
    EXPECT_FALSE(outlineEnabled);
    EXPECT_TRUE(embeddedShown);
    EXPECT_EQ(filter.PageRange(), QStringLiteral("1-3,5"));
    EXPECT_FALSE(filter.Compressed());
    EXPECT_EQ(filter.FileName(), path(QStringLiteral("chosen.pdf")));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].request.filter, QStringLiteral("Adobe PDF file (*.pdf)"));
}

TEST_F(PdfExportDialog, CancelledSaveDialogCancelsAndTempExportsNeedNone)
{
    TrpPDFExportDialog::SetRunner([](TrpPDFExportDialog &d) {
        EXPECT_FALSE(find<QCheckBox>(d, "OpenCB")->isHidden());
        return int(QDialog::Accepted);
    });
    filter.SetReport(report.get());
    {
        bralvo::test::ScriptedMessageBoxes boxes;
        boxes.answerSaveFile(std::nullopt);
        EXPECT_EQ(filter.ShowModal(), 2);
    }
    filter.SetTempFileExport(true);
    filter.SetOpenAfterExport(true);
    TrpPDFExportDialog::SetRunner([](TrpPDFExportDialog &d) {
        EXPECT_TRUE(find<QCheckBox>(d, "OpenCB")->isHidden());
        return int(QDialog::Accepted);
    });
    EXPECT_EQ(filter.ShowModal(), 1);
    EXPECT_FALSE(filter.OpenAfterExport());
    EXPECT_TRUE(filter.FileName().endsWith(QLatin1String(".pdf")));
    EXPECT_TRUE(QFileInfo(filter.FileName()).fileName().startsWith(QLatin1String("fr")));
    EXPECT_FALSE(QFile::exists(filter.FileName()));
}

} // namespace
