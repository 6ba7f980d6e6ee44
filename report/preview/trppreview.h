// TrpPreview: the control that shows a report's prepared pages: an
// outline tree or a thumbnail strip on the left, the main page area on
// the right. It owns the preview's user operations (zoom, navigation,
// print, export, save and load of .rp3 files, page set-up, text search)
// so the preview window and any other host share them, and shows pages
// while the report is still being prepared.
//
// Page numbers are 1-based; CurrentPage is 0 only when there are no
// pages. While Running (a preparation between BeginProgress and
// EndProgress) print, export, save, load, page set-up, page adding and
// deleting return at once. Lock ... Unlock brackets every change of the
// pages; while locked both areas paint only their background.
// Errors of printing, exporting, saving and loading reach the caller
// after the control unlocked itself.
#pragma once

#include "report/model/trpenginebases.h"
#include "report/model/trpoptions.h"
#include "report/preview/trppreviewworkspace.h"

#include <QElapsedTimer>
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace bralvo::report {

class TrpPreviewPages;

// What the control tells the window it sits in (the preview window).
class TrpPreviewOwner {
public:
    virtual ~TrpPreviewOwner() = default;
    virtual void UpdateControls() = 0;
    // After every layout update: the zoom box shows the zoom.
    virtual void ZoomChanged(double zoom) = 0;
    // Preparation started (true) or ended (false).
    virtual void PreparationRunning(bool running) = 0;
    virtual void OutlineShown(bool shown) = 0;
    virtual void ThumbnailsShown(bool shown) = 0;
};

class TrpPreview : public QWidget, public TrpCustomPreview, public TrpPreviewWorkspaceHost {
    Q_OBJECT
public:
    explicit TrpPreview(QWidget *parent = nullptr, TrpPreviewOwner *owner = nullptr);
    ~TrpPreview() override;

    // --- links (TrpCustomPreview)
    void SetReport(TrpReport *report, TrpCustomPreviewPages *pages) override;
    TrpReport *Report() const { return m_report; }
    TrpCustomPreviewPages *PreparedPages() const { return m_pages; }
    // Pages, options and outline from the report; shows the first page.
    void Init() override;
    void Lock() override;
    void Unlock() override;
    // Prepares the report again and keeps the reader's place.
    void Rebuild();
    void BeginProgress();
    // Progress: 0-based number of the page being prepared.
    void StepProgress(int progress);
    void EndProgress();
    void PrepareStarted() override { BeginProgress(); }
    void StepPrepare(int pageIndex) override { StepProgress(pageIndex); }
    void PrepareStopped() override { EndProgress(); }

    // --- state
    int CurrentPage() const { return m_currentPage; }
    void SetCurrentPage(int page) { GoToPage(page); }
    int PageCount() const;
    double Zoom() const { return m_zoom; }
    // Below 0.25 becomes 0.25; the mode becomes zmDefault.
    void SetZoom(double zoom);
    TrpZoomMode ZoomMode() const { return m_zoomMode; }
    void SetZoomMode(TrpZoomMode mode);
    bool Locked() const { return m_locked; }
    bool Running() const { return m_running; }
    bool Refreshing() const { return m_refreshing; }
    bool AllowFindNext() const { return m_allowFindNext; }
    bool OutlineVisible() const;
    void SetOutlineVisible(bool v);
    bool ThumbnailVisible() const;
    void SetThumbnailVisible(bool v);
    int OutlineWidth() const;
    void SetOutlineWidth(int v);
    int OutlineColor() const { return m_outlineColor; }
    void SetOutlineColor(int c);
    int RefreshEvery() const { return m_refreshEvery; }
    // The main page area's colours (Windows colour values).
    int ActiveFrameColor() const { return m_workspace->ActiveFrameColor(); }
    void SetActiveFrameColor(int c) { m_workspace->SetActiveFrameColor(c); }
    int BackColor() const { return m_workspace->BackColor(); }
    void SetBackColor(int c) { m_workspace->SetBackColor(c); }
    int FrameColor() const { return m_workspace->FrameColor(); }
    void SetFrameColor(int c) { m_workspace->SetFrameColor(c); }

    TrpPreviewWorkspace *Workspace() const { return m_workspace; }
    TrpPreviewWorkspace *Thumbnails() const { return m_thumbnails; }
    QTreeWidget *Outline() const { return m_outline; }
    QMenu *OutlinePopup() const { return m_outlinePopup; }
    QFrame *MessagePanel() const { return m_messagePanel; }

    // Fires with the new 1-based page after every GoToPage and at the
    // preparation's refresh points.
    std::function<void(TrpPreview *, int)> OnPageChanged;
    // A mouse button went up on the main area.
    std::function<void(TrpPreview *)> OnClick;

    // --- navigation
    void GoToPage(int page);
    void FirstPage() { GoToPage(1); }
    void NextPage() { GoToPage(m_currentPage + 1); }
    void PriorPage() { GoToPage(m_currentPage - 1); }
    void LastPage() { GoToPage(PageCount()); }
    // Page clamped to 1..PageCount (1 without pages); Top pixels below
    // the page's top margin (0: the page's top edge) 10 pixels below the
    // view's top.
    void ScrollToPosition(int page, int top);
    // Delta 0 does nothing. Zoom: zoom +- 0.1, at least 0.3; otherwise
    // the main area moves by -sign * 20 pixels.
    void WheelScroll(int delta, bool horizontal, bool zoom);

    // --- operations
    void Print();
    void Export(TrpCustomExportFilter *filter);
    void SaveToFileDialog();
    void SaveToFile(const QString &fileName);
    void LoadFromFileDialog();
    void LoadFromFile(const QString &fileName);
    void PageSetup();
    // No report designer exists here: both only check the page.
    void EditPage();
    void ShowTemplate();
    void FindDialog();
    void FindNext();
    void ClearPages();
    void AddEmptyPage();
    void DeleteCurrentPage();
    void Cancel();
    void CancelIfRunning();
    void ShowMessagePanel(const QString &text);
    void HideMessagePanel();
    void UpdatePages();
    void UpdateOutline();

    // TrpPreviewWorkspaceHost
    int HostCurrentPage() const override { return m_currentPage; }
    void AreaChangedPage(TrpPreviewWorkspace *area, int page) override;
    void AreaClicked() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildOutlinePopup();
    void addOutlineLevel(QTreeWidgetItem *parent);
    void outlineClicked(QTreeWidgetItem *item);
    void expandAllOutline(bool expand);
    void applyZoomMode(const QPoint &pageSize);
    void fillAreas();
    bool hasButton(TrpPreviewButton button) const;
    void showLeftPane();
    TrpCustomExportFilter *dotMatrixSubstitute(TrpCustomExportFilter *filter) const;
    void linkStore(TrpPreviewPages &store);
    void unlinkStore(TrpPreviewPages &store);

    TrpPreviewOwner *m_owner;
    TrpReport *m_report = nullptr;
    TrpCustomPreviewPages *m_pages = nullptr;
    QTreeWidget *m_outline;
    QMenu *m_outlinePopup;
    TrpPreviewWorkspace *m_thumbnails;
    TrpPreviewWorkspace *m_workspace;
    QSplitter *m_splitter;
    QWidget *m_leftPane;
    QFrame *m_messagePanel;
    QLabel *m_messageLabel;
    bool m_allowFindNext = false;
    bool m_locked = false;
    bool m_refreshing = false;
    bool m_running = false;
    bool m_goingToPage = false;
    int m_currentPage = 1;
    int m_refreshEvery = 0;
    QElapsedTimer m_firstPageTime;
    double m_zoom = 1.0;
    TrpZoomMode m_zoomMode = zmDefault;
    int m_outlineColor;
};

} // namespace bralvo::report
