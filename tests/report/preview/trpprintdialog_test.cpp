// The print dialog offscreen, over the printers of a private cupsd: its
// texts and lists, how it writes PrintOptions, Cancel, print to file.
#include "report/preview/trpprintdialog.h"
#include "report/preview/trpprinterproperties.h"

#include "platform/messageboxseam.h"
#include "report/engine/trppagesprinter.h"
#include "report/engine/trpprinters.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "tests/platform/printers/cupstestserver.h"
#include "tests/report/model/stubengine.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;

namespace {

QStringList items(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}

class PrintDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new test::CupsTestServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_server->error().isEmpty()) << s_server->error().toStdString();
        m_report.EngineOptions()->SetNewSilentMode(simSilent);
        rpPrinters().SetPrinterIndex(rpPrinters().IndexOf("Laser"));
    }
    void selectPrinter(TrpPrintDialog &d, const QString &name)
    {
        d.PrintersCB->setCurrentIndex(d.PrintersCB->findText(name));
        d.PrintersCBClick();
    }
    QString currentPrinter() const { return rpPrinters().GetCurrentPrinter()->Name(); }

    static test::CupsTestServer *s_server;
    TrpReport m_report{nullptr};
    report::testing::StubPreviewPages m_pages{&m_report};
};

test::CupsTestServer *PrintDialog::s_server = nullptr;

TEST_F(PrintDialog, ShowsTheLibraryTextsAndLists)
{
    TrpPrintDialog d(m_report, &m_pages);
    EXPECT_EQ(d.windowTitle(), "Print");
    EXPECT_EQ(d.size(), QSize(557, 334));
    EXPECT_EQ(d.Label12->title(), "Printer");
    EXPECT_EQ(d.CurPageRB->text(), "Current page");
    EXPECT_EQ(d.PropButton->text(), "Properties...");
    EXPECT_EQ(d.FileCB->text(), "Print to file");
    EXPECT_EQ(d.ScaleGB->title(), "Print mode");
    EXPECT_EQ(items(d.OrderCB), QStringList({"Direct (1-9)", "Reverse (9-1)"}));
    EXPECT_EQ(items(d.PrintPagesCB), QStringList({"All pages", "Odd pages", "Even pages"}));
    EXPECT_EQ(items(d.DuplexCB), QStringList({"Default", "Vertical", "Horizontal", "Simplex"}));
    EXPECT_EQ(items(d.PrintModeCB), QStringList({"Default", "Split big pages", "Join small pages", "Scale"}));
    EXPECT_EQ(items(d.PrintersCB), rpPrinters().Names());
    EXPECT_EQ(d.PrintersCB->currentText(), "Laser");
    EXPECT_EQ(d.PagPageSizeCB->itemText(0), "Default");
    EXPECT_FALSE(d.PagPageSizeCB->isEnabled());
    EXPECT_EQ(d.PreviousPrinterIndex(), rpPrinters().IndexOf("Laser"));
}

