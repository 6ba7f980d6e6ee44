// Hyphenation of Cyrillic words for the text layout's word break. Only
// the upper-case Russian letters take part, so Latin text never hyphenates.
#pragma once

#include <QStringView>

namespace bralvo::report {

// Number of leading letters of word to keep before an added "-": the
// largest break point below fit, or 0 when there is none. Words of three
// letters or fewer have no break point. Works on any word length.
int hyphenationBreak(QStringView word, int fit);

} // namespace bralvo::report
