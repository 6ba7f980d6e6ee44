// The name lists: their contents and orders, the customer orders chosen by
// the [General] SortOdb* settings, and the edited bill's retired entries.
#include "tests/db/rulesfixture.h"

#include "db/billstate.h"
#include "db/namelists.h"

#include <functional>

using namespace bralvo::db;
using bralvo::services::WriteSettingBool;

namespace {

class NameLists : public bralvo::test::RulesDatabase {
protected:
    void SetUp() override
    {
        RulesDatabase::SetUp();
        // Slovak order puts Č after every C and before D.
        addCustomer(10, "Čierny", "111");
        addCustomer(11, "Adam", "222");
        addCustomer(12, "Cyril", "333");
        addCustomer(13, "O'Neil", "444");
        addCustomer(14, "Dávid", "555", 0);
        // An earlier version of Adam, replaced by row 11 and kept for its bills.
        addCustomer(15, "Adam", "222", 0);
        int bill = 100;
        const auto billsFor = [&](const QString &customerId, int n) {
            for (int i = 0; i < n; ++i, ++bill)
                addBill({.id = bill, .number = QString::number(bill), .customerId = customerId});
        };
        billsFor("10", 3);
        billsFor("11", 1);
        billsFor("15", 3);
        billsFor("13", 2);
    }

