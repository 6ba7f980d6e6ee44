// Opening links and help pages through QDesktopServices, after filtering.
#include "services/shellopen.h"

#include "services/globals.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace bralvo::services {

namespace {

bool isExistingLocalFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isAbsolute() && info.isFile();
}

// The URL to hand to the desktop, or an invalid URL when refused.
QUrl allowedUrl(const QString &target)
{
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty())
        return QUrl();
    if (trimmed.startsWith(QLatin1Char('/')))
        return isExistingLocalFile(trimmed) ? QUrl::fromLocalFile(trimmed) : QUrl();
    const QUrl url(trimmed, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid())
        return QUrl();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.host().isEmpty() ? QUrl() : url;
    if (scheme == QLatin1String("mailto"))
        return url;
    if (scheme == QLatin1String("file") && url.isLocalFile() && isExistingLocalFile(url.toLocalFile()))
        return url;
    return QUrl();
}

} // namespace

bool OpenWithDesktop(const QString &target)
{
    const QUrl url = allowedUrl(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

QString HelpTopicPath(const QString &topic)
{
    return ProgramDir + QStringLiteral("help/") + topic + QStringLiteral(".htm");
}

void ShowHelpTopic(const QString &topic)
{
    if (topic.isEmpty() || topic.contains(QLatin1Char('/')) || topic.startsWith(QLatin1Char('.')))
        return;
    const QString path = HelpTopicPath(topic);
    if (isExistingLocalFile(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace bralvo::services
