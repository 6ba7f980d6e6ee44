// The settings window driven offscreen: settings into the controls and
// back, the backup folders, the save's questions and its consequences,
// the pages the menu opens, the refused right, and the problem report
// delivered through a real exim on 127.0.0.1.
#include "app/appstate.h"
#include "app/tfmain.h"
#include "app/tfnastavenia.h"
#include "db/currentuser.h"
#include "db/schema.h"
#include "platform/inifile.h"
#include "platform/regionalsettings.h"
#include "services/backup.h"
#include "services/databaselist.h"
#include "services/settings.h"
#include "tests/app/appfixture.h"
#include "tests/app/modalhelper.h"
#include "tests/net/localservers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

using namespace bralvo;
using app::TfNastavenia;

namespace {

class TfNastaveniaTest : public test::AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        chooseSlovak();
    }
    void TearDown() override
    {
        m_main.reset();
        AppFixture::TearDown();
    }
    // The main window as the program creates it; the fixture's program
    // folder stays in place.
    app::TfMain &createMain()
    {
        const QString programDir = services::ProgramDir;
        m_main = std::make_unique<app::TfMain>(QStringList{"bralvo", "vybranaDB"});
        services::ProgramDir = programDir;
        return *m_main;
    }
    TfNastavenia &window()
    {
        createMain();
        auto *settings = m_main->findChild<TfNastavenia *>();
        if (!settings)
            throw std::runtime_error("no settings window");
        settings->NacitajNastavenia();
        settings->setResult(0);
        return *settings;
    }
    template <typename T>
    T &child(const QString &name)
    {
        T *widget = m_main->findChild<TfNastavenia *>()->findChild<T *>(name);
        if (!widget)
            throw std::runtime_error("no child " + name.toStdString());
        return *widget;
    }
    static QString setting(const char *section, const char *key)
    {
        return services::ReadSetting(section, key, "<missing>");
    }
    static QString sep() { return QString(platform::regionalSettings().decimalSeparator); }

    std::unique_ptr<app::TfMain> m_main;
};

// section, key, stored text, control, what the control shows
struct KeyCase {
    const char *section;
    const char *key;
    QString stored;
    const char *control;
    QString shown;  // "1"/"0" for check boxes and radio buttons
};

QString shownBy(QWidget &w)
{
    if (auto *box = qobject_cast<QAbstractButton *>(&w))
        return box->isChecked() ? "1" : "0";
    if (auto *edit = qobject_cast<QLineEdit *>(&w))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(&w))
        return combo->currentText();
    return "?";
}

