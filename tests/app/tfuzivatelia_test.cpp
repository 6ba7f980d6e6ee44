// The users and firm window driven offscreen: opening and closing, adding
// and re-saving users with the required fields, deleting, rights and the
// admin role with their refusals, the locked company block, pictures and
// the keys of the fields.
#include "app/tfmain.h"
#include "app/tfmenu.h"
#include "app/tfuzivatelia.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "services/globals.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"
#include "tests/app/modalhelper.h"
#include "tests/app/usersfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace bralvo;
using app::TfUzivatelia;

namespace {

class UsersWindowTest : public test::UsersFixture {
protected:
    TfUzivatelia &open()
    {
        if (!m_main)
            start();
        m_main->menuItem("menuSpravaUzivatelov")->trigger();
        auto *window = m_main->findChild<TfUzivatelia *>("fUzivatelia");
        if (!window)
            throw std::runtime_error("users window not open");
        return *window;
    }
    static void select(TfUzivatelia &w, const QString &name)
    {
        const auto found = w.lbUzivatelia->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        w.lbUzivatelia->setCurrentItem(found.first());
    }
    static void typeUser(TfUzivatelia &w, const QString &name, const QString &login,
                         const QString &password = QString())
    {
        w.eMeno->setText(name);
        w.eLogin->setText(login);
        w.ePassword1->setText(password);
        w.ePassword2->setText(password);
    }
    QString lastBox() const
    {
        const auto boxes = m_boxes.boxes();
        return boxes.empty() ? QString() : boxes.back().text;
    }
    int lastFlags() const
    {
        const auto boxes = m_boxes.boxes();
        return boxes.empty() ? -1 : boxes.back().flags;
    }
    // A picture file of that size in the temporary folder.
    QString picture(const QString &name, int width, int height, const char *format)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = m_folders.path() + name;
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
};

TEST_F(UsersWindowTest, OpensMaximisedWithAdminsCompanyAndClosesBackToStartMenu)
{
    start();
    sql("UPDATE firma SET nazov = 'Tamrex s.r.o.', ico = '123' WHERE id = 1");
    TfUzivatelia &w = open();
    EXPECT_EQ(w.windowTitle(), services::MessageText(105));
    EXPECT_TRUE(w.parentWidget()->isMaximized());
    EXPECT_EQ(m_main->startMenu(), nullptr);
    EXPECT_EQ(w.lbUzivatelia->count(), 1);
    EXPECT_EQ(db::AdminUserName, "Eva Adminová");
    EXPECT_EQ(w.eNazov->text(), "Tamrex s.r.o.");
    EXPECT_EQ(w.eICO->text(), "123");
    EXPECT_EQ(w.eMeno->text(), "");
    EXPECT_EQ(w.eLogin->text(), "");
    EXPECT_TRUE(w.gbFirma->isEnabled());
    // Opening it again while it is open does nothing.
    m_main->menuItem("menuSpravaUzivatelov")->trigger();
    EXPECT_EQ(m_main->findChildren<TfUzivatelia *>().size(), 1);

    w.btnBack->click();
    QTest::qWait(20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_main->findChild<TfUzivatelia *>("fUzivatelia"), nullptr);
    EXPECT_NE(m_main->startMenu(), nullptr);

    // Esc closes it too.
    TfUzivatelia &again = open();
    QTest::keyClick(again.eMeno, Qt::Key_Escape);
    QTest::qWait(20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_main->findChild<TfUzivatelia *>("fUzivatelia"), nullptr);
    EXPECT_NE(m_main->startMenu(), nullptr);
}

TEST_F(UsersWindowTest, AnotherWorkingWindowReplacesItWithoutAStartMenuBeside)
{
    open();
    m_main->menuItem("menuSpravaOdberatelov")->trigger();
    QTest::qWait(20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_main->findChild<TfUzivatelia *>("fUzivatelia"), nullptr);
    EXPECT_EQ(m_main->startMenu(), nullptr);
    EXPECT_TRUE(services::IsMdiChildOpen("fOdberatelia"));
}

TEST_F(UsersWindowTest, AddingANewUserReportsText144AndClearsTheFields)
{
    TfUzivatelia &w = open();
    typeUser(w, "Jozef Nový", "jozef", "heslo");
    w.eMobil->setText("0905 111 222");
    w.mInternaPoznamka->setPlainText("prvý riadok\n\n");
    m_boxes.answerBox(platform::kIdOk);
    w.bitAddUser->click();
    EXPECT_EQ(lastBox(), QString::fromUtf8("Užívateľ \"Jozef Nový\" bol úspešne pridaný. Nastavte, prosím, tomuto užívateľovi práva."));
    EXPECT_EQ(lastFlags(), 64);
    EXPECT_EQ(w.lbUzivatelia->findItems("Jozef Nový", Qt::MatchExactly).size(), 1);
    EXPECT_EQ(w.eMeno->text(), "");
    EXPECT_EQ(w.ePassword1->text(), "");
    // A user added next to the administrator starts without rights; the
    // note is stored without its trailing empty lines.
    EXPECT_EQ(value("SELECT admin || pravo_menitfaktury FROM uzivatelia WHERE username = 'jozef'"), "00");
    EXPECT_EQ(value("SELECT interna_poznamka FROM uzivatelia WHERE username = 'jozef'"), "prvý riadok");
    EXPECT_EQ(value("SELECT telefon FROM uzivatelia WHERE username = 'jozef'"), "0905 111 222");
}

TEST_F(UsersWindowTest, ResavingAnExistingUserAsksTwiceAndReportsText145)
{
    start();
    addPlainUser("Jozef", "jozef");
    TfUzivatelia &w = open();
    select(w, "Jozef");
    w.lbUzivatelia->itemClicked(w.lbUzivatelia->currentItem());
    EXPECT_EQ(w.eLogin->text(), "jozef");
    w.eMail->setText("jozef@example.com");
    m_boxes.answerBox(platform::kIdYes);  // 111 overwrite
    m_boxes.answerBox(platform::kIdYes);  // 113 rights to default
    m_boxes.answerBox(platform::kIdOk);
    w.bitAddUser->click();
    ASSERT_EQ(m_boxes.boxes().size(), 3u);
    EXPECT_EQ(m_boxes.boxes()[0].text, services::MessageText(111));
    EXPECT_EQ(m_boxes.boxes()[1].text, services::MessageText(113));
    EXPECT_EQ(lastBox(), QString::fromUtf8("Užívateľ \"Jozef\" bol úspešne zmenený. Nastavte, prosím, tomuto užívateľovi práva."));
    EXPECT_EQ(value("SELECT email FROM uzivatelia WHERE uzivatel = 'Jozef' AND existuje = 1"), "jozef@example.com");
}

TEST_F(UsersWindowTest, RequiredFieldsAreRefusedWithTheirTextAndFocus)
{
    struct Case {
        const char *name;
        const char *company;
        const char *user;
        const char *login;
        const char *password2;
        int text;
        const char *focus;
    };
    const Case cases[] = {
        {"company name", "", "Jozef", "jozef", "", 107, "eNazov"},
        {"user name", "Firma", "", "jozef", "", 108, "eMeno"},
        {"login", "Firma", "Jozef", "", "", 109, "eLogin"},
        {"demo login", "Firma", "Jozef", "demo", "", 178, "eMeno"},
        {"password check", "Firma", "Jozef", "jozef", "iné", 110, "ePassword1"},
    };
    TfUzivatelia &w = open();
    m_main->show();
    QApplication::setActiveWindow(m_main.get());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        w.eNazov->setText(c.company);
        w.eMeno->setText(c.user);
        w.eLogin->setText(c.login);
        w.ePassword1->clear();
        w.ePassword2->setText(c.password2);
        m_boxes.answerBox(platform::kIdOk);
        w.bitAddUser->click();
        EXPECT_EQ(lastBox(), services::MessageText(c.text));
        EXPECT_EQ(lastFlags(), 48);
        ASSERT_NE(w.focusWidget(), nullptr);
        EXPECT_EQ(w.focusWidget()->objectName(), c.focus);
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM uzivatelia"), "1");
}

TEST_F(UsersWindowTest, DeleteRefusesWithoutSelectionAndForTheAdministrator)
{
    TfUzivatelia &w = open();
    w.lbUzivatelia->clearSelection();
    w.lbUzivatelia->setCurrentRow(-1);
    m_boxes.answerBox(platform::kIdOk);
    w.bitDeleteUser->click();
    EXPECT_EQ(lastBox(), services::MessageText(117));
    select(w, "Eva Adminová");
    m_boxes.answerBox(platform::kIdOk);
    w.bitDeleteUser->click();
    EXPECT_EQ(lastBox(), services::MessageText(125));
    m_boxes.answerBox(platform::kIdOk);
    w.bitSetRights->click();
    EXPECT_EQ(lastBox(), services::MessageText(118));
    EXPECT_EQ(value("SELECT COUNT(*) FROM uzivatelia WHERE existuje = 1"), "1");
}

TEST_F(UsersWindowTest, DeletingAUserAsksConfirmsAndStepsTheSelection)
{
    start();
    addPlainUser("Anna", "anna");
    addPlainUser("Zuzana", "zuzana");
    TfUzivatelia &w = open();
    select(w, "Zuzana");
    m_boxes.answerBox(platform::kIdNo);
    w.bitDeleteUser->click();
    EXPECT_EQ(w.lbUzivatelia->count(), 3);
    EXPECT_EQ(w.lbUzivatelia->currentItem()->text(), "Zuzana");

    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    w.bitDeleteUser->click();
    EXPECT_EQ(lastBox(), "\"Zuzana\" " + services::MessageText(126) + ".");
    EXPECT_EQ(lastFlags(), 64);
    EXPECT_EQ(w.lbUzivatelia->count(), 2);
    // The last entry went: the one before it is selected.
    EXPECT_EQ(w.lbUzivatelia->currentRow(), 0);
    EXPECT_FALSE(db::UserNameExists("Zuzana"));
}

TEST_F(UsersWindowTest, UserWithoutRightsIsRefusedDeleteRightsAdminAndAccounts)
{
    start();
    addPlainUser("Jozef", "jozef");
    addPlainUser("Anna", "anna");
    db::SetCurrentUser("jozef");
    TfUzivatelia &w = open();
    select(w, "Anna");
    const struct {
        QPushButton *button;
        int text;
    } cases[] = {{w.bitDeleteUser, 124}, {w.bitSetRights, 119}, {w.bitSetAdmin, 121},
                 {w.bitSpravaUctov, 133}, {w.bitSpravaPoznamok, 133}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button->objectName().toStdString());
        m_boxes.answerBox(platform::kIdOk);
        c.button->click();
        EXPECT_EQ(lastBox(), services::MessageText(c.text));
        EXPECT_EQ(lastFlags(), 48);
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM uzivatelia WHERE existuje = 1"), "3");
    // Three users and no settings right: the company block is locked.
    EXPECT_FALSE(w.gbFirma->isEnabled());
    EXPECT_EQ(w.eNazov->palette().color(QPalette::Base), w.gbFirma->palette().color(QPalette::Window));
}

TEST_F(UsersWindowTest, CompanyBlockIsOpenWhileOnlyOneUserExists)
{
    start();
    sql("UPDATE uzivatelia SET pravo_menitnastavenia = 0, admin = 0");
    TfUzivatelia &w = open();
    EXPECT_TRUE(w.gbFirma->isEnabled());
    // No administrator: the company fields are emptied, VAT payer checked.
    EXPECT_EQ(w.eNazov->text(), "");
    EXPECT_TRUE(w.chbPlatca->isChecked());
}

TEST_F(UsersWindowTest, MovingTheSelectionWithTheKeysLoadsTheUser)
{
    start();
    addPlainUser("Jozef", "jozef");
    TfUzivatelia &w = open();
    m_main->show();
    QApplication::setActiveWindow(m_main.get());
    select(w, "Eva Adminová");
    w.lbUzivatelia->setFocus();
    QTest::keyClick(w.lbUzivatelia, Qt::Key_Down);
    EXPECT_EQ(w.lbUzivatelia->currentItem()->text(), "Jozef");
    EXPECT_EQ(w.eLogin->text(), "jozef");
}

TEST_F(UsersWindowTest, SettingRightsStoresTheSevenBoxes)
{
    start();
    addPlainUser("Jozef", "jozef");
    TfUzivatelia &w = open();
    select(w, "Jozef");
    w.chbPravoMenitFaktury->setChecked(true);
    w.chbPravoMenitPolozky->setChecked(true);
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    w.bitSetRights->click();
    EXPECT_EQ(lastBox(), services::MessageText(120) + " \"Jozef\".");
    EXPECT_EQ(value("SELECT pravo_menitfaktury || pravo_mazatfaktury || pravo_menitpolozky FROM uzivatelia "
                    "WHERE username = 'jozef'"),
              "101");
}

TEST_F(UsersWindowTest, AdministratorHandsTheRoleOn)
{
    start();
    addPlainUser("Jozef", "jozef");
    TfUzivatelia &w = open();
    select(w, "Eva Adminová");
    w.bitSetAdmin->click();  // already the admin: nothing, no question
    EXPECT_TRUE(m_boxes.boxes().empty());
    select(w, "Jozef");
    m_boxes.answerBox(platform::kIdYes);
    m_boxes.answerBox(platform::kIdOk);
    w.bitSetAdmin->click();
    EXPECT_EQ(lastBox(), services::MessageText(122) + " \"Jozef\".");
    EXPECT_EQ(db::GetAdminUserName(), "Jozef");
    EXPECT_EQ(db::AdminUserName, "Jozef");
}

TEST_F(UsersWindowTest, MainAccountAndNoteAreStoredAndKeptWhenEntered)
{
    start();
    sql("INSERT INTO ucty (nazov, cislo_uctu, je_uzivatelsky, id_odberatel, existuje) VALUES ('Hlavný', '1', 1, NULL, 1)");
    sql("INSERT INTO poznamky (nazov, poznamka, existuje) VALUES ('Pätička', 'Ďakujeme', 1)");
    TfUzivatelia &w = open();
    w.cbHlavnyUcetEnter();
    w.cbHlavnaPoznamkaEnter();
    w.cbHlavnyUcet->setCurrentIndex(0);
    w.cbHlavnaPoznamka->setCurrentIndex(0);
    w.cbHlavnyUcetEnter();  // entering again keeps the choice
    EXPECT_EQ(w.cbHlavnyUcet->currentText(), "Hlavný");
    typeUser(w, "Jozef", "jozef");
    m_boxes.answerBox(platform::kIdOk);
    w.bitAddUser->click();
    select(w, "Jozef");
    w.lbUzivateliaClick();
    EXPECT_EQ(w.cbHlavnyUcet->currentText(), "Hlavný");
    EXPECT_EQ(w.cbHlavnaPoznamka->currentText(), "Pätička");
}

TEST_F(UsersWindowTest, PicturesFitIn120By70KeepingTheirShape)
{
    TfUzivatelia &w = open();
    const struct {
        int width, height, shownWidth, shownHeight;
    } cases[] = {{240, 100, 120, 50}, {100, 140, 50, 70}, {60, 40, 60, 40}, {300, 70, 120, 28}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.width * 1000 + c.height);
        const QString file = picture(QString("p%1x%2.jpg").arg(c.width).arg(c.height), c.width, c.height, "JPEG");
        w.eLogo->setText(file);
        EXPECT_EQ(w.imgLogo->size(), QSize(c.shownWidth, c.shownHeight));
        EXPECT_FALSE(w.imgLogo->pixmap().isNull());
    }
}

