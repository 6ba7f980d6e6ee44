// Report datasets: the record walk of a user dataset, names and
// UserName, aliases, the global name resolution and the report's list.
#include "testreport.h"

#include "report/model/reporterror.h"
#include "report/model/trpdataset.h"

#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::quietReport;

namespace {

// What a walk (First, then while not Eof: one row and Next) visits.
QList<int> walk(TrpDataSet &ds, int limit = 100)
{
    QList<int> visited;
    ds.First();
    while (!ds.Eof() && visited.size() < limit) {
        visited << ds.RecNo();
        ds.Next();
    }
    return visited;
}

} // namespace

TEST(TrpUserDataSet, WalksExactlyRangeEndCountRecords)
{
    struct Case {
        int count;
        QList<int> visited;
        int lastRecNo;
    };
    for (const Case &c : {Case{0, {}, 0}, Case{1, {0}, 0}, Case{3, {0, 1, 2}, 2}, Case{5, {0, 1, 2, 3, 4}, 4}}) {
        SCOPED_TRACE(c.count);
        TrpUserDataSet ds(nullptr);
        ds.SetRangeEnd(reCount);
        ds.SetRangeEndCount(c.count);
        EXPECT_EQ(walk(ds), c.visited);
        EXPECT_EQ(ds.RecNo(), c.lastRecNo);
        EXPECT_TRUE(ds.Eof());
        EXPECT_EQ(ds.RecordCount(), c.count);
    }
}

TEST(TrpUserDataSet, CursorEventsFireExceptOnTheStepPastTheEnd)
{
    TrpUserDataSet ds(nullptr);
    ds.SetRangeEnd(reCount);
    ds.SetRangeEndCount(2);
    QStringList log;
    ds.OnFirst = [&](TrpDataSet *d) { log << QStringLiteral("first %1").arg(d->RecNo()); };
    ds.OnNext = [&](TrpDataSet *d) { log << QStringLiteral("next %1").arg(d->RecNo()); };
    ds.OnPrior = [&](TrpDataSet *d) { log << QStringLiteral("prior %1").arg(d->RecNo()); };
    walk(ds);
    ds.Prior();
    EXPECT_EQ(log, QStringList({"first 0", "next 1", "prior 0"}));
}

TEST(TrpUserDataSet, CheckEofMayEndOrProlongAWalk)
{
    TrpUserDataSet ds(nullptr);
    ds.SetRangeEnd(reCount);
    ds.SetRangeEndCount(10);
    ds.OnCheckEOF = [](TrpDataSet *d, bool &eof) { eof = eof || d->RecNo() >= 2; };
    EXPECT_EQ(walk(ds), QList<int>({0, 1}));

    TrpUserDataSet open(nullptr);
    open.OnCheckEOF = [](TrpDataSet *d, bool &eof) { eof = d->RecNo() >= 4; };
    EXPECT_EQ(walk(open), QList<int>({0, 1, 2, 3}));
}

// With RangeEnd reLast or reCurrent nothing but OnCheckEOF can bound the
// walk; without that handler the engine would loop for ever.
TEST(TrpUserDataSet, UnboundedWalkWithoutCheckEofEndsAtOnce)
{
    for (TrpRangeEnd end : {reLast, reCurrent}) {
        SCOPED_TRACE(int(end));
        TrpUserDataSet ds(nullptr);
        ds.SetRangeEnd(end);
        EXPECT_EQ(walk(ds), QList<int>());
    }
}

TEST(TrpUserDataSet, RecordCountNeedsRangeFromTheFirstRecordAndACount)
{
    struct Case {
        TrpRangeBegin begin;
        TrpRangeEnd end;
        int expected;
    };
    for (const Case &c : {Case{rbFirst, reCount, 3}, Case{rbCurrent, reCount, 0}, Case{rbFirst, reLast, 0},
                          Case{rbFirst, reCurrent, 0}}) {
        TrpUserDataSet ds(nullptr);
        ds.SetRangeBegin(c.begin);
        ds.SetRangeEnd(c.end);
        ds.SetRangeEndCount(3);
        EXPECT_EQ(ds.RecordCount(), c.expected) << c.begin << " " << c.end;
    }
}

