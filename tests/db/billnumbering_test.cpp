// The numbering rule: uniqueness per type and issue year among live bills,
// the last number in text order, the next number, counting.
#include "tests/db/recordsfixture.h"

#include "db/billnumbering.h"
#include "db/retiring.h"
#include "tests/support/scriptedmessageboxes.h"

using namespace bralvo::db;

namespace {

class BillNumbering : public bralvo::test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        addBill({.id = 1, .number = "9", .issued = "2009-01-10"});
        addBill({.id = 2, .number = "10", .issued = "2009-02-10"});
        addBill({.id = 3, .number = "O'1", .issued = "2009-03-10"});
        addBill({.id = 4, .number = "Z1", .type = 2, .issued = "2009-03-10"});
        addBill({.id = 5, .number = "9", .type = 2, .issued = "2009-04-10"});
        addBill({.id = 6, .number = "77", .issued = "2009-05-10", .live = 0});
        addBill({.id = 7, .number = "1", .issued = "2010-01-10"});
    }
};

TEST_F(BillNumbering, NumberExistsPerTypeYearAndLiveRow)
{
    struct Case { QString number, year; bool advance, exists; };
    const Case cases[] = {
        {"9", "2009", false, true},    {"9", "2009", true, true},   // once as bill, once as advance bill
        {"10", "2009", true, false},   {"Z1", "2009", false, false},
        {"9", "2010", false, false},   {"1", "2010", false, true},  // numbers are per year
        {"77", "2009", false, false},                               // a retired bill never blocks
        {"O'1", "2009", false, true},  {"09", "2009", false, false},
        {"9", "09", false, false},     {"9", "", false, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BillNumberExists(c.number, c.year, c.advance), c.exists) << c.number << " " << c.year;
}

TEST_F(BillNumbering, LastNumberSortsAsText)
{
    EXPECT_EQ(GetLastBillNumber(false, "2009"), "O'1");
    exec("DELETE FROM faktury WHERE id = 3");
    EXPECT_EQ(GetLastBillNumber(false, "2009"), "9");  // "9" after "10"
    EXPECT_EQ(GetLastBillNumber(true, "2009"), "Z1");
    EXPECT_EQ(GetLastBillNumber(true, "2011"), "");
}

TEST_F(BillNumbering, IncrementKeepsPrefixAndWidth)
{
    const std::pair<QString, QString> cases[] = {
        {"2009/009", "2009/010"}, {"FA007", "FA008"}, {"99", "100"}, {"FA", "FA1"}, {"", "1"}, {"A-1/B9", "A-1/B10"},
    };
    for (const auto &[number, next] : cases)
        EXPECT_EQ(IncrementBillNumber(number), next) << number;
}

TEST_F(BillNumbering, CountsLiveBillsByTypeAndYear)
{
    struct Case { QString type, year; int count; };
    const Case cases[] = {
        {"0", "", 6}, {"1", "", 4}, {"2", "", 2}, {"1", "2009", 3}, {"0", "2010", 1}, {"2", "2010", 0},
        {"1) OR (1=1", "", 0}, {"1", "'2009'", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CountBills(c.type, c.year), c.count) << c.type << " " << c.year;
}

TEST_F(BillNumbering, DeleteBillUsesTheSameRule)
{
    bralvo::test::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(DeleteBill("77", "2009", false));  // retired
    EXPECT_TRUE(DeleteBill("9", "2009", true));
    EXPECT_TRUE(BillNumberExists("9", "2009", false));
    EXPECT_FALSE(BillNumberExists("9", "2009", true));
}

} // namespace
