// A PDF 1.3 document built from exported report pages. Pages turn their
// views into content operators at once; a finished page's content goes to
// a scratch stream (in memory or in a temporary file), compressed when
// the document is. Write then puts out the whole document in one pass: header, catalog, information, bookmarks, fonts, pages with their
// content streams, page tree, cross-reference table and trailer.
// Geometry arrives in screen pixels (96 per inch); PDF points are pixels
// times 0.75.
#pragma once

#include "report/export/trppdfdeflater.h"
#include "report/export/trppdfelement.h"
#include "report/export/trppdfstate.h"
#include "report/export/trppdftoolkit.h"

#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

namespace bralvo::platform {
class Font;
class Stream;
} // namespace bralvo::platform

namespace bralvo::report {

class TrpCustomOutline;
class TrpCustomMemoView;
class TrpPDFFile;
class TrpPDFFont;
class TrpPDFOutlineNode;
class TrpReportPage;
class TrpView;

class TrpPDFPage : public TrpPDFElement {
public:
    TrpPDFPage(TrpPDFFile *file, const TrpReportPage &page, qint64 contentStart);

    TrpPDFFile *File() const { return m_file; }
    double Width() const { return m_width; }   // points
    double Height() const { return m_height; } // points
    // Margins in points: objects sit inside the margins, as the preview
    // and the printer place them.
    double MarginLeft() const { return m_marginLeft; }
    double MarginTop() const { return m_marginTop; }
    qint64 ContentStart() const { return m_contentStart; }
    // Bytes of the page's content in the scratch stream: compressed when
    // the page was finished with compression on.
    qint64 ContentLength() const { return m_contentLength; }
    // The content's size before compression.
    qint64 RawLength() const { return m_rawLength; }
    bool Packed() const { return m_packed; }
    bool Finished() const { return m_finished; }
    // Records where the finished content lies in the scratch stream.
    void SetContent(qint64 start, qint64 length, qint64 rawLength, bool packed);

    double PdfX(double x) const { return x * 0.75 + m_marginLeft; }
    double PdfY(double y) const { return m_height - (y * 0.75 + m_marginTop); }

    // The graphics state of the content written so far.
    TrpPDFStateStack &State() { return m_state; }
    // Memos that have written text on this page.
    int TextMemos() const { return m_textMemos; }
    void CountTextMemo() { ++m_textMemos; }

    // The page object and its content stream.
    void Write(platform::Stream &stream) override;

private:
    TrpPDFFile *m_file;
    double m_width, m_height;
    double m_marginLeft, m_marginTop;
    qint64 m_contentStart;
    qint64 m_contentLength = 0;
    qint64 m_rawLength = 0;
    bool m_packed = false;
    bool m_finished = false;
    TrpPDFStateStack m_state;
    int m_textMemos = 0;
};

class TrpPDFFile : public TrpPDFElement {
public:
    // UseTempFile: the scratch content lives in a new temporary file
    // ("fr...") in TempDir (the system's temporary folder when empty).
    TrpPDFFile(bool useTempFile, const QString &tempDir);
    ~TrpPDFFile() override;
    // Frees pages and fonts, empties the cross-reference list.
    void Clear();

    // --- options
    bool Compressed() const { return m_compressed; }
    void SetCompressed(bool v) { m_compressed = v; }
    // zlib level of page content (1, the fastest, unless a comparison
    // needs another).
    int ContentCompressionLevel() const { return m_contentLevel; }
    void SetContentCompressionLevel(int v) { m_contentLevel = v; }
    bool PrintOptimized() const { return m_printOptimized; }
    void SetPrintOptimized(bool v) { m_printOptimized = v; }
    bool Outline() const { return m_outline; }
    void SetOutline(bool v) { m_outline = v; }
    TrpCustomOutline *OutlineSource() const { return m_outlineSource; }
    void SetOutlineSource(TrpCustomOutline *v) { m_outlineSource = v; }
    QString Title() const { return m_title; }
    void SetTitle(const QString &v) { m_title = v; }
    QString Subject() const { return m_subject; }
    void SetSubject(const QString &v) { m_subject = v; }
    QString Author() const { return m_author; }
    void SetAuthor(const QString &v) { m_author = v; }
    QString Producer() const { return m_producer; }
    void SetProducer(const QString &v) { m_producer = v; }
    bool Background() const { return m_background; }
    void SetBackground(bool v) { m_background = v; }
    bool HTMLTags() const { return m_htmlTags; }
    void SetHTMLTags(bool v) { m_htmlTags = v; }
    bool EmbeddedFonts() const { return m_embeddedFonts; }
    void SetEmbeddedFonts(bool v) { m_embeddedFonts = v; }
    QString PageRange() const { return m_pageRange; }
    void SetPageRange(const QString &v) { m_pageRange = v; }
    int TotalPages() const { return m_totalPages; }
    void SetTotalPages(int v) { m_totalPages = v; }

