// Memory and file streams.
#include "platform/stream.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(MemoryStream, ReadWriteSeekAndSize)
{
    MemoryStream s;
    s.write(QByteArray("hello"));
    EXPECT_EQ(s.size(), 5);
    s.seek(1);
    EXPECT_EQ(s.readBytes(3), QByteArray("ell"));
    EXPECT_EQ(s.readAll(), QByteArray("o"));
    EXPECT_EQ(s.readBytes(3), QByteArray());
    s.seek(7);
    s.write(QByteArray("!"));
    EXPECT_EQ(s.data(), QByteArray("hello\0\0!", 8));
    char c;
    s.seek(8);
    EXPECT_THROW(s.readExactly(&c, 1), StreamError);
    s.setSize(2);
    EXPECT_EQ(s.position(), 2);
}

// A write that starts inside the data and runs past its end overwrites
// and then extends; one past the end leaves zeros in the gap.
TEST(MemoryStream, WritesOverAndPastTheEnd)
{
    MemoryStream s;
    s.write(QByteArray("hello"));
    s.seek(3);
    s.write(QByteArray("LOWORLD"));
    EXPECT_EQ(s.data(), QByteArray("helLOWORLD"));
    EXPECT_EQ(s.position(), 10);
    s.seek(12);
    s.write(QByteArray("!!"));
    EXPECT_EQ(s.data(), QByteArray("helLOWORLD\0\0!!", 14));
    s.seek(0);
    s.write(QByteArray("H"));
    EXPECT_EQ(s.data(), QByteArray("HelLOWORLD\0\0!!", 14));
}

TEST(FileStream, CreateReadAndErrors)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.bin"));
    {
        FileStream out(path, FileStream::Mode::Create);
        MemoryStream src(QByteArray("data"));
        EXPECT_EQ(out.copyFrom(src, 0), 4);
    }
    FileStream in(path, FileStream::Mode::Read);
    EXPECT_EQ(in.size(), 4);
    EXPECT_EQ(in.readAll(), QByteArray("data"));
    EXPECT_THROW(FileStream(dir.filePath(QStringLiteral("missing")), FileStream::Mode::Read), StreamError);
}
