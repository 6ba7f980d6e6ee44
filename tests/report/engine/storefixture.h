// A report with the real prepared-pages store and a small example page:
// page "Page1" (A4, margins 10 mm) with the master data band "Band1" at
// top 20 holding the memos "Memo1", "Memo2" and "Memo3".
#pragma once

#include "report/engine/trppreviewpages.h"
#include "report/model/trpband.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "tests/report/model/stubengine.h"

#include <gtest/gtest.h>
#include <memory>

namespace bralvo::report::testing {

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = reportMachinery();
        installPreviewPages();
        report = std::make_unique<TrpReport>(nullptr);
        report->EngineOptions()->SetNewSilentMode(simSilent);
        pages = dynamic_cast<TrpPreviewPages *>(report->PreparedPages());
        ASSERT_NE(pages, nullptr);
        engine = std::make_unique<StubEngine>(report.get());
        engine->SetFinalPass(true);
        pages->SetEngine(engine.get());
        page = new TrpReportPage(report.get());
        page->setName(QStringLiteral("Page1"));
        page->SetLeftMargin(10);
        page->SetTopMargin(10);
        band = new TrpMasterData(page);
        band->setName(QStringLiteral("Band1"));
        band->SetBounds(0, 20, 700, 40);
        for (int i = 1; i <= 3; ++i) {
            auto *m = new TrpMemoView(band);
            m->setName(QStringLiteral("Memo%1").arg(i));
            m->SetBounds(10 + 100 * (i - 1), 2, 90, 20);
            m->SetText(QStringLiteral("text %1").arg(i));
            memos.append(m);
        }
    }

    void TearDown() override
    {
        pages->Clear();
        pages->SetEngine(nullptr);
        report.reset();
        setReportMachinery(m_saved);
    }

    // One prepared page per entry of Texts: the band at Top with Memo1
    // showing the text.
    void preparePages(const QStringList &texts, double top = 20)
    {
        pages->AddSourceObjects(page);
        for (const QString &t : texts) {
            pages->AddPage(page);
            band->SetTop(top);
            memos[0]->SetText(t);
            pages->AddObject(band);
        }
        memos[0]->SetText(QStringLiteral("text 1"));
        band->SetTop(20);
    }

    TrpCustomMemoView *rebuiltMemo(int pageIndex, const QString &name)
    {
        TrpReportPage *p = pages->GetPage(pageIndex);
        return p ? dynamic_cast<TrpCustomMemoView *>(p->FindObject(name)) : nullptr;
    }

    std::unique_ptr<TrpReport> report;
    TrpPreviewPages *pages = nullptr;
    std::unique_ptr<StubEngine> engine;
    TrpReportPage *page = nullptr;
    TrpMasterData *band = nullptr;
    QList<TrpMemoView *> memos;

private:
    TrpReportMachinery m_saved;
};

} // namespace bralvo::report::testing
