// The schema upgrade: from versions 0 and 1, the refusal of a newer
// database, the user's "No", and that a failed upgrade changes nothing.
#include "tests/support/qstringprint.h"
#include "db/database.h"
#include "db/esqliteexception.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "db/upgrade.h"
#include "services/uitexts.h"
#include "tests/db/fakedatabaseui.h"
#include "tests/support/filecontent.h"
#include "tests/support/programfolders.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace bralvo::db;
using bralvo::platform::kIdNo;
using bralvo::platform::kIdYes;
using bralvo::test::FakeDatabaseUi;
using bralvo::test::fileContent;
using bralvo::test::ScriptedMessageBoxes;

namespace {

const QStringList kUpgradeIndexes = {
    "id_faktura", "id_fakturaU", "id_firma", "id_hlavnapoznamka", "id_hlavnyucet", "id_kategoria",
    "id_odberatel", "id_odberatelF", "id_polozka", "id_pvoznamka", "id_ucet", "id_uzivatelF"};

const QString kReportHead = QString::fromUtf8("Database was been updated.\rIf there is any problem, "
                                              "contact us please.\r\rChanges:\r");

class UpgradeTest : public ::testing::Test {
protected:
    void TearDown() override { CloseDatabase(); }

    // A database as an older program left it: no indexes, and without the
    // customer columns that are named.
    void makeOldDatabase(int version, const QStringList &droppedColumns)
    {
        ASSERT_TRUE(OpenDatabase());
        TSQLiteDatabase &db = *DbConnection;
        const auto indexes = db.GetTable("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL");
        for (; !indexes->IsEof(); indexes->NextRow())
            db.ExecSql("DROP INDEX " + indexes->FieldAsString(0) + ";");
        for (const QString &column : droppedColumns)
            db.ExecSql("ALTER TABLE odberatelia DROP COLUMN " + column + ";");
        db.ExecSql(QStringLiteral("PRAGMA user_version = %1;").arg(version));
        CloseDatabase();
    }
    QStringList column(const QString &sql)
    {
        TSQLiteDatabase db(DbFilePath);
        QStringList values;
        auto table = db.GetTable(sql);
        for (; !table->IsEof(); table->NextRow())
            values << table->FieldAsString(0);
        return values;
    }
    QStringList indexNames()
    {
        return column("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name");
    }
    QStringList customerColumns()
    {
        return column("SELECT name FROM pragma_table_info('odberatelia') WHERE name IN "
                      "('jazyk', 'dni_splatnosti', 'predvoleny_vs') ORDER BY cid");
    }
    QString userVersion() { return column("PRAGMA user_version;").value(0); }

    bralvo::test::ProgramFolders m_folders;
    FakeDatabaseUi m_ui;
};

} // namespace

TEST_F(UpgradeTest, FromVersion1AddsColumnsAndIndexesAndReports)
{
    makeOldDatabase(1, {"jazyk", "dni_splatnosti", "predvoleny_vs"});
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);  // upgrade
    boxes.answerBox(kIdNo);   // no backup
    boxes.answerBox(bralvo::platform::kIdOk);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    EXPECT_TRUE(DbOpen);
    CloseDatabase();

    EXPECT_EQ(customerColumns(), (QStringList{"jazyk", "dni_splatnosti", "predvoleny_vs"}));
    EXPECT_EQ(column("SELECT type FROM pragma_table_info('odberatelia') WHERE name IN "
                     "('jazyk', 'dni_splatnosti', 'predvoleny_vs') ORDER BY cid"),
              (QStringList{"TEXT", "INTEGER", "TEXT"}));
    EXPECT_EQ(indexNames(), kUpgradeIndexes);
    EXPECT_EQ(userVersion(), QStringLiteral("2"));

    const auto shown = boxes.boxes();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, QString::fromUtf8("Program sa chystá aktualizovať databázu. Prajete si v tomto "
                                               "procese pokračovať?"));
    EXPECT_EQ(shown[0].flags, 52);
    EXPECT_EQ(shown[1].text, QString::fromUtf8("Prajete si databázu zálohovať na preddefinované umiestnenia?"));
    EXPECT_EQ(shown[1].flags, 36);
    EXPECT_EQ(shown[2].text, kReportHead + QString::fromUtf8("+ vytvorenie indexov\r\n"
                                                             "~ zmena tabuľky pre odberateľov\r\n"));
    EXPECT_EQ(shown[2].flags, 64);
    EXPECT_EQ(shown[2].caption, QStringLiteral("Bralvo"));
    EXPECT_TRUE(m_ui.calls.isEmpty());
}

