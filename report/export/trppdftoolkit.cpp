#include "report/export/trppdftoolkit.h"

#include "platform/fonts/fontmetrics.h"
#include "report/export/trppdfbytes.h"
#include "report/export/trppdftext.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpview.h"

#include <algorithm>
#include <cmath>

namespace bralvo::report {

TrpPDFToolkit::TrpPDFToolkit()
    : m_divFactor(double(TrpDrawText::kMeasuringResolution) / TrpDrawText::kScreenResolution)
{
}

QString TrpPDFToolkit::PdfColor(int color)
{
    QByteArray text;
    AppendPdfColor(text, color);
    return QString::fromLatin1(text);
}

void TrpPDFToolkit::AppendPdfColor(QByteArray &out, int color)
{
    if (color == 0) {
        out += "0 0 0";
        return;
    }
    if (color == 0xFFFFFF) {
        out += "1 1 1";
        return;
    }
    if (color != m_lastColor) {
        QColor c = ColorToQColor(color);
        if (!c.isValid())
            c = Qt::white; // no colour resolves to white, as a stand-in fill would
        m_lastColor = color;
        m_lastColorText.clear();
        AppendPdfNumber(m_lastColorText, c.red() / 255.0);
        m_lastColorText += ' ';
        AppendPdfNumber(m_lastColorText, c.green() / 255.0);
        m_lastColorText += ' ';
        AppendPdfNumber(m_lastColorText, c.blue() / 255.0);
    }
    out += m_lastColorText;
}

namespace {

int measuringPixels(int fontSize)
{
    const int size = std::clamp(fontSize, TrpDrawText::kMinFontSize, TrpDrawText::kMaxFontSize);
    return int(std::lround(size * double(TrpDrawText::kMeasuringResolution) / 72));
}

} // namespace

const TrpPDFAdvances &TrpPDFToolkit::advancesOf(const QString &family, int style, int fontSize)
{
    const int pixels = measuringPixels(fontSize);
    const auto same = [&](const TrpPDFAdvances &f) {
        return f.PixelSize() == pixels && f.Style() == style && f.Family() == family;
    };
    if (m_lastFont && same(*m_lastFont))
        return *m_lastFont; // most memos repeat the font of the one before
    for (const auto &f : m_fonts) {
        if (same(*f))
            return *(m_lastFont = f.get());
    }
    m_fonts.push_back(std::make_unique<TrpPDFAdvances>(family, style, pixels));
    return *(m_lastFont = m_fonts.back().get());
}

void TrpPDFToolkit::SetMemo(const TrpCustomMemoView &memo, const platform::Font &font)
{
    m_layout.SetFont(font);
    m_layout.SetGaps(0, 0, memo.LineSpacing());
    m_lineHeight = m_layout.LineHeight();
    m_fontHeight = m_layout.FontHeight();
    m_vAlign = memo.VAlign();
    m_advances = &advancesOf(font.name(), font.style(), font.size());
}

double TrpPDFToolkit::GetTextWidth(const QString &text, double charSpacing) const
{
    const double spaced = charSpacing * text.size();
    return m_advances ? double(m_advances->TextWidth(text)) / m_divFactor + spaced : spaced;
}

double TrpPDFToolkit::GetHPos(const QString &text, int hAlign, double charSpacing, double width,
                              double left) const
{
    if (hAlign == haRight)
        return left + width - GetTextWidth(text, charSpacing);
    if (hAlign == haCenter)
        return left + (width - GetTextWidth(text, charSpacing)) / 2;
    return left; // left and block text need no measuring
}

double TrpPDFToolkit::GetVPos(int lineCount, int lineIndex, double height, double top) const
{
    if (lineIndex > lineCount)
        lineIndex = 0;
    if (m_vAlign == vaBottom)
        return top + height - (lineCount - lineIndex - 1) * m_lineHeight;
    if (m_vAlign == vaCenter)
        return top + (height - lineCount * m_lineHeight) / 2 + (lineIndex + 1) * m_lineHeight;
    return top + m_fontHeight + lineIndex * m_lineHeight;
}

bool TrpPDFToolkit::singleLine(const TrpCustomMemoView &memo, const platform::Font &font, QString &line)
{
    const TWideStrings &text = *memo.Memo();
    if (text.Count() != 1)
        return false;
    line = text.Strings(0);
    if (memo.AllowHTMLTags() && line.contains(u'<'))
        return false; // tags change the text and the widths
    if (line.isEmpty())
        line = QStringLiteral(" "); // as the layout keeps an empty paragraph
    if (!memo.WordWrap() || line.size() <= 1)
        return true;
    // The layout's own test: the line is kept whole when its width with
    // character spacing stays below the text box less the paragraph gap.
    // The box's exact width (rounded sides, frame and gaps) is only worked
    // out when the line comes within a few pixels of the view's width.
    const double ratio = m_divFactor;
    const int spacing = int(std::nearbyint(memo.CharSpacing() * ratio));
    const qint64 width = advancesOf(font.name(), font.style(), font.size()).SpacedWidth(line, spacing);
    const TrpFrame &frame = *memo.Frame();
    const double leastBox = memo.Width() - (frame.DropShadow() ? frame.ShadowWidth() : 0) - frame.Width() -
                            2 * memo.GapX() - 4;
    if (width < (leastBox - memo.ParagraphGap()) * ratio - 1)
        return true;
    const int box = memo.TextRect(1, 1, 0, 0).width();
    return width < qint64(std::nearbyint((box - memo.ParagraphGap()) * ratio));
}

QStringList TrpPDFToolkit::WrappedLines(const TrpCustomMemoView &memo, const platform::Font &font)
{
    if (QString line; singleLine(memo, font, line))
        return {line};
    const QRect r = memo.TextRect(1, 1, 0, 0);
    const TrpTextRect rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    m_layout.SetFont(font);
    m_layout.SetOptions(memo.WordWrap(), memo.AllowHTMLTags(), memo.Rotation(), memo.Wysiwyg(), memo.Clipped(),
                        memo.WordBreak(), memo.RTLReading());
    m_layout.SetGaps(memo.ParagraphGap(), memo.CharSpacing(), memo.LineSpacing());
    m_layout.SetDimensions(rect, rect, 1, 1, 1);
    m_layout.SetText(*memo.Memo());
    m_layout.SetParaBreaks(memo.FirstParaBreak(), memo.LastParaBreak());
    QStringList lines;
    const TWideStrings &wrapped = m_layout.WrappedLines();
    for (int i = 0; i < wrapped.Count(); ++i)
        lines.append(wrapped.Strings(i));
    return lines;
}

} // namespace bralvo::report
