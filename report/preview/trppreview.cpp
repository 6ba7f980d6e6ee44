// The preview control: construction, links, layout updates, navigation,
// zoom, keys and the progress of a preparation. The user operations
// (files, printing, search, page set-up) are in trppreviewops.cpp.
#include "report/preview/trppreview.h"

#include "report/preview/trptextsearch.h"

#include "report/engine/trppreviewpages.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trpview.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

namespace bralvo::report {

namespace {

constexpr int kClWindow = int(0x80000005u);

QIcon previewIcon(int index)
{
    const QList<QImage> &images = GetResources().GetPreviewButtonImages();
    if (index < 0 || index >= images.size())
        return QIcon();
    return QIcon(QPixmap::fromImage(images.at(index)));
}

} // namespace

TrpPreview::TrpPreview(QWidget *parent, TrpPreviewOwner *owner)
    : QWidget(parent), m_owner(owner), m_outlineColor(kClWindow)
{
    setObjectName(QStringLiteral("Preview"));
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->setHandleWidth(4);
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter);
    m_leftPane = new QWidget(m_splitter);
    auto *left = new QHBoxLayout(m_leftPane);
    left->setContentsMargins(0, 0, 0, 0);
    m_outline = new QTreeWidget(m_leftPane);
    m_outline->setObjectName(QStringLiteral("Outline"));
    m_outline->setHeaderHidden(true);
    m_outline->setFrameShape(QFrame::NoFrame);
    m_outline->setFocusPolicy(Qt::NoFocus);
    left->addWidget(m_outline);
    buildOutlinePopup();
    m_thumbnails = new TrpPreviewWorkspace(this, true, m_leftPane);
    left->addWidget(m_thumbnails);
    m_workspace = new TrpPreviewWorkspace(this, false, m_splitter);
    m_splitter->addWidget(m_leftPane);
    m_splitter->addWidget(m_workspace);
    m_splitter->setStretchFactor(1, 1);
    m_outline->hide();
    m_thumbnails->hide();
    m_leftPane->hide();
    SetOutlineWidth(120);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { UpdatePages(); });
    connect(m_workspace, &TrpPreviewWorkspace::resized, this, [this] { UpdatePages(); });
    connect(m_outline, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { outlineClicked(item); });
    m_messagePanel = new QFrame(this);
    m_messagePanel->setObjectName(QStringLiteral("MessagePanel"));
    m_messagePanel->setFrameShape(QFrame::Panel);
    m_messagePanel->setAutoFillBackground(true);
    m_messageLabel = new QLabel(m_messagePanel);
    m_messageLabel->setObjectName(QStringLiteral("MessageLabel"));
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setGeometry(4, 20, 255, 20);
    m_messagePanel->hide();
    resize(100, 100);
}

TrpPreview::~TrpPreview()
{
    if (auto *store = dynamic_cast<TrpPreviewPages *>(m_pages))
        unlinkStore(*store);
    m_workspace->SetPreparedPages(nullptr);
    m_thumbnails->SetPreparedPages(nullptr);
}

void TrpPreview::buildOutlinePopup()
{
    m_outlinePopup = new QMenu(this);
    m_outlinePopup->setObjectName(QStringLiteral("OutlinePopup"));
    QAction *collapse = m_outlinePopup->addAction(previewIcon(13), GetResources().Get(QStringLiteral("601")));
    collapse->setObjectName(QStringLiteral("CollapseAll"));
    connect(collapse, &QAction::triggered, this, [this] { expandAllOutline(false); });
    QAction *expand = m_outlinePopup->addAction(previewIcon(14), GetResources().Get(QStringLiteral("600")));
    expand->setObjectName(QStringLiteral("ExpandAll"));
    connect(expand, &QAction::triggered, this, [this] { expandAllOutline(true); });
    m_outline->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_outline, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_outlinePopup->popup(m_outline->viewport()->mapToGlobal(pos)); });
}

