// Memo view: output text (expressions, formats, zero hiding, repeat
// suppression, highlight), text rectangle and gaps, splitting hooks and
// the memo's saved properties in report XML.
#include "testreport.h"

#include "report/model/trpframe.h"
#include "report/model/trplineview.h"
#include "report/model/trpstyles.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;
using bralvo::platform::Variant;

namespace {

// A report whose names come from the value event, with one memo on a band.
struct MemoFixture : ::testing::Test {
    std::unique_ptr<TrpReport> report = quietReport();
    TrpMemoView *memo = nullptr;
    QMap<QString, Variant> values;

    void SetUp() override
    {
        buildExample(*report);
        memo = static_cast<TrpMemoView *>(report->FindObject(QStringLiteral("Memo1")));
        values[QStringLiteral("nazov")] = Variant(QStringLiteral("Stôl"));
        values[QStringLiteral("datum")] = Variant(46000.0);
        values[QStringLiteral("nula")] = Variant(0);
        values[QStringLiteral("nulaf")] = Variant(0.0);
        values[QStringLiteral("nulas")] = Variant(QStringLiteral("0"));
        values[QStringLiteral("zatvorka")] = Variant(QStringLiteral("[nazov]"));
        values[QStringLiteral("cena")] = Variant(1234.5);
        values[QStringLiteral("ano")] = Variant(true);
        values[QStringLiteral("nie")] = Variant(false);
        report->OnGetValue = [this](const QString &name, Variant &v) {
            if (values.contains(name))
                v = values.value(name);
        };
    }

    QString output(const QString &text)
    {
        memo->SetText(text);
        memo->GetData();
        return memo->Text();
    }
};

} // namespace

