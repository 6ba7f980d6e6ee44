// The settings window's plain helpers: backup folders as typed and
// stored, the rate field's separator key and the problem report mail.
#include "app/backupfolderlist.h"
#include "app/problemreport.h"
#include "app/ratefield.h"
#include "platform/inifile.h"
#include "platform/textcodec.h"
#include "tests/services/qstringprint.h"

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

TEST(ProblemReportMail, LinesInOrderWithTheTextAfterAnEmptyLine)
{
    const app::ProblemReport report{"Eva", "eva@example.sk", "Tlač nejde.\nVďaka"};
    const QStringList lines = app::ProblemReportLines(report, "Bralvo", "podpora@tamrex.sk",
                                                      QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    EXPECT_EQ(lines, (QStringList{"Subject: Report - Bralvo", "From: eva@example.sk", "To: podpora@tamrex.sk",
                                  "Date: 2026-03-04 , 05:06,07",
                                  "Content-Type: text/plain;charset=windows-1250", "", "Tlač nejde.",
                                  "Vďaka", "---", "Eva"}));
    const QByteArrayList encoded = app::EncodeReportLines(lines);
    EXPECT_EQ(encoded.at(6), QByteArray("Tla\xe8 nejde."));  // č in Windows-1250
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
