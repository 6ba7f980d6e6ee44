// The main window driven offscreen: first start, the login decision, the
// login window, the lock of a too new database, "DB error", the close
// question with the backup before close, and the captions.
#include "app/appstate.h"
#include "app/languagepage.h"
#include "app/mainmenu.h"
#include "app/menuicons.h"
#include "app/tflogin.h"
#include "app/tfmain.h"
#include "app/tfmenu.h"
#include "db/currentuser.h"
#include "db/database.h"
#include "db/tsqlitetable.h"
#include "services/backup.h"
#include "services/globals.h"
#include "services/programhost.h"
#include "platform/widgets/mdihost.h"
#include "services/windowhelpers.h"
#include "tests/app/appfixture.h"
#include "tests/app/modalhelper.h"

#include <QAction>
#include <QHash>
#include <QMenuBar>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace bralvo;
using app::TfMain;
using Outcome = app::StartupSequence::Outcome;

namespace {

class TfMainTest : public test::AppFixture {
protected:
    void TearDown() override
    {
        m_main.reset();
        AppFixture::TearDown();
    }
    // The main window as the program creates it; the program folder of
    // the fixture stays in place.
    TfMain &create(const QStringList &arguments = {"bralvo", "vybranaDB"})
    {
        const QString programDir = services::ProgramDir;
        m_main = std::make_unique<TfMain>(arguments);
        services::ProgramDir = programDir;
        return *m_main;
    }
    Outcome start(const QStringList &arguments = {"bralvo", "vybranaDB"})
    {
        return create(arguments).StartupSequenceRun();
    }
    QAction &item(const QString &name) { return *m_main->menuItem(name); }
    template <typename T>
    static T &child(QWidget &window, const QString &name)
    {
        T *widget = window.findChild<T *>(name);
        if (!widget)
            throw std::runtime_error("no child " + name.toStdString());
        return *widget;
    }
    // Records which later window the main window asked to open.
    void recordOpeners()
    {
        for (const QString &name : app::ItemsNeedingWindows())
            m_main->setWindowOpener(name, [this, name] { m_opened << name; });
    }

    std::unique_ptr<TfMain> m_main;
    QStringList m_opened;
};

TEST_F(TfMainTest, FirstStartShowsLanguagePageAndRestartsIntoSlovak)
{
    QFile::remove(m_folders.settingsFile());
    QDir(m_folders.dataRoot()).removeRecursively();
    test::onNextModal([this](QWidget &page) {
        EXPECT_EQ(page.objectName(), "fSettings");
        auto &list = child<QListWidget>(page, "lbLanguages");
        const auto found = list.findItems("SK - Slovenčina", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list.setCurrentItem(found.first());
        m_boxes.answerBox(platform::kIdOk);  // UI text 5, the restart hint
        child<QPushButton>(page, "bitLoadLng").click();
        page.close();
    });
    EXPECT_EQ(start({"bralvo"}), Outcome::Restarting);
    for (const char *folder : {"Data", "Backups"})
        EXPECT_TRUE(QFileInfo(m_folders.dataRoot() + folder).isDir()) << folder;
    EXPECT_EQ(services::ReadSetting("Language", "tag", ""), "SK");
    EXPECT_EQ(services::ReadSetting("Language", "name", ""), "Slovenčina");
    EXPECT_EQ(m_restart.restarts().size(), 1u);
    EXPECT_TRUE(m_main->programEnding());
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, services::MessageText(5));
}

TEST_F(TfMainTest, FreshDatabaseSetsDemoUserAndRequestsUsersWindow)
{
    chooseSlovak();
    create();
    recordOpeners();
    m_boxes.answerBox(platform::kIdOk);
    test::NoModalExpected noLogin;
    EXPECT_EQ(m_main->StartupSequenceRun(), Outcome::Started);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, services::MessageText(106));
    EXPECT_EQ(m_boxes.boxes()[0].flags, 64);
    EXPECT_EQ(db::CurrentUserName(), db::DemoUserName);
    EXPECT_EQ(m_opened, QStringList{"menuSpravaUzivatelov"});
}

