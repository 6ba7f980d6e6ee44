// Loading a stored bill into the editor, and the customer, advance bill,
// issuer and default account/note values the editor takes.
#include "tests/db/recordsfixture.h"

#include "db/accountscope.h"
#include "db/billloading.h"
#include "db/billstate.h"
#include "services/settings.h"

using namespace bralvo::db;

namespace {

class BillLoading : public bralvo::test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        addCompany(2, "Firma s.r.o.", 1);
        exec("UPDATE firma SET ulica = 'Hlavná 1', psc = '811 01', mesto = 'Bratislava', stat = 'SK', ico = '111', "
             "dic = '222', icdph = 'SK222' WHERE id = 2");
        addUser(5, "Boss", "boss", "", 1, 2);
        exec("UPDATE uzivatelia SET telefon = '0900', fax = '02', email = 'b@x.sk', id_hlavnyucet = 40, "
             "id_hlavnapoznamka = 50 WHERE id = 5");
        addCustomer(10, "O'Neil s.r.o.", "123", 0);  // retired since the bill
        addCustomer(11, "Live s.r.o.", "456");
        addAccount(40, "Old account", 1, "NULL", 0);
        addAccount(41, "Customer main", 1);
        addNote(50, "Old note", 0);
        exec("UPDATE odberatelia SET id_hlavnyucet = 41 WHERE id = 11");
        addMoneyBill({.id = 60, .number = "F'1", .customerId = "10", .userId = "5", .total = 1234.5, .due = 1000,
                      .rate = 30.126, .foreign = 1, .twoCurrencies = 1, .mainCurrency = "Sk"});
        exec("UPDATE faktury SET id_ucet = 40, id_poznamka = 50, zaokruhlovanie = 0, jazyk = 'SK', "
             "datum_dodania = '    -  -  ', kurz_domaca = 1, kurz_cudzia = 30.126, suma1_left = 'x' WHERE id = 60");
        BillIsNew = false;
        BillEditorOpen = true;
    }
};

TEST_F(BillLoading, StoredBillShowsItsRetiredReferences)
{
    SetCustomerAccountScope("11");
    const auto bill = LoadBillForm("F'1", "2009", false);
    ASSERT_TRUE(bill);
    EXPECT_EQ(LoadedCustomerId, "10");
    EXPECT_EQ(LoadedCustomerKey, "O'Neil s.r.o. - 123");
    EXPECT_EQ(LoadedUserId, "5");
    EXPECT_EQ(LoadedAccountName, "Old account");
    EXPECT_EQ(LoadedNoteName, "Old note");
    EXPECT_EQ(AccountFilter(), "(je_uzivatelsky = 1)");
    EXPECT_TRUE(bill->customerKeys.contains("O'Neil s.r.o. - 123"));
    EXPECT_TRUE(bill->accountNames.contains("Old account"));
    EXPECT_TRUE(bill->noteNames.contains("Old note"));
    EXPECT_EQ(bill->number, "F'1");
    EXPECT_EQ(bill->issueDate, QDate(2009, 3, 5));
    EXPECT_EQ(bill->deliveryDate, "");
    EXPECT_EQ(bill->rounding, "0,50");  // a stored step of 0
    EXPECT_EQ(bill->rate, "30,12600000");
    EXPECT_EQ(bill->foreignRate, "30,1260");
    EXPECT_EQ(bill->totalLabel, "1 234,50 Sk");
    EXPECT_EQ(bill->dueLabel, "1 000,00 Sk");
    EXPECT_EQ(bill->sum1Left, "x");
    EXPECT_EQ(bill->homeCurrencySymbol, "Sk");
    EXPECT_EQ(bill->supplierLines.value(0), "Firma s.r.o.");
    EXPECT_FALSE(LoadBillForm("F'1", "2010", false));
    EXPECT_FALSE(LoadBillForm("F'1", "2009", true));
}

TEST_F(BillLoading, CurrencyBoxesFollowTheStoredBill)
{
    struct Case { int two, main; bool mainChecked, mainEnabled; };
    const Case cases[] = {{1, 0, false, true}, {1, 1, true, true}, {0, 0, true, false}};
    for (const Case &c : cases) {
        exec(QString("UPDATE faktury SET fakturovat_vdvochmenach = %1, jehlavna_cudziamena = %2").arg(c.two).arg(c.main));
        const auto bill = LoadBillForm("F'1", "2009", false);
        ASSERT_TRUE(bill);
        EXPECT_EQ(bill->foreignIsMain, c.mainChecked) << c.two << c.main;
        EXPECT_EQ(bill->foreignIsMainEnabled, c.mainEnabled) << c.two << c.main;
    }
}

