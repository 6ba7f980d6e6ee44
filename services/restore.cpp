// Restore: build aside, check, swap.
#include "services/restore.h"

#include "services/backup.h"
#include "services/databasejournal.h"
#include "services/gzipfile.h"
#include "services/messages.h"
#include "services/programhost.h"
#include "services/sqldump.h"
#include "services/uitexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace bralvo::services {

namespace {

// A dump of this program's data stays far below this; a backup that
// inflates beyond it is no backup of ours.
constexpr qint64 kMaxRestoredDumpBytes = qint64(1) << 30;  // 1 GiB

// Removes a database file with its journals.
void removeDatabaseFiles(const QString &file)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
}

// A free name for the replacement in the live file's folder (so the
// final rename stays on one file system).
QString reserveTemporaryName(const QString &databaseFile)
{
    QTemporaryFile reserved(databaseFile + QStringLiteral(".restore-XXXXXX"));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw BackupError(QStringLiteral("Cannot create a file beside %1").arg(databaseFile));
    return reserved.fileName();
}

// A hot journal (another connection writing, or changes a crash left that
// belong to the old file) or a write-ahead log must not meet the new file.
// A cold journal is only left over from a crash and is removed.
void checkNotInUse(const QString &databaseFile)
{
    if (HasHotJournal(databaseFile) || !ClearColdJournal(databaseFile)
        || QFileInfo::exists(databaseFile + QStringLiteral("-wal")))
        throw BackupError(QStringLiteral("%1 is in use").arg(databaseFile));
}

// The rename is durable only once its folder is written out: without this
// a power cut could bring the old database back after "restored".
void syncFolder(const QString &file)
{
    const int handle = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

// The replacement gets the old file's access rights (the temporary file
// was made private to the user), so others sharing the file keep access.
void keepPermissions(const QString &databaseFile, const QString &replacement)
{
    const QFileInfo old(databaseFile);
    if (old.isFile() && !QFile::setPermissions(replacement, old.permissions()))
        throw BackupError(QStringLiteral("Cannot set the rights of %1").arg(replacement));
}

} // namespace

void RestoreDatabaseFile(const QString &backupFile, const QString &databaseFile,
                         const RestorableSchema &schema)
{
    QFile compressed(backupFile);
    if (!compressed.open(QIODevice::ReadOnly))
        throw BackupError(QStringLiteral("Cannot read %1: %2").arg(backupFile, compressed.errorString()));
    GzipStreamReader reader(
        [&compressed]() {
            const QByteArray piece = compressed.read(64 * 1024);
            if (compressed.error() != QFileDevice::NoError)
                throw BackupError(QStringLiteral("Cannot read %1").arg(compressed.fileName()));
            return piece;
        },
        kMaxRestoredDumpBytes, backupFile);
    QDir().mkpath(QFileInfo(databaseFile).absolutePath());
    const QString temporary = reserveTemporaryName(databaseFile);
    try {
        LoadDumpStream([&reader]() { return reader.next(); }, temporary, schema);
        keepPermissions(databaseFile, temporary);
        checkNotInUse(databaseFile);
        if (std::rename(QFile::encodeName(temporary).constData(),
                        QFile::encodeName(databaseFile).constData()) != 0)
            throw BackupError(QStringLiteral("Cannot replace %1").arg(databaseFile));
    } catch (...) {
        removeDatabaseFiles(temporary);
        throw;
    }
    syncFolder(databaseFile);
}

void RemoveRestoreLeftovers(const QString &databaseFile)
{
    const QFileInfo live(databaseFile);
    static const QRegularExpression ours(QStringLiteral("^\\.restore-[A-Za-z0-9]{6}$"));
    const QString prefix = live.fileName();
    const QStringList names = live.dir().entryList({prefix + QStringLiteral(".restore-*")}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (!ours.match(name.mid(prefix.size())).hasMatch())
            continue;
        const QString leftover = live.dir().filePath(name);
        // One still being written is another instance's restore at work.
        if (ClearColdJournal(leftover))
            removeDatabaseFiles(leftover);
    }
}

void RestoreDatabase(const QString &backupFile)
{
    if (!QFileInfo(backupFile).isFile())
        return;
    ProgramHost &host = programHost();
    host.closeDatabase();
    bool restored = false;
    try {
        RestoreDatabaseFile(backupFile, LiveDatabaseFile(), host.restorableSchema());
        restored = true;
    } catch (const BackupError &) {
        restored = false;
    }
    ShowMessageBox(MessageText(restored ? 235 : 236), restored ? kMbInformation : kMbWarning);
    host.openDatabase();
    host.showLogin();
}

} // namespace bralvo::services
