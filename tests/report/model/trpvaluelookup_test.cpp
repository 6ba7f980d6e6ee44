// How a report answers bracketed names: the lookup order (dataset
// field, system variable, OnGetValue, report, global and script
// variables), Null conversion, report variables as expressions, Calc's
// errors, and report variables through the report XML file.
#include "stubengine.h"
#include "testreport.h"

#include "report/model/reporterror.h"
#include "report/model/trpdataset.h"
#include "report/model/trpvariables.h"
#include "script/tscscript.h"

#include <QSet>
#include <gtest/gtest.h>
#include <memory>

using namespace bralvo::report;
using bralvo::platform::Variant;
using bralvo::report::testing::quietReport;
using bralvo::report::testing::StubEngine;
using bralvo::report::testing::StubPreviewPages;

namespace {

// A report with an engine and a store whose run-time numbers the test
// sets, as a run in progress would have them.
struct RunningReport {
    StubEngine *engine = nullptr;
    StubPreviewPages *pages = nullptr;
    std::unique_ptr<TrpReport> report;

    RunningReport()
    {
        TrpReportMachinery m;
        m.createEngine = [this](TrpReport &r) {
            auto e = std::make_unique<StubEngine>(&r);
            engine = e.get();
            return e;
        };
        m.createPreviewPages = [this](TrpReport &r) {
            auto p = std::make_unique<StubPreviewPages>(&r);
            pages = p.get();
            return p;
        };
        setReportMachinery(m);
        report = quietReport();
        setReportMachinery(TrpReportMachinery{});
    }
};

// Global variables are process-wide: each test leaves them empty.
struct GlobalVariablesGuard {
    ~GlobalVariablesGuard() { GlobalVariables().clear(); }
};

Variant lookUp(TrpReport &report, const QString &name, bool *found = nullptr)
{
    Variant value;
    const bool ok = report.LookUpValue(name, value);
    if (found)
        *found = ok;
    return value;
}

} // namespace

// Each name is known to its own layer and to every later one, with a
// value that tells the layers apart; the first layer must answer.
TEST(LookUpValue, FirstLayerThatKnowsTheNameAnswers)
{
    GlobalVariablesGuard guard;
    RunningReport run;
    TrpReport &report = *run.report;
    run.pages->SetWritePage(2); // the third page is being built
    run.engine->SetCurRow(4);

    bralvo::platform::Component window;
    auto *lines = new TrpUserDataSet(&window);
    lines->SetUserName(QStringLiteral("Polozky"));
    lines->OnGetValue = [](const QString &field, Variant &v) { v = QStringLiteral("field ") + field; };
    report.DataSets()->Add(lines);

    const QSet<QString> hostNames{"Polozky.\"nazov\"", "Page#", "host", "Line"};
    report.OnGetValue = [&](const QString &name, Variant &v) {
        if (hostNames.contains(name))
            v = 100;
    };
    for (const char *n : {"Page#", "host", "report"})
        report.Variables()->SetVariables(n, 200);
    for (const char *n : {"host", "report", "global"})
        GlobalVariables().SetVariables(n, 300);
    for (const char *n : {"report", "global", "script"})
        report.Script()->AddVariable(n, QStringLiteral("Variant"), Variant(400));

    struct Case {
        QString name;
        Variant expected;
    };
    for (const Case &c : {Case{"Polozky.\"nazov\"", QStringLiteral("field nazov")}, Case{"Page#", 3},
                          Case{"LINE", 4}, Case{"host", 100}, Case{"REPORT", 200}, Case{"Global", 300},
                          Case{"script", 400}}) {
        SCOPED_TRACE(c.name.toStdString());
        bool found = false;
        const Variant v = lookUp(report, c.name, &found);
        EXPECT_TRUE(found);
        EXPECT_TRUE(v.equals(c.expected)) << v.toString().toStdString();
    }
    bool found = true;
    EXPECT_TRUE(lookUp(report, QStringLiteral("nobody"), &found).isNull());
    EXPECT_FALSE(found);
    report.DataSets()->clear();
}

TEST(LookUpValue, SystemVariablesComeFromTheRun)
{
    GlobalVariablesGuard guard;
    RunningReport run;
    run.engine->SetStartDate(46000);
    run.engine->SetStartTime(46000.75);
    run.engine->SetTotalPages(12);
    run.engine->SetCurRow(3);
    run.engine->SetCurRowThrough(27);
    run.pages->SetWritePage(4);
    run.pages->logicalPageNo = 2;
    run.pages->logicalTotalPages = 6;
    GlobalVariables().SetVariables(QStringLiteral("CopyName0"), QStringLiteral("Kópia"));
    struct Case {
        QString name;
        Variant expected;
    };
    for (const Case &c : {Case{"Date", Variant::fromDate(46000)}, Case{"Time", Variant::fromDate(46000.75)},
                          Case{"Page", 2}, Case{"Page#", 5}, Case{"TotalPages", 6}, Case{"TotalPages#", 12},
                          Case{"Line", 3}, Case{"Line#", 27}, Case{"CopyName#", QStringLiteral("Kópia")}}) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_TRUE(run.report->Calc(c.name).equals(c.expected));
    }
    EXPECT_EQ(lookUp(*run.report, QStringLiteral("Date")).kind(), bralvo::platform::varDate);
    GlobalVariables().clear();
    EXPECT_TRUE(run.report->Calc(QStringLiteral("CopyName#")).isNull());
}

