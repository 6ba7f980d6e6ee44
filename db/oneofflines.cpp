// One-off line items.
#include "db/oneofflines.h"

#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

namespace bralvo::db {

namespace {

QString reusableId(const OneOffItem &item)
{
    if (!ItemNameTaken(item.name, true))
        return QString();
    const auto table = rules::connection().GetTable(QStringLiteral("SELECT * FROM polozky WHERE (nazov = ")
                                                    + SqlQuoted(item.name) + QStringLiteral(")"));
    for (table->MoveFirst(); !table->IsEof(); table->NextRow()) {
        if (ReadFieldStr(*table, QStringLiteral("kod"), QString()) == item.code &&
            ReadFieldStr(*table, QStringLiteral("merna_jednotka"), QString()) == item.unit &&
            ReadFieldStr(*table, QStringLiteral("dph"), QString()) == item.vatText)
            return ReadFieldStr(*table, QStringLiteral("id"), QString());
    }
    return QString();
}

} // namespace

QString OneOffItemId(const OneOffItem &item)
{
    const QString found = reusableId(item);
    if (!found.isEmpty() && found != QLatin1String("NULL"))
        return found;
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(JoinSqlLines({
        QStringLiteral("INSERT INTO polozky ("),
        QStringLiteral("nazov, kod, id_kategoria, merna_jednotka, dph, cena, za_mj, interna_poznamka, existuje) VALUES ("),
        SqlQuoted(item.name) + QLatin1Char(','),
        SqlQuoted(item.code) + QLatin1Char(','),
        QStringLiteral("NULL,"),
        SqlQuoted(item.unit) + QLatin1Char(','),
        NumberToSqlText(item.vatText) + QLatin1Char(','),
        NumberToSqlText(item.price) + QLatin1Char(','),
        NumberToSqlText(item.perUnits) + QLatin1Char(','),
        QStringLiteral("'',"),
        QStringLiteral("1)"),
    }));
    const auto inserted = db.GetTable(QStringLiteral("SELECT last_insert_rowid() AS `id`"));
    inserted->MoveFirst();
    const QString id = inserted->FieldAsString(0);
    db.ExecSql(QStringLiteral("UPDATE polozky SET existuje=0 WHERE id = ") + SqlId(id));
    tx.commit();
    return id;
}

} // namespace bralvo::db