TEST_F(TfMainTest, LoneAdministratorWithoutPasswordGetsNoLoginWindow)
{
    chooseSlovak();
    addAdmin();
    test::NoModalExpected noLogin;
    EXPECT_EQ(start(), Outcome::Started);
    EXPECT_EQ(db::CurrentUserLogin(), "eva");
    ASSERT_NE(m_main->startMenu(), nullptr);
    EXPECT_FALSE(m_main->statusPanel()->isVisibleTo(m_main.get()));
    EXPECT_EQ(m_main->startMenu()->windowTitle(), services::MessageText(262));
}

TEST_F(TfMainTest, CaptionShowsVersionThenUser)
{
    chooseSlovak();
    addAdmin();
    create();
    const QString plain = "Bralvo [" + services::VersionText + "]";
    EXPECT_TRUE(services::VersionText.startsWith("v "));
    EXPECT_EQ(m_main->windowTitle(), plain);
    m_main->StartupSequenceRun();
    EXPECT_EQ(m_main->windowTitle(), plain + "  -  (Eva Adminová)");
}

TEST_F(TfMainTest, LoginWindowChecksLoginAndPassword)
{
    chooseSlovak();
    addAdmin("tajne");
    test::onNextModal([this](QWidget &window) {
        auto &login = dynamic_cast<app::TfLogin &>(window);
        EXPECT_EQ(login.windowTitle(), "Bralvo - Login");
        auto &cbLogin = child<QComboBox>(login, "cbLogin");
        auto &eHeslo = child<QLineEdit>(login, "eHeslo");
        EXPECT_EQ(cbLogin.currentText(), "demo");  // logins in code-point order
        struct Attempt {
            QString login, password;
            int message;  // 0: logged in
        };
        const Attempt attempts[] = {{"", "", 114}, {"nikto", "tajne", 114},
                                    {"eva", "zle", 115}, {"eva", "tajne", 0}};
        for (const Attempt &a : attempts) {
            if (a.message)
                m_boxes.answerBox(platform::kIdOk);
            cbLogin.setEditText(a.login);
            eHeslo.setText(a.password);
            EXPECT_EQ(eHeslo.displayText(), QString(a.password.size(), '*'));
            child<QPushButton>(login, "bitOK").click();
            if (a.message) {
                EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(a.message));
                EXPECT_EQ(m_boxes.boxes().back().flags, 16);
                EXPECT_TRUE(login.isVisible());
            }
        }
        EXPECT_FALSE(login.isVisible());
    });
    EXPECT_EQ(start(), Outcome::Started);
    EXPECT_EQ(db::CurrentUserLogin(), "eva");
    EXPECT_EQ(m_boxes.boxes().size(), 3u);
    ASSERT_NE(m_main->startMenu(), nullptr);
    EXPECT_EQ(m_main->mdiArea()->subWindowList().size(), 1);
    EXPECT_FALSE(app::ExitWithoutConfirm);
}

TEST_F(TfMainTest, DemoUserLogsInWithAnyPasswordAndEnterKeysMoveOn)
{
    chooseSlovak();
    withDatabase({addUser("Eva", "eva", "", 1), addUser("Jozef", "jozef", "", 0)});
    test::onNextModal([this](QWidget &window) {
        auto &cbLogin = child<QComboBox>(window, "cbLogin");
        auto &eHeslo = child<QLineEdit>(window, "eHeslo");
        cbLogin.setEditText("demo");
        cbLogin.setFocus();
        QTest::keyClick(cbLogin.lineEdit(), Qt::Key_Return);
        EXPECT_EQ(window.focusWidget(), &eHeslo);
        eHeslo.setText("čokoľvek");
        QTest::keyClick(&eHeslo, Qt::Key_Return);
    });
    EXPECT_EQ(start(), Outcome::Started);
    EXPECT_EQ(db::CurrentUserName(), db::DemoUserName);
}

