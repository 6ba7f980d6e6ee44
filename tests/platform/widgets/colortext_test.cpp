// The colour texts of the settings file, read and written.
#include "platform/widgets/colortext.h"

#include <gtest/gtest.h>

using bralvo::platform::colorToText;
using bralvo::platform::parseColorText;

TEST(ColorText, ReadsTheSettingForms)
{
    struct Case { const char *text; int r, g, b; };
    const Case cases[] = {
        {"$00FEE6CF", 0xCF, 0xE6, 0xFE},  // the focus colour's default: blue byte first
        {"$000000FF", 0xFF, 0, 0},
        {"$00fee6cf", 0xCF, 0xE6, 0xFE},
        {"255", 0xFF, 0, 0},
        {"clWhite", 0xFF, 0xFF, 0xFF},
        {"CLMAROON", 0x80, 0, 0},
        {"  $00FF0000 ", 0, 0, 0xFF},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const auto color = parseColorText(QString::fromLatin1(c.text));
        ASSERT_TRUE(color.has_value());
        EXPECT_EQ(color->red(), c.r);
        EXPECT_EQ(color->green(), c.g);
        EXPECT_EQ(color->blue(), c.b);
    }
}

TEST(ColorText, RefusesWhatIsNoColour)
{
    for (const char *text : {"", "$", "$00GG0000", "modra", "-1", "$1FFFFFFFF"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseColorText(QString::fromLatin1(text)).has_value());
    }
}

TEST(ColorText, WritesTheDollarForm)
{
    EXPECT_EQ(colorToText(QColor(0xCF, 0xE6, 0xFE)), "$00FEE6CF");
    EXPECT_EQ(*parseColorText(colorToText(QColor(1, 2, 3))), QColor(1, 2, 3));
}
