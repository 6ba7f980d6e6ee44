// The bill totals function: one table of bills, checked under a comma and
// under a full-stop decimal separator.
#include "app/billtotals.h"
#include "platform/regionalsettings.h"
#include "tests/services/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo;
using app::BillTotalsInput;

namespace {

const QChar CR(13);

QString lines(std::initializer_list<const char *> parts)
{
    QStringList list;
    for (const char *part : parts)
        list << QString::fromUtf8(part);
    return list.join(CR);
}

struct Case {
    const char *name;
    BillTotalsInput input;
    QString left, right, total, due, secondary;
};

BillTotalsInput vatBill(std::vector<app::BillTotalsLine> billLines, double billStep)
{
    BillTotalsInput input;
    input.lines = std::move(billLines);
    input.showsVat = true;
    input.homeSymbol = "Sk";
    input.billStep = billStep;
    return input;
}

BillTotalsInput fourLines()
{
    return vatBill({{19, 123.45}, {10, 50.00}, {19, 10.10}, {0, 7.00}}, 0.50);
}

BillTotalsInput twoCurrencies(BillTotalsInput input, bool foreignIsMain)
{
    input.inForeignCurrency = true;
    input.inTwoCurrencies = true;
    input.foreignIsMain = foreignIsMain;
    input.foreignSymbol = "€";
    input.rate = 30.126;
    return input;
}

std::vector<Case> cases()
{
    std::vector<Case> all;
    all.push_back({"four lines, three rates", fourLines(),
                   lines({"0%", "základ pre 10%", "DPH 10%", "základ pre 19%", "DPH 19%", "zaokrúhlenie"}),
                   lines({"7,00 Sk", "50,00 Sk", "5,00 Sk", "133,55 Sk", "25,40 Sk", "0,05 Sk"}),
                   "221,00 Sk", "221,00 Sk", ""});
    all.push_back({"home main, second currency", twoCurrencies(fourLines(), false),
                   lines({"0%", "základ pre 10%", "DPH 10%", "základ pre 19%", "DPH 19%", "zaokrúhlenie"}),
                   lines({"7,00 Sk", "50,00 Sk", "5,00 Sk", "133,55 Sk", "25,40 Sk", "0,05 Sk"}),
                   "221,00 Sk", "221,00 Sk", "7,34 €"});
    all.push_back({"foreign main", twoCurrencies(vatBill({{19, 100.00}}, 0.50), true),
                   lines({"základ pre 19%", "DPH 19%"}), lines({"100,00 €", "19,00 €"}),
                   "119,00 €", "119,00 €", "3 584,99 Sk"});
    BillTotalsInput advance = vatBill({{19, 1000}}, 0.50);
    advance.advanceDeduction = 500;
    all.push_back({"advance deducted", advance, lines({"základ pre 19%", "DPH 19%", "zalohove bralvos"}),
                   lines({"1 000,00 Sk", "190,00 Sk", "-500,00 Sk"}), "1 190,00 Sk", "690,00 Sk", ""});
    advance.advanceDeduction = 1500;
    all.push_back({"advance above the bill", advance, lines({"základ pre 19%", "DPH 19%", "zalohove bralvos"}),
                   lines({"1 000,00 Sk", "190,00 Sk", "-1 500,00 Sk"}), "1 190,00 Sk", "-310,00 Sk", ""});
    BillTotalsInput up = vatBill({{10, 50.04}}, 0.50);
    up.direction = 1;
    all.push_back({"rounding up", up, lines({"základ pre 10%", "DPH 10%", "zaokrúhlenie"}),
                   lines({"50,04 Sk", "5,10 Sk", "0,36 Sk"}), "55,50 Sk", "55,50 Sk", ""});
    BillTotalsInput nonPayer = vatBill({{19, 1234.56}}, 1.00);
    nonPayer.showsVat = false;
    all.push_back({"issuer pays no VAT", nonPayer, lines({"zaokrúhlenie"}), lines({"0,44 Sk"}), "1 235,00 Sk",
                   "1 235,00 Sk", ""});
    BillTotalsInput withoutVat = vatBill({{19, 10}, {10, 5}}, 0.01);
    withoutVat.withoutVat = true;
    all.push_back({"billed without VAT", withoutVat, lines({"0%"}), lines({"15,00 Sk"}), "15,00 Sk", "15,00 Sk", ""});
    all.push_back({"empty bill", vatBill({}, 0.50), "", "", "0,00 Sk", "0,00 Sk", ""});
    BillTotalsInput stored = twoCurrencies(vatBill({{19, 999}}, 1.00), false);
    stored.recompute = false;
    stored.storedLeft = "základ pre 19%" + QString(CR) + "DPH 19%";
    stored.storedRight = "100,00 Sk" + QString(CR) + "19,00 Sk";
    stored.storedTotal = "119,00 Sk";
    stored.storedDue = "3 012,60 Sk";
    all.push_back({"stored bill opened unchanged", stored, stored.storedLeft, stored.storedRight, "119,00 Sk",
                   "3 012,60 Sk", "100,00 €"});
    return all;
}

// The texts as a full-stop locale writes them: "3,584.99 Sk".
QString withFullStop(QString text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u',')
            text[i] = u'.';
        else if (text[i] == u' ' && i > 0 && i + 1 < text.size() && text[i - 1].isDigit() && text[i + 1].isDigit())
            text[i] = u',';
    }
    return text;
}