TEST_F(TfMainTest, LeavingLoginWindowEndsProgramWithoutExitQuestion)
{
    chooseSlovak();
    services::WriteSetting("General", "CheckUpdates", "1");
    addAdmin("tajne");
    for (const char *how : {"bitExit", "close"}) {
        SCOPED_TRACE(how);
        app::ExitWithoutConfirm = false;
        create();
        m_main->show();
        test::onNextModal([how](QWidget &login) {
            if (QString(how) == "close")
                login.close();
            else
                login.findChild<QPushButton *>("bitExit")->click();
        });
        // No box is scripted: the exit question or a backup message fails.
        EXPECT_EQ(m_main->StartupSequenceRun(), Outcome::Ended);
        EXPECT_TRUE(app::ExitWithoutConfirm);
        EXPECT_FALSE(m_main->isVisible());
        EXPECT_EQ(services::ReadSetting("General", "LastUpd", "<none>"), "<none>");
        EXPECT_TRUE(QDir(m_folders.dataRoot() + "Backups").isEmpty());
        m_main.reset();
    }
}

TEST_F(TfMainTest, NewerDatabaseLocksExactlyTheDataFunctions)
{
    chooseSlovak();
    addAdmin();
    withDatabase({"PRAGMA user_version = 3"});
    create();
    recordOpeners();
    m_boxes.answerBox(platform::kIdOk);
    EXPECT_EQ(m_main->StartupSequenceRun(), Outcome::Started);
    const QStringList locked = app::LockedMenuItems();
    const QStringList all = {"menuSpravaUzivatelov", "menuSwitchUser", "menuDBmanager",
                             "menuNastavenia", "menuZistitAktualizaciu", "menuJazyk",
                             "menuKoniec", "menuSpravaFaktur", "menuSpravaOdberatelov",
                             "menuSpravaPoloziek", "menuSpravaUctov", "menuSpravaPoznamok",
                             "menuPrezrietTabulky", "menuPrezrietGrafy", "menuZalohovatDatabazu",
                             "menuZalohovatDatabazuDoSuboru", "menuObnovitDatabazu",
                             "menuNapoveda", "menuHomePage", "menuAbout"};
    for (const QString &name : all)
        EXPECT_EQ(item(name).isEnabled(), !locked.contains(name)) << name.toStdString();
    app::TfMenu *menu = m_main->startMenu();
    ASSERT_NE(menu, nullptr);
    for (const char *name : {"bitSpravaFaktur", "bitSpravaOdberatelov", "bitSpravaPoloziek",
                             "bitSpravaUzivatelov", "bitGrafy", "bitTabulky"})
        EXPECT_FALSE(menu->button(name)->isEnabled()) << name;
    for (const char *name : {"bitNastavenia", "bitKoniec"})
        EXPECT_TRUE(menu->button(name)->isEnabled()) << name;
}

TEST_F(TfMainTest, DatabaseErrorShowsPanelAndKeepsMenuEnabled)
{
    chooseSlovak();
    QFile file(db::DatabaseFolder() + "bralvo_data.txs");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("this is not a database file\n").repeated(200));
    file.close();
    create();
    recordOpeners();
    EXPECT_EQ(m_main->StartupSequenceRun(), Outcome::DatabaseError);
    EXPECT_EQ(m_main->statusPanel()->text(), "DB error");
    EXPECT_TRUE(m_main->statusPanel()->isVisibleTo(m_main.get()));
    EXPECT_EQ(m_main->startMenu(), nullptr);
    for (QAction *action : m_main->findChildren<QAction *>())
        if (action->objectName().startsWith("menu"))
            EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(app::StartupPending);
}

TEST_F(TfMainTest, ItemsOfLaterWindowsStayDisabledUntilOpened)
{
    chooseSlovak();
    addAdmin();
    start();
    // Every working window is built now: each item and button is enabled.
    for (const QString &name : app::ItemsNeedingWindows())
        EXPECT_TRUE(item(name).isEnabled()) << name.toStdString();
    for (const char *name : {"menuSwitchUser", "menuDBmanager", "menuJazyk", "menuKoniec",
                             "menuZalohovatDatabazu", "menuObnovitDatabazu", "menuNapoveda",
                             "menuZistitAktualizaciu"})
        EXPECT_TRUE(item(name).isEnabled()) << name;
    EXPECT_TRUE(m_main->startMenu()->button("bitSpravaFaktur")->isEnabled());
    EXPECT_TRUE(m_main->startMenu()->button("bitTabulky")->isEnabled());
    EXPECT_EQ(item("menuDBmanager").shortcut(), QKeySequence("Ctrl+D"));
}

