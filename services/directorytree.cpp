// Folder-tree copy and delete over QDir, links never followed; one-step
// file replacement.
#include "services/directorytree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include <unistd.h>

namespace bralvo::services {

namespace {

constexpr QDir::Filters kEveryEntry =
    QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

// Recreates the link with its stored target (relative stays relative).
bool copyLink(const QString &link, const QString &target)
{
    QByteArray stored(4096, '\0');
    const ssize_t length = ::readlink(QFile::encodeName(link).constData(), stored.data(), stored.size());
    if (length < 0 || length >= stored.size())
        return false;
    stored.truncate(length);
    QFile::remove(target);
    return ::symlink(stored.constData(), QFile::encodeName(target).constData()) == 0;
}

bool copyFile(const QString &file, const QString &target)
{
    // Removing the target first would delete the source itself.
    const QString canonical = QFileInfo(target).canonicalFilePath();
    if (!canonical.isEmpty() && canonical == QFileInfo(file).canonicalFilePath())
        return false;
    if (QFileInfo(target).isFile() || QFileInfo(target).isSymLink())
        QFile::remove(target);
    return QFile::copy(file, target);
}

bool copyTree(const QString &source, const QString &target, const QString &skipPath)
{
    if (!QDir().mkpath(target))
        return false;
    bool complete = true;
    const QFileInfoList entries = QDir(source).entryInfoList(kEveryEntry);
    for (const QFileInfo &entry : entries) {
        const QString to = target + QLatin1Char('/') + entry.fileName();
        if (entry.isSymLink())
            complete = copyLink(entry.absoluteFilePath(), to) && complete;
        else if (entry.isDir() && entry.canonicalFilePath() != skipPath)
            complete = copyTree(entry.absoluteFilePath(), to, skipPath) && complete;
        else if (!entry.isDir())
            complete = copyFile(entry.absoluteFilePath(), to) && complete;
    }
    return complete;
}

bool deleteTree(const QString &folder, bool removeRoot)
{
    const QFileInfo info(folder);
    bool complete = info.isReadable() && info.isExecutable();
    const QFileInfoList entries = QDir(folder).entryInfoList(kEveryEntry);
    for (const QFileInfo &entry : entries) {
        // A link (also to a folder) goes away as a link: unlink, never recurse.
        if (entry.isDir() && !entry.isSymLink())
            complete = deleteTree(entry.absoluteFilePath(), removeRoot) && complete;
        else if (!QFile::remove(entry.absoluteFilePath()))
            complete = false;
    }
    if (removeRoot)
        return QDir().rmdir(folder);
    return complete;
}

} // namespace

bool IsDirectory(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool CopyDirectoryTree(const QString &source, const QString &target)
{
    if (!IsDirectory(source) || target.isEmpty())
        return false;
    const QString from = QDir::cleanPath(QFileInfo(source).absoluteFilePath());
    const QString to = QDir::cleanPath(QFileInfo(target).absoluteFilePath());
    // A folder copied onto itself would lose every file; a caller moving a
    // folder must not go on to delete it either.
    const QString canonicalTarget = QFileInfo(to).canonicalFilePath();
    if (!canonicalTarget.isEmpty() && canonicalTarget == QFileInfo(from).canonicalFilePath())
        return false;
    if (!QDir().mkpath(to))
        return false;
    // The target may lie inside the source; it must not be copied into itself.
    return copyTree(from, to, QFileInfo(to).canonicalFilePath());
}

bool DeleteDirectoryTree(const QString &folder, bool removeRoot)
{
    if (folder.isEmpty())
        return false;
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QFileInfo info(path);
    if (path == QLatin1String("/") || info.canonicalFilePath() == QLatin1String("/"))
        return false;
    if (info.isSymLink() || !info.isDir())
        return false;
    return deleteTree(path, removeRoot);
}

bool ReplaceFile(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        return true;
    const QString temporary = target + QStringLiteral(".copying");
    QFile::remove(temporary);
    if (QFile::copy(source, temporary)
        && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0)
        return true;
    QFile::remove(temporary);
    return false;
}

} // namespace bralvo::services