TEST(LookUpValue, HostThatLeavesTheValueAloneLetsVariablesAnswer)
{
    auto report = quietReport();
    report->Variables()->SetVariables(QStringLiteral("suma"), 12);
    report->OnGetValue = [](const QString &, Variant &) {};
    EXPECT_TRUE(lookUp(*report, QStringLiteral("suma")).equals(Variant(12)));
    bool found = false;
    report->OnGetValue = [](const QString &, Variant &v) { v = Variant::null(); };
    EXPECT_TRUE(lookUp(*report, QStringLiteral("suma"), &found).isNull());
    EXPECT_TRUE(found);
}

TEST(LookUpValue, ConvertNullsGivesTheFieldTypesEmptyValue)
{
    class Typed : public TrpUserDataSet {
    public:
        using TrpUserDataSet::TrpUserDataSet;
        TrpFieldType FieldType(const QString &f) override
        {
            return f == QLatin1String("s") ? fftString : f == QLatin1String("b") ? fftBoolean : fftNumeric;
        }
    };
    auto report = quietReport();
    Typed ds(nullptr);
    ds.SetUserName(QStringLiteral("T"));
    report->DataSets()->Add(&ds);
    struct Case {
        QString name;
        Variant converted;
    };
    for (const Case &c : {Case{"T.\"n\"", 0}, Case{"T.\"s\"", QString()}, Case{"T.\"b\"", false}}) {
        SCOPED_TRACE(c.name.toStdString());
        report->EngineOptions()->SetConvertNulls(true);
        const Variant on = lookUp(*report, c.name);
        EXPECT_EQ(on.kind(), c.converted.kind());
        EXPECT_TRUE(on.equals(c.converted));
        report->EngineOptions()->SetConvertNulls(false);
        EXPECT_TRUE(lookUp(*report, c.name).isNull());
    }
    report->DataSets()->clear();
}

TEST(LookUpValue, ScriptVariablesHoldWhatTheScriptLeft)
{
    auto report = quietReport();
    bralvo::script::TscScript &script = *report->Script();
    script.SetLines({"var Celkom: Integer;", "begin", "  Celkom := 6 * 7;", "end."});
    ASSERT_TRUE(script.Compile()) << script.ErrorText.toStdString();
    script.Execute();
    EXPECT_TRUE(report->Calc(QStringLiteral("celkom")).equals(Variant(42)));
}

TEST(GetDatasetAndField, SplitsAtTheFirstDotQuote)
{
    auto report = quietReport();
    TrpUserDataSet ds(nullptr);
    ds.SetUserName(QStringLiteral("Polozky"));
    report->DataSets()->Add(&ds);
    struct Case {
        QString complex;
        bool hasDataSet;
        QString field;
    };
    for (const Case &c : {Case{"Polozky.\"nazov\"", true, "nazov"}, Case{"polozky.\"a.\"b\"", true, "a.\"b"},
                          Case{"Ine.\"nazov\"", false, "nazov"}, Case{"Polozky.nazov", false, ""},
                          Case{"nazov", false, ""}}) {
        SCOPED_TRACE(c.complex.toStdString());
        TrpDataSet *found = nullptr;
        QString field;
        report->GetDatasetAndField(c.complex, found, field);
        EXPECT_EQ(found != nullptr, c.hasDataSet);
        EXPECT_EQ(field, c.field);
    }
    report->DataSets()->clear();
}

// Only a closing quote is cut; a name missing it keeps its last letter.
TEST(GetDatasetAndField, FieldWithoutClosingQuoteKeepsItsLastCharacter)
{
    auto report = quietReport();
    TrpUserDataSet ds(nullptr);
    ds.SetUserName(QStringLiteral("Polozky"));
    report->DataSets()->Add(&ds);
    TrpDataSet *found = nullptr;
    QString field;
    report->GetDatasetAndField(QStringLiteral("Polozky.\"nazov"), found, field);
    EXPECT_EQ(found, &ds);
    EXPECT_EQ(field, QStringLiteral("nazov"));
    report->DataSets()->clear();
}

