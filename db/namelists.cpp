// The name lists of the windows' combo and list boxes.
#include "db/namelists.h"
#include "platform/collation.h"

#include "db/accountscope.h"
#include "db/billstate.h"
#include "db/lookups.h"
#include "db/rulesquery.h"
#include "db/sqlhelpers.h"
#include "db/sqltext.h"
#include "services/listhelpers.h"
#include "services/settings.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace bralvo::db {

QString AdminUserName;

namespace {

void fillList(const QString &sql, const char *field, QStringList &list)
{
    FillListFromSql(rules::connection(), sql, QLatin1String(field), list);
}

// The statement forms of one customer list: without an order (for the
// most-used order) and ending in "ORDER BY ".
struct CustomerListBase {
    QString plain;
    QString withOrder;
    QString nameOrder;
};

const CustomerListBase kCustomerNames{
    QStringLiteral("SELECT * FROM odberatelia WHERE odberatelia.existuje = 1"),
    QStringLiteral("SELECT * FROM odberatelia WHERE existuje = 1 ORDER BY "),
    QStringLiteral("nazov COLLATE SYSTEM"),
};

const CustomerListBase kLiveCustomerKeys{
    QStringLiteral("SELECT id, nazov, (nazov || ' - ' || ico) AS `nazov_ico` FROM odberatelia WHERE existuje = 1"),
    QStringLiteral("SELECT id, nazov, (nazov || ' - ' || ico) AS `nazov_ico` FROM odberatelia WHERE existuje = 1 ORDER BY "),
    QStringLiteral("nazov  COLLATE SYSTEM"),
};

const CustomerListBase kAllCustomerKeys{
    QStringLiteral("SELECT id, nazov, (nazov || ' - ' || ico) AS `nazov_ico` FROM odberatelia GROUP BY (nazov || ' - ' || ico)"),
    QStringLiteral("SELECT id, nazov, (nazov || ' - ' || ico) AS `nazov_ico` FROM odberatelia GROUP BY (nazov || ' - ' || ico) ORDER BY "),
    QStringLiteral("nazov  COLLATE SYSTEM"),
};

// The bills of every customer row carrying the counted row's name, so a
// customer replaced by a newer row (same name) keeps its earlier bills.
const QString kMostUsedOrder = QStringLiteral(
    " ORDER BY (SELECT COUNT(*) FROM faktury INNER JOIN odberatelia AS `odb2` ON "
    "(faktury.id_odberatel = odb2.id) WHERE (odberatelia.nazov = odb2.nazov))");

QString customerListSql(const CustomerListBase &base)
{
    const QString general = QStringLiteral("General");
    QString order;
    QString sql;
    if (services::ReadSettingBool(general, QStringLiteral("SortOdbName"), true))
        order = base.nameOrder;
    else if (services::ReadSettingBool(general, QStringLiteral("SortOdbAddOrder"), false))
        order = QStringLiteral("id");
    else if (services::ReadSettingBool(general, QStringLiteral("SortOdbMostUsed"), false))
        sql = base.plain + kMostUsedOrder;
    if (order.isEmpty())
        order = base.nameOrder;
    if (sql.isEmpty())
        sql = base.withOrder + order;
    if (!services::ReadSettingBool(general, QStringLiteral("SortOdbInc"), true))
        sql += QStringLiteral(" DESC");
    return sql;
}

// TStringList-style sort: the locale's order without regard to case; the
// Slovak order under the C locale, as the "SYSTEM" collation does.
void sortIgnoringCase(QStringList &list)
{
    platform::sortByUserCollation(list, Qt::CaseInsensitive);
}

// A stored bill open in the editor keeps its own (maybe retired) entry.
void keepEditedBillEntry(QStringList &list, const QString &loadedId, const QString &loadedName)
{
    const bool editingStoredBill = (BillEditorOpen || BillWindowVisible) && !BillIsNew;
    if (!editingStoredBill || loadedId.isEmpty())
        return;
    if (services::IndexInStringList(loadedName, list, false) >= 0)
        return;
    list.append(loadedName);
    sortIgnoringCase(list);
}

QString categoryCondition(const QString &categoryId)
{
    return QStringLiteral("(id_kategoria = ") + SqlId(categoryId) + QStringLiteral(")");
}

} // namespace

void FillUserNameList(QStringList &list)
{
    AdminUserName = GetAdminUserName();
    fillList(QStringLiteral("SELECT uzivatel FROM uzivatelia WHERE existuje = 1 ORDER BY uzivatel COLLATE SYSTEM"),
             "uzivatel", list);
}

void FillUserNameListAll(QStringList &list, bool includeRetired)
{
    if (!includeRetired) {
        FillUserNameList(list);
        return;
    }
    AdminUserName = GetAdminUserName();
    fillList(QStringLiteral("SELECT DISTINCT uzivatel FROM uzivatelia ORDER BY uzivatel COLLATE SYSTEM"),
             "uzivatel", list);
}

