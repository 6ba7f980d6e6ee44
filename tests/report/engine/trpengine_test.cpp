// The page-building engine on small reports built in code: checks before
// the run, page geometry, passes, page starts and ends, band tree errors,
// master/detail, columns, groups, page breaks, repeated headers and
// splitting.
#include "enginereport.h"

#include <QStringList>

namespace bralvo::report::testing {
namespace {

class EngineTest : public ::testing::Test {
protected:
    EngineReport r;
};

TEST_F(EngineTest, DatasetClashesAreReportedOncePerPageAndBuildNoPages)
{
    struct Case {
        const char *what;
        bool reportDs, pageDs, bandDs;
        const char *message;
    };
    const Case cases[] = {
        {"report = page", true, true, false, "Cannot use the same dataset for Report.DataSet and Page.DataSet"},
        {"report = band", true, false, true, "Cannot use the same dataset for Report.DataSet and Band.DataSet"},
        {"page = band", false, true, true, "Cannot use the same dataset for Page.DataSet and Band.DataSet"},
    };
    for (const Case &c : cases) {
        EngineReport e;
        TrpUserDataSet *ds = e.addRows(QStringLiteral("Items"), 2);
        TrpReportPage *page = e.addPage();
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
        band->SetDataSet(c.bandDs ? ds : e.addRows(QStringLiteral("Other"), 1));
        if (c.reportDs)
            e.report->SetDataSet(ds);
        if (c.pageDs)
            page->SetDataSet(ds);
        EXPECT_FALSE(e.prepare()) << c.what;
        EXPECT_EQ(e.errors(), QString::fromLatin1(c.message)) << c.what;
        EXPECT_EQ(e.pageCount(), 0) << c.what;
    }
}

TEST_F(EngineTest, BillPageGeometryFollowsPaperAndMargins)
{
    TrpReportPage *page = r.addPage();
    page->SetPaperSize(9);
    page->SetTopMargin(10);
    page->SetBottomMargin(14);
    page->SetLeftMargin(7);
    page->SetRightMargin(7);
    double height = 0, width = 0, free = 0;
    r.report->OnManualBuild = [&](TrpPage *) {
        height = r.engine().PageHeight();
        width = r.engine().PageWidth();
        free = r.engine().FreeSpace();
    };
    ASSERT_TRUE(r.prepare()) << r.errors().toStdString();
    EXPECT_NEAR(height, 1031.81169, 1e-4);
    EXPECT_NEAR(width, 740.78788, 1e-4);
    EXPECT_NEAR(free, height, 1e-9);
}

TEST_F(EngineTest, EndlessPageHasAlmostUnlimitedSpaceAndTakesItsContentHeight)
{
    TrpReportPage *page = r.addPage();
    page->SetEndlessHeight(true);
    page->SetTopMargin(10);
    page->SetBottomMargin(10);
    auto *band = r.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 30);
    band->SetDataSet(r.addRows(QStringLiteral("Items"), 100));
    r.addBand<TrpPageFooter>(page, QStringLiteral("Footer"), 500, 25);
    double free = 0;
    band->SetOnBeforePrint(QString());
    r.report->OnBeforePrint = [&](TrpReportComponent *c) {
        if (c == band)
            free = r.engine().FreeSpace();
    };
    ASSERT_TRUE(r.prepare()) << r.errors().toStdString();
    EXPECT_EQ(free, 1e6);
    ASSERT_EQ(r.pageCount(), 1);
    // 100 rows of 30, the footer, and both margins.
    EXPECT_NEAR(r.pages().sourceHeight, 3000 + 25 + 20 * kPixelsPerMm, 1e-6);
    EXPECT_NEAR(r.page(0).band(QStringLiteral("Footer"))->top, 3000, 1e-6);
}

TEST_F(EngineTest, DoublePassSeesTheFirstPassPageCountAndKeepsOnlyTheFinalPages)
{
    r.report->EngineOptions()->SetDoublePass(true);
    TrpReportPage *page = r.addPage();
    auto *band = r.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 400);
    band->SetDataSet(r.addRows(QStringLiteral("Items"), 5));
    QList<QPair<bool, int>> seen;
    r.report->OnBeforePrint = [&](TrpReportComponent *c) {
        if (c == band)
            seen.append({r.engine().FinalPass(), r.engine().TotalPages()});
    };
    ASSERT_TRUE(r.prepare()) << r.errors().toStdString();
    // Two rows of 400 fit a page of 1122: three pages.
    EXPECT_EQ(r.pageCount(), 3);
    ASSERT_EQ(seen.size(), 10);
    EXPECT_EQ(seen.first(), qMakePair(false, 0));
    EXPECT_EQ(seen.last(), qMakePair(true, 3));
}

