// The list of databases: DataRoot + "Data/DBs/databases.ini", section
// [Databases], name = folder of that database's "bralvo_data.txs" (with a
// trailing "/"). Each name has a home folder, DataRoot + "Data/DBs/" + the
// MD5 digest of the name, holding its settings copy "settings.txs" (and
// the database itself when it lives at its default place). Switching
// databases copies a settings copy over the live settings file and
// restarts. Names compare without regard to letter case; folders compare
// exactly (Linux file names are case-sensitive). Symbolic links under
// "Data/DBs" are never followed, adopted or deleted.
#pragma once

#include "platform/inifile.h"

#include <QString>
#include <QStringList>

namespace bralvo::services {

QString DatabasesFolder();      // DataRoot + "Data/DBs/"
QString DatabaseListFile();     // DatabasesFolder() + "databases.ini"
// The 32 lower-case hexadecimal digits naming the name's home folder.
QString HomeFolderName(const QString &name);
// DatabasesFolder() + HomeFolderName(name) + "/": also the name's default
// database folder.
QString HomeFolder(const QString &name);
// The folder with a trailing "/" ("" gives "/", as stored values do).
QString EnsureFolderSlash(const QString &folder);
// Both folders name the same place (trailing "/" ensured, exact case).
bool SameFolder(const QString &a, const QString &b);

// The list file, loaded now (empty when missing; FileError when it
// cannot be read). DatabasesFolder() is created first so that a later
// save can write it.
platform::IniFile OpenDatabaseList();

// The key names of [Databases] in file order.
QStringList DatabaseNames();

// Start-up: with more than one listed database shows the database
// manager (ProgramHost::showDatabaseManagerAtStart); otherwise nothing.
void SelectDatabaseAtStart();

// Copies the live settings file to the home folder of every listed
// database whose folder is the live database folder (LiveDatabaseFolder).
void SaveSettingsToDatabaseFolder();

// Checks a new name and folder and tidies the list; true when the name
// (UI text 293) or the folder (UI text 294) is already listed. An empty
// new folder with a new name stands for the name's home folder. Then:
// later entries repeating an earlier folder are removed (UI text 295 with
// the list); an entry takes the folder its settings copy names when the
// copy exists and names one; home folders that no listed name owns
// ("strays") are tidied: one holding neither a database nor a backup is
// deleted, one holding a backup but no database is left alone, and those
// holding a database are offered for adoption (UI text 298; adopted as
// "Database 01", "Database 02"... by renaming the folder) or, on No, for
// deletion (UI text 299).
bool MaintainDatabaseList(const QString &newName, const QString &newFolder);

} // namespace bralvo::services
