// Lookups, existence checks and the password check.
#include "db/lookups.h"

#include "db/accountscope.h"
#include "db/database.h"
#include "db/fieldreaders.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/md5.h"
#include "services/messages.h"
#include "services/uitexts.h"

namespace bralvo::db {

using rules::queryFirstField;
using rules::queryHasRow;

namespace {

const QString kAdminSql = QStringLiteral("SELECT * FROM uzivatelia WHERE (admin = 1) AND (existuje = 1)");

// "SELECT * FROM <table> WHERE (<column> = '<value>') AND (existuje = 1)"
QString liveRowBy(const char *table, const char *column, const QString &value)
{
    return QStringLiteral("SELECT * FROM ") + QLatin1String(table) + LiveRowWhere(column, value);
}

QString liveUserByName(const QString &userName)
{
    return liveRowBy("uzivatelia", "uzivatel", userName);
}

QString liveUserByLogin(const QString &login)
{
    return liveRowBy("uzivatelia", "username", login);
}

QString liveAccountByName(const QString &name)
{
    return liveRowBy("ucty", "nazov", name) + QStringLiteral(" AND ") + AccountFilter();
}

QString categoryByName(const QString &name)
{
    return QStringLiteral("SELECT * FROM kategorie_poloziek WHERE (nazov = ") + SqlQuoted(name)
        + QStringLiteral(")");
}

QString customerKeyById(const QString &customerId)
{
    return QStringLiteral("SELECT id, nazov, (nazov || ' - ' || ico) AS `nazov_ico` FROM odberatelia WHERE (id = ")
        + SqlId(customerId) + QStringLiteral(")");
}

QString yearCondition(const QString &year)
{
    return QStringLiteral("(strftime('%Y', faktury.datum_vystavenia) = ") + SqlYear(year)
        + QStringLiteral(")");
}

QString advanceKeyExpression()
{
    return QStringLiteral(
        "(faktury.cislo || ' - ' || faktury.suma_kuhrade || ' ' || faktury.hlavna_mena)");
}

} // namespace

bool AdminUserExists()
{
    return !DbOpen || queryHasRow(kAdminSql);
}

bool DemoUserExists()
{
    return DbOpen && queryHasRow(liveUserByName(DemoUserName));
}

bool UserNameExists(const QString &userName)
{
    return queryHasRow(liveUserByName(userName));
}

bool LoginExists(const QString &login)
{
    return queryHasRow(liveUserByLogin(login));
}

bool CustomerExists(const QString &name)
{
    return queryHasRow(liveRowBy("odberatelia", "nazov", name));
}

bool ItemExists(const QString &name)
{
    return queryHasRow(liveRowBy("polozky", "nazov", name));
}

bool NoteExists(const QString &name)
{
    return queryHasRow(liveRowBy("poznamky", "nazov", name));
}

bool ItemNameTaken(const QString &name, bool includeRetired)
{
    QString sql = QStringLiteral("SELECT * FROM polozky WHERE (nazov = ") + SqlQuoted(name) + QStringLiteral(")");
    if (!includeRetired)
        sql += QStringLiteral(" AND (existuje = 1)");
    return queryHasRow(sql);
}

bool CategoryExists(const QString &name)
{
    return queryHasRow(categoryByName(name));
}

bool AccountExists(const QString &name)
{
    return queryHasRow(liveAccountByName(name));
}

bool BillIdExists(const QString &billId)
{
    const QString id = SqlId(billId);
    if (id == QLatin1String("NULL"))
        return false;
    return queryHasRow(QStringLiteral("SELECT * FROM faktury WHERE id = ") + id);
}

int CountUsers()
{
    if (!DbOpen)
        return 0;
    return rules::queryRowCount(QStringLiteral("SELECT * FROM uzivatelia WHERE (existuje = 1)"));
}

QString GetAdminUserName()
{
    return queryFirstField(kAdminSql, QStringLiteral("uzivatel"));
}

QString GetAdminLogin()
{
    return queryFirstField(kAdminSql, QStringLiteral("username"));
}

QString GetUserNameByLogin(const QString &login)
{
    return queryFirstField(liveUserByLogin(login), QStringLiteral("uzivatel"));
}

QString GetUserIdByLogin(const QString &login)
{
    return queryFirstField(liveUserByLogin(login), QStringLiteral("id"));
}

QString GetCustomerId(const QString &name)
{
    if (name.isEmpty())
        return QString();
    return queryFirstField(liveRowBy("odberatelia", "nazov", name), QStringLiteral("id"));
}

QString GetCustomerIdByKey(const QString &customerKey)
{
    if (customerKey.isEmpty())
        return QString();
    return queryFirstField(QStringLiteral("SELECT * FROM odberatelia WHERE ( (nazov || ' - ' || ico) = ")
                               + SqlQuoted(customerKey) + QStringLiteral(") AND (existuje = 1)"),
                           QStringLiteral("id"));
}

QString GetCustomerName(const QString &customerId)
{
    if (customerId.isEmpty())
        return QString();
    return queryFirstField(QStringLiteral("SELECT nazov FROM odberatelia WHERE (id = ") + SqlId(customerId)
                               + QStringLiteral(")"),
                           QStringLiteral("nazov"));
}

QString GetCustomerKeyById(const QString &customerId)
{
    // An empty id would make "(id = )", which is no statement at all.
    if (customerId.isEmpty())
        return QString();
    return queryFirstField(customerKeyById(customerId), QStringLiteral("nazov_ico"));
}

QString GetAccountId(const QString &name)
{
    return queryFirstField(liveAccountByName(name), QStringLiteral("id"));
}

QString GetNoteId(const QString &name)
{
    return queryFirstField(liveRowBy("poznamky", "nazov", name), QStringLiteral("id"));
}

QString GetCategoryId(const QString &name)
{
    if (name == QLatin1String("NULL"))
        return QString();
    return queryFirstField(categoryByName(name), QStringLiteral("id"), QStringLiteral("NULL"));
}

QString GetItemId(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("NULL");
    return queryFirstField(liveRowBy("polozky", "nazov", name), QStringLiteral("id"), QStringLiteral("NULL"));
}

QString GetItemIdByCode(const QString &code)
{
    if (code.isEmpty())
        return QStringLiteral("NULL");
    return queryFirstField(liveRowBy("polozky", "kod", code), QStringLiteral("id"), QStringLiteral("NULL"));
}

QString GetBillId(const QString &number, const QString &year, bool isAdvance)
{
    if (number.isEmpty() || !rules::isYearText(year))
        return QString();
    return queryFirstField(QStringLiteral("SELECT * FROM faktury WHERE (cislo = ") + SqlQuoted(number)
                               + QStringLiteral(") AND ") + yearCondition(year) + QStringLiteral(" AND (typ = ")
                               + rules::billTypeText(isAdvance) + QStringLiteral(") AND (existuje = 1)"),
                           QStringLiteral("id"));
}

QString GetAdvanceBillId(const QString &advanceKey, const QString &year)
{
    if (!rules::isYearText(year))
        return QString();
    const QString sql = JoinSqlLines({
        QStringLiteral("SELECT id FROM faktury"),
        QStringLiteral("WHERE (faktury.typ = 2) AND ") + yearCondition(year) + QStringLiteral(" AND (")
            + advanceKeyExpression() + QStringLiteral(" = ") + SqlQuoted(advanceKey)
            + QStringLiteral(") AND (faktury.existuje = 1)"),
    });
    return queryFirstField(sql, QStringLiteral("id"));
}

bool IsAdvanceBillUsed(const QString &number, const QString &year)
{
    if (!rules::isYearText(year))
        return true;
    // The number is quoted: this runs while the bill list paints, so a
    // stray apostrophe must not turn every row into an error.
    const QString sql = QStringLiteral("SELECT * FROM faktury") + QLatin1Char('\r')
        + QStringLiteral("WHERE (faktury.typ = 2) AND (NOT EXISTS (SELECT * FROM sp_zalfaktury WHERE "
                         "sp_zalfaktury.id_zalfaktura = faktury.id)) AND (faktury.existuje = 1) AND ")
        + yearCondition(year) + QStringLiteral(" AND (faktury.cislo = ") + SqlQuoted(number)
        + QStringLiteral(")");
    return !queryHasRow(sql);
}

std::optional<QString> FindBillUsingAdvance(const QString &advanceBillId)
{
    if (advanceBillId.isEmpty())
        return std::nullopt;
    const QString sql = QStringLiteral("SELECT faktury.cislo FROM faktury INNER JOIN sp_zalfaktury ON "
                                       "(sp_zalfaktury.id_faktura = faktury.id) WHERE (sp_zalfaktury.id_zalfaktura  = ")
        + SqlId(advanceBillId) + QStringLiteral(") LIMIT 1");
    const auto table = rules::connection().GetTable(sql);
    if (!table->MoveFirst())
        return std::nullopt;
    return table->FieldAsString(0);
}

void WarnDuplicateBillNumber(const QString &number, const QString &year, bool isAdvance)
{
    if (number.isEmpty() || !rules::isYearText(year))
        return;
    const QString sql = QStringLiteral("SELECT * FROM faktury WHERE (cislo = ") + SqlQuoted(number)
        + QStringLiteral(") AND ") + yearCondition(year) + QStringLiteral(" AND (typ = ")
        + rules::billTypeText(isAdvance) + QStringLiteral(") AND (existuje = 1)");
    if (rules::queryRowCount(sql) > 1)
        services::ShowErrorBox(services::FillPlaceholders(services::MessageText(190), {number}));
}

bool AdminHasPassword()
{
    return !queryFirstField(kAdminSql, QStringLiteral("password")).isEmpty();
}

bool CheckPassword(const QString &login, const QString &typedPassword)
{
    const auto table = rules::connection().GetTable(liveUserByLogin(login));
    if (!table->MoveFirst())
        return false;
    const QString stored = ReadFieldStr(*table, QStringLiteral("password"), QString());
    return stored.isEmpty() || stored == services::TextDigestHex(typedPassword);
}

} // namespace bralvo::db
