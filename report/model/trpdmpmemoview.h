// Text of dot-matrix reports: a memo in whole character cells, always
// in "Courier New" 12 with one text line per cell row, and with a
// printer font style.
#pragma once

#include "report/model/trpmemoview.h"

namespace bralvo::report {

class TrpDMPMemoView : public TrpCustomMemoView {
    BRALVO_CLASS(TrpDMPMemoView)
public:
    // The font is reset (see SetFontStyle) when created; on a dot-matrix
    // page the memo starts with the page's FontStyle.
    explicit TrpDMPMemoView(platform::Component *owner);

    int FontStyle() const { return m_fontStyle; }
    // Stores it, ParentFont becomes false, and the font is reset:
    // "Courier New" 12 with the style's bold, italic and underline,
    // CharSpacing 0, LineSpacing 1, GapX 0 and GapY 0.
    void SetFontStyle(int value);
    // The base behaviour; true on a dot-matrix page also takes the
    // page's FontStyle.
    void SetParentFont(bool value) override;

    // Left: whole cells, truncated when aligned right, else rounded;
    // Width rounded to cells; Top and Height rounded to cell rows.
    void SetLeft(double v) override;
    void SetTop(double v) override;
    void SetWidth(double v) override;
    void SetHeight(double v) override;
    double CalcHeight() override;  // rounded to cell rows
    double CalcWidth() override;   // rounded to cells
    // Frames run between the cells: the rectangle grows half a cell on
    // every side before the frame is drawn.
    void DrawFrame() override;
    QString GetDescription() const override;
    // The memo's items, then FontStyle when it differs.
    QString Diff(const TrpComponent &def) const override;

private:
    void resetFont();
    int m_fontStyle = 0;
};

} // namespace bralvo::report
