// The report object: the example file byte for byte, loading and
// saving, passwords, the data page, options across loading, preparing.
#include "stubengine.h"
#include "testreport.h"

#include "tests/support/scriptedmessageboxes.h"

#include "platform/classregistry.h"
#include "platform/stream.h"
#include "report/model/trpdataset.h"
#include "report/model/trpstyles.h"
#include "report/model/trpvariables.h"
#include "report/model/trpresources.h"
#include "report/model/trpxml.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

TEST(TrpReportFile, ExampleMatchesExpectedFileByteForByte)
{
    TrpReport report;
    buildExample(report);
    const QByteArray saved = saveToBytes(report);
    const QByteArray expected = readFile(testData(QStringLiteral("example.rpx")));
    if (saved != expected) {
        QFile out(QStringLiteral("/tmp/example.actual.rpx"));
        if (out.open(QIODevice::WriteOnly))
            out.write(saved);
    }
    EXPECT_EQ(QString::fromUtf8(saved), QString::fromUtf8(expected));
}

TEST(TrpReportFile, ExampleLoadsBackAndSavesIdentically)
{
    const QByteArray expected = readFile(testData(QStringLiteral("example.rpx")));
    auto report = quietReport();
    loadFromBytes(*report, expected);
    EXPECT_EQ(report->ErrorList().count(), 0);
    auto *memo = dynamic_cast<TrpMemoView *>(report->FindObject(QStringLiteral("memo1")));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Text(), QStringLiteral("[s_nazov] & \"x\" < y\r\nčiara"));
    EXPECT_DOUBLE_EQ(memo->Width(), 200.5);
    EXPECT_EQ(memo->Parent()->name(), QStringLiteral("Band1"));
    EXPECT_EQ(report->GetPagesCount(), 2);
    report->EngineOptions()->SetNewSilentMode(simMessageBoxes); // back to the stored default
    EXPECT_EQ(saveToBytes(*report), expected);
}

TEST(TrpReportFile, RptoolStyleRoundTripThroughFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("copy.rpx"));
    TrpReport report;
    buildExample(report);
    report.SaveToFile(path);
    auto loaded = quietReport();
    EXPECT_TRUE(loaded->LoadFromFile(path));
    EXPECT_EQ(loaded->ReportFileName(), path);
    loaded->EngineOptions()->SetNewSilentMode(simMessageBoxes);
    EXPECT_EQ(saveToBytes(*loaded), readFile(testData(QStringLiteral("example.rpx"))));
}

TEST(TrpReport, FreshReportDefaults)
{
    TrpReport report;
    EXPECT_EQ(report.ScriptText()->toStringList(), QStringList({"begin", "", "end."}));
    report.SetVersion(QStringLiteral("9.9"));
    EXPECT_EQ(report.Version(), QStringLiteral("4.3"));
    EXPECT_EQ(report.ScriptLanguage(), QStringLiteral("PascalScript"));
    EXPECT_EQ(report.IniFile(), QStringLiteral("\\Software\\Dori Zirovad"));
    EXPECT_TRUE(report.ShowProgress());
    EXPECT_TRUE(report.StoreInDFM());
    EXPECT_FALSE(report.OldStyleProgress());
    EXPECT_EQ(report.SysVariables(), QStringList({"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#",
                                                  "Line", "Line#", "CopyName#"}));
    EXPECT_EQ(report.GetDescription(), QStringLiteral("Report"));
}

TEST(TrpReport, ClearKeepsHostSettingsAndDropsDefinition)
{
    auto report = quietReport();
    buildExample(*report);
    report->SetIniFile(QStringLiteral("/tmp/x.ini"));
    report->SetShowProgress(false);
    report->SetScriptLanguage(QStringLiteral("JScript"));
    report->SetOnStartReport(QStringLiteral("Start"));
    report->Clear();
    EXPECT_EQ(report->GetPagesCount(), 0);
    EXPECT_EQ(report->IniFile(), QStringLiteral("/tmp/x.ini"));
    EXPECT_FALSE(report->ShowProgress());
    EXPECT_EQ(report->ScriptLanguage(), QStringLiteral("PascalScript"));
    EXPECT_TRUE(report->OnStartReport().isEmpty());
}

