// The program's report layouts: each loads from the resources, has the
// page, bands and pictures the windows rely on, and every bracketed name
// in it is answered by its window's value function.
#include "app/billprintvalues.h"
#include "app/listreportvalues.h"
#include "app/receiptvalues.h"
#include "app/reportlayouts.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trppictureview.h"
#include "report/model/trpreport.h"
#include "services/builtintexts.h"
#include "tests/support/programfolders.h"

#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;

namespace {

using Answers = std::function<bool(const QString &name, platform::Variant &value)>;

QStringList bracketedNames(const TrpReport &report)
{
    static const QRegularExpression bracket(QStringLiteral("\\[([^\\[\\]]+)\\]"));
    QStringList names;
    for (TrpComponent *c : report.AllObjects()) {
        if (auto *memo = dynamic_cast<TrpCustomMemoView *>(c)) {
            for (const auto &m : bracket.globalMatch(memo->Text()))
                names << m.captured(1);
        }
    }
    names.removeDuplicates();
    return names;
}

struct Layout {
    const char *file;
    const char *dataSet;  // nullptr: none
    Answers answers;
};

class ReportLayouts : public ::testing::Test {
protected:
    void SetUp() override { services::LoadDefaultTexts(); }
    test::ProgramFolders m_folders;
};

TEST_F(ReportLayouts, EveryBracketedNameIsAnswered)
{
    const app::BillPrintData bill;
    const app::ReceiptData receipt;
    app::ListReportData list;
    list.company = QHash<QString, QString>();
    const auto overview = [&list](app::OverviewTab tab) {
        return [tab, &list](const QString &n, platform::Variant &v) { return app::OverviewReportValue(tab, list, 0, n, v); };
    };
    const Layout layouts[] = {
        {"bill.rpx", "rpUDSpolozky", [&](const QString &n, platform::Variant &v) { return app::BillPrintValue(bill, 0, n, v); }},
        {"bill_dotmatrix.rpx", "rpUDSpolozky",
         [&](const QString &n, platform::Variant &v) { return app::BillPrintValue(bill, 0, n, v); }},
        {"receipt.rpx", nullptr, [&](const QString &n, platform::Variant &v) { return app::ReceiptValue(receipt, n, v); }},
        {"receipt_two.rpx", nullptr, [&](const QString &n, platform::Variant &v) { return app::ReceiptValue(receipt, n, v); }},
        {"bill_list.rpx", "rpUDTzoznamf",
         [&](const QString &n, platform::Variant &v) { return app::BillListReportValue(list, 0, n, v); }},
        {"overview_bills.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Bills)},
        {"overview_customers.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Customers)},
        {"overview_categories.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Categories)},
        {"overview_items.rpx", "rpUDTzoznamf", overview(app::OverviewTab::Items)},
    };
    for (const Layout &l : layouts) {
        SCOPED_TRACE(l.file);
        TrpUserDataSet rows(nullptr);
        rows.SetUserName(QString::fromLatin1(l.dataSet ? l.dataSet : "unused"));
        TrpReport report;
        app::LoadReportLayout(report, QString::fromLatin1(l.file), l.dataSet ? &rows : nullptr);
        EXPECT_EQ(report.PreviewOptions()->AllowEdit(), false);
        EXPECT_EQ(report.ScriptLanguage(), "PascalScript");
        const QStringList names = bracketedNames(report);
        EXPECT_GT(names.size(), 10);
        for (const QString &name : names) {
            if (name == QLatin1String("Page#"))
                continue;
            platform::Variant v;
            EXPECT_TRUE(l.answers(name, v)) << name.toStdString();
        }
        if (l.dataSet) {
            auto *master = dynamic_cast<TrpDataBand *>(report.FindObject(QStringLiteral("MasterData1")));
            ASSERT_NE(master, nullptr);
            EXPECT_EQ(master->DataSet(), &rows);
        }
    }
}

// Print jobs and proposed PDF files take the layout's name; without one
// they would show the layout's resource path.
TEST_F(ReportLayouts, EveryLayoutCarriesItsDocumentName)
{
    const struct {
        const char *file, *name;
    } layouts[] = {
        {"bill.rpx", "Faktúra"},
        {"bill_dotmatrix.rpx", "Faktúra"},
        {"receipt.rpx", "Príjmový doklad"},
        {"receipt_two.rpx", "Príjmový doklad"},
        {"bill_list.rpx", "Zoznam faktúr"},
        {"overview_bills.rpx", "Prehľad faktúr"},
        {"overview_customers.rpx", "Prehľad odberateľov"},
        {"overview_categories.rpx", "Prehľad kategórií položiek"},
        {"overview_items.rpx", "Prehľad položiek"},
    };
    for (const auto &l : layouts) {
        TrpReport report;
        app::LoadReportLayout(report, QString::fromLatin1(l.file));
        EXPECT_EQ(report.ReportOptions()->Name(), QString::fromUtf8(l.name)) << l.file;
    }
}

double mm(double px) { return px / kPixelsPerMm; }

TEST_F(ReportLayouts, BillPageLayout)
{
    TrpUserDataSet lines(nullptr);
    lines.SetUserName(QStringLiteral("rpUDSpolozky"));
    TrpReport report;
    app::LoadReportLayout(report, QStringLiteral("bill.rpx"), &lines);
    auto *page = dynamic_cast<TrpReportPage *>(report.FindObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->PaperSize(), 9);
    EXPECT_EQ(page->LeftMargin(), 7);
    EXPECT_EQ(page->RightMargin(), 7);
    EXPECT_EQ(page->TopMargin(), 10);
    EXPECT_EQ(page->BottomMargin(), 14);
    const struct {
        const char *band;
        double height;
    } bands[] = {{"ReportTitle1", 102}, {"PageHeader1", 10}, {"MasterData1", 4}, {"ReportSummary1", 57.5}, {"PageFooter1", 5}};
    for (const auto &b : bands) {
        TrpComponent *band = report.FindObject(QString::fromLatin1(b.band));
        ASSERT_NE(band, nullptr) << b.band;
        EXPECT_NEAR(mm(band->Height()), b.height, 0.01) << b.band;
    }
    auto *logo = dynamic_cast<TrpPictureView *>(report.FindObject(QStringLiteral("logoFirmy")));
    ASSERT_NE(logo, nullptr);
    EXPECT_NEAR(mm(logo->Left()), 57, 0.01);
    EXPECT_NEAR(mm(logo->Width()), 39, 0.01);
    auto *signature = dynamic_cast<TrpPictureView *>(report.FindObject(QStringLiteral("obrPodpis")));
    ASSERT_NE(signature, nullptr);
    EXPECT_NEAR(mm(signature->Height()), 19, 0.01);
    auto *master = static_cast<TrpReportComponent *>(report.FindObject(QStringLiteral("MasterData1")));
    auto *summary = static_cast<TrpReportComponent *>(report.FindObject(QStringLiteral("ReportSummary1")));
    EXPECT_EQ(master->OnAfterPrint(), "MasterData1OnAfterPrint");
    EXPECT_EQ(summary->OnBeforePrint(), "ReportSummary1OnBeforePrint");
    const QString script = report.ScriptText()->text();
    EXPECT_TRUE(script.contains("procedure MasterData1OnAfterPrint")) << script.toStdString();
    EXPECT_TRUE(script.contains("Engine.PageHeight - PageFooter1.Height - ReportSummary1.Height - 0.1"));
}

TEST_F(ReportLayouts, DotMatrixAndReceiptPages)
{
    TrpUserDataSet lines(nullptr);
    lines.SetUserName(QStringLiteral("rpUDSpolozky"));
    TrpReport cells;
    app::LoadReportLayout(cells, QStringLiteral("bill_dotmatrix.rpx"), &lines);
    EXPECT_TRUE(cells.DotMatrixReport());
    auto *page = dynamic_cast<TrpDMPPage *>(cells.FindObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    // Letter, cut down to whole character rows.
    EXPECT_NEAR(page->PaperWidth(), 215.9, 0.01);
    EXPECT_NEAR(page->PaperHeight(), 278.87, 0.01);
    EXPECT_NEAR(cells.FindObject(QStringLiteral("ReportTitle1"))->Height(), 29 * DMPCellHeight, 0.01);
    EXPECT_NEAR(cells.FindObject(QStringLiteral("ReportSummary1"))->Height(), 16 * DMPCellHeight, 0.01);

    for (const char *file : {"receipt.rpx", "receipt_two.rpx"}) {
        TrpReport receipt;
        app::LoadReportLayout(receipt, QString::fromLatin1(file));
        EXPECT_FALSE(receipt.DotMatrixReport());
        auto *p = dynamic_cast<TrpReportPage *>(receipt.FindObject(QStringLiteral("Page1")));
        ASSERT_NE(p, nullptr);
        for (double margin : {p->LeftMargin(), p->RightMargin(), p->TopMargin(), p->BottomMargin()})
            EXPECT_EQ(margin, 20) << file;
        const double expected = QLatin1String(file) == QLatin1String("receipt.rpx") ? 107 : 249;
        EXPECT_NEAR(mm(receipt.FindObject(QStringLiteral("ReportTitle1"))->Height()), expected, 0.01) << file;
    }
}

} // namespace
