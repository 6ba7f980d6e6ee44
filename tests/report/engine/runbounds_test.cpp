// Preparing that would never end or runs out of memory: Cancel (the
// report's Terminated, set from an event while the run goes on) reaches an
// endless script and a band of two billion rows, and std::bad_alloc ends
// the run with "Out of memory" while the program goes on.
#include "enginereport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <new>

namespace bralvo::report::testing {
namespace {

// Cancels E's run 200 ms after it starts, as the preview's Cancel does,
// and returns the time from the Cancel to the end of the run in ms.
qint64 prepareAndCancel(EngineReport &e, bool &result)
{
    QElapsedTimer sinceCancel;
    QTimer::singleShot(200, [&] {
        sinceCancel.start();
        e.report->SetTerminated(true);
    });
    result = e.prepare();
    return sinceCancel.isValid() ? sinceCancel.elapsed() : -1;
}

TEST(RunBounds, CancelStopsAnEndlessScript)
{
    struct Case {
        const char *where;
        QString script;
        QString beforePrint;
    };
    const QString loops = QStringLiteral(
        "procedure Spin(Sender: TObject); begin while True do ; end;\r\n"
        "procedure Counting(Sender: TObject); var i: Integer; begin repeat i := i + 1; until False; end;\r\n"
        "procedure Deep(n: Integer); begin if n < 200 then begin Deep(n + 1); Deep(n + 1); end; end;\r\n"
        "procedure Recurse(Sender: TObject); begin Deep(0); end;\r\n");
    const Case cases[] = {
        {"main block", loops + QStringLiteral("begin while True do ; end."), QString()},
        {"band event, while", loops + QStringLiteral("begin end."), QStringLiteral("Spin")},
        {"band event, repeat", loops + QStringLiteral("begin end."), QStringLiteral("Counting")},
        {"band event, recursion", loops + QStringLiteral("begin end."), QStringLiteral("Recurse")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.where);
        EngineReport e;
        e.report->ScriptText()->setText(c.script);
        TrpReportPage *page = e.addPage();
        auto *band = e.addBand<TrpReportTitle>(page, QStringLiteral("Title"), 0, 20);
        band->SetOnBeforePrint(c.beforePrint);
        bool result = false;
        const qint64 ms = prepareAndCancel(e, result);
        ASSERT_GE(ms, 0) << "the run ended before the Cancel: " << e.errors().toStdString();
        EXPECT_LT(ms, 1000);
    }
}

TEST(RunBounds, CancelStopsTwoBillionRows)
{
    EngineReport e;
    TrpReportPage *page = e.addPage();
    auto *band = e.addBand<TrpMasterData>(page, QStringLiteral("Master"), 0, 20);
    band->SetRowCount(2000000000);
    e.addMemo(band, QStringLiteral("Memo1"), QStringLiteral("[Line#]"));
    bool result = false;
    const qint64 ms = prepareAndCancel(e, result);
    ASSERT_GE(ms, 0);
    EXPECT_LT(ms, 1000);
    EXPECT_TRUE(result); // a stopped run keeps the pages made so far
    EXPECT_GT(e.pageCount(), 0);
    // The report is usable again: a bounded run after the Cancel is whole.
    band->SetRowCount(3);
    ASSERT_TRUE(e.prepare()) << e.errors().toStdString();
    EXPECT_EQ(e.pageCount(), 1);
}

TEST(RunBounds, RunningOutOfMemoryEndsTheRunWithAnError)
{
    EngineReport e;
    e.addPage();
    e.report->OnBeginDoc = [](TrpReport *) { throw std::bad_alloc(); };
    EXPECT_FALSE(e.prepare());
    EXPECT_EQ(e.errors(), QStringLiteral("Out of memory"));
    e.report->OnBeginDoc = nullptr;
    EXPECT_TRUE(e.prepare()) << e.errors().toStdString();
}

} // namespace
} // namespace bralvo::report::testing
