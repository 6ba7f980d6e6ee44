// One connection to an SQLite database file. Every query and change of
// the program goes through this class and the result class TSQLiteTable.
// SQL text is handed in as QString and reaches SQLite as UTF-8; only the
// first statement of a text is ever run, the rest is ignored.
//
// Transactions: BeginTransaction/Commit/Rollback handle the outermost
// one (BEGIN IMMEDIATE, since another program instance may share the
// file); nested use goes through the Transaction guard (transaction.h),
// which turns it into a savepoint. Every error throws ESQLiteException
// with the exact texts below. GUI thread only.
#pragma once

#include <QString>
#include <memory>

struct sqlite3;

namespace bralvo::db {

class TSQLiteTable;

class TSQLiteDatabase {
public:
    // Opens the file, creating it when missing, and registers the
    // "SYSTEM" collation. Throws
    //   "Failed to open database \"<file>\" : <library text>"
    //   "Failed to open database \"<file>\" : unknown error" (no handle).
    // Nothing is left open when it throws.
    explicit TSQLiteDatabase(const QString &fileName);
    // Rolls back a transaction left open, then closes the file. Never throws.
    ~TSQLiteDatabase();

    TSQLiteDatabase(const TSQLiteDatabase &) = delete;
    TSQLiteDatabase &operator=(const TSQLiteDatabase &) = delete;

    // Runs the first statement of the text, which must return no rows.
    // Throws "Error executing SQL" (prepare failed), "Could not prepare SQL
    // statement" (no statement in the text), "Error executing SQL
    // statement" (a row, busy or a failing step), each followed by
    // " \"<sql>\" : <library text>" when the library reports an error.
    void ExecSql(const QString &sql);

    // Reads the whole result of the first statement of the text; see
    // TSQLiteTable for the errors. The caller owns the result.
    std::unique_ptr<TSQLiteTable> GetTable(const QString &sql);

    // Starts the outermost write transaction with BEGIN IMMEDIATE.
    // Throws "Transaction already open" when one is open (it stays open).
    void BeginTransaction();
    // COMMIT; when it throws, the transaction stays open.
    void Commit();
    // ROLLBACK of the open transaction; a no-op when none is open (the
    // library may already have rolled it back after an I/O error).
    void Rollback();
    // Whether a transaction is open on the connection, whoever began it.
    bool InTransaction() const;

    // Whether a table of that name exists; ASCII letters compare without
    // regard to case. The name is quoted safely.
    bool TableExists(const QString &tableName);

    // How long a statement waits for another process's lock, in ms.
    void SetBusyTimeout(int milliseconds);

    // Registers "SYSTEM" again (the constructor already did); returns the
    // library's result code.
    int RegisterSystemCollation();

    // Always throws: the message, plus " \"<sql>\" : <library text>" when
    // the library reports a non-zero error code with a text.
    [[noreturn]] void RaiseSqlError(const QString &message, const QString &sql) const;

    // The library handle, for code that needs the C API (backup, dump).
    sqlite3 *handle() const { return m_handle; }

private:
    friend class Transaction;

    sqlite3 *m_handle = nullptr;
    int m_guardDepth = 0;  // Transaction guards open on this connection
};

} // namespace bralvo::db