TEST(TrpReport, MissingFileGivesFalseAndAClearedReport)
{
    auto report = quietReport();
    buildExample(*report);
    EXPECT_FALSE(report->LoadFromFile(QStringLiteral("/nonexistent/none.rpx")));
    EXPECT_EQ(report->GetPagesCount(), 0);
    EXPECT_TRUE(report->ReportFileName().isEmpty());
    EXPECT_THROW(report->LoadFromFile(QStringLiteral("/nonexistent/none.rpx"), true), bralvo::Error);
}

// The file existed, so the answer is true; what went wrong is listed.
TEST(TrpReport, LoadFromFileOfInvalidContentListsTheError)
{
    QTemporaryDir dir;
    struct Case {
        const char *content;
        const char *error;
    };
    const Case cases[] = {
        {"not xml at all", "Invalid file format"},
        {"<?xml version=\"1.0\"?><TrpReport><TrpReportPage Name=\"P\"></TrpDataPage></TrpReport>",
         "Invalid file format"},
        {"<?xml version=\"1.0\"?><TrpReport><Bogus Name=\"B\"/></TrpReport>", "Cannot find class Bogus"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content);
        const QString path = dir.filePath(QStringLiteral("bad.rpx"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        auto report = quietReport();
        EXPECT_TRUE(report->LoadFromFile(path));
        EXPECT_TRUE(report->ErrorList().contains(QString::fromUtf8(c.error)));
    }
}

TEST(TrpReport, TruncatedFileKeepsWhatWasReadAndRecordsInvalidFormat)
{
    QByteArray bytes = readFile(testData(QStringLiteral("example.rpx")));
    bytes.truncate(bytes.indexOf("</TrpMasterData>"));
    auto report = quietReport();
    loadFromBytes(*report, bytes);
    EXPECT_NE(report->FindObject(QStringLiteral("Memo1")), nullptr);
    EXPECT_TRUE(report->ErrorList().contains(QStringLiteral("Invalid file format")));
}

TEST(TrpReport, ReportErrorsReThrownInReThrowMode)
{
    auto report = quietReport();
    report->EngineOptions()->SetNewSilentMode(simReThrow);
    try {
        loadFromBytes(*report, "<?xml?><TrpReport><Bogus/></TrpReport>");
        FAIL() << "no exception";
    } catch (const ReportError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("The following error(s) have occured:\r\nCannot find class Bogus\r\n"));
    }
}

TEST(TrpReport, PasswordIsStoredScrambledAndComesBack)
{
    auto report = quietReport();
    buildExample(*report);
    report->ReportOptions()->SetPassword(QStringLiteral("Kľúč9"));
    const QByteArray bytes = saveToBytes(*report);
    // 'K' (75) is stored as 'A' (65), '9' (57) as '/' (47); characters
    // beyond one byte stay as they are.
    EXPECT_TRUE(bytes.contains(QStringLiteral("ReportOptions.Password=\"A").toUtf8()));
    EXPECT_FALSE(bytes.contains("Kľúč9"));
    EXPECT_EQ(report->ReportOptions()->Password(), QStringLiteral("Kľúč9"));
    EXPECT_EQ(report->ReportOptions()->AcceptedPassword(), QStringLiteral("Kľúč9"));

    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerText(QStringLiteral("Kľúč9"));
    auto loaded = quietReport();
    loadFromBytes(*loaded, bytes);
    EXPECT_EQ(loaded->ReportOptions()->Password(), QStringLiteral("Kľúč9"));
    EXPECT_EQ(loaded->ReportOptions()->AcceptedPassword(), QStringLiteral("Kľúč9"));
    EXPECT_NE(loaded->FindObject(QStringLiteral("Memo1")), nullptr);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("Password"));
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Enter the password:"));
}

TEST(TrpReport, ScrambleWrapsWithinOneByte)
{
    EXPECT_EQ(TrpReport::ScramblePassword(QStringLiteral("A\x05")), QString(QChar(55)) + QChar(251));
    EXPECT_EQ(TrpReport::UnscramblePassword(QString(QChar(55)) + QChar(251)), QStringLiteral("A\x05"));
}

TEST(TrpReport, RefusedPasswordClearsReportAndRecordsInvalidPassword)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("secret.rpx"));
    {
        TrpReport report;
        buildExample(report);
        report.ReportOptions()->SetPassword(QStringLiteral("tajne"));
        report.SaveToFile(path);
    }
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerText(QStringLiteral("zle"));
    auto report = quietReport();
    EXPECT_TRUE(report->LoadFromFile(path)) << "the file existed";
    EXPECT_EQ(report->GetPagesCount(), 0);
    EXPECT_TRUE(report->ErrorList().contains(QStringLiteral("Invalid password")));
}

