// The query builder window's arithmetic without widgets.
#include "report/querybuilder/designer/qbgeometry.h"

#include <QSize>
#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(QbGeometry, ColumnFitScalesAndTheLastTakesTheRest)
{
    EXPECT_EQ(FitColumns({104, 104, 104, 104, 104, 105}, 604), QList<int>({100, 100, 100, 100, 100, 100}));
    EXPECT_EQ(FitColumns({80, 80, 80, 80, 80, 80}, 504), QList<int>({83, 83, 83, 83, 83, 85}));
    EXPECT_EQ(FitColumns({50, 150}, 204), QList<int>({50, 150}));
    EXPECT_EQ(FitColumns({}, 300), QList<int>());
}

TEST(QbGeometry, CascadeStepsBy15AndWraps)
{
    const QSize area(100, 40);
    QPoint p(15, 15);
    p = NextCascade(p, area);
    EXPECT_EQ(p, QPoint(30, 30));
    p = NextCascade(p, area);
    EXPECT_EQ(p, QPoint(45, 45));
    p = NextCascade(p, area); // 45 > 40: y wraps, x goes on
    EXPECT_EQ(p, QPoint(60, 15));
}

TEST(QbGeometry, TypeCompatibilityByGroup)
{
    struct Case {
        int a, b;
        bool ok;
    };
    const Case cases[] = {
        {9, 11, true},   // Date onto DateTime
        {10, 9, true},   // Time onto Date
        {9, 3, false},   // Date onto Integer
        {25, 3, false},  // Largeint onto Integer
        {2, 14, true},   // Smallint onto AutoInc
        {12, 4, true},   // Bytes onto Word
        {6, 7, true},    // Float onto Currency
        {6, 3, false},   // Float onto Integer
        {1, 1, true},    // two Strings
        {25, 25, true},
        {1, 24, false},  // String onto WideString
    };
    for (const Case &c : cases)
        EXPECT_EQ(TypesCompatible(c.a, c.b), c.ok) << c.a << " onto " << c.b;
}

TEST(QbGeometry, LinksAttachToTheItemOrTheBoxEdge)
{
    EXPECT_EQ(AttachY(60, 30, 200, 10, 220), 60);
    EXPECT_EQ(AttachY(250, 30, 200, 10, 220), 220);
    EXPECT_EQ(AttachY(20, 30, 200, 10, 220), 10);
}

TEST(QbGeometry, LinkPathLeavesTowardsTheOtherBox)
{
    const QRect left(10, 10, 100, 100), right(300, 50, 100, 100);
    EXPECT_EQ(LinkPath(left, 40, right, 80),
              QList<QPoint>({{109, 40}, {124, 40}, {285, 80}, {300, 80}}));
    EXPECT_EQ(LinkPath(right, 80, left, 40),
              QList<QPoint>({{300, 80}, {285, 80}, {124, 40}, {109, 40}}));
}

TEST(QbGeometry, LinkHitWithinSixPixels)
{
    const QPoint a(0, 0), b(100, 50);
    EXPECT_TRUE(LinkHit(a, b, {50, 25}));
    EXPECT_TRUE(LinkHit(a, b, {50, 30}));
    EXPECT_FALSE(LinkHit(a, b, {50, 40}));
    EXPECT_FALSE(LinkHit(a, b, {150, 75})); // on the line, outside the box
    EXPECT_TRUE(LinkHit({10, 5}, {10, 5}, {13, 7}));
}
