// Restoring: round trips with the program and with the command-line
// tools, the schema version, and damaged backups that must leave the
// live database untouched.
#include "services/backup.h"
#include "services/gzipfile.h"
#include "services/restore.h"
#include "services/settings.h"
#include "services/sqldump.h"
#include "services/uitexts.h"
#include "tests/services/backupfixture.h"
#include "tests/support/qstringprint.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <memory>
#include <sqlite3.h>

using namespace bralvo::services;
namespace db = bralvo::db;
using bralvo::test::BackupFixture;
using bralvo::test::fileContent;
using bralvo::test::runTool;
using bralvo::test::shellDump;
using bralvo::test::writeFileContent;

namespace {

// Another connection in the middle of a write to a database file (a real
// journal beside it and the file's write lock held) until it is gone.
class OtherWriter {
public:
    explicit OtherWriter(const QString &file)
    {
        sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        EXPECT_EQ(sqlite3_exec(m_db, "BEGIN IMMEDIATE; CREATE TABLE writer_at_work (a);", nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    ~OtherWriter() { sqlite3_close_v2(m_db); }
    OtherWriter(const OtherWriter &) = delete;
    OtherWriter &operator=(const OtherWriter &) = delete;

private:
    sqlite3 *m_db = nullptr;
};

class RestoreTest : public BackupFixture {
protected:
    // A backup of the live database as it is now, then a change after it.
    QString backupThenChange()
    {
        openLiveDatabase();
        const QString backup = folders.path() + "b_bralvo.txb";
        WriteBackup(liveFile(), backup);
        m_atBackup = shellDump(liveFile());
        db::DbConnection->ExecSql(markerInsert("('after the backup', 2, NULL, 1)"));
        return backup;
    }
    QByteArray gzipped(const QByteArray &text)
    {
        const QString plain = folders.path() + "plain.sql";
        writeFileContent(plain, text);
        return runTool("gzip", {"-c", plain});
    }
    // Only the live file may be left in the database folder.
    QStringList databaseFolderFiles() const
    {
        return QDir(folders.dataRoot() + "Data").entryList({"bralvo_data*"}, QDir::Files | QDir::Hidden);
    }
    void expectFailedRestoreKept(const QByteArray &liveBefore, std::size_t boxesBefore)
    {
        ASSERT_EQ(boxes.calls().size(), boxesBefore + 1);
        EXPECT_EQ(boxes.calls().back().text, MessageText(236));
        EXPECT_EQ(boxes.calls().back().flags, 48);
        EXPECT_EQ(host.calls, (QStringList{"close", "open", "login"}));
        EXPECT_EQ(shellDump(liveFile()), liveBefore);
        EXPECT_EQ(databaseFolderFiles(), QStringList{"bralvo_data.txs"});
    }

    // Restores a backup holding dump over a live database with a marker
    // row: refused with text 236, and the live database stays as it was.
    void expectDumpRefusedAndLiveKept(const QByteArray &dump)
    {
        db::OpenDatabase();
        db::DbConnection->ExecSql(markerInsert("('kept', 3, NULL, 3)"));
        const QByteArray before = shellDump(liveFile());
        const QString hostile = folders.path() + "hostile_bralvo.txb";
        writeFileContent(hostile, gzipped(dump));
        const std::size_t boxesBefore = boxes.calls().size();
        boxes.answerBox(bralvo::platform::kIdOk);
        RestoreDatabase(hostile);
        expectFailedRestoreKept(before, boxesBefore);
        host.calls.clear();
    }

    QByteArray m_atBackup;
};

} // namespace

TEST_F(RestoreTest, RoundTripGivesAnIdenticalDump)
{
    const QString backup = backupThenChange();
    boxes.answerBox(bralvo::platform::kIdOk);
    RestoreDatabase(backup);
    EXPECT_EQ(shellDump(liveFile()), m_atBackup);
    EXPECT_EQ(boxes.calls()[0].text, MessageText(235));
    EXPECT_EQ(boxes.calls()[0].flags, 64);
    EXPECT_EQ(host.calls, (QStringList{"close", "open", "login"}));
    EXPECT_TRUE(db::DbOpen);
}

TEST_F(RestoreTest, BackupMadeByTheToolsRestores)
{
    openLiveDatabase();
    const QByteArray before = shellDump(liveFile());
    const QString backup = folders.path() + "tool_bralvo.txb";
    writeFileContent(backup, gzipped(before));
    db::DbConnection->ExecSql("DELETE FROM polozky;");
    boxes.answerBox(bralvo::platform::kIdOk);
    RestoreDatabase(backup);
    EXPECT_EQ(boxes.calls()[0].text, MessageText(235));
    // The shell's dump carries no version; the program's upgrade takes it from there.
    EXPECT_EQ(shellDump(liveFile()).replace("PRAGMA user_version=2;\n", ""), before);
}

TEST(RestoreFile, VersionSurvives)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.db");
    runTool("sqlite3", {source, "CREATE TABLE t(a); INSERT INTO t VALUES(1); PRAGMA user_version=7;"});
    const QString backup = dir.filePath("v_bralvo.txb");
    WriteBackup(source, backup);
    const QString target = dir.filePath("target.db");
    RestoreDatabaseFile(backup, target, {{"t"}, {}, 0});
    EXPECT_EQ(runTool("sqlite3", {target, "PRAGMA user_version; SELECT a FROM t;"}), "7\n1\n");
}

// The replacement is built in a file private to the user; the restored
// database must keep the rights the old one had.
TEST(RestoreFile, RestoredFileKeepsItsRights)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.db");
    runTool("sqlite3", {source, "CREATE TABLE t(a); INSERT INTO t VALUES(1);"});
    const QString backup = dir.filePath("r_bralvo.txb");
    WriteBackup(source, backup);
    const QString target = dir.filePath("target.db");
    runTool("sqlite3", {target, "CREATE TABLE t(a);"});
    const QFileDevice::Permissions shared = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            | QFileDevice::ReadUser | QFileDevice::WriteUser
                                            | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                            | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(target, shared));
    RestoreDatabaseFile(backup, target, {{"t"}, {}, 0});
    EXPECT_EQ(QFileInfo(target).permissions(), shared);
    EXPECT_EQ(runTool("sqlite3", {target, "SELECT a FROM t;"}), "1\n");
}

