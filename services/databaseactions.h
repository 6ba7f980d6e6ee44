// What the database manager window does to the list, the home folders and
// the settings copies (databaselist.h): select, add, remove, rename and
// move. The window only gathers the input and shows the result.
//
// The open database is never abandoned: it cannot be removed, and renaming
// or moving it closes it and restarts the program with "vybranaDB" as
// selecting does, so later changes go to the file the list names.
#pragma once

#include <QList>
#include <QString>

namespace bralvo::services {

struct ListedDatabase {
    QString name;
    QString folder;  // the list value as stored
};

// Every listed database, sorted by name in the user's language (Slovak
// under the C locale: "Cyril", "Čierna", "Dana"), without regard to case.
QList<ListedDatabase> ListedDatabases();

// The location the manager shows for an entry: empty when the database
// lives at its default place (the folder contains the home-folder name).
QString ShownLocation(const ListedDatabase &entry);

// The folder is the one the live settings open.
bool IsOpenDatabaseFolder(const QString &folder);

// Copies the name's settings copy over the live settings (a missing copy
// leaves them as they are). While the program runs (not during start-up)
// it then restarts with "vybranaDB" through the restart seam and ends
// this process (ProgramHost::endProgram). True when it restarted.
bool SelectDatabase(const QString &name);

// Removes the entry after the question UI text 290 (Yes/No) and deletes
// the name's home folder, with the database when it lives there. Refuses
// the database that is open with the warning UI text 296. True when
// removed.
bool RemoveDatabase(const ListedDatabase &entry);

// Adds name with folder (empty, or no existing folder: the name's home
// folder) to the list and writes its settings copy ([General] Directory,
// [BackupDirs] "0"). Nothing for an empty name, or when
// MaintainDatabaseList reports the name or folder as taken. True when
// added.
bool AddDatabase(const QString &name, const QString &folder);

// Renames and/or moves the entry old to newName/newFolder (empty folder,
// or the old home folder when renamed: the new name's home folder). The
// database file is copied to a new folder; a database already there is
// replaced only after the question UI text 297 (Yes/No), otherwise
// nothing changes; when the file cannot be copied there, nothing changes
// either (warning UI text 286). When the open database moves (also a
// rename at its default place), it is closed before and the program
// restarts with the new settings after (see SelectDatabase); if the
// restart fails, the database the live settings now name is opened. True
// when something changed.
bool SaveDatabaseChanges(const ListedDatabase &old, const QString &newName, const QString &newFolder);

} // namespace bralvo::services
