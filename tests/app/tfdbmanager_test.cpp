// The database manager window, driven offscreen: the two forms, the list,
// and the select, add, remove, rename and move paths with their messages.
#include "app/tfdbmanager.h"
#include "platform/folders.h"
#include "platform/inifile.h"
#include "platform/widgets/stringgrid.h"
#include "services/databaselist.h"
#include "services/globals.h"
#include "services/settings.h"
#include "services/uitexts.h"
#include "tests/services/backupfixture.h"
#include "tests/services/qstringprint.h"
#include "tests/support/recordingrestart.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace bralvo::services;
using bralvo::app::TfDBmanager;
using bralvo::platform::IniFile;
using bralvo::platform::kIdNo;
using bralvo::platform::kIdOk;
using bralvo::platform::kIdYes;
using bralvo::test::fileContent;
using bralvo::test::writeFileContent;

namespace {

class DbManagerTest : public bralvo::test::BackupFixture {
protected:
    void SetUp() override { QDir().mkpath(DatabasesFolder()); }

    void list(const QString &name, const QString &folder)
    {
        IniFile file(DatabaseListFile());
        file.writeString("Databases", name, folder);
        ASSERT_TRUE(file.save());
    }
    // A database at its default place, with a settings copy naming it.
    void listAtHome(const QString &name, const QByteArray &content = "db")
    {
        list(name, HomeFolder(name));
        writeCopy(name, HomeFolder(name));
        writeFileContent(HomeFolder(name) + "bralvo_data.txs", content);
    }
    void writeCopy(const QString &name, const QString &directory)
    {
        QDir().mkpath(HomeFolder(name));
        IniFile copy(HomeFolder(name) + "settings.txs");
        copy.writeString("General", "Directory", directory);
        ASSERT_TRUE(copy.save());
    }
    QString listed(const QString &name) const
    {
        return IniFile(DatabaseListFile()).readString("Databases", name, "<missing>");
    }
    // Fills the grid and marks the row of name, as a click does.
    void mark(const QString &name)
    {
        window.FillDatabaseGrid();
        for (int row = 1; row < window.sgDatabazy->rowCount(); ++row) {
            if (window.sgDatabazy->cell(0, row) == name) {
                window.sgDatabazy->setCurrentRowIndex(row);
                window.sgDatabazyClick();
                return;
            }
        }
        ADD_FAILURE() << "no row " << name.toStdString();
    }
    void expectLastBox(const QString &text, int flags)
    {
        ASSERT_FALSE(boxes.calls().empty());
        EXPECT_EQ(boxes.calls().back().text, text);
        EXPECT_EQ(boxes.calls().back().flags, flags);
    }

    bralvo::test::RecordingRestart restart;
    TfDBmanager window;
};

} // namespace

TEST_F(DbManagerTest, ControlsCarryTheirNames)
{
    for (const char *name : {"Label2", "sgDatabazy", "bitVyberDatabazu", "bitZmazatFakturu", "GroupBox1",
                             "Label1", "eNazov", "Label8", "eDatabase", "bitSaveDatabase", "Label10",
                             "bitPridatDatabazu", "bitUlozitDatabazu", "Image1"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(window.findChild<QWidget *>(name), nullptr);
    }
    EXPECT_EQ(window.bitVyberDatabazu->text(), "Načítať označnú databázu");
    EXPECT_EQ(window.GroupBox1->title(), "Vytvorenie databázy");
}

TEST_F(DbManagerTest, GridListsDatabasesSortedWithAnEmptyLastRow)
{
    list("zeta", "/z/");
    list("Alfa", "/a/");
    window.FillDatabaseGrid();
    const auto &grid = *window.sgDatabazy;
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.cell(0, 0), MessageText(287));
    EXPECT_EQ(grid.cell(1, 0), MessageText(288));
    EXPECT_EQ(grid.cell(0, 1), "Alfa");
    EXPECT_EQ(grid.cell(1, 2), "/z/");
    EXPECT_EQ(grid.cell(0, 3), "");
    EXPECT_EQ(grid.colWidth(0), 120);
    EXPECT_EQ(grid.colWidth(1), 370);
}