TEST_F(EngineTest, SummaryIsPrintedOnceOnTheLastPageEvenWhenItNeedsANewPage)
{
    struct Case {
        int rows;
        const char *layout;
    };
    // Rows of 20 on a page of 1122.5 with a footer of 50: 51 rows leave
    // 52.5 pixels, enough for the summary of 40; 53 rows leave 12.5.
    const Case cases[] = {
        {3, "Title,Master,Master,Master,Summary,Footer"},
        {53, "* | Summary,Footer"},
    };
    for (const Case &c : cases) {
        EngineReport e;
        TrpReportPage *page = e.addPage();
        e.addBand<TrpReportTitle>(page, QStringLiteral("Title"), 0, 0);
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 40, 20);
        band->SetDataSet(e.addRows(QStringLiteral("Items"), c.rows));
        e.addBand<TrpReportSummary>(page, QStringLiteral("Summary"), 80, 40);
        e.addBand<TrpPageFooter>(page, QStringLiteral("Footer"), 200, 50);
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        const QString layout = e.layout();
        EXPECT_EQ(layout.count(QStringLiteral("Summary")), 1) << c.rows;
        EXPECT_EQ(layout.count(QStringLiteral("Footer")), e.pageCount()) << c.rows;
        const QString expected = QString::fromLatin1(c.layout);
        if (expected.startsWith(u'*'))
            EXPECT_TRUE(layout.endsWith(expected.mid(1))) << layout.toStdString();
        else
            EXPECT_EQ(layout, expected);
    }
}

