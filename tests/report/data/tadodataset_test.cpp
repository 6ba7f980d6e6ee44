// The data-access layer over the SQLite provider, on a fixture database.
#include "fixturedb.h"
#include "report/data/dataerror.h"
#include "report/data/tadodataset.h"
#include "report/data/tdatasetmodel.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace bralvo::data;
using bralvo::platform::Variant;
using bralvo::test::FixtureDb;

namespace {

struct Db : ::testing::Test {
    FixtureDb fixture;
    TADOConnection connection;
    TADOQuery query;

    void SetUp() override
    {
        connection.SetConnectionString(fixture.connectionString());
        query.SetConnection(&connection);
    }
    QList<qint64> column(TDataSet &ds, const QString &name)
    {
        QList<qint64> out;
        for (ds.First(); !ds.Eof(); ds.Next())
            out.append(ds.FieldByName(name)->AsLargeInt());
        return out;
    }
};

} // namespace

TEST_F(Db, MistypedPathFailsAndCreatesNothing)
{
    TADOConnection bad;
    bad.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + fixture.path() + QStringLiteral("x"));
    EXPECT_THROW(bad.Open(), DataError);
    EXPECT_FALSE(bad.Connected());
    EXPECT_FALSE(QFile::exists(fixture.path() + QStringLiteral("x")));
}

TEST_F(Db, ReadModeRefusesWrites)
{
    connection.SetConnectionString(fixture.connectionString() + QStringLiteral(";Mode=Read"));
    EXPECT_THROW(connection.Execute(QStringLiteral("delete from Orders")), DataError);
    connection.SetConnectionString(fixture.connectionString());
    EXPECT_EQ(connection.Execute(QStringLiteral("update Orders set Note = 'x' where OrderNo = 1001")), 1);
}

TEST_F(Db, FieldTypesFollowDeclaredTypes)
{
    query.SetSQLText(QStringLiteral("select k.*, Id + 1 as Calc, Code || 'x' as Joined, NULL as Empty from Kinds k"));
    query.Open();
    const QList<QPair<const char *, TFieldType>> expected = {
        {"Id", ftLargeint},   {"Big", ftLargeint},     {"Flag", ftBoolean},    {"Born", ftDate},
        {"Stamp", ftDateTime}, {"At", ftTime},          {"Code", ftWideString}, {"Name", ftWideString},
        {"Body", ftWideMemo}, {"Price", ftFloat},      {"Rate", ftFloat},      {"Amount", ftFloat},
        {"Data", ftBlob},     {"Calc", ftLargeint},    {"Joined", ftWideString}, {"Empty", ftWideString},
    };
    for (const auto &e : expected)
        EXPECT_EQ(query.FieldByName(QString::fromLatin1(e.first))->DataType(), e.second) << e.first;
    EXPECT_EQ(query.FieldByName(QStringLiteral("Code"))->Size(), 4);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Name"))->Size(), 20);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Odd"))->DataType(), ftWideString);
}

