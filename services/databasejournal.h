// The rollback journal beside a database file after a crash. A journal
// whose header is empty or zeroed is cold: SQLite ignores it, but it stays
// beside the file until the next write and used to read as "in use". A
// hot one holds changes SQLite rolls back on the next read.
#pragma once

#include <QString>

namespace bralvo::services {

// True when databaseFile + "-journal" exists and is hot: not empty and
// its first byte not zero.
bool HasHotJournal(const QString &databaseFile);

// When a journal lies beside databaseFile: takes the file's write lock
// without waiting and, holding it, removes the journal, which is then left
// over (SQLite rolls a hot one back while the lock is taken). False when
// another connection holds the lock: the file is in use and nothing is
// removed. A missing file or one that is no database only loses a cold
// journal. True without a journal. Never creates databaseFile.
bool ClearColdJournal(const QString &databaseFile);

} // namespace bralvo::services
