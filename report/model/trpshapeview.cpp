// Shape views: property table, difference coding and drawing, with the
// inset second outline of double frames.
#include "report/model/trpshapeview.h"

#include "report/model/trpnumberbounds.h"
#include "report/model/trpresources.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace bralvo::report {

namespace {

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

} // namespace

const platform::EnumInfo &shapeKindEnum()
{
    static const platform::EnumInfo e{QStringLiteral("TrpShapeKind"),
                                      {QStringLiteral("skRectangle"), QStringLiteral("skRoundRectangle"),
                                       QStringLiteral("skEllipse"), QStringLiteral("skTriangle"),
                                       QStringLiteral("skDiamond"), QStringLiteral("skDiagonal1"),
                                       QStringLiteral("skDiagonal2")}};
    return e;
}

const platform::ClassInfo &TrpShapeView::staticClass()
{
    using T = TrpShapeView;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpShapeView", &TrpView::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.enumeration("BrushStyle", brushStyleEnum(), &T::BrushStyle, &T::SetBrushStyle, bsSolid);
            b.integer("Color", &T::Color, &T::SetColor, clNone);
            b.integer("Cursor", &T::Cursor, &T::SetCursor, 0);
            b.integer("Curve", &T::Curve, &T::SetCurve, 0);
            b.object<TrpFrame>("Frame", &T::Frame, &T::SetFrame);
            b.enumeration("Shape", shapeKindEnum(), &T::Shape, &T::SetShape, skRectangle);
            b.string("TagStr", &T::TagStr, &T::SetTagStr);
            b.string("URL", &T::URL, &T::SetURL);
        });
    return info;
}

TrpShapeView::TrpShapeView(platform::Component *owner) : TrpView(owner)
{
    SetComponentStyle(ComponentStyle() & ~FullTextDiff);
    if (IsDesigning() && designFlags() >= skRectangle && designFlags() <= skDiagonal2)
        m_shape = TrpShapeKind(designFlags());
}

QString TrpShapeView::GetDescription() const
{
    return GetResources().Get(QStringLiteral("obShape"));
}

QString TrpShapeView::Diff(const TrpComponent &def) const
{
    QString t = TrpView::Diff(def);
    const auto *d = dynamic_cast<const TrpShapeView *>(&def);
    if (d && d->m_shape != m_shape)
        t += QStringLiteral(" Shape=\"") + QString::number(m_shape) + u'"';
    return t;
}

int TrpShapeView::CornerSize(int dx, int dy, double scaleX) const
{
    if (m_curve != 0)
        return RoundToInt(m_curve * scaleX * 10);
    return std::min(dx, dy) / 4;
}

void TrpShapeView::drawShape(QPainter &c)
{
    const int x = m_x, y = m_y, x1 = m_x1, y1 = m_y1, dx = m_dx, dy = m_dy;
    // The platform's shapes take (x, y, x1 + 1, y1 + 1): the outline
    // runs on x .. x1, as Qt's rectangle of width dx draws it.
    switch (m_shape) {
    case skRectangle:
        c.drawRect(QRect(x, y, dx, dy));
        break;
    case skRoundRectangle: {
        const int r = CornerSize(dx, dy, m_scaleX);
        c.drawRoundedRect(QRect(x, y, dx, dy), r / 2.0, r / 2.0);
        break;
    }
    case skEllipse:
        c.drawEllipse(QRect(x, y, dx, dy));
        break;
    case skTriangle:
        c.drawPolygon(QPolygon({QPoint(x1, y1), QPoint(x, y1), QPoint(x + dx / 2, y)}));
        break;
    case skDiamond:
        c.drawPolygon(QPolygon({QPoint(x + dx / 2, y), QPoint(x1, y + dy / 2), QPoint(x + dx / 2, y1),
                                QPoint(x, y + dy / 2)}));
        break;
    case skDiagonal1:
        DrawThickLine(c, x, y1, x1, y, m_frameWidth);
        break;
    case skDiagonal2:
        DrawThickLine(c, x, y, x1, y1, m_frameWidth);
        break;
    }
}

void TrpShapeView::Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY)
{
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    const TrpFrame &f = *Frame();
    const bool isDouble = f.Style() == fsDouble;
    QPen pen(ColorToQColor(f.Color()), std::max(1, m_frameWidth), isDouble ? Qt::SolidLine : penStyleOf(f.Style()));
    // Only a frame without width has no outline; one thinner than a pixel
    // draws a 1-pixel outline.
    if (f.Color() == clNone || f.Width() == 0)
        pen = QPen(Qt::NoPen);
    canvas.setPen(pen);
    canvas.setBackgroundMode(Qt::OpaqueMode);
    const QColor fill = ColorToQColor(Color());
    auto drawFilled = [&] {
        if (BrushStyle() == bsSolid) {
            canvas.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
            drawShape(canvas);
            return;
        }
        if (fill.isValid()) {
            canvas.setBrush(QBrush(fill));
            drawShape(canvas);
        }
        canvas.setBrush(QBrush(ColorToQColor(f.Color() == clNone ? 0 : f.Color()), hatchOf(BrushStyle())));
        drawShape(canvas);
    };
    drawFilled();
    if (!isDouble)
        return;
    // The second outline, inset; the bounds are put back afterwards.
    const QRectF saved(Left(), Top(), Width(), Height());
    const double w = f.Width();
    switch (m_shape) {
    case skTriangle: SetBounds(Left() + 4 * w, Top() + 4 * w, Width() - 8 * w, Height() - 6 * w); break;
    case skDiamond: SetBounds(Left() + 3 * w, Top() + 3 * w, Width() - 6 * w, Height() - 6 * w); break;
    case skDiagonal1:
    case skDiagonal2: SetBounds(Left() + 2 * w, Top(), Width(), Height()); break;
    default: SetBounds(Left() + 2 * w, Top() + 2 * w, Width() - 4 * w, Height() - 4 * w); break;
    }
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
    drawFilled();
    SetBounds(saved.x(), saved.y(), saved.width(), saved.height());
    BeginDraw(canvas, scaleX, scaleY, offsetX, offsetY);
}

} // namespace bralvo::report
