// Backups: file names, folders, rotation, failures, the interval timer,
// and the dump format checked against the sqlite3 and gzip tools.
#include "services/backup.h"
#include "services/gzipfile.h"
#include "services/globals.h"
#include "services/settings.h"
#include "services/sqldump.h"
#include "services/uitexts.h"
#include "tests/services/backupfixture.h"
#include "tests/support/qstringprint.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

using namespace bralvo::services;
namespace db = bralvo::db;
using bralvo::test::BackupFixture;
using bralvo::test::fileContent;
using bralvo::test::runTool;
using bralvo::test::shellDump;
using bralvo::test::writeFileContent;

namespace {

QStringList backupsIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*bralvo.txb")}, QDir::Files, QDir::Name);
}

void makeFakeBackups(const QString &folder, const QStringList &names)
{
    QDir().mkpath(folder);
    for (const QString &name : names)
        writeFileContent(folder + name, "old");
}

QByteArray ourDump(const QString &databaseFile)
{
    QByteArray text;
    DumpDatabase(databaseFile, [&text](const QByteArray &chunk) { text += chunk; });
    return text;
}

// The shell's dump with the version line this program adds before COMMIT.
QByteArray withVersion(QByteArray shell, int version)
{
    const QByteArray commit = "COMMIT;\n";
    EXPECT_TRUE(shell.endsWith(commit));
    shell.insert(shell.size() - commit.size(), "PRAGMA user_version=" + QByteArray::number(version) + ";\n");
    return shell;
}

QString backupsFolder()
{
    return DataRoot + QStringLiteral("Backups/");
}

} // namespace

TEST(BackupNames, FollowTheTimeStampPattern)
{
    struct Case { QDateTime time; QString name; };
    const Case cases[] = {
        {QDateTime(QDate(2026, 3, 5), QTime(7, 8, 9)), "2026-03-05_07;08,09_bralvo.txb"},
        {QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)), "1999-12-31_23;59,59_bralvo.txb"},
        {QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0)), "2027-01-01_00;00,00_bralvo.txb"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BackupFileName(c.time), c.name);
    EXPECT_LT(BackupFileName(cases[0].time), BackupFileName(cases[2].time));  // text order is time order
}

TEST_F(BackupFixture, BackupFoldersComeFromBackupDirs)
{
    EXPECT_EQ(BackupFolders(), QStringList{DataRoot + "Backups/"});
    WriteSetting("BackupDirs", "0", "Zalohy");
    WriteSetting("BackupDirs", "1", "/mnt/zal");
    WriteSetting("BackupDirs", "2", "");
    WriteSetting("BackupDirs", "3", "/srv/share/zal/");
    EXPECT_EQ(BackupFolders(), (QStringList{DataRoot + "Zalohy/", "/mnt/zal/", "/srv/share/zal/"}));
}

TEST_F(BackupFixture, KeptCountIsRoundedUpAndCapped)
{
    struct Case { const char *value; int kept; };
    for (const Case &c : {Case{"3", 3}, Case{"0", 0}, Case{"5000", 999}, Case{"2,1", 3},
                          Case{"abc", 0}, Case{"1,2,3", 10}, Case{"", 0}}) {
        SCOPED_TRACE(c.value);
        WriteSetting("Backups", "NumberBackups", c.value);
        EXPECT_EQ(KeptBackupCount(), c.kept);
    }
}

