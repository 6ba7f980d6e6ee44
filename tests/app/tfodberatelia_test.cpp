// The customers window driven offscreen: opening from the menu, adding,
// changing, deleting, the required name, the currency pairs, the accounts
// and notes buttons with their rights, the map search, and closing.
#include "app/tfmain.h"
#include "app/tfmenu.h"
#include "app/tfodberatelia.h"
#include "db/accountscope.h"
#include "db/customers.h"
#include "services/globals.h"
#include "services/uitexts.h"
#include "tests/app/modalhelper.h"
#include "tests/app/recordsfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>

using namespace bralvo;
using app::TfOdberatelia;

namespace {

// Stands in for the browser: records every URL handed to the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler("https", this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler("https"); }
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class CustomersWindowTest : public test::RecordsFixture {
protected:
    TfOdberatelia &open()
    {
        m_main->menuSpravaOdberatelovClick();
        auto *window = m_main->findChild<TfOdberatelia *>("fOdberatelia");
        if (!window)
            throw std::runtime_error("customers window not open");
        return *window;
    }
    QLineEdit &field(TfOdberatelia &w, const char *name) { return child<QLineEdit>(w, name); }
    void click(TfOdberatelia &w, const char *name) { child<QPushButton>(w, name).click(); }
    static QStringList listed(const QListWidget &list)
    {
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.item(i)->text();
        return names;
    }
    // Types a customer and saves it, answering the success box.
    void addCustomer(TfOdberatelia &w, const QString &name, const QString &city)
    {
        field(w, "eNazov").setText(name);
        field(w, "eMesto").setText(city);
        m_boxes.answerBox(platform::kIdOk);
        click(w, "bitAddOdberatel");
    }
    static void leave(QWidget &control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&control, &out);
    }
};

TEST_F(CustomersWindowTest, MenuOpensMaximisedMdiChildInPlaceOfStartMenu)
{
    TfOdberatelia &w = open();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.windowTitle(), services::MessageText(146));
    ASSERT_TRUE(w.parentWidget());
    EXPECT_TRUE(w.parentWidget()->isMaximized());
    EXPECT_EQ(m_main->startMenu(), nullptr);
    EXPECT_EQ(child<QComboBox>(w, "cbJazyk").itemText(0), "");
    // A second menu click keeps the one window.
    m_main->menuSpravaOdberatelovClick();
    EXPECT_EQ(m_main->findChildren<QWidget *>("fOdberatelia").size(), 1);
}

TEST_F(CustomersWindowTest, AddsThenChangesCustomerAfterQuestion)
{
    TfOdberatelia &w = open();
    addCustomer(w, "O'Neil s.r.o.", "Nitra");
    EXPECT_EQ(shownTexts(), QStringList{QString::fromUtf8("Odberateľ \"O'Neil s.r.o.\" bol úspešne pridaný.")});
    EXPECT_EQ(m_boxes.boxes().back().flags, 64);
    EXPECT_EQ(listed(*w.lbOdberatelia), QStringList{"O'Neil s.r.o."});
    EXPECT_EQ(field(w, "eNazov").text(), "");  // cleared for the next one
    EXPECT_EQ(field(w, "eMesto").text(), "");

    w.lbOdberatelia->setCurrentRow(0);
    w.lbOdberateliaClick();
    EXPECT_EQ(field(w, "eMesto").text(), "Nitra");
    field(w, "eMesto").setText("Trnava");
    m_boxes.answerBox(platform::kIdYes);  // overwrite?
    m_boxes.answerBox(platform::kIdOk);
    click(w, "bitAddOdberatel");
    ASSERT_EQ(m_boxes.boxes().size(), 3u);
    EXPECT_EQ(m_boxes.boxes()[1].text, services::MessageText(147));
    EXPECT_EQ(m_boxes.boxes()[2].text, QString::fromUtf8("Odberateľ \"O'Neil s.r.o.\" bol úspešne zmenený."));
    EXPECT_EQ(value("SELECT mesto FROM odberatelia WHERE existuje = 1 AND nazov = 'O''Neil s.r.o.'"), "Trnava");
}

