// Export of pages the real prepared-pages store holds: its pages and
// outline through the export driver, and a prepared report file through
// rptool.
#include "pdfpages.h"
#include "pdftools.h"
#include "report/engine/trpmemotextlayout.h"
#include "report/export/trppdfexport.h"
#include "report/preview/trppreview.h"
#include "tests/report/engine/storefixture.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

class PdfFromStore : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        installMemoTextLayout();
    }

    // One page per text, each with an outline item at the band.
    void prepare(const QStringList &texts)
    {
        pages->AddSourceObjects(page);
        for (const QString &t : texts) {
            pages->AddPage(page);
            memos[0]->SetText(t);
            pages->AddObject(band);
            pages->Outline()->LevelRoot();
            pages->Outline()->AddItem(t, 20);
        }
        pages->Outline()->LevelRoot();
    }

    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

private:
    QTemporaryDir m_dir;
};

TEST_F(PdfFromStore, PagesAndOutlineOfTheStore)
{
    prepare({QStringLiteral("Faktúra 1"), QStringLiteral("Faktúra 2")});
    TrpPDFExport filter;
    filter.SetShowDialog(false);
    filter.SetShowProgress(false);
    filter.SetOutline(true);
    filter.SetFileName(path(QStringLiteral("store.pdf")));
    ASSERT_TRUE(pages->Export(&filter)) << report->ErrorList().text().toStdString();
    expectQpdfClean(filter.FileName());
    const QString text = pdftotext(filter.FileName());
    EXPECT_TRUE(text.contains(QStringLiteral("Faktúra 1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Faktúra 2")));
    const ToolRun json = runTool(QStringLiteral("qpdf"),
                                 {QStringLiteral("--json"), QStringLiteral("--json-key=outlines"), filter.FileName()});
    EXPECT_TRUE(json.output.contains(QStringLiteral("\"title\": \"Faktúra 2\"")))
        << json.output.toStdString();
    EXPECT_TRUE(json.output.contains(QStringLiteral("\"destpageposfrom1\": 2"))) << json.output.toStdString();
}

