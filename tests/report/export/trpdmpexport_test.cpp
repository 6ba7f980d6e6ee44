// The dot-matrix export: golden printer bytes of pages made in code,
// driven through the export protocol of the prepared pages.
#include "report/export/trpdmpexport.h"

#include "platform/stream.h"
#include "report/engine/trpdmprinters.h"
#include "report/model/trpband.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpvariables.h"
#include "report/engine/trpprinters.h"
#include "report/export/trpdmpexportdialog.h"
#include "tests/platform/printers/cupstestserver.h"
#include "tests/report/export/dmptestpages.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

constexpr int kEpson = 1;
constexpr int kHp = 2;

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

// Runs the export of the test store into a stream and gives its bytes.
QByteArray exportBytes(DmpTestStore &store, TrpDotMatrixExport &filter)
{
    platform::MemoryStream out;
    filter.SetShowDialog(false);
    filter.SetStream(&out);
    EXPECT_TRUE(store.Export(&filter));
    filter.SetStream(nullptr);
    return out.data();
}

struct MemoCase {
    const char *what;
    QRectF cells;  // columns and rows: left, top, width, height
    QString text;
    int style;
    TrpHAlign hAlign;
    TrpVAlign vAlign;
    QByteArray expected;  // everything after Reset and before FormFeed
};

TEST(DotMatrixExport, MemosGiveTheirGoldenBytes)
{
    const QByteArray eightSpaces(8, ' ');
    const MemoCase cases[] = {
        {"plain", {0, 0, 10, 1}, "AB", 0, haLeft, vaTop, hex("41420d0a")},
        {"bold", {0, 0, 10, 1}, "AB", fsxBold, haLeft, vaTop,
         hex("1b454142") + eightSpaces + hex("1b460d0a")},
        {"right aligned", {0, 0, 7, 1}, "AB", 0, haRight, vaTop, "     AB\r\n"},
        {"centred keeps two before and three after", {0, 0, 7, 1}, "AB", fsxBold, haCenter, vaTop,
         hex("1b45") + "  AB   " + hex("1b460d0a")},
        {"centred vertically", {0, 0, 4, 4}, "AB", 0, haLeft, vaCenter, "\r\nAB\r\n\r\n\r\n"},
        {"at the bottom", {0, 0, 4, 4}, "AB", 0, haLeft, vaBottom, "\r\n\r\n\r\nAB\r\n"},
        {"moved by its cell", {2, 1, 4, 1}, "AB", 0, haLeft, vaTop, "\r\n  AB\r\n"},
        {"two lines in one row keep the first", {0, 0, 4, 1}, "AB\r\nCD", 0, haLeft, vaTop, "AB\r\n"},
        {"italic and underline switch in bit order", {0, 0, 2, 1}, "AB", fsxItalic | fsxUnderline, haLeft,
         vaTop, hex("1b341b2d014142") + hex("1b351b2d000d0a")},
    };
    for (const MemoCase &c : cases) {
        SCOPED_TRACE(c.what);
        DmpTestStore store;
        TrpDMPPage &page = store.addPage(10, 6);
        addMemo(page, c.cells, c.text, c.style, c.hAlign, c.vAlign);
        TrpDotMatrixExport filter;
        filter.SetEscModel(kEpson);
        EXPECT_EQ(exportBytes(store, filter).toHex(' '), (hex("1b40") + c.expected + hex("0c")).toHex(' '));
    }
}

TEST(DotMatrixExport, StyleChangesMidRowSwitchEveryBitOffAndOn)
{
    DmpTestStore store;
    TrpDMPPage &page = store.addPage(10, 1);
    addMemo(page, {0, 0, 1, 1}, "A", fsxBold, haLeft, vaTop);
    addMemo(page, {1, 0, 1, 1}, "B", fsxBold | fsxItalic, haLeft, vaTop);
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    EXPECT_EQ(exportBytes(store, filter).toHex(' '),
              hex("1b40" "1b4541" "1b46" "1b451b34" "42" "1b461b35" "0d0a" "0c").toHex(' '));
}

struct FrameCase {
    const char *what;
    bool graphic;
    QString custom;
    QByteArray expected;
};

