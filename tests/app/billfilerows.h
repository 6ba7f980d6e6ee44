// The bill tables of the program's database file as texts, read with the
// sqlite3 library beside the program's own connection. Ids are left out
// and every reference to a bill reads as that bill's type, year and
// number, so a bill stored again under a new id reads the same.
#pragma once

#include <QString>
#include <QStringList>
#include <sqlite3.h>

namespace bralvo::test {

namespace billfilerows {

inline QStringList query(sqlite3 *db, const QString &sql)
{
    QStringList rows;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        return {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db)) + QStringLiteral(" in ") + sql};
    while (sqlite3_step(statement) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return rows;
}

// "quote(a)||'|'||quote(b)..." over the table's columns; the id is left
// out and each bill reference becomes the referred bill's key.
inline QString rowText(sqlite3 *db, const QString &table, const QStringList &billRefs)
{
    QStringList items;
    for (const QString &column : query(db, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table))) {
        if (column.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0)
            continue;
        const QString value = billRefs.contains(column)
            ? QStringLiteral("(SELECT f.typ||'/'||strftime('%Y',f.datum_vystavenia)||'/'||f.cislo FROM faktury f "
                             "WHERE f.id = t.%1)").arg(column)
            : QStringLiteral("t.") + column;
        items << QStringLiteral("'%1='||quote(%2)").arg(column, value);
    }
    return items.join(QStringLiteral("||'|'||"));
}

} // namespace billfilerows

// Rows of faktury, sp_polozky, sp_zalfaktury and uhrady in the file, one
// text each. Bills are sorted by their texts; the lines and payments of a
// bill keep their stored order.
inline QStringList BillRowsOfFile(const QString &path)
{
    using namespace billfilerows;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {QStringLiteral("cannot open ") + path};
    }
    QStringList bills = query(db, QStringLiteral("SELECT ") + rowText(db, "faktury", {}) + " FROM faktury t");
    bills.sort();
    QStringList rows = bills;
    const struct { const char *table; QStringList refs; bool sorted; } children[] = {
        {"sp_polozky", {"id_faktura"}, false},
        {"sp_zalfaktury", {"id_faktura", "id_zalfaktura"}, true},
        {"uhrady", {"id_faktura"}, false},
    };
    for (const auto &child : children) {
        const QString table = QString::fromLatin1(child.table);
        QStringList found = query(db, QStringLiteral("SELECT '%1 '||").arg(table) + rowText(db, table, child.refs)
                                          + QStringLiteral(" FROM %1 t ORDER BY ").arg(table)
                                          + QStringLiteral("(SELECT f.typ||'/'||f.cislo FROM faktury f WHERE f.id = "
                                                           "t.id_faktura), t.id"));
        if (child.sorted)
            found.sort();
        rows << found;
    }
    sqlite3_close(db);
    return rows;
}

} // namespace bralvo::test
