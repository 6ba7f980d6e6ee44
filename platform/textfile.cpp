// Whole-file text reading (UTF-8 or Windows-1250) and atomic writing.
#include "platform/textfile.h"

#include "platform/textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace bralvo::platform {

std::optional<QString> readTextFile(const QString &path)
{
    try {
        return readTextFileOrThrow(path);
    } catch (const FileError &) {
        return std::nullopt;
    }
}

std::optional<QString> readTextFileOrThrow(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Cannot read the file \"%1\".").arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Cannot read the file \"%1\".").arg(path));
    return decodeText(bytes);
}

bool writeTextFileAtomic(const QString &path, const QString &text)
{
    return writeFileAtomic(path, text.toUtf8());
}

bool writeFileAtomic(const QString &path, const QByteArray &bytes)
{
    // QSaveFile would happily rename over a read-only file; a read-only
    // file means "do not change me". The owner's write bit is the
    // read-only attribute, which holds even for root.
    const QFileInfo info(path);
    const bool readOnly =
        info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner));
    if (path.isEmpty() || info.isDir() || readOnly)
        return false;
    // QSaveFile: a crash or a full disk must never leave half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace bralvo::platform
