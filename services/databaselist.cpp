// The database list, the settings copies and the tidy-up of the list.
#include "services/databaselist.h"

#include "platform/folders.h"
#include "platform/inifile.h"
#include "services/backup.h"
#include "services/directorytree.h"
#include "services/globals.h"
#include "services/md5.h"
#include "services/messages.h"
#include "services/programhost.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace bralvo::services {

namespace {

const QString kSection = QStringLiteral("Databases");
const QString kDatabaseFile = QStringLiteral("bralvo_data.txs");
const QString kSettingsCopy = QStringLiteral("settings.txs");

QString dataRoot()
{
    return platform::withTrailingSlash(DataRoot.isEmpty() ? platform::dataRootFolder() : DataRoot);
}

// "Database 01", "Database 02", ...: the next name neither listed nor
// owning a home folder.
QString nextFreeName(const platform::IniFile &list, int &counter)
{
    while (true) {
        const QString name = QStringLiteral("Database %1").arg(counter++, 2, 10, QLatin1Char('0'));
        if (!list.valueExists(kSection, name) && !QFileInfo::exists(HomeFolder(name)))
            return name;
    }
}

bool holdsBackup(const QString &folder)
{
    QDirIterator it(folder, {QStringLiteral("*bralvo.txb")}, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);  // links to folders are not followed
    return it.hasNext();
}

void removeDuplicateFolders(platform::IniFile &list)
{
    QStringList seen;
    QStringList notes;
    for (const QString &name : list.keys(kSection)) {
        const QString folder = EnsureFolderSlash(list.readString(kSection, name, QString()));
        const bool repeated = std::any_of(seen.cbegin(), seen.cend(),
                                          [&](const QString &s) { return SameFolder(s, folder); });
        seen << folder;
        if (repeated && !name.isEmpty()) {
            notes << QLatin1Char('[') + name + QLatin1Char(']') << folder << QString();
            list.deleteKey(kSection, name);
        }
    }
    if (!notes.isEmpty())
        ShowMessageBox(MessageText(295) + QStringLiteral("\r\r\r") + notes.join(QStringLiteral("\r\n")),
                       kMbWarning);
}

// An entry follows its settings copy, but only a copy that exists and
// names a folder: an empty value must never blank the entry.
void adoptFoldersFromCopies(platform::IniFile &list)
{
    for (const QString &name : list.keys(kSection)) {
        const QString copyFile = HomeFolder(name) + kSettingsCopy;
        if (!QFileInfo(copyFile).isFile())
            continue;
        const QString folder = platform::IniFile(copyFile).readString(
            QStringLiteral("General"), QStringLiteral("Directory"), QString());
        if (!folder.isEmpty() && folder != list.readString(kSection, name, QString()))
            list.writeString(kSection, name, folder);
    }
}

// Home folders that no name read at the start owns; links are skipped.
QStringList strayFolders(const QStringList &names)
{
    QStringList owned;
    for (const QString &name : names)
        owned << HomeFolderName(name);
    QStringList strays;
    const QStringList entries = QDir(DatabasesFolder()).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden, QDir::Name);
    for (const QString &entry : entries) {
        if (!owned.contains(entry))
            strays << entry;
    }
    return strays;
}

void adoptStray(platform::IniFile &list, const QString &stray, int &counter)
{
    const QString name = nextFreeName(list, counter);
    const QString home = HomeFolder(name);
    if (!QDir().rename(DatabasesFolder() + stray, platform::withoutTrailingSlash(home)))
        return;  // stays a stray; offered again next time
    list.writeString(kSection, name, home);
    list.save();
    QDir().mkpath(home + QStringLiteral("Backups"));
    platform::IniFile copy(home + kSettingsCopy);
    copy.writeString(QStringLiteral("General"), QStringLiteral("Directory"), home);
    copy.writeString(QStringLiteral("BackupDirs"), QStringLiteral("0"), home + QStringLiteral("Backups/"));
    copy.save();
}

