// The inline tag parser and the splitting of record groups.
#include "report/engine/trphtmltags.h"
#include "report/model/trpnumberbounds.h"

#include <QHash>
#include <cmath>

namespace bralvo::report {

namespace {

bool follows(const QString &text, int at, QLatin1StringView tag) {
    return at <= text.size() && QStringView(text).mid(at).startsWith(tag, Qt::CaseInsensitive);
}

int reducedSize(int size) { return RoundToInt(size / 1.5); }

int styleBit(QChar letter) {
    switch (letter.toLower().unicode()) {
    case 'b': return 1;
    case 'i': return 2;
    case 'u': return 4;
    default: return 0;
    }
}

// "#RRGGBB" between double quotes as 0x00BBGGRR; false when not hex.
bool quotedHexColor(const QString &value, int &color) {
    if (value.size() <= 3 || !value.startsWith(QLatin1String("\"#")) || !value.endsWith(QLatin1Char('"')))
        return false;
    bool ok = false;
    const uint rgb = value.mid(2, value.size() - 3).toUInt(&ok, 16);
    if (!ok)
        return false;
    color = int(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    return true;
}

} // namespace

bool colorFromName(const QString &name, int &color) {
    static const QHash<QString, int> table = [] {
        QHash<QString, int> t = {
            {"clblack", 0x000000},   {"clmaroon", 0x000080}, {"clgreen", 0x008000},
            {"clolive", 0x008080},   {"clnavy", 0x800000},   {"clpurple", 0x800080},
            {"clteal", 0x808000},    {"clgray", 0x808080},   {"clsilver", 0xC0C0C0},
            {"clred", 0x0000FF},     {"cllime", 0x00FF00},   {"clyellow", 0x00FFFF},
            {"clblue", 0xFF0000},    {"clfuchsia", 0xFF00FF}, {"claqua", 0xFFFF00},
            {"clltgray", 0xC0C0C0},  {"cldkgray", 0x808080}, {"clwhite", 0xFFFFFF},
            {"clmoneygreen", 0xC0DCC0}, {"clskyblue", 0xF0CAA6}, {"clcream", 0xF0FBFF},
            {"clmedgray", 0xA4A0A0}, {"clnone", 0x1FFFFFFF}, {"cldefault", 0x20000000},
        };
        // System colours: the high bit marks an index into the system table.
        const char *const system[] = {
            "clscrollbar", "clbackground", "clactivecaption", "clinactivecaption", "clmenu",
            "clwindow", "clwindowframe", "clmenutext", "clwindowtext", "clcaptiontext",
            "clactiveborder", "clinactiveborder", "clappworkspace", "clhighlight",
            "clhighlighttext", "clbtnface", "clbtnshadow", "clgraytext", "clbtntext",
            "clinactivecaptiontext", "clbtnhighlight", "cl3ddkshadow", "cl3dlight",
            "clinfotext", "clinfobk"};
        for (int i = 0; i < int(std::size(system)); ++i)
            t.insert(QString::fromLatin1(system[i]), int(0x80000000u | uint(i)));
        return t;
    }();
    const auto it = table.constFind(name.toLower());
    if (it == table.constEnd())
        return false;
    color = *it;
    return true;
}

void TrpHTMLTagsList::Init(int defColor, int defSize, int defStyle) {
    m_defColor = m_color = defColor;
    m_defSize = m_size = defSize;
    m_defStyle = m_style = defStyle;
    m_lowered = 0;
    m_position = 1;
    m_groups.clear();
}

void TrpHTMLTagsList::NewGroup() {
    if (!m_groups.isEmpty())
        m_groups.append(TrpHTMLTags());
}

void TrpHTMLTagsList::ParseLine(QString &text) {
    // One record per character at most: room for them all up front.
    if (m_groups.isEmpty())
        m_groups.append(TrpHTMLTags());
    QList<TrpHTMLTag> &items = m_groups.last().m_items;
    items.reserve(items.size() + text.size() + 1);
    int i = 0;
    while (i < text.size()) {
        if (m_allowTags && text[i] == QLatin1Char('<')) {
            const int length = tagLength(text, i);
            if (length > 0) {
                text.remove(i, length);
                m_position += length;
                continue;
            }
        }
        addRecord();
        ++m_position;
        ++i;
    }
    if (text.isEmpty()) {
        addRecord();
        text = QStringLiteral(" ");
    }
}

// Applies the tag at text[at] ("<") to the state and returns its length;
// 0 when it is not a tag.
int TrpHTMLTagsList::tagLength(const QString &text, int at) {
    const int n = int(text.size());
    if (at + 2 < n && text[at + 2] == QLatin1Char('>') && styleBit(text[at + 1])) {
        m_style |= styleBit(text[at + 1]);
        return 3;
    }
    if (at + 4 < n && text[at + 4] == QLatin1Char('>')) {
        const bool sub = follows(text, at + 1, QLatin1StringView("SUB>"));
        if (!sub && !follows(text, at + 1, QLatin1StringView("SUP>")))
            return 0;
        m_size = reducedSize(m_defSize);
        m_lowered = sub ? 1 : 0;
        return 5;
    }
    if (at + 1 >= n)
        return 0;
    const QChar next = text[at + 1];
    if (next == QLatin1Char('s') || next == QLatin1Char('S')) {
        if (!follows(text, at + 1, QLatin1StringView("STRIKE>")))
            return 0;
        m_style |= 8;
        return 8;
    }
    if (next == QLatin1Char('/')) {
        if (at + 3 < n && text[at + 3] == QLatin1Char('>')) {
            const int bit = styleBit(text[at + 2]);
            m_style &= ~bit;
            return bit ? 4 : 0;
        }
        if (follows(text, at + 2, QLatin1StringView("STRIKE>"))) {
            m_style &= ~8;
            return 9;
        }
        if (follows(text, at + 2, QLatin1StringView("FONT>"))) {
            m_color = m_defColor;
            return 7;
        }
        if (follows(text, at + 2, QLatin1StringView("SUB>")) || follows(text, at + 2, QLatin1StringView("SUP>"))) {
            m_size = m_defSize;
            m_lowered = 0;
            return 6;
        }
        return 0;
    }
    return fontTagLength(text, at);
}

// <font color=VALUE>: a quoted "#RRGGBB" or a colour name without "cl".
int TrpHTMLTagsList::fontTagLength(const QString &text, int at) {
    if (!follows(text, at + 1, QLatin1StringView("FONT COLOR")))
        return 0;
    const int equals = int(text.indexOf(QLatin1Char('='), at + 11));
    const int close = int(text.indexOf(QLatin1Char('>'), at + 11));
    // An unterminated tag is text, not a tag swallowing the rest.
    if (equals < 0 || close < 0 || close < equals)
        return 0;
    int start = equals + 1;
    while (start < close && text[start] == QLatin1Char(' '))
        ++start;
    const QString value = text.mid(start, close - start);
    int color = 0;
    if (value.startsWith(QLatin1Char('"'))) {
        // A malformed "#" value is left as text like any other non-tag.
        if (!quotedHexColor(value, color))
            return 0;
    } else if (value.isEmpty() || !colorFromName(QStringLiteral("cl") + value, color)) {
        return 0;
    }
    m_color = color;
    return close - at + 1;
}

const TrpHTMLTag *TrpHTMLTagsList::lastRecord() const {
    for (auto g = m_groups.crbegin(); g != m_groups.crend(); ++g) {
        if (!g->m_items.isEmpty())
            return &g->m_items.last();
    }
    return nullptr;
}

void TrpHTMLTagsList::addRecord() {
    TrpHTMLTag tag;
    tag.position = m_position;
    tag.size = m_size;
    tag.lowered = m_lowered;
    tag.style = m_style;
    tag.color = m_color;
    tag.reduced = m_size != m_defSize;
    if (!m_allowTags) {
        tag.sameAsBefore = true;
    } else if (const TrpHTMLTag *before = lastRecord()) {
        tag.sameAsBefore = before->style == m_style && before->color == m_color && before->size == m_size;
    } else {
        tag.sameAsBefore = m_defStyle == m_style && m_defColor == m_color && m_defSize == m_size;
    }
    if (m_groups.isEmpty())
        m_groups.append(TrpHTMLTags());
    TrpHTMLTags &group = m_groups.last();
    if (group.m_items.isEmpty())
        group.m_startPosition = tag.position;
    group.m_items.append(tag);
}

void TrpHTMLTagsList::SplitGroup(int count, bool hyphen) {
    if (m_groups.isEmpty() || count < 1 || m_groups.last().Count() <= count)
        return;
    TrpHTMLTags &old = m_groups.last();
    TrpHTMLTags fresh;
    fresh.m_items = old.m_items.mid(count);
    fresh.m_startPosition = fresh.m_items.first().position;
    old.m_items.resize(count);
    const TrpHTMLTag lastKept = old.m_items.last();
    if (hyphen)
        old.m_items.append(lastKept);
    else if (fresh.m_items.first().sameAsBefore)
        fresh.m_items.first() = lastKept;
    m_groups.append(fresh);
}

} // namespace bralvo::report
