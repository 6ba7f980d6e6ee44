// Saving and loading customers, items, categories, accounts, notes and
// payments: replacement of existing names, the questions, and that a
// failed save writes nothing.
#include "tests/db/recordsfixture.h"

#include "db/accounts.h"
#include "db/accountscope.h"
#include "db/categories.h"
#include "db/customers.h"
#include "db/esqliteexception.h"
#include "db/items.h"
#include "db/notes.h"
#include "db/payments.h"
#include "platform/error.h"
#include "tests/support/scriptedmessageboxes.h"

using namespace bralvo::db;
using bralvo::platform::kIdNo;
using bralvo::platform::kIdOk;
using bralvo::platform::kIdYes;
using bralvo::test::FocusRecorder;
using bralvo::test::ScriptedMessageBoxes;

namespace {

class Records : public bralvo::test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        addCustomer(10, "O'Neil s.r.o.", "123");
        addCustomer(11, "Nový", "456");
        addAccount(40, "Účet O'Neil", 0, "10");
        addNote(50, "Note");
        addBill({.id = 60, .number = "F1", .customerId = "10", .noteId = "50"});
        addItem(30, "Pilník", "P1");
        addItem(31, "Kladivo", "K1");
        addLine(60, 30);
        addCategory(20, "Náradie");
        addCategory(21, "Farby");
    }

    CustomerFormValues customer(const QString &name)
    {
        CustomerFormValues c;
        c.name = name;
        c.ico = "123";
        c.language = "O'lang";
        c.variableSymbol = "12'3";
        c.dueDays = "14";
        return c;
    }

    FocusRecorder focus;
};

TEST_F(Records, CustomerOverwriteRetiresOrDeletesAndMovesAccounts)
{
    struct Case { QString name; QString oldId; QString oldState; };
    const Case cases[] = {{"O'Neil s.r.o.", "10", "0"}, {"Nový", "11", "<none>"}};
    for (const Case &c : cases) {
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdYes);
        ASSERT_TRUE(SaveCustomer(customer(c.name), focus)) << c.name;
        EXPECT_EQ(boxes.boxes().at(0).text, "This customer already exists. Are you want to overwrite this customer?");
        EXPECT_EQ(boxes.boxes().at(0).flags, 36);
        EXPECT_EQ(value("SELECT existuje FROM odberatelia WHERE id = " + c.oldId), c.oldState) << c.name;
        const QString newId = value("SELECT id FROM odberatelia WHERE existuje = 1 AND nazov = " + q(c.name));
        EXPECT_NE(newId, c.oldId);
        EXPECT_EQ(value("SELECT jazyk || '|' || predvoleny_vs || '|' || dni_splatnosti FROM odberatelia WHERE id = "
                        + newId),
                  "O'lang|12'3|14");
    }
    EXPECT_EQ(value("SELECT id_odberatel FROM ucty WHERE id = 40"),
              value("SELECT id FROM odberatelia WHERE existuje = 1 AND nazov = 'O''Neil s.r.o.'"));
    EXPECT_EQ(value("SELECT id_odberatel FROM faktury WHERE id = 60"), "10");
}

TEST_F(Records, DeclinedOrRefusedSavesChangeNothing)
{
    const int before = count("odberatelia") + count("polozky") + count("kategorie_poloziek") + count("ucty")
        + count("poznamky");
    struct Case {
        const char *label;
        std::function<bool()> save;
        int answer;  // 0: a warning
        QString control;
    };
    const Case cases[] = {
        {"customer declined", [&] { return SaveCustomer(customer("Nový"), focus); }, kIdNo, "eNazov"},
        {"customer unnamed", [&] { return SaveCustomer(customer(""), focus); }, 0, "eNazov"},
        {"item declined", [&] { return SaveItem({.name = "Pilník"}, focus); }, kIdNo, "eNazov"},
        {"item unnamed", [&] { return SaveItem({}, focus); }, 0, "eNazov"},
        {"category declined", [&] { return SaveCategory({.name = "Farby"}, focus); }, kIdNo, "eNazov"},
        {"rename onto existing", [&] { return SaveCategory({"Farby", "", true, "Náradie"}, focus); }, 0, "eNazov"},
        {"rename without selection", [&] { return SaveCategory({"X", "", true, ""}, focus); }, 0, ""},
        {"account unnamed", [&] { return SaveAccount({.number = "1"}, focus); }, 0, "eNazov"},
        {"account without number", [&] { return SaveAccount({.name = "A"}, focus); }, 0, "eCisloUctu"},
        {"note declined", [&] { return SaveNote({.name = "Note"}, focus); }, kIdNo, "eNazov"},
        {"note unnamed", [&] { return SaveNote({}, focus); }, 0, "eNazov"},
    };
    for (const Case &c : cases) {
        ScriptedMessageBoxes boxes;
        boxes.answerBox(c.answer ? c.answer : kIdOk);
        focus.controls.clear();
        EXPECT_FALSE(c.save()) << c.label;
        EXPECT_EQ(boxes.boxes().at(0).flags, c.answer ? 36 : 48) << c.label;
        EXPECT_EQ(focus.controls.value(0), c.control) << c.label;
    }
    EXPECT_EQ(count("odberatelia") + count("polozky") + count("kategorie_poloziek") + count("ucty") + count("poznamky"),
              before);
}

