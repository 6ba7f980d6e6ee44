// The document as a whole: object order and numbering, cross-reference
// table and trailer, page size, information, compression and bookmarks,
// judged by qpdf and poppler.
#include "pdfpages.h"
#include "pdftools.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

QString simplified(const QString &text)
{
    return text.simplified();
}

TEST(PdfDocument, OneMemoReportHasSevenObjectsInOrder)
{
    auto page = a4Page();
    memoOn(*page, QStringLiteral("Faktúra číslo"));
    TrpPDFFile file(false, QString());
    const QByteArray pdf = documentOf(file, *page);

    EXPECT_TRUE(pdf.startsWith("%PDF-1.3\r\n%\xE2\xE3\xCF\xD3\r\n1 0 obj\r\n"));
    const struct {
        int number;
        const char *holds;
    } objects[] = {{1, "/Type /Catalog"},       {2, "/Producer"},   {3, "/Type /Pages"},
                   {4, "/Type /Font"},          {5, "/Type /FontDescriptor"},
                   {6, "/Type /Page\r\n"},      {7, "/Filter /FlateDecode"}};
    for (const auto &o : objects)
        EXPECT_TRUE(objectText(pdf, o.number).contains(o.holds)) << o.number;
    EXPECT_TRUE(objectText(pdf, 1).contains("/Pages 3 0 R\r\n/PageMode /UseNone"));
    EXPECT_TRUE(objectText(pdf, 3).contains("/Kids [6 0 R ]\r\n/Count 1"));
    EXPECT_TRUE(objectText(pdf, 6).contains("/F0 4 0 R"));
    EXPECT_TRUE(objectText(pdf, 6).contains("/Contents 7 0 R"));
    EXPECT_TRUE(pdf.contains("xref\r\n0 8\r\n0000000000 65535 f\r\n"));
    EXPECT_TRUE(pdf.contains("trailer\r\n<<\r\n/Size 8\r\n/Root 1 0 R\r\n/Info 2 0 R\r\n>>\r\nstartxref\r\n"));
    EXPECT_TRUE(pdf.endsWith("%%EOF\r\n"));
    // startxref names the real offset of the table.
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("startxref\\r\\n(\\d+)\\r\\n"))
                                          .match(QString::fromLatin1(pdf));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(pdf.indexOf("xref\r\n0 8"), m.captured(1).toLongLong());

    const QString path = writeChecked(pdf, QStringLiteral("one-memo.pdf"));
    const QString info = simplified(pdfinfo(path));
    EXPECT_TRUE(info.contains(QLatin1String("PDF version: 1.3"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QLatin1String("Pages: 1"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QLatin1String("Page size: 595.28 x 841.89 pts (A4)"))) << info.toStdString();
    EXPECT_TRUE(pdftotext(path).contains(QStringLiteral("Faktúra číslo")));
}

TEST(PdfDocument, InformationDictionaryAndTitle)
{
    auto page = a4Page();
    TrpPDFFile file(false, QString());
    file.SetAuthor(QStringLiteral("Tamrex"));
    file.SetSubject(QStringLiteral("Export PDF..."));
    file.SetProducer(QStringLiteral("Tamrex"));
    file.SetTitle(QStringLiteral("Prehľad faktúr"));
    const QByteArray pdf = documentOf(file, *page);
    const QByteArray info = objectText(pdf, 2);
    EXPECT_TRUE(info.contains("/Producer (Tamrex)\r\n/Author (Tamrex)\r\n/Subject (Export PDF...)\r\n"));
    EXPECT_TRUE(info.contains("/Title <FEFF"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("/CreationDate \\(D:\\d{14}\\)")).match(QString::fromLatin1(info)).hasMatch());
    EXPECT_TRUE(objectText(pdf, 1).contains("/ViewerPreferences << /DisplayDocTitle true >>"));
    const QString path = writeChecked(pdf, QStringLiteral("info.pdf"));
    EXPECT_TRUE(pdfinfo(path).contains(QStringLiteral("Prehľad faktúr")));
}

// Content streams: flate with both lengths, or plain ending in CR LF.
TEST(PdfDocument, ContentIsCompressedOnlyWhenAsked)
{
    for (bool compressed : {true, false}) {
        auto page = a4Page();
        memoOn(*page, QStringLiteral("a(b)c\\d"));
        TrpPDFFile file(false, QString());
        file.SetCompressed(compressed);
        const QByteArray pdf = documentOf(file, *page);
        const QByteArray content = objectText(pdf, 7);
        EXPECT_EQ(content.contains("/Filter /FlateDecode /Length "), compressed);
        EXPECT_EQ(content.contains("(a\\(b\\)c\\\\d) Tj"), !compressed);
        const QString path = writeChecked(pdf, QStringLiteral("content-%1.pdf").arg(compressed));
        EXPECT_TRUE(uncompressed(path).contains("(a\\(b\\)c\\\\d) Tj")) << compressed;
        EXPECT_TRUE(pdftotext(path).contains(QStringLiteral("a(b)c\\d")));
    }
}

TEST(PdfDocument, PagesGetTwoObjectsEachAfterTheFonts)
{
    TrpPDFFile file(false, QString());
    std::vector<std::unique_ptr<TrpReportPage>> pages;
    for (int i = 0; i < 3; ++i) {
        pages.push_back(a4Page());
        memoOn(*pages.back(), QStringLiteral("Strana %1").arg(i + 1));
        TrpPDFPage *p = file.AddPdfPage(*pages.back());
        file.ExportViewToPdf(*p, *static_cast<TrpView *>(pages.back()->Objects().first()));
    }
    const QByteArray pdf = writeDocument(file);
    EXPECT_TRUE(objectText(pdf, 3).contains("/Kids [6 0 R 8 0 R 10 0 R ]\r\n/Count 3"));
    EXPECT_TRUE(pdf.contains("/Size 12\r\n"));
    const QString path = writeChecked(pdf, QStringLiteral("three-pages.pdf"));
    const QString text = pdftotext(path);
    EXPECT_LT(text.indexOf(QLatin1String("Strana 1")), text.indexOf(QLatin1String("Strana 2")));
    EXPECT_LT(text.indexOf(QLatin1String("Strana 2")), text.indexOf(QLatin1String("Strana 3")));
}

// Titles of the outline tree as qpdf reads them: "title" or
// "title[child,child]" per item.
QString outlineShape(const QJsonArray &items)
{
    QStringList parts;
    for (const QJsonValue &v : items) {
        const QJsonObject o = v.toObject();
        QString part = o.value(QStringLiteral("title")).toString();
        const QJsonArray kids = o.value(QStringLiteral("kids")).toArray();
        if (!kids.isEmpty())
            part += u'[' + outlineShape(kids) + u']';
        parts << part + QStringLiteral("@") + QString::number(o.value(QStringLiteral("destpageposfrom1")).toInt());
    }
    return parts.join(u',');
}

QString outlinesOf(const QString &path)
{
    const ToolRun run = runTool(QStringLiteral("qpdf"), {QStringLiteral("--json"), QStringLiteral("--json-key=outlines"), path});
    return outlineShape(QJsonDocument::fromJson(run.output.toUtf8()).object().value(QStringLiteral("outlines")).toArray());
}

TEST(PdfDocument, BookmarksFollowTheOutlineAndThePageRange)
{
    const std::vector<OutlineItem> tree = {
        {QStringLiteral("Úvod"), 0, 10, {{QStringLiteral("A"), 0, 100, {}}, {QStringLiteral("B"), 1, 20, {}}}},
        {QStringLiteral("Druhá"), 1, 300, {{QStringLiteral("C"), 1, 400, {{QStringLiteral("D"), 2, 0, {}}}}}},
        {QStringLiteral("Tretia"), 2, 0, {}},
    };
    const struct {
        QString range;
        int pages;
        const char *shape;
    } cases[] = {
        {QString(), 3, "Úvod[A@1,B@2]@1,Druhá[C[D@3]@2]@2,Tretia@3"},
        // Items on page 1 go with everything below them.
        {QStringLiteral("2"), 1, "Druhá[C@1]@1"},
        {QStringLiteral("2-3"), 2, "Druhá[C[D@2]@1]@1,Tretia@2"},
    };
    for (const auto &c : cases) {
        TestOutline outline(tree);
        TrpPDFFile file(false, QString());
        file.SetOutline(true);
        file.SetOutlineSource(&outline);
        file.SetPageRange(c.range);
        file.SetTotalPages(3);
        std::vector<std::unique_ptr<TrpReportPage>> pages;
        for (int i = 0; i < c.pages; ++i) {
            pages.push_back(a4Page());
            file.AddPdfPage(*pages.back());
        }
        const QByteArray pdf = writeDocument(file);
        EXPECT_TRUE(objectText(pdf, 1).contains("/PageMode /UseOutlines\r\n/Outlines 3 0 R")) << c.range.toStdString();
        const QString path = writeChecked(pdf, QStringLiteral("outline-%1.pdf").arg(c.pages));
        EXPECT_EQ(outlinesOf(path), QString::fromUtf8(c.shape)) << c.range.toStdString();
    }
}

TEST(PdfDocument, BookmarkDestinationIsTheTopOfTheItem)
{
    TestOutline outline({{QStringLiteral("X"), 0, 100, {}}});
    // Outline 3, item 4, page tree 5, the fonts, then the page:
    // 841.89 - 100 x 0.75 rounds to 767.
    const struct {
        bool embedded;
        QString text;
        int pageObject;
    } cases[] = {
        {false, QString(), 6},
        {false, QStringLiteral("Suma"), 8},
        {true, QStringLiteral("Suma"), 9},
        {false, QStringLiteral("Ωμέγα"), 11}, // a Unicode font: five objects
    };
    for (const auto &c : cases) {
        TrpPDFFile file(false, QString());
        file.SetOutline(true);
        file.SetOutlineSource(&outline);
        file.SetEmbeddedFonts(c.embedded);
        auto page = a4Page();
        if (!c.text.isEmpty())
            memoOn(*page, c.text);
        const QByteArray pdf = documentOf(file, *page);
        const QByteArray expected = "/Dest [" + QByteArray::number(c.pageObject) + " 0 R /XYZ 0 767 0]";
        EXPECT_TRUE(objectText(pdf, 4).contains(expected)) << c.pageObject << objectText(pdf, 4).toStdString();
        EXPECT_TRUE(objectText(pdf, c.pageObject).contains("/Type /Page\r\n"));
        EXPECT_TRUE(objectText(pdf, 1).contains("/Pages 5 0 R"));
        const QString path = writeChecked(pdf, QStringLiteral("outline-dest-%1.pdf").arg(c.pageObject));
        EXPECT_TRUE(outlinesOf(path).endsWith(QLatin1String("@1"))) << c.pageObject;
    }
}

TEST(PdfDocument, AnOutlineWithNothingExportedWritesNoBookmarks)
{
    TestOutline outline({{QStringLiteral("X"), 0, 0, {}}});
    TrpPDFFile file(false, QString());
    file.SetOutline(true);
    file.SetOutlineSource(&outline);
    file.SetPageRange(QStringLiteral("2"));
    file.SetTotalPages(2);
    auto page = a4Page();
    file.AddPdfPage(*page);
    const QByteArray pdf = writeDocument(file);
    EXPECT_TRUE(objectText(pdf, 1).contains("/PageMode /UseNone"));
    EXPECT_FALSE(pdf.contains("/Outlines"));
    writeChecked(pdf, QStringLiteral("outline-none.pdf"));
}

} // namespace
