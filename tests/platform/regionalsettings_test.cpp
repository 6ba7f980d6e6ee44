#include "platform/regionalsettings.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(RegionalSettings, CLocaleUsesSlovakConventions)
{
    const RegionalSettings rs = RegionalSettings::fromLocale(QLocale::c());
    EXPECT_EQ(rs.decimalSeparator, u',');
    EXPECT_EQ(rs.thousandSeparator, u' ');
    EXPECT_EQ(rs.shortDateFormat, QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(rs.dateSeparator, u'.');
    EXPECT_EQ(rs.timeSeparator, u':');
    ASSERT_EQ(rs.longMonthNames.size(), 12);
    EXPECT_EQ(rs.longMonthNames.at(0), QString::fromUtf8("január"));
    ASSERT_EQ(rs.shortDayNames.size(), 7);
    EXPECT_EQ(rs.longDayNames.at(6), QString::fromUtf8("nedeľa"));
}

TEST(RegionalSettings, TakesSeparatorsAndFormsFromAQtLocale)
{
    const RegionalSettings us = RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.decimalSeparator, u'.');
    EXPECT_EQ(us.thousandSeparator, u',');
    EXPECT_EQ(us.dateSeparator, u'/');
    EXPECT_TRUE(us.shortDateFormat.startsWith(QStringLiteral("m/d/"))) << us.shortDateFormat.toStdString();
    EXPECT_TRUE(us.longTimeFormat.contains(QStringLiteral(":nn:ss"))) << us.longTimeFormat.toStdString();
    EXPECT_TRUE(us.longTimeFormat.contains(QStringLiteral("ampm"))) << us.longTimeFormat.toStdString();
    EXPECT_EQ(us.longMonthNames.at(1), QStringLiteral("February"));
    EXPECT_EQ(us.shortDayNames.at(0), QStringLiteral("Mon"));
    EXPECT_EQ(us.currencyString, QStringLiteral("$"));
    EXPECT_EQ(us.currencyFormat, 0);

    const RegionalSettings de = RegionalSettings::fromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.decimalSeparator, u',');
    EXPECT_EQ(de.thousandSeparator, u'.');
    EXPECT_TRUE(de.shortDateFormat.startsWith(QStringLiteral("dd.mm."))) << de.shortDateFormat.toStdString();
    EXPECT_EQ(de.currencyFormat, 3);
}

TEST(RegionalSettings, ScopedSettingsAreRestored)
{
    const QChar before = regionalSettings().decimalSeparator;
    RegionalSettings dot;
    dot.decimalSeparator = before == u'.' ? u',' : u'.';
    {
        const ScopedRegionalSettings scope(dot);
        EXPECT_EQ(regionalSettings().decimalSeparator, dot.decimalSeparator);
    }
    EXPECT_EQ(regionalSettings().decimalSeparator, before);
}