TEST_F(TfNastaveniaTest, SettingsGoIntoThePagesAndBackUnchanged)
{
    const QString kurz = "25" + sep() + "12345678";
    const std::vector<KeyCase> cases = {
        {"General", "CheckUpdates", "0", "chbCheckUpdates", "0"},
        {"General", "SafeMode", "1", "chbSafeMode", "1"},
        {"General", "SortOdbName", "0", "rbSortOdbName", "0"},
        {"General", "SortOdbAddOrder", "0", "rbSortOdbAddOrder", "0"},
        {"General", "SortOdbMostUsed", "1", "rbSortOdbMostUsed", "1"},
        {"General", "SortOdbInc", "0", "rbSortOdbDesc", "1"},
        {"Backups", "NumberBackups", "25", "eNumberBackups", "25"},
        {"Backups", "BackupInInterval", "1", "chbBackupInInterval", "1"},
        {"Backups", "BackupInterval", "30", "eBackupInterval", "30"},
        {"Backups", "BackupBeforeClose", "0", "chbBackupBeforeClose", "0"},
        {"Faktura", "FullAutoCislovanie", "0", "chbFullAutoCislovanie", "0"},
        {"Faktura", "PrijmovyAT", "0", "chbPrijmovyAT", "0"},
        {"Faktura", "Opravnenie", "Živnostenský register OÚ Nitra", "eOpravnenie",
         "Živnostenský register OÚ Nitra"},
        {"Faktura", "Splatnost", "14", "eSplatnost", "14"},
        {"Faktura", "FakturujemVam", "Odberateľ:", "eFakturujemVam", "Odberateľ:"},
        {"Faktura", "RoundDph", "0" + sep() + "01", "cbRoundDph", "0" + sep() + "01"},
        {"Faktura", "RoundZaklad", "1" + sep() + "00", "cbRoundZaklad", "1" + sep() + "00"},
        {"Faktura", "RoundBralvo", "0" + sep() + "10", "cbRoundBralvo", "0" + sep() + "10"},
        {"Faktura", "RoundAllSmer", "-1", "rbRoundAllSmer2", "1"},
        {"Faktura", "NetlacitZlavy", "1", "chbNetlacitZlavy", "1"},
        {"Faktura", "DotMatrix", "1", "chbDotMatrix", "1"},
        {"Mena", "DomacaMenaZobr", "€", "eDomacaMenaZobr", "€"},
        {"Mena", "DomacaMenaIso", "EUR", "eDomacaMenaIso", "EUR"},
        {"Mena", "DomaceFADualne", "0", "chbDomaceFADualne", "0"},
        {"Mena", "CudziaMenaZobr", "Kč", "cbCudziaMenaZobr", "Kč"},
        {"Mena", "CudziaMenaIso", "CZK", "cbCudziaMenaIso", "CZK"},
        {"Mena", "Kurz", kurz, "eKurz", kurz},
        {"Tlac", "NetlacitPodpisFA", "1", "chbNetlacitPodpisFA", "1"},
    };
    for (const KeyCase &c : cases)
        services::WriteSetting(c.section, c.key, c.stored);
    TfNastavenia &settings = window();
    for (const KeyCase &c : cases)
        EXPECT_EQ(shownBy(child<QWidget>(c.control)), c.shown) << c.key;
    EXPECT_EQ(child<QLineEdit>("eDatabase").text(), m_folders.dataRoot() + "Data/");

    settings.bitSaveClick();
    EXPECT_EQ(settings.result(), QDialog::Accepted);
    for (const KeyCase &c : cases)
        EXPECT_EQ(setting(c.section, c.key), c.stored) << c.key;
    EXPECT_EQ(setting("General", "Directory"), m_folders.dataRoot() + "Data/");
    EXPECT_EQ(setting("Inst", "location"), services::ProgramDir);
    EXPECT_EQ(app::HomeCurrencySymbol, "€");
    EXPECT_EQ(app::HomeCurrencyIso, "EUR");
}

TEST_F(TfNastaveniaTest, EmptySettingsFileSavesTheDefaults)
{
    TfNastavenia &settings = window();
    settings.bitSaveClick();
    const std::vector<std::pair<const char *, QString>> expected = {
        {"CheckUpdates", "1"}, {"SortOdbName", "1"}, {"SortOdbInc", "1"},
    };
    for (const auto &[key, value] : expected)
        EXPECT_EQ(setting("General", key), value) << key;
    EXPECT_EQ(setting("Backups", "NumberBackups"), "10");
    EXPECT_EQ(setting("Backups", "BackupInterval"), "60");
    EXPECT_EQ(setting("Faktura", "Splatnost"), "10");
    EXPECT_EQ(setting("Faktura", "DefJazyk"), "SK - Slovenčina");
    EXPECT_EQ(setting("Faktura", "RoundDph"), "0" + sep() + "10");
    EXPECT_EQ(setting("Faktura", "RoundZaklad"), "0" + sep() + "01");
    EXPECT_EQ(setting("Faktura", "RoundBralvo"), "0" + sep() + "50");
    EXPECT_EQ(setting("Faktura", "RoundAllSmer"), "0");
    EXPECT_EQ(setting("Mena", "DomacaMenaZobr"), "Sk");
    EXPECT_EQ(setting("Mena", "CudziaMenaIso"), "EUR");
}

TEST_F(TfNastaveniaTest, RoundingStepWithTheOtherSeparatorSavesTheDefault)
{
    const QString other = sep() == "," ? "." : ",";
    services::WriteSetting("Faktura", "RoundDph", "0" + other + "10");
    TfNastavenia &settings = window();
    EXPECT_EQ(child<QComboBox>("cbRoundDph").currentIndex(), -1);
    settings.bitSaveClick();
    EXPECT_EQ(setting("Faktura", "RoundDph"), "0" + sep() + "10");
}