TEST(TrpReport, MissingDataPageIsAddedFirstWithDialogComponents)
{
    const QByteArray xml = "<?xml version=\"1.0\"?>\r\n<TrpReport>"
                           "<TrpReportPage Name=\"Page1\"/></TrpReport>";
    auto report = quietReport();
    loadFromBytes(*report, xml);
    ASSERT_EQ(report->GetPagesCount(), 2);
    EXPECT_NE(dynamic_cast<TrpDataPage *>(report->GetPages(0)), nullptr);
    EXPECT_EQ(report->GetPages(0)->name(), QStringLiteral("Data"));
    EXPECT_EQ(report->GetPages(1)->name(), QStringLiteral("Page1"));
}

namespace {
class TestDataSet : public TrpDataSet {
    BRALVO_CLASS(TestDataSet)
public:
    explicit TestDataSet(bralvo::platform::Component *owner) : TrpDataSet(owner) {}
};
const bralvo::platform::ClassInfo &TestDataSet::staticClass()
{
    static const bralvo::platform::ClassInfo info = bralvo::platform::makeClassInfo(
        "TrpTestDataSet", &TrpDataSet::staticClass(),
        [](bralvo::platform::Component *o) { return new TestDataSet(o); }, [](bralvo::platform::PropertyTable &) {});
    return info;
}
} // namespace

TEST(TrpReport, DialogComponentsMoveOntoTheAddedDataPage)
{
    bralvo::platform::registerClass(TestDataSet::staticClass());
    const QByteArray xml = "<?xml version=\"1.0\"?><TrpReport><TrpReportPage Name=\"Data\">"
                           "<TrpTestDataSet Name=\"ds1\"/><TrpTestDataSet Name=\"ds2\"/></TrpReportPage>"
                           "</TrpReport>";
    auto report = quietReport();
    loadFromBytes(*report, xml);
    ASSERT_EQ(report->GetPagesCount(), 2);
    TrpComponent *dataPage = report->GetPages(0);
    EXPECT_EQ(dataPage->name(), QStringLiteral("DataPage1")); // "Data" was taken
    ASSERT_EQ(dataPage->Objects().size(), 2);
    EXPECT_DOUBLE_EQ(dataPage->Objects()[0]->Left(), 60);
    EXPECT_DOUBLE_EQ(dataPage->Objects()[1]->Left(), 124);
    EXPECT_DOUBLE_EQ(dataPage->Objects()[1]->Top(), 20);
}

TEST(TrpReport, OnlySomeOptionsSurviveLoadFromStream)
{
    auto source = quietReport();
    buildExample(*source);
    source->EngineOptions()->SetConvertNulls(false);
    source->EngineOptions()->SetDoublePass(true);
    source->EngineOptions()->SetMaxMemSize(99);
    source->PreviewOptions()->SetOutlineVisible(true);
    source->PreviewOptions()->SetOutlineWidth(200);
    source->PreviewOptions()->SetOutlineExpand(false);
    source->PreviewOptions()->SetPagesInCache(7);
    source->PreviewOptions()->SetButtons(3);
    source->SetShowProgress(false);
    const QByteArray bytes = saveToBytes(*source);

    auto target = quietReport();
    target->EngineOptions()->SetMaxMemSize(33);
    target->PreviewOptions()->SetButtons(5);
    loadFromBytes(*target, bytes);
    EXPECT_FALSE(target->EngineOptions()->ConvertNulls());
    EXPECT_TRUE(target->EngineOptions()->DoublePass());
    EXPECT_TRUE(target->PreviewOptions()->OutlineVisible());
    EXPECT_EQ(target->PreviewOptions()->OutlineWidth(), 200);
    EXPECT_FALSE(target->PreviewOptions()->OutlineExpand());
    EXPECT_EQ(target->PreviewOptions()->PagesInCache(), 7);
    EXPECT_EQ(target->EngineOptions()->MaxMemSize(), 33);
    EXPECT_EQ(target->PreviewOptions()->Buttons(), 5);
    EXPECT_TRUE(target->ShowProgress());
}

