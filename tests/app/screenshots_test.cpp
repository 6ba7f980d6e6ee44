// Screenshots for the documentation, taken only when
// BRALVO_SCREENSHOT_DIR names a folder (run under xvfb-run for real
// rendering): the first start's language page, the login window and the
// main window with the start menu after logging in.
#include "app/tfmain.h"
#include "app/tfmenu.h"
#include "db/currentuser.h"
#include "tests/app/appfixture.h"
#include "tests/app/modalhelper.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace bralvo;

namespace {

class Screenshots : public test::AppFixture {
protected:
    void SetUp() override
    {
        m_folder = qEnvironmentVariable("BRALVO_SCREENSHOT_DIR");
        if (m_folder.isEmpty())
            GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
        AppFixture::SetUp();
    }
    void save(QWidget &window, const QString &name)
    {
        QTest::qWait(200);
        EXPECT_TRUE(window.grab().save(m_folder + "/" + name)) << name.toStdString();
    }
    QString m_folder;
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

} // namespace
