// Fonts of the document: widths from the font files, encodings by
// character set, embedding, names, sharing, and text that the code page
// cannot hold.
#include "pdfpages.h"
#include "pdftools.h"
#include "report/export/trppdffontface.h"

#include <QFile>
#include <QRawFont>
#include <QRegularExpression>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace bralvo::report;
using namespace bralvo::report::testing;

namespace {

const QString kSlovak = QStringLiteral("ľščťžýáíéúäôň ĽŠČŤŽÝÁÍÉÚÄÔŇ");

QList<int> widthsOf(const QByteArray &fontObject)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("/Widths \\[([0-9 ]*)\\]")).match(QString::fromLatin1(fontObject));
    QList<int> widths;
    for (const QString &w : m.captured(1).split(u' ', Qt::SkipEmptyParts))
        widths << w.toInt();
    return widths;
}

TEST(PdfFont, WidthsComeFromTheFontFile)
{
    auto page = a4Page();
    memoOn(*page, QStringLiteral("A"));
    TrpPDFFile file(false, QString());
    const QByteArray pdf = documentOf(file, *page);
    const QByteArray font = objectText(pdf, 4);
    EXPECT_TRUE(font.contains("/FirstChar 32\r\n/LastChar 255\r\n"));
    const QList<int> widths = widthsOf(font);
    ASSERT_EQ(widths.size(), 224);
    EXPECT_EQ(widths[32 - 32], 278);  // space
    EXPECT_EQ(widths[65 - 32], 667);  // A
    EXPECT_EQ(widths[0x9A - 32], 500); // š in the program's code page
    const QByteArray descriptor = objectText(pdf, 5);
    EXPECT_TRUE(descriptor.contains("/FontName /Arial\r\n/Flags 32\r\n/FontBBox ["));
    EXPECT_TRUE(descriptor.contains("/StemV 88\r\n")); // weight 400
    EXPECT_FALSE(descriptor.contains("/FontFile2"));
    writeChecked(pdf, QStringLiteral("widths.pdf"));
}

TEST(PdfFont, EncodingFollowsTheCharacterSet)
{
    const struct {
        int charset;
        const char *encoding;
    } cases[] = {
        {0, "/Subtype /TrueType\r\n/Encoding /WinAnsiEncoding\r\n"},
        {1, "/BaseEncoding /WinAnsiEncoding\r\n/Differences [\r\n128 /Euro\r\n140 /Sacute /Tcaron /Zcaron /Zacute\r\n"},
        {2, "/Encoding /MacRomanEncoding\r\n"},
        {204, "/Differences [\r\n129 /afii10052 /quotesinglbase"},
        {161, "/Differences [\r\n128 /Euro\r\n160 /quoteleft /quoteright\r\n"},
        {128, "/Subtype /Type0\r\n/DescendantFonts [5 0 R]\r\n/Encoding /90msp-RKSJ-H\r\n"},
        {136, "/Subtype /Type0\r\n/DescendantFonts [5 0 R]\r\n/Encoding /ETenms-B5-H\r\n"},
    };
    for (const auto &c : cases) {
        auto page = a4Page();
        memoOn(*page, QStringLiteral("Text"))->Font()->setCharset(c.charset);
        TrpPDFFile file(false, QString());
        const QByteArray pdf = documentOf(file, *page);
        EXPECT_TRUE(objectText(pdf, 4).contains(c.encoding)) << c.charset << objectText(pdf, 4).left(400).toStdString();
        writeChecked(pdf, QStringLiteral("charset-%1.pdf").arg(c.charset));
    }
}

TEST(PdfFont, CyrillicDifferencesCoverTheUpperHalf)
{
    auto page = a4Page();
    memoOn(*page, QStringLiteral("Text"))->Font()->setCharset(204);
    TrpPDFFile file(false, QString());
    const QByteArray pdf = documentOf(file, *page);
    writeChecked(pdf, QStringLiteral("cyrillic.pdf"));
    const QByteArray font = objectText(pdf, 4);
    const qsizetype start = font.indexOf("129 /");
    const QByteArray run = font.mid(start, font.indexOf("\r\n", start) - start);
    // 129..255 and the closing blank name: 127 + 1 names.
    EXPECT_EQ(run.count('/'), 128);
    EXPECT_TRUE(run.contains("/afii10016 /afii10017 /afii10018") == false);
    EXPECT_TRUE(run.contains("/afii10022 /afii10024"));
    EXPECT_TRUE(run.endsWith("/afii10096 /afii10097 /space"));
}

