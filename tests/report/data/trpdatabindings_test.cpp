// The data classes from report scripts: the field-type constants, walking
// a query and reading its fields in PascalScript and JScript, sorting.
#include "fixturedb.h"
#include "report/data/trpado.h"
#include "report/engine/trpengine.h"
#include "report/engine/trppreviewpages.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "script/tschelpers.h"
#include "script/tscscript.h"

#include "tests/support/qstringprint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::platform::Variant;

namespace {

struct Registered {
    Registered()
    {
        installReportEngine();
        installPreviewPages();
        registerDataComponents();
    }
};

// A report holding the orders query; its script emits into a list.
struct ScriptReport : Registered {
    bralvo::test::FixtureDb fixture;
    TrpReport report{nullptr};
    QStringList emitted;

    explicit ScriptReport(const QString &language)
    {
        report.EngineOptions()->SetNewSilentMode(simSilent);
        report.SetScriptLanguage(language);
        auto *data = new TrpDataPage(&report);
        data->setName(QStringLiteral("Data"));
        new TrpReportPage(&report);
        auto *database = new TrpADODatabase(data);
        database->setName(QStringLiteral("ADODatabase1"));
        database->SetDatabaseName(fixture.connectionString());
        auto *query = new TrpADOQuery(data);
        query->setName(QStringLiteral("ADOQuery1"));
        query->SetDatabase(database);
        query->SetSQLText(QStringLiteral("select * from Orders where CustNo = :c order by OrderNo"));
        query->ParamByName(QStringLiteral("c"))->SetExpression(QStringLiteral("1"));
        report.Script()->AddMethod(QStringLiteral("procedure Emit(V: Variant)"),
                                   [this](auto *, auto &, auto &, bralvo::script::TscMethodHelper &h) {
                                       emitted.append(h.GetParamValue(0).toString());
                                       return Variant::null();
                                   });
    }
    QStringList run(const QString &script)
    {
        report.ScriptText()->setText(script);
        EXPECT_TRUE(report.PrepareReport()) << report.ErrorList().text().toStdString();
        return emitted;
    }
};

} // namespace

TEST(DataBindings, FieldTypeConstantsInPascalScript)
{
    ScriptReport r(QStringLiteral("PascalScript"));
    EXPECT_EQ(r.run(QStringLiteral("begin\r\n  Emit(ftUnknown); Emit(ftString); Emit(ftLargeint); Emit(ftFMTBcd);\r\n"
                                   "end.")),
              QStringList({"0", "1", "25", "37"}));
}

TEST(DataBindings, WalkAndReadFieldsInPascalScript)
{
    ScriptReport r(QStringLiteral("PascalScript"));
    const QString script = QStringLiteral(
        "var q: TADOQuery;\r\n"
        "begin\r\n"
        "  q := ADOQuery1.Query;\r\n"
        "  q.Open;\r\n"
        "  Emit(q.RecordCount);\r\n"
        "  while not q.Eof do begin\r\n"
        "    Emit(IntToStr(q.FieldByName('OrderNo').AsInteger) + '=' + q.FieldByName('Note').AsString);\r\n"
        "    q.Next;\r\n"
        "  end;\r\n"
        "  q.Last;\r\n"
        "  Emit(q.Fields[0].Value);\r\n"
        "  Emit(q.FieldByName('AmountPaid').DataType = ftCurrency);\r\n"
        "  q.Sort := 'AmountPaid DESC';\r\n"
        "  q.First;\r\n"
        "  Emit(q.Sort + ' ' + q.FieldByName('OrderNo').AsString);\r\n"
        "  q.Close;\r\n"
        "end.");
    EXPECT_EQ(r.run(script), QStringList({"3", "1001=first", "1003=third; with \"quotes\"", "1004=fourth", "1004",
                                          "True", "AmountPaid DESC 1003"}));
}

TEST(DataBindings, WalkAndReadFieldsInJScript)
{
    ScriptReport r(QStringLiteral("JScript"));
    const QString script = QStringLiteral(
        "var q = ADOQuery1.Query;\r\n"
        "q.Open();\r\n"
        "q.First();\r\n"
        "while (!q.Eof) {\r\n"
        "  Emit(q.FieldByName(\"OrderNo\").AsString);\r\n"
        "  q.Next();\r\n"
        "}\r\n"
        "Emit(ftFMTBcd);\r\n"
        "Emit(ADOQuery1.ParamByName(\"c\").Value);\r\n");
    EXPECT_EQ(r.run(script), QStringList({"1001", "1003", "1004", "37", "1"}));
}

