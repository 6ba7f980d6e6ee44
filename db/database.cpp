// Opening, creating and closing the bill database.
#include "db/database.h"

#include "db/databaseui.h"
#include "db/demorows.h"
#include "db/esqliteexception.h"
#include "db/schema.h"
#include "db/sqlhelpers.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/folders.h"
#include "services/databasejournal.h"
#include "services/globals.h"
#include "services/restore.h"
#include "services/settings.h"

#include <QDir>
#include <functional>

namespace bralvo::db {

std::unique_ptr<TSQLiteDatabase> DbConnection;
bool DbOpen = false;
QString DbFilePath;
const QString DemoUserName = QStringLiteral("- DEMO user -");

namespace {

using DemoRow = std::function<void(TSQLiteDatabase &)>;

// A failing CREATE INDEX is tolerated, but only if the transaction
// survived it: after an I/O error the library may have rolled back.
void tryCreateIndex(TSQLiteDatabase &db, const QString &sql)
{
    try {
        Transaction savepoint(db);
        db.ExecSql(sql);
        savepoint.commit();
    } catch (const ESQLiteException &) {
        if (!db.InTransaction())
            throw;
    }
}

// Creates the table, then its demo row, then its indexes, all or nothing.
void ensureTable(TSQLiteDatabase &db, const QString &name, const DemoRow &demoRow = {})
{
    if (db.TableExists(name))
        return;
    const TableSchema &table = schemaTable(name);
    Transaction tx(db);
    if (!EnsureTable(db, name, createTableSql(table))) {
        if (demoRow)
            demoRow(db);
        for (const QString &index : table.indexes)
            tryCreateIndex(db, index);
    }
    tx.commit();
}

int storedSchemaVersion(TSQLiteDatabase &db)
{
    const auto table = db.GetTable(QStringLiteral("PRAGMA user_version;"));
    table->MoveFirst();
    return int(table->FieldAsInteger(0));
}

// No table yet besides the firma table being created.
bool isNewFile(TSQLiteDatabase &db)
{
    return db.GetTable(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                      "AND name NOT IN ('firma', 'sqlite_sequence')"))
               ->RowCount()
        == 0;
}

QString defaultDatabaseFolder()
{
    const QString root = services::DataRoot.isEmpty() ? platform::dataRootFolder() : services::DataRoot;
    return platform::withTrailingSlash(root) + QStringLiteral("Data/");
}

} // namespace

QString DatabaseFolder()
{
    const QString fallback = defaultDatabaseFolder();
    QString folder = services::ReadSetting(QStringLiteral("General"), QStringLiteral("Directory"), fallback);
    if (folder.isEmpty())
        folder = fallback;
    return platform::withTrailingSlash(folder);
}

bool OpenDatabase()
{
    const QString folder = DatabaseFolder();
    QDir().mkpath(folder);
    DbFilePath = folder + QLatin1String(DbFileName);
    DbOpen = false;
    DbConnection.reset();
    // What a crash left: a cold journal that would count as "in use" until
    // the next write, and the temporary file of an interrupted restore.
    services::ClearColdJournal(DbFilePath);
    services::RemoveRestoreLeftovers(DbFilePath);
    auto connection = std::make_unique<TSQLiteDatabase>(DbFilePath);
    connection->SetBusyTimeout(7000);
    const bool safeMode = services::ReadSettingBool(QStringLiteral("General"), QStringLiteral("SafeMode"), true);
    try {
        connection->ExecSql(safeMode ? QStringLiteral("PRAGMA synchronous = FULL;")
                                     : QStringLiteral("PRAGMA synchronous = OFF;"));
    } catch (const ESQLiteException &) {
        databaseUi().showDatabaseError();
        return false;  // the connection is closed as it goes out of scope
    }
    DbConnection = std::move(connection);
    DbOpen = true;
    DbConnection->RegisterSystemCollation();
    TSQLiteDatabase &db = *DbConnection;
    // A newer program's file is left exactly as it is (a missing table is
    // not ours to add, and a new firma table would mark it version 2):
    // UpgradeDatabase refuses it next.
    if (storedSchemaVersion(db) > SupportedDbVersion)
        return true;
    EnsureCompanyTable(db);
    EnsureUsersTable(db);
    EnsureCustomersTable(db);
    EnsureCategoriesTable(db);
    EnsureItemsTable(db);
    EnsureAccountsTable(db);
    EnsureNotesTable(db);
    EnsureBillsTable(db);
    EnsureBillLinesTable(db);
    EnsureAdvanceLinksTable(db);
    EnsurePaymentsTable(db);
    return true;
}

bool CloseDatabase()
{
    DbConnection.reset();
    DbOpen = false;
    return true;
}

void EnsureCompanyTable(TSQLiteDatabase &db)
{
    // A new database starts at the current schema version; an older file
    // that merely lacks firma keeps its version, so it is still upgraded.
    ensureTable(db, QStringLiteral("firma"), [](TSQLiteDatabase &d) {
        if (isNewFile(d))
            d.ExecSql(QStringLiteral("PRAGMA user_version = %1;").arg(SupportedDbVersion));
        InsertDemoCompany(d);
    });
}

void EnsureUsersTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("uzivatelia"), InsertDemoUser); }
void EnsureCustomersTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("odberatelia")); }
void EnsureCategoriesTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("kategorie_poloziek")); }
void EnsureItemsTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("polozky")); }
void EnsureAccountsTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("ucty"), InsertDemoAccount); }
void EnsureNotesTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("poznamky"), InsertDemoNote); }
void EnsureBillsTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("faktury")); }
void EnsureBillLinesTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("sp_polozky")); }
void EnsureAdvanceLinksTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("sp_zalfaktury")); }
void EnsurePaymentsTable(TSQLiteDatabase &db) { ensureTable(db, QStringLiteral("uhrady")); }

} // namespace bralvo::db
