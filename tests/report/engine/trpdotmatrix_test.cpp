// Dot-matrix report objects: snapping to the character grid, the page's
// paper and font style, printer command bytes, and report XML.
#include "report/model/trpband.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "platform/conversionerror.h"
#include "platform/font.h"
#include "platform/stream.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;

namespace {

std::unique_ptr<TrpReport> quietReport()
{
    auto report = std::make_unique<TrpReport>(nullptr);
    report->EngineOptions()->SetNewSilentMode(simSilent);
    return report;
}

QByteArray saveToBytes(TrpComponent &c)
{
    platform::MemoryStream s;
    c.SaveToStream(s);
    return s.data();
}

void loadFromBytes(TrpComponent &c, const QByteArray &bytes)
{
    platform::MemoryStream s(bytes);
    c.LoadFromStream(s);
}

struct SnapCase {
    const char *what;
    double value;
    double expected;
};

TEST(DotMatrixGrid, PositionsAndSizesSnapToCells)
{
    TrpDMPMemoView memo(nullptr), rightMemo(nullptr);
    TrpDMPLineView line(nullptr), rightLine(nullptr);
    TrpDMPCommand command(nullptr);
    rightMemo.SetAlign(baRight);
    rightLine.SetAlign(baRight);
    memo.SetLeft(50);
    rightMemo.SetLeft(57);
    memo.SetTop(30);
    memo.SetWidth(25);
    memo.SetHeight(26);
    line.SetLeft(50);
    line.SetTop(30);
    rightLine.SetLeft(50);
    command.SetLeft(50);
    command.SetTop(30);
    const SnapCase cases[] = {
        {"memo left 50", memo.Left(), 48},           // 5 cells
        {"right memo left 57", rightMemo.Left(), 48}, // truncated, not 57.6
        {"memo top 30", memo.Top(), 34},
        {"memo width 25", memo.Width(), 28.8},
        {"memo height 26", memo.Height(), 34},
        {"line left 50", line.Left(), 52.8},          // half a cell into the grid
        {"line top 30", line.Top(), 25.5},
        {"right line left 50", rightLine.Left(), 43.2},
        {"command left 50", command.Left(), 48},
        {"command top 30", command.Top(), 34},
    };
    for (const SnapCase &c : cases)
        EXPECT_NEAR(c.value, c.expected, 1e-9) << c.what;
    line.SetLeft(-5);
    EXPECT_NEAR(line.Left(), -4.8, 1e-9);
}

TEST(DotMatrixGrid, LineWidthTruncatesOnlyWhenAlignedToWidth)
{
    TrpDMPLineView line(nullptr);
    line.SetWidth(25);
    EXPECT_NEAR(line.Width(), 28.8, 1e-9);
    line.SetAlign(baWidth);
    line.SetWidth(25);
    EXPECT_NEAR(line.Width(), 19.2, 1e-9);
}

TEST(TrpDMPPage, DefaultsOnLetterPaperAreWholeCells)
{
    setCurrentPrinterPaperSource([] { return TrpPrinterPaper{1, 215.9, 279.4, poPortrait}; });
    TrpDMPPage page(nullptr);
    page.SetDefaults();
    setCurrentPrinterPaperSource(nullptr);
    EXPECT_NEAR(page.PaperWidth() * 3.77953 / 9.6, 85, 1e-6);
    EXPECT_NEAR(page.PaperHeight() * 3.77953 / 17, 62, 1e-6);
    EXPECT_NEAR(page.LeftMargin(), 2.54, 1e-4);
    EXPECT_NEAR(page.RightMargin(), 2.54, 1e-4);
    EXPECT_NEAR(page.TopMargin(), 4.4979, 1e-4);
    EXPECT_NEAR(page.BottomMargin(), 4.4979, 1e-4);
}

TEST(TrpDMPPage, PaperSizesRoundToWholeCells)
{
    TrpDMPPage page(nullptr);
    page.SetPaperWidth(100);  // 39.37 cells
    page.SetPaperHeight(100); // 22.23 cell rows
    EXPECT_NEAR(page.PaperWidth() * 3.77953 / 9.6, 39, 1e-6);
    EXPECT_NEAR(page.PaperHeight() * 3.77953 / 17, 22, 1e-6);
    page.SetPaperSize(9);  // A4: 210 x 297 mm is 82.68 x 66.03
    EXPECT_NEAR(page.PaperWidth() * 3.77953 / 9.6, 83, 1e-6);
    EXPECT_NEAR(page.PaperHeight() * 3.77953 / 17, 66, 1e-6);
}

// The bill's Letter page must reach the printer as Letter: snapping to
// cells moves the size, never the paper code.
TEST(TrpDMPPage, KeepsItsPaperCodeOnTheCellGrid)
{
    TrpDMPPage fresh(nullptr);  // A4, snapped at once: 83 x 66 cells
    EXPECT_EQ(fresh.PaperSize(), 9);
    EXPECT_NEAR(fresh.PaperWidth() * 3.77953 / 9.6, 83, 1e-6);
    EXPECT_NEAR(fresh.PaperHeight() * 3.77953 / 17, 66, 1e-6);

    setCurrentPrinterPaperSource([] { return TrpPrinterPaper{1, 215.9, 279.4, poPortrait}; });
    TrpDMPPage defaults(nullptr);
    defaults.SetDefaults();
    setCurrentPrinterPaperSource(nullptr);
    EXPECT_EQ(defaults.PaperSize(), 1);

    auto report = quietReport();
    report->SetDotMatrixReport(true);
    (new TrpDataPage(report.get()))->setName(QStringLiteral("Data"));
    auto *page = new TrpDMPPage(report.get());
    page->setName(QStringLiteral("Page1"));
    page->SetPaperSize(1);
    EXPECT_EQ(page->PaperSize(), 1);
    EXPECT_NEAR(page->PaperWidth() * 3.77953 / 9.6, 85, 1e-6);
    EXPECT_NEAR(page->PaperHeight() * 3.77953 / 17, 62, 1e-6);
    const QByteArray first = saveToBytes(*report);
    EXPECT_TRUE(first.contains("PaperSize=\"1\"")) << first.constData();
    auto copy = quietReport();
    loadFromBytes(*copy, first);
    auto *read = dynamic_cast<TrpDMPPage *>(copy->FindObject(QStringLiteral("Page1")));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->PaperSize(), 1);
    EXPECT_DOUBLE_EQ(read->PaperWidth(), page->PaperWidth());
    EXPECT_EQ(saveToBytes(*copy).toStdString(), first.toStdString());