TEST(DotMatrixExport, FramesComeFromTheChosenCharacterSet)
{
    const FrameCase cases[] = {
        {"ASCII", false, "", "+--+\r\n|AB|\r\n+--+\r\n"},
        {"code page 437", true, "", hex("dac4c4bf") + "\r\n" + hex("b3") + "AB" + hex("b3") + "\r\n"
                                        + hex("c0c4c4d9") + "\r\n"},
        {"custom set of 15", false, "abcdefghijklmno", "fjjl\r\neABe\r\ncjji\r\n"},
        {"custom set of 14 is ignored", false, "abcdefghijklmn", "+--+\r\n|AB|\r\n+--+\r\n"},
        {"custom set of 16 is ignored", true, "abcdefghijklmnop",
         hex("dac4c4bf") + "\r\n" + hex("b3") + "AB" + hex("b3") + "\r\n" + hex("c0c4c4d9") + "\r\n"},
    };
    for (const FrameCase &c : cases) {
        SCOPED_TRACE(c.what);
        DmpTestStore store;
        TrpDMPPage &page = store.addPage(10, 5);
        TrpDMPMemoView &memo = addMemo(page, {1, 1, 2, 1}, "AB", 0, haLeft, vaTop);
        memo.Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
        TrpDotMatrixExport filter;
        filter.SetEscModel(kEpson);
        filter.SetGraphicFrames(c.graphic);
        filter.SetCustomFrameSet(c.custom);
        EXPECT_EQ(exportBytes(store, filter).toHex(' '), (hex("1b40") + c.expected + hex("0c")).toHex(' '));
    }
}

TEST(DotMatrixExport, TextIsConvertedToTheOemCodePageOnRequest)
{
    struct Case {
        QString text;
        bool oem;
        QByteArray expected;
    };
    // "čšž" in code page 852 and in Windows-1250; code page 852 has no
    // euro sign, so the code stands in for it rather than nothing.
    const Case cases[] = {
        {QStringLiteral("čšž"), true, hex("9fe7a7")},
        {QStringLiteral("čšž"), false, hex("e89a9e")},
        {QStringLiteral("5 €"), true, "5 EUR"},
        {QStringLiteral("5 €"), false, "5 " + hex("80")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected.toHex().toStdString());
        DmpTestStore store;
        TrpDMPPage &page = store.addPage(10, 1);
        addMemo(page, {0, 0, 5, 1}, c.text, 0, haLeft, vaTop);
        TrpDotMatrixExport filter;
        filter.SetEscModel(kEpson);
        filter.SetOEMConvert(c.oem);
        EXPECT_EQ(exportBytes(store, filter), hex("1b40") + c.expected + "\r\n" + hex("0c"));
    }
}