TEST_F(TfMainTest, ExitQuestionAndBackupBeforeClose)
{
    chooseSlovak();
    addAdmin();
    start();
    m_main->show();
    const QDir backups(m_folders.dataRoot() + "Backups");

    m_boxes.answerBox(platform::kIdNo);
    QTest::keyClick(m_main->startMenu(), Qt::Key_Escape);  // Esc on the start menu
    EXPECT_TRUE(m_main->isVisible());
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(103));
    EXPECT_EQ(m_boxes.boxes().back().flags, 36);
    EXPECT_TRUE(backups.entryList(QDir::Files).isEmpty());

    m_boxes.answerBox(platform::kIdYes);
    EXPECT_TRUE(m_main->close());
    EXPECT_EQ(backups.entryList({"*_bralvo.txb"}, QDir::Files).size(), 1);
}

TEST_F(TfMainTest, NoBackupBeforeCloseWhenSwitchedOff)
{
    chooseSlovak();
    addAdmin();
    services::WriteSetting("Backups", "BackupBeforeClose", "0");
    start();
    m_main->show();
    m_boxes.answerBox(platform::kIdYes);
    EXPECT_TRUE(m_main->close());
    EXPECT_TRUE(QDir(m_folders.dataRoot() + "Backups").entryList(QDir::Files).isEmpty());
}

TEST_F(TfMainTest, MissingRightRefusesSettingsItems)
{
    chooseSlovak();
    withDatabase({addUser("Eva", "eva", "", 1), addUser("Jozef", "jozef", "", 0)});
    test::onNextModal([](QWidget &login) {
        login.findChild<QComboBox *>("cbLogin")->setEditText("jozef");
        login.findChild<QPushButton *>("bitOK")->click();
    });
    start();
    ASSERT_EQ(db::CurrentUserLogin(), "jozef");
    for (const char *name : {"menuJazyk", "menuZalohovatDatabazu", "menuZalohovatDatabazuDoSuboru",
                             "menuObnovitDatabazu"}) {
        SCOPED_TRACE(name);
        m_boxes.answerBox(platform::kIdOk);
        item(name).trigger();
        EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(133));
        EXPECT_EQ(m_boxes.boxes().back().flags, 48);
    }
    EXPECT_TRUE(QDir(m_folders.dataRoot() + "Backups").entryList(QDir::Files).isEmpty());
}

TEST_F(TfMainTest, BackupToFileAppendsTheSuffix)
{
    chooseSlovak();
    addAdmin();
    start();
    const QString folder = m_folders.path();
    for (const QString &typed : {folder + "a", folder + "b_bralvo.txb"}) {
        m_boxes.answerSaveFile(typed);
        m_boxes.answerBox(platform::kIdOk);  // UI text 228
        item("menuZalohovatDatabazuDoSuboru").trigger();
    }
    EXPECT_TRUE(QFileInfo::exists(folder + "a_bralvo.txb"));
    EXPECT_TRUE(QFileInfo::exists(folder + "b_bralvo.txb"));
    EXPECT_FALSE(QFileInfo::exists(folder + "b_bralvo.txb_bralvo.txb"));
}

