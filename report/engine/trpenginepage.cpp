// Pages and columns: the start of a page with its repeated headers, the
// end with column footer, report summary, page footer and overlay, page
// and column breaks, and keep-together blocks that move with a break.
#include "report/engine/trpengine.h"

#include "report/model/trpband.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trputils.h"

#include <cmath>

namespace bralvo::report {

namespace {

template <class T>
T *pageBand(TrpReportPage *page)
{
    return page ? static_cast<T *>(page->FindBand(T::staticClass())) : nullptr;
}

// The height of a band and the children it prints with.
double chainHeight(TrpBand *band)
{
    double h = 0;
    for (TrpBand *b = band; b; b = b->Child()) {
        h += b->Height();
        if (b->Child() == band)
            break;
    }
    return h;
}

int roundInt(double v)
{
    return RoundToInt(v);
}

} // namespace

double ColumnPositionPx(TrpReportPage *page, int column)
{
    const platform::StringList *positions = page->ColumnPositions();
    if (column < 1 || column > positions->count())
        return 0;
    try {
        return StrToFloatLoose(positions->at(column - 1)) * kPixelsPerMm;
    } catch (...) {
        return 0;
    }
}

double TrpEngine::HeaderHeight()
{
    return chainHeight(pageBand<TrpColumnHeader>(CurReportPage)) + chainHeight(pageBand<TrpPageHeader>(CurReportPage));
}

double TrpEngine::FooterHeight()
{
    double h = 0;
    if (TrpBand *b = pageBand<TrpColumnFooter>(CurReportPage))
        h += b->Height();
    if (TrpBand *b = pageBand<TrpPageFooter>(CurReportPage))
        h += b->Height();
    return h;
}

double TrpEngine::FreeSpace()
{
    if (CurReportPage && CurReportPage->EndlessHeight())
        return 1e6;
    return PageHeight() - FooterHeight() - CurY();
}

void TrpEngine::ShowBand(const platform::ClassInfo &bandClass)
{
    if (CurReportPage)
        ShowBand(CurReportPage->FindBand(bandClass));
}

void TrpEngine::addPageOutline()
{
    TrpCustomOutline *o = outline();
    if (!o)
        return;
    o->LevelRoot();
    if (CurReportPage->OutlineText().isEmpty())
        return;
    Report()->SetCurrentObjectName(CurReportPage->name());
    o->AddItem(Report()->Calc(CurReportPage->OutlineText()).toString(), 0);
}

void TrpEngine::beginPage()
{
    TrpReportPage *page = CurReportPage;
    TrpCustomPreviewPages *pages = PreparedPages();
    ReprintHeaders.Clear();
    TrpBand *title = pageBand<TrpReportTitle>(page);
    TrpBand *header = pageBand<TrpPageHeader>(page);
    ReprintHeaders.Add(page->TitleBeforeHeader() ? title : header, false, 0);
    ReprintHeaders.Add(page->TitleBeforeHeader() ? header : title, false, 0);
    SetPageHeight(page->PaperHeight() * kPixelsPerMm - page->TopMargin() * kPixelsPerMm -
                  page->BottomMargin() * kPixelsPerMm);
    SetPageWidth(page->PaperWidth() * kPixelsPerMm - page->LeftMargin() * kPixelsPerMm -
                 page->RightMargin() * kPixelsPerMm);
    SetCurX(0);
    SetCurY(0);
    SetCurColumn(1);
    BaseX = 0;
    VerticalMaster = nullptr;
    OnFirstPage = true;
    OnLastPage = false;
    if (page->ResetPageNumbers())
        pages->ResetLogicalPageNumber();
    if (pages->GetCount() > 0 && page->PrintOnPreviousPage()) {
        pages->SetWritePage(pages->GetCount() - 1);
        SetCurY(pages->GetLastY());
        ReprintHeaders.Remove(title);
        ShowBand(title);
    } else {
        openPreparedPage();
    }
    if (FirstPageOfPass)
        pages->SetNumberingBase(pages->WritePage());
    ColumnTop = CurY();
    TrpBand *columnHeader = pageBand<TrpColumnHeader>(page);
    ShowBand(columnHeader);
    ReprintHeaders.Add(columnHeader, false, 0);
    ReprintHeaders.Remove(title);
    addPageOutline();
}

void TrpEngine::openPreparedPage()
{
    TrpReportPage *page = CurReportPage;
    PreparedPages()->AddPage(page);
    SetCurY(0);
    auto *overlay = pageBand<TrpOverlay>(page);
    if (overlay && !overlay->PrintOnTop()) {
        ShowBand(overlay);
        SetCurY(0);
    }
    ColumnTop = 0;
    const double savedX = CurX();
    for (int i = 0; i < ReprintHeaders.Count(); ++i) {
        TrpHeaderListItem &item = ReprintHeaders.Items(i);
        SetCurX(item.ReprintX);
        reprintHeader(item);
    }
    SetCurX(savedX);
}

void TrpEngine::reprintHeader(TrpHeaderListItem &item)
{
    TrpBand *band = item.ReprintBand;
    if (!band || band == PageBreakBand)
        return;
    if (auto *ph = dynamic_cast<TrpPageHeader *>(band); ph && !ph->PrintOnFirstPage() && OnFirstPage) {
        if (!ph->PrintChildIfInvisible())
            return;
        band = ph->Child();
    }
    if (!band || (KeepActive && item.AddedWhileKeeping) ||
        (dynamic_cast<TrpHeader *>(band) && SuppressHeaderReprint))
        return;
    band->BeingRepeated = true;
    const int row = CurRow(), rowThrough = CurRowThrough();
    SetCurRow(band->RowNo);
    SetCurRowThrough(band->RowNoThrough);
    ReprintingHeaders = true;
    if (dynamic_cast<TrpReportTitle *>(band))
        item.ReprintBand = nullptr;
    if (dynamic_cast<TrpPageHeader *>(band))
        ColumnTop = band->Height();
    struct Restore {
        TrpEngine *e;
        TrpBand *b;
        int row, rowThrough;
        ~Restore()
        {
            b->BeingRepeated = false;
            e->ReprintingHeaders = false;
            e->SetCurRow(row);
            e->SetCurRowThrough(rowThrough);
        }
    } restore{this, band, row, rowThrough};
    ShowBand(band);
}

void TrpEngine::printColumnFooter()
{
    auto *footer = pageBand<TrpColumnFooter>(CurReportPage);
    if (!footer)
        return;
    PrepareBand(footer);
    try {
        if (footer->Visible()) {
            footer->SetLeft(CurX() - BaseX);
            footer->SetTop(CurY());
            PreparedPages()->AddObject(footer);
            SetCurY(CurY() + footer->Height());
        }
    } catch (...) {
        UnprepareBand(footer);
        throw;
    }
    UnprepareBand(footer);
    m_aggregates.ResetHosted(footer);
}

void TrpEngine::EndPage()
{
    printColumnFooter();
    if (!OnLastPage) {
        SetCurX(BaseX);
        SetCurColumn(1);
    }
    if (OnLastPage && !PrintingSummary) {
        PrintingSummary = true;
        try {
            ShowBand(TrpReportSummary::staticClass());
        } catch (...) {
            PrintingSummary = false;
            throw;
        }
        PrintingSummary = false;
    }
    if (auto *footer = pageBand<TrpPageFooter>(CurReportPage)) {
        SetCurY(PageHeight() - footer->Height());
        printFooterBand(footer);
    }
    auto *overlay = pageBand<TrpOverlay>(CurReportPage);
    if (overlay && overlay->PrintOnTop()) {
        SetCurY(0);
        printFooterBand(overlay);
    }
    OnFirstPage = false;
}

void TrpEngine::printFooterBand(TrpBand *band)
{
    PrepareBand(band);
    bool reset = true;
    try {
        if (band->Visible()) {
            band->SetLeft(0);
            band->SetTop(CurY());
            auto *pf = dynamic_cast<TrpPageFooter *>(band);
            if (pf && ((OnFirstPage && !pf->PrintOnFirstPage()) || (OnLastPage && !pf->PrintOnLastPage()))) {
                // Totals of a page without its footer carry on.
                reset = false;
            } else {
                if (!PreparedPages()->BandExists(band))
                    PreparedPages()->AddObject(band);
                SetCurY(CurY() + band->Height());
            }
        }
    } catch (...) {
        UnprepareBand(band);
        throw;
    }
    UnprepareBand(band);
    if (reset)
        m_aggregates.ResetHosted(band);
}

void TrpEngine::NewPage()
{
    TrpCustomPreviewPages *pages = PreparedPages();
    if (KeepActive) {
        if (KeepingFooter)
            m_aggregates.UndoLast(KeptBand);
        pages->CutObjects(KeepStart);
        SetCurY(pages->GetLastY());
    }
    EndPage();
    openPreparedPage();
    if (KeepActive) {
        m_aggregates.FinishKeep();
        pages->PasteObjects(0, CurY());
        if (TrpCustomOutline *o = outline())
            o->ShiftItems(KeepOutlineItem, roundInt(CurY()));
        pages->ShiftAnchors(KeepAnchorIndex, roundInt(CurY()));
        SetCurY(pages->GetLastY());
        if (KeepingFooter)
            m_aggregates.Accumulate(KeptBand, 0);
    }
    KeepActive = false;
    if (!CurReportPage->OutlineText().isEmpty())
        addPageOutline();
}

void TrpEngine::NewColumn()
{
    if (CurColumn() >= CurReportPage->Columns()) {
        NewPage();
        return;
    }
    printColumnFooter();
    advanceColumn();
}

void TrpEngine::advanceColumn()
{
    SetCurColumn(CurColumn() + 1);
    const double x = ColumnPositionPx(CurReportPage, CurColumn());
    SetCurY(ColumnTop);
    for (int i = 0; i < ReprintHeaders.Count(); ++i) {
        TrpHeaderListItem &item = ReprintHeaders.Items(i);
        if (!item.ReprintBand || dynamic_cast<TrpPageHeader *>(item.ReprintBand))
            continue;
        SetCurX(item.ReprintX + x);
        TrpBand *prev = nullptr;
        for (TrpBand *b = item.ReprintBand; b; b = b->Child()) {
            if (prev && !prev->Visible() && !prev->PrintChildIfInvisible())
                break;
            b->BeingRepeated = true;
            PrepareBand(b);
            if (b->Visible()) {
                b->SetLeft(CurX());
                b->SetTop(CurY());
                PreparedPages()->AddObject(b);
                SetCurY(CurY() + b->Height());
            }
            UnprepareBand(b);
            b->BeingRepeated = false;
            prev = b;
            if (b->Child() == item.ReprintBand)
                break;
        }
    }
    SetCurX(BaseX + x);
}

// Views placed on the page itself print once per page through a
// temporary band; they return to the page afterwards.
void TrpEngine::printPageObjects()
{
    QList<TrpComponent *> objects;
    for (TrpComponent *c : CurReportPage->Objects())
        if (!dynamic_cast<TrpBand *>(c))
            objects.append(c);
    if (objects.isEmpty())
        return;
    auto *holder = new TrpNullBand(CurReportPage);
    holder->SetBounds(0, 0, PageWidth(), PageHeight());
    for (TrpComponent *c : objects)
        c->SetParent(holder);
    holder->AlignChildren();
    const double y = CurY();
    struct Return {
        QList<TrpComponent *> &objects;
        TrpReportPage *page;
        TrpNullBand *holder;
        ~Return()
        {
            for (TrpComponent *c : objects)
                c->SetParent(page);
            platform::Component::free(holder);
        }
    } back{objects, CurReportPage, holder};
    ShowBand(holder);
    SetCurY(y);
}

void TrpEngine::OpenKeepBlock(TrpBand *band, int position)
{
    if (KeepActive || PageRunStarting)
        return;
    KeepActive = true;
    KeptBand = band;
    KeepStart = position != 0 ? position : PreparedPages()->GetCurPosition();
    TrpCustomOutline *o = outline();
    KeepOutlineItem = o ? o->GetCurPosition() : nullptr;
    KeepAnchorIndex = PreparedPages()->GetAnchorCur();
    m_aggregates.BeginKeep();
}

void TrpEngine::CloseKeepBlock(TrpBand *band)
{
    if (band != KeptBand)
        return;
    KeepActive = false;
    KeptBand = nullptr;
    m_aggregates.FinishKeep();
}

} // namespace bralvo::report
