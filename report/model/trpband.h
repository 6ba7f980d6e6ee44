// Bands: horizontal strips of a report page that hold views. The engine
// prints them in an order given by their kind (BandNumber 0..17). This
// holds TrpBand with its properties and the runtime members the engine
// fills, the eighteen band kinds, and the rules the bands apply
// themselves: the kind number, a child chain without cycles, the current
// column of a multi-column data band, the rows of a data band without a
// dataset, and snapping to the character grid of a dot-matrix page.
#pragma once

#include "platform/variant.h"
#include "report/model/trpcomponent.h"

#include <QList>
#include <memory>

namespace bralvo::report {

class TrpChild;
class TrpDataSet;
class TrpUserDataSet;

class TrpBand : public TrpReportComponent {
    BRALVO_CLASS(TrpBand)
public:
    explicit TrpBand(platform::Component *owner);
    ~TrpBand() override;

    // --- persistent properties (each kind publishes its own set)
    bool AllowSplit() const { return m_allowSplit; }
    void SetAllowSplit(bool v) { m_allowSplit = v; }
    TrpChild *Child() const { return m_child; }
    // Throws ReportError "Circular child reference is not allowed" when
    // Value is this band or its chain of children leads back to it; the
    // child then stays as it was.
    void SetChild(TrpChild *value);
    // The same link as a band (the property table's view of it); a band
    // that is no child band clears the link.
    TrpBand *ChildBand() const;
    void SetChildBand(TrpBand *value);
    bool KeepChild() const { return m_keepChild; }
    void SetKeepChild(bool v) { m_keepChild = v; }
    QString OnAfterCalcHeight() const { return m_onAfterCalcHeight; }
    void SetOnAfterCalcHeight(const QString &v) { m_onAfterCalcHeight = v; }
    QString OutlineText() const { return m_outlineText; }
    void SetOutlineText(const QString &v) { m_outlineText = v; }
    bool StartNewPage() const { return m_startNewPage; }
    void SetStartNewPage(bool v) { m_startNewPage = v; }
    bool Stretched() const { return m_stretched; }
    void SetStretched(bool v) { m_stretched = v; }
    bool PrintChildIfInvisible() const { return m_printChildIfInvisible; }
    void SetPrintChildIfInvisible(bool v) { m_printChildIfInvisible = v; }
    bool Vertical() const { return m_vertical; }
    void SetVertical(bool v) { m_vertical = v; }

    // --- runtime members, filled and used by the engine
    bool BeingRepeated = false;
    // True while the band is being continued on a new page or column
    // after a split (scripts read it as Overflow).
    bool Overflow = false;
    QList<TrpBand *> SubBands;      // DetailBands or GroupChain
    TrpBand *HeaderBand = nullptr;
    TrpBand *FooterBand = nullptr;
    TrpBand *FirstGroupHeader = nullptr;
    int RowNo = 0;
    int RowNoThrough = 0;
    int OwnObjectCount = -1;
    bool HasVerticalCells = false;
    double OutputHeight = 0;

    // The kind number 0..17 (last matching class of the kind list); 0
    // for a plain data band or a null band.
    int BandNumber() const;

    // On a dot-matrix page Left snaps to whole multiples of 9.6 pixels,
    // Top and Height to whole multiples of 17 pixels.
    void SetLeft(double v) override;
    void SetTop(double v) override;
    void SetHeight(double v) override;

    // A band has no look of its own.
    void Draw(QPainter &, double, double, double, double) override {}
    QString GetDescription() const override;

protected:
    bool DiffAlwaysTop() const override { return true; }
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    bool onCharacterGrid() const;

