// Running totals: where calls are collected, when they reset, how AVG,
// MIN, MAX and COUNT combine, and the errors found while scanning.
#include "enginereport.h"
#include "platform/regionalsettings.h"

namespace bralvo::report::testing {
namespace {

// Items A:1,2 | B:3 | C:4,null,5 grouped by G.
struct GroupedReport {
    EngineReport e;
    TrpReportPage *page;
    TrpMasterData *band;
    TrpGroupFooter *footer;

    explicit GroupedReport(const QString &footerText)
    {
        page = e.addPage();
        e.report->EngineOptions()->SetConvertNulls(false);
        QList<QList<Variant>> rows = {
            {Variant("A"), Variant(1)}, {Variant("A"), Variant(2)}, {Variant("B"), Variant(3)},
            {Variant("C"), Variant(4)}, {Variant("C"), Variant::null()}, {Variant("C"), Variant(5)},
        };
        TrpUserDataSet *ds = e.addTable(QStringLiteral("Items"), {QStringLiteral("G"), QStringLiteral("Amt")}, rows);
        auto *header = e.addBand<TrpGroupHeader>(page, QStringLiteral("GH"), 0, 20);
        header->SetCondition(QStringLiteral("<Items.\"G\">"));
        band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 30, 20);
        band->SetDataSet(ds);
        footer = e.addBand<TrpGroupFooter>(page, QStringLiteral("GF"), 60, 20);
        e.addMemo(footer, QStringLiteral("Total"), footerText);
    }

    QStringList totals()
    {
        QStringList out;
        for (const RecordedBand &b : e.page(0).bands)
            if (b.name == QLatin1String("GF"))
                out.append(b.objects.at(0).text);
        return out;
    }
};

TEST(Aggregates, GroupFooterTotalsResetOrRunByFlags)
{
    struct Case {
        const char *text;
        const char *totals;
    };
    const Case cases[] = {
        {"[SUM(<Items.\"Amt\">, Master)]", "3,3,9"},
        {"[SUM(<Items.\"Amt\">, Master, 2)]", "3,6,15"},
        {"[SUM(<Items.\"Amt\">)]", "3,3,9"},
        {"[AVG(<Items.\"Amt\">)]", "1.5,3,4.5"},
        {"[MIN(<Items.\"Amt\">)]-[MAX(<Items.\"Amt\">)]", "1-2,3-3,4-5"},
        {"[COUNT(Master)]", "2,1,3"},
        {"[SUM(<Items.\"Amt\"> > 1)]", "1,1,2"},
    };
    platform::RegionalSettings settings = platform::regionalSettings();
    settings.decimalSeparator = u'.';
    platform::ScopedRegionalSettings pinned(settings);
    for (const Case &c : cases) {
        GroupedReport g(QString::fromLatin1(c.text));
        ASSERT_TRUE(g.e.prepare()) << c.text << " " << g.e.errors().toStdString();
        EXPECT_EQ(g.totals().join(u','), QString::fromLatin1(c.totals)) << c.text;
    }
}

TEST(Aggregates, AverageOfNoValuesIsZero)
{
    EngineReport e;
    TrpReportPage *page = e.addPage();
    TrpUserDataSet *ds = e.addTable(QStringLiteral("Items"), {QStringLiteral("Amt")},
                                    {{Variant::null()}, {Variant::null()}});
    auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
    band->SetDataSet(ds);
    auto *summary = e.addBand<TrpReportSummary>(page, QStringLiteral("Sum"), 40, 20);
    e.addMemo(summary, QStringLiteral("Avg"), QStringLiteral("[AVG(<Items.\"Amt\">)]|[COUNT(Master)]"));
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    EXPECT_EQ(e.page(0).band(QStringLiteral("Sum"))->objects.at(0).text, QStringLiteral("0|2"));
}

TEST(Aggregates, PageFooterAndSummaryKeepTheirOwnTotals)
{
    EngineReport e;
    TrpReportPage *page = e.addPage();
    QList<QList<Variant>> rows;
    for (int i = 1; i <= 6; ++i)
        rows.append({Variant(i)});
    TrpUserDataSet *ds = e.addTable(QStringLiteral("Items"), {QStringLiteral("Amt")}, rows);
    auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 400);
    band->SetDataSet(ds);
    const QString call = QStringLiteral("[SUM(<Items.\"Amt\">)]");
    e.addMemo(e.addBand<TrpReportSummary>(page, QStringLiteral("Sum"), 500, 20), QStringLiteral("S"), call);
    e.addMemo(e.addBand<TrpPageFooter>(page, QStringLiteral("Foot"), 600, 20), QStringLiteral("F"), call);
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    ASSERT_EQ(e.engine().AggregateList().Count(), 2);
    QStringList footers;
    for (int i = 0; i < e.pageCount(); ++i)
        footers.append(e.page(i).band(QStringLiteral("Foot"))->objects.at(0).text);
    // Two rows of 400 per page: 1+2, 3+4, 5+6; the summary covers all.
    EXPECT_EQ(footers.join(u','), QStringLiteral("3,7,11"));
    EXPECT_EQ(e.page(e.pageCount() - 1).band(QStringLiteral("Sum"))->objects.at(0).text, QStringLiteral("21"));
}

