// Checks on the short texts (names, tokens, keys) the script layer looks at
// by the thousand: done in place, since the library's versions are calls
// with a set-up that costs more than these texts. Internal to the layer.
#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringView>

namespace bralvo::script {

// Whether every character of text is ASCII.
inline bool isAsciiText(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Whether a and b are the same characters.
inline bool sameText(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// Whether text in lower case is lower, a lower-case ASCII text: ASCII
// compared in place, anything else through QString's own lower case.
inline bool lowersTo(QStringView text, QLatin1String lower)
{
    if (text.size() != lower.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c >= 0x80)
            return text.toString().toLower() == lower;
        if (c >= 'A' && c <= 'Z')
            c = char16_t(c - 'A' + 'a');
        if (c != char16_t(lower[i].unicode()))
            return false;
    }
    return true;
}

} // namespace bralvo::script
