// Drawing of the view base: the pixel rectangle, the fill with its hatch,
// and the frame with its drop shadow, line styles and double lines.
// Strokes are 1-pixel, non-antialiased and leave out their end pixel, so
// a frame lands on the same pixels on screen, printer and bitmap.
#include "report/model/trpnumberbounds.h"
#include "report/model/trpview.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace bralvo::report {

namespace {

int roundEven(double v)
{
    return RoundToInt(v);
}

void stroke(QPainter &canvas, int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2)
        return;
    // The end pixel is left out, as a pen moved to the end point does.
    const double len = std::hypot(double(x2 - x1), double(y2 - y1));
    const double ex = x2 - (x2 - x1) / len;
    const double ey = y2 - (y2 - y1) / len;
    canvas.drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(ex + 0.5, ey + 0.5));
}

QPen strokePen(const QColor &color, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(color, 1, style, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    return pen;
}

Qt::BrushStyle hatchOf(TBrushStyle s)
{
    switch (s) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
    }
}

Qt::PenStyle penStyleOf(TrpFrameStyle s)
{
    switch (s) {
    case fsDash: return Qt::DashLine;
    case fsDot: return Qt::DotLine;
    case fsDashDot: return Qt::DashDotLine;
    case fsDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

} // namespace

QColor ColorToQColor(int color)
{
    if (color == clNone)
        return QColor();
    if (color < 0) {
        switch (color & 0xFF) {
        case 5: return QColor(255, 255, 255);   // window
        case 8: return QColor(0, 0, 0);         // window text
        case 15: return QColor(240, 240, 240);  // button face
        case 16: return QColor(160, 160, 160);  // button shadow
        default: return QColor(192, 192, 192);
        }
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void DrawThickLine(QPainter &canvas, int x1, int y1, int x2, int y2, int w)
{
    if (w <= 0)
        w = 1;
    const bool horizontal = std::abs(y2 - y1) < std::abs(x2 - x1);
    for (int d = -(w / 2); d <= (w - 1) / 2; ++d) {
        if (horizontal)
            stroke(canvas, x1, y1 + d, x2, y2 + d);
        else
            stroke(canvas, x1 + d, y1, x2 + d, y2);
    }
}

void TrpView::BeginDraw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    m_canvas = &canvas;
    m_scaleX = scaleX;
    m_scaleY = scaleY;
    m_offsetX = offsetX;
    m_offsetY = offsetY;
    m_x = roundEven(offsetX + scaleX * AbsLeft());
    m_y = roundEven(offsetY + scaleY * AbsTop());
    m_x1 = roundEven(offsetX + scaleX * (AbsLeft() + Width()));
    m_y1 = roundEven(offsetY + scaleY * (AbsTop() + Height()));
    if (m_frame->DropShadow()) {
        m_x1 -= roundEven(scaleX * m_frame->ShadowWidth());
        m_y1 -= roundEven(scaleY * m_frame->ShadowWidth());
    }
    m_dx = m_x1 - m_x;
    m_dy = m_y1 - m_y;
    m_frameWidth = roundEven(scaleX * m_frame->Width());
}

void TrpView::Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    DrawBackground();
    DrawFrame();
}

void TrpView::DrawBackground()
{
    if (!m_canvas)
        return;
    QPainter &c = *m_canvas;
    if (m_color != clNone && m_dx > 0 && m_dy > 0)
        c.fillRect(QRect(m_x, m_y, m_dx, m_dy), ColorToQColor(m_color));
    const Qt::BrushStyle hatch = hatchOf(m_brushStyle);
    if (hatch == Qt::NoBrush)
        return;
    const QBrush previous = c.brush();
    c.setBrush(QBrush(ColorToQColor(m_frame->Color() == clNone ? 0 : m_frame->Color()), hatch));
    // The platform's rectangle (x, y, x1 + 1, y1 + 1) with the current pen.
    c.drawRect(QRect(m_x, m_y, m_dx, m_dy));
    c.setBrush(previous);
}

void TrpView::drawShadow()
{
    QPainter &c = *m_canvas;
    c.setPen(strokePen(ColorToQColor(m_frame->ShadowColor())));
    const int a = roundEven(m_frame->ShadowWidth() * m_scaleX);
    DrawThickLine(c, m_x1 + a / 2, m_y + a, m_x1 + a / 2, m_y1, a);
    const int w = roundEven(m_frame->ShadowWidth() * m_scaleY);
    DrawThickLine(c, m_x + w, m_y1 + w / 2, m_x1 + w, m_y1 + w / 2, w);
}

void TrpView::DrawFrame()
{
    if (!m_canvas)
        return;
    QPainter &c = *m_canvas;
    // Background mode and colour serve the styled lines only: the text and
    // the next object's hatch must not inherit them.
    c.save();
    c.setRenderHint(QPainter::Antialiasing, false);
    if (m_frame->DropShadow())
        drawShadow();
    if (m_frame->Typ() != 0 && m_frame->Color() != clNone && m_frame->Width() != 0) {
        // The gaps of styled lines show the view's colour.
        const bool styled = m_frame->Style() != fsSolid && m_color != clNone;
        c.setBackgroundMode(styled ? Qt::OpaqueMode : Qt::TransparentMode);
        if (styled)
            c.setBackground(ColorToQColor(m_color));
        if (m_frame->Typ() & ftLeft)
            drawSide(ftLeft, *m_frame->LeftLine());
        if (m_frame->Typ() & ftRight)
            drawSide(ftRight, *m_frame->RightLine());
        if (m_frame->Typ() & ftTop)
            drawSide(ftTop, *m_frame->TopLine());
        if (m_frame->Typ() & ftBottom)
            drawSide(ftBottom, *m_frame->BottomLine());
    }
    c.restore();
}

// One side: solid (one thick stroke), dashed or dotted (a thick line of
// 1-pixel styled strokes) or double (outer and inner stroke w away from
// the edge, the edge itself in the view's colour).
void TrpView::drawSide(int side, const TrpFrameLine &line)
{
    QPainter &c = *m_canvas;
    // A thin line that rounds to no pixel still shows as one.
    const int w = std::max(1, roundEven(line.Width() * m_scaleX));
    const bool vertical = side == ftLeft || side == ftRight;
    int x1 = side == ftRight ? m_x1 : m_x, y1 = side == ftBottom ? m_y1 : m_y;
    int x2 = vertical ? x1 : m_x1, y2 = vertical ? m_y1 : y1;
    if (line.Style() != fsDouble) {
        const Qt::PenStyle style = penStyleOf(line.Style());
        c.setPen(strokePen(ColorToQColor(line.Color()), style));
        const int penWidth = style == Qt::SolidLine ? w : 1;
        if (side == ftLeft && penWidth == 2)
            --y1;
        if (side == ftBottom && penWidth == 1)
            ++x2;
        DrawThickLine(c, x1, y1, x2, y2, w);
        return;
    }
    // Neighbours framed at the start (top/left) and end (bottom/right).
    const int typ = m_frame->Typ();
    const bool atStart = vertical ? typ & ftTop : typ & ftLeft;
    const bool atEnd = vertical ? typ & ftBottom : typ & ftRight;
    const int outerSign = (side == ftLeft || side == ftTop) ? -1 : 1;
    auto at = [&](int offset, int grow) {
        const int s = atStart ? grow : 0, e = atEnd ? grow : 0;
        if (vertical)
            DrawThickLine(c, x1 + offset, y1 - s, x2 + offset, y2 + e, w);
        else
            DrawThickLine(c, x1 - s, y1 + offset, x2 + e, y2 + offset, w);
    };
    c.setPen(strokePen(ColorToQColor(line.Color())));
    at(outerSign * w, w);
    at(-outerSign * w, -w);
    if (m_color != clNone) {
        c.setPen(strokePen(ColorToQColor(m_color)));
        at(0, 0);
    }
}

} // namespace bralvo::report
