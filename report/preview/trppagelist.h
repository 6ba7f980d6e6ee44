// The layout of the pages of one preview page area: rows of pages with
// 10-pixel gaps, each row centred in the area. All values are screen
// pixels in the area's scrollable space.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace bralvo::report {

struct TrpPageItem {
    quint16 Height = 0;
    quint16 Width = 0;
    qint32 Left = 0;
    qint32 Top = 0;
    // Left, Top, Left + Width, Top + Height (right and bottom exclusive).
    QRect Rect() const { return QRect(Left, Top, Width, Height); }
};

class TrpPageList {
public:
    int Count() const { return int(m_items.size()); }
    const TrpPageItem &Items(int index) const { return m_items.at(index); }
    void Clear();
    // Adds a page of that size (already scaled); Left and Top come from
    // CalcBounds.
    void AddPage(int width, int height);
    // Lays the pages out in rows for ClientWidth; sets MaxWidth, the
    // widest row (each page counted with its 10-pixel gap).
    void CalcBounds(int clientWidth);
    int MaxWidth() const { return m_maxWidth; }
    // The page at Y (X = 0: the page whose top has passed Y by no more
    // than a fifth of its height), or with X the page containing (X, Y)
    // among the 41 nearest; -1 above the first page.
    int FindPage(int y, int x = 0) const;
    // The item's rectangle (left, top, right, bottom as QRect corners:
    // right = left + width). Outside the list: an A4 page of 794 x 1123
    // at Zoom, centred in ClientWidth or at x 10 when wider.
    QRect GetPageBounds(int index, int clientWidth, double zoom) const;
    // (MaxWidth, bottom of the last page); (0, 0) when empty.
    QPoint GetMaxBounds() const;

private:
    int placeRow(int first, int y, int clientWidth, int &rowHeight);

    QList<TrpPageItem> m_items;
    int m_maxWidth = 0;
};

// Right and bottom of a bounds rectangle as the page list means them
// (exclusive), since QRect's right() is inclusive.
inline int boundsRight(const QRect &r) { return r.x() + r.width(); }
inline int boundsBottom(const QRect &r) { return r.y() + r.height(); }

} // namespace bralvo::report
