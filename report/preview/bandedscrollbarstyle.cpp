// Scroll bars drawn a band of rows at a time.
#include "report/preview/bandedscrollbarstyle.h"

#include <QImage>
#include <QPainter>
#include <QStyleOption>

namespace bralvo::report {

BandedScrollBarStyle::BandedScrollBarStyle() = default;

void BandedScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                              QPainter *painter, const QWidget *widget) const
{
    if (control != CC_ScrollBar || !option || option->rect.height() <= kBandRows) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect all = option->rect;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QImage band(QSize(all.width(), kBandRows) * ratio, QImage::Format_ARGB32_Premultiplied);
    band.setDevicePixelRatio(ratio);
    for (int top = all.top(); top <= all.bottom(); top += kBandRows) {
        band.fill(Qt::transparent);
        {
            QPainter bandPainter(&band);
            bandPainter.setRenderHints(painter->renderHints());
            bandPainter.setFont(painter->font());
            bandPainter.translate(-all.left(), -top);
            QProxyStyle::drawComplexControl(control, option, &bandPainter, widget);
        }
        const int rows = qMin(kBandRows, all.bottom() + 1 - top);
        painter->drawImage(QRectF(all.left(), top, all.width(), rows), band,
                           QRectF(0, 0, all.width() * ratio, rows * ratio));
    }
}

} // namespace bralvo::report
