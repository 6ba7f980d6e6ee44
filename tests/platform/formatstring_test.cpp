#include "platform/conversionerror.h"
#include "platform/formatstring.h"
#include "platform/regionalsettings.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

namespace {

struct Case {
    const char *format;
    QList<FormatArg> args;
    const char *expected;
};

} // namespace

TEST(Format, FillsDirectivesFromTheArguments)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    const QList<Case> cases = {
        {"%d items", {3}, "3 items"},
        {"%5d|%-5d|%.3d", {42, 42, 7}, "   42|42   |007"},
        {"%.3d", {-7}, "-007"},
        {"%d", {qint64(-9223372036854775807LL - 1)}, "-9223372036854775808"},
        {"%s and %s", {"a", "b"}, "a and b"},
        {"%1:s %0:s", {"a", "b"}, "b a"},
        {"%1:s %s", {"a", "b", "c"}, "b c"},
        {"%*d|", {4, 7}, "   7|"},
        {"%-*.*f|", {8, 1, 2.25}, "2,3     |"},
        {"%.2s|%5s|%-4s|", {"abcdef", "ab", "ab"}, "ab|   ab|ab  |"},
        {"100%% z %s", {"Sk"}, "100% z Sk"},
        {"%x %.4x %X", {255, 255, 48879}, "FF 00FF BEEF"},
        {"%x %u", {-1, -1}, "FFFFFFFF 4294967295"},
        {"%D", {5}, "5"},
        {"Nová verzia je \"[v %s]\"", {"1.0.2"}, "Nová verzia je \"[v 1.0.2]\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(Format(QString::fromUtf8(c.format), c.args, rs), QString::fromUtf8(c.expected));
    }
}

TEST(Format, FloatsUseTheRegionalFormAndDecimalRounding)
{
    const RegionalSettings rs = RegionalSettings::slovak();
    const QList<Case> cases = {
        {"%f", {1.0}, "1,00"},
        {"%.2f", {0.125}, "0,13"},
        {"%.0f", {2.5}, "3"},
        {"%.2f", {-0.001}, "0,00"},
        {"%2.2f", {3.14159}, "3,14"},
        {"%9.2f", {12.5}, "    12,50"},
        {"%n", {1234567.891}, "1 234 567,89"},
        {"%.0n", {1234.5}, "1 235"},
        {"%m", {1234.5}, "1 234,50 €"},
        {"%m", {-5.0}, "-5,00 €"},
        {"%e", {1234.5}, "1,23450000000000E+003"},
        {"%.3e", {0.000123456}, "1,23E-004"},
        {"%g", {1234.5}, "1234,5"},
        {"%g", {1e20}, "1E20"},
        {"%g", {0.00001}, "1E-5"},
        {"%.3g", {1234.5}, "1,23E3"},
        {"%.3g", {0.5}, "0,5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(Format(QString::fromUtf8(c.format), c.args, rs), QString::fromUtf8(c.expected));
    }
}

TEST(Format, MoneyFollowsTheRegionalCurrencyPlacement)
{
    RegionalSettings rs;
    rs.decimalSeparator = u'.';
    rs.thousandSeparator = u',';
    rs.currencyString = QStringLiteral("$");
    rs.currencyFormat = 0;
    rs.negativeCurrencyFormat = 0;
    EXPECT_EQ(Format(QStringLiteral("%m"), {1234.5}, rs), QStringLiteral("$1,234.50"));
    EXPECT_EQ(Format(QStringLiteral("%m"), {-2.0}, rs), QStringLiteral("($2.00)"));
    EXPECT_EQ(Format(QStringLiteral("%.0m"), {7.0}, rs), QStringLiteral("$7"));
}

TEST(Format, MismatchedArgumentsRaiseFormatError)
{
    struct Bad {
        const char *format;
        QList<FormatArg> args;
        const char *message;
    };
    const RegionalSettings rs = RegionalSettings::slovak();
    const QList<Bad> cases = {
        {"%d", {"x"}, "Format '%d' invalid or incompatible with argument"},
        {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
        {"%f", {3}, "Format '%f' invalid or incompatible with argument"},
        {"%s", {3}, "Format '%s' invalid or incompatible with argument"},
        {"%x", {"ff"}, "Format '%x' invalid or incompatible with argument"},
        {"%q", {3}, "Format '%q' invalid or incompatible with argument"},
        {"abc %", {3}, "Format 'abc %' invalid or incompatible with argument"},
        {"%5.", {3}, "Format '%5.' invalid or incompatible with argument"},
        {"%*d", {"x", 1}, "Format '%*d' invalid or incompatible with argument"},
        {"%d %d", {1}, "No argument for format '%d %d'"},
        {"%s", {}, "No argument for format '%s'"},
        {"%3:s", {"a"}, "No argument for format '%3:s'"},
    };
    for (const Bad &c : cases) {
        SCOPED_TRACE(c.format);
        try {
            Format(QString::fromUtf8(c.format), c.args, rs);
            ADD_FAILURE() << "no error";
        } catch (const FormatError &e) {
            EXPECT_EQ(e.userText(), QString::fromUtf8(c.message));
        }
    }
}

TEST(Format, FormatErrorIsAConversionError)
{
    EXPECT_THROW(Format(QStringLiteral("%d"), {}, RegionalSettings::slovak()), ConversionError);
    EXPECT_THROW(Format(QStringLiteral("%d"), {}, RegionalSettings::slovak()), bralvo::Error);
}