TEST_F(TfNastaveniaTest, WeakBackupSettingAsksBeforeSaving)
{
    const struct {
        const char *number;
        const char *interval;
        bool checked;
        bool asked;
    } cases[] = {
        {"10", "5", true, true},    // 12 backups an hour, 10 kept
        {"10", "6", true, false},
        {"10", "5", false, false},  // no interval backup
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.number) + "/" + c.interval);
        TfNastavenia &settings = window();
        child<QLineEdit>("eNumberBackups").setText(c.number);
        child<QLineEdit>("eBackupInterval").setText(c.interval);
        child<QCheckBox>("chbBackupInInterval").setChecked(c.checked);
        child<QLineEdit>("eOpravnenie").setText(c.interval);
        const std::size_t before = m_boxes.boxes().size();
        if (c.asked)
            m_boxes.answerBox(platform::kIdNo);
        settings.bitSaveClick();
        const auto boxes = m_boxes.boxes();
        ASSERT_EQ(boxes.size() - before, c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(boxes.back().text, services::MessageText(238) + " " + services::MessageText(239));
            EXPECT_EQ(boxes.back().flags, 36);
            // No: nothing saved, the window stays open.
            EXPECT_NE(setting("Faktura", "Opravnenie"), c.interval);
            EXPECT_NE(settings.result(), QDialog::Accepted);
        } else {
            EXPECT_EQ(setting("Faktura", "Opravnenie"), c.interval);
        }
        m_main.reset();
    }
}

TEST_F(TfNastaveniaTest, BackupFoldersAddedDeletedAndAtMostHundredStored)
{
    services::WriteSetting("BackupDirs", "0", "/mnt/b");
    TfNastavenia &settings = window();
    auto &list = child<QListWidget>("lbBackupDirs");
    auto &edit = child<QLineEdit>("eBackupDir");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), "/mnt/b/");
    edit.setText("/mnt/a");
    settings.bitAddDirClick();
    edit.setText("/mnt/a/");
    settings.bitAddDirClick();
    settings.bitAddDirClick();  // empty: the data root's Backups
    EXPECT_TRUE(edit.text().isEmpty());
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), "/mnt/a/");

    // Deleting asks with the folder named; the next item is selected.
    list.setCurrentRow(0);
    m_boxes.answerBox(platform::kIdYes);
    settings.bitDeleteDirClick();
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(312) + "\r\r\"/mnt/a/\"");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.currentRow(), 0);
    list.setCurrentRow(1);
    settings.lbBackupDirsClick();
    EXPECT_EQ(edit.text(), list.item(1)->text());

    // The browse button fills the field with a trailing slash.
    m_boxes.answerFolder(QString("/srv/z"));
    settings.BitBtn1Click();
    EXPECT_EQ(edit.text(), "/srv/z/");
    EXPECT_EQ(m_boxes.calls().back().caption, services::MessageText(227));

    for (int i = 0; i < 99; ++i) {
        edit.setText(QString("/z/%1").arg(i, 3, 10, QChar('0')));
        settings.bitAddDirClick();
    }
    ASSERT_EQ(list.count(), 101);
    settings.bitSaveClick();
    const platform::IniFile file(services::SettingsFilePath());
    EXPECT_EQ(file.keys("BackupDirs").size(), 100);
    EXPECT_EQ(file.readString("BackupDirs", "0", ""), list.item(0)->text());
}

TEST_F(TfNastaveniaTest, SettingsWriteFailureStopsTheSave)
{
    services::WriteSetting("Faktura", "Splatnost", "10");
    TfNastavenia &settings = window();
    child<QLineEdit>("eSplatnost").setText("30");
    child<QLineEdit>("eDatabase").setText(m_folders.dataRoot() + "Elsewhere/");
    QFile file(services::SettingsFilePath());
    ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner));
    m_boxes.answerBox(platform::kIdOk);
    settings.bitSaveClick();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);  // no copy question, no login
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(300));
    EXPECT_EQ(setting("Faktura", "Splatnost"), "10");
    EXPECT_NE(settings.result(), QDialog::Accepted);
}

