// The accounts and notes windows driven offscreen: opening from the menu
// (rights, scope, caption), saving with the required fields and the
// overwrite question, loading from the list, deleting with its messages
// and the selection stepping, and the memo keys.
#include "app/tfmain.h"
#include "app/tfpoznamky.h"
#include "app/tfucty.h"
#include "db/accountscope.h"
#include "db/currentuser.h"
#include "platform/inifile.h"
#include "services/globals.h"
#include "services/uitexts.h"
#include "tests/app/modalhelper.h"
#include "tests/app/usersfixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace bralvo;
using app::TfPoznamky;
using app::TfUcty;

namespace {

class AccountsWindowTest : public test::UsersFixture {
protected:
    TfUcty &accounts()
    {
        if (!m_main)
            start();
        TfUcty *window = app::AccountsWindowOf(*m_main);
        if (!window)
            throw std::runtime_error("no accounts window");
        window->RefreshAccountList();
        window->bitClearValuesClick();
        return *window;
    }
    TfPoznamky &notes()
    {
        if (!m_main)
            start();
        TfPoznamky *window = app::NotesWindowOf(*m_main);
        if (!window)
            throw std::runtime_error("no notes window");
        window->RefreshNoteList();
        window->bitClearValuesClick();
        return *window;
    }
    void addAccount(TfUcty &w, const QString &name, const QString &number)
    {
        w.eNazov->setText(name);
        w.eCisloUctu->setText(number);
        w.bitAddAccount->click();
    }
    static QStringList items(const QListWidget &list)
    {
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.item(i)->text();
        return names;
    }
    QString lastBox() const
    {
        const auto boxes = m_boxes.boxes();
        return boxes.empty() ? QString() : boxes.back().text;
    }
};

TEST_F(AccountsWindowTest, MenuOpensTheOwnAccountsModallyWithItsCaption)
{
    start();
    sql("INSERT INTO ucty (nazov, cislo_uctu, je_uzivatelsky, id_odberatel, existuje) VALUES ('Firemný', '1', 1, NULL, 1)");
    sql("INSERT INTO ucty (nazov, cislo_uctu, je_uzivatelsky, id_odberatel, existuje) VALUES ('Zákaznícky', '2', 0, 7, 1)");
    db::SetCustomerAccountScope("7");
    QString caption;
    QStringList shown;
    test::onNextModal([&](QWidget &window) {
        caption = window.windowTitle();
        shown = items(*static_cast<TfUcty &>(window).lbUcty);
        window.close();
    });
    m_main->menuItem("menuSpravaUctov")->trigger();
    EXPECT_EQ(caption, services::ProgramTitle + " - " + services::MessageText(127));
    EXPECT_EQ(shown, QStringList{"Firemný"});
    EXPECT_EQ(db::AccountFilter(), "(je_uzivatelsky = 1)");

    test::onNextModal([&](QWidget &window) {
        caption = window.windowTitle();
        window.close();
    });
    m_main->menuItem("menuSpravaPoznamok")->trigger();
    EXPECT_EQ(caption, services::ProgramTitle + " - " + services::MessageText(134));
}

TEST_F(AccountsWindowTest, MenuRefusesWithoutTheSettingsRight)
{
    start();
    addPlainUser("Jozef", "jozef");
    addPlainUser("Anna", "anna");
    db::SetCurrentUser("jozef");
    test::NoModalExpected noWindow;
    for (const char *item : {"menuSpravaUctov", "menuSpravaPoznamok"}) {
        m_boxes.answerBox(platform::kIdOk);
        m_main->menuItem(item)->trigger();
        EXPECT_EQ(lastBox(), services::MessageText(133)) << item;
        EXPECT_EQ(m_boxes.boxes().back().flags, 48);
    }
}

TEST_F(AccountsWindowTest, CustomerScopeShowsAndStoresThatCustomersAccounts)
{
    start();
    db::SetCustomerAccountScope("7");
    TfUcty &w = accounts();
    addAccount(w, "Zákaznícky", "999");
    EXPECT_EQ(items(*w.lbUcty), QStringList{"Zákaznícky"});
    EXPECT_EQ(value("SELECT je_uzivatelsky || '/' || id_odberatel FROM ucty WHERE nazov = 'Zákaznícky'"), "0/7");
    db::SetOwnAccountScope();
    w.RefreshAccountList();
    EXPECT_EQ(w.lbUcty->count(), 0);
}

TEST_F(AccountsWindowTest, SavingAccountsChecksFieldsAndAsksBeforeOverwriting)
{
    TfUcty &w = accounts();
    m_main->show();
    QApplication::setActiveWindow(&w);
    m_boxes.answerBox(platform::kIdOk);
    addAccount(w, "", "123");
    EXPECT_EQ(lastBox(), services::MessageText(129));
    m_boxes.answerBox(platform::kIdOk);
    addAccount(w, "Hlavný", "");
    EXPECT_EQ(lastBox(), services::MessageText(130));
    EXPECT_EQ(w.lbUcty->count(), 0);

    w.eNazovBanky->setText("Banka");
    w.eIban->setText("SK00");
    w.mInternaPoznamka->setPlainText("poznámka\n\n");
    addAccount(w, "Hlavný", "123");
    EXPECT_EQ(items(*w.lbUcty), QStringList{"Hlavný"});
    EXPECT_EQ(w.eNazov->text(), "");  // cleared after saving
    EXPECT_EQ(value("SELECT nazov_banky || cislo_uctu || iban || interna_poznamka FROM ucty"), "Banka123SK00poznámka");

    m_boxes.answerBox(platform::kIdNo);
    addAccount(w, "Hlavný", "456");
    EXPECT_EQ(lastBox(), services::MessageText(131));
    EXPECT_EQ(w.eCisloUctu->text(), "456");  // a refused save keeps what was typed
    EXPECT_EQ(value("SELECT cislo_uctu FROM ucty WHERE existuje = 1"), "123");
    m_boxes.answerBox(platform::kIdYes);
    addAccount(w, "Hlavný", "456");
    EXPECT_EQ(value("SELECT group_concat(cislo_uctu) FROM ucty WHERE existuje = 1"), "456");
}

TEST_F(AccountsWindowTest, ClickingAnEntryLoadsIt)
{
    TfUcty &w = accounts();
    w.eSwift->setText("TATRSKBX");
    addAccount(w, "Hlavný", "123");
    w.lbUcty->setCurrentRow(0);
    w.lbUctyClick();
    EXPECT_EQ(w.eNazov->text(), "Hlavný");
    EXPECT_EQ(w.eCisloUctu->text(), "123");
    EXPECT_EQ(w.eSwift->text(), "TATRSKBX");
    // No entry selected (a click beside the items): nothing is loaded.
    w.bitClearValuesClick();
    w.lbUcty->clearSelection();
    w.lbUctyClick();
    EXPECT_EQ(w.eNazov->text(), "");
}

TEST_F(AccountsWindowTest, DeletingStepsTheSelectionAsTheListRule)
{
    const struct {
        const char *name;
        QStringList before;
        int deleted;
        QString selectedAfter;
    } cases[] = {
        {"last of three", {"A", "B", "C"}, 2, "A"},
        {"first of three", {"A", "B", "C"}, 0, "B"},
        {"last of two", {"A", "B"}, 1, "A"},
        {"the only one", {"A"}, 0, ""},
    };
    TfUcty &w = accounts();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sql("DELETE FROM ucty");
        for (const QString &name : c.before)
            addAccount(w, name, "1");
        w.lbUcty->setCurrentRow(c.deleted);
        const QString name = c.before.at(c.deleted);
        m_boxes.answerBox(platform::kIdYes);
        m_boxes.answerBox(platform::kIdOk);
        w.bitDeleteAccount->click();
        EXPECT_EQ(lastBox(), "\"" + name + "\" " + services::MessageText(126) + ".");
        EXPECT_EQ(m_boxes.boxes().back().flags, 64);
        EXPECT_EQ(w.lbUcty->count(), c.before.size() - 1);
        QListWidgetItem *current = w.lbUcty->currentItem();
        EXPECT_EQ(current && current->isSelected() ? current->text() : QString(), c.selectedAfter);
    }
}

