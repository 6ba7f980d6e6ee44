// The written page drawn by an independent renderer matches the preview
// canvas's drawing of the same views.
#include "pdfpages.h"
#include "pdftools.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

QImage previewOf(TrpReportPage &page)
{
    QImage image(794, 1123, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (TrpComponent *c : page.Objects()) {
        if (auto *view = dynamic_cast<TrpView *>(c))
            view->Draw(painter, 1, 1, 0, 0);
    }
    return image;
}

TEST(PdfRender, LinesShapesAndPictureMatchThePreview)
{
    auto page = a4Page();
    page->SetLeftMargin(0); // the preview below draws at the page's corner
    page->SetTopMargin(0);
    for (int i = 0; i < 5; ++i) {
        auto *line = place<TrpLineView>(*page, 60, 80 + 40 * i, 600, 0);
        line->Frame()->SetWidth(1 + i);
        line->Frame()->SetColor(i % 2 ? 0x0000C0 : 0);
    }
    auto *vertical = place<TrpLineView>(*page, 700, 80, 0, 300);
    vertical->Frame()->SetWidth(3);
    auto *box = place<TrpShapeView>(*page, 60, 320, 300, 150);
    box->SetColor(0x40C040);
    box->Frame()->SetWidth(4);
    auto *outline = place<TrpShapeView>(*page, 400, 320, 250, 150);
    outline->Frame()->SetColor(0xC00000);
    outline->Frame()->SetWidth(2);
    auto *ellipse = place<TrpShapeView>(*page, 60, 520, 300, 200);
    ellipse->SetShape(skEllipse);
    ellipse->SetColor(0x00A0FF);
    auto *diagonal = place<TrpShapeView>(*page, 400, 520, 250, 200);
    diagonal->SetShape(skDiagonal1);
    diagonal->Frame()->SetWidth(3);
    pictureOn(*page, 100, 780, 400, 200);

    TrpPDFFile file(false, QString());
    const QString path = writeChecked(documentOf(file, *page), QStringLiteral("render.pdf"));
    const QImage rendered = renderFirstPage(path);
    EXPECT_NEAR(rendered.width(), 794, 1);
    EXPECT_NEAR(rendered.height(), 1123, 1);
    const PixelDifference d = comparePixels(previewOf(*page), rendered);
    ASSERT_GT(d.inked, 100000);
    // Misplaced or missing objects differ by far more than anti-aliased
    // edges.
    EXPECT_LT(d.differing, d.inked / 200) << d.differing << " of " << d.inked;
}

} // namespace
