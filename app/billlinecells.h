// The bill lines grid as the bill editor shows its lines: row 0 the
// header, rows 1 to RowCount-2 the lines, the last row the empty input
// row; columns as the data layer lays them out (code, name, quantity,
// discount, unit price, VAT, total, unit, VAT-added flag, item id). The
// grid is a view of BillLines: it is rewritten whole from them and never
// read back for a number.
#pragma once

#include <QString>

namespace bralvo::platform { class StringGrid; }

namespace bralvo::app {

class BillLines;

enum LineColumn {
    kColCode = 0, kColName, kColQuantity, kColDiscount, kColUnitPrice, kColVat, kColTotal,
    kColUnit, kColAddsVat, kColItemId
};

// The number of a money or percent text as the program writes it
// (grouped thousands, a unit or symbol after a blank); 0 when none.
double CellTextNumber(const QString &text);

// Row count = lines + 2; every cell of every line row written from its
// line (quantity with its unit, discount and VAT as percent, amounts in
// the main currency); the input row emptied. The header stays.
void ShowBillLines(platform::StringGrid &grid, const BillLines &lines, const QString &mainCurrency);

} // namespace bralvo::app