TEST_F(MemoFixture, ExpressionsExpandWithInlineFormats)
{
    struct Case {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        // the first letter after " #" is the kind, the rest the format text
        {QStringLiteral("[nazov] od [datum #dd.mm.yyyy]"), QStringLiteral("Stôl od 9.12.2025")},
        {QStringLiteral("[datum #ddd.mm.yyyy]"), QStringLiteral("09.12.2025")},
        {QStringLiteral("Cena: [cena #n%2.2f]"), QStringLiteral("Cena: 1234.50")},
        {QStringLiteral("[zatvorka]!"), QStringLiteral("[nazov]!")},  // a value is not expanded again
        {QStringLiteral("bez zátvoriek"), QStringLiteral("bez zátvoriek")},
        {QStringLiteral("[TotalPages#] / [copyname#]"), QStringLiteral("[TotalPages#] / [CopyName#]")},
        {QStringLiteral("a\r\n[nazov]"), QStringLiteral("a\r\nStôl")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(output(c.text), c.expected) << c.text.toStdString();
}

TEST_F(MemoFixture, NumericFormatTakesLastSeparatorAsDecimalSeparator)
{
    EXPECT_EQ(output(QStringLiteral("[cena #n%2,2f]")), QStringLiteral("1234,50"));
}

TEST_F(MemoFixture, OtherDelimitersLeaveSquareBracketsAsText)
{
    memo->SetExpressionDelimiters(QStringLiteral("<%,%>"));
    EXPECT_EQ(output(QStringLiteral("[nazov] <%nazov%>")), QStringLiteral("[nazov] Stôl"));
}

TEST_F(MemoFixture, AllowExpressionsOffKeepsText)
{
    memo->SetAllowExpressions(false);
    EXPECT_EQ(output(QStringLiteral("[nazov]")), QStringLiteral("[nazov]"));
}

TEST_F(MemoFixture, UnterminatedBracketStaysText)
{
    EXPECT_EQ(output(QStringLiteral("[nazov] a [nazov")), QStringLiteral("Stôl a [nazov"));
    memo->SetExpressionDelimiters(QStringLiteral("<%,%>"));
    EXPECT_EQ(output(QStringLiteral("<%nazov%> <%nazov")), QStringLiteral("Stôl <%nazov"));
}

TEST_F(MemoFixture, HideZerosHidesNumbersNotStrings)
{
    memo->SetHideZeros(true);
    EXPECT_EQ(output(QStringLiteral("[nula]")), QString());
    EXPECT_EQ(output(QStringLiteral("[nulaf]")), QString());
    EXPECT_EQ(output(QStringLiteral("[nulas]")), QStringLiteral("0"));
    memo->SetHideZeros(false);
    EXPECT_EQ(output(QStringLiteral("[nula]")), QStringLiteral("0"));
}

TEST_F(MemoFixture, SuppressRepeatedEmptiesRepeatsUntilReset)
{
    memo->SetSuppressRepeated(true);
    EXPECT_EQ(output(QStringLiteral("A")), QStringLiteral("A"));
    EXPECT_EQ(output(QStringLiteral("A")), QString());
    EXPECT_EQ(output(QStringLiteral("B")), QStringLiteral("B"));
    memo->ResetSuppress();
    EXPECT_EQ(output(QStringLiteral("B")), QStringLiteral("B"));
}

TEST_F(MemoFixture, HighlightFollowsCondition)
{
    memo->Highlight()->SetCondition(QStringLiteral("ano"));
    output(QStringLiteral("x"));
    EXPECT_TRUE(memo->Highlight()->Active());
    memo->Highlight()->SetCondition(QStringLiteral("nie"));
    output(QStringLiteral("x"));
    EXPECT_FALSE(memo->Highlight()->Active());
    memo->Highlight()->SetCondition(QString());
    memo->Highlight()->SetActive(true);
    output(QStringLiteral("x"));
    EXPECT_FALSE(memo->Highlight()->Active());
}

TEST_F(MemoFixture, AfterPrintRestoresTemplateText)
{
    memo->SetText(QStringLiteral("[nazov]"));
    memo->BeforePrint();
    memo->GetData();
    EXPECT_EQ(memo->Text(), QStringLiteral("Stôl"));
    memo->AfterPrint();
    EXPECT_EQ(memo->Text(), QStringLiteral("[nazov]"));
}

TEST_F(MemoFixture, StyleGivesColorFontAndFrame)
{
    TrpStyleItem *s = report->Styles()->Add();
    s->SetName(QStringLiteral("Nadpis"));
    s->SetColor(0x00FF00);
    s->Frame()->SetTyp(ftLeft | ftTop);
    memo->SetStyle(QStringLiteral("nadpis"));
    EXPECT_EQ(memo->Color(), 0x00FF00);
    EXPECT_EQ(memo->Frame()->Typ(), ftLeft | ftTop);
    EXPECT_FALSE(memo->ParentFont());
}

TEST_F(MemoFixture, FlowToClearedWhenTargetDestroyed)
{
    auto *other = new TrpMemoView(memo->Parent());
    memo->SetFlowTo(other);
    EXPECT_EQ(memo->FlowTo(), other);
    delete other;
    EXPECT_EQ(memo->FlowTo(), nullptr);
}

TEST(MemoView, DefaultsAndRotation)
{
    TrpMemoView m(nullptr);
    EXPECT_TRUE(m.AllowExpressions());
    EXPECT_TRUE(m.WordWrap());
    EXPECT_TRUE(m.Clipped());
    EXPECT_DOUBLE_EQ(m.GapX(), 2);
    EXPECT_DOUBLE_EQ(m.GapY(), 1);
    EXPECT_DOUBLE_EQ(m.LineSpacing(), 2);
    EXPECT_EQ(m.ExpressionDelimiters(), QStringLiteral("[,]"));
    EXPECT_EQ(m.StretchMode(), smDontStretch);
    m.SetRotation(450);
    EXPECT_EQ(m.Rotation(), 90);
    TrpLineView line(nullptr);
    EXPECT_NE(dynamic_cast<TrpStretcheable *>(&line), nullptr);
}

TEST(MemoView, TextRectAndGapsNarrowByFramedSides)
{
    TrpMemoView m(nullptr);
    m.SetBounds(10, 20, 100, 50);
    m.Frame()->SetWidth(3);
    m.Frame()->SetTyp(ftLeft | ftTop | ftRight | ftBottom);
    // left 10 + round(1) + 2, top 20 + 1 + 1, right 110 - round(1.5) - 2 + 1,
    // bottom 70 - 2 - 1 + 1 (QRect right/bottom are inclusive).
    EXPECT_EQ(m.TextRect(1, 1, 0, 0), QRect(QPoint(13, 22), QPoint(106, 67)));
    EXPECT_DOUBLE_EQ(m.VerticalGaps(), 2 + 1 + 1.5);
    EXPECT_DOUBLE_EQ(m.HorizontalGaps(), 4 + 1 + 1.5);
}

// The text rectangle starts from the view's own pixel rectangle: halves
// round to even, the drop shadow is taken off, and a 1-pixel frame costs
// no pixel on the right or bottom.
TEST(MemoView, TextRectFollowsTheViewsPixelRectangle)
{
    struct Case {
        const char *what;
        QRectF bounds;
        int typ;
        bool shadow;
        QRect expected;
    };
    const int all = ftLeft | ftTop | ftRight | ftBottom;
    const Case cases[] = {
        // 10 + 0 + 2, 20 + 0 + 1; right 110 - round(0.5) - 2 + 1, bottom 70 - 0 - 1 + 1
        {"thin frame", QRectF(10, 20, 100, 50), all, false, QRect(QPoint(12, 21), QPoint(108, 69))},
        // round(2.5) = 2, round(12.5) = 12, round(0.5) = 0, round(10.5) = 10
        {"halves to even", QRectF(2.5, 0.5, 10, 10), 0, false, QRect(QPoint(4, 1), QPoint(10, 9))},
        // x1 110 - 4, y1 70 - 4 before the gaps
        {"drop shadow", QRectF(10, 20, 100, 50), 0, true, QRect(QPoint(12, 21), QPoint(104, 65))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TrpMemoView m(nullptr);
        m.SetBounds(c.bounds.x(), c.bounds.y(), c.bounds.width(), c.bounds.height());
        m.Frame()->SetTyp(c.typ);
        m.Frame()->SetDropShadow(c.shadow);
        EXPECT_EQ(m.TextRect(1, 1, 0, 0), c.expected);
    }
}

TEST(MemoView, InitPartStartsWholeText)
{
    TrpMemoView m(nullptr);
    m.SetText(QStringLiteral("a\r\nb"));
    m.SetFirstParaBreak(true);
    m.SetLastParaBreak(true);
    m.InitPart();
    EXPECT_EQ(m.SplitText(), QStringLiteral("a\r\nb\r\n"));
    EXPECT_FALSE(m.FirstParaBreak());
    EXPECT_FALSE(m.LastParaBreak());
}

TEST(MemoViewXml, EveryNewPropertySurvivesSaveAndLoad)
{
    auto report = quietReport();
    buildExample(*report);
    auto *m = static_cast<TrpMemoView *>(report->FindObject(QStringLiteral("Memo1")));
    auto *other = new TrpMemoView(m->Parent());
    other->setName(QStringLiteral("Memo2"));
    m->SetAllowExpressions(false);
    m->SetAllowHTMLTags(true);
    m->SetAutoWidth(true);
    m->SetBrushStyle(bsClear);
    m->SetCharSpacing(1.5);
    m->SetClipped(false);
    m->SetColor(0xFF);
    m->DisplayFormat()->SetKind(fkNumeric);
    m->DisplayFormat()->SetFormatStr(QStringLiteral("%2.2f"));
    m->SetExpressionDelimiters(QStringLiteral("<,>"));
    m->SetFlowTo(other);
    m->Frame()->SetTyp(ftBottom);
    m->SetGapX(3);
    m->SetGapY(0.5);
    m->SetHAlign(haBlock);
    m->SetHideZeros(true);
    m->Highlight()->SetCondition(QStringLiteral("Value > 0"));
    m->Highlight()->SetColor(0xFFFF);
    m->SetLineSpacing(4);
    m->SetParagraphGap(7);
    m->SetRotation(90);
    m->SetRTLReading(true);
    m->SetSuppressRepeated(true);
    m->SetUnderlines(true);
    m->SetWordBreak(true);
    m->SetWordWrap(false);
    m->SetWysiwyg(false);
    m->SetVAlign(vaCenter);
    m->SetStretchMode(smMaxHeight);
    m->SetFirstParaBreak(true);
    const QByteArray saved = saveToBytes(*report);

    auto copy = quietReport();
    loadFromBytes(*copy, saved);
    auto *c = static_cast<TrpMemoView *>(copy->FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(c, nullptr);
    EXPECT_FALSE(c->AllowExpressions());
    EXPECT_TRUE(c->AllowHTMLTags());
    EXPECT_TRUE(c->AutoWidth());
    EXPECT_EQ(c->BrushStyle(), bsClear);
    EXPECT_DOUBLE_EQ(c->CharSpacing(), 1.5);
    EXPECT_FALSE(c->Clipped());
    EXPECT_EQ(c->Color(), 0xFF);
    EXPECT_EQ(c->DisplayFormat()->Kind(), fkNumeric);
    EXPECT_EQ(c->DisplayFormat()->FormatStr(), QStringLiteral("%2.2f"));
    EXPECT_EQ(c->ExpressionDelimiters(), QStringLiteral("<,>"));
    EXPECT_EQ(c->FlowTo(), copy->FindObject(QStringLiteral("Memo2")));
    EXPECT_EQ(c->Frame()->Typ(), ftBottom);
    EXPECT_DOUBLE_EQ(c->GapX(), 3);
    EXPECT_DOUBLE_EQ(c->GapY(), 0.5);
    EXPECT_EQ(c->HAlign(), haBlock);
    EXPECT_TRUE(c->HideZeros());
    EXPECT_EQ(c->Highlight()->Condition(), QStringLiteral("Value > 0"));
    EXPECT_EQ(c->Highlight()->Color(), 0xFFFF);
    EXPECT_DOUBLE_EQ(c->LineSpacing(), 4);
    EXPECT_DOUBLE_EQ(c->ParagraphGap(), 7);
    EXPECT_EQ(c->Rotation(), 90);
    EXPECT_TRUE(c->RTLReading());
    EXPECT_TRUE(c->SuppressRepeated());
    EXPECT_TRUE(c->Underlines());
    EXPECT_TRUE(c->WordBreak());
    EXPECT_FALSE(c->WordWrap());
    EXPECT_FALSE(c->Wysiwyg());
    EXPECT_EQ(c->VAlign(), vaCenter);
    EXPECT_EQ(c->StretchMode(), smMaxHeight);
    EXPECT_TRUE(c->FirstParaBreak());
    EXPECT_EQ(c->Text(), m->Text());
    EXPECT_EQ(saveToBytes(*copy), saved);
}

TEST(MemoViewXml, DefaultMemoWritesNoNewAttributes)
{
    TrpMemoView m(nullptr);
    m.setName(QStringLiteral("M"));
    const QByteArray xml = saveToBytes(m);
    for (const char *key : {"GapX", "GapY", "LineSpacing", "CharSpacing", "ExpressionDelimiters", "Highlight",
                            "StretchMode", "WordWrap", "Clipped", "Wysiwyg", "AllowExpressions"})
        EXPECT_FALSE(xml.contains(key)) << key;
}

// --- height and splitting with the engine's layout installed

#include "report/engine/trpmemotextlayout.h"

namespace {

struct MemoLayoutFixture : ::testing::Test {
    TrpMemoView memo{nullptr};
    void SetUp() override
    {
        installMemoTextLayout();
        memo.SetBounds(0, 0, 200, 40);
    }
    void TearDown() override { setMemoTextLayout(nullptr); }
};

} // namespace

TEST_F(MemoLayoutFixture, HeightGrowsByOneLinePerLine)
{
    memo.SetText(QString());
    EXPECT_DOUBLE_EQ(memo.CalcHeight(), 2);  // only the gaps: 2 x GapY
    memo.SetText(QStringLiteral("a"));
    const double one = memo.CalcHeight();
    memo.SetText(QStringLiteral("a\r\nb"));
    const double two = memo.CalcHeight();
    memo.SetText(QStringLiteral("a\r\nb\r\nc"));
    const double three = memo.CalcHeight();
    EXPECT_GT(one, 2);
    EXPECT_NEAR(three - two, two - one, 1);
    memo.SetGapY(5);
    memo.SetText(QStringLiteral("a"));
    EXPECT_NEAR(memo.CalcHeight(), one + 8, 1);
}

TEST_F(MemoLayoutFixture, WidthFollowsTextAndWrapsInNarrowMemo)
{
    memo.SetText(QStringLiteral("slovo slovo slovo slovo"));
    const double oneLine = memo.CalcHeight();
    const double width = memo.CalcWidth();
    EXPECT_GT(width, 20);
    EXPECT_LT(width, 200);
    memo.SetBounds(0, 0, width / 2, 40);
    EXPECT_GT(memo.CalcHeight(), oneLine);
}

TEST_F(MemoLayoutFixture, SplitAcrossPagesKeepsEveryLineOnce)
{
    QStringList lines;
    for (int i = 1; i <= 10; ++i)
        lines << QStringLiteral("riadok %1").arg(i);
    memo.SetText(lines.join(QStringLiteral("\r\n")));
    memo.SetBounds(0, 0, 200, memo.CalcHeight() / 3);
    memo.InitPart();
    QString printed;
    int parts = 0;
    while (!memo.SplitText().isEmpty() && parts < 20) {
        const double unused = memo.DrawPart();
        EXPECT_GT(unused, 0);
        EXPECT_LE(unused, memo.Height());
        printed += memo.Memo()->Text();
        ++parts;
    }
    EXPECT_GE(parts, 3);
    EXPECT_EQ(printed, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

TEST_F(MemoLayoutFixture, SplitInsideParagraphMarksLastParaBreak)
{
    memo.SetText(QString(QStringLiteral("slovo ")).repeated(60).trimmed());
    memo.SetBounds(0, 0, 100, 30);
    memo.InitPart();
    memo.DrawPart();
    EXPECT_TRUE(memo.LastParaBreak());
    EXPECT_FALSE(memo.SplitText().isEmpty());
}

TEST_F(MemoLayoutFixture, NothingFitsGivesWholeHeight)
{
    memo.SetText(QStringLiteral("a\r\nb"));
    memo.SetBounds(0, 0, 200, 3);
    memo.InitPart();
    EXPECT_DOUBLE_EQ(memo.DrawPart(), 3);
}

#include "report/model/trpvariables.h"

#include <QImage>
#include <QPainter>

TEST_F(MemoLayoutFixture, DrawReplacesFirstTotalPagesAndCopyName)
{
    GlobalVariables().SetVariables(QStringLiteral("CopyName1"), QStringLiteral("Kópia"));
    memo.SetText(QStringLiteral("[TotalPages#] z [totalpages#], [CopyName#]"));
    memo.SetTotalPages(7);
    memo.SetCopyNo(1);
    QImage image(300, 60, QImage::Format_ARGB32);
    QPainter p(&image);
    memo.Draw(p, 1, 1, 0, 0);
    EXPECT_EQ(memo.Text(), QStringLiteral("7 z [totalpages#], Kópia"));
    memo.SetText(QStringLiteral("[CopyName#]"));
    memo.SetCopyNo(5);  // no such variable: empty text
    memo.Draw(p, 1, 1, 0, 0);
    EXPECT_EQ(memo.Text(), QString());
}

TEST_F(MemoLayoutFixture, HighlightedMemoDrawsHighlightColourAndKeepsItsOwn)
{
    memo.SetColor(0xFFFFFF);           // white
    memo.Highlight()->SetColor(0xFF);  // red (0x00BBGGRR)
    memo.Highlight()->SetActive(true);
    memo.SetText(QString());
    QImage image(300, 60, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    memo.Draw(p, 1, 1, 0, 0);
    p.end();
    EXPECT_EQ(QColor(image.pixel(100, 20)), QColor(Qt::red));
    EXPECT_EQ(memo.Color(), 0xFFFFFF);
}

TEST_F(MemoLayoutFixture, UnderlinesRuleEveryLineInsideTheView)
{
    memo.SetColor(0xFFFFFF);
    memo.SetUnderlines(true);
    memo.SetText(QStringLiteral("a"));
    QImage image(300, 60, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    memo.Draw(p, 1, 1, 0, 0);
    p.end();
    int ruled = 0;
    for (int y = 0; y < 40; ++y)
        if (QColor(image.pixel(150, y)) == QColor(Qt::black))
            ++ruled;
    EXPECT_GE(ruled, 1);
    EXPECT_EQ(QColor(image.pixel(150, 50)), QColor(Qt::white));  // below the view
}

TEST_F(MemoLayoutFixture, AutoWidthKeepsTheAlignedEdge)
{
    struct Case {
        TrpHAlign align;
        double expectedLeftShare;  // of the lost width
    };
    const Case cases[] = {{haLeft, 0}, {haRight, 1}, {haCenter, 0.5}};
    for (const Case &c : cases) {
        TrpMemoView m(nullptr);
        m.SetBounds(100, 0, 300, 20);
        m.SetText(QStringLiteral("ab"));
        m.SetHAlign(c.align);
        m.SetAutoWidth(true);
        const double width = m.CalcWidth();
        m.CalcHeight();
        EXPECT_DOUBLE_EQ(m.Width(), width);
        EXPECT_DOUBLE_EQ(m.Left(), 100 + (300 - width) * c.expectedLeftShare) << c.align;
    }
}

// One line of Arial 9 (14 px with its line spacing) framed top and
// bottom: 14 + 2 x GapY + 0 + 0.5 = 16.5, which rounds to even.
TEST_F(MemoLayoutFixture, OneFramedArialLineIsSixteenPixelsHigh)
{
    memo.SetParentFont(false);
    memo.Font()->setName(QStringLiteral("Arial"));
    memo.Font()->setSize(9);
    memo.Frame()->SetTyp(ftTop | ftBottom);
    memo.SetText(QStringLiteral("Faktúra č. 2026001"));
    EXPECT_DOUBLE_EQ(memo.CalcHeight(), 16);
}

TEST_F(MemoLayoutFixture, TextStaysOutOfTheDropShadow)
{
    memo.SetBounds(0, 0, 100, 30);
    memo.SetWordWrap(false);
    memo.Frame()->SetDropShadow(true);
    memo.Frame()->SetShadowColor(0xFF);  // red
    memo.Frame()->SetShadowWidth(10);
    memo.SetText(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    QImage image(120, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    memo.Draw(p, 1, 1, 0, 0);
    p.end();
    int dark = 0, inked = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 100; ++x) {
            const QColor c(image.pixel(x, y));
            if (x >= 90 && c.red() < 200)
                ++dark;  // black text over the red shadow or the white page
            if (x < 88 && c.red() < 128)
                ++inked;
        }
    }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(dark, 0);
}

// Right-to-left reading: a closing full stop after left-to-right letters
// is seen first, as in "ab." read right to left.
TEST_F(MemoLayoutFixture, RightToLeftReadingDrawsInReadingOrder)
{
    auto draw = [this](const QString &text, bool rtl) {
        memo.SetText(text);
        memo.SetRTLReading(rtl);
        QImage image(220, 40, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        memo.Draw(p, 1, 1, 0, 0);
        return image;
    };
    const QImage rtl = draw(QStringLiteral("ab."), true);
    EXPECT_EQ(rtl, draw(QStringLiteral(".ab"), false));
    EXPECT_NE(rtl, draw(QStringLiteral("ab."), false));
    EXPECT_EQ(draw(QStringLiteral("ab cd"), true), draw(QStringLiteral("ab cd"), false));
}

TEST_F(MemoLayoutFixture, AutoWidthAppliesWhenDrawn)
{
    TrpMemoView m(nullptr);
    m.SetBounds(100, 0, 300, 20);
    m.SetText(QStringLiteral("ab"));
    m.SetHAlign(haRight);
    m.SetAutoWidth(true);
    const double width = m.CalcWidth();
    QImage image(420, 40, QImage::Format_ARGB32);
    QPainter p(&image);
    m.Draw(p, 1, 1, 0, 0);
    EXPECT_DOUBLE_EQ(m.Width(), width);
    EXPECT_DOUBLE_EQ(m.Left() + m.Width(), 400);
}

TEST(MemoView, PrintScaleIsOneUnlessPrinting)
{
    TrpMemoView m(nullptr);
    EXPECT_DOUBLE_EQ(m.PrintScale(), 1);
    m.SetPrintScale(0.5);
    EXPECT_DOUBLE_EQ(m.PrintScale(), 0.5);
}

TEST(MemoView, FlowToItselfIsRefused)
{
    TrpMemoView m(nullptr);
    m.SetFlowTo(&m);
    EXPECT_EQ(m.FlowTo(), nullptr);
}

TEST(MemoViewDiff, EachPropertyWrittenOnlyWhenItDiffersTextAlways)
{
    using Change = std::function<void(TrpMemoView &)>;
    const struct {
        const char *what;
        Change change;
        const char *expected;
    } cases[] = {
        {"nothing", [](TrpMemoView &) {}, " u=\"\""},
        {"text lines", [](TrpMemoView &m) { m.SetText(QStringLiteral("a & \"b\"\r\nc<")); },
         " u=\"a &#38; &#34;b&#34;&#13;&#10;c&#60;\""},
        {"auto width leaves out w", [](TrpMemoView &m) { m.SetAutoWidth(true); m.SetWidth(99); },
         " AutoWidth=\"1\" u=\"\""},
        {"gaps and spacing",
         [](TrpMemoView &m) { m.SetGapX(4); m.SetGapY(1.00005); m.SetCharSpacing(0.5); m.SetLineSpacing(3); },
         " CharSpacing=\"0.5\" GapX=\"4\" LineSpacing=\"3\" u=\"\""},
        {"alignment", [](TrpMemoView &m) { m.SetHAlign(haCenter); m.SetVAlign(vaBottom); },
         " HAlign=\"2\" u=\"\" VAlign=\"1\""},
        {"highlight", [](TrpMemoView &m) { m.Highlight()->SetActive(true); }, " Highlight.Active=\"1\" u=\"\""},
        {"after the text",
         [](TrpMemoView &m) {
             m.SetParagraphGap(8);
             m.SetRotation(90);
             m.SetRTLReading(true);
             m.SetUnderlines(true);
             m.SetWordWrap(false);
         },
         " u=\"\" ParagraphGap=\"8\" Rotation=\"90\" RTLReading=\"1\" Underlines=\"1\" WordWrap=\"0\""},
        {"paragraph breaks", [](TrpMemoView &m) { m.SetFirstParaBreak(true); m.SetLastParaBreak(true); },
         " u=\"\" FirstParaBreak=\"1\" LastParaBreak=\"1\""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TrpMemoView def(nullptr), memo(nullptr);
        def.SetBounds(0, 0, 50, 20);
        memo.SetBounds(0, 0, 50, 20);
        c.change(memo);
        EXPECT_EQ(memo.Diff(def), QString::fromUtf8(c.expected));
    }
}

TEST(MemoViewDiff, ASplitMemoCarriesItsParagraphBreakIntoTheNextPart)
{
    TrpMemoView def(nullptr), memo(nullptr);
    memo.SetLastParaBreak(true);
    EXPECT_TRUE(memo.Diff(def).endsWith(QStringLiteral(" LastParaBreak=\"1\"")));
    EXPECT_TRUE(memo.FirstParaBreak());
    EXPECT_FALSE(memo.LastParaBreak());
    EXPECT_EQ(memo.Diff(def), QStringLiteral(" u=\"\" FirstParaBreak=\"1\""));
    EXPECT_FALSE(memo.FirstParaBreak());
}
