// The start-up sequence without windows: a host that records what the
// sequence asks of the main window, over the real settings and database.
#include "app/appstate.h"
#include "app/startupsequence.h"
#include "db/currentuser.h"
#include "db/database.h"
#include "services/backup.h"
#include "services/databaselist.h"
#include "services/languagechooser.h"
#include "services/programhost.h"
#include "tests/app/appfixture.h"
#include "tests/db/fakedatabaseui.h"
#include "platform/inifile.h"
#include "report/model/trpresources.h"

#include <QRegularExpression>

#include <QDate>

using bralvo::app::StartupSequence;
using Outcome = bralvo::app::StartupSequence::Outcome;
using namespace bralvo;

namespace {

class RecordingHost : public app::StartupHost, public services::LanguageChooser,
                      public services::ProgramHost {
public:
    RecordingHost() : m_previous(services::setProgramHost(this)) {}
    ~RecordingHost() override { services::setProgramHost(m_previous); }

    // StartupHost
    QWidget *languageRoot() override { return nullptr; }
    services::LanguageChooser &languageChooser() override { return *this; }
    void showStatus(const QString &text) override { calls << "status " + text; }
    void createStartMenu() override { calls << "startMenu"; }
    void hideMainPanel() override { calls << "hidePanel"; }
    void showLogin() override
    {
        calls << "login";
        if (loginLeft)
            app::ExitWithoutConfirm = true;
    }
    void openUserManagement() override { calls << "users"; }
    void runUpdateCheck() override { calls << "updateCheck"; }
    void lockUserInterface() override { calls << "lock"; }
    void endProgram() override { calls << "end"; ending = true; }
    bool programEnding() const override { return ending || app::ExitWithoutConfirm; }
    // LanguageChooser
    void chooseLanguage() override
    {
        calls << "languagePage";
        if (!chosenTag.isEmpty())
            services::WriteSetting("Language", "tag", chosenTag);
    }
    // ProgramHost
    void closeDatabase() override {}
    void openDatabase() override {}
    QStringList requiredTables() const override { return {}; }
    bool startupPending() const override { return app::StartupPending; }
    void showDatabaseManagerAtStart() override { calls << "databaseManager"; }

    QStringList calls;
    QString chosenTag;
    bool loginLeft = false;
    bool ending = false;

private:
    services::ProgramHost *m_previous;
};

class StartupSequenceTest : public test::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        app::ResetAppState();
        services::WriteSetting("General", "CheckUpdates", "0");
    }
    void TearDown() override
    {
        services::AutoBackup.reset();
        AppFixture::TearDown();
    }
    Outcome run(const QStringList &arguments = {"bralvo"})
    {
        StartupSequence sequence(m_host, arguments);
        sequence.setToday(QDate(2026, 12, 10));
        return sequence.run();
    }
    bool called(const QString &call) const { return m_host.calls.contains(call); }

    test::FakeDatabaseUi m_dbUi;
    RecordingHost m_host;
};

TEST_F(StartupSequenceTest, FirstStartShowsLanguagePageAndRestarts)
{
    m_host.chosenTag = "SK";
    EXPECT_EQ(run({"bralvo", "x"}), Outcome::Restarting);
    EXPECT_EQ(m_host.calls, (QStringList{"status Načítavanie...", "languagePage", "end"}));
    EXPECT_EQ(m_restart.restarts().size(), 1u);
    EXPECT_FALSE(db::DbOpen);
}

TEST_F(StartupSequenceTest, FreshDatabaseLogsInDemoUserAndAsksForUsersWindow)
{
    chooseSlovak();
    m_boxes.answerBox(platform::kIdOk);
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, services::MessageText(106));
    EXPECT_EQ(m_boxes.boxes()[0].flags, 64);
    EXPECT_EQ(db::CurrentUserName(), db::DemoUserName);
    EXPECT_EQ(m_host.calls.filter(QRegularExpression("^(startMenu|login|users|lock)$")),
              (QStringList{"startMenu", "users"}));
    EXPECT_FALSE(app::StartupPending);
    EXPECT_EQ(app::HomeCurrencySymbol, "Sk");
    EXPECT_EQ(app::HomeCurrencyIso, "SKK");
}

TEST_F(StartupSequenceTest, LoginDecisionFollowsUsersAndPasswords)
{
    struct Case {
        const char *name;
        QStringList users;   // INSERT statements
        bool deleteDemo;
        bool expectLogin;
    };
    const Case cases[] = {
        {"admin without password and demo", {addUser("Eva", "eva", "", 1)}, false, false},
        {"lone admin without password", {addUser("Eva", "eva", "", 1)}, true, false},
        {"admin with password", {addUser("Eva", "eva", "tajne", 1)}, false, true},
        {"third user", {addUser("Eva", "eva", "", 1), addUser("Jozef", "jozef", "", 0)}, false, true},
        {"two users without demo", {addUser("Eva", "eva", "", 1), addUser("Jozef", "jozef", "", 0)}, true, true},
    };
    chooseSlovak();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(db::DatabaseFolder() + "bralvo_data.txs");
        QStringList statements = c.users;
        if (c.deleteDemo)
            statements << "DELETE FROM uzivatelia WHERE username = 'demo'";
        withDatabase(statements);
        m_host.calls.clear();
        app::ResetAppState();
        EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
        EXPECT_EQ(called("login"), c.expectLogin);
        if (!c.expectLogin)
            EXPECT_EQ(db::CurrentUserLogin(), "eva");
        db::CloseDatabase();
    }
}

