// Saving the bill editor's bill: checks, numbering, the stored row and its
// dependent rows, and that a refused or failed save loses nothing.
#include "tests/db/recordsfixture.h"

#include "db/billsaving.h"
#include "db/billstate.h"
#include "db/currentuser.h"
#include "platform/error.h"
#include "services/settings.h"
#include "tests/support/scriptedmessageboxes.h"

using namespace bralvo::db;
using bralvo::test::FocusRecorder;
using bralvo::test::ScriptedMessageBoxes;

namespace {

class BillSaving : public bralvo::test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        SetCurrentUser("demo");
        BillIsNew = true;
        addCustomer(10, "O'Neil s.r.o.", "123");
        addItem(30, "Pilník", "P1");
        addAccount(40, "Účet");
        addNote(50, "Poznámka");
    }

    BillFormValues form()
    {
        BillFormValues f;
        f.number = "2009/005";
        f.variableSymbol = "2009005";
        f.constantSymbol = "0308";
        f.paymentForm = "Prevodom";
        f.issueDate = QDate(2009, 3, 5);
        f.dueDate = QDate(2009, 3, 15);
        f.deliveryDate = "05.03.2009";
        f.paymentDate = "  .  .    ";
        f.customerKey = "O'Neil s.r.o. - 123";
        f.accountName = "Účet";
        f.noteName = "Poznámka";
        f.language = "SK - Slovenčina";
        f.rate = "1";
        f.homeRate = "1";
        f.foreignRate = "1";
        f.rounding = "0,50";
        f.totalLabel = "1 200,50 Sk";
        f.dueLabel = "1 200,50 Sk";
        f.sum1Left = "Spolu";
        f.homeCurrencySymbol = "Sk";
        f.listYear = "2009";
        f.lines = {{"2", "10", "100", true, "30"}, {"1,5", "0", "7,25", false, "NULL"}};
        return f;
    }

    QStringList billNumbers() { return column("SELECT cislo FROM faktury WHERE existuje = 1 ORDER BY cislo"); }

    FocusRecorder ui;
};

TEST_F(BillSaving, NewBillIsStoredWithItsLines)
{
    BillFormValues f = form();
    f.language = "O'Brien";  // a quote in the language no longer breaks the statement
    ASSERT_TRUE(SaveBill(f, ui));
    EXPECT_EQ(ui.storedNumber, "2009/005");
    const QString row = value("SELECT cislo || '|' || vs || '|' || datum_vystavenia || '|' || datum_splatnosti || '|' || "
                              "datum_dodania || '|' || id_odberatel || '|' || id_ucet || '|' || id_poznamka || '|' || "
                              "id_uzivatel || '|' || jazyk || '|' || hlavna_mena || '|' || domaca_menaZobr || '|' || "
                              "suma_celkom || '|' || typ || '|' || uhradena || '|' || existuje FROM faktury");
    EXPECT_EQ(row, "2009/005|2009005|2009-03-05|2009-03-15|2009-03-05|10|40|50|1|O'Brien|Sk|Sk|1200.5|1|0|1");
    EXPECT_EQ(column("SELECT COALESCE(id_polozka, 'NULL') || '|' || cena || '|' || pocet || '|' || zlava || '|' || zaratat_dph "
                     "FROM sp_polozky ORDER BY cena DESC"),
              QStringList({"30|100.0|2.0|10.0|1", "NULL|7.25|1.5|0.0|0"}));
}

