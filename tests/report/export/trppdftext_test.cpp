// Texts the PDF writer produces: numbers, information strings, escaped
// page text, right-to-left lines and font names.
#include "platform/font.h"
#include "report/export/trppdffont.h"
#include "report/export/trppdftext.h"
#include "report/model/trputils.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace bralvo::report;

namespace {

TEST(PdfText, NumbersAreWholeOrTwoDecimals)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {{1, "1"}, {595.5, "595.50"}, {56.25, "56.25"}, {0, "0"}, {-3.125, "-3.13"}, {841.89, "841.89"},
                 // PDF has no infinity or NaN
                 {HUGE_VAL, "0"}, {-HUGE_VAL, "0"}, {NAN, "0"}};
    for (const auto &c : cases)
        EXPECT_EQ(PdfNumber(c.value), QString::fromLatin1(c.text)) << c.value;
}

// Positions are pixels times 0.75 plus margins: the fast formatting gives
// what the two-decimal rule gives, exact halves (eighths) included.
TEST(PdfText, NumbersFollowTheTwoDecimalRuleOverPagePositions)
{
    QList<double> values;
    for (int i = -4000; i <= 4000; ++i)
        values << i / 8.0 << i / 1000.0 << i * 0.75 / 7 << i * 0.0375 + 28.35 << 841.89 - i * 0.013;
    values << 0.005 << 1.005 << 2.675 << -0.001 << 1e-9 << 123456789.125 << 1e15 + 0.5 << 12345678901234.125 << -98765432109876.625;
    for (double v : values)
        ASSERT_EQ(PdfNumber(v), FormatFloatDecimals(v, 2, u'.')) << v;
}

TEST(PdfText, InformationStringsArePlainOrUtf16Hex)
{
    const struct {
        QString text;
        const char *pdf;
    } cases[] = {
        {QStringLiteral("Tamrex"), "(Tamrex)"},
        {QStringLiteral("a(b)c\\d"), "(a\\(b\\)c\\\\d)"},
        {QString(), "()"},
        // "z" is the last plain character; "{" and accents need hex.
        {QStringLiteral("z{"), "<FEFF007A007B>"},
        {QStringLiteral("Faktúra"), "<FEFF00460061006B007400FA00720061>"},
        {QStringLiteral("a\tb"), "<FEFF006100090062>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PdfTextString(c.text), QString::fromLatin1(c.pdf)) << c.text.toStdString();
}

TEST(PdfText, PageTextEscapesBackslashFirst)
{
    EXPECT_EQ(EscapePdfText("a(b)c\\d"), QByteArray("a\\(b\\)c\\\\d"));
    EXPECT_EQ(EscapePdfText("\\("), QByteArray("\\\\\\("));
    EXPECT_EQ(EscapePdfText("\xE8\xED"), QByteArray("\xE8\xED")); // code-page bytes pass
}

TEST(PdfText, RightToLeftLinesKeepLatinRunsReadable)
{
    const struct {
        QString line;
        QString shown;
    } cases[] = {
        {QStringLiteral("\u05D0\u05D1 123"), QStringLiteral("123 \u05D1\u05D0")},
        {QStringLiteral("abc def"), QStringLiteral("def abc")},
        // A bracket is mirrored before its run is turned back.
        {QStringLiteral("\u05D0 (12)"), QStringLiteral(")12( \u05D0")},
        // "z" (122) is outside the runs that are turned back.
        {QStringLiteral("xyz"), QStringLiteral("zxy")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReverseRtlLine(c.line), c.shown) << c.line.toStdString();
}

TEST(PdfText, FontNamesCarryStyleAndEscapes)
{
    const struct {
        const char *name;
        int style;
        const char *pdf;
    } cases[] = {
        {"Arial", 0, "Arial"},
        {"Times New Roman", bralvo::platform::fsBold | bralvo::platform::fsItalic, "Times#20New#20Roman,BoldItalic"},
        {"Arial", bralvo::platform::fsItalic, "Arial,Italic"},
        {"Courier New", bralvo::platform::fsBold | bralvo::platform::fsUnderline, "Courier#20New,Bold"},
        {"Písmo(2)", 0, "P#EDsmo#282#29"},
    };
    for (const auto &c : cases) {
        bralvo::platform::Font font;
        font.setName(QString::fromUtf8(c.name));
        font.setStyle(c.style);
        EXPECT_EQ(PdfFontName(font), QString::fromLatin1(c.pdf)) << c.name;
    }
}

TEST(PdfText, ExactEncodingRecoversAfterAMiss)
{
    // The converter is reused: a text that does not fit must not spoil
    // the next one.
    EXPECT_EQ(EncodeExactly(QStringLiteral("čšž"), "windows-1250"), QByteArray("\xE8\x9A\x9E"));
    EXPECT_EQ(EncodeExactly(QStringLiteral("aΩ"), "windows-1250"), std::nullopt);
    EXPECT_EQ(EncodeExactly(QStringLiteral("č"), "windows-1250"), QByteArray("\xE8"));
    EXPECT_EQ(EncodeExactly(QStringLiteral("Ж"), "windows-1251"), QByteArray("\xC6"));
    EXPECT_EQ(EncodeExactly(QStringLiteral("ž"), "windows-1251"), std::nullopt);
}

TEST(PdfText, CharsetsResolveToCodePages)
{
    EXPECT_EQ(ResolvedCharset(1), 238);
    EXPECT_STREQ(CodePageOfCharset(1), "windows-1250");
    EXPECT_STREQ(CodePageOfCharset(0), "windows-1252");
    EXPECT_STREQ(CodePageOfCharset(204), "windows-1251");
    EXPECT_TRUE(IsCidCharset(128));
    EXPECT_FALSE(IsCidCharset(238));
}

} // namespace