    bool m_allowSplit = false;
    TrpChild *m_child = nullptr;
    bool m_keepChild = false;
    QString m_onAfterCalcHeight;
    QString m_outlineText;
    bool m_startNewPage = false;
    bool m_stretched = false;
    bool m_printChildIfInvisible = false;
    bool m_vertical = false;
};

#define BRALVO_BAND_KIND(Cls, Base)                                          \
    class Cls : public Base {                                              \
        BRALVO_CLASS(Cls)                                                  \
    public:                                                                \
        explicit Cls(platform::Component *owner) : Base(owner) {}          \
    };

BRALVO_BAND_KIND(TrpReportTitle, TrpBand)
BRALVO_BAND_KIND(TrpReportSummary, TrpBand)
BRALVO_BAND_KIND(TrpFooter, TrpBand)
BRALVO_BAND_KIND(TrpChild, TrpBand)
BRALVO_BAND_KIND(TrpColumnHeader, TrpBand)
BRALVO_BAND_KIND(TrpColumnFooter, TrpBand)
// A container the engine uses for page-level objects and subreports.
BRALVO_BAND_KIND(TrpNullBand, TrpBand)

// PrintOnFirstPage true.
class TrpPageHeader : public TrpBand {
    BRALVO_CLASS(TrpPageHeader)
public:
    explicit TrpPageHeader(platform::Component *owner) : TrpBand(owner) {}
    bool PrintOnFirstPage() const { return m_printOnFirstPage; }
    void SetPrintOnFirstPage(bool v) { m_printOnFirstPage = v; }

private:
    bool m_printOnFirstPage = true;
};

// PrintOnFirstPage and PrintOnLastPage true.
class TrpPageFooter : public TrpBand {
    BRALVO_CLASS(TrpPageFooter)
public:
    explicit TrpPageFooter(platform::Component *owner) : TrpBand(owner) {}
    bool PrintOnFirstPage() const { return m_printOnFirstPage; }
    void SetPrintOnFirstPage(bool v) { m_printOnFirstPage = v; }
    bool PrintOnLastPage() const { return m_printOnLastPage; }
    void SetPrintOnLastPage(bool v) { m_printOnLastPage = v; }

private:
    bool m_printOnFirstPage = true;
    bool m_printOnLastPage = true;
};

class TrpHeader : public TrpBand {
    BRALVO_CLASS(TrpHeader)
public:
    explicit TrpHeader(platform::Component *owner) : TrpBand(owner) {}
    bool ReprintOnNewPage() const { return m_reprintOnNewPage; }
    void SetReprintOnNewPage(bool v) { m_reprintOnNewPage = v; }

private:
    bool m_reprintOnNewPage = false;
};

class TrpGroupFooter : public TrpBand {
    BRALVO_CLASS(TrpGroupFooter)
public:
    explicit TrpGroupFooter(platform::Component *owner) : TrpBand(owner) {}
    bool HideIfSingleDataRecord() const { return m_hideIfSingleDataRecord; }
    void SetHideIfSingleDataRecord(bool v) { m_hideIfSingleDataRecord = v; }

private:
    bool m_hideIfSingleDataRecord = false;
};

class TrpOverlay : public TrpBand {
    BRALVO_CLASS(TrpOverlay)
public:
    explicit TrpOverlay(platform::Component *owner) : TrpBand(owner) {}
    // False: under the page's other content; true: over it.
    bool PrintOnTop() const { return m_printOnTop; }
    void SetPrintOnTop(bool v) { m_printOnTop = v; }

private:
    bool m_printOnTop = false;
};

class TrpGroupHeader : public TrpBand {
    BRALVO_CLASS(TrpGroupHeader)
public:
    explicit TrpGroupHeader(platform::Component *owner) : TrpBand(owner) {}

    // An expression whose change of value starts a new group.
    QString Condition() const { return m_condition; }
    void SetCondition(const QString &v) { m_condition = v; }
    bool DrillDown() const { return m_drillDown; }
    void SetDrillDown(bool v) { m_drillDown = v; }
    bool ExpandDrillDown() const { return m_expandDrillDown; }
    void SetExpandDrillDown(bool v) { m_expandDrillDown = v; }
    bool ShowFooterIfDrillDown() const { return m_showFooterIfDrillDown; }
    void SetShowFooterIfDrillDown(bool v) { m_showFooterIfDrillDown = v; }
    bool KeepTogether() const { return m_keepTogether; }
    void SetKeepTogether(bool v) { m_keepTogether = v; }
    bool ReprintOnNewPage() const { return m_reprintOnNewPage; }
    void SetReprintOnNewPage(bool v) { m_reprintOnNewPage = v; }
    bool ResetPageNumbers() const { return m_resetPageNumbers; }
    void SetResetPageNumbers(bool v) { m_resetPageNumbers = v; }
    platform::Variant LastConditionValue;   // runtime

