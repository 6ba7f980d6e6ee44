// Select, add, remove, rename and move entries of the database list.
#include "services/databaseactions.h"
#include "platform/collation.h"

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

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace bralvo::services {

namespace {

const QString kSection = QStringLiteral("Databases");
const QString kDatabaseFile = QStringLiteral("bralvo_data.txs");
const QString kSettingsCopy = QStringLiteral("settings.txs");

// UI texts of the program's own (uitexts.h): the open database cannot be
// removed; replace the database found in the target folder of a move?
constexpr int kOpenDatabaseText = 296;
constexpr int kReplaceDatabaseText = 297;
constexpr int kCopyFailedText = 286;  // the database could not be copied to its new folder

// A typed location that names an existing folder; a relative text never
// does (it would depend on the working folder).
bool isUsableFolder(const QString &text)
{
    return text.startsWith(QLatin1Char('/')) && QFileInfo(text).isDir();
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
    platform::IniFile list = OpenDatabaseList();
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
    platform::IniFile list = OpenDatabaseList();
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
    const QCollator collator = platform::userCollator(Qt::CaseInsensitive);
    std::sort(entries.begin(), entries.end(), [&collator](const ListedDatabase &a, const ListedDatabase &b) {
        const int order = collator.compare(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
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
    ReplaceFile(HomeFolder(name) + kSettingsCopy, SettingsFilePath());
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
        ShowMessageBox(MessageText(kOpenDatabaseText), kMbWarning);
        return false;
    }
    if (ShowMessageBox(MessageText(290), kMbQuestionYesNo) != kIdYes)
        return false;
    platform::IniFile list = OpenDatabaseList();
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
    const QString location = isUsableFolder(folder) ? folder : platform::withoutTrailingSlash(home);
    platform::IniFile list = OpenDatabaseList();
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

namespace {

// What saving the marked row will do, worked out before anything changes.
struct PlannedChange {
    QString oldFolder;  // both with a trailing "/"
    QString newFolder;
    bool renamed = false;
    bool moved = false;
    bool copyFile = false;  // the database file goes to the new folder
};

PlannedChange planChange(const ListedDatabase &old, const QString &newName, const QString &newFolderText)
{
    PlannedChange plan;
    plan.newFolder = isUsableFolder(newFolderText) ? EnsureFolderSlash(newFolderText) : HomeFolder(newName);
    plan.oldFolder = old.folder.isEmpty() ? HomeFolder(old.name) : EnsureFolderSlash(old.folder);
    plan.renamed = newName != old.name;
    // A rename moves the old home folder, database included: naming that
    // folder as the location means the new home, not a folder about to vanish.
    if (plan.renamed && SameFolder(plan.newFolder, HomeFolder(old.name)))
        plan.newFolder = HomeFolder(newName);
    plan.moved = !SameFolder(plan.newFolder, plan.oldFolder);
    // Between two home folders the file travels with the home folder itself.
    const bool bothAtHome = plan.newFolder.contains(HomeFolderName(newName))
                            && plan.oldFolder.contains(HomeFolderName(old.name));
    plan.copyFile = plan.moved && !bothAtHome;
    return plan;
}

// Another database must never be overwritten unasked.
bool mayProceed(const PlannedChange &plan, const QString &newName)
{
    if (plan.renamed && QFileInfo::exists(HomeFolder(newName) + kDatabaseFile)) {
        ShowMessageBox(MessageText(293), kMbWarning);  // an unlisted database owns that name's folder
        return false;
    }
    const bool replaces = plan.copyFile && QFileInfo(plan.oldFolder + kDatabaseFile).isFile()
                          && QFileInfo::exists(plan.newFolder + kDatabaseFile);
    return !replaces || ShowMessageBox(MessageText(kReplaceDatabaseText), kMbWarningYesNo) == kIdYes;
}

} // namespace

bool SaveDatabaseChanges(const ListedDatabase &old, const QString &newName, const QString &newFolderText)
{
    if ((newName == old.name && newFolderText == old.folder) || newName.isEmpty())
        return false;
    if (MaintainDatabaseList(newName != old.name ? newName : QString(),
                             newFolderText != old.folder ? newFolderText : QString()))
        return false;
    if (newFolderText.startsWith(QLatin1Char('/')) && newFolderText != old.folder)
        QDir().mkpath(newFolderText);
    const PlannedChange plan = planChange(old, newName, newFolderText);
    if (!mayProceed(plan, newName))
        return false;
    const bool restart = plan.moved && IsOpenDatabaseFolder(plan.oldFolder);
    if (restart)
        programHost().closeDatabase();  // nothing may be written to the old file any more
    // A database that did not reach its new folder must stay listed where
    // it is: the list and the settings would otherwise name an empty place.
    if (plan.copyFile && !ReplaceFile(plan.oldFolder + kDatabaseFile, plan.newFolder + kDatabaseFile)) {
        if (restart && !programHost().startupPending())
            programHost().openDatabase();
        ShowMessageBox(MessageText(kCopyFailedText), kMbWarning);
        return false;
    }
    if (plan.renamed)
        writeRenamedEntry(old.name, newName);
    if (plan.moved)
        writeMovedFolder(old.name, newName, plan.oldFolder, plan.newFolder);
    // Should the restart fail, the program goes on with the database the
    // live settings now name rather than with none.
    if (restart && !SelectDatabase(newName) && !programHost().startupPending())
        programHost().openDatabase();
    return true;
}

} // namespace bralvo::services
