// Drawing prepared pages and clicking into them: margins (mirrored on
// even page numbers), links, cursors, drill-down and pages changed by a
// click.
#include "storefixture.h"

#include "report/engine/trpmemotextlayout.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace bralvo::report::testing {
namespace {

class PreparedPagesView : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        installMemoTextLayout();
    }
    void TearDown() override
    {
        setMemoTextLayout(nullptr);
        StoreFixture::TearDown();
    }

    // Pointer position over Memo1 of page Index (scale 1, no offset).
    QPoint overMemo1(int index)
    {
        const TrpReportPage *p = pages->GetPage(index);
        const bool mirrored = p->MirrorMargins() && index % 2 == 1;
        const double margin = (mirrored ? p->RightMargin() : p->LeftMargin()) * 3.77953;
        return QPoint(int(10 + margin + 5), int(22 + p->TopMargin() * 3.77953 + 5));
    }

    Qt::CursorShape over(int index, bool click, Qt::MouseButton button = Qt::LeftButton)
    {
        Qt::CursorShape cursor = Qt::ArrowCursor;
        const QPoint at = overMemo1(index);
        pages->ObjectOver(index, at.x(), at.y(), button, Qt::NoModifier, 1, 0, 0, click, cursor);
        return cursor;
    }
};

int darkPixelsIn(const QImage &img, const QRect &r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(img.pixel(x, y)) < 128;
    }
    return n;
}

TEST_F(PreparedPagesView, DrawPagePlacesObjectsInsideTheMarginsMirroredOnEvenPages)
{
    page->SetLeftMargin(10);
    page->SetRightMargin(40);
    page->SetMirrorMargins(true);
    memos[0]->SetColor(0); // black fill
    preparePages({QStringLiteral("a"), QStringLiteral("b")});
    const struct {
        int index;
        double marginMm;
    } cases[] = {{0, 10}, {1, 40}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.index);
        QImage img(900, 400, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter painter(&img);
            pages->DrawPage(c.index, painter, 1, 1, 0, 0);
        }
        const int left = int(c.marginMm * 3.77953) + 10;
        const int top = int(10 * 3.77953) + 22;
        EXPECT_GT(darkPixelsIn(img, QRect(left + 5, top + 5, 80, 10)), 700);
        EXPECT_EQ(darkPixelsIn(img, QRect(left - 8, top + 5, 4, 10)), 0);
        // The margins are back after drawing.
        EXPECT_DOUBLE_EQ(pages->GetPage(c.index)->LeftMargin(), 10);
    }
}

// The printer's extra scale reaches the memos only while they print.
TEST_F(PreparedPagesView, MemosTakeThePrintScaleOnlyOnThePrinter)
{
    preparePages({QStringLiteral("a")});
    pages->SetPrintScale(0.5);
    auto memoOf = [this] {
        for (TrpComponent *c : pages->GetPage(0)->AllObjects())
            if (auto *memo = dynamic_cast<TrpCustomMemoView *>(c))
                return memo;
        return static_cast<TrpCustomMemoView *>(nullptr);
    };
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    {
        QPainter painter(&printer);
        pages->DrawPage(0, painter, 1, 1, 0, 0);
    }
    ASSERT_NE(memoOf(), nullptr);
    EXPECT_DOUBLE_EQ(memoOf()->PrintScale(), 0.5);
    QImage img(900, 400, QImage::Format_RGB32);
    {
        QPainter painter(&img);
        pages->DrawPage(0, painter, 1, 1, 0, 0);
    }
    EXPECT_DOUBLE_EQ(memoOf()->PrintScale(), 1);
}

TEST_F(PreparedPagesView, DrawPageClipsToThePaper)
{
    page->SetPaperSize(256);
    page->SetPaperWidth(50);
    page->SetPaperHeight(30);
    page->SetLeftMargin(0);
    page->SetTopMargin(0);
    band->SetWidth(2000);
    memos[2]->SetColor(0);
    memos[2]->SetBounds(150, 0, 400, 20);
    preparePages({QStringLiteral("a")});
    QImage img(700, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        pages->DrawPage(0, painter, 1, 1, 0, 0);
    }
    const int paperRight = int(50 * 3.77953);
    EXPECT_GT(darkPixelsIn(img, QRect(160, 25, paperRight - 165, 10)), 100);
    EXPECT_EQ(darkPixelsIn(img, QRect(paperRight + 2, 0, 300, 200)), 0);
}