TEST_F(TfNastaveniaTest, NewDatabaseFolderCopiesTheDatabaseAndAsksForLogin)
{
    const QString oldFolder = m_folders.dataRoot() + "Data/";
    addAdmin();
    services::WriteSetting("Databases", "x", "");  // keep the settings file non-trivial
    QDir().mkpath(services::DatabasesFolder());
    platform::IniFile list(services::DatabaseListFile());
    list.writeString("Databases", "Hlavná", oldFolder);
    list.writeString("Databases", "Iná", "/somewhere/else/");
    ASSERT_TRUE(list.save());

    TfNastavenia &settings = window();
    // Only the letter case differs: on Linux another folder.
    const QString newFolder = m_folders.dataRoot() + "DATA";
    child<QLineEdit>("eDatabase").setText(newFolder);
    m_boxes.answerBox(platform::kIdYes);  // 213: copy the database
    bool loginShown = false;
    test::onNextModal([&](QWidget &login) {
        loginShown = login.objectName() == "fLogin";
        login.close();
    });
    settings.bitSaveClick();
    EXPECT_EQ(m_boxes.boxes().at(0).text, services::MessageText(213));
    EXPECT_TRUE(loginShown);
    EXPECT_TRUE(settings.databaseCopyDone());
    EXPECT_TRUE(QFile::exists(newFolder + "/" + db::DbFileName));
    EXPECT_TRUE(QFile::exists(oldFolder + db::DbFileName));
    EXPECT_EQ(setting("General", "Directory"), newFolder + "/");
    const platform::IniFile saved(services::DatabaseListFile());
    EXPECT_EQ(saved.readString("Databases", "Hlavná", ""), newFolder + "/");
    EXPECT_EQ(saved.readString("Databases", "Iná", ""), "/somewhere/else/");
    EXPECT_TRUE(QFile::exists(services::HomeFolder("Hlavná") + "settings.txs"));
    EXPECT_TRUE(db::DbOpen);
    EXPECT_EQ(db::DbFilePath, newFolder + "/" + db::DbFileName);
}

TEST_F(TfNastaveniaTest, AutomaticBackupFollowsTheSavedInterval)
{
    services::WriteSettingBool("Backups", "BackupInInterval", false);
    services::AutoBackup.reset();
    TfNastavenia &settings = window();
    // Switched on: a new object with the interval just saved.
    child<QCheckBox>("chbBackupInInterval").setChecked(true);
    child<QLineEdit>("eBackupInterval").setText("90");
    child<QLineEdit>("eNumberBackups").setText("10");
    settings.bitSaveClick();
    ASSERT_TRUE(services::AutoBackup);
    EXPECT_EQ(services::AutoBackup->IntervalSeconds(), 90u * 60u);
    // Still on: the running object takes the new interval, rounded up.
    settings.NacitajNastavenia();
    child<QLineEdit>("eBackupInterval").setText("2" + sep() + "5");
    m_boxes.answerBox(platform::kIdYes);  // 24 an hour, 10 kept
    settings.bitSaveClick();
    ASSERT_TRUE(services::AutoBackup);
    EXPECT_EQ(services::AutoBackup->IntervalSeconds(), 3u * 60u);
    // Switched off: no automatic backup any more.
    settings.NacitajNastavenia();
    child<QCheckBox>("chbBackupInInterval").setChecked(false);
    settings.bitSaveClick();
    EXPECT_FALSE(services::AutoBackup);
}

TEST_F(TfNastaveniaTest, EmptyLanguageTagAsksToLoadTheSelectedLanguage)
{
    services::WriteSetting("Language", "tag", "");
    TfNastavenia &settings = window();
    settings.PreparePage("settingsLng");
    auto &languages = child<QListWidget>("lbLanguages");
    ASSERT_GE(languages.count(), 1);
    languages.setCurrentRow(0);
    m_boxes.answerBox(platform::kIdYes);  // 260
    settings.bitSaveClick();
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(260));
    EXPECT_EQ(setting("Language", "tag"), "SK");
    EXPECT_EQ(setting("Language", "name"), "Slovenčina");
}

