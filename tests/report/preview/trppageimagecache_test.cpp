// The drawn-page cache: lookup by page and zoom, least recently used
// out first, dropped memory reused.
#include "report/preview/trppageimagecache.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

QImage page(int shade)
{
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied); // 400 bytes
    image.fill(qRgb(shade, shade, shade));
    return image;
}

} // namespace

TEST(TrpPageImageCache, KeepsTheRecentlyUsedPagesWithinItsBudget)
{
    TrpPageImageCache cache(1000); // two images of 400 bytes
    cache.Insert(0, 1.0, page(1));
    cache.Insert(1, 1.0, page(2));
    EXPECT_TRUE(cache.Find(0, 0.5).isNull()); // another zoom is another drawing
    EXPECT_FALSE(cache.Find(0, 1.0).isNull()); // page 0 is now the newer one
    cache.Insert(2, 1.0, page(3));
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_TRUE(cache.Find(1, 1.0).isNull());
    EXPECT_EQ(qGray(cache.Find(0, 1.0).pixel(0, 0)), 1);
    EXPECT_EQ(qGray(cache.Find(2, 1.0).pixel(0, 0)), 3);
    // An image over the budget alone still stays.
    TrpPageImageCache small(100);
    small.Insert(5, 2.0, page(9));
    EXPECT_EQ(small.Count(), 1);
}

TEST(TrpPageImageCache, ReusesTheMemoryOfDroppedPages)
{
    TrpPageImageCache cache(500);
    cache.Insert(0, 1.0, page(1));
    const uchar *first = cache.Find(0, 1.0).constBits();
    cache.Insert(1, 1.0, page(2)); // drops page 0
    const QImage reused = cache.NewImage(QSize(10, 10), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(reused.constBits(), first);
    const QImage other = cache.NewImage(QSize(20, 10), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(other.size(), QSize(20, 10));
    cache.Clear();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_TRUE(cache.Find(1, 1.0).isNull());
}
