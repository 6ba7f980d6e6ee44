// The move of the old backup folder setting into [BackupDirs].
#include "app/backupfoldermigration.h"
#include "platform/inifile.h"
#include "tests/services/qstringprint.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using bralvo::app::MergeBackupFolder;
using bralvo::app::MigrateBackupFolders;
using bralvo::platform::IniFile;

namespace {

const QString kRoot = "/data/Tamrex/Bralvo/";

class MigrationTest : public ::testing::Test {
protected:
    QString write(const QString &text)
    {
        const QString path = m_dir.path() + "/settings.txs";
        IniFile file = IniFile::fromText(text);
        EXPECT_TRUE(file.saveAs(path));
        return path;
    }
    static QStringList listed(const QString &path)
    {
        IniFile file(path);
        QStringList values;
        for (const QString &key : file.keys("BackupDirs"))
            values << key + "=" + file.readString("BackupDirs", key, "");
        return values;
    }
    QTemporaryDir m_dir;
};

TEST(MergeBackupFolder, FollowsTheMigrationTable)
{
    struct Case {
        const char *name;
        QStringList folders;
        QString oldFolder;
        QStringList expected;
    };
    const Case cases[] = {
        {"missing folder is the default", {}, "", {kRoot + "Backups/"}},
        {"one leading backslash dropped", {}, "\\zalohy", {"zalohy/"}},
        {"two leading backslashes stay", {}, "\\\\server\\zalohy", {"\\\\server\\zalohy/"}},
        {"lone backslash dropped", {}, "\\", {"/"}},
        {"leading slash is an absolute path", {}, "/mnt/zalohy", {"/mnt/zalohy/"}},
        {"trailing slash kept once", {}, "/mnt/zalohy/", {"/mnt/zalohy/"}},
        {"joins the listed folders sorted", {"/b/", "/c/"}, "/a", {"/a/", "/b/", "/c/"}},
        {"no duplicate", {"/a/", "/b/"}, "/b", {"/a/", "/b/"}},
        {"letter case makes another folder", {"/Zal/"}, "/zal", {"/Zal/", "/zal/"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MergeBackupFolder(c.folders, c.oldFolder, kRoot), c.expected);
    }
}

TEST_F(MigrationTest, OldFolderWithoutListBecomesKeyZero)
{
    const QString path = write("[Backups]\nBackupDir=\\zalohy\nNumberBackups=5\n");
    ASSERT_TRUE(MigrateBackupFolders(path, kRoot));
    EXPECT_EQ(listed(path), QStringList{"0=zalohy/"});
    IniFile file(path);
    EXPECT_FALSE(file.valueExists("Backups", "BackupDir"));
    EXPECT_EQ(file.readString("Backups", "NumberBackups", ""), "5");
}

TEST_F(MigrationTest, NoFolderAtAllGetsTheDefault)
{
    const QString path = write("[General]\nCheckUpdates=1\n");
    ASSERT_TRUE(MigrateBackupFolders(path, kRoot));
    EXPECT_EQ(listed(path), QStringList{"0=" + kRoot + "Backups/"});
}

TEST_F(MigrationTest, ListWithoutOldFolderIsNotTouched)
{
    const QString text = "; kept comment\n[BackupDirs]\n0=/z/\n1=/a/\n";
    const QString path = write(text);
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(text.toUtf8());
    raw.close();
    ASSERT_TRUE(MigrateBackupFolders(path, kRoot));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(raw.readAll()), text);
}

TEST_F(MigrationTest, OldFolderJoinsTheListWithoutDuplicates)
{
    const QString path = write("[Backups]\nBackupDir=/b\n[BackupDirs]\n0=/c/\n1=/b/\n");
    ASSERT_TRUE(MigrateBackupFolders(path, kRoot));
    EXPECT_EQ(listed(path), (QStringList{"0=/b/", "1=/c/"}));
}

TEST_F(MigrationTest, AtMostOneHundredFoldersAreWritten)
{
    QString text = "[Backups]\nBackupDir=/z100\n[BackupDirs]\n";
    for (int i = 0; i < 100; ++i)
        text += QString("%1=/z%2/\n").arg(i).arg(i, 3, 10, QChar('0'));
    const QString path = write(text);
    ASSERT_TRUE(MigrateBackupFolders(path, kRoot));
    const QStringList values = listed(path);
    ASSERT_EQ(values.size(), 100);
    EXPECT_EQ(values.first(), "0=/z000/");
    EXPECT_EQ(values.last(), "99=/z099/");  // "/z100/" sorts last and is dropped
}

TEST_F(MigrationTest, FoldersCompareWithLetterCase)
{
    const QString path = write("[Backups]\nBackupDir=/Zalohy\n[BackupDirs]\n0=/zalohy/\n");
    ASSERT_TRUE(MigrateBackupFolders(path, kRoot));
    EXPECT_EQ(listed(path), (QStringList{"0=/Zalohy/", "1=/zalohy/"}));
}

TEST_F(MigrationTest, SlashIsNeverTakenForTheOldBackslash)
{
    const QString path = write("[Backups]\nBackupDir=/home/eva/zalohy\n");
    ASSERT_TRUE(MigrateBackupFolders(path, kRoot));
    EXPECT_EQ(listed(path), QStringList{"0=/home/eva/zalohy/"});
}

} // namespace
