// Retiring versus deleting for every kind of record, categories, and the
// deletion of bills with their lines and advance links.
#include "tests/db/rulesfixture.h"

#include "db/accountscope.h"
#include "db/esqliteexception.h"
#include "db/retiring.h"
#include "tests/support/scriptedmessageboxes.h"

#include <functional>

using namespace bralvo::db;

namespace {

class Retiring : public bralvo::test::RulesDatabase {
protected:
    void SetUp() override
    {
        RulesDatabase::SetUp();
        addUser(2, "Pat O'Neil", "pat");
        addUser(3, "Unused user", "unused");
        addCustomer(10, "O'Neil s.r.o.", "1");
        addCustomer(11, "Nový", "2");
        addItem(30, "Pilník O'Brien", "1");
        addItem(31, "Unused item", "2");
        addItem(32, "Orphan line item", "3");
        addAccount(40, "Účet O'Neil");
        addAccount(41, "Unused account");
        addNote(50, "Note O'Hara");
        addNote(51, "Unused note");
        addBill({.id = 60, .number = "F1", .customerId = "10", .userId = "2", .accountId = "40", .noteId = "50"});
        addLine(60, 30);
        addLine(999, 32);  // its bill row is gone
    }

    // "live", "retired", "gone" or "several".
    QString state(const char *table, const char *nameColumn, const QString &name)
    {
        const QStringList rows = column(QString("SELECT existuje FROM %1 WHERE %2 = %3").arg(table, nameColumn, q(name)));
        if (rows.isEmpty())
            return "gone";
        if (rows.size() > 1)
            return "several";
        return rows[0] == "1" ? "live" : "retired";
    }
};

TEST_F(Retiring, ReferencedRecordsAreRetiredOthersDeleted)
{
    struct Case {
        const char *label;
        std::function<bool(const QString &)> remove;
        const char *table;
        const char *nameColumn;
        QString name;
        QString after;
    };
    const Case cases[] = {
        {"user with bills", DeleteUser, "uzivatelia", "uzivatel", "Pat O'Neil", "retired"},
        {"user without bills", DeleteUser, "uzivatelia", "uzivatel", "Unused user", "gone"},
        {"customer with bills", DeleteCustomer, "odberatelia", "nazov", "O'Neil s.r.o.", "retired"},
        {"customer without bills", DeleteCustomer, "odberatelia", "nazov", "Nový", "gone"},
        {"item on a bill line", DeleteItem, "polozky", "nazov", "Pilník O'Brien", "retired"},
        {"item without lines", DeleteItem, "polozky", "nazov", "Unused item", "gone"},
        {"item on a line of a deleted bill", DeleteItem, "polozky", "nazov", "Orphan line item", "gone"},
        {"account with bills", DeleteAccount, "ucty", "nazov", "Účet O'Neil", "retired"},
        {"account without bills", DeleteAccount, "ucty", "nazov", "Unused account", "gone"},
        {"note with bills", DeleteNote, "poznamky", "nazov", "Note O'Hara", "retired"},
        {"note without bills", DeleteNote, "poznamky", "nazov", "Unused note", "gone"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(state(c.table, c.nameColumn, c.name), "live");
        EXPECT_TRUE(c.remove(c.name));
        EXPECT_EQ(state(c.table, c.nameColumn, c.name), c.after);
        // A retired record is never removed, and a second delete finds nothing.
        EXPECT_FALSE(c.remove(c.name));
        EXPECT_EQ(state(c.table, c.nameColumn, c.name), c.after);
    }
    EXPECT_EQ(count("faktury"), 1);
}

TEST_F(Retiring, ReferenceChecksAnswerFalseForAMissingId)
{
    struct Case {
        const char *label;
        std::function<bool()> check;
        bool expected;
    };
    const Case cases[] = {
        {"user by name, live", [] { return UserHasBills("Pat O'Neil", UserState::Live); }, true},
        {"user by name, retired", [] { return UserHasBills("Pat O'Neil", UserState::Retired); }, false},
        {"user by name, any", [] { return UserHasBills("Pat O'Neil", UserState::Any); }, true},
        {"user id", [] { return UserIdHasBills("2"); }, true},
        {"user id, empty", [] { return UserIdHasBills(""); }, false},
        {"company of the issuer", [] { return CompanyHasBills("1"); }, true},
        {"company, NULL", [] { return CompanyHasBills("NULL"); }, false},
        {"customer", [] { return CustomerHasBills("10"); }, true},
        {"customer without bills", [] { return CustomerHasBills("11"); }, false},
        {"item", [] { return ItemHasBillLines("30"); }, true},
        {"item on an orphan line", [] { return ItemHasBillLines("32"); }, false},
        {"account", [] { return AccountHasBills("40"); }, true},
        {"account, empty", [] { return AccountHasBills(""); }, false},
        {"note", [] { return NoteHasBills("50"); }, true},
        {"note without bills", [] { return NoteHasBills("51"); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.check(), c.expected);
    }
}

TEST_F(Retiring, DeleteAccountStaysInItsScope)
{
    addAccount(42, "Shared name");
    addAccount(43, "Shared name", 0, "10");
    SetCustomerAccountScope("10");
    EXPECT_TRUE(DeleteAccount("Shared name"));
    EXPECT_EQ(column("SELECT ID FROM ucty WHERE nazov = 'Shared name'"), QStringList({"42"}));
    EXPECT_FALSE(DeleteAccount("Unused account"));  // an own account
    SetOwnAccountScope();
    EXPECT_EQ(count("ucty WHERE nazov = 'Unused account'"), 1);
}

TEST_F(Retiring, CategoriesGoOnlyWithoutLiveItems)
{
    addCategory(20, "Used 'live'");
    addCategory(21, "Used by retired");
    addItem(33, "Live item", "4", "20");
    addItem(34, "Retired item", "5", "21", 0);
    EXPECT_FALSE(DeleteCategory("Used 'live'"));
    EXPECT_TRUE(CategoryInUse("Used 'live'"));
    EXPECT_EQ(count("kategorie_poloziek WHERE ID = 20"), 1);
    EXPECT_TRUE(DeleteCategory("Used by retired"));
    EXPECT_EQ(count("kategorie_poloziek WHERE ID = 21"), 0);
    EXPECT_TRUE(DeleteCategory("No such category"));
    EXPECT_FALSE(CategoryInUse("No such category"));
}

TEST_F(Retiring, AFailedDeleteChangesNothingAndEndsTheTransaction)
{
    exec("CREATE TRIGGER keep BEFORE DELETE ON odberatelia BEGIN SELECT RAISE(ABORT, 'kept'); END");
    EXPECT_THROW(DeleteCustomer("Nový"), ESQLiteException);
    EXPECT_FALSE(DbConnection->InTransaction());
    EXPECT_EQ(state("odberatelia", "nazov", "Nový"), "live");
    EXPECT_TRUE(DeleteNote("Unused note"));  // the next write can begin
}

class DeletingBills : public Retiring {
protected:
    void SetUp() override
    {
        Retiring::SetUp();
        addBill({.id = 61, .number = "F'2", .issued = "2009-04-01"});
        addBill({.id = 62, .number = "F'2", .type = 2, .issued = "2009-04-02"});
        addBill({.id = 63, .number = "Z1", .type = 2, .issued = "2009-01-01"});
        addBill({.id = 64, .number = "F3", .issued = "2009-06-01"});
        addLine(61, 30);
        addLine(61, 31);
        addLine(64, 31);
        addAdvanceLink(61, 63);   // F'2 deducts Z1
        addAdvanceLink(64, 62);   // F3 deducts the advance bill F'2
        addPayment(90, 61);
    }
};

TEST_F(DeletingBills, DeleteBillRemovesLinesAndLinksButKeepsPayments)
{
    EXPECT_TRUE(DeleteBill("F'2", "2009", false));
    EXPECT_EQ(count("faktury WHERE ID = 61"), 0);
    EXPECT_EQ(count("sp_polozky WHERE id_faktura = 61"), 0);
    EXPECT_EQ(count("sp_zalfaktury WHERE id_faktura = 61"), 0);
    EXPECT_EQ(count("uhrady WHERE id_faktura = 61"), 1);
    // The advance bill of the same number and the other bills stay.
    EXPECT_EQ(column("SELECT ID FROM faktury ORDER BY ID"), QStringList({"60", "62", "63", "64"}));
    EXPECT_EQ(count("sp_polozky WHERE id_faktura = 64"), 1);
    EXPECT_EQ(count("sp_zalfaktury WHERE id_faktura = 64"), 1);
}

TEST_F(DeletingBills, DeleteBillFindsOnlyALiveBillOfItsTypeAndYear)
{
    EXPECT_FALSE(DeleteBill("F3", "2009", true));
    EXPECT_FALSE(DeleteBill("F3", "2010", false));
    EXPECT_FALSE(DeleteBill("F3", "20'9", false));
    exec("UPDATE faktury SET existuje = 0 WHERE ID = 64");
    EXPECT_FALSE(DeleteBill("F3", "2009", false));
    EXPECT_EQ(count("faktury"), 5);
}

TEST_F(DeletingBills, DeleteBill_IsOneTransaction)
{
    exec("CREATE TRIGGER keep BEFORE DELETE ON sp_zalfaktury BEGIN SELECT RAISE(ABORT, 'kept'); END");
    EXPECT_THROW(DeleteBill("F'2", "2009", false), ESQLiteException);
    EXPECT_FALSE(DbConnection->InTransaction());
    EXPECT_EQ(count("faktury WHERE ID = 61"), 1);
    EXPECT_EQ(count("sp_polozky WHERE id_faktura = 61"), 2);
}

TEST_F(DeletingBills, DeleteBillWarnsWhenDuplicatesOfTheTypeRemain)
{
    bralvo::test::ScriptedMessageBoxes boxes;
    addBill({.id = 65, .number = "F3", .issued = "2009-07-01"});
    addBill({.id = 66, .number = "F3", .issued = "2009-08-01"});
    boxes.answerBox(bralvo::platform::kIdOk);
    EXPECT_TRUE(DeleteBill("F3", "2009", false));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "There are some bralvos with the same number \"F3\" . Please contact us.");
    EXPECT_EQ(count("faktury WHERE cislo = 'F3'"), 2);
}

TEST_F(DeletingBills, DeleteLinesLinksAndPaymentsById)
{
    DeleteBillLines("61");
    DeleteBillAdvanceLinks("61");
    DeletePayment("90");
    EXPECT_EQ(count("sp_polozky WHERE id_faktura = 61"), 0);
    EXPECT_EQ(count("sp_zalfaktury WHERE id_faktura = 61"), 0);
    EXPECT_EQ(count("uhrady"), 0);
    EXPECT_EQ(count("sp_polozky"), 3);
    EXPECT_THROW(DeletePayment("90 OR 1=1"), ESQLiteException);
}

} // namespace