    void setOrder(bool byName, bool byAddition, bool byUse, bool ascending)
    {
        WriteSettingBool("General", "SortOdbName", byName);
        WriteSettingBool("General", "SortOdbAddOrder", byAddition);
        WriteSettingBool("General", "SortOdbMostUsed", byUse);
        WriteSettingBool("General", "SortOdbInc", ascending);
    }
};

TEST_F(NameLists, CustomerListsFollowTheSortSettings)
{
    struct Case {
        const char *label;
        bool byName, byAddition, byUse, ascending;
        QStringList names;
    };
    // Bills per name (every row of the name): Cyril 0, O'Neil 2, Čierny 3, Adam 1 + 3.
    const Case cases[] = {
        {"by name", true, false, false, true, {"Adam", "Cyril", "Čierny", "O'Neil"}},
        {"by name, descending", true, true, true, false, {"O'Neil", "Čierny", "Cyril", "Adam"}},
        {"by addition", false, true, true, true, {"Čierny", "Adam", "Cyril", "O'Neil"}},
        {"by addition, descending", false, true, false, false, {"O'Neil", "Cyril", "Adam", "Čierny"}},
        {"most used", false, false, true, true, {"Cyril", "O'Neil", "Čierny", "Adam"}},
        {"most used, descending", false, false, true, false, {"Adam", "Čierny", "O'Neil", "Cyril"}},
        {"nothing chosen falls back to names", false, false, false, true, {"Adam", "Cyril", "Čierny", "O'Neil"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        setOrder(c.byName, c.byAddition, c.byUse, c.ascending);
        QStringList names;
        FillCustomerNameList(names);
        EXPECT_EQ(names, c.names);
        QStringList keys;
        FillCustomerKeyList(keys);
        QStringList expectedKeys;
        for (const QString &name : c.names)
            expectedKeys << name + " - " + value("SELECT ico FROM odberatelia WHERE existuje = 1 AND nazov = " + q(name));
        EXPECT_EQ(keys, expectedKeys);
    }
}

TEST_F(NameLists, MostUsedOrderCountsTheBillsOfTheCountedCustomer)
{
    // Adam's own row has one bill, its earlier row three: four in all. A
    // count joined to the outer row instead gives 1 x 2 rows = 2 and puts
    // Adam before Čierny.
    setOrder(false, false, true, true);
    QStringList names;
    FillCustomerNameList(names);
    EXPECT_EQ(names.indexOf("Adam"), 3);
}

TEST_F(NameLists, AllCustomerKeysListEveryDistinctKeyOnce)
{
    QStringList keys;
    FillCustomerKeyListAll(keys, true);
    EXPECT_EQ(keys, QStringList({"Adam - 222", "Cyril - 333", "Čierny - 111", "Dávid - 555", "O'Neil - 444"}));
    FillCustomerKeyListAll(keys, false);
    EXPECT_EQ(keys, QStringList({"Adam - 222", "Cyril - 333", "Čierny - 111", "O'Neil - 444"}));
}

TEST_F(NameLists, ACustomerWithoutIcoGivesAnEmptyKey)
{
    addCustomer(16, "Bez IČO", "NULL");
    QStringList keys;
    FillCustomerKeyList(keys);
    EXPECT_EQ(keys, QStringList({"Adam - 222", "", "Cyril - 333", "Čierny - 111", "O'Neil - 444"}));
}

TEST_F(NameLists, OtherListsHoldLiveRowsInTheirOrder)
{
    addUser(2, "Čaba", "caba");
    addUser(3, "Cecil", "cecil");
    addUser(4, "Retired", "zz", "", 0);
    exec("UPDATE uzivatelia SET admin = 1 WHERE ID = 3");
    addCategory(20, "b");
    addCategory(21, "A");
    addItem(30, "Čaj", "1", "20");
    addItem(31, "Cukor", "2", "21");
    addItem(32, "Old", "3", "20", 0);
    addItem(33, "Old", "4", "21", 0);
    addAccount(40, "Zeta");
    addAccount(41, "Customer's", 0, "11");
    addNote(50, "Alpha");
    addNote(51, "Retired note", 0);

    struct Case {
        const char *label;
        std::function<void(QStringList &)> fill;
        QStringList expected;
    };
    const Case cases[] = {
        {"users", [](QStringList &l) { FillUserNameList(l); }, {"- DEMO user -", "Cecil", "Čaba"}},
        {"users with retired", [](QStringList &l) { FillUserNameListAll(l, true); },
         {"- DEMO user -", "Cecil", "Čaba", "Retired"}},
        {"logins", [](QStringList &l) { FillLoginList(l); }, {"caba", "cecil", "demo"}},
        {"categories", [](QStringList &l) { FillCategoryNameList(l); }, {"A", "b"}},
        {"items", [](QStringList &l) { FillItemNameList(l, ""); }, {"Cukor", "Čaj"}},
        {"items of a category", [](QStringList &l) { FillItemNameList(l, "20"); }, {"Čaj"}},
        {"items with retired", [](QStringList &l) { FillItemNameListAll(l, "", true); }, {"Cukor", "Čaj", "Old"}},
        {"items of a category with retired", [](QStringList &l) { FillItemNameListAll(l, "21", true); },
         {"Cukor", "Old"}},
        {"own accounts", [](QStringList &l) { FillAccountNameList(l); }, {"Demo account", "Zeta"}},
        {"notes", [](QStringList &l) { FillNoteNameList(l); }, {"Alpha", "Demo note"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QStringList list{"stale entry"};
        c.fill(list);
        EXPECT_EQ(list, c.expected);
    }
    QStringList users;
    FillUserNameList(users);
    EXPECT_EQ(AdminUserName, "Cecil");
}

TEST_F(NameLists, EditedBillKeepsItsRetiredAccountNoteAndCustomer)
{
    addAccount(40, "Zeta");
    addAccount(41, "old account", 1, "NULL", 0);
    addNote(50, "Old note", 0);
    BillEditorOpen = true;
    BillIsNew = false;
    LoadedAccountId = "41";
    LoadedAccountName = "old account";
    LoadedNoteId = "50";
    LoadedNoteName = "Old note";
    LoadedCustomerId = "14";
    LoadedCustomerKey = "Dávid - 555";

    QStringList accounts, notes, keys, allKeys;
    FillAccountNameList(accounts);
    FillNoteNameList(notes);
    FillCustomerKeyList(keys);
    FillCustomerKeyListAll(allKeys, true);
    // Sorted without regard to case, as the list boxes sort.
    EXPECT_EQ(accounts, QStringList({"Demo account", "old account", "Zeta"}));
    EXPECT_EQ(notes, QStringList({"Demo note", "Old note"}));
    EXPECT_EQ(keys, QStringList({"Adam - 222", "Cyril - 333", "Čierny - 111", "Dávid - 555", "O'Neil - 444"}));
    EXPECT_EQ(allKeys.count("Dávid - 555"), 1);

    struct Case {
        const char *label;
        bool open, visible, isNew;
        QString loadedId;
        bool kept;
    };
    const Case cases[] = {
        {"window visible only", false, true, false, "41", true},
        {"new bill", true, true, true, "41", false},
        {"editor closed", false, false, false, "41", false},
        {"no loaded id", true, true, false, "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        BillEditorOpen = c.open;
        BillWindowVisible = c.visible;
        BillIsNew = c.isNew;
        LoadedAccountId = c.loadedId;
        FillAccountNameList(accounts);
        EXPECT_EQ(accounts.contains("old account"), c.kept);
    }
}

TEST_F(NameLists, AdvanceBillListsShowFreeAndDeductedKeys)
{
    addBill({.id = 70, .number = "Z2", .type = 2, .issued = "2009-01-10", .due = 100});
    addBill({.id = 71, .number = "Z'1", .type = 2, .issued = "2009-02-10", .due = 120.5, .currency = "Sk"});
    addBill({.id = 72, .number = "Z3", .type = 2, .issued = "2009-02-11", .due = 50});
    addBill({.id = 73, .number = "Z4", .type = 2, .issued = "2010-01-01", .due = 7});
    addBill({.id = 74, .number = "Z5", .type = 2, .issued = "2009-01-01", .due = 9, .live = 0});
    addBill({.id = 75, .number = "B1", .type = 1, .issued = "2009-03-01"});
    addAdvanceLink(75, 72);
    addAdvanceLink(75, 70);

    QStringList free{"stale"};
    FillFreeAdvanceBillList(free, "2009");
    EXPECT_EQ(free, QStringList({"Z'1 - 120.5 Sk"}));
    FillFreeAdvanceBillList(free, "2010");
    EXPECT_EQ(free, QStringList({"Z4 - 7.0 EUR"}));
    FillFreeAdvanceBillList(free, "'");
    EXPECT_TRUE(free.isEmpty());

    QStringList deducted;
    FillBillAdvanceList("75", deducted);
    EXPECT_EQ(deducted, QStringList({"Z2 - 100.0 EUR", "Z3 - 50.0 EUR"}));
    QStringList untouched{"keep"};
    FillBillAdvanceList("", untouched);
    EXPECT_EQ(untouched, QStringList({"keep"}));
}

} // namespace
