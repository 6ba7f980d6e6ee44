// The whole road of a printed bill on a real display (run under xvfb-run
// with QT_QPA_PLATFORM=xcb): a new bill made in the editor, saved and
// printed with F12, its preview exported to PDF and printed on the
// "Capture" queue of a private cupsd; the dot-matrix bill printed from
// its preview as a raw job there; and a receipt's preview, exported and
// printed there. Every job is titled with its layout's name. With
// BRALVO_SCREENSHOT_DIR set, both previews are saved as screenshots.
#include "tests/app/billdocumentsfixture.h"
#include "tests/platform/printers/cupstestserver.h"
#include "tests/report/export/pdftools.h"

#include "app/tfuhrady.h"
#include "report/engine/trpprinters.h"
#include "report/export/trpdmpexportdialog.h"
#include "services/settings.h"
#include "report/export/trppdfexport.h"
#include "report/export/trppdfexportdialog.h"
#include "report/model/trpresources.h"
#include "report/preview/reportwindows.h"
#include "report/preview/trpprintdialog.h"
#include "report/preview/trppreviewform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QToolButton>

namespace bralvo::test {
namespace {

using report::testing::expectQpdfClean;
using report::testing::pdftotext;

class EndToEnd : public BillDocumentsFixture {
protected:
    static void SetUpTestSuite() { s_server = new CupsTestServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_server->error().isEmpty()) << s_server->error().toStdString();
        s_server->clearCaptured();
        // The rest of the program's start-up for printing (app/main.cpp).
        report::installReportWindows();
        report::installPreviewWindow();
        report::installPrintDialog();
        report::installDMPExportDialog();
        BillDocumentsFixture::SetUp();
        // The report windows in the shipped Slovak texts, as start-up loads them.
        report::GetResources().LoadFromFile(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.flng"));
        report::TrpPDFExport::SetOpener([this](const QString &file) { m_opened << file; });
        report::TrpPDFExportDialog::SetRunner([](report::TrpPDFExportDialog &d) {
            d.OpenCB->setChecked(false);
            return int(QDialog::Accepted);
        });
        m_shots = qEnvironmentVariable("BRALVO_SCREENSHOT_DIR");
    }
    void TearDown() override
    {
        report::TrpPDFExportDialog::SetRunner(nullptr);
        report::TrpPDFExport::SetOpener(nullptr);
        report::GetResources().LoadEnglish();
        BillDocumentsFixture::TearDown();
    }

    // Waits until the preview's report is prepared.
    static void waitForPages(report::TrpPreviewForm &form)
    {
        for (int i = 0; i < 400; ++i) {
            report::TrpReport *r = form.Report();
            if (r->PreparedPages()->GetCount() > 0 && !r->Engine()->IsRunning())
                break;
            QTest::qWait(25);
        }
        QTest::qWait(300);  // the first page drawn
    }
    // The window grown to show a whole page width at 100 %.
    void screenshot(QWidget &window, const QString &name)
    {
        if (m_shots.isEmpty())
            return;
        window.resize(1000, 900);
        QTest::qWait(400);
        EXPECT_TRUE(window.grab().save(QDir(m_shots).filePath(name))) << name.toStdString();
    }
    // Exports the shown preview through its PDF button, then prints it on
    // the "Capture" queue through the print dialog.
    void exportAndPrint(report::TrpPreviewForm &form, const QString &pdf)
    {
        ASSERT_TRUE(form.PdfB->isVisible());
        m_boxes.answerSaveFile(pdf);
        form.PdfB->click();
        onModal("TrpPrintDialog", [](QWidget &w) {
            auto &d = static_cast<report::TrpPrintDialog &>(w);
            d.PrintersCB->setCurrentIndex(d.PrintersCB->findText("Capture"));
            d.PrintersCBClick();
            d.OkB->click();
        });
        form.PrintB->click();
    }

