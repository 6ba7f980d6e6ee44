#include "report/data/sqlitecursor.h"

#include "report/data/dataerror.h"

#include <QDateTime>
#include <sqlite3.h>

namespace bralvo::data {

namespace {

TFieldType typeOfValue(int sqliteType)
{
    switch (sqliteType) {
    case SQLITE_INTEGER: return ftLargeint;
    case SQLITE_FLOAT: return ftFloat;
    case SQLITE_BLOB: return ftBlob;
    default: return ftWideString;
    }
}

} // namespace

SQLiteCursor::SQLiteCursor(sqlite3 *db, sqlite3_stmt *stmt, QList<ColumnInfo> columns, qint64 *deadline,
                           int timeoutSeconds)
    : m_db(db), m_stmt(stmt), m_columns(std::move(columns)), m_deadline(deadline), m_timeoutSeconds(timeoutSeconds)
{
    for (const ColumnInfo &c : std::as_const(m_columns))
        m_untyped += c.type == ftUnknown ? 1 : 0;
}

SQLiteCursor::~SQLiteCursor()
{
    sqlite3_finalize(m_stmt);
}

void SQLiteCursor::fail(int code, bool timed)
{
    const bool timedOut = code == SQLITE_INTERRUPT && timed;
    const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
    m_done = true;
    sqlite3_reset(m_stmt);
    throw DataError(timedOut ? QStringLiteral("Command timeout expired") : text);
}

bool SQLiteCursor::step()
{
    if (m_done)
        return false;
    // The deadline is set only around this step, so that it never
    // interrupts another statement of the connection.
    const bool timed = m_firstStep && m_timeoutSeconds > 0;
    if (timed)
        *m_deadline = QDateTime::currentMSecsSinceEpoch() + qint64(m_timeoutSeconds) * 1000;
    const int rc = sqlite3_step(m_stmt);
    if (timed)
        *m_deadline = 0;
    m_firstStep = false;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(rc, timed);
    // A statement run to its end holds no lock; stepping it again would
    // start it over, so the end is remembered.
    m_done = rc == SQLITE_DONE;
    return !m_done;
}

void SQLiteCursor::read(RowSet &rows)
{
    rows.appendRow();
    const int cols = int(m_columns.size());
    for (int c = 0; c < cols; ++c) {
        // One look-up per cell; the value calls need no connection lock.
        sqlite3_value *value = sqlite3_column_value(m_stmt, c);
        const int type = sqlite3_value_type(value);
        switch (type) {
        case SQLITE_INTEGER: rows.setInteger(c, sqlite3_value_int64(value)); break;
        case SQLITE_FLOAT: rows.setReal(c, sqlite3_value_double(value)); break;
        case SQLITE_TEXT: {
            const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
            rows.setUtf8(c, text, sqlite3_value_bytes(value));
            break;
        }
        case SQLITE_BLOB: {
            const auto *blob = static_cast<const char *>(sqlite3_value_blob(value));
            rows.setBytes(c, QByteArray(blob, sqlite3_value_bytes(value)));
            break;
        }
        default: continue;
        }
        if (m_untyped > 0 && m_columns.at(c).type == ftUnknown) {
            m_columns[c].type = typeOfValue(type);
            rows.column(c).type = m_columns.at(c).type;
            --m_untyped;
        }
    }
}

void SQLiteCursor::rewind()
{
    sqlite3_reset(m_stmt);
    m_done = false;
    m_firstStep = true;
}

} // namespace bralvo::data
