// A page area of the preview: layout, painting, scrolling, mouse and
// text search.
#include "report/preview/trppreviewworkspace.h"

#include "report/model/trpenginebases.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trppage.h"
#include "report/model/trpview.h"
#include "report/preview/trptextsearch.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

namespace bralvo::report {

namespace {

constexpr double kScreenPixelsPerMm = 3.77953;
constexpr int kPagesAround = 40;
constexpr int kTileMargin = 64;
constexpr Qt::CursorShape kDefaultCursor = Qt::OpenHandCursor;

int roundInt(double v)
{
    return RoundToInt(v);
}

} // namespace

TrpPreviewWorkspace::TrpPreviewWorkspace(TrpPreviewWorkspaceHost *host, bool isThumbnail, QWidget *parent)
    : TrpScrollWin(parent), m_host(host), m_isThumbnail(isThumbnail)
{
    setObjectName(isThumbnail ? QStringLiteral("Thumbnails") : QStringLiteral("Workspace"));
    SetLargeChange(300);
    SetSmallChange(8);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(kDefaultCursor);
    if (isThumbnail)
        m_zoom = 0.1;
}

TrpPreviewWorkspace::~TrpPreviewWorkspace() = default;

void TrpPreviewWorkspace::SetPreparedPages(TrpCustomPreviewPages *pages)
{
    m_pages = pages;
    m_cache.Clear();
    m_searchImage.reset();
    m_searchImagePage = -1;
}

void TrpPreviewWorkspace::AddPage(int width, int height)
{
    m_pageList.AddPage(roundInt(m_zoom * width), roundInt(m_zoom * height));
}

int TrpPreviewWorkspace::LayoutWidth() const
{
    return width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 26;
}

void TrpPreviewWorkspace::CalcBounds()
{
    m_pageList.CalcBounds(LayoutWidth());
}

void TrpPreviewWorkspace::ClearPages()
{
    m_pageList.Clear();
    m_cache.Clear();
}

void TrpPreviewWorkspace::UpdateScrollBars()
{
    const QPoint max = m_pageList.GetMaxBounds();
    SetHorzRange(max.x() + 10);
    SetVertRange(max.y() + 10);
}

void TrpPreviewWorkspace::ScrollToPage(int n)
{
    if (m_disableUpdate)
        return;
    const QRect r = m_pageList.GetPageBounds(n - 1, LayoutWidth(), m_zoom);
    SetVertPosition(r.top() - 10);
}

void TrpPreviewWorkspace::ScrollToPagePosition(int n, int top)
{
    const QRect r = m_pageList.GetPageBounds(n - 1, LayoutWidth(), m_zoom);
    int d = 0;
    if (top != 0 && m_pages && n >= 1 && n <= m_pages->GetCount()) {
        const double margin = m_pages->GetPage(n - 1)->TopMargin();
        d = roundInt((margin * kScreenPixelsPerMm + top) * m_zoom);
    }
    SetVertPosition(r.top() + d - 10);
}

void TrpPreviewWorkspace::DrawPages(bool)
{
    viewport()->update();
}

QRect TrpPreviewWorkspace::ShiftedPageRect(int index) const
{
    return m_pageList.Items(index).Rect().translated(-m_offset);
}

void TrpPreviewWorkspace::HorzScrolled()
{
    const int dx = m_offset.x() - HorzPosition();
    m_offset.setX(HorzPosition());
    viewport()->scroll(dx, 0);
}

void TrpPreviewWorkspace::VertScrolled()
{
    const int dy = m_offset.y() - VertPosition();
    m_offset.setY(VertPosition());
    viewport()->scroll(0, dy);
    if (!m_isThumbnail && m_pageList.Count() > 0)
        changePage(m_pageList.FindPage(m_offset.y(), 0) + 1);
}

// The area's own page change must not scroll the area back.
void TrpPreviewWorkspace::changePage(int page)
{
    m_disableUpdate = true;
    m_host->AreaChangedPage(this, page);
    m_disableUpdate = false;
}

QList<int> TrpPreviewWorkspace::visiblePages(const QRegion &clip) const
{
    QList<int> result;
    const int first = m_pageList.FindPage(m_offset.y(), 0);
    const int h = viewport()->height();
    for (int i = first - kPagesAround; i <= first + kPagesAround; ++i) {
        if (i < 0 || i >= m_pageList.Count())
            continue;
        const QRect r = ShiftedPageRect(i);
        if (r.top() <= h && r.top() + r.height() >= 0 && clip.intersects(r))
            result.append(i);
    }
    return result;
}

void TrpPreviewWorkspace::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    const QColor back = ColorToQColor(m_backColor);
    if (m_locked || m_pageList.Count() == 0) {
        p.fillRect(viewport()->rect(), back);
        return;
    }
    if (!m_pages)
        return;
    const QList<int> visible = visiblePages(event->region());
    QRegion gaps(viewport()->rect());
    for (int i : visible)
        gaps -= ShiftedPageRect(i);
    p.setClipRegion(gaps);
    p.fillRect(viewport()->rect(), back);
    p.setClipping(false);
    if (m_currentPage >= 1 && m_currentPage <= m_pageList.Count()) {
        const QRect r = ShiftedPageRect(m_currentPage - 1);
        const int l = r.left(), t = r.top(), rr = r.left() + r.width(), b = r.top() + r.height();
        p.setPen(QPen(ColorToQColor(m_activeFrameColor), 2));
        p.drawPolyline(QPolygon({QPoint(l - 1, t - 1), QPoint(rr + 1, t - 1), QPoint(rr + 1, b + 1),
                                 QPoint(l - 1, b + 1), QPoint(l - 1, t - 2)}));
    }
    paintPages(p, visible);
}

