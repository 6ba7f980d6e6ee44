// The text-table lookups: percent marks, numbers outside the tables.
#include "services/builtintexts.h"
#include "services/uitexts.h"
#include "services/qttranslation.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <climits>

using namespace bralvo::services;

namespace {

class UiTexts : public ::testing::Test {
protected:
    void SetUp() override { LoadDefaultTexts(); }
    void TearDown() override { LoadDefaultTexts(); }
};

QString fallbackFor(const QString &number)
{
    return QString::fromUtf8("Program nemôže preložiť túto správu. Prosím kontaktujte nás na "
                             "e-mail \"")
           + ContactEmailAddress()
           + QString::fromUtf8("\" a vložte do e-mailu tento kód: error \"msg[") + number
           + QStringLiteral("]\"");
}

} // namespace

TEST(StripPercent, RemovesOneMarkAtEachEnd)
{
    struct Case {
        const char *in, *out;
    };
    const Case cases[] = {
        {"", ""},          {"%", ""},           {"%%", ""},
        {"%%%", "%"},      {"%Menu%", "Menu"},  {"%Menu", "Menu"},
        {"Menu%", "Menu"}, {"%%a%%", "%a%"},    {"-", "-"},
        {"a%b", "a%b"},    {"% a %", " a "},    {"plain", "plain"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(StripPercent(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
    }
}

TEST(FillPlaceholders, FillsMarksLeftToRightAndNeverInsideAnArgument)
{
    struct Case {
        const char *text;
        QStringList arguments;
        const char *expected;
    };
    const Case cases[] = {
        {"Faktúra %s už existuje.", {"2009/001"}, "Faktúra 2009/001 už existuje."},
        {"%s a %s", {"1", "2"}, "1 a 2"},
        {"%s a %s", {"1"}, "1 a %s"},               // a mark without argument stays
        {"bez značky", {"1"}, "bez značky"},        // an argument without mark is dropped
        {"%s / %s", {"%s", "x"}, "%s / x"},         // an argument is not searched again
        {"%d %s", {"a"}, "%d a"},                   // other marks are left alone
        {"%s", {QString()}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FillPlaceholders(QString::fromUtf8(c.text), c.arguments), QString::fromUtf8(c.expected));
    }
}

TEST_F(UiTexts, NumbersOutsideTheTableNameTheNumber)
{
    struct Case {
        int number;
        const char *shown;
    };
    for (const Case &c : {Case{316, "316"}, Case{-1, "-1"}, Case{1000, "1000"},
                          Case{INT_MIN, "-2147483648"}}) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(MessageText(c.number), fallbackFor(QString::fromLatin1(c.shown)));
    }
}

TEST_F(UiTexts, FallbackUsesTheTranslatedEntry21)
{
    UiTextTable()[21] = QStringLiteral("%No text %s for number %s.%");
    EXPECT_EQ(MessageText(400),
              QStringLiteral("No text ") + ContactEmailAddress() + QStringLiteral(" for number 400."));
}

TEST_F(UiTexts, FallbackWithoutPlaceholdersNeverFails)
{
    struct Case {
        const char *entry, *shown;
    };
    const Case cases[] = {
        {"%Missing text%", "Missing text"},
        {"%Only %s here%", nullptr},  // filled with the address only
        {"%100%d done %x%", "100%d done %x"},
        {"", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        UiTextTable()[21] = QString::fromUtf8(c.entry);
        const QString expected = c.shown ? QString::fromUtf8(c.shown)
                                         : QStringLiteral("Only ") + ContactEmailAddress() + QStringLiteral(" here");
        EXPECT_EQ(MessageText(-5), expected);
    }
}

TEST_F(UiTexts, EntriesAreShownWithoutMarks)
{
    UiTextTable()[50] = QStringLiteral("% padded %");
    UiTextTable()[51] = QStringLiteral("%%twice%%");
    EXPECT_EQ(MessageText(50), QStringLiteral(" padded "));
    EXPECT_EQ(MessageText(51), QStringLiteral("%twice%"));
    EXPECT_EQ(MessageText(315), QString());
}

// The database manager's texts of its own live in free slots; a
// language file that leaves the slot empty (as older ones do) keeps them.
TEST_F(UiTexts, FreeSlotsKeepTheProgramsOwnTexts)
{
    for (int number : {286, 296, 297}) {
        SCOPED_TRACE(number);
        EXPECT_TRUE(UiTextTable().at(number).isEmpty());
        EXPECT_FALSE(MessageText(number).isEmpty());
    }
    EXPECT_TRUE(MessageText(296).startsWith(QString::fromUtf8("Označenú databázu práve používate")));
    EXPECT_TRUE(MessageText(297).endsWith(QString::fromUtf8("nahradiť presúvanou databázou?")));
    UiTextTable()[296] = QStringLiteral("%%");
    EXPECT_TRUE(MessageText(296).startsWith(QString::fromUtf8("Označenú")));
    UiTextTable()[297] = QStringLiteral("%Replace it?%");
    EXPECT_EQ(MessageText(297), QStringLiteral("Replace it?"));
    EXPECT_EQ(MessageText(295), QString::fromUtf8(
        "Nasledovné odkazy na databázy boli odstránené, pretože obsahujú rovnaké cesty."));
}

TEST_F(UiTexts, ReportTextOutsideTheTableGivesEntryZero)
{
    for (int number : {177, -1, 5000}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(ReportText(number), QStringLiteral("{error language file}"));
    }
    ReportTextTable()[0] = QStringLiteral("%{chyba}%");
    EXPECT_EQ(ReportText(177), QStringLiteral("{chyba}"));
    EXPECT_EQ(ReportText(176), QString());
}

TEST(CurrentLanguageTag, StartsAsSlovak)
{
    EXPECT_EQ(CurrentLanguageTag(), QStringLiteral("SK"));
}

namespace {

// Standard buttons and file dialogs stayed English under a Slovak
// program: Qt's own Slovak translation is installed for the language.
TEST(QtTranslation, SlovakStandardTextsAndEnglishFallback)
{
    ASSERT_TRUE(bralvo::services::InstallQtTranslation("SK"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("Zrušiť"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8("Án&o"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8("Hľadať v:"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
              QString::fromUtf8("Priečinok"));
    EXPECT_FALSE(bralvo::services::InstallQtTranslation("XX"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

} // namespace
