// The arithmetic of the query builder window, kept apart from the
// widgets: fitting the grid's columns, the cascade of new table boxes,
// field-type compatibility of a link, where a link attaches to its boxes
// and whether a click hits it.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace bralvo::report {

// Column widths scaled to gridWidth - 4: each round(avail x w / sum)
// (halves to even), the last taking the rounding difference.
QList<int> FitColumns(const QList<int> &widths, int gridWidth);

// The cascade position after a box was placed at pos: each coordinate
// goes back to 15 once it exceeds the area's size, else grows by 15.
QPoint NextCascade(QPoint pos, QSize area);

// Field-type codes that may be linked: equal codes, or both in one of
// {Smallint, Integer, Word, Bytes, AutoInc}, {Date, Time, DateTime},
// {Float, Currency}.
bool TypesCompatible(int a, int b);

// The y where a link meets a box: the field item's middle while it lies
// inside the list's visible part, else the box's top or bottom edge.
int AttachY(int itemMiddle, int visibleTop, int visibleBottom, int boxTop, int boxBottom);

// The four points of a link's drawing: source point, the 15-pixel stub
// outward, the point 15 pixels outward of the destination, destination.
// The source leaves on the right when its box's centre is left of the
// destination box's centre, else on the left; the destination is
// entered from the opposite side.
QList<QPoint> LinkPath(const QRect &sourceBox, int sourceY, const QRect &destBox, int destY);

// A click at mouse hits the segment a-b when it lies within tolerance of
// the segment's line and inside its bounding box grown by tolerance.
bool LinkHit(QPoint a, QPoint b, QPoint mouse, int tolerance = 6);

} // namespace bralvo::report
