// Bands: kind numbers, descriptions, kind defaults, child chains,
// data band columns and rows, dot-matrix snapping, drill-down diff.
#include "report/model/reporterror.h"
#include "report/model/trpband.h"
#include "report/model/trpdataset.h"
#include "report/model/trppage.h"

#include <gtest/gtest.h>
#include <memory>

using namespace bralvo;
using namespace bralvo::report;

namespace {

// A page class named like the dot-matrix page, whose bands snap.
class TrpDMPPage : public TrpReportPage {
    BRALVO_CLASS(TrpDMPPage)
public:
    explicit TrpDMPPage(platform::Component *o) : TrpReportPage(o) {}
};

const platform::ClassInfo &TrpDMPPage::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDMPPage", &TrpReportPage::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

template <class T>
std::unique_ptr<TrpBand> make()
{
    return std::make_unique<T>(nullptr);
}

} // namespace

TEST(Band, KindNumbersAndDescriptions)
{
    struct Case { std::unique_ptr<TrpBand> band; int number; const char *description; };
    Case cases[] = {
        {make<TrpReportTitle>(), 0, "Band"},     {make<TrpReportSummary>(), 1, "Band"},
        {make<TrpPageHeader>(), 2, "Band"},      {make<TrpPageFooter>(), 3, "Band"},
        {make<TrpHeader>(), 4, "Band"},          {make<TrpFooter>(), 5, "Band"},
        {make<TrpMasterData>(), 6, "Data band"}, {make<TrpDetailData>(), 7, "Data band"},
        {make<TrpSubdetailData>(), 8, "Data band"}, {make<TrpDataBand4>(), 9, "Data band"},
        {make<TrpDataBand5>(), 10, "Data band"}, {make<TrpDataBand6>(), 11, "Data band"},
        {make<TrpGroupHeader>(), 12, "Band"},    {make<TrpGroupFooter>(), 13, "Band"},
        {make<TrpChild>(), 14, "Band"},          {make<TrpColumnHeader>(), 15, "Band"},
        {make<TrpColumnFooter>(), 16, "Band"},   {make<TrpOverlay>(), 17, "Band"},
        {make<TrpNullBand>(), 0, "Band"},        {make<TrpDataBand>(), 0, "Data band"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.band->className().toStdString());
        EXPECT_EQ(c.band->BandNumber(), c.number);
        EXPECT_EQ(c.band->GetDescription(), QString::fromLatin1(c.description));
    }
}

TEST(Band, KindDefaultsAndOwnProperties)
{
    EXPECT_TRUE(TrpPageHeader(nullptr).PrintOnFirstPage());
    TrpPageFooter footer(nullptr);
    EXPECT_TRUE(footer.PrintOnFirstPage());
    EXPECT_TRUE(footer.PrintOnLastPage());
    EXPECT_FALSE(TrpOverlay(nullptr).PrintOnTop());
    TrpMasterData data(nullptr);
    EXPECT_EQ(data.OwnObjectCount, -1);
    EXPECT_EQ(data.Columns(), 0);
    EXPECT_FALSE(data.Stretched());

    // Each kind lists only its own properties after the common ones.
    struct Case { const platform::ClassInfo *cls; const char *has; const char *hasNot; };
    const Case cases[] = {
        {&TrpPageFooter::staticClass(), "PrintOnLastPage", "Child"},
        {&TrpColumnFooter::staticClass(), "Height", "Stretched"},
        {&TrpColumnHeader::staticClass(), "Child", "AllowSplit"},
        {&TrpGroupHeader::staticClass(), "Condition", "RowCount"},
        {&TrpGroupFooter::staticClass(), "HideIfSingleDataRecord", "StartNewPage"},
        {&TrpMasterData::staticClass(), "OnMasterDetail", "Condition"},
        {&TrpHeader::staticClass(), "ReprintOnNewPage", "KeepTogether"},
        {&TrpOverlay::staticClass(), "PrintOnTop", "Child"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cls->name.toStdString());
        const platform::PropertyTable &props = c.cls->allProperties();
        auto has = [&](const char *n) {
            return std::any_of(props.begin(), props.end(), [&](const platform::PropInfo &p) { return p.name == QLatin1String(n); });
        };
        EXPECT_TRUE(has(c.has));
        EXPECT_FALSE(has(c.hasNot));
    }
}

