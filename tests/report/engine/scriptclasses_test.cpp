// The report classes as report scripts see them, in every language: the
// bill's test of the free space against the summary's height sets the
// summary's StartNewPage, and report variables read back through
// Report.Variables (Null for an unknown name).
#include "enginereport.h"
#include "report/model/trpvariables.h"

namespace bralvo::report::testing {
namespace {

struct LanguageCase {
    const char *language;
    const char *script;
};

// MasterAfter holds the bill's line and records the flag, SummaryBefore
// the variables, in the global variables (which outlive the run).
const LanguageCase kCases[] = {
    {"PascalScript",
     "procedure MasterAfter(Sender: TObject);\r\n"
     "begin\r\n  if Engine.FreeSpace < (ReportSummary1.Height + 0.1) then ReportSummary1.StartNewPage := True;\r\n"
     "  rpGlobalVariables['flag'] := ReportSummary1.StartNewPage\r\nend;\r\n"
     "procedure SummaryBefore(Sender: TObject);\r\n"
     "begin\r\n  Report.Variables['x'] := 5;\r\n"
     "  rpGlobalVariables['x'] := Report.Variables['x'];\r\n"
     "  rpGlobalVariables['unknown'] := Report.Variables['nothing'];\r\nend;\r\nbegin end."},
    {"C++Script",
     "void MasterAfter(TObject Sender) {\r\n"
     "  if (Engine.FreeSpace < (ReportSummary1.Height + 0.1)) ReportSummary1.StartNewPage = true;\r\n"
     "  rpGlobalVariables[\"flag\"] = ReportSummary1.StartNewPage;\r\n}\r\n"
     "void SummaryBefore(TObject Sender) {\r\n"
     "  Report.Variables[\"x\"] = 5;\r\n  rpGlobalVariables[\"x\"] = Report.Variables[\"x\"];\r\n"
     "  rpGlobalVariables[\"unknown\"] = Report.Variables[\"nothing\"];\r\n}\r\n{}"},
    {"JScript",
     "function MasterAfter(Sender) {\r\n"
     "  if (Engine.FreeSpace < (ReportSummary1.Height + 0.1)) ReportSummary1.StartNewPage = true;\r\n"
     "  rpGlobalVariables[\"flag\"] = ReportSummary1.StartNewPage;\r\n}\r\n"
     "function SummaryBefore(Sender) {\r\n"
     "  Report.Variables[\"x\"] = 5;\r\n  rpGlobalVariables[\"x\"] = Report.Variables[\"x\"];\r\n"
     "  rpGlobalVariables[\"unknown\"] = Report.Variables[\"nothing\"];\r\n}\r\n"},
    {"BasicScript",
     "Sub MasterAfter(Sender)\r\n"
     "  If Engine.FreeSpace < (ReportSummary1.Height + 0.1) Then ReportSummary1.StartNewPage = True\r\n"
     "  rpGlobalVariables[\"flag\"] = ReportSummary1.StartNewPage\r\nEnd Sub\r\n"
     "Sub SummaryBefore(Sender)\r\n"
     "  Report.Variables[\"x\"] = 5\r\n  rpGlobalVariables[\"x\"] = Report.Variables[\"x\"]\r\n"
     "  rpGlobalVariables[\"unknown\"] = Report.Variables[\"nothing\"]\r\nEnd Sub\r\n"},
};

// A bill-like page: header, rows, the summary and a footer.
void buildBill(EngineReport &e, int rows)
{
    TrpReportPage *page = e.addPage();
    e.addBand<TrpPageHeader>(page, QStringLiteral("PageHeader1"), 0, 40);
    auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("MasterData1"), 60, 20);
    band->SetDataSet(e.addRows(QStringLiteral("Items"), rows));
    band->SetOnAfterPrint(QStringLiteral("MasterAfter"));
    auto *summary = e.addBand<TrpReportSummary>(page, QStringLiteral("ReportSummary1"), 100, 120);
    summary->SetOnBeforePrint(QStringLiteral("SummaryBefore"));
    e.addBand<TrpPageFooter>(page, QStringLiteral("PageFooter1"), 300, 30);
}

TEST(ReportScriptClasses, FreeSpaceTestSetsStartNewPageAndVariablesReadBack)
{
    for (const LanguageCase &c : kCases) {
        for (const int rows : {2, 50}) {
            SCOPED_TRACE(std::string(c.language) + " rows " + std::to_string(rows));
            GlobalVariables().clear();
            EngineReport e;
            e.report->SetScriptLanguage(QString::fromLatin1(c.language));
            e.report->ScriptText()->setText(QString::fromLatin1(c.script));
            buildBill(e, rows);
            ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
            const bool full = rows == 50;
            const platform::Variant flag = GlobalVariables().Variables(QStringLiteral("flag"));
            ASSERT_FALSE(flag.isNull());
            EXPECT_EQ(flag.toBool(), full) << flag.toString().toStdString();
            EXPECT_EQ(GlobalVariables().Variables(QStringLiteral("x")).toInt(), 5);
            EXPECT_TRUE(GlobalVariables().Variables(QStringLiteral("unknown")).isNull());
            EXPECT_EQ(e.layout().count(QStringLiteral("ReportSummary1")), 1);
        }
    }
}

TEST(ReportScriptClasses, EngineAndBandsAnswerThroughTheirTables)
{
    GlobalVariables().clear();
    EngineReport e;
    e.report->ScriptText()->setText(QStringLiteral(
        "procedure SummaryBefore(Sender: TObject);\r\n"
        "begin\r\n  rpGlobalVariables['h'] := ReportSummary1.Height;\r\n"
        "  rpGlobalVariables['page'] := Engine.PageHeight > 0;\r\n"
        "  rpGlobalVariables['over'] := ReportSummary1.Overflow;\r\n"
        "  rpGlobalVariables['parent'] := ReportSummary1.Parent.Name;\r\n"
        "  rpGlobalVariables['cls'] := Engine.ClassName;\r\nend;\r\nbegin end."));
    buildBill(e, 1);
    e.report->ScriptText()->insert(0, QStringLiteral("procedure MasterAfter(Sender: TObject); begin end;"));
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    EXPECT_DOUBLE_EQ(GlobalVariables().Variables(QStringLiteral("h")).toDouble(), 120);
    EXPECT_TRUE(GlobalVariables().Variables(QStringLiteral("page")).toBool());
    EXPECT_FALSE(GlobalVariables().Variables(QStringLiteral("over")).toBool());
    EXPECT_EQ(GlobalVariables().Variables(QStringLiteral("parent")).toString(), QStringLiteral("Page1"));
    EXPECT_EQ(GlobalVariables().Variables(QStringLiteral("cls")).toString(), QStringLiteral("TrpEngine"));
}

// A memo's Text as scripts read it ends every line with CR LF.
TEST(ReportScriptClasses, MemoTextEndsEveryLineWithCrLf)
{
    GlobalVariables().clear();
    EngineReport e;
    e.report->ScriptText()->setText(QStringLiteral(
        "procedure SummaryBefore(Sender: TObject);\r\n"
        "begin\r\n  rpGlobalVariables['one'] := One.Text;\r\n"
        "  rpGlobalVariables['two'] := Two.Text;\r\n"
        "  rpGlobalVariables['none'] := None.Text;\r\nend;\r\n"
        "procedure MasterAfter(Sender: TObject); begin end;\r\nbegin end."));
    buildBill(e, 1);
    auto *summary = e.report->FindObject(QStringLiteral("ReportSummary1"));
    ASSERT_NE(summary, nullptr);
    e.addMemo(summary, QStringLiteral("One"), QStringLiteral("a"));
    e.addMemo(summary, QStringLiteral("Two"), QStringLiteral("a\r\nb"));
    e.addMemo(summary, QStringLiteral("None"), QString());
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    EXPECT_EQ(GlobalVariables().Variables(QStringLiteral("one")).toString(), QStringLiteral("a\r\n"));
    EXPECT_EQ(GlobalVariables().Variables(QStringLiteral("two")).toString(), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(GlobalVariables().Variables(QStringLiteral("none")).toString(), QString());
}

// A program that is empty or holds only blank lines and comments has
// nothing wrong with it: the report prepares.
TEST(ReportScriptClasses, AnEmptyBasicScriptProgramPrepares)
{
    for (const char *text : {"", "\r\n", "  \r\n\t\r\n", "' nothing to do\r\n"}) {
        SCOPED_TRACE(text);
        EngineReport e;
        e.report->SetScriptLanguage(QStringLiteral("BasicScript"));
        e.report->ScriptText()->setText(QString::fromLatin1(text));
        TrpReportPage *page = e.addPage();
        auto *band = e.addBand<TrpReportTitle>(page, QStringLiteral("Title1"), 0, 40);
        e.addMemo(band, QStringLiteral("Memo1"), QStringLiteral("Faktúra"));
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        EXPECT_EQ(e.pageCount(), 1);
    }
}

} // namespace
} // namespace bralvo::report::testing
