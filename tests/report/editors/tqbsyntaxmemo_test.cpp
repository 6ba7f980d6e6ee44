// The query builder's SQL memo: undo per character, Tab aligned with the
// line above, read-only mode, Find and its message, the footer, the
// search dialog and drops from a tree view.
#include "report/editors/tqbsyntaxmemo.h"
#include "report/editors/tqbsynmemosearch.h"

#include "tests/support/qstringprint.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

struct Memo {
    Memo()
    {
        memo.resize(400, 300);
        memo.SetSyntaxType(TSyntaxType::stSQL);
        memo.show();
    }
    TqbSyntaxMemo memo;
};

} // namespace

TEST(TqbSyntaxMemo, NewControlShowsFooterAndGutter)
{
    TqbSyntaxMemo memo;
    EXPECT_EQ(memo.FooterText(), "1 : 1    ");
    EXPECT_TRUE(memo.ShowFooter());
    EXPECT_TRUE(memo.ShowGutter());
    EXPECT_EQ(memo.SyntaxType(), TSyntaxType::stPascal);
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_EQ(memo.size(), QSize(200, 200));
}

TEST(TqbSyntaxMemo, EveryTypedLetterIsOneUndoStep)
{
    Memo m;
    QTest::keyClicks(&m.memo, "abc");
    for (const char *expected : {"ab", "a", ""}) {
        QTest::keyClick(&m.memo, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(m.memo.Lines(), QStringList({expected}));
    }
}

TEST(TqbSyntaxMemo, TabAlignsWithTheWordAfterSelect)
{
    Memo m;
    m.memo.SetLines({"SELECT name", ""});
    m.memo.SetPos(1, 2);
    QTest::keyClick(&m.memo, Qt::Key_Tab);
    EXPECT_EQ(m.memo.Pos(), QPoint(8, 2));
    EXPECT_EQ(m.memo.FooterText(), "2 : 8    ");
}

TEST(TqbSyntaxMemo, ReadOnlyIgnoresEditsButCopiesAndNavigates)
{
    Memo m;
    m.memo.SetLines({"select a", "from b"});
    m.memo.SetReadOnly(true);
    QTest::keyClick(&m.memo, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClicks(&m.memo, "zz");
    QTest::keyClick(&m.memo, Qt::Key_Delete);
    QTest::keyClick(&m.memo, Qt::Key_Return);
    QTest::keyClick(&m.memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m.memo.Lines(), QStringList({"select a", "from b"}));
    QTest::keyClick(&m.memo, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&m.memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "select a");
    QTest::keyClick(&m.memo, Qt::Key_Down);
    EXPECT_EQ(m.memo.Pos(), QPoint(9, 2));
}

TEST(TqbSyntaxMemo, FindStartsOnTheLineAfterTheCaret)
{
    Memo m;
    m.memo.SetLines({"one abc"});
    EXPECT_FALSE(m.memo.Find("abc")); // a single line is never searched
    EXPECT_EQ(m.memo.Message(), "Text \"abc\" not found.");
    m.memo.SetLines({"x", "y", "has ABC", "then abc"});
    m.memo.SetPos(1, 3);
    EXPECT_TRUE(m.memo.Find("abc"));
    EXPECT_EQ(m.memo.Pos(), QPoint(6, 4));
    EXPECT_EQ(m.memo.Message(), "");
    EXPECT_FALSE(m.memo.Find("abc")); // no wrapping
}

TEST(TqbSyntaxMemo, SearchDialogRemembersTheTextForF3)
{
    Memo m;
    m.memo.SetLines({"a", "b", "c b"});
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<TqbSynMemoSearch *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Search");
        dialog->findChild<QLineEdit *>("Edit1")->setText("b");
        dialog->accept();
    });
    QTest::keyClick(&m.memo, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(m.memo.Pos(), QPoint(1, 2));
    EXPECT_EQ(m.memo.SearchText(), "b");
    QTest::keyClick(&m.memo, Qt::Key_F3);
    EXPECT_EQ(m.memo.Pos(), QPoint(3, 3));
}

TEST(TqbSyntaxMemo, ColoursTheWholeTextAfterEveryChange)
{
    Memo m;
    m.memo.SetLines({"select 12", "-- x"});
    EXPECT_EQ(m.memo.ColourLines(), QStringList({"444444111", "3333"}));
    m.memo.SetSyntaxType(TSyntaxType::stText);
    EXPECT_EQ(m.memo.ColourLines(), QStringList({"111111111", "1111"}));
}

TEST(TqbSyntaxMemo, LinesReadBackWithoutTrailingBlanks)
{
    Memo m;
    m.memo.SetLines({"a   ", "b"});
    EXPECT_EQ(m.memo.Lines(), QStringList({"a", "b"}));
}

TEST(TqbSyntaxMemo, ScrollBarOnlyWhenTheLinesDoNotFit)
{
    Memo m;
    m.memo.SetLines({"a"});
    EXPECT_FALSE(m.memo.VerticalBar()->isVisible());
    m.memo.SetLines(QStringList(200, "x"));
    EXPECT_TRUE(m.memo.VerticalBar()->isVisible());
    QTest::keyClick(&m.memo, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(m.memo.VerticalBar()->value(), m.memo.Offset().y());
    EXPECT_GT(m.memo.Offset().y(), 150);
}
