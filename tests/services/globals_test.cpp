// Program identity, version text and folders under a temporary XDG home.
#include "services/globals.h"
#include "tests/support/programfolders.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bralvo::services;

TEST(Globals, FoldersComeFromTheTemporaryXdgHome)
{
    bralvo::test::ProgramFolders folders;
    EXPECT_EQ(DataRoot, folders.dataHome() + "Tamrex/Bralvo/");
    EXPECT_EQ(ProgramDir, QCoreApplication::applicationDirPath() + "/");
    EXPECT_TRUE(QFileInfo(DataRoot + "Data").isDir());
    EXPECT_TRUE(QFileInfo(DataRoot + "Backups").isDir());
    EXPECT_EQ(SpecialFolderPath(35), folders.dataHome());
    EXPECT_EQ(SpecialFolderPath(9999), QString());
}

TEST(Globals, ProductIdentityOfTheTitle)
{
    bralvo::test::ProgramFolders folders;
    EXPECT_EQ(ProgramTitle, QString("Bralvo"));
    EXPECT_EQ(ProductShortCode, QString("bral"));
    EXPECT_EQ(ProductFilePrefix, QString("Bralvo"));
    EXPECT_EQ(ProductDownloadName, QString("bralvo"));
    EXPECT_FALSE(ProgramWebAddress.isEmpty());

    ProgramTitle = "Another";
    SetProductIdentity();
    EXPECT_EQ(ProgramWebAddress, QString());       // cleared
    EXPECT_EQ(ProductShortCode, QString("bral"));  // the rest unchanged
    ProgramTitle = "Bralvo";
}

TEST(Globals, FileVersionOfTheExecutableOnly)
{
    bralvo::test::ProgramFolders folders;
    const QString exe = QCoreApplication::applicationFilePath();
    const QString withBuild = FileVersionString(exe, true);
    const QString plain = FileVersionString(exe, false);
    // 1.0.1.39 would give "1.01 (build 39)".
    EXPECT_TRUE(QRegularExpression(R"(^\d+\.\d\d+$)").match(plain).hasMatch()) << plain.toStdString();
    EXPECT_TRUE(withBuild.startsWith(plain + " (build "));
    EXPECT_EQ(VersionText, "v " + withBuild);
    EXPECT_EQ(FileVersionString(folders.path(), true), QString());
    EXPECT_EQ(FileVersionString("/no/such/file", true), QString());
}
