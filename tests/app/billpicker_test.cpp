// The item picker and the one-off line window over a shown bill editor:
// they stay above it, Enter never flips their price box (nor its stored
// setting), and the picker's lists drop down and fill as a user expects.
#include "tests/app/billsfixture.h"

#include "platform/messageboxseam.h"
#include "services/settings.h"

#include <QAbstractItemView>
#include <QTest>
#include <QWindow>

namespace bralvo::test {
namespace {

class BillPicker : public BillsFixture {
protected:
    // A new bill shown from the list; inside it the picker (new line) or
    // the one-off window is opened and action runs while that is shown.
    void withLineWindow(bool picker, const std::function<void(app::TfFaktura &, QDialog &)> &action)
    {
        app::TfZoznamFaktur &list = openList();
        bool ran = false;
        onModal("fFaktura", [&](QWidget &) {
            app::TfFaktura &bill = editor();
            onModal(picker ? "fVyber" : "fSimplePolozka", [&](QWidget &window) {
                ran = true;
                auto &dialog = static_cast<QDialog &>(window);
                QApplication::setActiveWindow(&dialog);
                action(bill, dialog);
                dialog.reject();
            });
            picker ? bill.bitAddItemClick() : bill.bitAddSimpleItemClick();
            bill.setModified(false);
            bill.reject();
        });
        list.bitPridatFakturuClick();
        EXPECT_TRUE(ran);
    }
    static void closePopups(app::TfVyber &pick)
    {
        pick.cbKategoria->hidePopup();
        pick.cbPolozka->hidePopup();
        QApplication::setActiveWindow(&pick);
        QTest::qWait(5);
    }
};

TEST_F(BillPicker, PickerAndOneOffWindowStayAboveTheEditor)
{
    for (bool picker : {true, false}) {
        withLineWindow(picker, [&](app::TfFaktura &bill, QDialog &window) {
            ASSERT_NE(window.windowHandle(), nullptr);
            EXPECT_EQ(window.windowHandle()->transientParent(), bill.windowHandle())
                << window.objectName().toStdString();
        });
    }
}

TEST_F(BillPicker, EnterWalksPastThePriceBoxSpaceTicksItAndOnlyThenIsItStored)
{
    for (bool picker : {true, false}) {
        services::WriteSetting("Faktura", "CenySuBezDPH", "");
        withLineWindow(picker, [&](app::TfFaktura &, QDialog &window) {
            const std::string name = window.objectName().toStdString();
            auto &box = child<QCheckBox>(window, "chbCenySuBezDPH");
            ASSERT_TRUE(box.isVisible()) << name;
            ASSERT_TRUE(box.isChecked()) << name;
            if (picker)
                closePopups(static_cast<app::TfVyber &>(window));
            box.setFocus();
            QTest::keyClick(&box, Qt::Key_Return);
            EXPECT_TRUE(box.isChecked()) << name;
            EXPECT_NE(QApplication::focusWidget(), &box) << name;
            EXPECT_EQ(services::ReadSetting("Faktura", "CenySuBezDPH", "<unwritten>"), "") << name;
            box.setFocus();
            QTest::keyClick(&box, Qt::Key_Space);
            EXPECT_FALSE(box.isChecked()) << name;
            EXPECT_FALSE(services::ReadSettingBool("Faktura", "CenySuBezDPH", true)) << name;
        });
    }
}

TEST_F(BillPicker, ListToChooseFromDropsDownOnceTheWindowShows)
{
    for (bool withCategory : {false, true}) {
        if (withCategory)
            sql("INSERT INTO kategorie_poloziek (nazov) VALUES ('Nábytok')");
        withLineWindow(true, [&](app::TfFaktura &, QDialog &window) {
            auto &pick = static_cast<app::TfVyber &>(window);
            QTest::qWait(150);
            QComboBox *dropped = withCategory ? pick.cbKategoria : pick.cbPolozka;
            EXPECT_TRUE(dropped->view()->isVisible()) << withCategory;
            closePopups(pick);
        });
    }
}

TEST_F(BillPicker, AllCategoriesFillTheItemsOnTheFirstClickAndEnterWalksOn)
{
    sql("INSERT INTO kategorie_poloziek (nazov) VALUES ('Nábytok')");
    sql("INSERT INTO polozky (kod, nazov, id_kategoria, merna_jednotka, dph, cena, za_mj, interna_poznamka, existuje) "
        "VALUES ('L1', 'Lampa', NULL, 'ks', 19, 30, 1, '', 1)");
    withLineWindow(true, [&](app::TfFaktura &, QDialog &window) {
        auto &pick = static_cast<app::TfVyber &>(window);
        QTest::qWait(100);
        closePopups(pick);
        ASSERT_EQ(pick.cbKategoria->currentIndex(), 0);
        QTest::mouseClick(pick.cbPolozka, Qt::LeftButton);
        QTest::qWait(20);
        EXPECT_TRUE(pick.cbPolozka->view()->isVisible());
        EXPECT_GE(pick.cbPolozka->findText(QString::fromUtf8("Stôl")), 0);
        closePopups(pick);

        // The item shown and its fields stay together.
        pick.cbPolozka->setCurrentIndex(pick.cbPolozka->findText(QString::fromUtf8("Stôl")));
        pick.cbPolozkaClick();
        ASSERT_EQ(pick.eKod->text(), "K1");
        pick.cbKategoria->setFocus();
        QTest::keyClick(pick.cbKategoria, Qt::Key_Return);
        EXPECT_TRUE(pick.cbPolozka->view()->isVisible());
        EXPECT_EQ(pick.cbPolozka->currentText(), "Lampa");
        EXPECT_EQ(pick.eKod->text(), "L1");
        EXPECT_EQ(pick.focusWidget(), pick.cbPolozka);
        closePopups(pick);
        pick.cbPolozka->setFocus();
        QTest::keyClick(pick.cbPolozka, Qt::Key_Return);
        EXPECT_EQ(pick.focusWidget(), pick.ePocet);
    });
}

} // namespace
} // namespace bralvo::test
