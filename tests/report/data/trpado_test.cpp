// The database-bound report dataset and the ADO components on a fixture
// database, with and without the engine.
#include "fixturedb.h"
#include "report/data/trpado.h"
#include "report/engine/trpengine.h"
#include "report/model/reporterror.h"
#include "report/model/trpband.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"

#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::platform::Variant;
using bralvo::test::FixtureDb;

namespace {

struct WithEngine {
    WithEngine() { installReportEngine(); }
};

struct Components : ::testing::Test, WithEngine {
    FixtureDb fixture;
    TrpReport report{nullptr};
    TrpADODatabase *database = nullptr;
    TrpADOQuery *query = nullptr;

    void SetUp() override
    {
        report.EngineOptions()->SetNewSilentMode(simSilent);
        report.SetScriptLanguage(QStringLiteral("PascalScript"));
        auto *data = new TrpDataPage(&report);
        data->setName(QStringLiteral("Data"));
        database = new TrpADODatabase(data);
        database->setName(QStringLiteral("ADODatabase1"));
        database->SetDatabaseName(fixture.connectionString());
        query = new TrpADOQuery(data);
        query->setName(QStringLiteral("ADOQuery1"));
        query->SetDatabase(database);
        query->SetSQLText(QStringLiteral("select * from Orders order by OrderNo"));
    }
    QStringList walk(TrpDataSet &ds, const QString &field)
    {
        QStringList out;
        ds.Initialize();
        for (ds.First(); !ds.Eof(); ds.Next())
            out.append(ds.DisplayText(field));
        ds.Finalize();
        return out;
    }
};

} // namespace

TEST_F(Components, AliasesListOnlyVisibleFieldsAndReadTheirFields)
{
    query->FieldAliases()->setText(QStringLiteral("Note=Remark\r\n-OrderNo=Key\r\nCustNo=Customer"));
    bralvo::platform::StringList list;
    query->GetFieldList(list);
    EXPECT_EQ(list.toStringList(), QStringList({"Remark", "Customer"}));
    query->Initialize();
    query->First();
    EXPECT_EQ(query->Value(QStringLiteral("Remark")).toString(), QStringLiteral("first"));
    EXPECT_EQ(query->DisplayText(QStringLiteral("customer")), QStringLiteral("1"));
    EXPECT_EQ(query->FieldType(QStringLiteral("Remark")), fftString);
    query->Finalize();
}

TEST_F(Components, UnknownFieldIsNullAndReported)
{
    query->SetUserName(QStringLiteral("rpDBDataset1"));
    query->Initialize();
    query->First();
    report.SetCurrentObjectName(QStringLiteral("Memo1"));
    EXPECT_TRUE(query->Value(QStringLiteral("ID")).isNull());
    EXPECT_EQ(query->DisplayText(QStringLiteral("ID")), QStringLiteral("Field not found: rpDBDataset1.\"ID\""));
    EXPECT_EQ(report.ErrorList().toStringList(), QStringList({"Memo1: Field not found: rpDBDataset1.\"ID\""}));
    query->Finalize();
}

TEST_F(Components, DatasetWithoutDataAndInactiveDataset)
{
    TrpDBDataset bare(report.GetPages(0));
    bare.setName(QStringLiteral("rpDBDataset1"));
    try {
        bare.Initialize();
        FAIL() << "no error";
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("DataSet rpDBDataset1 is not connected to data"));
    }
    bare.SetDataSet(query->PlatformDataSet());
    EXPECT_EQ(bare.EffectiveDataSet(), query->PlatformDataSet());
    query->PlatformDataSet()->Close();
    query->setName(QStringLiteral("Other"));
    // Closed after opening: the dataset is opened again on the next read.
    bare.Initialize();
    EXPECT_EQ(bare.DisplayText(QStringLiteral("OrderNo")), QStringLiteral("1001"));
    bare.Finalize();
}

TEST_F(Components, RangeModesAroundTheCurrentRecord)
{
    bralvo::data::TADOQuery *platform = query->Query();
    struct Case {
        TrpRangeBegin begin;
        TrpRangeEnd end;
        QStringList rows;
    } cases[] = {
        {rbCurrent, reCurrent, {"1003"}},
        {rbCurrent, reLast, {"1003", "1004", "1005"}},
        {rbFirst, reCurrent, {"1001", "1002", "1003"}},
        {rbFirst, reLast, {"1001", "1002", "1003", "1004", "1005"}},
    };
    query->SetCloseDataSource(false);
    for (const Case &c : cases) {
        platform->Open();
        platform->First();
        platform->MoveBy(2);
        query->SetRangeBegin(c.begin);
        query->SetRangeEnd(c.end);
        EXPECT_EQ(walk(*query, QStringLiteral("OrderNo")), c.rows) << c.begin << c.end;
        if (c.begin == rbCurrent || c.end == reCurrent)
            EXPECT_EQ(platform->FieldByName(QStringLiteral("OrderNo"))->AsInteger(), 1003) << "back on the saved record";
    }
}

