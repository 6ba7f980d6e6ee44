// The document: pages, fonts and writing the file in one pass.
#include "report/export/trppdffile.h"

#include "report/export/trppdfbytes.h"
#include "platform/stream.h"
#include "platform/stringlist.h"
#include "report/export/trppdffont.h"
#include "report/export/trppdfoutline.h"
#include "report/export/trppdftext.h"
#include "report/model/trpenginebases.h"
#include "report/model/trppage.h"
#include "report/model/trputils.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSet>
#include <cmath>

namespace bralvo::report {

// --- TrpPDFPage

namespace {

// A page as large as its paper is measured from the paper's millimetres,
// not from its whole pixels, so an A4 page is 595.28 x 841.89 points.
double pagePoints(double pixels, double paperMm)
{
    const double exact = paperMm * kPixelsPerMm;
    return (std::nearbyint(exact) == pixels ? exact : pixels) * 0.75;
}

} // namespace

TrpPDFPage::TrpPDFPage(TrpPDFFile *file, const TrpReportPage &page, qint64 contentStart)
    : m_file(file), m_width(pagePoints(page.Width(), page.PaperWidth())),
      m_height(pagePoints(page.Height(), page.PaperHeight())),
      m_marginLeft(page.LeftMargin() * kPixelsPerMm * 0.75), m_marginTop(page.TopMargin() * kPixelsPerMm * 0.75),
      m_contentStart(contentStart)
{
}

void TrpPDFPage::SetContent(qint64 start, qint64 length, qint64 rawLength, bool packed)
{
    m_contentStart = start;
    m_contentLength = length;
    m_rawLength = rawLength;
    m_packed = packed;
    m_finished = true;
}

void TrpPDFPage::Write(platform::Stream &stream)
{
    TrpPDFElement::Write(stream);
    const int number = m_file->StartObject(*this, stream);
    QByteArray &out = Out();
    out += "<<\r\n/Type /Page\r\n/Parent ";
    AppendPdfInt(out, m_file->PagesObject());
    out += " 0 R\r\n/MediaBox [0 0 ";
    AppendPdfNumber(out, m_width);
    out += ' ';
    AppendPdfNumber(out, m_height);
    out += " ]\r\n/Resources <<\r\n/Font <<\r\n";
    for (const auto &font : m_file->Fonts()) {
        out += "/F";
        AppendPdfInt(out, font->Index() - 1);
        out += ' ';
        AppendPdfInt(out, m_file->FontBase() + font->FirstObject());
        out += " 0 R\r\n";
    }
    out += ">>\r\n/XObject <<\r\n>>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents ";
    AppendPdfInt(out, number + 1);
    out += " 0 R\r\n>>\r\nendobj\r\n";

    QByteArray read;
    const QByteArrayView content = m_file->PageContent(*this, read);
    m_file->StartObject(*this, stream);
    if (m_packed) {
        out += "<< /Filter /FlateDecode /Length ";
        AppendPdfInt(out, content.size());
        out += " /Length1 ";
        AppendPdfInt(out, m_rawLength);
        out += " >>\r\nstream\r\n";
        Flush(stream);
        stream.write(content.data(), content.size());
        out += "\r\n";
    } else {
        out += "<< /Length ";
        AppendPdfInt(out, content.size());
        out += " >>\r\nstream\r\n";
        Flush(stream);
        stream.write(content.data(), content.size());
    }
    out += "endstream\r\nendobj\r\n";
    Flush(stream);
}

// --- TrpPDFFile

TrpPDFFile::TrpPDFFile(bool useTempFile, const QString &tempDir) : m_toolkit(std::make_unique<TrpPDFToolkit>())
{
    if (useTempFile) {
        m_tempFileName = MakeTempFileNameIn(tempDir);
        m_scratch = std::make_unique<platform::FileStream>(m_tempFileName, platform::FileStream::Mode::Create);
    } else {
        m_scratch = std::make_unique<platform::MemoryStream>();
    }
}

TrpPDFFile::~TrpPDFFile()
{
    Clear();
    m_scratch.reset();
    if (!m_tempFileName.isEmpty())
        QFile::remove(m_tempFileName);
}

void TrpPDFFile::Clear()
{
    m_pages.clear();
    m_fonts.clear();
    m_xref.clear();
}

void TrpPDFFile::AddWarning(const QString &text)
{
    if (!m_warnings.contains(text))
        m_warnings.append(text);
}

TrpPDFPage *TrpPDFFile::AddPdfPage(const TrpReportPage &page)
{
    if (!m_pages.empty())
        FinishPage(*m_pages.back());
    const qint64 position = m_scratch->position();
    m_pages.push_back(std::make_unique<TrpPDFPage>(this, page, position));
    m_pages.back()->SetIndex(int(m_pages.size()));
    return m_pages.back().get();
}

int TrpPDFFile::FindOrAddPdfFont(const platform::Font &font, bool unicode)
{
    const int charset = ResolvedCharset(font.charset());
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        const TrpPDFFont &f = *m_fonts[i];
        if (f.IsUnicode() == unicode && f.Font().name() == font.name() && f.Font().style() == font.style() &&
            f.Charset() == charset)
            return int(i);
    }
    m_fonts.push_back(std::make_unique<TrpPDFFont>(this, font, unicode));
    m_fonts.back()->SetIndex(int(m_fonts.size()));
    return int(m_fonts.size()) - 1;
}

