// Drawing prepared pages, clicks into them, and editing pages from the
// preview (empty, deleted, modified and appended pages).
#include "report/engine/trppreviewpages.h"

#include "report/model/trpband.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpserializer.h"
#include "report/model/trpview.h"

#include <QDesktopServices>
#include <QPaintDevice>
#include <QPainter>
#include <QUrl>
#include <cmath>
#include <utility>

namespace bralvo::report {

namespace {

constexpr double kPxPerMm = 3.77953;
constexpr int kHandPoint = -21;

int roundEven(double v)
{
    return RoundToInt(v);
}

bool isPrinterCanvas(const QPainter &canvas)
{
    return canvas.device() && canvas.device()->devType() == QInternal::Printer;
}

bool isMetafileCanvas(const QPainter &canvas)
{
    return canvas.device() && canvas.device()->devType() == QInternal::Picture;
}

// Swaps left and right margins of a mirrored page on an odd index for as
// long as it lives.
class MirrorScope {
public:
    MirrorScope(TrpReportPage &page, int index) : m_page(page), m_on(page.MirrorMargins() && index % 2 == 1)
    {
        swap();
    }
    ~MirrorScope() { swap(); }

private:
    void swap()
    {
        if (!m_on)
            return;
        const double left = m_page.LeftMargin();
        m_page.SetLeftMargin(m_page.RightMargin());
        m_page.SetRightMargin(left);
    }
    TrpReportPage &m_page;
    bool m_on;
};

// The platform's cursor numbers (crDefault 0, crArrow -2, ...) as shapes.
Qt::CursorShape cursorShape(int cursor)
{
    switch (cursor) {
    case -3: return Qt::CrossCursor;
    case -4: return Qt::IBeamCursor;
    case -6: return Qt::SizeBDiagCursor;
    case -7: return Qt::SizeVerCursor;
    case -8: return Qt::SizeFDiagCursor;
    case -9: return Qt::SizeHorCursor;
    case -11: return Qt::WaitCursor;
    case -12: return Qt::DragMoveCursor;
    case -19: return Qt::BusyCursor;
    case -20: return Qt::WhatsThisCursor;
    case kHandPoint: return Qt::PointingHandCursor;
    case -22: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

// Links from report data reach the desktop only as web or mail addresses.
bool isOpenableLink(const QString &url)
{
    const QUrl u(url.trimmed(), QUrl::StrictMode);
    if (!u.isValid())
        return false;
    const QString scheme = u.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return true;
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !u.host().isEmpty();
}

bool isWholePageElementName(const QString &name)
{
    return name.compare(QStringLiteral("TrpReportPage"), Qt::CaseInsensitive) == 0
           || name.compare(QStringLiteral("TrpDMPPage"), Qt::CaseInsensitive) == 0;
}

TrpGroupHeader *drillDownHeader(TrpComponent *obj)
{
    auto *header = dynamic_cast<TrpGroupHeader *>(obj);
    if (header && header->DrillDown())
        return header;
    if (dynamic_cast<TrpView *>(obj)) {
        header = dynamic_cast<TrpGroupHeader *>(obj->Parent());
        if (header && header->DrillDown())
            return header;
    }
    return nullptr;
}

} // namespace

// --- drawing

void TrpPreviewPages::DrawPage(int index, QPainter &canvas, double scaleX, double scaleY, double offsetX,
                               double offsetY)
{
    TrpReportPage *page = GetPage(index);
    if (!page)
        return;
    MirrorScope mirror(*page, index);
    const bool printer = isPrinterCanvas(canvas);
    canvas.save();
    if (!printer) {
        const int x0 = roundEven(offsetX), y0 = roundEven(offsetY);
        const int x1 = roundEven(page->PaperWidth() * kPxPerMm * scaleX + offsetX) - 1;
        const int y1 = roundEven(page->PaperHeight() * kPxPerMm * scaleY + offsetY) - 1;
        canvas.setClipRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), canvas.hasClipping() ? Qt::IntersectClip
                                                                                         : Qt::ReplaceClip);
    }
    page->DrawBackground(canvas, scaleX, scaleY, offsetX, offsetY);
    offsetX += page->LeftMargin() * kPxPerMm * scaleX;
    offsetY += page->TopMargin() * kPxPerMm * scaleY;
    const QRectF clip = canvas.hasClipping() ? canvas.clipBoundingRect()
                                             : QRectF(canvas.window());
    const bool metafile = isMetafileCanvas(canvas);
    const int pageCount = GetCount();
    for (TrpComponent *obj : page->AllObjects()) {
        auto *view = dynamic_cast<TrpView *>(obj);
        if (!view || (printer && !view->Printable()))
            continue;
        const QRectF r(view->AbsLeft() * scaleX - 20 + offsetX, view->AbsTop() * scaleY - 20 + offsetY,
                       view->Width() * scaleX + 40, view->Height() * scaleY + 40);
        if (!metafile && !clip.intersects(r))
            continue;
        if (auto *memo = dynamic_cast<TrpCustomMemoView *>(view)) {
            memo->SetTotalPages(pageCount);
            memo->SetCopyNo(m_copyNo);
            memo->SetPrintScale(printer ? m_printScale : 1.0);
        }
        view->SetPrinting(printer);
        view->Draw(canvas, scaleX, scaleY, offsetX, offsetY);
        view->SetPrinting(false);
    }
    canvas.restore();
}

// --- clicks

void TrpPreviewPages::ObjectOver(int index, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                 double scale, int offsetX, int offsetY, bool click, Qt::CursorShape &cursor)
{
    if (index < 0 || index >= GetCount() || (Engine() && Engine()->IsRunning()))
        return;
    TrpReportPage *page = GetPage(index);
    if (!page)
        return;
    const bool mirrored = page->MirrorMargins() && index % 2 == 1;
    const double ox = offsetX + scale * (mirrored ? page->RightMargin() : page->LeftMargin()) * kPxPerMm;
    const double oy = offsetY + scale * page->TopMargin() * kPxPerMm;
    if (Report())
        Report()->SetProgressMessage(QString());
    const QList<TrpComponent *> all = page->AllObjects();
    for (qsizetype i = all.size() - 1; i >= 0; --i) {
        TrpComponent *obj = all[i];
        const QRect hit(QPoint(roundEven(obj->AbsLeft() * scale) + roundEven(ox),
                               roundEven(obj->AbsTop() * scale) + roundEven(oy)),
                        QPoint(roundEven((obj->AbsLeft() + obj->Width()) * scale) + roundEven(ox),
                               roundEven((obj->AbsTop() + obj->Height()) * scale) + roundEven(oy)));
        if (x < hit.left() || x > hit.right() || y < hit.top() || y > hit.bottom())
            continue;
        if (TrpGroupHeader *header = drillDownHeader(obj)) {
            cursor = Qt::PointingHandCursor;
            if (click && button == Qt::LeftButton && Report()) {
                const QString key = header->name() + u'.' + QString::number(header->tag());
                platform::StringList &state = Report()->DrillDownState();
                const int at = state.indexOf(key);
                if (at >= 0)
                    state.remove(at);
                else
                    state.add(key);
                if (OnRebuild)
                    OnRebuild();
            }
            return;
        }
        auto *view = dynamic_cast<TrpView *>(obj);
        if (!view)
            continue;
        clickView(index, page, view, button, shift, click, cursor);
        return;
    }
}

void TrpPreviewPages::clickView(int index, TrpReportPage *page, TrpView *view, Qt::MouseButton button,
                                Qt::KeyboardModifiers shift, bool click, Qt::CursorShape &cursor)
{
    bool cursorSet = false;
    if (view->Cursor() != 0) {
        cursor = cursorShape(view->Cursor());
        cursorSet = true;
    }
    const QString url = view->URL();
    if (!url.isEmpty()) {
        if (Report())
            Report()->SetProgressMessage(url);
        if (!cursorSet)
            cursor = Qt::PointingHandCursor;
    }
    if (!click) {
        if (Report() && Report()->OnMouseOverObject)
            Report()->OnMouseOverObject(view);
        return;
    }
    if (!url.isEmpty())
        followLink(url);
    bool modified = false;
    if (Report() && Report()->OnClickObject)
        Report()->OnClickObject(view, int(button), int(shift), modified);
    if (modified) {
        ModifyPage(index, page);
        if (OnRepaint)
            OnRepaint();
    }
}

void TrpPreviewPages::followLink(const QString &url)
{
    if (url.startsWith(u'@')) {
        bool ok = false;
        const int pageNo = url.mid(1).trimmed().toInt(&ok);
        if (ok && OnGotoPage)
            OnGotoPage(pageNo, 0);
    } else if (url.startsWith(u'#')) {
        const TrpXMLItem *anchor = FindAnchor(url.mid(1));
        if (anchor && OnGotoPage)
            OnGotoPage(anchor->Prop(QStringLiteral("page")).toInt() + 1, anchor->Prop(QStringLiteral("top")).toInt());
    } else if (isOpenableLink(url)) {
        if (OnOpenUrl)
            OnOpenUrl(url.trimmed());
        else
            QDesktopServices::openUrl(QUrl(url.trimmed(), QUrl::StrictMode));
    }
}

// --- editing

void TrpPreviewPages::writePageWhole(TrpXMLItem *element, TrpReportPage *page)
{
    element->Clear();
    element->Text.clear();
    element->Unloadable = false;
    element->Loaded = true;
    TrpXMLSerializer serializer(nullptr);
    serializer.WriteComponentTree(page, true, element);
    element->Name = page->className();
}

void TrpPreviewPages::AddEmptyPage(int index)
{
    if (GetCount() == 0)
        return;
    index = qBound(0, index, GetCount() - 1);
    auto *element = new TrpXMLItem;
    element->Name = PagesElement()->Items(index)->Name;
    if (isWholePageElementName(element->Name)) {
        // A blank page of the same paper as the page it goes before.
        std::unique_ptr<TrpReportPage> blank = buildPage(PagesElement()->Items(index));
        blank->Clear();
        writePageWhole(element, blank.get());
    }
    PagesElement()->InsertItem(index, element);
    ClearPageCache();
}

void TrpPreviewPages::DeletePage(int index)
{
    if (GetCount() < 2 || index < 0 || index >= GetCount())
        return;
    delete PagesElement()->Items(index);
    ClearPageCache();
}

void TrpPreviewPages::ModifyPage(int index, TrpReportPage *page)
{
    if (!page || index < 0 || index >= GetCount())
        return;
    writePageWhole(PagesElement()->Items(index), page);
    ClearPageCache();
}

void TrpPreviewPages::AddFrom(TrpReport *report)
{
    TrpCustomPreviewPages *other = report ? report->PreparedPages() : nullptr;
    if (!other || other == this)
        return;
    TrpXMLItem *pages = PagesElement();
    for (int i = 0; i < other->GetCount(); ++i) {
        TrpReportPage *page = other->GetPage(i);
        if (!page)
            continue;
        TrpXMLItem *element = pages->Add();
        writePageWhole(element, page);
    }
    ClearPageCache();
}

} // namespace bralvo::report