TEST_F(UpgradeTest, FromVersion0UpgradesWithoutTheReport)
{
    makeOldDatabase(0, {"jazyk", "dni_splatnosti", "predvoleny_vs"});
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdNo);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    CloseDatabase();
    EXPECT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(customerColumns().size(), 3);
    EXPECT_EQ(indexNames(), kUpgradeIndexes);
    EXPECT_EQ(userVersion(), QStringLiteral("2"));
}

TEST_F(UpgradeTest, FailedStepsAreLoggedAndTurnTheReportIntoAWarning)
{
    // predvoleny_vs is there already, and so is the index id_firma.
    makeOldDatabase(1, {"jazyk", "dni_splatnosti"});
    {
        TSQLiteDatabase db(DbFilePath);
        db.ExecSql("CREATE INDEX id_firma ON uzivatelia (id_firma);");
    }
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdNo);
    boxes.answerBox(bralvo::platform::kIdOk);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    CloseDatabase();
    // The first two ALTERs stay although the third failed.
    EXPECT_EQ(customerColumns(), (QStringList{"predvoleny_vs", "jazyk", "dni_splatnosti"}));
    EXPECT_EQ(indexNames(), kUpgradeIndexes);
    EXPECT_EQ(userVersion(), QStringLiteral("2"));
    const auto shown = boxes.boxes();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, kReportHead + QString::fromUtf8("+ vytvorenie indexov\r\n"
                                                             "!!! zmena tabuľky pre odberateľov  <- error\r\n"
                                                             "!!! zlyhalo vytvorenie indexu id_firma  <- error\r\n"));
    EXPECT_EQ(shown[2].flags, 48);
}

TEST_F(UpgradeTest, BackupRunsBeforeAnythingIsWritten)
{
    makeOldDatabase(1, {"jazyk", "dni_splatnosti", "predvoleny_vs"});
    const QByteArray before = fileContent(DbFilePath);
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdYes);  // back up first
    boxes.answerBox(bralvo::platform::kIdOk);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    CloseDatabase();
    EXPECT_EQ(m_ui.calls, QStringList{"runBackup"});
    EXPECT_EQ(m_ui.fileAtBackup, before);
    EXPECT_EQ(userVersion(), QStringLiteral("2"));
}

TEST_F(UpgradeTest, NewerDatabaseIsRefusedAndLeftByteIdentical)
{
    makeOldDatabase(3, {});
    const QByteArray before = fileContent(DbFilePath);
    ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    EXPECT_FALSE(DbOpen);
    EXPECT_EQ(DbConnection, nullptr);
    EXPECT_EQ(m_ui.calls, QStringList{"lockUserInterface"});
    const auto shown = boxes.boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              QString::fromUtf8("Databáza na ktorú ste napojený je vyššej verzii, akú podporuje táto verzia "
                                "programu. Program nemôže pokračovať s touto databázou a bude od nej "
                                "odpojený.\rVerzia databázy je [v 1.03] a táto verzia programu podporuje "
                                "maximálne [v 1.02]."));
    EXPECT_EQ(shown[0].flags, 48);
    EXPECT_EQ(fileContent(DbFilePath), before);
}

TEST_F(UpgradeTest, NewerDatabase_GetsNoTablesBeforeTheRefusal)
{
    // A newer program may have dropped tables this one would create; a new
    // firma table would even mark the file as version 2.
    makeOldDatabase(3, {});
    {
        TSQLiteDatabase db(DbFilePath);
        db.ExecSql("DROP TABLE uhrady;");
        db.ExecSql("DROP TABLE firma;");
    }
    const QByteArray before = fileContent(DbFilePath);
    ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    EXPECT_FALSE(DbOpen);
    EXPECT_EQ(m_ui.calls, QStringList{"lockUserInterface"});
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(fileContent(DbFilePath), before);
    EXPECT_EQ(userVersion(), QStringLiteral("3"));
}

