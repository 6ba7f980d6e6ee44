// Hyphenation break points of Cyrillic words.
#include "report/engine/trphyphenation.h"

#include <QString>
#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(TrpHyphenation, BreakPointsOfWords) {
    struct Case {
        const char16_t *word;
        int fit;
        int part;
    };
    const Case cases[] = {
        {u"молоко", 3, 2},   // мо-локо
        {u"молоко", 2, 0},   // a break must leave room before the fit
        {u"МОЛОКО", 5, 4},   // моло-ко
        {u"молок", 5, 2},    // "к" alone may not be a part
        {u"касса", 5, 3},    // кас-са: after a vowel, not before a doubled consonant
        {u"война", 5, 3},    // вой-на: never before Й
        {u"дом", 3, 0},      // three letters or fewer
        {u"hello", 5, 0},    // Latin letters are in no set
        {u"подъезд", 7, 2},  // по-дъезд: not before the hard sign, "зд" has no vowel
    };
    for (const Case &c : cases) {
        const QString word = QString::fromUtf16(c.word);
        SCOPED_TRACE(word.toStdString() + " fit " + std::to_string(c.fit));
        EXPECT_EQ(hyphenationBreak(word, c.fit), c.part);
    }
}

TEST(TrpHyphenation, LongWordsBreakBeyondPosition127) {
    QString word;
    for (int i = 0; i < 100; ++i)
        word += QStringLiteral("ма");
    // A vowel at an even position is followed by a consonant: 198 is the
    // last break that leaves two letters and a vowel after it.
    EXPECT_EQ(hyphenationBreak(word, 200), 198);
    EXPECT_EQ(hyphenationBreak(word, 150), 148);
}
