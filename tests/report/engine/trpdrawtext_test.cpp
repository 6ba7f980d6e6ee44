// Text layout: wrapping, measuring, cutting and drawing. Most worked
// examples use Courier New (Liberation Mono) at 10 points: its em is 83
// pixels at 600 per inch and every character advances 50 there, so one
// character is 8 screen units and a 40-unit rectangle holds 5 characters.
#include "report/engine/trpdrawtext.h"

#include "platform/font.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

struct LayoutSetup {
    QString font = QStringLiteral("Courier New");
    int size = 10;
    int style = 0;
    int width = 40;
    int height = 100;
    bool wordWrap = true;
    bool tags = true;
    bool wordBreak = false;
    int rotation = 0;
    double gap = 0;
    double charSpacing = 0;
    double lineSpacing = 0;
    bool rtl = false;
};

void prepare(TrpDrawText &dt, const LayoutSetup &s, const QStringList &lines) {
    bralvo::platform::Font font;
    font.setName(s.font);
    font.setSize(s.size);
    font.setStyle(s.style);
    dt.SetFont(font);
    dt.SetOptions(s.wordWrap, s.tags, s.rotation, true, false, s.wordBreak, s.rtl);
    dt.SetGaps(s.gap, s.charSpacing, s.lineSpacing);
    const TrpTextRect rect{0, 0, s.width, s.height};
    dt.SetDimensions(rect, rect, 1, 1, 1);
    TWideStrings text;
    for (const QString &line : lines)
        text.Add(line);
    dt.SetText(text);
}

QStringList wrappedLines(const TrpDrawText &dt) {
    QStringList out;
    for (int i = 0; i < dt.WrappedLines().Count(); ++i)
        out << dt.WrappedLines().Strings(i);
    return out;
}

QStringList wrap(const LayoutSetup &s, const QString &text) {
    TrpDrawText dt;
    prepare(dt, s, {text});
    return wrappedLines(dt);
}

qint64 runWidth(const TrpDrawText::DrawnRun &run) {
    qint64 sum = 0;
    for (qint64 a : run.advances)
        sum += a;
    return sum;
}

} // namespace

