// The binary value codec of form definitions.
#include "platform/valuecodec.h"

#include "platform/stream.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace bralvo::platform;

TEST(ValueCodec, IntegersTakeTheSmallestTag)
{
    struct Case {
        qint64 value;
        QByteArray bytes;
    };
    const Case cases[] = {
        {5, QByteArray("\x02\x05", 2)},
        {-1, QByteArray("\x02\xFF", 2)},
        {300, QByteArray("\x03\x2C\x01", 3)},
        {70000, QByteArray("\x04\x70\x11\x01\x00", 5)},
        {qint64(1) << 40, QByteArray("\x13\x00\x00\x00\x00\x00\x01\x00\x00", 9)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        MemoryStream s;
        ValueWriter(s).writeInteger(c.value);
        EXPECT_EQ(s.data(), c.bytes);
        s.seek(0);
        EXPECT_EQ(ValueReader(s).readInteger(), c.value);
    }
}

TEST(ValueCodec, ExtendedFloats)
{
    EXPECT_EQ(doubleToExtended(1.0), QByteArray("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10));
    EXPECT_EQ(doubleToExtended(-2.0), QByteArray("\x00\x00\x00\x00\x00\x00\x00\x80\x00\xC0", 10));
    for (double v : {0.0, 3.77953, -1e-300, 1e300, 794.0}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(extendedToDouble(doubleToExtended(v)), v);
    }
    EXPECT_TRUE(std::isinf(extendedToDouble(doubleToExtended(INFINITY))));
}

TEST(ValueCodec, StringsListsSetsAndIdents)
{
    MemoryStream s;
    ValueWriter w(s);
    w.writeListBegin();
    w.writeString8(QByteArray("abc"));
    w.writeLongString8(QByteArray(300, 'x'));
    w.writeUtf8String(QStringLiteral("čaj"));
    w.writeWideString(QStringLiteral("€"));
    w.writeListEnd();
    w.writeSet({QStringLiteral("fsBold"), QStringLiteral("fsItalic")});
    w.writeIdent(QStringLiteral("baRight"));
    w.writeIdent(QStringLiteral("True"));
    w.writeBinary(QByteArray("\x00\x01", 2));
    w.writeFloat(2.5);

    s.seek(0);
    ValueReader r(s);
    r.readListBegin();
    EXPECT_EQ(r.readString(), QStringLiteral("abc"));
    EXPECT_EQ(r.readString().size(), 300);
    EXPECT_EQ(r.readString(), QStringLiteral("čaj"));
    EXPECT_EQ(r.readString(), QStringLiteral("€"));
    EXPECT_TRUE(r.endOfList());
    r.readListEnd();
    EXPECT_EQ(r.readSet(), QStringList({"fsBold", "fsItalic"}));
    EXPECT_EQ(r.readIdent(), QStringLiteral("baRight"));
    EXPECT_TRUE(r.readBoolean());
    EXPECT_EQ(r.readBinary(), QByteArray("\x00\x01", 2));
    EXPECT_DOUBLE_EQ(r.readFloat(), 2.5);
    EXPECT_TRUE(r.atEnd());
}

TEST(ValueCodec, SkipValueAndMalformedData)
{
    MemoryStream s;
    ValueWriter w(s);
    w.writeListBegin();
    w.writeListBegin();
    w.writeInteger(1);
    w.writeListEnd();
    w.writeString8(QByteArray("x"));
    w.writeListEnd();
    w.writeInteger(42);
    s.seek(0);
    ValueReader r(s);
    r.skipValue();
    EXPECT_EQ(r.readInteger(), 42);

    const QByteArray bad[] = {QByteArray("\x06\x09" "ab"), QByteArray("\x0C\xFF\xFF\xFF\x7F"), QByteArray("\x63"),
                              QByteArray("\x04\x01")};
    for (const QByteArray &b : bad) {
        MemoryStream m(b);
        ValueReader br(m);
        EXPECT_THROW(br.skipValue(), ReadError) << b.toHex().toStdString();
    }
    QByteArray deep(200, '\x01');
    MemoryStream d(deep);
    EXPECT_THROW(ValueReader(d).skipValue(), ReadError);
}
