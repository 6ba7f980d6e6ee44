// Prepared statement guard.
#include "db/sqlstatement.h"

#include "db/tsqlitedatabase.h"

#include <sqlite3.h>

namespace bralvo::db {

SqlStatement::SqlStatement(TSQLiteDatabase &db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db.handle(), utf8.constData(), -1, &m_statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        db.RaiseSqlError(QStringLiteral("Error executing SQL"), sql);
    }
    if (!m_statement)
        db.RaiseSqlError(QStringLiteral("Could not prepare SQL statement"), sql);
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_statement);
}

int SqlStatement::step()
{
    return sqlite3_step(m_statement);
}

} // namespace bralvo::db
