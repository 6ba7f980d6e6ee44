// Screenshots of the overview table, the bar chart and the payments
// window, taken only when BRALVO_SCREENSHOT_DIR names a folder (run under
// xvfb-run for real rendering).
#include "app/tftabulky.h"
#include "app/tfuhrady.h"
#include "tests/app/recordsfixture.h"
#include "tests/support/screenshotfolder.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace bralvo;

namespace {

class DocumentScreenshots : public test::RecordsFixture {
protected:
    void SetUp() override
    {
        if (!m_shots.wanted())
            GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
        RecordsFixture::SetUp();
        const char *const customers[] = {"Stôl s.r.o.", "Ľubo Kováč", "Žilinská pekáreň", "Agro Šaľa"};
        for (int c = 0; c < 4; ++c)
            sql(QString("INSERT INTO odberatelia (ID, nazov, ico, existuje) VALUES (%1, '%2', '%1', 1)")
                    .arg(20 + c).arg(QString::fromUtf8(customers[c])));
        for (int i = 0; i < 12; ++i)
            sql(QString("INSERT INTO faktury (cislo, vs, typ, datum_vystavenia, datum_splatnosti, id_odberatel, "
                        "id_uzivatel, suma_celkom, suma_kuhrade, kurz, uhradena, existuje, domaca_menaZobr, hlavna_mena) "
                        "VALUES ('BR09%1', '09%1', 1, '2009-%2-10', '2009-%2-20', %3, 1, %4, %4, 1, %5, 1, 'Sk', 'Sk')")
                    .arg(i + 1, 5, 10, QChar('0')).arg(i % 6 + 1, 2, 10, QChar('0')).arg(20 + i % 4)
                    .arg(1000 + 370 * i).arg(i % 3 == 0 ? 1 : 0));
    }
    void save(QWidget &window, const QString &name) { m_shots.save(window, name, 300); }
    test::ScreenshotFolder m_shots;
};

TEST_F(DocumentScreenshots, OverviewTableBarChartAndPayments)
{
    m_main->showMaximized();
    app::TfTabulky *table = app::TfTabulky::OpenInMdi(*m_main, false);
    table->findChild<QWidget *>("chbCeleObdobief")->setProperty("checked", true);
    table->bitTabulka->click();
    save(*m_main, "overview-table.png");
    table->close();

    app::TfTabulky *chart = app::TfTabulky::OpenInMdi(*m_main, true);
    chart->pgTriedenie->setCurrentIndex(1);
    chart->findChild<QWidget *>("chbCeleObdobieo")->setProperty("checked", true);
    chart->bitGraf->click();
    save(*m_main, "overview-bar-chart.png");
    chart->close();

    app::TfUhrady *payments = app::PaymentsWindowOf(*m_main);
    ASSERT_NE(payments, nullptr);
    payments->PaymentBillId = QStringLiteral("2");
    payments->bitClearValuesClick();
    payments->show();
    save(*payments, "payments-window.png");
    payments->hide();
}

} // namespace
