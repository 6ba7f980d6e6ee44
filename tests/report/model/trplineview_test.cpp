// Line and shape views: axis snapping, arrow heads, shape corners and
// outlines (pixel checks), design flags.
#include "report/model/trplineview.h"
#include "report/model/trpshapeview.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;

namespace {

QImage whiteImage()
{
    QImage img(140, 140, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool black(const QImage &img, int x, int y)
{
    return (img.pixel(x, y) & 0xFFFFFF) == 0;
}

} // namespace

TEST(LineView, AxisParallelLinesFollowTheirLongerSide)
{
    struct Case { double w, h; bool horizontal; };
    for (const Case &c : {Case{100, 0, true}, Case{0, 50, false}, Case{100, 3, true}, Case{4, 50, false}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        TrpLineView line(nullptr);
        line.SetBounds(10, 10, c.w, c.h);
        QImage img = whiteImage();
        QPainter p(&img);
        line.Draw(p, 1, 1, 0, 0);
        p.end();
        if (c.horizontal) {
            EXPECT_EQ(line.Height(), 0);
            EXPECT_EQ(line.Frame()->Typ(), int(ftTop));
            EXPECT_TRUE(black(img, 50, 10));
            EXPECT_FALSE(black(img, 50, 11));
        } else {
            EXPECT_EQ(line.Width(), 0);
            EXPECT_EQ(line.Frame()->Typ(), int(ftLeft));
            EXPECT_TRUE(black(img, 10, 40));
            EXPECT_FALSE(black(img, 11, 40));
        }
    }
}

TEST(LineView, ArrowHeadCorners)
{
    struct Case { const char *name; QPoint tip, from, c1, c2; };
    const Case cases[] = {
        {"horizontal: 20 back, 5 up and down", {100, 0}, {0, 0}, {80, -5}, {80, 5}},
        {"vertical: 20 up, 5 left and right", {0, 50}, {0, 0}, {-5, 30}, {5, 30}},
        {"vertical upwards", {0, 0}, {0, 50}, {-5, 20}, {5, 20}},
        // 20 / sqrt(2) = 14.1 back on each axis, corners 5 across.
        {"diagonal", {100, 100}, {0, 0}, {90, 82}, {82, 90}},
    };
    TrpLineView line(nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QPoint c1, c2;
        line.ArrowCorners(c.tip, c.from, 1, c1, c2);
        EXPECT_EQ(c1, c.c1);
        EXPECT_EQ(c2, c.c2);
    }
}

TEST(LineView, ArrowEndDrawnAtTheRightEnd)
{
    TrpLineView line(nullptr);
    line.SetBounds(10, 60, 100, 0);
    line.SetArrowEnd(true);
    line.SetArrowSolid(true);
    QImage img = whiteImage();
    QPainter p(&img);
    line.Draw(p, 1, 1, 0, 0);
    p.end();
    EXPECT_TRUE(black(img, 100, 58)); // inside the head, above the line
    EXPECT_FALSE(black(img, 20, 58));
}

TEST(LineView, DesignFlagsChooseTheVariant)
{
    struct Case { int flags; bool diagonal, arrowEnd, arrowStart; };
    for (const Case &c : {Case{0, false, false, false}, Case{1, true, false, false}, Case{2, true, true, false},
                          Case{3, true, false, true}, Case{4, true, true, true}}) {
        SCOPED_TRACE(c.flags);
        std::unique_ptr<TrpLineView> line(TrpComponent::CreateDesigning<TrpLineView>(nullptr, c.flags));
        EXPECT_EQ(line->Diagonal(), c.diagonal);
        EXPECT_EQ(line->ArrowEnd(), c.arrowEnd);
        EXPECT_EQ(line->ArrowStart(), c.arrowStart);
    }
    EXPECT_FALSE(TrpLineView(nullptr).ComponentStyle() & FullTextDiff);
}

TEST(ShapeView, RoundRectangleCorners)
{
    TrpShapeView s(nullptr);
    EXPECT_EQ(s.CornerSize(80, 40, 1), 10);
    s.SetCurve(2);
    EXPECT_EQ(s.CornerSize(80, 40, 1), 20);
    EXPECT_EQ(s.CornerSize(80, 40, 1.5), 30);
}

TEST(ShapeView, RectangleOutlineAndFill)
{
    TrpShapeView s(nullptr);
    s.SetBounds(10, 10, 20, 20);
    s.SetColor(255);
    QImage img = whiteImage();
    QPainter p(&img);
    s.Draw(p, 1, 1, 0, 0);
    p.end();
    EXPECT_TRUE(black(img, 10, 10));
    EXPECT_TRUE(black(img, 30, 30));
    EXPECT_TRUE(black(img, 20, 10));
    EXPECT_EQ(img.pixel(20, 20) & 0xFFFFFF, 0xFF0000u);
    EXPECT_FALSE(black(img, 31, 20));
}

TEST(ShapeView, FrameThinnerThanAPixelDrawsAOnePixelOutline)
{
    struct Case { TrpShapeKind kind; double width; bool outline; };
    for (const Case &c : {Case{skRectangle, 0.3, true}, Case{skRectangle, 0.5, true}, Case{skEllipse, 0.4, true},
                          Case{skRectangle, 1, true}, Case{skRectangle, 0, false}}) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " width " << c.width);
        TrpShapeView s(nullptr);
        s.SetShape(c.kind);
        s.SetBounds(10, 10, 20, 20);
        s.Frame()->SetWidth(c.width);
        QImage img = whiteImage();
        QPainter p(&img);
        s.Draw(p, 1, 1, 0, 0);
        p.end();
        // The left edge at mid-height is on the outline of both shapes.
        EXPECT_EQ(black(img, 10, 20), c.outline);
        EXPECT_FALSE(black(img, 20, 20));
    }
}

TEST(ShapeView, DoubleFrameDrawsInsetOutlineAndRestoresBounds)
{
    TrpShapeView s(nullptr);
    s.SetBounds(10, 10, 40, 40);
    s.Frame()->SetStyle(fsDouble);
    QImage img = whiteImage();
    QPainter p(&img);
    s.Draw(p, 1, 1, 0, 0);
    p.end();
    EXPECT_TRUE(black(img, 10, 30));   // outer outline
    EXPECT_TRUE(black(img, 12, 30));   // inset by 2w
    EXPECT_FALSE(black(img, 11, 30));
    EXPECT_EQ(s.Left(), 10);
    EXPECT_EQ(s.Width(), 40);
}

TEST(ShapeView, DiffWritesShapeWhenItDiffers)
{
    TrpShapeView def(nullptr), s(nullptr);
    EXPECT_FALSE(s.Diff(def).contains(QStringLiteral("Shape")));
    s.SetShape(skEllipse);
    EXPECT_TRUE(s.Diff(def).contains(QStringLiteral(" Shape=\"2\"")));
    std::unique_ptr<TrpShapeView> d(TrpComponent::CreateDesigning<TrpShapeView>(nullptr, skDiamond));
    EXPECT_EQ(d->Shape(), skDiamond);
}
