// The machinery a report drives through abstract bases: the
// page-building engine, the prepared-pages store with its outline, the
// export filters, wizards, compressor and crypter plug-ins, the preview
// control and window, and the report script. The report model only
// holds them; the engine, preview and script code install factories
// (setReportMachinery) that every new report uses.
//
// Units: positions and sizes in pixels at 96 per inch; dates as day
// counts (days since 30.12.1899, the fraction the time of day).
#pragma once

#include "platform/component.h"
#include "platform/handleregistry.h"
#include "platform/stream.h"
#include "platform/variant.h"

#include <QList>
#include <QPoint>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class QPainter;

namespace bralvo::script {
class TscScript;
}

namespace bralvo::report {

class TrpReport;
class TrpCustomPreviewPages;
class TrpCustomExportFilter;
class TrpReportComponent;
class TrpReportPage;
class TrpBand;
class TrpPage;
class TrpView;
class TrpXMLItem;

// The page-building engine; one per report, made by the report.
// Persistent members are what scripts see on the object "Engine".
class TrpCustomEngine : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TrpCustomEngine)
public:
    explicit TrpCustomEngine(TrpReport *report) : m_report(report) {}
    ~TrpCustomEngine() override;

    TrpReport *Report() const { return m_report; }
    TrpCustomPreviewPages *PreparedPages() const { return m_pages; }
    void SetPreparedPages(TrpCustomPreviewPages *pages) { m_pages = pages; }

    // --- state (persistent ones marked P)
    int CurColumn() const { return m_curColumn; } // P
    void SetCurColumn(int v) { m_curColumn = v; }
    int CurVColumn() const { return m_curVColumn; } // P
    void SetCurVColumn(int v) { m_curVColumn = v; }
    // Row within the band or group: the "Line" system variable.
    int CurRow() const { return m_curRow; }
    void SetCurRow(int v) { m_curRow = v; }
    // Row through the report: the "Line#" system variable.
    int CurRowThrough() const { return m_curRowThrough; }
    void SetCurRowThrough(int v) { m_curRowThrough = v; }
    double CurX() const { return m_curX; } // P
    void SetCurX(double v) { m_curX = v; }
    double CurY() const { return m_curY; } // P
    void SetCurY(double v) { m_curY = v; }
    // The report's EngineOptions.DoublePass (P, read-only; false without
    // a report).
    bool DoublePass() const;
    bool FinalPass() const { return m_finalPass; } // P
    void SetFinalPass(bool v) { m_finalPass = v; }
    double PageHeight() const { return m_pageHeight; } // P
    void SetPageHeight(double v) { m_pageHeight = v; }
    double PageWidth() const { return m_pageWidth; } // P
    void SetPageWidth(double v) { m_pageWidth = v; }
    // Page count of the first pass; 0 during it and without a double pass (P).
    int TotalPages() const { return m_totalPages; }
    void SetTotalPages(int v) { m_totalPages = v; }
    // True while Run works.
    bool IsRunning() const { return m_running; }
    void SetRunning(bool v) { m_running = v; }
    // When the run started: the "Date" and "Time" system variables.
    double StartDate() const { return m_startDate; }
    void SetStartDate(double dayCount) { m_startDate = dayCount; }
    double StartTime() const { return m_startTime; }
    void SetStartTime(double dayCount) { m_startTime = dayCount; }
    // Objects told about every printed data band (not owned).
    QList<platform::Persistent *> &WatchingObjects() { return m_watchingObjects; }
    // Replaces the modal showing of dialog pages when set.
    std::function<void(TrpPage *page)> RunDialogHandler;

    // Sets the report's Terminated.
    void StopReport();

    // --- operations
    virtual void EndPage() = 0;
    virtual void NewColumn() = 0;
    virtual void NewPage() = 0;
    virtual void ShowBand(TrpBand *band) = 0;
    // The page's band of that class, if any.
    virtual void ShowBand(const platform::ClassInfo &bandClass) = 0;
    virtual double HeaderHeight() = 0;
    virtual double FooterHeight() = 0;
    // Space left on the page below CurY.
    virtual double FreeSpace() = 0;
    // Name: "SUM", "AVG", "MIN", "MAX" or "COUNT".
    virtual platform::Variant GetAggregateValue(const QString &name, const QString &expression, TrpBand *band,
                                                int flags) = 0;
    // Builds all prepared pages; true on success.
    virtual bool Run() = 0;

