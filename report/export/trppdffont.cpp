// Font objects of the PDF document.
#include "report/export/trppdffont.h"

#include "platform/fonts/fontmetrics.h"
#include "platform/stream.h"
#include "platform/textcodec.h"
#include "report/export/trppdfencoding.h"
#include "report/export/trppdffile.h"
#include "report/export/trppdffontface.h"
#include "report/export/trppdftext.h"
#include "report/model/reporterror.h"
#include "report/model/trputils.h"

#include <cmath>

namespace bralvo::report {

namespace {

// Metrics at this em height come out in thousandths of the em.
constexpr int kEm = 1000;
// Codes described by the widths of a single-byte font.
constexpr int kFirstChar = 32;
constexpr int kLastChar = 255;

struct CidTable {
    int charset;
    const char *encoding, *winCharSet, *ordering, *supplement, *widths, *flags, *style;
};

const CidTable kCidTables[] = {
    {128, "/Encoding /90msp-RKSJ-H", "/WinCharSet 80", "/Ordering(Japan1)", "/Supplement 2",
     "/W [ 1 95 500 231 632 500 ]", "/Flags 6", "/Style << /Panose <010502020400000000000000> >>"},
    {129, "/Encoding /KSCms-UHC-H", "/WinCharSet 129", "/Ordering(Korea1)", "/Supplement 1",
     "/W [ 1 95 500 8094 8190 500 ]", "/Flags 6", "/Style << /Panose <010502020400000000000000> >>"},
    {134, "/Encoding /GB-EUC-H", "/WinCharSet 134", "/Ordering(GB1)", "/Supplement 2",
     "/W [ 1 95 500 814 939 500 7712 [ 500 ] 7716 [ 500 ] ]", "/Flags 6",
     "/Style << /Panose <010502020400000000000000> >>"},
    {136, "/Encoding /ETenms-B5-H", "/WinCharSet 136", "/Ordering(CNS1)", "/Supplement 0", "/W [1 95 500]",
     "/Flags 7", "/Style << /Panose <010502020300000000000000> >>"},
};

const CidTable &cidTable(int charset)
{
    for (const CidTable &t : kCidTables) {
        if (t.charset == charset)
            return t;
    }
    return kCidTables[0];
}

QString ref(int number)
{
    return QString::number(number) + QStringLiteral(" 0 R");
}

bool isNameDelimiter(uchar c)
{
    return c < 33 || c > 126 || QByteArrayView("()<>[]{}/%#").contains(char(c));
}

QString hex4(quint32 v)
{
    return QStringLiteral("%1").arg(v, 4, 16, QChar(u'0')).toUpper();
}

} // namespace

QString PdfFontName(const platform::Font &font)
{
    QString name = font.name();
    const bool bold = font.style() & platform::fsBold;
    const bool italic = font.style() & platform::fsItalic;
    if (bold || italic)
        name += u',';
    if (bold)
        name += QStringLiteral("Bold");
    if (italic)
        name += QStringLiteral("Italic");
    QString out;
    for (const char ch : platform::encodeText(name, platform::kWindows1250)) {
        const auto c = uchar(ch);
        if (c == ',' || !isNameDelimiter(c))
            out += QChar(c);
        else
            out += u'#' + QStringLiteral("%1").arg(c, 2, 16, QChar(u'0')).toUpper();
    }
    return out;
}

TrpPDFFont::TrpPDFFont(TrpPDFFile *file, const platform::Font &font, bool unicode)
    : m_file(file), m_font(std::make_unique<platform::Font>()), m_unicode(unicode)
{
    m_font->assign(font);
}

TrpPDFFont::~TrpPDFFont() = default;

int TrpPDFFont::Charset() const
{
    return ResolvedCharset(m_font->charset());
}

QByteArray TrpPDFFont::GlyphString(const QString &text)
{
    const auto metrics = platform::FontMetrics::get(m_font->name(), m_font->style(), kEm);
    QByteArray out = "<";
    for (int i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        QString chars(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            chars += text[++i];
        }
        const quint32 glyph = metrics->glyphIndex(cp);
        if (!m_glyphs.contains(glyph))
            m_glyphs.insert(glyph, chars);
        out += hex4(glyph).toLatin1();
    }
    return out + '>';
}

TrpPDFFaceInfo TrpPDFFont::readFace()
{
    try {
        return ReadPdfFaceInfo(m_font->name(), m_font->style());
    } catch (const platform::FontError &) {
    }
    m_font->setName(QStringLiteral("Arial"));
    try {
        return ReadPdfFaceInfo(m_font->name(), m_font->style());
    } catch (const platform::FontError &) {
        throw ReportError(QStringLiteral("Error on get font info"));
    }
}

bool TrpPDFFont::embeddable(const TrpPDFFaceInfo &face) const
{
    if (!face.cffOutlines)
        return true;
    m_file->AddWarning(QStringLiteral("The font \"%1\" (%2) cannot be embedded; it is named only")
                           .arg(m_font->name(), face.font.fileName));
    return false;
}

int TrpPDFFont::CountObjects()
{
    const TrpPDFFaceInfo face = readFace();
    const int embedded = (m_file->EmbeddedFonts() || m_unicode) && !face.cffOutlines ? 1 : 0;
    if (m_unicode)
        return 4 + embedded; // Type0, CID font, descriptor, ToUnicode
    return (IsCidCharset(Charset()) ? 3 : 2) + embedded;
}

void TrpPDFFont::Write(platform::Stream &stream)
{
    TrpPDFElement::Write(stream);
    const TrpPDFFaceInfo face = readFace();
    const QString name = PdfFontName(*m_font);
    const bool embed = (m_file->EmbeddedFonts() || m_unicode) && embeddable(face);
    if (m_unicode)
        writeUnicode(stream, face, name, embed);
    else if (IsCidCharset(Charset()))
        writeCid(stream, face, name, embed);
    else
        writeTrueType(stream, face, name, embed);
    if (embed)
        writeFontFile(stream, face);
    if (m_unicode)
        writeToUnicode(stream);
    Flush(stream);
}

void TrpPDFFont::writeTrueType(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name,
                               bool embed)
{
    const int number = m_file->StartObject(*this, stream);
    m_firstObject = number - m_file->FontBase();
    AppendLine("<<");
    AppendLine("/Type /Font");
    AppendLine(QStringLiteral("/Name /F") + QString::number(Index() - 1));
    AppendLine(QStringLiteral("/BaseFont /") + name);
    AppendLine("/Subtype /TrueType");
    const int charset = Charset();
    if (charset == 0) {
        AppendLine("/Encoding /WinAnsiEncoding");
    } else if (charset == 2) {
        AppendLine("/Encoding /MacRomanEncoding");
    } else if (const QStringList runs = PdfDifferences(charset); !runs.isEmpty()) {
        AppendLine("/Encoding <</Type/Encoding /BaseEncoding /WinAnsiEncoding");
        AppendLine("/Differences [");
        for (const QString &run : runs)
            AppendLine(run);
        AppendLine("]");
        AppendLine(">>");
    }
    AppendLine(QStringLiteral("/FontDescriptor ") + ref(number + 1));
    writeWidths(face);
    AppendLine(">>");
    AppendLine("endobj");
    writeDescriptor(stream, face, name, embed);
}

// The advance of every code of the font's code page; a code the page
// leaves undefined, or the font lacks, gets the missing glyph's advance.
void TrpPDFFont::writeWidths(const TrpPDFFaceInfo &face)
{
    Q_UNUSED(face);
    const auto metrics = platform::FontMetrics::get(m_font->name(), m_font->style(), kEm);
    const char *codePage = CodePageOfCharset(Charset());
    AppendLine(QStringLiteral("/FirstChar %1").arg(kFirstChar));
    AppendLine(QStringLiteral("/LastChar %1").arg(kLastChar));
    QString widths = QStringLiteral("/Widths [");
    for (int code = kFirstChar; code <= kLastChar; ++code) {
        const QString text = platform::decodeText(QByteArray(1, char(code)), codePage);
        char32_t cp = text.isEmpty() ? 0xFFFD : text.toUcs4().value(0, 0xFFFD);
        if (Charset() == 2 && metrics->glyphIndex(0xF000 + code) != 0)
            cp = 0xF000 + code; // symbol fonts keep their glyphs in the private area
        widths += QString::number(metrics->advance(cp)) + u' ';
    }
    AppendLine(widths + u']');
}

void TrpPDFFont::writeDescriptor(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name,
                                 bool embed)
{
    const int number = m_file->StartObject(*this, stream);
    AppendLine("<<");
    AppendLine("/Type /FontDescriptor");
    AppendLine(QStringLiteral("/FontName /") + name);
    AppendLine(m_unicode ? "/Flags 4" : "/Flags 32");
    AppendLine(QStringLiteral("/FontBBox [%1 %2 %3 %4 ]")
                   .arg(face.bboxLeft)
                   .arg(face.bboxBottom)
                   .arg(face.bboxRight)
                   .arg(face.bboxTop));
    AppendLine(QStringLiteral("/ItalicAngle ") + PdfNumber(face.italicAngle));
    AppendLine(QStringLiteral("/Ascent %1").arg(face.ascent));
    AppendLine(QStringLiteral("/Descent %1").arg(face.descent));
    AppendLine(QStringLiteral("/Leading %1").arg(face.internalLeading));
    AppendLine(QStringLiteral("/CapHeight %1").arg(face.height));
    AppendLine(QStringLiteral("/StemV %1").arg(50 + std::lround(std::pow(face.weight / 65.0, 2))));
    AppendLine(QStringLiteral("/AvgWidth %1").arg(face.avgWidth));
    AppendLine(QStringLiteral("/MaxWidth %1").arg(face.maxWidth));
    AppendLine(QStringLiteral("/MissingWidth %1").arg(face.avgWidth));
    if (embed)
        AppendLine(QStringLiteral("/FontFile2 ") + ref(number + 1));
    AppendLine(">>");
    AppendLine("endobj");
}

void TrpPDFFont::writeCid(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name, bool embed)
{
    const CidTable &t = cidTable(Charset());
    const int number = m_file->StartObject(*this, stream);
    m_firstObject = number - m_file->FontBase();
    AppendLine("<<");
    AppendLine("/Type /Font");
    AppendLine(QStringLiteral("/Name /F") + QString::number(Index() - 1));
    AppendLine(QStringLiteral("/BaseFont /") + name);
    AppendLine("/Subtype /Type0");
    AppendLine(QStringLiteral("/DescendantFonts [") + ref(number + 1) + u']');
    AppendLine(t.encoding);
    AppendLine(">>");
    AppendLine("endobj");
    m_file->StartObject(*this, stream);
    for (const char *line : {"<<", "/Type /Font", "/Subtype", "/CIDFontType2"})
        AppendLine(line);
    AppendLine(QStringLiteral("/BaseFont /") + name);
    AppendLine(t.winCharSet);
    AppendLine(QStringLiteral("/FontDescriptor ") + ref(number + 2));
    for (const char *line : {"/CIDSystemInfo", "<<", "/Registry(Adobe)", t.ordering, t.supplement, ">>",
                             "/DW 1000", t.widths, ">>", "endobj"})
        AppendLine(line);
    m_file->StartObject(*this, stream);
    AppendLine("<<");
    AppendLine("/Type /FontDescriptor");
    if (embed)
        AppendLine(QStringLiteral("/FontFile2 ") + ref(number + 3));
    AppendLine(QStringLiteral("/FontName /") + name);
    AppendLine(t.flags);
    AppendLine(QStringLiteral("/FontBBox [%1 %2 %3 %4 ]")
                   .arg(face.bboxLeft)
                   .arg(face.bboxBottom)
                   .arg(face.bboxRight)
                   .arg(face.bboxTop));
    AppendLine(t.style);
    AppendLine(QStringLiteral("/Ascent %1").arg(face.ascent));
    AppendLine(QStringLiteral("/Descent %1").arg(face.descent));
    AppendLine(QStringLiteral("/CapHeight %1").arg(face.height));
    AppendLine(QStringLiteral("/StemV %1").arg(50 + std::lround(std::pow(face.weight / 65.0, 2))));
    AppendLine(QStringLiteral("/ItalicAngle ") + PdfNumber(face.italicAngle));
    AppendLine(">>");
    AppendLine("endobj");
}

// Type0 over the font file itself: page text names glyph numbers.
void TrpPDFFont::writeUnicode(platform::Stream &stream, const TrpPDFFaceInfo &face, const QString &name,
                              bool embed)
{
    const int number = m_file->StartObject(*this, stream);
    m_firstObject = number - m_file->FontBase();
    const int toUnicode = number + (embed ? 4 : 3);
    AppendLine("<<");
    AppendLine("/Type /Font");
    AppendLine(QStringLiteral("/Name /F") + QString::number(Index() - 1));
    AppendLine(QStringLiteral("/BaseFont /") + name);
    AppendLine("/Subtype /Type0");
    AppendLine("/Encoding /Identity-H");
    AppendLine(QStringLiteral("/DescendantFonts [") + ref(number + 1) + u']');
    AppendLine(QStringLiteral("/ToUnicode ") + ref(toUnicode));
    AppendLine(">>");
    AppendLine("endobj");
    m_file->StartObject(*this, stream);
    AppendLine("<<");
    AppendLine("/Type /Font");
    AppendLine("/Subtype /CIDFontType2");
    AppendLine(QStringLiteral("/BaseFont /") + name);
    AppendLine("/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>");
    AppendLine(QStringLiteral("/FontDescriptor ") + ref(number + 2));
    AppendLine("/CIDToGIDMap /Identity");
    AppendLine(QStringLiteral("/DW %1").arg(face.avgWidth));
    const auto metrics = platform::FontMetrics::get(m_font->name(), m_font->style(), kEm);
    QString widths = QStringLiteral("/W [");
    for (auto it = m_glyphs.cbegin(); it != m_glyphs.cend(); ++it)
        widths += QStringLiteral(" %1 [%2]").arg(it.key()).arg(metrics->advance(it.value().toUcs4().value(0)));
    AppendLine(widths + QStringLiteral(" ]"));
    AppendLine(">>");
    AppendLine("endobj");
    writeDescriptor(stream, face, name, embed);
}

void TrpPDFFont::writeToUnicode(platform::Stream &stream)
{
    QByteArray map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                     "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                     "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                     "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    const QList<quint32> glyphs = m_glyphs.keys();
    for (int i = 0; i < glyphs.size(); i += 100) {
        const int n = std::min<int>(100, glyphs.size() - i);
        map += QByteArray::number(n) + " beginbfchar\n";
        for (int k = i; k < i + n; ++k) {
            QByteArray units;
            for (QChar c : m_glyphs.value(glyphs[k]))
                units += hex4(c.unicode()).toLatin1();
            map += '<' + hex4(glyphs[k]).toLatin1() + "> <" + units + ">\n";
        }
        map += "endbfchar\n";
    }
    map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    m_file->StartObject(*this, stream);
    AppendLine(QStringLiteral("<< /Length %1 >>").arg(map.size()));
    AppendLine("stream");
    Append(map);
    AppendLine("endstream");
    AppendLine("endobj");
}

void TrpPDFFont::writeFontFile(platform::Stream &stream, const TrpPDFFaceInfo &face)
{
    const QByteArray file = ReadFontFileForEmbedding(face.font);
    const QByteArray packed = CompressZlib(file, 9);
    m_file->StartObject(*this, stream);
    AppendLine(QStringLiteral("<< /Length %1 /Filter /FlateDecode /Length1 %2 >>")
                   .arg(packed.size())
                   .arg(file.size()));
    AppendLine("stream");
    Flush(stream);
    stream.write(packed);
    AppendLine("");
    AppendLine("endstream");
    AppendLine("endobj");
}

} // namespace bralvo::report
