// Whole-file reading and atomic writing.
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::platform;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(TextFile, MissingFileIsNoTextAndAFolderCannotBeRead)
{
    QTemporaryDir dir;
    EXPECT_EQ(readTextFile(dir.filePath("missing.txt")), std::nullopt);
    EXPECT_EQ(readTextFileOrThrow(dir.filePath("missing.txt")), std::nullopt);
    EXPECT_EQ(readTextFile(dir.path()), std::nullopt);
    EXPECT_THROW(readTextFileOrThrow(dir.path()), FileError);
}

TEST(TextFile, ReadsWindows1250AndWritesUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.txt");
    putBytes(path, "Sloven\xe8ina");
    EXPECT_EQ(readTextFile(path), QString::fromUtf8("Slovenčina"));

    ASSERT_TRUE(writeTextFileAtomic(path, QString::fromUtf8("Slovenčina €")));
    EXPECT_EQ(fileBytes(path), QByteArray("Sloven\xc4\x8dina \xe2\x82\xac"));
    EXPECT_EQ(readTextFile(path), QString::fromUtf8("Slovenčina €"));
}

TEST(TextFile, WriteLeavesNoTemporaryFileBehind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.ini");
    ASSERT_TRUE(writeTextFileAtomic(path, "one"));
    ASSERT_TRUE(writeTextFileAtomic(path, "two"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.ini"});
    EXPECT_EQ(fileBytes(path), QByteArray("two"));
}

TEST(TextFile, FailedWritesLeaveTheOldFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeTextFileAtomic(dir.filePath("no/such/folder/file.txt"), "x"));
    EXPECT_FALSE(writeTextFileAtomic(dir.path(), "x"));
    EXPECT_FALSE(writeTextFileAtomic(QString(), "x"));

    const QString path = dir.filePath("readonly.txt");
    putBytes(path, "old");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_FALSE(writeTextFileAtomic(path, "new"));
    EXPECT_EQ(fileBytes(path), QByteArray("old"));
}
