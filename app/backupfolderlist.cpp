// The settings window's list of backup folders.
#include "app/backupfolderlist.h"

#include "app/backupfoldermigration.h"
#include "platform/inifile.h"
#include "services/databaselist.h"

namespace bralvo::app {

namespace {

const QString kSection = QStringLiteral("BackupDirs");

void sortFolders(QStringList &folders)
{
    folders.sort(Qt::CaseInsensitive);
}

} // namespace

QString TypedBackupFolder(const QString &typed, const QString &dataRoot)
{
    QString folder = typed.isEmpty() ? dataRoot + QStringLiteral("Backups/") : typed;
    // The drive-less "\folder" of older versions; "\\server" stays.
    if (folder.startsWith(QLatin1Char('\\')) && !folder.startsWith(QLatin1String("\\\\")))
        folder.remove(0, 1);
    return services::EnsureFolderSlash(folder);
}

bool AddBackupFolder(QStringList &folders, const QString &typed, const QString &dataRoot)
{
    const QString folder = TypedBackupFolder(typed, dataRoot);
    const bool added = !folders.contains(folder);
    if (added)
        folders.append(folder);
    sortFolders(folders);
    return added;
}

QStringList StoredBackupFolders(const platform::IniFile &settings)
{
    QStringList folders;
    for (const QString &key : settings.keys(kSection))
        folders.append(services::EnsureFolderSlash(settings.readString(kSection, key, QString())));
    sortFolders(folders);
    return folders;
}

void StoreBackupFolders(platform::IniFile &settings, const QStringList &folders)
{
    settings.eraseSection(kSection);
    for (int i = 0; i < folders.size() && i < kMaxBackupDirs; ++i)
        settings.writeString(kSection, QString::number(i), folders.at(i));
}

} // namespace bralvo::app