private:
    TrpReport *m_report;
    TrpCustomPreviewPages *m_pages = nullptr;
    int m_curColumn = 0, m_curVColumn = 0, m_curRow = 0, m_curRowThrough = 0;
    double m_curX = 0, m_curY = 0;
    bool m_finalPass = false;
    double m_pageHeight = 0, m_pageWidth = 0;
    int m_totalPages = 0;
    bool m_running = false;
    double m_startDate = 0, m_startTime = 0;
    QList<platform::Persistent *> m_watchingObjects;
};

// The outline of prepared pages; one per store, owned by it.
class TrpCustomOutline : public platform::Persistent, public platform::HandleTarget {
    BRALVO_CLASS(TrpCustomOutline)
public:
    explicit TrpCustomOutline(TrpCustomPreviewPages *pages) : m_pages(pages) {}

    TrpCustomPreviewPages *PreparedPages() const { return m_pages; }
    // The element of the current level (owned by the store's document).
    TrpXMLItem *CurrentItem() const { return m_currentItem; }
    void SetCurrentItem(TrpXMLItem *item) { m_currentItem = item; }

    // Items on the current level; 0 without one.
    virtual int ItemCount() = 0;
    // Appends (Text, current page, Top) and makes it the current level.
    virtual void AddItem(const QString &text, int top) = 0;
    virtual void DescendTo(int index) = 0;
    virtual void LevelRoot() = 0;
    // Nothing at the root.
    virtual void LevelUp() = 0;
    virtual void GetItemInfo(int index, QString &text, int &page, int &top) = 0;
    // Items after From move to the next page with their top corrected.
    virtual void ShiftItems(TrpXMLItem *from, int newTop) = 0;
    // The last item of the current level; nullptr when none.
    virtual TrpXMLItem *GetCurPosition() = 0;

private:
    TrpCustomPreviewPages *m_pages;
    TrpXMLItem *m_currentItem = nullptr;
};

// The store of prepared pages; one per report.
class TrpCustomPreviewPages {
public:
    // Keeps the report. The concrete store gives itself its outline
    // (SetOutline); the base has none.
    explicit TrpCustomPreviewPages(TrpReport *report) : m_report(report) {}
    virtual ~TrpCustomPreviewPages();

    TrpReport *Report() const { return m_report; }
    TrpCustomEngine *Engine() const { return m_engine; }
    void SetEngine(TrpCustomEngine *engine) { m_engine = engine; }
    // 0 overwrite, 1 append.
    int AddPageMode() const { return m_addPageMode; }
    void SetAddPageMode(int v) { m_addPageMode = v; }
    // The page being written; -1 when none.
    int WritePage() const { return m_writePage; }
    void SetWritePage(int v) { m_writePage = v; }
    // 1-based page the preview shows (printing and export: current page).
    int PreviewPageNo() const { return m_previewPageNo; }
    void SetPreviewPageNo(int v) { m_previewPageNo = v; }
    // Index of the first page of the current pass.
    int NumberingBase() const { return m_numberingBase; }
    void SetNumberingBase(int v) { m_numberingBase = v; }
    TrpCustomOutline *Outline() const { return m_outline.get(); }
    // The store owns its outline (the concrete store makes a TrpOutline).
    void SetOutline(std::unique_ptr<TrpCustomOutline> outline);

