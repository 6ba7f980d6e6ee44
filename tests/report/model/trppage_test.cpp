// Pages, subreports and dialog pages: paper, orientation and margins,
// page columns, alignment of children, subreport links, the dialog
// page's window state and modal run, dialog control captions.
#include "platform/regionalsettings.h"
#include "report/model/trpband.h"
#include "report/model/trpdialogpage.h"
#include "report/model/trppage.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::report;

TEST(ReportPage, NewPageIsA4Portrait)
{
    TrpReportPage page(nullptr);
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 297);
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    EXPECT_DOUBLE_EQ(page.Height(), 1123);
    EXPECT_EQ(page.LeftMargin(), 0);
    EXPECT_EQ(page.Bin(), 7);
    EXPECT_EQ(page.BinOtherPages(), 7);
    EXPECT_TRUE(page.PrintIfEmpty());
    EXPECT_TRUE(page.TitleBeforeHeader());
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_EQ(page.Color(), clNone);
    EXPECT_EQ(page.BaseName(), QStringLiteral("Page"));
}

TEST(ReportPage, LandscapeSwapsPaperAndRotatesMargins)
{
    TrpReportPage page(nullptr);
    page.SetLeftMargin(7);
    page.SetRightMargin(7);
    page.SetTopMargin(10);
    page.SetBottomMargin(14);
    page.SetOrientation(poLandscape);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 210);
    EXPECT_DOUBLE_EQ(page.Width(), 1123);
    struct M { double l, r, t, b; };
    auto margins = [&] { return M{page.LeftMargin(), page.RightMargin(), page.TopMargin(), page.BottomMargin()}; };
    M m = margins();
    EXPECT_EQ(m.l, 10);
    EXPECT_EQ(m.r, 14);
    EXPECT_EQ(m.t, 7);
    EXPECT_EQ(m.b, 7);
    page.SetOrientation(poPortrait);
    m = margins();
    EXPECT_EQ(m.l, 7);
    EXPECT_EQ(m.r, 7);
    EXPECT_EQ(m.t, 10);
    EXPECT_EQ(m.b, 14);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
}

TEST(ReportPage, PaperSizes)
{
    TrpReportPage page(nullptr);
    page.SetPaperWidth(100.123456789);
    EXPECT_EQ(page.PaperSize(), 256);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 100.12345679);
    EXPECT_DOUBLE_EQ(page.Width(), 378);          // 100.12345679 x 3.77953
    page.SetPaperSize(200);                       // unknown code
    EXPECT_EQ(page.PaperSize(), 200);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 100.12345679);
    page.SetOrientation(poLandscape);
    page.SetPaperSize(11);                        // A5, turned
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 148);
    page.SetPaperSize(300);                       // custom: stored only
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
}

TEST(ReportPage, PaperCodesFollowThePrinterTable)
{
    struct Case { int code; double width, height; };
    const Case known[] = {
        {7, 184.2, 266.7}, {38, 92.0, 165.1}, {42, 250, 353}, {43, 100, 148}, {44, 228.6, 279.4},
        {45, 254, 279.4}, {46, 381, 279.4}, {47, 220, 220}, {50, 235.5, 304.8}, {52, 296.9, 457.2},
        {57, 227, 356}, {60, 210, 330}, {63, 322, 445}, {65, 201, 276}, {66, 420, 594},
        {67, 297, 420}, {68, 322, 445}};
    for (const Case &c : known) {
        SCOPED_TRACE(c.code);
        TrpReportPage page(nullptr);
        page.SetPaperSize(c.code);
        EXPECT_EQ(page.PaperSize(), c.code);
        EXPECT_NEAR(page.PaperWidth(), c.width, 1e-9);
        EXPECT_NEAR(page.PaperHeight(), c.height, 1e-9);
    }
    for (int code : {48, 49, 69, 70}) {  // not in the table: the size stays
        SCOPED_TRACE(code);
        TrpReportPage page(nullptr);
        page.SetPaperSize(11);
        page.SetPaperSize(code);
        EXPECT_EQ(page.PaperSize(), code);
        EXPECT_DOUBLE_EQ(page.PaperWidth(), 148);
        EXPECT_DOUBLE_EQ(page.PaperHeight(), 210);
    }
}

