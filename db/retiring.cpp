// The retiring rule, the reference checks behind it and the deletes.
#include "db/retiring.h"

#include "db/accountscope.h"
#include "db/billnumbering.h"
#include "db/lookups.h"
#include "db/recordhelpers.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"

#include <functional>

namespace bralvo::db {

using rules::queryHasRow;

namespace {

bool isNoId(const QString &id)
{
    return SqlId(id) == QLatin1String("NULL");
}

// "... WHERE (<column> = <id>)", false without a query for a missing id.
bool referenced(const QString &sqlUpToId, const QString &id)
{
    if (isNoId(id))
        return false;
    return queryHasRow(sqlUpToId + SqlId(id) + QStringLiteral(")"));
}

// One kind of record under the retiring rule.
struct RetiringKind {
    const char *table;
    const char *nameColumn;
    std::function<bool(const QString &)> exists;
    std::function<bool(const QString &)> hasBills;  // by name
    bool inAccountScope = false;
};

QString liveRowCondition(const RetiringKind &kind, const QString &name)
{
    QString condition = LiveRowWhere(kind.nameColumn, name);
    if (kind.inAccountScope)
        condition += QStringLiteral(" AND ") + AccountFilter();
    return condition;
}

bool retireOrDelete(const RetiringKind &kind, const QString &name)
{
    if (!kind.exists(name))
        return false;
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    records::retireOrDeleteRows(db, QLatin1String(kind.table), kind.hasBills(name), liveRowCondition(kind, name));
    tx.commit();
    return true;
}

void deleteWhereId(const QString &sqlUpToId, const QString &id)
{
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(sqlUpToId + SqlId(id));
    tx.commit();
}

} // namespace

bool UserHasBills(const QString &userName, UserState state)
{
    QString sql = QStringLiteral("SELECT * FROM faktury INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
                                 "WHERE (uzivatelia.uzivatel = ")
        + SqlQuoted(userName) + QStringLiteral(")");
    if (state == UserState::Retired)
        sql += QStringLiteral(" AND (uzivatelia.existuje = 0)");
    else if (state == UserState::Live)
        sql += QStringLiteral(" AND (uzivatelia.existuje = 1)");
    return queryHasRow(sql);
}

bool UserIdHasBills(const QString &userId)
{
    return referenced(QStringLiteral("SELECT * FROM faktury INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
                                     "WHERE (uzivatelia.id = "),
                      userId);
}

bool CompanyHasBills(const QString &companyId)
{
    return referenced(QStringLiteral("SELECT * FROM faktury INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
                                     "WHERE (uzivatelia.id_firma = "),
                      companyId);
}

bool CustomerHasBills(const QString &customerId)
{
    return referenced(QStringLiteral("SELECT * FROM faktury INNER JOIN odberatelia ON (faktury.id_odberatel = odberatelia.id) "
                                     "WHERE (odberatelia.id = "),
                      customerId);
}

bool ItemHasBillLines(const QString &itemId)
{
    return referenced(QStringLiteral("SELECT * FROM faktury INNER JOIN sp_polozky ON (faktury.id = sp_polozky.id_faktura) "
                                     "WHERE (sp_polozky.id_polozka = "),
                      itemId);
}

bool CategoryInUse(const QString &categoryName)
{
    const QString id = GetCategoryId(categoryName);
    if (isNoId(id))
        return false;
    return queryHasRow(QStringLiteral("SELECT * FROM polozky WHERE (id_kategoria = ") + SqlId(id)
                       + QStringLiteral(") AND (existuje = 1)"));
}

bool AccountHasBills(const QString &accountId)
{
    return referenced(QStringLiteral("SELECT * FROM faktury INNER JOIN ucty ON (faktury.id_ucet = ucty.id) WHERE (ucty.id = "),
                      accountId);
}

bool NoteHasBills(const QString &noteId)
{
    // The one reference check whose condition has no parentheses.
    if (isNoId(noteId))
        return false;
    return queryHasRow(QStringLiteral("SELECT * FROM faktury WHERE faktury.id_poznamka = ") + SqlId(noteId));
}

bool DeleteUser(const QString &userName)
{
    return retireOrDelete({"uzivatelia", "uzivatel", UserNameExists,
                           [](const QString &n) { return UserHasBills(n, UserState::Live); }},
                          userName);
}

bool DeleteCustomer(const QString &name)
{
    return retireOrDelete({"odberatelia", "nazov", CustomerExists,
                           [](const QString &n) { return CustomerHasBills(GetCustomerId(n)); }},
                          name);
}

bool DeleteItem(const QString &name)
{
    return retireOrDelete({"polozky", "nazov", ItemExists,
                           [](const QString &n) { return ItemHasBillLines(GetItemId(n)); }},
                          name);
}

bool DeleteAccount(const QString &name)
{
    return retireOrDelete({"ucty", "nazov", AccountExists,
                           [](const QString &n) { return AccountHasBills(GetAccountId(n)); }, true},
                          name);
}

bool DeleteNote(const QString &name)
{
    return retireOrDelete({"poznamky", "nazov", NoteExists,
                           [](const QString &n) { return NoteHasBills(GetNoteId(n)); }},
                          name);
}

bool DeleteCategory(const QString &name)
{
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    if (CategoryInUse(name))
        return false;
    db.ExecSql(QStringLiteral("DELETE FROM kategorie_poloziek WHERE (nazov = ") + SqlQuoted(name) + QStringLiteral(")"));
    tx.commit();
    return true;
}

bool DeleteBill(const QString &number, const QString &year, bool isAdvance)
{
    if (!BillNumberExists(number, year, isAdvance))
        return false;
    {
        // The bill, its lines and its links go together or not at all.
        TSQLiteDatabase &db = rules::connection();
        Transaction tx(db);
        const QString id = SqlId(GetBillId(number, year, isAdvance));
        db.ExecSql(QStringLiteral("DELETE FROM faktury WHERE (typ = ") + rules::billTypeText(isAdvance)
                   + QStringLiteral(") AND (id = ") + id + QStringLiteral(")"));
        DeleteBillLines(id);
        DeleteBillAdvanceLinks(id);
        tx.commit();
    }
    WarnDuplicateBillNumber(number, year, isAdvance);
    return true;
}

void DeleteBillLines(const QString &billId)
{
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(QStringLiteral("DELETE FROM sp_polozky WHERE (id_faktura = ") + SqlId(billId) + QStringLiteral(")"));
    tx.commit();
}

void DeleteBillAdvanceLinks(const QString &billId)
{
    TSQLiteDatabase &db = rules::connection();
    Transaction tx(db);
    db.ExecSql(QStringLiteral("DELETE FROM sp_zalfaktury WHERE (id_faktura = ") + SqlId(billId) + QStringLiteral(")"));
    tx.commit();
}

void DeletePayment(const QString &paymentId)
{
    deleteWhereId(QStringLiteral("DELETE FROM uhrady WHERE id = "), paymentId);
}

} // namespace bralvo::db
