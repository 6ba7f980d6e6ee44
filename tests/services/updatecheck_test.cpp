// The update check against index files served on 127.0.0.1, with the
// message boxes answered by script, and the report after an update.
#include "platform/regionalsettings.h"
#include "services/download.h"
#include "services/globals.h"
#include "services/messages.h"
#include "services/uitexts.h"
#include "services/updatecheck.h"
#include "tests/services/httptestserver.h"
#include "tests/support/qstringprint.h"
#include "tests/support/filecontent.h"
#include "tests/support/programfolders.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::services;
using bralvo::test::fileContent;
using bralvo::test::writeFileContent;
using bralvo::platform::kIdNo;
using bralvo::platform::kIdOk;
using bralvo::platform::kIdYes;
using bralvo::test::HttpTestServer;
using bralvo::test::ScriptedMessageBoxes;

namespace {

// A notes file: line 2 the label, 3 the date, 5 the installer, 6.. notes.
QByteArray notes(const QByteArray &label, const QByteArray &date)
{
    return "x\r\n" + label + "\r\n" + date + "\r\n\r\nhttps://www.example.sk/setup-" + label
           + ".exe\r\n- change of " + label + "\r\n\r\n- fix of " + label + "\r\n";
}

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UpdateBusy = false;
        QString error;
        ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
        ASSERT_TRUE(m_work.isValid());
    }
    void TearDown() override { UpdateBusy = false; }

    QString work(const QString &name = QString()) const { return m_work.path() + u'/' + name; }

    UpdateCheckSetup setup(bool interactive)
    {
        UpdateCheckSetup s;
        s.interactive = interactive;
        s.workFolder = work();
        s.currentVersion = QStringLiteral("1.02");
        s.runningExecutable = QStringLiteral("bralvo");
        s.exeName = QStringLiteral("bralvo");
        s.title = QStringLiteral("Bralvo");
        s.downloadName = QStringLiteral("bralvo");
        s.downloadRoot = m_server.baseUrl();
        s.isConnected = [this] { return m_connected; };
        s.runUpdater = [this](const QString &tool) {
            m_updaterRuns << tool;
            return m_updaterExitCode;
        };
        s.endProgram = [this](int code) { m_endedWith = code; };
        s.openAddress = [this](const QString &address) {
            m_opened << address;
            return true;
        };
        return s;
    }
    void run(bool interactive) { UpdateCheck(setup(interactive)).run(); }

    // main.inst lists these stems and versions.
    void publish(const QByteArray &mainIndex) { m_server.writeFile(QStringLiteral("bralvo/main.inst"), mainIndex); }
    void publishNotes(const QString &stem, const QByteArray &label)
    {
        m_server.writeFile(QStringLiteral("bralvo/") + stem + QStringLiteral(".inst"), notes(label, "1.1.2026"));
    }
    void publishUpdater(const QByteArray &index = "[general]\nversion=2.5\nnumber=7\n")
    {
        m_server.writeFile(QStringLiteral("tamrexupd/txindex.inst"), index);
        m_server.writeFile(QStringLiteral("tamrexupd/TamrexUPD7.exe"), "MZ updater");
    }
    // One newer version 1.03 (stem v103) beside the running 1.02.
    void publishOneNewer()
    {
        publish("[general]\nv101=1.01\nv102=1.02\nv103=1.03\n");
        publishNotes(QStringLiteral("v103"), "1.03");
        publishUpdater();
    }
    QStringList leftovers() const
    {
        return QDir(work()).entryList({QStringLiteral("*.inst"), QStringLiteral("updating.temp")}, QDir::Files,
                                      QDir::Name);
    }

    bralvo::test::ProgramFolders m_folders;
    bralvo::platform::ScopedRegionalSettings m_regional{bralvo::platform::RegionalSettings::slovak()};
    HttpTestServer m_server;
    QTemporaryDir m_work;
    ScriptedMessageBoxes m_boxes;
    bool m_connected = true;
    int m_updaterExitCode = 0;
    QStringList m_updaterRuns;
    std::optional<int> m_endedWith;
    QStringList m_opened;
};

const QString kRetryLater = QStringLiteral(" Prosím operáciu opakujte neskôr.");

} // namespace