TEST_F(TfNastaveniaTest, ChosenDatabaseFolderOffersTheCopyOnce)
{
    addAdmin();
    TfNastavenia &settings = window();
    const QString target = m_folders.path() + "elsewhere";
    m_boxes.answerFolder(target);
    m_boxes.answerBox(platform::kIdYes);  // 213
    settings.bitSaveDatabaseClick();
    EXPECT_EQ(m_boxes.calls().front().caption, services::MessageText(226));
    EXPECT_EQ(m_boxes.calls().front().startFolder, m_folders.dataRoot() + "Data/");
    EXPECT_EQ(child<QLineEdit>("eDatabase").text(), target + "/");
    EXPECT_TRUE(QFile::exists(target + "/" + db::DbFileName));
    EXPECT_TRUE(settings.databaseCopyDone());
    // Saving does not ask again; the login follows the folder change.
    test::onNextModal([](QWidget &login) { login.close(); });
    settings.bitSaveClick();
    EXPECT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(setting("General", "Directory"), target + "/");
}

TEST_F(TfNastaveniaTest, LicenseAndChangelogFilesOrTheirMissingTexts)
{
    TfNastavenia &settings = window();
    settings.PreparePage("HELP");
    EXPECT_EQ(child<QTabWidget>("PgCtrlCorvane").currentIndex(), 3);
    EXPECT_EQ(settings.helpTopic(), "nastavenia_licencia");
    EXPECT_TRUE(child<QTextEdit>("reLicense").toPlainText().startsWith(services::MessageText(0)));
    EXPECT_TRUE(child<QPlainTextEdit>("mChangelog").toPlainText().startsWith(services::MessageText(1)));

    // The file of the current language comes first.
    QFile general(services::ProgramDir + "Bralvo-license.rtf");
    ASSERT_TRUE(general.open(QIODevice::WriteOnly));
    general.write("General terms");
    general.close();
    QFile changelog(services::ProgramDir + "Bralvo-SK-changelog.txt");
    ASSERT_TRUE(changelog.open(QIODevice::WriteOnly));
    changelog.write("v 1.0: prvá verzia");
    changelog.close();
    settings.PreparePage("changelog");
    EXPECT_EQ(settings.helpTopic(), "");  // F1 does nothing here
    EXPECT_EQ(child<QTextEdit>("reLicense").toPlainText(), "General terms");
    EXPECT_EQ(child<QPlainTextEdit>("mChangelog").toPlainText(), "v 1.0: prvá verzia");
}

TEST_F(TfNastaveniaTest, MenuOpensTheWindowOnItsPage)
{
    addAdmin();
    createMain().StartupSequenceRun();
    const struct {
        const char *item;
        int page;
        int subPage;
        const char *helpTopic;
    } cases[] = {
        {"menuNastavenia", 0, 0, "nastavenia_hlavne"},
        {"menuAbout", 4, 0, ""},
        {"menuJazyk", 0, 5, "nastavenia_jazyk"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.item);
        int page = -1, subPage = -1;
        QString topic;
        test::onNextModal([&](QWidget &w) {
            page = w.findChild<QTabWidget *>("PgCtrlCorvane")->currentIndex();
            subPage = w.findChild<QTabWidget *>("PgCtrlSettings")->currentIndex();
            topic = static_cast<TfNastavenia &>(w).helpTopic();
            w.close();
        });
        m_main->menuItem(c.item)->trigger();
        EXPECT_EQ(page, c.page);
        EXPECT_EQ(subPage, c.subPage);
        EXPECT_EQ(topic, c.helpTopic);
    }
    // The embedded language page lists the shipped language.
    EXPECT_GE(child<QListWidget>("lbLanguages").count(), 1);
}

// A second currency equal to the home one is saved with a warning: domestic
// bills then get no second currency.
TEST_F(TfNastaveniaTest, SecondCurrencyEqualToTheHomeOneWarns)
{
    const struct {
        const char *home, *second;
        bool dual, warns;
    } cases[] = {{"EUR", "eur", true, true}, {"EUR", "EUR", false, false}, {"SKK", "EUR", true, false}};
    for (const auto &c : cases) {
        TfNastavenia &settings = window();
        child<QLineEdit>("eDomacaMenaIso").setText(c.home);
        child<QComboBox>("cbCudziaMenaIso").setEditText(c.second);
        child<QCheckBox>("chbDomaceFADualne").setChecked(c.dual);
        const std::size_t before = m_boxes.boxes().size();
        if (c.warns)
            m_boxes.answerBox(platform::kIdOk);
        settings.bitSaveClick();
        const std::string name = std::string(c.home) + "/" + c.second;
        ASSERT_EQ(m_boxes.boxes().size() - before, c.warns ? 1u : 0u) << name;
        if (c.warns) {
            EXPECT_EQ(m_boxes.boxes()[before].flags, 48);
            EXPECT_TRUE(m_boxes.boxes()[before].text.contains("eur")) << m_boxes.boxes()[before].text.toStdString();
        }
        EXPECT_EQ(setting("Mena", "CudziaMenaIso"), c.second) << name;
        m_main.reset();
    }
}