TEST_F(UpgradeTest, OldDatabaseWithoutFirma_IsStillUpgraded)
{
    // Recreating the firma table must not mark an old file as current.
    makeOldDatabase(1, {"jazyk", "dni_splatnosti", "predvoleny_vs"});
    {
        TSQLiteDatabase db(DbFilePath);
        db.ExecSql("DROP TABLE firma;");
    }
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdNo);
    boxes.answerBox(bralvo::platform::kIdOk);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    CloseDatabase();
    EXPECT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(customerColumns(), (QStringList{"jazyk", "dni_splatnosti", "predvoleny_vs"}));
    EXPECT_EQ(userVersion(), QStringLiteral("2"));
    EXPECT_EQ(column("SELECT nazov FROM firma"), QStringList{"- DEMO -"});
}

TEST_F(UpgradeTest, NoToTheUpgradeEndsTheProgramWithTheFileUnchanged)
{
    makeOldDatabase(1, {"jazyk", "dni_splatnosti", "predvoleny_vs"});
    const QByteArray before = fileContent(DbFilePath);
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdNo);
    boxes.answerBox(bralvo::platform::kIdOk);
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    EXPECT_EQ(m_ui.calls, QStringList{"endProgram"});
    EXPECT_FALSE(DbOpen);
    const auto shown = boxes.boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, QString::fromUtf8("Bez aktualizácie databázy program nemôže pokračovať a preto "
                                               "bude ukončený."));
    EXPECT_EQ(shown[1].flags, 64);
    EXPECT_EQ(fileContent(DbFilePath), before);
}

TEST_F(UpgradeTest, CurrentDatabaseAsksNothingAndStaysUnchanged)
{
    makeOldDatabase(1, {"jazyk", "dni_splatnosti", "predvoleny_vs"});
    {
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdYes);
        boxes.answerBox(kIdNo);
        boxes.answerBox(bralvo::platform::kIdOk);
        ASSERT_TRUE(OpenDatabase());
        UpgradeDatabase();
        CloseDatabase();
    }
    const QByteArray upgraded = fileContent(DbFilePath);
    ScriptedMessageBoxes none;  // any box would fail the test
    ASSERT_TRUE(OpenDatabase());
    UpgradeDatabase();
    EXPECT_TRUE(DbOpen);
    CloseDatabase();
    EXPECT_EQ(fileContent(DbFilePath), upgraded);
}

TEST_F(UpgradeTest, UpgradeThatCannotCommitLeavesTheDatabaseUnchanged)
{
    makeOldDatabase(1, {"jazyk", "dni_splatnosti", "predvoleny_vs"});
    const QByteArray before = fileContent(DbFilePath);
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    boxes.answerBox(kIdNo);
    ASSERT_TRUE(OpenDatabase());
    DbConnection->SetBusyTimeout(0);
    // Another instance reading keeps its lock: the commit cannot finish.
    TSQLiteDatabase reader(DbFilePath);
    reader.ExecSql("BEGIN;");
    reader.GetTable("SELECT count(*) FROM firma");
    EXPECT_THROW(UpgradeDatabase(), ESQLiteException);
    EXPECT_FALSE(DbConnection->InTransaction());
    reader.ExecSql("COMMIT;");
    CloseDatabase();
    EXPECT_EQ(boxes.boxes().size(), 2u);  // no report of an upgrade that did not happen
    EXPECT_EQ(fileContent(DbFilePath), before);
    EXPECT_EQ(userVersion(), QStringLiteral("1"));
}

TEST(ShownDbVersion, AddsOneHundredAndDividesByOneHundred)
{
    EXPECT_EQ(ShownDbVersion(2), QStringLiteral("1.02"));
    EXPECT_EQ(ShownDbVersion(3), QStringLiteral("1.03"));
    EXPECT_EQ(ShownDbVersion(0), QStringLiteral("1.00"));
    EXPECT_EQ(ShownDbVersion(15), QStringLiteral("1.15"));
}
