// Amounts in Slovak words, checked against worked examples.
#include "services/amountinwords.h"

#include <gtest/gtest.h>

#include <limits>

using namespace bralvo::services;

namespace {

struct AmountCase {
    double amount;
    const char *words;
};

} // namespace

TEST(AmountInWords, WorkedExamples)
{
    const AmountCase cases[] = {
        {1, "jeden"},
        {2, "dva"},
        {4, "štyri"},
        {5, "päť"},
        {10, "desať"},
        {19, "devätnásť"},
        {21, "dvadsaťjeden"},
        {31, "tridsaťjeden"},
        {99, "deväťdesiatdeväť"},
        {100, "jednosto"},
        {115, "jednostopätnásť"},
        {342, "tristoštyridsaťdva"},
        {999, "deväťstodeväťdesiatdeväť"},
        {1000, "jedentisíc"},
        {2000, "dvetisíc"},
        {7005, "sedemtisícpäť"},
        {10000, "desaťtisíc"},
        {12345, "dvanásťtisíctristoštyridsaťpäť"},
        {20000, "dvadsaťtisíc"},
        {21000, "dvadsaťjedentisíc"},
        {45678, "štyridsaťpäťtisícšesťstosedemdesiatosem"},
        {99999, "deväťdesiatdeväťtisícdeväťstodeväťdesiatdeväť"},
        {100000, "jednostotisíc"},
        {101000, "jednostojedentisíc"},
        {250003, "dvestopäťdesiattisíctri"},
        {1000000, "jedenmilión"},
        {2500000, "dvamiliónypäťstotisíc"},
        {4000001, "štyrimiliónyjeden"},
        {5000000, "päťmiliónov"},
        {12030400, "dvanásťmiliónovtridsaťtisícštyristo"},
        {999999999, "deväťstodeväťdesiatdeväťmiliónovdeväťstodeväťdesiatdeväťtisíc"
                    "deväťstodeväťdesiatdeväť"},
    };
    for (const AmountCase &c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(AmountInWords(c.amount), QString::fromUtf8(c.words));
    }
}

TEST(AmountInWords, FractionsAreCutOff)
{
    EXPECT_EQ(AmountInWords(0.99), QString());
    EXPECT_EQ(AmountInWords(1.99), QStringLiteral("jeden"));
    EXPECT_EQ(AmountInWords(20.5), QString::fromUtf8("dvadsať"));
}

TEST(AmountInWords, OutsideTheRangeGivesNothing)
{
    for (double amount : {0.0, -1.0, -0.5, -1234.0, 1e9, 1e9 + 1, 1e300,
                          std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(amount);
        EXPECT_EQ(AmountInWords(amount), QString());
    }
}

TEST(AmountInWords, DigitWordsAtEachPosition)
{
    struct Case {
        int position, value;
        const char *word;
    };
    const Case cases[] = {
        {1, 1, "jeden"},       {1, 3, "tri"},         {1, 9, "deväť"},
        {1, 11, "jedenásť"},   {100, 1, "jednosto"},  {100, 2, "dvesto"},
        {100, 4, "štyristo"},  {100, 6, "šesťsto"},   {1000, 1, "jedentisíc"},
        {1000, 3, "tritisíc"}, {1000, 15, "pätnásťtisíc"},
        {10, 1, ""},           {1, 0, ""},            {1, 20, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(DigitWord(c.position, c.value), QString::fromUtf8(c.word));
    }
}

TEST(AmountInWords, ThousandsInWordsBounds)
{
    EXPECT_EQ(ThousandsInWords(0), QString());
    EXPECT_EQ(ThousandsInWords(100000), QString());
    EXPECT_EQ(ThousandsInWords(-1), QString());
    EXPECT_EQ(ThousandsInWords(30000), QString::fromUtf8("tridsaťtisíc"));
}
