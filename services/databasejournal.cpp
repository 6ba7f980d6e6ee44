// Journal checks through the SQLite library's own locking.
#include "services/databasejournal.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace bralvo::services {

namespace {

QString journalOf(const QString &databaseFile)
{
    return databaseFile + QStringLiteral("-journal");
}

// 0 when the write lock was taken, else the SQLite error code.
int takeWriteLock(sqlite3 *db)
{
    return sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
}

} // namespace

bool HasHotJournal(const QString &databaseFile)
{
    QFile journal(journalOf(databaseFile));
    if (!journal.open(QIODevice::ReadOnly))
        return false;
    char first = 0;
    return journal.read(&first, 1) == 1 && first != 0;
}

bool ClearColdJournal(const QString &databaseFile)
{
    const QString journal = journalOf(databaseFile);
    if (!QFileInfo::exists(journal))
        return true;
    if (!QFileInfo::exists(databaseFile)) {
        QFile::remove(journal);
        return true;
    }
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(databaseFile).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK)
        rc = takeWriteLock(db);
    const bool busy = rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
    // With the lock held nobody writes, so any journal left is stale; a
    // file SQLite cannot lock loses only a journal it would ignore.
    if (!busy && (rc == SQLITE_OK || !HasHotJournal(databaseFile)))
        QFile::remove(journal);
    sqlite3_close_v2(db);  // ends the transaction; harmless on nullptr
    return !busy;
}

} // namespace bralvo::services
