// Places a child at a position given for left-to-right: in a
// right-to-left locale the library's windows are mirrored, so the
// position is taken from the right edge of the parent's client area.
#pragma once

#include <QRect>

class QWidget;

namespace bralvo::report {

// Rect in left-to-right pixels of Parent's client area.
void placeMirrored(QWidget *child, const QRect &rect);
// Whether the user's locale writes right to left.
bool isRightToLeftLocale();

} // namespace bralvo::report
