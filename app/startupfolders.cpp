// The data root's folders and the focus colour at start-up.
#include "app/startupfolders.h"

#include "platform/widgets/colortext.h"
#include "services/directorytree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace bralvo::app {

namespace {

constexpr char kDefaultMainColor[] = "$00FEE6CF";

const char *const kOldFiles[] = {
    "Data/no_image.bmp", "Data/size_bar_down.bmp", "Data/size_bar_up.bmp",
    "Data/gzip.exe",     "Data/sqlite3.exe",
};

void makeFolder(const QString &dataRoot, const QString &folder)
{
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw StartupError(DataFolderErrorText(dataRoot));
}

} // namespace

QString DataFolderErrorText(const QString &dataRoot)
{
    return QStringLiteral("Priečinok s údajmi programu sa nedá určiť ani vytvoriť:\n\"%1\"")
        .arg(dataRoot);
}

void PrepareDataRoot(const QString &dataRoot)
{
    // A recursive delete below an empty or relative root would hit the
    // working folder, so such a root stops the program before anything.
    if (dataRoot.isEmpty() || !QDir::isAbsolutePath(dataRoot) || dataRoot == QLatin1String("/"))
        throw StartupError(DataFolderErrorText(dataRoot));
    QString root = dataRoot;
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    makeFolder(dataRoot, root);
    makeFolder(dataRoot, root + QStringLiteral("Data"));
    makeFolder(dataRoot, root + QStringLiteral("Backups"));

    const QString languages = root + QStringLiteral("Languages");
    if (services::IsDirectory(languages))
        services::DeleteDirectoryTree(languages, true);
    for (const char *name : kOldFiles) {
        const QString path = root + QLatin1String(name);
        if (QFileInfo::exists(path))
            QFile::remove(path);
    }
}

QColor MainColorFromSetting(const QString &colorText)
{
    if (const auto color = platform::parseColorText(colorText))
        return *color;
    return *platform::parseColorText(QLatin1String(kDefaultMainColor));
}

} // namespace bralvo::app