TEST(PdfFont, JapaneseFontHasADescendantWithItsOrdering)
{
    auto page = a4Page();
    memoOn(*page, QStringLiteral("Text"))->Font()->setCharset(128);
    TrpPDFFile file(false, QString());
    const QByteArray pdf = documentOf(file, *page);
    const QByteArray descendant = objectText(pdf, 5);
    EXPECT_TRUE(descendant.contains("/Subtype\r\n/CIDFontType2\r\n"));
    EXPECT_TRUE(descendant.contains("/WinCharSet 80\r\n/FontDescriptor 6 0 R\r\n"));
    EXPECT_TRUE(descendant.contains("/Ordering(Japan1)\r\n/Supplement 2\r\n"));
    EXPECT_TRUE(descendant.contains("/W [ 1 95 500 231 632 500 ]"));
    EXPECT_TRUE(objectText(pdf, 6).contains("/Flags 6\r\n"));
    EXPECT_TRUE(objectText(pdf, 7).contains("/Type /Page\r\n")); // 3 font objects, then the page
    writeChecked(pdf, QStringLiteral("japanese.pdf"));
}

TEST(PdfFont, EmbeddedFontFileIsAlwaysCompressed)
{
    for (bool compressed : {true, false}) {
        auto page = a4Page();
        memoOn(*page, kSlovak);
        TrpPDFFile file(false, QString());
        file.SetEmbeddedFonts(true);
        file.SetCompressed(compressed);
        const QByteArray pdf = documentOf(file, *page);
        EXPECT_TRUE(objectText(pdf, 5).contains("/FontFile2 6 0 R\r\n"));
        EXPECT_TRUE(objectText(pdf, 6).contains("/Filter /FlateDecode /Length1 "));
        EXPECT_TRUE(objectText(pdf, 7).contains("/Type /Page\r\n"));
        const QString path = writeChecked(pdf, QStringLiteral("embedded-%1.pdf").arg(compressed));
        const QString fonts = pdffonts(path).simplified();
        EXPECT_TRUE(fonts.contains(QLatin1String("Arial TrueType Custom yes no no"))) << fonts.toStdString();
        EXPECT_TRUE(pdftotext(path).contains(kSlovak));
    }
}

