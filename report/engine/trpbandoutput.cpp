// One band on its way to the prepared pages: events and data of its
// objects, stretching and shifting, the page or column break before it,
// splitting over pages, and placement.
#include "report/engine/trpengine.h"

#include "report/model/trpband.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpmemoview.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <QSet>
#include <cmath>

namespace bralvo::report {

namespace {

constexpr double kTolerance = 1e-4;
// More parts than this means a layout no page can hold; the rest is
// then placed whole.
constexpr int kMaxSplitParts = 100000;

bool isDataBand(TrpBand *band)
{
    return dynamic_cast<TrpDataBand *>(band) != nullptr;
}

double bottomOf(TrpComponent *c)
{
    return c->Top() + c->Height();
}

// One character row less for a dot-matrix memo whose frame has a bottom line.
double dmpBottomRow(TrpComponent *c)
{
    auto *dmp = dynamic_cast<TrpDMPMemoView *>(c);
    return dmp && (dmp->Frame()->Typ() & ftBottom) ? DMPCellHeight : 0;
}

void detachAll(const QList<TrpComponent *> &objects)
{
    for (TrpComponent *c : objects)
        c->SetParent(nullptr);
}

} // namespace

void TrpEngine::ShowBand(TrpBand *band)
{
    if (!band)
        return;
    if (band->KeepChild())
        OpenKeepBlock(band);
    PrintBand(band);
    if (band->Child() && (band->Visible() || band->PrintChildIfInvisible()))
        ShowBand(band->Child());
    if (band->KeepChild())
        CloseKeepBlock(band);
    if (isDataBand(band))
        m_aggregates.Accumulate(band, 0);
}

void TrpEngine::PrintBand(TrpBand *band)
{
    TrpReport *report = Report();
    QList<int> savedBreaks;
    TrpBand *savedMaster = nullptr;
    if (band->HasVerticalCells) {
        report->SetCurrentObjectName(band->name());
        band->BeforePrint();
        report->DoBeforePrint(band);
        StartVerticalRow(band);
        SetCurX(0);
        PreparedPages()->SetAddPageMode(1);
        savedBreaks = VerticalBreaks;
        savedMaster = VerticalMaster;
    }
    if (band->Vertical()) {
        PrintVerticalBand(band);
        return;
    }
    const bool firstRowKind = isDataBand(band) || dynamic_cast<TrpGroupHeader *>(band);
    if (!ReprintingHeaders && band->Visible() && band->StartNewPage() && !CollectInto &&
        (!firstRowKind || band->RowNo != 1)) {
        PageBreakBand = band;
        auto *gh = dynamic_cast<TrpGroupHeader *>(band);
        if (gh && gh->ResetPageNumbers())
            PreparedPages()->ResetLogicalPageNumber();
        NewPage();
        PageBreakBand = nullptr;
    }
    try {
        PrepareBand(band);
        band->OutputHeight = band->Height();
        if (band->Visible()) {
            auto *db = dynamic_cast<TrpDataBand *>(band);
            const bool multiColumn = db && db->Columns() > 1;
            bool split = false;
            if (!multiColumn && !dynamic_cast<TrpOverlay *>(band) && !dynamic_cast<TrpNullBand *>(band) &&
                FreeSpace() < band->Height() && !CollectInto) {
                if (band->AllowSplit()) {
                    SplitBand(band);
                    split = true;
                } else {
                    bool suppressed = false;
                    for (TrpComponent *c : band->Objects()) {
                        auto *memo = dynamic_cast<TrpCustomMemoView *>(c);
                        if (memo && memo->SuppressRepeated()) {
                            memo->ResetSuppress();
                            suppressed = true;
                        }
                    }
                    if (suppressed) {
                        UnprepareBand(band);
                        PrepareBand(band);
                    }
                    NewColumn();
                }
            }
            if (!split) {
                if (multiColumn)
                    band->SetLeft(db->Left() + CurX());
                else if (!dynamic_cast<TrpNullBand *>(band))
                    band->SetLeft(CurX());
                if (!dynamic_cast<TrpNullBand *>(band))
                    band->SetTop(CurY());
                if (band->HasVerticalCells) {
                    VerticalBreaks = savedBreaks;
                    VerticalMaster = savedMaster;
                }
                outputBand(band);
                SetCurY(CurY() + band->Height());
            }
        }
    } catch (...) {
        UnprepareBand(band);
        throw;
    }
    UnprepareBand(band);
    m_aggregates.ResetHosted(band);
    if (band->Visible())
        PrintSubreports(band);
}

void TrpEngine::outputBand(TrpBand *band)
{
    if (CollectInto) {
        auto *copy = static_cast<TrpBand *>(band->classInfo().create(CollectInto));
        copy->AssignAll(*band);
        copy->SetBounds(band->Left(), band->Top(), band->Width(), band->Height());
    } else if (band->HasVerticalCells) {
        OutputVerticalRow(band);
    } else if (ReprintingHeaders) {
        if (!PreparedPages()->BandExists(band))
            PreparedPages()->AddObject(band);
    } else {
        PreparedPages()->AddObject(band);
    }
}

void TrpEngine::PrepareBand(TrpBand *band)
{
    TrpReport *report = Report();
    AggregateBand = band;
    BuildShiftTree(band);
    const bool master = band == VerticalMaster;
    if (!master) {
        report->SetCurrentObjectName(band->name());
        band->BeforePrint();
        report->DoBeforePrint(band);
    }
    bool stretched = false;
    bool onParent = false;
    for (TrpComponent *c : QList<TrpComponent *>(band->Objects())) {
        auto *obj = dynamic_cast<TrpReportComponent *>(c);
        if (!obj)
            continue;
        if (auto *sub = dynamic_cast<TrpSubreport *>(obj); sub && sub->PrintOnParent())
            onParent = true;
        if (!master) {
            report->SetCurrentObjectName(obj->name());
            obj->BeforePrint();
            if (band->Visible()) {
                report->DoBeforePrint(obj);
                if (obj->Visible()) {
                    obj->GetData();
                    report->RunScriptEvent(obj, obj->OnAfterData());
                }
            }
        }
        auto *s = dynamic_cast<TrpStretcheable *>(obj);
        if (band->Visible() && obj->Visible() && s && s->StretchMode() != smDontStretch) {
            const double h = s->CalcHeight();
            if (h <= s->Height()) {
                s->SetStretchDelta(0);
            } else {
                s->SetStretchDelta(h - s->Height());
                s->SetHeight(h);
                stretched = true;
            }
        }
    }
    if (!band->Visible())
        return;
    if (stretched)
        ShiftObjects(band, 0);
    if (onParent)
        PrintSubreportsOnParent(band);
    double bottom = 0;
    TrpComponent *lowest = nullptr;
    for (TrpComponent *c : band->Objects()) {
        if (!lowest || bottomOf(c) > bottom) {
            bottom = bottomOf(c);
            lowest = c;
        }
    }
    if (lowest)
        bottom += dmpBottomRow(lowest);
    if (band->Stretched())
        band->SetHeight(bottom);
    report->SetCurrentObjectName(band->name());
    report->RunScriptEvent(band, band->OnAfterCalcHeight());
    for (TrpComponent *c : band->Objects()) {
        auto *s = dynamic_cast<TrpStretcheable *>(c);
        if (s && s->StretchMode() == smMaxHeight)
            s->SetHeight(band->Height() - s->Top() - dmpBottomRow(s));
    }
}

void TrpEngine::ShiftObjects(TrpComponent *parent, double delta)
{
    auto *rp = dynamic_cast<TrpReportComponent *>(parent);
    if (!rp)
        return;
    const bool isBand = dynamic_cast<TrpBand *>(parent) != nullptr;
    const double parentBottom = parent->Top() + parent->Height();
    for (TrpComponent *c : rp->ShiftedObjects()) {
        auto *child = dynamic_cast<TrpReportComponent *>(c);
        if (!child)
            continue;
        auto *view = dynamic_cast<TrpView *>(child);
        const TrpShiftMode mode = view ? view->ShiftMode() : smAlways;
        double passed = delta + child->StretchDelta();
        if (mode == smAlways) {
            child->SetTop(child->Top() + delta);
        } else if (mode == smWhenOverlapped) {
            if (isBand || child->Top() >= parentBottom) {
                passed = child->StretchDelta();
            } else {
                passed = parentBottom - child->Top() + child->StretchDelta();
                child->SetTop(parentBottom);
            }
        }
        ShiftObjects(child, passed);
        child->SetStretchDelta(0);
    }
}

void TrpEngine::UnprepareBand(TrpBand *band)
{
    TrpReport *report = Report();
    const QList<TrpComponent *> objects = band->Objects();
    if (band->Visible()) {
        for (TrpComponent *c : objects) {
            if (auto *obj = dynamic_cast<TrpReportComponent *>(c)) {
                report->SetCurrentObjectName(obj->name());
                report->DoAfterPrint(obj);
            }
        }
    }
    for (TrpComponent *c : objects)
        if (auto *obj = dynamic_cast<TrpReportComponent *>(c))
            obj->AfterPrint();
    report->DoAfterPrint(band);
    band->AfterPrint();
    if (band->OwnObjectCount != -1) {
        const QList<TrpComponent *> now = band->Objects();
        for (int i = int(now.size()) - 1; i >= band->OwnObjectCount; --i)
            platform::Component::free(now.at(i));
        band->OwnObjectCount = -1;
    }
}

// One part of a split band: what fits above Space joins the band;
// Last tells whether the work list is now empty.
void TrpEngine::splitPart(TrpBand *band, QList<TrpComponent *> &work, double space, bool &last)
{
    QSet<TrpComponent *> moved;
    const auto moveBelow = [&](TrpComponent *above, double by) {
        for (TrpComponent *o : work) {
            if (o == above || moved.contains(o) || o->Top() < bottomOf(above) - kTolerance)
                continue;
            if (o->Left() < above->Left() + above->Width() - kTolerance &&
                o->Left() + o->Width() > above->Left() + kTolerance) {
                o->SetTop(o->Top() + by);
                moved.insert(o);
            }
        }
    };
    for (TrpComponent *o : QList<TrpComponent *>(work)) {
        auto *s = dynamic_cast<TrpStretcheable *>(o);
        if (bottomOf(o) <= space + kTolerance) {
            o->SetParent(band);
            if (s)
                s->DrawPart();
            work.removeOne(o);
        } else if (s && o->Top() < space) {
            const double given = space - o->Top();
            o->SetHeight(given);
            const double r = s->DrawPart();
            moveBelow(o, r);
            if (std::abs(r - given) < kTolerance) {
                o->SetTop(space);
                o->SetHeight(s->PartHeight());
            } else {
                o->SetParent(band);
                s->SetPartHeight(s->PartHeight() - o->Height() + r);
            }
        } else if (o->Top() < space) {
            moveBelow(o, space - o->Top());
            o->SetTop(space);
        }
    }
    last = work.isEmpty();
}

void TrpEngine::SplitBand(TrpBand *band)
{
    const QList<TrpComponent *> full = band->Objects();
    QList<TrpComponent *> work;
    for (TrpComponent *c : full) {
        if (dynamic_cast<TrpSubreport *>(c))
            continue;
        work.append(c);
        if (auto *s = dynamic_cast<TrpStretcheable *>(c)) {
            s->InitPart();
            s->SetPartHeight(s->Height());
        }
    }
    detachAll(full);
    struct OverflowReset {
        TrpBand *band;
        ~OverflowReset() { band->Overflow = false; }
    } overflowReset{band};
    double space = FreeSpace();
    bool fresh = false;
    int parts = 0;
    try {
        while (!work.isEmpty()) {
            bool last = false;
            if (fresh && (space <= kTolerance || ++parts > kMaxSplitParts)) {
                // Not even a fresh page holds anything more: the rest goes
                // whole onto this one.
                for (TrpComponent *o : work) {
                    auto *s = dynamic_cast<TrpStretcheable *>(o);
                    if (o->Top() < 0)
                        o->SetTop(0);
                    if (s)
                        o->SetHeight(s->PartHeight());
                    o->SetParent(band);
                    if (s)
                        s->DrawPart();
                }
                work.clear();
                last = true;
            } else {
                splitPart(band, work, space, last);
                if (fresh && band->Objects().isEmpty() && !work.isEmpty()) {
                    // Nothing fitted a fresh page or column: the topmost
                    // object is placed whole, so the walk goes on.
                    TrpComponent *top = work.first();
                    for (TrpComponent *o : work)
                        if (o->Top() < top->Top())
                            top = o;
                    auto *s = dynamic_cast<TrpStretcheable *>(top);
                    if (s)
                        top->SetHeight(s->PartHeight());
                    if (top->Top() < 0)
                        top->SetTop(0);
                    top->SetParent(band);
                    if (s)
                        s->DrawPart();
                    work.removeOne(top);
                    for (TrpComponent *o : work)
                        if (o->Top() < bottomOf(top))
                            o->SetTop(o->Top() + bottomOf(top) - o->Top());
                    last = work.isEmpty();
                }
            }
            double height = 0;
            for (TrpComponent *c : band->Objects())
                height = qMax(height, bottomOf(c));
            band->SetHeight(height);
            if (last) {
                for (TrpComponent *c : band->Objects()) {
                    auto *v = dynamic_cast<TrpView *>(c);
                    if (v && v->Align() == baBottom)
                        v->SetTop(height - v->Height());
                    auto *s = dynamic_cast<TrpStretcheable *>(c);
                    if (s && s->StretchMode() == smMaxHeight)
                        s->SetHeight(height - s->Top());
                }
            }
            band->SetLeft(CurX());
            band->SetTop(CurY());
            PreparedPages()->AddObject(band);
            if (last) {
                SetCurY(CurY() + height);
            } else {
                band->Overflow = true;
                NewColumn();
                fresh = true;
            }
            detachAll(band->Objects());
            for (TrpComponent *o : work) {
                o->SetTop(o->Top() - space);
                if (auto *s = dynamic_cast<TrpStretcheable *>(o)) {
                    o->SetHeight(s->PartHeight());
                    if (o->Top() < 0)
                        o->SetTop(0);
                }
            }
            space = FreeSpace();
        }
    } catch (...) {
        detachAll(band->Objects());
        for (TrpComponent *c : full)
            c->SetParent(band);
        throw;
    }
    for (TrpComponent *c : full)
        c->SetParent(band);
}

} // namespace bralvo::report
