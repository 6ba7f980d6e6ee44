// The bill totals: VAT rates, rounding, advance deduction, summary texts.
#include "app/billtotals.h"

#include "platform/conversionerror.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"
#include "services/listhelpers.h"
#include "services/numbers.h"
#include "services/roundtostep.h"
#include "services/uitexts.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace bralvo::app {

namespace {

QString money(double value, const QString &currency)
{
    return services::FormatMoney(value) + QLatin1Char(' ') + currency;
}

QString rateText(double rate)
{
    return platform::FormatFloat(QStringLiteral("##0.##"), rate, platform::regionalSettings()) +
           QLatin1Char('%');
}

// Not zero once rounded to thousandths.
bool visible(double value)
{
    return std::llround(value * 1000.0) != 0;
}

class Summary {
public:
    void add(const QString &caption, const QString &amount)
    {
        if (!m_left.isEmpty())
            m_left += QChar(13);
        if (!m_right.isEmpty())
            m_right += QChar(13);
        m_left += caption;
        m_right += amount;
    }
    QString left() const { return m_left; }
    QString right() const { return m_right; }

private:
    QString m_left, m_right;
};

int direction(int setting)
{
    return setting >= -1 && setting <= 1 ? setting : 0;
}

// Slots in ascending rate order, as the padded money texts sort.
std::vector<int> slotsByRate(VatRateSlots &rates)
{
    std::vector<std::pair<QString, int>> keyed;
    for (int slot = 0; slot < VatRateSlots::kCount; ++slot) {
        if (rates.rate(slot) > -1)
            keyed.emplace_back(services::PadString(services::FormatMoney(rates.rate(slot)), u'0', u'R', 7), slot);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> order;
    for (const auto &entry : keyed)
        order.push_back(entry.second);
    return order;
}

void addVatEntries(VatRateSlots &rates, const QString &currency, Summary &summary)
{
    for (int slot : slotsByRate(rates)) {
        const double rate = rates.rate(slot);
        if (rate == 0) {
            summary.add(QStringLiteral("0%"), money(rates.base(slot), currency));
            continue;
        }
        summary.add(services::ReportText(13) + rateText(rate), money(rates.base(slot), currency));
        summary.add(services::ReportText(14) + rateText(rate), money(rates.vat(slot), currency));
    }
}

QString secondaryAmount(const BillTotalsInput &input, const QString &dueLabel, const QString &mainCurrency)
{
    if (input.rate == 0 || !std::isfinite(input.rate) || !input.inTwoCurrencies || !input.inForeignCurrency)
        return QString();
    const double due = MoneyLabelAmount(dueLabel, mainCurrency);
    if (input.foreignIsMain)
        return money(input.rate * due, input.homeSymbol);
    return money(due / input.rate, input.foreignSymbol);
}

} // namespace

int VatRateSlots::find(double rate)
{
    for (int slot = 0; slot < kCount; ++slot) {
        if (m_slots[slot].rate == rate)
            return slot;
        if (m_slots[slot].rate == -1) {
            m_slots[slot].rate = rate;
            return slot;
        }
    }
    return -1;
}

double MoneyLabelAmount(const QString &label, const QString &currency)
{
    QString number = label;
    const QString suffix = QLatin1Char(' ') + currency;
    if (!currency.isEmpty() && number.endsWith(suffix))
        number.chop(suffix.size());
    else if (const int blank = number.lastIndexOf(QLatin1Char(' ')); blank >= 0 && !currency.isEmpty())
        number.truncate(blank);
    // Money texts group thousands; the reader knows no grouping.
    number.remove(platform::regionalSettings().thousandSeparator);
    try {
        return services::ParseNumber(number);
    } catch (const platform::ConversionError &) {
        return 0;
    }
}

QString BillMainCurrencyOf(const BillTotalsInput &input)
{
    const bool foreignMain = input.inForeignCurrency && (!input.inTwoCurrencies || input.foreignIsMain);
    return foreignMain ? input.foreignSymbol : input.homeSymbol;
}

BillTotals computeBillTotals(const BillTotalsInput &input)
{
    BillTotals out;
    out.mainCurrency = BillMainCurrencyOf(input);
    if (!input.recompute) {
        out.left = input.storedLeft;
        out.right = input.storedRight;
        out.total = input.storedTotal;
        out.due = input.storedDue;
        out.totalValue = MoneyLabelAmount(out.total, out.mainCurrency);
        out.dueValue = MoneyLabelAmount(out.due, out.mainCurrency);
        out.secondary = secondaryAmount(input, out.due, out.mainCurrency);
        return out;
    }
    VatRateSlots rates;
    for (const BillTotalsLine &line : input.lines) {
        const int slot = rates.find(input.withoutVat ? 0.0 : line.vatRate);
        if (slot < 0) {
            out.tooManyRates = true;
            continue;
        }
        rates.base(slot) += line.amount;
    }
    const int d = direction(input.direction);
    double total = 0;
    for (int slot = 0; slot < VatRateSlots::kCount; ++slot) {
        if (input.showsVat && !input.withoutVat) {
            rates.base(slot) = services::RoundToStep(d, rates.base(slot), input.baseStep);
            rates.vat(slot) = services::RoundToStep(d, rates.rate(slot) / 100.0 * rates.base(slot), input.vatStep);
        }
        total += rates.base(slot) + (input.showsVat ? rates.vat(slot) : 0.0);
    }
    double due = total - input.advanceDeduction;
    const double difference = services::RoundToStep(d, due, input.billStep) - due;
    total += difference;
    due += difference;

    Summary summary;
    if (input.showsVat)
        addVatEntries(rates, out.mainCurrency, summary);
    if (visible(input.advanceDeduction))
        summary.add(services::MessageText(216), money(-input.advanceDeduction, out.mainCurrency));
    if (visible(difference))
        summary.add(services::ReportText(51), money(difference, out.mainCurrency));
    out.left = summary.left();
    out.right = summary.right();
    out.total = money(total, out.mainCurrency);
    out.due = money(due, out.mainCurrency);
    out.totalValue = total;
    out.dueValue = due;
    out.roundingDifference = difference;
    out.secondary = secondaryAmount(input, out.due, out.mainCurrency);
    return out;
}

} // namespace bralvo::app
