// The bill's lines as values, and the line writer's arithmetic.
#include "app/billlines.h"

#include "app/billlinecells.h"
#include "services/roundtostep.h"

#include <set>

namespace bralvo::app {

namespace {

// Text of an SQL number written with ".": "12.5".
QString sqlNumberText(double value)
{
    return QString::number(value, 'f', 8);
}

} // namespace

NewBillLine NewBillLineFromTexts(const LineFieldTexts &texts)
{
    NewBillLine line;
    line.name = texts.name;
    line.code = texts.code;
    line.unit = texts.unit;
    line.vatText = texts.vat;
    line.vat = CellTextNumber(texts.vat);
    line.quantity = CellTextNumber(texts.quantity);
    line.discount = CellTextNumber(texts.discount);
    line.perUnits = CellTextNumber(texts.perUnits);
    return line;
}

double NetPrice(double typed, double vat, bool typedWithVat)
{
    return typedWithVat ? typed / (vat + 100.0) * 100.0 : typed;
}

BillLineValues WrittenLine(const NewBillLine &line)
{
    const double perUnits = line.perUnits > 0 ? line.perUnits : 1.0;
    BillLineValues written;
    written.code = line.code;
    written.name = line.name;
    written.unit = line.unit;
    written.itemId = line.itemId;
    written.quantity = line.quantity;
    written.discount = line.discount;
    written.vat = line.vat;
    written.addsVat = line.addsVat;
    written.unitPrice = services::RoundToStep(0, line.netPrice / perUnits, 0.01);
    double price = written.unitPrice;
    if (line.addsVat)
        price += line.vat / 100.0 * price;
    double amount = price * line.quantity;
    amount -= line.discount / 100.0 * amount;
    written.total = services::RoundToStep(0, amount, 0.01);
    return written;
}

void BillLines::appendAll(const std::vector<BillLineValues> &lines)
{
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
}

void BillLines::replace(int index, const BillLineValues &line)
{
    if (index >= 0 && index < count())
        m_lines[std::size_t(index)] = line;
}

void BillLines::remove(int index)
{
    if (index >= 0 && index < count())
        m_lines.erase(m_lines.begin() + index);
}

std::vector<db::BillLine> BillLines::stored() const
{
    std::vector<db::BillLine> lines;
    for (const BillLineValues &values : m_lines) {
        db::BillLine line;
        line.quantity = sqlNumberText(values.quantity);
        line.discount = sqlNumberText(values.discount);
        line.unitPrice = sqlNumberText(values.unitPrice);
        line.addsVat = values.addsVat;
        line.itemId = values.itemId;
        lines.push_back(line);
    }
    return lines;
}

int BillLines::distinctVatRates(bool withoutVat) const
{
    std::set<double> rates;
    for (const BillLineValues &line : m_lines)
        rates.insert(withoutVat ? 0.0 : line.vat);
    return int(rates.size());
}

} // namespace bralvo::app
