// Texts the builder makes itself rather than through the general
// routines: each must read exactly as the general one makes it.
#include "script/buildertree.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <optional>

using namespace bralvo::script;

namespace {

// The decoded text, or nullopt when decoding throws.
template <class Decode>
std::optional<QString> outcomeOf(Decode decode)
{
    try {
        return decode();
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

TEST(BuilderTexts, ReferencesDecodedAsXmlToStrDecodesThem)
{
    const QString texts[] = {
        QStringLiteral("&#62;"),
        QStringLiteral("&#62;="),
        QStringLiteral("&#60;&#62;"),
        QStringLiteral("a&quot;b&quot;"),
        QStringLiteral("&#0;"),
        QStringLiteral("&#255;"),
        QStringLiteral("&#062;"),
        QStringLiteral("&#0062;"),   // four digits: left to the general reader
        QStringLiteral("&#256;"),    // no byte: an error
        QStringLiteral("&#+6;"),
        QStringLiteral("&#-6;"),
        QStringLiteral("&#6a;"),
        QStringLiteral("&#;x"),
        QStringLiteral("&#6"),
        QStringLiteral("&#"),
        QStringLiteral("x&"),
        QStringLiteral("&"),
        QStringLiteral("&amp;&lt;"),  // not decoded at all
        QStringLiteral("&quot"),
        QStringLiteral("&QUOT;"),
        QStringLiteral("&#6;;&#7;"),
        QStringLiteral("&&#62;"),
        QStringLiteral("\u00e9&#233;\u00e9"),
    };
    for (const QString &text : texts) {
        SCOPED_TRACE(text.toStdString());
        const auto expected = outcomeOf([&] { return XMLToStr(text); });
        const auto found = outcomeOf([&] { return builder::unescapedAttribute(text); });
        ASSERT_EQ(found.has_value(), expected.has_value());
        if (expected) {
            EXPECT_EQ(*found, *expected);
        }
    }
}

TEST(BuilderTexts, PositionDigitsSpellNumbersAsQtDoes)
{
    const int numbers[] = {0, 1, 9, 10, 11, 99, 100, 101, 109, 110, 999, 1000, 1009, 9999, 10000, 65535,
                           99999, 100000, 1234567, 2147483647};
    for (const int line : numbers) {
        for (const int column : {0, 7, 10, 99, 100, 4096}) {
            const QString expected = QString::number(line) + QLatin1Char(':') + QString::number(column);
            EXPECT_EQ(builder::PositionDigits(line, column).view().toString(), expected);
        }
    }
}
