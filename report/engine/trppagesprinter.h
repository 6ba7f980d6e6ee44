// Printing of prepared pages on the current printer (rpPrinters()).
// Applies the report's PrintOptions: printer, copies and collation, page
// list, odd or even pages, reverse order, duplex, and one of four modes:
// each page on its own sheet (pmDefault), each page scaled to the sheet
// PrintOnSheet (pmScale), a big page split into tiles with 3 mm overlap
// (pmSplit), several small pages on one sheet (pmJoin). A dot-matrix
// report goes to the current dot-matrix export instead.
//
// Units: paper sizes and margins in millimetres; pages are drawn with
// scale DPI / 96 (report pixels to printer dots) times a zoom, offset so
// that page coordinate 0 is the paper's edge.
//
// Join mode repeats each page Copies times in consecutive cells, and that
// is all its copies: collation adds no further runs on top. The copy
// counter carries from one sheet to the next.
#pragma once

#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace bralvo::report {

class TrpCustomPreviewPages;
class TrpCustomPrinter;
class TrpReport;
class TrpReportPage;

// What printing needs of the store beyond its base; each may be empty.
struct TrpPrintHooks {
    std::function<void(int copyNo)> setCopyNo;       // memos read it; 0 after
    std::function<void(double scale)> setPrintScale;  // 1.0 unless scaling
    std::function<void()> clearPageCache;
};

// The print dialog lives in the window layer: it edits the report's
// PrintOptions (and may select another printer) and returns its duplex
// choice (0 default .. 3 simplex) on OK, nullopt on Cancel. Without one
// installed, printing goes on as after OK with duplex 0.
using TrpPrintDialogRunner =
    std::function<std::optional<int>(TrpReport &report, TrpCustomPreviewPages &pages)>;
void SetPrintDialogRunner(TrpPrintDialogRunner runner);

// Makes the printer named in PrintOptions.Printer current when the list
// knows it; otherwise nothing.
void SelectReportPrinter(const TrpReport &report);

// Fit(A, B): how many B fit along A, one more when the rest is 11 mm or
// more, else A / B rounded (halves to even).
int PrintFit(double a, double b);

class TrpPagesPrinter {
public:
    // Both outlive the printer; the store's report must be set.
    TrpPagesPrinter(TrpCustomPreviewPages &pages, TrpPrintHooks hooks = {});

    // False when no physical printer is installed (after the
    // "No printers installed on your system" box), the dialog was
    // cancelled, or the job failed: a failure (a refused job, a printer
    // error) cancels what was queued and goes to the user through
    // HandleReportError. True otherwise, also after Terminated.
    // OnAfterPrintReport fires and PrintOptions are restored in every
    // case that got past the dialog.
    bool Print();

private:
    struct PageGeometry;
    void printJob();
    void runPageLoop();
    void defaultLoop();
    bool filteredOut(int index) const;
    TrpReportPage *preparePage(int index, int &copies, int &bin, int &duplex);
    bool defaultStep(int index);
    bool splitStep(int index);
    void drawTile(int index, double scaleX, double scaleY, double offsetX, double offsetY);
    void joinLoop();
    int nextJoinPage(int after) const;
    void finishSheet(int progress);
    void setCopyNo(int v);
    void clearCache();

    TrpCustomPreviewPages &m_pages;
    TrpReport &m_report;
    TrpPrintHooks m_hooks;
    TrpCustomPrinter *m_printer = nullptr;

    QSet<int> m_pageList;  // 1-based numbers; empty = all
    int m_pageCount = 0;
    bool m_docStarted = false;
    int m_sheetsPrinted = 0;
    int m_copyRun = 1;
    int m_dialogDuplex = 0;
    double m_sheetWidth = 0, m_sheetHeight = 0;
    double m_overlapX = 3, m_overlapY = 3;
    bool m_stopped = false;  // the job was aborted or ended: nothing to abort
    bool m_progressShown = false;
    bool m_previewLocked = false;
    // What was last sent to the printer.
    int m_lastPaper = -1, m_lastWidth = -1, m_lastHeight = -1, m_lastBin = -1;
    bool m_lastLandscape = false;
    int m_lastDuplex = 0;
};

} // namespace bralvo::report