TEST_F(AccountsWindowTest, DeleteWithoutSelectionOrAnsweredNoChangesNothing)
{
    TfUcty &w = accounts();
    addAccount(w, "A", "1");
    addAccount(w, "B", "2");
    w.lbUcty->clearSelection();
    w.lbUcty->setCurrentRow(-1);
    m_boxes.answerBox(platform::kIdOk);
    w.bitDeleteAccount->click();
    EXPECT_EQ(lastBox(), services::MessageText(132));
    EXPECT_EQ(m_boxes.boxes().back().flags, 48);

    w.lbUcty->setCurrentRow(1);
    m_boxes.answerBox(platform::kIdNo);
    w.bitDeleteAccount->click();
    EXPECT_EQ(lastBox(), services::MessageText(123));
    EXPECT_EQ(m_boxes.boxes().back().flags, 36);
    EXPECT_EQ(w.lbUcty->count(), 2);
    EXPECT_EQ(w.lbUcty->currentRow(), 1);
}

TEST_F(AccountsWindowTest, AccountWithBillsIsRetiredNotDeleted)
{
    TfUcty &w = accounts();
    addAccount(w, "Hlavný", "1");
    sql("INSERT INTO faktury (id_ucet) SELECT id FROM ucty WHERE nazov = 'Hlavný'");
    w.lbUcty->setCurrentRow(0);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    w.bitDeleteAccount->click();
    EXPECT_EQ(w.lbUcty->count(), 0);
    EXPECT_EQ(value("SELECT existuje FROM ucty WHERE nazov = 'Hlavný'"), "0");
}

