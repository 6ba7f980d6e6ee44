// The items and categories windows driven offscreen: opening from the
// menu with its right, adding and changing items, the unit count, the
// number fields' typing aids, the category combo, deleting with the
// selection step, and the categories' add, rename and delete.
#include "app/tfkategoriepoloziek.h"
#include "app/tfpolozky.h"
#include "services/globals.h"
#include "services/uitexts.h"
#include "tests/app/modalhelper.h"
#include "tests/app/recordsfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace bralvo;
using app::TfKategoriePoloziek;
using app::TfPolozky;

namespace {

class ItemsWindowTest : public test::RecordsFixture {
protected:
    void SetUp() override
    {
        RecordsFixture::SetUp();
        m_items = static_cast<TfPolozky *>(m_main->findChild<QWidget *>("fPolozky"));
        m_categories = static_cast<TfKategoriePoloziek *>(m_main->findChild<QWidget *>("fKategoriePoloziek"));
        ASSERT_TRUE(m_items && m_categories);
        m_items->FillItemList();
        m_items->bitClearValuesClick();
    }
    static QStringList listed(const QListWidget &list)
    {
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.item(i)->text();
        return names;
    }
    void addItem(const QString &name, const QString &perUnit = "1")
    {
        m_items->eNazov->setText(name);
        m_items->eZaMJ->setText(perUnit);
        m_boxes.answerBox(platform::kIdOk);
        m_items->bitAddItem->click();
    }
    void addCategory(const QString &name)
    {
        m_categories->eNazov->setText(name);
        m_boxes.answerBox(platform::kIdOk);
        m_categories->bitAddNote->click();
    }
    static void leave(QWidget &control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&control, &out);
    }
    static void enter(QWidget &control)
    {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&control, &in);
    }

    TfPolozky *m_items = nullptr;
    TfKategoriePoloziek *m_categories = nullptr;
};

TEST_F(ItemsWindowTest, MenuOpensTheWindowModallyAfterTheRight)
{
    QString caption;
    QString perUnit;
    test::onNextModal([&](QWidget &modal) {
        caption = modal.windowTitle();
        perUnit = modal.findChild<QLineEdit *>("eZaMJ")->text();
        modal.close();
    });
    m_main->menuSpravaPoloziekClick();
    EXPECT_EQ(caption, services::ProgramTitle + " - " + services::MessageText(151));
    EXPECT_EQ(perUnit, "1,00");

    loginUserWithoutRights();
    test::NoModalExpected none;
    m_boxes.answerBox(platform::kIdOk);
    m_main->menuSpravaPoloziekClick();
    ASSERT_EQ(shownTexts(), QStringList{services::MessageText(133)});
    EXPECT_EQ(m_boxes.boxes()[0].flags, 48);
}

TEST_F(ItemsWindowTest, AddsThenChangesItemAfterQuestion)
{
    m_items->eKod->setText("K1");
    m_items->eDPH->setText("20");
    m_items->eCena->setText("12,50");
    m_items->eMernaJednotka->setText("ks");
    addItem("Skrutka");
    EXPECT_EQ(shownTexts(), QStringList{QString::fromUtf8("Položka \"Skrutka\" bola úspešne pridaná.")});
    EXPECT_EQ(listed(*m_items->lbPolozky), QStringList{"Skrutka"});
    EXPECT_EQ(m_items->eNazov->text(), "");

    m_items->lbPolozky->setCurrentRow(0);
    m_items->lbPolozkyClick();
    EXPECT_EQ(m_items->eKod->text(), "K1");
    EXPECT_EQ(m_items->eCena->text(), "12,50");
    EXPECT_EQ(m_items->eMernaJednotka->text(), "ks");
    m_items->eCena->setText("13,00");
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    m_items->bitAddItem->click();
    EXPECT_EQ(shownTexts().mid(1),
              (QStringList{services::MessageText(155), QString::fromUtf8("Položka \"Skrutka\" bola úspešne zmenená.")}));
    EXPECT_EQ(value("SELECT cena FROM polozky WHERE existuje = 1 AND nazov = 'Skrutka'"), "13");
}

TEST_F(ItemsWindowTest, EmptyNameIsRefused)
{
    m_boxes.answerBox(platform::kIdOk);
    m_items->bitAddItem->click();
    EXPECT_EQ(shownTexts(), QStringList{services::MessageText(154)});
    EXPECT_EQ(value("SELECT COUNT(*) FROM polozky"), "0");
}

TEST_F(ItemsWindowTest, UnitCountNotAboveZeroStoresOne)
{
    for (const char *perUnit : {"0", "-2", ""}) {
        SCOPED_TRACE(perUnit);
        const QString name = QStringLiteral("Item ") + perUnit;
        addItem(name, perUnit);
        EXPECT_EQ(value("SELECT za_mj FROM polozky WHERE nazov = '" + name + "'"), "1");
    }
    addItem("Balík", "10");
    EXPECT_EQ(value("SELECT za_mj FROM polozky WHERE nazov = 'Balík'"), "10");
}