TEST(ReportPage, SetDefaultsTakesPrinterPaper)
{
    TrpReportPage page(nullptr);
    page.SetDefaults();
    EXPECT_EQ(page.LeftMargin(), 10);
    EXPECT_EQ(page.BottomMargin(), 10);
    EXPECT_EQ(page.PaperSize(), 9);
    setCurrentPrinterPaperSource([] { return TrpPrinterPaper{1, 215.9, 279.4, poPortrait}; });
    page.SetDefaults();
    setCurrentPrinterPaperSource(nullptr);
    EXPECT_EQ(page.PaperSize(), 1);
    EXPECT_DOUBLE_EQ(page.Width(), 816);
}

TEST(ReportPage, PageColumns)
{
    TrpReportPage page(nullptr);
    page.SetLeftMargin(10);
    page.SetRightMargin(10);
    page.SetColumns(2);
    EXPECT_DOUBLE_EQ(page.ColumnWidth(), 95);
    ASSERT_EQ(page.ColumnPositions()->count(), 2);
    EXPECT_EQ(page.ColumnPositions()->at(0), QStringLiteral("0"));
    EXPECT_EQ(page.ColumnPositions()->at(1), QStringLiteral("95"));
    page.SetColumns(0);
    EXPECT_EQ(page.ColumnPositions()->count(), 0);
}

TEST(ReportPage, ColumnPositionsAreFileNumbersWhateverTheLocale)
{
    const bralvo::platform::ScopedRegionalSettings slovak(bralvo::platform::RegionalSettings::slovak());
    TrpReportPage page(nullptr);
    page.SetLeftMargin(10);
    page.SetRightMargin(10);
    page.SetColumns(3);
    ASSERT_EQ(page.ColumnPositions()->count(), 3);
    EXPECT_EQ(page.ColumnPositions()->at(1), QStringLiteral("63.3333333333333"));
    EXPECT_EQ(page.ColumnPositions()->at(2), QStringLiteral("126.666666666667"));
    page.SetRightMargin(10.5);
    page.SetColumns(2);
    EXPECT_EQ(page.ColumnPositions()->at(1), QStringLiteral("94.75"));
}

TEST(ReportPage, AlignChildrenStretchesBandsToPrintableArea)
{
    TrpReportPage page(nullptr);
    page.SetLeftMargin(10);
    page.SetRightMargin(10);
    page.SetTopMargin(10);
    page.SetBottomMargin(10);
    auto *band = new TrpMasterData(&page);
    band->SetBounds(0, 20, 50, 18);
    auto *vertical = new TrpMasterData(&page);
    vertical->SetVertical(true);
    vertical->SetBounds(0, 100, 50, 18);
    auto *title = new TrpReportTitle(&page);
    EXPECT_EQ(page.FindBand(TrpMasterData::staticClass()), band);
    EXPECT_EQ(page.FindBand(TrpReportTitle::staticClass()), title);
    EXPECT_EQ(page.FindBand(TrpPageFooter::staticClass()), nullptr);
    page.AlignChildren();
    EXPECT_NEAR(band->Width(), 190 * 3.77953, 1e-9);
    EXPECT_NEAR(vertical->Height(), 277 * 3.77953 - 100, 1e-9);
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    EXPECT_DOUBLE_EQ(page.Height(), 1123);
}

TEST(ReportPage, BackgroundDrawnInsideMargins)
{
    TrpReportPage page(nullptr);
    page.SetPaperWidth(20);
    page.SetPaperHeight(20);
    page.SetLeftMargin(5);
    page.SetTopMargin(5);
    page.SetColor(255);
    QImage img(80, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    page.DrawBackground(p, 1, 1, 0, 0);
    p.end();
    EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);  // inside the left margin
    EXPECT_EQ(img.pixel(20, 20) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(76, 76) & 0xFFFFFF, 0xFFFFFFu);  // beyond the paper
}

TEST(Subreport, LinksBothWays)
{
    TrpReportPage page(nullptr);
    auto *sub = new TrpSubreport(nullptr);
    EXPECT_EQ(sub->Frame()->Typ(), ftLeft | ftRight | ftTop | ftBottom);
    EXPECT_EQ(sub->Color(), 12632256);
    EXPECT_EQ(sub->Font()->name(), QStringLiteral("Tahoma"));
    EXPECT_FALSE(sub->ComponentStyle() & KeepInPreview);
    sub->SetPage(&page);
    EXPECT_TRUE(page.IsSubReport());
    EXPECT_EQ(page.SubReport(), sub);
    delete sub;
    EXPECT_FALSE(page.IsSubReport());
}

