// The preview's page drawing against a bare QPainter text loop on the
// same text, in one process: drawing one text-heavy page at 100 % (the
// preview draws through the report library's text layout) and scrolling
// through 100 such pages in the main page area of a shown preview (each
// page drawn once; the bare loop draws each page's text into a view-sized
// image). The scroll runs twice: over a test store that lays its text out
// directly, and over the real prepared pages, whose memos are rebuilt
// from the stored report for every page as the preview pays for them.
// After the runs a table gives the time ratio (preview / bare QPainter)
// per workload.
#include "report/preview/trppreview.h"
#include "tests/report/preview/realstorereport.h"
#include "tests/report/preview/textpagestore.h"

#include "timesreporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <cstdio>

using namespace bralvo::report;
using bralvo::report::testing::invoiceLines;
using bralvo::report::testing::RealStoreReport;
using bralvo::report::testing::TextReport;

namespace {

constexpr int kLines = 60;
constexpr int kPages = 100;

// The same lines with plain QPainter calls, one drawText per line.
void bareDraw(QPainter &p, const QStringList &lines)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(Qt::black);
    const int step = QFontMetrics(font).height() + 2;
    int y = 40 + QFontMetrics(font).ascent();
    for (const QString &line : lines) {
        p.drawText(40, y, line);
        y += step;
    }
}

struct PreviewSetup {
    TextReport r;
    TrpPreview preview;
    explicit PreviewSetup(int pages)
    {
        for (int i = 1; i <= pages; ++i)
            r.store->addTextPage(invoiceLines(i, kLines));
        preview.resize(900, 700);
        preview.show();
        QCoreApplication::processEvents();
        preview.SetReport(r.report.get(), r.store);
        preview.Init();
    }
};

void previewDrawPage(benchmark::State &state)
{
    PreviewSetup s(1);
    TrpPreviewWorkspace &area = *s.preview.Workspace();
    for (auto _ : state) {
        area.SetPreparedPages(s.r.store); // forgets the drawn page
        benchmark::DoNotOptimize(area.PageImage(0));
    }
}

void bareDrawPage(benchmark::State &state)
{
    const QStringList lines = invoiceLines(1, kLines);
    for (auto _ : state) {
        QImage image(794, 1123, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        bareDraw(p, lines);
        p.end();
        benchmark::DoNotOptimize(image);
    }
}

void previewScroll(benchmark::State &state)
{
    PreviewSetup s(kPages);
    TrpPreviewWorkspace &area = *s.preview.Workspace();
    for (auto _ : state) {
        area.SetPreparedPages(s.r.store);
        for (int page = 1; page <= kPages; ++page) {
            s.preview.GoToPage(page);
            area.viewport()->repaint();
        }
    }
    if (s.r.store->drawCalls < kPages)
        state.SkipWithError("the preview drew fewer pages than it showed");
}

// The real store keeps a few pages built; clearing that cache with the
// drawings makes every iteration rebuild each page from the document.
void previewScrollRealPages(benchmark::State &state)
{
    RealStoreReport r;
    std::vector<QStringList> lines;
    for (int i = 1; i <= kPages; ++i)
        lines.push_back(invoiceLines(i, kLines));
    r.preparePages(lines);
    TrpPreview preview;
    preview.resize(900, 700);
    preview.show();
    QCoreApplication::processEvents();
    preview.SetReport(r.report.get(), r.pages);
    preview.Init();
    TrpPreviewWorkspace &area = *preview.Workspace();
    for (auto _ : state) {
        r.pages->ClearPageCache();
        area.SetPreparedPages(r.pages);
        for (int page = 1; page <= kPages; ++page) {
            preview.GoToPage(page);
            area.viewport()->repaint();
        }
    }
}

void bareScroll(benchmark::State &state)
{
    std::vector<QStringList> pages;
    for (int i = 1; i <= kPages; ++i)
        pages.push_back(invoiceLines(i, kLines));
    QImage view(886, 686, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (const QStringList &lines : pages) {
            view.fill(Qt::gray);
            QPainter p(&view);
            bareDraw(p, lines);
        }
    }
}

class RatioReporter : public TimesReporter {
public:
    void printRatios() const
    {
        std::printf("\n%-14s %14s %14s %8s\n", "workload", "preview (us)", "QPainter (us)", "ratio");
        for (const char *w : {"draw_page", "scroll_100", "scroll_real"}) {
            const double preview = m_times.value(QStringLiteral("preview/") + QLatin1String(w), -1);
            const double bare = m_times.value(QStringLiteral("qpainter/") + QLatin1String(w), -1);
            if (preview > 0 && bare > 0)
                std::printf("%-14s %14.1f %14.1f %8.2f\n", w, preview, bare, preview / bare);
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("preview/draw_page", previewDrawPage)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("qpainter/draw_page", bareDrawPage)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("preview/scroll_100", previewScroll)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("qpainter/scroll_100", bareScroll)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("preview/scroll_real", previewScrollRealPages)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("qpainter/scroll_real", bareScroll)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
