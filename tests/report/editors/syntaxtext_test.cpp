// The shared text model: editing primitive, undo snapshots under both
// policies, tab rules, Enter, Backspace, blocks, word moves, bookmarks.
#include "report/editors/syntaxtext.h"

#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

SyntaxText withText(const QStringList &lines, const EditPolicy &policy = {})
{
    SyntaxText t(policy);
    t.reset(lines);
    return t;
}

void typeText(SyntaxText &t, const QString &s)
{
    for (QChar c : s)
        t.typeChar(c);
}

} // namespace

TEST(SyntaxText, OffsetsAndPositionsAreInverse)
{
    SyntaxText t = withText({"ab", "", "cde"});
    for (const QPoint p : {QPoint(1, 1), QPoint(3, 1), QPoint(1, 2), QPoint(1, 3), QPoint(4, 3)})
        EXPECT_EQ(t.posOf(t.offsetOf(p)), p) << p.x() << "," << p.y();
    EXPECT_EQ(t.offsetOf(QPoint(1, 3)), 7); // "ab\r\n\r\n" + 1
}

TEST(SyntaxText, InsertReplacesSelectionAndPadsBeyondLineEnd)
{
    SyntaxText t = withText({"ab"});
    t.setPos(5, 1);
    t.insertText("x");
    EXPECT_EQ(t.line(1), "ab  x");
    EXPECT_EQ(t.pos(), QPoint(6, 1));
    t.setSelection(QPoint(2, 1), QPoint(5, 1));
    t.insertText("Z\r\nY");
    EXPECT_EQ(t.lines(), QStringList({"aZ", "Yx"}));
    EXPECT_EQ(t.pos(), QPoint(2, 2));
    EXPECT_FALSE(t.hasSelection());
    EXPECT_TRUE(t.modified());
}

TEST(SyntaxText, SelTextSkipsToNextLineWhenStartIsPastTheEnd)
{
    SyntaxText t = withText({"abc  ", "def"});
    t.setSelection(QPoint(5, 1), QPoint(3, 2));
    EXPECT_EQ(t.selText(), "de");
    t.setSelection(QPoint(40, 2), QPoint(2, 1)); // reversed, end clamped
    EXPECT_EQ(t.selText(), "bc  \r\ndef");
    t.clearSelection();
    EXPECT_EQ(t.selText(), "");
}

TEST(SyntaxText, ArmedUndoTakesARunOfTypingAsOneStep)
{
    SyntaxText t = withText({"x"});
    t.setPos(2, 1);
    t.armUndo();
    typeText(t, "abc");
    EXPECT_EQ(t.undoCount(), 1);
    t.undo();
    EXPECT_EQ(t.line(1), "x");
    EXPECT_EQ(t.pos(), QPoint(2, 1));
}

TEST(SyntaxText, SnapshotPerEditUndoesOneLetterEach)
{
    SyntaxText t = withText({""}, EditPolicy::queryEditor());
    typeText(t, "abc");
    ASSERT_EQ(t.undoCount(), 3);
    t.undo();
    EXPECT_EQ(t.line(1), "ab");
    t.undo();
    EXPECT_EQ(t.line(1), "a");
    t.undo();
    EXPECT_EQ(t.line(1), "");
}

TEST(SyntaxText, UndoKeepsTheLast32WholeTexts)
{
    SyntaxText t = withText({""}, EditPolicy::queryEditor());
    const QString longLine(100000, QLatin1Char('q'));
    t.insertText(longLine);
    for (int i = 0; i < 32; ++i)
        t.insertText("x");
    EXPECT_EQ(t.undoCount(), 32);
    for (int i = 0; i < 32; ++i)
        t.undo();
    // The oldest snapshot (the empty text) is gone; the long one is whole.
    EXPECT_EQ(t.line(1), longLine);
    EXPECT_EQ(t.undoCount(), 0);
}

TEST(SyntaxText, UndoSnapshotFormat)
{
    SyntaxText t = withText({"ab"}, EditPolicy::queryEditor());
    t.setPos(3, 1);
    t.insertText("c");
    EXPECT_EQ(t.undoSnapshots().at(0), "    3    1ab");
}

TEST(SyntaxText, TabToNextStopOfEight)
{
    struct Case {
        int column, expected;
    };
    for (const Case c : {Case{1, 8}, Case{8, 16}, Case{5, 8}, Case{9, 16}}) {
        SyntaxText t = withText({""});
        t.setPos(c.column, 1);
        t.tab();
        EXPECT_EQ(t.pos().x(), c.expected) << "from column " << c.column;
    }
}

