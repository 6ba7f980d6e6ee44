// Memo text layout over TrpDrawText: one layout instance per question,
// so nested layouts never share state.
#include "report/engine/trpmemotextlayout.h"

#include "report/engine/trpdrawtext.h"

namespace bralvo::report {

namespace {

// QRect keeps right/bottom inclusive; the layout wants them exclusive.
TrpTextRect toTextRect(const QRect &r)
{
    return TrpTextRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

class DrawTextLayout : public TrpMemoTextLayout {
public:
    void Prepare(const TrpCustomMemoView &memo, const QRect &textRect, const QRect &deviceRect, double scaleX,
                 double scaleY) override
    {
        const TrpHighlight *h = memo.Highlight();
        m_text.SetFont(h->Active() ? *h->Font() : *memo.Font());
        m_text.SetOptions(memo.WordWrap(), memo.AllowHTMLTags(), memo.Rotation(), memo.Wysiwyg(), memo.Clipped(),
                          memo.WordBreak(), memo.RTLReading());
        m_text.SetGaps(memo.ParagraphGap(), memo.CharSpacing(), memo.LineSpacing());
        m_text.SetDimensions(toTextRect(textRect), toTextRect(deviceRect), scaleX, scaleY, memo.PrintScale());
        m_text.SetText(*memo.Memo());
        m_text.SetParaBreaks(memo.FirstParaBreak(), memo.LastParaBreak());
    }
    double TextHeight() const override { return m_text.CalcHeight(); }
    double TextWidth() const override { return m_text.CalcWidth(); }
    double LineHeight() const override { return m_text.LineHeight(); }
    double UnusedSpace() const override { return m_text.UnusedSpace(); }
    QString UnusedText(bool &paraBreak) override { return m_text.UnusedText(paraBreak); }
    QString InBoundsText() const override { return m_text.GetInBoundsText(); }
    QString WrappedText() const override { return m_text.GetWrappedText(); }
    QString WithoutTags(const QString &text) const override { return TrpDrawText::DeleteTags(text); }
    void DrawText(QPainter &canvas, int hAlign, int vAlign) override { m_text.DrawText(canvas, hAlign, vAlign); }

private:
    TrpDrawText m_text;
};

} // namespace

void installMemoTextLayout()
{
    setMemoTextLayout([] { return std::make_unique<DrawTextLayout>(); });
}

} // namespace bralvo::report
