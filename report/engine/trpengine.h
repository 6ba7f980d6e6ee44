// TrpEngine: turns a report definition into prepared pages. It runs the
// dialog pages, walks every printable report page once per record of the
// report's dataset, fills each page with its bands (headers, data bands
// with master/detail levels, groups, footers, columns, keep-together
// blocks, vertical bands and subreports), starts new pages and columns
// when the space runs out and hands every finished band to the
// prepared-pages store. Running totals live in AggregateList.
//
// Units: pixels at 96 per inch; millimetres of the page times 3.77953.
// Y grows downwards from the top margin, X rightwards from the left one.
#pragma once

#include "report/engine/trpaggregates.h"
#include "report/model/trpenginebases.h"

#include <QList>
#include <vector>

namespace bralvo::report {

class TrpBand;
class TrpComponent;
class TrpDataBand;
class TrpNullBand;
class TrpReportPage;
class TrpXMLItem;

struct TrpHeaderListItem {
    TrpBand *ReprintBand = nullptr;
    double ReprintX = 0;
    bool AddedWhileKeeping = false;
};

// Bands repeated at the top of every new page and column.
class TrpHeaderList {
public:
    void Clear() { m_items.clear(); }
    int Count() const { return int(m_items.size()); }
    TrpHeaderListItem &Items(int index) { return m_items[size_t(index)]; }
    void Add(TrpBand *band, bool addedWhileKeeping, double reprintX);
    // The first item of Band; nothing when absent.
    void Remove(TrpBand *band);

private:
    std::vector<TrpHeaderListItem> m_items;
};

class TrpEngine : public TrpCustomEngine {
    BRALVO_CLASS(TrpEngine)
public:
    explicit TrpEngine(TrpReport *report);
    ~TrpEngine() override;

    void EndPage() override;
    void NewColumn() override;
    void NewPage() override;
    void ShowBand(TrpBand *band) override;
    void ShowBand(const platform::ClassInfo &bandClass) override;
    double HeaderHeight() override;
    double FooterHeight() override;
    // 1e6 on a page of endless height.
    double FreeSpace() override;
    platform::Variant GetAggregateValue(const QString &name, const QString &expression, TrpBand *band,
                                        int flags) override;
    // False with band-tree or dataset errors in the report's ErrorList
    // (no pages then) or when a dialog page was cancelled.
    bool Run() override;

    TrpAggregateList &AggregateList() { return m_aggregates; }

    // --- state (see the .cpp files for who sets what)
    bool ReprintingHeaders = false;
    bool PrintingSummary = false;
    TrpBand *AggregateBand = nullptr;
    bool SuppressHeaderReprint = false;
    TrpHeaderList ReprintHeaders;
    bool FirstPageOfPass = false;
    double ColumnTop = 0;
    bool PageRunStarting = false;
    bool OnFirstPage = false;
    bool OnLastPage = false;
    TrpBand *KeptBand = nullptr;
    bool KeepingFooter = false;
    bool KeepActive = false;
    TrpXMLItem *KeepOutlineItem = nullptr;
    int KeepStart = 0;
    int KeepAnchorIndex = 0;
    TrpNullBand *CollectInto = nullptr;
    TrpReportPage *CurReportPage = nullptr;
    double BaseX = 0;
    TrpBand *PageBreakBand = nullptr;
    QList<TrpBand *> VerticalHeaders;
    TrpBand *VerticalMaster = nullptr;
    QList<int> VerticalBreaks;

    // --- band tree and output (trpbandtree.cpp, trpbandoutput.cpp)
    void BuildBandTree(TrpReportPage *page, bool vertical);
    void BuildShiftTree(TrpBand *band);
    void PrintBand(TrpBand *band);
    void PrepareBand(TrpBand *band);
    void UnprepareBand(TrpBand *band);
    void ShiftObjects(TrpComponent *parent, double delta);
    void SplitBand(TrpBand *band);

    // --- data bands (trpdatabands.cpp)
    void PrintDataBands(TrpComponent *pageOrBand);
    bool HasRows(TrpComponent *pageOrBand, bool printIfEmpty);
    void AdvanceBandColumn(TrpDataBand *band, int keepPos, double rowTop);
    void ShowGroupHeaders(TrpDataBand *band, bool first, int from);
    void CheckGroups(TrpDataBand *band, double rowTop, int keepPos);
    void ShowGroupFooters(TrpDataBand *band, int from);
    void ApplyDrillDown(TrpDataBand *band);
    void ResetSuppressedValues(TrpBand *band);
    void AddBandOutline(TrpBand *band);
    void OutlineUp(TrpBand *band);
    void AddRepeatedHeader(TrpBand *band);
    void RemoveRepeatedHeader(TrpBand *band);

    // --- vertical bands and subreports (trpverticalbands.cpp)
    void StartVerticalRow(TrpBand *band);
    void PrintVerticalBands(const QList<TrpBand *> &bands);
    void PrintVerticalBand(TrpBand *band);
    void OutputVerticalRow(TrpBand *band);
    void PrintSubreports(TrpBand *band);
    void PrintSubreportsOnParent(TrpBand *band);

    // --- keep-together blocks
    void OpenKeepBlock(TrpBand *band, int position = 0);
    void CloseKeepBlock(TrpBand *band);

    // The page run (trpengine.cpp, trpenginepage.cpp).
    void RunReportPage(TrpReportPage *page);

private:
    bool prepareRun();
    void checkDataSets();
    void finishRun();
    bool showDialogPages();
    void runPass();
    void runPagesOnce();
    void runPageOnce(TrpReportPage *page);
    void fillPage(TrpReportPage *page);
    void setEndlessSize(TrpReportPage *page);
    void beginPage();
    void openPreparedPage();
    void reprintHeader(TrpHeaderListItem &item);
    void printColumnFooter();
    void printFooterBand(TrpBand *band);
    void printPageObjects();
    void advanceColumn();
    void addPageOutline();
    void notifyWatchers(TrpBand *band);
    void splitPart(TrpBand *band, QList<TrpComponent *> &work, double space, bool &last);
    void outputBand(TrpBand *band);
    void dataBandRow(TrpDataBand *band, bool first, double &rowTop, int &keepPos, int &footerPos);
    void finishDataBand(TrpDataBand *band, int keepPos, int footerPos, double rowTop, bool printed);
    TrpCustomOutline *outline() const;

    TrpAggregateList m_aggregates;
};

// The start of page column Column (1-based) in pixels; 0 when the page
// lists no such position or it is no number.
double ColumnPositionPx(TrpReportPage *page, int column);

// Installs the engine and the report script into every new report.
void installReportEngine();

} // namespace bralvo::report
