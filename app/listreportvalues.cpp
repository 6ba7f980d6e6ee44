#include "app/listreportvalues.h"

#include "db/database.h"
#include "db/fieldreaders.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/error.h"
#include "services/dates.h"
#include "services/numbers.h"
#include "services/uitexts.h"

namespace bralvo::app {

namespace {

using services::ReportText;
using Data = ListReportData;

double cellNumber(const QString &text)
{
    try {
        return services::ParseNumber(text);
    } catch (const Error &) {
        return 0;
    }
}

QString dateText(const QDate &d) { return services::FormatDateTimeText(QStringLiteral("dd.mm.yyyy"), d); }

QString moneyText(const Data &d, double sum) { return services::FormatMoney(sum) + QLatin1Char(' ') + d.homeSymbol; }

// Texts of one report: the numbers of its labels.
struct Numbers {
    int ico, icdph, dic, obdobie, od, doo, whole;
};

bool commonValue(const Data &d, const Numbers &n, const QString &name, QString &out)
{
    if (name == QLatin1String("ico"))
        out = ReportText(n.ico);
    else if (name == QLatin1String("icdph"))
        out = ReportText(n.icdph);
    else if (name == QLatin1String("dic"))
        out = ReportText(n.dic);
    else if (name == QLatin1String("obdobie"))
        out = ReportText(n.obdobie);
    else if (name == QLatin1String("datum_od"))
        out = d.wholePeriod ? QString() : ReportText(n.od) + QLatin1Char(':');
    else if (name == QLatin1String("datum_do"))
        out = d.wholePeriod ? QString() : ReportText(n.doo) + QLatin1Char(':');
    else if (name == QLatin1String("db_datum_od"))
        out = d.wholePeriod ? ReportText(n.whole) : dateText(d.from);
    else if (name == QLatin1String("db_datum_do"))
        out = d.wholePeriod ? QString() : dateText(d.to);
    else
        return false;
    return true;
}

bool companyValue(const Data &d, const QString &name, QString &out)
{
    static const char *const kNames[][2] = {
        {"db_firma", "nazov"}, {"db_ulica", "ulica"}, {"db_psc", "psc"}, {"db_mesto", "mesto"},
        {"db_stat", "stat"}, {"db_ico", "ico"}, {"db_dic", "dic"}, {"db_icdph", "icdph"},
    };
    for (const auto &n : kNames) {
        if (name == QLatin1String(n[0])) {
            if (!d.company)
                return false;
            out = d.company->value(QLatin1String(n[1]));
            return true;
        }
    }
    return false;
}

// A name answered by a fixed report text.
struct Label {
    const char *name;
    int text;
};

template <size_t N>
bool labelValue(const Label (&labels)[N], const QString &name, QString &out)
{
    for (const Label &l : labels) {
        if (name == QLatin1String(l.name)) {
            out = ReportText(l.text);
            return true;
        }
    }
    return false;
}

// Row values: names answered by the cells 0.. of grid row recNo + 1.
bool rowValue(const Data &d, int recNo, const QStringList &names, const QString &name, QString &out)
{
    const int column = names.indexOf(name);
    if (column < 0)
        return false;
    out = d.cell ? d.cell(column, recNo + 1) : QString();
    return true;
}

int paymentText(db::PaymentStateFilter p, int all)
{
    switch (p) {
    case db::PaymentStateFilter::Unpaid: return all + 1;
    case db::PaymentStateFilter::Overpaid: return all + 2;
    case db::PaymentStateFilter::Paid: return all + 3;
    default: return all;
    }
}

bool filterValue(const QString &name, const QList<std::pair<const char *, QString>> &filters, QString &out)
{
    for (const auto &f : filters) {
        if (name == QLatin1String(f.first)) {
            out = f.second;
            return true;
        }
    }
    return false;
}

const QStringList kBillRowNames = {
    QStringLiteral("db_cislo"), QStringLiteral("db_vs"), QStringLiteral("db_datum"), QStringLiteral("db_uzivatel"),
    QStringLiteral("db_odberatel"), QStringLiteral("db_uhradit"), QStringLiteral("db_suma_celkom"),
    QStringLiteral("db_poznamka")};

const Label kBillColumnTitles[] = {{"cislo", 42}, {"vs", 43}, {"datum", 44}, {"uhradit", 47},
                                   {"suma_celkom", 48}, {"poznamka", 49}};

double homeTotalsSum(const Data &d)
{
    double sum = 0;
    for (double v : d.homeTotals)
        sum += v;
    return sum;
}

bool billsOverviewValue(const Data &d, int recNo, const QString &name, QString &out)
{
    static const Label kLabels[] = {
        {"obsahuju", 72}, {"katpoloziek", 73}, {"polozky", 74}, {"suma", 75}, {"suma_od", 76}, {"suma_do", 77},
        {"uzivatelia_odberatelia", 78}, {"uzivatel", 45}, {"odberatel", 46}, {"summary_uhradit", 166},
        {"summary_sumacelkom", 167}};
    if (name == QLatin1String("zoznamfaktur"))
        out = ReportText(d.advanceBills ? 81 : 52);
    else if (name == QLatin1String("uhrada"))
        out = ReportText(paymentText(d.payment, 61));
    else if (name == QLatin1String("udb_summary_sumacelkom"))
        out = moneyText(d, homeTotalsSum(d));
    else if (name == QLatin1String("udb_summary_uhradit"))
        out = ColumnSumText(d, 5);
    else
        return commonValue(d, {65, 66, 67, 68, 69, 70, 71}, name, out) || labelValue(kLabels, name, out)
            || labelValue(kBillColumnTitles, name, out)
            || filterValue(name, {{"db_katpoloziek", d.category}, {"db_polozky", d.item}, {"db_vystavil", d.issuer},
                                  {"db_odberatelovi", d.customer}, {"db_suma_od", d.amountFrom},
                                  {"db_suma_do", d.amountTo}}, out)
            || rowValue(d, recNo, kBillRowNames, name, out);
    return true;
}

bool customersValue(const Data &d, int recNo, const QString &name, QString &out)
{
    static const Label kLabels[] = {
        {"zoznamodberatelov", 99}, {"uzivatelia", 113}, {"uzivatel", 114}, {"odberatel", 80}, {"nazov", 115},
        {"pocet", 116}, {"suma_celkom", 117}, {"uhr_po_spl", 118}, {"summary_sumacelkom", 168}};
    if (name == QLatin1String("udb_summary_sumacelkom")) {
        out = ColumnSumText(d, 2);
        return true;
    }
    return commonValue(d, {100, 101, 102, 103, 104, 105, 106}, name, out) || labelValue(kLabels, name, out)
        || filterValue(name, {{"db_katpoloziek", d.category}, {"db_polozky", d.item}, {"db_vystavil", d.issuer}},
                       out)
        || rowValue(d, recNo,
                    {QStringLiteral("udb_nazov"), QStringLiteral("udb_pocet"), QStringLiteral("udb_suma"),
                     QStringLiteral("udb_uhr_po_spl")},
                    name, out);
}

const QStringList kSummaryRowNames = {QStringLiteral("udb_nazov"), QStringLiteral("udb_pocet"),
                                      QStringLiteral("udb_suma")};

bool categoriesValue(const Data &d, int recNo, const QString &name, QString &out)
{
    static const Label kLabels[] = {
        {"zoznamkatpoloziek", 119}, {"suma", 131}, {"uzivatelia_odberatelia", 127}, {"uzivatel", 128},
        {"odberatel", 132}, {"nazov", 129}, {"pocet", 130}, {"summary_sumacelkom", 169}};
    if (name == QLatin1String("udb_summary_sumacelkom")) {
        out = ColumnSumText(d, 2);
        return true;
    }
    return commonValue(d, {120, 121, 122, 123, 124, 125, 126}, name, out) || labelValue(kLabels, name, out)
        || filterValue(name, {{"db_vystavil", d.issuer}, {"db_odberatelovi", d.customer}}, out)
        || rowValue(d, recNo, kSummaryRowNames, name, out);
}

bool itemsValue(const Data &d, int recNo, const QString &name, QString &out)
{
    static const Label kLabels[] = {
        {"zoznampoloziek", 133}, {"obsahuju", 141}, {"katpoloziek", 142}, {"suma", 148},
        {"uzivatelia_odberatelia", 143}, {"uzivatel", 144}, {"odberatel", 145}, {"nazov", 146},
        {"pocet", 147}, {"summary_sumacelkom", 170}};
    if (name == QLatin1String("udb_summary_sumacelkom")) {
        out = ColumnSumText(d, 2);
        return true;
    }
    return commonValue(d, {134, 135, 136, 137, 138, 139, 140}, name, out) || labelValue(kLabels, name, out)
        || filterValue(name, {{"db_katpoloziek", d.category}, {"db_vystavil", d.issuer},
                              {"db_odberatelovi", d.customer}}, out)
        || rowValue(d, recNo, kSummaryRowNames, name, out);
}

bool billListValue(const Data &d, int recNo, const QString &name, QString &out)
{
    static const Label kLabels[] = {{"ico", 89}, {"icdph", 90}, {"dic", 91}, {"obdobie", 92},
                                    {"uzivatelia_odberatelia", 95}, {"summary_uhradit", 163},
                                    {"summary_sumacelkom", 164}, {"uzivatel", 45}, {"odberatel", 46}};
    if (name == QLatin1String("zoznamfaktur"))
        out = ReportText(d.advanceBills ? 82 : 41);
    else if (name == QLatin1String("uhrada"))
        out = ReportText(paymentText(d.payment, 85));
    else if (name == QLatin1String("datum_od") || name == QLatin1String("datum_do"))
        out = d.wholePeriod ? QString() : ReportText(name.endsWith(QLatin1String("od")) ? 93 : 94) + QLatin1Char(':');
    else if (name == QLatin1String("db_datum_od"))
        out = d.wholePeriod ? ReportText(98) + QLatin1Char(' ') + d.year : dateText(d.from);
    else if (name == QLatin1String("db_datum_do"))
        out = d.wholePeriod ? QString() : dateText(d.to);
    else if (name == QLatin1String("udb_summary_sumacelkom"))
        out = ColumnSumText(d, 11);
    else if (name == QLatin1String("udb_summary_uhradit"))
        out = ColumnSumText(d, 5);
    else
        return labelValue(kLabels, name, out) || labelValue(kBillColumnTitles, name, out)
            || filterValue(name, {{"db_vystavil", d.issuer}, {"db_odberatelovi", d.customer}}, out)
            || rowValue(d, recNo, kBillRowNames, name, out);
    return true;
}

} // namespace

QString ColumnSumText(const ListReportData &data, int column)
{
    double sum = 0;
    for (int row = 1; data.cell && row <= data.rowCount - 2; ++row)
        sum += cellNumber(data.cell(column, row));
    return moneyText(data, sum);
}

bool BillListReportValue(const ListReportData &data, int recNo, const QString &name, platform::Variant &value)
{
    QString out;
    const bool answered = companyValue(data, name, out) || billListValue(data, recNo, name, out);
    if (answered)
        value = platform::Variant(out);
    return answered;
}

bool OverviewReportValue(OverviewTab tab, const ListReportData &data, int recNo, const QString &name,
                         platform::Variant &value)
{
    QString out;
    bool answered = companyValue(data, name, out);
    if (!answered) {
        switch (tab) {
        case OverviewTab::Bills: answered = billsOverviewValue(data, recNo, name, out); break;
        case OverviewTab::Customers: answered = customersValue(data, recNo, name, out); break;
        case OverviewTab::Categories: answered = categoriesValue(data, recNo, name, out); break;
        case OverviewTab::Items: answered = itemsValue(data, recNo, name, out); break;
        }
    }
    if (answered)
        value = platform::Variant(out);
    return answered;
}

std::vector<double> BillHomeTotals(const std::vector<QString> &billIds)
{
    std::vector<double> totals(billIds.size(), 0.0);
    if (billIds.empty())
        return totals;
    QStringList ids;
    for (const QString &id : billIds)
        ids << db::SqlId(id);
    auto table = db::DbConnection->GetTable(QStringLiteral("SELECT faktury.id AS `id`, ") + db::HomeTotalExpr()
                                            + QStringLiteral(" AS `celkom` FROM faktury WHERE faktury.id IN (")
                                            + ids.join(QStringLiteral(", ")) + QStringLiteral(")"));
    QHash<QString, double> byId;
    for (; !table->IsEof(); table->NextRow())
        byId.insert(db::ReadFieldStr(*table, QStringLiteral("id"), QString()),
                    db::ReadFieldFloat(*table, QStringLiteral("celkom"), 0));
    for (size_t i = 0; i < billIds.size(); ++i)
        totals[i] = byId.value(billIds[i], 0);
    return totals;
}

} // namespace bralvo::app