TEST_F(EngineTest, PageFooterPrintOnFirstAndLastPage)
{
    struct Case {
        bool onFirst, onLast;
        QList<bool> expected;
    };
    const Case cases[] = {
        {false, true, {false, true, true}},
        {true, false, {true, true, false}},
        {true, true, {true, true, true}},
    };
    for (const Case &c : cases) {
        EngineReport e;
        TrpReportPage *page = e.addPage();
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 500);
        band->SetDataSet(e.addRows(QStringLiteral("Items"), 6));
        auto *footer = e.addBand<TrpPageFooter>(page, QStringLiteral("Footer"), 600, 30);
        footer->SetPrintOnFirstPage(c.onFirst);
        footer->SetPrintOnLastPage(c.onLast);
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        ASSERT_EQ(e.pageCount(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(e.page(i).band(QStringLiteral("Footer")) != nullptr, c.expected[i]) << i;
    }
}

TEST_F(EngineTest, BandsInTheWrongPlaceGiveTreeErrorsAndNoPages)
{
    struct Case {
        const char *what;
        std::function<void(EngineReport &, TrpReportPage *)> build;
        const char *message;
    };
    const Case cases[] = {
        {"footer above its data band",
         [](EngineReport &e, TrpReportPage *p) {
             e.addBand<TrpFooter>(p, QStringLiteral("Foot"), 0, 20);
             e.addBand<TrpMasterData>(p, QStringLiteral("Master"), 40, 20)->SetDataSet(e.addRows("A", 1));
         },
         "Unconnected header/footer Foot"},
        {"group without data band",
         [](EngineReport &e, TrpReportPage *p) {
             e.addBand<TrpGroupHeader>(p, QStringLiteral("Group"), 0, 20);
         },
         "No data band for the group Group"},
        {"group footer alone",
         [](EngineReport &e, TrpReportPage *p) {
             e.addBand<TrpMasterData>(p, QStringLiteral("Master"), 0, 20)->SetDataSet(e.addRows("A", 1));
             e.addBand<TrpGroupFooter>(p, QStringLiteral("GFoot"), 40, 20);
         },
         "No group header for GFoot"},
        {"detail without master",
         [](EngineReport &e, TrpReportPage *p) {
             e.addBand<TrpDetailData>(p, QStringLiteral("Detail"), 0, 20)->SetDataSet(e.addRows("A", 1));
         },
         "Incorrect band position: Detail"},
    };
    for (const Case &c : cases) {
        EngineReport e;
        c.build(e, e.addPage());
        EXPECT_FALSE(e.prepare()) << c.what;
        EXPECT_EQ(e.errors(), QString::fromLatin1(c.message)) << c.what;
        EXPECT_EQ(e.pageCount(), 0) << c.what;
    }
}

// Master rows A, B, C; the detail has rows only under B.
TEST_F(EngineTest, PrintIfDetailEmptyDecidesWhetherMastersWithoutDetailsPrint)
{
    for (const bool printIfEmpty : {false, true}) {
        EngineReport e;
        TrpReportPage *page = e.addPage();
        TrpUserDataSet *masters = e.addTable(QStringLiteral("M"), {QStringLiteral("Name")},
                                             {{Variant("A")}, {Variant("B")}, {Variant("C")}});
        auto *master = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
        master->SetDataSet(masters);
        master->SetPrintIfDetailEmpty(printIfEmpty);
        e.addMemo(master, QStringLiteral("MName"), QStringLiteral("[M.\"Name\"]"));
        TrpUserDataSet *details = e.addRows(QStringLiteral("D"), 2);
        details->OnCheckEOF = [masters](TrpDataSet *, bool &eof) { eof = eof || masters->RecNo() != 1; };
        auto *detail = e.addBand<TrpDetailData>(page, QStringLiteral("Detail"), 40, 20);
        detail->SetDataSet(details);
        e.addMemo(detail, QStringLiteral("DName"), QStringLiteral("[D.\"Name\"]"));
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        const QString expected = printIfEmpty ? QStringLiteral("A,B,R1,R2,C") : QStringLiteral("B,R1,R2");
        EXPECT_EQ(e.page(0).texts().join(u','), expected);
    }
}

TEST_F(EngineTest, ThreeBandColumnsPlaceRecordsSideBySide)
{
    TrpReportPage *page = r.addPage();
    auto *band = r.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
    band->SetDataSet(r.addRows(QStringLiteral("Items"), 4));
    band->SetColumns(3);
    band->SetColumnWidth(100);
    band->SetColumnGap(10);
    band->SetWidth(100);
    r.addMemo(band, QStringLiteral("Name"), QStringLiteral("[Items.\"Name\"]"), 0, 0, 100, 20);
    ASSERT_TRUE(r.prepare()) << r.errors().toStdString();
    const auto &bands = r.page(0).bands;
    ASSERT_EQ(bands.size(), 4u);
    const double expected[][2] = {{0, 0}, {110, 0}, {220, 0}, {0, 20}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(bands[size_t(i)].left, expected[i][0], 1e-9) << i;
        EXPECT_NEAR(bands[size_t(i)].top, expected[i][1], 1e-9) << i;
    }
}

// Groups by the first letter: A1 A2 | B1 | C1 C2 C3.
TEST_F(EngineTest, GroupsPrintHeadersFootersAndRestartRowNumbers)
{
    for (const bool hideSingle : {false, true}) {
        EngineReport e;
        TrpReportPage *page = e.addPage();
        QList<QList<Variant>> rows;
        for (const char *n : {"A1", "A2", "B1", "C1", "C2", "C3"})
            rows.append({Variant(QString::fromLatin1(n)), Variant(QString::fromLatin1(n).left(1))});
        TrpUserDataSet *ds = e.addTable(QStringLiteral("Items"), {QStringLiteral("Name"), QStringLiteral("G")}, rows);
        auto *header = e.addBand<TrpGroupHeader>(page, QStringLiteral("GH"), 0, 20);
        header->SetCondition(QStringLiteral("Items.\"G\""));
        e.addMemo(header, QStringLiteral("GHText"), QStringLiteral("<[Items.\"G\"]>"));
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 30, 20);
        band->SetDataSet(ds);
        e.addMemo(band, QStringLiteral("Row"), QStringLiteral("[Line]:[Items.\"Name\"]"));
        auto *footer = e.addBand<TrpGroupFooter>(page, QStringLiteral("GF"), 60, 20);
        footer->SetHideIfSingleDataRecord(hideSingle);
        e.addMemo(footer, QStringLiteral("GFText"), QStringLiteral("end"));
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        const QString expected = hideSingle
                                     ? QStringLiteral("<A>,1:A1,2:A2,end,<B>,1:B1,<C>,1:C1,2:C2,3:C3,end")
                                     : QStringLiteral("<A>,1:A1,2:A2,end,<B>,1:B1,end,<C>,1:C1,2:C2,3:C3,end");
        EXPECT_EQ(e.page(0).texts().join(u','), expected);
    }
}

TEST_F(EngineTest, StartNewPageBreaksBeforeEveryRowButTheFirst)
{
    TrpReportPage *page = r.addPage();
    r.addBand<TrpPageHeader>(page, QStringLiteral("Header"), 0, 30);
    auto *band = r.addBand<TrpMasterData>(page, QStringLiteral("Master"), 40, 20);
    band->SetDataSet(r.addRows(QStringLiteral("Items"), 3));
    band->SetStartNewPage(true);
    ASSERT_TRUE(r.prepare()) << r.errors().toStdString();
    EXPECT_EQ(r.layout(), QStringLiteral("Header,Master | Header,Master | Header,Master"));
    EXPECT_NEAR(r.page(2).band(QStringLiteral("Master"))->top, 30, 1e-9);
}

