// Texts the builder reads and makes itself rather than through the
// general routines: each must come out exactly as the general one has it.
#include "script/buildertree.h"
#include "script/tscxmldocument.h"
#include "script/typerules.h"

#include <gtest/gtest.h>

#include <optional>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

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

TEST(BuilderTexts, NumbersReadWithTheirKindAndValue)
{
    struct Case {
        const char *text;
        platform::VarType kind;
        double value;
    };
    const Case cases[] = {
        {"0", platform::varInteger, 0},
        {"7", platform::varInteger, 7},
        {"007", platform::varInteger, 7},
        {"123456789", platform::varInteger, 123456789},
        {"999999999", platform::varInteger, 999999999},
        {"0000000001", platform::varInteger, 1},
        {"1000000000", platform::varInteger, 1000000000},
        {"2147483647", platform::varInteger, 2147483647},
        {"2147483648", platform::varInt64, 2147483648.0},
        {"-5", platform::varInteger, -5},
        {"+5", platform::varInteger, 5},
        {"$ff", platform::varInteger, 255},
        {"1.5", platform::varDouble, 1.5},
        {"1e3", platform::varDouble, 1000},
        {"5.", platform::varDouble, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const Variant read = ParserStringToVariant(QStringView(QString::fromLatin1(c.text)));
        EXPECT_EQ(read.kind(), c.kind);
        EXPECT_DOUBLE_EQ(read.toDouble(), c.value);
    }
    for (const char *bad : {"1x", "x", " 5x"}) {
        SCOPED_TRACE(bad);
        EXPECT_ANY_THROW(ParserStringToVariant(QStringView(QString::fromLatin1(bad))));
    }
}
