// Field readers with defaults, lists and grids filled from SQL, and
// creating a missing table.
#include "tests/support/qstringprint.h"
#include "db/esqliteexception.h"
#include "db/fieldreaders.h"
#include "db/sqlhelpers.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/stringgrid.h"
#include "tests/db/sqlitefilefixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::db;
using bralvo::platform::StringGrid;

namespace {

class SqlHelpersTest : public bralvo::test::SqliteFileFixture {
protected:
    void SetUp() override
    {
        openDatabase({"CREATE TABLE uhrady (ID INTEGER PRIMARY KEY, datum DATE, suma FLOAT, "
                      "hotovost INTEGER, pozn TEXT);",
                      "INSERT INTO uhrady VALUES (1, '2009-03-05', 12.5, 1, 'prvá');",
                      "INSERT INTO uhrady VALUES (2, '    -  -  ', NULL, NULL, NULL);",
                      "INSERT INTO uhrady VALUES (3, NULL, 7, 0, 'tretia');"});
    }
    std::unique_ptr<TSQLiteTable> all() { return m_db->GetTable("SELECT * FROM uhrady ORDER BY ID"); }

    QStringList gridRow(const StringGrid &grid, int row)
    {
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << grid.cell(c, row);
        return cells;
    }

    bralvo::platform::ScopedRegionalSettings m_slovak{bralvo::platform::RegionalSettings::slovak()};
};

} // namespace

TEST_F(SqlHelpersTest, ReadersGiveTheValueOrTheDefault)
{
    auto table = all();
    EXPECT_EQ(ReadFieldStr(*table, "pozn", "?"), QStringLiteral("prvá"));
    EXPECT_EQ(ReadFieldStr(*table, "SUMA", "?"), QStringLiteral("12,5"));
    EXPECT_EQ(ReadFieldInt(*table, "hotovost", -5), 1);
    EXPECT_EQ(ReadFieldFloat(*table, "suma", -5), 12.5);
    EXPECT_EQ(ReadFieldIntText(*table, "hotovost", false), QStringLiteral("1"));
    // A field the query did not select gives the default.
    EXPECT_EQ(ReadFieldStr(*table, "nazov", "?"), QStringLiteral("?"));
    EXPECT_EQ(ReadFieldInt(*table, "nazov", -5), -5);
    EXPECT_EQ(ReadFieldFloat(*table, "nazov", 2.5), 2.5);
    EXPECT_EQ(ReadFieldIntText(*table, "nazov", true), QStringLiteral("-1"));
    EXPECT_EQ(ReadFieldIntText(*table, "nazov", false), QStringLiteral("0"));
    // A text column read as a number gives the default too.
    EXPECT_EQ(ReadFieldInt(*table, "pozn", 9), 9);
}

TEST_F(SqlHelpersTest, ReadersOfNullAndOfAnEmptyResult)
{
    auto table = all();
    table->NextRow();
    EXPECT_EQ(ReadFieldStr(*table, "pozn", "?"), QString());
    EXPECT_EQ(ReadFieldStr(*table, "suma", "?"), QString());
    EXPECT_EQ(ReadFieldInt(*table, "hotovost", 9), 0);
    EXPECT_EQ(ReadFieldIntText(*table, "hotovost", true), QStringLiteral("0"));
    auto empty = m_db->GetTable("SELECT * FROM uhrady WHERE ID = 99");
    EXPECT_EQ(ReadFieldStr(*empty, "pozn", "def"), QStringLiteral("def"));
    EXPECT_EQ(ReadFieldIntText(*empty, "hotovost", true), QStringLiteral("-1"));
    table->NextRow();
    table->NextRow();  // past the last row
    EXPECT_EQ(ReadFieldStr(*table, "pozn", "end"), QStringLiteral("end"));
}

