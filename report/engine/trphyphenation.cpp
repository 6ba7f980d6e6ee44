// Break points: between consonant and consonant, after a vowel unless a
// doubled consonant and a vowel follow, never before Й, Ь or Ъ, and each
// part must keep a vowel and more than one letter.
#include "report/engine/trphyphenation.h"

#include <QList>
#include <QString>

namespace bralvo::report {

namespace {

bool isVowel(QChar c) { return QStringView(u"АЕЁИОУЫЭЮЯ").contains(c); }
bool isSign(QChar c) { return c == u'Ь' || c == u'Ъ'; }
bool isConsonant(QChar c) { return QStringView(u"БВГДЖЗЙКЛМНПРСТФХЦЧШЩЬЪ").contains(c); }

bool isCandidate(const QString &w, int p) { // p 0-based, break after it
    const int n = int(w.size());
    const bool hasNext = p + 1 < n;
    if (isConsonant(w[p]))
        return !hasNext || (!isVowel(w[p + 1]) && !isSign(w[p + 1]));
    if (!isVowel(w[p]))
        return false;
    if (hasNext && w[p + 1] == u'Й')
        return false;
    const bool doubledBeforeVowel = p + 3 < n && isConsonant(w[p + 1]) && w[p + 1] == w[p + 2]
                                    && isVowel(w[p + 3]);
    return !doubledBeforeVowel;
}

bool partOk(const QString &w, int from, int to) { // [from, to)
    if (to - from <= 1)
        return false;
    for (int i = from; i < to; ++i) {
        if (isVowel(w[i]))
            return true;
    }
    return false;
}

} // namespace

int hyphenationBreak(QStringView word, int fit) {
    const QString w = word.toString().toUpper();
    const int n = int(w.size());
    if (n <= 3)
        return 0;
    int best = 0;
    for (int p = 0; p < n; ++p) {
        const int kept = p + 1; // letters before the break
        if (kept >= fit)
            break;
        if (isCandidate(w, p) && partOk(w, 0, kept) && partOk(w, kept, n))
            best = kept;
    }
    return best;
}

} // namespace bralvo::report
