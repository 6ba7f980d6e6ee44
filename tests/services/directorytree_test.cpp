// Copying and deleting folder trees (links are never followed), and
// replacing one file in a single step.
#include "services/directorytree.h"
#include "tests/support/filecontent.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::services;
using bralvo::test::fileContent;

namespace {

void put(const QString &path, const QByteArray &bytes = "x")
{
    bralvo::test::writeFileContent(path, bytes);
}

// root/a.txt, root/.hidden, root/ro.txt (read-only), root/sub/b.txt,
// root/sub/deeper/c.txt, and two links to a folder outside the tree.
class DirectoryTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        put(root + "/a.txt", "a");
        put(root + "/.hidden", "h");
        put(root + "/ro.txt", "r");
        QFile::setPermissions(root + "/ro.txt", QFile::ReadOwner);
        put(root + "/sub/b.txt", "b");
        put(root + "/sub/deeper/c.txt", "c");
        put(outside + "/keep.txt", "keep");
        ASSERT_TRUE(QFile::link(outside, root + "/linkdir"));
        ASSERT_TRUE(QFile::link(outside + "/keep.txt", root + "/sub/linkfile"));
    }

    QTemporaryDir temp;
    QString root = temp.filePath("root");
    QString outside = temp.filePath("outside");
};

} // namespace

TEST_F(DirectoryTree, DeleteWithRootRemovesEverything)
{
    EXPECT_TRUE(DeleteDirectoryTree(root + "/", true));
    EXPECT_FALSE(QFileInfo::exists(root));
}

TEST_F(DirectoryTree, DeleteWithoutRootEmptiesButKeepsFolders)
{
    EXPECT_TRUE(DeleteDirectoryTree(root, false));
    EXPECT_TRUE(QDir(root).isEmpty(QDir::Files | QDir::Hidden | QDir::System));
    EXPECT_TRUE(QFileInfo(root + "/sub").isDir());
    EXPECT_TRUE(QFileInfo(root + "/sub/deeper").isDir());
    EXPECT_TRUE(QDir(root + "/sub/deeper").isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
}

TEST_F(DirectoryTree, DeleteDirectoryTreeNeverFollowsSymbolicLinks)
{
    EXPECT_TRUE(DeleteDirectoryTree(root, true));
    EXPECT_EQ(fileContent(outside + "/keep.txt"), QByteArray("keep"));
    // A root that is itself a link is refused, its target untouched.
    const QString link = temp.filePath("rootlink");
    ASSERT_TRUE(QFile::link(outside, link));
    EXPECT_FALSE(DeleteDirectoryTree(link, true));
    EXPECT_FALSE(DeleteDirectoryTree(link, false));
    EXPECT_EQ(fileContent(outside + "/keep.txt"), QByteArray("keep"));
}

TEST_F(DirectoryTree, DeleteDirectoryTreeRefusesEmptyPathAndRoot)
{
    for (const QString &path : {QString(), QString("/"), QString("//"), QString("/./"), QString("/tmp/.."),
                                root + "/a.txt", temp.filePath("missing")}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(DeleteDirectoryTree(path, true));
        EXPECT_FALSE(DeleteDirectoryTree(path, false));
    }
    EXPECT_TRUE(QFileInfo::exists(root + "/a.txt"));
}

TEST_F(DirectoryTree, CopyCopiesTheWholeTreeAndOverwrites)
{
    const QString target = temp.filePath("copy/of/root");
    put(target + "/a.txt", "old");
    EXPECT_TRUE(CopyDirectoryTree(root, target));
    for (const char *name : {"a.txt", ".hidden", "ro.txt", "sub/b.txt", "sub/deeper/c.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fileContent(target + "/" + name), fileContent(root + "/" + name));
    }
    EXPECT_TRUE(QFileInfo(target + "/linkdir").isSymLink());
    EXPECT_EQ(QFileInfo(target + "/linkdir").symLinkTarget(), outside);
    EXPECT_TRUE(QFileInfo(target + "/sub/linkfile").isSymLink());
}

TEST_F(DirectoryTree, CopyDirectoryTreeReportsWhetherEverythingWasCopied)
{
    const QString target = temp.filePath("partial");
    ASSERT_TRUE(QDir().mkpath(target + "/a.txt"));  // a folder where a file must go
    EXPECT_FALSE(CopyDirectoryTree(root, target));
    EXPECT_EQ(fileContent(target + "/sub/deeper/c.txt"), QByteArray("c"));  // the rest went on

    EXPECT_FALSE(CopyDirectoryTree(temp.filePath("missing"), temp.filePath("t2")));
    EXPECT_FALSE(CopyDirectoryTree(root + "/a.txt", temp.filePath("t3")));
    EXPECT_FALSE(QFileInfo::exists(temp.filePath("t2")));
}

TEST_F(DirectoryTree, CopyIntoItsOwnSubfolderStops)
{
    EXPECT_TRUE(CopyDirectoryTree(root, root + "/sub/backup"));
    EXPECT_EQ(fileContent(root + "/sub/backup/a.txt"), QByteArray("a"));
    EXPECT_EQ(fileContent(root + "/sub/backup/sub/b.txt"), QByteArray("b"));
    EXPECT_FALSE(QFileInfo::exists(root + "/sub/backup/sub/backup"));
}

// Each file would be removed as the target before being copied from
// itself: the whole folder lost.
TEST_F(DirectoryTree, CopyDirectoryTreeOntoItselfLosesNothing)
{
    const QString other = temp.filePath("other");
    ASSERT_TRUE(QFile::link(root, other));
    for (const QString &target : {root, root + "/", root + "/sub/..", other}) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_FALSE(CopyDirectoryTree(root, target));
        EXPECT_EQ(fileContent(root + "/a.txt"), QByteArray("a"));
        EXPECT_EQ(fileContent(root + "/sub/deeper/c.txt"), QByteArray("c"));
        EXPECT_TRUE(QFileInfo(root + "/linkdir").isSymLink());
    }
}

TEST(IsDirectory, OnlyExistingFolders)
{
    QTemporaryDir temp;
    put(temp.filePath("file"));
    EXPECT_TRUE(IsDirectory(temp.path()));
    EXPECT_FALSE(IsDirectory(temp.filePath("file")));
    EXPECT_FALSE(IsDirectory(temp.filePath("missing")));
    EXPECT_FALSE(IsDirectory(QString()));
}

TEST(ReplaceFile, ReplacesInOneStepOrLeavesTheTargetAlone)
{
    QTemporaryDir temp;
    const QString source = temp.filePath("new.txs");
    const QString target = temp.filePath("live.txs");
    put(source, "new");
    put(target, "old");
    EXPECT_TRUE(ReplaceFile(source, target));
    EXPECT_EQ(fileContent(target), "new");
    EXPECT_EQ(fileContent(source), "new");
    EXPECT_FALSE(QFile::exists(target + ".copying"));

    // No source: nothing to copy, which is no failure.
    EXPECT_TRUE(ReplaceFile(temp.filePath("missing"), target));
    EXPECT_EQ(fileContent(target), "new");

    // A target folder that does not exist: the copy fails, nothing is left.
    const QString unreachable = temp.filePath("no/such/folder/live.txs");
    EXPECT_FALSE(ReplaceFile(source, unreachable));
    EXPECT_FALSE(QFile::exists(unreachable));
    EXPECT_FALSE(QFile::exists(unreachable + ".copying"));
}