int TrpPDFFile::StartObject(TrpPDFElement &element, platform::Stream &stream)
{
    element.Flush(stream);
    m_xref.append(stream.position());
    ++m_objectCount;
    AppendPdfInt(element.Out(), m_objectCount);
    element.Out() += " 0 obj\r\n";
    return m_objectCount;
}

QByteArrayView TrpPDFFile::PageContent(const TrpPDFPage &page, QByteArray &buffer)
{
    if (auto *memory = dynamic_cast<platform::MemoryStream *>(m_scratch.get()))
        return QByteArrayView(memory->data().constData() + page.ContentStart(), page.ContentLength());
    m_scratch->seek(page.ContentStart());
    buffer.resize(page.ContentLength());
    m_scratch->readExactly(buffer.data(), buffer.size());
    return buffer;
}

void TrpPDFFile::FinishPage(TrpPDFPage &page)
{
    if (page.Finished())
        return;
    const QByteArray &content = page.Buffer();
    const qint64 start = m_scratch->position();
    if (m_compressed) {
        const QByteArray &packed = CompressContent(content);
        m_scratch->write(packed);
        page.SetContent(start, packed.size(), content.size(), true);
    } else {
        m_scratch->write(content);
        page.SetContent(start, content.size(), content.size(), false);
    }
    page.Out().clear();
}

const QByteArray &TrpPDFFile::CompressContent(QByteArrayView content)
{
    if (!m_deflater || m_deflater->Level() != m_contentLevel)
        m_deflater = std::make_unique<TrpPDFDeflater>(m_contentLevel);
    m_deflater->Compress(content.data(), content.size(), m_packed);
    return m_packed;
}

namespace {

// Exported page numbers of a range, for matching bookmarks; empty: all.
QSet<int> exportedPages(const QString &range, int totalPages)
{
    QSet<int> pages;
    if (range.isEmpty())
        return pages;
    platform::StringList list;
    ParsePageNumbers(range, list, totalPages);
    for (int i = 0; i < list.count(); ++i)
        pages.insert(list.at(i).toInt());
    return pages;
}

} // namespace

void TrpPDFFile::Write(platform::Stream &stream)
{
    TrpPDFElement::Write(stream);
    m_xref.clear();
    m_objectCount = 0;
    std::unique_ptr<TrpPDFOutlineNode> outline;
    QList<int> exported; // 0-based page of the report for each exported page
    const QSet<int> range = exportedPages(m_pageRange, m_totalPages);
    for (int p = 0; exported.size() < int(m_pages.size()) && p < std::max(m_totalPages, int(m_pages.size())); ++p) {
        if (range.isEmpty() || range.contains(p + 1))
            exported.append(p);
    }
    if (m_outline && m_outlineSource) {
        outline = BuildPdfOutline(*m_outlineSource, [&](int page) { return range.isEmpty() || range.contains(page + 1); });
        if (!outline->FirstChild)
            outline.reset();
    }
    m_outline = outline != nullptr;
    const QString date = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));

    AppendLine("%PDF-1.3");
    Append(QByteArray("%\xE2\xE3\xCF\xD3"));
    AppendLine("");
    writeCatalog(stream, outline.get(), outline ? outline->CountTree : 0);
    writeInfo(stream, date);
    if (outline) {
        TrpPDFOutlineWriter writer;
        writer.out = this;
        writer.startObject = [&] { return StartObject(*this, stream); };
        int firstPage = m_pagesObject + 1; // after the page tree and the fonts
        for (const auto &font : m_fonts)
            firstPage += font->CountObjects();
        writer.pageObject = [&, firstPage](int page) {
            const int i = int(exported.indexOf(page));
            return i < 0 ? 0 : firstPage + 2 * i;
        };
        writer.pageHeight = [&](int page) {
            const int i = int(exported.indexOf(page));
            return i < 0 ? 0.0 : m_pages[size_t(i)]->Height();
        };
        writer.Write(*outline);
    }
    m_fontBase = m_objectCount;
    ++m_objectCount;
    m_xref.append(0); // the page tree's place, filled when it is written
    for (const auto &font : m_fonts) {
        Flush(stream);
        font->Write(stream);
    }
    m_firstPageObject = m_objectCount + 1;
    if (!m_pages.empty())
        FinishPage(*m_pages.back());
    Flush(stream);
    for (const auto &page : m_pages)
        page->Write(stream);
    writePageTree(stream);
    writeXrefAndTrailer(stream);
}

