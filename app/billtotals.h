// The bill editor's totals as a pure function: the line amounts and VAT
// rates, the bill's VAT and currency choices, the rounding steps and the
// advance deduction go in; the summary label texts and the money texts go
// out. The editor keeps each line's numbers beside the cell texts and
// hands the numbers here, so a currency symbol never takes part in an
// amount.
#pragma once

#include <QString>
#include <array>
#include <vector>

namespace bralvo::app {

struct BillTotalsLine {
    double vatRate = 0;  // percent
    double amount = 0;   // line total (net; gross for an advance line with VAT added)
};

struct BillTotalsInput {
    std::vector<BillTotalsLine> lines;
    bool withoutVat = false;        // chbFakturovatBezDPH
    bool showsVat = false;          // BillShowsVat
    bool inForeignCurrency = false; // chbFakturovatVCudzejMene
    bool inTwoCurrencies = false;   // chbFakturovatVDvochMenach
    bool foreignIsMain = false;     // chbJeHlavnaCudziaMena
    QString foreignSymbol;          // cbCudziaMenaZobr
    QString homeSymbol;             // HomeCurrencySymbol
    double rate = 0;                // eKurz (home units per foreign unit)
    int direction = 0;              // [Faktura] RoundAllSmer; other than -1, 0, 1 counts as 0
    double baseStep = 0.01;         // [Faktura] RoundZaklad
    double vatStep = 0.10;          // [Faktura] RoundDph
    double billStep = 0.01;         // cbZaokruhlovanie
    double advanceDeduction = 0;    // amounts due of the deducted advance bills
    // False for a stored bill opened and not changed: its stored labels
    // stay, only the second-currency amount is taken from them.
    bool recompute = true;
    QString storedLeft, storedRight, storedTotal, storedDue;
};

struct BillTotals {
    QString mainCurrency;           // BillMainCurrency
    QString left, right;            // lblSuma1Left / lblSuma2Right, CR separated
    QString total, due;             // lblSumaCelkom / lblSumaKUhrade
    QString secondary;              // lblSecondaryKUhrade ("" when none)
    double totalValue = 0, dueValue = 0;
    double roundingDifference = 0;  // 0 when nothing was recomputed
    // A line had a fifth distinct VAT rate: it was left out of the sums.
    bool tooManyRates = false;
};

// The main currency of the bill: the foreign symbol when the bill is in a
// foreign currency and either single-currency or foreign-is-main.
QString BillMainCurrencyOf(const BillTotalsInput &input);

BillTotals computeBillTotals(const BillTotalsInput &input);

// The four VAT-rate slots of one recomputation.
class VatRateSlots {
public:
    // The slot holding the rate, taking the first free one; -1 when all
    // four hold other rates.
    int find(double rate);
    double rate(int slot) const { return m_slots[slot].rate; }
    double &base(int slot) { return m_slots[slot].base; }
    double &vat(int slot) { return m_slots[slot].vat; }
    static constexpr int kCount = 4;

private:
    struct Slot {
        double rate = -1, base = 0, vat = 0;
    };
    std::array<Slot, kCount> m_slots{};
};

// The amount of a money label ("1 234,50 Sk"): the label without its
// currency suffix (" " + currency) and its thousands separators, read as
// a number; text that reads as no number gives 0.
double MoneyLabelAmount(const QString &label, const QString &currency);

} // namespace bralvo::app