TEST(TrpReport, CollectionsTravelInPropData)
{
    auto report = quietReport();
    auto *ds = new TestDataSet(report->FindObject(QStringLiteral("Data")) ? nullptr : report.get());
    ds->setName(QStringLiteral("rpUDSpolozky"));
    report->DataSets()->Add(ds);
    auto *var = report->Variables()->Add();
    var->SetName(QStringLiteral("Suma"));
    var->SetValue(bralvo::platform::Variant(QStringLiteral("1,5")));
    report->Styles()->Add()->SetName(QStringLiteral("Nadpis"));
    const QByteArray bytes = saveToBytes(*report);

    auto copy = quietReport();
    loadFromBytes(*copy, bytes);
    ASSERT_EQ(copy->DataSets()->count(), 1);
    EXPECT_EQ(copy->DataSets()->Items(0)->DataSetName(), QStringLiteral("rpUDSpolozky"));
    ASSERT_EQ(copy->Variables()->count(), 1);
    EXPECT_EQ(copy->Variables()->Items(0)->Name(), QStringLiteral("Suma"));
    EXPECT_EQ(copy->Variables()->Items(0)->Value().toString(), QStringLiteral("1,5"));
    ASSERT_EQ(copy->Styles()->count(), 1);
    EXPECT_EQ(copy->Styles()->Items(0)->Name(), QStringLiteral("Nadpis"));
}

TEST(TrpReport, FreedDataSetLeavesDataSetsAndTheReport)
{
    auto report = quietReport();
    auto *ds = new TestDataSet(report.get());
    ds->setName(QStringLiteral("uds"));
    report->DataSets()->Add(ds);
    report->SetDataSet(ds);
    EXPECT_EQ(report->DataSetName(), QStringLiteral("uds"));
    bralvo::platform::Component::free(ds);
    EXPECT_EQ(report->DataSets()->count(), 0);
    EXPECT_EQ(report->DataSet(), nullptr);
}

TEST(TrpReport, MissingDataSetFailsPreparationWithOneLinePerItem)
{
    auto report = quietReport();
    report->DataSets()->add();
    static_cast<TrpDataSetItem *>(report->DataSets()->item(0))->SetDataSetName(QStringLiteral("nikde"));
    EXPECT_FALSE(report->PrepareReport());
    EXPECT_EQ(report->ErrorList().toStringList(), QStringList{QStringLiteral("Dataset \"nikde\" does not exist")});
}

TEST(TrpReport, ProgressTextsFromALanguageFileNeverBreakPreparation)
{
    TrpResources &res = GetResources();
    res.Add(QStringLiteral("prPrinting"), QStringLiteral("Tlač strany %s %d %d %%"));
    auto report = quietReport();
    report->BeginProgress(ptPrinting);
    EXPECT_NO_THROW(report->StepProgress(ptPrinting, 3));
    EXPECT_EQ(report->ProgressMessage(), QStringLiteral("Tlač strany %s 3 3 %%"));
    report->EndProgress(ptPrinting);
    res.LoadEnglish();
}

// Saving renames a new file into place, which would replace a FIFO or a
// folder by a regular file: refused, and the target stays.
TEST(TrpReport, SaveToFileRefusesAFifoOrAFolder)
{
    QTemporaryDir dir;
    TrpReport report;
    buildExample(report);
    const QString fifo = dir.filePath(QStringLiteral("pipe.rpx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder.rpx"));
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const QString &target : {fifo, folder}) {
        EXPECT_THROW(report.SaveToFile(target), bralvo::platform::StreamError) << target.toStdString();
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & S_IFMT, target == fifo ? mode_t(S_IFIFO) : mode_t(S_IFDIR));
    }
}

