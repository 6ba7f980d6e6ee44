// Row layout, page lookup and bounds of a page area's pages.
#include "report/preview/trppagelist.h"
#include "report/model/trpnumberbounds.h"

#include <cmath>

namespace bralvo::report {

namespace {

constexpr int kGap = 10;
constexpr int kA4Width = 794;
constexpr int kA4Height = 1123;

int roundHalfEven(double v)
{
    return RoundToInt(v);
}

} // namespace

void TrpPageList::Clear()
{
    m_items.clear();
    m_maxWidth = 0;
}

void TrpPageList::AddPage(int width, int height)
{
    TrpPageItem item;
    item.Width = quint16(qBound(0, width, 65535));
    item.Height = quint16(qBound(0, height, 65535));
    m_items.append(item);
}

// Places one row starting at First; returns the index after it.
int TrpPageList::placeRow(int first, int y, int clientWidth, int &rowHeight)
{
    int rowWidth = 0;
    rowHeight = 0;
    int j = first;
    while (j < m_items.size()) {
        TrpPageItem &item = m_items[j];
        if (j > first && rowWidth + item.Width > clientWidth)
            break;
        item.Left = rowWidth;
        item.Top = y;
        rowWidth += item.Width + kGap;
        rowHeight = qMax(rowHeight, int(item.Height));
        ++j;
    }
    m_maxWidth = qMax(m_maxWidth, rowWidth);
    int shift = (clientWidth - rowWidth + kGap) / 2;
    if (shift < 0)
        shift = 0;
    shift += kGap;
    for (int i = first; i < j; ++i)
        m_items[i].Left += shift;
    return j;
}

void TrpPageList::CalcBounds(int clientWidth)
{
    m_maxWidth = 0;
    int y = kGap;
    int i = 0;
    while (i < m_items.size()) {
        int rowHeight = 0;
        i = placeRow(i, y, clientWidth, rowHeight);
        y += rowHeight + kGap;
    }
}

int TrpPageList::FindPage(int y, int x) const
{
    int low = 0;
    int high = int(m_items.size()) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const TrpPageItem &m = m_items.at(middle);
        const int slack = x != 0 ? 0 : roundHalfEven(m.Height / 5.0);
        if (m.Top > y + slack)
            high = middle - 1;
        else
            low = middle + 1;
    }
    const int candidate = high;
    if (x == 0)
        return candidate;
    for (int i = candidate - 20; i <= candidate + 20; ++i) {
        if (i < 0 || i >= m_items.size())
            continue;
        const TrpPageItem &it = m_items.at(i);
        if (x >= it.Left && x < it.Left + it.Width && y >= it.Top && y < it.Top + it.Height)
            return i;
    }
    return candidate;
}

QRect TrpPageList::GetPageBounds(int index, int clientWidth, double zoom) const
{
    if (index >= 0 && index < m_items.size())
        return m_items.at(index).Rect();
    const double w = zoom * kA4Width;
    const int left = clientWidth >= w ? roundHalfEven((clientWidth - w) / 2) : kGap;
    const int top = roundHalfEven(zoom * kGap);
    const int right = roundHalfEven(w) + left;
    const int bottom = roundHalfEven(zoom * kA4Height) + top;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QPoint TrpPageList::GetMaxBounds() const
{
    if (m_items.isEmpty())
        return QPoint(0, 0);
    const TrpPageItem &last = m_items.last();
    return QPoint(m_maxWidth, last.Top + last.Height);
}

} // namespace bralvo::report