// A due-days text that is not a whole number used to go into the
// statement as typed and make it fail; it is stored as a whole number.
TEST_F(Records, CustomerDueDaysAreStoredAsWholeNumbers)
{
    const std::pair<QString, QString> cases[] = {{"", "<none>"}, {" 30 ", "30"}, {"2,5", "3"}};
    int n = 0;
    for (const auto &[typed, stored] : cases) {
        CustomerFormValues c = customer(QString("Due %1").arg(n++));
        c.dueDays = typed;
        ASSERT_TRUE(SaveCustomer(c, focus)) << typed;
        EXPECT_EQ(value("SELECT dni_splatnosti FROM odberatelia WHERE dni_splatnosti IS NOT NULL AND nazov = " + q(c.name)),
                  stored);
    }
}

// "abc" used to be stored as 0 days and "1e3" as 13: due days that are no
// plain number are refused with a message and nothing is written.
TEST_F(Records, CustomerDueDaysThatAreNoNumberAreRefused)
{
    for (const QString typed : {"abc", "1e3", "1,2,3", "-5", "12 dní", "99999"}) {
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdOk);
        focus.controls.clear();
        CustomerFormValues bad = customer("Bad");
        bad.dueDays = typed;
        EXPECT_FALSE(SaveCustomer(bad, focus)) << typed;
        ASSERT_EQ(boxes.boxes().size(), 1u) << typed;
        EXPECT_EQ(boxes.boxes()[0].text, "Do poľa \"Splatnosť faktúry\" zadajte číslo od 0 do 9999.") << typed;
        EXPECT_EQ(boxes.boxes()[0].flags, 48) << typed;
        EXPECT_EQ(focus.controls.value(0), "eDniSplatnosti") << typed;
        EXPECT_EQ(count("odberatelia WHERE nazov = 'Bad'"), 0) << typed;
    }
}

TEST_F(Records, CustomerLoadsByNameAndKey)
{
    exec("UPDATE odberatelia SET ulica = 'Hlavná 1', fakturovat_vcudzejmene = 1, id_hlavnyucet = 40, "
         "id_hlavnapoznamka = 50 WHERE id = 10");
    const auto loaded = LoadCustomerForm("O'Neil s.r.o.");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->street, "Hlavná 1");
    EXPECT_TRUE(loaded->inForeignCurrency);
    EXPECT_FALSE(loaded->withoutVat);
    EXPECT_EQ(loaded->mainAccount, "Účet O'Neil");
    EXPECT_EQ(loaded->mainNote, "Note");
    EXPECT_EQ(LoadCustomerIntoSelection("O'Neil s.r.o. - 123")->name, "O'Neil s.r.o.");
    exec("UPDATE odberatelia SET existuje = 0 WHERE id = 10");
    EXPECT_FALSE(LoadCustomerForm("O'Neil s.r.o."));
    EXPECT_FALSE(LoadCustomerIntoSelection("O'Neil s.r.o. - 123"));
}

