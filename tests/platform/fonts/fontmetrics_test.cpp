// Metrics against published facts of the fonts: at an em of 2048 pixels
// the advances are the design units of the metric-compatible fonts.
#include "platform/fonts/fontmetrics.h"

#include "platform/font.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(FontMetrics, ProportionalAdvancesMatchDesignUnits) {
    // Arial's (and so Liberation Sans's) widths in 2048 units per em.
    const auto sans = FontMetrics::get(QStringLiteral("Arial"), 0, 2048);
    struct Case {
        char32_t ch;
        int advance;
    };
    for (const Case &c : {Case{U' ', 569}, Case{U'a', 1139}, Case{U'i', 455}, Case{U'm', 1706},
                          Case{U'W', 1933}}) {
        SCOPED_TRACE(int(c.ch));
        EXPECT_EQ(sans->advance(c.ch), c.advance);
    }
    EXPECT_EQ(sans->ascent(), 1854);
    EXPECT_EQ(sans->descent(), 434);
}

TEST(FontMetrics, MonospacedAdvanceIsTheSameForEveryGlyph) {
    const auto mono = FontMetrics::get(QStringLiteral("Courier New"), 0, 2048);
    for (char32_t c : {U'i', U'W', U' ', U'.', U'Ž', U'ч', U'0'}) {
        SCOPED_TRACE(int(c));
        EXPECT_EQ(mono->advance(c), 1229);
    }
    // At the layout's 600 per inch, 10 points is an em of 83 pixels.
    EXPECT_EQ(FontMetrics::get(QStringLiteral("Courier New"), 0, 83)->advance(U'x'), 50);
}

TEST(FontMetrics, AdvancesAreRoundedPerGlyphAndSummed) {
    const auto sans = FontMetrics::get(QStringLiteral("Arial"), 0, 83);
    // 455 x 83 / 2048 = 18.44 and 1933 x 83 / 2048 = 78.34
    EXPECT_EQ(sans->advances(u"iW"), QList<int>({18, 78}));
    EXPECT_EQ(sans->textWidth(u"iWiW"), 192);
}

TEST(FontMetrics, SurrogatePairCarriesItsAdvanceOnTheFirstUnit) {
    const auto sans = FontMetrics::get(QStringLiteral("Arial"), 0, 100);
    const QString text = QString::fromUcs4(U"a\U0001D400b");
    const QList<int> advances = sans->advances(text);
    ASSERT_EQ(advances.size(), 4);
    EXPECT_EQ(advances[2], 0);
    EXPECT_EQ(advances[0], sans->advance(U'a'));
}

TEST(FontMetrics, BoldHasItsOwnWidths) {
    // Arial Bold's "a" is 1139 too, but "b" differs: 1139 regular, 1251 bold.
    EXPECT_EQ(FontMetrics::get(QStringLiteral("Arial"), 0, 2048)->advance(U'b'), 1139);
    EXPECT_EQ(FontMetrics::get(QStringLiteral("Arial"), fsBold, 2048)->advance(U'b'), 1251);
}

TEST(FontMetrics, HugeAndZeroSizesAreClamped) {
    EXPECT_EQ(FontMetrics::get(QStringLiteral("Arial"), 0, 100000000)->pixelSize(),
              FontMetrics::kMaxPixelSize);
    EXPECT_EQ(FontMetrics::get(QStringLiteral("Arial"), 0, 0)->pixelSize(), 1);
    EXPECT_EQ(FontMetrics::get(QStringLiteral("Arial"), 0, -5)->pixelSize(), 1);
}

TEST(FontMetrics, SameFileAndSizeShareOneInstance) {
    EXPECT_EQ(FontMetrics::get(QStringLiteral("Arial"), 0, 50).get(),
              FontMetrics::get(QStringLiteral("arial"), fsUnderline, 50).get());
}

TEST(FontMetrics, RawFontLoadsTheSameFile) {
    const auto sans = FontMetrics::get(QStringLiteral("Arial"), 0, 40);
    const QRawFont raw = sans->rawFont();
    ASSERT_TRUE(raw.isValid());
    EXPECT_EQ(raw.familyName(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(raw.pixelSize(), 40);
}