TEST_F(UsersWindowTest, BitmapsByExtensionAndUnreadablePicturesShowThePlaceholder)
{
    TfUzivatelia &w = open();
    w.ePodpisPeciatka->setText(picture("LOGO.BMP", 80, 30, "BMP"));
    EXPECT_EQ(w.imgPodpis->size(), QSize(80, 30));
    // A PNG goes to the JPEG loader, which cannot read it; without the
    // placeholder the picture is empty.
    w.ePodpisPeciatka->setText(picture("podpis.png", 50, 50, "PNG"));
    EXPECT_TRUE(w.imgPodpis->pixmap().isNull());
    ASSERT_TRUE(QDir().mkpath(services::ProgramDir + "Data"));
    picture("no_image.bmp", 33, 22, "BMP");
    ASSERT_TRUE(QFile::rename(m_folders.path() + "no_image.bmp", services::ProgramDir + "Data/no_image.bmp"));
    w.ePodpisPeciatka->setText(m_folders.path() + "missing.jpg");
    EXPECT_EQ(w.imgPodpis->size(), QSize(33, 22));
}

TEST_F(UsersWindowTest, ChosenPictureIsCopiedUnderImagesWhenAsked)
{
    TfUzivatelia &w = open();
    const QString file = picture("firma.jpg", 40, 20, "JPEG");
    m_boxes.answerOpenFile(file);
    m_boxes.answerBox(platform::kIdYes);
    w.bitOpenLogo->click();
    const QString copy = services::DataRoot + "Images/logo_firma.jpg";
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(209));
    EXPECT_EQ(w.eLogo->text(), copy);
    EXPECT_TRUE(QFileInfo(copy).isFile());

    m_boxes.answerOpenFile(file);
    m_boxes.answerBox(platform::kIdNo);
    w.bitOpenPodpis->click();
    EXPECT_EQ(w.ePodpisPeciatka->text(), file);
    EXPECT_FALSE(QFileInfo(services::DataRoot + "Images/p_firma.jpg").exists());

    m_boxes.answerOpenFile(std::nullopt);  // cancelled: nothing
    w.bitOpenPodpis->click();
    EXPECT_EQ(w.ePodpisPeciatka->text(), file);
}

