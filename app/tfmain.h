// The main window: an MDI frame that holds every working window, its
// menu, the status panel of start-up, the start-up sequence (run once the
// message loop is up) and the close question with the backup before
// close. It is also what the lower layers reach the windows through:
// DatabaseUi, CurrentUserUi and ProgramHost.
//
// States: created (folders made, texts loaded, timer armed) -> starting
// (StartupSequence) -> open / "DB error" / locked -> closing
// (closeEvent: question, backup) -> destroyed (database closed).
#pragma once

#include "app/startupsequence.h"
#include "db/currentuser.h"
#include "db/databaseui.h"
#include "platform/widgets/mdihost.h"
#include "services/programhost.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMdiArea;
class QTimer;

namespace bralvo::app {

class LanguagePage;
class TfDBmanager;
class TfLogin;
class TfMenu;

class TfMain : public QMainWindow,
               public db::DatabaseUi,
               public db::CurrentUserUi,
               public services::ProgramHost,
               private StartupHost {
    Q_OBJECT
public:
    // The creation handler: fixes the globals and the data root's folders,
    // loads the built-in texts and arms the start-up timer (which runs the
    // sequence when the message loop dispatches it). arguments is the
    // command line, program name first. Throws StartupError when the data
    // folder cannot be used; nothing is then started.
    explicit TfMain(QStringList arguments, QWidget *parent = nullptr);
    // Closes the database and stops the automatic backup; never throws.
    ~TfMain() override;

    QMdiArea *mdiArea() const { return m_mdiArea; }
    QLabel *statusPanel() const { return pnlMain; }
    QAction *menuItem(const QString &name) const { return m_actions.value(name); }
    TfLogin &loginWindow() const { return *m_login; }
    LanguagePage &languagePage() const { return *m_languagePage; }
    TfDBmanager &databaseManager() const { return *m_dbManager; }
    // The open start menu; null when none is open.
    TfMenu *startMenu() const;

    // Runs the start-up sequence now (the timer does it in the program).
    StartupSequence::Outcome StartupSequenceRun();
    std::optional<StartupSequence::Outcome> startupOutcome() const { return m_outcome; }
    // The program is ending (login left, upgrade declined, restart).
    bool programEnding() const override;

    // Later windows install what their menu item opens; the item (and its
    // start-menu button) is enabled from then on.
    void setWindowOpener(const QString &menuItem, std::function<void()> opener);

    // Disables (lock) the data menu items and start-menu buttons.
    void LockUserInterface(bool lock);

    // Menu handlers, one per item.
    void menuSpravaUzivatelovClick();
    void menuSwitchUserClick();
    void menuDBmanagerClick();
    void menuNastaveniaClick();
    void menuZistitAktualizaciuClick();
    void menuJazykClick();
    void menuKoniecClick();
    void menuSpravaFakturClick();
    void menuSpravaOdberatelovClick();
    void menuSpravaPoloziekClick();
    void menuSpravaUctovClick();
    void menuSpravaPoznamokClick();
    void menuPrezrietTabulkyClick();
    void menuPrezrietGrafyClick();
    void menuZalohovatDatabazuClick();
    void menuZalohovatDatabazuDoSuboruClick();
    void menuObnovitDatabazuClick();
    void menuNapovedaClick();
    void menuHomePageClick();
    void menuAboutClick();

    // After a successful login: every MDI child closed, a fresh start menu.
    void ShowFreshStartMenu();
    // What a working window's close handler calls: a maximised start menu
    // when none named "fMenu" is open.
    void OpenStartMenuIfClosed();
    // What a closing working window does: its focus let go, the other
    // children maximised, and once the close has run its course a start
    // menu when no other child is visible (the menu closes every child
    // before opening a window, so none may appear beside that one).
    void WorkingWindowClosing(QWidget &window);

    // db::DatabaseUi
    void showDatabaseError() override;
    void lockUserInterface() override;
    void runBackup() override;
    void endProgram() override;
    // db::CurrentUserUi
    void showMainCaption(const QString &caption) override;
    // services::ProgramHost
    void closeDatabase() override;
    void openDatabase() override;
    services::RestorableSchema restorableSchema() const override;
    void showLogin() override;
    bool startupPending() const override;
    void showDatabaseManagerAtStart() override;

protected:
    void closeEvent(QCloseEvent *event) override;  // FormCloseQuery
    void resizeEvent(QResizeEvent *event) override;

private:
    // StartupHost
    QWidget *languageRoot() override { return this; }
    services::LanguageChooser &languageChooser() override;
    void showStatus(const QString &text) override;
    void createStartMenu() override;
    void hideMainPanel() override;
    void openUserManagement() override { menuSpravaUzivatelovClick(); }
    void runUpdateCheck() override;

    void FormCreate();
    void StartupTimerFired();
    void connectMenu();
    void installUpdateCheck();
    void RunBackup(const QString &file, bool interactive);
    void openMdiWindow(const QString &menuItem, const QString &windowName);
    void openCheckedWindow(const QString &menuItem, bool (*right)(const QString &));
    bool rightGranted(bool (*right)(const QString &));
    void runOpener(const QString &menuItem);
    bool windowAvailable(const QString &menuItem) const;
    QString backupStartFolder() const;
    void centerStatusPanel();

    QStringList m_arguments;
    QMdiArea *m_mdiArea;
    platform::MdiHost m_mdi;
    QLabel *pnlMain;
    QHash<QString, QAction *> m_actions;
    QHash<QString, std::function<void()>> m_openers;
    TfLogin *m_login;
    LanguagePage *m_languagePage;
    TfDBmanager *m_dbManager;
    QTimer *StartupTimer;
    bool m_ending = false;
    bool m_locked = false;
    std::optional<StartupSequence::Outcome> m_outcome;
};

// The caption before anyone logs in: ProgramTitle + " [" + VersionText + "]".
QString MainCaptionWithoutUser();

} // namespace bralvo::app
