// What the database layer needs from the windows: the few places where
// opening or upgrading the database touches the interface. The main
// window implements it; tests install a fake. Message boxes do not go
// through here but through services/messages.h.
#pragma once

namespace bralvo::db {

class DatabaseUi {
public:
    virtual ~DatabaseUi() = default;

    // The database could not be used: the main panel shows "DB error".
    virtual void showDatabaseError() = 0;
    // The database was closed (newer schema): hide the main panel and
    // disable the data menus until the program restarts.
    virtual void lockUserInterface() = 0;
    // The backup offered before an upgrade: a silent backup into every
    // configured backup folder. Runs before anything is written.
    virtual void runBackup() = 0;
    // The user declined a required upgrade: end the program with exit
    // code 0. The database has been rolled back and closed; when this
    // returns (tests), the caller simply stops.
    virtual void endProgram() = 0;
};

// The installed interface. Without one, a fallback does nothing except
// that endProgram asks a running application to quit with code 0.
DatabaseUi &databaseUi();
// Installs one (not owned; it must outlive its use); nullptr puts the
// fallback back.
void setDatabaseUi(DatabaseUi *ui);

} // namespace bralvo::db