TEST_F(DbManagerTest, GridSortsNamesAsTheLanguageDoes)
{
    for (const char *name : {"Dana", "Čierna", "Beta", "alfa"})
        list(QString::fromUtf8(name), folders.path() + QString::fromUtf8(name) + "/");
    window.FillDatabaseGrid();
    QStringList shown;
    for (int row = 1; row < window.sgDatabazy->rowCount() - 1; ++row)
        shown << window.sgDatabazy->cell(0, row);
    EXPECT_EQ(shown, (QStringList{"alfa", "Beta", QString::fromUtf8("Čierna"), "Dana"}));
}

TEST_F(DbManagerTest, FormDependsOnTheNumberOfDatabasesAndToggles)
{
    listAtHome("one");
    window.FillDatabaseGrid();
    QTimer::singleShot(0, &window, [this] {
        EXPECT_FALSE(window.DbManagerCompact());
        EXPECT_EQ(window.height(), 565);
        EXPECT_EQ(window.windowTitle(), ProgramTitle + " - " + MessageText(289));
        window.Image1Click();
        EXPECT_TRUE(window.DbManagerCompact());
        EXPECT_EQ(window.height(), 289);
        EXPECT_FALSE(window.GroupBox1->isVisible());
        window.reject();
    });
    window.OpenModal();
    listAtHome("two");
    QTimer::singleShot(0, &window, [this] {
        EXPECT_TRUE(window.DbManagerCompact());
        window.reject();
    });
    window.OpenModal();
}

TEST_F(DbManagerTest, RowClickShowsEmptyLocationForTheDefaultPlace)
{
    listAtHome("home");
    list("elsewhere", folders.path() + "x/");
    mark("home");
    EXPECT_EQ(window.eNazov->text(), "home");
    EXPECT_EQ(window.eDatabase->text(), "");
    mark("elsewhere");
    EXPECT_EQ(window.eDatabase->text(), folders.path() + "x/");
}