    virtual int GetCount() const = 0;
    // Page Index rebuilt as objects; the store keeps it (cached).
    virtual TrpReportPage *GetPage(int index) = 0;
    virtual QPoint GetPageSize(int index) = 0;
    // Drops all pages, the outline, anchors and dictionary.
    virtual void Clear() = 0;
    virtual void Initialize() = 0;
    virtual void AddObject(TrpReportComponent *obj) = 0;
    virtual void AddPage(TrpReportPage *page) = 0;
    virtual void AddSourceObjects(TrpReportPage *page) = 0;
    virtual void AddSourceObject(TrpReportComponent *obj) = 0;
    virtual void BeginPass() = 0;
    virtual void ClearFirstPassPages() = 0;
    virtual int CutObjects(int fromIndex) = 0;
    virtual void Finish() = 0;
    virtual void IncLogicalPageNumber() = 0;
    virtual void ResetLogicalPageNumber() = 0;
    virtual void PasteObjects(double x, double y) = 0;
    virtual void ShiftAnchors(int from, int newTop) = 0;
    virtual void AddPictureObject(TrpView *view) = 0;
    virtual bool BandExists(TrpBand *band) = 0;
    // Number of objects on the current page.
    virtual int GetCurPosition() = 0;
    virtual int GetAnchorCur() = 0;
    // Bottom of the lowest band on the current page.
    virtual double GetLastY() = 0;
    // The "Page" and "TotalPages" system variables.
    virtual int GetLogicalPageNo() = 0;
    virtual int GetLogicalTotalPages() = 0;
    virtual void AddEmptyPage(int index) = 0;
    virtual void DeletePage(int index) = 0;
    virtual void ModifyPage(int index, TrpReportPage *page) = 0;
    virtual void DrawPage(int index, QPainter &canvas, double scaleX, double scaleY, double offsetX,
                          double offsetY) = 0;
    virtual void ObjectOver(int index, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                            double scale, int offsetX, int offsetY, bool click, Qt::CursorShape &cursor) = 0;
    virtual void AddFrom(TrpReport *report) = 0;
    virtual void LoadFromStream(platform::Stream &stream, bool allowPartialLoading = false) = 0;
    virtual void SaveToStream(platform::Stream &stream) = 0;
    virtual bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = false) = 0;
    virtual void SaveToFile(const QString &fileName) = 0;
    virtual bool Print() = 0;
    // Reached by the engine and by scripts besides the slots above; the
    // concrete store overrides them (the base keeps nothing).
    // Pages of endless height or width take the size the engine found.
    virtual void SetSourcePageSize(TrpReportPage *page, double height, double width)
    {
        Q_UNUSED(page); Q_UNUSED(height); Q_UNUSED(width);
    }
    virtual void AddAnchor(const QString &text) { Q_UNUSED(text); }
    // 1 for an unknown anchor.
    virtual int GetAnchorPage(const QString &text) { Q_UNUSED(text); return 1; }
    // Drives Filter over the pages by the export protocol (see the .cpp):
    // dialog, page range, Start, per page StartPage / objects /
    // FinishPage, then Finish (also after an error). False when the
    // dialog was cancelled, Start refused or an error was reported.
    virtual bool Export(TrpCustomExportFilter *filter);

private:
    bool exportPage(TrpCustomExportFilter &filter, int index);
    QString exportPages(TrpCustomExportFilter &filter, const QSet<int> &wanted);

    TrpReport *m_report;
    TrpCustomEngine *m_engine = nullptr;
    int m_addPageMode = 0;
    int m_writePage = -1;
    int m_previewPageNo = 0;
    int m_numberingBase = 0;
    std::unique_ptr<TrpCustomOutline> m_outline;
};

// The base of export filters (PDF, dot-matrix). Filters are components
// of the program's windows; each joins the process-wide filter list at
// construction and leaves it at destruction.
class TrpCustomExportFilter : public platform::Component {
    BRALVO_CLASS(TrpCustomExportFilter)
public:
    explicit TrpCustomExportFilter(platform::Component *owner = nullptr);
    ~TrpCustomExportFilter() override;