TEST_F(BillLoading, ChosenCustomerGivesAddressAndDefaults)
{
    bralvo::services::WriteSettingBool("Mena", "DomaceFADualne", false);
    exec("UPDATE odberatelia SET ulica = 'Dlhá 5', psc = '010 01', mesto = 'Žilina', stat = 'SK', dic = 'D', "
         "icdph = 'I', jazyk = '', predvoleny_vs = '' WHERE id = 11");
    BillIsNew = true;
    struct Case { QString days; int expected; };
    const Case cases[] = {{"NULL", 10}, {"0", 0}, {"30", 30}};
    for (const Case &c : cases) {
        exec("UPDATE odberatelia SET dni_splatnosti = " + c.days + " WHERE id = 11");
        const auto defaults = ApplyCustomerToBill("Live s.r.o. - 456", {true, "Live s.r.o. - 456", QDate(2009, 3, 5)});
        ASSERT_TRUE(defaults);
        EXPECT_EQ(defaults->dueDate, QDate(2009, 3, 5).addDays(c.expected)) << c.days;
        EXPECT_EQ(defaults->addressLines,
                  QStringList({"Live s.r.o.", "Dlhá 5", "010 01, Žilina", "SK", "IČO: 456", "DIČ: D", "IČDPH: I"}));
        EXPECT_EQ(defaults->language, "SK - Slovenčina");
        EXPECT_FALSE(defaults->variableSymbol);
        EXPECT_FALSE(defaults->dualHomeBilling);
    }
}

TEST_F(BillLoading, HomeBillsBecomeDualWithTheSettingsCurrency)
{
    BillIsNew = true;
    const auto defaults = ApplyCustomerToBill("Live s.r.o. - 456", {true, "Live s.r.o. - 456", QDate(2009, 3, 5)});
    ASSERT_TRUE(defaults);
    EXPECT_TRUE(defaults->dualHomeBilling);
    EXPECT_TRUE(defaults->inForeignCurrency);
    EXPECT_TRUE(defaults->inTwoCurrencies);
    EXPECT_FALSE(defaults->foreignIsMain);
    EXPECT_EQ(defaults->foreignSymbol, "€");
    EXPECT_EQ(defaults->foreignIso, "EUR");
    EXPECT_EQ(defaults->rate, "30,1260");
    EXPECT_EQ(defaults->homeRate, "30,1260");
    EXPECT_EQ(defaults->foreignRate, "1,0000");
}

TEST_F(BillLoading, LoadedCustomerIsReadByIdOthersOnlyWhenLive)
{
    LoadedCustomerId = "10";
    LoadedCustomerKey = "O'Neil s.r.o. - 123";
    const BillCustomerContext context{true, "O'Neil s.r.o. - 123", QDate(2009, 3, 5)};
    ASSERT_TRUE(ApplyCustomerToBill("o'neil S.R.O. - 123", context));  // the same key, other case
    BillIsNew = true;
    EXPECT_FALSE(ApplyCustomerToBill("O'Neil s.r.o. - 123", context));
}

TEST_F(BillLoading, AdvanceBillCurrency)
{
    const auto currency = ApplyAdvanceBillCurrency("60");
    ASSERT_TRUE(currency);
    EXPECT_EQ(currency->customerKey, "O'Neil s.r.o. - 123");
    EXPECT_TRUE(currency->inTwoCurrencies);
    EXPECT_EQ(currency->rate, "30,12600000");
    EXPECT_EQ(currency->homeRate, "1,0000");
    for (const QString &id : {QString(""), QString("NULL"), QString("999")})
        EXPECT_FALSE(ApplyAdvanceBillCurrency(id)) << id;
}

TEST_F(BillLoading, SupplierBlockJoinsCompanyAndUser)
{
    QStringList lines{"kept"};
    FillSupplierAddressLines(lines, "999");
    EXPECT_EQ(lines, QStringList({"kept"}));
    FillSupplierAddressLines(lines, "5");
    EXPECT_EQ(lines, QStringList({"Firma s.r.o.", "Hlavná 1", "811 01, Bratislava", "SK", "IČO: 111", "DIČ: 222",
                                  "IČDPH: SK222", "Phone: 0900", "FAX: 02", "e-mail: b@x.sk"}));
}

TEST_F(BillLoading, DefaultAccountAndNotePreferTheCustomer)
{
    EXPECT_EQ(DefaultAccountName("Boss", "Live s.r.o."), "Customer main");
    EXPECT_EQ(DefaultAccountName("Boss", ""), "Old account");
    EXPECT_EQ(DefaultNoteName("Boss", "Live s.r.o."), "Old note");
    EXPECT_EQ(DefaultNoteName("Nobody", ""), "");
}

} // namespace