TEST_F(TfNastaveniaTest, MissingRightShowsText133AndNoWindow)
{
    withDatabase({addUser("Eva", "eva", "", 1), addUser("Jozef", "jozef", "", 0)});
    test::onNextModal([](QWidget &login) {
        login.findChild<QComboBox *>("cbLogin")->setEditText("jozef");
        login.findChild<QPushButton *>("bitOK")->click();
    });
    createMain().StartupSequenceRun();
    ASSERT_EQ(db::CurrentUserLogin(), "jozef");
    test::NoModalExpected noWindow;
    for (const char *name : {"menuNastavenia", "menuAbout", "menuJazyk"}) {
        SCOPED_TRACE(name);
        m_boxes.answerBox(platform::kIdOk);
        m_main->menuItem(name)->trigger();
        EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(133));
        EXPECT_EQ(m_boxes.boxes().back().flags, 48);
    }
}

// --- problem report through a real exim

class ProblemReportTest : public TfNastaveniaTest {
protected:
    void SetUp() override
    {
        TfNastaveniaTest::SetUp();
        const QString reason = m_exim.start();
        ASSERT_TRUE(reason.isEmpty()) << reason.toStdString();
    }
    TfNastavenia &reportWindow(int port)
    {
        TfNastavenia &settings = window();
        settings.setReportAccount({"hlasenie@example.sk", "bob@example.sk",
                                   QString("127.0.0.1:%1").arg(port), net::test::kUser,
                                   net::test::kPassword});
        return settings;
    }
    net::test::EximServer m_exim;
};

TEST_F(ProblemReportTest, ReportIsDeliveredInWindows1250)
{
    TfNastavenia &settings = reportWindow(m_exim.port());
    child<QLineEdit>("eName").setText("Ľuboš");
    child<QLineEdit>("eEMail").setText("lubos@example.sk");
    child<QPlainTextEdit>("mMessage").setPlainText("Subject: nie hlavička\nTlač zlyhá.\n.\nKoniec");
    m_boxes.answerBox(platform::kIdOk);
    settings.bitSendClick();
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(8));
    EXPECT_EQ(m_boxes.boxes().back().flags, 64);
    EXPECT_TRUE(child<QPlainTextEdit>("mMessage").toPlainText().isEmpty());
    EXPECT_TRUE(child<QLineEdit>("eEMail").text().isEmpty());
    EXPECT_TRUE(child<QLineEdit>("eName").text().isEmpty());

    const QByteArrayList mails = m_exim.mailbox("bob");
    ASSERT_EQ(mails.size(), 1);
    const QByteArray mail = mails.first();
    EXPECT_TRUE(mail.contains("Subject: Report - Bralvo")) << mail.toStdString();
    EXPECT_TRUE(mail.contains("From: lubos@example.sk"));
    EXPECT_TRUE(mail.contains("Content-Type: text/plain; charset=windows-1250"));
    EXPECT_TRUE(mail.contains("MIME-Version: 1.0"));
    EXPECT_TRUE(mail.contains("Content-Transfer-Encoding: 8bit"));
    // MessageTextIsNeverReadAsHeaders: the user's first line is body text.
    const int bodyStart = mail.indexOf("\n\n");
    ASSERT_GE(bodyStart, 0);
    const QByteArray body = mail.mid(bodyStart + 2);
    EXPECT_TRUE(body.startsWith("Subject: nie hlavi\xe8ka\nTla\xe8 zlyh\xe1.\n.\nKoniec\n---\n\xbcubo\x9a"))
        << body.toStdString();
}

