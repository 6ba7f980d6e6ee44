// Pages, the direct children of a report: the common base, the printable
// report page with paper, margins, page columns, bins, duplex and a
// background, the invisible data page holding data components, and the
// subreport view that embeds a report page into a band.
//
// Units: paper sizes, margins and column positions are millimetres; a
// report page's Width and Height are pixels, round(mm x 3.77953).
#pragma once

#include "platform/stringlist.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpview.h"

#include <functional>
#include <memory>

namespace bralvo::report {

class TrpBand;
class TrpDataSet;
class TrpPicture;
class TrpPictureView;
class TrpSubreport;

inline constexpr double kPixelsPerMm = 3.77953;
inline constexpr int kCustomPaperSize = 256;

enum TrpDuplexMode : int { dmNone, dmVertical, dmHorizontal, dmSimplex };
enum TPrinterOrientation : int { poPortrait, poLandscape };

const platform::EnumInfo &duplexModeEnum();
const platform::EnumInfo &printerOrientationEnum();

// Upright width and height in mm of a Windows paper code (9 = A4) from
// the printer layer's paper table (platform/printers/papertable.h);
// false, both unchanged, for a code the table does not know (48, 49,
// 256, 70, ...).
bool PaperDimensionsMm(int paperSize, double &width, double &height);

// The current printer's paper for SetDefaults; installed by the printer
// layer. Without it SetDefaults takes A4 portrait.
struct TrpPrinterPaper {
    int paperSize = 9;
    double width = 210, height = 297;
    TPrinterOrientation orientation = poPortrait;
};
void setCurrentPrinterPaperSource(std::function<TrpPrinterPaper()> source);

class TrpPage : public TrpComponent {
    BRALVO_CLASS(TrpPage)
public:
    explicit TrpPage(platform::Component *owner) : TrpComponent(owner) {}

protected:
    TrpPage *asPage() const override { return const_cast<TrpPage *>(this); }
};

class TrpReportPage : public TrpPage {
    BRALVO_CLASS(TrpReportPage)
public:
    // A4 portrait (794 x 1123 pixels), no margins, bins 7, PrintIfEmpty
    // and TitleBeforeHeader true, generated names Page1, Page2, ...
    explicit TrpReportPage(platform::Component *owner);
    ~TrpReportPage() override;

    // --- paper
    TPrinterOrientation Orientation() const { return m_orientation; }
    // A change swaps the paper and rotates the margins.
    void SetOrientation(TPrinterOrientation v);
    double PaperWidth() const { return m_paperWidth; }
    double PaperHeight() const { return m_paperHeight; }
    int PaperSize() const { return m_paperSize; }
    // Rounded to 8 decimals; PaperSize becomes 256.
    virtual void SetPaperWidth(double v);
    virtual void SetPaperHeight(double v);
    // Below 256: the table's size (swapped in landscape); an unknown code
    // keeps the old size. 256 and above: stored only.
    virtual void SetPaperSize(int v);
    // Margins of 10 mm and the current printer's paper.
    virtual void SetDefaults();
    // Width and Height from the paper size.
    void UpdateSize();

    double LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(double v) { m_leftMargin = ClampMillimetres(v); }
    double RightMargin() const { return m_rightMargin; }
    void SetRightMargin(double v) { m_rightMargin = ClampMillimetres(v); }
    double TopMargin() const { return m_topMargin; }
    void SetTopMargin(double v) { m_topMargin = ClampMillimetres(v); }
    double BottomMargin() const { return m_bottomMargin; }
    void SetBottomMargin(double v) { m_bottomMargin = ClampMillimetres(v); }
    bool MirrorMargins() const { return m_mirrorMargins; }
    void SetMirrorMargins(bool v) { m_mirrorMargins = v; }

    // --- page columns
    int Columns() const { return m_columns; }
    // Above 0: ColumnWidth = printable width / Columns and positions
    // 0, ColumnWidth, ... (mm, regional number text); else no positions.
    void SetColumns(int v);
    double ColumnWidth() const { return m_columnWidth; }
    void SetColumnWidth(double v) { m_columnWidth = v; }
    platform::StringList *ColumnPositions() const { return m_columnPositions.get(); }
    void SetColumnPositions(const platform::StringList *v);