TEST(SyntaxText, TabAlignsWithTheWordsAbove)
{
    SyntaxText t = withText({"SELECT name, city", ""}, EditPolicy::queryEditor());
    t.setPos(1, 2);
    t.tab();
    EXPECT_EQ(t.pos(), QPoint(8, 2));
    t.tab(); // inside "name," -> after it and the blank
    EXPECT_EQ(t.pos(), QPoint(14, 2));
    t.tab(); // "city" ends the line above
    EXPECT_EQ(t.pos(), QPoint(18, 2));
    t.tab(); // nothing above reaches further
    EXPECT_EQ(t.pos(), QPoint(18, 2));
}

TEST(SyntaxText, EnterKeepsIndentationAndOneUndoTakesItBack)
{
    SyntaxText t = withText({"    begin end"});
    t.setPos(11, 1);
    t.enter();
    EXPECT_EQ(t.lines(), QStringList({"    begin ", "    end"}));
    EXPECT_EQ(t.pos(), QPoint(5, 2));
    t.undo();
    EXPECT_EQ(t.lines(), QStringList({"    begin end"}));
}

TEST(SyntaxText, BackspaceUnindentsToThePreviousLevel)
{
    SyntaxText t = withText({"begin", "  if x then", "      y"});
    t.setPos(7, 3);
    t.backspace();
    EXPECT_EQ(t.line(3), "  y");
    t.backspace();
    EXPECT_EQ(t.line(3), "y");
    t.backspace(); // column 1: join with the line above
    EXPECT_EQ(t.lines(), QStringList({"begin", "  if x theny"}));
    EXPECT_EQ(t.pos(), QPoint(12, 2));
}

TEST(SyntaxText, DeleteBeyondTheEndJoinsThePaddedNextLine)
{
    SyntaxText t = withText({"ab", "cd"});
    t.setPos(4, 1);
    t.deleteChar();
    EXPECT_EQ(t.lines(), QStringList({"ab cd"}));
}

TEST(SyntaxText, CtrlYDeletesOrEmptiesTheLine)
{
    SyntaxText t = withText({"a", "b"});
    t.deleteLine();
    EXPECT_EQ(t.lines(), QStringList({"b"}));
    t.setPos(2, 1);
    t.deleteLine();
    EXPECT_EQ(t.lines(), QStringList({""}));
    EXPECT_EQ(t.pos(), QPoint(1, 1));
}

TEST(SyntaxText, IndentAndUnindentTheSelectedLines)
{
    SyntaxText t = withText({"a", " b", "c"});
    t.setSelection(QPoint(1, 1), QPoint(1, 3)); // caret end in column 1: line 3 left out
    t.indentBlock();
    EXPECT_EQ(t.lines(), QStringList({"  a", "   b", "c"}));
    t.unindentBlock();
    t.unindentBlock(); // " b" allows only one more blank... "a" none
    EXPECT_EQ(t.lines(), QStringList({"a", " b", "c"}));
}

TEST(SyntaxText, WordMovesFollowTheWordCharacters)
{
    SyntaxText t = withText({QStringLiteral("ab.cd  \u00E1x")});
    t.setPos(1, 1);
    t.wordRight();
    EXPECT_EQ(t.pos().x(), 4);
    t.wordRight();
    EXPECT_EQ(t.pos().x(), 8);
    t.wordLeft();
    EXPECT_EQ(t.pos().x(), 4);
    SyntaxText q = withText({QStringLiteral("ab \u00E1x")}, EditPolicy::queryEditor());
    q.setPos(4, 1);
    q.wordRight(); // "á" is no word character here
    EXPECT_EQ(q.pos().x(), 5);
}

TEST(SyntaxText, BookmarksFollowTheirLines)
{
    SyntaxText t = withText({"a", "b", "c"});
    t.setPos(1, 2);
    t.toggleBookmark(3);
    EXPECT_EQ(t.getBookmark(1), 3);
    t.setPos(1, 1);
    t.enter();
    EXPECT_EQ(t.bookmark(3), 2);
    t.setPos(1, 3);
    t.enter(); // column 1 on the marked line moves it too
    EXPECT_EQ(t.bookmark(3), 3);
    t.setPos(1, 4);
    t.toggleBookmark(3);
    EXPECT_EQ(t.bookmark(3), -1);
}

TEST(SyntaxText, EnterInColumnOneLeavesTheOwnBookmarkUnderQbPolicy)
{
    SyntaxText t = withText({"a", "b"}, EditPolicy::queryEditor());
    t.setBookmark(0, 1);
    t.setPos(1, 2);
    t.enter();
    EXPECT_EQ(t.bookmark(0), 1);
    t.setPos(1, 1);
    t.enter();
    EXPECT_EQ(t.bookmark(0), 2);
}

TEST(SyntaxText, CaretMovedFarScrollsBothWays)
{
    QStringList lines(100, QString());
    lines.last() = QString(300, QLatin1Char('x'));
    SyntaxText t = withText(lines);
    t.setWindowSize(QPoint(40, 10));
    t.end(true);
    EXPECT_EQ(t.pos(), QPoint(301, 100));
    EXPECT_EQ(t.offset(), QPoint(261, 90));
}
