// The SQLite provider: "Provider=SQLite;Data Source=FILE[;Mode=Read]".
// The file is never created (a mistyped path fails); Mode=Read opens it
// read-only. Field types come from the declared column types; a column
// without one (an expression) takes the type of its first non-null value.
#pragma once

#include "report/data/dbprovider.h"

struct sqlite3;
struct sqlite3_stmt;

namespace bralvo::data {

// The field type and size of a declared column type ("VARCHAR(40)").
// ftUnknown when the declaration says nothing the layer knows.
TFieldType sqliteDeclaredType(const QString &declared, int &size);

class SQLiteProvider : public Provider {
public:
    SQLiteProvider() = default;
    ~SQLiteProvider() override;

    void open(const ConnectionString &cs) override;
    void close() override;
    std::unique_ptr<RowSet> query(const Command &command) override;
    std::unique_ptr<RowCursor> openCursor(const Command &command) override;
    qint64 execute(const Command &command) override;
    QList<ColumnInfo> describe(const Command &command) override;
    QList<ColumnInfo> tableColumns(const QString &table) override;
    QList<TableName> tables() override;
    std::unique_ptr<RowSet> callProcedure(const QString &name, const Command &args) override;

    sqlite3 *handle() const { return m_db; }

private:
    sqlite3_stmt *prepare(const Command &command);
    [[noreturn]] void fail(sqlite3_stmt *stmt);

    sqlite3 *m_db = nullptr;
    qint64 m_deadlineMs = 0; // of the running command, 0 for none
};

} // namespace bralvo::data
