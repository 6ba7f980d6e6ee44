// The "SYSTEM" collation: the locale's order, case-sensitive, total.
#include "tests/support/qstringprint.h"
#include "db/systemcollation.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::db;

namespace {

class SlovakCollation : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = systemCollationLocale();
        setSystemCollationLocale(QLocale(QLocale::Slovak, QLocale::Slovakia));
    }
    void TearDown() override { setSystemCollationLocale(m_previous); }

    QLocale m_previous;
};

} // namespace

TEST_F(SlovakCollation, OrderByCollateSystemSortsSlovakWords)
{
    QTemporaryDir dir;
    TSQLiteDatabase db(dir.filePath("c.txs"));
    db.ExecSql("CREATE TABLE w (nazov TEXT);");
    // Inserted in code-point order, which is not the Slovak order.
    for (const char *word : {"Cesta", "chlieb", "cesta", "dom", "hora", "zeler", "čaj", "Čas", "šošovica"})
        db.ExecSql(QStringLiteral("INSERT INTO w VALUES ('%1');").arg(QString::fromUtf8(word)));
    auto table = db.GetTable("SELECT nazov FROM w ORDER BY nazov COLLATE SYSTEM");
    QStringList order;
    for (; !table->IsEof(); table->NextRow())
        order << table->FieldAsString(0);
    // C, then Č, then D; "ch" is a letter of its own after H; Š after S.
    EXPECT_EQ(order, (QStringList{"cesta", "Cesta", "čaj", "Čas", "dom", "hora", "chlieb",
                                  "šošovica", "zeler"}));
}

TEST_F(SlovakCollation, CaseMattersAndOnlyIdenticalTextsAreEqual)
{
    struct Case {
        const char *a, *b;
        int expected;
    };
    const Case cases[] = {
        {"cesta", "cesta", 0},
        {"cesta", "Cesta", -1},
        {"Cesta", "cesta", 1},
        {"cz", "ča", -1},
        {"čz", "da", -1},
        {"hz", "ch", -1},
        {"", "a", -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(SystemCollate(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.expected);
        EXPECT_EQ(SystemCollate(QString::fromUtf8(c.b), QString::fromUtf8(c.a)), -c.expected);
    }
}

TEST_F(SlovakCollation, CollatorTiesAreOrderedByCodePoints)
{
    // Canonically equivalent forms (precomposed and with a combining
    // caron) rank equal for the collator; the order must still be total.
    const QString precomposed = QChar(0x010D) + QStringLiteral("aj");
    const QString combining = QStringLiteral("c") + QChar(0x030C) + QStringLiteral("aj");
    const int forward = SystemCollate(precomposed, combining);
    EXPECT_NE(forward, 0);
    EXPECT_EQ(SystemCollate(combining, precomposed), -forward);
    EXPECT_EQ(forward, 1);  // U+010D after U+0063
}

TEST(SystemCollation, CLocaleSortsAsSlovak)
{
    if (QLocale::system().language() != QLocale::C)
        GTEST_SKIP() << "needs the C/POSIX locale";
    EXPECT_EQ(systemCollationLocale().language(), QLocale::Slovak);
}
