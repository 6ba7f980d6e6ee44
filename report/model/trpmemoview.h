// Text objects: TrpCustomMemoView holds its text as wide lines (Memo)
// and turns it into the output text before each output (GetData):
// bracketed expressions are computed through the report's Calc and
// formatted by the display format, with zero hiding, repeat suppression
// and a conditional highlight. Height, splitting and drawing go through
// the text layout the engine installs (setMemoTextLayout). TrpMemoView
// and TrpSysMemoView differ only in which properties they publish.
#pragma once

#include "report/model/trpdisplayformat.h"
#include "report/model/trpstretcheable.h"
#include "report/model/twidestrings.h"

#include <QRect>
#include <functional>
#include <memory>

namespace bralvo::report {

enum TrpHAlign : int { haLeft, haRight, haCenter, haBlock };
enum TrpVAlign : int { vaTop, vaBottom, vaCenter };

const platform::EnumInfo &hAlignEnum();
const platform::EnumInfo &vAlignEnum();

class TrpCustomMemoView;

// The text layout a memo needs, implemented by the engine's layout code.
// Prepare sets font, options, gaps, dimensions (TextRect at ScaleX/Y,
// DeviceRect on the device), text and paragraph breaks; the questions
// answer in screen pixels at scale 1.
class TrpMemoTextLayout {
public:
    virtual ~TrpMemoTextLayout() = default;
    virtual void Prepare(const TrpCustomMemoView &memo, const QRect &textRect, const QRect &deviceRect,
                         double scaleX, double scaleY) = 0;
    virtual double TextHeight() const = 0;
    virtual double TextWidth() const = 0;
    virtual double LineHeight() const = 0;
    virtual double UnusedSpace() const = 0;
    // Drops what does not fit and returns it; ParaBreak: the cut fell
    // inside a paragraph.
    virtual QString UnusedText(bool &paraBreak) = 0;
    virtual QString InBoundsText() const = 0;
    // The text as wrapped into lines, each followed by CR LF.
    virtual QString WrappedText() const { return InBoundsText(); }
    // Text with its inline tags removed.
    virtual QString WithoutTags(const QString &text) const { return text; }
    virtual void DrawText(QPainter &canvas, int hAlign, int vAlign) = 0;
};

// Installs the layout factory (the engine does this); without one,
// CalcHeight gives the current Height and DrawPart outputs nothing.
void setMemoTextLayout(std::function<std::unique_ptr<TrpMemoTextLayout>()> factory);
std::unique_ptr<TrpMemoTextLayout> createMemoTextLayout();

class TrpCustomMemoView : public TrpStretcheable {
    BRALVO_CLASS(TrpCustomMemoView)
public:
    explicit TrpCustomMemoView(platform::Component *owner);
    ~TrpCustomMemoView() override;

    TWideStrings *Memo() const { return m_memo.get(); }
    void SetMemo(const TWideStrings *v);
    // The text without its final CR LF.
    QString Text() const;
    void SetText(const QString &text);

    bool AllowExpressions() const { return m_allowExpressions; }
    void SetAllowExpressions(bool v) { m_allowExpressions = v; }
    bool AllowHTMLTags() const { return m_allowHTMLTags; }
    void SetAllowHTMLTags(bool v) { m_allowHTMLTags = v; }
    bool AutoWidth() const { return m_autoWidth; }
    void SetAutoWidth(bool v) { m_autoWidth = v; }
    double CharSpacing() const { return m_charSpacing; }   // pixels
    void SetCharSpacing(double v) { m_charSpacing = v; }
    bool Clipped() const { return m_clipped; }
    void SetClipped(bool v) { m_clipped = v; }
    TrpFormat *DisplayFormat() const { return m_displayFormat.get(); }
    void SetDisplayFormat(const TrpFormat *v);
    // Opening and closing delimiter separated by ",".
    QString ExpressionDelimiters() const { return m_expressionDelimiters; }
    void SetExpressionDelimiters(const QString &v) { m_expressionDelimiters = v; }
    TrpCustomMemoView *FlowTo() const { return m_flowTo; }
    void SetFlowTo(TrpCustomMemoView *v);
    bool FirstParaBreak() const { return m_firstParaBreak; }
    void SetFirstParaBreak(bool v) { m_firstParaBreak = v; }
    double GapX() const { return m_gapX; }                 // pixels
    void SetGapX(double v) { m_gapX = v; }
    double GapY() const { return m_gapY; }                 // pixels
    void SetGapY(double v) { m_gapY = v; }
    TrpHAlign HAlign() const { return m_hAlign; }
    void SetHAlign(TrpHAlign v) { m_hAlign = v; }
    bool HideZeros() const { return m_hideZeros; }
    void SetHideZeros(bool v) { m_hideZeros = v; }
    TrpHighlight *Highlight() const { return m_highlight.get(); }
    void SetHighlight(const TrpHighlight *v);
    bool LastParaBreak() const { return m_lastParaBreak; }
    void SetLastParaBreak(bool v) { m_lastParaBreak = v; }
    double LineSpacing() const { return m_lineSpacing; }   // pixels
    void SetLineSpacing(double v) { m_lineSpacing = v; }
    double ParagraphGap() const { return m_paragraphGap; } // pixels
    void SetParagraphGap(double v) { m_paragraphGap = v; }
    int Rotation() const { return m_rotation; }            // degrees
    // Value mod 360.
    void SetRotation(int v) { m_rotation = v % 360; }
    bool RTLReading() const { return m_rtlReading; }
    void SetRTLReading(bool v) { m_rtlReading = v; }
    QString Style() const { return m_style; }
    // Stores the name; the report's style of that name, when found,
    // gives Color, Font (ParentFont becomes false) and Frame.
    void SetStyle(const QString &v);
    bool SuppressRepeated() const { return m_suppressRepeated; }
    void SetSuppressRepeated(bool v) { m_suppressRepeated = v; }
    bool Underlines() const { return m_underlines; }
    void SetUnderlines(bool v) { m_underlines = v; }
    TrpVAlign VAlign() const { return m_vAlign; }
    void SetVAlign(TrpVAlign v) { m_vAlign = v; }
    platform::Variant Value() const { return m_value; }
    void SetValue(const platform::Variant &v) { m_value = v; }
    bool WordBreak() const { return m_wordBreak; }
    void SetWordBreak(bool v) { m_wordBreak = v; }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool v) { m_wordWrap = v; }
    bool Wysiwyg() const { return m_wysiwyg; }
    void SetWysiwyg(bool v) { m_wysiwyg = v; }

