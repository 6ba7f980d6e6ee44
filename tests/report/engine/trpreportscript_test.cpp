// The report script and the expression cache: expressions in the four
// languages, IIF, Get, the "Value" variable, compile and run-time errors,
// script events, and the bill's rule that puts the summary at the foot
// of the last page.
#include "enginereport.h"
#include "platform/regionalsettings.h"
#include "script/tscscript.h"

namespace bralvo::report::testing {
namespace {

// One master row whose memos hold Texts; the output texts.
QStringList evaluate(const QString &language, const QStringList &texts, QString *errors = nullptr)
{
    EngineReport e;
    e.report->SetScriptLanguage(language);
    e.report->ScriptText()->setText(language == QLatin1String("PascalScript") ? QStringLiteral("begin end.")
                                    : language == QLatin1String("C++Script") ? QStringLiteral("{}")
                                    : language == QLatin1String("BasicScript") ? QStringLiteral("dim unused")
                                                                                : QString());
    TrpReportPage *page = e.addPage();
    auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
    band->SetDataSet(e.addRows(QStringLiteral("Items"), 1));
    int i = 0;
    for (const QString &t : texts)
        e.addMemo(band, QStringLiteral("Memo%1").arg(++i), t, 0, 0, 600, 20);
    e.prepare();
    if (errors)
        *errors = e.errors();
    return e.pageCount() > 0 ? e.page(0).texts() : QStringList();
}

TEST(ReportScript, ExpressionsEvaluateInEveryLanguage)
{
    struct Case {
        const char *language;
        const char *iif;
    };
    const Case cases[] = {
        {"PascalScript", "[IIF(1 = 1, 'yes', 1 div 0)]"},
        {"C++Script", "[IIF(1 == 1, \"yes\", 1 / 0)]"},
        {"JScript", "[IIF(1 == 1, \"yes\", 1 / 0)]"},
        {"BasicScript", "[IIF(1 = 1, \"yes\", 1 / 0)]"},
    };
    for (const Case &c : cases) {
        QString errors;
        const QStringList out = evaluate(QString::fromLatin1(c.language),
                                         {QStringLiteral("[<Items.\"Name\">]!"), QStringLiteral("[2 * 3 + 1]"),
                                          QStringLiteral("[Value + 1]"), QString::fromLatin1(c.iif)},
                                         &errors);
        EXPECT_EQ(out, QStringList({"R1!", "7", "8", "yes"})) << c.language << " " << errors.toStdString();
        EXPECT_EQ(errors, QString()) << c.language;
    }
}

TEST(ReportScript, DisplayFormatAfterTheExpression)
{
    platform::RegionalSettings settings = platform::regionalSettings();
    settings.decimalSeparator = u',';
    platform::ScopedRegionalSettings pinned(settings);
    EXPECT_EQ(evaluate(QStringLiteral("PascalScript"),
                       {QStringLiteral("[3.14159 #n%2.2f]"), QStringLiteral("[1.5 #n%1,1n]")}),
              QStringList({"3.14", "1,5"}));
}

TEST(ReportScript, CacheKeepsTextsApartByLetterCaseAndCompilesEachOnce)
{
    EngineReport e;
    e.addPage();
    auto *host = static_cast<TrpReportScript *>(e.report->ScriptHost());
    ASSERT_TRUE(host->PrepareReportScript());
    const QStringList texts = {QStringLiteral("'Total'"), QStringLiteral("'TOTAL'"), QStringLiteral("'Total'")};
    QStringList values;
    for (const QString &t : texts)
        values.append(e.report->Calc(t).toString());
    EXPECT_EQ(values, QStringList({"Total", "TOTAL", "Total"}));
    EXPECT_EQ(host->ExpressionCache().CompiledCount(), 2);
}

TEST(ReportScript, TextThatFailsToCompileLeavesLaterTextsWorking)
{
    EngineReport e;
    e.addPage();
    auto *host = static_cast<TrpReportScript *>(e.report->ScriptHost());
    ASSERT_TRUE(host->PrepareReportScript());
    // The first fails while its body is built, the second when parsed.
    for (const QString &bad : {QStringLiteral("UnknownThing + 1"), QStringLiteral("1 +")}) {
        QString error;
        const Variant v = host->CalcExpression(bad, e.report->Script(), error);
        EXPECT_TRUE(error.startsWith(QStringLiteral("Error in expression '") + bad + QStringLiteral("': ")))
            << error.toStdString();
        EXPECT_TRUE(v.isNull());
    }
    QString error;
    EXPECT_EQ(host->CalcExpression(QStringLiteral("40 + 2"), e.report->Script(), error).toInt(), 42);
    EXPECT_EQ(error, QString());
}

TEST(ReportScript, FailingExpressionNamesItsObjectAndStopsTheRun)
{
    QString errors;
    const QStringList out = evaluate(QStringLiteral("PascalScript"), {QStringLiteral("[1 div 0]")}, &errors);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(errors, QStringLiteral("Memo1: Division by zero"));
    evaluate(QStringLiteral("PascalScript"), {QStringLiteral("[1 +]")}, &errors);
    EXPECT_TRUE(errors.startsWith(QStringLiteral("Memo1: Error in expression '1 +': "))) << errors.toStdString();
}

TEST(ReportScript, GetOfAnUnknownNameIsNullAndOneErrorLine)
{
    QString errors;
    const QStringList out = evaluate(QStringLiteral("PascalScript"),
                                     {QStringLiteral("[VarToStr(Get('Nowhere'))]x")}, &errors);
    EXPECT_EQ(out, QStringList({"x"}));
    EXPECT_EQ(errors, QStringLiteral("Unknown variable or datafield: Nowhere"));
}

TEST(ReportScript, ScriptThatDoesNotCompileStopsBeforeTheEngine)
{
    EngineReport e;
    e.report->ScriptText()->setText(QStringLiteral("begin x := ; end."));
    e.addPage();
    EXPECT_FALSE(e.prepare());
    EXPECT_TRUE(e.errors().startsWith(QStringLiteral("Script error at 1:"))) << e.errors().toStdString();
    EXPECT_EQ(e.pageCount(), 0);
}

TEST(ReportScript, EventsReachScriptProceduresAndPassValuesBack)
{
    EngineReport e;
    e.report->ScriptText()->setText(QStringLiteral(
        "var Seen: String;\r\n"
        "procedure BandBefore(Sender: Variant); begin Seen := Seen + 'b'; end;\r\n"
        "procedure Click(Sender: Variant; Button, Shift: Integer; var Modified: Boolean);\r\n"
        "begin Modified := Button = 1; end;\r\n"
        "begin end."));
    TrpReportPage *page = e.addPage();
    auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
    band->SetDataSet(e.addRows(QStringLiteral("Items"), 3));
    band->SetOnBeforePrint(QStringLiteral("BandBefore"));
    TrpMemoView *memo = e.addMemo(band, QStringLiteral("Memo1"), QStringLiteral("[Seen]"));
    memo->SetOnPreviewClick(QStringLiteral("Click"));
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    EXPECT_EQ(e.page(0).texts(), QStringList({"b", "bb", "bbb"}));
    // The run reloads the definition: the memo is a new object now.
    auto *clicked = dynamic_cast<TrpMemoView *>(e.report->FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(clicked, nullptr);
    for (const int button : {0, 1}) {
        bool modified = false;
        e.report->DoPreviewClick(clicked, button, 0, modified);
        EXPECT_EQ(modified, button == 1);
    }
}

// The bill's rule: after each row the summary starts a new page when it
// does not fit, and before printing it moves down to the page foot.
TEST(ReportScript, BillSummarySitsAtTheFootOfTheLastPage)
{
    for (const int rows : {3, 48}) {
        EngineReport e;
        e.report->ScriptText()->setText(QStringLiteral(
            "procedure MasterAfter(Sender: TObject);\r\n"
            "begin ReportSummary1.StartNewPage := Engine.FreeSpace < ReportSummary1.Height + 0.1; end;\r\n"
            "procedure SummaryBefore(Sender: TObject);\r\n"
            "begin Engine.CurY := Engine.PageHeight - PageFooter1.Height - ReportSummary1.Height - 0.1; end;\r\n"
            "begin end."));
        TrpReportPage *page = e.addPage();
        page->SetTopMargin(10);
        page->SetBottomMargin(14);
        page->SetLeftMargin(7);
        page->SetRightMargin(7);
        e.addBand<TrpPageHeader>(page, QStringLiteral("PageHeader1"), 0, 40);
        auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("MasterData1"), 60, 20);
        band->SetDataSet(e.addRows(QStringLiteral("Items"), rows));
        band->SetOnAfterPrint(QStringLiteral("MasterAfter"));
        auto *summary = e.addBand<TrpReportSummary>(page, QStringLiteral("ReportSummary1"), 100, 120);
        summary->SetOnBeforePrint(QStringLiteral("SummaryBefore"));
        e.addBand<TrpPageFooter>(page, QStringLiteral("PageFooter1"), 300, 30);
        ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
        const RecordedPage &last = e.page(e.pageCount() - 1);
        const RecordedBand *s = last.band(QStringLiteral("ReportSummary1"));
        ASSERT_NE(s, nullptr) << rows;
        const double pageHeight = 1031.81169;
        EXPECT_NEAR(s->top, pageHeight - 30 - 120 - 0.1, 1e-3) << rows;
        EXPECT_NEAR(last.band(QStringLiteral("PageFooter1"))->top, pageHeight - 30, 1e-3);
        EXPECT_EQ(e.layout().count(QStringLiteral("ReportSummary1")), 1);
        EXPECT_EQ(e.pageCount(), rows == 3 ? 1 : 2);
    }
}

} // namespace
} // namespace bralvo::report::testing
