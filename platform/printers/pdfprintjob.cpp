// Drawn print jobs through QPrinter's PDF output and CUPS.
#include "platform/printers/pdfprintjob.h"

#include "platform/printers/cupsjob.h"
#include "platform/printers/printererror.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

namespace bralvo::platform {

PdfPrintJob::PdfPrintJob() = default;

PdfPrintJob::~PdfPrintJob() { abort(); }

bool PdfPrintJob::isOpen() const { return m_printer != nullptr; }

int PdfPrintJob::pageCount() const { return m_pages; }

QPainter *PdfPrintJob::painter() const { return m_pages > 0 ? m_painter.get() : nullptr; }

void PdfPrintJob::begin(const QString &title, int dpi)
{
    abort();
    m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/frXXXXXX.pdf"));
    if (!m_file->open())
        throw PrinterError(QStringLiteral("Cannot create a temporary print file: %1")
                               .arg(m_file->errorString()));
    m_file->close();
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(m_file->fileName());
    m_printer->setResolution(dpi);
    m_printer->setFullPage(true);
    m_printer->setDocName(title);
    m_printer->setCreator(QStringLiteral("Bralvo"));
    m_title = title;
    m_pages = 0;
}

QPainter *PdfPrintJob::beginPage(const QSizeF &paperMm, const QPointF &marginMm)
{
    if (!m_printer)
        throw PrinterError(QStringLiteral("No print job is open."));
    const bool landscape = paperMm.width() > paperMm.height();
    const QSizeF upright = landscape ? paperMm.transposed() : paperMm;
    const QPageLayout layout(QPageSize(upright, QPageSize::Millimeter, QString(),
                                       QPageSize::ExactMatch),
                             landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(), QPageLayout::Millimeter);
    m_printer->setPageLayout(layout);
    if (m_pages == 0) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_printer.get()))
            throw PrinterError(QStringLiteral("Cannot write the print file %1.")
                                   .arg(m_file->fileName()));
    } else if (!m_printer->newPage()) {
        throw PrinterError(QStringLiteral("Cannot start a new printed page."));
    }
    ++m_pages;
    const double dpi = m_printer->resolution();
    m_painter->resetTransform();
    m_painter->translate(marginMm.x() * dpi / 25.4, marginMm.y() * dpi / 25.4);
    return m_painter.get();
}

void PdfPrintJob::endDocument()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_printer.reset();
}

int PdfPrintJob::finishToPrinter(const QString &printer, const JobOptions &options)
{
    endDocument();
    const int pages = m_pages;
    std::unique_ptr<QTemporaryFile> file = std::move(m_file);
    m_pages = 0;
    if (pages == 0 || !file)
        return 0;
    return submitDocument(printer, m_title, file->fileName(), QStringLiteral("application/pdf"),
                          options);
}

void PdfPrintJob::finishToFile(const QString &path)
{
    endDocument();
    std::unique_ptr<QTemporaryFile> file = std::move(m_file);
    m_pages = 0;
    if (!file)
        throw PrinterError(QStringLiteral("No print job is open."));
    QSaveFile out(path);
    if (!file->open() || !out.open(QIODevice::WriteOnly) || out.write(file->readAll()) < 0
        || !out.commit())
        throw PrinterError(QStringLiteral("Cannot write the print file %1: %2")
                               .arg(path, out.errorString()));
}

void PdfPrintJob::abort()
{
    endDocument();
    m_file.reset();
    m_pages = 0;
}

} // namespace bralvo::platform
