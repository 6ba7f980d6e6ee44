// The transaction guard: every routine that writes holds one.
//
//   Transaction tx(db);   // BEGIN IMMEDIATE, or SAVEPOINT when one is open
//   ...writes...          // throw ESQLiteException on failure
//   tx.commit();          // else ~Transaction rolls back
//
// The outermost guard begins with BEGIN IMMEDIATE, so a second program
// instance waits (busy timeout) instead of failing half-way. A guard made
// while a transaction is already open (another guard, or a raw
// BeginTransaction) is a savepoint: rolling it back undoes only its own
// work and leaves the outer transaction open. Guards must end in reverse
// order of creation (they live on the stack).
#pragma once

#include <QString>

namespace bralvo::db {

class TSQLiteDatabase;

class Transaction {
public:
    // Throws ESQLiteException when the transaction cannot begin (another
    // writer kept the lock past the busy timeout, a closed file).
    explicit Transaction(TSQLiteDatabase &db);
    // Rolls back what was not committed. Never throws.
    ~Transaction();

    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // Makes the work permanent (COMMIT, or RELEASE of the savepoint).
    // Throws ESQLiteException when that fails, for example when the
    // library already rolled the transaction back after an I/O error; the
    // destructor then rolls back what is left. A second call is a no-op.
    void commit();

    // Whether this guard is a savepoint inside an outer transaction.
    bool isNested() const { return m_nested; }

private:
    QString savepointName() const;

    TSQLiteDatabase &m_db;
    int m_level = 0;
    bool m_nested = false;
    bool m_done = false;
};

} // namespace bralvo::db
