// The engine writing into the real prepared-pages store: pages rebuilt
// from the store carry the texts and positions the engine gave them, and
// the bill layout's script puts its summary at the foot of the last page.
#include "enginereport.h"
#include "report/engine/trppreviewpages.h"
#include "tests/support/qstringprint.h"

namespace bralvo::report::testing {
namespace {

class EngineWithStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        installReportEngine();
        installPreviewPages();
        report = std::make_unique<TrpReport>(nullptr);
        report->EngineOptions()->SetNewSilentMode(simSilent);
    }

    TrpUserDataSet *rows(int count, const QString &name = QStringLiteral("Items"))
    {
        auto *ds = new TrpUserDataSet(nullptr);
        owned.reset(ds);
        ds->setName(name);
        ds->SetUserName(name);
        ds->SetRangeEnd(reCount);
        ds->SetRangeEndCount(count);
        ds->OnGetValue = [ds](const QString &, Variant &v) { v = Variant(QStringLiteral("R%1").arg(ds->RecNo() + 1)); };
        report->DataSets()->Add(ds);
        return ds;
    }

    // The memo texts of a rebuilt page, in object order.
    QStringList texts(int index)
    {
        QStringList out;
        TrpReportPage *page = report->PreparedPages()->GetPage(index);
        for (TrpComponent *c : page ? page->AllObjects() : QList<TrpComponent *>())
            if (auto *m = dynamic_cast<TrpCustomMemoView *>(c))
                out.append(m->Text());
        return out;
    }

    std::unique_ptr<TrpDataSet> owned;
    std::unique_ptr<TrpReport> report;
};

TEST_F(EngineWithStore, ListReportPagesRebuildWithTheirTexts)
{
    auto *page = new TrpReportPage(report.get());
    page->setName(QStringLiteral("Page1"));
    auto *header = new TrpPageHeader(page);
    header->setName(QStringLiteral("Header"));
    header->SetBounds(0, 0, 700, 30);
    auto *title = new TrpMemoView(header);
    title->setName(QStringLiteral("PageText"));
    title->SetBounds(0, 0, 300, 20);
    title->SetText(QStringLiteral("Page [Page#]"));
    auto *band = new TrpMasterData(page);
    band->setName(QStringLiteral("Master"));
    band->SetBounds(0, 40, 700, 20);
    band->SetDataSet(rows(120));
    auto *memo = new TrpMemoView(band);
    memo->setName(QStringLiteral("Name"));
    memo->SetBounds(0, 0, 300, 20);
    memo->SetText(QStringLiteral("[Items.\"Name\"]"));
    ASSERT_TRUE(report->PrepareReport()) << report->ErrorList().text().toStdString();
    // (1122.5 - 30) / 20: 54 rows a page.
    TrpCustomPreviewPages *pages = report->PreparedPages();
    ASSERT_EQ(pages->GetCount(), 3);
    const QStringList first = texts(0);
    ASSERT_EQ(first.size(), 55);
    EXPECT_EQ(first.first(), QStringLiteral("Page 1"));
    EXPECT_EQ(first.at(1), QStringLiteral("R1"));
    EXPECT_EQ(first.last(), QStringLiteral("R54"));
    EXPECT_EQ(texts(2).first(), QStringLiteral("Page 3"));
    EXPECT_EQ(texts(2).last(), QStringLiteral("R120"));
    TrpReportPage *second = pages->GetPage(1);
    ASSERT_NE(second, nullptr);
    QList<double> tops;
    for (TrpComponent *c : second->Objects())
        tops.append(c->Top());
    EXPECT_EQ(tops.size(), 55);
    EXPECT_DOUBLE_EQ(tops.at(1), 30);
    EXPECT_DOUBLE_EQ(tops.last(), 30 + 53 * 20);
}

TEST_F(EngineWithStore, BillScriptPutsTheSummaryAtTheFootOfTheLastPage)
{
    ASSERT_TRUE(report->LoadFromFile(QStringLiteral(BRALVO_ENGINE_TEST_DATA "/billsummary.rpx")))
        << report->ErrorList().text().toStdString();
    TrpUserDataSet *ds = rows(60, QStringLiteral("Lines"));
    auto *band = dynamic_cast<TrpMasterData *>(report->FindObject(QStringLiteral("MasterData1")));
    ASSERT_NE(band, nullptr);
    band->SetDataSet(ds);
    ds->OnGetValue = [ds](const QString &field, Variant &v) {
        v = field == QLatin1String("price") ? Variant(ds->RecNo() + 1) : Variant(QStringLiteral("x"));
    };
    report->OnGetValue = [](const QString &name, Variant &v) {
        if (name == QLatin1String("number"))
            v = Variant(QStringLiteral("7"));
    };
    ASSERT_TRUE(report->PrepareReport()) << report->ErrorList().text().toStdString();
    TrpCustomPreviewPages *pages = report->PreparedPages();
    ASSERT_EQ(pages->GetCount(), 2);
    TrpReportPage *last = pages->GetPage(1);
    ASSERT_NE(last, nullptr);
    TrpComponent *summary = last->FindObject(QStringLiteral("ReportSummary1"));
    TrpComponent *footer = last->FindObject(QStringLiteral("PageFooter1"));
    ASSERT_NE(summary, nullptr);
    ASSERT_NE(footer, nullptr);
    const double pageHeight = 1031.81169;
    EXPECT_NEAR(summary->Top(), pageHeight - 30 - 120 - 0.1, 1e-3);
    EXPECT_NEAR(footer->Top(), pageHeight - 30, 1e-3);
    EXPECT_EQ(pages->GetPage(0)->FindObject(QStringLiteral("ReportSummary1")), nullptr);
    EXPECT_EQ(dynamic_cast<TrpCustomMemoView *>(last->FindObject(QStringLiteral("Total")))->Text(),
              QStringLiteral("Total 1830"));
}

} // namespace
} // namespace bralvo::report::testing
