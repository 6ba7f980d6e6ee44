// The bases of the engine and the prepared-pages store: the export
// protocol every filter goes through, the engine's script-visible
// members, and the compressor's working stream.
#include "stubengine.h"
#include "testreport.h"

#include "report/model/reporterror.h"
#include "report/model/trpband.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"

#include "report/model/trppictureview.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <functional>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::quietReport;
using bralvo::report::testing::StubEngine;
using bralvo::report::testing::StubPreviewPages;

namespace {

// Writes what it is asked to do into a log.
class RecordingFilter : public TrpCustomExportFilter {
public:
    QStringList log;
    int modalResult = 1;
    bool startResult = true;
    int failOnPage = -1;

    int ShowModal() override
    {
        log << QStringLiteral("dialog");
        return modalResult;
    }
    bool Start() override
    {
        log << QStringLiteral("start");
        return startResult;
    }
    void StartPage(TrpReportPage *, int index) override { log << QStringLiteral("page %1").arg(index + 1); }
    void ExportObject(TrpReportComponent *obj) override
    {
        if (m_page == failOnPage)
            throw ReportError(QStringLiteral("disk full"));
        log << obj->name();
        if (obj->name() == QLatin1String("_pagebackground"))
            onBackground(*obj);
    }
    std::function<void(TrpReportComponent &)> onBackground = [](TrpReportComponent &) {};

    void FinishPage(TrpReportPage *, int index) override
    {
        ++m_page;
        log << QStringLiteral("end %1").arg(index + 1);
    }
    void Finish() override { log << QStringLiteral("finish"); }

private:
    int m_page = 0;
};

// A report whose store holds Count pages, each with the band "Band" and
// the memo "Memo" on it.
struct ExportFixture {
    std::unique_ptr<TrpReport> report = quietReport();
    StubPreviewPages pages{report.get()};

    explicit ExportFixture(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto page = std::make_unique<TrpReportPage>(nullptr);
            auto *band = new TrpMasterData(page.get());
            band->setName(QStringLiteral("Band"));
            auto *memo = new TrpMemoView(band);
            memo->setName(QStringLiteral("Memo"));
            pages.pages.push_back(std::move(page));
        }
    }

    // Only the page markers of the log.
    static QStringList pagesOf(const QStringList &log) { return log.filter(QStringLiteral("page ")); }
};

} // namespace

TEST(ExportProtocol, EachPageStartsWithItsBackgroundThenBandsAndObjects)
{
    ExportFixture f(2);
    RecordingFilter filter;
    filter.SetShowDialog(false);
    EXPECT_TRUE(f.pages.Export(&filter));
    EXPECT_EQ(filter.log, QStringList({"start", "page 1", "_pagebackground", "Band", "Memo", "end 1", "page 2",
                                       "_pagebackground", "Band", "Memo", "end 2", "finish"}));
    EXPECT_EQ(filter.Report(), f.report.get());
}

TEST(ExportProtocol, PageRangeChoosesThePages)
{
    struct Case {
        QString range;
        bool currentPageOnly;
        QStringList pages;
    };
    for (const Case &c : {Case{"", false, {"page 1", "page 2", "page 3", "page 4", "page 5"}},
                          Case{"2-", false, {"page 2", "page 3", "page 4", "page 5"}},
                          Case{"4,1", false, {"page 1", "page 4"}}, Case{"2-3,9", false, {"page 2", "page 3"}},
                          Case{"3-5", true, {"page 1"}}}) {
        SCOPED_TRACE(c.range.toStdString());
        ExportFixture f(5);
        RecordingFilter filter;
        filter.SetShowDialog(false);
        filter.SetPageRange(c.range);
        filter.SetCurrentPageOnly(c.currentPageOnly);
        EXPECT_TRUE(f.pages.Export(&filter));
        EXPECT_EQ(ExportFixture::pagesOf(filter.log), c.pages);
    }
}