TEST_F(AccountsWindowTest, NotesSaveLoadAndDeleteWithTheirTexts)
{
    TfPoznamky &w = notes();
    m_boxes.answerBox(platform::kIdOk);
    w.bitAddNote->click();
    EXPECT_EQ(lastBox(), services::MessageText(135));

    w.eNazov->setText("Pätička");
    w.mPoznamka->setPlainText("Ďakujeme za nákup.\n\n");
    w.mInternaPoznamka->setPlainText("len pre nás\n");
    w.bitAddNote->click();
    EXPECT_EQ(items(*w.lbPoznamky), QStringList{"Pätička"});
    EXPECT_EQ(value("SELECT poznamka || '|' || interna_poznamka FROM poznamky"), "Ďakujeme za nákup.|len pre nás");

    w.eNazov->setText("Pätička");
    m_boxes.answerBox(platform::kIdNo);
    w.bitAddNote->click();
    EXPECT_EQ(lastBox(), services::MessageText(137));

    w.bitClearValuesClick();
    w.lbPoznamky->setCurrentRow(0);
    w.lbPoznamkyClick();
    EXPECT_EQ(w.mPoznamka->toPlainText(), "Ďakujeme za nákup.");

    w.lbPoznamky->clearSelection();
    w.lbPoznamky->setCurrentRow(-1);
    m_boxes.answerBox(platform::kIdOk);
    w.bitDeleteNote->click();
    EXPECT_EQ(lastBox(), services::MessageText(136));
    w.lbPoznamky->setCurrentRow(0);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    w.bitDeleteNote->click();
    EXPECT_EQ(lastBox(), QString::fromUtf8("Poznámka \"Pätička\" bola úspešne zmazaná."));
    EXPECT_EQ(w.lbPoznamky->count(), 0);
}

TEST_F(AccountsWindowTest, MemoTakesCtrlEnterAndEnterMovesOn)
{
    TfPoznamky &w = notes();
    w.show();
    QApplication::setActiveWindow(&w);
    w.mPoznamka->setFocus();
    QTest::keyClicks(w.mPoznamka, "a");
    QTest::keyClick(w.mPoznamka, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(w.mPoznamka, "b");
    EXPECT_EQ(w.mPoznamka->toPlainText(), "a\nb");
    QTest::keyClick(w.mPoznamka, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.mInternaPoznamka);
    QTest::keyClick(w.mInternaPoznamka, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.mPoznamka);
    w.hide();
}

TEST(RecordWindowsLanguageFile, CarriesTheUsersAccountsAndNotesWindows)
{
    const platform::IniFile file(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.lng"));
    EXPECT_EQ(file.readString("fUcty", "bitAddAccount", ""), "%Pridať / uložiť účet%");
    EXPECT_EQ(file.readString("fUcty", "GroupBox1", ""), "%Bankový účet%");
    EXPECT_EQ(file.readString("fPoznamky", "bitDeleteNote", ""), "%Zmazať označenú poznámku%");
    EXPECT_EQ(file.readString("fUzivatelia", "bitSetRights", ""), "%Nastaviť práva pre označeného užívateľa%");
    EXPECT_EQ(file.readString("fUzivatelia", "gbFirma", ""), "%Firma / Osoba (pre zmenu potrebujete oprávnenie)%");
}

} // namespace