TEST_F(BackupFixture, RotationKeepsTheConfiguredNumber)
{
    openLiveDatabase();
    const QStringList old = {"2020-01-01_10;00,00_bralvo.txb", "2020-01-02_10;00,00_bralvo.txb",
                             "2020-01-03_10;00,00_bralvo.txb", "2020-01-04_10;00,00_bralvo.txb",
                             "2020-01-05_10;00,00_bralvo.txb"};
    makeFakeBackups(backupsFolder(), old);
    WriteSetting("Backups", "NumberBackups", "3");
    BackupDatabase(QString(), false);
    const QStringList left = backupsIn(backupsFolder());
    ASSERT_EQ(left.size(), 3);
    EXPECT_EQ(left.mid(0, 2), old.mid(3, 2));  // the two newest old ones
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(BackupFixture, RotationWithZeroKeepsEverything)
{
    openLiveDatabase();
    makeFakeBackups(backupsFolder(), {"2020-01-01_10;00,00_bralvo.txb", "mine_bralvo.txb"});
    WriteSetting("Backups", "NumberBackups", "0");
    BackupDatabase(QString(), false);
    EXPECT_EQ(backupsIn(backupsFolder()).size(), 3);
}

TEST_F(BackupFixture, RotationCapsAt999)
{
    openLiveDatabase();
    QStringList old;
    for (int i = 0; i < 1000; ++i)
        old << QStringLiteral("2020-01-01_00;00,00_%1_bralvo.txb").arg(i, 4, 10, QLatin1Char('0'));
    makeFakeBackups(backupsFolder(), old);
    WriteSetting("Backups", "NumberBackups", "5000");
    BackupDatabase(QString(), false);
    const QStringList left = backupsIn(backupsFolder());
    EXPECT_EQ(left.size(), 999);
    EXPECT_FALSE(left.contains(old.at(1)));
    EXPECT_TRUE(left.contains(old.at(2)));
}

TEST_F(BackupFixture, PruneNeverDeletesTheNewBackup)
{
    makeFakeBackups(backupsFolder(), {"0000_new_bralvo.txb", "2020_bralvo.txb", "zzz_bralvo.txb",
                                      "other.txt"});
    PruneBackups(backupsFolder(), 1, backupsFolder() + "0000_new_bralvo.txb");
    EXPECT_EQ(QDir(backupsFolder()).entryList(QDir::Files),
              (QStringList{"0000_new_bralvo.txb", "other.txt"}));
}

TEST_F(BackupFixture, BackupGoesToEveryFolderAndReportsSuccess)
{
    openLiveDatabase();
    WriteSetting("BackupDirs", "0", "Zalohy");
    WriteSetting("BackupDirs", "1", folders.path() + "elsewhere");
    boxes.answerBox(bralvo::platform::kIdOk);
    BackupDatabase(QString(), true);
    EXPECT_EQ(backupsIn(DataRoot + "Zalohy/").size(), 1);
    EXPECT_EQ(backupsIn(folders.path() + "elsewhere/").size(), 1);
    EXPECT_TRUE(backupsIn(backupsFolder()).isEmpty());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, MessageText(228));
    EXPECT_EQ(boxes.calls()[0].flags, 64);
}

TEST_F(BackupFixture, GivenTargetIsWrittenExactlyAndNothingPruned)
{
    openLiveDatabase();
    makeFakeBackups(backupsFolder(), {"a_bralvo.txb", "b_bralvo.txb"});
    WriteSetting("Backups", "NumberBackups", "1");
    const QString target = folders.path() + "chosen_bralvo.txb";
    boxes.answerBox(bralvo::platform::kIdOk);
    BackupDatabase(target, true);
    EXPECT_TRUE(QFileInfo(target).isFile());
    EXPECT_EQ(backupsIn(backupsFolder()).size(), 2);
    EXPECT_EQ(boxes.calls()[0].flags, 64);
}

// Judging success by the file's existence would report an empty backup
// of a missing database as made, and pruning first would cost good ones.
TEST_F(BackupFixture, MissingDatabaseFailsAndKeepsOldBackups)
{
    WriteSetting("General", "Directory", folders.path() + "nodb/");
    const QStringList old = {"2020-01-01_10;00,00_bralvo.txb", "2020-01-02_10;00,00_bralvo.txb"};
    makeFakeBackups(backupsFolder(), old);
    WriteSetting("Backups", "NumberBackups", "1");
    boxes.answerBox(bralvo::platform::kIdOk);
    BackupDatabase(QString(), true);
    EXPECT_EQ(backupsIn(backupsFolder()), old);
    EXPECT_TRUE(QDir(backupsFolder()).entryList(QDir::Files | QDir::Hidden).size() == 2);  // no temp left
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].flags, 48);
    EXPECT_TRUE(boxes.calls()[0].text.startsWith(MessageText(229).section("%s", 0, 0) + "\r"));
    EXPECT_TRUE(boxes.calls()[0].text.contains("\r\n\"" + backupsFolder()));
}