TEST_F(PrintDialog, OkWritesTheChoicesIntoPrintOptions)
{
    struct Case {
        const char *what;
        std::function<void(TrpPrintDialog &)> act;
        QString pageNumbers;
        int copies;
    };
    m_pages.SetPreviewPageNo(3);
    const Case cases[] = {
        {"all pages", [](TrpPrintDialog &) {}, "", 1},
        {"current page while page 3 shows", [](TrpPrintDialog &d) { d.CurPageRB->setChecked(true); }, "3", 1},
        {"typed pages select their button",
         [](TrpPrintDialog &d) { QTest::keyClicks(d.PageNumbersE, "1,3-4"); }, "1,3-4", 1},
        {"entering the page numbers selects their button",
         [](TrpPrintDialog &d) {
             d.PageNumbersE->setText("2");
             QFocusEvent enter(QEvent::FocusIn, Qt::TabFocusReason);
             QApplication::sendEvent(d.PageNumbersE, &enter);
         }, "2", 1},
        {"an empty copies text counts as one", [](TrpPrintDialog &d) { d.CopiesE->clear(); }, "", 1},
        {"typed copies", [](TrpPrintDialog &d) {
             d.CopiesE->clear();
             QTest::keyClicks(d.CopiesE, "4x");  // the letter is refused
         }, "", 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        m_report.PrintOptions()->Clear();
        TrpPrintDialog d(m_report, &m_pages);
        c.act(d);
        QTest::mouseClick(d.OkB, Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(m_report.PrintOptions()->PageNumbers(), c.pageNumbers);
        EXPECT_EQ(m_report.PrintOptions()->Copies(), c.copies);
    }
}

TEST_F(PrintDialog, OkTakesOrderDuplexModeAndSheet)
{
    TrpPrintDialog d(m_report, &m_pages);
    d.OrderCB->setCurrentIndex(1);
    d.PrintPagesCB->setCurrentIndex(2);
    d.DuplexCB->setCurrentIndex(1);
    d.CollateCB->setChecked(false);
    d.PrintModeCB->setCurrentIndex(pmScale);
    d.PrintModeCBClick();
    EXPECT_TRUE(d.PagPageSizeCB->isEnabled());
    EXPECT_EQ(d.PagPageSizeCB->currentText(), "A4") << "a mode other than default starts on A4";
    d.PagPageSizeCB->setCurrentIndex(d.PagPageSizeCB->findText("A5"));
    QTest::mouseClick(d.OkB, Qt::LeftButton);
    const TrpPrintOptions &o = *m_report.PrintOptions();
    EXPECT_TRUE(o.Reverse());
    EXPECT_EQ(o.PrintPages(), ppEven);
    EXPECT_EQ(d.DuplexMode(), 1);
    EXPECT_FALSE(o.Collate());
    EXPECT_EQ(o.PrintMode(), pmScale);
    EXPECT_EQ(o.PrintOnSheet(), 11);

    // Back to the default mode: the sheet list resets and is disabled.
    TrpPrintDialog again(m_report, &m_pages);
    EXPECT_EQ(again.PagPageSizeCB->currentText(), "A5");
    again.PrintModeCB->setCurrentIndex(pmDefault);
    again.PrintModeCBClick();
    EXPECT_EQ(again.PagPageSizeCB->currentIndex(), 0);
    EXPECT_FALSE(again.PagPageSizeCB->isEnabled());
}

TEST_F(PrintDialog, SwitchingPrintersKeepsAnOfferedSheet)
{
    TrpPrintDialog d(m_report, &m_pages);
    d.PrintModeCB->setCurrentIndex(pmJoin);
    d.PrintModeCBClick();
    d.PagPageSizeCB->setCurrentIndex(d.PagPageSizeCB->findText("A5"));
    selectPrinter(d, "Capture");
    EXPECT_EQ(currentPrinter(), "Capture");
    EXPECT_EQ(d.PagPageSizeCB->currentText(), "A5");
    EXPECT_GE(d.PagPageSizeCB->findText("A3"), 0);
    d.PagPageSizeCB->setCurrentIndex(d.PagPageSizeCB->findText("A3"));
    selectPrinter(d, "Laser");  // has no A3
    EXPECT_EQ(d.PagPageSizeCB->currentIndex(), 0);
}

TEST_F(PrintDialog, CancelRestoresThePrinterAndTheOptions)
{
    m_report.PrintOptions()->SetCopies(2);
    TrpPrintDialog d(m_report, &m_pages);
    selectPrinter(d, "Capture");
    d.CopiesE->setText("7");
    QTest::mouseClick(d.CancelB, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(currentPrinter(), "Laser");
    EXPECT_EQ(m_report.PrintOptions()->Copies(), 2);
}

TEST_F(PrintDialog, OkKeepsTheChosenPrinter)
{
    TrpPrintDialog d(m_report, &m_pages);
    selectPrinter(d, "Capture");
    QTest::mouseClick(d.OkB, Qt::LeftButton);
    EXPECT_EQ(currentPrinter(), "Capture");
}

TEST_F(PrintDialog, PrintToFileAsksForTheFile)
{
    {
        SCOPED_TRACE("cancelled");
        test::ScriptedMessageBoxes boxes;
        boxes.answerSaveFile(std::nullopt);
        m_report.PrintOptions()->SetCopies(2);
        TrpPrintDialog d(m_report, &m_pages);
        selectPrinter(d, "Capture");
        d.FileCB->setChecked(true);
        d.CopiesE->setText("5");
        QTest::mouseClick(d.OkB, Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(currentPrinter(), "Laser");
        EXPECT_EQ(m_report.PrintOptions()->Copies(), 2);
        EXPECT_EQ(boxes.calls().at(0).request.caption, "Print To File");
    }
    {
        SCOPED_TRACE("chosen");
        test::ScriptedMessageBoxes boxes;
        boxes.answerSaveFile(QStringLiteral("/tmp/out/bill.pdf"));
        TrpPrintDialog d(m_report, &m_pages);
        d.FileCB->setChecked(true);
        QTest::mouseClick(d.OkB, Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(rpPrinters().GetCurrentPrinter()->OutputFileName(), "/tmp/out/bill.prn");
    }
    {
        SCOPED_TRACE("the next OK without it empties the file");
        TrpPrintDialog d(m_report, &m_pages);
        QTest::mouseClick(d.OkB, Qt::LeftButton);
        EXPECT_TRUE(rpPrinters().GetCurrentPrinter()->OutputFileName().isEmpty());
    }
}

TEST_F(PrintDialog, PrintingShowsTheDialogAndItsCancelStopsThePrint)
{
    installPrintDialog();
    m_pages.pages.push_back(std::make_unique<TrpReportPage>(nullptr));
    m_report.PrintOptions()->SetShowDialog(true);
    // The dialog runs modally: answer it once it shows.
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<TrpPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->CancelB->click();
    });
    EXPECT_FALSE(TrpPagesPrinter(m_pages).Print());
    SetPrintDialogRunner({});
}

TEST_F(PrintDialog, PropertiesChooseThePaperSource)
{
    rpPrinters().SetPrinterIndex(rpPrinters().IndexOf("Capture"));
    TrpCustomPrinter &printer = *rpPrinters().GetCurrentPrinter();
    printer.ApplyPaperForView(11, false, 0, 0);
    TrpPrinterProperties props(printer);
    EXPECT_EQ(props.PaperCB->currentText(), "A5");
    EXPECT_FALSE(props.PaperCB->isEnabled());
    EXPECT_EQ(props.ResolutionV->text(), "600 x 600 dpi");
    EXPECT_EQ(props.SourceCB->currentText(), "Default");
    props.SourceCB->setCurrentIndex(props.SourceCB->findData(2));  // the lower tray
    EXPECT_EQ(props.ChosenBin(), 2);

    // Through the print dialog's button: OK sets the printer's bin,
    // Cancel leaves it.
    installPrintDialog();
    TrpPrintDialog d(m_report, &m_pages);
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        QTimer::singleShot(0, [ok] {
            auto *w = qobject_cast<TrpPrinterProperties *>(QApplication::activeModalWidget());
            ASSERT_NE(w, nullptr);
            w->SourceCB->setCurrentIndex(w->SourceCB->findData(ok ? 2 : 1));
            (ok ? w->OkB : w->CancelB)->click();
        });
        d.PropButton->click();
        EXPECT_EQ(printer.ChosenBin(), 2);
    }
    SetPrintDialogRunner({});
    SetPrinterPropertiesDialog({});
}

// Writes docs/screenshots/print-dialog.png when BRALVO_SCREENSHOT_DIR is set.
TEST_F(PrintDialog, Screenshot)
{
    const QString dir = qEnvironmentVariable("BRALVO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
    // In the program's shipped Slovak texts.
    GetResources().LoadFromFile(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.flng"));
    TrpPrintDialog d(m_report, &m_pages);
    d.show();
    QTest::qWait(200);
    EXPECT_TRUE(d.grab().save(QDir(dir).filePath("print-dialog.png")));
    GetResources().LoadEnglish();
}

} // namespace
