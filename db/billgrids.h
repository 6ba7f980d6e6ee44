// The three grids of bill data: the bill list (13 columns), the lines of
// the bill being edited (10 columns) and the payments of a bill (4
// columns); their layout, their filling from SQL, and the payment state of
// a bill. Hidden columns (width -1) carry the values the windows' own
// formatting and painting read: currency, paid flag, ids.
//
// Every grid keeps the FillGridFromSql layout: row 0 the titles, one row
// per result row, one empty last row. The windows' own amount formatting
// (bill list, line cells, payment amounts) is theirs to run after a fill.
// Bill ids are decimal text; "" or "NULL" name no bill. Errors of the
// statements throw ESQLiteException; a grid may then be left with two rows.
#pragma once

#include <QString>
#include <vector>

namespace bralvo::platform { class StringGrid; }

namespace bralvo::db {

// Amount due of a bill in home currency: as stored for a bill in two
// currencies whose main currency is the home one, else times the rate.
QString HomeAmountDueExpr();

// Bill list: columns, UI titles 197-204 and the hidden ones, widths.
void SetupBillListGrid(platform::StringGrid &grid);
// Two rows, row 1 emptied; then, for a non-empty query, its rows with the
// date column 2 shown as "dd.mm.yyyy".
void FillBillListGrid(platform::StringGrid &grid, const QString &sql);

// Bill lines: the VAT column (5) is hidden when showVat is false (the
// bill is billed without VAT, or BillShowsVat is off).
void SetupBillLinesGrid(platform::StringGrid &grid, bool showVat);
// Without a bill id: two rows, row 1 emptied. Else the query (or, when it
// is empty, the bill's own lines, their totals less the discount and, on
// an advance bill (BillIsAdvance), with VAT for the lines that add it),
// then columns 2, 3, 4 and 6 as money.
void FillBillLinesGrid(platform::StringGrid &grid, const QString &sql, const QString &billId);
// Adds the lines of another bill below the present ones (totals price x
// quantity), keeping one empty last row. "" or "NULL" does nothing.
void AppendBillLinesToGrid(platform::StringGrid &grid, const QString &billId);

// One line of a stored bill as the lines grid shows it, with its numbers
// as stored (not rounded for display).
struct BillLineRow {
    QString code, name, unit, itemId;  // itemId "" when the item row is gone
    double quantity = 0, discount = 0, unitPrice = 0, vat = 0, total = 0;
    bool addsVat = false;              // zaratat_dph is 1
};
// The bill's lines, as FillBillLinesGrid shows them; none for "" or "NULL".
std::vector<BillLineRow> LoadBillLineRows(const QString &billId);
// Another bill's lines, as AppendBillLinesToGrid adds them.
std::vector<BillLineRow> LoadTakenOverLineRows(const QString &billId);

// Payments: columns, UI titles 219-220 and the hidden ones, widths.
void SetupPaymentsGrid(platform::StringGrid &grid);
// Two rows, row 1 emptied; then the bill's payments by date, the date
// column 0 converted and the amount column 1 as money.
void FillPaymentsGrid(platform::StringGrid &grid, const QString &billId);

// What the payments window shows above its grid for one bill.
struct BillPaymentState {
    QString totalDueLabel;     // lblKUhradeCelkom: money + " " + symbol
    QString leftToPayLabel;    // lblZostavaUhradit
    QString rate;              // eKurz, 8 decimals
    QString suggestedPayment;  // eSumaDomaca: the open amount as money
    bool paid = false;         // chbFakturaJeUhradena
    QString foreignIso;        // PaymentBillForeignIso
    QString homeIso;           // PaymentBillHomeIso
    QString homeSymbol;        // lblDomacaMena
    QString foreignSymbol;     // lblCudziaMena
};
// The state of the bill with that id; a missing bill gives zero amounts
// in homeCurrencySymbol, a rate of 1 and empty currencies.
BillPaymentState GetBillPaymentState(const QString &billId, const QString &homeCurrencySymbol);

// The amount still to pay in home currency: 0 for a missing or paid bill,
// else the amount due less every payment (all of it without payments).
double GetBillOpenAmount(const QString &billId);

// The bill's stored paid flag; false for "" or a missing bill.
bool IsBillPaid(const QString &billId);

} // namespace bralvo::db
