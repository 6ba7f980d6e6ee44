// Set-up, wrapping, measuring and the height/width/cut questions of the
// text layout. Drawing is in trpdrawtextpaint.cpp.
#include "report/engine/trpdrawtext.h"

#include "report/engine/trphyphenation.h"

#include "platform/font.h"
#include "platform/fonts/fontmetrics.h"

#include <QCoreApplication>
#include <cmath>

namespace bralvo::report {

namespace {

constexpr double kRatio = double(TrpDrawText::kMeasuringResolution) / TrpDrawText::kScreenResolution;

qint64 roundToInt(double value) { return qint64(std::nearbyint(value)); }

bool isWordEnd(QChar c) {
    return c == u' ' || c == u'.' || c == u',' || c == u'-' || c == u';';
}

} // namespace

TrpDrawText::TrpDrawText() = default;

TrpDrawText &TrpDrawText::Global() {
    static TrpDrawText instance;
    return instance;
}

void TrpDrawText::Lock() {
    while (m_busy)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    m_busy = true;
}

void TrpDrawText::SetFont(const platform::Font &font) {
    m_fontSize = std::clamp(font.size(), kMinFontSize, kMaxFontSize);
    m_fontName = font.name();
    m_fontStyle = font.style();
    m_fontColor = font.color();
}

void TrpDrawText::SetOptions(bool WordWrap, bool HTMLTags, int Rotation, bool WYSIWYG,
                             bool Clipped, bool WordBreak, bool RTLReading) {
    m_wordWrap = WordWrap;
    m_tags.SetAllowTags(HTMLTags);
    m_rotation = ((Rotation % 360) + 360) % 360;
    m_wysiwyg = WYSIWYG;
    m_wordBreak = WordBreak;
    m_rtl = RTLReading;
    m_textOutFlags = (RTLReading ? 128 : 0) | (Clipped ? 4 : 0);
}

void TrpDrawText::SetGaps(double ParagraphGap, double CharSpacing, double LineSpacing) {
    m_paragraphGap = ParagraphGap;
    m_charSpacing = CharSpacing;
    m_lineSpacing = LineSpacing;
}

void TrpDrawText::SetDimensions(const TrpTextRect &TextRect, const TrpTextRect &DeviceRect,
                                double ScaleX, double ScaleY, double PrintScale) {
    m_textRect = TextRect;
    m_deviceRect = DeviceRect;
    m_scaleX = ScaleX;
    m_scaleY = ScaleY;
    m_printScale = PrintScale;
}

int TrpDrawText::measuringPixels() const {
    return int(roundToInt(m_fontSize * double(kMeasuringResolution) / 72));
}

namespace {

// The advance of character I of Text (spacing added, reduced characters
// at two thirds); the second unit of a surrogate pair takes nothing.
qint64 charAdvance(TrpFontFace &face, const QString &text, qsizetype i, int spacing, bool reduced) {
    const QChar c = text[i];
    qint64 advance;
    if (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())
        advance = 0;
    else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        advance = face.advance(QChar::surrogateToUcs4(c, text[i + 1]));
    else
        advance = face.advance(c.unicode());
    advance += spacing;
    if (reduced)
        advance = roundToInt(advance / 1.5);
    return advance;
}

} // namespace

// The advance of every character of one line in the memo font at
// pixelSize, each character in its record's style.
TrpDrawText::Measured TrpDrawText::measureLine(const QString &text, const TrpHTMLTags &group,
                                               int spacing, int pixelSize) const {
    return measureLine(text, group, spacing, pixelSize, 0, 0, nullptr);
}

// The same, and in the same pass the line's total at a second pixel size
// and spacing (in OtherTotal) when OtherTotal is given.
TrpDrawText::Measured TrpDrawText::measureLine(const QString &text, const TrpHTMLTags &group, int spacing,
                                               int pixelSize, int otherSpacing, int otherPixelSize,
                                               qint64 *otherTotal) const {
    Measured m;
    m.advances.resize(text.size());
    TrpFontTables &fonts = TrpFontTables::ForThisThread();
    std::shared_ptr<TrpFontFace> face, other;
    int faceStyle = -1;
    if (otherTotal)
        *otherTotal = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const TrpHTMLTag *tag = group.Count() ? &group.Items(std::min<int>(int(i), group.Count() - 1)) : nullptr;
        const int style = tag ? tag->style : m_fontStyle;
        if (style != faceStyle) {
            face = fonts.get(m_fontName, style, pixelSize);
            if (otherTotal)
                other = fonts.get(m_fontName, style, otherPixelSize);
            faceStyle = style;
        }
        const bool reduced = tag && tag->reduced;
        const qint64 advance = charAdvance(*face, text, i, spacing, reduced);
        m.advances[i] = advance;
        m.total += advance;
        if (otherTotal)
            *otherTotal += charAdvance(*other, text, i, otherSpacing, reduced);
    }
    return m;
}

