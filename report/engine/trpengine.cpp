// The engine's run: checks, dialog pages, passes, page runs.
#include "report/engine/trpengine.h"

#include "platform/error.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <QCoreApplication>
#include <QDateTime>

namespace bralvo::report {

namespace {

constexpr int kModalCancel = 2;

QList<TrpReportPage *> reportPages(TrpReport *report)
{
    QList<TrpReportPage *> pages;
    for (TrpComponent *c : report->Objects())
        if (auto *p = dynamic_cast<TrpReportPage *>(c))
            pages.append(p);
    return pages;
}

TrpDataSet *dataSetOf(TrpBand *band)
{
    auto *db = dynamic_cast<TrpDataBand *>(band);
    return db ? db->DataSet() : nullptr;
}

} // namespace

void TrpHeaderList::Add(TrpBand *band, bool addedWhileKeeping, double reprintX)
{
    m_items.push_back(TrpHeaderListItem{band, reprintX, addedWhileKeeping});
}

void TrpHeaderList::Remove(TrpBand *band)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->ReprintBand == band) {
            m_items.erase(it);
            return;
        }
    }
}

const platform::ClassInfo &TrpEngine::staticClass()
{
    static const platform::ClassInfo info =
        platform::makeClassInfo("TrpEngine", &TrpCustomEngine::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TrpEngine::TrpEngine(TrpReport *report) : TrpCustomEngine(report), m_aggregates(report) {}

TrpEngine::~TrpEngine() = default;

TrpCustomOutline *TrpEngine::outline() const
{
    return PreparedPages() ? PreparedPages()->Outline() : nullptr;
}

platform::Variant TrpEngine::GetAggregateValue(const QString &name, const QString &expression, TrpBand *band,
                                               int flags)
{
    return m_aggregates.Lookup(AggregateBand, CurVColumn(), name, expression, band, flags);
}

bool TrpEngine::Run()
{
    bool result = false;
    try {
        if (prepareRun()) {
            TrpReport *report = Report();
            struct StopReport {
                TrpReport *r;
                ~StopReport()
                {
                    try {
                        r->RunScriptEvent(r, r->OnStopReport());
                    } catch (...) {
                    }
                }
            };
            report->DataSets()->Initialize();
            StopReport stop{report};
            report->RunScriptEvent(report, report->OnStartReport());
            if (showDialogPages()) {
                TrpCustomPreviewPages *pages = PreparedPages();
                for (TrpReportPage *page : reportPages(report)) {
                    CurReportPage = page;
                    pages->AddSourceObjects(page);
                    m_aggregates.CollectCalls(page);
                }
                SetFinalPass(!DoublePass());
                SetTotalPages(0);
                pages->BeginPass();
                runPass();
                if (DoublePass()) {
                    SetTotalPages(pages->GetCount());
                    pages->ClearFirstPassPages();
                    m_aggregates.ResetAll();
                    SetFinalPass(true);
                    runPass();
                }
                result = true;
            }
        }
    } catch (...) {
        finishRun();
        throw;
    }
    finishRun();
    return result;
}

bool TrpEngine::prepareRun()
{
    TrpReport *report = Report();
    PreparedPages()->Initialize();
    const QDateTime now = QDateTime::currentDateTime();
    const double days = QDate(1899, 12, 30).daysTo(now.date());
    SetStartDate(days);
    SetStartTime(now.time().msecsSinceStartOfDay() / 86400000.0);
    SetRunning(true);
    KeepActive = false;
    SetCurVColumn(0);
    CollectInto = nullptr;
    m_aggregates.FreeItems();
    for (TrpReportPage *page : reportPages(report)) {
        BuildBandTree(page, false);
        BuildBandTree(page, true);
    }
    checkDataSets();
    return report->ErrorList().count() == 0;
}

// At most one dataset clash per page; a page sharing the report's
// dataset ends the checks.
void TrpEngine::checkDataSets()
{
    TrpReport *report = Report();
    TrpDataSet *reportDs = report->DataSet();
    for (TrpReportPage *page : reportPages(report)) {
        if (reportDs && page->DataSet() == reportDs) {
            report->ErrorList().add(QStringLiteral("Cannot use the same dataset for Report.DataSet and Page.DataSet"));
            return;
        }
        for (TrpBand *band : page->Bands) {
            TrpDataSet *ds = dataSetOf(band);
            if (reportDs && ds == reportDs) {
                report->ErrorList().add(
                    QStringLiteral("Cannot use the same dataset for Report.DataSet and Band.DataSet"));
                break;
            }
            if (page->DataSet() && ds == page->DataSet()) {
                report->ErrorList().add(QStringLiteral("Cannot use the same dataset for Page.DataSet and Band.DataSet"));
                break;
            }
        }
    }
}

void TrpEngine::finishRun()
{
    try {
        Report()->DataSets()->Finalize();
    } catch (...) {
        PreparedPages()->Finish();
        SetRunning(false);
        throw;
    }
    PreparedPages()->Finish();
    SetRunning(false);
}

bool TrpEngine::showDialogPages()
{
    TrpReport *report = Report();
    if (!report->OnRunDialogs().trimmed().isEmpty()) {
        platform::Variant params =
            platform::Variant::createArray({platform::VarArrayBound{0, 0}}, platform::varVariant);
        params.setElement(0, platform::Variant(true));
        report->RunScriptEventParams(report->OnRunDialogs(), params);
        const platform::Variant back = params.element(0);
        return !back.isNull() && !back.isEmpty() && back.toBool();
    }
    for (TrpComponent *c : report->Objects()) {
        auto *page = dynamic_cast<TrpDialogPage *>(c);
        if (!page || !page->Visible() || page->Objects().isEmpty())
            continue;
        if (RunDialogHandler)
            RunDialogHandler(page);
        else
            page->ShowModal();
        if (page->ModalResult() == kModalCancel)
            return false;
    }
    return true;
}

void TrpEngine::runPass()
{
    FirstPageOfPass = true;
    TrpReport *report = Report();
    if (TrpDataSet *ds = report->DataSet()) {
        ds->First();
        while (!ds->Eof() && !report->Terminated()) {
            runPagesOnce();
            ds->Next();
        }
    } else {
        runPagesOnce();
    }
}

void TrpEngine::runPagesOnce()
{
    TrpReport *report = Report();
    for (TrpReportPage *page : reportPages(report)) {
        CurReportPage = page;
        if (!page->IsSubReport() && page->Visible())
            RunReportPage(page);
        if (report->Terminated())
            break;
        FirstPageOfPass = false;
    }
}

void TrpEngine::RunReportPage(TrpReportPage *page)
{
    if (page->IsSubReport()) {
        PrintDataBands(page);
        return;
    }
    TrpReport *report = Report();
    PageRunStarting = true;
    report->RunScriptEvent(page, page->OnBeforePrint());
    if (TrpDataSet *ds = page->DataSet()) {
        ds->First();
        while (!ds->Eof() && !report->Terminated()) {
            runPageOnce(page);
            ds->Next();
        }
    } else {
        runPageOnce(page);
    }
    report->RunScriptEvent(page, page->OnAfterPrint());
}

void TrpEngine::runPageOnce(TrpReportPage *page)
{
    TrpReport *report = Report();
    if (!report->EngineOptions()->PrintIfEmpty() && !HasRows(page, false))
        return;
    beginPage();
    printPageObjects();
    fillPage(page);
    OnLastPage = true;
    if (page->EndlessHeight() || page->EndlessWidth())
        setEndlessSize(page);
    EndPage();
    OnLastPage = false;
}

void TrpEngine::fillPage(TrpReportPage *page)
{
    TrpReport *report = Report();
    if (report->OnManualBuild)
        report->OnManualBuild(page);
    else if (!page->OnManualBuild().trimmed().isEmpty())
        report->RunScriptEvent(page, page->OnManualBuild());
    else
        PrintDataBands(page);
}

void TrpEngine::setEndlessSize(TrpReportPage *page)
{
    double width = page->PaperWidth() * kPixelsPerMm;
    if (page->EndlessWidth())
        width = page->LeftMargin() * kPixelsPerMm + PageWidth() + page->RightMargin() * kPixelsPerMm;
    double height = page->PaperHeight() * kPixelsPerMm;
    if (page->EndlessHeight()) {
        SetPageHeight(FooterHeight() + CurY());
        height = page->TopMargin() * kPixelsPerMm + PageHeight() + page->BottomMargin() * kPixelsPerMm;
    }
    PreparedPages()->SetSourcePageSize(page, height, width);
}

void TrpEngine::notifyWatchers(TrpBand *band)
{
    Q_UNUSED(band);
    for (platform::Persistent *p : WatchingObjects())
        if (auto *c = dynamic_cast<TrpComponent *>(p))
            c->DesignerNotify1();
}

} // namespace bralvo::report
