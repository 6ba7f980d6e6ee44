// The PDF export filter: options, the options dialog, and one
// TrpPDFFile per export (Start creates it, Finish writes the file and
// frees it). Driven by the prepared pages' export protocol.
#pragma once

#include "report/model/trpenginebases.h"

#include <QString>
#include <functional>
#include <memory>

namespace bralvo::report {

class TrpPDFFile;
class TrpPDFPage;

class TrpPDFExport : public TrpCustomExportFilter {
    BRALVO_CLASS(TrpPDFExport)
public:
    explicit TrpPDFExport(platform::Component *owner = nullptr);
    ~TrpPDFExport() override;

    // --- persistent
    bool Compressed() const { return m_compressed; }
    void SetCompressed(bool v) { m_compressed = v; }
    bool EmbeddedFonts() const { return m_embeddedFonts; }
    void SetEmbeddedFonts(bool v) { m_embeddedFonts = v; }
    bool OpenAfterExport() const { return m_openAfterExport; }
    void SetOpenAfterExport(bool v) { m_openAfterExport = v; }
    bool PrintOptimized() const { return m_printOptimized; }
    void SetPrintOptimized(bool v) { m_printOptimized = v; }
    bool Outline() const { return m_outline; }
    void SetOutline(bool v) { m_outline = v; }
    QString Author() const { return m_author; }
    void SetAuthor(const QString &v) { m_author = v; }
    QString Subject() const { return m_subject; }
    void SetSubject(const QString &v) { m_subject = v; }
    bool Background() const { return m_background; }
    void SetBackground(bool v) { m_background = v; }
    // Written as the document's "/Producer".
    QString Creator() const { return m_creator; }
    void SetCreator(const QString &v) { m_creator = v; }
    bool HTMLTags() const { return m_htmlTags; }
    void SetHTMLTags(bool v) { m_htmlTags = v; }

    // --- run-time
    TrpPDFFile *PdfFile() const { return m_pdfFile.get(); }
    TrpPDFPage *CurrentPdfPage() const { return m_currentPage; }

    // --- export protocol
    QString GetDescription() const override;
    // Asks for the options and the file name; 1 OK, 2 Cancel.
    int ShowModal() override;
    // False without a file name or stream; otherwise makes the PDF file.
    bool Start() override;
    void StartPage(TrpReportPage *page, int index) override;
    void ExportObject(TrpReportComponent *obj) override;
    void FinishPage(TrpReportPage *page, int index) override {}
    // Writes the document to Stream or FileName and frees the PDF file.
    // A file that could not be written completely is removed, not opened,
    // and the error is thrown on for the export driver to report.
    void Finish() override;

    // What opens a written file (the desktop by default; tests record).
    using Opener = std::function<void(const QString &fileName)>;
    static void SetOpener(Opener opener);

private:
    void writeDocument(platform::Stream &stream);
    void writeFile();

    bool m_compressed = true;
    bool m_embeddedFonts = false;
    bool m_openAfterExport = false;
    bool m_printOptimized = false;
    bool m_outline = false;
    QString m_author;
    QString m_subject;
    bool m_background = false;
    QString m_creator;
    bool m_htmlTags = true;
    std::unique_ptr<TrpPDFFile> m_pdfFile;
    TrpPDFPage *m_currentPage = nullptr;
};

// The options the program's report windows give their PDF filter; the
// bill list writes uncompressed pages.
void SetProgramPdfOptions(TrpPDFExport &filter, bool billList);

// Makes "TrpPDFExport" readable by class name (form definitions).
void RegisterPdfExportClass();

// Adds the export dialogs' texts (8700 and up, "PDFexport") to the
// library texts; called by every new PDF filter.
void AddPdfExportTexts();

} // namespace bralvo::report
