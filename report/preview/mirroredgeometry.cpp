// Mirrored placement of the library windows' controls.
#include "report/preview/mirroredgeometry.h"

#include <QGuiApplication>
#include <QLocale>
#include <QWidget>

namespace bralvo::report {

bool isRightToLeftLocale()
{
    return QLocale().textDirection() == Qt::RightToLeft ||
           QGuiApplication::layoutDirection() == Qt::RightToLeft;
}

void placeMirrored(QWidget *child, const QRect &rect)
{
    QRect r = rect;
    if (isRightToLeftLocale() && child->parentWidget())
        r.moveLeft(child->parentWidget()->width() - rect.left() - rect.width());
    child->setGeometry(r);
}

} // namespace bralvo::report