TEST_F(CustomersWindowTest, DecliningOverwriteChangesNothingAndShowsNoSuccess)
{
    TfOdberatelia &w = open();
    addCustomer(w, "Alfa", "Nitra");
    field(w, "eNazov").setText("Alfa");
    field(w, "eMesto").setText("Trnava");
    m_boxes.answerBox(platform::kIdNo);
    click(w, "bitAddOdberatel");
    EXPECT_EQ(shownTexts().size(), 2);
    EXPECT_EQ(value("SELECT mesto FROM odberatelia WHERE existuje = 1 AND nazov = 'Alfa'"), "Nitra");
    EXPECT_EQ(field(w, "eMesto").text(), "Trnava");  // the typing stays
}

TEST_F(CustomersWindowTest, EmptyNameIsRefusedWithFocusOnName)
{
    TfOdberatelia &w = open();
    QTest::qWait(20);
    w.bitAddOdberatel->setFocus();
    m_boxes.answerBox(platform::kIdOk);
    click(w, "bitAddOdberatel");
    EXPECT_EQ(shownTexts(), QStringList{services::MessageText(107)});
    EXPECT_EQ(m_boxes.boxes()[0].flags, 48);
    EXPECT_EQ(QApplication::focusWidget(), w.eNazov);
    EXPECT_EQ(value("SELECT COUNT(*) FROM odberatelia"), "0");
}

TEST_F(CustomersWindowTest, DeleteAsksAndKeepsTheSelectionInPlace)
{
    TfOdberatelia &w = open();
    for (const char *name : {"Alfa", "Beta", "Gama"})
        addCustomer(w, name, "Nitra");
    m_boxes.answerBox(platform::kIdOk);
    click(w, "bitDeleteOdberatel");  // nothing selected
    EXPECT_EQ(shownTexts().back(), services::MessageText(150));

    w.lbOdberatelia->setCurrentRow(2);
    m_boxes.answerBox(platform::kIdNo);
    click(w, "bitDeleteOdberatel");
    EXPECT_EQ(listed(*w.lbOdberatelia).size(), 3);

    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    click(w, "bitDeleteOdberatel");
    EXPECT_EQ(m_boxes.boxes().back().text, QString::fromUtf8("\"Gama\" bol úspešne zmazaný."));
    EXPECT_EQ(listed(*w.lbOdberatelia), (QStringList{"Alfa", "Beta"}));
    EXPECT_EQ(w.lbOdberatelia->currentRow(), 1);  // clamped to the last
}

TEST_F(CustomersWindowTest, DeletingCustomerOnABillRetiresIt)
{
    TfOdberatelia &w = open();
    addCustomer(w, "Alfa", "Nitra");
    const QString id = value("SELECT id FROM odberatelia WHERE nazov = 'Alfa'");
    sql("INSERT INTO faktury (cislo, id_odberatel, existuje) VALUES ('1', " + id + ", 1)");
    w.lbOdberatelia->setCurrentRow(0);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    click(w, "bitDeleteOdberatel");
    EXPECT_TRUE(listed(*w.lbOdberatelia).isEmpty());
    EXPECT_EQ(value("SELECT existuje FROM odberatelia WHERE id = " + id), "0");
}

TEST_F(CustomersWindowTest, CurrencyCombosStayPairedAndLoseDigits)
{
    TfOdberatelia &w = open();
    struct Case { const char *chosen; int index; const char *other; const char *expected; };
    for (const Case &c : {Case{"cbCudziaMenaZobr", 2, "cbCudziaMenaIso", "EUR"},
                          Case{"cbCudziaMenaIso", 0, "cbCudziaMenaZobr", "Kč"},
                          Case{"cbCudziaMenaIso", 7, "cbCudziaMenaZobr", "CHF"}}) {
        SCOPED_TRACE(c.chosen);
        auto &chosen = child<QComboBox>(w, c.chosen);
        chosen.setCurrentIndex(c.index);
        emit chosen.activated(c.index);
        EXPECT_EQ(child<QComboBox>(w, c.other).currentText(), QString::fromUtf8(c.expected));
    }
    auto &iso = child<QComboBox>(w, "cbCudziaMenaIso");
    iso.setEditText("USD12");
    leave(iso);
    EXPECT_EQ(iso.currentText(), "USD");
}

