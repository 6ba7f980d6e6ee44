// Frames drawn the way rptool render draws a prepared report file: the
// pixels of the written PNG show the text inside styled frames and the
// hatch of the shape drawn next.
#include "report/engine/trpmemotextlayout.h"
#include "report/model/trpframe.h"
#include "report/model/trpshapeview.h"
#include "tests/report/engine/storefixture.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace bralvo::report::testing {
namespace {

constexpr int kYellow = 0x00FFFF;  // the platform's colour order: blue, green, red
constexpr int kRed = 0x0000FF;

// Page 1 of the saved store at 96 dots per inch, drawn by rptool.
QImage renderedPage(TrpPreviewPages &pages, const QTemporaryDir &dir)
{
    const QString rp3 = dir.filePath("frames.rp3");
    const QString png = dir.filePath("frames.png");
    pages.SaveToFile(rp3);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(RPTOOL, {"render", rp3, "--page", "1", "--dpi", "96", png});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
    return QImage(png);
}

// Pixels in Rect whose colour passes Test.
template <typename Test>
int countPixels(const QImage &image, const QRect &rect, Test test)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += test(QColor(image.pixel(x, y))) ? 1 : 0;
    return n;
}

bool isDark(const QColor &c) { return c.lightness() < 80; }
bool isRed(const QColor &c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }

class FrameRender : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        installMemoTextLayout();
        band->SetHeight(300);
    }

    // The page area of a band-relative rectangle (margins 10 mm, band at 20).
    static QRect onPage(double left, double top, double width, double height)
    {
        return QRect(int(37.8 + left), int(37.8 + 20 + top), int(width), int(height));
    }

    QTemporaryDir m_dir;
};

TEST_F(FrameRender, TextShowsInsideStyledFramesOnAColouredFill)
{
    for (TrpFrameStyle style : {fsSolid, fsDash, fsDot, fsDouble}) {
        SCOPED_TRACE(int(style));
        pages->Clear();
        TrpMemoView *memo = memos[0];
        memo->SetBounds(20, 20, 300, 60);
        memo->SetColor(kYellow);
        memo->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
        memo->Frame()->SetStyle(style);
        memo->Frame()->SetWidth(3);
        platform::Font big;
        big.setSize(20);
        memo->SetFont(&big);
        memo->SetText(QStringLiteral("MMMM"));
        memos[1]->SetText(QString());
        memos[2]->SetText(QString());
        pages->AddSourceObjects(page);
        pages->AddPage(page);
        pages->AddObject(band);
        const QImage image = renderedPage(*pages, m_dir);
        ASSERT_FALSE(image.isNull());
        // Inside the frame and its double line: only the text is dark.
        EXPECT_GT(countPixels(image, onPage(30, 30, 280, 40), isDark), 100);
    }
}

// The shape's hatch gaps stay white after a memo whose dashed frame
// showed its red fill in the gaps.
TEST_F(FrameRender, AHatchAfterADashedFrameKeepsWhiteGaps)
{
    TrpMemoView *memo = memos[0];
    memo->SetBounds(20, 20, 200, 40);
    memo->SetColor(kRed);
    memo->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    memo->Frame()->SetStyle(fsDash);
    memos[1]->SetText(QString());
    memos[2]->SetText(QString());
    auto *shape = new TrpShapeView(band);
    shape->setName(QStringLiteral("Shape1"));
    shape->SetBounds(20, 100, 200, 100);
    shape->SetBrushStyle(bsCross);
    pages->AddSourceObjects(page);
    pages->AddPage(page);
    pages->AddObject(band);
    const QImage image = renderedPage(*pages, m_dir);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(countPixels(image, onPage(25, 25, 190, 30), isRed), 1000) << "the memo's fill";
    const QRect inside = onPage(25, 105, 190, 90);
    EXPECT_EQ(countPixels(image, inside, isRed), 0);
    EXPECT_GT(countPixels(image, inside, isDark), 500) << "the black hatch";
}

} // namespace
} // namespace bralvo::report::testing