TEST(ExportProtocol, CancelledDialogOrRefusedStartExportsNothing)
{
    ExportFixture f(3);
    RecordingFilter cancelled;
    cancelled.modalResult = 2;
    EXPECT_FALSE(f.pages.Export(&cancelled));
    EXPECT_EQ(cancelled.log, QStringList{"dialog"});

    RecordingFilter refused;
    refused.startResult = false;
    EXPECT_FALSE(f.pages.Export(&refused));
    EXPECT_EQ(refused.log, QStringList({"dialog", "start"}));

    // A caller that hands over a stream is not asked again.
    bralvo::platform::MemoryStream out;
    RecordingFilter streamed;
    streamed.modalResult = 2;
    streamed.SetStream(&out);
    EXPECT_TRUE(f.pages.Export(&streamed));
    EXPECT_FALSE(streamed.log.contains(QStringLiteral("dialog")));
}

TEST(ExportProtocol, FailingObjectStillFinishesOnceAndReportsTheError)
{
    ExportFixture f(4);
    RecordingFilter filter;
    filter.SetShowDialog(false);
    filter.failOnPage = 1;
    f.report->ErrorList().add(QStringLiteral("older error"));
    EXPECT_FALSE(f.pages.Export(&filter));
    EXPECT_EQ(filter.log.count(QStringLiteral("finish")), 1);
    EXPECT_EQ(filter.log.last(), QStringLiteral("finish"));
    EXPECT_EQ(ExportFixture::pagesOf(filter.log), QStringList({"page 1", "page 2"}));
    EXPECT_EQ(f.report->ErrorList().toStringList(), QStringList{"disk full"});
}

TEST(ExportProtocol, MalformedPageRangeIsReportedBeforeStarting)
{
    ExportFixture f(2);
    RecordingFilter filter;
    filter.SetShowDialog(false);
    filter.SetPageRange(QStringLiteral("1,x"));
    EXPECT_FALSE(f.pages.Export(&filter));
    EXPECT_TRUE(filter.log.isEmpty());
    EXPECT_EQ(f.report->ErrorList().count(), 1);
}

TEST(ExportProtocol, TerminatedReportStopsAfterThePage)
{
    ExportFixture f(3);
    RecordingFilter filter;
    filter.SetShowDialog(false);
    f.report->OnProgress = [&](TrpReport *r, TrpProgressType type, int page) {
        if (type == ptExporting && page == 2)
            r->SetTerminated(true);
    };
    EXPECT_FALSE(f.pages.Export(&filter));  // stopped: not reported as exported
    EXPECT_EQ(ExportFixture::pagesOf(filter.log), QStringList({"page 1", "page 2"}));
    EXPECT_EQ(filter.log.last(), QStringLiteral("finish"));
}

TEST(TrpCustomExportFilter, DefaultsAndTheProcessWideList)
{
    // Held the way a caller walking the list holds it.
    const auto &earlier = exportFilters();
    const int before = int(earlier.size());
    {
        RecordingFilter filter;
        EXPECT_TRUE(filter.ShowDialog());
        EXPECT_TRUE(filter.UseFileCache());
        EXPECT_TRUE(filter.ShowProgress());
        EXPECT_FALSE(filter.ExportNotPrintable());
        EXPECT_FALSE(filter.TempFileExport());
        EXPECT_EQ(filter.DefaultPath(), QString());
        EXPECT_EQ(exportFilters().size(), before + 1);
        EXPECT_EQ(exportFilters().last(), &filter);
        // Later calls leave a list taken before as it was.
        EXPECT_EQ(earlier.size(), before);
    }
    EXPECT_EQ(exportFilters().size(), before);
}

TEST(TrpCustomEngine, ScriptsSeeItsStateThroughThePropertyTable)
{
    auto report = quietReport();
    StubEngine engine(report.get());
    QStringList names;
    for (const bralvo::platform::PropInfo &p : bralvo::platform::propertiesOf(engine))
        names << p.name;
    EXPECT_EQ(names, QStringList({"CurColumn", "CurVColumn", "CurX", "CurY", "DoublePass", "FinalPass",
                                  "PageHeight", "PageWidth", "TotalPages"}));
    report->EngineOptions()->SetDoublePass(true);
    engine.SetCurY(120.5);
    EXPECT_TRUE(bralvo::platform::propertyValue(engine, *bralvo::platform::findProperty(engine, "DoublePass"))
                    .toBool());
    EXPECT_EQ(bralvo::platform::propertyValue(engine, *bralvo::platform::findProperty(engine, "CurY")).toDouble(),
              120.5);
    EXPECT_FALSE(bralvo::platform::findProperty(engine, "DoublePass")->hasSetter());
    engine.StopReport();
    EXPECT_TRUE(report->Terminated());
}