TEST(TrpDrawText, WrapsParagraphsAtBlanksAndCutsLongWords) {
    struct Case {
        const char *text;
        QStringList lines;
    };
    const Case cases[] = {
        {"aaa bbb ccc", {"aaa", "bbb", "ccc"}},
        {"abcdefghijkl", {"abcde", "fghij", "kl"}},
        {"abcde", {"abcde"}},         // exactly the width: still one line
        {"aaa bbbbbbb", {"aaa", "bbbbb", "bb"}},
        {"abcde fgh", {"abcde", "fgh"}},    // the blank that overflows is dropped
        {"aaaa     b", {"aaaa ", "   b"}},
        {"", {" "}},
        {"a", {"a"}},
        {"<b>aaa</b> bbb ccc", {"aaa", "bbb", "ccc"}},
        {"a<sub>bbb</sub>", {"abbb"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(wrap(LayoutSetup{}, QString::fromUtf8(c.text)), c.lines);
    }
}

TEST(TrpDrawText, WidthsAndSpacingsDecideTheBreaks) {
    struct Case {
        const char *name;
        LayoutSetup setup;
        const char *text;
        QStringList lines;
    };
    LayoutSetup narrow;
    narrow.width = 4; // not even one character fits
    LayoutSetup lessThanFive;
    lessThanFive.width = 39; // 244 measuring units: four characters
    LayoutSetup gap;
    gap.gap = 16; // first line 24 units: three characters
    LayoutSetup spaced;
    spaced.charSpacing = 1.6; // 10 measuring units after every character
    LayoutSetup noWrap;
    noWrap.wordWrap = false;
    LayoutSetup tagsOff;
    tagsOff.tags = false;
    const Case cases[] = {
        {"narrow", narrow, "abc", {"a", "b", "c"}},
        {"39 wide", lessThanFive, "abcde", {"abcd", "e"}},
        {"no gap", LayoutSetup{}, "aa bb cc", {"aa bb", "cc"}},
        {"gap", gap, "aa bb cc", {"aa", "bb cc"}},
        {"spacing", spaced, "abcdefgh", {"abcd", "efgh"}},
        {"no wrap", noWrap, "aaa bbb ccc", {"aaa bbb ccc"}},
        {"tags off", tagsOff, "<b>a</b>", {"<b>a<", "/b>"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wrap(c.setup, QString::fromUtf8(c.text)), c.lines);
    }
}

TEST(TrpDrawText, WordBreakHyphenatesCyrillicButNotLatin) {
    LayoutSetup s;
    s.wordBreak = true;
    s.width = 48; // six characters
    EXPECT_EQ(wrap(s, QStringLiteral("ДА МОЛОКО")), QStringList({"ДА МО-", "ЛОКО"}));
    s.width = 40;
    EXPECT_EQ(wrap(s, QStringLiteral("МОЛОКОМ")), QStringList({"МО-", "ЛОКОМ"}));
    EXPECT_EQ(wrap(s, QStringLiteral("aaa bbbbbbb")), QStringList({"aaa", "bbbbb", "bb"}));
}

TEST(TrpDrawText, HyphenatedCutKeepsTheRestOfTheWord) {
    LayoutSetup s;
    s.wordBreak = true;
    s.width = 48;
    s.lineSpacing = 0.72; // lines of 14 units
    s.height = 13;        // one line fits
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("ДА МОЛОКО")});
    bool paraBreak = false;
    EXPECT_EQ(dt.UnusedText(paraBreak), QStringLiteral("<font color=\"#000000\">ЛОКО\r\n"));
    EXPECT_TRUE(paraBreak);
    EXPECT_EQ(dt.GetInBoundsText(), QStringLiteral("ДА МО"));
}

TEST(TrpDrawText, ParagraphFlagsAndParaBreaks) {
    TrpDrawText dt;
    prepare(dt, LayoutSetup{}, {QStringLiteral("aaa bbb ccc"), QStringLiteral("x")});
    ASSERT_EQ(dt.WrappedLines().Count(), 4);
    EXPECT_EQ(dt.LineFlags(0), TrpDrawText::kParaStart);
    EXPECT_EQ(dt.LineFlags(1), 0);
    EXPECT_EQ(dt.LineFlags(2), TrpDrawText::kParaEnd);
    EXPECT_EQ(dt.LineFlags(3), TrpDrawText::kParaStart | TrpDrawText::kParaEnd);
    EXPECT_EQ(dt.GetWrappedText(), QStringLiteral("aaa\r\nbbb\r\nccc\r\nx\r\n"));
    EXPECT_EQ(dt.RawText(), QStringLiteral("aaa bbb ccc\r\nx\r\n"));
    dt.SetParaBreaks(true, true);
    EXPECT_EQ(dt.LineFlags(0), 0);
    EXPECT_EQ(dt.LineFlags(3), TrpDrawText::kParaStart);
}

TEST(TrpDrawText, TurnedTextWrapsToTheRectangleHeight) {
    LayoutSetup s;
    s.width = 200;
    s.height = 40;
    for (int rotation : {90, 270, 135}) {
        SCOPED_TRACE(rotation);
        s.rotation = rotation;
        EXPECT_EQ(wrap(s, QStringLiteral("aaa bbb ccc")), QStringList({"aaa", "bbb", "ccc"}));
    }
    s.rotation = 45;
    EXPECT_EQ(wrap(s, QStringLiteral("aaa bbb ccc")), QStringList({"aaa bbb ccc"}));
}

TEST(TrpDrawText, NegativeRotationTurnsTheOtherWay) {
    LayoutSetup s;
    s.width = 200;
    s.height = 40;
    s.rotation = -90;
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("aaa bbb ccc")});
    EXPECT_EQ(dt.Rotation(), 270);
    EXPECT_EQ(wrappedLines(dt), QStringList({"aaa", "bbb", "ccc"}));
}

