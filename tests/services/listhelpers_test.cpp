// Padding, transliteration, list and grid searches, selection steps.
#include "services/listhelpers.h"

#include "platform/widgets/stringgrid.h"

#include <QComboBox>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace bralvo::services;

TEST(PadString, PadsAndCutsByMode)
{
    struct Case { const char *text; char mode; int width; const char *expected; };
    const Case cases[] = {
        {"ab", 'C', 5, "_ab__"},    // one pad before, two after
        {"ab", 'R', 5, "___ab"},
        {"ab", 'L', 5, "ab___"},
        {"ab", 'X', 5, "___ab"},    // an unknown mode counts as 'R'
        {"abcdef", 'C', 3, "bcd"},
        {"abcdef", 'L', 3, "abc"},
        {"abcdef", 'R', 3, "def"},
        {"abcdef", 'C', 4, "bcde"},
        {"abc", 'C', 3, "abc"},
        {"", 'C', 2, "__"},
        {"abc", 'L', 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.mode + " " + std::to_string(c.width));
        EXPECT_EQ(PadString(c.text, '_', c.mode, c.width), QString(c.expected));
    }
}

TEST(RemoveDiacritics, TransliteratesWindows1250)
{
    struct Case { const char *in; const char *out; };
    const Case cases[] = {
        {"Žltý kôň", "Zlty kon"},
        {"ľščťžýáíéúäňô", "lsctzyaieuano"},
        {"ĽŠČŤŽÝÁÍÉÚÄŇÔ", "LSCTZYAIEUANO"},
        {"€ 5 – „x“", "@ 5 _ \"x\""},
        {"plain ASCII 123", "plain ASCII 123"},
        {"ß ÷ ×", "@ / x"},
        {"日本", "日本"},  // outside the code page: kept
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(RemoveDiacritics(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
    }
}

TEST(IndexInStringList, PartialIsCaseSensitiveAndWholeIgnoresCase)
{
    const QStringList list = {"", "Košice", "Bratislava", "bratislava"};
    struct Case { const char *text; bool partial; int expected; };
    const Case cases[] = {
        {"", true, -1},        // an empty text never matches partially
        {"", false, 0},        // but equals the first empty item
        {"BRATISLAVA", false, 2},
        {"ati", true, 2},
        {"Ati", true, -1},
        {"KOŠICE", false, 1},  // locale case folding beyond ASCII
        {"Nitra", false, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IndexInStringList(QString::fromUtf8(c.text), list, c.partial), c.expected);
    }
    QComboBox combo;
    combo.addItems(list);
    EXPECT_EQ(IndexInStrings("ati", combo, true), 2);
    QListWidget box;
    box.addItems(list);
    EXPECT_EQ(IndexInStrings("bratislava", box, false), 2);
}

TEST(IndexInGridColumn, SearchesTitlesTooAndFoldsOnlyAscii)
{
    bralvo::platform::StringGrid grid;
    grid.setColumnCount(2);
    grid.setRowCount(4);
    grid.setCell(1, 0, "Názov");
    grid.setCell(1, 1, "čaj");
    grid.setCell(1, 2, "Káva");
    EXPECT_EQ(IndexInGridColumn("NáZOV", 1, grid, false), 0);
    EXPECT_EQ(IndexInGridColumn("NÁZOV", 1, grid, false), -1);  // Á is not A-Z
    EXPECT_EQ(IndexInGridColumn("KáVA", 1, grid, false), 2);
    EXPECT_EQ(IndexInGridColumn("áv", 1, grid, true), 2);
    EXPECT_EQ(IndexInGridColumn("", 1, grid, true), -1);
}

TEST(SteppedIndex, PicksTheEntryAfterADeletedOne)
{
    struct Case { int count, index, delta, expected; };
    const Case cases[] = {
        {4, 4, 0, 2},   // the last of five deleted: four remain, index 2
        {4, 1, 0, 1},   // item 1 of five deleted: the next one moved up
        {1, 1, 0, 0},
        {0, 0, 0, -1},
        {5, 2, 1, 3},   // a grid with a totals row
        {3, 2, 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << "/" << c.index << "/" << c.delta);
        EXPECT_EQ(SteppedIndex(c.count, c.index, c.delta), c.expected);
    }
    QListWidget box;
    box.addItems({"a", "b", "c", "d"});
    StepListBoxSelection(box, 4, 0);
    EXPECT_EQ(box.currentRow(), 2);
}