TEST_F(UsersWindowTest, FailedPictureCopyKeepsTheChosenPath)
{
    TfUzivatelia &w = open();
    // A file where the Images folder belongs: nothing can be copied there.
    QFile blocker(services::DataRoot + "Images");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString file = picture("razitko.jpg", 40, 20, "JPEG");
    m_boxes.answerOpenFile(file);
    m_boxes.answerBox(platform::kIdYes);
    w.bitOpenPodpis->click();
    EXPECT_EQ(w.ePodpisPeciatka->text(), file);
    EXPECT_FALSE(w.imgPodpis->pixmap().isNull());
}

TEST_F(UsersWindowTest, EnterAndArrowsMoveOnAndCtrlEnterBreaksTheNoteLine)
{
    TfUzivatelia &w = open();
    m_main->show();
    QApplication::setActiveWindow(m_main.get());
    w.eMeno->setFocus();
    QTest::keyClick(w.eMeno, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.eMobil);
    QTest::keyClick(w.eMobil, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), w.eFax);
    QTest::keyClick(w.eFax, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.eMobil);

    w.mInternaPoznamka->setFocus();
    QTest::keyClicks(w.mInternaPoznamka, "a");
    QTest::keyClick(w.mInternaPoznamka, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(w.mInternaPoznamka, "b");
    EXPECT_EQ(w.mInternaPoznamka->toPlainText(), "a\nb");
    QTest::keyClick(w.mInternaPoznamka, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), w.mInternaPoznamka);
    EXPECT_EQ(w.mInternaPoznamka->toPlainText(), "a\nb");
}

} // namespace

