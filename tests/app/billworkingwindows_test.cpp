// The bill list and the overviews as working windows: closing them by
// button or Esc gives the start menu back and a clean main caption; the
// list's new-bill button follows the kind of bills listed.
#include "tests/app/billsfixture.h"

#include "app/tfmenu.h"
#include "db/billstate.h"
#include "app/tftabulky.h"
#include "services/uitexts.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

namespace bralvo::test {
namespace {

class BillWorkingWindows : public BillsFixture {
protected:
    // Opens the window by its menu item, then closes it by button or key.
    void openAndClose(void (app::TfMain::*menuItem)(), const QString &name, bool byEsc)
    {
        const QString plainCaption = m_main->windowTitle();
        (m_main.get()->*menuItem)();
        QTest::qWait(20);
        QWidget *window = m_main->findChild<QWidget *>(name);
        ASSERT_NE(window, nullptr) << name.toStdString();
        ASSERT_EQ(m_main->startMenu(), nullptr);
        const QString title = window->windowTitle();
        if (byEsc) {
            QWidget *focused = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(focused, Qt::Key_Escape);
        } else {
            child<QPushButton>(*window, "btnBack").click();
        }
        QTest::qWait(30);
        const std::string how = name.toStdString() + (byEsc ? " by Esc" : " by button");
        EXPECT_EQ(m_main->findChild<QWidget *>(name), nullptr) << how;
        for (const QMdiSubWindow *frame : m_main->mdiArea()->subWindowList())
            EXPECT_TRUE(frame->widget() && frame->widget()->objectName() != name) << how << ": frame left";
        EXPECT_NE(m_main->startMenu(), nullptr) << how;
        EXPECT_FALSE(m_main->windowTitle().contains(title)) << how << ": " << m_main->windowTitle().toStdString();
        EXPECT_TRUE(m_main->windowTitle().startsWith(plainCaption)) << how;
    }
};

TEST_F(BillWorkingWindows, ButtonAndEscCloseTheListAndTheOverviews)
{
    for (bool byEsc : {false, true}) {
        openAndClose(&app::TfMain::menuSpravaFakturClick, "fZoznamFaktur", byEsc);
        openAndClose(&app::TfMain::menuPrezrietTabulkyClick, "fTabulky", byEsc);
        openAndClose(&app::TfMain::menuPrezrietGrafyClick, "fTabulky", byEsc);
    }
}

TEST_F(BillWorkingWindows, NewBillButtonFollowsTheKindOfBillsListed)
{
    app::TfZoznamFaktur &list = openList();
    list.rbZoznamZalohovychFaktur->click();
    EXPECT_EQ(list.bitPridatFakturu->text(), services::MessageText(212) + " (F5)");
    EXPECT_TRUE(db::BillIsAdvance);
    list.rbZoznamFaktur->click();
    EXPECT_EQ(list.bitPridatFakturu->text(), services::MessageText(211) + " (F5)");
    EXPECT_FALSE(db::BillIsAdvance);
}

TEST_F(BillWorkingWindows, FilterListsFitTheirLongestNameOnEntering)
{
    sql("INSERT INTO odberatelia (nazov, ico, existuje) VALUES ('" + QString(80, QLatin1Char('W')) + "', '1', 1)");
    app::TfZoznamFaktur &list = openList();
    QApplication::setActiveWindow(m_main.get());
    for (QComboBox *combo : {list.cbVystavil, list.cbOdberatelovi}) {
        combo->setFocus();
        QTest::qWait(5);
        int widest = combo->width();
        for (int i = 0; i < combo->count(); ++i)
            widest = qMax(widest, QFontMetrics(combo->font()).horizontalAdvance(combo->itemText(i)) + 24);
        EXPECT_GE(combo->view()->minimumWidth(), widest) << combo->objectName().toStdString();
    }
    EXPECT_GT(list.cbOdberatelovi->view()->minimumWidth(), list.cbOdberatelovi->width());
}

} // namespace
} // namespace bralvo::test