// Objects of a prepared page sit inside its margins; on paper the page
// starts at the margins, so a cell of margin is a blank row and column.
TEST(DotMatrixExport, PageIsPlacedByItsMargins)
{
    struct Case {
        const char *what;
        double left, right, top;  // cells
        bool mirror;
        QByteArray first, second;  // each page's lines
    };
    const Case cases[] = {
        {"no margins", 0, 0, 0, false, "P1\r\n", "P2\r\n"},
        {"one cell each side", 1, 1, 1, false, "\r\n P1\r\n", "\r\n P2\r\n"},
        {"mirrored: the second page takes the right margin", 1, 3, 2, true, "\r\n\r\n P1\r\n",
         "\r\n\r\n   P2\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DmpTestStore store;
        for (const char *text : {"P1", "P2"}) {
            TrpDMPPage &page = store.addPage(10, 4);
            page.SetLeftMargin(c.left * DMPCellWidth / kPixelsPerMm);
            page.SetRightMargin(c.right * DMPCellWidth / kPixelsPerMm);
            page.SetTopMargin(c.top * DMPCellHeight / kPixelsPerMm);
            page.SetBottomMargin(DMPCellHeight / kPixelsPerMm);
            page.SetMirrorMargins(c.mirror);
            addMemo(page, {0, 0, 2, 1}, QString::fromLatin1(text), 0, haLeft, vaTop);
        }
        TrpDotMatrixExport filter;
        filter.SetEscModel(kEpson);
        EXPECT_EQ(exportBytes(store, filter), hex("1b40") + c.first + hex("0c") + c.second + hex("0c"));
    }
}

TEST(DotMatrixExport, PagesCarryOrientationInitStringsAndBreaks)
{
    DmpTestStore store;
    addMemo(store.addPage(10, 1), {0, 0, 2, 1}, "P1", 0, haLeft, vaTop);
    TrpDMPPage &second = store.addPage(10, 1);
    second.SetOrientation(poLandscape);
    second.SetWidth(96);
    second.SetHeight(17);
    addMemo(second, {0, 0, 2, 1}, "P2", 0, haLeft, vaTop);
    store.report().ReportOptions()->SetInitString(QStringLiteral("R"));
    TrpDotMatrixExport filter;
    filter.SetEscModel(kHp);
    filter.SetInitString(QStringLiteral("I"));
    filter.SetPageBreaks(false);
    EXPECT_EQ(exportBytes(store, filter).toHex(' '),
              (hex("1b45") + "IR" + hex("1b266c304f") + "P1\r\n" + hex("1b266c314f") + "P2\r\n").toHex(' '));
}

TEST(DotMatrixExport, DmpLinesAndCommandsLandOnTheGrid)
{
    DmpTestStore store;
    TrpDMPPage &page = store.addPage(10, 4);
    addLine(page, 0, 0, 3, 0);     // horizontal, three cells
    addLine(page, 0, 0, 0, 2);     // vertical, two cells down
    addCommand(page, 5, 1, "#65#66");
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    // A line end with one direction only is a blank in the ASCII set.
    EXPECT_EQ(exportBytes(store, filter), hex("1b40") + "+--\r\n|    AB\r\n\r\n" + hex("0c"));
}

TEST(DotMatrixExport, NotPrintableObjectsAreLeftOutAndTranslateSeesEveryText)
{
    DmpTestStore store;
    TrpDMPPage &page = store.addPage(10, 2);
    addMemo(page, {0, 0, 2, 1}, "ab", 0, haLeft, vaTop);
    addMemo(page, {0, 1, 2, 1}, "cd", 0, haLeft, vaTop).SetPrintable(false);
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    filter.OnTranslate = [](TrpDotMatrixExport *, QByteArray &s) { s = s.toUpper(); };
    EXPECT_EQ(exportBytes(store, filter), hex("1b40") + "AB\r\n" + hex("0c"));
}

// Every exported memo is told the page count and copy 1 and resolves
// its print-time macros, as drawn pages do.
TEST(DotMatrixExport, PageCountAndCopyNameMacrosAreResolved)
{
    DmpTestStore store;
    GlobalVariables().SetVariables(QStringLiteral("CopyName1"), platform::Variant(QStringLiteral("Original")));
    for (int n = 1; n <= 4; ++n) {
        TrpDMPPage &page = store.addPage(20, 2);
        addMemo(page, {0, 0, 20, 1}, QStringLiteral("Strana %1 z [TotalPages#]").arg(n), 0, haLeft, vaTop);
        addMemo(page, {0, 1, 20, 1}, QStringLiteral("[COPYNAME#]"), 0, haLeft, vaTop);
    }
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    const QByteArray bytes = exportBytes(store, filter);
    GlobalVariables().remove(GlobalVariables().IndexOf(QStringLiteral("CopyName1")));
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(bytes.contains(QStringLiteral("Strana %1 z 4\r\n").arg(n).toLatin1())) << n;
    EXPECT_EQ(bytes.count(QByteArray("Original\r\n")), 4) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains("[")) << bytes.toStdString();
}

TEST(DotMatrixExport, AnEscModelOutsideTheSetsFailsTheExport)
{
    DmpTestStore store;
    addMemo(store.addPage(10, 1), {0, 0, 2, 1}, "AB", 0, haLeft, vaTop);
    store.report().EngineOptions()->SetNewSilentMode(simMessageBoxes);
    TrpDotMatrixExport filter;
    const int count = DMPrinters().Count();
    filter.SetEscModel(count);
    platform::MemoryStream out;
    filter.SetShowDialog(false);
    filter.SetStream(&out);
    test::ScriptedMessageBoxes boxes;
    boxes.answerBox(platform::kIdOk);
    EXPECT_FALSE(store.Export(&filter));
    EXPECT_TRUE(out.data().isEmpty());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, QStringLiteral("List index out of bounds (%1)").arg(count));
}