TEST_F(Components, ExactValuesAndFieldTypes)
{
    query->SetSQLText(QStringLiteral("select * from Kinds"));
    query->Initialize();
    query->First();
    EXPECT_EQ(query->Value(QStringLiteral("Big")).toInt64(), Q_INT64_C(9007199254740993));
    EXPECT_EQ(query->FieldType(QStringLiteral("Body")), fftString);
    EXPECT_EQ(query->FieldType(QStringLiteral("Code")), fftString);
    EXPECT_EQ(query->FieldType(QStringLiteral("Flag")), fftBoolean);
    EXPECT_EQ(query->FieldType(QStringLiteral("Price")), fftNumeric);
    EXPECT_EQ(query->DisplayWidth(QStringLiteral("Code")), 4);
    EXPECT_EQ(query->DisplayWidth(QStringLiteral("Born")), 20);
    EXPECT_TRUE(query->IsBlobField(QStringLiteral("Body")));
    query->Finalize();
}

TEST_F(Components, ParametersMasterDetailFilterAndSort)
{
    auto *customers = new TrpADOTable(report.GetPages(0));
    customers->setName(QStringLiteral("Customers"));
    customers->SetDatabase(database);
    customers->SetTableName(QStringLiteral("Customer"));
    customers->SetIndexFieldNames(QStringLiteral("CustNo"));
    customers->SetCloseDataSource(false);

    query->SetSQLText(QStringLiteral("select * from Orders where CustNo = :CustNo and AmountPaid > :min order by OrderNo"));
    ASSERT_EQ(query->Params()->count(), 2);
    query->ParamByName(QStringLiteral("min"))->SetValue(Variant(20));
    query->SetMaster(customers);
    customers->Initialize();
    customers->First();
    EXPECT_EQ(walk(*query, QStringLiteral("OrderNo")), QStringList({"1001", "1003"}));
    customers->Next();
    EXPECT_EQ(walk(*query, QStringLiteral("OrderNo")), QStringList({"1002", "1005"}));

    query->SetFilter(QStringLiteral("AmountPaid < 1000"));
    query->SetFiltered(true);
    EXPECT_EQ(walk(*query, QStringLiteral("OrderNo")), QStringList({"1002"}));
    query->SetFiltered(false);
    query->Query()->SetSort(QStringLiteral("AmountPaid DESC"));
    EXPECT_EQ(walk(*query, QStringLiteral("OrderNo")), QStringList({"1005", "1002"}));
    customers->Finalize();
    EXPECT_THROW(query->ParamByName(QStringLiteral("nope")), ReportError);
}

TEST_F(Components, UpdateParamsKeepsTypesAndExpressionsByName)
{
    query->SetSQLText(QStringLiteral("select :a, :c"));
    query->ParamByName(QStringLiteral("a"))->SetDataType(bralvo::data::ftInteger);
    query->ParamByName(QStringLiteral("a"))->SetExpression(QStringLiteral("1 + 1"));
    query->SetSQLText(QStringLiteral("select :A, :b"));
    ASSERT_EQ(query->Params()->count(), 2);
    EXPECT_EQ(query->Params()->Items(0)->DataType(), bralvo::data::ftInteger);
    EXPECT_EQ(query->Params()->Items(0)->Expression(), QStringLiteral("1 + 1"));
    EXPECT_EQ(query->Params()->Items(1)->Name(), QStringLiteral("b"));
    EXPECT_EQ(query->Params()->IndexOf(QStringLiteral("c")), -1);
}

TEST_F(Components, SetLoginEditsTheConnectionString)
{
    database->SetDatabaseName(QStringLiteral("DSN=x;User ID=old;Mode=Read"));
    database->SetLogin(QStringLiteral("joe"), QStringLiteral("pw"));
    EXPECT_EQ(database->DatabaseName(), QStringLiteral("DSN=x;User ID=joe;Mode=Read;Password=pw"));
    database->SetDatabaseName(QString());
    database->SetLogin(QStringLiteral("joe"), QStringLiteral("pw"));
    EXPECT_EQ(database->DatabaseName(), QStringLiteral(";User ID=joe;Password=pw"));
}

TEST_F(Components, SavedAndLoadedWithTheReport)
{
    registerDataComponents();
    query->SetSQLText(QStringLiteral("select * from Orders where CustNo = :c order by OrderNo"));
    query->ParamByName(QStringLiteral("c"))->SetExpression(QStringLiteral("1"));
    query->SetCommandTimeout(5);
    report.DataSets()->Add(query);
    bralvo::platform::MemoryStream out;
    report.SaveToStream(out);
    if (!qEnvironmentVariableIsEmpty("BRALVO_PRINT_REPORT"))
        printf("%s\n", out.data().constData());

    TrpReport copy(nullptr);
    copy.EngineOptions()->SetNewSilentMode(simSilent);
    bralvo::platform::MemoryStream in(out.data());
    copy.LoadFromStream(in);
    EXPECT_EQ(copy.ErrorList().count(), 0) << copy.ErrorList().text().toStdString();
    TrpADOQuery *loaded = nullptr;
    for (TrpComponent *c : copy.AllObjects())
        if (c->name() == QLatin1String("ADOQuery1"))
            loaded = dynamic_cast<TrpADOQuery *>(c);
    ASSERT_NE(loaded, nullptr);
    ASSERT_NE(loaded->Database(), nullptr);
    EXPECT_EQ(loaded->Database()->DatabaseName(), fixture.connectionString());
    EXPECT_EQ(loaded->CommandTimeout(), 5);
    EXPECT_EQ(loaded->Query()->SQLText(), query->Query()->SQLText());
    ASSERT_EQ(loaded->Params()->count(), 1);
    EXPECT_EQ(loaded->Params()->Items(0)->Expression(), QStringLiteral("1"));
    EXPECT_EQ(copy.DataSets()->count(), 1);
}