TEST_F(ProblemReportTest, FailureIsReportedAndTheTextKept)
{
    net::test::EximServer refusing;
    net::test::EximOptions options;
    options.refuseConnect = true;  // greeting 554
    const QString reason = refusing.start(options);
    ASSERT_TRUE(reason.isEmpty()) << reason.toStdString();
    TfNastavenia &settings = reportWindow(refusing.port());
    child<QPlainTextEdit>("mMessage").setPlainText("Text");
    m_boxes.answerBox(platform::kIdOk);
    settings.bitSendClick();
    EXPECT_EQ(m_boxes.boxes().back().text, services::MessageText(7));
    EXPECT_EQ(m_boxes.boxes().back().flags, 16);
    EXPECT_EQ(child<QPlainTextEdit>("mMessage").toPlainText(), "Text");
}

TEST_F(ProblemReportTest, LineBreakInEmailOrNameIsRefusedAndNothingSent)
{
    TfNastavenia &settings = reportWindow(m_exim.port());
    child<QLineEdit>("eEMail").setText("eva@example.sk\r\nBcc: mallory@example.sk");
    child<QPlainTextEdit>("mMessage").setPlainText("Text");
    m_boxes.answerBox(platform::kIdOk);
    settings.bitSendClick();
    EXPECT_EQ(m_boxes.boxes().back().flags, 16);
    EXPECT_EQ(child<QPlainTextEdit>("mMessage").toPlainText(), "Text");
    EXPECT_TRUE(m_exim.mailbox("bob", 300).isEmpty());
    EXPECT_TRUE(m_exim.mailbox("mallory", 300).isEmpty());

    // An empty message sends nothing and says nothing.
    child<QLineEdit>("eEMail").setText("eva@example.sk");
    child<QPlainTextEdit>("mMessage").clear();
    const std::size_t boxes = m_boxes.boxes().size();
    settings.bitSendClick();
    EXPECT_EQ(m_boxes.boxes().size(), boxes);
}

} // namespace

namespace {

// An interval of 0 or a non-number started a backup every second, and
// letters in number fields were dropped or stored as 0: such values are
// refused with a message naming the field, which takes the focus;
// nothing is saved.
TEST_F(TfNastaveniaTest, NumberFieldsRefuseNonNumbersAndIntervalsBelowOne)
{
    const struct {
        const char *field;
        const char *typed;
        const char *label;
        const char *bounds;
    } cases[] = {
        {"eBackupInterval", "0", "Interval zálohovania (minúty)", "1 do 99999"},
        {"eBackupInterval", "x", "Interval zálohovania (minúty)", "1 do 99999"},
        {"eBackupInterval", "-5", "Interval zálohovania (minúty)", "1 do 99999"},
        {"eNumberBackups", "10a", "Počet uchovávaných záloh", "0 do 999"},
        {"eSplatnost", "1e3", "Splatnosť (dni)", "0 do 9999"},
        {"eKurz", "abc", "Kurz", "0 do 1000000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.field) + "=" + c.typed);
        TfNastavenia &settings = window();
        child<QLineEdit>("eOpravnenie").setText("changed");
        child<QLineEdit>(c.field).setText(QString::fromUtf8(c.typed));
        const std::size_t before = m_boxes.boxes().size();
        m_boxes.answerBox(platform::kIdOk);
        settings.bitSaveClick();
        const auto boxes = m_boxes.boxes();
        ASSERT_EQ(boxes.size() - before, 1u);
        EXPECT_EQ(boxes.back().text,
                  QString::fromUtf8("Do poľa \"%1\" zadajte číslo od %2.").arg(QString::fromUtf8(c.label), c.bounds));
        EXPECT_EQ(boxes.back().flags, 48);
        EXPECT_NE(setting("Faktura", "Opravnenie"), "changed");
        EXPECT_NE(settings.result(), QDialog::Accepted);
        EXPECT_EQ(settings.focusWidget(), &child<QLineEdit>(c.field));
        m_main.reset();
    }
}

// The fields take only what a number may hold.
TEST_F(TfNastaveniaTest, NumberFieldsTakeOnlyNumbersWhenTyped)
{
    window();
    QLineEdit &interval = child<QLineEdit>("eBackupInterval");
    interval.clear();
    QTest::keyClicks(&interval, "1a5x");
    EXPECT_EQ(interval.text(), "15");
    QLineEdit &days = child<QLineEdit>("eSplatnost");
    days.clear();
    QTest::keyClicks(&days, "-1,4");
    EXPECT_EQ(days.text(), "14");
}

} // namespace
