// Page content of single views: paths for lines and rectangles, frames,
// memo text placement, and inline pictures of everything else.
#include "pdfpages.h"
#include "pdftools.h"
#include "report/engine/trpmemotextlayout.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

// The first page's content stream of an uncompressed document.
QByteArray contentOf(const QByteArray &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("/Contents (\\d+) 0 R")).match(QString::fromLatin1(pdf));
    const QByteArray object = objectText(pdf, m.captured(1).toInt());
    const qsizetype start = object.indexOf("stream\r\n") + 8;
    return object.mid(start, object.lastIndexOf("endstream") - start);
}

class PdfView : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installMemoTextLayout(); }

    // The page's content and the checked file.
    QByteArray export_(const QString &name, bool background = false)
    {
        TrpPDFFile file(false, QString());
        file.SetCompressed(false);
        file.SetBackground(background);
        file.SetHTMLTags(true);
        m_pdf = documentOf(file, *page);
        m_path = writeChecked(m_pdf, name + QStringLiteral(".pdf"));
        return contentOf(m_pdf);
    }

    std::unique_ptr<TrpReportPage> page = a4Page();
    QByteArray m_pdf;
    QString m_path;
};

TEST_F(PdfView, ShapesAndLinesAreStrokedAndFilledPaths)
{
    // Page margins of 10 mm move everything by 0.5 pt.
    const struct {
        const char *name;
        TrpShapeKind kind;
        int color;
        int frameColor;
        const char *content;
    } cases[] = {
        {"white", skRectangle, 0xFFFFFF, 0, "0 0 0 RG\r\n1.50 w\r\n1 1 1 rg\r\n30.50 736.39 75 30 re\r\nB\r\n"},
        {"red", skRectangle, 0x0000FF, 0xFF0000, "0 0 1 RG\r\n1.50 w\r\n1 0 0 rg\r\n30.50 736.39 75 30 re\r\nB\r\n"},
        {"nofill", skRectangle, clNone, 0, "0 0 0 RG\r\n1.50 w\r\n30.50 736.39 75 30 re\r\nS\r\n"},
        {"nostroke", skRectangle, 0x00FF00, clNone, "0 1 0 rg\r\n30.50 736.39 75 30 re\r\nf\r\n"},
        {"diag1", skDiagonal1, clNone, 0, "0 0 0 RG\r\n1.50 w\r\n30.50 736.39 m\r\n105.50 766.39 l\r\nS\r\n"},
        {"diag2", skDiagonal2, clNone, 0, "0 0 0 RG\r\n1.50 w\r\n30.50 766.39 m\r\n105.50 736.39 l\r\nS\r\n"},
    };
    for (const auto &c : cases) {
        page = a4Page();
        auto *shape = place<TrpShapeView>(*page, 40, 100, 100, 40);
        shape->SetShape(c.kind);
        shape->SetColor(c.color);
        shape->Frame()->SetColor(c.frameColor);
        shape->Frame()->SetWidth(2);
        EXPECT_EQ(export_(QString::fromLatin1(c.name)), QByteArray(c.content)) << c.name;
    }
}

TEST_F(PdfView, LinesRunAlongTheirLongerSide)
{
    const struct {
        double width, height;
        bool diagonal;
        const char *path;
    } cases[] = {
        {100, 0, false, "30.50 766.39 m\r\n105.50 766.39 l\r\nS\r\n"},
        {0, 100, false, "30.50 766.39 m\r\n30.50 691.39 l\r\nS\r\n"},
        {100, 40, true, "30.50 766.39 m\r\n105.50 736.39 l\r\nS\r\n"},
    };
    for (const auto &c : cases) {
        page = a4Page();
        auto *line = place<TrpLineView>(*page, 40, 100, c.width, c.height);
        line->SetDiagonal(c.diagonal);
        line->Frame()->SetColor(0x808080);
        EXPECT_EQ(export_(QStringLiteral("line")), QByteArray("0.50 0.50 0.50 RG\r\n0.75 w\r\n") + c.path);
    }
}

