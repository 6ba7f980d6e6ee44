// XDG folders standing in for the Windows shell folders.
#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>

namespace bralvo::platform {

namespace {

// The XDG rule: a variable that is unset, empty or relative is ignored.
QString xdgFolder(const char *variable, const QString &fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return withTrailingSlash(QDir::cleanPath(value));
    return withTrailingSlash(QDir::homePath() + QLatin1Char('/') + fallbackBelowHome);
}

} // namespace

QString dataHomeFolder()
{
    return xdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

QString dataRootFolder()
{
    return dataHomeFolder() + QStringLiteral("Tamrex/Bralvo/");
}

QString configHomeFolder()
{
    return xdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

QString programFolder()
{
    if (!QCoreApplication::instance())
        return QString();
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

QString withTrailingSlash(const QString &path)
{
    if (path.isEmpty())
        return path;
    const QString base = withoutTrailingSlash(path);
    return base == QLatin1String("/") ? base : base + QLatin1Char('/');
}

QString withoutTrailingSlash(const QString &path)
{
    QString result = path;
    while (result.size() > 1 && result.endsWith(QLatin1Char('/')))
        result.chop(1);
    return result;
}

} // namespace bralvo::platform
