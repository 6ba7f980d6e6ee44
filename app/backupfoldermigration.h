// Moving the single backup folder of older versions ([Backups] BackupDir)
// into the list of backup folders ([BackupDirs] "0", "1", ...), done once
// at every start.
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::app {

// At most this many folders are kept in [BackupDirs].
inline constexpr int kMaxBackupDirs = 100;

// The list the old folder joins: a missing old folder stands for
// dataRoot + "Backups/"; one leading backslash (not two, and never a
// leading "/") is dropped; a trailing "/" is ensured; the folder is added
// unless the list holds it already, compared with letter case. The result
// is sorted without regard to letter case.
QStringList MergeBackupFolder(QStringList folders, QString oldFolder, const QString &dataRoot);

// Runs the migration on the settings file when [Backups] BackupDir exists
// or [BackupDirs] does not; otherwise the file is not touched. Writes the
// first kMaxBackupDirs folders as keys "0".."99" in one save. False when
// the file could not be written (it is then unchanged). Throws
// platform::FileError when the file exists but cannot be read.
bool MigrateBackupFolders(const QString &settingsFile, const QString &dataRoot);

} // namespace bralvo::app