TEST_F(UpdateCheckTest, RunningVersionEqualToNewestSaysSoOnlyWhenInteractive)
{
    publish("[general]\nv101=1.01\nv102=1.02\n");
    run(false);
    EXPECT_TRUE(m_boxes.calls().empty());
    EXPECT_FALSE(UpdateBusy);
    m_boxes.answerBox(kIdOk);
    run(true);
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_EQ(m_boxes.calls()[0].text,
              QStringLiteral("Žiadne nové verzie programu \"Bralvo\" nie sú k dispozícii. Vaša verzia je aktuálna."));
    EXPECT_EQ(m_boxes.calls()[0].flags, kMbInformation);
    EXPECT_EQ(m_boxes.calls()[0].caption, QStringLiteral("Bralvo"));
    // main.inst stays until the next check; nothing else is fetched.
    EXPECT_EQ(leftovers(), QStringList{QStringLiteral("main.inst")});
    EXPECT_EQ(m_server.requestCount(QStringLiteral("txindex")), 0);
    EXPECT_FALSE(UpdateBusy);
}

TEST_F(UpdateCheckTest, PublishedVersionBelowRunningOneIsReported)
{
    publish("[general]\nv100=1.00\nv101=1.01\n");
    m_boxes.answerBox(kIdOk);
    run(true);
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_EQ(m_boxes.calls()[0].text,
              QStringLiteral("Máte novšiu verziu programu \"Bralvo\" ako je oficiálne uvedené na stránke.\r"
                             "Aktuálna verzia uvedená na stránke je \"[v 1.01]\" a vaša verzia je \"[v 1.02]\" . "
                             "Prosím informujte sa u nás cez e-mail (\"")
                  + ContactEmailAddress()
                  + QStringLiteral("\"), či nebola novšia verzia kôli chybám dočasne stiahnutá z ponuky.\r"
                                   "Odporúča sa stiahnuť verziu uvedenú na stránke ( ")
                  + ProgramWebAddress + QStringLiteral(" )."));
    EXPECT_EQ(m_boxes.calls()[0].flags, kMbInformation);
}

