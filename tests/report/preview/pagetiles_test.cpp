// The page areas paint the visible part of each page from tiles: the
// view must show exactly what a drawing of the whole page shows, at any
// zoom and scroll position, and a page that changed after it was drawn
// must be drawn again.
#include "teststore.h"
#include "textpagestore.h"

#include "report/preview/trppreview.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::invoiceLines;
using bralvo::report::testing::StoreReport;
using bralvo::report::testing::TestText;
using bralvo::report::testing::TextReport;

namespace {

// Page Index as the whole-page drawing shows it: a white page with its
// black frame and the drawing over it.
QImage wholePage(TrpPreviewWorkspace &area, int index)
{
    const QImage drawn = area.PageImage(index);
    QImage page(drawn.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    p.setPen(Qt::black);
    p.drawRect(page.rect().adjusted(0, 0, -1, -1));
    p.drawImage(0, 0, drawn);
    return page;
}

// Every page in the view shows what its whole-page drawing shows there.
void expectPagesAsDrawnWhole(TrpPreviewWorkspace &area, const char *what)
{
    const QImage view = area.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int compared = 0;
    for (int i = 0; i < area.PageList().Count(); ++i) {
        const QRect r = area.ShiftedPageRect(i);
        const QRect shown = r.intersected(view.rect());
        if (shown.isEmpty())
            continue;
        const QImage expected = wholePage(area, i).copy(shown.translated(-r.topLeft()));
        EXPECT_TRUE(view.copy(shown) == expected) << what << ", page " << i + 1;
        ++compared;
    }
    EXPECT_GT(compared, 0) << what;
}

} // namespace

TEST(PageTiles, ShowThePagesAsTheirWholeDrawingDoes)
{
    TextReport r;
    for (int i = 1; i <= 4; ++i)
        r.store->addTextPage(invoiceLines(i, 50));
    TrpPreview preview;
    preview.resize(900, 700);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    preview.SetReport(r.report.get(), r.store);
    preview.Init();
    TrpPreviewWorkspace &area = *preview.Workspace();
    struct Case {
        const char *what;
        double zoom;
        int x, y;
    } cases[] = {
        {"top, 100 %", 1.0, 0, 0},
        {"between two pages, 100 %", 1.0, 0, 800},
        {"half a page down, 150 %", 1.5, 150, 700},
        {"several pages, 35 %", 0.35, 0, 120},
    };
    for (const Case &c : cases) {
        preview.SetZoom(c.zoom);
        area.SetHorzPosition(c.x);
        area.SetVertPosition(c.y);
        area.viewport()->repaint();
        area.SetVertPosition(area.VertPosition() + 37); // partly from the tiles already drawn
        expectPagesAsDrawnWhole(area, c.what);
    }
}

TEST(PageTiles, APageThatGrewAfterItWasDrawnIsDrawnAgain)
{
    StoreReport r;
    TrpPreview preview;
    preview.resize(900, 700);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    preview.SetReport(r.report.get(), r.store);
    preview.Init();
    TrpPreviewWorkspace &area = *preview.Workspace();
    preview.BeginProgress();
    for (int i = 0; i < 3; ++i) {
        r.store->addPages(1);
        preview.StepProgress(i);
    }
    area.viewport()->repaint(); // the first page shown while the run goes on
    // The run puts more on the first page, then starts the next one.
    r.store->texts[0].push_back(TestText{QStringLiteral("Spolu k úhrade 1 250,00 EUR"), QPoint(60, 100)});
    r.store->addPages(1);
    preview.StepProgress(3);
    area.viewport()->repaint();
    expectPagesAsDrawnWhole(area, "during the run");
    preview.EndProgress();
}
