// The printed bill's query and the answers to the bill layouts' names.
#include "tests/db/recordsfixture.h"

#include "app/billprintvalues.h"
#include "db/database.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "services/builtintexts.h"
#include "services/printlanguages.h"
#include "services/settings.h"

using namespace bralvo;
using app::BillPrintData;

namespace {

const char *const kQueryOfBill5 =
    "SELECT cislo, cislo_objednavky, vs, ks, ss, forma_uhrady, opravnenie, datum_vystavenia, datum_splatnosti, "
    "datum_dodania, datum_platby, nazov_banky, cislo_uctu, swift, iban, poznamky.poznamka, "
    "uzivatelia.text_podpis AS `uzivatel_textpodpis`, uzivatelia.obr_podpis AS `uzivatel_obrpodpis`, "
    "firma.nazov AS `firma_nazov`, firma.ulica AS `firma_ulica`, firma.psc AS `firma_psc`, "
    "firma.mesto AS `firma_mesto`, firma.stat AS `firma_stat`, firma.ico AS `firma_ico`, firma.dic AS `firma_dic`, "
    "firma.icdph AS `firma_icdph`, firma.obr_logo AS `firma_obrlogo`, uzivatelia.telefon AS `telefon`, "
    "uzivatelia.fax AS `fax`, uzivatelia.email AS `email`, odberatelia.nazov AS `odberatel_nazov`, "
    "odberatelia.ulica AS `odberatel_ulica`, odberatelia.psc AS `odberatel_psc`, "
    "odberatelia.mesto AS `odberatel_mesto`, odberatelia.stat AS `odberatel_stat`, "
    "odberatelia.ico AS `odberatel_ico`, odberatelia.dic AS `odberatel_dic`, odberatelia.icdph AS `odberatel_icdph` "
    "FROM faktury LEFT JOIN odberatelia ON (faktury.id_odberatel = odberatelia.id) "
    "LEFT JOIN uzivatelia ON (faktury.id_uzivatel = uzivatelia.id) LEFT JOIN firma ON (firma.id = uzivatelia.id_firma) "
    "LEFT JOIN ucty ON (ucty.id = faktury.id_ucet)LEFT JOIN poznamky ON (poznamky.id = faktury.id_poznamka)"
    "WHERE (faktury.id = 5) ";

class BillPrint : public test::RecordsDatabase {
protected:
    void SetUp() override
    {
        RecordsDatabase::SetUp();
        services::LoadDefaultTexts();
        services::LoadPrintTexts(QString());
        data.lineCell = [](int column, int row) { return QStringLiteral("c%1r%2").arg(column).arg(row); };
        data.homeIso = QStringLiteral("SKK");
    }
    QString value(const QString &name, int recNo = 0) const
    {
        platform::Variant v(QStringLiteral("<untouched>"));
        app::BillPrintValue(data, recNo, name, v);
        return v.toString();
    }
    BillPrintData data;
};

TEST_F(BillPrint, QueryTextOfBill5IsExact)
{
    EXPECT_EQ(app::BillPrintQuery(QStringLiteral("5")), QString::fromUtf8(kQueryOfBill5));
    EXPECT_TRUE(app::BillPrintQuery(QStringLiteral("5' OR '1")).endsWith(QStringLiteral("(faktury.id = 5'' OR ''1) ")));
}

TEST_F(BillPrint, QueryReadsTheBillsFirmUserAndCustomer)
{
    addCompany(3, QStringLiteral("Dodávateľ s.r.o."), 1);
    exec(QStringLiteral("INSERT INTO uzivatelia (ID, uzivatel, username, id_firma, telefon) "
                        "VALUES (8, 'Ján', 'jan', 3, '0905')"));
    addCustomer(9, QStringLiteral("Odberateľ Ľubo"), QStringLiteral("123"));
    addMoneyBill({.id = 5, .number = "F5", .issued = "2009-03-05", .customerId = "9", .userId = "8"});
    const auto table = db::DbConnection->GetTable(app::BillPrintQuery(QStringLiteral("5")));
    data.row = app::FirstRowTexts(*table);
    EXPECT_EQ(value("db_cislo"), "F5");
    EXPECT_EQ(value("db_firma_nazov"), "Dodávateľ s.r.o.");
    EXPECT_EQ(value("db_odberatel_nazov"), "Odberateľ Ľubo");
    EXPECT_EQ(value("db_telefon"), "0905");
    EXPECT_EQ(value("db_poznamka"), "");
    EXPECT_EQ(value("datum_vystavenia"), "05.03.2009");
    EXPECT_EQ(value("datum_platby"), "");
    EXPECT_EQ(value("db_neexistuje"), "");

    const auto none = db::DbConnection->GetTable(app::BillPrintQuery(QStringLiteral("99")));
    EXPECT_TRUE(app::FirstRowTexts(*none).isEmpty());
}

TEST_F(BillPrint, CaptionsFollowTheBillKindAndVat)
{
    struct Case {
        bool advance, vat;
        const char *name, *expected;
    } cases[] = {
        {true, true, "faktura", "ZÁLOHOVÁ FAKTÚRA"},
        {false, true, "faktura", "FAKTÚRA"},
        {false, true, "ico", "IČO:"},
        {false, true, "icdph", "IČ DPH:"},
        {false, true, "datumplatby", "Dátum platby"},
        {false, true, "pc", "p.č."},
        {false, true, "cenazajedn", "cena za jedn.\rbez DPH"},
        {false, true, "cenacelkom", "cena celkom\rbez DPH"},
        {false, true, "dph", "DPH"},
        {false, false, "cenazajedn", "cena za jedn."},
        {false, false, "cenacelkom", "cena celkom"},
        {false, false, "dph", ""},
        {false, true, "s_dph", "c5r1"},
        {false, false, "s_dph", ""},
        {false, true, "zlava", "zľava"},
        {false, true, "Faktura", "<untouched>"},
        {false, true, "neznamy", "<untouched>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        data.advance = c.advance;
        data.showsVat = c.vat;
        EXPECT_EQ(value(QString::fromUtf8(c.name)), QString::fromUtf8(c.expected));
    }
}

TEST_F(BillPrint, LineValuesComeFromTheGridRowAfterTheRecord)
{
    EXPECT_EQ(value("s_pc", 0), "1");
    EXPECT_EQ(value("s_pc", 11), "12");
    EXPECT_EQ(value("s_kod", 2), "c0r3");
    EXPECT_EQ(value("s_nazov", 0), "c1r1");
    EXPECT_EQ(value("s_cenacelkom", 1), "c6r2");
    EXPECT_EQ(value("s_zlava", 0), "c3r1");

    services::WriteSettingBool("Faktura", "NetlacitZlavy", true);
    EXPECT_EQ(value("zlava"), "");
    EXPECT_EQ(value("s_zlava", 0), "");
    EXPECT_EQ(value("s_mnozstvo", 0), "c2r1");
}

TEST_F(BillPrint, InvoicingLineOverrideOnlyInTheDefaultLanguage)
{
    services::WriteSetting("Faktura", "FakturujemVam", "Fakturujeme Vám:");
    data.language = QStringLiteral("SK - Slovenčina");
    EXPECT_EQ(value("fakturujemvam"), "Fakturujeme Vám:");
    data.language = QStringLiteral("EN - English");
    EXPECT_EQ(value("fakturujemvam"), "FAKTÚRUJEM VÁM:");
}

TEST_F(BillPrint, RateTextsOfDualAndForeignBills)
{
    data.secondaryKUhrade = QStringLiteral("100,00 €");
    data.foreignIso = QStringLiteral("EUR");
    data.rate = QStringLiteral("30,126");
    data.inForeignCurrency = data.inTwoCurrencies = true;
    EXPECT_EQ(value("kurz"), "Konverzný kurz EUR/SKK:");
    EXPECT_EQ(value("udb_kurz"), "30,1260");
    EXPECT_EQ(value("suma_kuhrade2"), "Inf.hodn.:   100,00 €");

    data.inTwoCurrencies = false;  // a bill in the foreign currency alone
    EXPECT_EQ(value("kurz"), "Kurz EUR/SKK:");
    EXPECT_EQ(value("udb_kurz"), "30,126");
    EXPECT_EQ(value("suma_kuhrade2"), "100,00 €");

    data.secondaryKUhrade.clear();
    for (const char *name : {"kurz", "udb_kurz", "suma_kuhrade2"})
        EXPECT_EQ(value(QString::fromUtf8(name)), "") << name;
}

TEST_F(BillPrint, SummaryLabelsPrintAsShown)
{
    data.suma1Left = QStringLiteral("Základ 19%:");
    data.sumaKUhrade = QStringLiteral("1 190,00 Sk");
    EXPECT_EQ(value("suma1_left"), "Základ 19%:");
    EXPECT_EQ(value("suma_kuhrade"), "1 190,00 Sk");
    EXPECT_EQ(value("kuhrade"), "K úhrade");
}

} // namespace