void FillLoginList(QStringList &list)
{
    fillList(QStringLiteral("SELECT username FROM uzivatelia WHERE existuje = 1 ORDER BY username"),
             "username", list);
}

void FillCustomerNameList(QStringList &list)
{
    fillList(customerListSql(kCustomerNames), "nazov", list);
}

void FillCustomerKeyList(QStringList &list)
{
    fillList(customerListSql(kLiveCustomerKeys), "nazov_ico", list);
    keepEditedBillEntry(list, LoadedCustomerId, LoadedCustomerKey);
}

void FillCustomerKeyListAll(QStringList &list, bool includeRetired)
{
    if (!includeRetired) {
        FillCustomerKeyList(list);
        return;
    }
    fillList(customerListSql(kAllCustomerKeys), "nazov_ico", list);
    keepEditedBillEntry(list, LoadedCustomerId, LoadedCustomerKey);
}

void FillItemNameList(QStringList &list, const QString &categoryId)
{
    QString sql = QStringLiteral("SELECT nazov FROM polozky WHERE (existuje = 1)");
    if (!categoryId.isEmpty())
        sql += QStringLiteral(" AND ") + categoryCondition(categoryId);
    fillList(sql + QStringLiteral(" ORDER BY nazov COLLATE SYSTEM"), "nazov", list);
}

void FillItemNameListAll(QStringList &list, const QString &categoryId, bool includeRetired)
{
    if (!includeRetired) {
        FillItemNameList(list, categoryId);
        return;
    }
    QString sql = QStringLiteral("SELECT DISTINCT nazov FROM polozky ");
    if (!categoryId.isEmpty())
        sql += QStringLiteral("WHERE ") + categoryCondition(categoryId) + QLatin1Char(' ');
    fillList(sql + QStringLiteral("ORDER BY nazov COLLATE SYSTEM"), "nazov", list);
}

void FillCategoryNameList(QStringList &list)
{
    fillList(QStringLiteral("SELECT nazov FROM kategorie_poloziek ORDER BY nazov"), "nazov", list);
}

void FillAccountNameList(QStringList &list)
{
    fillList(QStringLiteral("SELECT nazov FROM ucty WHERE (existuje = 1) AND ") + AccountFilter()
                 + QStringLiteral(" ORDER BY nazov"),
             "nazov", list);
    keepEditedBillEntry(list, LoadedAccountId, LoadedAccountName);
}

void FillNoteNameList(QStringList &list)
{
    fillList(QStringLiteral("SELECT nazov FROM poznamky WHERE (existuje = 1) ORDER BY nazov"), "nazov", list);
    keepEditedBillEntry(list, LoadedNoteId, LoadedNoteName);
}

void FillFreeAdvanceBillList(QStringList &list, const QString &year)
{
    if (!rules::isYearText(year)) {
        list.clear();
        return;
    }
    const QString sql = JoinSqlLines({
        QStringLiteral("SELECT (faktury.cislo || ' - ' || faktury.suma_kuhrade || ' ' || faktury.hlavna_mena) AS `cislo_suma` "),
        QStringLiteral("FROM faktury"),
        QStringLiteral("WHERE (faktury.typ = 2) "),
        QStringLiteral("AND (NOT EXISTS (SELECT * FROM sp_zalfaktury WHERE sp_zalfaktury.id_zalfaktura = faktury.id)) "),
        QStringLiteral("AND (faktury.existuje = 1) "),
        QStringLiteral("AND (strftime('%Y', faktury.datum_vystavenia) = ") + SqlYear(year) + QStringLiteral(") "),
        QStringLiteral("ORDER BY strftime('%Y', faktury.datum_vystavenia), faktury.cislo"),
    });
    fillList(sql, "cislo_suma", list);
}

void FillBillAdvanceList(const QString &billId, QStringList &list)
{
    if (billId.isEmpty())
        return;
    const QString sql = JoinSqlLines({
        QStringLiteral("SELECT (faktury.cislo || ' - ' || faktury.suma_kuhrade || ' ' || faktury.hlavna_mena) AS `cislo_suma` FROM sp_zalfaktury"),
        QStringLiteral("INNER JOIN faktury ON (sp_zalfaktury.id_zalfaktura = faktury.id)"),
        QStringLiteral("WHERE (faktury.typ = 2) AND (sp_zalfaktury.id_faktura = ") + SqlId(billId)
            + QStringLiteral(") AND (faktury.existuje = 1) ORDER BY strftime('%Y', faktury.datum_vystavenia), faktury.cislo"),
    });
    fillList(sql, "cislo_suma", list);
}

} // namespace bralvo::db
