// The SQL text of a whole database in the form the sqlite3 shell's .dump
// writes (so either side can read the other's output), and running such a
// text into a new database. Bytes, not QString: the text is UTF-8 as
// SQLite stores it, passed through unchanged.
#pragma once

#include "platform/error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace bralvo::services {

// A backup or restore step failed; the text says which (for the log of
// the caller, not shown to the user as it is).
class BackupError : public Error {
public:
    using Error::Error;
};

// Receives the dump in pieces, in order.
using DumpSink = std::function<void(const QByteArray &chunk)>;

// Writes the .dump text of the database file, read in one read
// transaction (a consistent snapshot beside other connections), followed
// by "PRAGMA user_version=N;" just before the closing "COMMIT;" so the
// schema version survives a restore. The file is opened read-only and
// never created. Throws BackupError when the file is missing or not a
// database, on any SQLite error, and for a virtual table (the program
// creates none). Exceptions thrown by sink pass through.
void DumpDatabase(const QString &databaseFile, const DumpSink &sink);

// Runs dump text into databaseFile, which must be a new, empty database
// (a missing file is created). ATTACH (and with it VACUUM INTO) is
// refused, so a crafted file cannot write anywhere else. Throws
// BackupError when a statement fails, when the text leaves a transaction
// open (a cut-off dump), when "PRAGMA integrity_check" does not answer
// "ok", or when one of requiredTables is missing afterwards.
void LoadDump(const QByteArray &sqlText, const QString &databaseFile,
              const QStringList &requiredTables);

} // namespace bralvo::services