TEST(TrpDrawText, HeightsAndWidths) {
    LayoutSetup s;
    s.lineSpacing = 0.72;
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("aaa bbb ccc")});
    EXPECT_DOUBLE_EQ(dt.FontHeight(), 13.28); // 83 / 6.25
    EXPECT_DOUBLE_EQ(dt.LineHeight(), 14.0);
    EXPECT_DOUBLE_EQ(dt.CalcHeight(), 42.0);
    EXPECT_DOUBLE_EQ(dt.CalcWidth(), 24.0); // three characters

    s.gap = 8; // first line 32 units (four characters), indented by 50 measuring units
    prepare(dt, s, {QStringLiteral("aaa bbb ccc")});
    EXPECT_EQ(wrappedLines(dt), QStringList({"aaa", "bbb", "ccc"}));
    EXPECT_DOUBLE_EQ(dt.CalcWidth(), 32.0);

    prepare(dt, s, {});
    EXPECT_EQ(dt.CalcHeight(), 0);
    EXPECT_EQ(dt.CalcWidth(), 0);
}

TEST(TrpDrawText, UnusedSpaceBelowTheLastWholeLine) {
    struct Case {
        int height; // bottom - top + 1
        double unused;
    };
    for (const Case &c : {Case{28, 0.0001}, Case{13, 0}, Case{30, 2.0}, Case{14, 0.0001}}) {
        SCOPED_TRACE(c.height);
        LayoutSetup s;
        s.lineSpacing = 0.72;
        s.height = c.height - 1;
        TrpDrawText dt;
        prepare(dt, s, {QStringLiteral("x")});
        EXPECT_DOUBLE_EQ(dt.UnusedSpace(), c.unused);
    }
}

TEST(TrpDrawText, LineHeightNotPositiveGivesNoSpaceAndKeepsAllText) {
    LayoutSetup s;
    s.lineSpacing = -20;
    s.height = 10;
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("aaa bbb ccc")});
    EXPECT_EQ(dt.UnusedSpace(), 0);
    bool paraBreak = true;
    EXPECT_EQ(dt.UnusedText(paraBreak), QString());
    EXPECT_FALSE(paraBreak);
    EXPECT_EQ(dt.WrappedLines().Count(), 3);
}

TEST(TrpDrawText, UnusedTextCutsAtTheBreakBlank) {
    struct Case {
        const char *name;
        bool tags;
        QStringList lines;
        int height;
        const char *unused;
        bool paraBreak;
        const char *inBounds;
    };
    const Case cases[] = {
        {"fits", true, {"aaa bbb ccc"}, 100, "", false, "aaa bbb ccc\r\n"},
        {"two of three", false, {"aaa bbb ccc"}, 27, "ccc\r\n", true, "aaa bbb"},
        {"with style", true, {"aaa bbb ccc"}, 27, "<font color=\"#000000\">ccc\r\n", true, "aaa bbb"},
        {"bold red", true, {"<font color=Red><b>aaa bbb ccc</b>"}, 27,
         "<font color=\"#FF0000\"><b>ccc</b>\r\n", true, "<font color=Red><b>aaa bbb"},
        {"at a paragraph", false, {"aaa", "bbb"}, 13, "bbb\r\n", false, "aaa\r\n"},
        {"nothing fits", false, {"aaa bbb"}, 5, "aaa bbb\r\n", true, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LayoutSetup s;
        s.tags = c.tags;
        s.lineSpacing = 0.72;
        s.height = c.height;
        TrpDrawText dt;
        prepare(dt, s, c.lines);
        bool paraBreak = !c.paraBreak;
        EXPECT_EQ(dt.UnusedText(paraBreak), QString::fromUtf8(c.unused));
        EXPECT_EQ(paraBreak, c.paraBreak);
        EXPECT_EQ(dt.GetInBoundsText(), QString::fromUtf8(c.inBounds));
    }
}

TEST(TrpDrawText, CutOfLongWordDoesNotRepeatLastCharacter) {
    LayoutSetup s;
    s.tags = false;
    s.lineSpacing = 0.72;
    s.height = 13; // one line
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("abcdefghijkl")});
    bool paraBreak = false;
    EXPECT_EQ(dt.UnusedText(paraBreak), QStringLiteral("fghijkl\r\n"));
    EXPECT_TRUE(paraBreak);
    EXPECT_EQ(dt.GetInBoundsText(), QStringLiteral("abcde"));
    EXPECT_EQ(wrappedLines(dt), QStringList({"abcde"}));
}