    // --- printer and engine settings
    int Bin() const { return m_bin; }
    void SetBin(int v) { m_bin = v; }
    int BinOtherPages() const { return m_binOtherPages; }
    void SetBinOtherPages(int v) { m_binOtherPages = v; }
    TrpDuplexMode Duplex() const { return m_duplex; }
    void SetDuplex(TrpDuplexMode v) { m_duplex = v; }
    bool EndlessHeight() const { return m_endlessHeight; }
    void SetEndlessHeight(bool v) { m_endlessHeight = v; }
    bool EndlessWidth() const { return m_endlessWidth; }
    void SetEndlessWidth(bool v) { m_endlessWidth = v; }
    bool LargeDesignHeight() const { return m_largeDesignHeight; }
    void SetLargeDesignHeight(bool v) { m_largeDesignHeight = v; }
    QString OutlineText() const { return m_outlineText; }
    void SetOutlineText(const QString &v) { m_outlineText = v; }
    bool PrintIfEmpty() const { return m_printIfEmpty; }
    void SetPrintIfEmpty(bool v) { m_printIfEmpty = v; }
    bool PrintOnPreviousPage() const { return m_printOnPreviousPage; }
    void SetPrintOnPreviousPage(bool v) { m_printOnPreviousPage = v; }
    bool ResetPageNumbers() const { return m_resetPageNumbers; }
    void SetResetPageNumbers(bool v) { m_resetPageNumbers = v; }
    bool TitleBeforeHeader() const { return m_titleBeforeHeader; }
    void SetTitleBeforeHeader(bool v) { m_titleBeforeHeader = v; }
    platform::StringList *HGuides() const { return m_hGuides.get(); }
    void SetHGuides(const platform::StringList *v);
    platform::StringList *VGuides() const { return m_vGuides.get(); }
    void SetVGuides(const platform::StringList *v);
    QString OnAfterPrint() const { return m_onAfterPrint; }
    void SetOnAfterPrint(const QString &v) { m_onAfterPrint = v; }
    QString OnBeforePrint() const { return m_onBeforePrint; }
    void SetOnBeforePrint(const QString &v) { m_onBeforePrint = v; }
    QString OnManualBuild() const { return m_onManualBuild; }
    void SetOnManualBuild(const QString &v) { m_onManualBuild = v; }

    // --- dataset repeating the page
    TrpDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TrpDataSet *v);
    QString DataSetName() const;
    void SetDataSetName(const QString &v);

    // --- background (kept on an owned picture view)
    TrpPictureView *BackgroundView() const { return m_background.get(); }
    int Color() const;
    void SetColor(int v);
    TrpFrame *Frame() const;
    void SetFrame(const TrpFrame *v);
    TrpPicture *BackPicture() const;
    void SetBackPicture(const TrpPicture *v);
    // The background view sized to the printable area, drawn with the
    // offsets moved by the left and top margins.
    void DrawBackground(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY);

    // --- structure
    // The first direct child of BandClass; nullptr when none.
    TrpBand *FindBand(const platform::ClassInfo &bandClass) const;
    // A subreport embeds the page (the engine does not run it alone).
    bool IsSubReport() const { return m_subReport != nullptr; }
    TrpSubreport *SubReport() const { return m_subReport; }
    void SetSubReport(TrpSubreport *s);
    // Printable area, views aligned, bands stretched across it, then the
    // whole paper size again.
    void AlignChildren() override;

    // Runtime: the page's top-level horizontal and vertical data bands.
    QList<TrpBand *> Bands;
    QList<TrpBand *> VerticalBands;

    QString GetDescription() const override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;
    // Paper width and height in mm; PaperSize is kept. Then UpdateSize.
    void setPaperDimensions(double width, double height);

private:
    bool paperSizesStored() const;
    double printableWidthPx() const;
    double printableHeightPx() const;

    std::unique_ptr<TrpPictureView> m_background;
    int m_bin = 7, m_binOtherPages = 7;
    double m_bottomMargin = 0, m_leftMargin = 0, m_rightMargin = 0, m_topMargin = 0;
    int m_columns = 0;
    double m_columnWidth = 0;
    std::unique_ptr<platform::StringList> m_columnPositions, m_hGuides, m_vGuides;
    TrpDataSet *m_dataSet = nullptr;
    QString m_dataSetName;
    TrpDuplexMode m_duplex = dmNone;
    bool m_endlessHeight = false, m_endlessWidth = false, m_largeDesignHeight = false;
    bool m_mirrorMargins = false;
    TPrinterOrientation m_orientation = poPortrait;
    QString m_outlineText, m_onAfterPrint, m_onBeforePrint, m_onManualBuild;
    bool m_printIfEmpty = true, m_printOnPreviousPage = false, m_resetPageNumbers = false;
    bool m_titleBeforeHeader = true;
    TrpSubreport *m_subReport = nullptr;
    double m_paperHeight = 297, m_paperWidth = 210;
    int m_paperSize = 9;
};

// Never printed; 1000 x 1000 at creation.
class TrpDataPage : public TrpPage {
    BRALVO_CLASS(TrpDataPage)
public:
    explicit TrpDataPage(platform::Component *owner);
    QString GetDescription() const override;
};

// A view on a band that embeds a report page: at its place, or with
// PrintOnParent its bands go into the parent band.
class TrpSubreport : public TrpView {
    BRALVO_CLASS(TrpSubreport)
public:
    // Not kept in prepared pages; framed on all sides, "Tahoma" 8, silver.
    explicit TrpSubreport(platform::Component *owner);
    ~TrpSubreport() override;

    TrpReportPage *Page() const { return m_page; }
    // Links both ways; a page linked before is released.
    void SetPage(TrpReportPage *value);
    bool PrintOnParent() const { return m_printOnParent; }
    void SetPrintOnParent(bool v) { m_printOnParent = v; }

    // The view's drawing and the object's name at (x + 2, y + 2).
    void Draw(QPainter &canvas, double scaleX, double scaleY, double offsetX, double offsetY) override;
    QString GetDescription() const override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    TrpReportPage *m_page = nullptr;
    bool m_printOnParent = false;
};

} // namespace bralvo::report
