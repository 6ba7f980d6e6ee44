// The preview control over a test store: zoom, navigation, keys, page
// deleting, text search, the page areas' mouse and scrolling, drawing
// through the cache and a preparation's progress.
#include "teststore.h"
#include "textpagestore.h"

#include "report/model/trpoptions.h"
#include "report/preview/trppreview.h"
#include "report/preview/trpsearchdialog.h"
#include "report/preview/trptextsearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bralvo::report;
using bralvo::report::testing::StoreReport;
using bralvo::report::testing::TestText;

namespace {

// A shown preview of Count A4 pages.
struct PreviewFixture {
    StoreReport r;
    TrpPreview preview;
    explicit PreviewFixture(int count = 0, int buttons = kDefaultPreviewButtons)
    {
        r.report->PreviewOptions()->SetButtons(buttons);
        r.store->addPages(count);
        preview.resize(900, 700);
        preview.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
        preview.SetReport(r.report.get(), r.store);
        preview.Init();
    }
    void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&preview, Qt::Key(key), mods); }
    TrpPreviewWorkspace &area() { return *preview.Workspace(); }
};

// Answers the next modal search dialog: types Text and presses OK, or
// Cancel when Text is empty.
void answerSearch(const QString &text, bool fromTop = false)
{
    QTimer::singleShot(0, [text, fromTop] {
        auto *d = qobject_cast<TrpSearchDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        if (text.isEmpty()) {
            QTest::mouseClick(d->CancelB, Qt::LeftButton);
            return;
        }
        d->TextE->setText(text);
        d->TopCB->setChecked(fromTop);
        QTest::mouseClick(d->OkB, Qt::LeftButton);
    });
}

void resetSearch()
{
    searchState() = TrpSearchState{};
    LastSearchText().clear();
}

} // namespace

TEST(TrpPreview, ZoomHasALowerBound)
{
    PreviewFixture f(2);
    struct Case {
        double set, zoom;
    } cases[] = {{0.2, 0.25}, {0.25, 0.25}, {-3, 0.25}, {1.5, 1.5}};
    for (const Case &c : cases) {
        f.preview.SetZoomMode(zmWholePage);
        f.preview.SetZoom(c.set);
        EXPECT_DOUBLE_EQ(f.preview.Zoom(), c.zoom) << c.set;
        EXPECT_EQ(f.preview.ZoomMode(), zmDefault);
    }
    // The main area lays pages out at the zoom.
    EXPECT_EQ(f.area().PageList().Items(0).Width, 1191);
}

TEST(TrpPreview, WheelZoomStepsByATenthAndStopsAt03)
{
    PreviewFixture f(1);
    f.preview.SetZoom(1.0);
    f.preview.WheelScroll(120, false, true);
    EXPECT_DOUBLE_EQ(f.preview.Zoom(), 1.1);
    f.preview.WheelScroll(-360, false, true);
    EXPECT_NEAR(f.preview.Zoom(), 1.0, 1e-9);
    f.preview.SetZoom(0.35);
    f.preview.WheelScroll(-120, false, true);
    EXPECT_DOUBLE_EQ(f.preview.Zoom(), 0.3);
    f.preview.WheelScroll(-120, false, true);
    EXPECT_DOUBLE_EQ(f.preview.Zoom(), 0.3);
    f.preview.WheelScroll(0, false, true);
    EXPECT_DOUBLE_EQ(f.preview.Zoom(), 0.3);
}

TEST(TrpPreview, WheelWithoutCtrlScrolls20Pixels)
{
    PreviewFixture f(3);
    f.area().SetVertPosition(100);
    f.preview.WheelScroll(-120, false, false);
    EXPECT_EQ(f.area().VertPosition(), 120);
    f.preview.WheelScroll(240, false, false);
    EXPECT_EQ(f.area().VertPosition(), 100);
}

TEST(TrpPreview, PageWidthZoomFollowsTheCurrentPage)
{
    PreviewFixture f;
    f.r.store->addPage(QSize(794, 1123), {});
    f.r.store->addPage(QSize(1123, 794), {});
    f.preview.Init();
    f.preview.SetZoomMode(zmPageWidth);
    const int scrollBar = f.area().style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const double available = f.area().width() - scrollBar - 26;
    EXPECT_DOUBLE_EQ(f.preview.Zoom(), available / 794);
    f.preview.GoToPage(2);
    f.preview.UpdatePages();
    EXPECT_DOUBLE_EQ(f.preview.Zoom(), available / 1123);
    f.preview.SetZoomMode(zmWholePage);
    EXPECT_DOUBLE_EQ(f.preview.Zoom(), double(f.area().height() - 26) / 794);
}