void TrpPreview::expandAllOutline(bool expand)
{
    for (int i = 0; i < m_outline->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_outline->topLevelItem(i);
        if (expand)
            m_outline->expandRecursively(m_outline->indexFromItem(item));
        else
            m_outline->collapseItem(item);
    }
    if (expand && m_outline->topLevelItemCount() > 0)
        m_outline->scrollToItem(m_outline->topLevelItem(0), QAbstractItemView::PositionAtTop);
}

// --- links

void TrpPreview::SetReport(TrpReport *report, TrpCustomPreviewPages *pages)
{
    if (auto *old = dynamic_cast<TrpPreviewPages *>(m_pages); old && old != pages)
        unlinkStore(*old);
    m_report = report;
    m_pages = pages;
    if (auto *store = dynamic_cast<TrpPreviewPages *>(pages))
        linkStore(*store);
    if (!report) {
        m_workspace->SetPreparedPages(nullptr);
        m_thumbnails->SetPreparedPages(nullptr);
        m_workspace->ClearPages();
        m_thumbnails->ClearPages();
        m_workspace->viewport()->update();
    }
}

// Links and drill-downs clicked on a page come back through these.
void TrpPreview::linkStore(TrpPreviewPages &store)
{
    store.OnGotoPage = [this](int page, int top) {
        GoToPage(page);
        if (top != 0)
            ScrollToPosition(page, top);
    };
    // The click is still being handled: rebuild once it has returned.
    store.OnRebuild = [this] { QTimer::singleShot(0, this, [this] { Rebuild(); }); };
    store.OnRepaint = [this] {
        m_workspace->SetPreparedPages(m_pages);
        m_thumbnails->SetPreparedPages(m_pages);
        m_workspace->viewport()->update();
        m_thumbnails->viewport()->update();
    };
}

void TrpPreview::unlinkStore(TrpPreviewPages &store)
{
    store.OnGotoPage = nullptr;
    store.OnRebuild = nullptr;
    store.OnRepaint = nullptr;
}

int TrpPreview::PageCount() const
{
    return m_pages ? m_pages->GetCount() : 0;
}

bool TrpPreview::hasButton(TrpPreviewButton button) const
{
    return m_report && (m_report->PreviewOptions()->Buttons() & (1 << button)) != 0;
}

void TrpPreview::Init()
{
    m_workspace->SetPreparedPages(m_pages);
    m_thumbnails->SetPreparedPages(m_pages);
    searchState().TextFound = false;
    m_workspace->SetSearchPage(0);
    searchState().LastFoundRecord = -1;
    m_allowFindNext = false;
    if (m_report) {
        const TrpPreviewOptions *o = m_report->PreviewOptions();
        SetOutlineWidth(o->OutlineWidth());
        SetOutlineVisible(o->OutlineVisible());
        SetThumbnailVisible(o->ThumbnailVisible());
    }
    UpdatePages();
    UpdateOutline();
    FirstPage();
}

void TrpPreview::Lock()
{
    m_locked = true;
    m_workspace->SetLocked(true);
    m_thumbnails->SetLocked(true);
}

void TrpPreview::Unlock()
{
    HideMessagePanel();
    m_locked = false;
    m_workspace->SetLocked(false);
    m_thumbnails->SetLocked(false);
    UpdatePages();
    m_workspace->viewport()->update();
    m_thumbnails->viewport()->update();
}

// --- layout

void TrpPreview::applyZoomMode(const QPoint &pageSize)
{
    if (m_zoomMode == zmWholePage && pageSize.y() > 0)
        m_zoom = double(m_workspace->height() - 26) / pageSize.y();
    else if (m_zoomMode == zmPageWidth && pageSize.x() > 0)
        m_zoom = double(m_workspace->LayoutWidth()) / pageSize.x();
}

