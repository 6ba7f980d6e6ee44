// Shared set-up for the printed bill's tests: the report library's
// machinery as the program installs it, a stored bill of 2009 with a
// firm, a customer and lines whose texts carry diacritics, and the
// editor's own print command (F11) with the shown report handed to the
// test instead of the preview window.
#pragma once

#include "tests/app/billsfixture.h"

#include "app/reportbillprinter.h"
#include "app/reportlayouts.h"
#include "report/engine/trpengine.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/export/trppdfexport.h"
#include "report/model/trpreport.h"

#include <QTest>
#include <functional>

namespace bralvo::test {

class BillDocumentsFixture : public BillsFixture {
protected:
    static constexpr const char *kNumber = "FA0900001";
    static constexpr const char *kCustomer = "Pekáreň Ďurčo s.r.o.";

    void SetUp() override
    {
        report::installMemoTextLayout();
        report::installReportEngine();
        report::installPreviewPages();
        BillsFixture::SetUp();
        m_savedShower = app::reportShower();
        sql(QString::fromUtf8("UPDATE firma SET nazov = 'Stolárstvo Šimon s.r.o.', ulica = 'Dlhá 7', psc = '811 02', "
                              "mesto = 'Bratislava', stat = 'Slovensko', ico = '35123456', dic = '2020123456', "
                              "icdph = 'SK2020123456' WHERE id = 1"));
        // The demo user's signature text follows the language loaded first.
        sql(QString::fromUtf8("UPDATE uzivatelia SET text_podpis = 'Eva Adminová, konateľka'"));
        sql(QString::fromUtf8("INSERT INTO odberatelia (ID, nazov, ulica, psc, mesto, stat, ico, platcadph, zahranicny, "
                              "existuje) VALUES (50, '%1', 'Štúrova 12', '010 01', 'Žilina', 'Slovensko', '44556677', "
                              "1, 0, 1)").arg(QString::fromUtf8(kCustomer)));
        sql(QString::fromUtf8("INSERT INTO polozky (ID, kod, nazov, merna_jednotka, dph, cena, za_mj, existuje) VALUES "
                              "(60, 'D2', 'Dlažba kamenná', 'm2', 10, 50, 1, 1), "
                              "(61, 'S3', 'Stolička buková', 'ks', 19, 42.5, 1, 1), "
                              "(62, 'S1', 'Stôl jedálenský', 'ks', 19, 100, 1, 1)"));
    }
    void TearDown() override
    {
        app::reportShower() = m_savedShower;
        BillsFixture::TearDown();
    }

    // The stored bill FA0900001 of 05.03.2009 with `lines` lines cycling
    // through three items (1 of 2 x 50 at 10 %, then 3 x 100 and 4 x 42,50
    // at 19 %).
    void addFixtureBill(int lines)
    {
        sql("INSERT INTO faktury (ID, cislo, cislo_objednavky, vs, ks, ss, forma_uhrady, datum_vystavenia, "
            "datum_splatnosti, datum_dodania, datum_platby, id_uzivatel, id_odberatel, jazyk, fakturovat_bezdph, "
            "fakturovat_vcudzejmene, fakturovat_vdvochmenach, jehlavna_cudziamena, domaca_menaZobr, domaca_menaIso, "
            "hlavna_mena, kurz, kurz_domaca, kurz_cudzia, zaokruhlovanie, suma_celkom, suma_kuhrade, suma1_left, "
            "suma2_right, interna_poznamka, typ, uhradena, existuje) VALUES (40, 'FA0900001', 'OBJ-17', '0900001', "
            "'0308', '', 'prevodom', '2009-03-05', '2009-03-19', '2009-03-05', '', 1, 50, '', 0, 0, 0, 0, 'Sk', 'SKK', "
            "'Sk', 1, 1, 1, 0.5, 0, 0, '', '', '', 1, 0, 1)");
        const char *const rows[] = {"60, 50, 2", "62, 100, 3", "61, 42.5, 4"};
        for (int i = 0; i < lines; ++i)
            sql(QString("INSERT INTO sp_polozky (id_faktura, id_polozka, cena, pocet, zlava, zaratat_dph) "
                        "VALUES (40, %1, 0, 1)").arg(QString::fromLatin1(rows[i % 3])));
        // A stored bill keeps the totals its editor computed: a change
        // makes the editor compute them, and saving stores them.
        app::TfFaktura &bill = editor();
        ASSERT_TRUE(bill.PrepareStoredBill(QString::fromLatin1(kNumber), "2009", false));
        bool saved = false;
        onModal("fFaktura", [&](QWidget &) {
            bill.eInternaPoznamka->setText("tlač");
            saved = bill.bitSaveClick(false);
            if (!saved)
                bill.reject();
        });
        bill.ShowBill();
        ASSERT_TRUE(saved) << shownTexts().join('\n').toStdString();
    }
    // The id of the stored fixture bill (saving gives it a new row).
    static QString fixtureBillId() { return value("SELECT id FROM faktury WHERE cislo = 'FA0900001'"); }

    // Opens the stored bill in the editor, presses F11 there and hands
    // each shown report to `shown` while the editor is open; `summary`
    // receives the editor's amount due.
    void printFromEditor(const std::function<void(report::TrpReport &)> &shown, QString *due = nullptr)
    {
        app::reportShower() = shown;
        app::TfFaktura &bill = editor();
        ASSERT_TRUE(bill.PrepareStoredBill(QString::fromLatin1(kNumber), "2009", false));
        onModal("fFaktura", [&](QWidget &) {
            if (due)
                *due = bill.lblSumaKUhrade->text();
            EXPECT_TRUE(bill.bitPrint->isEnabled()) << "the stored bill counts as changed";
            QApplication::setActiveWindow(&bill);  // F11 is the window's own key
            QTest::keyClick(&bill, Qt::Key_F11);
            bill.reject();
        });
        bill.ShowBill();
    }

    // Prepares the shown report; a failure names the report's errors.
    static void prepare(report::TrpReport &r)
    {
        ASSERT_TRUE(r.PrepareReport(true)) << r.ErrorList().text().toStdString();
    }
    // Exports the prepared report through the bill list's PDF filter,
    // as the preview's quick export does.
    static void exportPdf(report::TrpReport &r, const QString &file)
    {
        auto *printer = dynamic_cast<app::ReportBillPrinter *>(app::billPrinter());
        ASSERT_NE(printer, nullptr);
        report::TrpPDFExport &filter = printer->pdfExport();
        EXPECT_FALSE(filter.Compressed());
        filter.SetShowDialog(false);
        filter.SetShowProgress(false);
        filter.SetFileName(file);
        ASSERT_TRUE(r.PreparedPages()->Export(&filter)) << r.ErrorList().text().toStdString();
    }

    app::ReportShower m_savedShower;
};

} // namespace bralvo::test
