// Objects of dot-matrix reports: a page on a grid of character cells
// (9.6 by 17 pixels) with a printer font style, lines between the cells
// and raw printer commands. Every position and size they are given is
// moved onto the grid, so the dot-matrix export can turn a prepared page
// into lines of text.
#pragma once

#include "report/model/trplineview.h"
#include "report/model/trppage.h"

#include <QByteArray>

namespace bralvo::report {

inline constexpr double DMPCellWidth = 9.6;   // pixels
inline constexpr double DMPCellHeight = 17;   // pixels

// TrpDMPFontStyles: a set stored as its nine bits.
enum TrpDMPFontStyle : int {
    fsxBold = 1, fsxItalic = 2, fsxUnderline = 4, fsxSuperScript = 8, fsxSubScript = 16,
    fsxCondensed = 32, fsxWide = 64, fsx12cpi = 128, fsx15cpi = 256
};
const platform::EnumInfo &DMPFontStylesEnum();

// A page whose font is always "Courier New" 12 with bold, italic and
// underline from FontStyle; paper and margins are whole cells.
class TrpDMPPage : public TrpReportPage {
    BRALVO_CLASS(TrpDMPPage)
public:
    explicit TrpDMPPage(platform::Component *owner);

    int FontStyle() const { return m_fontStyle; }
    // Stores it, resets the font, and gives every object of the page
    // that has ParentFont the page's style.
    void SetFontStyle(int value);

    // The base behaviour, then the size rounded to whole cells. PaperSize
    // keeps the code given (SetPaperWidth/Height make it 256, as for any
    // page).
    void SetPaperWidth(double v) override;
    void SetPaperHeight(double v) override;
    void SetPaperSize(int v) override;
    // The base defaults, then one cell as each margin and the paper cut
    // down (truncated) to whole cells; the printer's paper code stays.
    void SetDefaults() override;

private:
    void roundPaper(bool width, bool height);
    void setSnappedPaper(double w, double h);
    int m_fontStyle = 0;
};

class TrpDMPLineView : public TrpCustomLineView {
    BRALVO_CLASS(TrpDMPLineView)
public:
    explicit TrpDMPLineView(platform::Component *owner);

    int FontStyle() const { return m_fontStyle; }
    // Stores it; ParentFont becomes false.
    void SetFontStyle(int value);
    // The base behaviour; true on a dot-matrix page also takes the
    // page's FontStyle.
    void SetParentFont(bool value) override;

    // Lines lie half a cell into the grid: Left ends on k*9.6 + 4.8 (k*9.6
    // - 4.8 below 0 or when aligned right), Top on k*17 + 8.5.
    void SetLeft(double x) override;
    void SetTop(double x) override;
    void SetWidth(double x) override;
    QString GetDescription() const override;
    // The view's items, then FontStyle when it differs.
    QString Diff(const TrpComponent &def) const override;

private:
    int m_fontStyle = 0;
};

class TrpDMPCommand : public TrpView {
    BRALVO_CLASS(TrpDMPCommand)
public:
    explicit TrpDMPCommand(platform::Component *owner);

    QString Command() const { return m_command; }
    void SetCommand(const QString &v) { m_command = v; }
    // The bytes sent to the printer (DecodeCommand); throws
    // platform::ConversionError for a malformed command text.
    QByteArray GetCommandBytes() const;

    void SetLeft(double v) override;   // rounded to whole cells
    void SetTop(double v) override;
    QString GetDescription() const override;
    // The view's items, then Command when it differs.
    QString Diff(const TrpComponent &def) const override;

private:
    QString m_command;
};

// Rounds (halves to even) or truncates V to a whole multiple of Step.
double DMPRoundToCell(double v, double step);
double DMPTruncToCell(double v, double step);

} // namespace bralvo::report