void TrpPreview::fillAreas()
{
    m_workspace->SetZoom(m_zoom);
    m_thumbnails->SetZoom(0.1);
    m_workspace->ClearPages();
    m_thumbnails->ClearPages();
    const int count = PageCount();
    for (int i = 0; i < count; ++i) {
        const QPoint size = m_pages->GetPageSize(i);
        m_workspace->AddPage(size.x(), size.y());
        if (!m_running)
            m_thumbnails->AddPage(size.x(), size.y());
    }
    m_workspace->CalcBounds();
    if (!m_running)
        m_thumbnails->CalcBounds();
    for (TrpPreviewWorkspace *area : {m_workspace, m_thumbnails}) {
        area->UpdateScrollBars();
        area->SetHorzPosition(area->HorzPosition());
        area->SetVertPosition(area->VertPosition());
    }
}

void TrpPreview::UpdatePages()
{
    if (m_locked || PageCount() == 0)
        return;
    m_allowFindNext = false;
    m_workspace->SetSearchImagePage(-1);
    const QPoint size = m_pages->GetPageSize(qBound(0, m_currentPage - 1, PageCount() - 1));
    if (size.y() == 0)
        return;
    applyZoomMode(size);
    fillAreas();
    // The whole page is placed once the new layout exists.
    if (m_zoomMode == zmWholePage)
        ScrollToPosition(m_currentPage, 0);
    if (!m_refreshing) {
        m_workspace->viewport()->update();
        m_thumbnails->viewport()->update();
    }
    if (m_owner)
        m_owner->ZoomChanged(m_zoom);
}

// --- navigation and zoom

void TrpPreview::GoToPage(int page)
{
    if (page < 1)
        page = 1;
    if (page > PageCount())
        page = PageCount();
    const int old = m_currentPage;
    m_currentPage = page;
    m_workspace->SetCurrentPage(page);
    m_thumbnails->SetCurrentPage(page);
    if (page != old) {
        m_workspace->DrawPages(true);
        m_thumbnails->DrawPages(true);
    }
    // Our own scrolling must not pick another page: the last pages of a
    // report cannot always reach the top of the view.
    m_goingToPage = true;
    m_workspace->ScrollToPage(page);
    m_thumbnails->ScrollToPage(page);
    m_goingToPage = false;
    if (OnPageChanged)
        OnPageChanged(this, page);
}

void TrpPreview::AreaChangedPage(TrpPreviewWorkspace *, int page)
{
    if (!m_goingToPage)
        GoToPage(page);
}

void TrpPreview::AreaClicked()
{
    if (OnClick)
        OnClick(this);
}

void TrpPreview::ScrollToPosition(int page, int top)
{
    const int count = PageCount();
    page = count == 0 ? 1 : qBound(1, page, count);
    m_workspace->ScrollToPagePosition(page, top);
}

void TrpPreview::SetZoom(double zoom)
{
    m_zoom = zoom < 0.25 ? 0.25 : zoom;
    m_zoomMode = zmDefault;
    UpdatePages();
}

void TrpPreview::SetZoomMode(TrpZoomMode mode)
{
    m_zoomMode = mode;
    UpdatePages();
}

void TrpPreview::WheelScroll(int delta, bool horizontal, bool zoom)
{
    if (delta == 0)
        return;
    const int s = delta > 0 ? 1 : -1;
    if (zoom) {
        double z = m_zoom + s / 10.0;
        if (z < 0.3)
            z = 0.3;
        SetZoom(z);
    } else if (horizontal) {
        m_workspace->SetHorzPosition(m_workspace->HorzPosition() - s * 20);
    } else {
        m_workspace->SetVertPosition(m_workspace->VertPosition() - s * 20);
    }
}