TEST(Band, CircularChildReferenceIsRefused)
{
    TrpMasterData band(nullptr);
    TrpChild c1(nullptr), c2(nullptr);
    band.SetChild(&c1);
    c1.SetChild(&c2);
    struct Case { TrpBand *band; TrpChild *value; };
    for (const Case &c : {Case{&c2, &c1}, Case{&c1, &c1}}) {
        TrpChild *before = c.band->Child();
        try {
            c.band->SetChild(c.value);
            ADD_FAILURE() << "no error";
        } catch (const ReportError &e) {
            EXPECT_EQ(e.userText(), QStringLiteral("Circular child reference is not allowed"));
        }
        EXPECT_EQ(c.band->Child(), before);
    }
    EXPECT_EQ(band.Child(), &c1);
}

TEST(Band, ChildLinkClearedWhenChildDestroyed)
{
    TrpMasterData band(nullptr);
    auto *child = new TrpChild(nullptr);
    band.SetChild(child);
    delete child;
    EXPECT_EQ(band.Child(), nullptr);
}

TEST(Band, DataBandColumns)
{
    TrpMasterData band(nullptr);
    band.SetColumns(3);
    band.SetColumnWidth(200);
    band.SetColumnGap(10);
    struct Case { int set, column; double left; };
    for (const Case &c : {Case{2, 2, 210}, Case{3, 3, 420}, Case{4, 1, 0}, Case{1, 1, 0}}) {
        SCOPED_TRACE(c.set);
        band.ColumnBottom = 50;
        band.SetColumnNo(c.set);
        EXPECT_EQ(band.ColumnNo(), c.column);
        EXPECT_DOUBLE_EQ(band.Left(), c.left);
        EXPECT_EQ(band.ColumnBottom, c.column == 1 ? 0 : 50);
    }
}

// A column below 1 would place the band left of the page.
TEST(Band, ColumnNoBelowOneWrapsToFirstColumn)
{
    TrpMasterData band(nullptr);
    band.SetColumns(2);
    band.SetColumnWidth(100);
    band.SetColumnNo(0);
    EXPECT_EQ(band.ColumnNo(), 1);
    EXPECT_DOUBLE_EQ(band.Left(), 0);
}

TEST(Band, RowCountWalksOwnDataset)
{
    TrpMasterData band(nullptr);
    band.SetRowCount(5);
    TrpUserDataSet *ds = band.VirtualDataSet();
    int rows = 0;
    for (ds->First(); !ds->Eof(); ds->Next())
        ++rows;
    EXPECT_EQ(rows, 5);
}

// The count set before the dataset is first asked for and the one set
// after it must both reach the walk.
TEST(Band, RowCountReachesOwnDatasetWhenSetAfterUse)
{
    TrpMasterData band(nullptr);
    EXPECT_EQ(band.VirtualDataSet()->RangeEnd(), reCount);
    band.SetRowCount(3);
    TrpUserDataSet *ds = band.VirtualDataSet();
    int rows = 0;
    for (ds->First(); !ds->Eof(); ds->Next())
        ++rows;
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(band.VirtualDataSet(), ds);
}

TEST(Band, SnapsToCharacterGridOnDotMatrixPage)
{
    TrpDMPPage dmp(nullptr);
    TrpReportPage plain(nullptr);
    auto *snapped = new TrpMasterData(&dmp);
    auto *free = new TrpMasterData(&plain);
    for (TrpBand *b : {static_cast<TrpBand *>(snapped), static_cast<TrpBand *>(free)}) {
        b->SetTop(40);
        b->SetHeight(30);
        b->SetLeft(20);
    }
    EXPECT_DOUBLE_EQ(snapped->Top(), 34);
    EXPECT_DOUBLE_EQ(snapped->Height(), 34);
    EXPECT_DOUBLE_EQ(snapped->Left(), 19.2);
    EXPECT_DOUBLE_EQ(free->Top(), 40);
    EXPECT_DOUBLE_EQ(free->Height(), 30);
}

TEST(Band, DrillDownGroupHeaderDiffCarriesRowNumber)
{
    TrpGroupHeader def(nullptr), g(nullptr);
    g.RowNoThrough = 7;
    EXPECT_FALSE(g.Diff(def).contains(QStringLiteral("Tag=")));
    g.SetDrillDown(true);
    EXPECT_TRUE(g.Diff(def).contains(QStringLiteral(" Tag=\"7\"")));
}