TEST(TrpDrawText, HugeFontSizeIsClamped) {
    LayoutSetup s;
    s.size = 100000;
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("ab")});
    EXPECT_DOUBLE_EQ(dt.FontHeight(), 2184.0); // 1638 points: 13650 / 6.25
    EXPECT_EQ(wrappedLines(dt), QStringList({"a", "b"}));
    s.size = 0;
    prepare(dt, s, {QStringLiteral("ab")});
    EXPECT_DOUBLE_EQ(dt.FontHeight(), 1.28); // 1 point: 8 / 6.25
    EXPECT_GT(dt.LineHeight(), 0);
}

TEST(TrpDrawText, LongLineBeyondBufferWraps) {
    LayoutSetup s;
    s.width = 400; // fifty characters
    TrpDrawText dt;
    prepare(dt, s, {QString(40000, u'a')});
    ASSERT_EQ(dt.WrappedLines().Count(), 800);
    for (int i = 0; i < 800; ++i)
        ASSERT_EQ(dt.WrappedLines().Strings(i).size(), 50) << i;
}

TEST(TrpDrawText, DeleteTagsLeavesPlainText) {
    EXPECT_EQ(TrpDrawText::DeleteTags(QStringLiteral("a<b>b</b>c")), QStringLiteral("abc"));
    EXPECT_EQ(TrpDrawText::DeleteTags(QStringLiteral("<font color=Red>x</font> < y")),
              QStringLiteral("x < y"));
    EXPECT_EQ(TrpDrawText::DeleteTags(QString()), QString());
}

TEST(TrpDrawText, LockWaitsOnlyWhileBusy) {
    TrpDrawText dt;
    EXPECT_FALSE(dt.Busy());
    dt.Lock();
    EXPECT_TRUE(dt.Busy());
    dt.Unlock();
    EXPECT_FALSE(dt.Busy());
    EXPECT_EQ(&TrpDrawText::Global(), &TrpDrawText::Global());
}

namespace {

struct Canvas {
    QImage image{300, 300, QImage::Format_ARGB32};
    Canvas() { image.fill(Qt::white); }
};

void drawOn(QPaintDevice &device, TrpDrawText &dt, int hAlign, int vAlign) {
    QPainter painter(&device);
    dt.DrawText(painter, hAlign, vAlign);
}

} // namespace

TEST(TrpDrawText, WysiwygSpreadsDifferenceEvenly) {
    // "W" is 78 at 600 per inch (four make 312, so 49.92 -> 50 screen
    // pixels) but 12 in the 13-pixel screen font: the missing 2 pixels go to
    // the first and third characters by the halving rule.
    LayoutSetup s;
    s.font = QStringLiteral("Arial");
    s.width = 100;
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("WWWW")});
    Canvas canvas;
    drawOn(canvas.image, dt, 0, 0);
    ASSERT_EQ(dt.LastDrawnRuns().size(), 1);
    const auto &run = dt.LastDrawnRuns().first();
    EXPECT_EQ(run.advances, QList<qint64>({13, 12, 13, 12}));
    EXPECT_EQ(run.pixelSize, 13);
    EXPECT_EQ(run.x, 0);
    EXPECT_EQ(run.y, 0);
}

TEST(TrpDrawText, HorizontalAlignmentPlacesTheLine) {
    struct Case {
        int hAlign;
        double x;
    };
    // "WWWW" is 50 wide in a line of 100: right moves by free + 1, then
    // back one pixel; centre by free / 2.
    for (const Case &c : {Case{0, 0}, Case{1, 50}, Case{2, 25}}) {
        SCOPED_TRACE(c.hAlign);
        LayoutSetup s;
        s.font = QStringLiteral("Arial");
        s.width = 100;
        TrpDrawText dt;
        prepare(dt, s, {QStringLiteral("WWWW")});
        Canvas canvas;
        drawOn(canvas.image, dt, c.hAlign, 0);
        ASSERT_FALSE(dt.LastDrawnRuns().isEmpty());
        EXPECT_EQ(dt.LastDrawnRuns().first().x, c.x);
    }
}

