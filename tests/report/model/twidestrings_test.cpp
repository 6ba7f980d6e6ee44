// The wide string list: line splitting, bounds, streams and files, and
// its form of extra property data.
#include "report/model/twidestrings.h"

#include "platform/stream.h"
#include "platform/stringlist.h"
#include "platform/valuecodec.h"
#include "report/model/reporterror.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::platform::MemoryStream;

TEST(TWideStrings, TextSplitsAtEveryKindOfBreak)
{
    TWideStrings w;
    w.SetText(QStringLiteral("a\r\nb\rc\nd") + QChar(0x2028) + QStringLiteral("e"));
    EXPECT_EQ(w.Count(), 5);
    EXPECT_EQ(w.Text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\ne\r\n"));
    w.SetText(QStringLiteral("a\r\n\r\n"));
    EXPECT_EQ(w.Count(), 2);
    EXPECT_EQ(w.Strings(1), QString());
    w.SetText(QString());
    EXPECT_EQ(w.Count(), 0);
    w.SetText(QStringLiteral("x") + QChar(0) + QStringLiteral("y"));
    EXPECT_EQ(w.Count(), 1);
}

TEST(TWideStrings, StringsBounds)
{
    TWideStrings w;
    w.Add(QStringLiteral("a"));
    w.SetStrings(1, QStringLiteral("x"));
    EXPECT_EQ(w.Count(), 2);
    try {
        w.SetStrings(3, QStringLiteral("x"));
        FAIL();
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("Wide String Out of Bounds"));
    }
    EXPECT_EQ(w.Strings(-1), QString());
    EXPECT_EQ(w.Objects(9), nullptr);
    w.SetObjects(9, &w); // ignored
    EXPECT_EQ(w.IndexOf(QStringLiteral("X")), -1);
    EXPECT_EQ(w.IndexOf(QStringLiteral("x")), 1);
    EXPECT_THROW(w.Delete(5), bralvo::platform::ListIndexError);
}

TEST(TWideStrings, StreamsWithAndWithoutByteOrderMark)
{
    TWideStrings w;
    MemoryStream bom(QByteArray("\xFF\xFE\x0D\x01" "a\0", 6));
    w.LoadFromStream(bom);
    EXPECT_EQ(w.Strings(0), QStringLiteral("ča"));
    MemoryStream two(QByteArray("ab"));
    w.LoadFromStream(two);
    EXPECT_EQ(w.Strings(0), QStringLiteral("ab"));
    MemoryStream one(QByteArray("\xE8"));
    w.LoadFromStream(one);
    EXPECT_EQ(w.Strings(0), QStringLiteral("č"));
}

TEST(TWideStrings, SaveToFileWritesAMarkSoLoadFromFileReadsItBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("memo.txt"));
    TWideStrings w;
    w.Add(QStringLiteral("Žltá"));
    w.Add(QStringLiteral("€ 1,50"));
    w.SaveToFile(path);
    TWideStrings back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.Text(), w.Text());
    bralvo::platform::FileStream raw(path, bralvo::platform::FileStream::Mode::Read);
    EXPECT_EQ(raw.readBytes(2), QByteArray("\xFF\xFE"));
}

TEST(TWideStrings, AssignFromAndToStringList)
{
    bralvo::platform::StringList list(QStringList{QStringLiteral("x"), QStringLiteral("y")});
    TWideStrings w;
    w.assign(list);
    EXPECT_EQ(w.Count(), 2);
    bralvo::platform::StringList out;
    out.assign(w);
    EXPECT_EQ(out.toStringList(), QStringList({"x", "y"}));
}

TEST(TWideStrings, Utf8ListInExtraPropertyDataAndOldStringsList)
{
    TWideStrings w;
    w.Add(QStringLiteral("riadok č. 1"));
    w.Add(QStringLiteral("2"));
    struct Writer : bralvo::platform::PropertyFiler {
        bralvo::platform::ValueWriter &w;
        explicit Writer(bralvo::platform::ValueWriter &vw) : w(vw) {}
        void defineProperty(const QString &name, ReadFn, WriteFn write, bool hasData) override
        {
            if (hasData && write) {
                w.writePropName(name);
                write(w);
            }
        }
        bool isWriting() const override { return true; }
    };
    MemoryStream s;
    bralvo::platform::ValueWriter vw(s);
    Writer filer(vw);
    w.defineProperties(filer);
    QByteArray expected("\x04UTF8\x01\x06\x0C", 8);
    expected += QStringLiteral("riadok č. 1").toUtf8() + QByteArray("\x06\x01" "2\x00", 4);
    EXPECT_EQ(s.data(), expected);

    struct Reader : bralvo::platform::PropertyFiler {
        QList<std::pair<QString, ReadFn>> readers;
        void defineProperty(const QString &name, ReadFn read, WriteFn, bool) override
        {
            readers.append({name, read});
        }
        bool isWriting() const override { return false; }
    } reader;
    TWideStrings back;
    back.defineProperties(reader);
    MemoryStream old(QByteArray("\x01\x06\x03" "abc\x12\x01\x00\x00\x00\x0D\x01\x00", 14));
    bralvo::platform::ValueReader vr(old);
    for (auto &r : reader.readers) {
        if (r.first == QStringLiteral("Strings"))
            r.second(vr);
    }
    EXPECT_EQ(back.Text(), QStringLiteral("abc\r\nč\r\n"));
}

// SaveToStream now writes a mark; every loader must drop it again, and an
// empty list (nothing but the mark) must load back empty.
TEST(TWideStrings, MarkWrittenBySaveIsSkippedByEveryLoader)
{
    TWideStrings w;
    w.Add(QStringLiteral("Žltá"));
    MemoryStream saved;
    w.SaveToStream(saved);
    saved.seek(0);
    TWideStrings wide;
    wide.LoadFromWideStream(saved);
    EXPECT_EQ(wide.Text(), w.Text());

    MemoryStream utf8(QByteArray("\xEF\xBB\xBF" "a\r\nb"));
    TWideStrings eight;
    eight.LoadFromStream(utf8);
    EXPECT_EQ(eight.Count(), 2);
    EXPECT_EQ(eight.Strings(0), QStringLiteral("a"));

    TWideStrings empty;
    MemoryStream emptySaved;
    empty.SaveToStream(emptySaved);
    emptySaved.seek(0);
    TWideStrings back;
    back.Add(QStringLiteral("old"));
    back.LoadFromStream(emptySaved);
    EXPECT_EQ(back.Count(), 0);
}