TEST(DataBindings, OnFilterRecordHandlerHidesRecords)
{
    ScriptReport r(QStringLiteral("PascalScript"));
    const QString script = QStringLiteral(
        "procedure AfterFirst(Sender: TDataSet; var Accept: Boolean);\r\n"
        "begin\r\n"
        "  Accept := Sender.FieldByName('OrderNo').AsInteger > 1001;\r\n"
        "end;\r\n"
        "\r\n"
        "begin\r\n"
        "  ADOQuery1.Query.OnFilterRecord := 'AfterFirst';\r\n"
        "  ADOQuery1.Query.Filtered := True;\r\n"
        "  ADOQuery1.Query.Open;\r\n"
        "  Emit(ADOQuery1.Query.RecordCount);\r\n"
        "  Emit(ADOQuery1.Query.FieldByName('OrderNo').AsInteger);\r\n"
        "  ADOQuery1.Query.Close;\r\n"
        "end.");
    EXPECT_EQ(r.run(script), QStringList({"2", "1003"}));
}

TEST(DataBindings, BadParamIndexAndWritesFailTheScript)
{
    struct Case {
        const char *script;
        const char *error;
    } cases[] = {
        {"begin\r\n  Emit(ADOQuery1.Params[5].Value);\r\nend.", "index"},
        {"begin\r\n  ADOQuery1.Query.Open;\r\n  ADOQuery1.Query.Edit;\r\nend.", "dataset is read-only"},
    };
    for (const Case &c : cases) {
        ScriptReport r(QStringLiteral("PascalScript"));
        r.report.ScriptText()->setText(QString::fromUtf8(c.script));
        EXPECT_FALSE(r.report.PrepareReport()) << c.script;
        EXPECT_TRUE(r.report.ErrorList().text().contains(QString::fromUtf8(c.error), Qt::CaseInsensitive))
            << r.report.ErrorList().text().toStdString();
    }
}

