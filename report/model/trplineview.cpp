// Line views: property tables, axis snapping and drawing with arrow heads.
#include "report/model/trplineview.h"

#include "report/model/trpnumberbounds.h"
#include "report/model/trpresources.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <cstdlib>

namespace bralvo::report {

namespace {

int roundEven(double v)
{
    return RoundToInt(v);
}

bool between(int v, int a, int b)
{
    return (v >= a && v <= b) || (v >= b && v <= a);
}

} // namespace

const platform::ClassInfo &TrpCustomLineView::staticClass()
{
    using T = TrpCustomLineView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCustomLineView", &TrpStretcheable::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("TagStr", &T::TagStr, &T::SetTagStr);
        });
    return info;
}

TrpCustomLineView::TrpCustomLineView(platform::Component *owner) : TrpStretcheable(owner)
{
    SetComponentStyle(ComponentStyle() & ~FullTextDiff);
}

QString TrpCustomLineView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obLine"));
}

const platform::ClassInfo &TrpLineView::staticClass()
{
    using T = TrpLineView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpLineView", &TrpCustomLineView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.boolean("ArrowEnd", &T::ArrowEnd, &T::SetArrowEnd, false);
            b.integer("ArrowLength", &T::ArrowLength, &T::SetArrowLength, 20);
            b.boolean("ArrowSolid", &T::ArrowSolid, &T::SetArrowSolid, false);
            b.boolean("ArrowStart", &T::ArrowStart, &T::SetArrowStart, false);
            b.integer("ArrowWidth", &T::ArrowWidth, &T::SetArrowWidth, 5);
            b.object<TrpFrame>("Frame", &T::Frame, &T::SetFrame);
            b.boolean("Diagonal", &T::Diagonal, &T::SetDiagonal, false);
        });
    return info;
}

TrpLineView::TrpLineView(platform::Component *owner) : TrpCustomLineView(owner)
{
    if (IsDesigning()) {
        const int flags = designFlags();
        SetDiagonal(flags != 0);
        SetArrowEnd(flags == 2 || flags == 4);
        SetArrowStart(flags == 3 || flags == 4);
    }
}

void TrpCustomLineView::Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    if (!m_diagonal) {
        if (Width() <= Height()) {
            SetWidth(0);
            Frame()->SetTyp(ftLeft);
        } else {
            SetHeight(0);
            Frame()->SetTyp(ftTop);
        }
    }
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    if (!m_diagonal) {
        DrawFrame();
    } else {
        if (Frame()->Color() == clNone || Frame()->Width() == 0)
            return;
        const bool aa = canvas.testRenderHint(QPainter::Antialiasing);
        canvas.setRenderHint(QPainter::Antialiasing, false);
        TrpFrameStyle style = Frame()->Style();
        QPen pen(ColorToQColor(Frame()->Color()), 1);
        pen.setCosmetic(true);
        if (style == fsDash)
            pen.setStyle(Qt::DashLine);
        else if (style == fsDot)
            pen.setStyle(Qt::DotLine);
        else if (style == fsDashDot)
            pen.setStyle(Qt::DashDotLine);
        else if (style == fsDashDotDot)
            pen.setStyle(Qt::DashDotDotLine);
        canvas.setPen(pen);
        DrawThickLine(canvas, m_x, m_y, m_x1, m_y1, m_frameWidth);
        canvas.setRenderHint(QPainter::Antialiasing, aa);
    }
    if (m_arrowStart)
        drawArrow(QPoint(m_x, m_y), QPoint(m_x1, m_y1));
    if (m_arrowEnd)
        drawArrow(QPoint(m_x1, m_y1), QPoint(m_x, m_y));
}

void TrpCustomLineView::ArrowCorners(QPoint tip, QPoint from, double scaleX, QPoint &c1, QPoint &c2) const
{
    const double l = m_arrowLength * scaleX;
    const double w = m_arrowWidth * scaleX;
    const int tx = tip.x(), ty = tip.y(), fx = from.x(), fy = from.y();
    if (std::abs(tx - fx) < 9) {
        int by = ty - roundEven(l);
        if (!between(by, fy, ty))
            by = ty + roundEven(l);
        c1 = QPoint(tx - roundEven(w), by);
        c2 = QPoint(tx + roundEven(w), by);
        return;
    }
    // The point at distance L from the tip on the line towards F.
    const double len = std::hypot(double(fx - tx), double(fy - ty));
    const double bx = std::nearbyint(tx + (fx - tx) * l / len);
    const double by = std::nearbyint(ty + (fy - ty) * l / len);
    if (fy == ty) {
        c1 = QPoint(int(bx), int(by) - roundEven(w));
        c2 = QPoint(int(bx), int(by) + roundEven(w));
        return;
    }
    const double a = std::atan(double(ty - fy) / double(tx - fx));
    c1 = QPoint(roundEven(bx + w * std::sin(a)), roundEven(by - w * std::cos(a)));
    c2 = QPoint(roundEven(bx - w * std::sin(a)), roundEven(by + w * std::cos(a)));
}

void TrpCustomLineView::drawArrow(QPoint tip, QPoint from)
{
    QPainter &c = *m_canvas;
    QPoint c1, c2;
    ArrowCorners(tip, from, m_scaleX, c1, c2);
    const QColor color = ColorToQColor(Frame()->Color() == clNone ? 0 : Frame()->Color());
    if (m_arrowSolid) {
        c.setPen(QPen(color, 1));
        c.setBrush(color);
        c.drawPolygon(QPolygon({tip, c1, c2}));
        c.setBrush(Qt::NoBrush);
        return;
    }
    c.setPen(QPen(color, qMax(1, roundEven(Frame()->Width() * m_scaleX))));
    c.drawLine(c1, tip);
    c.drawLine(tip, c2);
}

} // namespace bralvo::report
