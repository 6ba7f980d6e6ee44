// Datasets read their statement row by row while a walk only goes forward
// and keep the rows once an operation needs them: every cursor operation
// gives the same records either way, and a report's bands walk them so.
#include "fixturedb.h"
#include "report/data/tadodataset.h"
#include "report/data/trpado.h"
#include "tests/report/engine/enginereport.h"

#include <gtest/gtest.h>

using namespace bralvo::data;
using bralvo::platform::Variant;
using bralvo::test::FixtureDb;

namespace {

struct Forward : ::testing::Test {
    FixtureDb fixture;
    TADOConnection connection;
    TADOQuery query;

    void SetUp() override
    {
        connection.SetConnectionString(fixture.connectionString());
        query.SetConnection(&connection);
        query.SetSQLText(QStringLiteral("select * from Orders order by OrderNo"));
    }
    qint64 orderNo() { return query.FieldByName(QStringLiteral("OrderNo"))->AsLargeInt(); }
    QList<qint64> rest()
    {
        QList<qint64> out;
        for (; !query.Eof(); query.Next())
            out.append(orderNo());
        return out;
    }
};

} // namespace

// Each case walks forward to 1003 (two Next) and then asks for something
// that needs rows behind it or all of them.
TEST_F(Forward, OperationsAfterAForwardWalkSeeTheSameRecords)
{
    struct Case {
        const char *what;
        std::function<void(Forward &)> act;
        qint64 current;
        QList<qint64> rest;
    } cases[] = {
        {"Prior", [](Forward &f) { f.query.Prior(); }, 1002, {1002, 1003, 1004, 1005}},
        {"MoveBy -2", [](Forward &f) { EXPECT_EQ(f.query.MoveBy(-2), -2); }, 1001, {1001, 1002, 1003, 1004, 1005}},
        {"RecordCount", [](Forward &f) { EXPECT_EQ(f.query.RecordCount(), 5); }, 1003, {1003, 1004, 1005}},
        {"Last", [](Forward &f) { f.query.Last(); f.query.Prior(); }, 1004, {1004, 1005}},
        {"sort", [](Forward &f) { f.query.SetSort(QStringLiteral("AmountPaid DESC")); }, 1003, {1003, 1005, 1001, 1002, 1004}},
        {"Locate", [](Forward &f) { EXPECT_TRUE(f.query.Locate(QStringLiteral("Note"), Variant(QStringLiteral("first")), 0)); },
         1001, {1001, 1002, 1003, 1004, 1005}},
        {"bookmark behind", [](Forward &f) {
             f.query.First();
             f.query.Next();
             const auto mark = f.query.GetBookmark();
             f.query.MoveBy(3);
             EXPECT_TRUE(f.query.BookmarkValid(mark));
             f.query.GotoBookmark(mark);
         }, 1002, {1002, 1003, 1004, 1005}},
        {"bookmark ahead", [](Forward &f) {
             const auto mark = f.query.GetBookmark();
             f.query.First();
             EXPECT_EQ(f.query.CompareBookmarks(f.query.GetBookmark(), mark), -1);
             f.query.GotoBookmark(mark);
             EXPECT_FALSE(f.query.Bof());
         }, 1003, {1003, 1004, 1005}},
        {"First after a full walk", [](Forward &f) {
             EXPECT_EQ(f.rest(), QList<qint64>({1003, 1004, 1005}));
             EXPECT_EQ(f.query.RecNo(), 5);
             EXPECT_EQ(f.orderNo(), 1005); // Next at the end stays on the last record
             f.query.First();
             EXPECT_TRUE(f.query.Bof());
         }, 1001, {1001, 1002, 1003, 1004, 1005}},
        {"filter", [](Forward &f) {
             f.query.SetFilter(QStringLiteral("AmountPaid > 100"));
             f.query.SetFiltered(true);
         }, 1001, {1001, 1003, 1005}},
        {"filter handler", [](Forward &f) {
             f.query.OnFilterRecord = [](TDataSet *ds, bool &accept) {
                 accept = ds->FieldByName(QStringLiteral("CustNo"))->AsInteger() == 2;
             };
             f.query.SetFiltered(true);
             EXPECT_EQ(f.query.RecordCount(), 2);
         }, 1002, {1002, 1005}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        query.Close();
        query.OnFilterRecord = nullptr;
        query.SetFiltered(false);
        query.SetFilter(QString());
        query.SetSort(QString());
        query.Open();
        query.Next();
        query.Next();
        ASSERT_EQ(orderNo(), 1003);
        EXPECT_EQ(query.RecNo(), 3);
        c.act(*this);
        EXPECT_EQ(orderNo(), c.current);
        EXPECT_EQ(rest(), c.rest);
        EXPECT_TRUE(query.Eof());
    }
}

// A statement without end: reading forward never asks for the rows after
// the current one (fetching them all first would never end).
TEST_F(Forward, AForwardWalkReadsOnlyWhatItReaches)
{
    query.SetSQLText(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n) "
                                    "select i, 'row ' || i as Name, date('2024-01-01', '+' || i || ' days') as Day "
                                    "from n"));
    query.SetCommandTimeout(1);
    query.Open();
    qint64 sum = 0;
    for (int i = 0; i < 20000; ++i, query.Next())
        sum += query.Fields()->Fields(0)->AsLargeInt();
    EXPECT_EQ(sum, qint64(20000) * 20001 / 2);
    EXPECT_EQ(query.Fields()->Fields(1)->AsString(), QStringLiteral("row 20001"));
    EXPECT_EQ(query.RecNo(), 20001);
    query.First();
    EXPECT_EQ(query.Fields()->Fields(1)->AsString(), QStringLiteral("row 1"));
    EXPECT_EQ(query.Fields()->Fields(2)->AsString(), QStringLiteral("2024-01-02"));
}

