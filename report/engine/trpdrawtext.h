// Lays out and draws the text of memo views. Text is wrapped and measured
// at a fixed 600 per inch ("measuring units") so a line breaks at the same
// word on screen, on paper and in PDF; layout positions are screen units
// (pixels at 96 per inch). Widths come from platform::FontMetrics (the
// FreeType source shared by every device), drawing goes through QPainter.
//
// One instance per report, plus Global() for memos without a report. A
// use is one sequence: Lock, SetFont/SetOptions/SetGaps/SetDimensions,
// SetText, questions or one DrawText, Unlock. State stays until the next
// SetText. Nothing here throws except FontError when no font file exists.
#pragma once

#include "report/engine/trpfonttables.h"
#include "report/engine/trphtmltags.h"
#include "report/model/twidestrings.h"

#include <QList>
#include <QString>

class QPainter;

namespace bralvo::platform {
class Font;
class FontMetrics;
} // namespace bralvo::platform

namespace bralvo::report {

// Left, top, right, bottom in whole units (right and bottom inclusive for
// heights, exclusive for widths, as the layout uses them).
struct TrpTextRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

class TrpDrawText {
public:
    // Wrapped-line flags.
    static constexpr int kParaStart = 1;
    static constexpr int kParaEnd = 2;
    static constexpr int kMeasuringResolution = 600;
    static constexpr int kScreenResolution = 96;
    // Font sizes are kept within this range of points; larger ones would
    // overflow the measuring font.
    static constexpr int kMinFontSize = 1;
    static constexpr int kMaxFontSize = 1638;

    TrpDrawText();
    // The instance for memos that belong to no report.
    static TrpDrawText &Global();

    // Re-entrancy guard on the one thread: while busy, processes pending
    // events and waits; then marks busy. Unlock clears the mark.
    void Lock();
    void Unlock() { m_busy = false; }
    bool Busy() const { return m_busy; }

    // Remembers the point size (clamped to kMinFontSize..kMaxFontSize),
    // family, style and colour of the memo font.
    void SetFont(const platform::Font &font);
    // Rotation is taken modulo 360 into 0..359 (a negative angle turns the
    // other way round: -90 is 270).
    void SetOptions(bool WordWrap, bool HTMLTags, int Rotation, bool WYSIWYG, bool Clipped,
                    bool WordBreak, bool RTLReading);
    void SetGaps(double ParagraphGap, double CharSpacing, double LineSpacing);
    void SetDimensions(const TrpTextRect &TextRect, const TrpTextRect &DeviceRect,
                       double ScaleX, double ScaleY, double PrintScale);
    // Wraps Lines into WrappedLines(), one tag group per wrapped line.
    void SetText(const TWideStrings &Lines);
    void SetParaBreaks(bool FirstParaBreak, bool LastParaBreak);

    // Questions, in screen units at scale 1.
    double FontHeight() const;
    double LineHeight() const;
    double CalcHeight() const;  // 0 without lines
    double CalcWidth() const;   // 0 without lines
    // Space below the last whole line in the text rectangle; 0 when not
    // even one line fits (or the line height is not positive), 0.0001
    // instead of an exact 0.
    double UnusedSpace() const;
    // Drops the wrapped lines below the text rectangle and returns the raw
    // text they came from, with the style at the cut carried in front as
    // tags (when tags are allowed). ParaBreak: the cut fell inside a
    // paragraph. Empty result and false when everything fits.
    QString UnusedText(bool &ParaBreak);
    QString GetInBoundsText() const { return m_rawText; }
    QString GetWrappedText() const { return m_wrapped.Text(); }
    // Text with its inline tags removed.
    static QString DeleteTags(const QString &Text);

    // HAlign 0 left, 1 right, 2 centre, 3 block; VAlign 0 top, 1 bottom,
    // 2 centre. A painter on a QPrinter counts as a printer canvas (print
    // scale and the device resolution apply); any other as a screen.
    void DrawText(QPainter &Canvas, int HAlign, int VAlign);

    // One run of characters as the last DrawText placed it on the canvas:
    // origin is the top-left of the run in device pixels, advances are the
    // per-character steps used.
    struct DrawnRun {
        QString text;
        double x = 0;
        double y = 0;
        QList<qint64> advances;
        int pixelSize = 0;
        int style = 0;
        int color = 0;
    };
    const QList<DrawnRun> &LastDrawnRuns() const { return m_drawnRuns; }

    // Read access for the memo view, exports and tests.
    const TWideStrings &WrappedLines() const { return m_wrapped; }
    int LineFlags(int index) const { return m_lineFlags.value(index); }
    const TrpHTMLTagsList &Tags() const { return m_tags; }
    QString RawText() const { return m_rawText; }
    int Rotation() const { return m_rotation; }

private:
    struct Measured { // per-character advances of one line, spacing included
        QList<qint64> advances;
        qint64 total = 0;
    };
    struct DrawContext;

    int measuringPixels() const; // em height of the measuring font
    Measured measureLine(const QString &text, const TrpHTMLTags &group, int spacing,
                         int pixelSize) const;
    Measured measureLine(const QString &text, const TrpHTMLTags &group, int spacing, int pixelSize,
                         int otherSpacing, int otherPixelSize, qint64 *otherTotal) const;
    void wrapParagraph(const QString &source, qint64 fullWidth, qint64 firstWidth,
                       int spacing);
    int textBlockHeight(const DrawContext &ctx, int n) const;
    int breakLine(const QString &text, int s, int b, int i);
    void addWrapped(const QString &line, int flags);
    void drawLine(DrawContext &ctx, const QString &text, int align, const TrpHTMLTags &group,
                  int width, double x, double y);
    void paintRun(DrawContext &ctx, const DrawnRun &run, TrpFontFace &face) const;

    int m_fontSize = 10;
    QString m_fontName = QStringLiteral("Arial");
    int m_fontStyle = 0;
    int m_fontColor = 0;
    TrpHTMLTagsList m_tags;
    double m_charSpacing = 0;
    double m_lineSpacing = 0;
    int m_textOutFlags = 0; // 4 clip, 128 right-to-left
    TrpTextRect m_textRect;
    double m_paragraphGap = 0;
    QString m_rawText;
    double m_printScale = 1;
    int m_rotation = 0;
    bool m_rtl = false;
    TrpTextRect m_deviceRect;
    double m_scaleX = 1;
    double m_scaleY = 1;
    TWideStrings m_wrapped;
    QList<int> m_lineFlags;
    bool m_wordBreak = false;
    bool m_wordWrap = true;
    bool m_wysiwyg = true;
    bool m_busy = false;
    QList<DrawnRun> m_drawnRuns;
};

// Spreads k units (sign kept) over cells[a..b] by halving: with c half the
// cells (at least 1), one unit goes to slot a+c-1 when k is 1, otherwise
// k/2 to a..a+c-1 and the rest to a+c..b.
void spreadEvenly(QList<int> &cells, int a, int b, int k);

} // namespace bralvo::report
