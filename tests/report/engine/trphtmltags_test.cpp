// The inline tag parser: plain text, style records and group splitting.
#include "report/engine/trphtmltags.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

constexpr int kBlack = 0x000000;

struct Parsed {
    QString text;
    QList<TrpHTMLTag> records;
};

Parsed parse(const QString &line, bool allowTags = true, int defSize = 12) {
    TrpHTMLTagsList list;
    list.SetAllowTags(allowTags);
    list.Init(kBlack, defSize, 0);
    Parsed p{line, {}};
    list.ParseLine(p.text);
    for (int g = 0; g < list.Count(); ++g) {
        for (int i = 0; i < list.Items(g).Count(); ++i)
            p.records.append(list.Items(g).Items(i));
    }
    return p;
}

} // namespace

TEST(TrpHTMLTags, BoldTagsGivePlainTextWithPositionsOfTheRawText) {
    const Parsed p = parse(QStringLiteral("a<b>b</b>c"));
    EXPECT_EQ(p.text, QStringLiteral("abc"));
    ASSERT_EQ(p.records.size(), 3);
    EXPECT_EQ(p.records[0].position, 1);
    EXPECT_EQ(p.records[1].position, 5);
    EXPECT_EQ(p.records[2].position, 10);
    EXPECT_EQ(p.records[0].style, 0);
    EXPECT_EQ(p.records[1].style, 1);
    EXPECT_EQ(p.records[2].style, 0);
    // Runs break where the style changes.
    EXPECT_TRUE(p.records[0].sameAsBefore);
    EXPECT_FALSE(p.records[1].sameAsBefore);
    EXPECT_FALSE(p.records[2].sameAsBefore);
}