TEST(PdfFont, NotEmbeddedFontsAreListedAsNamedOnly)
{
    auto page = a4Page();
    auto *memo = memoOn(*page, QStringLiteral("Faktúra číslo"));
    bralvo::platform::Font times;
    times.setName(QStringLiteral("Times New Roman"));
    times.setStyle(bralvo::platform::fsBold | bralvo::platform::fsItalic);
    memoOn(*page, kSlovak, 40, 100)->SetFont(&times);
    Q_UNUSED(memo);
    TrpPDFFile file(false, QString());
    const QByteArray pdf = documentOf(file, *page);
    const QString path = writeChecked(pdf, QStringLiteral("named.pdf"));
    const QString fonts = pdffonts(path).simplified();
    EXPECT_TRUE(fonts.contains(QLatin1String("Arial TrueType Custom no no no"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QLatin1String("Times#20New#20Roman,BoldItalic TrueType Custom no no no")) ||
                fonts.contains(QLatin1String("Times New Roman,BoldItalic TrueType Custom no no no")))
        << fonts.toStdString();
    const QString text = pdftotext(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Faktúra číslo")));
    EXPECT_TRUE(text.contains(kSlovak));
}

TEST(PdfFont, FontsAreSharedByNameStyleAndCharset)
{
    auto page = a4Page();
    memoOn(*page, QStringLiteral("a"), 40, 40)->Font()->setSize(8);
    memoOn(*page, QStringLiteral("b"), 40, 80)->Font()->setSize(14);
    auto *bold = memoOn(*page, QStringLiteral("c"), 40, 120);
    bold->Font()->setStyle(bralvo::platform::fsBold);
    auto *cyrillic = memoOn(*page, QStringLiteral("d"), 40, 160);
    cyrillic->Font()->setCharset(204);
    TrpPDFFile file(false, QString());
    const QByteArray pdf = documentOf(file, *page);
    ASSERT_EQ(file.Fonts().size(), 3u);
    const QByteArray content = uncompressed(writeChecked(pdf, QStringLiteral("shared.pdf")));
    EXPECT_TRUE(content.contains("/F0 8 Tf"));
    EXPECT_TRUE(content.contains("/F0 14 Tf"));
    EXPECT_TRUE(content.contains("/F1 10 Tf"));
    EXPECT_TRUE(content.contains("/F2 10 Tf"));
}

// A text outside the program's code page goes out through the font's
// Unicode variant: nothing turns into "?".
TEST(PdfFont, TextOutsideTheCodePageKeepsItsLetters)
{
    const QString text = QStringLiteral("Ωμέγα Жук č");
    auto page = a4Page();
    memoOn(*page, text);
    memoOn(*page, QStringLiteral("Faktúra"), 40, 100);
    TrpPDFFile file(false, QString());
    file.SetCompressed(false);
    const QByteArray pdf = documentOf(file, *page);
    const QString path = writeChecked(pdf, QStringLiteral("unicode.pdf"));
    const QString fonts = pdffonts(path).simplified();
    EXPECT_TRUE(fonts.contains(QLatin1String("Arial CID TrueType Identity-H yes no yes"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QLatin1String("TrueType Custom no no no"))) << fonts.toStdString();
    const QString extracted = pdftotext(path);
    EXPECT_TRUE(extracted.contains(text)) << extracted.toStdString();
    EXPECT_TRUE(extracted.contains(QStringLiteral("Faktúra")));
}

QByteArray fileBytes(const QString &family)
{
    QFile f(bralvo::platform::resolveFont(family, 0).fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two fonts packed into one collection, table data shared in place.
QByteArray collectionOf(const QList<QByteArray> &fonts)
{
    QByteArray ttc("ttcf\0\1\0\0", 8);
    ttc.resize(12 + 4 * fonts.size());
    qToBigEndian<quint32>(quint32(fonts.size()), ttc.data() + 8);
    QList<qint64> starts;
    qint64 at = ttc.size();
    for (const QByteArray &f : fonts) {
        starts << at;
        at += f.size();
    }
    for (int i = 0; i < fonts.size(); ++i) {
        QByteArray font = fonts[i];
        const int tables = qFromBigEndian<quint16>(font.constData() + 4);
        for (int t = 0; t < tables; ++t) {
            char *offset = font.data() + 12 + 16 * t + 8;
            qToBigEndian<quint32>(qFromBigEndian<quint32>(offset) + quint32(starts[i]), offset);
        }
        qToBigEndian<quint32>(quint32(starts[i]), ttc.data() + 12 + 4 * i);
        ttc += font;
    }
    return ttc;
}

TEST(PdfFont, ACollectionIsCutToItsFace)
{
    const QByteArray sans = fileBytes(QStringLiteral("Arial"));
    const QByteArray serif = fileBytes(QStringLiteral("Times New Roman"));
    ASSERT_FALSE(sans.isEmpty());
    ASSERT_FALSE(serif.isEmpty());
    const QByteArray ttc = collectionOf({sans, serif});
    const QStringList families = {QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Serif")};
    for (int face = 0; face < 2; ++face) {
        const QByteArray cut = CutCollectionFace(ttc, face);
        EXPECT_FALSE(cut.startsWith("ttcf"));
        const QRawFont raw(cut, 12);
        ASSERT_TRUE(raw.isValid()) << face;
        EXPECT_EQ(raw.familyName(), families[face]);
        EXPECT_EQ(raw.glyphIndexesForString(QStringLiteral("Ab")).size(), 2);
    }
    EXPECT_EQ(CutCollectionFace(sans, 0), sans); // a single font stays as it is
    EXPECT_THROW(CutCollectionFace(ttc, 2), bralvo::platform::FontError);
    EXPECT_THROW(CutCollectionFace(ttc.left(40), 1), bralvo::platform::FontError);
}

} // namespace
