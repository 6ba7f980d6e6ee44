// Registering the open database in an empty database list.
#include "app/databasemenu.h"

#include "db/database.h"
#include "platform/inifile.h"
#include "services/backup.h"
#include "services/databaselist.h"
#include "services/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bralvo::app {

bool RegisterCurrentDatabase()
{
    const QString section = QStringLiteral("Databases");
    QDir().mkpath(services::DatabasesFolder());
    platform::IniFile list(services::DatabaseListFile());
    if (!list.keys(section).isEmpty())
        return true;

    const QString name = QStringLiteral("Database 01");
    const QString home = services::HomeFolder(name);
    QDir().mkpath(home);
    const QString folder = db::DbFilePath.isEmpty()
                               ? services::LiveDatabaseFolder()
                               : services::EnsureFolderSlash(QFileInfo(db::DbFilePath).absolutePath());
    list.writeString(section, name, folder);
    const QString copy = home + QStringLiteral("settings.txs");
    QFile::remove(copy);
    QFile::copy(services::SettingsFilePath(), copy);
    return list.save();
}

} // namespace bralvo::app
