// The backup-folder migration of the settings file.
#include "app/backupfoldermigration.h"

#include "platform/inifile.h"

#include <algorithm>

namespace bralvo::app {

namespace {

const QString kBackups = QStringLiteral("Backups");
const QString kBackupDir = QStringLiteral("BackupDir");
const QString kBackupDirs = QStringLiteral("BackupDirs");

} // namespace

QStringList MergeBackupFolder(QStringList folders, QString oldFolder, const QString &dataRoot)
{
    if (oldFolder.isEmpty())
        oldFolder = dataRoot + QStringLiteral("Backups/");
    // A folder of the old Windows form "\Backups" lost its drive; "\\host"
    // is a network path and stays. A leading "/" is an absolute Linux path.
    if (oldFolder.size() >= 1 && oldFolder.at(0) == QLatin1Char('\\') &&
        (oldFolder.size() < 2 || oldFolder.at(1) != QLatin1Char('\\')))
        oldFolder.remove(0, 1);
    if (!oldFolder.endsWith(QLatin1Char('/')))
        oldFolder += QLatin1Char('/');
    // Linux folders differ by letter case, so "/Zal/" and "/zal/" are two.
    if (!folders.contains(oldFolder, Qt::CaseSensitive))
        folders.append(oldFolder);
    std::stable_sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return folders;
}

bool MigrateBackupFolders(const QString &settingsFile, const QString &dataRoot)
{
    platform::IniFile ini(settingsFile);
    const bool hasOld = ini.valueExists(kBackups, kBackupDir);
    const bool hasList = ini.sectionExists(kBackupDirs);
    if (!hasOld && hasList)
        return true;

    const QString oldFolder = ini.readString(kBackups, kBackupDir, QString());
    ini.deleteKey(kBackups, kBackupDir);
    QStringList folders;
    for (const QString &key : ini.keys(kBackupDirs))
        folders.append(ini.readString(kBackupDirs, key, QString()));

    folders = MergeBackupFolder(folders, oldFolder, dataRoot);
    ini.eraseSection(kBackupDirs);
    for (int i = 0; i < folders.size() && i < kMaxBackupDirs; ++i)
        ini.writeString(kBackupDirs, QString::number(i), folders.at(i));
    return ini.save();
}

} // namespace bralvo::app