TEST(DotMatrixExport, SavingToAFileWritesTheStreamThere)
{
    QTemporaryDir dir;
    DmpTestStore store;
    addMemo(store.addPage(10, 1), {0, 0, 2, 1}, "AB", 0, haLeft, vaTop);
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    filter.SetShowDialog(false);
    filter.SetSaveToFile(true);
    filter.SetFileName(dir.filePath("bill.prn"));
    ASSERT_TRUE(store.Export(&filter));
    QFile f(dir.filePath("bill.prn"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), hex("1b40") + "AB\r\n" + hex("0c"));
}

TEST(DotMatrixExport, TheNewestExportIsTheCurrentOneUntilDestroyed)
{
    auto first = std::make_unique<TrpDotMatrixExport>();
    EXPECT_EQ(CurrentDotMatrixExport(), first.get());
    {
        TrpDotMatrixExport second;
        EXPECT_EQ(CurrentDotMatrixExport(), &second);
    }
    EXPECT_EQ(CurrentDotMatrixExport(), nullptr);
}

// Raw jobs on the capture queue of a private cupsd.
class DotMatrixPrinting : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new test::CupsTestServer; }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_server->error().isEmpty()) << s_server->error().toStdString();
        s_server->clearCaptured();
        rpPrinters().SetPrinterIndex(rpPrinters().IndexOf(QStringLiteral("Capture")));
        ASSERT_EQ(rpPrinters().GetCurrentPrinter()->Name(), "Capture");
    }
    static test::CupsTestServer *s_server;
};

test::CupsTestServer *DotMatrixPrinting::s_server = nullptr;

TEST_F(DotMatrixPrinting, EveryCopyIsARawJobLedByTheInitString)
{
    QTemporaryDir temp;
    DmpTestStore store;
    addMemo(store.addPage(10, 1), {0, 0, 2, 1}, "AB", 0, haLeft, vaTop);
    store.report().PrintOptions()->SetCopies(3);
    store.report().ReportOptions()->SetName(QStringLiteral("Bill 7"));
    store.report().EngineOptions()->SetTempDir(temp.path());
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    filter.SetShowDialog(false);
    filter.SetInitString(QStringLiteral("I"));
    ASSERT_TRUE(store.Export(&filter));
    const QList<test::CapturedJob> jobs = s_server->capturedJobs(3);
    ASSERT_EQ(jobs.size(), 3);
    for (const test::CapturedJob &job : jobs) {
        EXPECT_EQ(job.bytes, "I" + hex("1b40") + "IAB\r\n" + hex("0c"));
        EXPECT_EQ(job.title, "Bill 7");
    }
    EXPECT_TRUE(QDir(temp.path()).isEmpty()) << "the temporary file is removed";
}

TEST_F(DotMatrixPrinting, AJobOfWholeKilobytesStillFinishes)
{
    DmpTestStore store;
    addMemo(store.addPage(10, 1), {0, 0, 2, 1}, "AB", 0, haLeft, vaTop);
    // 500 + Reset 2 + 500 + 17 + "AB\r\n" 4 + FormFeed 1 = 1024 bytes.
    store.report().ReportOptions()->SetInitString(QString(17, 'r'));
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    filter.SetShowDialog(false);
    filter.SetInitString(QString(500, 'i'));
    ASSERT_TRUE(store.Export(&filter));
    const QList<test::CapturedJob> jobs = s_server->capturedJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs[0].bytes.size(), 1024);
    EXPECT_TRUE(jobs[0].bytes.endsWith("AB\r\n\x0c"));
}

TEST_F(DotMatrixPrinting, AQueueRefusingTheJobFailsTheExport)
{
    QTemporaryDir temp;
    rpPrinters().SetPrinterIndex(rpPrinters().IndexOf(QStringLiteral("Closed")));
    DmpTestStore store;
    addMemo(store.addPage(10, 1), {0, 0, 2, 1}, "AB", 0, haLeft, vaTop);
    store.report().EngineOptions()->SetTempDir(temp.path());
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    filter.SetShowDialog(false);
    EXPECT_FALSE(store.Export(&filter));
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
}