TEST(TrpPreview, GoToPageClampsToThePages)
{
    PreviewFixture empty;
    empty.preview.GoToPage(5);
    EXPECT_EQ(empty.preview.CurrentPage(), 0);
    PreviewFixture f(4);
    std::vector<int> changes;
    f.preview.OnPageChanged = [&changes](TrpPreview *, int page) { changes.push_back(page); };
    f.preview.GoToPage(9);
    f.preview.GoToPage(-2);
    f.preview.NextPage();
    f.preview.LastPage();
    f.preview.PriorPage();
    EXPECT_EQ(changes, (std::vector<int>{4, 1, 2, 4, 3}));
    EXPECT_EQ(f.area().CurrentPage(), 3);
    EXPECT_EQ(f.preview.Thumbnails()->CurrentPage(), 3);
}

TEST(TrpPreview, DeletingThePageMovesTheCurrentPage)
{
    struct Case {
        int count, current, after;
    } cases[] = {{3, 3, 2}, {3, 2, 1}, {3, 1, 1}, {1, 1, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.current << " of " << c.count);
        PreviewFixture f(c.count);
        f.preview.GoToPage(c.current);
        f.preview.DeleteCurrentPage();
        EXPECT_EQ(f.preview.PageCount(), c.count - 1);
        EXPECT_EQ(f.preview.CurrentPage(), c.after);
    }
}

TEST(TrpPreview, KeysMoveThroughThePages)
{
    struct Case {
        const char *name;
        int key;
        Qt::KeyboardModifiers mods;
        int page;  // current page afterwards; -1: not checked
        int moved; // change of the main area's vertical position
    };
    // Each case starts on page 3 of 6, scrolled to its top.
    const Case cases[] = {
        {"Ctrl+PgDn", Qt::Key_PageDown, Qt::ControlModifier, 4, 1133},
        {"Ctrl+PgUp", Qt::Key_PageUp, Qt::ControlModifier, 2, -1133},
        {"Home", Qt::Key_Home, Qt::NoModifier, 1, -2266},
        {"End", Qt::Key_End, Qt::NoModifier, 6, 3399},
        {"Down", Qt::Key_Down, Qt::NoModifier, 3, 8},
        {"Up", Qt::Key_Up, Qt::NoModifier, 3, -8},
        {"PgDn", Qt::Key_PageDown, Qt::NoModifier, 3, 300},
        {"PgUp", Qt::Key_PageUp, Qt::NoModifier, 2, -300},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PreviewFixture f(6);
        f.preview.GoToPage(3);
        const int start = f.area().VertPosition();
        EXPECT_EQ(start, f.area().PageList().Items(2).Top - 10);
        f.key(c.key, c.mods);
        EXPECT_EQ(f.preview.CurrentPage(), c.page);
        EXPECT_EQ(f.area().VertPosition() - start, c.moved);
    }
}

TEST(TrpPreview, GoingToALastPageThatCannotReachTheTopKeepsIt)
{
    PreviewFixture f(8);
    f.preview.SetZoom(0.25); // the last pages fit below the view's top
    f.preview.LastPage();
    EXPECT_EQ(f.preview.CurrentPage(), 8);
    EXPECT_EQ(f.area().CurrentPage(), 8);
}

TEST(TrpPreview, CtrlPPrintsOnlyWithThePrintButton)
{
    PreviewFixture with(2, 1 << pbPrint);
    with.preview.GoToPage(2);
    with.key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(with.r.store->printCalls, 1);
    EXPECT_EQ(with.r.store->PreviewPageNo(), 2);
    PreviewFixture without(2, 1 << pbFind);
    without.key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(without.r.store->printCalls, 0);
}

TEST(TrpPreview, RunningBlocksThePageOperations)
{
    PreviewFixture f(2);
    f.preview.BeginProgress();
    f.r.store->addPages(2);
    f.preview.Print();
    f.preview.DeleteCurrentPage();
    f.preview.AddEmptyPage();
    EXPECT_EQ(f.r.store->printCalls, 0);
    EXPECT_EQ(f.r.store->GetCount(), 2);
    f.preview.EndProgress();
    EXPECT_FALSE(f.preview.Running());
    f.preview.Print();
    EXPECT_EQ(f.r.store->printCalls, 1);
}

