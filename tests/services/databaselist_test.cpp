// The database list: home folders, the tidy-up of duplicates, settings
// copies and stray folders, and the settings copy refresh.
#include "services/databaselist.h"
#include "platform/folders.h"
#include "platform/inifile.h"
#include "services/globals.h"
#include "services/settings.h"
#include "services/uitexts.h"
#include "tests/services/backupfixture.h"
#include "tests/support/qstringprint.h"

#include <QDir>
#include <QFile>

using namespace bralvo::services;
using bralvo::platform::IniFile;
using bralvo::platform::kIdNo;
using bralvo::platform::kIdOk;
using bralvo::platform::kIdYes;
using bralvo::test::writeFileContent;

namespace {

class DatabaseListTest : public bralvo::test::BackupFixture {
protected:
    void list(const QList<QPair<QString, QString>> &entries)
    {
        QDir().mkpath(DatabasesFolder());
        IniFile file(DatabaseListFile());
        for (const auto &entry : entries)
            file.writeString("Databases", entry.first, entry.second);
        ASSERT_TRUE(file.save());
    }
    QString listed(const QString &name) const
    {
        return IniFile(DatabaseListFile()).readString("Databases", name, "<missing>");
    }
    void writeCopy(const QString &name, const QString &directory)
    {
        QDir().mkpath(HomeFolder(name));
        IniFile copy(HomeFolder(name) + "settings.txs");
        copy.writeString("General", "Directory", directory);
        ASSERT_TRUE(copy.save());
    }
    // A home-like folder under Data/DBs that no listed name owns.
    QString makeStray(const QString &folderName, bool withDatabase, bool withBackup = false)
    {
        const QString folder = DatabasesFolder() + folderName + "/";
        QDir().mkpath(folder + "Backups");
        writeFileContent(folder + "marker.txt", folderName.toUtf8());
        if (withDatabase)
            writeFileContent(folder + "bralvo_data.txs", "db");
        if (withBackup)
            writeFileContent(folder + "Backups/2020-01-01_10;00,00_bralvo.txb", "gz");
        return folder;
    }
};

} // namespace

TEST_F(DatabaseListTest, HomeFolderIsTheDigestOfTheName)
{
    EXPECT_EQ(HomeFolderName("abc"), "900150983cd24fb0d6963f7d28e17f72");  // RFC 1321
    EXPECT_EQ(HomeFolder("abc"), DataRoot + "Data/DBs/900150983cd24fb0d6963f7d28e17f72/");
    EXPECT_EQ(DatabaseListFile(), DataRoot + "Data/DBs/databases.ini");
}

TEST_F(DatabaseListTest, TakenNamesAndFolders)
{
    list({{"abc", "/data/one/"}, {"Firma", "/data/two/"}, {"Home", HomeFolder("Home")}});
    struct Case { QString name, folder; int text; };
    const Case cases[] = {
        {"ABC", "/data/new/", 293},       // names ignore case
        {"new", "/data/one", 294},        // trailing "/" ensured
        {"Home", "", 293},
        {"", "/data/two/", 294},          // a move onto a listed folder
        {"new", "/data/ONE/", 0},         // folders are case-sensitive
        {"new", "", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.name + " " + c.folder).toStdString());
        const std::size_t before = boxes.calls().size();
        if (c.text)
            boxes.answerBox(kIdOk);
        EXPECT_EQ(MaintainDatabaseList(c.name, c.folder), c.text != 0);
        if (c.text) {
            ASSERT_EQ(boxes.calls().size(), before + 1);
            EXPECT_EQ(boxes.calls().back().text, MessageText(c.text));
            EXPECT_EQ(boxes.calls().back().flags, 48);
        }
    }
}

TEST_F(DatabaseListTest, DuplicateFoldersAreRemovedAndReported)
{
    list({{"A", "/x/"}, {"B", "/X/"}, {"C", "/x"}, {"D", ""}, {"E", ""}});
    boxes.answerBox(kIdOk);
    EXPECT_FALSE(MaintainDatabaseList("", ""));
    EXPECT_EQ(IniFile(DatabaseListFile()).keys("Databases"), (QStringList{"A", "B", "D"}));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, MessageText(295) + "\r\r\r[C]\r\n/x/\r\n\r\n[E]\r\n/\r\n");
}

