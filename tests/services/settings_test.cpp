// The settings store: file rules, value forms, defaults, silent failures.
#include "platform/inifile.h"
#include "platform/textfile.h"
#include "services/settings.h"
#include "services/globals.h"
#include "tests/support/programfolders.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace bralvo::services;
using bralvo::platform::readTextFile;
using bralvo::platform::writeTextFileAtomic;

namespace {

class SettingsStore : public ::testing::Test {
protected:
    bralvo::test::ProgramFolders folders;
    bralvo::test::ScriptedMessageBoxes boxes;  // a write never shows a box
    QString file() const { return folders.settingsFile(); }
};

} // namespace

TEST_F(SettingsStore, LivesInTheDataRootsDataFolder)
{
    EXPECT_EQ(file(), folders.dataRoot() + "Data/settings.txs");
}

TEST_F(SettingsStore, NoFileReadsDefaultsAndFirstWriteCreatesIt)
{
    EXPECT_EQ(ReadSetting("Mena", "DomacaMenaZobr", "Sk"), QString("Sk"));
    EXPECT_EQ(ReadSettingInt("Faktura", "RoundAllSmer", 0), 0);
    EXPECT_TRUE(ReadSettingBool("General", "SafeMode", true));
    EXPECT_FALSE(QFile::exists(file()));

    WriteSetting("Faktura", "Splatnost", "14");
    EXPECT_EQ(readTextFile(file()), QString("[Faktura]\nSplatnost=14\n\n"));
}

TEST_F(SettingsStore, ReadsValueFormsAndDefaults)
{
    ASSERT_TRUE(writeTextFileAtomic(file(), "[faktura]\n"
                                            "KURZ=30.126\n"
                                            "Bool1=true\n"
                                            "Bool2=2\n"
                                            "Bool3=0\n"
                                            "Hex=0x10\n"
                                            "Neg=-1\n"
                                            "Text=  spaced out  \n"
                                            "[General]\n"
                                            "Directory=\n"));
    struct TextCase { const char *section, *key, *fallback, *expected; };
    for (const TextCase &c : {TextCase{"Faktura", "Kurz", "x", "30.126"},
                              TextCase{"FAKTURA", "kurz", "x", "30.126"},
                              TextCase{"Faktura", "Text", "x", "spaced out"},
                              TextCase{"General", "Directory", "/default/", ""},
                              TextCase{"General", "Missing", "/default/", "/default/"}}) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ReadSetting(c.section, c.key, c.fallback), QString(c.expected));
    }
    struct BoolCase { const char *key; bool fallback, expected; };
    for (const BoolCase &c : {BoolCase{"Bool1", false, false}, BoolCase{"Bool1", true, true},
                              BoolCase{"Bool2", false, true}, BoolCase{"Bool3", true, false},
                              BoolCase{"Neg", false, true}, BoolCase{"Missing", true, true}}) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ReadSettingBool("Faktura", c.key, c.fallback), c.expected);
    }
    EXPECT_EQ(ReadSettingInt("Faktura", "Hex", 0), 16);
    EXPECT_EQ(ReadSettingInt("Faktura", "Neg", 0), -1);
    EXPECT_EQ(ReadSettingInt("Faktura", "Kurz", 5), 5);
    EXPECT_EQ(ReadSettingInt("General", "Directory", 5), 5);
}

TEST_F(SettingsStore, RewriteKeepsOrderAndDropsComments)
{
    ASSERT_TRUE(writeTextFileAtomic(file(), "; written by hand\n"
                                            "[Mena]\n"
                                            "Kurz=30,126\n"
                                            "; old rate: 31\n"
                                            "DomacaMenaIso=SKK\n"
                                            "[General]\n"
                                            "SafeMode=1\n"));
    WriteSetting("mena", "KURZ", "30,5");
    WriteSettingBool("Faktura", "DotMatrix", true);
    WriteSettingBool("General", "CheckUpdates", false);
    WriteSetting("Backups", "NumberBackups", "10");
    EXPECT_EQ(readTextFile(file()), QString("[Mena]\n"
                                            "Kurz=30,5\n"
                                            "DomacaMenaIso=SKK\n"
                                            "\n"
                                            "[General]\n"
                                            "SafeMode=1\n"
                                            "CheckUpdates=0\n"
                                            "\n"
                                            "[Faktura]\n"
                                            "DotMatrix=1\n"
                                            "\n"
                                            "[Backups]\n"
                                            "NumberBackups=10\n"
                                            "\n"));
}

TEST_F(SettingsStore, NothingIsCachedBetweenCalls)
{
    WriteSetting("Faktura", "LastKS", "0308");
    bralvo::platform::IniFile other(file());
    other.writeString("Faktura", "LastKS", "0008");
    ASSERT_TRUE(other.save());
    EXPECT_EQ(ReadSetting("Faktura", "LastKS", ""), QString("0008"));
    WriteSetting("Faktura", "LastKS", "0558");
    EXPECT_EQ(bralvo::platform::IniFile(file()).readString("Faktura", "LastKS", ""), QString("0558"));
}

TEST_F(SettingsStore, ReadOnlyFileIsNotWrittenAndNothingIsReported)
{
    WriteSetting("Mena", "Kurz", "30,126");
    const auto before = readTextFile(file());
    QFile::setPermissions(file(), QFile::ReadOwner | QFile::ReadGroup);
    WriteSetting("Mena", "Kurz", "40");
    WriteSettingBool("Mena", "DomaceFADualne", false);
    EXPECT_EQ(readTextFile(file()), before);
    EXPECT_EQ(ReadSetting("Mena", "Kurz", ""), QString("30,126"));
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(SettingsStore, MissingFolderOrUnreadableFileSwallowsWritesButNotReads)
{
    ASSERT_TRUE(QDir(folders.dataRoot() + "Data").removeRecursively());
    WriteSetting("General", "LastUpd", "2026-12-10");
    EXPECT_FALSE(QFile::exists(file()));

    ASSERT_TRUE(QDir().mkpath(file()));  // a folder where the file should be
    WriteSetting("General", "LastUpd", "2026-12-10");
    EXPECT_THROW(ReadSetting("General", "LastUpd", ""), bralvo::platform::FileError);
    EXPECT_THROW(ReadSettingInt("General", "LastUpd", 0), bralvo::platform::FileError);
    EXPECT_THROW(ReadSettingBool("General", "LastUpd", false), bralvo::platform::FileError);
}

// Writing in place lost every setting on a crash or a full disk: the new
// file must replace the old one whole, so a second name (hard link) of
// the old file still holds the old text untouched.
TEST_F(SettingsStore, WriteReplacesTheFileInsteadOfRewritingItInPlace)
{
    WriteSetting("Faktura", "Splatnost", "10");
    const QString oldName = folders.dataRoot() + "Data/old-name";
    ASSERT_EQ(::link(QFile::encodeName(file()).constData(), QFile::encodeName(oldName).constData()), 0);
    WriteSetting("Faktura", "Splatnost", "14");
    EXPECT_EQ(readTextFile(oldName), QString("[Faktura]\nSplatnost=10\n\n"));
    EXPECT_EQ(ReadSetting("Faktura", "Splatnost", ""), QString("14"));
    EXPECT_EQ(QDir(folders.dataRoot() + "Data").entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{"old-name", "settings.txs"}));
}
