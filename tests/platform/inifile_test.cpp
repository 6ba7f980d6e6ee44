// The INI file rules shared by the settings store and the other INI users.
#include "platform/inifile.h"
#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using bralvo::platform::FileError;
using bralvo::platform::IniFile;

namespace {

const char *const kSample =
    "; a comment before everything\r\n"
    "orphan=before any section\r\n"
    "[Faktura]\r\n"
    "  Splatnost = 14  \r\n"
    "RoundDph=0,10\r\n"
    "  bare line here  \r\n"
    "Empty=\r\n"
    "Quoted=\"a b\"\r\n"
    "Eq=a=b\r\n"
    "; DefJazyk=commented out\r\n"
    "\r\n"
    "[faktura]\r\n"
    "Extra=1\r\n"
    "Splatnost=99\r\n"
    "[ Mena ]\r\n"
    "Kurz=30.126\r\n";

} // namespace

TEST(IniFile, ReadsByTheLoadingRules)
{
    const IniFile ini = IniFile::fromText(QString::fromLatin1(kSample));
    struct Case { const char *section, *key, *fallback, *expected; };
    const Case cases[] = {
        {"Faktura", "Splatnost", "x", "14"},       // blanks around key and value go
        {"FAKTURA", "splatnost", "x", "14"},       // names without regard to case
        {"faktura", "Extra", "x", "1"},            // "[faktura]" continues "[Faktura]"
        {"Faktura", "Empty", "x", ""},             // present but empty: no default
        {"Faktura", "Missing", "x", "x"},
        {"Faktura", "Quoted", "x", "\"a b\""},     // quotes stay
        {"Faktura", "Eq", "x", "a=b"},             // split at the first "="
        {"Faktura", "DefJazyk", "x", "x"},         // comment lines are skipped
        {"Mena", "KURZ", "x", "30.126"},           // section name trimmed
        {"", "orphan", "x", "x"},                  // lines before any section dropped
        {"NoSuch", "Kurz", "x", "x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.readString(c.section, c.key, c.fallback), QString(c.expected));
    }
    EXPECT_EQ(ini.sections(), (QStringList{"Faktura", "Mena"}));
    EXPECT_EQ(ini.keys("faktura"),
              (QStringList{"Splatnost", "RoundDph", "Empty", "Quoted", "Eq", "Extra", "Splatnost"}));
    EXPECT_EQ(ini.sectionLines("Faktura").at(2), QString("bare line here"));
}

TEST(IniFile, ConvertsWholeNumbersAndBooleans)
{
    struct Case { const char *value; int asInteger; bool asBoolFromFalse; bool asBoolFromTrue; };
    const Case cases[] = {
        {"16", 16, true, true},     {"-3", -3, true, true},      {"+5", 5, true, true},
        {"0", 0, false, false},     {"2", 2, true, true},        {"0x10", 16, true, true},
        {"0X1f", 31, true, true},   {"0x0", 0, false, false},    {"true", 7, false, true},
        {"false", 7, false, true},  {"1.5", 7, false, true},     {"", 7, false, true},
        {"12abc", 7, false, true},  {"0x", 7, false, true},      {"0xG1", 7, false, true},
        {"99999999999", 7, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        IniFile ini;
        ini.writeString("S", "k", c.value);
        EXPECT_EQ(ini.readInteger("s", "K", 7), c.asInteger);
        EXPECT_EQ(ini.readBool("S", "k", false), c.asBoolFromFalse);
        EXPECT_EQ(ini.readBool("S", "k", true), c.asBoolFromTrue);
    }
    const IniFile empty;
    EXPECT_EQ(empty.readInteger("S", "k", 42), 42);
    EXPECT_TRUE(empty.readBool("S", "k", true));
}

TEST(IniFile, RewriteKeepsOrderAppendsNewAndDropsComments)
{
    IniFile ini = IniFile::fromText("; settings\n"
                                    "[General]\n"
                                    "Directory=/data/\n"
                                    "; note\n"
                                    "SafeMode=1\n"
                                    "[Mena]\n"
                                    "Kurz=30.126\n"
                                    "odd line\n");
    ini.writeString("Mena", "Kurz", "31");
    ini.writeBool("General", "CheckUpdates", false);
    ini.writeBool("Tlac", "NetlacitPodpisFA", true);
    ini.writeInteger("Backups", "NumberBackups", 10);
    ini.writeBool("general", "safemode", false);
    EXPECT_EQ(ini.toText(), QString("[General]\n"
                                    "Directory=/data/\n"
                                    "SafeMode=0\n"
                                    "CheckUpdates=0\n"
                                    "\n"
                                    "[Mena]\n"
                                    "Kurz=31\n"
                                    "odd line\n"
                                    "\n"
                                    "[Tlac]\n"
                                    "NetlacitPodpisFA=1\n"
                                    "\n"
                                    "[Backups]\n"
                                    "NumberBackups=10\n"
                                    "\n"));
}

TEST(IniFile, ErasesSectionsAndKeys)
{
    IniFile ini = IniFile::fromText("[BackupDirs]\n0=/a/\n1=/b/\n[Backups]\nBackupDir=/old/\nKeep=1\n");
    ini.deleteKey("BACKUPS", "backupdir");
    ini.eraseSection("backupdirs");
    ini.deleteKey("NoSuch", "key");
    ini.eraseSection("NoSuch");
    EXPECT_FALSE(ini.sectionExists("BackupDirs"));
    EXPECT_FALSE(ini.valueExists("Backups", "BackupDir"));
    EXPECT_EQ(ini.toText(), QString("[Backups]\nKeep=1\n\n"));
}

TEST(IniFile, MissingFileReadsEmptyAndFirstSaveCreatesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.txs");
    IniFile ini(path);
    EXPECT_TRUE(ini.sections().isEmpty());
    EXPECT_EQ(ini.readString("General", "Directory", "default"), QString("default"));
    ini.writeString("General", "LastUpd", "2026-12-10");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(bralvo::platform::readTextFile(path), QString("[General]\nLastUpd=2026-12-10\n\n"));
    EXPECT_EQ(IniFile(path).readString("general", "lastupd", ""), QString("2026-12-10"));
}

TEST(IniFile, ReadOnlyFileIsNotWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.txs");
    ASSERT_TRUE(bralvo::platform::writeTextFileAtomic(path, "; keep me\n[Mena]\nKurz=30\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    IniFile ini(path);
    ini.writeString("Mena", "Kurz", "31");
    EXPECT_FALSE(ini.save());
    EXPECT_EQ(bralvo::platform::readTextFile(path), QString("; keep me\n[Mena]\nKurz=30\n"));
}

TEST(IniFile, UnreadableFileThrowsAndPathlessObjectDoesNotSave)
{
    QTemporaryDir dir;
    EXPECT_THROW(IniFile{dir.path()}, FileError);
    IniFile pathless;
    pathless.writeString("S", "k", "v");
    EXPECT_FALSE(pathless.save());
}

TEST(IniFile, ReadsWindows1250Files)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.txs");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Faktura]\r\nDefJazyk=SK - Sloven\xe8ina\r\n[Mena]\r\nCudziaMenaZobr=\x80\r\n");
    file.close();
    const IniFile ini(path);
    EXPECT_EQ(ini.readString("Faktura", "DefJazyk", ""), QString::fromUtf8("SK - Slovenčina"));
    EXPECT_EQ(ini.readString("Mena", "CudziaMenaZobr", ""), QString::fromUtf8("€"));
}

namespace {

// Section and key lookups were linear scans, so a large file of distinct
// sections took minutes to load. The lookups go through indexes; these
// cases check the indexes stay right through every kind of edit.
TEST(IniFile, IndexedLookupsFollowEveryEdit)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QString("[S%1]\nkey=%1\nKey=second %1\nbare %1\n").arg(i);
    IniFile ini = IniFile::fromText(text);
    EXPECT_EQ(ini.sections().size(), 20000);
    EXPECT_EQ(ini.readString("s19999", "KEY", "-"), "19999");  // first of two counts
    EXPECT_EQ(ini.readString("S5", "bare 5", "-"), "-");
    EXPECT_EQ(ini.keys("S7"), QStringList({"key", "Key"}));

    ini.eraseSection("S0");
    EXPECT_FALSE(ini.sectionExists("S0"));
    EXPECT_EQ(ini.readString("S1", "key", "-"), "1");
    EXPECT_EQ(ini.readString("S19999", "key", "-"), "19999");

    ini.deleteKey("S2", "KEY");  // both lines of the name go
    EXPECT_FALSE(ini.valueExists("S2", "key"));
    EXPECT_EQ(ini.sectionLines("S2"), QStringList{"bare 2"});
    ini.writeString("S2", "Key", "new");
    EXPECT_EQ(ini.readString("s2", "key", "-"), "new");

    ini.writeString("Nová", "Číslo", "1");
    ini.writeString("NOVÁ", "ČÍSLO", "2");
    EXPECT_EQ(ini.sections().last(), "Nová");
    EXPECT_EQ(ini.readString("nová", "číslo", "-"), "2");

    ini.clear();
    EXPECT_FALSE(ini.sectionExists("S1"));
    ini.writeString("S1", "a", "b");
    EXPECT_EQ(ini.sectionLines("S1"), QStringList{"a=b"});
}

} // namespace