namespace {

// The combos were refilled on every focus-in, also the one of their own
// drop-down closing, which arrives before the combo takes the entry
// clicked: the refill reset the list under it and the choice was lost.
// Only a real entry (Tab, a click) refills.
TEST_F(UsersWindowTest, ComboChoiceMadeWithTheMouseIsKept)
{
    start();
    auto addAccount = [](const char *name) {
        sql(QString("INSERT INTO ucty (nazov, cislo_uctu, je_uzivatelsky, id_odberatel, existuje) "
                    "VALUES ('%1', '1', 1, NULL, 1)").arg(name));
    };
    addAccount("Prvý");
    addAccount("Druhý");
    TfUzivatelia &w = open();
    w.cbHlavnyUcetEnter();
    w.cbHlavnyUcet->setCurrentIndex(1);
    addAccount("Tretí");
    struct Case { Qt::FocusReason reason; int count; };
    const Case cases[] = {{Qt::PopupFocusReason, 2}, {Qt::ActiveWindowFocusReason, 2}, {Qt::TabFocusReason, 3}};
    for (const Case &c : cases) {
        QFocusEvent in(QEvent::FocusIn, c.reason);
        QCoreApplication::sendEvent(w.cbHlavnyUcet, &in);
        EXPECT_EQ(w.cbHlavnyUcet->count(), c.count) << c.reason;
        EXPECT_EQ(w.cbHlavnyUcet->currentIndex(), 1) << c.reason;
    }
}

} // namespace