TEST(DotMatrixWithoutPrinters, SaysSoAndLeavesNoFile)
{
    test::useCupsServer("127.0.0.1:1");  // nothing listens there
    ASSERT_FALSE(rpPrinters().HasPhysicalPrinters());
    QTemporaryDir temp;
    DmpTestStore store;
    addMemo(store.addPage(10, 1), {0, 0, 2, 1}, "AB", 0, haLeft, vaTop);
    store.report().EngineOptions()->SetTempDir(temp.path());
    TrpDotMatrixExport filter;
    filter.SetEscModel(kEpson);
    filter.SetShowDialog(false);
    test::ScriptedMessageBoxes boxes;
    boxes.answerBox(platform::kIdOk);
    EXPECT_FALSE(store.Export(&filter));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "No printers installed on your system");
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
    test::useCupsServer(QByteArray());
}

TEST(DotMatrixDialog, SettingsComeFromAndGoToTheDmpSection)
{
    QTemporaryDir dir;
    DmpTestStore store;
    store.report().SetIniFile(dir.filePath("report.ini"));
    store.report().PrintOptions()->SetCopies(2);
    {
        auto ini = store.report().GetIniFile();
        ini->writeBool("DMP", "OEM", false);
        ini->writeInteger("DMP", "PrinterType", 99);  // out of range: back to 0
    }
    TrpDotMatrixExport filter;
    filter.SetReport(&store.report());
    int seenEscModel = -1, seenCopies = -1;
    bool seenOem = true;
    SetDMPExportDialog([&](TrpDotMatrixExport &f) {
        seenEscModel = f.EscModel();
        seenCopies = f.Copies();
        seenOem = f.OEMConvert();
        f.SetEscModel(kHp);
        f.SetPageBreaks(false);
        return 1;
    });
    EXPECT_EQ(filter.ShowModal(), 1);
    SetDMPExportDialog({});
    EXPECT_EQ(seenEscModel, 0);
    EXPECT_EQ(seenCopies, 2);
    EXPECT_FALSE(seenOem);
    auto ini = store.report().GetIniFile();
    EXPECT_EQ(ini->readInteger("DMP", "PrinterType", -1), kHp);
    EXPECT_FALSE(ini->readBool("DMP", "PageBreaks", true));
    EXPECT_FALSE(ini->readBool("DMP", "OEM", true));
}

TEST(DotMatrixDialog, ApplyWritesTheChoicesIntoTheExport)
{
    TrpDotMatrixExport filter;
    filter.SetCopies(3);
    filter.SetEscModel(kEpson);
    TrpDMPExportDialog d(filter);
    EXPECT_EQ(d.windowTitle(), "Print");
    EXPECT_EQ(d.EscCB->currentIndex(), kEpson);
    EXPECT_EQ(d.EscCB->itemText(kEpson), "Epson Generic");
    EXPECT_EQ(d.CopiesUD->value(), 3);
    EXPECT_EQ(d.OemCB->text(), "OEM codepage");
    d.RangeE->setText("2-3");
    d.PageNumbersRB->setChecked(true);
    d.PseudoCB->setChecked(true);
    d.EscCB->setCurrentIndex(kHp);
    d.CopiesUD->setValue(5);
    EXPECT_EQ(d.Apply(), 1);
    EXPECT_EQ(filter.PageRange(), "2-3");
    EXPECT_FALSE(filter.CurrentPageOnly());
    EXPECT_TRUE(filter.GraphicFrames());
    EXPECT_EQ(filter.EscModel(), kHp);
    EXPECT_EQ(filter.Copies(), 5);

    d.CurPageRB->setChecked(true);
    d.SaveToFileCB->setChecked(true);
    test::ScriptedMessageBoxes boxes;
    boxes.answerSaveFile(std::nullopt);
    EXPECT_EQ(d.Apply(), 2) << "a cancelled file name cancels";
    EXPECT_TRUE(filter.CurrentPageOnly());
    EXPECT_TRUE(filter.SaveToFile());
}

} // namespace