TEST(TrpCustomCompressor, WorkingStreamIsAFileOnlyForPreparedPagesWithFileCache)
{
    class NullCompressor : public TrpCustomCompressor {
    public:
        using TrpCustomCompressor::TrpCustomCompressor;
        bool Decompress(bralvo::platform::Stream &) override { return false; }
        void Compress(bralvo::platform::Stream &) override {}
    };
    QTemporaryDir dir;
    auto report = quietReport();
    report->EngineOptions()->SetTempDir(dir.path());
    struct Case {
        bool definition, fileCache, file;
    };
    for (const Case &c : {Case{true, true, false}, Case{false, false, false}, Case{false, true, true}}) {
        report->EngineOptions()->SetUseFileCache(c.fileCache);
        QString path;
        {
            NullCompressor compressor(report.get());
            compressor.SetIsDefinition(c.definition);
            compressor.CreateCompressorStream();
            ASSERT_NE(compressor.Stream(), nullptr);
            path = compressor.TempFileName();
            EXPECT_EQ(!path.isEmpty(), c.file);
            if (c.file) {
                EXPECT_TRUE(QFileInfo(path).fileName().startsWith(QStringLiteral("fr")));
                EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
            }
        }
        if (c.file) {
            EXPECT_FALSE(QFileInfo::exists(path));
        }
    }
}

// The background is a picture view over the printable area that carries
// the page's colour, frame and background picture.
TEST(ExportProtocol, PageBackgroundCarriesThePagesColourFrameAndPicture)
{
    ExportFixture f(1);
    TrpReportPage &page = *f.pages.pages.front();
    page.SetLeftMargin(10);
    page.SetRightMargin(10);
    page.SetTopMargin(5);
    page.SetBottomMargin(15);
    page.SetColor(0x00FFFF);
    page.Frame()->SetTyp(ftLeft | ftBottom);
    page.Frame()->SetColor(0xFF);
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    TrpPicture picture;
    picture.SetData(png);
    page.SetBackPicture(&picture);

    RecordingFilter filter;
    filter.SetShowDialog(false);
    bool seen = false;
    filter.onBackground = [&](TrpReportComponent &obj) {
        seen = true;
        auto *view = dynamic_cast<TrpPictureView *>(&obj);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->Color(), 0x00FFFF);
        EXPECT_EQ(view->Frame()->Typ(), ftLeft | ftBottom);
        EXPECT_EQ(view->Frame()->Color(), 0xFF);
        EXPECT_EQ(view->Picture()->Data(), png);
        EXPECT_TRUE(view->Stretched());
        EXPECT_FALSE(view->KeepAspectRatio());
        EXPECT_DOUBLE_EQ(view->Left(), 0);
        EXPECT_NEAR(view->Width(), 190 * 3.77953, 1);   // 210 - 10 - 10 mm
        EXPECT_NEAR(view->Height(), 277 * 3.77953, 1);  // 297 - 5 - 15 mm
    };
    EXPECT_TRUE(f.pages.Export(&filter));
    EXPECT_TRUE(seen);
}

TEST(ExportProtocol, CurrentPageOnlyLeavesThePageRangeForLaterExports)
{
    ExportFixture f(5);
    RecordingFilter filter;
    filter.SetShowDialog(false);
    filter.SetPageRange(QStringLiteral("2-3"));
    filter.SetCurrentPageOnly(true);
    EXPECT_TRUE(f.pages.Export(&filter));
    EXPECT_EQ(ExportFixture::pagesOf(filter.log), QStringList{"page 1"});
    EXPECT_EQ(filter.PageRange(), QStringLiteral("2-3"));
    filter.log.clear();
    filter.SetCurrentPageOnly(false);
    EXPECT_TRUE(f.pages.Export(&filter));
    EXPECT_EQ(ExportFixture::pagesOf(filter.log), QStringList({"page 2", "page 3"}));
}
