// The page-building engine on a generated list report: 50 rows of 8
// memos a page. Prepares 1,000 pages and reports pages per second and the
// process's peak memory; then 10,000 pages with the file cache on, whose
// peak must stay within the bound printed with it; and the end-to-end
// time of preparing 1,000 and 10,000 pages and exporting them to PDF,
// with the cost per page of each step and how much longer the ten times
// larger report takes (10x is linear).
#include "report/engine/trpengine.h"
#include "report/engine/trppreviewpages.h"
#include "report/export/trppdfexport.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <sys/resource.h>

using namespace bralvo;
using namespace bralvo::report;
using platform::Variant;

namespace {

constexpr int kRowsPerPage = 50;
constexpr int kMemosPerRow = 8;
// The file-cache run may use at most this much memory (MiB).
constexpr double kFileCacheBoundMiB = 256;

double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct ListReport {
    std::unique_ptr<TrpUserDataSet> dataSet;
    std::unique_ptr<TrpReport> report;

    ListReport(int pages, bool fileCache)
    {
        dataSet = std::make_unique<TrpUserDataSet>(nullptr);
        TrpUserDataSet *ds = dataSet.get();
        ds->setName(QStringLiteral("Rows"));
        ds->SetUserName(QStringLiteral("Rows"));
        ds->SetRangeEnd(reCount);
        ds->SetRangeEndCount(pages * kRowsPerPage);
        ds->OnGetValue = [ds](const QString &field, Variant &v) {
            v = Variant(field + QString::number(ds->RecNo()));
        };
        report = std::make_unique<TrpReport>(nullptr);
        report->EngineOptions()->SetNewSilentMode(simSilent);
        report->EngineOptions()->SetUseFileCache(fileCache);
        report->EngineOptions()->SetMaxMemSize(10);
        report->DataSets()->Add(ds);
        auto *page = new TrpReportPage(report.get());
        page->setName(QStringLiteral("Page1"));
        auto *band = new TrpMasterData(page);
        band->setName(QStringLiteral("Row"));
        band->SetBounds(0, 0, 794, 22.4); // 50 rows fill an A4 page of 1122.5
        band->SetDataSet(ds);
        for (int i = 0; i < kMemosPerRow; ++i) {
            auto *m = new TrpMemoView(band);
            m->setName(QStringLiteral("Cell%1").arg(i));
            m->SetBounds(i * 99, 0, 95, 18);
            m->SetText(QStringLiteral("[Rows.\"F%1\"]").arg(i));
        }
    }
};

void prepare(benchmark::State &state, int pages, bool fileCache)
{
    for (auto _ : state) {
        ListReport list(pages, fileCache);
        QElapsedTimer timer;
        timer.start();
        const bool ok = list.report->PrepareReport();
        const double seconds = timer.nsecsElapsed() / 1e9;
        const int made = list.report->PreparedPages()->GetCount();
        if (!ok || made != pages) {
            state.SkipWithError("the report did not prepare all pages");
            return;
        }
        state.counters["pages_per_second"] = made / seconds;
        state.counters["peak_MiB"] = peakMiB();
        std::printf("%d pages%s: %.2f s, %.0f pages/s, peak %.0f MiB%s\n", made, fileCache ? " (file cache)" : "", seconds,
                    made / seconds, peakMiB(),
                    fileCache ? (peakMiB() <= kFileCacheBoundMiB ? " (within the bound of 256 MiB)"
                                                                 : " (ABOVE the bound of 256 MiB)")
                              : "");
    }
}

struct EndToEnd {
    double prepareSeconds = 0;
    double exportSeconds = 0;
};
std::map<int, EndToEnd> g_endToEnd; // by page count

// Per page, and the growth from 1,000 to 10,000 pages.
void printEndToEnd()
{
    if (g_endToEnd.empty())
        return;
    std::printf("\n%8s %10s %10s %14s %14s\n", "pages", "prepare s", "export s", "prepare ms/pg", "export ms/pg");
    for (const auto &[pages, t] : g_endToEnd)
        std::printf("%8d %10.2f %10.2f %14.3f %14.3f\n", pages, t.prepareSeconds, t.exportSeconds,
                    1000 * t.prepareSeconds / pages, 1000 * t.exportSeconds / pages);
    const auto small = g_endToEnd.find(1000), large = g_endToEnd.find(10000);
    if (small != g_endToEnd.end() && large != g_endToEnd.end()) {
        const EndToEnd &a = small->second, &b = large->second;
        std::printf("10,000 / 1,000 pages: prepare %.2fx, export %.2fx, prepare + PDF %.2fx (10x is linear)\n",
                    b.prepareSeconds / a.prepareSeconds, b.exportSeconds / a.exportSeconds,
                    (b.prepareSeconds + b.exportSeconds) / (a.prepareSeconds + a.exportSeconds));
    }
}

// Prepares the list report and exports it to a PDF file, as a user's
// "prepare, then save as PDF" does.
void prepareAndExportPdf(benchmark::State &state, int pages)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        ListReport list(pages, false);
        TrpPDFExport filter;
        filter.SetShowDialog(false);
        filter.SetShowProgress(false);
        filter.SetFileName(dir.filePath(QStringLiteral("list.pdf")));
        QElapsedTimer timer;
        timer.start();
        const bool prepared = list.report->PrepareReport();
        const double prepareSeconds = timer.nsecsElapsed() / 1e9;
        const bool exported = prepared && list.report->PreparedPages()->Export(&filter);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (!exported) {
            std::printf("%d pages: %s\n", pages, qPrintable(list.report->ErrorList().text()));
            state.SkipWithError("the report did not prepare or export");
            return;
        }
        state.counters["seconds"] = seconds;
        g_endToEnd[pages] = {prepareSeconds, seconds - prepareSeconds};
        std::printf("%d pages prepared and exported to PDF: %.2f s (prepare %.2f s, export %.2f s), %lld bytes\n",
                    pages, seconds, prepareSeconds, seconds - prepareSeconds,
                    static_cast<long long>(QFileInfo(filter.FileName()).size()));
    }
}

} // namespace

// The file-cache run goes first, so the process's peak is its own.
BENCHMARK_CAPTURE(prepare, pages10000_filecache, 10000, true)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(prepare, pages1000, 1000, false)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(prepareAndExportPdf, pages1000, 1000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(prepareAndExportPdf, pages10000, 10000)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    installReportEngine();
    installPreviewPages();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    printEndToEnd();
    benchmark::Shutdown();
    return 0;
}
