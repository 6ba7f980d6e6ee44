// The payments window driven offscreen: the paid flag follows the user's
// ticks and saved payments only, payments are added and deleted, and a
// receipt is shown with the window's values.
#include "app/appstate.h"
#include "app/reportlayouts.h"
#include "app/tfuhrady.h"
#include "platform/widgets/stringgrid.h"
#include "report/model/trpreport.h"
#include "services/settings.h"
#include "services/uitexts.h"
#include "tests/app/recordsfixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace bralvo;
using app::TfUhrady;

namespace {

class PaymentsWindow : public test::RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        sql("INSERT INTO odberatelia (ID, nazov, ico, existuje) VALUES (9, 'Odberateľ Ľubo', '456', 1)");
        sql("INSERT INTO faktury (ID, cislo, vs, typ, datum_vystavenia, datum_splatnosti, id_odberatel, id_uzivatel, "
            "suma_celkom, suma_kuhrade, kurz, uhradena, existuje, domaca_menaZobr, domaca_menaIso, hlavna_mena) "
            "VALUES (7, 'BR0900007', '0900007', 1, '2009-03-05', '2009-03-15', 9, 1, 3012.6, 3012.6, 1, 0, 1, "
            "'Sk', 'SKK', 'Sk')");
        m_savedShower = app::reportShower();
        window = app::PaymentsWindowOf(*m_main);
        ASSERT_NE(window, nullptr);
        window->PaymentBillId = QStringLiteral("7");
        window->bitClearValuesClick();
    }
    void TearDown() override
    {
        app::reportShower() = m_savedShower;
        RecordsFixture::TearDown();
    }
    static QString paidFlag() { return value("SELECT uhradena FROM faktury WHERE id = 7"); }
    static QString paymentCount() { return value("SELECT COUNT(*) FROM uhrady WHERE id_faktura = 7"); }

    TfUhrady *window = nullptr;
    app::ReportShower m_savedShower;
};

TEST_F(PaymentsWindow, ProgrammaticTicksLeaveTheStoredFlag)
{
    EXPECT_EQ(window->lblZostavaUhradit->text(), "3 012,60 Sk");
    EXPECT_FALSE(window->chbFakturaJeUhradena->isChecked());
    window->eSumaDomaca->clear();
    QTest::keyClicks(window->eSumaDomaca, "3012,60");
    EXPECT_TRUE(window->chbFakturaJeUhradena->isChecked());
    EXPECT_EQ(paidFlag(), "0");  // Esc now would leave the bill unpaid

    window->chbFakturaJeUhradena->click();  // the user's own clicks are stored
    EXPECT_EQ(paidFlag(), "0");
    window->chbFakturaJeUhradena->click();
    EXPECT_EQ(paidFlag(), "1");
    window->bitClearValuesClick();  // reloading shows the stored state
    EXPECT_TRUE(window->chbFakturaJeUhradena->isChecked());
    EXPECT_EQ(paidFlag(), "1");
}

TEST_F(PaymentsWindow, AddingTheOpenAmountAsksAndStoresTheFlag)
{
    window->eKurz->setText(QStringLiteral("0"));  // also recomputes the amount
    // The amount arrives without the window's own tick, so the question
    // is asked.
    {
        const QSignalBlocker quiet(window->eSumaDomaca);
        window->eSumaDomaca->setText(QStringLiteral("3 012,60"));
    }
    m_boxes.answerBox(platform::kIdYes);
    window->bitAddUhradu->click();
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_EQ(shownTexts().at(0), services::MessageText(222));
    EXPECT_EQ(paymentCount(), "1");
    EXPECT_EQ(paidFlag(), "1");
    EXPECT_EQ(value("SELECT kurz FROM uhrady WHERE id_faktura = 7"), "1");
    EXPECT_EQ(window->sgUhrady->cell(1, 1), "3 012,60 Sk");
    EXPECT_EQ(window->lblZostavaUhradit->text(), "0,00 Sk");
}

TEST_F(PaymentsWindow, APartPaymentLeavesTheBillUnpaidAndDeletes)
{
    window->eSumaDomaca->setText(QStringLiteral("12,50"));
    window->bitAddUhradu->click();
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(paymentCount(), "1");
    EXPECT_EQ(paidFlag(), "0");
    EXPECT_EQ(window->lblZostavaUhradit->text(), "3 000,10 Sk");

    window->sgUhrady->setCurrentRowIndex(1);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    window->bitDeleteUhradu->click();
    EXPECT_EQ(paymentCount(), "0");
    EXPECT_EQ(shownTexts().last(), services::MessageText(223));
    EXPECT_EQ(window->sgUhrady->currentRowIndex(), 1);  // the empty last row
}

TEST_F(PaymentsWindow, ReceiptShowsTheWindowsValues)
{
    window->eSumaDomaca->setText(QStringLiteral("1 234,25"));
    window->bitAddUhradu->click();
    window->sgUhrady->setCurrentRowIndex(1);

    QStringList shown;
    app::reportShower() = [&](report::TrpReport &report) {
        for (const char *name : {"udb_suma", "udb_slovom", "db_vs1", "db_firmao", "prijmovy"}) {
            platform::Variant v;
            report.OnGetValue(QString::fromLatin1(name), v);
            shown << v.toString();
        }
        shown << (&report == &window->twoReceiptsReport() ? "two" : "one");
    };
    window->bitTlacitUhradu->click();
    EXPECT_EQ(shown, QStringList({"1 234,25 Sk", "jedentisícdvestotridsaťštyri 25/100", "0900007",
                                  "Odberateľ Ľubo", "Príjmový doklad", "one"}));

    shown.clear();
    services::WriteSettingBool("Faktura", "PrijmovyAT", false);
    window->chbVytlacit2Sucasne->click();
    m_boxes.answerText(QStringLiteral("PD-1"));
    m_boxes.answerText(std::nullopt);  // the purpose box cancelled
    window->bitTlacitUhradu->click();
    EXPECT_EQ(shown.at(2), "PD-1");
    EXPECT_EQ(shown.last(), "two");
    EXPECT_TRUE(services::ReadSettingBool("Faktura", "Vytlacit2Sucasne", false));
    EXPECT_EQ(app::ReceiptPurpose, "");
}

TEST_F(PaymentsWindow, NoReceiptWithoutAPayment)
{
    bool shown = false;
    app::reportShower() = [&](report::TrpReport &) { shown = true; };
    window->sgUhrady->setCurrentRowIndex(1);  // the empty row of a bill without payments
    window->bitTlacitUhradu->click();
    EXPECT_FALSE(shown);
}

} // namespace
