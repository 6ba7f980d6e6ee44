// The eleven tables of the bill database as the program creates them:
// columns, CREATE text and indexes. The CREATE text is what sqlite_master
// keeps, so it must not change: lines joined with CR LF, a CR LF after
// the last line, "[name] TYPE" per column.
#pragma once

#include "services/sqldump.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace bralvo::db {

inline constexpr int SupportedDbVersion = 2;  // PRAGMA user_version written by this program
inline constexpr char DbFileName[] = "bralvo_data.txs";

struct TableSchema {
    QString name;
    QStringList columns;   // after [ID]: "nazov TEXT", "existuje INTEGER"
    QStringList indexes;   // CREATE INDEX statements, in creation order
};

// The tables in creation order: firma, uzivatelia, odberatelia,
// kategorie_poloziek, polozky, ucty, poznamky, faktury, sp_polozky,
// sp_zalfaktury, uhrady.
const QList<TableSchema> &schemaTables();

// The table of that name (exact, lower case). Throws ESQLiteException
// "Unknown table: <name>" for a name not in the schema.
const TableSchema &schemaTable(const QString &name);

// "CREATE TABLE <name> (" CR LF "[ID] INTEGER PRIMARY KEY AUTOINCREMENT
// UNIQUE," CR LF ... "[last] TYPE" CR LF ");" CR LF.
QString createTableSql(const TableSchema &table);

// What a restored database may hold: these tables, the indexes of a new
// database and those the upgrade from version 1 made (it names the index
// on faktury.id_poznamka "id_pvoznamka"), up to SupportedDbVersion.
services::RestorableSchema restorableSchema();

} // namespace bralvo::db