TEST_F(PdfView, FramesAreOnePathOrSeparateSides)
{
    auto *memo = memoOn(*page, QString(), 40, 100, 100, 40);
    memo->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    QByteArray content = export_(QStringLiteral("frame-all"));
    EXPECT_TRUE(content.contains("30.50 766.39 m\r\n105.50 766.39 l\r\n105.50 736.39 l\r\n30.50 736.39 l\r\n"
                                 "30.50 766.39 l\r\ns\r\n"));
    memo->Frame()->SetTyp(ftBottom | ftLeft);
    content = export_(QStringLiteral("frame-two"));
    EXPECT_TRUE(content.contains("30.50 736.39 m\r\n105.50 736.39 l\r\nS\r\n30.50 766.39 m\r\n30.50 736.39 l\r\nS\r\n"));
    memo->Frame()->SetColor(clNone);
    EXPECT_FALSE(export_(QStringLiteral("frame-none")).contains(" m\r\n"));
}

TEST_F(PdfView, MemoTextIsClippedPlacedAndAligned)
{
    auto *memo = memoOn(*page, QStringLiteral("Suma\r\n\r\n   \r\nSpolu"), 40, 100, 200, 80);
    memo->SetColor(0xFFFFFF);
    QByteArray content = export_(QStringLiteral("memo"));
    EXPECT_TRUE(content.startsWith("q\r\n29.75 705.64 151.50 61.50 re\r\nW\r\nn\r\n1 1 1 rg\r\n30.50 706.39 150 60 re\r\nf\r\n"
                                   "/F0 10 Tf\r\n0 0 0 rg\r\nBT\r\n"))
        << content.toStdString();
    // Blank lines write nothing: two text objects for four lines.
    EXPECT_EQ(content.count("BT\r\n"), 2);
    EXPECT_TRUE(content.contains("(Suma) Tj"));
    EXPECT_TRUE(content.contains("(Spolu) Tj"));
    EXPECT_TRUE(content.endsWith("ET\r\nQ\r\n"));

    // Right alignment moves a narrow line further right than a wide one.
    for (const auto &[align, narrowFurther] : {std::pair{haLeft, false}, std::pair{haRight, true}}) {
        memo->SetText(QStringLiteral("WWWW\r\ni"));
        memo->SetHAlign(align);
        content = export_(QStringLiteral("memo-align"));
        const QRegularExpression td(QStringLiteral("([0-9.]+) ([0-9.]+) Td"));
        QList<double> xs, ys;
        for (auto it = td.globalMatch(QString::fromLatin1(content)); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            xs << m.captured(1).toDouble();
            ys << m.captured(2).toDouble();
        }
        ASSERT_EQ(xs.size(), 2);
        EXPECT_EQ(xs[1] > xs[0] + 10, narrowFurther) << align;
        EXPECT_GT(ys[0], ys[1]); // the second line lies lower
    }
}

TEST_F(PdfView, MemoOptionsShapeTheText)
{
    const struct {
        const char *name;
        std::function<void(TrpMemoView &)> setUp;
        std::vector<const char *> contains;
    } cases[] = {
        {"spacing", [](TrpMemoView &m) { m.SetCharSpacing(2); }, {"0 0 0 rg\r\n1.50 Tc\r\n"}},
        {"underlined-font",
         [](TrpMemoView &m) {
             m.Font()->setStyle(bralvo::platform::fsUnderline);
             m.Font()->setColor(0x0000FF);
         },
         {"1 0 0 rg\r\nBT\r\n", "ET\r\n1 0 0 RG\r\n0.80 w\r\n"}},
        {"shadow",
         [](TrpMemoView &m) {
             m.Frame()->SetDropShadow(true);
             m.Frame()->SetShadowColor(0x808080);
         },
         {"n\r\n0.50 0.50 0.50 rg\r\n0.50 0.50 0.50 RG\r\n177.50 706.39 3 57 re\r\nB\r\n"
          "33.50 706.39 147 3 re\r\nB\r\n"}},
        {"highlight",
         [](TrpMemoView &m) {
             m.Highlight()->SetActive(true);
             m.Highlight()->SetColor(0x00FFFF);
         },
         {"1 1 0 rg\r\n30.50 706.39 150 60 re\r\nf\r\n/F0 10 Tf\r\n1 0 0 rg\r\n"}},
        {"rtl",
         [](TrpMemoView &m) {
             m.SetRTLReading(true);
             m.SetText(QStringLiteral("abc def"));
         },
         {"(def abc) Tj"}},
    };
    for (const auto &c : cases) {
        page = a4Page();
        auto *memo = memoOn(*page, QStringLiteral("Suma"), 40, 100, 200, 80);
        c.setUp(*memo);
        const QByteArray content = export_(QString::fromLatin1(c.name));
        for (const char *part : c.contains)
            EXPECT_TRUE(content.contains(part)) << c.name << "\n" << content.toStdString();
    }
}

