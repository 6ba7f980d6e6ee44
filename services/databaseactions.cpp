// Select, add, remove, rename and move entries of the database list.
#include "services/databaseactions.h"

#include "platform/folders.h"
#include "platform/inifile.h"
#include "platform/process.h"
#include "services/backup.h"
#include "services/databaselist.h"
#include "services/directorytree.h"
#include "services/messages.h"
#include "services/programhost.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

namespace bralvo::services {

namespace {

const QString kSection = QStringLiteral("Databases");
const QString kDatabaseFile = QStringLiteral("bralvo_data.txs");
const QString kSettingsCopy = QStringLiteral("settings.txs");

// Texts the numbered table has no slot for.
const QString kOpenDatabaseText = QStringLiteral(
    "Označenú databázu práve používate, preto ju nie je možné odobrať. Najprv načítajte inú databázu.");
const QString kReplaceDatabaseText = QStringLiteral(
    "V zadanom umiestnení sa už nachádza iná databáza. Prajete si ju nahradiť presúvanou databázou?");

platform::IniFile openList()
{
    QDir().mkpath(DatabasesFolder());
    return platform::IniFile(DatabaseListFile());
}

// Copies a file over another in one step (temporary copy, then rename).
void replaceFile(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        return;
    const QString temporary = target + QStringLiteral(".copying");
    QFile::remove(temporary);
    if (QFile::copy(source, temporary)
        && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0)
        return;
    QFile::remove(temporary);
}

// Moves a home folder: a rename when the target is free, else a merge.
void moveHomeFolder(const QString &oldHome, const QString &newHome)
{
    if (!QFileInfo::exists(newHome)
        && QDir().rename(platform::withoutTrailingSlash(oldHome), platform::withoutTrailingSlash(newHome)))
        return;
    if (CopyDirectoryTree(oldHome, newHome))
        DeleteDirectoryTree(oldHome, true);
}

// The backup folders of the moved database's copy: those inside the old
// home folder now lie in the new folder.
void moveBackupFolders(platform::IniFile &copy, const QString &oldName, const QString &oldFolder,
                       const QString &newFolder)
{
    const QString section = QStringLiteral("BackupDirs");
    QStringList folders;
    for (const QString &key : copy.keys(section))
        folders << copy.readString(section, key, QString());
    if (folders.isEmpty())
        folders << oldFolder + QStringLiteral("Backups");
    const QString digest = HomeFolderName(oldName);
    const QString moved = newFolder + QStringLiteral("Backups/");
    QStringList result;
    for (const QString &folder : folders) {
        const QString kept = folder.contains(digest) ? moved : folder;
        if (!result.contains(kept))
            result << kept;
    }
    if (result.contains(moved))
        QDir().mkpath(moved);
    std::sort(result.begin(), result.end());
    copy.eraseSection(section);
    for (qsizetype i = 0; i < result.size() && i < 100; ++i)
        copy.writeString(section, QString::number(i), result.at(i));
}

void writeMovedFolder(const QString &oldName, const QString &newName, const QString &oldFolder,
                      const QString &newFolder)
{
    platform::IniFile list = openList();
    list.writeString(kSection, newName, newFolder);
    list.save();
    QDir().mkpath(HomeFolder(newName));
    platform::IniFile copy(HomeFolder(newName) + kSettingsCopy);
    copy.writeString(QStringLiteral("General"), QStringLiteral("Directory"), newFolder);
    moveBackupFolders(copy, oldName, oldFolder, newFolder);
    copy.save();
}

void writeRenamedEntry(const QString &oldName, const QString &newName)
{
    platform::IniFile list = openList();
    const QString folder = list.readString(kSection, oldName, QString());
    list.deleteKey(kSection, oldName);
    list.writeString(kSection, newName, folder);
    list.save();
    moveHomeFolder(HomeFolder(oldName), HomeFolder(newName));
}

} // namespace

QList<ListedDatabase> ListedDatabases()
{
    const platform::IniFile list(DatabaseListFile());
    QList<ListedDatabase> entries;
    for (const QString &name : list.keys(kSection))
        entries.append({name, list.readString(kSection, name, QString())});
    std::sort(entries.begin(), entries.end(), [](const ListedDatabase &a, const ListedDatabase &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

QString ShownLocation(const ListedDatabase &entry)
{
    return entry.folder.contains(HomeFolderName(entry.name)) ? QString() : entry.folder;
}

bool IsOpenDatabaseFolder(const QString &folder)
{
    return SameFolder(LiveDatabaseFolder(), folder);
}

bool SelectDatabase(const QString &name)
{
    replaceFile(HomeFolder(name) + kSettingsCopy, SettingsFilePath());
    if (programHost().startupPending())
        return false;
    if (!platform::restartSeam().restartProgram({QStringLiteral("vybranaDB")}))
        return false;
    programHost().endProgram();
    return true;
}

bool RemoveDatabase(const ListedDatabase &entry)
{
    const QString folder = entry.folder.isEmpty() ? HomeFolder(entry.name) : entry.folder;
    if (IsOpenDatabaseFolder(folder)) {
        ShowMessageBox(kOpenDatabaseText, kMbWarning);
        return false;
    }
    if (ShowMessageBox(MessageText(290), kMbQuestionYesNo) != kIdYes)
        return false;
    platform::IniFile list = openList();
    list.deleteKey(kSection, entry.name);
    DeleteDirectoryTree(HomeFolder(entry.name), true);
    list.save();
    return true;
}

bool AddDatabase(const QString &name, const QString &folder)
{
    if (name.isEmpty() || MaintainDatabaseList(name, folder))
        return false;
    const QString home = HomeFolder(name);
    QDir().mkpath(home);
    const QString location = folder.isEmpty() || !QFileInfo(folder).isDir()
                                 ? platform::withoutTrailingSlash(home) : folder;
    platform::IniFile list = openList();
    list.writeString(kSection, name, EnsureFolderSlash(location));
    list.save();
    platform::IniFile copy(home + kSettingsCopy);
    copy.writeString(QStringLiteral("General"), QStringLiteral("Directory"), location);
    QDir().mkpath(EnsureFolderSlash(location) + QStringLiteral("Backups"));
    copy.writeString(QStringLiteral("BackupDirs"), QStringLiteral("0"),
                     EnsureFolderSlash(location) + QStringLiteral("Backups"));
    copy.save();
    return true;
}

bool SaveDatabaseChanges(const ListedDatabase &old, const QString &newName, const QString &newFolderText)
{
    if ((newName == old.name && newFolderText == old.folder) || newName.isEmpty())
        return false;
    if (MaintainDatabaseList(newName != old.name ? newName : QString(),
                             newFolderText != old.folder ? newFolderText : QString()))
        return false;
    if (!newFolderText.isEmpty() && newFolderText != old.folder)
        QDir().mkpath(newFolderText);
    const QString newFolder = newFolderText.isEmpty() || !QFileInfo(newFolderText).isDir()
                                  ? HomeFolder(newName) : EnsureFolderSlash(newFolderText);
    const QString oldFolder = old.folder.isEmpty() ? HomeFolder(old.name) : EnsureFolderSlash(old.folder);
    const bool renamed = newName != old.name;
    const bool moved = !SameFolder(newFolder, oldFolder);
    const bool bothAtHome = newFolder.contains(HomeFolderName(newName)) && oldFolder.contains(HomeFolderName(old.name));
    const bool copyFile = moved && !bothAtHome;
    if (renamed && QFileInfo(HomeFolder(newName) + kDatabaseFile).exists()) {
        ShowMessageBox(MessageText(293), kMbWarning);  // an unlisted database owns that name's folder
        return false;
    }
    if (copyFile && QFileInfo(oldFolder + kDatabaseFile).isFile() && QFileInfo(newFolder + kDatabaseFile).exists()
        && ShowMessageBox(kReplaceDatabaseText, kMbWarningYesNo) != kIdYes)
        return false;
    const bool restart = moved && IsOpenDatabaseFolder(oldFolder);
    if (restart)
        programHost().closeDatabase();  // nothing may be written to the old file any more
    if (copyFile)
        replaceFile(oldFolder + kDatabaseFile, newFolder + kDatabaseFile);
    if (renamed)
        writeRenamedEntry(old.name, newName);
    if (moved)
        writeMovedFolder(old.name, newName, oldFolder, newFolder);
    if (restart)
        SelectDatabase(newName);
    return true;
}

} // namespace bralvo::services
