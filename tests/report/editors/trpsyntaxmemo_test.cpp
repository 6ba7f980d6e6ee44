// The code editor as a control: keys (Tab, Enter, undo, bookmarks,
// clipboard), the outside change of the lines, the gutter's breakpoints
// and the key table's undo limit.
#include "report/editors/trpsyntaxmemo.h"

#include "tests/support/qstringprint.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

struct Memo {
    Memo()
    {
        memo.resize(400, 300);
        memo.SetSyntax("SQL");
        memo.show();
    }
    TrpSyntaxMemo memo;
};

} // namespace

TEST(TrpSyntaxMemo, NewControlDefaults)
{
    TrpSyntaxMemo memo;
    EXPECT_EQ(memo.Lines(), QStringList({""}));
    EXPECT_EQ(memo.Pos(), QPoint(1, 1));
    EXPECT_TRUE(memo.ShowGutter());
    EXPECT_EQ(memo.GutterWidth(), 30);
    EXPECT_EQ(memo.ActiveLine(), -1);
    EXPECT_EQ(memo.font().family(), "Courier New");
    EXPECT_EQ(memo.Style().comment.color, QColor(0, 0, 128));
    EXPECT_TRUE(memo.Style().comment.font.italic());
    EXPECT_TRUE(memo.Style().keyword.font.bold());
    EXPECT_EQ(memo.Style().number.color, QColor(0, 128, 0));
    memo.SetShowGutter(false);
    EXPECT_EQ(memo.GutterWidth(), 0);
}

TEST(TrpSyntaxMemo, TabGoesToTheNextStopOfEight)
{
    Memo m;
    QTest::keyClick(&m.memo, Qt::Key_Tab);
    EXPECT_EQ(m.memo.Pos(), QPoint(8, 1));
    QTest::keyClick(&m.memo, Qt::Key_Tab);
    EXPECT_EQ(m.memo.Pos(), QPoint(16, 1));
    EXPECT_EQ(m.memo.Lines().at(0), QString(15, ' '));
}

TEST(TrpSyntaxMemo, TypedRunIsOneUndoStepAndEnterArmsTheNext)
{
    Memo m;
    QTest::keyClicks(&m.memo, "abc");
    QTest::keyClick(&m.memo, Qt::Key_Return);
    QTest::keyClicks(&m.memo, "de");
    EXPECT_EQ(m.memo.Lines(), QStringList({"abc", "de"}));
    QTest::keyClick(&m.memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m.memo.Lines(), QStringList({"abc", ""}));
    // Enter right after typing took no snapshot of its own.
    QTest::keyClick(&m.memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m.memo.Lines(), QStringList({""}));
}

TEST(TrpSyntaxMemo, OnlyTheLast32EditsCanBeUndone)
{
    Memo m;
    for (int i = 0; i < 33; ++i) {
        QTest::keyClicks(&m.memo, "x");
        QTest::keyClick(&m.memo, Qt::Key_Left); // arms the next snapshot
        QTest::keyClick(&m.memo, Qt::Key_End);
    }
    EXPECT_EQ(m.memo.UndoCount(), 32);
    for (int i = 0; i < 40; ++i)
        m.memo.Undo();
    EXPECT_EQ(m.memo.Lines(), QStringList({"x"}));
}

TEST(TrpSyntaxMemo, BookmarkKeysSetJumpAndClear)
{
    Memo m;
    m.memo.SetLines({"a", "b", "c"});
    m.memo.SetPos(1, 2);
    QTest::keyClick(&m.memo, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m.memo.GetBookmark(1), 3);
    m.memo.SetPos(1, 1);
    QTest::keyClick(&m.memo, Qt::Key_Return);
    EXPECT_EQ(m.memo.GetBookmark(2), 3);
    QTest::keyClick(&m.memo, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(m.memo.Pos(), QPoint(1, 3));
    QTest::keyClick(&m.memo, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m.memo.GetBookmark(2), -1);
}

TEST(TrpSyntaxMemo, AssigningLinesStartsAFreshState)
{
    Memo m;
    QTest::keyClicks(&m.memo, "abc");
    int changes = 0;
    m.memo.OnChangeText = [&changes](TrpSyntaxMemo *) { ++changes; };
    m.memo.SetLines({"one", "two"});
    EXPECT_EQ(m.memo.Pos(), QPoint(1, 1));
    EXPECT_EQ(m.memo.UndoCount(), 0);
    EXPECT_EQ(changes, 0);
    QTest::keyClicks(&m.memo, "x");
    EXPECT_EQ(changes, 1);
}

TEST(TrpSyntaxMemo, ClipboardCommands)
{
    Memo m;
    m.memo.SetLines({"hello world"});
    QTest::keyClick(&m.memo, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m.memo.SelText(), "hello ");
    QTest::keyClick(&m.memo, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "hello ");
    QTest::keyClick(&m.memo, Qt::Key_End);
    QTest::keyClick(&m.memo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(m.memo.Lines(), QStringList({"worldhello "}));
}

TEST(TrpSyntaxMemo, GutterClickTogglesABreakPoint)
{
    Memo m;
    m.memo.SetLines({"a", "b"});
    const QPoint inGutter(5, m.memo.CharHeight() + 2);
    QTest::mouseClick(m.memo.viewport(), Qt::LeftButton, {}, inGutter);
    EXPECT_TRUE(m.memo.IsBreakPoint(2));
    QTest::mouseClick(m.memo.viewport(), Qt::LeftButton, {}, inGutter + QPoint(0, 1));
    EXPECT_FALSE(m.memo.IsBreakPoint(2));
}

TEST(TrpSyntaxMemo, PaintingColoursTheVisibleLines)
{
    Memo m;
    m.memo.SetLines({"select 1 -- x"});
    m.memo.grab();
    EXPECT_EQ(m.memo.ColourLines(), QStringList({"4444443633333"}));
    QTest::keyClicks(&m.memo, "x");
    EXPECT_TRUE(m.memo.ColourLines().isEmpty());
}

TEST(TrpSyntaxMemo, CompletionNameWalksBackOverCallsAndStrings)
{
    EXPECT_EQ(CompletionName("  Report.Pages[1].Ob", 21), "Report.Pages.Ob");
    EXPECT_EQ(CompletionName("x := Foo('a)b').Ba", 19), " Foo.Ba");
    EXPECT_EQ(CompletionName("a + b", 6), " b");
    EXPECT_EQ(CompletionName("Report.Ti  more", 10), "Report.Ti");
}