TEST_F(PdfView, LinesBreakAsThePreviewBreaksThem)
{
    for (bool wrap : {true, false}) {
        page = a4Page();
        auto *memo = memoOn(*page, QStringLiteral("jeden dva tri"), 40, 100, 40, 80);
        memo->SetWordWrap(wrap);
        const qsizetype lines = export_(QStringLiteral("wrap")).count("BT\r\n");
        EXPECT_EQ(lines > 1, wrap) << lines;
    }
}

TEST_F(PdfView, RuledLinesCoverTheMemo)
{
    auto *memo = memoOn(*page, QStringLiteral("Suma"), 40, 100, 200, 80);
    memo->SetUnderlines(true);
    // Arial 10 has a line height of 83 / 6.25 + 2 = 15.28 pixels: five
    // lines fit into 80, ruled at lines 0 to 5.
    const QString content = QString::fromLatin1(export_(QStringLiteral("ruled")));
    const QRegularExpression rule(QStringLiteral("30.50 ([0-9.]+) m\r\n180.50 ([0-9.]+) l\r\nS\r\n"));
    QList<double> ys;
    for (auto it = rule.globalMatch(content); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        EXPECT_EQ(m.captured(1), m.captured(2));
        ys << m.captured(1).toDouble();
    }
    ASSERT_EQ(ys.size(), 6);
    for (int i = 1; i < ys.size(); ++i)
        EXPECT_NEAR(ys[i - 1] - ys[i], 15.28 * 0.75, 0.02);
}

TEST_F(PdfView, HatchedRotatedAndTaggedMemosBecomePictures)
{
    const struct {
        const char *name;
        std::function<void(TrpMemoView &)> setUp;
        bool picture;
    } cases[] = {
        {"plain", [](TrpMemoView &) {}, false},
        {"hatched", [](TrpMemoView &m) { m.SetBrushStyle(bsDiagCross); }, true},
        {"rotated", [](TrpMemoView &m) { m.SetRotation(90); }, true},
        {"tagged", [](TrpMemoView &m) { m.SetAllowHTMLTags(true); m.SetText(QStringLiteral("<b>tučné</b>")); }, true},
        {"tags-off", [](TrpMemoView &m) { m.SetText(QStringLiteral("<b>tučné</b>")); }, false},
    };
    for (const auto &c : cases) {
        page = a4Page();
        auto *memo = memoOn(*page, QStringLiteral("Text"), 40, 100, 100, 100);
        c.setUp(*memo);
        const QByteArray content = export_(QString::fromLatin1(c.name));
        EXPECT_EQ(content.contains("BI\r\n"), c.picture) << c.name;
        EXPECT_EQ(content.contains("BT\r\n"), !c.picture) << c.name;
    }
}

TEST_F(PdfView, PicturesAreInlineJpegAfterOneBlank)
{
    pictureOn(*page, 40, 100, 160, 80);
    const QByteArray content = export_(QStringLiteral("picture"));
    EXPECT_TRUE(content.contains("q\r\n120 0 0 60 30.50 706.39 cm\r\nBI\r\n/W 161\r\n/H 81\r\n/CS /RGB\r\n/BPC 8\r\n"
                                 "/I true\r\n/F [/DCT]\r\nID \xFF\xD8"))
        << content.left(200).toStdString();
    EXPECT_TRUE(content.contains("\xFF\xD9\r\nEI\r\nQ\r\n"));
    const ToolRun list = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), m_path});
    EXPECT_TRUE(list.output.simplified().contains(QLatin1String("1 0 image 161 81 rgb 3 8 jpeg"))) << list.output.toStdString();
}

TEST_F(PdfView, PageBackgroundOnlyWithBackgroundAndNothingWithoutSize)
{
    auto *background = place<TrpPictureView>(*page, 0, 0, 794, 1123);
    background->setName(QStringLiteral("_pagebackground"));
    place<TrpPictureView>(*page, 10, 10, 0, 50);
    EXPECT_FALSE(export_(QStringLiteral("bg-off")).contains("BI"));
    EXPECT_EQ(export_(QStringLiteral("bg-on"), true).count("BI\r\n"), 1);
}

} // namespace
