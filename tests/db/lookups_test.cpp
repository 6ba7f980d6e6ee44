// Lookups and existence checks: their result conventions ("" versus
// "NULL" versus an id), live versus retired rows, apostrophes in names,
// the advance-bill queries and the password check.
#include "tests/db/rulesfixture.h"

#include "db/accountscope.h"
#include "db/esqliteexception.h"
#include "db/lookups.h"
#include "services/uitexts.h"
#include "tests/support/scriptedmessageboxes.h"

#include <functional>

using namespace bralvo::db;

namespace {

class Lookups : public bralvo::test::RulesDatabase {
protected:
    void SetUp() override
    {
        RulesDatabase::SetUp();
        addUser(2, "Pat O'Neil", "o'neil");
        addUser(3, "Old Pat", "oldpat", "", 0);
        addCustomer(10, "O'Neil s.r.o.", "111");
        addCustomer(11, "Retired Ltd", "222", 0);
        addCustomer(12, "No Ico", "NULL");
        addCategory(20, "Pílky 'A'");
        addItem(30, "Pilník O'Brien", "P'1", "20");
        addItem(31, "Old file", "OLD", "20", 0);
        addAccount(40, "Účet O'Neil");
        addAccount(41, "Customer's account", 0, "10");
        addAccount(42, "Retired account", 1, "NULL", 0);
        addNote(50, "Note O'Hara");
        addNote(51, "Retired note", 0);
    }
};

TEST_F(Lookups, ExistenceChecksFindLiveRowsByExactNameWithApostrophes)
{
    struct Case {
        const char *label;
        std::function<bool()> check;
        bool expected;
    };
    const Case cases[] = {
        {"user", [] { return UserNameExists("Pat O'Neil"); }, true},
        {"user other case", [] { return UserNameExists("pat o'neil"); }, false},
        {"retired user", [] { return UserNameExists("Old Pat"); }, false},
        {"demo user", [] { return UserNameExists(DemoUserName); }, true},
        {"login", [] { return LoginExists("o'neil"); }, true},
        {"retired login", [] { return LoginExists("oldpat"); }, false},
        {"customer", [] { return CustomerExists("O'Neil s.r.o."); }, true},
        {"retired customer", [] { return CustomerExists("Retired Ltd"); }, false},
        {"item", [] { return ItemExists("Pilník O'Brien"); }, true},
        {"retired item", [] { return ItemExists("Old file"); }, false},
        {"item taken, live only", [] { return ItemNameTaken("Old file", false); }, false},
        {"item taken, retired too", [] { return ItemNameTaken("Old file", true); }, true},
        {"item taken, live", [] { return ItemNameTaken("Pilník O'Brien", false); }, true},
        {"category", [] { return CategoryExists("Pílky 'A'"); }, true},
        {"category missing", [] { return CategoryExists("Pílky"); }, false},
        {"own account", [] { return AccountExists("Účet O'Neil"); }, true},
        {"customer's account outside own scope", [] { return AccountExists("Customer's account"); }, false},
        {"retired account", [] { return AccountExists("Retired account"); }, false},
        {"note", [] { return NoteExists("Note O'Hara"); }, true},
        {"retired note", [] { return NoteExists("Retired note"); }, false},
        {"injection text is only a name", [] { return CustomerExists("x') OR (1=1"); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.check(), c.expected);
    }
}

TEST_F(Lookups, SingleValueLookupsKeepTheirNotFoundConvention)
{
    addBill({.id = 60, .number = "F'1", .issued = "2009-03-05"});
    addBill({.id = 61, .number = "F'1", .type = 2, .issued = "2009-04-01"});
    struct Case {
        const char *label;
        std::function<QString()> lookup;
        QString expected;
    };
    const Case cases[] = {
        {"admin name, none", [] { return GetAdminUserName(); }, ""},
        {"admin login, none", [] { return GetAdminLogin(); }, ""},
        {"user name by login", [] { return GetUserNameByLogin("o'neil"); }, "Pat O'Neil"},
        {"user id by login", [] { return GetUserIdByLogin("o'neil"); }, "2"},
        {"retired login", [] { return GetUserIdByLogin("oldpat"); }, ""},
        {"customer id", [] { return GetCustomerId("O'Neil s.r.o."); }, "10"},
        {"customer id, empty name", [] { return GetCustomerId(""); }, ""},
        {"customer id, retired", [] { return GetCustomerId("Retired Ltd"); }, ""},
        {"customer id by key", [] { return GetCustomerIdByKey("O'Neil s.r.o. - 111"); }, "10"},
        {"customer id by key, empty", [] { return GetCustomerIdByKey(""); }, ""},
        {"customer name of a retired id", [] { return GetCustomerName("11"); }, "Retired Ltd"},
        {"customer name, empty id", [] { return GetCustomerName(""); }, ""},
        {"customer key of a retired id", [] { return GetCustomerKeyById("11"); }, "Retired Ltd - 222"},
        {"customer key, NULL ico", [] { return GetCustomerKeyById("12"); }, ""},
        {"customer key, unknown id", [] { return GetCustomerKeyById("999"); }, ""},
        {"account id", [] { return GetAccountId("Účet O'Neil"); }, "40"},
        {"account id outside scope", [] { return GetAccountId("Customer's account"); }, ""},
        {"note id", [] { return GetNoteId("Note O'Hara"); }, "50"},
        {"note id, retired", [] { return GetNoteId("Retired note"); }, ""},
        {"category id", [] { return GetCategoryId("Pílky 'A'"); }, "20"},
        {"category id, missing", [] { return GetCategoryId("Pílky"); }, "NULL"},
        {"category id of NULL", [] { return GetCategoryId("NULL"); }, ""},
        {"item id", [] { return GetItemId("Pilník O'Brien"); }, "30"},
        {"item id, empty", [] { return GetItemId(""); }, "NULL"},
        {"item id, retired", [] { return GetItemId("Old file"); }, "NULL"},
        {"item id by code", [] { return GetItemIdByCode("P'1"); }, "30"},
        {"item id by code, empty", [] { return GetItemIdByCode(""); }, "NULL"},
        {"bill id", [] { return GetBillId("F'1", "2009", false); }, "60"},
        {"advance bill id, same number", [] { return GetBillId("F'1", "2009", true); }, "61"},
        {"bill id, other year", [] { return GetBillId("F'1", "2010", false); }, ""},
        {"bill id, empty number", [] { return GetBillId("", "2009", false); }, ""},
        {"bill id, year not four digits", [] { return GetBillId("F'1", "09", false); }, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.lookup(), c.expected);
    }
}

TEST_F(Lookups, GetCustomerKeyById_EmptyIdGivesEmptyInsteadOfInvalidSql)
{
    EXPECT_NO_THROW(EXPECT_EQ(GetCustomerKeyById(""), ""));
}

TEST_F(Lookups, IdsThatAreNotNumbersAreRefused)
{
    EXPECT_THROW(GetCustomerName("1 OR 1=1"), ESQLiteException);
    EXPECT_THROW(BillIdExists("7; DROP TABLE faktury"), ESQLiteException);
}

TEST_F(Lookups, AccountLookupsFollowTheAccountScope)
{
    SetCustomerAccountScope("10");
    EXPECT_TRUE(AccountExists("Customer's account"));
    EXPECT_EQ(GetAccountId("Customer's account"), "41");
    EXPECT_FALSE(AccountExists("Účet O'Neil"));
    SetOwnAccountScope();
    EXPECT_EQ(GetAccountId("Účet O'Neil"), "40");
}

TEST_F(Lookups, AccountScopeIsBuiltFromACheckedId)
{
    SetCustomerAccountScope("10");
    EXPECT_EQ(AccountFilter(), "(id_odberatel = 10) AND (je_uzivatelsky = 0)");
    EXPECT_EQ(AccountIsOwn(), "0");
    EXPECT_EQ(AccountCustomerId(), "10");
    for (const char *bad : {"", "NULL", "10) OR (1=1"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(SetCustomerAccountScope(bad), ESQLiteException);
        EXPECT_EQ(AccountCustomerId(), "10");
    }
    SetOwnAccountScope();
    EXPECT_EQ(AccountFilter(), "(je_uzivatelsky = 1)");
    EXPECT_EQ(AccountIsOwn(), "1");
    EXPECT_EQ(AccountCustomerId(), "NULL");
}

TEST_F(Lookups, UserCountsAndAdminFollowTheLiveRows)
{
    EXPECT_EQ(CountUsers(), 2);  // the demo user and Pat
    EXPECT_FALSE(AdminUserExists());
    EXPECT_FALSE(AdminHasPassword());
    EXPECT_TRUE(DemoUserExists());

    addUser(4, "Boss", "boss", "5f4dcc3b5aa765d61d8327deb882cf99");
    exec("UPDATE uzivatelia SET admin = 1 WHERE ID = 4");
    EXPECT_TRUE(AdminUserExists());
    EXPECT_TRUE(AdminHasPassword());
    EXPECT_EQ(GetAdminUserName(), "Boss");
    EXPECT_EQ(GetAdminLogin(), "boss");
    EXPECT_EQ(CountUsers(), 3);
    EXPECT_FALSE(BillIdExists(""));
    EXPECT_FALSE(BillIdExists("NULL"));
}

TEST_F(Lookups, ClosedDatabaseAnswersWithoutAQuery)
{
    CloseDatabase();
    EXPECT_TRUE(AdminUserExists());
    EXPECT_FALSE(DemoUserExists());
    EXPECT_EQ(CountUsers(), 0);
    try {
        CustomerExists("x");
        FAIL() << "no error";
    } catch (const ESQLiteException &e) {
        EXPECT_EQ(e.userText(), "Database is not open");
    }
}

TEST_F(Lookups, CheckPasswordComparesLowerCaseDigestsOfWindows1250Bytes)
{
    // Digests worked out independently: MD5("password") and MD5 of the
    // Windows-1250 bytes of "Žltý kôň".
    addUser(4, "Jan", "jan", "5f4dcc3b5aa765d61d8327deb882cf99");
    addUser(5, "Eva", "eva", "5F4DCC3B5AA765D61D8327DEB882CF99");
    addUser(6, "Zofia", "zofia", "5bf005359ea2799604b8fabcc55a2fdb");
    addUser(7, "Gone", "gone", "", 0);
    exec("UPDATE uzivatelia SET password = '5f4dcc3b5aa765d61d8327deb882cf99' WHERE ID = 2");
    struct Case {
        QString login, typed;
        bool expected;
    };
    const Case cases[] = {
        {"jan", "password", true},
        {"jan", "Password", false},
        {"jan", "", false},
        {"eva", "password", false},          // upper-case hex never matches
        {"zofia", "Žltý kôň", true},
        {"zofia", "Zlty kon", false},
        {"o'neil", "password", true},
        {"demo", "anything at all", true},   // empty stored password
        {"demo", "", true},
        {"gone", "", false},                 // retired
        {"nobody", "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.login + " / " + c.typed).toStdString());
        EXPECT_EQ(CheckPassword(c.login, c.typed), c.expected);
    }
}

class AdvanceBills : public Lookups {
protected:
    void SetUp() override
    {
        Lookups::SetUp();
        addBill({.id = 70, .number = "Z'1", .type = 2, .issued = "2009-01-10", .due = 100});
        addBill({.id = 71, .number = "Z2", .type = 2, .issued = "2009-02-10", .due = 120.5});
        addBill({.id = 72, .number = "Z3", .type = 2, .issued = "2009-02-11", .due = 50, .live = 0});
        addBill({.id = 73, .number = "Z4", .type = 2, .issued = "2010-01-01", .due = 7});
        addBill({.id = 74, .number = "B1", .type = 1, .issued = "2009-03-01"});
        addBill({.id = 75, .number = "B2", .type = 1, .issued = "2009-03-02"});
        addAdvanceLink(74, 71);
        addAdvanceLink(75, 71);
    }
};

TEST_F(AdvanceBills, IsAdvanceBillUsed_QuotesTheNumber)
{
    struct Case {
        QString number, year;
        bool used;
    };
    const Case cases[] = {
        {"Z'1", "2009", false},  // free; the apostrophe is only text
        {"Z2", "2009", true},    // deducted on B1
        {"Z3", "2009", true},    // retired
        {"Z4", "2009", true},    // other year
        {"Z4", "2010", false},
        {"B1", "2009", true},    // not an advance bill
        {"Z'1", "20x9", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.number + " " + c.year).toStdString());
        EXPECT_EQ(IsAdvanceBillUsed(c.number, c.year), c.used);
    }
}

TEST_F(AdvanceBills, AdvanceKeysUseSQLiteNumberText)
{
    EXPECT_EQ(GetAdvanceBillId("Z'1 - 100.0 EUR", "2009"), "70");
    EXPECT_EQ(GetAdvanceBillId("Z2 - 120.5 EUR", "2009"), "71");
    EXPECT_EQ(GetAdvanceBillId("Z3 - 50.0 EUR", "2009"), "");   // retired
    EXPECT_EQ(GetAdvanceBillId("Z'1 - 100.0 EUR", "2010"), "");
    EXPECT_EQ(GetAdvanceBillId("Z'1 - 100 EUR", "2009"), "");
}

TEST_F(AdvanceBills, FindBillUsingAdvanceGivesTheDeductingBill)
{
    EXPECT_EQ(FindBillUsingAdvance("71").value_or("<none>"), "B1");
    EXPECT_FALSE(FindBillUsingAdvance("70").has_value());
    EXPECT_FALSE(FindBillUsingAdvance("").has_value());
}

TEST_F(AdvanceBills, WarnDuplicateBillNumber_CountsOnlyTheBillsType)
{
    bralvo::test::ScriptedMessageBoxes boxes;
    addBill({.id = 80, .number = "B'1", .type = 1, .issued = "2009-05-01"});
    addBill({.id = 81, .number = "B'1", .type = 2, .issued = "2009-05-02"});
    WarnDuplicateBillNumber("B'1", "2009", false);  // one bill, one advance bill: fine
    WarnDuplicateBillNumber("B'1", "2009", true);
    EXPECT_TRUE(boxes.boxes().empty());

    addBill({.id = 82, .number = "B'1", .type = 1, .issued = "2009-06-01", .live = 0});
    WarnDuplicateBillNumber("B'1", "2009", false);  // retired rows do not count
    EXPECT_TRUE(boxes.boxes().empty());

    addBill({.id = 83, .number = "B'1", .type = 1, .issued = "2009-07-01"});
    boxes.answerBox(bralvo::platform::kIdOk);
    WarnDuplicateBillNumber("B'1", "2009", false);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].flags, 16);
    EXPECT_EQ(boxes.boxes()[0].text, "There are some bralvos with the same number \"B'1\" . Please contact us.");

    WarnDuplicateBillNumber("", "2009", false);
    WarnDuplicateBillNumber("B'1", "2010", false);
    EXPECT_EQ(boxes.boxes().size(), 1u);
}

} // namespace
