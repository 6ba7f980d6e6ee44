#include "report/export/trppdftoolkit.h"

#include "platform/fonts/fontmetrics.h"
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
    if (color == 0)
        return QStringLiteral("0 0 0");
    if (color == 0xFFFFFF)
        return QStringLiteral("1 1 1");
    if (color == m_lastColor)
        return m_lastColorText;
    QColor c = ColorToQColor(color);
    if (!c.isValid())
        c = Qt::white; // no colour resolves to white, as a stand-in fill would
    m_lastColor = color;
    m_lastColorText = PdfNumber(c.red() / 255.0) + u' ' + PdfNumber(c.green() / 255.0) + u' ' +
                      PdfNumber(c.blue() / 255.0);
    return m_lastColorText;
}

void TrpPDFToolkit::SetMemo(const TrpCustomMemoView &memo, const platform::Font &font)
{
    m_layout.SetFont(font);
    m_layout.SetGaps(0, 0, memo.LineSpacing());
    m_lineHeight = m_layout.LineHeight();
    m_fontHeight = m_layout.FontHeight();
    m_vAlign = memo.VAlign();
    m_fontName = font.name();
    m_fontStyle = font.style();
    m_fontSize = std::clamp(font.size(), TrpDrawText::kMinFontSize, TrpDrawText::kMaxFontSize);
}

double TrpPDFToolkit::GetTextWidth(const QString &text, double charSpacing) const
{
    const int pixels = int(std::lround(m_fontSize * double(TrpDrawText::kMeasuringResolution) / 72));
    const auto metrics = platform::FontMetrics::get(m_fontName, m_fontStyle, pixels);
    return double(metrics->textWidth(text)) / m_divFactor + charSpacing * text.size();
}

double TrpPDFToolkit::GetHPos(const QString &text, int hAlign, double charSpacing, double width,
                              double left) const
{
    const double textWidth = GetTextWidth(text, charSpacing);
    if (hAlign == haRight)
        return left + width - textWidth;
    if (hAlign == haCenter)
        return left + (width - textWidth) / 2;
    return left;
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

QStringList TrpPDFToolkit::WrappedLines(const TrpCustomMemoView &memo, const platform::Font &font)
{
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