    static CupsTestServer *s_server;
    QTemporaryDir m_dir;
    QStringList m_opened;
    QString m_shots;
};

CupsTestServer *EndToEnd::s_server = nullptr;

TEST_F(EndToEnd, NewBillSavedAndPrintedThroughThePreviewToPdfAndCups)
{
    app::TfZoznamFaktur &list = openList();
    const QString pdf = QDir(m_dir.path()).filePath("new-bill.pdf");
    QString due, number;
    bool previewShown = false;
    onModal("fFaktura", [&](QWidget &) {
        app::TfFaktura &bill = editor();
        const QString customer = QString::fromUtf8(kCustomer) + " - 44556677";
        bill.cbOdberatel->setCurrentIndex(bill.cbOdberatel->findText(customer));
        bill.cbOdberatelClick();
        onModal("fVyber", [&](QWidget &) {
            app::TfVyber &pick = picker();
            pick.cbPolozka->setCurrentIndex(pick.cbPolozka->findText(QString::fromUtf8("Dlažba kamenná")));
            pick.cbPolozkaClick();
            pick.ePocet->setText("2");
            pick.bitAddItemClick();
        });
        bill.bitAddItemClick();
        due = bill.lblSumaKUhrade->text();
        number = bill.eCisloFaktury->text();
        onModal("TrpPreviewForm", [&](QWidget &w) {
            auto &form = static_cast<report::TrpPreviewForm &>(w);
            previewShown = true;
            waitForPages(form);
            screenshot(form, "bill-preview.png");
            exportAndPrint(form, pdf);
            form.close();
        });
        QTest::keyClick(&bill, Qt::Key_F12);
    });
    list.bitPridatFakturuClick();
    ASSERT_TRUE(previewShown);
    EXPECT_EQ(due, "110,00 Sk");
    EXPECT_EQ(value("SELECT COUNT(*) FROM faktury WHERE cislo = '" + number + "'"), "1");
    EXPECT_EQ(value("SELECT datum_vystavenia FROM faktury WHERE cislo = '" + number + "'"),
              QDate::currentDate().toString("yyyy-MM-dd"));

    expectQpdfClean(pdf);
    EXPECT_TRUE(m_opened.isEmpty());  // the dialog's "open" was unticked
    const QString text = pdftotext(pdf);
    for (const QString &expected : {QString::fromUtf8("FAKTÚRA"), number, QString::fromUtf8(kCustomer),
                                    QString::fromUtf8("Dlažba kamenná"), due,
                                    QDate::currentDate().toString("dd.MM.yyyy")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();

    const QList<CapturedJob> jobs = s_server->capturedJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_TRUE(jobs[0].bytes.startsWith("%PDF"));
    // Jobs and files are called by the document's kind, never by where
    // the layout is kept.
    EXPECT_EQ(jobs[0].title, QString::fromUtf8("Faktúra"));
    EXPECT_TRUE(report::testing::pdfinfo(pdf).contains(QString::fromUtf8("Faktúra"))) << report::testing::pdfinfo(pdf).toStdString();
    const QString printed = QDir(m_dir.path()).filePath("printed.pdf");
    QFile out(printed);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(jobs[0].bytes);
    out.close();
    // Printed pages carry their glyphs as drawings, not text: the job is
    // judged as a document of one A4 page.
    expectQpdfClean(printed);
    const QString info = report::testing::pdfinfo(printed).simplified();
    EXPECT_TRUE(info.contains("Pages: 1")) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    EXPECT_EQ(jobs[0].copies, 1);
    EXPECT_TRUE(jobs[0].options.contains("media=iso_a4_210x297mm")) << jobs[0].options.toStdString();
}

TEST_F(EndToEnd, DotMatrixBillPrintedThroughThePreviewAsARawJob)
{
    addFixtureBill(3);
    services::WriteSettingBool("Faktura", "DotMatrix", true);
    bool shown = false;
    onModal("TrpPreviewForm", [&](QWidget &w) {
        auto &form = static_cast<report::TrpPreviewForm &>(w);
        shown = true;
        waitForPages(form);
        onModal("TrpDMPExportDialog", [](QWidget &w) {
            auto &d = static_cast<report::TrpDMPExportDialog &>(w);
            d.PrinterCB->setCurrentIndex(d.PrinterCB->findText("Capture"));
            report::rpPrinters().SetPrinterIndex(report::rpPrinters().IndexOf("Capture"));
            d.EscCB->setCurrentIndex(1);  // an Epson printer
            d.OK->click();
        });
        form.PrintB->click();
        form.close();
    });
    printFromEditor(m_savedShower);
    ASSERT_TRUE(shown);
    const QList<CapturedJob> jobs = s_server->capturedJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    const QByteArray &bytes = jobs[0].bytes;
    EXPECT_EQ(jobs[0].title, QString::fromUtf8("Faktúra"));
    EXPECT_TRUE(bytes.startsWith("\x1b@")) << bytes.left(20).toHex().toStdString();
    EXPECT_EQ(bytes.count('\f'), 1);
    QStringDecoder cp852("IBM852");
    const QString text = cp852(bytes);
    EXPECT_TRUE(text.contains(QString::fromUtf8(kCustomer))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("669,50 Sk")));
}

TEST_F(EndToEnd, ReceiptPreviewOfAPayment)
{
    addFixtureBill(3);
    sql("INSERT INTO uhrady (datum, bankovy_prevod, hotovost, suma_domaca, suma_zahranicna, kurz, interna_poznamka, "
        "id_faktura) VALUES ('2009-03-10', 0, 1, 669.5, 0, 1, '', " + fixtureBillId() + ")");
    app::TfUhrady *payments = app::PaymentsWindowOf(*m_main);
    ASSERT_NE(payments, nullptr);
    QString words;
    bool shown = false;
    onModal("TrpPreviewForm", [&](QWidget &w) {
        auto &form = static_cast<report::TrpPreviewForm &>(w);
        shown = true;
        waitForPages(form);
        screenshot(form, "receipt-preview.png");
        const QString pdf = QDir(m_dir.path()).filePath("receipt.pdf");
        m_boxes.answerSaveFile(pdf);
        form.PdfB->click();
        words = pdftotext(pdf);
        onModal("TrpPrintDialog", [](QWidget &w) {
            auto &d = static_cast<report::TrpPrintDialog &>(w);
            d.PrintersCB->setCurrentIndex(d.PrintersCB->findText("Capture"));
            d.PrintersCBClick();
            d.OkB->click();
        });
        form.PrintB->click();
        form.close();
    });
    onModal("fUhrady", [&](QWidget &) {
        payments->sgUhrady->setCurrentRowIndex(1);
        payments->bitTlacitUhradu->click();
        payments->close();
    });
    payments->OpenForBill(fixtureBillId(), QString::fromLatin1(kNumber));
    ASSERT_TRUE(shown);
    EXPECT_TRUE(words.contains(QString::fromUtf8("Príjmový doklad"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QString::fromUtf8("šesťstošesťdesiatdeväť 50/100"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QString::fromUtf8(kCustomer)));
    const QList<CapturedJob> jobs = s_server->capturedJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].title, QString::fromUtf8("Príjmový doklad"));
}

} // namespace
} // namespace bralvo::test