TEST_F(ItemsWindowTest, NumberFieldsTakeDigitsAndOneSeparator)
{
    struct Case { const char *typed; const char *expected; };
    for (const Case &c : {Case{"12.5", "12,5"}, Case{"1,2.3", "12,3"}, Case{"-7a", "-7"},
                          Case{"3x,5", "3,5"}, Case{"1.2.", "12,"}}) {
        SCOPED_TRACE(c.typed);
        for (QLineEdit *field : {m_items->eCena, m_items->eDPH, m_items->eZaMJ}) {
            field->clear();
            QTest::keyClicks(field, QString::fromUtf8(c.typed));
            EXPECT_EQ(field->text(), c.expected) << field->objectName().toStdString();
        }
    }
}

TEST_F(ItemsWindowTest, LeavingFieldsTidiesTheirText)
{
    struct Case { QLineEdit *field; const char *typed; const char *expected; };
    for (const Case &c : {Case{m_items->eMernaJednotka, "ks12", "ks"}, Case{m_items->eCena, "12,5", "12,50"},
                          Case{m_items->eZaMJ, "2", "2,00"}, Case{m_items->eDPH, "19,50", "19,5"}}) {
        SCOPED_TRACE(c.typed);
        c.field->setText(c.typed);
        leave(*c.field);
        EXPECT_EQ(c.field->text(), c.expected);
    }
}

TEST_F(ItemsWindowTest, CategoryComboKeepsTheChoiceOnReentry)
{
    sql("INSERT INTO kategorie_poloziek (nazov, interna_poznamka) VALUES ('Alfa', ''), ('Beta', '')");
    enter(*m_items->cbKategoria);
    ASSERT_EQ(m_items->cbKategoria->count(), 3);
    EXPECT_EQ(m_items->cbKategoria->itemText(0), services::MessageText(156));
    m_items->cbKategoria->setCurrentIndex(2);
    enter(*m_items->cbKategoria);
    EXPECT_EQ(m_items->cbKategoria->currentText(), "Beta");

    addItem("Skrutka");
    EXPECT_EQ(value("SELECT k.nazov FROM polozky p JOIN kategorie_poloziek k ON k.id = p.id_kategoria"), "Beta");
    m_items->lbPolozky->setCurrentRow(0);
    m_items->lbPolozkyClick();
    EXPECT_EQ(m_items->cbKategoria->currentText(), "Beta");
}

TEST_F(ItemsWindowTest, DeleteStepsTheSelection)
{
    m_boxes.answerBox(platform::kIdOk);
    m_items->bitDeleteItem->click();
    EXPECT_EQ(shownTexts(), QStringList{services::MessageText(157)});
    for (const char *name : {"A", "B", "C", "D", "E"})
        addItem(name);
    struct Case { int row; const char *deleted; int selected; };
    for (const Case &c : {Case{4, "E", 2}, Case{1, "B", 1}}) {
        SCOPED_TRACE(c.deleted);
        m_items->lbPolozky->setCurrentRow(c.row);
        m_boxes.answerBox(platform::kIdYes);
        m_boxes.answerBox(platform::kIdOk);
        m_items->bitDeleteItem->click();
        EXPECT_EQ(shownTexts().back(), QString::fromUtf8("Položka \"%1\" bola úspešne zmazaná.").arg(c.deleted));
        EXPECT_EQ(m_items->lbPolozky->currentRow(), c.selected);
    }
    EXPECT_EQ(listed(*m_items->lbPolozky), (QStringList{"A", "C", "D"}));
}

TEST_F(ItemsWindowTest, DeletingItemOnABillLineRetiresIt)
{
    addItem("Skrutka");
    const QString id = value("SELECT id FROM polozky WHERE nazov = 'Skrutka'");
    sql("INSERT INTO faktury (cislo, existuje) VALUES ('1', 1)");
    sql("INSERT INTO sp_polozky (id_faktura, id_polozka) VALUES ((SELECT MAX(id) FROM faktury), " + id + ")");
    m_items->lbPolozky->setCurrentRow(0);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    m_items->bitDeleteItem->click();
    EXPECT_EQ(shownTexts().back(), QString::fromUtf8("Položka \"Skrutka\" bola úspešne zmazaná."));
    EXPECT_TRUE(listed(*m_items->lbPolozky).isEmpty());
    EXPECT_EQ(value("SELECT existuje FROM polozky WHERE id = " + id), "0");
}

TEST_F(ItemsWindowTest, CategoriesAddRenameAndReportWhatHappened)
{
    m_categories->FillCategoryList();
    addCategory("Alfa");
    EXPECT_EQ(shownTexts().back(), QString::fromUtf8("Kategória \"Alfa\" bola úspešne pridaná."));
    ASSERT_EQ(listed(*m_categories->lbKategorie), QStringList{"Alfa"});
    const QString id = value("SELECT id FROM kategorie_poloziek WHERE nazov = 'Alfa'");

    m_categories->lbKategorie->setCurrentRow(0);
    m_categories->chbPremenovat->setChecked(true);
    m_categories->eNazov->setText("Gama");
    m_boxes.answerBox(platform::kIdYes);  // rename?
    m_boxes.answerBox(platform::kIdOk);
    m_categories->bitAddNote->click();
    EXPECT_EQ(shownTexts().back(), QString::fromUtf8("Kategória \"Gama\" bola úspešne zmenená."));
    EXPECT_EQ(value("SELECT nazov FROM kategorie_poloziek WHERE id = " + id), "Gama");
    EXPECT_FALSE(m_categories->chbPremenovat->isChecked());
    EXPECT_EQ(m_categories->eNazov->text(), "");
}

