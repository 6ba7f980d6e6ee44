// Fuzz target for the prepared report reader: the bytes are loaded as a
// prepared report file into a store (partial loading when the first
// byte's low bit is set), every page is rebuilt, measured and drawn
// small, and the store is saved and read back.
#include "platform/error.h"
#include "platform/fonts/fontmetrics.h"
#include "platform/stream.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdlib>
#include <cstdint>

using namespace bralvo;

namespace {

// At most this many pages are drawn per input, so one input stays quick.
constexpr int kPagesDrawn = 8;

void exercise(report::TrpCustomPreviewPages &pages)
{
    QImage image(120, 160, QImage::Format_RGB32);
    for (int i = 0; i < pages.GetCount() && i < kPagesDrawn; ++i) {
        pages.GetPageSize(i);
        image.fill(Qt::white);
        QPainter painter(&image);
        pages.DrawPage(i, painter, 0.1, 0.1, 0, 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_prepared";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = nullptr;
    static bool ready = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = new QGuiApplication(argc, argv);
        report::installPreviewPages();
        report::installMemoTextLayout();
        // Freeing the font cache at exit, with Qt's own font data already
        // gone, crashes inside Qt: make the cache now and leave the
        // process before static data is freed (libFuzzer checks leaks
        // after every input, not only at exit).
        try {
            platform::FontMetrics::get(QStringLiteral("Arial"), 0, 12);
        } catch (const bralvo::Error &) {
        }
        std::atexit([] { std::_Exit(0); });
        return true;
    }();
    Q_UNUSED(ready);
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    report::TrpReport rep;
    rep.EngineOptions()->SetNewSilentMode(report::simSilent);
    rep.EngineOptions()->SetThreadSafeMode(true);
    report::TrpCustomPreviewPages &pages = *rep.PreparedPages();
    platform::MemoryStream stream(bytes);
    try {
        pages.LoadFromStream(stream, data[0] & 1);
    } catch (const bralvo::Error &) {
        return 0;
    }
    try {
        exercise(pages);
        platform::MemoryStream saved;
        pages.SaveToStream(saved);
        saved.seek(0);
        pages.LoadFromStream(saved, false);
        exercise(pages);
    } catch (const bralvo::Error &) {
    }
    pages.Clear();
    return 0;
}
