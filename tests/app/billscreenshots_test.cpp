// Screenshots of the bill list and of the editor with a filled bill,
// taken only when BRALVO_SCREENSHOT_DIR names a folder (run under
// xvfb-run for real rendering).
#include "tests/app/billsfixture.h"

#include "platform/messageboxseam.h"
#include "tests/support/screenshotfolder.h"

#include <QTest>

namespace bralvo::test {
namespace {

class BillScreenshots : public BillsFixture {
protected:
    void SetUp() override
    {
        if (!m_shots.wanted())
            GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
        BillsFixture::SetUp();
    }
    void save(QWidget &window, const QString &name) { m_shots.save(window, name); }
    test::ScreenshotFolder m_shots;
};

TEST_F(BillScreenshots, BillListAndFilledBill)
{
    addBill("BR" + m_year.right(2) + "00001", 1, 1190, 1190);
    addBill("BR" + m_year.right(2) + "00002", 1, 238, 0, 1);
    addBill("BR" + m_year.right(2) + "00003", 1, 59.5, -10.5);
    m_main->showMaximized();
    app::TfZoznamFaktur &list = openList();
    save(*m_main, "bill-list.png");
    onModal("fFaktura", [&](QWidget &) {
        app::TfFaktura &bill = editor();
        bill.cbOdberatel->setCurrentIndex(bill.cbOdberatel->findText("O'Neil s.r.o. - 12345678"));
        bill.cbOdberatelClick();
        onModal("fVyber", [&](QWidget &) {
            picker().cbPolozka->setCurrentIndex(0);
            picker().cbPolozkaClick();
            picker().ePocet->setText("4");
            picker().bitAddItemClick();
        });
        bill.bitAddItemClick();
        onModal("fSimplePolozka", [&](QWidget &) {
            simpleLine().eNazov->setText(QString::fromUtf8("Montáž"));
            simpleLine().eMJ->setText("hod");
            simpleLine().ePocet->setText("3");
            simpleLine().eCena->setText("25");
            simpleLine().bitAddItemClick();
        });
        bill.bitAddSimpleItemClick();
        save(bill, "bill-editor.png");
        m_boxes.answerBox(platform::kIdYes);
        bill.reject();
    });
    list.bitPridatFakturuClick();
}

} // namespace
} // namespace bralvo::test
