// A SQLite statement read row by row. The command timeout bounds each run
// of the statement up to its first row (the provider's progress handler
// watches the deadline); stepping on from there has no limit, since a
// report may take its time between rows. Rewinding resets the statement,
// which lets go of the read lock it holds.
#pragma once

#include "report/data/rowcursor.h"

struct sqlite3;
struct sqlite3_stmt;

namespace bralvo::data {

class SQLiteCursor : public RowCursor {
public:
    // Takes the prepared statement; deadline is the provider's slot that
    // its progress handler reads.
    SQLiteCursor(sqlite3 *db, sqlite3_stmt *stmt, QList<ColumnInfo> columns, qint64 *deadline, int timeoutSeconds);
    ~SQLiteCursor() override;
    SQLiteCursor(const SQLiteCursor &) = delete;
    SQLiteCursor &operator=(const SQLiteCursor &) = delete;

    const QList<ColumnInfo> &columns() const override { return m_columns; }
    bool step() override;
    void read(RowSet &rows) override;
    void rewind() override;

private:
    [[noreturn]] void fail(int code, bool timed);

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt;
    QList<ColumnInfo> m_columns;
    qint64 *m_deadline;
    int m_timeoutSeconds;
    int m_untyped = 0; // columns still waiting for a value to type them
    bool m_firstStep = true;
    bool m_done = false;
};

} // namespace bralvo::data