TEST_F(BackupFixture, SilentFailureIsReportedAsError)
{
    WriteSetting("General", "Directory", folders.path() + "nodb/");
    boxes.answerBox(bralvo::platform::kIdOk);
    BackupDatabase(QString(), false);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].flags, 16);
    EXPECT_TRUE(backupsIn(backupsFolder()).isEmpty());
}

TEST_F(BackupFixture, UnwritableTargetLeavesNoFile)
{
    openLiveDatabase();
    const QString target = folders.path() + "missing/folder/x_bralvo.txb";
    boxes.answerBox(bralvo::platform::kIdOk);
    BackupDatabase(target, true);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(boxes.calls()[0].flags, 48);
}

TEST_F(BackupFixture, DumpMatchesTheShellByteForByte)
{
    openLiveDatabase();
    db::DbConnection->ExecSql("CREATE TABLE \"my tab\"(\"select\", x);"
                              "INSERT INTO \"my tab\" VALUES('a\\nb' || char(10) || 'c', 1e999);"
                              "INSERT INTO \"my tab\" VALUES(-0.0, 123456789012.0);"
                              "CREATE VIEW v AS SELECT * FROM polozky; ANALYZE;");
    EXPECT_EQ(ourDump(liveFile()), withVersion(shellDump(liveFile()), db::SupportedDbVersion));
}

TEST_F(BackupFixture, BackupRestoresThroughTheCommandLineTools)
{
    openLiveDatabase();
    const QString target = folders.path() + "x_bralvo.txb";
    WriteBackup(liveFile(), target);
    const QByteArray sql = runTool("gzip", {"-cd", target});
    const QString copy = folders.path() + "copy.db";
    runTool("sqlite3", {copy}, sql);
    // The shell reads its input by lines and drops the CR of the CR LF
    // inside CREATE texts; values keep theirs (they travel as char(13)).
    EXPECT_EQ(shellDump(copy), shellDump(liveFile()).replace("\r\n", "\n"));
    EXPECT_EQ(runTool("sqlite3", {copy, "PRAGMA user_version;"}), "2\n");
}

TEST(GzipFile, ReadsWhatGzipWritesAndRejectsDamage)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.txt");
    QByteArray text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + QByteArray::number(i) + "\n";
    writeFileContent(plain, text);
    const QByteArray packed = runTool("gzip", {"-c", plain});
    writeFileContent(dir.filePath("a.gz"), packed + packed);  // two members
    EXPECT_EQ(ReadGzipFile(dir.filePath("a.gz")), text + text);
    writeFileContent(dir.filePath("cut.gz"), packed.left(packed.size() / 2));
    EXPECT_THROW(ReadGzipFile(dir.filePath("cut.gz")), BackupError);
    QByteArray flipped = packed;
    flipped[flipped.size() - 6] = char(flipped[flipped.size() - 6] ^ 0x55);  // check sum
    writeFileContent(dir.filePath("bad.gz"), flipped);
    EXPECT_THROW(ReadGzipFile(dir.filePath("bad.gz")), BackupError);
    writeFileContent(dir.filePath("empty.gz"), QByteArray());
    EXPECT_THROW(ReadGzipFile(dir.filePath("empty.gz")), BackupError);
    EXPECT_THROW(ReadGzipFile(dir.filePath("none.gz")), BackupError);
}