TEST_F(UpdateCheckTest, BrokenIndexesAreReportedOnlyWhenInteractiveAndCleanedUp)
{
    struct Case {
        const char *name;
        const char *mainIndex;    // nullptr: not on the server
        const char *updaterIndex; // nullptr: not on the server
        int flags;
        QString text;             // the whole text, or the detail of a numbered box
        const char *code;         // "" for a plain box
    };
    const Case cases[] = {
        {"no main.inst", nullptr, nullptr, kMbInformation,
         QStringLiteral("Nepodarilo sa stiahnuť informácie z internetu (\"main.inst\"). Operáciu prosím opakujte "
                        "neskôr."),
         ""},
        {"no [general]", "[other]\na=1\n", nullptr, kMbError,
         QStringLiteral("Chyba po načítaní súboru \"main.inst\".") + kRetryLater, "#00001"},
        {"no keys", "[general]\n", nullptr, kMbError,
         QStringLiteral("Niektoré informácie v súbore \"main.inst\" sú chybné.") + kRetryLater, "#00004"},
        {"empty newest", "[general]\nv101=1.01\nv109=\n", nullptr, kMbError,
         QStringLiteral("Niektoré informácie v súbore \"main.inst\" sú chybné.") + kRetryLater, "#00004"},
        {"no txindex", "[general]\nv103=1.03\n", nullptr, kMbInformation,
         QStringLiteral("Nepodarilo sa stiahnuť informácie z internetu (\"txindex.inst\"). Operáciu prosím "
                        "opakujte neskôr."),
         ""},
        {"txindex without [general]", "[general]\nv103=1.03\n", "[x]\nversion=1\n", kMbError,
         QStringLiteral("Chyba po načítaní súboru \"txindex.inst\".") + kRetryLater, "#00002"},
        {"txindex without number", "[general]\nv103=1.03\n", "[general]\nversion=2.5\n", kMbError,
         QStringLiteral("Niektoré informácie v súbore \"txindex.inst\" sú chybné.") + kRetryLater, "#00005"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        m_server.removeFile(QStringLiteral("bralvo/main.inst"));
        m_server.removeFile(QStringLiteral("tamrexupd/txindex.inst"));
        if (c.mainIndex)
            publish(c.mainIndex);
        if (c.updaterIndex)
            m_server.writeFile(QStringLiteral("tamrexupd/txindex.inst"), c.updaterIndex);
        const size_t before = m_boxes.calls().size();
        run(false);
        EXPECT_EQ(m_boxes.calls().size(), before);
        m_boxes.answerBox(kIdOk);
        run(true);
        ASSERT_EQ(m_boxes.calls().size(), before + 1);
        const auto &box = m_boxes.calls().back();
        EXPECT_EQ(box.flags, c.flags);
        EXPECT_EQ(box.text, *c.code ? UnexpectedErrorText(QString::fromUtf8(c.code), c.text) : c.text);
        EXPECT_TRUE(leftovers().isEmpty());
        EXPECT_FALSE(UpdateBusy);
    }
}

TEST_F(UpdateCheckTest, NoConnectionWarnsWhenInteractive)
{
    m_connected = false;
    run(false);
    EXPECT_TRUE(m_boxes.calls().empty());
    m_boxes.answerBox(kIdOk);
    run(true);
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_EQ(m_boxes.calls()[0].text,
              QStringLiteral("Pre zistenie novej verzie programu \"Bralvo\" musíte byť pripojený na internet!\r"
                             "Pripojte sa na internet a pokus opakujte."));
    EXPECT_EQ(m_boxes.calls()[0].flags, kMbWarning);
    EXPECT_EQ(m_server.requestCount(QStringLiteral("/")), 0);
    EXPECT_FALSE(UpdateBusy);
}

TEST_F(UpdateCheckTest, SevenNewerVersionsShowNotesOfNewestFour)
{
    QByteArray index = "[general]\nv102=1.02\n";
    for (int v = 3; v <= 9; ++v) {
        const QByteArray label = "1.0" + QByteArray::number(v);
        index += "v10" + QByteArray::number(v) + "=" + label + "\n";
        publishNotes(QStringLiteral("v10%1").arg(v), label);
    }
    publish(index);
    publishUpdater();
    m_boxes.answerBox(kIdNo);  // not now
    m_boxes.answerBox(kIdNo);  // no installer either
    run(false);
    ASSERT_EQ(m_boxes.calls().size(), 2u);
    const auto &question = m_boxes.calls()[0];
    EXPECT_EQ(question.flags, kMbInformationYesNo);
    const QString expected =
        QStringLiteral("Vyšla nová verzia programu \"Bralvo\". Nová verzia je \"[v 1.09]\" a vaša verzia je "
                       "\"[v 1.02]\". Prajete si automaticky stiahnuť a nainštalovať novú verziu programu?")
        + QStringLiteral("\r\n\r\n\r\n[1.09]\r\n(dátum vydania: 1.1.2026)\r\n-----\r\n- change of 1.09\r\n- fix of 1.09")
        + QStringLiteral("\r\n\r\n\r\n[1.08]\r\n(dátum vydania: 1.1.2026)\r\n-----\r\n- change of 1.08\r\n- fix of 1.08")
        + QStringLiteral("\r\n\r\n\r\n[1.07]\r\n(dátum vydania: 1.1.2026)\r\n-----\r\n- change of 1.07\r\n- fix of 1.07")
        + QStringLiteral("\r\n\r\n\r\n[1.06]\r\n(dátum vydania: 1.1.2026)\r\n-----\r\n- change of 1.06\r\n- fix of 1.06")
        + QStringLiteral("\r\n\r\n\r\n+ Vyšla nová verzia aktualizačného programu \"TamrexUPD\".");
    EXPECT_EQ(question.text, expected);
    EXPECT_EQ(m_boxes.calls()[1].text,
              QStringLiteral("Prajete si stiahnuť inštalačný súbor, z ktorého program nainštalujete manuálne "
                             "neskôr?"));
    EXPECT_EQ(m_boxes.calls()[1].flags, kMbQuestionYesNo);
    EXPECT_EQ(m_server.requestCount(QStringLiteral("v105.inst")), 0);
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_FALSE(UpdateBusy);
}

TEST_F(UpdateCheckTest, InstallerAddressOpensOnlyWhenItIsAWebLink)
{
    publishOneNewer();
    m_boxes.answerBox(kIdNo);
    m_boxes.answerBox(kIdYes);
    run(true);
    EXPECT_EQ(m_opened, QStringList{QStringLiteral("https://www.example.sk/setup-1.03.exe")});
    m_server.writeFile(QStringLiteral("bralvo/v103.inst"), "x\n1.03\nd\n\nfile:///etc/passwd\nnote\n");
    m_boxes.answerBox(kIdNo);
    m_boxes.answerBox(kIdYes);
    run(true);
    EXPECT_EQ(m_opened.size(), 1);
}

TEST_F(UpdateCheckTest, RunningVersionOlderThanEveryListedOneIsError3WhenInteractive)
{
    publish("[general]\nv103=1.03\nv104=1.04\n");
    publishUpdater();
    run(false);
    EXPECT_TRUE(m_boxes.calls().empty());
    m_boxes.answerBox(kIdOk);
    run(true);
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_EQ(m_boxes.calls()[0].text,
              UnexpectedErrorText(QStringLiteral("#00003"),
                                  QStringLiteral("Nepodarilo sa vyhľadať informácie o verzii programu, ktorú je "
                                                 "potrebné stiahnuť. Update nemôže pokračovať. Vašu verziu nám "
                                                 "oznámte cez e-mail (\"")
                                      + ContactEmailAddress()
                                      + QStringLiteral("\"). Vaša verzia je \"[v 1.02]\".")));
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(UpdateCheckTest, CountNewerVersionsWalksBackFromTheNewest)
{
    publish("[general]\nv100=1.00\nv101=1.01\nv102=1.02\nv103=1.03\nv104=1.04\n");
    UpdateCheck check(setup(true));
    ASSERT_TRUE(FetchUrlQuietly(m_server.baseUrl() + QStringLiteral("bralvo/main.inst"), work(QStringLiteral("main.inst"))));
    const QStringList keys{QStringLiteral("v100"), QStringLiteral("v101"), QStringLiteral("v102"),
                           QStringLiteral("v103"), QStringLiteral("v104")};
    struct Case {
        const char *current;
        int count;
    };
    for (const Case &c : {Case{"1.02", 2}, Case{"1.035", 1}, Case{"1.04", 0}, Case{"1.01 (build 5)", 3},
                          Case{"0.5", 0}}) {
        SCOPED_TRACE(c.current);
        EXPECT_EQ(check.CountNewerVersions(keys, QString::fromUtf8(c.current)), c.count);
    }
}

TEST_F(UpdateCheckTest, YesDownloadsUpdaterWritesHandOverAndEndsProgram)
{
    publishOneNewer();
    m_boxes.answerBox(kIdYes);
    run(false);
    EXPECT_EQ(fileContent(work(QStringLiteral("Data/TamrexUPD.exe"))), QByteArray("MZ updater"));
    EXPECT_EQ(m_updaterRuns, QStringList{work(QStringLiteral("Data/TamrexUPD.exe"))});
    EXPECT_EQ(m_endedWith, 0);
    EXPECT_EQ(fileContent(work(QStringLiteral("inst.inst"))), QByteArray("bralvo\nbralvo\nbralvo\nbralvov103.inst\n"));
    EXPECT_EQ(fileContent(work(QStringLiteral("updating.temp"))), QByteArray("1.03\n"));
    EXPECT_EQ(leftovers(), (QStringList{QStringLiteral("inst.inst"), QStringLiteral("updating.temp")}));
    EXPECT_FALSE(UpdateBusy);
}

TEST_F(UpdateCheckTest, InstalledUpdaterIsNotFetchedAgain)
{
    publishOneNewer();
    writeFileContent(work(QStringLiteral("Data/TamrexUPD.exe")), "installed");
    m_boxes.answerBox(kIdYes);
    run(true);
    EXPECT_FALSE(m_boxes.calls()[0].text.contains(QStringLiteral("TamrexUPD")));
    EXPECT_EQ(fileContent(work(QStringLiteral("Data/TamrexUPD.exe"))), QByteArray("installed"));
    EXPECT_EQ(m_server.requestCount(QStringLiteral("TamrexUPD7")), 0);
    EXPECT_EQ(m_endedWith, 0);
}

TEST_F(UpdateCheckTest, UpdaterThatCannotStartKeepsProgramRunning)
{
    publishOneNewer();
    m_updaterExitCode = -1;
    m_boxes.answerBox(kIdYes);
    m_boxes.answerBox(kIdOk);
    run(false);
    EXPECT_FALSE(m_endedWith);
    ASSERT_EQ(m_boxes.calls().size(), 2u);
    EXPECT_EQ(m_boxes.calls()[1].flags, kMbWarning);
    EXPECT_EQ(m_boxes.calls()[1].text,
              QStringLiteral("Aktualizačný program \"") + work(QStringLiteral("Data/TamrexUPD.exe"))
                  + QStringLiteral("\" sa nepodarilo spustiť alebo skončil s chybou. Program nebol aktualizovaný.\r"
                                   "Novú verziu môžete nainštalovať manuálne: https://www.example.sk/setup-1.03.exe"));
    // No hand-over is left for a later start to misreport.
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_FALSE(UpdateBusy);
}

TEST_F(UpdateCheckTest, ToolIsRunThroughTheProcessLayer)
{
    publishOneNewer();
    // The downloaded Windows file cannot run here: the program stays.
    UpdateCheckSetup s = setup(false);
    s.runUpdater = nullptr;
    m_boxes.answerBox(kIdYes);
    m_boxes.answerBox(kIdOk);
    UpdateCheck(s).run();
    EXPECT_FALSE(m_endedWith);
    ASSERT_EQ(m_boxes.calls().size(), 2u);
    EXPECT_EQ(m_boxes.calls()[1].flags, kMbWarning);
    // An updater installed for this system runs, sees the hand-over files
    // and the program then ends.
    const QString marker = work(QStringLiteral("ran"));
    writeFileContent(work(QStringLiteral("Data/TamrexUPD.exe")),
             "#!/bin/sh\ncat '" + work(QStringLiteral("inst.inst")).toUtf8() + "' > '" + marker.toUtf8() + "'\n");
    QFile::setPermissions(work(QStringLiteral("Data/TamrexUPD.exe")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_boxes.answerBox(kIdYes);
    UpdateCheck(s).run();
    EXPECT_EQ(m_endedWith, 0);
    EXPECT_EQ(fileContent(marker), QByteArray("bralvo\nbralvo\nbralvo\nbralvov103.inst\n"));
}

TEST_F(UpdateCheckTest, FailedUpdaterDownloadDoesNotLockLaterChecks)
{
    publishOneNewer();
    m_server.removeFile(QStringLiteral("tamrexupd/TamrexUPD7.exe"));
    m_boxes.answerBox(kIdYes);
    EXPECT_THROW(run(false), DownloadError);
    EXPECT_FALSE(UpdateBusy);
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_FALSE(QFile::exists(work(QStringLiteral("Data/TamrexUPD.exe"))));
    EXPECT_TRUE(m_updaterRuns.isEmpty());
    // The next check runs.
    m_server.writeFile(QStringLiteral("tamrexupd/TamrexUPD7.exe"), "MZ updater");
    m_boxes.answerBox(kIdYes);
    run(false);
    EXPECT_EQ(m_endedWith, 0);
}

TEST_F(UpdateCheckTest, NotesKeyEscapingWorkFolderIsRefused)
{
    publish("[general]\nv101=1.01\nzz/../../../evil=1.09\n");
    m_server.writeFile(QStringLiteral("evil.inst"), notes("1.09", "d"));
    publishUpdater();
    m_boxes.answerBox(kIdOk);
    run(true);
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_EQ(m_boxes.calls()[0].text,
              UnexpectedErrorText(QStringLiteral("#00004"), QStringLiteral("Niektoré informácie v súbore "
                                                                           "\"main.inst\" sú chybné.")
                                                                + kRetryLater));
    EXPECT_FALSE(QFile::exists(work(QStringLiteral("../evil.inst"))));
    EXPECT_EQ(m_server.requestCount(QStringLiteral("evil")), 0);
}

TEST_F(UpdateCheckTest, StaleIndexCopyIsNotTakenForADownload)
{
    publish("[general]\nv103=1.03\n");
    writeFileContent(work(QStringLiteral("txindex.inst")), "[general]\nversion=2.5\nnumber=7\n");
    m_boxes.answerBox(kIdOk);
    run(true);
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_TRUE(m_boxes.calls()[0].text.contains(QStringLiteral("(\"txindex.inst\")")));
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(UpdateCheckTest, CheckWhileBusyDoesNothing)
{
    publishOneNewer();
    UpdateBusy = true;
    run(true);
    EXPECT_TRUE(m_boxes.calls().empty());
    EXPECT_EQ(m_server.requestCount(QStringLiteral("/")), 0);
    EXPECT_TRUE(UpdateBusy);
}

TEST_F(UpdateCheckTest, MissingNotesFileIsAnErrorBoxWhenInteractive)
{
    publish("[general]\nv102=1.02\nv103=1.03\nv104=1.04\n");
    publishNotes(QStringLiteral("v104"), "1.04");
    publishUpdater();
    m_boxes.answerBox(kIdOk);
    run(true);
    ASSERT_EQ(m_boxes.calls().size(), 1u);
    EXPECT_EQ(m_boxes.calls()[0].text,
              QStringLiteral("Nepodarilo sa stiahnuť súbor s informáciami pre niektorú verziu (v103.inst)."));
    EXPECT_EQ(m_boxes.calls()[0].flags, kMbError);
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_FALSE(UpdateBusy);
}

// --- after an update -------------------------------------------------------

TEST(AfterUpdate, ReportsWhetherTheExpectedVersionRuns)
{
    struct Case {
        const char *expected;
        int flags;
        QString text;
    };
    const QString failed = QStringLiteral("Aktualizácia bola neúspešná!\rV prípade problémov nás prosím kontaktujte "
                                          "cez e-mail (\"")
                           + ContactEmailAddress() + QStringLiteral("\").");
    const Case cases[] = {
        {"1.01 (build 39)\n", kMbInformation, QStringLiteral("Aktualizácia prebehla úspešne.")},
        {"1,01 (Build 39)", kMbInformation, QStringLiteral("Aktualizácia prebehla úspešne.")},
        {"1.01 (build 40)\n", kMbWarning, failed},
        {"1.0139\n", kMbWarning, failed},  // another version, not build 39 of 1.01
        {"", kMbWarning, failed},
        {"1.2.3", kMbWarning, failed},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        QTemporaryDir folder;
        writeFileContent(folder.filePath(QStringLiteral("updating.temp")), c.expected);
        ScriptedMessageBoxes boxes;
        boxes.answerBox(kIdOk);
        AfterUpdateIn(folder.path() + u'/', QStringLiteral("1.01 (build 39)"), QStringLiteral("Cap"));
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].flags, c.flags);
        EXPECT_EQ(boxes.calls()[0].text, c.text);
        EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("Cap"));
        EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("updating.temp"))));
        EXPECT_FALSE(UpdateBusy);
    }
}

