// Transaction guard: BEGIN IMMEDIATE outermost, savepoints inside.
#include "db/transaction.h"

#include "db/tsqlitedatabase.h"

namespace bralvo::db {

Transaction::Transaction(TSQLiteDatabase &db)
    : m_db(db), m_level(db.m_guardDepth + 1), m_nested(db.InTransaction())
{
    if (m_nested)
        m_db.ExecSql(QStringLiteral("SAVEPOINT %1;").arg(savepointName()));
    else
        m_db.BeginTransaction();
    m_db.m_guardDepth = m_level;
}

Transaction::~Transaction()
{
    m_db.m_guardDepth = m_level - 1;
    if (m_done)
        return;
    try {
        if (!m_nested) {
            m_db.Rollback();
        } else if (m_db.InTransaction()) {
            m_db.ExecSql(QStringLiteral("ROLLBACK TO %1;").arg(savepointName()));
            m_db.ExecSql(QStringLiteral("RELEASE %1;").arg(savepointName()));
        }
    } catch (...) {
        // Nothing sound is left to do: the outer guard or closing the
        // connection rolls back the rest.
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    if (m_nested)
        m_db.ExecSql(QStringLiteral("RELEASE %1;").arg(savepointName()));
    else
        m_db.Commit();
    m_done = true;
}

QString Transaction::savepointName() const
{
    return QStringLiteral("bralvo_guard_%1").arg(m_level);
}

} // namespace bralvo::db
