// The transaction guard: all or nothing, savepoints when nested, and the
// failure always reaches the caller.
#include "tests/support/qstringprint.h"
#include "db/esqliteexception.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "tests/db/sqlitefilefixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::db;

namespace {

class TransactionTest : public bralvo::test::SqliteFileFixture {
protected:
    void SetUp() override
    {
        openDatabase({"CREATE TABLE faktury (ID INTEGER PRIMARY KEY, cislo TEXT UNIQUE);",
                      "CREATE TABLE sp_polozky (id_faktura INTEGER, cena FLOAT NOT NULL);"});
    }
    QStringList rows()
    {
        QStringList result;
        auto t = m_db->GetTable("SELECT 'F' || cislo FROM faktury UNION ALL "
                                "SELECT 'P' || cena FROM sp_polozky ORDER BY 1");
        for (; !t->IsEof(); t->NextRow())
            result << t->FieldAsString(0);
        return result;
    }
    // A bill with its lines, written the way every saving routine does.
    void saveBill(const QString &number, const QList<QString> &prices)
    {
        Transaction tx(*m_db);
        m_db->ExecSql(QStringLiteral("INSERT INTO faktury (ID, cislo) VALUES (NULL, '%1');").arg(number));
        for (const QString &price : prices)
            m_db->ExecSql(QStringLiteral("INSERT INTO sp_polozky VALUES (last_insert_rowid(), %1);").arg(price));
        tx.commit();
    }
};

} // namespace

TEST_F(TransactionTest, CommittedWorkStays)
{
    saveBill("1", {"10", "20"});
    EXPECT_EQ(rows(), (QStringList{"F1", "P10.0", "P20.0"}));
    EXPECT_FALSE(m_db->InTransaction());
}

TEST_F(TransactionTest, FailedWriteLeavesNoPartialRow)
{
    saveBill("1", {"10"});
    // The second line violates NOT NULL: the bill and its first line go too.
    EXPECT_THROW(saveBill("2", {"5", "NULL"}), ESQLiteException);
    EXPECT_EQ(rows(), (QStringList{"F1", "P10.0"}));
    EXPECT_FALSE(m_db->InTransaction());
}

TEST_F(TransactionTest, NestedGuardIsASavepoint)
{
    Transaction outer(*m_db);
    m_db->ExecSql("INSERT INTO faktury (cislo) VALUES ('1');");
    EXPECT_FALSE(outer.isNested());
    {
        Transaction inner(*m_db);
        EXPECT_TRUE(inner.isNested());
        m_db->ExecSql("INSERT INTO faktury (cislo) VALUES ('2');");
    }  // not committed: only its own row goes
    {
        Transaction inner(*m_db);
        m_db->ExecSql("INSERT INTO faktury (cislo) VALUES ('3');");
        inner.commit();
    }
    EXPECT_TRUE(m_db->InTransaction());
    outer.commit();
    EXPECT_EQ(rows(), (QStringList{"F1", "F3"}));
}

TEST_F(TransactionTest, OuterRollbackTakesCommittedSavepointsWithIt)
{
    {
        Transaction outer(*m_db);
        Transaction inner(*m_db);
        m_db->ExecSql("INSERT INTO faktury (cislo) VALUES ('1');");
        inner.commit();
    }
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_FALSE(m_db->InTransaction());
}

TEST_F(TransactionTest, NestedFailureCanBeCaughtWithoutLosingTheOuterWork)
{
    Transaction outer(*m_db);
    m_db->ExecSql("INSERT INTO faktury (cislo) VALUES ('1');");
    EXPECT_THROW(saveBill("1", {}), ESQLiteException);  // duplicate number
    outer.commit();
    EXPECT_EQ(rows(), (QStringList{"F1"}));
}

TEST_F(TransactionTest, GuardInsideARawTransactionIsASavepoint)
{
    m_db->BeginTransaction();
    {
        Transaction inner(*m_db);
        EXPECT_TRUE(inner.isNested());
        m_db->ExecSql("INSERT INTO faktury (cislo) VALUES ('1');");
    }
    EXPECT_TRUE(m_db->InTransaction());
    m_db->Commit();
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(TransactionTest, CommitAfterTheLibraryRolledBackReportsTheFailure)
{
    Transaction tx(*m_db);
    m_db->ExecSql("INSERT INTO faktury (cislo) VALUES ('1');");
    m_db->ExecSql("ROLLBACK;");  // as the library does after some I/O errors
    try {
        tx.commit();
        FAIL() << "commit reported success";
    } catch (const ESQLiteException &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("Error executing SQL statement \"COMMIT;\" : "
                                               "cannot commit - no transaction is active"));
    }
}

TEST_F(TransactionTest, SecondWriterWaitsAtBeginNotHalfWay)
{
    Transaction tx(*m_db);
    TSQLiteDatabase other(path());
    other.SetBusyTimeout(0);
    EXPECT_THROW(Transaction second(other), ESQLiteException);
    EXPECT_FALSE(other.InTransaction());
}