TEST(GzipFile, WriterLeavesNothingUntilCommitted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.gz");
    writeFileContent(path, "previous");
    {
        GzipFileWriter writer(path);
        writer.write("never committed");
    }
    EXPECT_EQ(fileContent(path), "previous");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    GzipFileWriter writer(path);
    writer.write("hello\n");
    writer.commit();
    EXPECT_EQ(runTool("gzip", {"-cd", path}), "hello\n");
}

TEST(BackupTimer, TicksUntilTheIntervalHasPassed)
{
    struct Case { int minutes; quint32 interval; std::vector<int> dueTicks; };
    const Case cases[] = {
        {1, 60, {61, 122, 183}},
        {0, 0, {1, 2, 3}},
        {-1, 4294967236u, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.minutes);
        std::vector<int> due;
        int tick = 0;
        TBackupObj timer(c.minutes, [&] { due.push_back(tick); });
        EXPECT_EQ(timer.IntervalSeconds(), c.interval);
        EXPECT_EQ(timer.BackupTimer().interval(), 1000);
        EXPECT_TRUE(timer.BackupTimer().isActive());
        for (tick = 1; tick <= 200; ++tick)
            timer.TimerTick();
        due.resize(std::min<size_t>(due.size(), 3));
        EXPECT_EQ(due, c.dueTicks);
    }
}

// A silent backup's error box runs an event loop in which the timer keeps
// ticking; every tick would otherwise start another backup under it.
TEST(BackupTimer, NoBackupStartsWhileOneRuns)
{
    int started = 0;
    TBackupObj *self = nullptr;
    TBackupObj timer(0, [&] {
        ++started;
        for (int i = 0; i < 5; ++i)
            self->TimerTick();  // ticks arriving under the running backup
        EXPECT_EQ(self->ElapsedSeconds(), 0u);
    });
    self = &timer;
    timer.TimerTick();
    EXPECT_EQ(started, 1);
    timer.TimerTick();  // once it has ended, the next tick is due again
    EXPECT_EQ(started, 2);

    int failing = 0;
    TBackupObj thrower(0, [&] {
        ++failing;
        throw bralvo::Error(QStringLiteral("disk full"));
    });
    EXPECT_THROW(thrower.TimerTick(), bralvo::Error);
    EXPECT_THROW(thrower.TimerTick(), bralvo::Error);  // a failed backup does not block the next
    EXPECT_EQ(failing, 2);
}

TEST_F(BackupFixture, StartAutoBackupReadsTheSettingsAndReplacesTheOldTimer)
{
    AutoBackup.reset();
    WriteSetting("Backups", "BackupInInterval", "0");
    StartAutoBackup();
    EXPECT_FALSE(AutoBackup);
    WriteSetting("Backups", "BackupInInterval", "1");
    WriteSetting("Backups", "BackupInterval", "2,5");
    StartAutoBackup();
    ASSERT_TRUE(AutoBackup);
    EXPECT_EQ(AutoBackup->IntervalSeconds(), 180u);
    // The old object's count goes with it; comparing addresses could not
    // tell, as the new object may take the freed one's place.
    AutoBackup->TimerTick();
    AutoBackup->TimerTick();
    ASSERT_EQ(AutoBackup->ElapsedSeconds(), 2u);
    WriteSetting("Backups", "BackupInterval", "1,2,3");
    StartAutoBackup();
    ASSERT_TRUE(AutoBackup);
    EXPECT_EQ(AutoBackup->ElapsedSeconds(), 0u);
    EXPECT_EQ(AutoBackup->IntervalSeconds(), 3600u);
    AutoBackup.reset();
}

TEST(TrimMemoTail, DropsOnlyTrailingEmptyLines)
{
    QPlainTextEdit memo;
    memo.setPlainText("a\n\n \n\n");
    TrimMemoTail(memo);
    EXPECT_EQ(memo.toPlainText(), "a\n\n ");
    memo.setPlainText("\n\n");
    TrimMemoTail(memo);
    EXPECT_EQ(memo.toPlainText(), "");
    EXPECT_EQ(TrimmedMemoLines({"a", "", " ", "", ""}), (QStringList{"a", "", " "}));
}