// Types come from the first row; a column whose first value is Null is
// typed by a later one, as when every row was fetched at once.
TEST_F(Forward, UndeclaredColumnsAreTypedByTheirFirstValue)
{
    query.SetSQLText(QStringLiteral("select OrderNo, case when OrderNo > 1001 then OrderNo * 2 end as Twice, "
                                    "OrderNo || '' as Text from Orders order by OrderNo"));
    query.Open();
    EXPECT_EQ(query.FieldByName(QStringLiteral("Twice"))->DataType(), ftLargeint);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Text"))->DataType(), ftWideString);
    EXPECT_TRUE(query.FieldByName(QStringLiteral("Twice"))->IsNull());
    query.Next();
    EXPECT_EQ(query.FieldByName(QStringLiteral("Twice"))->Value().toInt64(), 2004);
}

// A connection that goes away leaves an open dataset its rows.
TEST_F(Forward, DatasetOutlivesItsConnectionWithItsRows)
{
    auto own = std::make_unique<TADOConnection>();
    own->SetConnectionString(fixture.connectionString());
    query.SetConnection(own.get());
    query.Open();
    query.Next();
    own.reset();
    EXPECT_EQ(orderNo(), 1002);
    EXPECT_EQ(rest(), QList<qint64>({1002, 1003, 1004, 1005}));
    query.Prior();
    EXPECT_EQ(orderNo(), 1004);
}

namespace bralvo::report::testing {
namespace {

struct ReportWalk : ::testing::Test {
    FixtureDb fixture;
    EngineReport e;
    TrpADODatabase *database = nullptr;
    TrpADOTable *customers = nullptr;
    TrpADOQuery *orders = nullptr;