TEST_F(EngineTest, HeaderWithReprintOnNewPageRepeatsUntilItsBandEnds)
{
    for (const bool reprint : {false, true}) {
        EngineReport e;
        TrpReportPage *page = e.addPage();
        auto *header = e.addBand<TrpHeader>(page, QStringLiteral("Head"), 0, 30);
        header->SetReprintOnNewPage(reprint);
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 40, 500);
        band->SetDataSet(e.addRows(QStringLiteral("Items"), 4));
        auto *second = e.addBand<TrpMasterData>(page, QStringLiteral("After"), 600, 600);
        second->SetDataSet(e.addRows(QStringLiteral("More"), 1));
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        const QString expected = reprint ? QStringLiteral("Head,Master,Master | Head,Master,Master | After")
                                         : QStringLiteral("Head,Master,Master | Master,Master | After");
        EXPECT_EQ(e.layout(), expected);
    }
}

TEST_F(EngineTest, TallBandMovesWholeOrSplitsAtThePageEnd)
{
    for (const bool allowSplit : {false, true}) {
        EngineReport e;
        TrpReportPage *page = e.addPage();
        auto *first = e.addBand<TrpMasterData>(page, QStringLiteral("First"), 0, 1000);
        first->SetDataSet(e.addRows(QStringLiteral("One"), 1));
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Tall"), 1100, 300);
        band->SetDataSet(e.addRows(QStringLiteral("Two"), 1));
        band->SetAllowSplit(allowSplit);
        QStringList lines;
        for (int i = 1; i <= 15; ++i)
            lines.append(QStringLiteral("line %1").arg(i));
        TrpMemoView *memo = e.addMemo(band, QStringLiteral("Text"), lines.join(QStringLiteral("\r\n")), 0, 0, 300, 20);
        memo->SetStretchMode(smActualHeight);
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        ASSERT_EQ(e.pageCount(), 2);
        const RecordedBand *onFirst = e.page(0).band(QStringLiteral("Tall"));
        const RecordedBand *onSecond = e.page(1).band(QStringLiteral("Tall"));
        ASSERT_NE(onSecond, nullptr);
        if (!allowSplit) {
            EXPECT_EQ(onFirst, nullptr);
            EXPECT_EQ(onSecond->objects.at(0).text, lines.join(QStringLiteral("\r\n")));
        } else {
            ASSERT_NE(onFirst, nullptr);
            EXPECT_NEAR(onFirst->top, 1000, 1e-9);
            const QString head = onFirst->objects.at(0).text;
            const QString tail = onSecond->objects.at(0).text;
            EXPECT_TRUE(head.startsWith(QStringLiteral("line 1\r\n"))) << head.toStdString();
            EXPECT_TRUE(tail.endsWith(QStringLiteral("line 15"))) << tail.toStdString();
            EXPECT_EQ((head + QStringLiteral("\r\n") + tail).split(QStringLiteral("\r\n")), lines);
        }
    }
}

TEST_F(EngineTest, MemoTallerThanAPageEndsAfterFinitelyManyPages)
{
    for (const bool allowSplit : {false, true}) {
        EngineReport e;
        TrpReportPage *page = e.addPage();
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Tall"), 0, 20);
        band->SetDataSet(e.addRows(QStringLiteral("Items"), 1));
        band->SetAllowSplit(allowSplit);
        band->SetStretched(true);
        QStringList lines;
        for (int i = 1; i <= 200; ++i)
            lines.append(QStringLiteral("line %1").arg(i));
        TrpMemoView *memo = e.addMemo(band, QStringLiteral("Text"), lines.join(QStringLiteral("\r\n")));
        memo->SetStretchMode(smActualHeight);
        // And an object that cannot stretch, taller than any page.
        e.addMemo(band, QStringLiteral("Block"), QStringLiteral("x"), 300, 0, 100, 3000);
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        EXPECT_GE(e.pageCount(), allowSplit ? 3 : 1);
        EXPECT_LE(e.pageCount(), 10);
        QString all;
        for (int i = 0; i < e.pageCount(); ++i)
            for (const QString &t : e.page(i).texts())
                all += t + u'\n';
        EXPECT_TRUE(all.contains(QStringLiteral("line 200"))) << allowSplit;
        EXPECT_EQ(all.count(QStringLiteral("x\n")), 1) << allowSplit;
    }
}

} // namespace
} // namespace bralvo::report::testing