TEST_F(Records, ItemOverwriteRetiresUsedItemAndCategorisesRetiredRows)
{
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveItem({"Pilník", "P2", "Náradie", "ks", "20", "1 000,5", "1", "note"}, focus));
    EXPECT_EQ(column("SELECT existuje || '|' || kod || '|' || id_kategoria FROM polozky WHERE nazov = 'Pilník' "
                     "ORDER BY existuje"),
              QStringList({"0|P1|20", "1|P2|20"}));
    EXPECT_EQ(value("SELECT printf('%.2f', cena) FROM polozky WHERE existuje = 1 AND nazov = 'Pilník'"), "1000.50");

    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveItem({.name = "Kladivo", .vatRate = "0"}, focus));  // unused: deleted
    EXPECT_EQ(column("SELECT existuje || '|' || COALESCE(id_kategoria, 'NULL') FROM polozky WHERE nazov = 'Kladivo'"),
              QStringList({"1|NULL"}));

    EXPECT_THROW(SaveItem({.name = "New", .price = "12-3"}, focus), bralvo::Error);
    EXPECT_EQ(count("polozky WHERE nazov = 'New'"), 0);
}

TEST_F(Records, ItemLoadsWithPickerPrice)
{
    exec("UPDATE polozky SET cena = 100, za_mj = 1.5, dph = 19.5, id_kategoria = 21 WHERE id = 30");
    const auto item = LoadItemForm("Pilník");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->vatRate, "19,5");
    EXPECT_EQ(item->price, "100,00");
    EXPECT_EQ(item->perUnit, "1,50");
    EXPECT_EQ(item->category, "Farby");

    struct Case { BillCurrencyMode bill; QString price; };
    const Case cases[] = {
        {{"30,126", true, false, false}, "3,32"},  // foreign currency only
        {{"30,126", true, true, true}, "3,32"},    // two currencies, foreign main
        {{"30,126", true, true, false}, "100,00"}, // two currencies, home main
        {{"0", true, false, false}, "100,00"},     // no rate
        {{"30,126", false, false, false}, "100,00"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LoadItemIntoSelection("Pilník", c.bill)->price, c.price) << c.bill.rate;
    EXPECT_FALSE(LoadItemIntoSelection("None", {}));
}

TEST_F(Records, CategoriesInsertUpdateInPlaceAndRename)
{
    ASSERT_TRUE(SaveCategory({"O'Nová", "n1", false, ""}, focus));
    EXPECT_EQ(value("SELECT interna_poznamka FROM kategorie_poloziek WHERE nazov = 'O''Nová'"), "n1");

    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveCategory({"Farby", "n2", false, ""}, focus));
    EXPECT_EQ(value("SELECT id || '|' || interna_poznamka FROM kategorie_poloziek WHERE nazov = 'Farby'"), "21|n2");

    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveCategory({"Nástroje", "n3", true, "Náradie"}, focus));
    EXPECT_EQ(boxes.boxes().at(1).text, "Are you want to rename selected category?");
    EXPECT_EQ(value("SELECT id FROM kategorie_poloziek WHERE nazov = 'Nástroje'"), "20");
    EXPECT_EQ(count("kategorie_poloziek"), 3);
    EXPECT_EQ(LoadCategoryForm("Nástroje")->internalNote, "n3");
    EXPECT_FALSE(LoadCategoryForm("Náradie"));
}

TEST_F(Records, AccountsAreSavedInTheirScope)
{
    addAccount(41, "Main", 1);
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveAccount({"Main", "Banka", "99", "SK99", "TATR", "x"}, focus));
    EXPECT_EQ(column("SELECT cislo_uctu || '|' || je_uzivatelsky || '|' || COALESCE(id_odberatel, 'NULL') FROM ucty "
                     "WHERE nazov = 'Main'"),
              QStringList({"99|1|NULL"}));

    SetCustomerAccountScope("10");
    ASSERT_TRUE(SaveAccount({"Main", "Banka", "77", "", "", ""}, focus));  // a new name in this scope
    EXPECT_EQ(value("SELECT je_uzivatelsky || '|' || id_odberatel FROM ucty WHERE cislo_uctu = '77'"), "0|10");
    EXPECT_EQ(LoadAccountForm("Main")->number, "77");
    SetOwnAccountScope();
    EXPECT_EQ(LoadAccountForm("Main")->number, "99");
    EXPECT_FALSE(LoadAccountForm("Účet O'Neil"));
}