TEST_F(Db, ValuesReadBackExactly)
{
    query.SetSQLText(QStringLiteral("select * from Kinds"));
    query.Open();
    const Variant big = query.FieldByName(QStringLiteral("Big"))->Value();
    EXPECT_EQ(big.kind(), bralvo::platform::varInt64);
    EXPECT_EQ(big.toInt64(), Q_INT64_C(9007199254740993));
    EXPECT_EQ(query.FieldByName(QStringLiteral("Flag"))->Value().isBoolean(), true);
    EXPECT_TRUE(query.FieldByName(QStringLiteral("Flag"))->AsBoolean());
    EXPECT_EQ(query.FieldByName(QStringLiteral("Born"))->Value().kind(), bralvo::platform::varDate);
    EXPECT_DOUBLE_EQ(query.FieldByName(QStringLiteral("Born"))->AsDateTime(), 36525.0);
    EXPECT_DOUBLE_EQ(query.FieldByName(QStringLiteral("Stamp"))->AsDateTime(), 36526.5);
    EXPECT_NEAR(query.FieldByName(QStringLiteral("At"))->AsDateTime(), (10 * 3600 + 20 * 60 + 30) / 86400.0, 1e-9);
    EXPECT_EQ(query.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Žltý kôň"));
    EXPECT_EQ(query.FieldByName(QStringLiteral("Data"))->AsBytes(), QByteArray("\x00\xff\x10", 3));

    TADOQuery orders;
    orders.SetConnection(&connection);
    orders.SetSQLText(QStringLiteral("select AmountPaid from Orders where OrderNo = 1005"));
    orders.Open();
    const Variant amount = orders.Fields()->Fields(0)->Value();
    EXPECT_EQ(amount.kind(), bralvo::platform::varCurrency);
    EXPECT_EQ(amount.toString(), QStringLiteral("1234,5678"));
}

TEST_F(Db, CursorBookmarksAndLocate)
{
    query.SetSQLText(QStringLiteral("select * from Orders order by OrderNo"));
    query.Open();
    EXPECT_TRUE(query.Bof());
    EXPECT_EQ(query.RecordCount(), 5);
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1001, 1002, 1003, 1004, 1005}));
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(query.RecNo(), 5);

    query.First();
    query.Next();
    const auto mark = query.GetBookmark();
    query.Last();
    EXPECT_EQ(query.CompareBookmarks(mark, query.GetBookmark()), -1);
    query.GotoBookmark(mark);
    EXPECT_EQ(query.FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 1002);

    EXPECT_TRUE(query.Locate(QStringLiteral("Note"), Variant(QStringLiteral("FOU")), loCaseInsensitive | loPartialKey));
    EXPECT_EQ(query.FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 1004);
    EXPECT_FALSE(query.Locate(QStringLiteral("Note"), Variant(QStringLiteral("FOU")), 0));
    EXPECT_EQ(query.FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 1004);
    EXPECT_THROW(query.FieldByName(QStringLiteral("Nope")), DataError);
}

TEST_F(Db, WritesAreRefused)
{
    query.SetSQLText(QStringLiteral("select * from Orders"));
    query.Open();
    for (auto write : {&TDataSet::Edit, &TDataSet::Insert, &TDataSet::Append, &TDataSet::Post, &TDataSet::Delete}) {
        try {
            (query.*write)();
            ADD_FAILURE() << "a write went through";
        } catch (const DataError &e) {
            EXPECT_EQ(e.userText(), QStringLiteral("dataset is read-only"));
        }
    }
}

TEST_F(Db, ParametersFilterAndSort)
{
    query.SetSQLText(QStringLiteral("select * from Orders where CustNo = :c and OrderNo >= :from -- :no\n"
                                    "and CustNo = :C order by OrderNo"));
    ASSERT_EQ(query.Parameters()->Count(), 2);
    query.Parameters()->ParamByName(QStringLiteral("c"))->SetValue(Variant(1));
    query.Parameters()->ParamByName(QStringLiteral("from"))->SetValue(Variant(1002));
    query.Open();
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1003, 1004}));

    query.SetFilter(QStringLiteral("AmountPaid > 100"));
    query.SetFiltered(true);
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1003}));
    query.SetFiltered(false);

    query.SetSort(QStringLiteral("AmountPaid DESC"));
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1003, 1004}));
    query.SetSort(QStringLiteral("AmountPaid"));
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1004, 1003}));
    EXPECT_THROW(query.SetSort(QStringLiteral("Nope DESC")), DataError);
}

TEST_F(Db, OnFilterRecordHidesRowsWhenFiltered)
{
    query.SetSQLText(QStringLiteral("select * from Orders order by OrderNo"));
    query.OnFilterRecord = [](TDataSet *ds, bool &accept) {
        accept = ds->FieldByName(QStringLiteral("CustNo"))->AsInteger() == 2;
    };
    query.Open();
    EXPECT_EQ(query.RecordCount(), 5);
    query.SetFiltered(true);
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1002, 1005}));
}