TEST_F(BillSaving, RefusedChecksWriteNothing)
{
    addUser(2, "Boss", "boss");
    struct Case {
        const char *label;
        std::function<void(BillFormValues &)> change;
        QString text;
        std::optional<BillField> focus;
        bool editedWithAdmin = false;
    };
    const Case cases[] = {
        {"no right", [](BillFormValues &) {}, "You have not permission to change bralvos.", BillField::Number, true},
        {"no number", [](BillFormValues &f) { f.number.clear(); }, "Bralvo number is missing.", BillField::Number},
        {"no symbol", [](BillFormValues &f) { f.variableSymbol.clear(); }, "Variabilný symbol is missing",
         BillField::VariableSymbol},
        {"no customer", [](BillFormValues &f) { f.customerKey.clear(); }, "Customer is not selected.",
         BillField::Customer},
        {"no lines", [](BillFormValues &f) { f.lines.clear(); }, "Neboli zadané žiadne položky.", BillField::AddItem},
    };
    for (const Case &c : cases) {
        exec(QString("UPDATE uzivatelia SET admin = %1 WHERE id = 2").arg(c.editedWithAdmin ? 1 : 0));
        BillIsNew = !c.editedWithAdmin;
        ScriptedMessageBoxes boxes;
        boxes.answerBox(bralvo::platform::kIdOk);
        FocusRecorder recorder;
        BillFormValues f = form();
        c.change(f);
        EXPECT_FALSE(SaveBill(f, recorder)) << c.label;
        ASSERT_EQ(boxes.boxes().size(), 1u) << c.label;
        EXPECT_EQ(boxes.boxes()[0].text, c.text) << c.label;
        EXPECT_EQ(boxes.boxes()[0].flags, 48) << c.label;
        ASSERT_EQ(recorder.fields.size(), 1u) << c.label;
        EXPECT_EQ(recorder.fields[0], *c.focus) << c.label;
        EXPECT_EQ(count("faktury"), 0) << c.label;
    }
}

TEST_F(BillSaving, AutomaticNumberingTakesTheNextFreeNumber)
{
    for (auto [id, number] : {std::pair{1, "2009/005"}, {2, "2009/011"}, {3, "2009/012"}, {4, "2009/009"}})
        addBill({.id = id, .number = number});
    addBill({.id = 5, .number = "2009/900", .type = 2});      // advance bills count apart
    addBill({.id = 6, .number = "2009/800", .issued = "2008-05-01"});  // another year
    ASSERT_TRUE(SaveBill(form(), ui));
    EXPECT_EQ(ui.storedNumber, "2009/013");
    EXPECT_EQ(value("SELECT cislo FROM faktury WHERE id_odberatel = 10"), "2009/013");
}

TEST_F(BillSaving, NumberingOffRefusesATakenNumber)
{
    bralvo::services::WriteSettingBool("Faktura", "FullAutoCislovanie", false);
    addBill({.id = 1, .number = "2009/005"});
    ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    EXPECT_FALSE(SaveBill(form(), ui));
    EXPECT_EQ(boxes.boxes().at(0).text, "This bralvo number already exists.");
    EXPECT_EQ(ui.fields, std::vector<BillField>{BillField::Number});
    EXPECT_EQ(count("faktury"), 1);
}

// The previous version was removed before the number check, so a refused
// number used to lose the stored bill.
TEST_F(BillSaving, RefusedNumberKeepsThePreviousVersion)
{
    bralvo::services::WriteSettingBool("Faktura", "FullAutoCislovanie", false);
    addBill({.id = 1, .number = "2009/005"});
    addBill({.id = 2, .number = "2009/005"});  // a duplicate left by an older version
    addLine(1, 30);
    BillIsNew = false;
    BillFormValues f = form();
    f.loadedBillId = "1";
    ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    EXPECT_FALSE(SaveBill(f, ui));
    EXPECT_EQ(column("SELECT id FROM faktury ORDER BY id"), QStringList({"1", "2"}));
    EXPECT_EQ(count("sp_polozky WHERE id_faktura = 1"), 1);
}

// Each step used to commit on its own, so a failing line left a bill
// without lines and an edited bill without its old version.
TEST_F(BillSaving, FailedSaveLeavesThePreviousVersion)
{
    addMoneyBill({.id = 1, .number = "2009/005", .customerId = "10", .total = 50, .due = 50});
    addLine(1, 30);
    addPaymentOf(70, 1, 20);
    BillIsNew = false;
    BillFormValues f = form();
    f.loadedBillId = "1";
    f.lines.push_back({"1,2,3", "0", "1", false, "30"});  // malformed quantity
    EXPECT_THROW(SaveBill(f, ui), bralvo::Error);
    EXPECT_EQ(column("SELECT id || '|' || suma_celkom FROM faktury"), QStringList({"1|50.0"}));
    EXPECT_EQ(count("sp_polozky WHERE id_faktura = 1"), 1);
    EXPECT_EQ(value("SELECT id_faktura FROM uhrady"), "1");
    EXPECT_FALSE(DbConnection->InTransaction());
}