TEST(TrpHTMLTags, EveryTagSetsAndClearsItsAttribute) {
    struct Case {
        const char *line;
        const char *text;
        int style; // of the middle character x
    };
    const Case cases[] = {
        {"<b>x</b>.", "x.", 1},
        {"<I>x</I>.", "x.", 2},
        {"<u>x</U>.", "x.", 4},
        {"<strike>x</strike>.", "x.", 8},
        {"<STRIKE>x</Strike>.", "x.", 8},
        {"<b><i><u>x</u></i></b>.", "x.", 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed p = parse(QString::fromUtf8(c.line));
        EXPECT_EQ(p.text, QString::fromUtf8(c.text));
        ASSERT_EQ(p.records.size(), 2);
        EXPECT_EQ(p.records[0].style, c.style);
        EXPECT_EQ(p.records[1].style, 0);
    }
}

TEST(TrpHTMLTags, SubscriptAndSuperscriptAreReducedAndLowered) {
    const Parsed p = parse(QStringLiteral("H<sub>2</sub>O x<SUP>3</SUP>"), true, 10);
    EXPECT_EQ(p.text, QStringLiteral("H2O x3"));
    ASSERT_EQ(p.records.size(), 6);
    EXPECT_EQ(p.records[1].size, 7); // round(10 / 1.5)
    EXPECT_EQ(p.records[1].lowered, 1);
    EXPECT_TRUE(p.records[1].reduced);
    EXPECT_EQ(p.records[2].size, 10);
    EXPECT_EQ(p.records[2].lowered, 0);
    EXPECT_FALSE(p.records[2].reduced);
    EXPECT_EQ(p.records[5].size, 7);
    EXPECT_EQ(p.records[5].lowered, 0);
    EXPECT_TRUE(p.records[5].reduced);
}

TEST(TrpHTMLTags, FontColourTags) {
    struct Case {
        const char *line;
        const char *text;
        int color; // of the first visible character
    };
    const Case cases[] = {
        {"<font color=\"#FF0000\">r</font>", "r", 0x0000FF},       // red in the low byte
        {"<font color=\"#102030\">r</font>", "r", 0x302010},
        {"<FONT COLOR=  \"#00ff00\">r</FONT>", "r", 0x00FF00},
        {"<font color=Blue>r</font>", "r", 0xFF0000},
        {"<font color=Maroon>r</font>", "r", 0x000080},
        {"<font color=#FF0000>r</font>", "<font color=#FF0000>r", kBlack},
        {"<font color=NoSuchColour>r", "<font color=NoSuchColour>r", kBlack},
        {"<font color=>r", "<font color=>r", kBlack},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed p = parse(QString::fromUtf8(c.line));
        EXPECT_EQ(p.text, QString::fromUtf8(c.text));
        ASSERT_FALSE(p.records.isEmpty());
        EXPECT_EQ(p.records[0].color, c.color);
    }
}

TEST(TrpHTMLTags, ClosingFontRestoresTheDefaultColour) {
    const Parsed p = parse(QStringLiteral("<font color=Red>a<font color=Blue>b</font>c"));
    EXPECT_EQ(p.text, QStringLiteral("abc"));
    EXPECT_EQ(p.records[0].color, 0x0000FF);
    EXPECT_EQ(p.records[1].color, 0xFF0000);
    EXPECT_EQ(p.records[2].color, kBlack);
}

TEST(TrpHTMLTags, WhatIsNotATagStaysText) {
    const char *const lines[] = {
        "<abc>d",     // five characters, not sub or sup
        "a < b > c",  // comparison signs
        "<x>y",       // unknown letter
        "</x>y",      // unknown closing letter
        "</font y",   // no closing bracket
        "<s>",        // strike needs its full name
        "x<",         // bracket at the very end
        "<",
    };
    for (const char *line : lines) {
        SCOPED_TRACE(line);
        const Parsed p = parse(QString::fromUtf8(line));
        EXPECT_EQ(p.text, QString::fromUtf8(line));
        EXPECT_EQ(p.records.size(), p.text.size());
    }
}

TEST(TrpHTMLTags, UnterminatedFontTagStaysText) {
    const QString line = QStringLiteral("<font color=\"#FF0000\" and no end");
    const Parsed p = parse(line);
    EXPECT_EQ(p.text, line);
    EXPECT_EQ(p.records.last().color, kBlack);
}

TEST(TrpHTMLTags, MalformedHexColourStaysText) {
    const QString line = QStringLiteral("<font color=\"#GG0000\">x</font>");
    const Parsed p = parse(line);
    EXPECT_EQ(p.text, QStringLiteral("<font color=\"#GG0000\">x"));
    EXPECT_EQ(p.records.first().color, kBlack);
}

TEST(TrpHTMLTags, LineOfOnlyTagsBecomesOneBlank) {
    const Parsed p = parse(QStringLiteral("<b><i>"));
    EXPECT_EQ(p.text, QStringLiteral(" "));
    ASSERT_EQ(p.records.size(), 1);
    EXPECT_EQ(p.records[0].style, 3);
}

TEST(TrpHTMLTags, WithTagsOffEveryCharacterIsPlain) {
    const Parsed p = parse(QStringLiteral("a<b>b"), false);
    EXPECT_EQ(p.text, QStringLiteral("a<b>b"));
    ASSERT_EQ(p.records.size(), 5);
    for (const TrpHTMLTag &r : p.records) {
        EXPECT_EQ(r.style, 0);
        EXPECT_TRUE(r.sameAsBefore);
    }
    EXPECT_EQ(p.records[4].position, 5);
}

TEST(TrpHTMLTags, SameAsBeforeLooksBackIntoThePreviousGroup) {
    TrpHTMLTagsList list;
    list.Init(kBlack, 10, 0);
    QString first = QStringLiteral("<b>ab");
    list.ParseLine(first);
    list.AdvancePosition(2);
    list.NewGroup();
    QString second = QStringLiteral("c</b>d");
    list.ParseLine(second);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_FALSE(list.Items(0).Items(0).sameAsBefore); // bold after the default
    EXPECT_TRUE(list.Items(1).Items(0).sameAsBefore);  // still bold
    EXPECT_FALSE(list.Items(1).Items(1).sameAsBefore);
    EXPECT_EQ(list.Items(1).Items(0).position, 8); // "<b>ab" + CR LF
}

TEST(TrpHTMLTags, SplitGroupMovesTheRestAndStartsAtTheBreakBlank) {
    TrpHTMLTagsList list;
    list.Init(kBlack, 10, 0);
    QString text = QStringLiteral("ab cd");
    list.ParseLine(text);
    list.SplitGroup(3, false); // "ab" kept with its blank
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).Count(), 3);
    EXPECT_EQ(list.Items(1).Count(), 2);
    EXPECT_EQ(list.Items(1).Items(0).position, 3); // the blank's position
    EXPECT_EQ(list.Items(1).StartPosition(), 4);   // "c" itself
    EXPECT_EQ(list.Items(1).Items(1).position, 5);
    list.SplitGroup(5, false); // not more records than that: nothing happens
    EXPECT_EQ(list.Count(), 2);
}

TEST(TrpHTMLTags, SplitGroupWithHyphenCopiesTheLastKeptRecord) {
    TrpHTMLTagsList list;
    list.Init(kBlack, 10, 0);
    QString text = QStringLiteral("<b>abcd");
    list.ParseLine(text);
    list.SplitGroup(2, true);
    ASSERT_EQ(list.Count(), 2);
    ASSERT_EQ(list.Items(0).Count(), 3);
    EXPECT_EQ(list.Items(0).Items(2).position, list.Items(0).Items(1).position);
    EXPECT_EQ(list.Items(1).Items(0).position, 6); // "c" keeps its own place
}

TEST(TrpHTMLTags, ColourNamesOfThePlatform) {
    int color = -1;
    EXPECT_TRUE(colorFromName(QStringLiteral("clRed"), color));
    EXPECT_EQ(color, 0x0000FF);
    EXPECT_TRUE(colorFromName(QStringLiteral("CLNAVY"), color));
    EXPECT_EQ(color, 0x800000);
    EXPECT_TRUE(colorFromName(QStringLiteral("clWindowText"), color));
    EXPECT_EQ(color, int(0x80000008u));
    EXPECT_FALSE(colorFromName(QStringLiteral("clPink"), color));
}