TEST_F(TfMainTest, StartMenuArrowsFollowTheFocus)
{
    chooseSlovak();
    addAdmin();
    start();
    m_main->show();
    app::TfMenu *menu = m_main->startMenu();
    ASSERT_NE(menu, nullptr);
    QPushButton *koniec = menu->button("bitKoniec");
    menu->bitSpravaUzivatelovEnter(*koniec);
    auto &left = child<QLabel>(*menu, "imSipkaL");
    auto &right = child<QLabel>(*menu, "imSipkaR");
    EXPECT_EQ(left.y(), koniec->y() + 7);
    EXPECT_EQ(left.x(), koniec->x() - left.width() - 5);
    EXPECT_EQ(right.x(), koniec->x() + koniec->width() + 5);
    // Hover focus starts only with a mouse movement after start-up.
    EXPECT_FALSE(app::MenuHoverFocus);
    menu->bitSpravaUzivatelovMouseMove(*koniec);
    EXPECT_TRUE(app::MenuHoverFocus);
    // Three lines part the button groups.
    EXPECT_EQ(menu->findChildren<QFrame *>(QRegularExpression("^Bevel[123]$")).size(), 3);
}

TEST_F(TfMainTest, StartMenuButtonsCallTheMenuHandlers)
{
    chooseSlovak();
    addAdmin();
    start();
    recordOpeners();
    m_main->show();
    app::TfMenu *menu = m_main->startMenu();
    ASSERT_NE(menu, nullptr);
    const QList<std::pair<const char *, const char *>> buttons = {
        {"bitSpravaUzivatelov", "menuSpravaUzivatelov"}, {"bitSpravaFaktur", "menuSpravaFaktur"},
        {"bitSpravaOdberatelov", "menuSpravaOdberatelov"}, {"bitSpravaPoloziek", "menuSpravaPoloziek"},
        {"bitTabulky", "menuPrezrietTabulky"}, {"bitGrafy", "menuPrezrietGrafy"},
        {"bitNastavenia", "menuNastavenia"}};
    for (const auto &[button, item] : buttons) {
        m_opened.clear();
        m_main->OpenStartMenuIfClosed();  // the recorded openers open no window
        m_main->startMenu()->button(button)->click();
        EXPECT_EQ(m_opened, QStringList{item}) << button;
    }
    m_boxes.answerBox(platform::kIdNo);
    m_main->OpenStartMenuIfClosed();
    m_main->startMenu()->button("bitKoniec")->click();
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(103));
    EXPECT_TRUE(m_main->isVisible());
}

// The mouse moves the focus only once it has moved over a button after
// start-up; the focused button is bold and maroon, the one left returns
// to the window-text colour.
TEST_F(TfMainTest, HoverFocusFollowsTheMouseOnlyAfterStartup)
{
    chooseSlovak();
    addAdmin();
    start();
    m_main->setWindowOpener("menuSpravaFaktur", [] {});
    m_main->setWindowOpener("menuSpravaOdberatelov", [] {});
    m_main->show();
    QApplication::setActiveWindow(m_main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
    app::TfMenu *menu = m_main->startMenu();
    ASSERT_NE(menu, nullptr);
    QPushButton *faktury = menu->button("bitSpravaFaktur");
    QPushButton *odberatelia = menu->button("bitSpravaOdberatelov");
    faktury->setFocus();
    const QPoint inside(5, 5);
    auto hover = [&](QPushButton *button) {
        QEnterEvent enter(inside, button->mapTo(menu->window(), inside), button->mapToGlobal(inside));
        QCoreApplication::sendEvent(button, &enter);
        QMouseEvent move(QEvent::MouseMove, QPointF(inside), QPointF(button->mapToGlobal(inside)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &move);
    };

    app::StartupPending = true;
    hover(odberatelia);
    EXPECT_FALSE(app::MenuHoverFocus);
    EXPECT_TRUE(faktury->hasFocus());

    app::StartupPending = false;
    hover(odberatelia);  // the first movement only arms the hover focus
    EXPECT_TRUE(app::MenuHoverFocus);
    hover(odberatelia);
    EXPECT_TRUE(odberatelia->hasFocus());
    EXPECT_EQ(child<QLabel>(*menu, "imSipkaL").y(), odberatelia->y() + 7);
    EXPECT_EQ(odberatelia->palette().color(QPalette::ButtonText), QColor(128, 0, 0));
    EXPECT_TRUE(odberatelia->font().bold());
    EXPECT_EQ(faktury->palette().color(QPalette::ButtonText), menu->palette().color(QPalette::WindowText));
    EXPECT_TRUE(faktury->font().bold());
}

TEST_F(TfMainTest, HelpWithoutHelpFileWarns)
{
    chooseSlovak();
    addAdmin();
    start();
    m_boxes.answerBox(platform::kIdOk);
    item("menuNapoveda").trigger();
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].flags, 48);
    EXPECT_TRUE(m_boxes.boxes()[0].text.startsWith(services::MessageText(2) + "\r"));
    EXPECT_TRUE(m_boxes.boxes()[0].text.contains("programu \"Bralvo\" znova"));
}