    void SetUp() override
    {
        auto *data = new TrpDataPage(e.report.get());
        data->setName(QStringLiteral("Data"));
        database = new TrpADODatabase(data);
        database->setName(QStringLiteral("Db"));
        database->SetDatabaseName(fixture.connectionString());
        customers = new TrpADOTable(data);
        customers->setName(QStringLiteral("Customers"));
        customers->SetDatabase(database);
        customers->SetTableName(QStringLiteral("Customer"));
        customers->SetIndexFieldNames(QStringLiteral("CustNo"));
        orders = new TrpADOQuery(data);
        orders->setName(QStringLiteral("Orders"));
        orders->SetDatabase(database);
        orders->SetSQLText(QStringLiteral("select * from Orders where CustNo = :CustNo order by OrderNo"));
        orders->SetMaster(customers);
        for (TrpDBDataset *ds : {static_cast<TrpDBDataset *>(customers), static_cast<TrpDBDataset *>(orders)}) {
            ds->SetUserName(ds->name());
            e.report->DataSets()->Add(ds);
        }
    }
};

} // namespace

TEST_F(ReportWalk, DetailBandIsWalkedAgainForEachMasterRecord)
{
    TrpReportPage *page = e.addPage();
    auto *master = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
    master->SetDataSet(customers);
    e.addMemo(master, QStringLiteral("Company"), QStringLiteral("[Customers.\"Company\"]"));
    auto *detail = e.addBand<TrpDetailData>(page, QStringLiteral("Detail"), 40, 20);
    detail->SetDataSet(orders);
    e.addMemo(detail, QStringLiteral("Order"), QStringLiteral("[Orders.\"OrderNo\"] [Orders.\"SaleDate\"]"));
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    EXPECT_EQ(e.page(0).texts().join(u','), QStringLiteral("Kaktus s.r.o.,1001 15.01.2024,1003 20.02.2024,1004 05.03.2024,"
                                                          "Lipa a.s.,1002 01.02.2024,1005 30.03.2024"));
}

// The platform dataset stands on a record before the run; a range that
// starts there is walked forward, and Finalize goes back to it.
TEST_F(ReportWalk, FinalizeReturnsToTheSavedRecord)
{
    data::TADOQuery *platform = orders->Query();
    orders->SetMaster(nullptr);
    orders->SetSQLText(QStringLiteral("select * from Orders order by OrderNo"));
    orders->SetCloseDataSource(false);
    orders->SetRangeBegin(rbCurrent);
    for (const TrpRangeEnd end : {reLast, reCurrent}) {
        platform->Close();
        platform->Open();
        platform->Next();
        orders->SetRangeEnd(end);
        QStringList walked;
        orders->Initialize();
        for (orders->First(); !orders->Eof(); orders->Next())
            walked.append(orders->DisplayText(QStringLiteral("OrderNo")));
        orders->Finalize();
        EXPECT_EQ(walked, end == reLast ? QStringList({"1002", "1003", "1004", "1005"}) : QStringList({"1002"}));
        EXPECT_EQ(platform->FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 1002) << end;
        EXPECT_EQ(platform->RecNo(), 2);
    }
}

// A run that stops half-way lets the statement go: another connection can
// write meanwhile, and the dataset moves on from its record afterwards.
TEST_F(ReportWalk, ARunThatStopsHalfWayHoldsNoLock)
{
    data::TADOQuery *platform = orders->Query();
    orders->SetMaster(nullptr);
    orders->SetSQLText(QStringLiteral("select * from Orders order by OrderNo"));
    orders->SetCloseDataSource(false);
    orders->SetRangeBegin(rbCurrent);
    orders->SetRangeEnd(reCurrent);
    platform->Open();
    platform->Next();
    orders->Initialize();
    orders->First();
    EXPECT_EQ(orders->DisplayText(QStringLiteral("OrderNo")), QStringLiteral("1002"));
    orders->Next();
    EXPECT_TRUE(orders->Eof());
    orders->Finalize();
    fixture.exec(QStringLiteral("update Customer set Company = 'Lipa' where CustNo = 2"));
    platform->Next();
    EXPECT_EQ(platform->FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 1003);
    EXPECT_EQ(platform->RecNo(), 3);
    EXPECT_EQ(platform->RecordCount(), 5);
    EXPECT_EQ(platform->FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 1003);
}

} // namespace bralvo::report::testing