TEST_F(BillSaving, ResavedBillKeepsNumberPaymentsAndPaidFlag)
{
    addMoneyBill({.id = 1, .number = "2009/005", .customerId = "10", .due = 50, .paid = 1});
    addLine(1, 30);
    addPaymentOf(70, 1, 50);
    BillIsNew = false;
    BillFormValues f = form();
    f.loadedBillId = "1";
    ASSERT_TRUE(SaveBill(f, ui));  // the amount due is no longer 0, yet it stays paid
    EXPECT_EQ(ui.storedNumber, "2009/005");
    const QString newId = value("SELECT id FROM faktury");
    EXPECT_NE(newId, "1");
    EXPECT_EQ(value("SELECT uhradena FROM faktury"), "1");
    EXPECT_EQ(value("SELECT id_faktura FROM uhrady"), newId);
    EXPECT_EQ(count("sp_polozky"), 2);
    EXPECT_EQ(count("sp_polozky WHERE id_faktura = 1"), 0);
}

// The old version used to be found by the number and year in the editor,
// so changing the number to another bill's replaced that other bill.
TEST_F(BillSaving, ChangedNumberReplacesOnlyTheLoadedBill)
{
    addBill({.id = 1, .number = "2009/001"});
    addBill({.id = 2, .number = "2009/005"});
    BillIsNew = false;
    BillFormValues f = form();  // number changed from 2009/001 to 2009/005
    f.loadedBillId = "1";
    ASSERT_TRUE(SaveBill(f, ui));
    EXPECT_EQ(ui.storedNumber, "2009/006");
    EXPECT_EQ(billNumbers(), QStringList({"2009/005", "2009/006"}));
    EXPECT_EQ(count("faktury WHERE id = 2"), 1);
}

TEST_F(BillSaving, ZeroDueIsStoredAsPaid)
{
    BillFormValues f = form();
    f.dueLabel = "0,00 Sk";
    ASSERT_TRUE(SaveBill(f, ui));
    EXPECT_EQ(value("SELECT uhradena FROM faktury"), "1");
}

TEST_F(BillSaving, EditedBillKeepsItsRetiredReferences)
{
    addCustomer(11, "Old s.r.o.", "9", 0);
    addAccount(41, "Old account", 1, "NULL", 0);
    addBill({.id = 1, .number = "2009/005", .customerId = "11", .accountId = "41"});
    BillIsNew = false;
    LoadedCustomerKey = "Old s.r.o. - 9";
    LoadedCustomerId = "11";
    LoadedAccountName = "Old account";
    LoadedAccountId = "41";
    LoadedUserId = "7";
    BillFormValues f = form();
    f.loadedBillId = "1";
    f.customerKey = "Old s.r.o. - 9";
    f.accountName = "Old account";
    ASSERT_TRUE(SaveBill(f, ui));
    EXPECT_EQ(value("SELECT id_odberatel || '|' || id_ucet || '|' || id_poznamka || '|' || id_uzivatel FROM faktury"),
              "11|41|50|7");

    // Another selection is looked up among live rows only.
    f = form();
    f.loadedBillId = value("SELECT id FROM faktury");
    f.accountName = "Old account X";
    ASSERT_TRUE(SaveBill(f, ui));
    EXPECT_EQ(value("SELECT id_odberatel || '|' || COALESCE(id_ucet, 'NULL') FROM faktury"), "10|NULL");
}

TEST_F(BillSaving, UsedAdvanceBillCannotBeSaved)
{
    addBill({.id = 1, .number = "Z1", .type = 2});
    addBill({.id = 2, .number = "F'7"});
    addAdvanceLink(2, 1);
    BillIsAdvance = true;
    BillIsNew = false;
    BillFormValues f = form();
    f.number = "Z1";
    ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    EXPECT_FALSE(SaveBill(f, ui));
    EXPECT_EQ(boxes.boxes().at(0).text,
              "This zalohova bralvo is used in bralvo with number \"F'7\" and therefore you cannot continue.");
    EXPECT_TRUE(ui.fields.empty());
    EXPECT_EQ(count("faktury"), 2);
}

