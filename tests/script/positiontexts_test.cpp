// Position texts kept for the process's life: the same text as the digits
// the builder writes, shared by every asker, in any thread.
#include "script/buildertree.h"
#include "script/positiontexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>
#include <vector>

using namespace bralvo::script;

namespace {

QString plainPositionText(int line, int column)
{
    return builder::PositionDigits(line, column).view().toString();
}

} // namespace

TEST(PositionTexts, SameTextAsTheDigitsTheBuilderWrites)
{
    const std::pair<int, int> positions[] = {{0, 0},   {1, 1},       {9, 10},      {10, 9},     {99, 100},
                                             {100, 99}, {4999, 12345}, {1, INT_MAX}, {INT_MAX, 1}, {-1, 3}};
    for (const auto &[line, column] : positions) {
        const QString expected = plainPositionText(line, column);
        EXPECT_EQ(permanentPositionText(line, column), expected) << line << ":" << column;
        // Asked again, from the store.
        EXPECT_EQ(permanentPositionText(line, column), expected) << line << ":" << column;
        if (line >= 0 && column >= 0) {
            EXPECT_EQ(expected, QStringLiteral("%1:%2").arg(line).arg(column));
        }
    }
}

TEST(PositionTexts, OneStoredTextPerPositionThatAChangeLeavesAlone)
{
    const QString first = permanentPositionText(321, 7);
    const QString second = permanentPositionText(321, 7);
    EXPECT_EQ(first.constData(), second.constData());
    EXPECT_NE(permanentPositionText(7, 321).constData(), first.constData());

    QString changed = second;
    changed.append(QLatin1Char('x'));
    changed[0] = QLatin1Char('9');
    EXPECT_EQ(changed, QStringLiteral("921:7x"));
    EXPECT_EQ(first, QStringLiteral("321:7"));
    EXPECT_EQ(permanentPositionText(321, 7), QStringLiteral("321:7"));
    // utf16() needs a terminator after the characters.
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t *>(first.utf16())), QStringLiteral("321:7"));
}

TEST(PositionTexts, RoomMadeAtOnceForALongTextKeepsTheTextsMadeBefore)
{
    const QString before = permanentPositionText(250123, 4);
    reservePositionTexts(0);
    reservePositionTexts(-5);
    reservePositionTexts(60000); // more lines than the table had room for
    reservePositionTexts(10);
    EXPECT_EQ(permanentPositionText(250123, 4).constData(), before.constData());
    for (int line = 59990; line <= 60001; ++line) {
        const QString text = permanentPositionText(line, line % 7);
        EXPECT_EQ(text, plainPositionText(line, line % 7));
        EXPECT_EQ(permanentPositionText(line, line % 7).constData(), text.constData());
    }
}

TEST(PositionTexts, ThreadsAskingTogetherGetTheSameTexts)
{
    // Enough new positions to make the table grow while the others read it.
    constexpr int kThreads = 4;
    constexpr int kLines = 3000;
    std::vector<std::vector<QString>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &seen] {
            for (int line = 1; line <= kLines; ++line)
                seen[size_t(t)].push_back(permanentPositionText(line + 100000, (line * 7 + t) % 5));
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t) {
        for (int line = 1; line <= kLines; ++line) {
            const int column = (line * 7 + t) % 5;
            const QString &text = seen[size_t(t)][size_t(line - 1)];
            ASSERT_EQ(text, plainPositionText(line + 100000, column));
            ASSERT_EQ(text.constData(), permanentPositionText(line + 100000, column).constData());
        }
    }
}

TEST(PositionTexts, NumbersReadOnlyFromTextTheDigitsGiveBack)
{
    struct Case {
        const char16_t *text;
        bool read;
    };
    const Case cases[] = {
        {u"1:1", true},          {u"0:0", true},          {u"4999:12", true},   {u"2147483647:2147483647", true},
        {u"01:1", false},        {u"1:01", false},        {u"00:0", false},     {u"2147483648:1", false},
        {u"1:2147483648", false}, {u"1:", false},          {u":1", false},       {u"1", false},
        {u"", false},            {u"1:2:3", false},       {u"+1:2", false},     {u"-1:2", false},
        {u" 1:2", false},        {u"1:2 ", false},        {u"1;2", false},      {u"\uff11:2", false},
    };
    for (const Case &c : cases) {
        const QStringView text(c.text);
        int line = -1, column = -1;
        EXPECT_EQ(builder::readPositionNumbers(text, line, column), c.read) << text.toString().toStdString();
        if (c.read) {
            EXPECT_EQ(plainPositionText(line, column), text.toString());
        }
    }
}
