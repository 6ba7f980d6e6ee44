// Option objects and styles: defaults, Clear, Assign, silent modes.
#include "report/model/trpoptions.h"

#include "platform/registryini.h"
#include "report/model/reporterror.h"
#include "report/model/trpreport.h"
#include "report/model/trpserializer.h"
#include "report/model/trpstyles.h"
#include "tests/support/tempdataroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST(TrpOptions, EveryMemberStartsWithItsDefault)
{
    const TrpEngineOptions e;
    EXPECT_FALSE(e.SilentMode());
    EXPECT_TRUE(e.TempDir().isEmpty());
    EXPECT_FALSE(e.UseFileCache());

    const TrpPreviewOptions p;
    const bool previewFlags[][2] = {
        {p.AllowEdit(), true},         {p.DoubleBuffered(), true}, {p.MDIChild(), false},
        {p.OutlineExpand(), true},     {p.OutlineVisible(), false}, {p.ThumbnailVisible(), false},
        {p.ShowCaptions(), false},
    };
    for (const auto &f : previewFlags)
        EXPECT_EQ(f[0], f[1]);
    EXPECT_EQ(p.ZoomMode(), zmDefault);
    // The first twelve buttons, none of pbNoClose, pbNoFullScreen, pbNoEmail.
    EXPECT_TRUE(p.Buttons() & (1 << pbExportQuick));
    EXPECT_FALSE(p.Buttons() & ((1 << pbNoClose) | (1 << pbNoFullScreen) | (1 << pbNoEmail)));

    const TrpPrintOptions pr;
    EXPECT_TRUE(pr.PageNumbers().isEmpty());
    EXPECT_EQ(pr.PrintMode(), pmDefault);
    EXPECT_EQ(pr.PrintOnSheet(), 0);
    EXPECT_EQ(pr.PrintPages(), ppAll);
    EXPECT_FALSE(pr.Reverse());
    EXPECT_TRUE(pr.ShowDialog());

    const TrpReportOptions r;
    for (const QString &text : {r.Author(), r.ConnectionName(), r.InitString(), r.Name(), r.VersionBuild(),
                                r.VersionMajor(), r.VersionMinor(), r.VersionRelease(), r.AcceptedPassword()})
        EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(r.Compressed());
    EXPECT_EQ(r.Description()->count(), 0);
    EXPECT_NEAR(r.LastChange(), TrpReportOptions::Now(), 0.01);
}

// Written without a reference, a fresh option object shows exactly the
// members that have no declared default: Buttons and Zoom of the preview,
// Printer (a text) and PrintOnSheet of printing, nothing of the engine.
TEST(TrpOptions, DeclaredDefaultsDecideWhatIsWritten)
{
    TrpXMLSerializer s(nullptr);
    TrpEngineOptions e;
    EXPECT_EQ(s.ObjectToText(&e), QString());
    e.SetSilentMode(true); // only its stored twin NewSilentMode is written
    EXPECT_EQ(s.ObjectToText(&e), QStringLiteral(" NewSilentMode=\"simSilent\""));
    TrpPreviewOptions p;
    EXPECT_EQ(s.ObjectToText(&p), QStringLiteral(" Buttons=\"4095\" Zoom=\"1\""));
    TrpPrintOptions pr;
    EXPECT_EQ(s.ObjectToText(&pr), QStringLiteral(" Printer=\"Default\" PrintOnSheet=\"0\""));
}

TEST(TrpOptions, ClearOfPrintAndReportOptionsResetsEveryMember)
{
    TrpPrintOptions pr;
    pr.SetCopies(3);
    pr.SetPrinter(QStringLiteral("Laser"));
    pr.SetPrintPages(ppEven);
    pr.SetShowDialog(false);
    pr.Clear();
    EXPECT_EQ(pr.Copies(), 1);
    EXPECT_EQ(pr.Printer(), QStringLiteral("Default"));
    EXPECT_EQ(pr.PrintPages(), ppAll);
    EXPECT_TRUE(pr.ShowDialog());

    TrpReportOptions r;
    r.SetAuthor(QStringLiteral("Eva"));
    r.SetPassword(QStringLiteral("x"));
    r.SetAcceptedPassword(QStringLiteral("x"));
    r.SetCreateDate(1);
    r.Description()->add(QStringLiteral("line"));
    r.Clear();
    EXPECT_TRUE(r.Author().isEmpty());
    EXPECT_TRUE(r.Password().isEmpty());
    EXPECT_TRUE(r.AcceptedPassword().isEmpty());
    EXPECT_EQ(r.Description()->count(), 0);
    EXPECT_NEAR(r.CreateDate(), TrpReportOptions::Now(), 0.01);
}

namespace {

// XDG_CONFIG_HOME and XDG_CONFIG_DIRS inside a temporary folder.
struct ConnectionStores {
    bralvo::test::TempDataRoot root;
    ConnectionStores() { qputenv("XDG_CONFIG_DIRS", (root.path() + QStringLiteral("machine")).toUtf8()); }
    ~ConnectionStores() { qunsetenv("XDG_CONFIG_DIRS"); }

    void writeMachine(const QByteArray &ini)
    {
        const QString path = bralvo::platform::RegistryIniStore::storePath(
            bralvo::platform::RegistryIniStore::Root::LocalMachine);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
};

} // namespace

TEST(TrpOptions, ConnectionNamePassesMachineThenUserValue)
{
    ConnectionStores stores;
    stores.writeMachine("[Software\\Dori Zirovad\\Connections]\r\nMain=machine-conn\r\nEmpty=\r\n");
    bralvo::platform::RegistryIniStore user(QStringLiteral("\\Software\\Dori Zirovad\\Connections"));
    ASSERT_TRUE(user.writeString(QString(), QStringLiteral("Main"), QStringLiteral("user-conn")));
    ASSERT_TRUE(user.writeString(QString(), QStringLiteral("Empty"), QString()));

    TrpReport report;
    QStringList applied;
    report.ReportOptions()->SetConnectionName(QStringLiteral("Main"));
    EXPECT_TRUE(applied.isEmpty()); // no handler: the name is only stored
    report.OnApplyConnection = [&](const QString &c) { applied << c; };
    report.ReportOptions()->SetConnectionName(QStringLiteral("Main"));
    EXPECT_EQ(applied, QStringList({"machine-conn", "user-conn"}));
    applied.clear();
    report.ReportOptions()->SetConnectionName(QStringLiteral("Empty"));
    report.ReportOptions()->SetConnectionName(QString());
    EXPECT_TRUE(applied.isEmpty());
    EXPECT_TRUE(report.ReportOptions()->ConnectionName().isEmpty());
}
