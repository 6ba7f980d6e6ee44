// Advance-bill entries with their ids.
#include "db/advancebills.h"

#include "db/fieldreaders.h"
#include "db/rulesquery.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"

namespace bralvo::db {

namespace {

const char kColumns[] =
    "SELECT faktury.id AS `id`, (faktury.cislo || ' - ' || faktury.suma_kuhrade || ' ' || faktury.hlavna_mena) "
    "AS `cislo_suma`, faktury.hlavna_mena AS `mena`, faktury.suma_kuhrade AS `kuhrade` FROM faktury";

std::vector<AdvanceBillEntry> entries(const QString &sql)
{
    std::vector<AdvanceBillEntry> list;
    const auto table = rules::connection().GetTable(sql);
    for (table->MoveFirst(); !table->IsEof(); table->NextRow()) {
        AdvanceBillEntry entry;
        entry.id = table->FieldAsString(0);
        entry.text = table->FieldAsString(1);
        entry.mainCurrency = table->FieldAsString(2);
        entry.due = ReadFieldFloat(*table, QStringLiteral("kuhrade"), 0);
        list.push_back(entry);
    }
    return list;
}

} // namespace

std::vector<AdvanceBillEntry> FreeAdvanceBills(const QString &year)
{
    if (!rules::isYearText(year))
        return {};
    return entries(JoinSqlLines({
        QLatin1String(kColumns),
        QStringLiteral("WHERE (faktury.typ = 2) AND (faktury.existuje = 1)"),
        QStringLiteral("AND (NOT EXISTS (SELECT * FROM sp_zalfaktury WHERE sp_zalfaktury.id_zalfaktura = faktury.id))"),
        QStringLiteral("AND (strftime('%Y', faktury.datum_vystavenia) = ") + SqlYear(year) + QStringLiteral(")"),
        QStringLiteral("ORDER BY faktury.cislo"),
    }));
}

std::vector<AdvanceBillEntry> DeductedAdvanceBills(const QString &billId)
{
    if (billId.isEmpty() || billId == QLatin1String("NULL"))
        return {};
    return entries(JoinSqlLines({
        QLatin1String(kColumns),
        QStringLiteral("INNER JOIN sp_zalfaktury ON (sp_zalfaktury.id_zalfaktura = faktury.id)"),
        QStringLiteral("WHERE (faktury.typ = 2) AND (faktury.existuje = 1) AND (sp_zalfaktury.id_faktura = ")
            + SqlId(billId) + QStringLiteral(")"),
        QStringLiteral("ORDER BY strftime('%Y', faktury.datum_vystavenia), faktury.cislo"),
    }));
}

double SumAdvanceBillsDueByIds(const std::vector<QString> &ids)
{
    double sum = 0;
    for (const QString &id : ids) {
        if (id.isEmpty() || id == QLatin1String("NULL"))
            continue;
        const auto table = rules::connection().GetTable(
            QStringLiteral("SELECT suma_kuhrade AS `kuhrade` FROM faktury WHERE (typ = 2) AND (existuje = 1) AND (id = ")
            + SqlId(id) + QStringLiteral(")"));
        if (table->MoveFirst())
            sum += ReadFieldFloat(*table, QStringLiteral("kuhrade"), 0);
    }
    return sum;
}

} // namespace bralvo::db