namespace {

// The walk a new user takes: the administrator gets a password, the window
// is opened again, only the company logo changes and is saved. Saving
// without typing a password used to empty it, so the next start let
// everybody in without a login.
TEST_F(UsersWindowTest, PasswordIsStillRequiredAfterChangingOnlyTheLogo)
{
    start();
    {
        TfUzivatelia &w = open();
        select(w, "Eva Adminová");
        w.lbUzivatelia->itemClicked(w.lbUzivatelia->currentItem());
        w.ePassword1->setText("tajne");
        w.ePassword2->setText("tajne");
        m_boxes.answerBox(platform::kIdYes);
        m_boxes.answerBox(platform::kIdYes);
        m_boxes.answerBox(platform::kIdOk);
        w.bitAddUser->click();
        w.btnBack->click();
        QCoreApplication::processEvents();
    }
    {
        TfUzivatelia &w = open();
        select(w, "Eva Adminová");
        w.lbUzivatelia->itemClicked(w.lbUzivatelia->currentItem());
        EXPECT_EQ(w.ePassword1->text(), "");
        w.eLogo->setText(picture("logo.png", 40, 20, "PNG"));
        m_boxes.answerBox(platform::kIdYes);
        m_boxes.answerBox(platform::kIdYes);
        m_boxes.answerBox(platform::kIdOk);
        w.bitAddUser->click();
        w.btnBack->click();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(value("SELECT obr_logo <> '' FROM firma WHERE existuje = 1"), "1");
    m_main.reset();
    db::CloseDatabase();

    // The next start asks for the login: Eva has a password.
    QString modalShown;
    test::onNextModal([&modalShown](QWidget &modal) {
        modalShown = modal.objectName();
        modal.close();
    });
    const QString programDir = services::ProgramDir;
    m_main = std::make_unique<app::TfMain>(QStringList{"bralvo", "vybranaDB"});
    services::ProgramDir = programDir;
    m_main->StartupSequenceRun();
    EXPECT_EQ(modalShown, "fLogin");
    EXPECT_EQ(value("SELECT password FROM uzivatelia WHERE username = 'eva' AND existuje = 1"),
              services::TextDigestHex("tajne"));
}

} // namespace