TEST(TrpPreview, PreparationShowsPagesWhileTheyArrive)
{
    PreviewFixture f;
    std::vector<int> changes;
    f.preview.OnPageChanged = [&changes](TrpPreview *, int page) { changes.push_back(page); };
    f.preview.BeginProgress();
    EXPECT_TRUE(f.preview.Running());
    for (int i = 0; i < 3; ++i) {
        f.r.store->addPages(1);
        f.preview.StepProgress(i);
    }
    EXPECT_EQ(f.area().PageList().Count(), 3);
    EXPECT_EQ(f.preview.Thumbnails()->PageList().Count(), 0); // the strip waits for the end
    EXPECT_EQ(f.preview.CurrentPage(), 1);
    EXPECT_GT(f.preview.RefreshEvery(), 0);
    f.preview.EndProgress();
    EXPECT_EQ(f.preview.Thumbnails()->PageList().Count(), 3);
    EXPECT_FALSE(changes.empty());
}

TEST(TrpPreview, LockedAreasPaintOnlyTheirBackground)
{
    PreviewFixture f(2);
    f.preview.Lock();
    f.r.store->drawCalls = 0;
    f.area().viewport()->repaint();
    EXPECT_EQ(f.r.store->drawCalls, 0);
    f.preview.Unlock();
    f.area().viewport()->repaint();
    EXPECT_GT(f.r.store->drawCalls, 0);
}

TEST(TrpPreviewWorkspace, DrawsEachPageOncePerZoom)
{
    PreviewFixture f(3);
    f.area().viewport()->repaint();
    const int first = f.r.store->drawCalls;
    EXPECT_GT(first, 0);
    f.area().SetVertPosition(f.area().VertPosition() + 50);
    f.area().viewport()->repaint();
    f.area().viewport()->repaint();
    EXPECT_EQ(f.r.store->drawCalls, first);
    f.preview.SetZoom(0.5);
    f.area().viewport()->repaint();
    EXPECT_GT(f.r.store->drawCalls, first);
}

TEST(TrpPreviewWorkspace, RightButtonSelectsThePageWithoutClicking)
{
    PreviewFixture f(3);
    f.preview.SetZoom(0.25); // all three pages visible
    const QRect page2 = f.area().ShiftedPageRect(1);
    int clicks = 0;
    f.preview.OnClick = [&clicks](TrpPreview *) { ++clicks; };
    QTest::mouseClick(f.area().viewport(), Qt::RightButton, {}, page2.center());
    EXPECT_EQ(f.preview.CurrentPage(), 2);
    EXPECT_EQ(clicks, 1);
    for (const auto &call : f.r.store->objectOver)
        EXPECT_FALSE(call.click);
    const QRect page3 = f.area().ShiftedPageRect(2);
    QTest::mouseClick(f.area().viewport(), Qt::LeftButton, {}, page3.center());
    EXPECT_EQ(f.preview.CurrentPage(), 3);
    ASSERT_FALSE(f.r.store->objectOver.empty());
    EXPECT_TRUE(f.r.store->objectOver.back().click);
    EXPECT_EQ(f.r.store->objectOver.back().page, 2);
}

TEST(TrpPreviewWorkspace, ScrollingMovesTheCurrentPageAndTheStrip)
{
    PreviewFixture f(5);
    f.preview.SetThumbnailVisible(true);
    const int page3Top = f.area().PageList().Items(2).Top;
    f.area().SetVertPosition(page3Top + 5);
    EXPECT_EQ(f.preview.CurrentPage(), 3);
    EXPECT_EQ(f.area().VertPosition(), page3Top + 5); // the main area does not jump
    EXPECT_EQ(f.preview.Thumbnails()->CurrentPage(), 3);
}

TEST(TrpPreviewWorkspace, DraggingMovesTheView)
{
    PreviewFixture f(3);
    f.area().SetVertPosition(500);
    QWidget *vp = f.area().viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(vp, QPoint(300, 250));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(f.area().VertPosition(), 550);
}

TEST(TrpPreviewSearch, F3DoesNothingBeforeASearchDialog)
{
    resetSearch();
    searchState().SearchText = QStringLiteral("Total");
    PreviewFixture f(0, 1 << pbFind);
    f.r.store->addPage(QSize(794, 1123), {{QStringLiteral("Total"), QPoint(100, 100)}});
    f.preview.Init();
    f.key(Qt::Key_F3);
    EXPECT_FALSE(searchState().TextFound);
}

