// A report with the real prepared-pages store and memo text layout,
// filled with invoice-like pages: each line is the band "Band1" added at
// its top, its memo "Memo1" showing the line.
#pragma once

#include "report/engine/trpmemotextlayout.h"
#include "report/engine/trppreviewpages.h"
#include "report/model/trpband.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "tests/report/model/stubengine.h"

#include <QStringList>
#include <memory>

namespace bralvo::report::testing {

struct RealStoreReport {
    TrpReportMachinery saved = reportMachinery();
    std::unique_ptr<TrpReport> report;
    TrpPreviewPages *pages = nullptr;
    std::unique_ptr<StubEngine> engine;
    TrpReportPage *page = nullptr;
    TrpMasterData *band = nullptr;
    TrpMemoView *memo = nullptr;

    RealStoreReport()
    {
        installMemoTextLayout();
        installPreviewPages();
        report = std::make_unique<TrpReport>(nullptr);
        report->EngineOptions()->SetNewSilentMode(simSilent);
        pages = dynamic_cast<TrpPreviewPages *>(report->PreparedPages());
        engine = std::make_unique<StubEngine>(report.get());
        engine->SetFinalPass(true);
        pages->SetEngine(engine.get());
        page = new TrpReportPage(report.get());
        page->setName(QStringLiteral("Page1"));
        page->SetLeftMargin(10);
        page->SetTopMargin(10);
        band = new TrpMasterData(page);
        band->setName(QStringLiteral("Band1"));
        band->SetBounds(0, 0, 700, 18);
        memo = new TrpMemoView(band);
        memo->setName(QStringLiteral("Memo1"));
        memo->SetBounds(0, 0, 690, 18);
    }
    ~RealStoreReport()
    {
        pages->Clear();
        pages->SetEngine(nullptr);
        report.reset();
        setReportMachinery(saved);
    }
    // One prepared page per entry, its lines 20 pixels apart.
    void preparePages(const std::vector<QStringList> &pageLines)
    {
        pages->AddSourceObjects(page);
        for (const QStringList &lines : pageLines) {
            pages->AddPage(page);
            double top = 10;
            for (const QString &line : lines) {
                band->SetTop(top);
                memo->SetText(line);
                pages->AddObject(band);
                top += 20;
            }
        }
    }
};

} // namespace bralvo::report::testing