void TrpPreview::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    TrpPreviewWorkspace *w = m_workspace;
    switch (event->key()) {
    case Qt::Key_Up:
        w->SetVertPosition(w->VertPosition() - 8);
        break;
    case Qt::Key_Down:
        w->SetVertPosition(w->VertPosition() + 8);
        break;
    case Qt::Key_Left:
        w->SetHorzPosition(w->HorzPosition() - 8);
        break;
    case Qt::Key_Right:
        w->SetHorzPosition(w->HorzPosition() + 8);
        break;
    case Qt::Key_PageUp:
        ctrl ? GoToPage(m_currentPage - 1) : w->SetVertPosition(w->VertPosition() - 300);
        break;
    case Qt::Key_PageDown:
        ctrl ? GoToPage(m_currentPage + 1) : w->SetVertPosition(w->VertPosition() + 300);
        break;
    case Qt::Key_Home:
        GoToPage(1);
        break;
    case Qt::Key_End:
        GoToPage(PageCount());
        break;
    case Qt::Key_F3:
        if (hasButton(pbFind))
            FindNext();
        break;
    case Qt::Key_P:
        if (ctrl && hasButton(pbPrint))
            Print();
        break;
    case Qt::Key_S:
        if (ctrl && hasButton(pbSave))
            SaveToFileDialog();
        break;
    case Qt::Key_F:
        if (ctrl && hasButton(pbFind))
            FindDialog();
        break;
    case Qt::Key_O:
        if (ctrl && hasButton(pbLoad))
            LoadFromFileDialog();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// --- outline, strip and splitter

bool TrpPreview::OutlineVisible() const
{
    return !m_outline->isHidden();
}

bool TrpPreview::ThumbnailVisible() const
{
    return !m_thumbnails->isHidden();
}

void TrpPreview::showLeftPane()
{
    m_leftPane->setVisible(OutlineVisible() || ThumbnailVisible());
}

void TrpPreview::SetOutlineVisible(bool v)
{
    const bool changed = v != OutlineVisible();
    m_outline->setVisible(v);
    if (v)
        m_thumbnails->hide();
    showLeftPane();
    if (m_owner)
        m_owner->OutlineShown(v);
    if (changed)
        UpdatePages();
}

void TrpPreview::SetThumbnailVisible(bool v)
{
    const bool changed = v != ThumbnailVisible();
    m_thumbnails->setVisible(v);
    if (v) {
        m_outline->hide();
        m_thumbnails->SetHorzPosition(m_thumbnails->HorzPosition());
        m_thumbnails->SetVertPosition(m_thumbnails->VertPosition());
    }
    showLeftPane();
    if (m_owner)
        m_owner->ThumbnailsShown(v);
    if (changed)
        UpdatePages();
}

int TrpPreview::OutlineWidth() const
{
    return m_leftPane->width();
}

void TrpPreview::SetOutlineWidth(int v)
{
    QList<int> sizes = m_splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    m_splitter->setSizes({v, qMax(1, total - v)});
    m_leftPane->resize(v, m_leftPane->height());
}

void TrpPreview::SetOutlineColor(int c)
{
    m_outlineColor = c;
    QPalette p = m_outline->palette();
    p.setColor(QPalette::Base, ColorToQColor(c));
    m_outline->setPalette(p);
}

void TrpPreview::UpdateOutline()
{
    m_outline->setUpdatesEnabled(false);
    m_outline->clear();
    TrpCustomOutline *outline = m_pages ? m_pages->Outline() : nullptr;
    if (outline) {
        outline->LevelRoot();
        addOutlineLevel(nullptr);
    }
    if (m_report && m_report->PreviewOptions()->OutlineExpand())
        m_outline->expandAll();
    if (m_outline->topLevelItemCount() > 0)
        m_outline->scrollToItem(m_outline->topLevelItem(0), QAbstractItemView::PositionAtTop);
    m_outline->setUpdatesEnabled(true);
}

void TrpPreview::addOutlineLevel(QTreeWidgetItem *parent)
{
    TrpCustomOutline *outline = m_pages->Outline();
    const int count = outline->ItemCount();
    for (int i = 0; i < count; ++i) {
        QString text;
        int page = 0, top = 0;
        outline->GetItemInfo(i, text, page, top);
        auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_outline);
        node->setText(0, text);
        node->setData(0, Qt::UserRole, page + 1);
        node->setData(0, Qt::UserRole + 1, top);
        outline->DescendTo(i);
        addOutlineLevel(node);
        outline->LevelUp();
    }
}