void checkAll(bool fullStop)
{
    for (Case c : cases()) {
        if (fullStop) {
            for (QString *text : {&c.input.storedLeft, &c.input.storedRight, &c.input.storedTotal,
                                  &c.input.storedDue, &c.left, &c.right, &c.total, &c.due, &c.secondary})
                *text = withFullStop(*text);
        }
        const app::BillTotals out = app::computeBillTotals(c.input);
        EXPECT_EQ(out.left, c.left) << c.name;
        EXPECT_EQ(out.right, c.right) << c.name;
        EXPECT_EQ(out.total, c.total) << c.name;
        EXPECT_EQ(out.due, c.due) << c.name;
        EXPECT_EQ(out.secondary, c.secondary) << c.name;
        EXPECT_FALSE(out.tooManyRates) << c.name;
    }
}

TEST(BillTotals, TableUnderCommaSeparator)
{
    checkAll(false);
}

TEST(BillTotals, TableUnderFullStopSeparator)
{
    platform::RegionalSettings english;
    english.decimalSeparator = u'.';
    english.thousandSeparator = u',';
    const platform::ScopedRegionalSettings scoped(english);
    checkAll(true);
}

TEST(BillTotals, BaseIsRoundedBeforeItsVat)
{
    BillTotalsInput input = vatBill({{19, 100.006}}, 0.01);
    const app::BillTotals out = app::computeBillTotals(input);
    EXPECT_EQ(out.right, lines({"100,01 Sk", "19,00 Sk"}));
}

TEST(BillTotals, FifthRateIsLeftOutAndReported)
{
    BillTotalsInput input = vatBill({{5, 10}, {10, 10}, {19, 10}, {20, 10}, {21, 1000}}, 0.01);
    input.showsVat = false;
    const app::BillTotals out = app::computeBillTotals(input);
    EXPECT_TRUE(out.tooManyRates);
    EXPECT_EQ(out.total, "40,00 Sk");
}

TEST(BillTotals, CurrencySymbolWithDigitsNeverChangesAnAmount)
{
    // A stored due label whose symbol holds digits and separators.
    BillTotalsInput input = twoCurrencies(vatBill({}, 0.01), true);
    input.foreignSymbol = "1.5-€";
    input.rate = 2;
    input.recompute = false;
    input.storedDue = "10,00 1.5-€";
    EXPECT_EQ(app::computeBillTotals(input).secondary, "20,00 Sk");
    EXPECT_DOUBLE_EQ(app::MoneyLabelAmount("1 234,50 9,9", "9,9"), 1234.5);
    EXPECT_DOUBLE_EQ(app::MoneyLabelAmount("garbage,,1,2", "Sk"), 0);
}

} // namespace
