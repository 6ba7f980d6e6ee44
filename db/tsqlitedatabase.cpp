// The connection class over the system SQLite library.
#include "db/tsqlitedatabase.h"

#include "db/esqliteexception.h"
#include "db/sqlstatement.h"
#include "db/systemcollation.h"
#include "db/tsqlitetable.h"

#include <sqlite3.h>

namespace bralvo::db {

namespace {

// Only ASCII letters, as SQLite's own lower() does.
QString asciiLower(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return result;
}

QString quoted(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

TSQLiteDatabase::TSQLiteDatabase(const QString &fileName)
{
    const int rc = sqlite3_open(fileName.toUtf8().constData(), &m_handle);
    if (rc != SQLITE_OK) {
        const QString format = m_handle
            ? QStringLiteral("Failed to open database \"%1\" : %2")
                  .arg(fileName, QString::fromUtf8(sqlite3_errmsg(m_handle)))
            : QStringLiteral("Failed to open database \"%1\" : unknown error").arg(fileName);
        sqlite3_close(m_handle);  // a failed open still hands out a handle to free
        m_handle = nullptr;
        throw ESQLiteException(format);
    }
    registerSystemCollation(m_handle);
}

TSQLiteDatabase::~TSQLiteDatabase()
{
    if (!m_handle)
        return;
    if (InTransaction())
        sqlite3_exec(m_handle, "ROLLBACK;", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_handle);
}

void TSQLiteDatabase::ExecSql(const QString &sql)
{
    SqlStatement statement(*this, sql);
    if (statement.step() != SQLITE_DONE)
        RaiseSqlError(QStringLiteral("Error executing SQL statement"), sql);
}

std::unique_ptr<TSQLiteTable> TSQLiteDatabase::GetTable(const QString &sql)
{
    return std::make_unique<TSQLiteTable>(*this, sql);
}

void TSQLiteDatabase::BeginTransaction()
{
    if (InTransaction())
        throw ESQLiteException(QStringLiteral("Transaction already open"));
    ExecSql(QStringLiteral("BEGIN IMMEDIATE TRANSACTION;"));
}

void TSQLiteDatabase::Commit()
{
    ExecSql(QStringLiteral("COMMIT;"));
}

void TSQLiteDatabase::Rollback()
{
    if (InTransaction())
        ExecSql(QStringLiteral("ROLLBACK;"));
}

bool TSQLiteDatabase::InTransaction() const
{
    return m_handle && sqlite3_get_autocommit(m_handle) == 0;
}

bool TSQLiteDatabase::TableExists(const QString &tableName)
{
    const QString sql = QStringLiteral(
        "select [sql] from sqlite_master where [type] = 'table' and lower(name) = %1 ")
        .arg(quoted(asciiLower(tableName)));
    return GetTable(sql)->RowCount() > 0;
}

void TSQLiteDatabase::SetBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_handle, milliseconds);
}

int TSQLiteDatabase::RegisterSystemCollation()
{
    return registerSystemCollation(m_handle);
}

void TSQLiteDatabase::RaiseSqlError(const QString &message, const QString &sql) const
{
    if (m_handle && sqlite3_errcode(m_handle) != SQLITE_OK) {
        const char *libraryText = sqlite3_errmsg(m_handle);
        if (libraryText && *libraryText) {
            throw ESQLiteException(message + QStringLiteral(" \"%1\" : %2")
                                                 .arg(sql, QString::fromUtf8(libraryText)));
        }
    }
    throw ESQLiteException(message);
}

} // namespace bralvo::db