TEST(TrpReport, SaveToFileIntoAMissingFolderFailsCleanly)
{
    QTemporaryDir dir;
    TrpReport report;
    buildExample(report);
    EXPECT_THROW(report.SaveToFile(dir.filePath(QStringLiteral("no/such/folder/x.rpx"))), bralvo::Error);
    const QString path = dir.filePath(QStringLiteral("x.rpx"));
    report.SaveToFile(path);
    EXPECT_EQ(readFile(path), readFile(testData(QStringLiteral("example.rpx"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.rpx")});
}

TEST(TrpReport, GetIniFileChoosesStoreByName)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    TrpReport report;
    auto registry = report.GetIniFile();
    ASSERT_TRUE(registry->writeString(QStringLiteral("Form4.TrpPreviewForm"), QStringLiteral("Width"), "640"));
    const QByteArray ini = readFile(dir.filePath(QStringLiteral("Tamrex/Bralvo/registry.ini")));
    EXPECT_TRUE(ini.contains("[Software\\Dori Zirovad\\Form4.TrpPreviewForm]"));
    report.SetIniFile(dir.filePath(QStringLiteral("plain.ini")));
    auto plain = report.GetIniFile();
    ASSERT_TRUE(plain->writeInteger(QStringLiteral("DMP"), QStringLiteral("Copies"), 2));
    EXPECT_TRUE(readFile(dir.filePath(QStringLiteral("plain.ini"))).contains("[DMP]"));
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(TrpReport, InheritedReportWritesOnlyDifferences)
{
    QTemporaryDir dir;
    const QString parentPath = dir.filePath(QStringLiteral("parent.rpx"));
    {
        TrpReport parent;
        buildExample(parent);
        parent.SaveToFile(parentPath);
    }
    auto child = quietReport();
    child->SetParentReport(parentPath);
    ASSERT_NE(child->FindObject(QStringLiteral("Memo1")), nullptr);
    EXPECT_TRUE(child->FindObject(QStringLiteral("Memo1"))->IsAncestor());
    EXPECT_THROW(child->FindObject(QStringLiteral("Memo1"))->setName(QStringLiteral("Other")), ReportError);
    auto *memo = static_cast<TrpMemoView *>(child->FindObject(QStringLiteral("Memo1")));
    memo->SetText(QString());
    const QString xml = QString::fromUtf8(saveToBytes(*child));
    EXPECT_TRUE(xml.contains(QStringLiteral("<inherited Name=\"Memo1\" Text=\"\"/>")));

    auto loaded = quietReport();
    loadFromBytes(*loaded, xml.toUtf8());
    EXPECT_EQ(static_cast<TrpMemoView *>(loaded->FindObject(QStringLiteral("Memo1")))->Text(), QString());
}

namespace {
// A component whose extra data cannot be written.
class FailingWriter : public TrpReportComponent {
    BRALVO_CLASS(FailingWriter)
public:
    explicit FailingWriter(bralvo::platform::Component *owner) : TrpReportComponent(owner) {}
    void Draw(QPainter &, double, double, double, double) override {}
    void defineProperties(bralvo::platform::PropertyFiler &filer) override
    {
        filer.defineProperty(
            QStringLiteral("Broken"), nullptr,
            [](bralvo::platform::ValueWriter &) { throw ReportError(QStringLiteral("disk full")); }, true);
    }
};
const bralvo::platform::ClassInfo &FailingWriter::staticClass()
{
    static const bralvo::platform::ClassInfo info = bralvo::platform::makeClassInfo(
        "TrpFailingWriter", &TrpReportComponent::staticClass(),
        [](bralvo::platform::Component *o) { return new FailingWriter(o); }, [](bralvo::platform::PropertyTable &) {});
    return info;
}
} // namespace

TEST(TrpReport, SaveToFileKeepsTheOldFileWhenWritingFails)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.rpx"));
    TrpReport report;
    buildExample(report);
    report.SaveToFile(path);
    new FailingWriter(report.FindObject(QStringLiteral("Band1")));
    EXPECT_THROW(report.SaveToFile(path), ReportError);
    EXPECT_EQ(readFile(path), readFile(testData(QStringLiteral("example.rpx"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.rpx")});
}

TEST(TrpReport, LoadFromFileRefusesDevicesAndFolders)
{
    QTemporaryDir dir;
    auto report = quietReport();
    EXPECT_FALSE(report->LoadFromFile(dir.path()));
    EXPECT_FALSE(report->LoadFromFile(QStringLiteral("/dev/zero")));
}

TEST(TrpReport, DataSetOwnedByTheWindowLeavesDataSetsWhenFreed)
{
    bralvo::platform::Component window;
    auto report = quietReport();
    auto *uds = new TestDataSet(&window);
    uds->setName(QStringLiteral("rpUDSpolozky"));
    report->DataSets()->Add(uds);
    bralvo::platform::Component::free(uds);
    EXPECT_EQ(report->DataSets()->count(), 0);
}

namespace {

// An engine that changes the definition while it runs, as scripts and
// dialogs may.
class ChangingEngine : public bralvo::report::testing::StubEngine {
public:
    using StubEngine::StubEngine;
    bool ok = true;
    bool Run() override
    {
        auto *memo = static_cast<TrpMemoView *>(Report()->FindObject(QStringLiteral("Memo1")));
        memo->SetText(QStringLiteral("changed by the run"));
        if (!ok)
            throw ReportError(QStringLiteral("engine broke"));
        return true;
    }
};

class RecordingScript : public TrpReportScriptHost {
public:
    QStringList &log;
    explicit RecordingScript(QStringList &l) : log(l) {}
    bool PrepareReportScript() override
    {
        log << QStringLiteral("compile");
        return true;
    }
    void RunMainBlock() override { log << QStringLiteral("main"); }
    void Terminate() override {}
};

struct Machinery {
    QStringList log;
    explicit Machinery(bool engineOk)
    {
        TrpReportMachinery m;
        m.createEngine = [engineOk](TrpReport &r) {
            auto e = std::make_unique<ChangingEngine>(&r);
            e->ok = engineOk;
            return e;
        };
        m.createScript = [this](TrpReport &) { return std::make_unique<RecordingScript>(log); };
        setReportMachinery(m);
    }
    ~Machinery() { setReportMachinery(TrpReportMachinery{}); }
};

} // namespace

TEST(TrpReportPrepare, RunsScriptThenEngineAndReloadsTheDefinition)
{
    Machinery machinery(true);
    auto report = quietReport();
    buildExample(*report);
    report->OnBeginDoc = [&](TrpReport *) { machinery.log << QStringLiteral("begin"); };
    report->OnEndDoc = [&](TrpReport *) { machinery.log << QStringLiteral("end"); };
    EXPECT_TRUE(report->PrepareReport());
    EXPECT_EQ(machinery.log, QStringList({"begin", "compile", "main", "end"}));
    auto *memo = static_cast<TrpMemoView *>(report->FindObject(QStringLiteral("Memo1")));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Text(), QStringLiteral("[s_nazov] & \"x\" < y\r\nčiara"));
}

TEST(TrpReportPrepare, EngineErrorFailsPreparationWithItsText)
{
    Machinery machinery(false);
    auto report = quietReport();
    buildExample(*report);
    report->ReportOptions()->SetPassword(QStringLiteral("heslo"));
    report->ReportOptions()->SetAcceptedPassword(QStringLiteral("heslo"));
    EXPECT_FALSE(report->PrepareReport());
    EXPECT_EQ(report->ErrorList().toStringList(), QStringList{QStringLiteral("engine broke")});
    EXPECT_EQ(report->ReportOptions()->Password(), QStringLiteral("heslo"));
}

TEST(TrpReportPrepare, WithoutAnEngineTheReportSaysSo)
{
    auto report = quietReport();
    EXPECT_FALSE(report->PrepareReport());
    EXPECT_EQ(report->ErrorList().toStringList(), QStringList{QStringLiteral("The report engine is not available")});
}

namespace {

class FakePreview : public TrpCustomPreview {
public:
    using TrpCustomPreview::TrpCustomPreview;
    TrpReport *report = nullptr;
    void SetReport(TrpReport *r, TrpCustomPreviewPages *) override { report = r; }
    void Init() override {}
};

// A non-modal window that the test closes (frees) later, as the real
// window frees itself on close.
class SelfFreeingWindow : public TrpPreviewWindow {
public:
    explicit SelfFreeingWindow(SelfFreeingWindow *&open) : m_open(open) { open = this; }
    ~SelfFreeingWindow() override { m_open = nullptr; }
    TrpCustomPreview *Preview() override { return &m_control; }
    void Init() override {}
    void Show(bool, bool) override {}
    void Close() override { delete this; }
    void SetStatusText(const QString &) override {}

private:
    SelfFreeingWindow *&m_open;
    FakePreview m_control;
};

} // namespace

// The report links the window's control as its Preview while the window
// lives; a window closed later must not leave that link dangling.
TEST(TrpReport, ClosedNonModalPreviewWindowLeavesNoDanglingPreview)
{
    SelfFreeingWindow *open = nullptr;
    TrpReportMachinery m;
    m.createPreviewWindow = [&open](TrpReport &) { return std::make_unique<SelfFreeingWindow>(open); };
    setReportMachinery(m);
    auto report = quietReport();
    report->PreviewOptions()->SetModal(false);
    report->ShowPreparedPages();
    ASSERT_NE(open, nullptr);
    EXPECT_NE(report->Preview(), nullptr);
    EXPECT_NE(report->PreviewWindow(), nullptr);
    open->Close();
    EXPECT_EQ(report->Preview(), nullptr);
    EXPECT_EQ(report->PreviewWindow(), nullptr);
    report->SetProgressMessage(QStringLiteral("after close"));
    report->BeginProgress(ptRunning);
    report->EndProgress(ptRunning);
    setReportMachinery(TrpReportMachinery{});
}
