// Colour blending and font measures of the library's windows.
#include "report/preview/trpcontrolutils.h"

#include "report/model/trpview.h"

#include <QFont>
#include <QFontMetrics>

namespace bralvo::report {

namespace {

int channelBlend(int v1, int v2, int a, int d)
{
    return (v2 * (d - a) + v1 * a + d / 2) / d;
}

} // namespace

int BlendColors(int c1, int c2, int a)
{
    const QColor q1 = ColorToQColor(c1);
    const QColor q2 = ColorToQColor(c2);
    const int d = a < 100 ? 100 : 1000;
    const int r = channelBlend(q1.red(), q2.red(), a, d);
    const int g = channelBlend(q1.green(), q2.green(), a, d);
    const int b = channelBlend(q1.blue(), q2.blue(), a, d);
    return (b << 16) | (g << 8) | r;
}

QFontMetrics GetFontMetrics(const QFont &font)
{
    return QFontMetrics(font);
}

int FontHeight(const QFont &font)
{
    return GetFontMetrics(font).height();
}

quint16 MinWord(quint16 a, quint16 b)
{
    return a < b ? a : b;
}

} // namespace bralvo::report
