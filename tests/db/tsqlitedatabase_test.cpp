// The connection class: exact error texts, statement rules, transactions
// and the case rules of TableExists.
#include "tests/support/qstringprint.h"
#include "db/esqliteexception.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "tests/db/sqlitefilefixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::db;

namespace {

class TSQLiteDatabaseTest : public bralvo::test::SqliteFileFixture {
protected:
    void SetUp() override
    {
        openDatabase({"CREATE TABLE Polozky (a INTEGER UNIQUE, b TEXT);",
                      "INSERT INTO Polozky VALUES (1, 'x');"});
    }
    qint64 count(TSQLiteDatabase &db)
    {
        auto table = db.GetTable("SELECT count(*) FROM Polozky");
        return table->FieldAsInteger(0);
    }
};

} // namespace

TEST_F(TSQLiteDatabaseTest, ErrorTextsOfStatements)
{
    struct Case {
        const char *sql;
        bool query;
        const char *message;
    };
    const Case cases[] = {
        {"SELEC 1", false, "Error executing SQL \"SELEC 1\" : near \"SELEC\": syntax error"},
        {"", false, "Could not prepare SQL statement"},
        {"  -- only a comment", false, "Could not prepare SQL statement"},
        {"SELECT 1", false, "Error executing SQL statement \"SELECT 1\" : another row available"},
        {"INSERT INTO Polozky VALUES (1, 'y')", false,
         "Error executing SQL statement \"INSERT INTO Polozky VALUES (1, 'y')\" : "
         "UNIQUE constraint failed: Polozky.a"},
        {"SELECT * FROM chyba", true, "Error executing SQL \"SELECT * FROM chyba\" : no such table: chyba"},
        {"", true, "Could not prepare SQL statement"},
        {"SELECT abs(-9223372036854775807 - 1)", true,
         "Could not retrieve data \"SELECT abs(-9223372036854775807 - 1)\" : integer overflow"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sql);
        const QString sql = QString::fromUtf8(c.sql);
        const QString message = c.query ? errorOf([&] { m_db->GetTable(sql); })
                                        : errorOf([&] { m_db->ExecSql(sql); });
        EXPECT_EQ(message.toStdString(), c.message);
    }
}

TEST_F(TSQLiteDatabaseTest, OpenFailureNamesTheFile)
{
    const QString bad = m_dir.filePath("missing/folder/x.txs");
    EXPECT_EQ(errorOf([&] { TSQLiteDatabase db(bad); }),
              QStringLiteral("Failed to open database \"%1\" : unable to open database file").arg(bad));
}

TEST_F(TSQLiteDatabaseTest, OnlyTheFirstStatementOfATextRuns)
{
    m_db->ExecSql("INSERT INTO Polozky VALUES (2, 'a'); INSERT INTO Polozky VALUES (3, 'b');");
    EXPECT_EQ(count(*m_db), 2);
}

TEST_F(TSQLiteDatabaseTest, TextGoesInAndComesBackAsUtf8)
{
    m_db->ExecSql("INSERT INTO Polozky VALUES (2, 'Čučoriedka €');");
    auto table = m_db->GetTable("SELECT b, hex(b) AS h FROM Polozky WHERE a = 2");
    EXPECT_EQ(table->FieldAsString(0), QStringLiteral("Čučoriedka €"));
    EXPECT_EQ(table->FieldAsString(1), QStringLiteral("C48C75C48D6F726965646B6120E282AC"));
}

TEST_F(TSQLiteDatabaseTest, TableExistsIgnoresTheCaseOfAsciiLetters)
{
    EXPECT_TRUE(m_db->TableExists("polozky"));
    EXPECT_TRUE(m_db->TableExists("POLOZKY"));
    EXPECT_TRUE(m_db->TableExists("Polozky"));
    EXPECT_FALSE(m_db->TableExists("faktury"));
}

TEST_F(TSQLiteDatabaseTest, TableExistsQuotesTheName)
{
    EXPECT_FALSE(m_db->TableExists("x' OR '1'='1"));
    EXPECT_FALSE(m_db->TableExists("'"));
}

TEST_F(TSQLiteDatabaseTest, SecondBeginIsRefusedAndTheFirstStaysOpen)
{
    m_db->BeginTransaction();
    m_db->ExecSql("INSERT INTO Polozky VALUES (2, 'a');");
    EXPECT_EQ(errorOf([&] { m_db->BeginTransaction(); }), QStringLiteral("Transaction already open"));
    EXPECT_TRUE(m_db->InTransaction());
    m_db->Commit();
    EXPECT_FALSE(m_db->InTransaction());
    EXPECT_EQ(count(*m_db), 2);
}

TEST_F(TSQLiteDatabaseTest, RollbackUndoesAndIsHarmlessWithoutTransaction)
{
    m_db->Rollback();
    m_db->BeginTransaction();
    m_db->ExecSql("INSERT INTO Polozky VALUES (2, 'a');");
    m_db->Rollback();
    EXPECT_FALSE(m_db->InTransaction());
    EXPECT_EQ(count(*m_db), 1);
}

TEST_F(TSQLiteDatabaseTest, DestroyingAConnectionRollsBackItsOpenTransaction)
{
    m_db->BeginTransaction();
    m_db->ExecSql("INSERT INTO Polozky VALUES (2, 'a');");
    m_db.reset();
    TSQLiteDatabase again(path());
    EXPECT_EQ(count(again), 1);
}

TEST_F(TSQLiteDatabaseTest, WritersTakeTheLockAtBegin)
{
    // BEGIN IMMEDIATE: a second instance cannot start writing meanwhile.
    m_db->BeginTransaction();
    TSQLiteDatabase other(path());
    other.SetBusyTimeout(0);
    EXPECT_EQ(errorOf([&] { other.BeginTransaction(); }),
              QStringLiteral("Error executing SQL statement \"BEGIN IMMEDIATE TRANSACTION;\" : "
                             "database is locked"));
    m_db->Commit();
    other.BeginTransaction();
    other.Commit();
}

TEST_F(TSQLiteDatabaseTest, QueryStillBusyAfterTheTimeoutGivesThePlainText)
{
    TSQLiteDatabase reader(path());
    reader.SetBusyTimeout(0);
    EXPECT_EQ(reader.GetTable("SELECT * FROM Polozky")->RowCount(), 1);  // schema read
    m_db->ExecSql("BEGIN EXCLUSIVE;");
    m_db->ExecSql("INSERT INTO Polozky VALUES (2, 'a');");
    EXPECT_EQ(errorOf([&] { reader.GetTable("SELECT * FROM Polozky"); }),
              QStringLiteral("Could not prepare SQL statement"));
    m_db->Commit();
}

TEST_F(TSQLiteDatabaseTest, RaiseSqlErrorAddsTheLibraryTextOnlyAfterAnError)
{
    EXPECT_EQ(errorOf([&] { m_db->RaiseSqlError("Oops", "SELECT 1"); }), QStringLiteral("Oops"));
    errorOf([&] { m_db->ExecSql("SELEC"); });
    EXPECT_EQ(errorOf([&] { m_db->RaiseSqlError("Oops", "SELEC"); }),
              QStringLiteral("Oops \"SELEC\" : near \"SELEC\": syntax error"));
}
