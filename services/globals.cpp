// The program's identity, version text and folders.
#include "services/globals.h"

#include "platform/folders.h"
#include "services/appversion.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace bralvo::services {

QString ProgramTitle;
QString VersionText;
QString ExeFileName;
QString DataRoot;
QString ProgramDir;
QString ProductShortCode;
QString ProductFilePrefix;
QString ProductDownloadName;
QString ProgramWebAddress;

namespace {

struct ProductRow {
    const char *title;
    const char *shortCode;
    const char *filePrefix;
    const char *downloadName;
    const char *webAddress;
};

// One row per product of the maker; only this program is known here.
constexpr ProductRow kProducts[] = {
    {"Bralvo", "bral", "Bralvo", "bralvo", "https://www.tamrex.sk/bralvo/"},
};

bool isRunningExecutable(const QString &file)
{
    if (!QCoreApplication::instance() || file.isEmpty())
        return false;
    const QString running = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString asked = QFileInfo(file).canonicalFilePath();
    return !asked.isEmpty() && asked == running;
}

} // namespace

void SetProductIdentity()
{
    ProgramWebAddress.clear();
    for (const ProductRow &row : kProducts) {
        if (ProgramTitle != QLatin1String(row.title))
            continue;
        ProductShortCode = QLatin1String(row.shortCode);
        ProductFilePrefix = QLatin1String(row.filePrefix);
        ProductDownloadName = QLatin1String(row.downloadName);
        ProgramWebAddress = QLatin1String(row.webAddress);
    }
}

QString SpecialFolderPath(int folderId)
{
    constexpr int kRoamingAppData = 26;
    constexpr int kLocalAppData = 28;
    constexpr int kCommonAppData = 35;
    if (folderId == kCommonAppData || folderId == kRoamingAppData || folderId == kLocalAppData)
        return platform::dataHomeFolder();
    return QString();
}

QString FileVersionString(const QString &file, bool withBuild)
{
    if (!isRunningExecutable(file))
        return QString();
    // "%d.%01d%01d (build %01d)": 1.0.1.39 gives "1.01 (build 39)".
    QString text = QStringLiteral("%1.%2%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRelease);
    if (withBuild)
        text += QStringLiteral(" (build %1)").arg(kVersionBuild);
    return text;
}

void InitializeProgramGlobals()
{
    const QString executable =
        QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    VersionText = QStringLiteral("v ") + FileVersionString(executable, true);
    ProgramTitle = QStringLiteral("Bralvo");
    SetProductIdentity();
    ExeFileName = QStringLiteral("bralvo");
    DataRoot = platform::withTrailingSlash(SpecialFolderPath(35) + QStringLiteral("Tamrex/")
                                           + ProductFilePrefix);
    ProgramDir = platform::programFolder();
}

} // namespace bralvo::services