void TrpPreviewWorkspace::paintPages(QPainter &p, const QList<int> &visible)
{
    for (int i : visible)
        paintPage(p, i);
}

QImage TrpPreviewWorkspace::PageImage(int index)
{
    const TrpPageItem &item = m_pageList.Items(index);
    QImage image(QSize(qMax(1, int(item.Width)), qMax(1, int(item.Height))), QImage::Format_ARGB32_Premultiplied);
    image.fill(0u); // transparent, premultiplied
    QPainter ip(&image);
    ip.setRenderHint(QPainter::Antialiasing, false);
    m_pages->DrawPage(index, ip, m_zoom, m_zoom, 0, 0);
    return image;
}

// A few rows above and below the visible ones come with the tile, so
// that scrolling by a few steps shows the page from the tile drawn.
QRect TrpPreviewWorkspace::tileArea(int index, const QRect &part) const
{
    const int height = m_pageList.Items(index).Height;
    const int top = qMax(0, part.top() - kTileMargin);
    const int bottom = qMin(height, part.top() + part.height() + kTileMargin);
    return QRect(part.left(), top, part.width(), qMax(1, bottom - top));
}

// The page is drawn straight onto an opaque white tile, frame included,
// with the page's own coordinates (a translation keeps every rounding of
// the whole-page drawing); only the objects inside the tile are drawn.
QImage TrpPreviewWorkspace::pageTile(int index, const QRect &part)
{
    QImage tile = m_cache.Find(index, m_zoom);
    if (!tile.isNull() && QRect(tile.offset(), tile.size()).contains(part))
        return tile;
    const QRect area = tileArea(index, part);
    tile = m_cache.NewImage(area.size(), QImage::Format_RGB32);
    tile.setOffset(area.topLeft());
    tile.fill(Qt::white);
    {
        const TrpPageItem &item = m_pageList.Items(index);
        QPainter tp(&tile);
        tp.setRenderHint(QPainter::Antialiasing, false);
        tp.translate(-area.left(), -area.top());
        tp.setClipRect(area);
        tp.setPen(ColorToQColor(m_frameColor));
        tp.drawRect(QRect(0, 0, int(item.Width), int(item.Height)).adjusted(0, 0, -1, -1));
        if (index < m_pages->GetCount())
            m_pages->DrawPage(index, tp, m_zoom, m_zoom, 0, 0);
    }
    m_cache.Insert(index, m_zoom, tile);
    return tile;
}

void TrpPreviewWorkspace::paintPage(QPainter &p, int index)
{
    const QRect r = ShiftedPageRect(index);
    const QRect part = r.intersected(viewport()->rect()).translated(-r.topLeft());
    if (!part.isEmpty()) {
        const QImage tile = pageTile(index, part);
        p.drawImage(r.topLeft() + part.topLeft(), tile, part.translated(-tile.offset()));
    }
    if (m_isThumbnail) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(11);
        p.setFont(f);
        const QString text = QStringLiteral(" %1 ").arg(index + 1);
        const QRect box = p.fontMetrics().boundingRect(text).translated(r.left() + 1, r.top() + 1);
        const QRect textRect(r.left() + 1, r.top() + 1, box.width(), p.fontMetrics().height());
        p.fillRect(textRect, ColorToQColor(m_backColor));
        p.setPen(Qt::white);
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, text);
    }
    const TrpSearchState &s = searchState();
    if (s.TextFound && index == m_searchPage) {
        const QRectF f = s.FoundRect;
        const QRect found(r.left() + roundInt(f.left() * m_zoom) - 1, r.top() + roundInt(f.top() * m_zoom),
                          roundInt(f.width() * m_zoom) + 2, roundInt(f.height() * m_zoom));
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(found, Qt::white);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

// --- mouse

void TrpPreviewWorkspace::mousePressEvent(QMouseEvent *event)
{
    if (m_pageList.Count() > 0 && !m_locked && event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_lastPoint = event->position().toPoint();
    }
}

void TrpPreviewWorkspace::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pageList.Count() == 0 || m_locked || m_isThumbnail)
        return;
    const QPoint pos = event->position().toPoint();
    if (m_dragging) {
        SetHorzPosition(HorzPosition() + (m_lastPoint.x() - pos.x()));
        SetVertPosition(VertPosition() + (m_lastPoint.y() - pos.y()));
        m_lastPoint = pos;
        return;
    }
    mouseOverObject(pos, Qt::LeftButton, Qt::NoModifier, false);
}