TEST_F(DbManagerTest, AddingWithEmptyLocationUsesTheHomeFolder)
{
    window.eNazov->setText("Nová firma");
    window.bitPridatDatabazuClick();
    const QString home = bralvo::platform::withoutTrailingSlash(HomeFolder("Nová firma"));
    // Listed with "/", then the refill takes the copy's value as it is.
    EXPECT_EQ(listed("Nová firma"), home);
    const IniFile copy(home + "/settings.txs");
    EXPECT_EQ(copy.readString("General", "Directory", ""), home);
    EXPECT_EQ(copy.readString("BackupDirs", "0", ""), home + "/Backups");
    EXPECT_TRUE(QFileInfo(home + "/Backups").isDir());
    EXPECT_EQ(window.sgDatabazy->cell(0, 1), "Nová firma");
    EXPECT_TRUE(window.eNazov->text().isEmpty());
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(DbManagerTest, AddingATakenNameChangesNothing)
{
    list("Firma", "/a/");
    window.eNazov->setText("FIRMA");
    boxes.answerBox(kIdOk);
    window.bitPridatDatabazuClick();
    expectLastBox(MessageText(293), 48);
    EXPECT_EQ(IniFile(DatabaseListFile()).keys("Databases"), QStringList{"Firma"});
    EXPECT_EQ(window.eNazov->text(), "FIRMA");
}

TEST_F(DbManagerTest, ActionsWithoutAMarkedRowAsk292)
{
    window.FillDatabaseGrid();
    for (auto handler : {&TfDBmanager::bitVyberDatabazuClick, &TfDBmanager::bitZmazatFakturuClick,
                         &TfDBmanager::bitUlozitDatabazuClick}) {
        boxes.answerBox(kIdOk);
        (window.*handler)();
        expectLastBox(MessageText(292), 48);
    }
    EXPECT_TRUE(restart.restarts().empty());
}

TEST_F(DbManagerTest, SelectingRestartsWithVybranaDB)
{
    listAtHome("one");
    IniFile copy(HomeFolder("one") + "settings.txs");
    copy.writeString("Faktura", "Marker", "from copy");
    ASSERT_TRUE(copy.save());
    mark("one");
    window.bitVyberDatabazuClick();
    EXPECT_EQ(ReadSetting("Faktura", "Marker", ""), "from copy");
    ASSERT_EQ(restart.restarts().size(), 1u);
    EXPECT_EQ(restart.restarts()[0], QStringList{"vybranaDB"});
    EXPECT_EQ(host.calls, QStringList{"end"});
}

TEST_F(DbManagerTest, EnterInTheGridSelectsAndTheStripToggles)
{
    listAtHome("one");
    window.show();
    mark("one");
    QTest::keyClick(window.sgDatabazy, Qt::Key_Return);
    EXPECT_EQ(restart.restarts().size(), 1u);
    const bool compact = window.DbManagerCompact();
    QTest::mouseClick(window.Image1, Qt::LeftButton);
    EXPECT_NE(window.DbManagerCompact(), compact);
    window.show();
    QTest::keyClick(window.eNazov, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(DbManagerTest, SelectingDuringStartupOnlyCopiesTheSettings)
{
    listAtHome("one");
    host.startup = true;
    mark("one");
    window.bitVyberDatabazuClick();
    EXPECT_EQ(ReadSetting("General", "Directory", ""), HomeFolder("one"));
    EXPECT_TRUE(restart.restarts().empty());
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(DbManagerTest, RemovingDeletesTheFileOnlyAtItsDefaultPlace)
{
    listAtHome("home");
    const QString outside = folders.path() + "outside/";
    QDir().mkpath(outside);
    writeFileContent(outside + "bralvo_data.txs", "kept");
    list("outside", outside);
    writeCopy("outside", outside);
    mark("home");
    boxes.answerBox(kIdYes);
    window.bitZmazatFakturuClick();
    EXPECT_EQ(boxes.calls().back().text, MessageText(290));
    EXPECT_EQ(boxes.calls().back().flags, 36);
    EXPECT_FALSE(QFileInfo::exists(HomeFolder("home")));
    EXPECT_EQ(listed("home"), "<missing>");
    mark("outside");
    boxes.answerBox(kIdYes);
    window.bitZmazatFakturuClick();
    EXPECT_EQ(fileContent(outside + "bralvo_data.txs"), "kept");
    EXPECT_EQ(listed("outside"), "<missing>");
    EXPECT_EQ(window.sgDatabazy->rowCount(), 2);
}

TEST_F(DbManagerTest, RemovalAnsweredNoKeepsEverything)
{
    listAtHome("home");
    mark("home");
    boxes.answerBox(kIdNo);
    window.bitZmazatFakturuClick();
    EXPECT_TRUE(QFileInfo::exists(HomeFolder("home") + "bralvo_data.txs"));
    EXPECT_EQ(listed("home"), HomeFolder("home"));
}

// Unlinking the open database's folder would lose every later change.
TEST_F(DbManagerTest, RemovingTheOpenDatabaseIsRefused)
{
    listAtHome("open");
    WriteSetting("General", "Directory", HomeFolder("open"));
    mark("open");
    boxes.answerBox(kIdOk);
    window.bitZmazatFakturuClick();
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls().back().flags, 48);
    EXPECT_NE(boxes.calls().back().text, MessageText(290));
    EXPECT_EQ(boxes.calls().back().text, MessageText(296));
    EXPECT_FALSE(MessageText(296).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(HomeFolder("open") + "bralvo_data.txs"));
    EXPECT_EQ(listed("open"), HomeFolder("open"));
}

TEST_F(DbManagerTest, RenamingMovesTheHomeFolder)
{
    listAtHome("old", "content");
    mark("old");
    window.eNazov->setText("new");
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(listed("old"), "<missing>");
    EXPECT_EQ(listed("new"), HomeFolder("new"));
    EXPECT_FALSE(QFileInfo::exists(HomeFolder("old")));
    EXPECT_EQ(fileContent(HomeFolder("new") + "bralvo_data.txs"), "content");
    const IniFile copy(HomeFolder("new") + "settings.txs");
    EXPECT_EQ(copy.readString("General", "Directory", ""), HomeFolder("new"));
    EXPECT_EQ(copy.readString("BackupDirs", "0", ""), HomeFolder("new") + "Backups/");
    EXPECT_TRUE(restart.restarts().empty());  // not the open database
}

// Moving the open database's file away while writing to it loses changes.
TEST_F(DbManagerTest, RenamingTheOpenDatabaseClosesItAndRestarts)
{
    listAtHome("old", "content");
    WriteSetting("General", "Directory", HomeFolder("old"));
    mark("old");
    window.eNazov->setText("new");
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(host.calls, (QStringList{"close", "end"}));
    ASSERT_EQ(restart.restarts().size(), 1u);
    EXPECT_EQ(restart.restarts()[0], QStringList{"vybranaDB"});
    EXPECT_EQ(ReadSetting("General", "Directory", ""), HomeFolder("new"));
    EXPECT_EQ(fileContent(HomeFolder("new") + "bralvo_data.txs"), "content");
}

// Listing the renamed database under its old home folder, which the
// rename has just moved away, would leave the next start without it.
TEST_F(DbManagerTest, RenamingWithTheOldHomeAsLocationFollowsTheHomeFolder)
{
    listAtHome("old", "content");
    mark("old");
    window.eNazov->setText("new");
    window.eDatabase->setText(HomeFolder("old"));  // typed as listed
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(listed("new"), HomeFolder("new"));
    EXPECT_FALSE(QFileInfo::exists(HomeFolder("old")));
    EXPECT_EQ(fileContent(HomeFolder("new") + "bralvo_data.txs"), "content");
    const IniFile copy(HomeFolder("new") + "settings.txs");
    EXPECT_EQ(copy.readString("General", "Directory", ""), HomeFolder("new"));
}

// The open database is closed before it moves; without the restart the
// program must not go on with no database at all.
TEST_F(DbManagerTest, FailedRestartOpensTheMovedDatabase)
{
    listAtHome("firm", "content");
    WriteSetting("General", "Directory", HomeFolder("firm"));
    const QString target = folders.path() + "moved/";
    restart.setSucceeds(false);
    mark("firm");
    window.eDatabase->setText(target);
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(host.calls, (QStringList{"close", "open"}));
    EXPECT_EQ(ReadSetting("General", "Directory", ""), target);
    EXPECT_EQ(fileContent(target + "bralvo_data.txs"), "content");
}

// Ignoring a failed copy would list the database at its new, empty place
// and restart into a fresh empty database there.
TEST_F(DbManagerTest, FailedCopyLeavesTheDatabaseWhereItIs)
{
    listAtHome("firm", "mine");
    WriteSetting("General", "Directory", HomeFolder("firm"));
    const QString target = folders.path() + "blocked/";
    QDir().mkpath(target + "bralvo_data.txs");  // a folder where the file must go
    mark("firm");
    window.eDatabase->setText(target);
    boxes.answerBox(kIdYes);  // replace what is there
    boxes.answerBox(kIdOk);
    window.bitUlozitDatabazuClick();
    expectLastBox(MessageText(286), 48);
    EXPECT_FALSE(MessageText(286).isEmpty());
    EXPECT_EQ(host.calls, (QStringList{"close", "open"}));
    EXPECT_TRUE(restart.restarts().empty());
    EXPECT_EQ(listed("firm"), HomeFolder("firm"));
    EXPECT_EQ(ReadSetting("General", "Directory", ""), HomeFolder("firm"));
    EXPECT_EQ(IniFile(HomeFolder("firm") + "settings.txs").readString("General", "Directory", ""),
              HomeFolder("firm"));
    EXPECT_EQ(fileContent(HomeFolder("firm") + "bralvo_data.txs"), "mine");
}

TEST_F(DbManagerTest, MovingCopiesTheDatabaseToTheNewFolder)
{
    listAtHome("firm", "content");
    const QString target = folders.path() + "moved";
    mark("firm");
    window.eDatabase->setText(target);
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(listed("firm"), target + "/");
    EXPECT_EQ(fileContent(target + "/bralvo_data.txs"), "content");
    const IniFile copy(HomeFolder("firm") + "settings.txs");
    EXPECT_EQ(copy.readString("General", "Directory", ""), target + "/");
    EXPECT_EQ(copy.readString("BackupDirs", "0", ""), target + "/Backups/");
    EXPECT_TRUE(QFileInfo(target + "/Backups").isDir());
    EXPECT_TRUE(restart.restarts().empty());
}

TEST_F(DbManagerTest, MovingTheOpenDatabaseClosesItAndRestarts)
{
    listAtHome("firm", "content");
    WriteSetting("General", "Directory", HomeFolder("firm"));
    const QString target = folders.path() + "moved/";
    mark("firm");
    window.eDatabase->setText(target);
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(host.calls, (QStringList{"close", "end"}));
    ASSERT_EQ(restart.restarts().size(), 1u);
    EXPECT_EQ(ReadSetting("General", "Directory", ""), target);  // the next start opens the copy
    EXPECT_EQ(fileContent(target + "bralvo_data.txs"), "content");
}

TEST_F(DbManagerTest, MovingOntoAnotherDatabaseAsksFirst)
{
    listAtHome("firm", "mine");
    const QString target = folders.path() + "occupied/";
    QDir().mkpath(target);
    writeFileContent(target + "bralvo_data.txs", "theirs");
    mark("firm");
    window.eDatabase->setText(target);
    boxes.answerBox(kIdNo);
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(boxes.calls().back().flags, 52);
    EXPECT_EQ(boxes.calls().back().text, MessageText(297));
    EXPECT_EQ(fileContent(target + "bralvo_data.txs"), "theirs");
    EXPECT_EQ(listed("firm"), HomeFolder("firm"));
    boxes.answerBox(kIdYes);
    window.bitUlozitDatabazuClick();
    EXPECT_EQ(fileContent(target + "bralvo_data.txs"), "mine");
    EXPECT_EQ(listed("firm"), target);
}

TEST_F(DbManagerTest, MovingOntoAListedFolderIsRefused)
{
    listAtHome("firm");
    list("other", folders.path() + "other/");
    mark("firm");
    window.eDatabase->setText(folders.path() + "other");
    boxes.answerBox(kIdOk);
    window.bitUlozitDatabazuClick();
    expectLastBox(MessageText(294), 48);
    EXPECT_EQ(listed("firm"), HomeFolder("firm"));
}

TEST_F(DbManagerTest, FolderDialogFillsTheLocation)
{
    boxes.answerFolder(QString(folders.path() + "chosen"));
    window.bitSaveDatabaseClick();
    EXPECT_EQ(window.eDatabase->text(), folders.path() + "chosen/");
    EXPECT_EQ(boxes.calls().back().caption, MessageText(226));
    EXPECT_EQ(boxes.calls().back().startFolder, DataRoot + "Data/");
}

// Writes the review pictures when BRALVO_SCREENSHOT_DIR names a folder.
TEST_F(DbManagerTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("BRALVO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
    list("Hlavná firma", "/home/uctovnik/Bralvo/Data/");
    list("Pobočka Košice", "/srv/bralvo/kosice/");
    list("Archív 2024", "/mnt/archiv/bralvo/");
    window.setWindowTitle(ProgramTitle + " - " + MessageText(289));
    mark("Pobočka Košice");
    window.ShowExpanded();
    window.show();
    EXPECT_TRUE(window.grab().save(folder + "/dbmanager-expanded.png"));
    window.ShowCompact();
    EXPECT_TRUE(window.grab().save(folder + "/dbmanager-compact.png"));
    window.hide();
}
