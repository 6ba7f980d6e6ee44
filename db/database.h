// The program's one database connection: opening the file named by the
// settings, creating the missing tables with their indexes and demo rows,
// and closing it.
//
// States: closed (DbOpen false) -> OpenDatabase -> open (DbOpen true)
// -> CloseDatabase -> closed. A failed first statement leaves it closed
// with no connection object. GUI thread only.
#pragma once

#include <QString>
#include <memory>

namespace bralvo::db {

class TSQLiteDatabase;

// The connection; null while closed.
extern std::unique_ptr<TSQLiteDatabase> DbConnection;
// The connection is usable.
extern bool DbOpen;
// Full path of the database file of the last OpenDatabase.
extern QString DbFilePath;
// Display name of the demo user.
extern const QString DemoUserName;  // "- DEMO user -"

// The folder of the database file: setting [General] Directory, or
// DataRoot + "Data/" when that is missing or empty; with a trailing "/".
QString DatabaseFolder();

// Opens DatabaseFolder() + "bralvo_data.txs" (creating the folder and the
// file) after removing what a crash left beside it (a cold journal, the
// temporary files of a restore; services/databasejournal.h, restore.h),
// waits up to 7000 ms for other processes' locks, sets synchronous
// FULL ([General] SafeMode, default true) or OFF, and creates every
// missing table. Returns false when that first statement fails: the
// interface then shows "DB error" (DatabaseUi) and nothing is left open.
// Throws ESQLiteException when the file cannot be opened or a table
// cannot be created (that table is then rolled back whole; DbOpen stays
// true). An existing database is not written to, and a database of a newer
// schema (user_version above SupportedDbVersion) gets no table at all, so
// that UpgradeDatabase can refuse it unchanged.
bool OpenDatabase();

// Closes the connection (rolling back anything uncommitted); DbOpen false.
// Harmless when already closed. Always true.
bool CloseDatabase();

// Each creates its table when missing, with its indexes and demo row, as
// one transaction; an existing table is left untouched. A failing CREATE
// INDEX is ignored (an index of that name may exist); any other failure
// rolls the table back and propagates.
void EnsureCompanyTable(TSQLiteDatabase &db);    // firma; a new file gets user_version 2
void EnsureUsersTable(TSQLiteDatabase &db);      // uzivatelia
void EnsureCustomersTable(TSQLiteDatabase &db);  // odberatelia
void EnsureCategoriesTable(TSQLiteDatabase &db); // kategorie_poloziek
void EnsureItemsTable(TSQLiteDatabase &db);      // polozky
void EnsureAccountsTable(TSQLiteDatabase &db);   // ucty
void EnsureNotesTable(TSQLiteDatabase &db);      // poznamky
void EnsureBillsTable(TSQLiteDatabase &db);      // faktury
void EnsureBillLinesTable(TSQLiteDatabase &db);  // sp_polozky
void EnsureAdvanceLinksTable(TSQLiteDatabase &db); // sp_zalfaktury
void EnsurePaymentsTable(TSQLiteDatabase &db);   // uhrady

} // namespace bralvo::db
