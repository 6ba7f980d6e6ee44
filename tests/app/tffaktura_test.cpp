// The bill editor, the item picker and the one-off line window, and the
// whole road of a bill: new, filled, saved, listed, reopened, refused.
#include "tests/app/billsfixture.h"

#include "app/reportlayouts.h"
#include "report/model/trpreport.h"

#include "db/billstate.h"
#include "platform/messageboxseam.h"
#include "platform/widgets/maskeddateedit.h"
#include "platform/widgets/stringgrid.h"
#include "services/listhelpers.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace bralvo::test {
namespace {

using BillEditor = BillsFixture;

const QString kCustomer = "O'Neil s.r.o. - 12345678";

// The editor's summary as one text, to compare two openings.
QString summary(app::TfFaktura &bill)
{
    return QStringList{bill.lblSuma1Left->text(), bill.lblSuma2Right->text(), bill.lblSumaCelkom->text(),
                       bill.lblSumaKUhrade->text()}
        .join('|');
}

void chooseCustomer(app::TfFaktura &bill)
{
    bill.cbOdberatel->setCurrentIndex(bill.cbOdberatel->findText(kCustomer));
    bill.cbOdberatelClick();
}

TEST_F(BillEditor, CurrencyDatesAndRateFields)
{
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(false, m_year);
    bill.chbFakturovatVCudzejMene->setChecked(true);
    bill.cbCudziaMenaIso->setEditText("eur");
    EXPECT_EQ(bill.cbCudziaMenaZobr->currentText(), QString::fromUtf8("€"));
    bill.cbCudziaMenaIso->setEditText("XYZ");
    EXPECT_EQ(bill.cbCudziaMenaZobr->currentText(), QString::fromUtf8("€"));

    bill.eDatumVystavenia->setDate(QDate(2025, 12, 25));
    EXPECT_EQ(bill.eDatumSplatnosti->date(), QDate(2026, 1, 4));
    EXPECT_EQ(bill.eDatumDodania->maskText(), "25.12.2025");

    bill.eKurzCudzia->setText("1,0000");
    bill.eKurzDomaca->setText("30,1260");
    EXPECT_EQ(bill.eKurz->text(), "30,12600000");
    bill.eKurzCudzia->setText("0");
    EXPECT_EQ(bill.eKurz->text(), "0,00000000");

    bill.eCisloFaktury->setText("FA");
    EXPECT_EQ(bill.eVS->text(), "0");
}

TEST_F(BillEditor, StoredBillOpensAndClosesUnchangedAndPrintsOnlyAsStored)
{
    addBill("B1", 1, 119, 119);
    QStringList printed;
    app::setBillPrinter(std::make_unique<RecordingBillPrinter>(printed));
    app::TfZoznamFaktur &list = openList();
    list.sgFaktury->setCurrentRowIndex(rowOf(list, "B1"));
    bool printEnabled = false, printAfterEdit = true;
    onModal("fFaktura", [&](QWidget &) {
        app::TfFaktura &bill = editor();
        printEnabled = bill.bitPrint->isEnabled();
        bill.bitPrintClick();
        bill.reject();  // nothing changed: no question
    });
    list.sgFakturyDblClick();
    EXPECT_TRUE(printEnabled);
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(printed[0].startsWith("bill ")) << printed[0].toStdString();
    EXPECT_TRUE(printed[0].endsWith(" 119,00 Sk 0")) << printed[0].toStdString();

    onModal("fFaktura", [&](QWidget &) {
        app::TfFaktura &bill = editor();
        bill.eInternaPoznamka->setText("zmena");
        printAfterEdit = bill.bitPrint->isEnabled();
        bill.bitPrintClick();  // F11 while modified
        m_boxes.answerBox(platform::kIdYes);
        bill.reject();
    });
    list.sgFakturyDblClick();
    EXPECT_FALSE(printAfterEdit);
    EXPECT_EQ(printed.size(), 1);
    EXPECT_EQ(shownTexts(), QStringList{services::MessageText(206)});
}

TEST_F(BillEditor, PrintWithoutPrinterSaysSo)
{
    addBill("B1", 1, 119, 119);
    app::TfZoznamFaktur &list = openList();
    app::setBillPrinter(nullptr);
    list.sgFaktury->setCurrentRowIndex(rowOf(list, "B1"));
    onModal("fFaktura", [&](QWidget &) {
        m_boxes.answerBox(platform::kIdOk);
        editor().bitPrintClick();
        editor().reject();
    });
    list.sgFakturyDblClick();
    EXPECT_EQ(shownTexts(), QStringList{app::PrintingUnavailableText()});
}

TEST_F(BillEditor, StoredBillPrintsThroughTheBillLayout)
{
    addBill("B1", 1, 119, 119);
    app::TfZoznamFaktur &list = openList();
    list.sgFaktury->setCurrentRowIndex(rowOf(list, "B1"));
    int shown = 0;
    const app::ReportShower previous = app::reportShower();
    app::reportShower() = [&](report::TrpReport &) { ++shown; };
    onModal("fFaktura", [&](QWidget &) {
        QTest::keyClick(&editor(), Qt::Key_F11);
        editor().reject();
    });
    list.sgFakturyDblClick();
    app::reportShower() = previous;
    EXPECT_EQ(shown, 1);
}

TEST_F(BillEditor, ForeignCurrencyWithoutRateIsRefused)
{
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(false, m_year);
    chooseCustomer(bill);
    bill.chbFakturovatVCudzejMene->setChecked(true);
    bill.cbCudziaMenaIso->setEditText("EUR");
    bill.eKurz->setText("abc");
    m_boxes.answerBox(platform::kIdOk);
    EXPECT_FALSE(bill.bitSaveClick(true));
    EXPECT_EQ(shownTexts(), QStringList{app::ForeignRateRefusalText()});
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury"), "0");
}

// An advance bill hides "Faktúrovať bez DPH" and keeps it checked; the
// customer's defaults do not untick it, so reopening and saving the bill
// unchanged stores the same flag.
TEST_F(BillEditor, AdvanceBillKeepsItsHiddenWithoutVatBoxThroughTheCustomer)
{
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(true, m_year);
    onModal("fFaktura", [&](QWidget &) {
        chooseCustomer(bill);
        EXPECT_FALSE(bill.chbFakturovatBezDPH->isVisible());
        EXPECT_TRUE(bill.chbFakturovatBezDPH->isChecked());
        onModal("fSimplePolozka", [&](QWidget &) {
            simpleLine().eNazov->setText("Záloha");
            simpleLine().eCena->setText("100");
            simpleLine().bitAddItemClick();
        });
        bill.bitAddSimpleItemClick();
        EXPECT_TRUE(bill.bitSaveClick(false));
    });
    bill.ShowBill();
    EXPECT_EQ(value("SELECT fakturovat_bezdph FROM faktury WHERE typ = 2"), "1");
}

TEST_F(BillEditor, FifthVatRateWarnsOnceAndIsNotSaved)
{
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(false, m_year);
    chooseCustomer(bill);
    m_boxes.answerBox(platform::kIdOk);
    for (const char *vat : {"5", "10", "19", "20", "21", "22"}) {
        onModal("fSimplePolozka", [&, vat](QWidget &) {
            simpleLine().eNazov->setText(QString("Riadok ") + vat);
            simpleLine().eDPH->setText(vat);
            simpleLine().eCena->setText("10");
            simpleLine().bitAddItemClick();
        });
        bill.bitAddSimpleItemClick();
    }
    EXPECT_EQ(shownTexts(), QStringList{services::MessageText(207)});
    m_boxes.answerBox(platform::kIdOk);
    EXPECT_FALSE(bill.bitSaveClick(true));
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury"), "0");
    m_boxes.answerBox(platform::kIdYes);
    bill.reject();
}

TEST_F(BillEditor, OneOffLineReusesItsRowAndNeverRetiresACatalogueItem)
{
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(false, m_year);
    const auto addLine = [&](const char *code) {
        onModal("fSimplePolozka", [&, code](QWidget &) {
            simpleLine().eNazov->setText(QString::fromUtf8("Stôl"));
            simpleLine().eKod->setText(code);
            simpleLine().bitAddItemClick();
        });
        bill.bitAddSimpleItemClick();
    };
    addLine("X1");
    addLine("X1");
    addLine("K1");  // the catalogue item's name and code, other VAT text
    EXPECT_EQ(value(QString::fromUtf8("SELECT COUNT(*) FROM polozky WHERE nazov = 'Stôl' AND existuje = 0")), "1");
    EXPECT_EQ(value(QString::fromUtf8("SELECT COUNT(*) FROM polozky WHERE nazov = 'Stôl' AND existuje = 1")), "1");
    EXPECT_EQ(bill.sgPolozky->rowCount(), 5);
    EXPECT_EQ(bill.sgPolozky->cell(9, 1), bill.sgPolozky->cell(9, 2));
    m_boxes.answerBox(platform::kIdOk);
    onModal("fSimplePolozka", [&](QWidget &) {
        simpleLine().bitAddItemClick();  // no name
        simpleLine().reject();
    });
    bill.bitAddSimpleItemClick();
    EXPECT_EQ(shownTexts(), QStringList{services::MessageText(154)});
    m_boxes.answerBox(platform::kIdYes);
    bill.reject();
}

TEST_F(BillEditor, DeletingALineAsksFirst)
{
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(false, m_year);
    onModal("fSimplePolozka", [&](QWidget &) {
        simpleLine().eNazov->setText("Práca");
        simpleLine().eCena->setText("100");
        simpleLine().bitAddItemClick();
    });
    bill.bitAddSimpleItemClick();
    EXPECT_EQ(bill.lblSumaCelkom->text(), "119,00 Sk");
    bill.sgPolozky->setCurrentRowIndex(1);
    m_boxes.answerBox(platform::kIdNo);
    QTest::keyClick(bill.sgPolozky, Qt::Key_Delete);
    EXPECT_EQ(bill.sgPolozky->rowCount(), 3);
    m_boxes.answerBox(platform::kIdYes);
    bill.bitDeleteItemClick();
    EXPECT_EQ(bill.sgPolozky->rowCount(), 2);
    EXPECT_EQ(bill.lblSumaCelkom->text(), "0,00 Sk");
    bill.sgPolozky->setCurrentRowIndex(1);
    bill.bitDeleteItemClick();  // the input row: nothing, no question
    EXPECT_EQ(m_boxes.boxes().size(), 2u);
    m_boxes.answerBox(platform::kIdYes);
    bill.reject();
}

TEST_F(BillEditor, EditingALinePricedPerHundredKeepsItsUnitPrice)
{
    sql(QString::fromUtf8("INSERT INTO polozky (kod, nazov, merna_jednotka, dph, cena, za_mj, existuje) "
                          "VALUES ('S', 'Skrutka', 'ks', 19, 250, 100, 1)"));
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(false, m_year);
    onModal("fVyber", [&](QWidget &) {
        picker().cbPolozka->setCurrentIndex(picker().cbPolozka->findText("Skrutka"));
        picker().cbPolozkaClick();
        picker().ePocet->setText("10");
        picker().bitAddItemClick();
    });
    bill.bitAddItemClick();
    ASSERT_EQ(bill.sgPolozky->cell(4, 1), "2,50 Sk");
    bill.sgPolozky->setCurrentRowIndex(1);
    QString title;
    onModal("fVyber", [&](QWidget &) {
        title = picker().GroupBox1->title();
        picker().bitAddItemClick();
    });
    bill.sgPolozkyDblClick();
    EXPECT_EQ(title, services::MessageText(184));
    EXPECT_EQ(bill.sgPolozky->rowCount(), 3);
    EXPECT_EQ(bill.sgPolozky->cell(4, 1), "2,50 Sk");
    EXPECT_EQ(bill.sgPolozky->cell(6, 1), "25,00 Sk");

    // A line whose item is gone from the catalogue cannot be edited.
    sql("UPDATE polozky SET existuje = 0 WHERE nazov = 'Skrutka'");
    m_boxes.answerBox(platform::kIdOk);
    bill.sgPolozkyDblClick();
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_TRUE(m_boxes.boxes()[0].text.contains("\"Skrutka\""));
    m_boxes.answerBox(platform::kIdYes);
    bill.reject();
}

// The main road: a new bill with a customer, a catalogue line, a one-off
// line and a deducted advance bill, saved with F2, listed, reopened.
TEST_F(BillEditor, NewBillSavedListedAndReopenedUnchanged)
{
    addBill("ZA1", 2, 100, 100);  // an advance bill worth 100 Sk
    app::TfZoznamFaktur &list = openList();
    QString filled;
    onModal("fFaktura", [&](QWidget &) {
        app::TfFaktura &bill = editor();
        chooseCustomer(bill);
        onModal("fVyber", [&](QWidget &) {
            app::TfVyber &pick = picker();
            pick.cbPolozka->setCurrentIndex(pick.cbPolozka->findText(QString::fromUtf8("Stôl")));
            pick.cbPolozkaClick();
            pick.ePocet->setText("3");
            pick.bitAddItemClick();
        });
        bill.bitAddItemClick();
        onModal("fSimplePolozka", [&](QWidget &) {
            app::TfSimplePolozka &line = simpleLine();
            line.eNazov->setText("Dlažba");
            line.eMJ->setText("m2");
            line.ePocet->setText("2");
            line.eCena->setText("50");
            line.eDPH->setText("10");
            line.bitAddItemClick();
        });
        bill.bitAddSimpleItemClick();
        onModal("fVyber", [&](QWidget &) {
            app::TfVyber &pick = picker();
            ASSERT_EQ(pick.lbZalohoveFaktury->count(), 1);
            pick.lbZalohoveFaktury->setCurrentRow(0);
            pick.chbAddItemsToBralvo->setChecked(false);
            pick.bitAddZalFaktClick();
        });
        bill.bitPridatFakturuClick();
        filled = summary(bill);
        EXPECT_TRUE(bill.bitSaveClick(true));
    });
    list.bitPridatFakturuClick();
    // 300 + 57 VAT 19 %, 100 + 10 VAT 10 %, less the advance 100.
    EXPECT_EQ(filled, QString::fromUtf8("základ pre 10%\rDPH 10%\rzáklad pre 19%\rDPH 19%\r") + services::MessageText(216) + QString::fromUtf8("|"
                                        "100,00 Sk\r10,00 Sk\r300,00 Sk\r57,00 Sk\r-100,00 Sk|467,00 Sk|367,00 Sk"));
    const QString number = services::RemoveDiacritics(services::MessageText(170)).left(2).toUpper() + m_year.right(2) + "00001";
    const int row = rowOf(list, number);
    ASSERT_GT(row, 0);
    EXPECT_EQ(list.sgFaktury->currentRowIndex(), row);
    EXPECT_EQ(list.sgFaktury->cell(5, row), "367,00 Sk");
    EXPECT_EQ(list.sgFaktury->cell(6, row), "467,00 Sk");
    EXPECT_EQ(value("SELECT printf('%.8f', pocet) FROM sp_polozky WHERE cena = 50"), "2.00000000");
    EXPECT_EQ(value("SELECT COUNT(*) FROM sp_zalfaktury"), "1");

    QString reopened;
    onModal("fFaktura", [&](QWidget &) {
        reopened = summary(editor());
        editor().reject();
    });
    list.sgFakturyDblClick();
    EXPECT_EQ(reopened, filled);
    EXPECT_TRUE(m_boxes.boxes().empty());

    // Changed and saved again: the same one bill, lines and deduction.
    QString resaved;
    onModal("fFaktura", [&](QWidget &) {
        editor().eInternaPoznamka->setText("druhá verzia");
        resaved = summary(editor());
        EXPECT_TRUE(editor().bitSaveClick(true));
    });
    list.sgFakturyDblClick();
    EXPECT_EQ(resaved, filled);
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury WHERE typ = 1"), "1");
    EXPECT_EQ(value("SELECT interna_poznamka FROM faktury WHERE typ = 1"), QString::fromUtf8("druhá verzia"));
    EXPECT_EQ(value("SELECT COUNT(*) FROM sp_polozky"), "2");
    EXPECT_EQ(value("SELECT COUNT(*) FROM sp_zalfaktury"), "1");
}

// A refusal at the number check leaves the stored bill, its lines and its
// payments as they were in the database file.
TEST_F(BillEditor, RefusedNumberLeavesTheStoredBillUntouched)
{
    services::WriteSetting("Faktura", "FullAutoCislovanie", "0");
    addBill("B1", 1, 119, 119);
    addBill("B2", 1, 50, 50);
    sql("INSERT INTO polozky (kod, nazov, merna_jednotka, dph, cena, za_mj, existuje) VALUES ('P', 'P', 'ks', 19, 1, 1, 1)");
    sql("INSERT INTO sp_polozky (id_faktura, id_polozka, cena, pocet, zlava, zaratat_dph) VALUES (2, 2, 50, 1, 0, 0)");
    sql("INSERT INTO uhrady (id_faktura, datum, suma_domaca) VALUES (2, '" + m_year + "-04-01', 20)");
    const auto snapshot = [] {
        return value("SELECT group_concat(id || cislo || suma_celkom, ';') FROM faktury") + "/" +
               value("SELECT group_concat(id_faktura || '-' || cena, ';') FROM sp_polozky") + "/" +
               value("SELECT group_concat(id_faktura || '-' || suma_domaca, ';') FROM uhrady");
    };
    const QString before = snapshot();
    app::TfZoznamFaktur &list = openList();
    list.sgFaktury->setCurrentRowIndex(rowOf(list, "B2"));
    onModal("fFaktura", [&](QWidget &) {
        app::TfFaktura &bill = editor();
        bill.eCisloFaktury->setText("B1");
        m_boxes.answerBox(platform::kIdOk);
        EXPECT_FALSE(bill.bitSaveClick(true));
        EXPECT_TRUE(bill.isVisible());
        m_boxes.answerBox(platform::kIdYes);
        bill.reject();
    });
    list.sgFakturyDblClick();
    EXPECT_EQ(snapshot(), before);
    ASSERT_GE(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(shownTexts().first(), services::MessageText(188));
}

TEST_F(BillEditor, AdvanceBillInAnotherCurrencyIsNotDeducted)
{
    addBill("ZA1", 2, 100, 100);
    sql("UPDATE faktury SET hlavna_mena = 'EUR' WHERE cislo = 'ZA1'");
    app::TfFaktura &bill = editor();
    bill.PrepareNewBill(false, m_year);
    m_boxes.answerBox(platform::kIdOk);
    onModal("fVyber", [&](QWidget &) {
        picker().lbZalohoveFaktury->setCurrentRow(0);
        picker().bitAddZalFaktClick();
        picker().reject();
    });
    bill.bitPridatFakturuClick();
    EXPECT_EQ(bill.lbZalohoveFaktury->count(), 0);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].flags, 48);
}

} // namespace
} // namespace bralvo::test