// A missing or empty settings copy must never blank the entry's folder.
TEST_F(DatabaseListTest, MissingOrEmptyCopyKeepsTheFolder)
{
    list({{"with copy", "/old/"}, {"no copy", "/kept/"}, {"empty copy", "/kept2/"}});
    writeCopy("with copy", "/data/a");
    writeCopy("empty copy", "");
    EXPECT_FALSE(MaintainDatabaseList("", ""));
    EXPECT_EQ(listed("with copy"), "/data/a");  // taken unchanged, without "/"
    EXPECT_EQ(listed("no copy"), "/kept/");
    EXPECT_EQ(listed("empty copy"), "/kept2/");
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(DatabaseListTest, StraysWithDatabasesAreAdoptedByRenaming)
{
    list({{"Database 01", "/somewhere/"}});
    // Not listed, but its home exists, holding a backup: it stays.
    QDir().mkpath(HomeFolder("Database 02"));
    writeFileContent(HomeFolder("Database 02") + "x_bralvo.txb", "gz");
    const QString stray = makeStray("aaaa", true);
    const QString stray2 = makeStray("bbbb", true);
    boxes.answerBox(kIdYes);
    MaintainDatabaseList("", "");
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].flags, 36);
    EXPECT_EQ(boxes.calls()[0].text, MessageText(298) + "\r\r\r" + stray2 + "\r\n" + stray);
    EXPECT_EQ(listed("Database 03"), HomeFolder("Database 03"));
    EXPECT_EQ(listed("Database 04"), HomeFolder("Database 04"));
    EXPECT_FALSE(QFileInfo::exists(stray));
    EXPECT_EQ(bralvo::test::fileContent(HomeFolder("Database 03") + "marker.txt"), "aaaa");
    const IniFile copy(HomeFolder("Database 03") + "settings.txs");
    EXPECT_EQ(copy.readString("General", "Directory", ""), HomeFolder("Database 03"));
    EXPECT_EQ(copy.readString("BackupDirs", "0", ""), HomeFolder("Database 03") + "Backups/");
    EXPECT_TRUE(QFileInfo::exists(HomeFolder("Database 02") + "x_bralvo.txb"));
}

TEST_F(DatabaseListTest, DeclinedStraysAreDeletedOnlyWhenAskedTwice)
{
    const QString stray = makeStray("aaaa", true);
    boxes.answerBox(kIdNo);
    boxes.answerBox(kIdNo);
    MaintainDatabaseList("", "");
    EXPECT_TRUE(QFileInfo::exists(stray));
    boxes.answerBox(kIdNo);
    boxes.answerBox(kIdYes);
    MaintainDatabaseList("", "");  // offered again, then deleted
    EXPECT_EQ(boxes.calls().back().text, MessageText(299));
    EXPECT_FALSE(QFileInfo::exists(stray));
}

// Strays without a database file may still hold backups, and links lead
// outside: neither may be deleted unasked.
TEST_F(DatabaseListTest, StraysWithBackupsAndLinksAreNeverDeletedUnasked)
{
    const QString withBackup = makeStray("cccc", false, true);
    const QString emptyStray = makeStray("dddd", false);
    const QString outside = folders.path() + "outside/";
    QDir().mkpath(outside);
    writeFileContent(outside + "bralvo_data.txs", "other program's");
    ASSERT_TRUE(QFile::link(bralvo::platform::withoutTrailingSlash(outside), DatabasesFolder() + "link"));
    MaintainDatabaseList("", "");
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_TRUE(QFileInfo::exists(withBackup + "Backups/2020-01-01_10;00,00_bralvo.txb"));
    EXPECT_FALSE(QFileInfo::exists(emptyStray));
    EXPECT_TRUE(QFileInfo(DatabasesFolder() + "link").isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside + "bralvo_data.txs"));
}

TEST_F(DatabaseListTest, SettingsCopyGoesToEveryEntryOfTheLiveFolder)
{
    const QString live = folders.path() + "live/";
    WriteSetting("General", "Directory", live);
    WriteSetting("Faktura", "Marker", "42");
    list({{"one", live}, {"two", folders.path() + "live"}, {"other", "/elsewhere/"}});
    SaveSettingsToDatabaseFolder();
    EXPECT_EQ(IniFile(HomeFolder("one") + "settings.txs").readString("Faktura", "Marker", ""), "42");
    EXPECT_EQ(IniFile(HomeFolder("two") + "settings.txs").readString("Faktura", "Marker", ""), "42");
    EXPECT_FALSE(QFileInfo::exists(HomeFolder("other")));
}

TEST_F(DatabaseListTest, ManagerAtStartOnlyWithSeveralDatabases)
{
    SelectDatabaseAtStart();
    list({{"one", "/a/"}});
    SelectDatabaseAtStart();
    EXPECT_TRUE(host.calls.isEmpty());
    list({{"two", "/b/"}});
    SelectDatabaseAtStart();
    EXPECT_EQ(host.calls, QStringList{"manager"});
}