TEST_F(StartupSequenceTest, SeveralCompaniesAreWarnedAtStart)
{
    chooseSlovak();
    addAdmin();
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_TRUE(m_boxes.boxes().empty());
    db::CloseDatabase();

    withDatabase({"INSERT INTO firma (nazov, existuje) VALUES ('Druha', 1)"});
    m_boxes.answerBox(platform::kIdOk);
    m_host.calls.clear();
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, services::MessageText(177));
    EXPECT_EQ(m_boxes.boxes()[0].flags, 16);
    // Only a warning: the administrator is still logged in.
    EXPECT_TRUE(called("startMenu"));
    EXPECT_EQ(db::CurrentUserLogin(), "eva");
}

TEST_F(StartupSequenceTest, LeavingStartupLoginEndsTheSequence)
{
    chooseSlovak();
    services::WriteSetting("General", "CheckUpdates", "1");
    withDatabase({addUser("Eva", "eva", "tajne", 1)});
    m_host.loginLeft = true;
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Ended);
    EXPECT_TRUE(called("login"));
    EXPECT_FALSE(called("updateCheck"));
    EXPECT_FALSE(called("lock"));
    EXPECT_EQ(services::ReadSetting("General", "LastUpd", "<none>"), "<none>");
}

// The shipped report texts follow the chosen interface language from the
// first start-up step on, so previews and their dialogs open in Slovak.
TEST_F(StartupSequenceTest, ReportWindowsTextsFollowTheInterfaceLanguage)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.flng"),
                            services::ProgramDir + "Languages/Bralvo - SK.flng"));
    chooseSlovak();
    addAdmin();
    report::TrpResources &texts = report::GetResources();
    texts.LoadEnglish();
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_EQ(texts.Get("clPageOf"), QString::fromUtf8("Strana %d z %d"));
    EXPECT_EQ(texts.GetResourceTextById(100), QString::fromUtf8("Náhľad"));
    texts.LoadEnglish();
}

TEST_F(StartupSequenceTest, SelectedDatabaseArgumentSkipsTheChoice)
{
    chooseSlovak();
    addAdmin();
    ASSERT_TRUE(QDir().mkpath(services::DatabasesFolder()));
    {
        platform::IniFile list(services::DatabaseListFile());
        list.writeString("Databases", "Database 01", "/nowhere/1/");
        list.writeString("Databases", "Database 02", "/nowhere/2/");
        ASSERT_TRUE(list.save());
    }
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_FALSE(called("databaseManager"));
    db::CloseDatabase();
    for (const QStringList &arguments : {QStringList{"bralvo"}, QStringList{"bralvo", "VYBRANADB"}}) {
        m_host.calls.clear();
        EXPECT_EQ(run(arguments), Outcome::Started);
        EXPECT_TRUE(called("databaseManager"));
        db::CloseDatabase();
    }
}

TEST_F(StartupSequenceTest, DatabaseErrorStopsBeforeLoginAndStartMenu)
{
    chooseSlovak();
    QFile file(db::DatabaseFolder() + "bralvo_data.txs");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("this is not a database file\n").repeated(200));
    file.close();
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::DatabaseError);
    EXPECT_EQ(m_dbUi.calls, QStringList{"showDatabaseError"});
    EXPECT_FALSE(called("startMenu"));
    EXPECT_FALSE(called("lock"));
    EXPECT_TRUE(app::StartupPending);
    // The automatic backup started before the database was opened.
    EXPECT_NE(services::AutoBackup, nullptr);
}

TEST_F(StartupSequenceTest, NewerDatabaseIsClosedAndLocked)
{
    chooseSlovak();
    addAdmin();
    withDatabase({"PRAGMA user_version = 3"});
    m_boxes.answerBox(platform::kIdOk);
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_TRUE(m_boxes.boxes().at(0).text.startsWith(services::MessageText(310)));
    EXPECT_FALSE(db::DbOpen);
    EXPECT_TRUE(called("startMenu"));
    EXPECT_FALSE(called("login"));
    EXPECT_TRUE(called("lock"));
    EXPECT_TRUE(m_dbUi.calls.contains("lockUserInterface"));
}

TEST_F(StartupSequenceTest, DailyUpdateCheckOncePerDay)
{
    chooseSlovak();
    addAdmin();
    services::WriteSetting("General", "CheckUpdates", "1");
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_TRUE(called("updateCheck"));
    EXPECT_EQ(services::ReadSetting("General", "LastUpd", ""), "2026-12-10");
    db::CloseDatabase();

    m_host.calls.clear();
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_FALSE(called("updateCheck"));
    db::CloseDatabase();

    services::WriteSetting("General", "CheckUpdates", "0");
    services::WriteSetting("General", "LastUpd", "2026-12-09");
    m_host.calls.clear();
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_FALSE(called("updateCheck"));
    EXPECT_EQ(services::ReadSetting("General", "LastUpd", ""), "2026-12-09");
}

TEST_F(StartupSequenceTest, DemoOnlyDatabaseNeverChecksForUpdates)
{
    chooseSlovak();
    services::WriteSetting("General", "CheckUpdates", "1");
    m_boxes.answerBox(platform::kIdOk);
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_FALSE(called("updateCheck"));
}

TEST_F(StartupSequenceTest, MigratesBackupFoldersAtStart)
{
    chooseSlovak();
    addAdmin();
    services::WriteSetting("Backups", "BackupDir", "\\zalohy");
    EXPECT_EQ(run({"bralvo", "vybranaDB"}), Outcome::Started);
    EXPECT_EQ(services::ReadSetting("BackupDirs", "0", ""), "zalohy/");
    EXPECT_EQ(services::ReadSetting("Backups", "BackupDir", "<gone>"), "<gone>");
}

} // namespace