TEST_F(SqlHelpersTest, FillListFromSqlReplacesTheListInResultOrder)
{
    QStringList list{"stale"};
    FillListFromSql(*m_db, "SELECT pozn FROM uhrady ORDER BY ID DESC", "pozn", list);
    EXPECT_EQ(list, (QStringList{"tretia", "", "prvá"}));
    list = QStringList{"kept"};
    EXPECT_THROW(FillListFromSql(*m_db, "SELECT * FROM chyba", "pozn", list), ESQLiteException);
    EXPECT_EQ(list, QStringList{"kept"});
}

TEST_F(SqlHelpersTest, FillGridFromSqlAddsOneRowPerResultAndAnEmptyLastRow)
{
    StringGrid grid;
    grid.setColumnCount(4);
    grid.setRowCount(6);
    grid.setCell(0, 0, "Dátum");
    for (int r = 1; r < 6; ++r)
        grid.setCell(3, r, "stale");
    FillGridFromSql(*m_db, "uhrady", "SELECT datum, suma, pozn, ID, hotovost FROM uhrady ORDER BY ID", grid);
    ASSERT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("Dátum"));
    EXPECT_EQ(gridRow(grid, 1), (QStringList{"2009-03-05", "12,5", "prvá", "1"}));
    EXPECT_EQ(gridRow(grid, 2), (QStringList{"    -  -  ", "", "", "2"}));
    EXPECT_EQ(gridRow(grid, 3), (QStringList{"", "7", "tretia", "3"}));
    EXPECT_EQ(gridRow(grid, 4), (QStringList{"", "", "", ""}));
}

TEST_F(SqlHelpersTest, FillGridFromSqlWithoutRowsOrTableLeavesTitlesAndOneEmptyRow)
{
    for (const char *table : {"uhrady", "chyba"}) {
        SCOPED_TRACE(table);
        StringGrid grid;
        grid.setColumnCount(2);
        grid.setRowCount(4);
        grid.setCell(0, 0, "Titul");
        grid.setCell(1, 1, "stale");
        FillGridFromSql(*m_db, table, "SELECT datum, suma FROM uhrady WHERE ID > 10", grid);
        EXPECT_EQ(grid.rowCount(), 2);
        EXPECT_EQ(grid.cell(0, 0), QStringLiteral("Titul"));
        EXPECT_EQ(gridRow(grid, 1), (QStringList{"", ""}));
    }
}

TEST_F(SqlHelpersTest, ConvertGridDateColumnsSkipsTitleAndTotalsRows)
{
    StringGrid grid;
    grid.setColumnCount(3);
    grid.setRowCount(5);
    const char *dates[] = {"titul", "2009-03-05", "    -  -  ", "2010-12-31", "2011-01-01"};
    for (int r = 0; r < 5; ++r) {
        grid.setCell(2, r, dates[r]);
        grid.setCell(1, r, dates[r]);
    }
    ConvertGridDateColumns(grid, "2");
    QStringList column2, column1;
    for (int r = 0; r < 5; ++r) {
        column2 << grid.cell(2, r);
        column1 << grid.cell(1, r);
    }
    EXPECT_EQ(column2, (QStringList{"titul", "05.03.2009", "", "31.12.2010", "2011-01-01"}));
    EXPECT_EQ(column1[1], QStringLiteral("2009-03-05"));
    ConvertGridDateColumns(grid, "");
    EXPECT_THROW(ConvertGridDateColumns(grid, "1;x"), ESQLiteException);
}

TEST_F(SqlHelpersTest, EnsureTableCreatesOnlyAMissingTable)
{
    EXPECT_TRUE(EnsureTable(*m_db, "UHRADY", "CREATE TABLE uhrady (x TEXT);"));
    EXPECT_FALSE(EnsureTable(*m_db, "poznamky", "CREATE TABLE poznamky (x TEXT);"));
    EXPECT_TRUE(m_db->TableExists("poznamky"));
    EXPECT_THROW(EnsureTable(*m_db, "zle", "CREATE TABLE zle (;"), ESQLiteException);
}