    // --- persistent
    bool ShowDialog() const { return m_showDialog; }
    void SetShowDialog(bool v) { m_showDialog = v; }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &v) { m_fileName = v; }
    // False: objects marked not printable are skipped.
    bool ExportNotPrintable() const { return m_exportNotPrintable; }
    void SetExportNotPrintable(bool v) { m_exportNotPrintable = v; }
    bool UseFileCache() const { return m_useFileCache; }
    void SetUseFileCache(bool v) { m_useFileCache = v; }
    // Folder put before a bare FileName.
    QString DefaultPath() const { return m_defaultPath; }
    void SetDefaultPath(const QString &v) { m_defaultPath = v; }
    bool ShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool v) { m_showProgress = v; }

    // --- run-time
    TrpReport *Report() const { return m_report; }
    void SetReport(TrpReport *r) { m_report = r; }
    bool CurrentPageOnly() const { return m_currentPageOnly; }
    void SetCurrentPageOnly(bool v) { m_currentPageOnly = v; }
    // "1,3,5-12"; empty: all pages.
    QString PageRange() const { return m_pageRange; }
    void SetPageRange(const QString &v) { m_pageRange = v; }
    // Output stream instead of a file (not owned); no dialog then.
    platform::Stream *Stream() const { return m_stream; }
    void SetStream(platform::Stream *s) { m_stream = s; }
    bool TempFileExport() const { return m_tempFileExport; }
    void SetTempFileExport(bool v) { m_tempFileExport = v; }
    QString FileFilter() const { return m_fileFilter; }
    void SetFileFilter(const QString &v) { m_fileFilter = v; }
    QString FileExtension() const { return m_fileExtension; }
    void SetFileExtension(const QString &v) { m_fileExtension = v; }
    // Page headers only on the first page, page footers only on the last.
    bool OnePageHeaderFooter() const { return m_onePageHeaderFooter; }
    void SetOnePageHeaderFooter(bool v) { m_onePageHeaderFooter = v; }

    // --- operations (base behaviour in brackets)
    virtual QString GetDescription() const { return QString(); } // empty
    virtual int ShowModal() { return 1; }                        // 1 = OK
    virtual bool Start() { return true; }
    // One object of the current page.
    virtual void ExportObject(TrpReportComponent *obj) = 0;
    virtual void Finish() {}
    virtual void FinishPage(TrpReportPage *page, int index) {}
    virtual void StartPage(TrpReportPage *page, int index) {}

private:
    bool m_showDialog = true;
    QString m_fileName;
    bool m_exportNotPrintable = false;
    bool m_useFileCache = true;
    QString m_defaultPath;
    bool m_showProgress = true;
    TrpReport *m_report = nullptr;
    bool m_currentPageOnly = false;
    QString m_pageRange;
    platform::Stream *m_stream = nullptr;
    bool m_tempFileExport = false;
    QString m_fileFilter, m_fileExtension;
    bool m_onePageHeaderFooter = false;
};

// The export filters alive in the process, in creation order: a copy of
// the export-filter registry (report/registry/trpexportfilterregistry.h)
// taken at the call, which later registrations leave as it was.
QList<TrpCustomExportFilter *> exportFilters();

// A report wizard. No designer exists in this system, so none is run.
class TrpCustomWizard : public platform::Component {
    BRALVO_CLASS(TrpCustomWizard)
public:
    // Owner is the designer.
    explicit TrpCustomWizard(platform::Component *owner = nullptr) : platform::Component(owner) {}
    platform::Component *Designer() const { return owner(); }
    TrpReport *Report() const { return m_report; }
    void SetReport(TrpReport *r) { m_report = r; }
    virtual QString GetDescription() const { return QString(); }
    // True when the wizard's dialog ended with OK.
    virtual bool Launch() = 0;

private:
    TrpReport *m_report = nullptr;
};

