// The backup folders of the settings window as a plain list: what a typed
// folder becomes, adding without duplicates, and the keys they are stored
// under ([BackupDirs] "0".."99").
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::platform {
class IniFile;
}

namespace bralvo::app {

// What the add button makes of the typed text: empty stands for
// dataRoot + "Backups/"; one leading backslash is dropped (two stay, "/"
// is never touched); a trailing "/" is ensured.
QString TypedBackupFolder(const QString &typed, const QString &dataRoot);

// Adds TypedBackupFolder(typed) unless the list holds it already (folders
// compare with letter case), then sorts the list without regard to letter
// case. Returns whether the folder was new.
bool AddBackupFolder(QStringList &folders, const QString &typed, const QString &dataRoot);

// The values of [BackupDirs], each with a trailing "/", sorted as above.
QStringList StoredBackupFolders(const platform::IniFile &settings);

// Replaces [BackupDirs] by the first kMaxBackupDirs folders as "0".."99".
void StoreBackupFolders(platform::IniFile &settings, const QStringList &folders);

} // namespace bralvo::app
