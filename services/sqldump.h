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

// What a restored database may hold: the tables it must have (and the
// only ones besides SQLite's own), the CREATE INDEX statements any version
// of the program wrote, and the newest schema version this program knows.
// A database of a later version is not checked here: the program's
// upgrade refuses it.
struct RestorableSchema {
    QStringList tables;
    QStringList indexes;
    int version = 0;
};

// Runs dump text into databaseFile, which must be a new, empty database
// (a missing file is created), statement by statement as the text comes
// from nextText (an empty piece ends it). Only the statement kinds a dump
// holds run: table, index, view and trigger creation, inserts of values
// (replace() and char() allowed), emptying sqlite_sequence, the
// foreign_keys and user_version pragmas, ANALYZE and transaction control;
// reads, other functions (randomblob, zeroblob, ...), recursive queries,
// ATTACH (and with it VACUUM INTO) and every other statement are refused,
// and a statement running longer than a minute is stopped. Throws
// BackupError for a refused or failing statement, a NUL byte in the text,
// a statement beyond 256 MiB, a transaction left open (a cut-off dump),
// an integrity check other than "ok", a table of schema missing, or an
// object schema does not name (a trigger, a view, another table or index).
void LoadDumpStream(const std::function<QByteArray()> &nextText, const QString &databaseFile,
                    const RestorableSchema &schema);
// LoadDumpStream over one text.
void LoadDump(const QByteArray &sqlText, const QString &databaseFile, const RestorableSchema &schema);

} // namespace bralvo::services