TEST(AfterUpdate, RemovesOnlyAnEmptyWorkingFolderAndSaysNothingWithoutHandOver)
{
    QTemporaryDir folder;
    ScriptedMessageBoxes boxes;
    QDir().mkpath(folder.filePath(QStringLiteral("TempUpd")));
    AfterUpdateIn(folder.path() + u'/', QStringLiteral("1.01"), QStringLiteral("Cap"));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("TempUpd"))));
    writeFileContent(folder.filePath(QStringLiteral("TempUpd/left.bin")), "x");
    AfterUpdateIn(folder.path() + u'/', QStringLiteral("1.01"), QStringLiteral("Cap"));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("TempUpd/left.bin"))));
    EXPECT_TRUE(boxes.calls().empty());
}

namespace {

// Versions were read as one number ("1.01 (build 39)" as 1.0139), so build
// 10 was older than build 1 and build 4 was offered over build 39.
TEST_F(UpdateCheckTest, BuildNumbersCompareAsNumbers)
{
    publish("[general]\nv0=1.00\nv1=1.01 (build 1)\nv2=1.01 (build 4)\nv3=1.01 (build 39)\n");
    UpdateCheck check(setup(true));
    ASSERT_TRUE(FetchUrlQuietly(m_server.baseUrl() + QStringLiteral("bralvo/main.inst"), work(QStringLiteral("main.inst"))));
    const QStringList keys{QStringLiteral("v0"), QStringLiteral("v1"), QStringLiteral("v2"), QStringLiteral("v3")};
    struct Case {
        const char *current;
        int count;
    };
    for (const Case &c : {Case{"1.01 (build 10)", 1}, Case{"1.01 (build 39)", 0}, Case{"1.01 (Build 3)", 2},
                          Case{"1.01 (build 40)", 0}, Case{"1.02", 0}}) {
        SCOPED_TRACE(c.current);
        EXPECT_EQ(check.CountNewerVersions(keys, QString::fromUtf8(c.current)), c.count);
    }
}

} // namespace