TEST_F(RestoreTest, MissingBackupFileDoesNothing)
{
    openLiveDatabase();
    RestoreDatabase(folders.path() + "none_bralvo.txb");
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_TRUE(db::DbOpen);
}

// Deleting the live database before restoring would let a damaged backup
// leave an empty database reported as restored.
TEST_F(RestoreTest, DamagedBackupLeavesTheOldDatabaseUntouched)
{
    struct Case { const char *what; std::function<QByteArray(const QByteArray &, const QByteArray &)> make; };
    const Case cases[] = {
        {"truncated gzip", [](const QByteArray &gz, const QByteArray &) { return gz.left(gz.size() / 2); }},
        {"not gzip", [](const QByteArray &, const QByteArray &) { return QByteArray("garbage"); }},
        {"empty file", [](const QByteArray &, const QByteArray &) { return QByteArray(); }},
        {"dump cut before COMMIT", [this](const QByteArray &, const QByteArray &sql) {
             return gzipped(sql.left(sql.lastIndexOf("CREATE INDEX")));
         }},
        {"tables missing", [this](const QByteArray &, const QByteArray &) {
             return gzipped("BEGIN; CREATE TABLE firma(a); COMMIT;");
         }},
        {"failing statement", [this](const QByteArray &, const QByteArray &sql) {
             return gzipped(QByteArray(sql).replace("INSERT INTO polozky", "INSERT INTO no_such"));
         }},
        {"attach elsewhere", [this](const QByteArray &, const QByteArray &sql) {
             return gzipped("ATTACH '" + folders.path().toUtf8() + "evil.db' AS e;"
                            "CREATE TABLE e.x(a);" + sql);
         }},
        {"vacuum into elsewhere", [this](const QByteArray &, const QByteArray &sql) {
             return gzipped(sql + "VACUUM INTO '" + folders.path().toUtf8() + "evil2.db';");
         }},
    };
    openLiveDatabase();
    const QString good = folders.path() + "good_bralvo.txb";
    WriteBackup(liveFile(), good);
    const QByteArray gz = fileContent(good);
    const QByteArray sql = runTool("gzip", {"-cd", good});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        db::OpenDatabase();
        db::DbConnection->ExecSql(markerInsert("('kept', 3, NULL, 3)"));
        const QByteArray before = shellDump(liveFile());
        const QString damaged = folders.path() + "damaged_bralvo.txb";
        writeFileContent(damaged, c.make(gz, sql));
        const std::size_t boxesBefore = boxes.calls().size();
        boxes.answerBox(bralvo::platform::kIdOk);
        RestoreDatabase(damaged);
        expectFailedRestoreKept(before, boxesBefore);
        host.calls.clear();
    }
    EXPECT_FALSE(QFileInfo::exists(folders.path() + "evil.db"));
    EXPECT_FALSE(QFileInfo::exists(folders.path() + "evil2.db"));
}

