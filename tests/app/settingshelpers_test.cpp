// The settings window's plain helpers: backup folders as typed and
// stored, the rate field's separator key and the problem report mail.
#include "app/backupfolderlist.h"
#include "app/problemreport.h"
#include "app/ratefield.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"
#include "tests/services/qstringprint.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace bralvo;

namespace {

const QString kRoot = "/home/eva/.local/share/Tamrex/Bralvo/";

TEST(BackupFolderList, TypedFolderBecomesAStoredFolder)
{
    const struct {
        const char *typed;
        QString expected;
    } cases[] = {
        {"", kRoot + "Backups/"},
        {"/mnt/zalohy", "/mnt/zalohy/"},
        {"/mnt/zalohy/", "/mnt/zalohy/"},
        {"\\zalohy", "zalohy/"},              // the old drive-less form
        {"\\\\server\\zalohy", "\\\\server\\zalohy/"},  // two backslashes stay
        {"zalohy", "zalohy/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(app::TypedBackupFolder(c.typed, kRoot), c.expected) << c.typed;
}

TEST(BackupFolderList, AddKeepsOneOfEachFolderSortedWithoutCase)
{
    QStringList folders = {"/b/", "/C/"};
    EXPECT_TRUE(app::AddBackupFolder(folders, "/a", kRoot));
    EXPECT_FALSE(app::AddBackupFolder(folders, "/b/", kRoot));
    // Linux folders differ by letter case.
    EXPECT_TRUE(app::AddBackupFolder(folders, "/B", kRoot));
    EXPECT_EQ(folders.size(), 4);
    EXPECT_EQ(folders.first(), "/a/");
    EXPECT_EQ(folders.last(), "/C/");
}

TEST(BackupFolderList, StoresAtMostHundredFoldersAndReadsThemBack)
{
    platform::IniFile ini = platform::IniFile::fromText("[BackupDirs]\n0=/old/\n500=/gone/\n");
    QStringList folders;
    for (int i = 0; i < 101; ++i)
        folders << QString("/z/%1/").arg(i, 3, 10, QChar('0'));
    app::StoreBackupFolders(ini, folders);
    EXPECT_EQ(ini.keys("BackupDirs").size(), 100);
    EXPECT_EQ(ini.readString("BackupDirs", "0", ""), "/z/000/");
    EXPECT_EQ(ini.readString("BackupDirs", "99", ""), "/z/099/");
    EXPECT_FALSE(ini.valueExists("BackupDirs", "500"));

    const platform::IniFile stored = platform::IniFile::fromText("[BackupDirs]\n0=/zeta\n1=/Alfa/\n2=/beta\n");
    EXPECT_EQ(app::StoredBackupFolders(stored), (QStringList{"/Alfa/", "/beta/", "/zeta/"}));
}

TEST(RateField, KeysTheFieldTakes)
{
    EXPECT_EQ(app::ClassifyRateKey('7'), app::RateKey::Pass);
    EXPECT_EQ(app::ClassifyRateKey('-'), app::RateKey::Pass);
    EXPECT_EQ(app::ClassifyRateKey('\b'), app::RateKey::Pass);
    EXPECT_EQ(app::ClassifyRateKey(','), app::RateKey::Separator);
    EXPECT_EQ(app::ClassifyRateKey('.'), app::RateKey::Separator);
    EXPECT_EQ(app::ClassifyRateKey('a'), app::RateKey::Drop);
    EXPECT_EQ(app::ClassifyRateKey(' '), app::RateKey::Drop);
}

TEST(RateField, SeparatorMovesToTheCaret)
{
    const struct {
        QString text;
        int caret;
        QString expected;
        int expectedCaret;
    } cases[] = {
        {"30126", 2, "30,126", 3},
        {"30,126", 6, "30126,", 6},   // the old comma before the caret goes
        {"30,126", 1, "3,0126", 2},   // the old comma after the caret goes
        {"", 0, ",", 1},
        {"1.5", 3, "1.5,", 4},        // only the locale separator is removed
    };
    for (const auto &c : cases) {
        const app::RateEdit edited = app::InsertRateSeparator({c.text, c.caret}, ',');
        EXPECT_EQ(edited.text, c.expected) << c.text.toStdString();
        EXPECT_EQ(edited.caret, c.expectedCaret) << c.text.toStdString();
    }
}

// The Date header was no RFC 5322 date and the MIME headers were missing,
// so mail systems refused or garbled the report.
TEST(ProblemReportMail, HeadersAreAValidMimeMessageWithTheTextAfterAnEmptyLine)
{
    const app::ProblemReport report{"Eva", "eva@example.sk", "Tlač nejde.\nVďaka"};
    const QStringList lines = app::ProblemReportLines(
        report, "Bralvo", "podpora@tamrex.sk",
        QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::OffsetFromUTC, 3600));
    EXPECT_EQ(lines, (QStringList{"Subject: Report - Bralvo", "From: eva@example.sk", "To: podpora@tamrex.sk",
                                  "Date: Wed, 04 Mar 2026 05:06:07 +0100", "MIME-Version: 1.0",
                                  "Content-Type: text/plain; charset=windows-1250",
                                  "Content-Transfer-Encoding: 8bit", "", "Tlač nejde.", "Vďaka", "---", "Eva"}));
    const QByteArrayList encoded = app::EncodeReportLines(lines);
    EXPECT_EQ(encoded.at(8), QByteArray("Tla\xe8 nejde."));  // č in Windows-1250
    const std::pair<int, const char *> offsets[] = {{-16200, "-0430"}, {0, "+0000"}, {20700, "+0545"}};
    for (const auto &[seconds, text] : offsets) {
        const QDateTime when(QDate(2026, 12, 31), QTime(23, 59, 59), Qt::OffsetFromUTC, seconds);
        EXPECT_EQ(app::Rfc5322Date(when), QString("Thu, 31 Dec 2026 23:59:59 ") + text);
    }
}

// The account was a literal in the source; it comes from the file
// installed beside the program.
TEST(ProblemReportMail, AccountComesFromTheInstalledFile)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("problemreport.ini");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("[Account]\nSender=s@example.sk\nServer=mail.example.sk:2525\nUser=u\nPassword=pw!\n");
    out.close();
    const app::ReportAccount account = app::ReadReportAccount(file);
    EXPECT_EQ(account.sender, "s@example.sk");
    EXPECT_EQ(account.recipient, app::MakerContactAddress());
    EXPECT_EQ(account.server, "mail.example.sk:2525");
    EXPECT_EQ(account.userName, "u");
    EXPECT_EQ(account.password, "pw!");
    EXPECT_TRUE(app::ReadReportAccount(folder.filePath("missing.ini")).server.isEmpty());
}

TEST(ProblemReportMail, LineBreakInEmailOrNameIsRefused)
{
    EXPECT_TRUE(app::ReportFieldsAreSingleLines({"Eva", "eva@example.sk", "a\nb"}));
    EXPECT_FALSE(app::ReportFieldsAreSingleLines({"Eva", "eva@example.sk\r\nBcc: x@y", "text"}));
    EXPECT_FALSE(app::ReportFieldsAreSingleLines({"Eva\nSubject: x", "eva@example.sk", "text"}));
    EXPECT_FALSE(app::ReportFieldsAreSingleLines({"Eva\r", "eva@example.sk", "text"}));
    // Refused before any connection is made.
    EXPECT_FALSE(app::SendProblemReport({"Eva\n", "e@x", "text"}, "Bralvo",
                                        {"a@x", "b@x", "127.0.0.1:9", "u", "p"}));
}

} // namespace