TEST(Aggregates, CallInADataBandsOwnMemoFindsNoAccumulator)
{
    EngineReport e;
    TrpReportPage *page = e.addPage();
    auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
    band->SetDataSet(e.addTable(QStringLiteral("Items"), {QStringLiteral("Amt")}, {{Variant(5)}}));
    e.addMemo(band, QStringLiteral("Own"), QStringLiteral("[SUM(<Items.\"Amt\">)]"))
        ->SetHideZeros(false);
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    EXPECT_EQ(e.engine().AggregateList().Count(), 0);
    EXPECT_EQ(e.page(0).texts(), QStringList{QString()});
}

TEST(Aggregates, ScanErrorsStopTheRunBeforeAnyPage)
{
    struct Case {
        const char *text;
        const char *error;
    };
    const Case cases[] = {
        {"[SUM(<Items.\"Amt\">, Master, x)]", "'x' is not a valid integer value"},
        {"[SUM(<Items.\"Amt\">, Master, 0, 1)]",
         "SUM(<Items.\"Amt\">, Master, 0, 1): Too many actual parameters"},
    };
    for (const Case &c : cases) {
        GroupedReport g(QString::fromLatin1(c.text));
        EXPECT_FALSE(g.e.prepare()) << c.text;
        EXPECT_EQ(g.e.errors(), QString::fromLatin1(c.error));
        EXPECT_EQ(g.e.pageCount(), 0) << c.text;
    }
}

TEST(Aggregates, CallsInsideAVariableUsedByAFooterAreCollected)
{
    GroupedReport g(QStringLiteral("[Total]"));
    g.e.report->Variables()->SetVariables(QStringLiteral("Total"), Variant(QStringLiteral("SUM(<Items.\"Amt\">)")));
    ASSERT_TRUE(g.e.prepare()) << g.e.errors().toStdString();
    EXPECT_EQ(g.totals().join(u','), QStringLiteral("3,3,9"));
}

TEST(Aggregates, ItemCombinesValuesByKind)
{
    struct Case {
        int kind;
        QList<Variant> values;
        Variant expected;
    };
    const Case cases[] = {
        {akSum, {Variant(2), Variant::null(), Variant(true)}, Variant(3)},
        {akAvg, {Variant(2), Variant::null(), Variant(4)}, Variant(3.0)},
        {akMin, {Variant::null(), Variant(7), Variant(3)}, Variant(3)},
        {akMax, {Variant(-1), Variant::null(), Variant(-5)}, Variant(-1)},
        {akCount, {Variant::null(), Variant::null()}, Variant(2)},
        {akAvg, {}, Variant(0)},
    };
    EngineReport e;
    for (const Case &c : cases) {
        TrpAggregateItem item;
        item.Report = e.report.get();
        item.Kind = c.kind;
        int i = 0;
        for (const Variant &v : c.values) {
            const QString name = QStringLiteral("v%1").arg(i++);
            e.report->Variables()->SetVariables(name, v);
            item.Expression = name;
            if (c.kind == akCount)
                item.Expression.clear();
            item.Accumulate();
        }
        EXPECT_TRUE(item.Value().equals(c.expected)) << c.kind << " " << item.Value().toString().toStdString();
    }
}

} // namespace
} // namespace bralvo::report::testing