    // --- output
    // Builds the output text: a data field's text, else the text with
    // every delimited expression replaced by its formatted value; then
    // the highlight and SuppressRepeated. Calc errors propagate.
    void GetData() override;
    // The view's behaviour; saves the text of a memo without data field.
    void BeforePrint() override;
    // Puts the saved text back (not for data-field memos).
    void AfterPrint() override;
    // The last value becomes an empty text.
    void ResetSuppress() { m_lastValue = QString(); }
    // The text; with AllowExpressions the first "[TOTALPAGES]" (any case)
    // becomes the page count.
    QString GetComponentText() const override;
    // The text wrapped into the memo's width (each line followed by CR
    // LF) when WrapWords, else the text without inline tags.
    QString GetWrappedText(bool wrapWords);
    // Value as text under Format, or under DisplayFormat when null.
    QString FormatData(const platform::Variant &value, const TrpFormat *format = nullptr) const;

    // --- layout (pixels at scale 1)
    // The view's pixel rectangle narrowed by the framed sides and gaps.
    QRect TextRect(double scaleX, double scaleY, double offsetX, double offsetY) const;
    double VerticalGaps() const;
    double HorizontalGaps() const;
    double CalcHeight() override;
    virtual double CalcWidth();
    void InitPart() override;
    double DrawPart() override;
    QString SplitText() const { return m_splitText; }

    // --- drawing
    // Set by the prepared pages before drawing.
    int TotalPages() const { return m_totalPages; }
    void SetTotalPages(int v) { m_totalPages = v; }
    int CopyNo() const { return m_copyNo; }
    void SetCopyNo(int v) { m_copyNo = v; }
    // The printer's extra scale while the prepared pages print this memo;
    // 1 otherwise. The text layout sizes fonts and widths by it.
    double PrintScale() const { return m_printScale; }
    void SetPrintScale(double v) { m_printScale = v; }
    // Outside design and with AllowExpressions: the first "[TOTALPAGES#]"
    // becomes TotalPages and the first "[COPYNAME#]" the global variable
    // "CopyName<CopyNo>" (empty when there is none).
    void ApplyPrintMacros();
    // Replaces (when printing and AllowExpressions) the first
    // "[TOTALPAGES#]" by the page count and the first "[COPYNAME#]" by
    // the global variable "CopyName<CopyNo>"; then background, frame,
    // optional ruled lines and the text through the installed layout.
    // A highlighted memo draws with the highlight's font and colour and
    // keeps its own colour afterwards.
    void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;

    QString GetDescription() const override;

    // The view's items, then the memo's own (the text "u" always); moves
    // LastParaBreak into FirstParaBreak for the next part of a split.
    QString Diff(const TrpComponent &def) const override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;
    bool DiffSkipsWidth() const override { return m_autoWidth; }

private:
    QString expandMemoExpressions(const QString &text);
    void flowRemainder();
    QString computeExpression(const QString &expr);
    bool layoutText(TrpMemoTextLayout &layout, const QRect &rect) const;
    void applyAutoWidth();
    void drawUnderlines(double lineHeight);

    std::unique_ptr<TWideStrings> m_memo;
    std::unique_ptr<TrpFormat> m_displayFormat;
    std::unique_ptr<TrpHighlight> m_highlight;
    bool m_allowExpressions = true;
    bool m_allowHTMLTags = false;
    bool m_autoWidth = false;
    double m_charSpacing = 0;
    bool m_clipped = true;
    QString m_expressionDelimiters = QStringLiteral("[,]");
    TrpCustomMemoView *m_flowTo = nullptr;
    mutable bool m_firstParaBreak = false;
    double m_gapX = 2;
    double m_gapY = 1;
    TrpHAlign m_hAlign = haLeft;
    bool m_hideZeros = false;
    mutable bool m_lastParaBreak = false;
    double m_lineSpacing = 2;
    double m_paragraphGap = 0;
    QString m_splitText;
    int m_rotation = 0;
    bool m_rtlReading = false;
    QString m_style;
    bool m_suppressRepeated = false;
    QString m_savedText;
    bool m_underlines = false;
    TrpVAlign m_vAlign = vaTop;
    platform::Variant m_value;
    bool m_wordBreak = false;
    bool m_wordWrap = true;
    bool m_wysiwyg = true;
    QString m_lastValue;
    int m_totalPages = 0;
    int m_copyNo = 0;
    double m_printScale = 1;
};

class TrpMemoView : public TrpCustomMemoView {
    BRALVO_CLASS(TrpMemoView)
public:
    explicit TrpMemoView(platform::Component *owner) : TrpCustomMemoView(owner) {}
};

class TrpSysMemoView : public TrpCustomMemoView {
    BRALVO_CLASS(TrpSysMemoView)
public:
    explicit TrpSysMemoView(platform::Component *owner) : TrpCustomMemoView(owner) {}
    QString GetDescription() const override;
};

} // namespace bralvo::report