// A page no longer embedded must run as a page of its own again.
TEST(Subreport, SubreportPageChangeReleasesOldPage)
{
    TrpReportPage first(nullptr), second(nullptr);
    TrpSubreport sub(nullptr);
    sub.SetPage(&first);
    sub.SetPage(&second);
    EXPECT_FALSE(first.IsSubReport());
    EXPECT_TRUE(second.IsSubReport());
}

TEST(Subreport, PageDestroyedFirstClearsLink)
{
    TrpSubreport sub(nullptr);
    auto *page = new TrpReportPage(nullptr);
    sub.SetPage(page);
    delete page;
    EXPECT_EQ(sub.Page(), nullptr);
}

// --- dialog pages

namespace {

// A window whose modal run simulates the user moving and resizing it.
class MovingWindow : public TrpDialogWindow {
public:
    void SetBounds(int l, int t, int w, int h) override { bounds = QRect(l, t, w, h); }
    QRect Bounds() const override { return bounds; }
    void SetCaption(const QString &c) override { caption = c; }
    void SetColor(int) override {}
    void SetFont(const platform::Font &) override {}
    int ModalResult() const override { return result; }
    void SetModalResult(int r) override { result = r; }
    bool IsVisible() const override { return false; }
    void Hide() override {}
    void SetBorderStyle(TFormBorderStyle s) override { border = s; }
    void SetPosition(TPosition) override {}
    void SetWindowState(TWindowState) override {}
    void SetStayOnTop(bool on) override { stayOnTop = on; }
    int ExecModal(const std::function<void()> &onModify) override
    {
        bounds = QRect(120, 80, 300, 200);
        onModify();
        return result = 1;
    }
    QRect bounds;
    QString caption;
    int result = 0;
    TFormBorderStyle border = bsNone;
    bool stayOnTop = false;
};

} // namespace

TEST(DialogPage, DefaultsAndWindowFollowsPage)
{
    TrpDialogPage page(nullptr);
    EXPECT_EQ(page.BorderStyle(), bsSizeable);
    EXPECT_EQ(page.Color(), clBtnFace);
    EXPECT_EQ(page.Position(), poScreenCenter);
    EXPECT_EQ(page.WindowState(), wsNormal);
    EXPECT_EQ(page.Font()->name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(page.Font()->size(), 8);
    page.SetBounds(10.4, 20.6, 300, 200);
    EXPECT_EQ(page.Window()->Bounds(), QRect(10, 21, 300, 200));
    EXPECT_EQ(page.ShowModal(), 0);
}

TEST(DialogPage, ShowModalFollowsTheUsersMoves)
{
    MovingWindow *window = nullptr;
    setDialogWindowFactory([&](TrpDialogPage &) {
        auto w = std::make_unique<MovingWindow>();
        window = w.get();
        return w;
    });
    TrpDialogPage page(nullptr);
    setDialogWindowFactory(nullptr);
    ASSERT_NE(window, nullptr);
    page.SetCaption(QStringLiteral("Výber"));
    page.SetBorderStyle(bsDialog);
    EXPECT_EQ(window->caption, QStringLiteral("Výber"));
    EXPECT_EQ(window->border, bsNone); // stored only until ShowModal
    EXPECT_EQ(page.ShowModal(), 1);
    EXPECT_EQ(window->border, bsDialog);
    EXPECT_TRUE(window->stayOnTop);
    EXPECT_DOUBLE_EQ(page.Left(), 120);
    EXPECT_DOUBLE_EQ(page.Top(), 80);
    EXPECT_DOUBLE_EQ(page.Width(), 300);
    EXPECT_DOUBLE_EQ(page.Height(), 200);
}

TEST(DialogControl, CaptionFollowsRenameOnlyWhenItEqualsTheOldName)
{
    struct Case { QString caption; QString expected; };
    for (const Case &c : {Case{QStringLiteral("Button1"), QStringLiteral("OkButton")},
                          Case{QStringLiteral("OK"), QStringLiteral("OK")}}) {
        TrpDialogControl control(nullptr);
        control.SetCaptionFollowsName(true);
        control.setName(QStringLiteral("Button1"));
        control.SetCaption(c.caption);
        control.setName(QStringLiteral("OkButton"));
        EXPECT_EQ(control.Caption(), c.expected);
    }
}