TEST_F(TfMainTest, RestoreAsksFirstAndNoKeepsTheDatabase)
{
    chooseSlovak();
    addAdmin();
    start();
    const QString backup = m_folders.path() + "x_bralvo.txb";
    m_boxes.answerOpenFile(backup);
    m_boxes.answerBox(platform::kIdNo);
    item("menuObnovitDatabazu").trigger();
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, services::MessageText(232));
    EXPECT_EQ(m_boxes.boxes()[0].flags, 36);
    EXPECT_TRUE(db::DbOpen);
    EXPECT_EQ(m_boxes.calls()[0].request.caption, services::MessageText(233));
    EXPECT_EQ(m_boxes.calls()[0].request.folder, m_folders.dataRoot() + "Backups/");
}

TEST_F(TfMainTest, ReopenAfterRestoreUpgradesAnOlderDatabase)
{
    chooseSlovak();
    addAdmin();
    start();
    services::ProgramHost &host = *m_main;
    host.closeDatabase();
    withDatabase({"PRAGMA user_version = 1"});  // as a restored old backup leaves it
    m_boxes.answerBox(platform::kIdYes);        // upgrade
    m_boxes.answerBox(platform::kIdNo);         // no backup first
    m_boxes.answerBox(platform::kIdOk);         // the closing report
    host.openDatabase();
    ASSERT_TRUE(db::DbOpen);
    EXPECT_EQ(db::DbConnection->GetTable("PRAGMA user_version")->FieldAsInteger(0), 2);
}

TEST_F(TfMainTest, StartMenuComesBackOnlyWhenClosed)
{
    chooseSlovak();
    addAdmin();
    start();
    m_main->OpenStartMenuIfClosed();
    EXPECT_EQ(m_main->mdiArea()->subWindowList().size(), 1);
    services::CloseMdiChildren();
    EXPECT_EQ(m_main->startMenu(), nullptr);
    m_main->OpenStartMenuIfClosed();
    EXPECT_NE(m_main->startMenu(), nullptr);
}

// The working windows of the family: one bill list, opening another
// working window closes every MDI child first, and a login replaces
// whatever is open by a fresh start menu.
TEST_F(TfMainTest, WorkingWindowsReplaceEachOtherAndLoginBringsTheStartMenu)
{
    chooseSlovak();
    addAdmin();
    start();
    platform::MdiHost host(*m_main->mdiArea());
    QStringList opened;
    auto opener = [&](const QString &windowName) {
        return [&, windowName] {
            opened << windowName;
            auto *window = new QWidget;
            window->setObjectName(windowName);
            window->setAttribute(Qt::WA_DeleteOnClose);
            host.openMaximized(window);
        };
    };
    m_main->setWindowOpener("menuSpravaFaktur", opener("fZoznamFaktur"));
    m_main->setWindowOpener("menuSpravaOdberatelov", opener("fOdberatelia"));
    auto openNames = [this] {
        QStringList names;
        for (QMdiSubWindow *frame : m_main->mdiArea()->subWindowList())
            if (!frame->isHidden())
                names << frame->widget()->objectName();
        return names;
    };

    item("menuSpravaFaktur").trigger();
    EXPECT_EQ(openNames(), QStringList{"fZoznamFaktur"});  // the start menu went
    item("menuSpravaFaktur").trigger();                     // already open: nothing
    EXPECT_EQ(opened, QStringList{"fZoznamFaktur"});
    item("menuSpravaOdberatelov").trigger();
    EXPECT_EQ(openNames(), QStringList{"fOdberatelia"});

    test::onNextModal([this](QWidget &login) {
        child<QComboBox>(login, "cbLogin").setEditText("eva");
        child<QPushButton>(login, "bitOK").click();
    });
    item("menuSwitchUser").trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openNames(), QStringList{"fMenu"});
    EXPECT_EQ(m_main->mdiArea()->subWindowList().size(), 1);
    EXPECT_FALSE(app::ExitWithoutConfirm);
}