void TrpDrawText::addWrapped(const QString &line, int flags) {
    m_wrapped.Add(line);
    m_lineFlags.append(flags);
}

void TrpDrawText::SetText(const TWideStrings &Lines) {
    m_rawText.clear();
    m_wrapped.Clear();
    m_lineFlags.clear();
    m_tags.Init(m_fontColor, m_fontSize, m_fontStyle);
    const bool turned = (m_rotation >= 90 && m_rotation <= 179) || (m_rotation >= 270 && m_rotation <= 359);
    const int w = turned ? m_textRect.Bottom - m_textRect.Top : m_textRect.Right - m_textRect.Left;
    const qint64 fullWidth = roundToInt(w * kRatio);
    const qint64 firstWidth = roundToInt((w - m_paragraphGap) * kRatio);
    const int spacing = int(roundToInt(m_charSpacing * kRatio));
    for (int i = 0; i < Lines.Count(); ++i) {
        QString line = Lines.Strings(i);
        if (line.isEmpty())
            line = QStringLiteral(" ");
        m_rawText += line + QStringLiteral("\r\n");
        const int first = m_wrapped.Count();
        wrapParagraph(line, fullWidth, firstWidth, spacing);
        if (m_wrapped.Count() > first) {
            m_lineFlags[first] |= kParaStart;
            m_lineFlags.last() |= kParaEnd;
        }
    }
}

void TrpDrawText::wrapParagraph(const QString &source, qint64 fullWidth, qint64 firstWidth,
                                int spacing) {
    m_tags.NewGroup();
    QString text = source;
    m_tags.ParseLine(text);
    m_tags.AdvancePosition(2);
    const int len = int(text.size());
    if (len <= 1 || !m_wordWrap) {
        addWrapped(text, 0);
        return;
    }
    const Measured m = measureLine(text, m_tags.Items(m_tags.Count() - 1), spacing, measuringPixels());
    if (m.total < firstWidth) {
        addWrapped(text, 0);
        return;
    }
    // Cumulative positions, 1-based like the scan: cum[i] ends character i.
    QList<qint64> cum(len + 1, 0);
    for (int i = 1; i <= len; ++i)
        cum[i] = cum[i - 1] + m.advances[i - 1];

    // s: line start; b: last blank since s (s when none). Every break
    // takes at least one character, so the scan always ends.
    int s = 1, b = 1, i = 1;
    qint64 offset = 0, limit = firstWidth;
    while (i <= len) {
        if (text[i - 1] == u' ' && i != s)
            b = i;
        if (cum[i] - offset <= limit) {
            ++i;
            continue;
        }
        const int next = breakLine(text, s, b, i);
        offset = cum[next - 1];
        limit = fullWidth;
        s = b = i = next;
    }
    if (s <= len)
        addWrapped(text.mid(s - 1), 0);
}

// Emits the line that starts at s when character i no longer fits (b: the
// last blank since s, or s) and splits the tag group to match. Returns the
// first character of the following line; the character before it is the
// last one taken (the blank, when the break was at a blank).
int TrpDrawText::breakLine(const QString &text, int s, int b, int i) {
    auto chars = [&](int from, int to) { return text.mid(from - 1, to - from + 1); };
    if (b != s) {
        int part = 0;
        if (m_wordBreak) {
            int end = b + 1;
            while (end <= text.size() && !isWordEnd(text[end - 1]))
                ++end;
            part = hyphenationBreak(QStringView(text).mid(b, end - b - 1), i - b - 1);
        }
        if (part > 0) {
            addWrapped(chars(s, b + part) + u'-', 0);
            m_tags.SplitGroup(b + part - s + 1, true);
            return b + part + 1;
        }
        addWrapped(chars(s, b - 1), 0);
        m_tags.SplitGroup(b - s + 1, false);
        return b + 1;
    }
    if (i == s) {
        addWrapped(chars(s, s), 0);
        m_tags.SplitGroup(1, false);
        return s + 1;
    }
    const int part = m_wordBreak ? hyphenationBreak(QStringView(text).mid(s - 1, i - s), i - s) : 0;
    const int taken = part > 0 ? part : i - s;
    addWrapped(chars(s, s + taken - 1) + (part > 0 ? QStringLiteral("-") : QString()), 0);
    m_tags.SplitGroup(taken, part > 0);
    return s + taken;
}