void TrpPDFFile::writeCatalog(platform::Stream &stream, const TrpPDFOutlineNode *root, int nodeCount)
{
    m_pagesObject = 3 + (root ? nodeCount + 1 : 0);
    StartObject(*this, stream);
    AppendLine("<<");
    AppendLine("/Type /Catalog");
    AppendLine(QStringLiteral("/Pages %1 0 R").arg(m_pagesObject));
    AppendLine(root ? "/PageMode /UseOutlines" : "/PageMode /UseNone");
    if (root)
        AppendLine("/Outlines 3 0 R");
    if (!m_title.isEmpty())
        AppendLine("/ViewerPreferences << /DisplayDocTitle true >>");
    AppendLine(">>");
    AppendLine("endobj");
}

void TrpPDFFile::writeInfo(platform::Stream &stream, const QString &date)
{
    StartObject(*this, stream);
    AppendLine("<<");
    AppendLine(QStringLiteral("/Producer ") + PdfTextString(m_producer));
    AppendLine(QStringLiteral("/Author ") + PdfTextString(m_author));
    AppendLine(QStringLiteral("/Subject ") + PdfTextString(m_subject));
    const QString creator = QCoreApplication::instance() ? QCoreApplication::instance()->objectName() : QString();
    AppendLine(QStringLiteral("/Creator ") + PdfTextString(creator));
    AppendLine(QStringLiteral("/Title ") + PdfTextString(m_title));
    AppendLine(QStringLiteral("/CreationDate (D:") + date + u')');
    AppendLine(QStringLiteral("/ModDate (D:") + date + u')');
    AppendLine(">>");
    AppendLine("endobj");
}

void TrpPDFFile::writePageTree(platform::Stream &stream)
{
    Flush(stream);
    m_xref[m_pagesObject - 1] = stream.position();
    AppendLine(QStringLiteral("%1 0 obj").arg(m_pagesObject));
    AppendLine("<<");
    AppendLine("/Type /Pages");
    QString kids = QStringLiteral("/Kids [");
    for (size_t i = 0; i < m_pages.size(); ++i)
        kids += QStringLiteral("%1 0 R ").arg(m_firstPageObject + 2 * int(i));
    AppendLine(kids + u']');
    AppendLine(QStringLiteral("/Count %1").arg(m_pages.size()));
    AppendLine(">>");
    AppendLine("endobj");
    Flush(stream);
}

void TrpPDFFile::writeXrefAndTrailer(platform::Stream &stream)
{
    m_xrefStart = stream.position();
    AppendLine("xref");
    AppendLine(QStringLiteral("0 %1").arg(m_xref.size() + 1));
    AppendLine("0000000000 65535 f");
    for (qint64 offset : m_xref)
        AppendLine(QStringLiteral("%1 00000 n").arg(offset, 10, 10, QChar(u'0')));
    AppendLine("trailer");
    AppendLine("<<");
    AppendLine(QStringLiteral("/Size %1").arg(m_xref.size() + 1));
    AppendLine("/Root 1 0 R");
    AppendLine("/Info 2 0 R");
    AppendLine(">>");
    AppendLine("startxref");
    AppendLine(QString::number(m_xrefStart));
    AppendLine("%%EOF");
    Flush(stream);
}

} // namespace bralvo::report