TEST_F(CustomersWindowTest, LoadsEveryFieldItSaved)
{
    TfOdberatelia &w = open();
    field(w, "eNazov").setText("Alfa");
    field(w, "eICO").setText("123");
    field(w, "eMobil").setText("0905");
    field(w, "eDniSplatnosti").setText("14");
    field(w, "eVS").setText("2024");
    child<QCheckBox>(w, "chbPlatca").setChecked(true);
    child<QCheckBox>(w, "chbFakturovatVCudzejMene").setChecked(true);
    child<QComboBox>(w, "cbCudziaMenaIso").setEditText("EUR");
    w.cbHlavnyUcetEnter();
    w.cbHlavnyUcet->setCurrentIndex(1);  // the demo account
    const QString account = w.cbHlavnyUcet->currentText();
    w.mInternaPoznamka->setPlainText("riadok\n\n");
    m_boxes.answerBox(platform::kIdOk);
    click(w, "bitAddOdberatel");

    w.lbOdberatelia->setCurrentRow(0);
    w.lbOdberateliaClick();
    EXPECT_EQ(field(w, "eICO").text(), "123");
    EXPECT_EQ(field(w, "eMobil").text(), "0905");
    EXPECT_EQ(field(w, "eDniSplatnosti").text(), "14");
    EXPECT_EQ(field(w, "eVS").text(), "2024");
    EXPECT_TRUE(child<QCheckBox>(w, "chbPlatca").isChecked());
    EXPECT_TRUE(child<QCheckBox>(w, "chbFakturovatVCudzejMene").isChecked());
    EXPECT_EQ(child<QComboBox>(w, "cbCudziaMenaIso").currentText(), "EUR");
    EXPECT_FALSE(account.isEmpty());
    EXPECT_EQ(w.cbHlavnyUcet->currentText(), account);
    EXPECT_EQ(w.mInternaPoznamka->toPlainText(), "riadok");  // trailing empty lines trimmed
}

TEST_F(CustomersWindowTest, CustomerAccountsNeedASavedCustomerAndEndInOwnScope)
{
    TfOdberatelia &w = open();
    field(w, "eNazov").setText("Nikto");
    {
        test::NoModalExpected none;
        click(w, "bitSpravaUctovOdb");
        QTest::qWait(30);
    }
    addCustomer(w, "Alfa", "Nitra");
    const QString id = value("SELECT id FROM odberatelia WHERE nazov = 'Alfa'");
    field(w, "eNazov").setText("Alfa");
    QString scopeSeen;
    QString windowSeen;
    test::onNextModal([&](QWidget &modal) {
        windowSeen = modal.objectName();
        scopeSeen = db::AccountFilter();
        modal.close();
    });
    click(w, "bitSpravaUctovOdb");
    EXPECT_EQ(windowSeen, "fUcty");
    EXPECT_EQ(scopeSeen, "(id_odberatel = " + id + ") AND (je_uzivatelsky = 0)");
    EXPECT_EQ(db::AccountFilter(), "(je_uzivatelsky = 1)");
}

TEST_F(CustomersWindowTest, AccountsAndNotesOfTheUserNeedTheSettingsRight)
{
    TfOdberatelia &w = open();
    loginUserWithoutRights();
    test::NoModalExpected none;
    for (const char *name : {"bitSpravaUctovUziv", "bitSpravaPoznamok"}) {
        SCOPED_TRACE(name);
        m_boxes.answerBox(platform::kIdOk);
        click(w, name);
        EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(133));
        EXPECT_EQ(m_boxes.boxes().back().flags, 48);
    }
    EXPECT_EQ(m_boxes.boxes().size(), 2u);
}

