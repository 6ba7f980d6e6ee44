// TrpPreviewWorkspace: one scrollable page area of the preview control,
// the main area at the preview's zoom or the thumbnail strip at 0.1. It
// lays its pages out in rows (TrpPageList), paints the visible part of
// each page from the prepared pages (drawn into an opaque tile of about
// the view's size, kept per page and zoom while it covers what is shown), lets
// the user drag the view and click objects, and runs the text search
// over pages recorded on a TrpRecordingCanvas.
//
// Units: screen pixels at 96 per inch; zoom 1.0 shows a page at its
// prepared size. Page numbers are 1-based, page indexes 0-based.
#pragma once

#include "report/preview/trppageimagecache.h"
#include "report/preview/trppagelist.h"
#include "report/preview/trprecordingcanvas.h"
#include "report/preview/trpscrollwin.h"

#include <QPoint>
#include <memory>

namespace bralvo::report {

class TrpCustomPreviewPages;

// What an area needs of its preview control.
class TrpPreviewWorkspaceHost {
public:
    virtual ~TrpPreviewWorkspaceHost() = default;
    virtual int HostCurrentPage() const = 0;
    // The user moved to Page in Area (Area's DisableUpdate is set).
    virtual void AreaChangedPage(class TrpPreviewWorkspace *area, int page) = 0;
    // Main area: the mouse button went up (the control's OnClick).
    virtual void AreaClicked() = 0;
};

class TrpPreviewWorkspace : public TrpScrollWin {
    Q_OBJECT
public:
    TrpPreviewWorkspace(TrpPreviewWorkspaceHost *host, bool isThumbnail, QWidget *parent = nullptr);
    ~TrpPreviewWorkspace() override;

    // --- state
    int ActiveFrameColor() const { return m_activeFrameColor; }
    void SetActiveFrameColor(int c) { m_activeFrameColor = c; }
    int BackColor() const { return m_backColor; }
    void SetBackColor(int c) { m_backColor = c; }
    int FrameColor() const { return m_frameColor; }
    void SetFrameColor(int c) { m_frameColor = c; }
    bool IsThumbnail() const { return m_isThumbnail; }
    bool DisableUpdate() const { return m_disableUpdate; }
    bool Dragging() const { return m_dragging; }
    bool Locked() const { return m_locked; }
    void SetLocked(bool v) { m_locked = v; }
    QPoint Offset() const { return m_offset; }
    int CurrentPage() const { return m_currentPage; }
    void SetCurrentPage(int v) { m_currentPage = v; }
    double Zoom() const { return m_zoom; }
    void SetZoom(double v) { m_zoom = v; }
    TrpCustomPreviewPages *PreparedPages() const { return m_pages; }
    // Also forgets the drawn pages and the search recording.
    void SetPreparedPages(TrpCustomPreviewPages *pages);
    const TrpPageList &PageList() const { return m_pageList; }
    int SearchPage() const { return m_searchPage; }
    void SetSearchPage(int v) { m_searchPage = v; }
    int SearchImagePage() const { return m_searchImagePage; }
    void SetSearchImagePage(int v) { m_searchImagePage = v; }

    // --- operations
    // Adds a page of round(Zoom * Width) x round(Zoom * Height).
    void AddPage(int width, int height);
    // Lays out for the area's width (minus scroll bar and 26 pixels).
    void CalcBounds();
    int LayoutWidth() const;
    // Empties the page list and the drawn pages.
    void ClearPages();
    // Ranges: MaxWidth + 10 across, bottom of the last page + 10 down.
    void UpdateScrollBars();
    // Vertical position := top of page N - 10, unless DisableUpdate.
    void ScrollToPage(int n);
    // Top of page N plus, for Top != 0, round((TopMargin mm * 3.77953 +
    // Top) * Zoom), minus 10.
    void ScrollToPagePosition(int n, int top);
    // Repaints; BorderOnly asks only for the frames (a full repaint
    // here, cheap with the drawn pages cached).
    void DrawPages(bool borderOnly);
    // Continues the search from SearchPage (see trptextsearch.h); on a
    // match scrolls it into view and repaints. True when found.
    bool FindNextText();
    // The whole page Index at the area's zoom on a transparent image,
    // drawn afresh (the painted view uses tiles instead).
    QImage PageImage(int index);
    // Page tiles drawn and kept so far (tests, benchmarks).
    int CachedPageCount() const { return m_cache.Count(); }
    // The page frame in viewport coordinates.
    QRect ShiftedPageRect(int index) const;

signals:
    void doubleClicked();
    // The area changed its size (the layout depends on its width).
    void resized();

protected:
    void HorzScrolled() override;
    void VertScrolled() override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void paintPages(class QPainter &p, const QList<int> &visible);
    void paintPage(QPainter &p, int index);
    QRect tileArea(int index, const QRect &part) const;
    // A tile of page Index holding Part (page pixels at the zoom); its
    // offset is its place on the page.
    QImage pageTile(int index, const QRect &part);
    QList<int> visiblePages(const QRegion &clip) const;
    bool searchPage(int index);
    void showFound(int index);
    void mouseOverObject(const QPoint &pos, Qt::MouseButton button, Qt::KeyboardModifiers shift, bool click);
    void changePage(int page);

    TrpPreviewWorkspaceHost *m_host;
    bool m_isThumbnail;
    int m_activeFrameColor = 0x804020;
    int m_backColor = 0x808080;
    int m_frameColor = 0;
    bool m_disableUpdate = false;
    bool m_dragging = false;
    bool m_locked = false;
    QPoint m_lastPoint;
    QPoint m_offset;
    int m_currentPage = 0;
    double m_zoom = 1.0;
    TrpCustomPreviewPages *m_pages = nullptr;
    TrpPageList m_pageList;
    // A few views' worth of tiles: scrolling on reuses their memory
    // instead of asking the system for fresh pages.
    TrpPageImageCache m_cache{24 * 1024 * 1024};
    int m_searchPage = 0;
    int m_searchImagePage = -1;
    std::unique_ptr<TrpRecordingCanvas> m_searchImage;
};

} // namespace bralvo::report