TEST(TrpReportCalc, ReportVariableTextIsAnExpressionUnlessItHasLines)
{
    auto report = quietReport();
    report->Variables()->SetVariables(QStringLiteral("zaklad"), 40);
    report->Variables()->SetVariables(QStringLiteral("odkaz"), QStringLiteral("zaklad"));
    report->Variables()->SetVariables(QStringLiteral("adresa"), QStringLiteral("Hlavná 1\r\nNitra"));
    EXPECT_TRUE(report->Calc(QStringLiteral("odkaz")).equals(Variant(40)));
    EXPECT_EQ(report->Calc(QStringLiteral("Adresa")).toString(), QStringLiteral("Hlavná 1\r\nNitra"));
}

TEST(TrpReportCalc, ExpressionErrorsNameTheObjectAndLandInTheErrorList)
{
    auto report = quietReport();
    report->SetCurrentObjectName(QStringLiteral("Memo1"));
    try {
        report->Calc(QStringLiteral("1 +"));
        ADD_FAILURE() << "no error";
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("Memo1: Expression evaluation is not available"));
    }
    EXPECT_EQ(report->ErrorList().toStringList(), QStringList{"Memo1: Expression evaluation is not available"});
}

// A variable whose text names itself (or a ring of variables) would
// recurse until the stack runs out.
TEST(TrpReportCalc, SelfReferringVariableFailsInsteadOfRecursing)
{
    auto report = quietReport();
    report->Variables()->SetVariables(QStringLiteral("a"), QStringLiteral("b"));
    report->Variables()->SetVariables(QStringLiteral("b"), QStringLiteral("A"));
    report->Variables()->SetVariables(QStringLiteral("self"), QStringLiteral("self"));
    for (const QString &name : {QStringLiteral("a"), QStringLiteral("self")}) {
        SCOPED_TRACE(name.toStdString());
        report->ErrorList().clear();
        EXPECT_THROW(report->Calc(name), ReportError);
        ASSERT_EQ(report->ErrorList().count(), 1);
        EXPECT_TRUE(report->ErrorList().at(0).endsWith(QStringLiteral("refers to itself")));
    }
    // The guard is released: a later lookup of a sound variable works.
    report->Variables()->SetVariables(QStringLiteral("b"), 5);
    EXPECT_TRUE(report->Calc(QStringLiteral("a")).equals(Variant(5)));
}

TEST(TrpVariables, NamesIgnoreCaseAndWritesAppend)
{
    TrpVariables vars;
    EXPECT_TRUE(vars.Variables(QStringLiteral("x")).isNull());
    EXPECT_EQ(vars.IndexOf(QStringLiteral("x")), -1);
    vars.SetVariables(QStringLiteral("Súčet"), 1);
    vars.SetVariables(QStringLiteral("SÚČET"), 2);
    vars.SetVariables(QStringLiteral("iné"), 3);
    EXPECT_EQ(vars.count(), 2);
    EXPECT_EQ(vars.IndexOf(QStringLiteral("súčet")), 0);
    EXPECT_TRUE(vars.Variables(QStringLiteral("súčet")).equals(Variant(2)));
    EXPECT_TRUE(vars.Add()->Value().isNull());

    TrpArray array;
    array.SetVariables(Variant(7), QStringLiteral("seven"));
    EXPECT_EQ(array.Variables(Variant(QStringLiteral("7"))).toString(), QStringLiteral("seven"));
    EXPECT_EQ(array.Items(0)->Name(), QStringLiteral("7"));
    EXPECT_TRUE(array.Variables(Variant(8)).isNull());
}

TEST(TrpVariables, ReportVariablesTravelThroughTheReportFile)
{
    auto report = quietReport();
    bralvo::report::testing::buildExample(*report);
    report->Variables()->SetVariables(QStringLiteral("Cislo"), 5);
    report->Variables()->SetVariables(QStringLiteral("Adresa"), QStringLiteral("Hlavná 1\r\n\"Nitra\" & <okolie>"));
    report->Variables()->SetVariables(QStringLiteral("Prazdna"), Variant::null());
    const QByteArray saved = bralvo::report::testing::saveToBytes(*report);

    auto loaded = quietReport();
    bralvo::report::testing::loadFromBytes(*loaded, saved);
    EXPECT_EQ(loaded->ErrorList().count(), 0) << loaded->ErrorList().text().toStdString();
    TrpVariables &vars = *loaded->Variables();
    ASSERT_EQ(vars.count(), 3);
    EXPECT_EQ(vars.Items(0)->Name(), QStringLiteral("Cislo"));
    EXPECT_EQ(vars.Variables(QStringLiteral("cislo")).toString(), QStringLiteral("5"));
    EXPECT_EQ(vars.Variables(QStringLiteral("Adresa")).toString(),
              QStringLiteral("Hlavná 1\r\n\"Nitra\" & <okolie>"));
    EXPECT_EQ(vars.Variables(QStringLiteral("Prazdna")).toString(), QString());
    EXPECT_EQ(bralvo::report::testing::saveToBytes(*loaded), saved);
}
