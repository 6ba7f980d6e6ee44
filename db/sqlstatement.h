// A prepared statement that is finalized however its scope is left.
// Internal to the access layer (TSQLiteDatabase, TSQLiteTable).
#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3_stmt;

namespace bralvo::db {

class TSQLiteDatabase;

class SqlStatement {
public:
    // Prepares the first statement of the text. Throws "Error executing
    // SQL" (prepare failed) or "Could not prepare SQL statement" (the text
    // holds no statement), both through RaiseSqlError.
    SqlStatement(TSQLiteDatabase &db, const QString &sql);
    ~SqlStatement();

    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    // sqlite3_step's result code.
    int step();
    sqlite3_stmt *handle() const { return m_statement; }

private:
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace bralvo::db
