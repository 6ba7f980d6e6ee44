// The machinery a report drives through abstract bases: the
// page-building engine, the prepared-pages store, the preview control
// and the preview window, and the report script. The report model only
// holds them; the engine, preview and script code install factories
// (setReportMachinery) that every new report uses.
#pragma once

#include "platform/component.h"

#include <QString>
#include <functional>
#include <memory>

namespace bralvo::report {

class TrpReport;
class TrpCustomPreviewPages;

class TrpCustomEngine {
public:
    explicit TrpCustomEngine(TrpReport *report) : m_report(report) {}
    virtual ~TrpCustomEngine() = default;

    TrpReport *Report() const { return m_report; }
    TrpCustomPreviewPages *PreparedPages() const { return m_pages; }
    void SetPreparedPages(TrpCustomPreviewPages *pages) { m_pages = pages; }
    // Builds all prepared pages; true on success.
    virtual bool Run() = 0;
    virtual bool IsRunning() const = 0;
    // True during the last (or only) pass.
    virtual bool FinalPass() const = 0;

private:
    TrpReport *m_report;
    TrpCustomPreviewPages *m_pages = nullptr;
};

class TrpCustomPreviewPages {
public:
    explicit TrpCustomPreviewPages(TrpReport *report) : m_report(report) {}
    virtual ~TrpCustomPreviewPages() = default;

    TrpReport *Report() const { return m_report; }
    TrpCustomEngine *Engine() const { return m_engine; }
    void SetEngine(TrpCustomEngine *engine) { m_engine = engine; }
    virtual int GetCount() const = 0;
    // Drops all prepared pages.
    virtual void Clear() = 0;

private:
    TrpReport *m_report;
    TrpCustomEngine *m_engine = nullptr;
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

// The report script as preparation needs it.
class TrpReportScriptHost {
public:
    virtual ~TrpReportScriptHost() = default;
    // Registers the report's objects and compiles; false with errors in
    // the report's ErrorList.
    virtual bool PrepareReportScript() = 0;
    // Runs the main block when it holds a statement.
    virtual void RunMainBlock() = 0;
    virtual void Terminate() = 0;
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