TEST(TrpPreviewSearch, F3AfterACancelledDialogRepeatsThePreviousSearch)
{
    resetSearch();
    PreviewFixture f(0, 1 << pbFind);
    f.r.store->addPage(QSize(794, 1123), {{QStringLiteral("Invoice total"), QPoint(100, 100)},
                                          {QStringLiteral("grand TOTAL"), QPoint(100, 400)}});
    f.preview.Init();
    answerSearch(QStringLiteral("total"), true);
    f.preview.FindDialog();
    ASSERT_TRUE(searchState().TextFound);
    EXPECT_EQ(searchState().LastFoundRecord, 0);
    answerSearch(QString());
    f.key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(f.preview.AllowFindNext());
    f.key(Qt::Key_F3);
    ASSERT_TRUE(searchState().TextFound);
    EXPECT_EQ(searchState().LastFoundRecord, 1); // the next run, not the same again
    EXPECT_NEAR(searchState().FoundRect.top(), 400, 2);
}

TEST(TrpPreviewSearch, FindsRunsInDrawingOrderAcrossPages)
{
    resetSearch();
    PreviewFixture f(0, 1 << pbFind);
    f.r.store->addPage(QSize(794, 1123), {{QStringLiteral("Alpha"), QPoint(50, 50)}});
    f.r.store->addPage(QSize(794, 1123), {{QStringLiteral("Beta"), QPoint(60, 700)},
                                          {QStringLiteral("alphabet"), QPoint(300, 900)}});
    f.preview.Init();
    struct Step {
        bool found;
        int page;       // 0-based page of the match
        double left;    // found rectangle's left
    } steps[] = {{true, 0, 50}, {true, 1, 300}, {false, 2, 0}};
    answerSearch(QStringLiteral("ALPHA"), true);
    f.preview.FindDialog();
    for (const Step &s : steps) {
        EXPECT_EQ(searchState().TextFound, s.found);
        EXPECT_EQ(f.area().SearchPage(), s.page);
        if (s.found)
            EXPECT_NEAR(searchState().FoundRect.left(), s.left, 1);
        f.key(Qt::Key_F3);
    }
    // A match below the view scrolled it into view.
    EXPECT_GT(f.area().VertPosition(), 0);
}

TEST(TrpPreviewSearch, CaseSensitiveSearchSkipsOtherCases)
{
    resetSearch();
    PreviewFixture f(0, 1 << pbFind);
    f.r.store->addPage(QSize(794, 1123), {{QStringLiteral("suma"), QPoint(50, 50)},
                                          {QStringLiteral("SUMA"), QPoint(50, 90)}});
    f.preview.Init();
    QTimer::singleShot(0, [] {
        auto *d = qobject_cast<TrpSearchDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->TextE->setText(QStringLiteral("SUMA"));
        d->CaseCB->setChecked(true);
        QTest::mouseClick(d->OkB, Qt::LeftButton);
    });
    f.preview.FindDialog();
    EXPECT_TRUE(searchState().TextFound);
    EXPECT_EQ(searchState().LastFoundRecord, 1);
}

TEST(TrpSearchDialog, OpensWithThePreviousTextSelected)
{
    LastSearchText() = QStringLiteral("faktúra");
    TrpSearchDialog d;
    QTimer::singleShot(0, [&d] {
        EXPECT_EQ(d.TextE->text(), QStringLiteral("faktúra"));
        EXPECT_EQ(d.TextE->selectedText(), QStringLiteral("faktúra"));
        d.TextE->setText(QStringLiteral("zmena"));
        QTest::mouseClick(d.CancelB, Qt::LeftButton);
    });
    d.exec();
    EXPECT_EQ(LastSearchText(), QStringLiteral("faktúra")); // Cancel keeps the old text
    QTimer::singleShot(0, [&d] {
        d.TextE->setText(QStringLiteral("zmena"));
        QTest::mouseClick(d.OkB, Qt::LeftButton);
    });
    d.exec();
    EXPECT_EQ(LastSearchText(), QStringLiteral("zmena"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Find Text"));
}

TEST(TrpPreviewSearch, FindsTextDrawnByTheTextLayout)
{
    resetSearch();
    bralvo::report::testing::TextReport r;
    r.store->addTextPage({QStringLiteral("Odberateľ: Tamrex"), QStringLiteral("Spolu k úhrade 120,50 EUR")});
    TrpPreview preview;
    preview.resize(900, 700);
    preview.SetReport(r.report.get(), r.store);
    preview.Init();
    answerSearch(QStringLiteral("úhrade"), true);
    preview.FindDialog();
    ASSERT_TRUE(searchState().TextFound);
    const QRectF found = searchState().FoundRect;
    EXPECT_NEAR(found.left(), 40, 2); // the run starts at the left margin
    EXPECT_GT(found.top(), 45);       // on the second line
    EXPECT_LT(found.top(), 80);
    EXPECT_GT(found.width(), 100);
}
