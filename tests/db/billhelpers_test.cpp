// Helper queries of bill editing: names by id (retired rows included),
// the VAT payer check, the sum due on deducted advance bills, and the VAT
// mode of the bill being edited.
#include "tests/db/rulesfixture.h"

#include "db/billhelpers.h"
#include "db/billstate.h"
#include "db/currentuser.h"

#include <functional>

using namespace bralvo::db;

namespace {

class BillHelpers : public bralvo::test::RulesDatabase {
protected:
    void SetUp() override
    {
        RulesDatabase::SetUp();
        // Company 1 (demo) pays VAT.
        addCompany(2, "Neplatca", 0);
        addCompany(3, "Old payer", 1, 0);
        addUser(2, "Payer's user", "payer", "", 1, 1);
        addUser(3, "Other user", "other", "", 1, 2);
        addUser(4, "Retired company's user", "old", "", 1, 3);
        addUser(5, "No company", "none", "", 1, 999);
        addAccount(40, "Old account", 1, "NULL", 0);
        addNote(50, "Old note", 0);
        addCategory(20, "Pílky");
        addItem(30, "Old item", "1", "20", 0);
    }
};

TEST_F(BillHelpers, NamesByIdIncludeRetiredRows)
{
    struct Case {
        const char *label;
        std::function<QString(const QString &)> name;
        QString id;
        QString expected;
    };
    const Case cases[] = {
        {"account", GetAccountName, "40", "Old account"},
        {"note", GetNoteName, "50", "Old note"},
        {"item", GetItemName, "30", "Old item"},
        {"category", GetCategoryName, "20", "Pílky"},
        {"account, empty id", GetAccountName, "", ""},
        {"note, unknown id", GetNoteName, "999", ""},
        {"item, NULL", GetItemName, "NULL", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.name(c.id), c.expected);
    }
}

TEST_F(BillHelpers, VatPayerFollowsTheUsersCompanyRow)
{
    struct Case {
        QString userId;
        bool payer;
    };
    const Case cases[] = {{"2", true}, {"3", false}, {"4", true}, {"5", false}, {"", false}, {"999", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.userId.toStdString());
        EXPECT_EQ(IsUserCompanyVatPayer(c.userId), c.payer);
    }
}

TEST_F(BillHelpers, SumAdvanceBillsDueAddsTheListedLiveAdvanceBills)
{
    addBill({.id = 70, .number = "Z'1", .type = 2, .issued = "2009-01-10", .due = 100, .currency = "EUR"});
    addBill({.id = 71, .number = "Z2", .type = 2, .issued = "2009-02-10", .due = 120.5, .currency = "Sk"});
    addBill({.id = 72, .number = "Z3", .type = 2, .issued = "2009-02-11", .due = 50, .live = 0});
    struct Case {
        const char *label;
        QString year;
        QStringList entries;
        double sum;
    };
    const Case cases[] = {
        {"both, currencies unconverted", "2009", {"Z'1 - 100.0 EUR", "Z2 - 120.5 Sk"}, 220.5},
        {"retired adds nothing", "2009", {"Z'1 - 100.0 EUR", "Z3 - 50.0 EUR"}, 100},
        {"other year", "2010", {"Z'1 - 100.0 EUR"}, 0},
        {"unknown entry", "2009", {"Z9 - 1.0 EUR"}, 0},
        {"empty list", "2009", {}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_DOUBLE_EQ(SumAdvanceBillsDue(c.year, c.entries), c.sum);
    }
}

TEST_F(BillHelpers, UpdateBillVatModeUsesTheFirstKnownIssuer)
{
    struct Grid : BillLinesGridSetup {
        void SetupBillLinesGrid() override { ++rebuilds; }
        int rebuilds = 0;
    };
    struct Case {
        const char *label;
        QString userId, loadedUserId, loggedIn;
        bool advance;
        bool before, after;
        int rebuilds;
    };
    const Case cases[] = {
        {"payer", "2", "", "", false, false, true, 1},
        {"non-payer", "3", "", "", false, true, false, 1},
        {"advance bill never shows VAT", "2", "", "", true, true, false, 1},
        {"loaded issuer", "", "2", "", false, false, true, 1},
        {"given user before loaded issuer", "3", "2", "", false, true, false, 1},
        {"logged-in user last", "", "", "payer", false, false, true, 1},
        {"nobody known: unchanged", "", "", "nobody", false, true, true, 0},
        {"nobody known, other value: unchanged", "", "", "nobody", false, false, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        LoadedUserId = c.loadedUserId;
        SetCurrentUser(c.loggedIn);
        BillIsAdvance = c.advance;
        BillShowsVat = c.before;
        Grid grid;
        UpdateBillVatMode(c.userId, "10", grid);
        EXPECT_EQ(BillShowsVat, c.after);
        EXPECT_EQ(grid.rebuilds, c.rebuilds);
    }
    SetCurrentUser("");
}

} // namespace