// Field names, the Find walk, field definitions and a blob field saved to
// a file, in the four languages (the query holds customer 1's orders:
// 1001, 1003 and 1004).
TEST(DataBindings, FieldNamesFindWalkFieldDefsAndBlobsInEveryLanguage)
{
    struct Case {
        const char *language;
        const char *script;
    };
    const Case cases[] = {
        {"PascalScript",
         "var q: TADOQuery; l: TStringList; d: TFieldDefs;\r\nbegin\r\n  q := ADOQuery1.Query;\r\n  q.Open;\r\n"
         "  l := TStringList.Create;\r\n  q.GetFieldNames(l);\r\n  Emit(l.CommaText);\r\n  l.Free;\r\n"
         "  Emit(q.FindLast); Emit(q.FieldByName('OrderNo').AsInteger);\r\n  Emit(q.FindNext);\r\n"
         "  Emit(q.FindPrior); Emit(q.FieldByName('OrderNo').AsInteger);\r\n"
         "  Emit(q.FindFirst); Emit(q.FieldByName('OrderNo').AsInteger);\r\n  Emit(q.FindPrior);\r\n"
         "  TBlobField(q.FieldByName('Note')).SaveToFile('note.txt');\r\n"
         "  d := q.FieldDefs;\r\n  Emit(d.Find('Note') = d[4]);\r\n  d.Clear;\r\n"
         "  d.Add('Extra', ftString, 20, True);\r\n  Emit(d.Find('Extra') = d[0]);\r\n  q.Close;\r\nend."},
        {"C++Script",
         "TADOQuery q;\r\nTStringList l;\r\nTFieldDefs d;\r\n{\r\n  q = ADOQuery1.Query;\r\n  q.Open;\r\n"
         "  l = new TStringList;\r\n  q.GetFieldNames(l);\r\n  Emit(l.CommaText);\r\n  delete l;\r\n"
         "  Emit(q.FindLast); Emit(q.FieldByName(\"OrderNo\").AsInteger);\r\n  Emit(q.FindNext);\r\n"
         "  Emit(q.FindPrior); Emit(q.FieldByName(\"OrderNo\").AsInteger);\r\n"
         "  Emit(q.FindFirst); Emit(q.FieldByName(\"OrderNo\").AsInteger);\r\n  Emit(q.FindPrior);\r\n"
         "  TBlobField(q.FieldByName(\"Note\")).SaveToFile(\"note.txt\");\r\n"
         "  d = q.FieldDefs;\r\n  Emit(d.Find(\"Note\") == d[4]);\r\n  d.Clear;\r\n"
         "  d.Add(\"Extra\", ftString, 20, true);\r\n  Emit(d.Find(\"Extra\") == d[0]);\r\n  q.Close;\r\n}\r\n"},
        {"JScript",
         "q = ADOQuery1.Query;\r\nq.Open;\r\nl = new TStringList;\r\nq.GetFieldNames(l);\r\nEmit(l.CommaText);\r\n"
         "delete l;\r\nEmit(q.FindLast); Emit(q.FieldByName(\"OrderNo\").AsInteger);\r\nEmit(q.FindNext);\r\n"
         "Emit(q.FindPrior); Emit(q.FieldByName(\"OrderNo\").AsInteger);\r\n"
         "Emit(q.FindFirst); Emit(q.FieldByName(\"OrderNo\").AsInteger);\r\nEmit(q.FindPrior);\r\n"
         "TBlobField(q.FieldByName(\"Note\")).SaveToFile(\"note.txt\");\r\n"
         "d = q.FieldDefs;\r\nEmit(d.Find(\"Note\") == d[4]);\r\nd.Clear;\r\n"
         "d.Add(\"Extra\", ftString, 20, true);\r\nEmit(d.Find(\"Extra\") == d[0]);\r\nq.Close;\r\n"},
        {"BasicScript",
         "Dim q = ADOQuery1.Query\r\nq.Open\r\nDim l = New TStringList\r\nq.GetFieldNames(l)\r\nEmit(l.CommaText)\r\n"
         "Delete l\r\nEmit(q.FindLast)\r\nEmit(q.FieldByName(\"OrderNo\").AsInteger)\r\nEmit(q.FindNext)\r\n"
         "Emit(q.FindPrior)\r\nEmit(q.FieldByName(\"OrderNo\").AsInteger)\r\n"
         "Emit(q.FindFirst)\r\nEmit(q.FieldByName(\"OrderNo\").AsInteger)\r\nEmit(q.FindPrior)\r\n"
         "TBlobField(q.FieldByName(\"Note\")).SaveToFile(\"note.txt\")\r\n"
         "Dim d = q.FieldDefs\r\nEmit(d.Find(\"Note\") = d[4])\r\nd.Clear\r\n"
         "d.Add(\"Extra\", ftString, 20, True)\r\nEmit(d.Find(\"Extra\") = d[0])\r\nq.Close\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language);
        ScriptReport r(QString::fromLatin1(c.language));
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(QFileInfo(r.fixture.path()).path());
        const QStringList out = r.run(QString::fromUtf8(c.script));
        QDir::setCurrent(cwd);
        EXPECT_EQ(out, QStringList({"OrderNo,CustNo,SaleDate,AmountPaid,Note,Shipped", "True", "1004", "False", "True",
                                    "1003", "True", "1001", "False", "True", "True"}));
        QFile note(QFileInfo(r.fixture.path()).dir().filePath(QStringLiteral("note.txt")));
        ASSERT_TRUE(note.open(QIODevice::ReadOnly));
        EXPECT_EQ(note.readAll(), QByteArray("first"));
    }
}

// Option sets written as set literals ([loCaseInsensitive]) reach Locate
// and FilterOptions as their bits.
TEST(DataBindings, DatasetsLocateWithOptionSets)
{
    ScriptReport r(QStringLiteral("PascalScript"));
    EXPECT_EQ(r.run(QStringLiteral("begin\r\n  Emit(ADOQuery1.Locate('OrderNo', 1003, [loCaseInsensitive]));\r\n"
                                   "  Emit(ADOQuery1.FieldByName('Note').AsString);\r\n"
                                   "  Emit(ADOQuery1.Locate('OrderNo', 1002, [loCaseInsensitive]));\r\n"
                                   "  Emit(ADOQuery1.Query.Locate('Note', 'FOURTH', [loCaseInsensitive]));\r\n"
                                   "  Emit(ADOQuery1.Query.Locate('Note', 'FOU', [loPartialKey]));\r\n"
                                   "  Emit(ADOQuery1.Query.Locate('Note', 'fou', [loPartialKey]));\r\n"
                                   "  ADOQuery1.Query.FilterOptions := [foCaseInsensitive, foNoPartialCompare];\r\n"
                                   "  Emit(ADOQuery1.Query.FilterOptions);\r\nend.")),
              QStringList({"True", "third; with \"quotes\"", "False", "True", "False", "True", "3"}));
}