// Compressor plug-in (none is installed in this system).
class TrpCustomCompressor {
public:
    explicit TrpCustomCompressor(TrpReport *report) : m_report(report) {}
    virtual ~TrpCustomCompressor();
    TrpReport *Report() const { return m_report; }
    // True while a report definition (not prepared pages) is handled.
    bool IsDefinition() const { return m_isDefinition; }
    void SetIsDefinition(bool v) { m_isDefinition = v; }
    platform::Stream *Stream() const { return m_stream.get(); }
    // Empty when the working stream is in memory.
    QString TempFileName() const { return m_tempFileName; }
    // A memory stream for a definition or when the report's
    // EngineOptions.UseFileCache is off; else a new file named "fr..." in
    // EngineOptions.TempDir (the system's temporary folder when empty).
    // Throws ReportError when that file cannot be made.
    void CreateCompressorStream();
    // Expands Source into the working stream; false when Source is not
    // compressed.
    virtual bool Decompress(platform::Stream &source) = 0;
    virtual void Compress(platform::Stream &dest) = 0;

private:
    TrpReport *m_report;
    bool m_isDefinition = false;
    std::unique_ptr<platform::Stream> m_stream;
    QString m_tempFileName;
};

// Crypter plug-in (none is installed in this system).
class TrpCustomCrypter {
public:
    TrpCustomCrypter();
    virtual ~TrpCustomCrypter();
    // Always a memory stream.
    platform::Stream *Stream() const { return m_stream.get(); }
    // Decrypts Source into the working stream; false when it is not
    // encrypted.
    virtual bool Decrypt(platform::Stream &source, const QString &key) = 0;
    virtual void Crypt(platform::Stream &dest, const QString &key) = 0;

private:
    std::unique_ptr<platform::Stream> m_stream;
};

// An embedded preview control.
class TrpCustomPreview : public platform::Component {
public:
    using platform::Component::Component;
    // Report and Pages may be null (the control forgets them).
    virtual void SetReport(TrpReport *report, TrpCustomPreviewPages *pages) = 0;
    virtual void Init() = 0;
    virtual void PrepareStarted() {}
    virtual void StepPrepare(int pageIndex) { Q_UNUSED(pageIndex); }
    virtual void PrepareStopped() {}
    // Brackets printing and exporting: while locked the control shows no
    // pages, so it never draws a page the job is changing.
    virtual void Lock() {}
    virtual void Unlock() {}
};

// A preview window made by the report for ShowPreparedPages.
class TrpPreviewWindow {
public:
    virtual ~TrpPreviewWindow() = default;
    // The window's own preview control.
    virtual TrpCustomPreview *Preview() = 0;
    // Sets itself up from the report's options.
    virtual void Init() = 0;
    // Modal: returns when closed. Otherwise shows and frees itself on close.
    virtual void Show(bool modal, bool designedPosition) = 0;
    virtual void Close() = 0;
    virtual void SetStatusText(const QString &text) = 0;
};

// The report script as preparation needs it, and the expression cache
// that evaluates bracketed expressions which are no plain names.
class TrpReportScriptHost {
public:
    virtual ~TrpReportScriptHost() = default;
    // Registers the report's objects and compiles; false with errors in
    // the report's ErrorList.
    virtual bool PrepareReportScript() = 0;
    // Runs the main block when it holds a statement.
    virtual void RunMainBlock() = 0;
    virtual void Terminate() = 0;
    // The value of Expr evaluated in Script; ErrorText stays empty on
    // success. Without an expression cache every such expression fails
    // with "Expression evaluation is not available".
    virtual platform::Variant CalcExpression(const QString &expr, script::TscScript *script, QString &errorText);
    // Calls the report-script procedure EventName with Params (a variant
    // array; by-reference parameters come back in it). Nothing for a
    // blank name or a name that is no procedure of the report script.
    virtual void RunScriptEventParams(const QString &eventName, platform::Variant &params);
    // Writes the report script's variable "Value".
    virtual void SetValueVariable(const platform::Variant &value);
};

struct TrpReportMachinery {
    std::function<std::unique_ptr<TrpCustomEngine>(TrpReport &)> createEngine;
    std::function<std::unique_ptr<TrpCustomPreviewPages>(TrpReport &)> createPreviewPages;
    std::function<std::unique_ptr<TrpReportScriptHost>(TrpReport &)> createScript;
    // The window is owned by the caller until Show(false) hands it over.
    std::function<std::unique_ptr<TrpPreviewWindow>(TrpReport &)> createPreviewWindow;
};

void setReportMachinery(const TrpReportMachinery &machinery);
const TrpReportMachinery &reportMachinery();

} // namespace bralvo::report
