#include "report/data/sqliteprovider.h"

#include "report/data/dataerror.h"
#include "report/data/sqlitecursor.h"

#include <QDateTime>
#include <QRegularExpression>
#include <sqlite3.h>

namespace bralvo::data {

namespace {

const char *const kTimeoutText = "Command timeout expired";

// Frees the statement however the caller leaves.
struct StatementGuard {
    sqlite3_stmt *stmt;
    ~StatementGuard() { sqlite3_finalize(stmt); }
};

int textSize(const QString &upper)
{
    static const QRegularExpression re(QStringLiteral("\\(\\s*(\\d+)"));
    const auto m = re.match(upper);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void bindValue(sqlite3_stmt *stmt, int index, const platform::Variant &v)
{
    if (v.isNull() || v.isEmpty())
        sqlite3_bind_null(stmt, index);
    else if (v.isBoolean())
        sqlite3_bind_int(stmt, index, v.toBool() ? 1 : 0);
    else if (v.isIntegral())
        sqlite3_bind_int64(stmt, index, v.toInt64());
    else if (v.isFloat())
        sqlite3_bind_double(stmt, index, v.toDouble());
    else {
        const QByteArray utf8 = v.toString().toUtf8();
        sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
}

} // namespace

TFieldType sqliteDeclaredType(const QString &declared, int &size)
{
    const QString up = declared.toUpper();
    size = 0;
    auto has = [&up](const char *word) { return up.contains(QLatin1String(word)); };
    if (up.trimmed().isEmpty())
        return ftUnknown;
    if (has("BOOL"))
        return ftBoolean;
    if (has("INT"))
        return ftLargeint;
    if (has("DATETIME") || has("TIMESTAMP"))
        return ftDateTime;
    if (has("DATE"))
        return ftDate;
    if (has("TIME"))
        return ftTime;
    if (has("CHAR") || has("TEXT") || has("CLOB")) {
        size = textSize(up);
        return size > 0 ? ftWideString : ftWideMemo;
    }
    if (has("MONEY") || has("CURRENCY"))
        return ftCurrency;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUMERIC") || has("DECIMAL"))
        return ftFloat;
    if (has("BLOB"))
        return ftBlob;
    return ftUnknown;
}

SQLiteProvider::~SQLiteProvider()
{
    close();
}

void SQLiteProvider::open(const ConnectionString &cs)
{
    close();
    const QString file = cs.value(QStringLiteral("Data Source"));
    const QString mode = cs.value(QStringLiteral("Mode")).trimmed();
    const bool readOnly = mode.startsWith(QLatin1String("Read"), Qt::CaseInsensitive)
                          && !mode.startsWith(QLatin1String("ReadWrite"), Qt::CaseInsensitive);
    if (file.isEmpty())
        throw DataError(QStringLiteral("The connection string names no data source"));
    // A connection is used by one thread at a time: no lock around every
    // call of a row walk.
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(file.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        close();
        throw DataError(QStringLiteral("Cannot open database \"%1\": %2").arg(file, text));
    }
    sqlite3_busy_timeout(m_db, 7000);
    sqlite3_progress_handler(
        m_db, 1000,
        [](void *self) -> int {
            const qint64 deadline = static_cast<SQLiteProvider *>(self)->m_deadlineMs;
            return deadline > 0 && QDateTime::currentMSecsSinceEpoch() > deadline ? 1 : 0;
        },
        this);
}

void SQLiteProvider::close()
{
    if (m_db) {
        // A cursor still open keeps the connection alive; it must not call
        // back into a provider that is gone.
        sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }
    m_db = nullptr;
}

sqlite3_stmt *SQLiteProvider::prepare(const Command &command)
{
    if (!m_db)
        throw DataError(QStringLiteral("Connection is not open"));
    const QByteArray sql = command.sql.withNumberedMarks().toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &stmt, &tail) != SQLITE_OK)
        fail(nullptr);
    if (!stmt)
        throw DataError(QStringLiteral("The command text holds no statement"));
    for (int i = 0; i < command.values.size() && i < sqlite3_bind_parameter_count(stmt); ++i)
        bindValue(stmt, i + 1, command.values.at(i));
    m_deadlineMs = command.timeoutSeconds > 0
                       ? QDateTime::currentMSecsSinceEpoch() + qint64(command.timeoutSeconds) * 1000
                       : 0;
    return stmt;
}

void SQLiteProvider::fail(sqlite3_stmt *stmt)
{
    const int code = sqlite3_errcode(m_db);
    const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
    const bool timedOut = code == SQLITE_INTERRUPT && m_deadlineMs > 0;
    m_deadlineMs = 0;
    if (stmt)
        sqlite3_finalize(stmt);
    throw DataError(timedOut ? QString::fromLatin1(kTimeoutText) : text);
}

std::unique_ptr<RowCursor> SQLiteProvider::openCursor(const Command &command)
{
    sqlite3_stmt *stmt = prepare(command);
    // Opening a dataset must not change the database: a report whose SQL
    // was "DELETE FROM ..." emptied the table.
    if (!sqlite3_stmt_readonly(stmt)) {
        m_deadlineMs = 0;
        sqlite3_finalize(stmt);
        throw readOnlyError();
    }
    QList<ColumnInfo> columns;
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        ColumnInfo info;
        info.name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        info.type = sqliteDeclaredType(QString::fromUtf8(sqlite3_column_decltype(stmt, c)), info.size);
        columns.append(info);
    }
    m_deadlineMs = 0; // the cursor watches its own first step
    return std::make_unique<SQLiteCursor>(m_db, stmt, std::move(columns), &m_deadlineMs, command.timeoutSeconds);
}

