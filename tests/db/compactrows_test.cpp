// Rows kept compactly read back exactly as the text reader gives them:
// every kind, NULLs before and after a column stops sharing its values,
// codes widening, run boundaries, a text longer than a run's usual room,
// counters, and columns that repeat one another.
#include "tests/support/qstringprint.h"
#include "db/compactrows.h"
#include "db/esqliteexception.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "tests/db/sqlitefilefixture.h"

#include <gtest/gtest.h>

using namespace bralvo::db;

namespace {

class CompactRowsTest : public bralvo::test::SqliteFileFixture {
protected:
    void SetUp() override
    {
        openDatabase({"CREATE TABLE bills (id INTEGER PRIMARY KEY, amount FLOAT, paid BLOB, note TEXT);",
                      "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 20000) "
                      "INSERT INTO bills SELECT x, CASE WHEN x % 50 = 7 THEN NULL ELSE (x % 300) / 4.0 END, "
                      "CASE WHEN x % 2 = 0 THEN x'410042' END, "
                      "CASE WHEN x = 15000 THEN hex(zeroblob(35000)) WHEN x % 3 = 0 THEN 'čaj' "
                      "WHEN x % 3 = 1 THEN 'ďateľ' END FROM n;"});
    }

    // Every cell of the compact rows against ReadRowsAsText, the date
    // columns turned as the bill list turns them.
    void expectSameAsTextReader(const QString &sql, int columns, const QSet<int> &dates)
    {
        const CompactRows rows(*m_db, sql, columns, dates);
        int row = 0;
        bool differs = false;
        ReadRowsAsText(*m_db, sql, [&](QString *cells, int count) {
            for (int c = 0; c < columns && !differs; ++c) {
                const QString text = c < count ? cells[c] : QString();
                const QString expected = dates.contains(c) ? SqlDateToDate(text) : text;
                if (rows.text(c, row) != expected) {
                    ADD_FAILURE() << "column " << c << " row " << row << ": " << rows.text(c, row).left(40).toStdString()
                                  << " instead of " << expected.left(40).toStdString();
                    differs = true;
                }
            }
            ++row;
        });
        EXPECT_EQ(rows.rowCount(), row);
    }
};

TEST_F(CompactRowsTest, ReadsEveryCellAsTheTextReaderGivesIt)
{
    // Ids: unique integers, packed past 16,384 rows. Signed: negative
    // and NULL values once the column no longer shares. Mixed: its first
    // value is an integer, so later reals are read as integers. Numbers:
    // unique texts in an order other than their own, front coded across
    // blocks. Dates: shared, NULL and empty among them. Long: unique
    // texts with long common beginnings.
    expectSameAsTextReader(
        "SELECT id, amount, paid, note, "
        "CASE WHEN id % 997 = 0 THEN NULL ELSE (id - 10000) * 3 END AS `signed`, "
        "CASE WHEN id = 1 THEN NULL WHEN id = 2 THEN 5 ELSE id * 0.5 END AS `mixed`, "
        "'B' || printf('%06d', (id * 7919) % 20011) AS `number`, "
        "CASE WHEN id % 11 = 0 THEN NULL WHEN id % 13 = 0 THEN '' "
        "ELSE date('2024-01-01', '+' || (id % 400) || ' days') END AS `issued`, "
        "'Faktúra za služby číslo ' || (id * 31 % 20011) AS `long` "
        "FROM bills ORDER BY note, id DESC",
        10, {7, 9});
}

TEST_F(CompactRowsTest, ColumnsRepeatingOneAnotherAndCountersReadBackExactly)
{
    // The variable symbol repeats the bill number but for one row; the
    // home total repeats the total, the due amount but for NULLs; numbers
    // count with gaps and grow a digit; the paid flag is a code of two.
    expectSameAsTextReader(
        "SELECT 'F' || printf('%06d', id + id / 10) AS `number`, "
        "CASE WHEN id = 12345 THEN 'F0' ELSE 'F' || printf('%06d', id + id / 10) END AS `vs`, "
        "amount, amount * 1 AS `home`, CASE WHEN id % 50 = 8 THEN NULL ELSE amount END AS `due`, "
        "id % 2 AS `paid`, 'R' || (id * 5) AS `growing`, id "
        "FROM bills ORDER BY id",
        8, {});
}

TEST_F(CompactRowsTest, EmptyResultsAndFailingQueries)
{
    const CompactRows none(*m_db, "SELECT id, note FROM bills WHERE id < 0", 2, {});
    EXPECT_EQ(none.rowCount(), 0);
    EXPECT_EQ(none.text(0, 0), "");
    EXPECT_THROW(CompactRows(*m_db, "SELECT nothing FROM bills", 2, {}), ESQLiteException);
}

} // namespace
