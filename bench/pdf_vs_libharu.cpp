// The PDF writer against libharu in one process: both write the same
// 1,000 A4 pages of text runs, lines and rectangles at precomputed
// positions, fonts not embedded (libharu with its CP1250 encoder), once
// without and once with flate compression at zlib's default level (the
// level libharu always uses). Prints time, bytes and the ratios.
#include "platform/stream.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/export/trppdffile.h"
#include "report/model/trplineview.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trpshapeview.h"

#include <QApplication>
#include <QMap>
#include <QStringEncoder>
#include "timesreporter.h"

#include <benchmark/benchmark.h>
#include <hpdf.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace bralvo::report;

constexpr int kPages = 1000;
constexpr int kZlibDefaultLevel = 6;

struct TextRun {
    double x, y; // pixels from the top-left corner
    QString text;
};
struct Segment {
    double x1, y1, x2, y2;
};

// One page's items; every page repeats them.
struct PageItems {
    std::vector<TextRun> texts;
    std::vector<Segment> lines;
    std::vector<Segment> boxes; // left, top, right, bottom
};

const PageItems &items()
{
    static const PageItems page = [] {
        PageItems p;
        for (int row = 0; row < 40; ++row) {
            const double y = 60 + row * 24;
            p.texts.push_back({40, y, QStringLiteral("Položka č. %1 – tovar a služby").arg(row + 1)});
            p.texts.push_back({420, y, QStringLiteral("%1,%2 €").arg(row * 37 + 12).arg(row % 100, 2, 10, QChar(u'0'))});
            p.lines.push_back({40, y + 20, 740, y + 20});
        }
        for (int i = 0; i < 8; ++i)
            p.boxes.push_back({40.0 + i * 90, 1040, 110.0 + i * 90, 1080});
        return p;
    }();
    return page;
}

// The items as report views on one page.
std::unique_ptr<TrpReportPage> reportPage()
{
    auto page = std::make_unique<TrpReportPage>(nullptr);
    page->SetPaperSize(9);
    for (const TextRun &t : items().texts) {
        auto *memo = new TrpMemoView(page.get());
        memo->SetBounds(t.x, t.y, 360, 20);
        memo->SetText(t.text);
    }
    for (const Segment &s : items().lines) {
        auto *line = new TrpLineView(page.get());
        line->SetBounds(s.x1, s.y1, s.x2 - s.x1, 0);
    }
    for (const Segment &b : items().boxes) {
        auto *box = new TrpShapeView(page.get());
        box->SetBounds(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1);
        box->SetColor(0xE0E0E0);
    }
    return page;
}

QMap<QString, double> g_bytes;

void projectWriter(benchmark::State &state, bool compressed, const QString &name)
{
    const auto page = reportPage();
    QList<TrpView *> views;
    for (TrpComponent *c : page->Objects())
        views << static_cast<TrpView *>(c);
    qint64 size = 0;
    for (auto _ : state) {
        TrpPDFFile file(false, QString());
        file.SetCompressed(compressed);
        file.SetContentCompressionLevel(kZlibDefaultLevel);
        for (int p = 0; p < kPages; ++p) {
            TrpPDFPage *pdfPage = file.AddPdfPage(*page);
            for (TrpView *v : views)
                file.ExportViewToPdf(*pdfPage, *v);
        }
        bralvo::platform::MemoryStream out;
        file.Write(out);
        size = out.size();
    }
    state.counters["bytes"] = double(size);
    g_bytes[name] = double(size);
}

void haruError(HPDF_STATUS error, HPDF_STATUS detail, void *)
{
    std::fprintf(stderr, "libharu error %04X (%u)\n", unsigned(error), unsigned(detail));
}

void haruWriter(benchmark::State &state, bool compressed, const QString &name)
{
    const double pt = 0.75;
    const double height = 841.89;
    QStringEncoder cp1250("windows-1250");
    std::vector<QByteArray> encoded;
    for (const TextRun &t : items().texts)
        encoded.push_back(cp1250.encode(t.text));
    qint64 size = 0;
    for (auto _ : state) {
        HPDF_Doc pdf = HPDF_New(haruError, nullptr);
        HPDF_SetCompressionMode(pdf, compressed ? HPDF_COMP_ALL : HPDF_COMP_NONE);
        HPDF_Font font = HPDF_GetFont(pdf, "Helvetica", "CP1250");
        for (int p = 0; p < kPages; ++p) {
            HPDF_Page page = HPDF_AddPage(pdf);
            HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
            for (size_t i = 0; i < items().texts.size(); ++i) {
                const TextRun &t = items().texts[i];
                HPDF_Page_BeginText(page);
                HPDF_Page_SetFontAndSize(page, font, 10);
                HPDF_Page_TextOut(page, HPDF_REAL(t.x * pt + 1.5), HPDF_REAL(height - (t.y + 13) * pt),
                                  encoded[i].constData());
                HPDF_Page_EndText(page);
            }
            HPDF_Page_SetLineWidth(page, 0.75);
            for (const Segment &s : items().lines) {
                HPDF_Page_MoveTo(page, HPDF_REAL(s.x1 * pt), HPDF_REAL(height - s.y1 * pt));
                HPDF_Page_LineTo(page, HPDF_REAL(s.x2 * pt), HPDF_REAL(height - s.y2 * pt));
                HPDF_Page_Stroke(page);
            }
            HPDF_Page_SetRGBFill(page, 0.88f, 0.88f, 0.88f);
            for (const Segment &b : items().boxes) {
                HPDF_Page_Rectangle(page, HPDF_REAL(b.x1 * pt), HPDF_REAL(height - b.y2 * pt),
                                    HPDF_REAL((b.x2 - b.x1) * pt), HPDF_REAL((b.y2 - b.y1) * pt));
                HPDF_Page_FillStroke(page);
            }
        }
        HPDF_SaveToStream(pdf);
        size = qint64(HPDF_GetStreamSize(pdf));
        HPDF_Free(pdf);
    }
    state.counters["bytes"] = double(size);
    g_bytes[name] = double(size);
}

class RatioReporter : public TimesReporter {
public:
    void printRatios() const
    {
        std::printf("\n%-8s %12s %12s %7s %12s %12s %7s\n", "mode", "project ms", "libharu ms", "ratio",
                    "project B", "libharu B", "ratio");
        for (const char *mode : {"plain", "flate"}) {
            const QString p = QStringLiteral("project/") + QLatin1String(mode);
            const QString h = QStringLiteral("libharu/") + QLatin1String(mode);
            const double tp = m_times.value(p, -1), th = m_times.value(h, -1);
            const double bp = g_bytes.value(p, -1), bh = g_bytes.value(h, -1);
            if (tp > 0 && th > 0)
                std::printf("%-8s %12.1f %12.1f %7.2f %12.0f %12.0f %7.2f\n", mode, tp, th, tp / th, bp, bh,
                            bp / bh);
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installMemoTextLayout();
    for (bool compressed : {false, true}) {
        const std::string mode = compressed ? "flate" : "plain";
        benchmark::RegisterBenchmark(("project/" + mode).c_str(),
                                     [compressed, mode](benchmark::State &s) { projectWriter(s, compressed, QString::fromStdString("project/" + mode)); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("libharu/" + mode).c_str(),
                                     [compressed, mode](benchmark::State &s) { haruWriter(s, compressed, QString::fromStdString("libharu/" + mode)); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
