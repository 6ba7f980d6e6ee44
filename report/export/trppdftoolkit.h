// Measuring and colours for PDF page content. Text is measured by the
// report's text layout (600 per inch, the same widths that broke the
// lines), positions come back in screen pixels. The last colour and its
// text are cached, as most views repeat the colour of the one before.
// The advances of every font met are kept for the whole export, found by
// family, style and size; a memo of one line that fits is not handed to
// the layout at all, as the layout would return it unchanged.
#pragma once

#include "report/engine/trpdrawtext.h"
#include "report/export/trppdfadvances.h"

#include <QString>
#include <memory>
#include <vector>

namespace bralvo::report {

class TrpCustomMemoView;

class TrpPDFToolkit {
public:
    TrpPDFToolkit();

    // Measuring resolution / screen resolution (600 / 96).
    double DivFactor() const { return m_divFactor; }
    double LineHeight() const { return m_lineHeight; }

    // "r g b" of a 0x00BBGGRR colour (system colours resolved); 0 is
    // "0 0 0", white "1 1 1"; clNone is not special and gives "1 1 1".
    QString PdfColor(int color);
    // The same text appended as bytes.
    void AppendPdfColor(QByteArray &out, int color);

    // Takes the memo's font (or the given one) and line spacing.
    void SetMemo(const TrpCustomMemoView &memo, const platform::Font &font);
    // Width of Text in screen pixels plus CharSpacing per character, in
    // the font of the last SetMemo (only the spacing before the first).
    double GetTextWidth(const QString &text, double charSpacing) const;
    // Left edge of Text in a box of Width at Left by HAlign (block text
    // is set left aligned).
    double GetHPos(const QString &text, int hAlign, double charSpacing, double width, double left) const;
    // Baseline of line LineIndex of LineCount in a box of Height at Top
    // by the memo's VAlign.
    double GetVPos(int lineCount, int lineIndex, double height, double top) const;

    // The memo's text wrapped into lines as the preview wraps it (tags
    // left in), laid out at scale 1.
    QStringList WrappedLines(const TrpCustomMemoView &memo, const platform::Font &font);

private:
    // The advances of the font at the measuring size, made once.
    const TrpPDFAdvances &advancesOf(const QString &family, int style, int fontSize);
    // The one line of a memo whose text needs no wrapping; false when the
    // layout has to decide.
    bool singleLine(const TrpCustomMemoView &memo, const platform::Font &font, QString &line);

    double m_divFactor;
    double m_lineHeight = 0;
    double m_fontHeight = 0;
    int m_vAlign = 0;
    const TrpPDFAdvances *m_advances = nullptr; // the memo's font
    int m_lastColor = 0;
    QByteArray m_lastColorText = QByteArrayLiteral("0 0 0");
    TrpDrawText m_layout;
    std::vector<std::unique_ptr<TrpPDFAdvances>> m_fonts;
    const TrpPDFAdvances *m_lastFont = nullptr;
};

} // namespace bralvo::report
