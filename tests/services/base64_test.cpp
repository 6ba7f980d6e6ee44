// Base64 (RFC 4648 vectors) and the lenient sextet decoder.
#include "services/base64.h"

#include <gtest/gtest.h>

using namespace bralvo::services;

TEST(Base64, MatchesRfc4648)
{
    struct Case { QByteArray in, out; };
    const Case cases[] = {
        {"", ""},           {"f", "Zg=="},          {"fo", "Zm8="},      {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in.constData());
        EXPECT_EQ(Base64EncodeString(c.in), c.out);
        EXPECT_EQ(Base64DecodeString(c.out), c.in);
    }
}

TEST(Base64, DecodingSkipsForeignCharactersAndPaddingDoesNotCloseAGroup)
{
    struct Case { QByteArray in, out; };
    const Case cases[] = {
        {"Zm9v\r\nYmFy", "foobar"},
        {" Z g = = ", "f"},
        {"Zg", "f"},                               // padding may be missing
        {"Zm9vY", "foo"},                          // one value left over adds nothing
        {"Zm9v\x01\xffYmFy!*", "foobar"},          // bytes outside 33..127 and unknown ones
        {"Zg==Zm9v", QByteArray("\x66\x06\x66\xf6")},  // not "f" + "foo"
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in.toHex().constData());
        EXPECT_EQ(Base64DecodeString(c.in), c.out);
    }
}

TEST(Base64, EveryByteRoundTrips)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    const QByteArray encoded = Base64EncodeString(all);
    EXPECT_EQ(encoded.size(), 4 * ((256 + 2) / 3));
    EXPECT_EQ(encoded, all.toBase64());
    EXPECT_EQ(Base64DecodeString(encoded), all);
}

TEST(EncodeSextets, A64CharacterAlphabetWritesNoPadding)
{
    const QByteArray alphabet = QByteArray(kBase64Alphabet).left(64);
    EXPECT_EQ(EncodeSextets("f", alphabet), QByteArray("Zg"));
    EXPECT_EQ(EncodeSextets("fo", alphabet), QByteArray("Zm8"));
    EXPECT_EQ(DecodeSextets("Zm8", MakeSextetReverseTable(alphabet)), QByteArray("fo"));
}
