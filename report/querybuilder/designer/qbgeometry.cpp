// The query builder window's arithmetic.
#include "report/querybuilder/designer/qbgeometry.h"

#include <QSize>
#include <cmath>

namespace bralvo::report {

QList<int> FitColumns(const QList<int> &widths, int gridWidth)
{
    QList<int> result;
    qint64 sum = 0;
    for (int w : widths)
        sum += w;
    if (widths.isEmpty() || sum <= 0)
        return widths;
    const int avail = gridWidth - 4;
    int used = 0;
    for (int w : widths) {
        const int fitted = int(std::nearbyint(double(avail) * w / double(sum)));
        result.append(fitted);
        used += fitted;
    }
    result.last() += avail - used;
    return result;
}

QPoint NextCascade(QPoint pos, QSize area)
{
    const int y = pos.y() > area.height() ? 15 : pos.y() + 15;
    const int x = pos.x() > area.width() ? 15 : pos.x() + 15;
    return QPoint(x, y);
}

bool TypesCompatible(int a, int b)
{
    if (a == b)
        return true;
    const auto group = [](int code) {
        switch (code) {
        case 2: case 3: case 4: case 12: case 14:
            return 1;
        case 9: case 10: case 11:
            return 2;
        case 6: case 7:
            return 3;
        default:
            return 0;
        }
    };
    return group(a) != 0 && group(a) == group(b);
}

int AttachY(int itemMiddle, int visibleTop, int visibleBottom, int boxTop, int boxBottom)
{
    if (itemMiddle > visibleBottom)
        return boxBottom;
    if (itemMiddle < visibleTop)
        return boxTop;
    return itemMiddle;
}

QList<QPoint> LinkPath(const QRect &sourceBox, int sourceY, const QRect &destBox, int destY)
{
    const bool rightward = sourceBox.center().x() < destBox.center().x();
    const QPoint s(rightward ? sourceBox.right() : sourceBox.left(), sourceY);
    const QPoint d(rightward ? destBox.left() : destBox.right(), destY);
    const int out = rightward ? 15 : -15;
    return {s, s + QPoint(out, 0), d - QPoint(out, 0), d};
}

bool LinkHit(QPoint a, QPoint b, QPoint mouse, int tolerance)
{
    const QRect box = QRect(a, b).normalized().adjusted(-tolerance, -tolerance, tolerance, tolerance);
    if (!box.contains(mouse))
        return false;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len = std::hypot(dx, dy);
    if (len == 0)
        return std::hypot(mouse.x() - a.x(), mouse.y() - a.y()) <= tolerance;
    const double dist = std::abs(dy * (mouse.x() - a.x()) - dx * (mouse.y() - a.y())) / len;
    return dist <= tolerance;
}

} // namespace bralvo::report