void TrpPreviewWorkspace::mouseOverObject(const QPoint &pos, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                          bool click)
{
    if (!m_pages)
        return;
    const int page = m_pageList.FindPage(pos.y() + m_offset.y(), pos.x() + m_offset.x());
    if (page < 0 || page >= m_pages->GetCount())
        return;
    const TrpPageItem &item = m_pageList.Items(page);
    Qt::CursorShape cursor = kDefaultCursor;
    m_pages->ObjectOver(page, pos.x(), pos.y(), button, shift, m_zoom, item.Left - m_offset.x(),
                        item.Top - m_offset.y(), click, cursor);
    viewport()->setCursor(cursor);
}

void TrpPreviewWorkspace::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_isThumbnail)
        m_host->AreaClicked();
    if (m_pageList.Count() == 0 || m_locked)
        return;
    m_dragging = false;
    const QPoint pos = event->position().toPoint();
    const int page = m_pageList.FindPage(pos.y() + m_offset.y(), pos.x() + m_offset.x());
    changePage(page + 1);
    if (!m_isThumbnail && event->button() != Qt::RightButton)
        mouseOverObject(pos, event->button(), event->modifiers(), true);
}

void TrpPreviewWorkspace::resizeEvent(QResizeEvent *event)
{
    TrpScrollWin::resizeEvent(event);
    emit resized();
}

void TrpPreviewWorkspace::mouseDoubleClickEvent(QMouseEvent *)
{
    if (!m_isThumbnail)
        emit doubleClicked();
}

// --- text search

// Looks through page Index for the next match after LastFoundRecord.
bool TrpPreviewWorkspace::searchPage(int index)
{
    if (!m_searchImage || m_searchImagePage != index) {
        const QPoint size = m_pages->GetPageSize(index);
        m_searchImage = std::make_unique<TrpRecordingCanvas>(QSize(qMax(1, size.x()), qMax(1, size.y())));
        QPainter p(m_searchImage.get());
        m_pages->DrawPage(index, p, 1.0, 1.0, 0, 0);
        p.end();
        m_searchImagePage = index;
    }
    TrpSearchState &s = searchState();
    const QList<TrpTextRun> &runs = m_searchImage->Runs();
    const int found = findTextRun(runs, s.SearchText, s.SearchCaseSensitive, s.LastFoundRecord);
    s.RecordCounter = found < 0 ? int(runs.size()) : found + 1;
    if (found < 0)
        return false;
    s.TextFound = true;
    s.FoundRect = runs.at(found).rect;
    s.LastFoundRecord = found;
    return true;
}

bool TrpPreviewWorkspace::FindNextText()
{
    TrpSearchState &s = searchState();
    s.TextFound = false;
    if (!m_pages)
        return false;
    while (m_searchPage < m_pages->GetCount()) {
        if (searchPage(m_searchPage)) {
            showFound(m_searchPage);
            return true;
        }
        s.LastFoundRecord = -1;
        ++m_searchPage;
    }
    return false;
}

void TrpPreviewWorkspace::showFound(int index)
{
    const TrpSearchState &s = searchState();
    const QRect page = m_pageList.GetPageBounds(index, LayoutWidth(), m_zoom);
    const int top = page.top() + roundInt(s.FoundRect.top() * m_zoom);
    const int bottom = page.top() + roundInt(s.FoundRect.bottom() * m_zoom);
    if (top < m_offset.y() || bottom > m_offset.y() + viewport()->height())
        SetVertPosition(bottom - viewport()->height() + 20);
    const int left = page.left() + roundInt(s.FoundRect.left() * m_zoom);
    const int right = page.left() + roundInt(s.FoundRect.right() * m_zoom);
    if (left < m_offset.x() || right > m_offset.x() + viewport()->width())
        SetHorzPosition(right - viewport()->width() + 20);
    viewport()->update();
}

} // namespace bralvo::report
