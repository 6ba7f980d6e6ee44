// Edit-mask formatting for the script function FormatMaskText.
#include "script/formatmasktext.h"

#include "platform/regionalsettings.h"

namespace bralvo::script {

namespace {

struct MaskFields {
    QString mask;
    bool literalsInValue = true;
    QChar blank = u'_';
};

// The last two ";" fields are the flag and the blank character when they
// look like them; a "\;" belongs to the mask.
MaskFields splitMask(const QString &editMask)
{
    MaskFields fields;
    QStringList parts;
    QString current;
    for (int i = 0; i < editMask.size(); ++i) {
        if (editMask[i] == u'\\' && i + 1 < editMask.size()) {
            current += editMask[i];
            current += editMask[++i];
        } else if (editMask[i] == u';') {
            parts.append(current);
            current.clear();
        } else {
            current += editMask[i];
        }
    }
    parts.append(current);
    fields.mask = parts.value(0);
    if (parts.size() > 1)
        fields.literalsInValue = parts[1].trimmed() != QLatin1String("0");
    if (parts.size() > 2 && !parts[2].isEmpty())
        fields.blank = parts[2][0];
    return fields;
}

bool isPlaceholder(QChar c)
{
    return QStringLiteral("09#LlAaCc").contains(c);
}

bool fits(QChar maskChar, QChar c)
{
    switch (maskChar.unicode()) {
    case '0': case '9': return c.isDigit();
    case '#': return c.isDigit() || c == u'+' || c == u'-';
    case 'L': case 'l': return c.isLetter();
    case 'A': case 'a': return c.isLetterOrNumber();
    default: return true; // C, c
    }
}

QChar applyCase(QChar c, int caseMode)
{
    return caseMode > 0 ? c.toUpper() : caseMode < 0 ? c.toLower() : c;
}

} // namespace

QString FormatMaskText(const QString &editMask, const QString &value)
{
    const MaskFields fields = splitMask(editMask);
    const platform::RegionalSettings &rs = platform::regionalSettings();
    QString out;
    int pos = 0;      // next character of value
    int caseMode = 0; // 1 upper, -1 lower
    const QString &mask = fields.mask;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar m = mask[i];
        if (m == u'!')
            continue;
        if (m == u'<' && i + 1 < mask.size() && mask[i + 1] == u'>') {
            caseMode = 0;
            ++i;
            continue;
        }
        if (m == u'>' || m == u'<') {
            caseMode = m == u'>' ? 1 : -1;
            continue;
        }
        QChar literal;
        if (m == u'\\' && i + 1 < mask.size())
            literal = mask[++i];
        else if (!isPlaceholder(m))
            literal = m == u':' ? rs.timeSeparator : m == u'/' ? rs.dateSeparator : m == u'_' ? u' ' : m;
        if (!literal.isNull()) {
            out += literal;
            if (fields.literalsInValue && pos < value.size())
                ++pos;
            continue;
        }
        const QChar c = pos < value.size() ? value[pos++] : QChar();
        out += !c.isNull() && c != u' ' && fits(m, c) ? applyCase(c, caseMode) : fields.blank;
    }
    return out;
}

} // namespace bralvo::script
