// The master/detail walk of data bands: rows, band columns, groups,
// headers and footers, repeated headers and the outline.
#include "report/engine/trpengine.h"

#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <QCoreApplication>
#include <cmath>

namespace bralvo::report {

namespace {

QList<TrpBand *> detailsOf(TrpComponent *pageOrBand)
{
    if (auto *page = dynamic_cast<TrpReportPage *>(pageOrBand))
        return page->Bands;
    if (auto *band = dynamic_cast<TrpBand *>(pageOrBand))
        return band->SubBands;
    return {};
}

QList<TrpBand *> chainOf(TrpDataBand *band)
{
    return band->FirstGroupHeader ? band->FirstGroupHeader->SubBands : QList<TrpBand *>();
}

bool sameValue(const platform::Variant &a, const platform::Variant &b)
{
    try {
        return a.equals(b);
    } catch (...) {
        return false;
    }
}

} // namespace

void TrpEngine::PrintDataBands(TrpComponent *pageOrBand)
{
    TrpReport *report = Report();
    QCoreApplication::processEvents();
    if (report->Terminated())
        return;
    double rowTop = CurY();
    int keepPos = 0;
    int footerPos = 0;
    for (TrpBand *b : detailsOf(pageOrBand)) {
        auto *band = dynamic_cast<TrpDataBand *>(b);
        if (!band || !band->DataSet())
            continue;
        TrpDataSet *ds = band->DataSet();
        ds->First();
        band->RowNo = 1;
        band->RowNoThrough = 1;
        band->SetColumnNo(1);
        ResetSuppressedValues(band);
        bool first = true;
        bool printed = false;
        while (!ds->Eof()) {
            if (HasRows(band, band->PrintIfDetailEmpty())) {
                dataBandRow(band, first, rowTop, keepPos, footerPos);
                first = false;
                printed = true;
            }
            PageRunStarting = false;
            if (band->FooterAfterEach())
                ShowBand(band->FooterBand);
            if (!band->FirstGroupHeader && band->KeepTogether())
                CloseKeepBlock(band);
            ds->Next();
            if ((band->RowCount() != 0 && band->RowCount() < band->RowNo) || report->Terminated())
                break;
        }
        finishDataBand(band, keepPos, footerPos, rowTop, printed);
        if (report->Terminated())
            return;
        PageRunStarting = false;
    }
}

void TrpEngine::dataBandRow(TrpDataBand *band, bool first, double &rowTop, int &keepPos, int &footerPos)
{
    TrpCustomPreviewPages *pages = PreparedPages();
    const bool groups = band->FirstGroupHeader != nullptr;
    if (first) {
        if (band->KeepTogether())
            OpenKeepBlock(band);
        if (band->KeepHeader() && band->HeaderBand)
            OpenKeepBlock(band);
        AddRepeatedHeader(band->HeaderBand);
        ShowBand(band->HeaderBand);
    } else if (!groups && band->KeepTogether()) {
        OpenKeepBlock(band);
    }
    if (groups) {
        if (first)
            ShowGroupHeaders(band, true, 0);
        else
            CheckGroups(band, rowTop, keepPos);
    }
    if (band->KeepFooter())
        footerPos = pages->GetCurPosition();
    if (band->Columns() > 1 && band->ColumnNo() == 1)
        keepPos = pages->GetCurPosition();
    rowTop = CurY();
    SetCurRow(band->RowNo);
    SetCurRowThrough(band->RowNoThrough);
    ShowBand(band);
    notifyWatchers(band);
    if (first && band->KeepHeader() && band->HeaderBand)
        CloseKeepBlock(band);
    ++band->RowNo;
    ++band->RowNoThrough;
    AdvanceBandColumn(band, keepPos, rowTop);
    AddBandOutline(band);
    PrintDataBands(band);
    OutlineUp(band);
}

void TrpEngine::finishDataBand(TrpDataBand *band, int keepPos, int footerPos, double rowTop, bool printed)
{
    band->SetColumnNo(band->Columns());
    AdvanceBandColumn(band, keepPos, rowTop);
    if (!printed)
        return;
    const bool groups = band->FirstGroupHeader != nullptr;
    if (groups)
        ShowGroupFooters(band, 0);
    if (!band->FooterAfterEach()) {
        if (band->KeepFooter())
            OpenKeepBlock(band, footerPos);
        KeepingFooter = true;
        try {
            ShowBand(band->FooterBand);
        } catch (...) {
            KeepingFooter = false;
            throw;
        }
        if (band->KeepFooter())
            CloseKeepBlock(band);
        KeepingFooter = false;
    }
    RemoveRepeatedHeader(band->HeaderBand);
    if (groups && band->KeepTogether())
        CloseKeepBlock(band);
}

bool TrpEngine::HasRows(TrpComponent *pageOrBand, bool printIfEmpty)
{
    if (printIfEmpty)
        return true;
    const QList<TrpBand *> details = detailsOf(pageOrBand);
    const bool isPage = dynamic_cast<TrpReportPage *>(pageOrBand) != nullptr;
    bool result = !isPage && details.isEmpty();
    TrpReport *report = Report();
    for (TrpBand *b : details) {
        auto *band = dynamic_cast<TrpDataBand *>(b);
        if (!band || !band->DataSet())
            continue;
        report->RunScriptEvent(band, band->OnMasterDetail());
        TrpDataSet *ds = band->DataSet();
        ds->First();
        while (!ds->Eof()) {
            if (HasRows(band, band->PrintIfDetailEmpty()))
                return true;
            ds->Next();
        }
    }
    return result;
}

void TrpEngine::AdvanceBandColumn(TrpDataBand *band, int keepPos, double rowTop)
{
    if (band->Columns() < 2)
        return;
    band->ColumnBottom = qMax(band->ColumnBottom, CurY());
    if (band->ColumnNo() < band->Columns()) {
        SetCurY(rowTop);
    } else if (band->ColumnBottom <= PageHeight() - FooterHeight()) {
        SetCurY(band->ColumnBottom);
    } else if (KeepActive) {
        NewColumn();
    } else {
        TrpCustomPreviewPages *pages = PreparedPages();
        pages->CutObjects(keepPos);
        NewColumn();
        pages->PasteObjects(CurX(), CurY());
        SetCurY(CurY() + band->ColumnBottom - rowTop);
    }
    if (band->Visible())
        band->SetColumnNo(band->ColumnNo() + 1);
}

void TrpEngine::ShowGroupHeaders(TrpDataBand *band, bool first, int from)
{
    TrpReport *report = Report();
    const QList<TrpBand *> chain = chainOf(band);
    for (int i = from; i < chain.size(); ++i) {
        TrpBand *h = chain[i];
        if (first) {
            h->RowNo = 1;
            h->RowNoThrough = 1;
            ResetSuppressedValues(h);
        } else {
            ++h->RowNo;
            if (i + 1 < chain.size())
                chain[i + 1]->RowNo = 0;
            ++h->RowNoThrough;
        }
    }
    ApplyDrillDown(band);
    for (int i = from; i < chain.size(); ++i) {
        auto *h = static_cast<TrpGroupHeader *>(chain[i]);
        SetCurRow(h->RowNo);
        SetCurRowThrough(h->RowNoThrough);
        report->SetCurrentObjectName(h->name());
        h->LastConditionValue = report->Calc(h->Condition());
        if (h->KeepTogether())
            OpenKeepBlock(h);
        ShowBand(h);
        AddBandOutline(h);
        if (h->Vertical())
            VerticalHeaders.append(h);
        else
            AddRepeatedHeader(h);
    }
}

void TrpEngine::CheckGroups(TrpDataBand *band, double rowTop, int keepPos)
{
    TrpReport *report = Report();
    ApplyDrillDown(band);
    const QList<TrpBand *> chain = chainOf(band);
    for (int i = 0; i < chain.size(); ++i) {
        auto *h = static_cast<TrpGroupHeader *>(chain[i]);
        report->SetCurrentObjectName(h->name());
        const platform::Variant v = report->Calc(h->Condition());
        if (sameValue(v, h->LastConditionValue))
            continue;
        band->SetColumnNo(band->Columns());
        AdvanceBandColumn(band, keepPos, rowTop);
        bool moved = false;
        try {
            band->DataSet()->Prior();
            moved = true;
        } catch (...) {
            moved = false;
        }
        ShowGroupFooters(band, i);
        if (moved)
            band->DataSet()->Next();
        ShowGroupHeaders(band, false, i);
        band->RowNo = 1;
        ResetSuppressedValues(band);
        return;
    }
}

void TrpEngine::ShowGroupFooters(TrpDataBand *band, int from)
{
    const QList<TrpBand *> chain = chainOf(band);
    for (int i = int(chain.size()) - 1; i >= from; --i) {
        auto *h = static_cast<TrpGroupHeader *>(chain[i]);
        if (TrpBand *footer = h->FooterBand) {
            auto *gf = dynamic_cast<TrpGroupFooter *>(footer);
            if (gf && gf->HideIfSingleDataRecord() && band->RowNo < 3)
                m_aggregates.ResetHosted(footer);
            else
                ShowBand(footer);
        }
        OutlineUp(h);
        if (h->Vertical())
            VerticalHeaders.removeOne(h);
        else
            RemoveRepeatedHeader(h);
        if (h->KeepTogether())
            CloseKeepBlock(h);
    }
}

void TrpEngine::ApplyDrillDown(TrpDataBand *band)
{
    const QList<TrpBand *> chain = chainOf(band);
    for (int i = 0; i < chain.size(); ++i) {
        auto *h = static_cast<TrpGroupHeader *>(chain[i]);
        if (!h->DrillDown())
            continue;
        const QString key = h->name() + u'.' + QString::number(h->RowNoThrough);
        const bool toggled = Report()->DrillDownState().indexOf(key) >= 0;
        const bool show = h->ExpandDrillDown() != toggled;
        for (int j = i + 1; j < chain.size(); ++j) {
            chain[j]->SetVisible(show);
            if (chain[j]->FooterBand)
                chain[j]->FooterBand->SetVisible(show);
        }
        band->SetVisible(show);
        if (!h->ShowFooterIfDrillDown() && h->FooterBand)
            h->FooterBand->SetVisible(show);
        if (!show)
            return;
    }
}

void TrpEngine::ResetSuppressedValues(TrpBand *band)
{
    for (TrpComponent *c : band->Objects())
        if (auto *memo = dynamic_cast<TrpCustomMemoView *>(c))
            memo->ResetSuppress();
}

void TrpEngine::AddBandOutline(TrpBand *band)
{
    TrpCustomOutline *o = outline();
    if (!o || band->OutlineText().isEmpty() || !band->Visible())
        return;
    Report()->SetCurrentObjectName(band->name());
    const QString text = Report()->Calc(band->OutlineText()).toString();
    const double h = band->Stretched() ? band->OutputHeight : band->Height();
    o->AddItem(text, RoundToInt(CurY() - h));
}

void TrpEngine::OutlineUp(TrpBand *band)
{
    TrpCustomOutline *o = outline();
    if (o && !band->OutlineText().isEmpty())
        o->LevelUp();
}

void TrpEngine::AddRepeatedHeader(TrpBand *band)
{
    auto *h = dynamic_cast<TrpHeader *>(band);
    auto *g = dynamic_cast<TrpGroupHeader *>(band);
    if ((h && h->ReprintOnNewPage()) || (g && g->ReprintOnNewPage()))
        ReprintHeaders.Add(band, KeepActive, CurX());
}

void TrpEngine::RemoveRepeatedHeader(TrpBand *band)
{
    if (band)
        ReprintHeaders.Remove(band);
}

} // namespace bralvo::report
