// Query shortcuts of the database rule routines.
#include "db/rulesquery.h"

#include "db/database.h"
#include "db/esqliteexception.h"
#include "db/fieldreaders.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

namespace bralvo::db::rules {

TSQLiteDatabase &connection()
{
    if (!DbOpen || !DbConnection)
        throw ESQLiteException(QStringLiteral("Database is not open"));
    return *DbConnection;
}

bool queryHasRow(const QString &sql)
{
    return queryRowCount(sql) > 0;
}

int queryRowCount(const QString &sql)
{
    return connection().GetTable(sql)->RowCount();
}

QString queryFirstField(const QString &sql, const QString &fieldName, const QString &defaultValue)
{
    const auto table = connection().GetTable(sql);
    if (!table->MoveFirst())
        return defaultValue;
    return ReadFieldStr(*table, fieldName, defaultValue);
}

std::unique_ptr<TSQLiteTable> rowById(const char *table, const QString &idText)
{
    const QString id = SqlId(idText);
    if (id == QLatin1String("NULL"))
        return nullptr;
    auto row = connection().GetTable(QStringLiteral("SELECT * FROM ") + QLatin1String(table)
                                     + QStringLiteral(" WHERE id = ") + id);
    if (!row->MoveFirst())
        return nullptr;
    return row;
}

bool isYearText(const QString &year)
{
    if (year.size() != 4)
        return false;
    for (const QChar c : year) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString billTypeText(bool isAdvance)
{
    return isAdvance ? QStringLiteral("2") : QStringLiteral("1");
}

} // namespace bralvo::db::rules