    page->SetPaperWidth(100);  // a width of one's own is a custom paper
    EXPECT_EQ(page->PaperSize(), 256);
}

TEST(TrpDMPPage, FontIsCourierWithThePrinterStyle)
{
    TrpDMPPage page(nullptr);
    EXPECT_EQ(page.Font()->name(), QStringLiteral("Courier New"));
    EXPECT_EQ(page.Font()->size(), 12);
    page.SetFontStyle(fsxBold | fsxUnderline | fsxCondensed);
    EXPECT_EQ(page.Font()->style(), platform::fsBold | platform::fsUnderline);
}

TEST(TrpDMPPage, BoldStyleReachesOnlyObjectsWithParentFont)
{
    TrpDMPPage page(nullptr);
    auto *band = new TrpMasterData(&page);
    auto *inherits = new TrpDMPMemoView(band);
    auto *own = new TrpDMPMemoView(band);
    auto *line = new TrpDMPLineView(band);
    own->SetFontStyle(fsxItalic);
    page.SetFontStyle(fsxBold);
    EXPECT_EQ(inherits->FontStyle(), fsxBold);
    EXPECT_EQ(inherits->Font()->style(), platform::fsBold);
    EXPECT_TRUE(inherits->ParentFont());
    EXPECT_EQ(line->FontStyle(), fsxBold);
    EXPECT_EQ(own->FontStyle(), fsxItalic);
    EXPECT_EQ(own->Font()->style(), platform::fsItalic);
    EXPECT_FALSE(own->ParentFont());
}

TEST(TrpDMPMemoView, FontResetMakesOneLineOneCell)
{
    TrpDMPMemoView memo(nullptr);
    memo.SetGapX(5);
    memo.SetLineSpacing(4);
    memo.SetFontStyle(fsxWide);
    EXPECT_EQ(memo.Font()->name(), QStringLiteral("Courier New"));
    EXPECT_EQ(memo.Font()->size(), 12);
    EXPECT_EQ(memo.Font()->style(), 0);
    EXPECT_EQ(memo.CharSpacing(), 0);
    EXPECT_EQ(memo.LineSpacing(), 1);
    EXPECT_EQ(memo.GapX(), 0);
    EXPECT_EQ(memo.GapY(), 0);
}

TEST(TrpDMPCommand, HexAndDecimalFormsGiveTheSameBytes)
{
    TrpDMPCommand command(nullptr);
    command.SetCommand(QStringLiteral("1B40"));
    const QByteArray hexBytes = command.GetCommandBytes();
    command.SetCommand(QStringLiteral("#27#64"));
    EXPECT_EQ(command.GetCommandBytes(), hexBytes);
    EXPECT_EQ(hexBytes, QByteArray("\x1b\x40"));
}

TEST(TrpDMPCommand, MalformedCommandRaisesInsteadOfSendingBytes)
{
    TrpDMPCommand command(nullptr);
    for (const char *text : {"#27#", "1Z", "#300"}) {
        command.SetCommand(QString::fromLatin1(text));
        EXPECT_THROW(command.GetCommandBytes(), platform::ConversionError) << text;
    }
}

