// MD5 (RFC 1321 test suite) and HMAC-MD5 (RFC 2104 / RFC 2202 vectors).
#include "services/md5.h"

#include <gtest/gtest.h>

using namespace bralvo::services;

TEST(Md5, MatchesRfc1321)
{
    struct Case { QByteArray in; const char *hex; };
    const Case cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in.constData());
        const QByteArray digest = Md5String(c.in);
        EXPECT_EQ(digest.size(), 16);
        EXPECT_EQ(BinToLowerHex(digest), QString(c.hex));
    }
}

TEST(Md5, FeedingInPiecesEqualsOneFeed)
{
    const QByteArray text =
        "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
    for (int split : {0, 1, 55, 56, 63, 64, 65, 80}) {
        SCOPED_TRACE(split);
        Md5Context context;
        Md5Begin(context);
        Md5Feed(context, text.left(split));
        Md5Feed(context, QByteArray());
        Md5Feed(context, text.mid(split));
        EXPECT_EQ(BinToLowerHex(Md5Finish(context)), QString("57edf4a22be3c955ac49da2e2107b67a"));
    }
}

TEST(HmacMd5, MatchesRfc2104)
{
    struct Case { QByteArray key, text; const char *hex; };
    const Case cases[] = {
        {QByteArray(16, '\x0b'), "Hi There", "9294727a3638bb1c13f48ef8158bfc9d"},
        {"Jefe", "what do ya want for nothing?", "750c783e6ab0b503eaa86e310a5db738"},
        {QByteArray(16, '\xaa'), QByteArray(50, '\xdd'), "56be34521d144c88dbb8c733f0e8b3f6"},
        {QByteArray(80, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
         "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(BinToLowerHex(HmacMd5String(c.text, c.key)), QString(c.hex));
    }
}

TEST(HmacMd5, KeysUpTo64BytesAreUsedUnhashed)
{
    const QByteArray text = "<1896.697170952@postoffice.example.net>";
    const QByteArray key64(64, 'k');
    const QByteArray key65(65, 'k');
    EXPECT_NE(HmacMd5String(text, key64), HmacMd5String(text, Md5String(key64)));
    EXPECT_EQ(HmacMd5String(text, key65), HmacMd5String(text, Md5String(key65)));
}

TEST(BinToLowerHex, TwoLowerCaseDigitsPerByte)
{
    EXPECT_EQ(BinToLowerHex(QByteArray()), QString());
    EXPECT_EQ(BinToLowerHex(QByteArray("\x00\x0f\xa0\xff", 4)), QString("000fa0ff"));
}

TEST(TextDigestHex, TakesWindows1250BytesWhenPossible)
{
    struct Case { const char *text; const char *hex; };
    const Case cases[] = {
        {"heslo", "955db0b81ef1989b4a4dfeae8061a9a6"},
        {"č", "785d512be4316d578e6650613b45e934"},        // MD5 of the byte 0xE8
        {"Ľubomír", "1beb5d7813b27d2aa63dc908f5350bfd"},
        {"漢", "46123efddf7e993fd19bbbb9c6119491"},        // not in Windows-1250: UTF-8
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextDigestHex(QString::fromUtf8(c.text)), QString(c.hex));
    }
}