TEST_F(PdfFromStore, RptoolExportsAPreparedReportFile)
{
    prepare({QStringLiteral("Prvá strana"), QStringLiteral("Druhá strana")});
    const QString rp3 = path(QStringLiteral("report.rp3"));
    pages->SaveToFile(rp3);
    const QString pdf = path(QStringLiteral("report.pdf"));
    const ToolRun run = runTool(QStringLiteral(BRALVO_RPTOOL), {QStringLiteral("pdf"), rp3, pdf});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    expectQpdfClean(pdf);
    EXPECT_TRUE(pdfinfo(pdf).simplified().contains(QLatin1String("Pages: 2")));
    const QString text = pdftotext(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Prvá strana")));
    EXPECT_TRUE(text.contains(QStringLiteral("Druhá strana")));

    // A file that is no prepared report: an error, no PDF.
    const QString broken = path(QStringLiteral("broken.rp3"));
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a report");
    f.close();
    const QString none = path(QStringLiteral("none.pdf"));
    EXPECT_NE(runTool(QStringLiteral(BRALVO_RPTOOL), {QStringLiteral("pdf"), broken, none}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(none));
}

// The rightmost x of a dark pixel in rows Top..Bottom; -1 when none.
int rightmostInk(const QImage &image, int top, int bottom)
{
    int right = -1;
    for (int y = top; y <= bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                right = std::max(right, x);
    return right;
}

// The file shows what the preview shows: the page count, the highlight's
// font and an auto-width memo's frame around its text only.
TEST_F(PdfFromStore, MemosAreExportedAsThePreviewDrawsThem)
{
    band->SetHeight(100);
    memos[0]->SetBounds(0, 0, 300, 20);
    TrpCustomMemoView *framed = memos[1];
    framed->SetBounds(0, 30, 400, 20);
    framed->SetAutoWidth(true);
    framed->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    framed->SetText(QStringLiteral("Spolu"));
    bralvo::platform::Font times;
    times.setName(QStringLiteral("Times New Roman"));
    memos[2]->SetBounds(0, 70, 300, 20);
    memos[2]->Highlight()->SetFont(&times);
    memos[2]->Highlight()->SetCondition(QStringLiteral("1 = 1"));
    memos[2]->Highlight()->SetActive(true);
    memos[2]->SetText(QStringLiteral("zvýraznené"));
    pages->AddSourceObjects(page);
    for (int n = 1; n <= 4; ++n) {
        pages->AddPage(page);
        memos[0]->SetText(QStringLiteral("Strana %1 z [TotalPages#]").arg(n));
        pages->AddObject(band);
    }

    TrpPDFExport filter;
    filter.SetShowDialog(false);
    filter.SetShowProgress(false);
    filter.SetFileName(path(QStringLiteral("memos.pdf")));
    ASSERT_TRUE(pages->Export(&filter)) << report->ErrorList().text().toStdString();
    expectQpdfClean(filter.FileName());
    const QString text = pdftotext(filter.FileName());
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(text.contains(QStringLiteral("Strana %1 z 4").arg(n))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("TotalPages"), Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_TRUE(pdffonts(filter.FileName()).contains(QStringLiteral("Times"))) << pdffonts(filter.FileName()).toStdString();

    // The framed memo's rows: top margin 10 mm, band at 20, memo at 30.
    QImage preview(794, 1123, QImage::Format_RGB32);
    preview.fill(Qt::white);
    {
        QPainter painter(&preview);
        pages->DrawPage(0, painter, 1, 1, 0, 0);
    }
    const int top = 37 + 20 + 30, bottom = top + 20;
    const int drawn = rightmostInk(preview, top, bottom);
    const int written = rightmostInk(renderFirstPage(filter.FileName()), top, bottom);
    EXPECT_LT(drawn, 38 + 100) << "the preview sizes the memo to its text";
    EXPECT_NEAR(written, drawn, 2);
}

// The preview shows no page while the export runs and all of them again
// afterwards.
TEST_F(PdfFromStore, ThePreviewIsLockedWhileExporting)
{
    prepare({QStringLiteral("Faktúra 1"), QStringLiteral("Faktúra 2")});
    TrpPreview preview;
    preview.SetReport(report.get(), pages);
    report->SetPreview(&preview);
    report->SetShowProgress(false);
    QList<bool> locked;
    report->OnProgress = [&](TrpReport *, TrpProgressType, int) { locked.append(preview.Locked()); };
    TrpPDFExport filter;
    filter.SetShowDialog(false);
    filter.SetShowProgress(true);
    filter.SetFileName(path(QStringLiteral("locked.pdf")));
    const bool exported = pages->Export(&filter);
    report->SetPreview(nullptr);
    ASSERT_TRUE(exported) << report->ErrorList().text().toStdString();
    EXPECT_EQ(locked, QList<bool>({true, true}));
    EXPECT_FALSE(preview.Locked());
}

// The prepared bill of the engine's test data: two pages of different
// sizes, Slovak text and the euro sign.
TEST(PdfFromFile, RptoolExportsThePreparedBill)
{
    QTemporaryDir dir;
    const QString pdf = QDir(dir.path()).filePath(QStringLiteral("bill.pdf"));
    const ToolRun run = runTool(QStringLiteral(BRALVO_RPTOOL),
                                {QStringLiteral("pdf"), QStringLiteral(BRALVO_ENGINE_TEST_DATA "/bill.rp3"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    expectQpdfClean(pdf);
    const QString sizes = runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                              QStringLiteral("-l"), QStringLiteral("2"), pdf})
                              .output.simplified();
    EXPECT_TRUE(sizes.contains(QLatin1String("Page 1 size: 595.28 x 841.89 pts (A4)"))) << sizes.toStdString();
    EXPECT_TRUE(sizes.contains(QLatin1String("Page 2 size: 283.46 x 170.08 pts"))) << sizes.toStdString();
    const QString text = pdftotext(pdf);
    for (const char *expected : {"Faktúra č. 1", "druhý riadok", "Spolu: 12,50 €", "whole page"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

// The page as the preview control draws it (the store's DrawPage on a
// screen canvas at scale 1) against the written page drawn by poppler,
// margins included.
TEST_F(PdfFromStore, WrittenPageMatchesThePreviewCanvas)
{
    band->SetHeight(900);
    for (int i = 0; i < 4; ++i) {
        auto *line = place<TrpLineView>(*band, 20, 60 + 30 * i, 600, 0);
        line->Frame()->SetWidth(1 + i);
        line->Frame()->SetColor(i % 2 ? 0x0000C0 : 0);
    }
    auto *box = place<TrpShapeView>(*band, 20, 200, 300, 150);
    box->SetColor(0x40C040);
    box->Frame()->SetWidth(4);
    auto *ellipse = place<TrpShapeView>(*band, 360, 200, 300, 150);
    ellipse->SetShape(skEllipse);
    ellipse->SetColor(0x00A0FF);
    ellipse->Frame()->SetWidth(3); // the outline stays with the shape's picture
    auto *diagonal = place<TrpShapeView>(*band, 460, 400, 200, 200);
    diagonal->SetShape(skDiagonal2);
    diagonal->Frame()->SetWidth(3);
    for (TrpMemoView *m : memos)
        m->SetText(QString()); // text is compared elsewhere
    pages->AddSourceObjects(page);
    pages->AddPage(page);
    pages->AddObject(band);

    TrpPDFExport filter;
    filter.SetShowDialog(false);
    filter.SetShowProgress(false);
    filter.SetFileName(path(QStringLiteral("preview.pdf")));
    ASSERT_TRUE(pages->Export(&filter)) << report->ErrorList().text().toStdString();
    expectQpdfClean(filter.FileName());

    QImage preview(794, 1123, QImage::Format_RGB32);
    preview.fill(Qt::white);
    {
        QPainter painter(&preview);
        pages->DrawPage(0, painter, 1, 1, 0, 0);
    }
    const QImage rendered = renderFirstPage(filter.FileName());
    const PixelDifference d = comparePixels(preview, rendered);
    ASSERT_GT(d.inked, 60000);
    EXPECT_LT(d.differing, d.inked / 200) << d.differing << " of " << d.inked;
}

// Numbers no page can hold (1e308, inf, nan, a font of a million
// points) in a prepared file and in a report definition: each is held to
// the bounds on reading, and the PDF is valid with finite page sizes.
TEST(PdfFromFile, HostileNumbersGiveAValidPdf)
{
    QTemporaryDir dir;
    QFile bill(QStringLiteral(BRALVO_ENGINE_TEST_DATA "/bill.rp3"));
    ASSERT_TRUE(bill.open(QIODevice::ReadOnly));
    QByteArray prepared = bill.readAll();
    for (const auto &[from, to] : {std::pair{"<b1 t=\"20\">", "<b1 t=\"1e308\" h=\"-1e308\">"},
                                   std::pair{"l=\"300\"", "l=\"-1e308\" w=\"inf\""},
                                   std::pair{"PaperWidth=\"100\"", "PaperWidth=\"1e308\""},
                                   std::pair{"PaperHeight=\"60\"", "PaperHeight=\"inf\" LeftMargin=\"-1e308\""},
                                   std::pair{"Width=\"200\"", "Width=\"1e308\" Font.Size=\"1000000\""}}) {
        ASSERT_TRUE(prepared.contains(from)) << from;
        prepared.replace(from, to);
    }
    const QByteArray definition =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><TrpReport>"
        "<TrpReportPage Name=\"Page1\" PaperWidth=\"1e308\" PaperHeight=\"1e308\" Columns=\"2000000000\">"
        "<TrpReportTitle Name=\"Title1\" Left=\"0\" Top=\"0\" Width=\"1e308\" Height=\"1e308\">"
        "<TrpMemoView Name=\"Memo1\" Left=\"-1e308\" Top=\"nan\" Width=\"1e308\" Height=\"1e308\""
        " Font.Size=\"1000000\" CharSpacing=\"1e308\" LineSpacing=\"1e308\" Text=\"big\"/>"
        "</TrpReportTitle></TrpReportPage></TrpReport>";
    for (const auto &[name, bytes] : {std::pair{"hostile.rp3", prepared}, std::pair{"hostile.xml", definition}}) {
        SCOPED_TRACE(name);
        const QString source = QDir(dir.path()).filePath(QString::fromLatin1(name));
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const QString pdf = source + QStringLiteral(".pdf");
        const ToolRun run = runTool(QStringLiteral(BRALVO_RPTOOL), {QStringLiteral("pdf"), source, pdf});
        ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
        expectQpdfClean(pdf);
        const QString info = pdfinfo(pdf).toLower();
        EXPECT_FALSE(info.contains(QLatin1String("inf")) || info.contains(QLatin1String("nan"))) << info.toStdString();
    }
}

} // namespace
