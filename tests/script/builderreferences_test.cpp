// The builder decodes the parser's character references itself; every
// text must read exactly as XMLToStr reads it, errors included.
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

TEST(BuilderReferences, DecodedAsXmlToStrDecodesThem)
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
