// What backup, restore and the database list need from the layers above
// them: closing and reopening the database, the login after a restore,
// the database manager at start-up and ending the program after a
// restart. The main window implements it; tests install their own.
#pragma once

#include "services/sqldump.h"

#include <QStringList>

namespace bralvo::services {

class ProgramHost {
public:
    virtual ~ProgramHost() = default;

    // Closes the program's database connection; harmless when closed.
    virtual void closeDatabase() = 0;
    // Opens the database the live settings name (creating it when
    // missing) and upgrades or refuses its schema version, as at start-up.
    virtual void openDatabase() = 0;
    // What a restored database must and may hold to be taken.
    virtual RestorableSchema restorableSchema() const = 0;
    // Shows the login window (after a restore).
    virtual void showLogin() = 0;
    // The start-up sequence has not finished yet.
    virtual bool startupPending() const = 0;
    // Ends this process at once, without the close question and without
    // the backup before close (a new instance has been started).
    virtual void endProgram() = 0;
    // Shows the database manager modally for the choice at start-up
    // (TfDBmanager::OpenModal); returns when it is closed.
    virtual void showDatabaseManagerAtStart() = 0;
};

// The installed host. Without one, a fallback does nothing, requires and
// allows no table, reports no start-up, and endProgram asks a running application
// to quit with code 0.
ProgramHost &programHost();
// Installs one (not owned; it must outlive its use); nullptr puts the
// fallback back. Gives the host installed before (nullptr: the fallback).
ProgramHost *setProgramHost(ProgramHost *host);

} // namespace bralvo::services
