// XDG folders, the data root and the program folder.
#include "platform/folders.h"
#include "tests/support/tempdataroot.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(Folders, DataRootAndConfigFollowTheXdgVariables)
{
    bralvo::test::TempDataRoot home;
    ASSERT_TRUE(home.isValid());
    EXPECT_EQ(dataHomeFolder(), home.dataHome());
    EXPECT_EQ(dataRootFolder(), home.dataHome() + "Tamrex/Bralvo/");
    EXPECT_EQ(configHomeFolder(), home.configHome());
}

TEST(Folders, UnsetEmptyOrRelativeVariablesFallBackToHome)
{
    bralvo::test::TempDataRoot home;  // restores both variables afterwards
    for (const char *value : {"", "relative/share"}) {
        SCOPED_TRACE(value);
        qputenv("XDG_DATA_HOME", value);
        qputenv("XDG_CONFIG_HOME", value);
        EXPECT_EQ(dataRootFolder(), QDir::homePath() + "/.local/share/Tamrex/Bralvo/");
        EXPECT_EQ(configHomeFolder(), QDir::homePath() + "/.config/");
    }
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(dataHomeFolder(), QDir::homePath() + "/.local/share/");
}

TEST(Folders, ProgramFolderIsTheExecutablesFolder)
{
    EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath() + "/");
    EXPECT_TRUE(QFileInfo::exists(programFolder() + QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
}

TEST(Folders, TrailingSlashes)
{
    struct Case { const char *path, *with, *without; };
    const Case cases[] = {
        {"", "", ""},           {"/", "/", "/"},          {"///", "/", "/"},
        {"/a", "/a/", "/a"},    {"/a/", "/a/", "/a"},     {"/a//", "/a/", "/a"},
        {"rel", "rel/", "rel"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(withTrailingSlash(c.path), QString(c.with));
        EXPECT_EQ(withoutTrailingSlash(c.path), QString(c.without));
    }
}