std::unique_ptr<RowSet> SQLiteProvider::query(const Command &command)
{
    const std::unique_ptr<RowCursor> cursor = openCursor(command);
    auto rows = std::make_unique<RowSet>(cursor->columns());
    while (cursor->step())
        cursor->read(*rows);
    // A column that held only Nulls and declared nothing reads as text.
    for (int c = 0; c < rows->columnCount(); ++c)
        if (rows->column(c).type == ftUnknown)
            rows->column(c).type = ftWideString;
    return rows;
}

qint64 SQLiteProvider::execute(const Command &command)
{
    sqlite3_stmt *stmt = prepare(command);
    StatementGuard guard{stmt};
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(nullptr);
    m_deadlineMs = 0;
    return sqlite3_changes64(m_db);
}

QList<ColumnInfo> SQLiteProvider::describe(const Command &command)
{
    sqlite3_stmt *stmt = prepare(command);
    StatementGuard guard{stmt};
    m_deadlineMs = 0;
    QList<ColumnInfo> columns;
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        ColumnInfo info;
        info.name = QString::fromUtf8(sqlite3_column_name(stmt, c));
        info.type = sqliteDeclaredType(QString::fromUtf8(sqlite3_column_decltype(stmt, c)), info.size);
        if (info.type == ftUnknown)
            info.type = ftWideString;
        columns.append(info);
    }
    return columns;
}

QList<ColumnInfo> SQLiteProvider::tableColumns(const QString &table)
{
    Command command;
    command.sql = parseSqlParams(QStringLiteral("SELECT * FROM ") + quoteName(table));
    return describe(command);
}

QList<TableName> SQLiteProvider::tables()
{
    Command list;
    list.sql = parseSqlParams(QStringLiteral("PRAGMA database_list"));
    const auto databases = query(list);
    QList<TableName> out;
    for (int r = 0; r < databases->rowCount(); ++r) {
        const QString db = databases->text(r, 1);
        if (db == QLatin1String("temp"))
            continue;
        Command names;
        names.sql = parseSqlParams(QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type IN ('table','view') "
                                                  "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name")
                                       .arg(quoteName(db)));
        const auto rows = query(names);
        for (int i = 0; i < rows->rowCount(); ++i)
            out.append({db == QLatin1String("main") ? QString() : db, rows->text(i, 0)});
    }
    return out;
}

std::unique_ptr<RowSet> SQLiteProvider::callProcedure(const QString &, const Command &)
{
    throw DataError(QStringLiteral("SQLite has no stored procedures"));
}

} // namespace bralvo::data
