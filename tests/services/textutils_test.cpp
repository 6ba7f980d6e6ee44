// Trimming, splitting, line ends, packing and ticks.
#include "services/bytepacking.h"
#include "services/textutils.h"
#include "services/ticks.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace bralvo::services;

TEST(TextUtils, TrimsRemoveOnlyBlanks)
{
    struct Case { QByteArray in, left, right, both; };
    const Case cases[] = {
        {"  a b  ", "a b  ", "  a b", "a b"},
        {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},
        {"   ", "", "", ""},
        {"", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in.constData());
        EXPECT_EQ(TrimBlanksLeft(c.in), c.left);
        EXPECT_EQ(TrimBlanksRight(c.in), c.right);
        EXPECT_EQ(TrimBlanks(c.in), c.both);
        EXPECT_EQ(TrimBlanks(QString::fromLatin1(c.in)), QString::fromLatin1(c.both));
    }
}

TEST(TextUtils, TextBeforeAndAfter)
{
    struct Case { QByteArray text, separator, before, after; };
    const Case cases[] = {
        {"user:pass:x", ":", "user", "pass:x"},
        {"a<->b", "<->", "a", "b"},
        {"no separator", ",", "no separator", "no separator"},
        {"abc", "", "abc", "abc"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.constData());
        EXPECT_EQ(TextBefore(c.text, c.separator), c.before);
        EXPECT_EQ(TextAfter(c.text, c.separator), c.after);
    }
}

TEST(TextUtils, ExtractAngleAddress)
{
    struct Case { QByteArray field, address; };
    const Case cases[] = {
        {"Jan Novak <jan@firma.sk>", "jan@firma.sk"},
        {"\tjan@firma.sk\t", "jan@firma.sk"},
        {"Jan < jan@firma.sk ", "jan@firma.sk"},
        {"<  a@b.sk  >", "a@b.sk"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field.constData());
        EXPECT_EQ(ExtractAngleAddress(c.field), c.address);
        EXPECT_EQ(ExtractAngleAddress(QString::fromLatin1(c.field)), QString::fromLatin1(c.address));
    }
}

TEST(TextUtils, FetchRawAndTrimmed)
{
    QByteArray text = "a,b,c";
    EXPECT_EQ(FetchRaw(text, ","), QByteArray("a"));
    EXPECT_EQ(text, QByteArray("b,c"));
    text = "abc";
    EXPECT_EQ(FetchRaw(text, ","), QByteArray("abc"));
    EXPECT_EQ(text, QByteArray());
    QString words = " a , b , c ";
    EXPECT_EQ(FetchTrimmed(words, ","), QString("a"));
    EXPECT_EQ(words, QString("b , c"));
}

TEST(TextUtils, FetchQuotedKeepsCommasInsideQuotes)
{
    QByteArray list = "\"Novak, Jan\" <jan@firma.sk>,eva@firma.sk";
    EXPECT_EQ(FetchQuoted(list, ",", "\""), QByteArray("\"Novak, Jan\" <jan@firma.sk>"));
    EXPECT_EQ(list, QByteArray("eva@firma.sk"));
    EXPECT_EQ(FetchQuoted(list, ",", "\""), QByteArray("eva@firma.sk"));
    EXPECT_EQ(list, QByteArray());
    QString open = "\"unterminated, quote";
    EXPECT_EQ(FetchQuoted(open, ",", "\""), QString("\"unterminated, quote"));
}

TEST(TextUtils, FindLineBreak)
{
    struct Case { QByteArray text; int position; QByteArray terminator; };
    const Case cases[] = {
        {"ab\n\rc", 3, "\n\r"}, {"ab\r", 3, "\r"},   {"ab\r\nc", 3, "\r\n"},
        {"\nx", 1, "\n"},       {"abc", -1, ""},     {"", -1, ""},
        {"a\r\r", 2, "\r"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toHex().constData());
        QByteArray terminator = "stale";
        EXPECT_EQ(FindLineBreak(c.text, terminator), c.position);
        EXPECT_EQ(terminator, c.terminator);
        QString textTerminator;
        EXPECT_EQ(FindLineBreak(QString::fromLatin1(c.text), textTerminator), c.position);
        EXPECT_EQ(textTerminator, QString::fromLatin1(c.terminator));
    }
}

TEST(TextUtils, WriteStringToStream)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteStringToStream(buffer, "EHLO"));
    EXPECT_TRUE(WriteStringToStream(buffer, " x"));
    EXPECT_EQ(buffer.data(), QByteArray("EHLO x"));
}

TEST(BytePacking, BigEndianPackingAndUnpacking)
{
    EXPECT_EQ(PackWordBE(0x1F90), QByteArray("\x1f\x90"));
    EXPECT_EQ(PackLongBE(0x0A0B0C0Du), QByteArray("\x0a\x0b\x0c\x0d"));
    EXPECT_EQ(PackLongBE(static_cast<std::uint32_t>(-2)), QByteArray("\xff\xff\xff\xfe"));
    EXPECT_EQ(SwapBytes32(0x0A0B0C0Du), 0x0D0C0B0Au);
    const QByteArray four("\x01\x02\x03\x04", 4);
    struct Case { int position; std::uint16_t value; };
    for (const Case &c : {Case{1, 0x0102}, Case{3, 0x0304}, Case{4, 0}, Case{5, 0}, Case{0, 0}}) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(UnpackWordBE(four, c.position), c.value);
    }
    const char bytes[] = "abcdef";
    EXPECT_EQ(PointerOffset(bytes, 2), static_cast<const void *>(bytes + 2));
}

TEST(Ticks, SpanSurvivesWrapAround)
{
    struct Case { std::uint32_t oldTick, newTick, span; };
    const Case cases[] = {
        {1000, 1000, 0},
        {1000, 1500, 500},
        {0xFFFFFFFFu - 255u, 256, 512},  // wrapped past 2^32
        {256, 80, 176},                  // new before old: their distance
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.oldTick);
        EXPECT_EQ(TickSpan(c.oldTick, c.newTick), c.span);
    }
}

TEST(Ticks, SleepAdvancesTheTick)
{
    const std::uint32_t before = TickNowMs();
    SleepMilliseconds(20);
    EXPECT_GE(TickSpan(before, TickNowMs()), 20u);
}
