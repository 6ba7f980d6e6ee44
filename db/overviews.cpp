// Bill list and overview queries, overview grids and charts.
#include "db/overviews.h"

#include "db/billgrids.h"
#include "db/fieldreaders.h"
#include "db/rulesquery.h"
#include "db/sqlhelpers.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/widgets/stringgrid.h"
#include "services/gridhelpers.h"
#include "services/listhelpers.h"
#include "services/numbers.h"
#include "services/uitexts.h"

#include <algorithm>
#include <cmath>

namespace bralvo::db {

namespace {

const QString kCaseHead = QStringLiteral(
    "(CASE WHEN ((faktury.fakturovat_vcudzejmene = 1) AND (faktury.jehlavna_cudziamena = 0) "
    "AND (faktury.fakturovat_vdvochmenach = 1))");

void add(QString &conditions, const QString &condition)
{
    AppendAnd(conditions);
    conditions += condition;
}

QString whereOf(const QString &conditions)
{
    return conditions.isEmpty() ? QString() : QStringLiteral("WHERE (") + conditions + QLatin1Char(')');
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

void addType(QString &c, const OverviewFilter &f)
{
    add(c, f.ordinaryBills ? QStringLiteral("(typ = 1)") : QStringLiteral("(typ = 2)"));
}

void addPeriod(QString &c, const OverviewFilter &f, bool always)
{
    if (f.wholePeriod && !always)
        return;
    add(c, QStringLiteral("(faktury.datum_vystavenia >= ") + SqlDateLiteral(dateText(f.from)) + QLatin1Char(')'));
    add(c, QStringLiteral("(faktury.datum_vystavenia <= ") + SqlDateLiteral(dateText(f.to)) + QLatin1Char(')'));
}

QString categoryCondition(const OverviewFilter &f)
{
    if (f.category.index == 1)
        return QStringLiteral("(kategorie_poloziek.nazov IS NULL)");
    if (f.category.index > 1)
        return QStringLiteral("(kategorie_poloziek.nazov = ") + SqlQuoted(f.category.text) + QLatin1Char(')');
    return QString();
}

QString itemCondition(const OverviewFilter &f)
{
    if (f.item.index > 0)
        return QStringLiteral("(polozky.nazov = ") + SqlQuoted(f.item.text) + QLatin1Char(')');
    return QString();
}

void addIfAny(QString &c, const QString &condition)
{
    if (!condition.isEmpty())
        add(c, condition);
}

void addAmounts(QString &c, const OverviewFilter &f)
{
    if (!f.amountFrom.trimmed().isEmpty())
        add(c, QStringLiteral("(faktury.suma_celkom >= ") + NumberToSqlText(f.amountFrom) + QLatin1Char(')'));
    if (!f.amountTo.trimmed().isEmpty())
        add(c, QStringLiteral("(faktury.suma_celkom <= ") + NumberToSqlText(f.amountTo) + QLatin1Char(')'));
}

void addPayment(QString &c, const OverviewFilter &f)
{
    switch (f.payment) {
    case PaymentStateFilter::Paid:
        add(c, QStringLiteral("(faktury.uhradena = 1)"));
        break;
    case PaymentStateFilter::Unpaid:
        add(c, QStringLiteral("((faktury.uhradena = 0) AND (") + OpenAmountExpr() + QStringLiteral(" > 0))"));
        break;
    case PaymentStateFilter::Overpaid:
        add(c, QStringLiteral("((faktury.uhradena = 0) AND(") + OpenAmountExpr() + QStringLiteral(" <= 0))"));
        break;
    case PaymentStateFilter::All:
        break;
    }
}

void addIssuer(QString &c, const OverviewFilter &f)
{
    if (f.issuer.index > 0)
        add(c, QStringLiteral("(uzivatelia.uzivatel = ") + SqlQuoted(f.issuer.text) + QLatin1Char(')'));
}

void addCustomer(QString &c, const OverviewFilter &f)
{
    if (f.customer.index > 0)
        add(c, QStringLiteral("(odberatelia.nazov || ' - ' || odberatelia.ico = ") + SqlQuoted(f.customer.text)
                   + QLatin1Char(')'));
}

const QString kLiveBills = QStringLiteral("(faktury.existuje = 1) AND (faktury.typ = 1)");
const QString kLineJoins = QStringLiteral(
    "LEFT JOIN sp_polozky ON (sp_polozky.id_faktura = faktury.id) LEFT JOIN polozky ON (polozky.id = "
    "sp_polozky.id_polozka) LEFT JOIN kategorie_poloziek ON (kategorie_poloziek.id = polozky.id_kategoria)");

// The bill chart has no line joins: it keeps the bills having a line of
// the chosen category or item, each bill once.
QString billHasLine(const QString &lineCondition)
{
    return QStringLiteral("(EXISTS (SELECT 1 FROM sp_polozky LEFT JOIN polozky ON (polozky.id = sp_polozky.id_polozka) "
                          "LEFT JOIN kategorie_poloziek ON (kategorie_poloziek.id = polozky.id_kategoria) "
                          "WHERE (sp_polozky.id_faktura = faktury.id) AND ")
        + lineCondition + QStringLiteral("))");
}

QString billsFilter(const OverviewFilter &f, bool chartMode)
{
    QString c;
    addType(c, f);
    addPeriod(c, f, false);
    for (const QString &line : {categoryCondition(f), itemCondition(f)}) {
        if (!line.isEmpty())
            add(c, chartMode ? billHasLine(line) : line);
    }
    addAmounts(c, f);
    addPayment(c, f);
    addIssuer(c, f);
    addCustomer(c, f);
    return whereOf(c);
}

QString summaryQuery(const QString &firstLine, const QString &where, const QString &lastLine)
{
    QStringList lines{firstLine,
                      QStringLiteral("faktury.domaca_menaZobr AS `domaca_mena` FROM faktury"),
                      QStringLiteral("LEFT JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id)"),
                      QStringLiteral("LEFT JOIN sp_polozky ON (sp_polozky.id_faktura = faktury.id) LEFT JOIN polozky ON "
                                     "(polozky.id = sp_polozky.id_polozka) LEFT JOIN odberatelia ON (odberatelia.id = "
                                     "faktury.id_odberatel)"),
                      QStringLiteral("LEFT JOIN kategorie_poloziek ON (polozky.id_kategoria = kategorie_poloziek.id)")};
    lines << where << lastLine;
    return JoinSqlLines(lines);
}

using services::SetupGridColumns;

void fillGrid(platform::StringGrid &grid, const QString &sql, bool convertDates)
{
    grid.setRowCount(2);
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setCell(c, 1, QString());
    if (sql.isEmpty())
        return;
    FillGridFromSql(rules::connection(), QStringLiteral("faktury"), sql, grid);
    if (convertDates)
        ConvertGridDateColumns(grid, QStringLiteral("2"));
}

struct ChartRow {
    QString label;
    double value;
    QString caption;
};

QString chartLabel(const QString &text)
{
    return text.size() > 25 ? text.left(24) + QLatin1Char('.') : text;
}

std::vector<ChartRow> chartRows(const QString &sql, const char *labelColumn, const char *measureColumn, bool countMode)
{
    std::vector<ChartRow> rows;
    const auto table = rules::connection().GetTable(sql);
    for (table->MoveFirst(); !table->IsEof(); table->NextRow()) {
        ChartRow row;
        row.label = chartLabel(ReadFieldStr(*table, QLatin1String(labelColumn), QString()));
        row.value = ReadFieldFloat(*table, QLatin1String(measureColumn), 0);
        row.caption = row.label + QStringLiteral(" = ")
            + (countMode ? QString::number(std::nearbyint(row.value), 'f', 0)
                         : services::FormatMoney(row.value) + QLatin1Char(' ')
                               + ReadFieldStr(*table, QStringLiteral("domaca_mena"), QString()));
        rows.push_back(row);
    }
    return rows;
}

double barAxisMaximum(const std::vector<ChartRow> &rows)
{
    if (rows.empty())
        return 5000;
    QStringList padded;
    for (const ChartRow &row : rows)
        padded << services::PadString(services::FormatMoney(row.value), QLatin1Char('0'), QLatin1Char('R'), 15);
    padded.sort();
    return 1.03 * services::ParseNumber(padded.last());
}

void drawChart(const QString &sql, const char *labelColumn, const char *measureColumn, bool countMode, ChartKind kind,
               OverviewChart &chart)
{
    const std::vector<ChartRow> rows = chartRows(sql, labelColumn, measureColumn, countMode);
    if (kind == ChartKind::Pie) {
        chart.setView3D(true);
        std::vector<ChartSlice> slices;
        for (const ChartRow &row : rows)
            slices.push_back({std::nearbyint(row.value), row.caption});
        chart.addPieSeries(slices);
        return;
    }
    chart.setAxisRange(ChartAxis::Left, 0, barAxisMaximum(rows));
    chart.setAxisRange(ChartAxis::Bottom, -7, 35);
    chart.setAxisRange(ChartAxis::Depth, 0, 0);
    chart.setView3D(false);
    for (std::size_t i = 0; i < rows.size(); ++i)
        chart.addBarSeries(double(i + 1), std::nearbyint(rows[i].value), QLatin1Char(' ') + rows[i].label, rows[i].caption);
}

} // namespace

QString HomeTotalExpr()
{
    return kCaseHead + QStringLiteral(" THEN (faktury.suma_celkom)") + QStringLiteral(" ELSE (faktury.suma_celkom * faktury.kurz) END)");
}

QString OpenAmountExpr()
{
    return QStringLiteral("COALESCE((SELECT (") + HomeAmountDueExpr() + QStringLiteral(" - SUM(uhrady.suma_domaca)) FROM uhrady")
        + QStringLiteral(" WHERE (faktury.id = uhrady.id_faktura) GROUP BY uhrady.id_faktura), ") + HomeAmountDueExpr()
        + QLatin1Char(')');
}

QString LineAmountExpr()
{
    const QString unit = QStringLiteral("(sp_polozky.cena + sp_polozky.cena * (polozky.dph / 100) * sp_polozky.zaratat_dph)");
    return kCaseHead + QStringLiteral(" THEN ((") + unit + QStringLiteral(" * sp_polozky.pocet) - (") + unit
        + QStringLiteral(" * sp_polozky.pocet * sp_polozky.zlava / 100))") + QStringLiteral(" ELSE (((") + unit
        + QStringLiteral(" * sp_polozky.pocet) - (") + unit
        + QStringLiteral(" * sp_polozky.pocet * sp_polozky.zlava / 100)) * faktury.kurz) END)");
}

QString BuildBillListFilter(const OverviewFilter &f)
{
    QString c;
    addType(c, f);
    addPeriod(c, f, true);
    addPayment(c, f);
    addIssuer(c, f);
    addCustomer(c, f);
    return whereOf(c);
}

QString BuildBillListQuery(const OverviewFilter &f)
{
    QStringList lines{
        QStringLiteral("SELECT faktury.cislo AS `cislo`, faktury.vs AS `vs`, faktury.datum_vystavenia AS `datum`, "
                       "uzivatelia.uzivatel AS `uzivatel`,"),
        QStringLiteral("odberatelia.nazov AS `odberatel`, ") + OpenAmountExpr()
            + QStringLiteral(" AS `uhradit`, faktury.suma_celkom AS `suma`,"),
        QStringLiteral("faktury.interna_poznamka AS `interna_poznamka`, faktury.hlavna_mena AS `hlavna_mena`,"),
        QStringLiteral("faktury.domaca_menaZobr AS `domaca_mena`, faktury.uhradena AS `uhradena`, ") + HomeTotalExpr()
            + QStringLiteral(" AS `celkom_v_domacej`, faktury.id AS `id` FROM faktury"),
        QStringLiteral("INNER JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) INNER JOIN odberatelia ON "
                       "(faktury.id_odberatel = odberatelia.id)"),
    };
    const QString where = BuildBillListFilter(f);
    if (!where.isEmpty())
        lines << where;
    lines << QStringLiteral("ORDER BY strftime('%Y', faktury.datum_vystavenia), faktury.cislo, faktury.vs, faktury.id");
    return JoinSqlLines(lines);
}

QString BuildBillsTableFilter(const OverviewFilter &f)
{
    return billsFilter(f, false);
}

QString BuildBillsTableQuery(const OverviewFilter &f, bool chartMode, ChartGrouping grouping)
{
    QString date = QStringLiteral("faktury.datum_vystavenia");
    QString sum = QStringLiteral("(faktury.suma_celkom)");
    QString tail = QStringLiteral("GROUP BY faktury.id ORDER BY strftime('%Y', faktury.datum_vystavenia), faktury.cislo, "
                                  "faktury.vs, faktury.id");
    if (chartMode) {
        sum = QStringLiteral("SUM(") + HomeTotalExpr() + QLatin1Char(')');
        if (grouping == ChartGrouping::Months)
            date = QStringLiteral("strftime('%Y - %m', faktury.datum_vystavenia)");
        else if (grouping == ChartGrouping::Years)
            date = QStringLiteral("strftime('%Y', faktury.datum_vystavenia)");
        tail = QStringLiteral("GROUP BY ") + date + QStringLiteral(" ORDER BY ") + date + QStringLiteral(" LIMIT 35");
    }
    QStringList lines{
        QStringLiteral("SELECT faktury.cislo AS `cislo`, faktury.vs AS `vs`, ") + date
            + QStringLiteral(" AS `datum`, uzivatelia.uzivatel AS `uzivatel`,"),
        QStringLiteral("odberatelia.nazov AS `odberatel`, ") + OpenAmountExpr() + QStringLiteral(" AS `uhradit`, ") + sum
            + QStringLiteral(" AS `suma`,"),
        QStringLiteral("faktury.interna_poznamka AS `interna_poznamka`, faktury.hlavna_mena AS `hlavna_mena`, "
                       "faktury.domaca_menaZobr AS `domaca_mena`,"),
        QStringLiteral("faktury.uhradena AS `uhradena`, SUM(") + HomeTotalExpr()
            + QStringLiteral(") AS `celkom_v_domacej`, faktury.id AS `id` FROM faktury"),
        QStringLiteral("LEFT JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) LEFT JOIN odberatelia ON "
                       "(faktury.id_odberatel = odberatelia.id)"),
    };
    if (!chartMode)
        lines << kLineJoins;
    QString sql = JoinSqlLines(lines);
    if (chartMode)
        sql.replace(QStringLiteral("LEFT"), QStringLiteral("INNER"));
    const QString where = billsFilter(f, chartMode);
    if (!where.isEmpty())
        sql += QStringLiteral("\r\n") + where;
    return sql + QStringLiteral("\r\n") + tail;
}

QString BuildCustomersTableFilter(const OverviewFilter &f)
{
    QString c;
    addPeriod(c, f, false);
    addIssuer(c, f);
    add(c, kLiveBills);
    return whereOf(c);
}

QString BuildCustomersTableQuery(const OverviewFilter &f)
{
    return QStringLiteral("SELECT odberatelia.nazov AS `nazov`, COUNT(faktury.id) AS `pocet_faktur`, SUM(") + HomeTotalExpr()
        + QStringLiteral(") AS `suma`, ")
        + QStringLiteral("(SELECT COUNT(f2.id) FROM faktury f2 WHERE (f2.uhradena = 1) AND (f2.id_odberatel = "
                         "odberatelia.id) AND (f2.datum_splatnosti < (SELECT uhrady.datum FROM uhrady WHERE "
                         "uhrady.id_faktura = f2.id ORDER BY uhrady.datum DESC LIMIT 1))) AS `pocet_posplatnosti`, ")
        + QStringLiteral("'', faktury.domaca_menaZobr AS `domaca_mena` ")
        + QStringLiteral("FROM faktury INNER JOIN odberatelia ON (faktury.id_odberatel = odberatelia.id) INNER JOIN "
                         "uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) ")
        + BuildCustomersTableFilter(f) + QStringLiteral(" ") + QStringLiteral(" ")
        + QStringLiteral("GROUP BY odberatelia.nazov ORDER BY odberatelia.nazov");
}

QString BuildCategoriesTableFilter(const OverviewFilter &f)
{
    QString c;
    addPeriod(c, f, false);
    addIssuer(c, f);
    addCustomer(c, f);
    add(c, kLiveBills);
    return whereOf(c);
}

QString BuildCategoriesTableQuery(const OverviewFilter &f)
{
    return summaryQuery(QStringLiteral("SELECT COALESCE(kategorie_poloziek.nazov, ") + SqlQuoted(services::MessageText(156))
                            + QStringLiteral(") AS `nazov`, SUM(COALESCE(sp_polozky.pocet, 0)) AS `pocet_faktur`, SUM(")
                            + LineAmountExpr() + QStringLiteral(") AS `suma`,"),
                        BuildCategoriesTableFilter(f),
                        QStringLiteral("GROUP BY kategorie_poloziek.nazov ORDER BY kategorie_poloziek.nazov"));
}

QString BuildItemsTableFilter(const OverviewFilter &f)
{
    QString c;
    addPeriod(c, f, false);
    addIfAny(c, categoryCondition(f));
    addIssuer(c, f);
    addCustomer(c, f);
    add(c, kLiveBills);
    return whereOf(c);
}

QString BuildItemsTableQuery(const OverviewFilter &f)
{
    return summaryQuery(QStringLiteral("SELECT polozky.nazov AS `nazov`, SUM(COALESCE(sp_polozky.pocet, 0)) AS "
                                       "`pocet_faktur`, SUM(")
                            + LineAmountExpr() + QStringLiteral(") AS `suma`,"),
                        BuildItemsTableFilter(f), QStringLiteral("GROUP BY polozky.nazov ORDER BY polozky.nazov"));
}

void SetupBillsTableGrid(platform::StringGrid &grid)
{
    SetupGridColumns(grid,
                     {{197, ""}, {198, ""}, {199, ""}, {200, ""}, {201, ""}, {202, ""}, {203, ""}, {204, ""},
                      {-1, "mena_faktury"}, {-1, "domaca_mena"}, {-1, "uhradena"}, {-1, "celkom_v_domacej"},
                      {-1, "id"}},
                     QStringLiteral("78;90;70;165;200;115;115;154;-1;-1;-1;-1;-1"));
}

void SetupCustomersTableGrid(platform::StringGrid &grid)
{
    SetupGridColumns(grid, {{240, ""}, {241, ""}, {242, ""}, {243, ""}, {244, ""}, {-1, "domaca_mena"}},
                     QStringLiteral("200;100;130;120;-1;-1"));
}

void SetupCategoriesTableGrid(platform::StringGrid &grid)
{
    SetupGridColumns(grid, {{245, ""}, {246, ""}, {247, ""}, {-1, "domaca_mena"}}, QStringLiteral("200;132;120;-1"));
}

void SetupItemsTableGrid(platform::StringGrid &grid)
{
    SetupGridColumns(grid, {{245, ""}, {246, ""}, {247, ""}, {-1, "domaca_mena"}}, QStringLiteral("350;132;120;-1"));
}

void FillBillsTableGrid(platform::StringGrid &grid, const QString &sql)
{
    fillGrid(grid, sql, true);
}

void FillCustomersTableGrid(platform::StringGrid &grid, const QString &sql)
{
    fillGrid(grid, sql, false);
}

void FillSummaryTableGrid(platform::StringGrid &grid, const QString &sql)
{
    fillGrid(grid, sql, false);
}

void DrawBillsChart(const QString &sql, ChartKind kind, OverviewChart &chart)
{
    drawChart(sql, "datum", "celkom_v_domacej", false, kind, chart);
}

void DrawCustomersChart(const QString &sql, ChartKind kind, ChartMeasure measure, OverviewChart &chart)
{
    const bool count = measure == ChartMeasure::Count;
    drawChart(sql, "nazov", count ? "pocet_faktur" : "suma", count, kind, chart);
}

void DrawSummaryChart(const QString &sql, ChartKind kind, ChartMeasure measure, OverviewChart &chart)
{
    DrawCustomersChart(sql, kind, measure, chart);
}

} // namespace bralvo::db