    // The common diff and, with DrillDown, the item Tag = RowNoThrough.
    QString Diff(const TrpComponent &def) const override;

private:
    QString m_condition;
    bool m_drillDown = false, m_expandDrillDown = false, m_showFooterIfDrillDown = false;
    bool m_keepTogether = false, m_reprintOnNewPage = false, m_resetPageNumbers = false;
};

// The base of the data bands. Without a dataset and with RowCount above
// 0 the engine walks the band's own user dataset, RowCount rows.
class TrpDataBand : public TrpBand {
    BRALVO_CLASS(TrpDataBand)
public:
    explicit TrpDataBand(platform::Component *owner);
    ~TrpDataBand() override;

    double ColumnGap() const { return m_columnGap; }      // pixels
    void SetColumnGap(double v) { m_columnGap = v; }
    double ColumnWidth() const { return m_columnWidth; }  // pixels
    void SetColumnWidth(double v) { m_columnWidth = v; }
    int Columns() const { return m_columns; }
    void SetColumns(int v) { m_columns = v; }
    // Current column (runtime). Setting C: C above Columns (or below 1)
    // becomes 1; column 1 resets ColumnBottom; Left becomes
    // (C - 1) x (ColumnWidth + ColumnGap).
    int ColumnNo() const { return m_columnNo; }
    void SetColumnNo(int c);
    double ColumnBottom = 0;  // runtime

    TrpDataSet *DataSet() const { return m_dataSet; }
    // Stores the link and its UserName (empty for none).
    void SetDataSet(TrpDataSet *v);
    QString DataSetName() const;
    // Stores the name and relinks through FindGlobalDataSet.
    void SetDataSetName(const QString &v);
    bool FooterAfterEach() const { return m_footerAfterEach; }
    void SetFooterAfterEach(bool v) { m_footerAfterEach = v; }
    bool KeepFooter() const { return m_keepFooter; }
    void SetKeepFooter(bool v) { m_keepFooter = v; }
    bool KeepHeader() const { return m_keepHeader; }
    void SetKeepHeader(bool v) { m_keepHeader = v; }
    bool KeepTogether() const { return m_keepTogether; }
    void SetKeepTogether(bool v) { m_keepTogether = v; }
    bool PrintIfDetailEmpty() const { return m_printIfDetailEmpty; }
    void SetPrintIfDetailEmpty(bool v) { m_printIfDetailEmpty = v; }
    int RowCount() const { return m_rowCount; }
    // Also the RangeEndCount of the band's own dataset.
    void SetRowCount(int v);
    QString OnMasterDetail() const { return m_onMasterDetail; }
    void SetOnMasterDetail(const QString &v) { m_onMasterDetail = v; }
    // The band's own dataset (RangeEnd = reCount, RangeEndCount =
    // RowCount), owned by the band. Made on first use: bands rebuilt for
    // prepared pages never walk data and need none.
    TrpUserDataSet *VirtualDataSet() const;

    QString GetDescription() const override;

protected:
    void notification(platform::Component *component, platform::Operation operation) override;

private:
    double m_columnGap = 0, m_columnWidth = 0;
    int m_columns = 0, m_columnNo = 0;
    TrpDataSet *m_dataSet = nullptr;
    QString m_dataSetName;
    bool m_footerAfterEach = false, m_keepFooter = false, m_keepHeader = false;
    bool m_keepTogether = false, m_printIfDetailEmpty = false;
    int m_rowCount = 0;
    QString m_onMasterDetail;
    mutable std::unique_ptr<TrpUserDataSet> m_virtualDataSet;
};

BRALVO_BAND_KIND(TrpMasterData, TrpDataBand)
BRALVO_BAND_KIND(TrpDetailData, TrpDataBand)
BRALVO_BAND_KIND(TrpSubdetailData, TrpDataBand)
BRALVO_BAND_KIND(TrpDataBand4, TrpDataBand)
BRALVO_BAND_KIND(TrpDataBand5, TrpDataBand)
BRALVO_BAND_KIND(TrpDataBand6, TrpDataBand)

#undef BRALVO_BAND_KIND

// Every band class readable from report XML.
QList<const platform::ClassInfo *> bandClasses();

} // namespace bralvo::report