TEST_F(ItemsWindowTest, CategoryInUseByALiveItemStays)
{
    sql("INSERT INTO kategorie_poloziek (nazov, interna_poznamka) VALUES ('Alfa', ''), ('Beta', '')");
    sql("INSERT INTO polozky (nazov, id_kategoria, existuje) VALUES ('Živá', (SELECT id FROM kategorie_poloziek "
        "WHERE nazov = 'Alfa'), 1), ('Stará', (SELECT id FROM kategorie_poloziek WHERE nazov = 'Beta'), 0)");
    m_categories->FillCategoryList();
    m_categories->lbKategorie->setCurrentRow(0);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    m_categories->bitDeleteNote->click();
    EXPECT_EQ(shownTexts().back(), services::MessageText(168));
    m_categories->lbKategorie->setCurrentRow(1);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    m_categories->bitDeleteNote->click();
    EXPECT_EQ(shownTexts().back(), QString::fromUtf8("Kategória položiek \"Beta\" bola úspešne zmazaná."));
    EXPECT_EQ(listed(*m_categories->lbKategorie), QStringList{"Alfa"});
}

TEST_F(ItemsWindowTest, CategoriesButtonOpensTheCategoriesWindow)
{
    QString caption;
    test::onNextModal([&](QWidget &modal) {
        caption = modal.objectName() + ": " + modal.windowTitle();
        modal.close();
    });
    m_items->bitSpravaKategorii->click();
    EXPECT_EQ(caption, "fKategoriePoloziek: " + services::ProgramTitle + " - " + services::MessageText(166));
}

TEST_F(ItemsWindowTest, RenamingTheChosenCategoryKeepsItOnTheItem)
{
    sql("INSERT INTO kategorie_poloziek (nazov, interna_poznamka) VALUES ('Alfa', ''), ('Beta', '')");
    enter(*m_items->cbKategoria);
    m_items->cbKategoria->setCurrentIndex(1);  // Alfa
    m_items->eNazov->setText("Skrutka");
    test::onNextModal([&](QWidget &) {
        m_categories->lbKategorie->setCurrentRow(0);
        m_categories->chbPremenovat->setChecked(true);
        m_categories->eNazov->setText("Gama");
        m_boxes.answerBox(platform::kIdYes);
        m_boxes.answerBox(platform::kIdOk);
        m_categories->bitAddNote->click();
        m_categories->close();
    });
    m_items->bitSpravaKategorii->click();
    EXPECT_EQ(m_items->cbKategoria->currentText(), "Gama");
    m_boxes.answerBox(platform::kIdOk);
    m_items->bitAddItem->click();
    EXPECT_EQ(value("SELECT k.nazov FROM polozky p JOIN kategorie_poloziek k ON k.id = p.id_kategoria"), "Gama");
}

TEST_F(ItemsWindowTest, ArrowKeysInTheListLoadTheItem)
{
    addItem("A", "2");
    addItem("B", "3");
    m_items->lbPolozky->setCurrentRow(0);
    QTest::keyClick(m_items->lbPolozky, Qt::Key_Down);
    EXPECT_EQ(m_items->eNazov->text(), "B");
    EXPECT_EQ(m_items->eZaMJ->text(), "3,00");
}

} // namespace

namespace {

// A pasted "abc" price was tidied to 0,00 on leaving and stored as 0:
// it stays as typed and the save is refused naming the field.
TEST_F(ItemsWindowTest, PastedNonNumbersAreRefusedNotStoredAsZero)
{
    struct Case { QLineEdit *field; const char *pasted; const char *text; };
    for (const Case &c : {Case{m_items->eCena, "abc", "Do poľa \"Cena\" zadajte číslo od -999999999 do 999999999."},
                          Case{m_items->eDPH, "1e3", "Do poľa \"DPH\" zadajte číslo od 0 do 100."},
                          Case{m_items->eDPH, "120", "Do poľa \"DPH\" zadajte číslo od 0 do 100."}}) {
        SCOPED_TRACE(c.pasted);
        m_items->eCena->setText("1");
        m_items->eDPH->setText("20");
        c.field->setText(c.pasted);
        leave(*c.field);
        if (QString(c.pasted) != "120")
            EXPECT_EQ(c.field->text(), c.pasted);
        m_items->eNazov->setText("Skrutka");
        const std::size_t before = m_boxes.boxes().size();
        m_boxes.answerBox(platform::kIdOk);
        m_items->bitAddItem->click();
        ASSERT_EQ(m_boxes.boxes().size(), before + 1);
        EXPECT_EQ(m_boxes.boxes().back().text, QString::fromUtf8(c.text));
        EXPECT_EQ(value("SELECT COUNT(*) FROM polozky"), "0");
    }
}

} // namespace
