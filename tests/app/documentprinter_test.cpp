// The bill windows' printer as the program installs it: the printed bill
// reads the bill editor's state, the bill list report reads the list's
// values for its own names only.
#include "app/billprintvalues.h"
#include "app/billprinting.h"
#include "app/documentprinter.h"
#include "app/reportlayouts.h"
#include "app/tffaktura.h"
#include "platform/widgets/stringgrid.h"
#include "report/model/trpreport.h"
#include "tests/app/recordsfixture.h"

#include <QComboBox>
#include <QLabel>

using namespace bralvo;

namespace {

class DocumentPrinting : public test::RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        m_savedShower = app::reportShower();
        sql("INSERT INTO faktury (ID, cislo, typ, datum_vystavenia, id_uzivatel, existuje) "
            "VALUES (5, 'BR0900005', 1, '2009-03-05', 1, 1)");
        app::reportShower() = [this](report::TrpReport &r) {
            for (const QString &name : asked) {
                platform::Variant v(QStringLiteral("<untouched>"));
                r.OnGetValue(name, v);
                answers << v.toString();
            }
        };
    }
    void TearDown() override
    {
        app::reportShower() = m_savedShower;
        RecordsFixture::TearDown();
    }
    app::ReportShower m_savedShower;
    QStringList asked, answers;
};

TEST_F(DocumentPrinting, PrintedBillReadsTheEditor)
{
    ASSERT_NE(app::billPrinter(), nullptr);
    auto *editor = dynamic_cast<app::TfFaktura *>(m_main->findChild<QWidget *>("fFaktura"));
    ASSERT_NE(editor, nullptr);
    editor->lblSumaKUhrade->setText(QStringLiteral("1 190,00 Sk"));
    editor->sgPolozky->setRowCount(3);
    editor->sgPolozky->setCell(1, 1, QStringLiteral("Stôl dubový"));
    asked = {"db_cislo", "datum_vystavenia", "suma_kuhrade", "s_nazov", "unknown"};
    app::PrintStoredBill(QStringLiteral("5"));
    EXPECT_EQ(answers, QStringList({"BR0900005", "05.03.2009", "1 190,00 Sk", "Stôl dubový", "<untouched>"}));
    EXPECT_EQ(app::CollectBillPrintData(*editor).sumaKUhrade, "1 190,00 Sk");
}

TEST_F(DocumentPrinting, BillListReportTakesTheListsValues)
{
    app::BillListPrintout list;
    list.recordCount = 2;
    list.value = [](const QString &name, int record) {
        return name == QLatin1String("db_cislo") ? QStringLiteral("F%1").arg(record + 1) : QString();
    };
    asked = {"db_cislo", "datum_od", "Date", "unknown"};
    app::PrintBillList(list);
    EXPECT_EQ(answers, QStringList({"F1", "", "<untouched>", "<untouched>"}));
}

} // namespace
