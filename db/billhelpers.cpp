// Helper queries of bill editing.
#include "db/billhelpers.h"

#include "db/billstate.h"
#include "db/currentuser.h"
#include "db/fieldreaders.h"
#include "db/lookups.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

namespace bralvo::db {

namespace {

QString nameById(const char *table, const QString &id)
{
    if (id.isEmpty())
        return QString();
    return rules::queryFirstField(QStringLiteral("SELECT nazov FROM ") + QLatin1String(table)
                                      + QStringLiteral(" WHERE (id = ") + SqlId(id) + QStringLiteral(")"),
                                  QStringLiteral("nazov"));
}

} // namespace

QString GetAccountName(const QString &accountId)
{
    return nameById("ucty", accountId);
}

QString GetNoteName(const QString &noteId)
{
    return nameById("poznamky", noteId);
}

QString GetItemName(const QString &itemId)
{
    return nameById("polozky", itemId);
}

QString GetCategoryName(const QString &categoryId)
{
    return nameById("kategorie_poloziek", categoryId);
}

bool IsUserCompanyVatPayer(const QString &userId)
{
    if (userId.isEmpty())
        return false;
    const auto table = rules::connection().GetTable(
        QStringLiteral("SELECT firma.platcadph FROM uzivatelia INNER JOIN firma ON (firma.id = uzivatelia.id_firma) "
                       "WHERE uzivatelia.id = ")
        + SqlId(userId));
    if (!table->MoveFirst())
        return false;
    return ReadFieldIntText(*table, QStringLiteral("platcadph"), false) == QLatin1String("1");
}

double SumAdvanceBillsDue(const QString &year, const QStringList &advanceEntries)
{
    double sum = 0;
    for (const QString &entry : advanceEntries) {
        const QString id = GetAdvanceBillId(entry, year);
        if (id.isEmpty() || id == QLatin1String("NULL"))
            continue;
        const auto table = rules::connection().GetTable(JoinSqlLines({
            QStringLiteral("SELECT suma_kuhrade AS `kuhrade` FROM faktury"),
            QStringLiteral("WHERE id = ") + SqlId(id),
        }));
        table->MoveFirst();
        sum += ReadFieldFloat(*table, QStringLiteral("kuhrade"), 0);
    }
    return sum;
}

void UpdateBillVatMode(const QString &userId, const QString &customerId, BillLinesGridSetup &grid)
{
    QString issuer = userId;
    if (issuer.isEmpty())
        issuer = LoadedUserId;
    if (issuer.isEmpty())
        issuer = CurrentUserId();
    if (issuer.isEmpty())
        return;
    BillShowsVat = IsUserCompanyVatPayer(issuer) && !BillIsAdvance;
    grid.SetupBillLinesGrid();
}

} // namespace bralvo::db