TEST_F(Db, MasterDetailQueryAndTableFollowTheMaster)
{
    TADOTable customers;
    customers.SetConnection(&connection);
    customers.SetTableName(QStringLiteral("Customer"));
    customers.SetIndexFieldNames(QStringLiteral("CustNo"));
    TDataSource source;
    source.SetDataSet(&customers);

    query.SetSQLText(QStringLiteral("select * from Orders where CustNo = :CustNo order by OrderNo"));
    query.SetMasterSource(&source);
    TADOTable detail;
    detail.SetConnection(&connection);
    detail.SetTableName(QStringLiteral("Orders"));
    detail.SetIndexFieldNames(QStringLiteral("CustNo"));
    detail.SetMasterFields(QStringLiteral("CustNo"));
    detail.SetMasterSource(&source);

    customers.Open();
    query.Open();
    detail.Open();
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1001, 1003, 1004}));
    EXPECT_EQ(detail.RecordCount(), 3);
    customers.Next();
    EXPECT_EQ(column(query, QStringLiteral("OrderNo")), QList<qint64>({1002, 1005}));
    EXPECT_EQ(detail.RecordCount(), 2);
    query.SetMasterSource(nullptr);
    query.Requery();
    EXPECT_EQ(query.RecordCount(), 0); // :CustNo is Null without a master
}

TEST_F(Db, CommandTimeoutInterruptsASlowQuery)
{
    query.SetSQLText(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n) "
                                    "select count(*) from n"));
    query.SetCommandTimeout(1);
    try {
        query.Open();
        FAIL() << "the query ran to its end";
    } catch (const DataError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("Command timeout expired"));
    }
    EXPECT_FALSE(query.Active());
    query.SetSQLText(QStringLiteral("select 1"));
    EXPECT_NO_THROW(query.Open()); // the connection is still usable
}

TEST_F(Db, TablesOfMainAndAttachedDatabasesAndDefsWithoutRows)
{
    FixtureDb other;
    connection.Execute(QStringLiteral("attach database '%1' as aux").arg(other.path()));
    bralvo::platform::StringList tables;
    connection.GetTableNames(tables);
    EXPECT_EQ(tables.toStringList(), QStringList({"Customer", "Kinds", "Orders", "aux.Customer", "aux.Kinds",
                                                  "aux.Orders"}));

    TADOTable table;
    table.SetConnection(&connection);
    table.SetTableName(QStringLiteral("aux.Orders"));
    table.FieldDefs()->Update();
    EXPECT_FALSE(table.Active());
    ASSERT_EQ(table.FieldDefs()->Count(), 6);
    EXPECT_EQ(table.FieldDefs()->Find(QStringLiteral("saledate"))->DataType, ftDate);
    EXPECT_EQ(table.FieldDefs()->Items(4)->DataType, ftWideMemo);
}

TEST_F(Db, TableModelShowsVisibleRowsInCursorOrder)
{
    query.SetSQLText(QStringLiteral("select OrderNo, Note from Orders"));
    TDataSetModel model(&query);
    EXPECT_EQ(model.rowCount(), 0);
    query.Open();
    query.SetSort(QStringLiteral("OrderNo DESC"));
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Note"));
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("1005"));
    EXPECT_FALSE(model.data(model.index(3, 1)).isValid()); // 1002 has no note
}

// Stored ISO dates become day counts (0 = 30.12.1899); a date that does
// not exist is an error, not a neighbouring day.
TEST_F(Db, IsoDateTextsAsDayCounts)
{
    const struct {
        const char *text;
        double days; // NaN: not a date
    } cases[] = {
        {"1899-12-30", 0},      {"1900-03-01", 61},  {"1999-12-31", 36525}, {"2000-02-29", 36585},
        {"0001-01-01", -693593}, {"9999-12-31", 2958465}, {"2024-03-01 12:00:00", 45352.5},
        {"2023-02-29", qQNaN()}, {"1900-02-29", qQNaN()}, {"2024-13-01", qQNaN()}, {"2024-1-01", qQNaN()},
    };
    fixture.exec(QStringLiteral("create table Dates (D DATETIME)"));
    for (const auto &c : cases)
        fixture.exec(QStringLiteral("insert into Dates values ('%1')").arg(QLatin1String(c.text)));
    query.SetSQLText(QStringLiteral("select D from Dates order by rowid"));
    query.Open();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        TField *field = query.Fields()->Fields(0);
        if (qIsNaN(c.days))
            EXPECT_THROW(field->Value(), DataError);
        else
            EXPECT_DOUBLE_EQ(field->AsDateTime(), c.days);
        query.Next();
    }
    EXPECT_TRUE(query.Eof());
}