TEST(TrpDrawText, BlockAlignmentWidensBlanksButNotTheLastLine) {
    LayoutSetup s;
    s.width = 48; // six characters; "aa bb" is 40 pixels on screen
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("aa bb cc dd")});
    ASSERT_EQ(wrappedLines(dt), QStringList({"aa bb", "cc dd"}));
    Canvas canvas;
    drawOn(canvas.image, dt, 3, 0);
    ASSERT_EQ(dt.LastDrawnRuns().size(), 2);
    EXPECT_EQ(dt.LastDrawnRuns()[0].advances, QList<qint64>({8, 8, 16, 8, 8}));
    EXPECT_EQ(dt.LastDrawnRuns()[1].advances, QList<qint64>({8, 8, 8, 8, 8}));
    // Two lines of 83 at 600 per inch are 27 pixels, two screen lines 26:
    // the spare pixel goes to the one step between them.
    EXPECT_EQ(dt.LastDrawnRuns()[1].y, 14);
}

TEST(TrpDrawText, ParagraphGapIndentsOnlyLeftAndBlock) {
    struct Case {
        int hAlign;
        double x;
    };
    // "aa" (16 pixels) in a line of 200; the gap is 10.
    for (const Case &c : {Case{0, 10}, Case{3, 10}, Case{1, 184}, Case{2, 92}}) {
        SCOPED_TRACE(c.hAlign);
        LayoutSetup s;
        s.width = 200;
        s.gap = 10;
        TrpDrawText dt;
        prepare(dt, s, {QStringLiteral("aa")});
        Canvas canvas;
        drawOn(canvas.image, dt, c.hAlign, 0);
        ASSERT_FALSE(dt.LastDrawnRuns().isEmpty());
        EXPECT_EQ(dt.LastDrawnRuns().first().x, c.x);
    }
}

TEST(TrpDrawText, VerticalAlignmentMovesTheBlock) {
    struct Case {
        int vAlign;
        double y;
    };
    // One line: 83 / 6.25 = 13.28 -> 13 pixels in a rectangle 100 high.
    for (const Case &c : {Case{0, 0}, Case{1, 87}, Case{2, 44}}) {
        SCOPED_TRACE(c.vAlign);
        TrpDrawText dt;
        prepare(dt, LayoutSetup{}, {QStringLiteral("x")});
        Canvas canvas;
        drawOn(canvas.image, dt, 0, c.vAlign);
        ASSERT_FALSE(dt.LastDrawnRuns().isEmpty());
        EXPECT_EQ(dt.LastDrawnRuns().first().y, c.y);
    }
}

TEST(TrpDrawText, StyleRunsAndSubscriptsAreDrawnApart) {
    TrpDrawText dt;
    LayoutSetup s;
    s.width = 200;
    prepare(dt, s, {QStringLiteral("a<b>b</b>H<sub>2</sub>")});
    Canvas canvas;
    drawOn(canvas.image, dt, 0, 0);
    const auto &runs = dt.LastDrawnRuns();
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(runs[0].text, QStringLiteral("a"));
    EXPECT_EQ(runs[1].text, QStringLiteral("b"));
    EXPECT_EQ(runs[1].style, bralvo::platform::fsBold);
    EXPECT_EQ(runs[2].text, QStringLiteral("H"));
    EXPECT_EQ(runs[3].text, QStringLiteral("2"));
    EXPECT_EQ(runs[3].pixelSize, 9);  // 7 points on screen
    EXPECT_EQ(runs[3].y, 7);          // lowered by its own size
    EXPECT_EQ(runs[1].x, runs[0].x + runWidth(runs[0]));
}

TEST(TrpDrawText, RotatedTextStartsAtTheBottomLeft) {
    LayoutSetup s;
    s.width = 100;
    s.height = 100;
    s.rotation = 90;
    TrpDrawText dt;
    prepare(dt, s, {QStringLiteral("abc")});
    Canvas canvas;
    drawOn(canvas.image, dt, 0, 0);
    ASSERT_EQ(dt.LastDrawnRuns().size(), 1);
    EXPECT_EQ(dt.LastDrawnRuns().first().x, 0);
    EXPECT_EQ(dt.LastDrawnRuns().first().y, 100);
}