TEST_F(TfMainTest, InvalidColorTextUsesDefault)
{
    services::WriteSetting("Main", "color", "nie je farba");
    services::MainColor = Qt::black;
    EXPECT_NO_THROW(create());
    EXPECT_EQ(services::MainColor, QColor(0xCF, 0xE6, 0xFE));
}

TEST_F(TfMainTest, SwitchingUserAndLeavingEndsWithoutQuestion)
{
    chooseSlovak();
    addAdmin();
    start();
    m_main->show();
    ASSERT_EQ(db::CurrentUserLogin(), "eva");
    test::onNextModal([](QWidget &login) { login.close(); });
    item("menuSwitchUser").trigger();  // no box scripted: a question fails
    EXPECT_TRUE(app::ExitWithoutConfirm);
    EXPECT_FALSE(m_main->isVisible());
    EXPECT_TRUE(QDir(m_folders.dataRoot() + "Backups").entryList(QDir::Files).isEmpty());
}

TEST_F(TfMainTest, SwitchUserWithoutDatabaseShowsTheError)
{
    chooseSlovak();
    QFile file(db::DatabaseFolder() + "bralvo_data.txs");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("this is not a database file\n").repeated(200));
    file.close();
    EXPECT_EQ(start(), Outcome::DatabaseError);
    m_boxes.answerBox(platform::kIdOk);
    item("menuSwitchUser").trigger();
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].flags, 16);
}

TEST_F(TfMainTest, UpdateCheckFromTheMenuReportsItsOutcome)
{
    chooseSlovak();
    addAdmin();
    services::WriteSetting("General", "CheckUpdates", "0");
    start();
    // The download root is a closed local port: whether the machine counts
    // as connected or not, the interactive check says so in one box.
    m_boxes.answerBox(platform::kIdOk);
    item("menuZistitAktualizaciu").trigger();
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].caption, services::ProgramTitle);
    EXPECT_TRUE(db::DbOpen);
}

TEST_F(TfMainTest, UpdateCheckShowsItsTextOnTheStartMenu)
{
    chooseSlovak();
    addAdmin();
    services::WriteSetting("General", "CheckUpdates", "1");
    create();
    QString shown;
    m_main->setWindowOpener("dailyUpdateCheck", [this, &shown] {
        shown = m_main->startMenu()->findChild<QLabel *>("Panel1")->text();
    });
    m_main->StartupSequenceRun();
    EXPECT_EQ(shown, services::MessageText(306));
    EXPECT_EQ(m_main->startMenu()->findChild<QLabel *>("Panel1")->text(),
              "Vitajte na úvodnej stránke programu \"Bralvo\" .");
}

} // namespace

namespace {

// Menu items showed no pictures and windows carried the toolkit's logo:
// every menu item has its bundled picture and the program has its icon.
TEST(MainMenuPictures, EveryItemHasItsPictureAndWindowsTheProgramIcon)
{
    QMenuBar bar;
    const QHash<QString, QAction *> actions = app::BuildMainMenu(bar);
    ASSERT_EQ(actions.size(), 20);
    for (auto it = actions.begin(); it != actions.end(); ++it) {
        EXPECT_FALSE(it.value()->icon().isNull()) << it.key().toStdString();
        EXPECT_FALSE(it.value()->icon().pixmap(16, 16).isNull()) << it.key().toStdString();
    }
    EXPECT_FALSE(app::ProgramIcon().pixmap(16, 16).isNull());
}

} // namespace