TEST_F(Records, NotesAreRetiredWhenBillsUseThem)
{
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    ASSERT_TRUE(SaveNote({"Note", "text 'quoted'", "internal"}, focus));
    EXPECT_EQ(column("SELECT existuje || '|' || COALESCE(poznamka, '') FROM poznamky WHERE nazov = 'Note' ORDER BY existuje"),
              QStringList({"0|", "1|text 'quoted'"}));
    EXPECT_EQ(LoadNoteForm("Note")->note, "text 'quoted'");
}

TEST_F(Records, PaymentsAreInsertedAsNumbers)
{
    addMoneyBill({.id = 70, .number = "F7", .due = 100});
    PaymentFormValues payment{QDate(2009, 4, 1), true, false, "1 234,50", "41", "30,126", "O'k", false};
    ASSERT_TRUE(SavePayment("70", payment, focus));
    EXPECT_EQ(value("SELECT datum || '|' || bankovy_prevod || '|' || hotovost || '|' || typeof(suma_domaca) || '|' || "
                    "suma_domaca || '|' || kurz || '|' || interna_poznamka || '|' || id_faktura FROM uhrady"),
              "2009-04-01|1|0|real|1234.5|30.126|O'k|70");
    const auto loaded = LoadPaymentForm(value("SELECT id FROM uhrady"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->date, QDate(2009, 4, 1));
    EXPECT_TRUE(loaded->bankTransfer);
    EXPECT_EQ(loaded->homeAmount, "1 234,50");
    EXPECT_EQ(loaded->rate, "30,12600000");
    EXPECT_FALSE(LoadPaymentForm(""));
    EXPECT_FALSE(LoadPaymentForm("999"));
}

TEST_F(Records, ZeroPaymentNeedsAChangedPaidBox)
{
    addMoneyBill({.id = 70, .number = "F7", .due = 100});
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdOk);
    EXPECT_FALSE(SavePayment("70", {.date = QDate(2009, 4, 1), .homeAmount = "0"}, focus));
    EXPECT_EQ(boxes.boxes().at(0).text, "Musite zadat sumu v domacej mene.");
    EXPECT_EQ(focus.controls, QStringList({"eSumaDomaca"}));
    EXPECT_TRUE(SavePayment("70", {.date = QDate(2009, 4, 1), .homeAmount = "", .paidBox = true}, focus));
    EXPECT_EQ(count("uhrady"), 0);
}

} // namespace

namespace {

// The language and default variable symbol went in without doubling quotes.
TEST_F(Records, CustomerLanguageAndSymbolWithQuotesAreStored)
{
    CustomerFormValues c = customer("Quoted");
    c.language = "EN - Children's";
    c.variableSymbol = "'1'";
    ASSERT_TRUE(SaveCustomer(c, focus));
    EXPECT_EQ(value("SELECT jazyk || '|' || predvoleny_vs FROM odberatelia WHERE nazov = 'Quoted'"), "EN - Children's|'1'");
}

// The transaction used to be committed after a failing statement, leaving
// the old customer retired without its replacement.
TEST_F(Records, FailedCustomerSaveKeepsTheOldRecord)
{
    exec("ALTER TABLE ucty RENAME TO ucty_x");  // the accounts move fails last
    ScriptedMessageBoxes boxes;
    boxes.answerBox(kIdYes);
    EXPECT_ANY_THROW(SaveCustomer(customer("O'Neil s.r.o."), focus));
    exec("ALTER TABLE ucty_x RENAME TO ucty");
    EXPECT_EQ(column("SELECT id || '|' || existuje FROM odberatelia WHERE nazov = 'O''Neil s.r.o.'"),
              QStringList({"10|1"}));
    EXPECT_FALSE(DbConnection->InTransaction());
}

// Ids reached the statements as the caller passed them.
TEST_F(Records, PaymentBillIdIsCheckedBeforeItReachesSql)
{
    EXPECT_THROW(SavePayment("70) OR (1=1", {.date = QDate(2009, 4, 1), .homeAmount = "5"}, focus), ESQLiteException);
    EXPECT_THROW(LoadPaymentForm("1 OR 1=1"), ESQLiteException);
    EXPECT_EQ(count("uhrady"), 0);
}

} // namespace