void TrpPreview::outlineClicked(QTreeWidgetItem *item)
{
    ScrollToPosition(item->data(0, Qt::UserRole).toInt(), item->data(0, Qt::UserRole + 1).toInt());
    setFocus();
}

// --- message panel

void TrpPreview::ShowMessagePanel(const QString &text)
{
    m_messagePanel->setGeometry((width() - 260) / 2, (height() - 75) / 3, 260, 75);
    m_messageLabel->setText(text);
    m_messagePanel->raise();
    m_messagePanel->show();
    m_messagePanel->repaint();
}

void TrpPreview::HideMessagePanel()
{
    m_messagePanel->hide();
}

// --- preparation progress

void TrpPreview::BeginProgress()
{
    if (m_refreshing)
        return;
    ClearPages();
    if (m_report)
        m_report->DrillDownState().clear();
    m_running = true;
    if (m_owner) {
        m_owner->PreparationRunning(true);
        m_owner->UpdateControls();
    }
}

void TrpPreview::StepProgress(int progress)
{
    if (m_refreshing) {
        if (OnPageChanged)
            OnPageChanged(this, m_currentPage);
        return;
    }
    // The run may have added to pages already shown: draw them afresh.
    m_workspace->SetPreparedPages(m_pages);
    m_thumbnails->SetPreparedPages(m_pages);
    const bool finalPass = !m_pages || !m_pages->Engine() || m_pages->Engine()->FinalPass();
    if (finalPass && m_pages && progress >= 0 && progress < 50 && progress < PageCount()) {
        const QPoint size = m_pages->GetPageSize(progress);
        m_workspace->AddPage(size.x(), size.y());
        m_workspace->CalcBounds();
    }
    if (progress == 0) {
        GoToPage(1);
        if (finalPass)
            UpdatePages();
        m_firstPageTime.start();
    } else if (progress == 1) {
        const qint64 t = m_firstPageTime.isValid() ? m_firstPageTime.elapsed() : 0;
        m_refreshEvery = t < 5 ? 50 : t < 10 ? 20 : 5;
        GoToPage(1);
        if (finalPass)
            UpdatePages();
    } else if (m_refreshEvery > 0 && progress % m_refreshEvery == 0) {
        if (OnPageChanged)
            OnPageChanged(this, m_currentPage);
        if (finalPass)
            m_workspace->UpdateScrollBars();
    }
    QCoreApplication::processEvents();
}

void TrpPreview::EndProgress()
{
    if (m_refreshing)
        return;
    m_running = false;
    if (OnPageChanged)
        OnPageChanged(this, m_currentPage);
    m_workspace->UpdateScrollBars();
    m_thumbnails->UpdateScrollBars();
    UpdatePages();
    UpdateOutline();
    if (m_owner) {
        m_owner->PreparationRunning(false);
        m_owner->UpdateControls();
    }
}

void TrpPreview::Rebuild()
{
    if (!m_report)
        return;
    const QPoint offset(m_workspace->HorzPosition(), m_workspace->VertPosition());
    const int page = m_currentPage;
    Lock();
    m_refreshing = true;
    m_report->PrepareReport(true);
    m_locked = false;
    m_thumbnails->SetLocked(false);
    m_currentPage = PageCount() < page ? 1 : page;
    UpdatePages();
    UpdateOutline();
    m_refreshing = false;
    m_workspace->SetHorzPosition(offset.x());
    m_workspace->SetVertPosition(offset.y());
    m_workspace->SetLocked(false);
    m_workspace->viewport()->update();
    m_thumbnails->viewport()->update();
    if (PageCount() < page)
        GoToPage(1);
}

} // namespace bralvo::report