TEST(TrpDrawText, DrawingPutsInkInsideTheRectangle) {
    TrpDrawText dt;
    LayoutSetup s;
    s.font = QStringLiteral("Arial");
    s.size = 20;
    s.width = 200;
    prepare(dt, s, {QStringLiteral("<font color=Red>Hello</font>")});
    Canvas canvas;
    drawOn(canvas.image, dt, 0, 0);
    int red = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QColor c = canvas.image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++red;
        }
    }
    EXPECT_GT(red, 50);
}

TEST(TrpDrawText, SameBreaksAtPrinterAndScreen) {
    const QString text = QStringLiteral(
        "Faktúra za dodané služby podľa objednávky číslo 2026/118, splatná do 24. 12. 2026, "
        "uhraďte prevodom na účet uvedený v hlavičke.");
    LayoutSetup s;
    s.font = QStringLiteral("Arial");
    s.width = 180;
    s.height = 300;
    TrpDrawText dt;
    prepare(dt, s, {text});
    const QStringList lines = wrappedLines(dt);
    ASSERT_GE(lines.size(), 4);

    Canvas screen;
    drawOn(screen.image, dt, 0, 0);
    const QList<TrpDrawText::DrawnRun> screenRuns = dt.LastDrawnRuns();

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
    ASSERT_EQ(printer.logicalDpiX(), 1200);
    drawOn(printer, dt, 0, 0);
    const QList<TrpDrawText::DrawnRun> printerRuns = dt.LastDrawnRuns();

    ASSERT_EQ(screenRuns.size(), lines.size());
    ASSERT_EQ(printerRuns.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(screenRuns[i].text, lines[i]);
        EXPECT_EQ(printerRuns[i].text, lines[i]);
        // Both take the width measured at 600 per inch: 1200 / 96 = 12.5.
        EXPECT_NEAR(runWidth(printerRuns[i]) / 12.5, double(runWidth(screenRuns[i])), 1.0);
    }
    EXPECT_EQ(printerRuns.first().pixelSize, 167); // 10 points at 1200 per inch
}

TEST(TrpDrawText, EveryWrappedLineHasItsTagGroup) {
    // Text made of tag fragments, words and blanks, wrapped at many widths:
    // the cut and the drawing read group n for line n, so the two must
    // always match, and no character may be lost or doubled by a cut.
    const QStringList pieces = {"<b>", "</b>", "<sub>", "</sub>", "<font color=Red>", "</font>",
                                "<font color=\"#zz", "<", ">", " ", "  ", "ab", "молоко",
                                "Wi", "x", "<i>", "</strike>", "<u"};
    QRandomGenerator random(20261210);
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int count = random.bounded(1, 25);
        for (int k = 0; k < count; ++k)
            text += pieces[random.bounded(int(pieces.size()))];
        LayoutSetup s;
        s.font = QStringLiteral("Arial");
        s.width = random.bounded(0, 120);
        s.wordBreak = random.bounded(2) == 1;
        s.tags = random.bounded(4) != 0;
        s.lineSpacing = 0.5;
        s.height = random.bounded(0, 60);
        SCOPED_TRACE(text.toStdString() + " width " + std::to_string(s.width));
        TrpDrawText dt;
        prepare(dt, s, {text});
        ASSERT_EQ(dt.WrappedLines().Count(), dt.Tags().Count());
        for (int i = 0; i < dt.WrappedLines().Count(); ++i) {
            ASSERT_FALSE(dt.WrappedLines().Strings(i).isEmpty());
            ASSERT_GE(dt.Tags().Items(i).Count(), dt.WrappedLines().Strings(i).size());
        }
        const QString raw = dt.RawText();
        bool paraBreak = false;
        const QString rest = dt.UnusedText(paraBreak);
        if (!s.tags && rest.isEmpty()) {
            EXPECT_EQ(dt.GetInBoundsText(), raw);
        }
        if (!s.tags && !rest.isEmpty()) {
            // What stays plus what moves on is the text, less one break blank.
            const QString joined = dt.GetInBoundsText() + rest;
            EXPECT_TRUE(joined == raw || joined.size() + 1 == raw.size()) << joined.toStdString();
        }
    }
}
