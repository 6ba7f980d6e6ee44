// Row layout, page lookup and bounds of a page area.
#include "report/preview/trppagelist.h"

#include <gtest/gtest.h>
#include <vector>

using namespace bralvo::report;

namespace {

struct LayoutCase {
    const char *name;
    int clientWidth;
    std::vector<QSize> pages;
    std::vector<QPoint> corners; // expected Left, Top per page
    int maxWidth;
};

TrpPageList listOf(const std::vector<QSize> &pages)
{
    TrpPageList list;
    for (const QSize &s : pages)
        list.AddPage(s.width(), s.height());
    return list;
}

} // namespace

TEST(TrpPageList, LaysPagesOutInCentredRows)
{
    const LayoutCase cases[] = {
        // Narrower than a page: one page per row at x = 10.
        {"narrow", 300, {{794, 1123}, {794, 1123}}, {{10, 10}, {10, 1143}}, 804},
        // One page centred: (1000 - 804 + 10) div 2 + 10 = 113.
        {"centred", 1000, {{794, 1123}}, {{113, 10}}, 804},
        // Two small pages share a row; the third starts the next one
        // below the taller page of the first row.
        {"rows", 250, {{100, 50}, {100, 80}, {100, 50}}, {{30, 10}, {140, 10}, {85, 100}}, 220},
    };
    for (const LayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        TrpPageList list = listOf(c.pages);
        list.CalcBounds(c.clientWidth);
        ASSERT_EQ(list.Count(), int(c.corners.size()));
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_EQ(list.Items(i).Left, c.corners[i].x()) << "page " << i;
            EXPECT_EQ(list.Items(i).Top, c.corners[i].y()) << "page " << i;
        }
        EXPECT_EQ(list.MaxWidth(), c.maxWidth);
    }
}

TEST(TrpPageList, BoundsOutsideTheListAreADefaultA4Page)
{
    TrpPageList list = listOf({{100, 100}});
    list.CalcBounds(500);
    struct Case {
        int index, clientWidth;
        double zoom;
        int left, top, right, bottom;
    } cases[] = {
        {5, 1000, 1.0, 103, 10, 897, 1133},
        {-1, 1000, 1.0, 103, 10, 897, 1133},
        {7, 500, 1.0, 10, 10, 804, 1133}, // wider than the area: x 10
        {3, 1000, 0.5, 302, 5, 699, 567},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        const QRect r = list.GetPageBounds(c.index, c.clientWidth, c.zoom);
        EXPECT_EQ(r.left(), c.left);
        EXPECT_EQ(r.top(), c.top);
        EXPECT_EQ(boundsRight(r), c.right);
        EXPECT_EQ(boundsBottom(r), c.bottom);
    }
    const QRect inside = list.GetPageBounds(0, 1000, 1.0);
    EXPECT_EQ(inside, list.Items(0).Rect());
}

TEST(TrpPageList, FindsThePageAtAPoint)
{
    // Three pages of 100 x 500, one per row: tops 10, 520, 1030.
    TrpPageList list = listOf({{100, 500}, {100, 500}, {100, 500}});
    list.CalcBounds(100);
    struct Case {
        int y, x, page;
    } cases[] = {
        {0, 0, 0},     // above the first top but within a fifth of it
        {-200, 0, -1}, // far above the first page
        {419, 0, 0},   // page 2's top (520) lies more than a fifth below
        {420, 0, 1},   // within a fifth (100) of page 2's top
        {1100, 0, 2},
        {600, 50, 1}, // a point inside page 2
        {515, 50, 0}, // in the gap: no page holds it, the candidate counts
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.y << "," << c.x);
        EXPECT_EQ(list.FindPage(c.y, c.x), c.page);
    }
}

TEST(TrpPageList, MaxBoundsOfEmptyAndFilledLists)
{
    TrpPageList list;
    EXPECT_EQ(list.GetMaxBounds(), QPoint(0, 0));
    EXPECT_EQ(list.FindPage(100), -1);
    list.AddPage(200, 300);
    list.AddPage(200, 300);
    list.CalcBounds(1000);
    EXPECT_EQ(list.GetMaxBounds(), QPoint(420, 310));
}
