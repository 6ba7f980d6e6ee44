// The start-up sequence the main window runs once its message loop is up:
// language, database choice, backup-folder migration, automatic backup,
// opening and upgrading the database, the login decision, the start menu
// and the daily update check. A plain class: the window operations it
// needs come through StartupHost, so tests run it without a display.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class QWidget;

namespace bralvo::services { class LanguageChooser; }

namespace bralvo::app {

// What the sequence needs from the main window.
class StartupHost {
public:
    virtual ~StartupHost() = default;
    // The window that language files translate (may be null in tests).
    virtual QWidget *languageRoot() = 0;
    virtual services::LanguageChooser &languageChooser() = 0;
    // The text of the centred status panel, shown at once.
    virtual void showStatus(const QString &text) = 0;
    virtual void createStartMenu() = 0;
    virtual void hideMainPanel() = 0;
    // Shows the login window modally.
    virtual void showLogin() = 0;
    virtual void openUserManagement() = 0;
    virtual void runUpdateCheck() = 0;
    virtual void lockUserInterface() = 0;
    // Ends the program with exit code 0 (a restart was started).
    virtual void endProgram() = 0;
    // The program is ending (the login window was left without a login,
    // or a required upgrade was declined): nothing more may run.
    virtual bool programEnding() const = 0;
};

class StartupSequence {
public:
    // How far the sequence got.
    enum class Outcome {
        Restarting,     // no language chosen yet: a restart was asked for
        DatabaseError,  // the database could not be opened: "DB error"
        Ended,          // the user ended the program during start-up
        Started,        // the start menu is up (locked when the database
                        // was closed as too new)
    };

    // arguments: the command line, program name first.
    StartupSequence(StartupHost &host, QStringList arguments);

    // Runs every step once. Exceptions of the services and the database
    // layer propagate; the steps done so far stay done.
    Outcome run();

    // The day the update check compares with [General] LastUpd; today
    // unless a test sets another.
    void setToday(const QDate &today) { m_today = today; }

private:
    bool languageReady();
    bool chooseDatabase();
    void prepareBackups();
    void afterOpen();
    void dailyUpdateCheck();

    StartupHost &m_host;
    QStringList m_arguments;
    QDate m_today;
};

// The daily check is due: the database is open, [General] CheckUpdates
// (default on) is set, and some user other than the demo user exists.
bool UpdateCheckWanted();

} // namespace bralvo::app
