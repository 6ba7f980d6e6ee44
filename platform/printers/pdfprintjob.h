// A drawn print job: pages are painted with QPainter onto a QPrinter
// writing PDF at the printer's resolution (so the text layout sees a
// printer canvas), then the PDF goes to a CUPS queue as one job, or to a
// file when printing to a file.
//
// States: idle -> begin() -> (beginPage() / painting)* -> finishToPrinter()
// or finishToFile() or abort() -> idle. Page coordinates: the painter's
// origin is the top-left corner of the printable area, one unit per dot.
#pragma once

#include "platform/printers/devicemode.h"

#include <QPoint>
#include <QSizeF>
#include <QString>

#include <memory>

class QPainter;
class QPrinter;
class QTemporaryFile;

namespace bralvo::platform {

class PdfPrintJob {
public:
    PdfPrintJob();
    ~PdfPrintJob();  // aborts an open job
    PdfPrintJob(const PdfPrintJob &) = delete;
    PdfPrintJob &operator=(const PdfPrintJob &) = delete;

    // Throws PrinterError when no temporary file can be made.
    void begin(const QString &title, int dpi);
    // Starts the next page of `paperMm` (as oriented: width > height for
    // landscape) with the printable area starting `marginMm` from the
    // paper's top-left corner. Returns the painter, owned by the job and
    // valid until the next page or the end of the job.
    QPainter *beginPage(const QSizeF &paperMm, const QPointF &marginMm);
    QPainter *painter() const;  // nullptr outside a page
    bool isOpen() const;
    int pageCount() const;

    // Ends the document and queues it; a job without pages is dropped.
    // Throws PrinterError when the server refuses it; the job is closed
    // either way. Returns the job id, 0 when nothing was sent.
    int finishToPrinter(const QString &printer, const JobOptions &options);
    // Ends the document and writes the PDF to `path` (replacing the file
    // only once it is complete). Throws PrinterError on failure.
    void finishToFile(const QString &path);
    void abort();  // nothing is printed; nothing when not open

private:
    void endDocument();

    std::unique_ptr<QTemporaryFile> m_file;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QString m_title;
    int m_pages = 0;
};

} // namespace bralvo::platform