TEST(TrpUserDataSet, ValuesAndFieldsComeFromTheWindow)
{
    TrpUserDataSet ds(nullptr);
    EXPECT_TRUE(ds.Value(QStringLiteral("s_nazov")).isNull());
    EXPECT_EQ(ds.DisplayText(QStringLiteral("s_nazov")), QString());
    ds.OnGetValue = [&ds](const QString &name, bralvo::platform::Variant &value) {
        if (name == QLatin1String("s_nazov"))
            value = QStringLiteral("Riadok %1").arg(ds.RecNo() + 1);
        else if (name == QLatin1String("s_mnozstvo"))
            value = 7;
    };
    ds.SetRecNo(1);
    EXPECT_EQ(ds.Value(QStringLiteral("s_nazov")).toString(), QStringLiteral("Riadok 2"));
    EXPECT_EQ(ds.DisplayText(QStringLiteral("s_mnozstvo")), QStringLiteral("7"));
    EXPECT_EQ(ds.DisplayText(QStringLiteral("unknown")), QString());

    ds.Fields()->setText(QStringLiteral("s_nazov\r\ns_mnozstvo"));
    EXPECT_EQ(ds.FieldsCount(), 2);
    EXPECT_TRUE(ds.HasField(QStringLiteral("S_NAZOV")));
    EXPECT_FALSE(ds.HasField(QStringLiteral("s_cena")));
    bralvo::platform::StringList list;
    ds.GetFieldList(list);
    EXPECT_EQ(list.toStringList(), QStringList({"s_nazov", "s_mnozstvo"}));
}

TEST(TrpDataSet, UserNameFollowsRenamesWhileItEqualsTheName)
{
    bralvo::platform::Component window;
    auto *ds = new TrpUserDataSet(&window);
    ds->setName(QStringLiteral("rpUDS1"));
    EXPECT_EQ(ds->UserName(), QStringLiteral("rpUDS1"));
    ds->setName(QStringLiteral("rpUDSpolozky"));
    EXPECT_EQ(ds->UserName(), QStringLiteral("rpUDSpolozky"));
    ds->SetUserName(QStringLiteral("Polozky"));
    ds->setName(QStringLiteral("rpUDS2"));
    EXPECT_EQ(ds->UserName(), QStringLiteral("Polozky"));
}

TEST(TrpDataSet, BlankUserNameIsRefusedAndBlanksAroundAreKept)
{
    TrpUserDataSet ds(nullptr);
    ds.SetUserName(QStringLiteral(" x "));
    EXPECT_EQ(ds.UserName(), QStringLiteral(" x "));
    for (const QString &blank : {QString(), QStringLiteral("  ")}) {
        try {
            ds.SetUserName(blank);
            ADD_FAILURE() << "accepted a blank UserName";
        } catch (const ReportError &e) {
            EXPECT_EQ(e.userText(), QStringLiteral("Invalid property value"));
        }
    }
    EXPECT_EQ(ds.UserName(), QStringLiteral(" x "));
}

// A rename the component refuses must not move UserName to a name the
// dataset does not carry.
TEST(TrpDataSet, FailedRenameKeepsUserName)
{
    bralvo::platform::Component window;
    auto *first = new TrpUserDataSet(&window);
    first->setName(QStringLiteral("ds1"));
    auto *second = new TrpUserDataSet(&window);
    second->setName(QStringLiteral("ds2"));
    EXPECT_THROW(second->setName(QStringLiteral("ds1")), bralvo::Error);
    EXPECT_EQ(second->name(), QStringLiteral("ds2"));
    EXPECT_EQ(second->UserName(), QStringLiteral("ds2"));
}

TEST(TrpCustomDBDataSet, AliasesTranslateBothWaysIgnoringCase)
{
    TrpCustomDBDataSet ds(nullptr);
    ds.FieldAliases()->setText(QStringLiteral("nazov_polozky=Názov\r\ncena=Cena za kus"));
    struct Case {
        QString fieldName, alias;
    };
    for (const Case &c : {Case{"NAZOV_POLOZKY", "Názov"}, Case{"Cena", "Cena za kus"}, Case{"mnozstvo", "mnozstvo"}})
        EXPECT_EQ(ds.FieldNameToAlias(c.fieldName), c.alias) << c.fieldName.toStdString();
    for (const Case &c : {Case{"nazov_polozky", "NÁZOV"}, Case{"cena", "cena ZA KUS"}, Case{"other", "other"}})
        EXPECT_EQ(ds.AliasToFieldName(c.alias), c.fieldName) << c.alias.toStdString();
    EXPECT_FALSE(ds.CloseDataSource());
    EXPECT_TRUE(ds.OpenDataSource());
    EXPECT_EQ(ds.FieldsCount(), 0);
}

