// The written page drawn by an independent renderer matches the preview
// canvas's drawing of the same views.
#include "pdfpages.h"
#include "pdftools.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
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

struct Difference {
    int inked = 0;    // pixels the preview draws on
    int differing = 0; // pixels whose colour differs clearly
};

Difference compare(const QImage &preview, const QImage &rendered)
{
    Difference d;
    const int w = std::min(preview.width(), rendered.width());
    const int h = std::min(preview.height(), rendered.height());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb a = preview.pixel(x, y), b = rendered.pixel(x, y);
            if (a != qRgb(255, 255, 255))
                ++d.inked;
            const int diff = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))});
            if (diff > 96)
                ++d.differing;
        }
    }
    return d;
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
    QTemporaryDir dir;
    const QString prefix = QDir(dir.path()).filePath(QStringLiteral("page"));
    const ToolRun run = runTool(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                 QStringLiteral("-singlefile"), path, prefix});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QImage rendered(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(rendered.isNull());
    EXPECT_NEAR(rendered.width(), 794, 1);
    EXPECT_NEAR(rendered.height(), 1123, 1);

    const Difference d = compare(previewOf(*page), rendered.convertToFormat(QImage::Format_RGB32));
    ASSERT_GT(d.inked, 100000);
    // Edges may fall a pixel apart (anti-aliasing, the 0.5 pt margin
    // offset); misplaced or missing objects differ by far more.
    EXPECT_LT(d.differing, d.inked / 50) << d.differing << " of " << d.inked;
}

} // namespace
