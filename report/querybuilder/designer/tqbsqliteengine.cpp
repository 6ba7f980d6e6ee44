// The query-builder engine over SQLite.
#include "report/querybuilder/designer/tqbsqliteengine.h"

#include "report/querybuilder/eqberror.h"

#include <sqlite3.h>

namespace bralvo::report {

namespace {

// Closes a statement however the block is left.
struct Statement {
    sqlite3_stmt *stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

QString columnText(sqlite3_stmt *stmt, int i)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

qint32 FieldTypeOfDeclaredType(const QString &declared)
{
    const QString t = declared.trimmed().toUpper();
    const auto has = [&t](const char *word) { return t.contains(QLatin1String(word)); };
    if (has("BIGINT") || has("INT64"))
        return 25;
    if (has("SMALLINT"))
        return 2;
    if (has("INT"))
        return 3;
    if (has("DATETIME") || has("TIMESTAMP"))
        return 11;
    if (has("DATE"))
        return 9;
    if (has("TIME"))
        return 10;
    if (has("BOOL"))
        return 5;
    if (has("CURRENCY") || has("MONEY"))
        return 7;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUMERIC") || has("DECIMAL"))
        return 6;
    if (has("MEMO"))
        return 16;
    if (has("BLOB"))
        return 15;
    return 1;
}

QString ConnectionStringValue(const QString &connection, const QString &key)
{
    if (!connection.contains(QLatin1Char('=')))
        return key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0 ? connection.trimmed()
                                                                                    : QString();
    for (const QString &part : connection.split(QLatin1Char(';'))) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq > 0 && part.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1).trimmed();
    }
    return QString();
}

TqbSqliteEngine::TqbSqliteEngine(const QString &fileName)
{
    const QByteArray name = fileName.toUtf8();
    if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const QString why = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EqbError(QStringLiteral("Cannot open the database \"%1\": %2").arg(fileName, why));
    }
    // A file that is no database fails on its first read, so read now.
    QStringList probe;
    try {
        ReadTableList(probe);
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

TqbSqliteEngine::~TqbSqliteEngine()
{
    sqlite3_close(m_db);
}

void TqbSqliteEngine::fail(const QString &what) const
{
    throw EqbError(what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void TqbSqliteEngine::ReadTableList(QStringList &list)
{
    list.clear();
    Statement s;
    const char *sql = "SELECT name FROM sqlite_master WHERE type IN ('table','view') "
                      "AND name NOT LIKE 'sqlite_%' ORDER BY name";
    if (sqlite3_prepare_v2(m_db, sql, -1, &s.stmt, nullptr) != SQLITE_OK)
        fail(QStringLiteral("Cannot list the tables"));
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW)
        list.append(columnText(s.stmt, 0));
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("Cannot list the tables"));
}

void TqbSqliteEngine::ReadFieldList(const QString &tableName, QList<TqbField> &fieldList)
{
    fieldList.clear();
    fieldList.append({QStringLiteral("*"), 0});
    Statement s;
    if (sqlite3_prepare_v2(m_db, "SELECT name, type FROM pragma_table_info(?1)", -1, &s.stmt, nullptr)
        != SQLITE_OK)
        fail(QStringLiteral("Cannot read the fields of %1").arg(tableName));
    const QByteArray name = tableName.toUtf8();
    sqlite3_bind_text(s.stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(s.stmt) == SQLITE_ROW)
        fieldList.append({columnText(s.stmt, 0), FieldTypeOfDeclaredType(columnText(s.stmt, 1))});
}

void TqbSqliteEngine::Open()
{
    Close();
    if (m_sql.trimmed().isEmpty())
        return;
    Statement s;
    const QByteArray sql = m_sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &s.stmt, nullptr) != SQLITE_OK)
        fail(QStringLiteral("Cannot run the query"));
    const int columns = sqlite3_column_count(s.stmt);
    QStringList headers;
    for (int i = 0; i < columns; ++i)
        headers.append(QString::fromUtf8(sqlite3_column_name(s.stmt, i)));
    m_rows.setColumnCount(columns);
    m_rows.setHorizontalHeaderLabels(headers);
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        QList<QStandardItem *> row;
        for (int i = 0; i < columns; ++i)
            row.append(new QStandardItem(columnText(s.stmt, i)));
        m_rows.appendRow(row);
    }
    if (rc != SQLITE_DONE) {
        Close();
        fail(QStringLiteral("Cannot run the query"));
    }
}

void TqbSqliteEngine::Close()
{
    m_rows.clear();
}

} // namespace bralvo::report
