// The bill lines grid as the bill editor keeps it: every line cell holds
// its number beside its text (item data), so formatting a cell with a
// unit or a currency symbol never feeds back into an amount. Row 0 is the
// header, rows 1 to RowCount-2 the lines, the last row the empty input
// row; columns as the data layer lays them out (code, name, quantity,
// discount, unit price, VAT, total, unit, VAT-added flag, item id).
#pragma once

#include "db/billform.h"

#include <QString>
#include <vector>

namespace bralvo::platform { class StringGrid; }

namespace bralvo::app {

enum LineColumn {
    kColCode = 0, kColName, kColQuantity, kColDiscount, kColUnitPrice, kColVat, kColTotal,
    kColUnit, kColAddsVat, kColItemId
};

// The number of a money or percent text as the program writes it
// (grouped thousands, a unit or symbol after a blank); 0 when none.
double CellTextNumber(const QString &text);

// The number a line cell holds; a cell without one is read from its text.
double LineNumber(const platform::StringGrid &grid, int col, int row);
void SetLineNumber(platform::StringGrid &grid, int col, int row, double value);
// Lines loaded from the database carry plain numbers as text: each line
// cell without a number takes the one its text reads as.
void CaptureLineNumbers(platform::StringGrid &grid);

// One line as the picker and the one-off window write it.
struct NewBillLine {
    QString code, name, unit, vatText, itemId;
    double quantity = 1, discount = 0, netPrice = 0, perUnits = 1, vat = 0;
    bool addsVat = false;  // VAT added to an advance-bill line
};
// The texts of a line's fields as the user typed them.
struct LineFieldTexts {
    QString name, code, unit, vat, quantity, discount, perUnits;
};
// A line from its typed texts; the caller sets the net price, addsVat and
// the item id.
NewBillLine NewBillLineFromTexts(const LineFieldTexts &texts);
// Writes the line into row. The unit price is the net price per one unit
// rounded to cents; the amount is that price (plus its VAT when addsVat)
// times the quantity less the discount.
void WriteBillLine(platform::StringGrid &grid, int row, const NewBillLine &line);
// The typed price without VAT when it was typed with VAT.
double NetPrice(double typed, double vat, bool typedWithVat);

// Rewrites the texts of columns 2 to 6 from the numbers.
void FormatLineCells(platform::StringGrid &grid, const QString &mainCurrency);
// Rewrites the amounts (columns 4 and 6) with the main currency.
void FormatLineMoneyCells(platform::StringGrid &grid, const QString &mainCurrency);

// Row r takes every cell (text and number) of row r + 1, from `from` on;
// the last row goes.
void RemoveLineRow(platform::StringGrid &grid, int from);
// Grows the grid by one empty input row.
void AppendInputRow(platform::StringGrid &grid);

// The lines as the data layer stores them, from the numbers.
std::vector<db::BillLine> BillLinesOf(const platform::StringGrid &grid);
// The distinct VAT rates of the lines (0 for every line when withoutVat).
int DistinctVatRates(const platform::StringGrid &grid, bool withoutVat);

} // namespace bralvo::app
