// The lines of the bill being edited: the one owner of their values. The
// editor loads them from the database, the picker and the one-off window
// add and rewrite them, the editor deletes them; the lines grid only shows
// them (ShowBillLines) and nothing is ever read back from its cells. So a
// value of an earlier bill or an earlier line has nowhere to survive.
#pragma once

#include "db/billform.h"
#include "db/billgrids.h"

#include <QString>
#include <vector>

namespace bralvo::app {

// One line: texts and numbers as stored (the grid rounds only for show).
using BillLineValues = db::BillLineRow;

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
// The typed price without VAT when it was typed with VAT.
double NetPrice(double typed, double vat, bool typedWithVat);
// The written line. The unit price is the net price per one unit rounded
// to cents; the amount is that price (plus its VAT when addsVat) times the
// quantity less the discount, rounded to cents.
BillLineValues WrittenLine(const NewBillLine &line);

class BillLines {
public:
    int count() const { return int(m_lines.size()); }
    // Line index (0-based; grid row index + 1). Throws std::out_of_range.
    const BillLineValues &at(int index) const { return m_lines.at(std::size_t(index)); }

    // Every line goes, or is replaced by the given ones.
    void clear() { m_lines.clear(); }
    void assign(std::vector<BillLineValues> lines) { m_lines = std::move(lines); }
    void append(const BillLineValues &line) { m_lines.push_back(line); }
    void appendAll(const std::vector<BillLineValues> &lines);
    // Nothing happens for an index outside the lines.
    void replace(int index, const BillLineValues &line);
    void remove(int index);

    // The lines as the data layer stores them.
    std::vector<db::BillLine> stored() const;
    // The distinct VAT rates (0 for every line when withoutVat).
    int distinctVatRates(bool withoutVat) const;

private:
    std::vector<BillLineValues> m_lines;
};

} // namespace bralvo::app
