// Checksum, stripping, delimited parts, Base64 and packing of model text,
// and the builder's text table.
#include "report/querybuilder/eqberror.h"
#include "report/querybuilder/qbutils.h"
#include "report/querybuilder/tqbresources.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(QbUtils, Crc32MatchesZipChecksum)
{
    EXPECT_EQ(CalcCRC32(QStringLiteral("abc")), 891568578u);
    EXPECT_EQ(CalcCRC32(QStringLiteral("123456789")), 0xCBF43926u);
    EXPECT_EQ(CalcCRC32(QString()), 0u);
}

TEST(QbUtils, Crc32IsTakenOverUtf8LikeThePackedModel)
{
    // zlib.crc32 of the UTF-8 and of the Windows-1250 bytes.
    const QString text = QStringLiteral("Zákazník Č");
    EXPECT_EQ(CalcCRC32(text), 794260643u);
    EXPECT_EQ(CalcCRC32Cp1250(text), std::optional<quint32>(749085804u));
    EXPECT_EQ(CalcCRC32Cp1250(QStringLiteral("\u4e2d")), std::nullopt);
}

TEST(QbUtils, DecompressStringRefusesTextsPastTheCap)
{
    const QString big(MaxModelTextBytes + 1, u'a');
    const QString packed = CompressString(big);
    EXPECT_LT(packed.size(), 64 * 1024);
    try {
        DecompressString(packed);
        FAIL() << "expanded past the cap";
    } catch (const EqbError &e) {
        EXPECT_EQ(e.userText(), "The model text is too long.");
    }
    const QString fits(MaxModelTextBytes, u'a');
    EXPECT_EQ(DecompressString(CompressString(fits)).size(), fits.size());
}

TEST(QbUtils, Base64MatchesRfc4648)
{
    struct Case { QByteArray in; QString out; };
    for (const Case &c : {Case{"abc", "YWJj"}, Case{"ab", "YWI="}, Case{"f", "Zg=="},
                          Case{"", ""}}) {
        SCOPED_TRACE(c.in.constData());
        EXPECT_EQ(Base64Encode(c.in), c.out);
        EXPECT_EQ(Base64Decode(c.out), c.in);
    }
}

TEST(QbUtils, GetDelimitedPart)
{
    struct Case { QString text; int n; bool toEnd; QString out; };
    for (const Case &c : {Case{"a,b,c", 2, false, "b"}, Case{"a,b,c", 2, true, "b,c"},
                          Case{"a,b,", 3, false, ""}, Case{"a,b,c", 1, false, "a"},
                          Case{"x,T,t,1,0,0,0,=5, 6", 8, true, "=5, 6"},
                          Case{"x,T,t,1,0,0,0,", 8, true, ""}}) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(GetDelimitedPart(u',', c.text, c.n, c.toEnd), c.out);
    }
}

TEST(QbUtils, StripLineBreaksJoinsLinesAndCollapsesSpaces)
{
    EXPECT_EQ(StripLineBreaks(QStringLiteral("SELECT a\r\nFROM\r\n    T t"), QStringLiteral("\r\n")),
              QStringLiteral("SELECT aFROM T t"));
    EXPECT_EQ(StripLineBreaks(QStringLiteral("a\t\t b"), QStringLiteral("\r\n")),
              QStringLiteral("a\t\t b"));
}

TEST(QbUtils, CompressedTextRoundTrips)
{
    const QString text = QStringLiteral("[Grid]\r\n0=Name,Zákazník,Z,1,0,0,0,LIKE 'Š%'");
    const QString packed = CompressString(text);
    EXPECT_FALSE(packed.contains(u'\n'));
    EXPECT_EQ(DecompressString(packed), text);
}

TEST(QbUtils, CorruptModelTextRaisesQueryError)
{
    for (const QString &bad : {QStringLiteral("not base64!"), QStringLiteral("YWJj"),
                               CompressString(QStringLiteral("abcdef")).left(12)}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_THROW(DecompressString(bad), EqbError);
    }
}

TEST(QbResources, DefaultsAndAddStrings)
{
    EXPECT_EQ(GetQbText(1820), QStringLiteral("Collumn"));
    EXPECT_EQ(GetQbText(1829), QStringLiteral("Not Visible"));
    EXPECT_EQ(GetQbText(4242), QStringLiteral("4242"));

    TqbResources table;
    table.AddStrings(QStringLiteral("1=Ok\n5=\n=x\n-------TqbGrid-------\n1=Fine"));
    EXPECT_EQ(table.Get(QStringLiteral("1")), QStringLiteral("Fine"));
    EXPECT_EQ(table.Get(QStringLiteral("5")), QStringLiteral("5"));
    EXPECT_EQ(table.Get(QString()), QString());
}
