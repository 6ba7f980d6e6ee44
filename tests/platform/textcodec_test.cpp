// Code-page decoding of files, digest bytes and console bytes.
#include "platform/error.h"
#include "platform/textcodec.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

namespace {
QString u(const char *utf8) { return QString::fromUtf8(utf8); }
}

TEST(DecodeText, TakesUtf8WhenValidElseWindows1250)
{
    struct Case { QByteArray bytes; QString text; };
    const Case cases[] = {
        {"", ""},
        {"plain ASCII", "plain ASCII"},
        {"\xc4\x8d\x65\x72\x76\x65\x6e\xc3\xbd", u("červený")},  // UTF-8
        {"\xe8\x65rven\xfd", u("červený")},                        // Windows-1250
        {"SK - Sloven\xe8ina", u("SK - Slovenčina")},
        {"\x80", u("€")},                                          // euro sign, byte 0x80
        {"\xef\xbb\xbf[Main]", "[Main]"},                          // byte-order mark dropped
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes.toHex().constData());
        EXPECT_EQ(decodeText(c.bytes), c.text);
    }
}

TEST(DigestBytes, AreWindows1250WhenEncodableElseUtf8)
{
    struct Case { QString text; QByteArray bytes; };
    const Case cases[] = {
        {"heslo", "heslo"},
        {u("č"), "\xe8"},
        {u("Ľubomír €"), "\xbc\x75\x62om\xed\x72 \x80"},
        {u("č漢"), "\xc4\x8d\xe6\xbc\xa2"},  // one character outside: all UTF-8
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(digestBytes(c.text), c.bytes);
    }
}

TEST(EncodeText, ReplacesMissingCharactersByQuestionMarks)
{
    EXPECT_EQ(encodeText(u("Ab漢č"), kWindows1250), QByteArray("Ab?\xe8"));
    EXPECT_EQ(encodeText(u("a😀b"), kWindows1250), QByteArray("a?b"));
    EXPECT_EQ(encodeTextExactly(u("Ab漢č"), kWindows1250), std::nullopt);
    EXPECT_EQ(encodeTextExactly(u("Abč"), kWindows1250), QByteArray("Ab\xe8"));
}

TEST(EncodeText, Ibm852RoundTripsSlovakLetters)
{
    const QString text = u("čšžťľ ČŠŽ áéíóú");
    const QByteArray bytes = encodeText(text, kIbm852);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes.at(0)), 0x9f);  // "č" in code page 852
    EXPECT_EQ(decodeText(bytes, kIbm852), text);
}

TEST(EncodeText, UnknownCodePageThrows)
{
    EXPECT_THROW(encodeText("x", "no-such-code-page"), bralvo::Error);
    EXPECT_THROW(decodeText(QByteArray("x"), "no-such-code-page"), bralvo::Error);
}
