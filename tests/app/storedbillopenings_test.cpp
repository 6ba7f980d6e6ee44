// Two stored bills whose first lines differ, opened one after the other
// in the same editor of a newly started program: the second prints its own first line, and saving it
// unchanged leaves the bill rows of the database file as they were.
#include "tests/app/billdocumentsfixture.h"
#include "tests/app/billfilerows.h"
#include "tests/report/export/pdftools.h"

#include "db/database.h"

#include <QDateEdit>
#include <QTemporaryDir>

namespace bralvo::test {
namespace {

struct Line {
    const char *item;
    const char *quantity;
    const char *discount;
};

class StoredBillOpenings : public BillDocumentsFixture {
protected:
    void SetUp() override
    {
        BillDocumentsFixture::SetUp();
        report::TrpPDFExport::SetOpener([](const QString &) {});
    }
    void TearDown() override
    {
        report::TrpPDFExport::SetOpener(nullptr);
        BillDocumentsFixture::TearDown();
    }

    // A new bill of 10.03.2026 with that number and catalogue lines, saved
    // through the editor and the picker.
    void storeBill(const QString &number, std::initializer_list<Line> lines)
    {
        app::TfFaktura &bill = editor();
        bill.PrepareNewBill(false, "2026");
        bool saved = false;
        onModal("fFaktura", [&](QWidget &) {
            bill.eCisloFaktury->setText(number);
            bill.eDatumVystavenia->setDate(QDate(2026, 3, 10));
            bill.cbOdberatel->setCurrentIndex(bill.cbOdberatel->findText(QString::fromUtf8(kCustomer) + " - 44556677"));
            bill.cbOdberatelClick();
            for (const Line &line : lines) {
                onModal("fVyber", [&](QWidget &) {
                    app::TfVyber &pick = picker();
                    pick.cbPolozka->setCurrentIndex(pick.cbPolozka->findText(QString::fromUtf8(line.item)));
                    pick.cbPolozkaClick();
                    pick.ePocet->setText(line.quantity);
                    pick.eZlava->setText(line.discount);
                    pick.bitAddItemClick();
                });
                bill.bitAddItemClick();
            }
            saved = bill.bitSaveClick(false);
            if (!saved)
                bill.reject();
        });
        bill.ShowBill();
        ASSERT_TRUE(saved) << shownTexts().join('\n').toStdString();
    }
    // The program closed and started again on the same database file.
    void restartProgram()
    {
        m_main.reset();
        const QString programDir = services::ProgramDir;
        m_main = std::make_unique<app::TfMain>(QStringList{"bralvo", "vybranaDB"});
        services::ProgramDir = programDir;
        ASSERT_EQ(m_main->StartupSequenceRun(), app::StartupSequence::Outcome::Started);
        m_main->show();
        QApplication::setActiveWindow(m_main.get());
    }
    // Opens the stored bill of 2026 in the editor, presses key there
    // (none: only closes it).
    void pressInStoredBill(const QString &number, int key = 0)
    {
        app::TfFaktura &bill = editor();
        ASSERT_TRUE(bill.PrepareStoredBill(number, "2026", false));
        onModal("fFaktura", [&](QWidget &) {
            QApplication::setActiveWindow(&bill);  // the keys are the window's own
            if (key != 0)
                QTest::keyClick(&bill, Qt::Key(key));
            if (bill.isVisible())
                bill.reject();
        });
        bill.ShowBill();
    }

    QTemporaryDir m_dir;
};

TEST_F(StoredBillOpenings, SecondBillPrintsAndSavesItsOwnFirstLine)
{
    storeBill("FA2600001", {{"Stôl jedálenský", "3", "10"}, {"Dlažba kamenná", "2", "0"}});
    storeBill("FA2600002", {{"Stolička buková", "7", "0"}});
    restartProgram();
    pressInStoredBill("FA2600001");

    const QString pdf = QDir(m_dir.path()).filePath("FA2600002.pdf");
    app::reportShower() = [&](report::TrpReport &r) {
        prepare(r);
        exportPdf(r, pdf);
    };
    pressInStoredBill("FA2600002", Qt::Key_F11);
    const QString text = report::testing::pdftotext(pdf);
    for (const char *own : {"FA2600002", "Stolička buková", "7,00 ks", "42,50 Sk", "297,50 Sk"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(own))) << own << "\n" << text.toStdString();
    for (const char *earlier : {"Stôl jedálenský", "3,00 ks", "270,00 Sk"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(earlier))) << earlier << "\n" << text.toStdString();

    const QStringList before = BillRowsOfFile(db::DbFilePath);
    ASSERT_EQ(before.filter("sp_polozky ").size(), 3);
    pressInStoredBill("FA2600002", Qt::Key_F2);
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury WHERE cislo = 'FA2600002'"), "1");
    EXPECT_EQ(BillRowsOfFile(db::DbFilePath), before);
}

// Lines of an advance bill taken over into a new bill after another
// bill was open keep their own numbers on screen and when saved.
TEST_F(StoredBillOpenings, TakenOverAdvanceLinesKeepTheirOwnNumbers)
{
    addBill("B1", 1, 0, 0);
    addBill("ZA1", 2, 100, 100);
    sql("INSERT INTO sp_polozky (id_faktura, id_polozka, cena, pocet, zlava, zaratat_dph) VALUES "
        "((SELECT id FROM faktury WHERE cislo = 'B1'), 62, 100, 3, 10, 0), "
        "((SELECT id FROM faktury WHERE cislo = 'ZA1'), 60, 50, 2, 0, 0)");
    restartProgram();
    app::TfFaktura &bill = editor();
    ASSERT_TRUE(bill.PrepareStoredBill("B1", m_year, false));
    onModal("fFaktura", [&](QWidget &) { bill.reject(); });
    bill.ShowBill();

    bill.PrepareNewBill(false, m_year);
    QStringList shown;
    onModal("fFaktura", [&](QWidget &) {
        bill.cbOdberatel->setCurrentIndex(bill.cbOdberatel->findText("O'Neil s.r.o. - 12345678"));
        bill.cbOdberatelClick();
        onModal("fVyber", [&](QWidget &) {
            picker().lbZalohoveFaktury->setCurrentRow(0);
            picker().chbAddItemsToBralvo->setChecked(true);
            picker().bitAddZalFaktClick();
        });
        bill.bitPridatFakturuClick();
        for (int col = 1; col <= 6; ++col)
            shown << bill.sgPolozky->cell(col, 1);
        shown << bill.lblSumaCelkom->text() << bill.lblSumaKUhrade->text();
        EXPECT_TRUE(bill.bitSaveClick(false));
    });
    bill.ShowBill();
    // 2 x 50 at 10 %: 110, less the advance bill's 100.
    EXPECT_EQ(shown, QStringList({QString::fromUtf8("Dlažba kamenná"), "2,00 m2", "0%", "50,00 Sk", "10%",
                                  "100,00 Sk", "110,00 Sk", "10,00 Sk"}));
    EXPECT_EQ(value("SELECT cena || ' ' || pocet || ' ' || zlava FROM sp_polozky WHERE id_faktura = "
                    "(SELECT MAX(id) FROM faktury)"),
              "50.0 2.0 0.0");
}

} // namespace
} // namespace bralvo::test