void TrpDrawText::SetParaBreaks(bool FirstParaBreak, bool LastParaBreak) {
    if (m_lineFlags.isEmpty())
        return;
    if (FirstParaBreak)
        m_lineFlags.first() &= ~kParaStart;
    if (LastParaBreak)
        m_lineFlags.last() &= ~kParaEnd;
}

double TrpDrawText::FontHeight() const { return measuringPixels() / kRatio; }

double TrpDrawText::LineHeight() const { return FontHeight() + m_lineSpacing; }

double TrpDrawText::CalcHeight() const { return m_wrapped.Count() * LineHeight(); }

double TrpDrawText::CalcWidth() const {
    const int pixels = measuringPixels();
    qint64 widest = 0;
    for (int i = 0; i < m_wrapped.Count(); ++i) {
        const QString line = m_wrapped.Strings(i);
        qint64 w = TrpFontTables::ForThisThread().get(m_fontName, m_fontStyle, pixels)->metrics().textWidth(line)
                   + roundToInt(line.size() * m_charSpacing * kRatio);
        if (m_lineFlags.value(i) & kParaStart)
            w += roundToInt(m_paragraphGap * kRatio);
        widest = std::max(widest, w);
    }
    return widest / kRatio;
}

double TrpDrawText::UnusedSpace() const {
    const double lineHeight = LineHeight();
    if (lineHeight <= 0)
        return 0;
    const double h = m_textRect.Bottom - m_textRect.Top + 1;
    const double n = std::trunc(h / lineHeight);
    if (n <= 0)
        return 0;
    const double rest = h - n * lineHeight;
    return rest == 0 ? 0.0001 : rest;
}

QString TrpDrawText::DeleteTags(const QString &Text) {
    TrpHTMLTagsList parser;
    parser.Init(0, 10, 0);
    QString copy = Text;
    parser.ParseLine(copy);
    return Text.isEmpty() ? QString() : copy;
}

} // namespace bralvo::report

namespace bralvo::report {

namespace {

// The style of the first character after a cut, as tags for the next part.
QString carriedStyle(const TrpHTMLTag &tag) {
    const int c = tag.color;
    auto hex = [](int byte) { return QString::number(byte & 0xFF, 16).toUpper().rightJustified(2, u'0'); };
    QString prefix = QStringLiteral("<font color=\"#") + hex(c) + hex(c >> 8) + hex(c >> 16)
                     + QStringLiteral("\">");
    if (tag.style & platform::fsUnderline)
        prefix += QStringLiteral("<u>");
    if (tag.style & platform::fsItalic)
        prefix += QStringLiteral("<i>");
    if (tag.style & platform::fsBold)
        prefix += QStringLiteral("<b>");
    return prefix;
}

} // namespace

QString TrpDrawText::UnusedText(bool &ParaBreak) {
    ParaBreak = false;
    const int count = m_wrapped.Count();
    if (count == 0)
        return {};
    const double lineHeight = LineHeight();
    int n = count;
    if (lineHeight > 0) // a line height of 0 or less makes every line fit
        n = int(std::clamp(std::trunc((m_textRect.Bottom - m_textRect.Top + 1) / lineHeight), 0.0, double(count)));
    if (n >= m_tags.Count())
        return {};
    ParaBreak = n == 0 || !(m_lineFlags.value(n - 1) & kParaEnd);
    while (m_wrapped.Count() > n)
        m_wrapped.Delete(m_wrapped.Count() - 1);
    m_lineFlags.resize(n);

    const TrpHTMLTags &group = m_tags.Items(n);
    const TrpHTMLTag first = group.Count() ? group.Items(0) : TrpHTMLTag{};
    int cut = first.position;
    // A line that went on from a cut word starts with a copy of the word's
    // last character; cutting there would print that character twice.
    if (group.StartPosition() > cut && (cut - 1 >= m_rawText.size() || m_rawText.at(cut - 1) != u' '))
        cut = group.StartPosition();
    cut = std::clamp(cut, 1, int(m_rawText.size()) + 1);
    QString result = m_rawText.mid(cut - 1);
    if (ParaBreak && result.startsWith(u' '))
        result.remove(0, 1);
    m_rawText.truncate(cut - 1);
    if (m_tags.AllowTags() && group.Count())
        result.prepend(carriedStyle(first));
    return result;
}

} // namespace bralvo::report