TEST_F(PreparedPagesView, LinksGoToPagesAnchorsOrWebAndMailAddressesOnly)
{
    const struct {
        const char *url;
        int page;   // expected OnGotoPage page; 0: none
        int top;
        bool opened;
    } cases[] = {
        {"@3", 3, 0, false},
        {"#Totals", 2, 40, false},
        {"#unknown", 0, 0, false},
        {"https://example.com/bill?id=1", 0, 0, true},
        {"mailto:office@example.com", 0, 0, true},
        {"http://", 0, 0, false},
        {"file:///etc/passwd", 0, 0, false},
        {"/usr/bin/xterm", 0, 0, false},
        {"javascript:alert(1)", 0, 0, false},
        {"smb://server/share", 0, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.url);
        pages->Clear();
        memos[0]->SetURL(QString::fromUtf8(c.url));
        preparePages({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        pages->SetWritePage(1);
        engine->SetCurY(40);
        pages->AddAnchor(QStringLiteral("totals"));
        int gotoPage = 0, gotoTop = 0;
        QString opened;
        pages->OnGotoPage = [&](int p, int t) { gotoPage = p; gotoTop = t; };
        pages->OnOpenUrl = [&](const QString &u) { opened = u; };
        EXPECT_EQ(over(0, false), Qt::PointingHandCursor);
        EXPECT_EQ(gotoPage, 0);
        over(0, true);
        EXPECT_EQ(gotoPage, c.page);
        EXPECT_EQ(gotoTop, c.top);
        EXPECT_EQ(!opened.isEmpty(), c.opened);
    }
}

TEST_F(PreparedPagesView, PointerOverAnObjectSetsItsCursorAndTellsTheReport)
{
    memos[0]->SetCursor(-4); // I-beam
    preparePages({QStringLiteral("a")});
    TrpView *seen = nullptr;
    report->OnMouseOverObject = [&](TrpView *v) { seen = v; };
    EXPECT_EQ(over(0, false), Qt::IBeamCursor);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->name(), QStringLiteral("Memo1"));
    // Nothing while the engine runs or outside the pages.
    seen = nullptr;
    engine->SetRunning(true);
    over(0, false);
    engine->SetRunning(false);
    Qt::CursorShape cursor = Qt::ArrowCursor;
    pages->ObjectOver(5, 60, 65, Qt::LeftButton, Qt::NoModifier, 1, 0, 0, false, cursor);
    EXPECT_EQ(seen, nullptr);
}

TEST_F(PreparedPagesView, AClickThatModifiesAnObjectStoresThePageWhole)
{
    preparePages({QStringLiteral("a"), QStringLiteral("b")});
    int repaints = 0;
    pages->OnRepaint = [&] { ++repaints; };
    report->OnClickObject = [](TrpView *v, int, int, bool &modified) {
        dynamic_cast<TrpCustomMemoView *>(v)->SetText(QStringLiteral("clicked"));
        modified = true;
    };
    over(1, true);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(pages->PagesElement()->Items(1)->Name, QStringLiteral("TrpReportPage"));
    EXPECT_EQ(rebuiltMemo(1, QStringLiteral("Memo1"))->Text(), QStringLiteral("clicked"));
    EXPECT_EQ(rebuiltMemo(0, QStringLiteral("Memo1"))->Text(), QStringLiteral("a"));
}

TEST_F(PreparedPagesView, ClickingADrillDownHeaderTogglesItsKey)
{
    auto *header = new TrpGroupHeader(page);
    header->setName(QStringLiteral("Group1"));
    header->SetDrillDown(true);
    header->SetBounds(0, 20, 700, 40);
    memos[0]->SetParent(header);
    preparePages({QStringLiteral("a")});
    pages->SetWritePage(0);
    header->RowNoThrough = 4; // written as the element's Tag
    pages->AddObject(header);
    int rebuilds = 0;
    pages->OnRebuild = [&] { ++rebuilds; };
    EXPECT_EQ(over(0, false), Qt::PointingHandCursor);
    EXPECT_EQ(rebuilds, 0);
    over(0, true, Qt::RightButton);
    EXPECT_EQ(report->DrillDownState().count(), 0);
    over(0, true);
    ASSERT_EQ(report->DrillDownState().count(), 1);
    EXPECT_EQ(report->DrillDownState()[0], QStringLiteral("Group1.4"));
    over(0, true);
    EXPECT_EQ(report->DrillDownState().count(), 0);
    EXPECT_EQ(rebuilds, 2);
}

} // namespace
} // namespace bralvo::report::testing