// A journal used to count as "in use" by merely existing, and a crash
// leaves a cold one beside the file more often than not: the restore was
// refused exactly when it was wanted. Only a hot journal or another
// connection writing keeps the old file; a cold journal is cleared.
TEST_F(RestoreTest, OnlyAHotJournalOrAWriterKeepsTheOldDatabase)
{
    const QString backup = backupThenChange();
    db::CloseDatabase();
    const QString journal = liveFile() + "-journal";
    // A real hot journal: the one another connection writes while it
    // changes the file, kept after that connection has gone.
    QByteArray hotJournal;
    {
        OtherWriter writer(liveFile());
        hotJournal = fileContent(journal);
    }
    // Its header is zeroed until SQLite syncs it, before the first change
    // reaches the file; from then on it carries its magic number.
    ASSERT_GT(hotJournal.size(), 8);
    ASSERT_EQ(hotJournal.left(8), QByteArray(8, '\0'));
    hotJournal.replace(0, 8, QByteArray::fromHex("d9d505f920a163d7"));
    struct Case { const char *what; QByteArray journal; bool writerActive; bool restores; };
    const Case cases[] = {
        {"empty journal", QByteArray(), false, true},
        {"journal with a zeroed header", QByteArray(4096, '\0'), false, true},
        {"hot journal left by a crash", hotJournal, false, false},
        {"another connection writing", QByteArray(), true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray before = shellDump(liveFile());
        std::unique_ptr<OtherWriter> writer;
        if (c.writerActive)
            writer = std::make_unique<OtherWriter>(liveFile());
        else
            writeFileContent(journal, c.journal);
        if (c.restores) {
            EXPECT_NO_THROW(RestoreDatabaseFile(backup, liveFile(), host.restorableSchema()));
            EXPECT_EQ(shellDump(liveFile()), m_atBackup);
        } else {
            EXPECT_THROW(RestoreDatabaseFile(backup, liveFile(), host.restorableSchema()), BackupError);
            writer.reset();
            QFile::remove(journal);
            EXPECT_EQ(shellDump(liveFile()), before);
        }
        EXPECT_EQ(databaseFolderFiles(), QStringList{"bralvo_data.txs"});
        db::OpenDatabase();
        db::DbConnection->ExecSql(markerInsert("('after the backup', 2, NULL, 1)"));
        db::CloseDatabase();
    }
}

// A backup that adds a trigger deleting every bill restored as good, and
// each later save "succeeded" with nothing kept; views and objects of
// other names came along as well. Only the program's own schema is taken.
TEST_F(RestoreTest, ObjectsOutsideTheProgramsSchemaAreRefused)
{
    openLiveDatabase();
    const QString good = folders.path() + "good_bralvo.txb";
    WriteBackup(liveFile(), good);
    const QByteArray sql = runTool("gzip", {"-cd", good});
    const qsizetype commit = sql.lastIndexOf("PRAGMA user_version");
    const auto beforeCommit = [&](const QByteArray &extra) { return sql.left(commit) + extra + sql.mid(commit); };
    struct Case { const char *what; QByteArray dump; };
    const Case cases[] = {
        {"trigger", beforeCommit("CREATE TRIGGER t AFTER INSERT ON faktury BEGIN DELETE FROM faktury; END;\n")},
        {"view", beforeCommit("CREATE VIEW v AS SELECT * FROM faktury;\n")},
        {"recursive view", beforeCommit("CREATE VIEW r AS WITH RECURSIVE c(x) AS "
                                        "(SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x FROM c;\n")},
        {"other table", beforeCommit("CREATE TABLE extra (a);\n")},
        {"index of another name", beforeCommit("CREATE INDEX extra ON faktury (cislo);\n")},
        {"known index name, other definition",
         QByteArray(sql).replace("CREATE INDEX id_ucet ON faktury (id_ucet)",
                                 "CREATE UNIQUE INDEX id_ucet ON faktury (existuje)")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        expectDumpRefusedAndLiveKept(c.dump);
    }
}

// What earlier versions wrote restores: a database before the upgrade
// (three customer columns and every index missing), one the upgrade made
// (its index "id_pvoznamka"), and a newer one with a table of its own,
// which the program's upgrade then refuses.
TEST_F(RestoreTest, DatabasesOfEveryVersionRestore)
{
    openLiveDatabase();
    db::CloseDatabase();
    const QString current = folders.path() + "current.db";
    ASSERT_TRUE(QFile::copy(liveFile(), current));
    struct Case { const char *what; const char *change; };
    const Case cases[] = {
        {"version 1", "DROP INDEX id_firma; DROP INDEX id_hlavnyucet; DROP INDEX id_hlavnapoznamka;"
                      "DROP INDEX id_kategoria; DROP INDEX id_odberatel; DROP INDEX id_ucet;"
                      "DROP INDEX id_poznamka; DROP INDEX id_uzivatelF; DROP INDEX id_odberatelF;"
                      "DROP INDEX id_faktura; DROP INDEX id_polozka; DROP INDEX id_fakturaU;"
                      "ALTER TABLE odberatelia DROP COLUMN jazyk; ALTER TABLE odberatelia DROP COLUMN dni_splatnosti;"
                      "ALTER TABLE odberatelia DROP COLUMN predvoleny_vs; PRAGMA user_version=1;"},
        {"upgraded from version 1", "DROP INDEX id_poznamka; CREATE INDEX id_pvoznamka ON faktury (id_poznamka);"},
        {"newer version", "CREATE TABLE later (a); CREATE TRIGGER lt AFTER INSERT ON later BEGIN SELECT 1; END;"
                          "PRAGMA user_version=3;"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString source = folders.path() + "source.db";
        QFile::remove(source);
        ASSERT_TRUE(QFile::copy(current, source));
        runTool("sqlite3", {source, c.change});
        const QString backup = folders.path() + "old_bralvo.txb";
        WriteBackup(source, backup);
        EXPECT_NO_THROW(RestoreDatabaseFile(backup, liveFile(), host.restorableSchema()));
        EXPECT_EQ(shellDump(liveFile()), shellDump(source));
    }
}

// What a crash leaves beside the database goes at the next open: a cold
// journal (it read as "in use" until the next write), and the temporary
// file of an interrupted restore, which stayed for ever, database-sized.
// Not a restore another instance is still writing, nor files of other
// names.
TEST_F(RestoreTest, WhatACrashLeftGoesOnTheNextOpen)
{
    openLiveDatabase();
    db::CloseDatabase();
    writeFileContent(liveFile() + "-journal", QByteArray(512, '\0'));
    const auto leftover = [this] {
        QTemporaryFile reserved(liveFile() + ".restore-XXXXXX");  // named as a restore names it
        reserved.setAutoRemove(false);
        EXPECT_TRUE(reserved.open());
        return reserved.fileName();
    };
    const QString stale = leftover();
    writeFileContent(stale, QByteArray(8192, 'x'));
    writeFileContent(stale + "-journal", QByteArray(512, '\0'));
    const QString busy = leftover();
    runTool("sqlite3", {busy, "CREATE TABLE t(a);"});
    const QString other = liveFile() + ".restore-notes.txt";
    writeFileContent(other, "mine");
    {
        OtherWriter writer(busy);
        ASSERT_TRUE(db::OpenDatabase());
        EXPECT_TRUE(QFileInfo::exists(busy));
    }
    EXPECT_FALSE(QFileInfo::exists(liveFile() + "-journal"));
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_FALSE(QFileInfo::exists(stale + "-journal"));
    EXPECT_TRUE(QFileInfo::exists(other));
}

// A recursive query hung the window thread for ever, function calls ran,
// and a NUL byte silently cut the dump while the restore reported
// success: only what a dump holds runs, and each refusal keeps the live
// database and shows text 236.
TEST_F(RestoreTest, HostileBackupsAreRefusedAndKeepTheLiveDatabase)
{
    openLiveDatabase();
    const QString good = folders.path() + "good_bralvo.txb";
    WriteBackup(liveFile(), good);
    const QByteArray sql = runTool("gzip", {"-cd", good});
    const qsizetype commit = sql.lastIndexOf("COMMIT;");
    const auto beforeCommit = [&](const QByteArray &extra) { return sql.left(commit) + extra + sql.mid(commit); };
    struct Case { const char *what; QByteArray dump; };
    const Case cases[] = {
        {"recursive query",
         beforeCommit("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT count(*) FROM c;\n")},
        {"function call", beforeCommit("INSERT INTO polozky (kod) VALUES (randomblob(1000000000));\n")},
        {"zeroblob", beforeCommit("INSERT INTO polozky (kod) VALUES (zeroblob(2000000000));\n")},
        {"read of a table", beforeCommit("INSERT INTO polozky SELECT * FROM polozky;\n")},
        {"update", beforeCommit("UPDATE polozky SET kod = 'x';\n")},
        {"other pragma", beforeCommit("PRAGMA writable_schema=ON;\n")},
        {"NUL byte cuts the rest", sql.left(commit) + QByteArray(1, '\0') + sql.mid(commit)},
        {"NUL byte inside a statement", sql.left(sql.indexOf("INSERT INTO") + 5) + QByteArray(1, '\0')
                                            + sql.mid(sql.indexOf("INSERT INTO") + 5)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        expectDumpRefusedAndLiveKept(c.dump);
    }
}

// The whole backup was inflated into memory before any check: a small
// file inflating to gigabytes is stopped at the bound.
TEST(GzipStreamReader, StopsAtTheBoundAndReadsWholeFilesInPieces)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("bomb.gz");
    {
        GzipFileWriter writer(path);
        for (int i = 0; i < 64; ++i)
            writer.write(QByteArray(1024 * 1024, 'x'));  // 64 MiB of one byte
        writer.commit();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray compressed = file.readAll();
    ASSERT_LT(compressed.size(), 1024 * 1024);
    struct Case { qint64 bound; bool refused; };
    for (const Case &c : {Case{8 * 1024 * 1024, true}, Case{64 * 1024 * 1024, false}}) {
        SCOPED_TRACE(c.bound);
        qsizetype offset = 0;
        GzipStreamReader reader(
            [&]() {
                const QByteArray piece = compressed.mid(offset, 4096);
                offset += piece.size();
                return piece;
            },
            c.bound, path);
        qint64 total = 0;
        const auto readAll = [&] {
            for (QByteArray piece = reader.next(); !piece.isEmpty(); piece = reader.next())
                total += piece.size();
        };
        if (c.refused) {
            EXPECT_THROW(readAll(), BackupError);
            EXPECT_LE(total, c.bound);
        } else {
            readAll();
            EXPECT_EQ(total, 64 * 1024 * 1024);
        }
    }
}
