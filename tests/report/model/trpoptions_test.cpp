// Option objects and styles: defaults, Clear, Assign, silent modes.
#include "report/model/trpoptions.h"

#include "report/model/reporterror.h"
#include "report/model/trpstyles.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(TrpOptions, Defaults)
{
    TrpEngineOptions e;
    EXPECT_TRUE(e.ConvertNulls());
    EXPECT_FALSE(e.DoublePass());
    EXPECT_EQ(e.MaxMemSize(), 10);
    EXPECT_TRUE(e.PrintIfEmpty());
    EXPECT_EQ(e.NewSilentMode(), simMessageBoxes);
    EXPECT_TRUE(e.ReloadAfterRun());
    EXPECT_FALSE(e.ThreadSafeMode());
    TrpPreviewOptions p;
    EXPECT_EQ(p.Buttons(), 0xFFF);
    EXPECT_EQ(p.OutlineWidth(), 120);
    EXPECT_EQ(p.PagesInCache(), 50);
    EXPECT_DOUBLE_EQ(p.Zoom(), 1.0);
    EXPECT_TRUE(p.Modal());
    EXPECT_TRUE(p.Maximized());
    TrpPrintOptions pr;
    EXPECT_EQ(pr.Printer(), QStringLiteral("Default"));
    EXPECT_EQ(pr.Copies(), 1);
    EXPECT_TRUE(pr.Collate());
    TrpReportOptions r;
    EXPECT_TRUE(r.Password().isEmpty());
    EXPECT_NEAR(r.CreateDate(), TrpReportOptions::Now(), 0.01);
}

TEST(TrpOptions, SilentModeIsAViewOfNewSilentMode)
{
    TrpEngineOptions e;
    e.SetSilentMode(true);
    EXPECT_TRUE(e.SilentMode());
    EXPECT_EQ(e.NewSilentMode(), simSilent);
    e.SetNewSilentMode(simReThrow);
    EXPECT_FALSE(e.SilentMode());
    e.SetSilentMode(false);
    EXPECT_EQ(e.NewSilentMode(), simMessageBoxes);
}

TEST(TrpOptions, ClearResetsOnlyItsMembers)
{
    TrpEngineOptions e;
    e.SetConvertNulls(false);
    e.SetMaxMemSize(3);
    e.Clear();
    EXPECT_TRUE(e.ConvertNulls());
    EXPECT_EQ(e.MaxMemSize(), 3);
    TrpPreviewOptions p;
    p.SetOutlineWidth(1);
    p.SetZoom(2);
    p.Clear();
    EXPECT_EQ(p.OutlineWidth(), 120);
    EXPECT_DOUBLE_EQ(p.Zoom(), 2);
}

TEST(TrpOptions, AssignCopiesPersistentMembersFromTheSameClassOnly)
{
    TrpEngineOptions a, b;
    a.SetThreadSafeMode(true);
    a.SetReloadAfterRun(false);
    a.SetMaxMemSize(77);
    b.assign(a);
    EXPECT_EQ(b.MaxMemSize(), 77);
    EXPECT_FALSE(b.ThreadSafeMode());
    EXPECT_TRUE(b.ReloadAfterRun());
    TrpPrintOptions p;
    b.assign(p); // a no-op
    EXPECT_EQ(b.MaxMemSize(), 77);
}

TEST(TrpStyles, NamesAreUniqueIgnoringCase)
{
    TrpStyles styles;
    TrpStyleItem *a = styles.Add();
    a->SetName(QStringLiteral("Title"));
    a->SetName(QStringLiteral("Title"));
    TrpStyleItem *b = styles.Add();
    try {
        b->SetName(QStringLiteral("TITLE"));
        FAIL();
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("Duplicate name"));
    }
    EXPECT_EQ(styles.Find(QStringLiteral("title")), a);
    EXPECT_EQ(styles.Find(QStringLiteral("none")), nullptr);
    EXPECT_EQ(a->Color(), clNone);
    EXPECT_EQ(a->Font()->name(), QStringLiteral("Arial"));
}