    // --- state
    const std::vector<std::unique_ptr<TrpPDFPage>> &Pages() const { return m_pages; }
    const std::vector<std::unique_ptr<TrpPDFFont>> &Fonts() const { return m_fonts; }
    platform::Stream &Scratch() { return *m_scratch; }
    QString TempFileName() const { return m_tempFileName; }
    int ObjectCount() const { return m_objectCount; }
    int FontBase() const { return m_fontBase; }
    int FirstPageObject() const { return m_firstPageObject; }
    int PagesObject() const { return m_pagesObject; }
    TrpPDFToolkit &Toolkit() { return *m_toolkit; }
    // Notes for the report's error list (fonts named only, not embedded).
    const QStringList &Warnings() const { return m_warnings; }
    void AddWarning(const QString &text);

    // --- building
    // A page's content is kept with the page until the next page starts
    // (or the document is written); it then goes to the scratch stream,
    // compressed at once when Compressed is on, so a long export holds one
    // page's content in memory. Compressed and the content level apply to
    // the pages finished after they are set; views go to the page added
    // last.
    TrpPDFPage *AddPdfPage(const TrpReportPage &page);
    // 0-based index of the font of equal name, style and character set
    // (added when new). Unicode: the glyph-number variant of the font.
    int FindOrAddPdfFont(const platform::Font &font, bool unicode = false);
    // The view's content operators appended to Page's content.
    void ExportViewToPdf(TrpPDFPage &page, TrpView &view);

    // --- writing
    // The whole document.
    void Write(platform::Stream &stream) override;
    // Flushes Element, takes the next object number, records its offset
    // and starts the object ("N 0 obj").
    int StartObject(TrpPDFElement &element, platform::Stream &stream);
    // The bytes of a page's content (a view into the memory scratch, or
    // read into Buffer from a scratch file).
    QByteArrayView PageContent(const TrpPDFPage &page, QByteArray &buffer);
    // Page content compressed at the content level (valid until the
    // next call).
    const QByteArray &CompressContent(QByteArrayView content);
    // Moves the page's pending content to the scratch stream.
    void FinishPage(TrpPDFPage &page);

private:
    struct ViewBox;
    struct MemoText;
    void writeCatalog(platform::Stream &stream, const TrpPDFOutlineNode *root, int nodeCount);
    void writeInfo(platform::Stream &stream, const QString &date);
    void writePageTree(platform::Stream &stream);
    void writeXrefAndTrailer(platform::Stream &stream);
    void exportShapeOrLine(TrpPDFPage &page, TrpView &view, const ViewBox &box);
    void exportPicture(TrpPDFPage &page, TrpView &view, const ViewBox &box);
    void exportMemo(TrpPDFPage &page, TrpCustomMemoView &memo, const ViewBox &box);
    MemoText memoText(TrpCustomMemoView &memo, const platform::Font &font);
    void exportMemoLines(TrpPDFPage &page, TrpCustomMemoView &memo, const platform::Font &font,
                         const ViewBox &box, const MemoText &text);
    void drawPdfFrame(TrpPDFPage &page, TrpView &view, const ViewBox &box);
    // Colours, width and text state, each written only when it changes.
    void strokeStyle(TrpPDFPage &page, int color, double width);
    void strokeColor(TrpPDFPage &page, int color);
    void fillColor(TrpPDFPage &page, int color);
    void textState(TrpPDFPage &page, int fontIndex, const platform::Font &font, double charSpacing);

    std::vector<std::unique_ptr<TrpPDFPage>> m_pages;
    std::vector<std::unique_ptr<TrpPDFFont>> m_fonts;
    QList<qint64> m_xref;
    int m_objectCount = 0;
    QString m_title;
    qint64 m_xrefStart = 0;
    int m_fontBase = 0;
    int m_firstPageObject = 0;
    int m_pagesObject = 0;
    bool m_compressed = true;
    int m_contentLevel = 1;
    bool m_printOptimized = false;
    bool m_outline = false;
    TrpCustomOutline *m_outlineSource = nullptr;
    QString m_subject, m_author, m_producer;
    bool m_background = false;
    bool m_htmlTags = false;
    QString m_pageRange;
    int m_totalPages = 0;
    std::unique_ptr<platform::Stream> m_scratch;
    QString m_tempFileName;
    bool m_embeddedFonts = false;
    std::unique_ptr<TrpPDFToolkit> m_toolkit;
    std::unique_ptr<TrpPDFDeflater> m_deflater; // one for all pages
    QByteArray m_packed;
    QStringList m_warnings;
};

} // namespace bralvo::report