TEST(DotMatrixObjects, DiffCarriesTheirOwnItems)
{
    TrpDMPCommand def(nullptr), command(nullptr);
    command.SetCommand(QStringLiteral("<1B>"));
    EXPECT_TRUE(command.Diff(def).endsWith(QStringLiteral(" Command=\"&#60;1B&#62;\"")))
        << command.Diff(def).toStdString();
    TrpDMPLineView defLine(nullptr), line(nullptr);
    line.SetFontStyle(fsxBold | fsx15cpi);
    EXPECT_TRUE(line.Diff(defLine).endsWith(QStringLiteral(" FontStyle=\"257\"")));
    EXPECT_FALSE(defLine.Diff(defLine).contains(QStringLiteral("FontStyle")));
    TrpDMPMemoView defMemo(nullptr), memo(nullptr);
    memo.SetFontStyle(fsxItalic);
    EXPECT_TRUE(memo.Diff(defMemo).contains(QStringLiteral(" FontStyle=\"2\"")));
}

TEST(DotMatrixObjects, DescriptionsComeFromLibraryTexts)
{
    EXPECT_EQ(TrpDMPMemoView(nullptr).GetDescription(), QStringLiteral("Text"));
    EXPECT_EQ(TrpDMPLineView(nullptr).GetDescription(), QStringLiteral("Line"));
    EXPECT_EQ(TrpDMPCommand(nullptr).GetDescription(), QStringLiteral("Command"));
}

void buildDotMatrix(TrpReport &report)
{
    report.SetDotMatrixReport(true);
    (new TrpDataPage(&report))->setName(QStringLiteral("Data"));
    auto *page = new TrpDMPPage(&report);
    page->setName(QStringLiteral("Page1"));
    page->SetFontStyle(fsxCondensed | fsxBold);
    auto *band = new TrpMasterData(page);
    band->setName(QStringLiteral("Band1"));
    band->SetBounds(0, 34, 768, 34);
    auto *memo = new TrpDMPMemoView(band);
    memo->setName(QStringLiteral("Memo1"));
    memo->SetBounds(48, 0, 96, 17);
    memo->SetText(QStringLiteral("[s_nazov] čiara"));
    memo->SetFontStyle(fsxItalic | fsxWide);
    auto *plain = new TrpDMPMemoView(band);
    plain->setName(QStringLiteral("Memo2"));
    plain->SetBounds(192, 17, 48, 17);
    auto *line = new TrpDMPLineView(band);
    line->setName(QStringLiteral("Line1"));
    line->SetBounds(0, 0, 96, 0);
    auto *command = new TrpDMPCommand(band);
    command->setName(QStringLiteral("Cmd1"));
    command->SetBounds(0, 0, 9.6, 17);
    command->SetCommand(QStringLiteral("#27#52"));
}

TEST(DotMatrixObjects, SurviveSaveAndLoad)
{
    auto report = quietReport();
    buildDotMatrix(*report);
    const QByteArray first = saveToBytes(*report);
    auto copy = quietReport();
    loadFromBytes(*copy, first);
    ASSERT_EQ(copy->ErrorList().count(), 0) << copy->ErrorList().text().toStdString();
    auto *page = dynamic_cast<TrpDMPPage *>(copy->FindObject(QStringLiteral("Page1")));
    auto *memo = dynamic_cast<TrpDMPMemoView *>(copy->FindObject(QStringLiteral("Memo1")));
    auto *plain = dynamic_cast<TrpDMPMemoView *>(copy->FindObject(QStringLiteral("Memo2")));
    auto *line = dynamic_cast<TrpDMPLineView *>(copy->FindObject(QStringLiteral("Line1")));
    auto *command = dynamic_cast<TrpDMPCommand *>(copy->FindObject(QStringLiteral("Cmd1")));
    ASSERT_TRUE(page && memo && plain && line && command) << first.constData();
    EXPECT_EQ(page->FontStyle(), fsxCondensed | fsxBold);
    EXPECT_EQ(memo->FontStyle(), fsxItalic | fsxWide);
    EXPECT_FALSE(memo->ParentFont());
    EXPECT_EQ(memo->Text(), QStringLiteral("[s_nazov] čiara"));
    EXPECT_NEAR(memo->Left(), 48, 1e-9);
    EXPECT_TRUE(plain->ParentFont());
    EXPECT_EQ(plain->FontStyle(), fsxCondensed | fsxBold);
    EXPECT_NEAR(line->Left(), 4.8, 1e-9);
    EXPECT_NEAR(line->Top(), 8.5, 1e-9);
    EXPECT_EQ(command->Command(), QStringLiteral("#27#52"));
    EXPECT_EQ(saveToBytes(*copy).toStdString(), first.toStdString());
}

} // namespace
