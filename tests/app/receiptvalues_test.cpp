// The receipt query and the answers to the receipt layouts' names.
#include "tests/db/recordsfixture.h"

#include "app/billprintvalues.h"
#include "app/receiptvalues.h"
#include "db/database.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/builtintexts.h"
#include "services/settings.h"

using namespace bralvo;
using app::ReceiptData;

namespace {

const char *const kQueryOfBill7 =
    "SELECT vs, firma.nazov AS `firma`, firma.ulica AS `ulica`, firma.psc AS `psc`, firma.mesto AS `mesto`, "
    "firma.stat AS `stat`, firma.ico AS `ico`, firma.dic AS `dic`, firma.icdph AS `icdph`, "
    "odberatelia.nazov AS `firmao`, odberatelia.ulica AS `ulicao`, odberatelia.psc AS `psco`, "
    "odberatelia.mesto AS `mestoo`, odberatelia.stat AS `stato`, odberatelia.ico AS `icoo`, "
    "odberatelia.dic AS `dico`, odberatelia.icdph AS `icdpho`, uzivatelia.uzivatel AS `vystavil` "
    "FROM faktury LEFT JOIN odberatelia ON (faktury.id_odberatel = odberatelia.id) "
    "LEFT JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) "
    "LEFT JOIN firma ON (firma.id = uzivatelia.id_firma) WHERE (faktury.id = 7) ";

class Receipt : public test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        services::LoadDefaultTexts();
        data.date = QDate(2009, 3, 5);
        data.homeAmount = QStringLiteral("3 012,60");
        data.homeSymbol = QStringLiteral("Sk");
        data.homeIso = QStringLiteral("SKK");
        data.foreignIso = QStringLiteral("EUR");
    }
    QString value(const QString &name) const
    {
        platform::Variant v(QStringLiteral("<untouched>"));
        app::ReceiptValue(data, name, v);
        return v.toString();
    }
    ReceiptData data;
};

TEST_F(Receipt, QueryTextOfBill7IsExact)
{
    EXPECT_EQ(app::ReceiptQuery(QStringLiteral("7")), QString::fromUtf8(kQueryOfBill7));
}

TEST_F(Receipt, QueryTakesTheFirmOfTheIssuingUser)
{
    addCompany(3, QStringLiteral("Firma Šťastná"), 1);
    exec(QStringLiteral("INSERT INTO uzivatelia (ID, uzivatel, username, id_firma) VALUES (8, 'Ján Vystavil', 'jan', 3)"));
    addCustomer(9, QStringLiteral("Odberateľ"), QStringLiteral("456"));
    addMoneyBill({.id = 7, .number = "2009007", .customerId = "9", .userId = "8"});
    data.row = app::FirstRowTexts(*db::DbConnection->GetTable(app::ReceiptQuery(QStringLiteral("7"))));
    EXPECT_EQ(value("db_firma"), "Firma Šťastná");
    EXPECT_EQ(value("db_firmao"), "Odberateľ");
    EXPECT_EQ(value("db_icoo"), "456");
    EXPECT_EQ(value("db_vystavil"), "Ján Vystavil");
    EXPECT_EQ(value("db_vs1"), "2009007");
    EXPECT_EQ(value("db_vs2"), "2009007");
    EXPECT_EQ(value("db_nothing"), "");

    data.automatic = false;
    data.number = QStringLiteral("P-12");
    data.purpose = QStringLiteral("záloha");
    EXPECT_EQ(value("db_vs1"), "P-12");
    EXPECT_EQ(value("db_vs2"), "záloha");
}

TEST_F(Receipt, AmountInWordsWithHundredths)
{
    struct Case {
        double amount;
        const char *expected;
    } cases[] = {
        {1234.25, "jedentisícdvestotridsaťštyri 25/100"},
        {21.00, "dvadsaťjeden"},
        {0.50, " 50/100"},
        {100.10, "jednosto 10/100"},
        {3.125, "tri 12/100"},  // 12.5 hundredths: halves to even
    };
    for (const Case &c : cases)
        EXPECT_EQ(app::AmountInWordsWithHundredths(c.amount), QString::fromUtf8(c.expected)) << c.amount;
    data.homeAmount = QStringLiteral("1 234,25");
    EXPECT_EQ(value("udb_slovom"), "jedentisícdvestotridsaťštyri 25/100");
}

TEST_F(Receipt, LabelsAreReportTexts149To162)
{
    const char *const cases[][2] = {
        {"prijmovy", "Príjmový doklad"}, {"danovydoklad", "(Daňový doklad)"},
        {"cislo", "Podkladničný doklad číslo"}, {"icdph", "IČ DPH"}, {"podpisprijemcu", "podpis príjemcu"},
        {"Prijmovy", "<untouched>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(value(QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
    EXPECT_EQ(value("udb_zodna"), "05.03.2009");
}

TEST_F(Receipt, SecondCurrencyTexts)
{
    EXPECT_EQ(value("udb_suma"), "3 012,60 Sk");
    EXPECT_EQ(value("udb_suma2"), "100,00 €");
    EXPECT_EQ(value("udb_kurz"), "Inf.hodn.:  30,1260");
    EXPECT_EQ(value("kurz"), "Konverzný kurz EUR/SKK:");

    struct Case {
        const char *what;
        std::function<void(ReceiptData &)> change;
    } cases[] = {
        {"a USD bill", [](ReceiptData &d) { d.foreignIso = QStringLiteral("USD"); }},
        {"a home bill", [](ReceiptData &d) { d.foreignIso.clear(); }},
        {"the dual display off", [](ReceiptData &) { services::WriteSettingBool("Mena", "DomaceFADualne", false); }},
        {"a rate of 0", [](ReceiptData &) { services::WriteSetting("Mena", "Kurz", "0"); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ReceiptData saved = data;
        c.change(data);
        for (const char *name : {"udb_suma2", "udb_kurz", "kurz"})
            EXPECT_EQ(value(QString::fromUtf8(name)), "") << name;
        EXPECT_EQ(value("udb_suma"), "3 012,60 Sk");
        data = saved;
        services::WriteSettingBool("Mena", "DomaceFADualne", true);
        services::WriteSetting("Mena", "Kurz", "30,126");
    }
}

} // namespace
