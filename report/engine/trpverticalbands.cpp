// Vertical bands (cells of a horizontal band, filled across the page and
// onto further pages) and subreports (a report page run inside a band,
// beside it or on the band itself).
#include "report/engine/trpengine.h"

#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trputils.h"

namespace bralvo::report {

namespace {

bool isFooterKind(TrpBand *band)
{
    return dynamic_cast<TrpFooter *>(band) || dynamic_cast<TrpGroupFooter *>(band);
}

bool repeats(TrpBand *band)
{
    auto *h = dynamic_cast<TrpHeader *>(band);
    auto *g = dynamic_cast<TrpGroupHeader *>(band);
    return (h && h->ReprintOnNewPage()) || (g && g->ReprintOnNewPage());
}

} // namespace

void TrpEngine::StartVerticalRow(TrpBand *band)
{
    VerticalMaster = band;
    band->OwnObjectCount = int(band->Objects().size());
    band->SetAllowSplit(false);
    VerticalHeaders.clear();
    VerticalBreaks.clear();
    VerticalBreaks.append(0);
    SetCurVColumn(0);
    PrintVerticalBands(CurReportPage->VerticalBands);
    VerticalBreaks.append(int(band->Objects().size()));
}

void TrpEngine::PrintVerticalBands(const QList<TrpBand *> &bands)
{
    TrpReport *report = Report();
    for (TrpBand *b : bands) {
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
        while (!ds->Eof()) {
            if (first) {
                ShowBand(band->HeaderBand);
                if (band->HeaderBand && repeats(band->HeaderBand))
                    VerticalHeaders.append(band->HeaderBand);
            }
            if (band->FirstGroupHeader) {
                if (first)
                    ShowGroupHeaders(band, true, 0);
                else
                    CheckGroups(band, 0, 0);
            }
            first = false;
            SetCurRow(band->RowNo);
            SetCurRowThrough(band->RowNoThrough);
            ShowBand(band);
            notifyWatchers(band);
            ++band->RowNo;
            ++band->RowNoThrough;
            PrintVerticalBands(band->SubBands);
            if (band->FooterAfterEach())
                ShowBand(band->FooterBand);
            ds->Next();
            if ((band->RowCount() != 0 && band->RowCount() < band->RowNo) || report->Terminated())
                break;
        }
        if (first)
            continue;
        if (band->FirstGroupHeader)
            ShowGroupFooters(band, 0);
        VerticalHeaders.removeOne(band->HeaderBand);
        if (!band->FooterAfterEach())
            ShowBand(band->FooterBand);
    }
}

void TrpEngine::PrintVerticalBand(TrpBand *band)
{
    TrpReport *report = Report();
    const bool data = dynamic_cast<TrpDataBand *>(band) != nullptr;
    if (data)
        SetCurVColumn(CurVColumn() + 1);
    AggregateBand = isFooterKind(band) ? band : VerticalMaster;
    report->SetCurrentObjectName(band->name());
    band->BeforePrint();
    report->DoBeforePrint(band);
    if (band->Visible() && VerticalMaster) {
        if (CurX() + band->Width() > PageWidth()) {
            if (CurReportPage->EndlessWidth()) {
                SetPageWidth(PageWidth() + band->Width());
            } else {
                SetCurX(0);
                VerticalBreaks.append(int(VerticalMaster->Objects().size()));
                for (TrpBand *h : QList<TrpBand *>(VerticalHeaders))
                    ShowBand(h);
            }
        }
        for (TrpComponent *c : QList<TrpComponent *>(band->Objects())) {
            auto *obj = dynamic_cast<TrpReportComponent *>(c);
            if (!obj || obj->SourceBand() != VerticalMaster)
                continue;
            report->SetCurrentObjectName(obj->name());
            obj->BeforePrint();
            report->DoBeforePrint(obj);
            obj->GetData();
            report->RunScriptEvent(obj, obj->OnAfterData());
            auto *copy = static_cast<TrpComponent *>(obj->classInfo().create(VerticalMaster));
            copy->AssignAll(*obj);
            copy->SetAliasName(obj->AliasName());
            copy->SetSourceComponent(obj->SourceComponent());
            copy->SetLeft(obj->Left() + CurX());
            obj->AfterPrint();
        }
        SetCurX(CurX() + band->Width());
    }
    report->DoAfterPrint(band);
    band->AfterPrint();
    if (data)
        m_aggregates.Accumulate(VerticalMaster, CurVColumn());
    else if (isFooterKind(band))
        m_aggregates.ResetHosted(band);
}

void TrpEngine::OutputVerticalRow(TrpBand *band)
{
    TrpCustomPreviewPages *pages = PreparedPages();
    const QList<TrpComponent *> full = band->Objects();
    const int writePage = pages->WritePage();
    const double y = CurY(), x = CurX();
    pages->SetAddPageMode(0);
    const int stretches = int(VerticalBreaks.size()) - 1;
    struct Restore {
        TrpBand *band;
        const QList<TrpComponent *> &full;
        ~Restore()
        {
            for (TrpComponent *c : band->Objects())
                c->SetParent(nullptr);
            for (TrpComponent *c : full)
                c->SetParent(band);
        }
    } restore{band, full};
    for (int i = 0; i < stretches; ++i) {
        for (TrpComponent *c : band->Objects())
            c->SetParent(nullptr);
        for (int k = VerticalBreaks[i]; k < VerticalBreaks[i + 1] && k < full.size(); ++k)
            full[k]->SetParent(band);
        pages->AddObject(band);
        if (i + 1 < stretches) {
            SuppressHeaderReprint = true;
            try {
                NewPage();
            } catch (...) {
                SuppressHeaderReprint = false;
                throw;
            }
            SuppressHeaderReprint = false;
            SetCurY(y);
        } else if (stretches > 1) {
            EndPage();
        }
    }
    pages->SetWritePage(writePage);
    SetCurY(y);
    SetCurX(x);
    pages->SetAddPageMode(1);
}

void TrpEngine::PrintSubreports(TrpBand *band)
{
    QList<TrpSubreport *> subs;
    for (TrpComponent *c : band->Objects())
        if (auto *s = dynamic_cast<TrpSubreport *>(c); s && s->Visible() && !s->PrintOnParent() && s->Page())
            subs.append(s);
    if (subs.isEmpty())
        return;
    TrpCustomPreviewPages *pages = PreparedPages();
    const int startPage = pages->WritePage(), startColumn = CurColumn();
    const double startX = CurX(), startBaseX = BaseX, endY = CurY();
    int bestPage = startPage, bestColumn = startColumn;
    double bestY = endY;
    for (TrpSubreport *s : subs) {
        pages->SetWritePage(startPage);
        SetCurColumn(startColumn);
        BaseX = startBaseX + s->Left();
        SetCurX(startX + s->Left());
        SetCurY(endY - band->OutputHeight + s->Top());
        RunReportPage(s->Page());
        const int p = pages->WritePage();
        if (p > bestPage || (p == bestPage && (CurColumn() > bestColumn ||
                                               (CurColumn() == bestColumn && CurY() > bestY)))) {
            bestPage = p;
            bestColumn = CurColumn();
            bestY = CurY();
        }
    }
    pages->SetWritePage(bestPage);
    SetCurColumn(bestColumn);
    SetCurY(bestY);
    double x = 0;
    if (bestColumn > 1) {
        x = ColumnPositionPx(CurReportPage, bestColumn);
    }
    SetCurX(startBaseX + x);
    BaseX = startBaseX;
}

void TrpEngine::PrintSubreportsOnParent(TrpBand *band)
{
    if (CollectInto)
        return;
    band->OwnObjectCount = int(band->Objects().size());
    auto *collect = new TrpNullBand(nullptr);
    CollectInto = collect;
    struct Free {
        TrpEngine *e;
        TrpNullBand *c;
        ~Free()
        {
            e->CollectInto = nullptr;
            platform::Component::free(c);
        }
    } free{this, collect};
    const double x = CurX(), y = CurY(), baseX = BaseX;
    TrpReportPage *page = CurReportPage;
    for (TrpComponent *c : QList<TrpComponent *>(band->Objects())) {
        auto *s = dynamic_cast<TrpSubreport *>(c);
        if (!s || !s->Visible() || !s->PrintOnParent() || !s->Page())
            continue;
        BaseX = baseX + s->Left();
        SetCurX(x + s->Left());
        SetCurY(s->Top());
        RunReportPage(s->Page());
        CurReportPage = page;
        SetCurX(x);
        SetCurY(y);
        BaseX = baseX;
    }
    for (TrpComponent *b : QList<TrpComponent *>(collect->Objects())) {
        for (TrpComponent *v : QList<TrpComponent *>(b->Objects())) {
            if (!dynamic_cast<TrpView *>(v) || dynamic_cast<TrpSubreport *>(v))
                continue;
            const double left = b->Left() + v->Left(), top = b->Top() + v->Top();
            v->SetParent(band);
            v->SetParentFont(false);
            v->SetLeft(left);
            v->SetTop(top);
            if (auto *st = dynamic_cast<TrpStretcheable *>(v))
                st->SetStretchMode(smDontStretch);
        }
    }
}

} // namespace bralvo::report
