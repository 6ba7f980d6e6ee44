// Layout and filling of the bill list, bill lines and payments grids.
#include "db/billgrids.h"

#include "db/billstate.h"
#include "db/compactrows.h"
#include "db/fieldreaders.h"
#include "db/rulesquery.h"
#include "db/sqlhelpers.h"
#include "db/sqltext.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/widgets/stringgrid.h"
#include "services/gridhelpers.h"
#include "services/numbers.h"
#include "services/uitexts.h"

#include <initializer_list>

namespace bralvo::db {

namespace {

using services::SetupGridColumns;

void resetToTwoRows(platform::StringGrid &grid)
{
    grid.setRowCount(2);
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setCell(c, 1, QString());
}

bool isNoBill(const QString &billId)
{
    return SqlId(billId) == QLatin1String("NULL");
}

// Lines whose item is gone (id_polozka NULL) still belong to the bill:
// the join keeps them, with no VAT, so they load and are saved again.
QString linesJoin(const QString &billId)
{
    return QStringLiteral("LEFT JOIN polozky ON (polozky.id = sp_polozky.id_polozka) WHERE (sp_polozky.id_faktura = ")
        + SqlId(billId) + QStringLiteral(")");
}

// Price x quantity less the discount percentage.
QString lineTotal(const QString &price)
{
    return QStringLiteral("((") + price + QStringLiteral(" * sp_polozky.pocet) - (") + price
        + QStringLiteral(" * sp_polozky.pocet * sp_polozky.zlava / 100))");
}

QString linesSql(const QString &billId)
{
    const QString price = BillIsAdvance
        ? QStringLiteral("(sp_polozky.cena + sp_polozky.cena * (COALESCE(polozky.dph, 0) / 100) * sp_polozky.zaratat_dph)")
        : QStringLiteral("sp_polozky.cena");
    return JoinSqlLines({
        QStringLiteral("SELECT polozky.kod AS `kod`, polozky.nazov AS `nazov`, sp_polozky.pocet AS `pocet`, "
                       "sp_polozky.zlava AS `zlava`, sp_polozky.cena AS `cena_ks`,"),
        QStringLiteral("polozky.dph AS `dph`, ") + lineTotal(price)
            + QStringLiteral(" AS `cena_celkom`, polozky.merna_jednotka AS `merna_jednotka`,"),
        QStringLiteral("sp_polozky.zaratat_dph AS `zaratat_dph`, polozky.id AS `id` FROM sp_polozky"),
        linesJoin(billId),
    });
}

// The statement of lines taken over from another bill: totals price x
// quantity less the discount, never with VAT added.
QString takenOverLinesSql(const QString &billId)
{
    return JoinSqlLines({
        QStringLiteral("SELECT polozky.kod, polozky.nazov AS `nazov`, sp_polozky.pocet AS `pocet`, "
                       "sp_polozky.zlava AS `zlava`, sp_polozky.cena AS `cena_ks`,"),
        QStringLiteral("polozky.dph AS `dph`, ") + lineTotal(QStringLiteral("sp_polozky.cena"))
            + QStringLiteral(" AS `cena_celkom`, polozky.merna_jednotka AS `merna_jednotka`,"),
        QStringLiteral("sp_polozky.zaratat_dph AS `add_dph`, polozky.id AS `id` FROM sp_polozky"),
        linesJoin(billId),
    });
}

// A number cell; text a number was stored as is read with "." decimals.
double numberAt(const TSQLiteTable &table, int column)
{
    switch (table.FieldKind(column)) {
    case ColumnKind::Integer:
    case ColumnKind::Float:
        return table.FieldAsDouble(column);
    case ColumnKind::Text:
        return table.FieldAsString(column).trimmed().toDouble();
    default:
        return 0;
    }
}

// Rows of a lines statement (the ten grid columns in order).
std::vector<BillLineRow> lineRows(const QString &sql)
{
    const auto table = rules::connection().GetTable(sql);
    std::vector<BillLineRow> rows;
    for (table->MoveFirst(); !table->IsEof(); table->NextRow()) {
        BillLineRow row;
        row.code = table->FieldAsString(0);
        row.name = table->FieldAsString(1);
        row.quantity = numberAt(*table, 2);
        row.discount = numberAt(*table, 3);
        row.unitPrice = numberAt(*table, 4);
        row.vat = numberAt(*table, 5);
        row.total = numberAt(*table, 6);
        row.unit = table->FieldAsString(7);
        row.addsVat = table->FieldAsString(8) == QLatin1String("1");
        row.itemId = table->FieldAsString(9);
        rows.push_back(row);
    }
    return rows;
}

// "COALESCE(due - SUM(payments), due) AS `uhradene`" over faktury LEFT
// JOIN uhrady, with the leading select items given.
QString paymentStateSql(const QString &leadingItems, const QString &middleItems, const QString &billId)
{
    const QString due = HomeAmountDueExpr();
    return JoinSqlLines({
        QStringLiteral("SELECT ") + leadingItems,
        QStringLiteral("COALESCE(") + due + QStringLiteral(" - SUM(uhrady.suma_domaca), ") + due
            + QStringLiteral(") AS `uhradene`") + middleItems + QStringLiteral(" FROM faktury"),
        QStringLiteral("LEFT JOIN uhrady ON (faktury.id = uhrady.id_faktura) WHERE faktury.id = ") + SqlId(billId)
            + QStringLiteral(" GROUP BY uhrady.id_faktura"),
    });
}

} // namespace

QString HomeAmountDueExpr()
{
    return QStringLiteral("(CASE WHEN ((faktury.fakturovat_vcudzejmene = 1) AND (faktury.jehlavna_cudziamena = 0) "
                          "AND (faktury.fakturovat_vdvochmenach = 1))"
                          " THEN (faktury.suma_kuhrade)"
                          " ELSE (faktury.suma_kuhrade * faktury.kurz) END)");
}

void SetupBillListGrid(platform::StringGrid &grid)
{
    SetupGridColumns(grid,
                     {{197, ""}, {198, ""}, {199, ""}, {200, ""}, {201, ""}, {202, ""}, {203, ""}, {204, ""},
                      {-1, "mena_faktury"}, {-1, "domaca_mena"}, {-1, "uhradena"}, {-1, "celkom_v_domacej"},
                      {-1, "id"}},
                     QStringLiteral("80;80;70;165;200;115;115;155;-1;-1;-1;-1;-1"));
}

void FillBillListGrid(platform::StringGrid &grid, const QString &sql)
{
    resetToTwoRows(grid);
    if (sql.isEmpty() || !rules::connection().TableExists(QStringLiteral("faktury")))
        return;
    // A year may hold a million bills: the rows stay compact and the
    // grid reads its cells from them.
    auto rows = std::make_unique<CompactRows>(rules::connection(), sql, grid.columnCount(), QSet<int>{2});
    const int count = rows->rowCount();
    if (count > 0)
        grid.adoptRows(1, std::move(rows), count + 2);
}

void SetupBillLinesGrid(platform::StringGrid &grid, bool showVat)
{
    const QString vatWidth = showVat ? QStringLiteral("60") : QStringLiteral("-1");
    SetupGridColumns(grid,
                     {{257, ""}, {191, ""}, {192, ""}, {193, ""}, {194, ""}, {195, ""}, {196, ""},
                      {-1, "merna_jednotka"}, {-1, "add_dph"}, {-1, "id"}},
                     QStringLiteral("70;285;84;60;100;") + vatWidth + QStringLiteral(";100;-1;-1;-1"));
}

void FillBillLinesGrid(platform::StringGrid &grid, const QString &sql, const QString &billId)
{
    if (isNoBill(billId)) {
        resetToTwoRows(grid);
        return;
    }
    const QString query = sql.isEmpty() ? linesSql(billId) : sql;
    FillGridFromSql(rules::connection(), QStringLiteral("sp_polozky"), query, grid);
    services::FormatGridMoneyColumns(grid, QStringLiteral("2;3;4;6"));
}

void AppendBillLinesToGrid(platform::StringGrid &grid, const QString &billId)
{
    if (isNoBill(billId))
        return;
    const auto table = rules::connection().GetTable(takenOverLinesSql(billId));
    int row = std::max(1, grid.rowCount() - 1);
    grid.setRowCount(row + table->RowCount() + 1);
    const int columns = std::min(table->ColumnCount(), int(grid.columnCount()));
    for (table->MoveFirst(); !table->IsEof(); table->NextRow(), ++row) {
        for (int c = 0; c < columns; ++c)
            grid.setCell(c, row, table->FieldAsString(c));
    }
    for (int c = 0; c < grid.columnCount(); ++c)
        grid.setCell(c, grid.rowCount() - 1, QString());
    services::FormatGridMoneyColumns(grid, QStringLiteral("2;3;4;6"));
}

std::vector<BillLineRow> LoadBillLineRows(const QString &billId)
{
    return isNoBill(billId) ? std::vector<BillLineRow>() : lineRows(linesSql(billId));
}

std::vector<BillLineRow> LoadTakenOverLineRows(const QString &billId)
{
    return isNoBill(billId) ? std::vector<BillLineRow>() : lineRows(takenOverLinesSql(billId));
}

void SetupPaymentsGrid(platform::StringGrid &grid)
{
    SetupGridColumns(grid, {{219, ""}, {220, ""}, {-1, "domaca_mena"}, {-1, "id"}}, QStringLiteral("70;100;-1;-1"));
}

void FillPaymentsGrid(platform::StringGrid &grid, const QString &billId)
{
    resetToTwoRows(grid);
    if (isNoBill(billId))
        return;
    const QString sql = JoinSqlLines({
        QStringLiteral("SELECT uhrady.datum AS `datum`, uhrady.suma_domaca AS `suma`, faktury.domaca_menaZobr, "
                       "uhrady.id AS `id` FROM uhrady"),
        QStringLiteral("INNER JOIN faktury ON (faktury.id = uhrady.id_faktura) WHERE faktury.id = ") + SqlId(billId)
            + QStringLiteral(" ORDER BY uhrady.datum"),
    });
    FillGridFromSql(rules::connection(), QStringLiteral("uhrady"), sql, grid);
    ConvertGridDateColumns(grid, QStringLiteral("0"));
    services::FormatGridMoneyColumns(grid, QStringLiteral("1"));
}

BillPaymentState GetBillPaymentState(const QString &billId, const QString &homeCurrencySymbol)
{
    BillPaymentState state;
    const QString zero = services::FormatMoney(0) + QLatin1Char(' ') + homeCurrencySymbol;
    state.totalDueLabel = state.leftToPayLabel = zero;
    state.rate = services::FormatNumberDecimals(8, 1);
    state.suggestedPayment = services::FormatMoney(0);
    if (isNoBill(billId))
        return state;
    const auto table = rules::connection().GetTable(paymentStateSql(
        HomeAmountDueExpr() + QStringLiteral(" AS `uhradit`,\r\nfaktury.uhradena AS `uhradena`,"),
        QStringLiteral(",\r\nfaktury.domaca_menaZobr AS `mena`, faktury.cudzia_menaZobr AS `cudzia_menaZobr`, "
                       "faktury.domaca_menaIso AS `domaca_menaIso`, faktury.cudzia_menaIso AS `cudzia_menaIso`,\r\n"
                       "faktury.kurz AS `kurz`"),
        billId));
    if (!table->MoveFirst())
        return state;
    const QString symbol = ReadFieldStr(*table, QStringLiteral("mena"), homeCurrencySymbol);
    state.totalDueLabel = services::FormatMoney(ReadFieldFloat(*table, QStringLiteral("uhradit"), 0))
        + QLatin1Char(' ') + symbol;
    state.leftToPayLabel = services::FormatMoney(ReadFieldFloat(*table, QStringLiteral("uhradene"), 0))
        + QLatin1Char(' ') + symbol;
    state.rate = services::FormatNumberDecimals(8, ReadFieldFloat(*table, QStringLiteral("kurz"), 1));
    state.suggestedPayment = services::FormatMoney(GetBillOpenAmount(billId));
    state.paid = ReadFieldIntText(*table, QStringLiteral("uhradena"), false) == QLatin1String("1");
    state.foreignIso = ReadFieldStr(*table, QStringLiteral("cudzia_menaIso"), QString());
    state.homeIso = ReadFieldStr(*table, QStringLiteral("domaca_menaIso"), QString());
    state.homeSymbol = symbol;
    state.foreignSymbol = ReadFieldStr(*table, QStringLiteral("cudzia_menaZobr"), QString());
    return state;
}

double GetBillOpenAmount(const QString &billId)
{
    if (isNoBill(billId))
        return 0;
    const auto table = rules::connection().GetTable(
        paymentStateSql(QStringLiteral("faktury.uhradena AS `uhradena`,"), QString(), billId));
    if (!table->MoveFirst())
        return 0;
    if (ReadFieldIntText(*table, QStringLiteral("uhradena"), false) == QLatin1String("1"))
        return 0;
    return ReadFieldFloat(*table, QStringLiteral("uhradene"), 0);
}

bool IsBillPaid(const QString &billId)
{
    if (isNoBill(billId))
        return false;
    const auto table = rules::connection().GetTable(QStringLiteral("SELECT uhradena FROM faktury WHERE faktury.id = ")
                                                    + SqlId(billId));
    return table->MoveFirst() && ReadFieldIntText(*table, QStringLiteral("uhradena"), false) == QLatin1String("1");
}

} // namespace bralvo::db
