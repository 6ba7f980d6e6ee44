// Restoring the database from a backup file (backup.h). The backup is
// built into a temporary database beside the live one, checked (integrity
// check, the program's schema ProgramHost::restorableSchema()), given the
// live file's access rights and only then renamed over the live file in
// one step, its folder synced. Whatever fails, the old database stays as
// it was.
#pragma once

#include "services/sqldump.h"

#include <QString>

namespace bralvo::services {

// Builds databaseFile's replacement from the backup and swaps it in.
// Throws BackupError (sqldump.h) when the backup cannot be read or is cut
// short or corrupt, when its SQL fails, when the result fails its checks,
// or when the live file is in use (a hot journal or a write-ahead log
// beside it, or another connection writing it; a cold journal is removed);
// databaseFile is then untouched and no temporary file is left. The
// database must be closed by the caller.
void RestoreDatabaseFile(const QString &backupFile, const QString &databaseFile,
                         const RestorableSchema &schema);

// Removes the temporary files an interrupted restore left beside
// databaseFile (databaseFile + ".restore-XXXXXX" and its journals), except
// one that another connection is writing.
void RemoveRestoreLeftovers(const QString &databaseFile);

// The menu's restore: a missing backup file does nothing and shows
// nothing. Otherwise closes the database (ProgramHost), restores into
// LiveDatabaseFile() and shows UI text 235 (information), or UI text 236
// (warning) with the old database kept; then always reopens the database
// and shows the login. An error of reopening (ProgramHost::openDatabase)
// passes through to the caller, after the message.
void RestoreDatabase(const QString &backupFile);

} // namespace bralvo::services