TEST(FindGlobalDataSet, EachReportFindsItsOwnAndEveryoneTheWindows)
{
    auto reportA = quietReport();
    auto reportB = quietReport();
    auto *ownA = new TrpUserDataSet(reportA.get());
    ownA->SetUserName(QStringLiteral("Lines"));
    auto *ownB = new TrpUserDataSet(reportB.get());
    ownB->SetUserName(QStringLiteral("Lines"));
    bralvo::platform::Component window;
    auto *shared = new TrpUserDataSet(&window);
    shared->SetUserName(QStringLiteral("rpUDSzoznam"));

    EXPECT_EQ(FindGlobalDataSet(nullptr, QStringLiteral("lines"), reportA.get()), ownA);
    EXPECT_EQ(FindGlobalDataSet(nullptr, QStringLiteral("LINES"), reportB.get()), ownB);
    EXPECT_EQ(FindGlobalDataSet(nullptr, QStringLiteral("rpudszoznam"), reportA.get()), shared);
    EXPECT_EQ(FindGlobalDataSet(nullptr, QStringLiteral("rpUDSzoznam"), reportB.get()), shared);
    EXPECT_EQ(FindGlobalDataSet(ownA, QStringLiteral("missing"), reportB.get()), ownA);
    EXPECT_EQ(FindGlobalDataSet(ownA, QString(), reportA.get()), nullptr);
    EXPECT_EQ(FindGlobalDataSet(ownA, QStringLiteral("rpUDSzoznam"), nullptr), ownA);

    // The same through the report's own list, by name.
    reportB->DataSets()->add();
    reportB->DataSets()->Items(0)->SetDataSetName(QStringLiteral("Lines"));
    EXPECT_EQ(reportB->DataSets()->Items(0)->DataSet(), ownB);
}

TEST(TrpReportDataSets, InitializeTellsEachDataSetItsReportInOrder)
{
    class Recording : public TrpUserDataSet {
    public:
        Recording(QStringList &log) : TrpUserDataSet(nullptr), m_log(log) {}
        void Initialize() override { m_log << QStringLiteral("init ") + UserName() + (Report() ? "+r" : "-r"); }
        void Finalize() override { m_log << QStringLiteral("fin ") + UserName(); }

    private:
        QStringList &m_log;
    };
    QStringList log;
    Recording a(log), b(log);
    a.SetUserName(QStringLiteral("a"));
    b.SetUserName(QStringLiteral("b"));
    auto report = quietReport();
    report->DataSets()->Add(&a);
    report->DataSets()->add(); // an item without a dataset is passed over
    report->DataSets()->Add(&b);
    report->DataSets()->Initialize();
    report->DataSets()->Finalize();
    EXPECT_EQ(log, QStringList({"init a+r", "init b+r", "fin a", "fin b"}));
    EXPECT_EQ(a.Report(), report.get());
    report->DataSets()->clear();
}

TEST(TrpReport, DatasetLookupsByAlias)
{
    auto report = quietReport();
    bralvo::platform::Component window;
    auto *lines = new TrpUserDataSet(&window);
    lines->SetUserName(QStringLiteral("Polozky"));
    auto *db = new TrpCustomDBDataSet(&window);
    db->SetUserName(QStringLiteral("Faktury"));
    auto *unlisted = new TrpUserDataSet(&window);
    unlisted->SetUserName(QStringLiteral("Ine"));
    report->DataSets()->Add(lines);
    report->DataSets()->Add(db);

    EXPECT_EQ(report->GetDataset(QStringLiteral("POLOZKY")), lines);
    EXPECT_EQ(report->GetDataset(QStringLiteral("Ine")), nullptr);
    EXPECT_EQ(report->GetAlias(db), QStringLiteral("Faktury"));
    EXPECT_EQ(report->GetAlias(nullptr), QString());
    EXPECT_EQ(report->GetAlias(unlisted), QStringLiteral("(dataset is not included in Report.DataSets)"));

    bralvo::platform::StringList list;
    report->GetDataSetList(list);
    EXPECT_EQ(list.toStringList(), QStringList({"Polozky", "Faktury"}));
    EXPECT_EQ(list.object(1), db);
    report->GetDataSetList(list, true);
    EXPECT_EQ(list.toStringList(), QStringList({"Faktury"}));
}

TEST(TrpCustomDatabase, BeforeConnectGoesToTheReportItSitsIn)
{
    auto report = quietReport();
    auto *page = new TrpDataPage(report.get());
    auto *db = new TrpCustomDatabase(page);
    bool asked = false;
    report->OnBeforeConnect = [&](bralvo::platform::Component *sender, bool &connected) {
        asked = sender == db;
        connected = false;
    };
    bool connected = true;
    db->DoBeforeConnect(connected);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(connected);

    TrpCustomDatabase loose(nullptr);
    connected = true;
    loose.DoBeforeConnect(connected);
    EXPECT_TRUE(connected);
}