TEST_F(BillSaving, AdvanceLinksAreFoundInTheListOrTheIssueYear)
{
    addMoneyBill({.id = 1, .number = "Z1", .type = 2, .issued = "2009-01-05", .due = 10, .mainCurrency = "EUR"});
    addMoneyBill({.id = 2, .number = "Z2", .type = 2, .issued = "2008-12-05", .due = 5, .mainCurrency = "EUR"});
    BillFormValues f = form();
    f.listYear = "2008";
    f.advanceEntries = {"Z2 - 5.0 EUR", "Z1 - 10.0 EUR"};
    ASSERT_TRUE(SaveBill(f, ui));
    EXPECT_EQ(column("SELECT id_zalfaktura FROM sp_zalfaktury ORDER BY id_zalfaktura"), QStringList({"1", "2"}));

    // An entry found in neither year stops the save; nothing is written.
    f.number = "2009/006";
    f.advanceEntries = {"Z9 - 1.0 EUR"};
    EXPECT_THROW(SaveBill(f, ui), bralvo::Error);
    EXPECT_EQ(billNumbers(), QStringList({"2009/005", "Z1", "Z2"}));
}

} // namespace

namespace {

// The print language went into the statement without doubling quotes.
TEST_F(BillSaving, LanguageWithQuoteIsStored)
{
    BillFormValues f = form();
    f.language = "EN - Children's";
    ASSERT_TRUE(SaveBill(f, ui));
    EXPECT_EQ(value("SELECT jazyk FROM faktury"), "EN - Children's");
}

} // namespace

namespace {

TEST_F(BillSaving, OverlongNumberStopsAutomaticNumberingCleanly)
{
    addBill({.id = 1, .number = "99999999999999999999"});
    BillFormValues f = form();
    f.number = "99999999999999999999";
    EXPECT_THROW(SaveBill(f, ui), bralvo::Error);
    EXPECT_EQ(count("faktury"), 1);
    EXPECT_FALSE(DbConnection->InTransaction());
}

} // namespace

namespace {

// The check looked only at the number in the editor, so an advance bill
// deducted on another bill could be saved under a new number: the other
// bill's link then pointed at a removed row and the advance was free to be
// deducted twice.
TEST_F(BillSaving, DeductedAdvanceBillCannotBeSavedUnderAChangedNumber)
{
    addBill({.id = 1, .number = "Z1", .type = 2});
    addBill({.id = 2, .number = "F7"});
    addAdvanceLink(2, 1);
    BillIsAdvance = true;
    BillIsNew = false;
    BillFormValues f = form();
    f.number = "Z2";
    f.loadedBillId = "1";
    ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    EXPECT_FALSE(SaveBill(f, ui));
    EXPECT_EQ(boxes.boxes().at(0).text,
              "This zalohova bralvo is used in bralvo with number \"F7\" and therefore you cannot continue.");
    EXPECT_EQ(column("SELECT id || '|' || cislo FROM faktury ORDER BY id"), QStringList({"1|Z1", "2|F7"}));
    EXPECT_EQ(value("SELECT id_zalfaktura FROM sp_zalfaktury"), "1");
}

// Renumbering kept the symbol of the taken number, so two bills shared one
// payment reference. A symbol derived from the number follows it; one the
// user typed stays.
TEST_F(BillSaving, RenumberedBillRenewsItsDerivedVariableSymbol)
{
    addBill({.id = 1, .number = "2009/005"});
    const std::pair<QString, QString> cases[] = {{"005", "006"}, {"777", "777"}};
    for (const auto &[typed, stored] : cases) {
        BillFormValues f = form();
        f.variableSymbol = typed;
        ASSERT_TRUE(SaveBill(f, ui)) << typed;
        EXPECT_EQ(value("SELECT vs FROM faktury WHERE cislo = " + q(ui.storedNumber)), stored) << typed;
        exec("DELETE FROM sp_polozky WHERE id_faktura <> 1");
        exec("DELETE FROM faktury WHERE id <> 1");
    }
}

} // namespace