void tidyStrays(platform::IniFile &list, const QStringList &names)
{
    QStringList strays;
    QStringList notes;
    const QStringList found = strayFolders(names);
    for (auto it = found.crbegin(); it != found.crend(); ++it) {  // noted last to first
        const QString folder = DatabasesFolder() + *it + QLatin1Char('/');
        if (QFileInfo(folder + kDatabaseFile).isFile()) {
            const QString named = platform::IniFile(folder + kSettingsCopy)
                                      .readString(QStringLiteral("General"), QStringLiteral("Directory"), QString());
            notes << (named.isEmpty() ? folder : named);
            strays.prepend(*it);
        } else if (!holdsBackup(folder)) {
            DeleteDirectoryTree(folder, true);
        }
    }
    if (strays.isEmpty())
        return;
    const QString text = MessageText(298) + QStringLiteral("\r\r\r") + notes.join(QStringLiteral("\r\n"));
    if (ShowMessageBox(text, kMbQuestionYesNo) == kIdYes) {
        int counter = 1;
        for (const QString &stray : strays)
            adoptStray(list, stray, counter);
    } else if (ShowMessageBox(MessageText(299), kMbQuestionYesNo) == kIdYes) {
        for (const QString &stray : strays)
            DeleteDirectoryTree(DatabasesFolder() + stray, true);
    }
}

} // namespace

QString DatabasesFolder()
{
    return dataRoot() + QStringLiteral("Data/DBs/");
}

QString DatabaseListFile()
{
    return DatabasesFolder() + QStringLiteral("databases.ini");
}

QString HomeFolderName(const QString &name)
{
    return TextDigestHex(name);
}

QString HomeFolder(const QString &name)
{
    return DatabasesFolder() + HomeFolderName(name) + QLatin1Char('/');
}

QString EnsureFolderSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool SameFolder(const QString &a, const QString &b)
{
    return EnsureFolderSlash(a) == EnsureFolderSlash(b);
}

platform::IniFile OpenDatabaseList()
{
    QDir().mkpath(DatabasesFolder());
    return platform::IniFile(DatabaseListFile());
}

QStringList DatabaseNames()
{
    return platform::IniFile(DatabaseListFile()).keys(kSection);
}

void SelectDatabaseAtStart()
{
    if (DatabaseNames().size() > 1)
        programHost().showDatabaseManagerAtStart();
}

void SaveSettingsToDatabaseFolder()
{
    const QString current = LiveDatabaseFolder();
    const platform::IniFile list = OpenDatabaseList();
    for (const QString &name : list.keys(kSection)) {
        if (!SameFolder(list.readString(kSection, name, QString()), current))
            continue;
        QDir().mkpath(HomeFolder(name));
        ReplaceFile(SettingsFilePath(), HomeFolder(name) + kSettingsCopy);
    }
}

bool MaintainDatabaseList(const QString &newName, const QString &newFolder)
{
    platform::IniFile list = OpenDatabaseList();
    const QStringList names = list.keys(kSection);
    bool taken = false;
    if (!newName.isEmpty() && names.contains(newName, Qt::CaseInsensitive)) {
        taken = true;
        ShowMessageBox(MessageText(293), kMbWarning);
    }
    // The folder is checked also without a new name: moving a database
    // onto a listed folder would otherwise make two entries share a file.
    const QString folder = newFolder.isEmpty() && !newName.isEmpty() ? HomeFolder(newName) : newFolder;
    if (!taken && !folder.isEmpty()) {
        for (const QString &name : names) {
            if (SameFolder(list.readString(kSection, name, QString()), folder)) {
                taken = true;
                ShowMessageBox(MessageText(294), kMbWarning);
                break;
            }
        }
    }
    removeDuplicateFolders(list);
    adoptFoldersFromCopies(list);
    tidyStrays(list, names);
    list.save();
    return taken;
}

} // namespace bralvo::services