TEST_F(CustomersWindowTest, MapSearchEncodesTheAddress)
{
    EXPECT_EQ(app::MapSearchUrl("Nitra, Hlavná 5 & 7#b"),
              "https://maps.google.com/maps?f=q&q=Nitra%2C%20Hlavn%C3%A1%205%20%26%207%23b");
    TfOdberatelia &w = open();
    UrlRecorder browser;
    field(w, "eMesto").setText("Nitra");
    field(w, "eUlica").setText("Hlavná 5 & 7#b");
    click(w, "bMapa1");
    click(w, "bMapa2");
    ASSERT_EQ(browser.opened.size(), 2);
    EXPECT_EQ(browser.opened[0].host(), "maps.google.com");
    EXPECT_EQ(browser.opened[0].path(), "/maps");
    EXPECT_EQ(QUrlQuery(browser.opened[0]).queryItemValue("q", QUrl::FullyDecoded), "Nitra, Hlavná 5 & 7#b");
    EXPECT_EQ(QUrlQuery(browser.opened[1]).queryItemValue("q", QUrl::FullyDecoded), "Nitra");
}

TEST_F(CustomersWindowTest, ClosingBringsBackTheStartMenu)
{
    TfOdberatelia &w = open();
    click(w, "btnBack");
    QTest::qWait(20);
    EXPECT_EQ(m_main->findChild<TfOdberatelia *>("fOdberatelia"), nullptr);
    EXPECT_NE(m_main->startMenu(), nullptr);
}

TEST_F(CustomersWindowTest, ReplacingTheWindowLeavesNoStartMenuBesideIt)
{
    open();
    m_main->menuSpravaUzivatelovClick();
    QTest::qWait(20);
    EXPECT_EQ(m_main->startMenu(), nullptr);
    EXPECT_EQ(m_main->findChild<TfOdberatelia *>("fOdberatelia"), nullptr);
}

TEST_F(CustomersWindowTest, EnterAndArrowsMoveThroughTheFields)
{
    TfOdberatelia &w = open();
    QTest::qWait(20);
    w.eNazov->setFocus();
    QTest::keyClick(w.eNazov, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.chbPlatca);
    QTest::keyClick(w.chbPlatca, Qt::Key_Return);
    EXPECT_FALSE(w.chbPlatca->isChecked());  // Enter moves on, never ticks
    EXPECT_EQ(QApplication::focusWidget(), w.eICO);
    QTest::keyClick(w.eICO, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.chbPlatca);

    w.mInternaPoznamka->setFocus();
    w.mInternaPoznamka->setPlainText("a");
    w.mInternaPoznamka->moveCursor(QTextCursor::End);
    QTest::keyClick(w.mInternaPoznamka, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w.mInternaPoznamka->toPlainText(), "a\n");
    EXPECT_EQ(QApplication::focusWidget(), w.mInternaPoznamka);
    QTest::keyClick(w.mInternaPoznamka, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), w.mInternaPoznamka);
    EXPECT_EQ(w.mInternaPoznamka->toPlainText(), "a\n");
}

TEST_F(CustomersWindowTest, PickerOpensItAsModalWindowOfItsOwn)
{
    QString caption;
    bool fromMdi = true;
    test::onNextModal([&](QWidget &modal) {
        caption = modal.objectName() + ": " + modal.windowTitle();
        fromMdi = m_main->mdiArea()->isAncestorOf(&modal);
        modal.findChild<QPushButton *>("btnBack")->click();
    });
    TfOdberatelia::OpenModal(*m_main, {});
    EXPECT_EQ(caption, "fOdberatelia: " + services::ProgramTitle + " - " + services::MessageText(146));
    EXPECT_FALSE(fromMdi);
    QTest::qWait(10);
    EXPECT_EQ(m_main->findChild<QWidget *>("fOdberatelia"), nullptr);
}

} // namespace

#include "tfodberatelia_test.moc"
