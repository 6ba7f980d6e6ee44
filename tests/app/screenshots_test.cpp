// Screenshots for the documentation, taken only when
// BRALVO_SCREENSHOT_DIR names a folder (run under xvfb-run for real
// rendering): the first start's language page, the login window, the
// main window with the start menu after logging in, and in Slovak the
// customers window, a message box and a file dialog.
#include "app/tfmain.h"
#include "app/tfmenu.h"
#include "db/currentuser.h"
#include "services/qttranslation.h"
#include "tests/app/appfixture.h"
#include "tests/app/modalhelper.h"
#include "tests/support/screenshotfolder.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace bralvo;

namespace {

class Screenshots : public test::AppFixture {
protected:
    static void writeFile(const QString &path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    }
    void SetUp() override
    {
        if (!m_shots.wanted())
            GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
        AppFixture::SetUp();
    }
    void save(QWidget &window, const QString &name) { m_shots.save(window, name); }
    test::ScreenshotFolder m_shots;
};

TEST_F(Screenshots, LanguagePageLoginAndStartMenu)
{
    const QString programDir = services::ProgramDir;
    QFile::remove(m_folders.settingsFile());
    {
        app::TfMain first({"bralvo"});
        services::ProgramDir = programDir;
        first.show();
        test::onNextModal([this](QWidget &page) {
            auto *list = page.findChild<QListWidget *>("lbLanguages");
            list->setCurrentRow(0);
            save(page, "language-page.png");
            m_boxes.answerBox(platform::kIdOk);
            page.findChild<QPushButton *>("bitLoadLng")->click();
            page.close();
        });
        EXPECT_EQ(first.StartupSequenceRun(), app::StartupSequence::Outcome::Restarting);
    }
    addAdmin("tajne");
    app::TfMain main({"bralvo", "vybranaDB"});
    services::ProgramDir = programDir;
    main.showMaximized();
    test::onNextModal([this](QWidget &login) {
        login.findChild<QComboBox *>("cbLogin")->setEditText("eva");
        login.findChild<QLineEdit *>("eHeslo")->setText("tajne");
        save(login, "login-window.png");
        login.findChild<QPushButton *>("bitOK")->click();
    });
    EXPECT_EQ(main.StartupSequenceRun(), app::StartupSequence::Outcome::Started);
    ASSERT_NE(main.startMenu(), nullptr);
    save(main, "main-window-start-menu.png");
}

// Under a Slovak session: the customers window, a message box and a file
// dialog, each with Slovak texts only (Qt's own texts from qtbase_sk).
TEST_F(Screenshots, SlovakCustomersWindowMessageBoxAndFileDialog)
{
    ASSERT_TRUE(services::InstallQtTranslation("SK"));
    chooseSlovak();
    addAdmin();
    withDatabase({"DELETE FROM uzivatelia WHERE username = 'demo'"});
    const QString programDir = services::ProgramDir;
    app::TfMain main({"bralvo", "vybranaDB"});
    services::ProgramDir = programDir;
    main.resize(1024, 768);
    main.show();
    ASSERT_EQ(main.StartupSequenceRun(), app::StartupSequence::Outcome::Started);
    main.menuItem("menuSpravaOdberatelov")->trigger();
    save(main, "sk-customers-window.png");

    QMessageBox box(QMessageBox::Question, services::ProgramTitle, services::MessageText(147),
                    QMessageBox::Yes | QMessageBox::No, &main);
    box.show();
    save(box, "sk-message-box.png");
    box.close();

    const QString backups = m_folders.path() + "Zálohy/";
    QDir().mkpath(backups + "Archív");
    writeFile(backups + "2026-12-10_bralvo.txb");
    QFileDialog dialog(&main, services::MessageText(233), backups, services::MessageText(234));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.resize(640, 420);
    dialog.show();
    save(dialog, "sk-file-dialog.png");
    dialog.close();
    services::InstallQtTranslation(QString());
}

} // namespace
