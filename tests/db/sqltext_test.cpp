// How values are written into SQL text and read back.
#include "tests/support/qstringprint.h"
#include "db/esqliteexception.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/conversionerror.h"
#include "platform/regionalsettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::db;
using bralvo::platform::RegionalSettings;
using bralvo::platform::ScopedRegionalSettings;

TEST(SqlText, EscapeQuotesDoublesEveryQuote)
{
    EXPECT_EQ(EscapeQuotes("O'Brien"), QStringLiteral("O''Brien"));
    EXPECT_EQ(EscapeQuotes("''"), QStringLiteral("''''"));
    EXPECT_EQ(EscapeQuotes("bez úvodzoviek"), QStringLiteral("bez úvodzoviek"));
    EXPECT_EQ(SqlQuoted("O'Brien"), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(SqlQuoted(""), QStringLiteral("''"));
}

TEST(SqlText, QuotedTextComesBackUnchangedFromTheDatabase)
{
    QTemporaryDir dir;
    TSQLiteDatabase db(dir.filePath("q.txs"));
    db.ExecSql("CREATE TABLE t (a TEXT);");
    const QString texts[] = {"O'Brien", "x'); DROP TABLE t; --", "'", "Ťažký kôň €", "a\r\nb"};
    for (const QString &text : texts) {
        SCOPED_TRACE(text.toStdString());
        db.ExecSql("DELETE FROM t;");
        db.ExecSql("INSERT INTO t VALUES (" + SqlQuoted(text) + ");");
        auto table = db.GetTable("SELECT a FROM t WHERE a = " + SqlQuoted(text));
        ASSERT_EQ(table->RowCount(), 1);
        EXPECT_EQ(table->FieldAsString(0), text);
    }
    EXPECT_TRUE(db.TableExists("t"));
}

TEST(SqlText, IdsAreDigitsOrNull)
{
    struct Case {
        const char *in;
        const char *out;  // nullptr: refused
    };
    const Case cases[] = {
        {"42", "42"}, {" 7 ", "7"}, {"", "NULL"}, {"NULL", "NULL"}, {"null", "NULL"},
        {"1; DROP TABLE faktury", nullptr}, {"-1", nullptr}, {"1.5", nullptr}, {"1 OR 1=1", nullptr},
        {"99999999999999999999", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        if (c.out) {
            EXPECT_EQ(SqlId(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
        } else {
            try {
                SqlId(QString::fromUtf8(c.in));
                ADD_FAILURE() << "accepted";
            } catch (const ESQLiteException &e) {
                EXPECT_EQ(e.userText(), QStringLiteral("Invalid record id: ") + QString::fromUtf8(c.in));
            }
        }
    }
    EXPECT_EQ(SqlId(qint64(15)), QStringLiteral("15"));
    EXPECT_THROW(SqlId(qint64(-3)), ESQLiteException);
}

TEST(SqlText, YearsAreFourDigits)
{
    EXPECT_EQ(SqlYear("2009"), QStringLiteral("'2009'"));
    for (const char *bad : {"209", "20091", "", "2009' OR '1'='1", "20a9"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(SqlYear(QString::fromUtf8(bad)), ESQLiteException);
    }
}

TEST(SqlText, NumberLiteralsUseAPointAndNoGrouping)
{
    struct Case {
        double value;
        const char *text;
    };
    for (const Case c : {Case{1234.5, "1234.5"}, Case{-0.125, "-0.125"}, Case{0.1, "0.1"},
                         Case{0, "0"}, Case{1e20, "1e+20"}, Case{1234567.25, "1234567.25"}}) {
        EXPECT_EQ(SqlNumber(c.value), QString::fromUtf8(c.text));
    }
    EXPECT_THROW(SqlNumber(std::nan("")), ESQLiteException);
}

TEST(SqlText, NumberToSqlTextIsTheSameUnderEveryLocale)
{
    struct Case {
        const char *typed;
        const char *sql;
    };
    const Case cases[] = {
        {"", "0"},
        {"0,00", "0"},
        {"abc", "0"},
        {"-", "0"},
        {"-12,5", "-12.50000000"},
        {"1\u00a0000,25", "1000.25000000"},
        {"1 234,5", "1234.50000000"},
        {"1234.5", "1234.50000000"},
        {"12 ks", "12.00000000"},
        {"abc-12", "-12.00000000"},
        {"0,000000001", "0"},
        {"19", "19.00000000"},
    };
    RegionalSettings english = RegionalSettings::slovak();
    english.decimalSeparator = u'.';
    english.thousandSeparator = u',';
    // The literal must not depend on the user's locale.
    for (const RegionalSettings &settings : {RegionalSettings::slovak(), english}) {
        ScopedRegionalSettings scope(settings);
        for (const Case &c : cases) {
            SCOPED_TRACE(c.typed);
            EXPECT_EQ(NumberToSqlText(QString::fromUtf8(c.typed)), QString::fromUtf8(c.sql));
        }
    }
}

TEST(SqlText, MalformedTypedNumberIsRefused)
{
    for (const char *bad : {"1,2,3", "12-3", "--5", "1.234,50"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(NumberToSqlText(QString::fromUtf8(bad)), bralvo::platform::ConversionError);
    }
}

TEST(SqlText, DatesMoveByCharacterPosition)
{
    struct Case {
        const char *display;
        const char *stored;
    };
    for (const Case c : {Case{"05.03.2009", "2009-03-05"}, Case{"  .  .    ", "    -  -  "},
                         Case{"", "--"}}) {
        SCOPED_TRACE(c.display);
        EXPECT_EQ(DateToSqlDate(QString::fromUtf8(c.display)), QString::fromUtf8(c.stored));
    }
    struct Back {
        const char *stored;
        const char *display;
    };
    for (const Back c : {Back{"2009-03-05", "05.03.2009"}, Back{"    -  -  ", ""}, Back{"", ".."}}) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(SqlDateToDate(QString::fromUtf8(c.stored)), QString::fromUtf8(c.display));
    }
    EXPECT_EQ(SqlDateLiteral("05.03.2009"), QStringLiteral("'2009-03-05'"));
    EXPECT_EQ(SqlDateLiteral("x'.y'.zz'z"), QStringLiteral("'zz''z-y''-x'''"));
}

TEST(SqlText, AppendAndChainsConditions)
{
    QString condition;
    AppendAnd(condition);
    EXPECT_EQ(condition, QString());
    condition = "(typ = 1)";
    AppendAnd(condition);
    EXPECT_EQ(condition, QStringLiteral("(typ = 1) AND "));
    EXPECT_EQ(JoinSqlLines({"a", "b", ""}), QStringLiteral("a\r\nb\r\n"));
}
