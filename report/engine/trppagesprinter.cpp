// Printing of prepared pages: the job, the page loops of the four modes
// and the sheet geometry.
#include "report/engine/trppagesprinter.h"

#include "platform/error.h"
#include "report/engine/trpdmpexportslot.h"
#include "report/engine/trpprinters.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpoptions.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>
#include <limits>

namespace bralvo::report {
namespace {

TrpPrintDialogRunner &dialogRunner()
{
    static TrpPrintDialogRunner runner;
    return runner;
}

int roundMm(double v) { return RoundToInt(v); }

// Columns x Rows of B-sized cells over A, upright or with B turned;
// true when turning gives strictly fewer.
struct Tiling {
    int columns = 1, rows = 1;
    bool turned = false;
};

Tiling tile(double aw, double ah, double bw, double bh)
{
    Tiling t{PrintFit(aw, bw), PrintFit(ah, bh), false};
    const int c = PrintFit(aw, bh), r = PrintFit(ah, bw);
    if (c * r < t.columns * t.rows)
        t = {c, r, true};
    return t;
}

} // namespace

void SetPrintDialogRunner(TrpPrintDialogRunner runner)
{
    dialogRunner() = std::move(runner);
}

void SelectReportPrinter(const TrpReport &report)
{
    const int index = rpPrinters().IndexOf(report.PrintOptions()->Printer());
    if (index >= 0)
        rpPrinters().SetPrinterIndex(index);
}

int PrintFit(double a, double b)
{
    if (b <= 0)
        return 1;
    const int t = ClampToInt(a / b);
    if (std::fabs(t * b - a) >= 11)
        return t < std::numeric_limits<int>::max() ? t + 1 : t;
    return std::max(1, RoundToInt(a / b));
}

TrpPagesPrinter::TrpPagesPrinter(TrpCustomPreviewPages &pages, TrpPrintHooks hooks)
    : m_pages(pages), m_report(*pages.Report()), m_hooks(std::move(hooks))
{
}

void TrpPagesPrinter::setCopyNo(int v)
{
    if (m_hooks.setCopyNo)
        m_hooks.setCopyNo(v);
}

void TrpPagesPrinter::clearCache()
{
    if (m_hooks.clearPageCache)
        m_hooks.clearPageCache();
}

bool TrpPagesPrinter::Print()
{
    if (!rpPrinters().HasPhysicalPrinters()) {
        ShowLibraryErrorBox(GetResources().Get(QStringLiteral("clNoPrinters")));
        return false;
    }
    if (m_hooks.setPrintScale)
        m_hooks.setPrintScale(1.0);
    TrpPrintOptions &options = *m_report.PrintOptions();
    if (m_report.DotMatrixReport() && CurrentDMPExportFilter()) {
        SelectReportPrinter(m_report);
        CurrentDMPExportFilter()->SetShowDialog(options.ShowDialog());
        return m_pages.Export(CurrentDMPExportFilter());
    }
    TrpPrintOptions saved;
    saved.assign(options);
    m_dialogDuplex = 0;
    SelectReportPrinter(m_report);
    if (options.ShowDialog()) {
        const std::optional<int> duplex =
            dialogRunner() ? dialogRunner()(m_report, m_pages) : std::optional<int>(0);
        if (!duplex) {
            setCopyNo(0);
            return false;
        }
        m_dialogDuplex = *duplex;
    }
    m_printer = rpPrinters().GetCurrentPrinter();
    QString error;
    try {
        if (options.PrintMode() != pmDefault) {
            m_printer->ApplyPaperForView(options.PrintOnSheet(), false, 0, 0);
            m_sheetWidth = m_printer->PaperWidth();
            m_sheetHeight = m_printer->PaperHeight();
        }
        if (m_report.OnPrintReport)
            m_report.OnPrintReport(&m_report);
        // The preview shows no page while the job draws them.
        if (m_report.Preview()) {
            m_report.Preview()->Lock();
            m_previewLocked = true;
        }
        platform::StringList numbers;
        ParsePageNumbers(options.PageNumbers(), numbers, m_pages.GetCount());
        for (int i = 0; i < numbers.count(); ++i)
            m_pageList.insert(numbers.at(i).toInt());
        clearCache();
        printJob();
    } catch (const bralvo::Error &e) {
        error = e.userText();
        // Half a job must not come out of the printer.
        if (m_docStarted && !m_stopped) {
            try {
                m_printer->Abort();
            } catch (const bralvo::Error &) {
                // the first error is the one to report
            }
        }
        if (m_progressShown)
            m_report.EndProgress(ptPrinting);
    }
    if (m_previewLocked)
        m_report.Preview()->Unlock();
    if (m_report.OnAfterPrintReport)
        m_report.OnAfterPrintReport(&m_report);
    setCopyNo(0);
    options.assign(saved);
    if (error.isEmpty())
        return true;
    HandleReportError(&m_report, error);
    return false;
}

void TrpPagesPrinter::printJob()
{
    const TrpPrintOptions &options = *m_report.PrintOptions();
    m_report.SetTerminated(false);
    m_report.BeginProgress(ptPrinting);
    m_progressShown = true;
    QString title = m_report.ReportOptions()->Name();
    if (title.isEmpty())
        title = m_report.ReportFileName();
    m_printer->SetDocumentTitle(title);
    m_pageCount = m_pages.GetCount();
    m_docStarted = false;
    m_lastDuplex = 0;
    // Join mode repeats pages in cells: collation must not square that.
    if (options.Collate() && options.PrintMode() != pmJoin) {
        for (m_copyRun = 1; m_copyRun <= std::max(1, options.Copies()); ++m_copyRun) {
            runPageLoop();
            if ((m_lastDuplex == dmVertical || m_lastDuplex == dmHorizontal) && m_sheetsPrinted % 2 == 1
                && !m_stopped) {
                m_printer->BeginPage();  // the next copy starts on a new sheet
                m_printer->EndPage();
            }
            if (m_report.Terminated())
                break;
        }
    } else {
        m_copyRun = 1;
        runPageLoop();
    }
    if (m_docStarted && !m_stopped)
        m_printer->EndDoc();
    m_stopped = true;  // the job is closed: nothing left to abort
    m_progressShown = false;
    m_report.EndProgress(ptPrinting);
}

void TrpPagesPrinter::runPageLoop()
{
    if (m_report.PrintOptions()->PrintMode() == pmJoin)
        joinLoop();
    else
        defaultLoop();
}

void TrpPagesPrinter::defaultLoop()
{
    const TrpPrintOptions &options = *m_report.PrintOptions();
    const bool split = options.PrintMode() == pmSplit;
    m_sheetsPrinted = 0;
    for (int n = 0; n < m_pageCount; ++n) {
        const int index = options.Reverse() ? m_pageCount - 1 - n : n;
        if (filteredOut(index))
            continue;
        if (m_report.Terminated()) {
            m_printer->Abort();
            m_stopped = true;
            return;
        }
        if (!(split ? splitStep(index) : defaultStep(index)))
            return;
    }
}

bool TrpPagesPrinter::filteredOut(int index) const
{
    const TrpPrintPages which = m_report.PrintOptions()->PrintPages();
    const int number = index + 1;
    return index >= m_pageCount || (!m_pageList.isEmpty() && !m_pageList.contains(number))
           || (which == ppOdd && number % 2 == 0) || (which == ppEven && number % 2 == 1);
}

TrpReportPage *TrpPagesPrinter::preparePage(int index, int &copies, int &bin, int &duplex)
{
    const TrpPrintOptions &options = *m_report.PrintOptions();
    TrpReportPage *page = m_pages.GetPage(index);
    if (!page)
        throw bralvo::Error(QStringLiteral("Page %1 cannot be read.").arg(index + 1));
    copies = options.Collate() ? 1 : std::max(1, options.Copies());
    const int copyNo = options.Collate() ? m_copyRun : 1;
    setCopyNo(copyNo);
    if (m_report.OnPrintPage)
        m_report.OnPrintPage(page, copyNo);
    bin = index == 0 ? page->Bin() : page->BinOtherPages();
    duplex = m_dialogDuplex != 0 ? m_dialogDuplex : int(page->Duplex());
    return page;
}

bool TrpPagesPrinter::defaultStep(int index)
{
    const TrpPrintOptions &options = *m_report.PrintOptions();
    const bool scale = options.PrintMode() == pmScale;
    int copies = 1, bin = 7, duplex = 0;
    TrpReportPage *page = preparePage(index, copies, bin, duplex);
    const bool landscape = page->Orientation() == poLandscape;
    const int width = roundMm(page->PaperWidth()), height = roundMm(page->PaperHeight());
    const bool same = m_docStarted && bin == m_lastBin && landscape == m_lastLandscape && duplex == m_lastDuplex
                      && (scale || (page->PaperSize() == m_lastPaper && width == m_lastWidth
                                    && height == m_lastHeight));
    if (!same) {
        if (scale) {
            m_printer->ApplyPrintSettings(options.PrintOnSheet(), landscape, copies, duplex + 1, bin,
                                          m_sheetHeight, m_sheetWidth);
            m_sheetWidth = m_printer->PaperWidth();
            m_sheetHeight = m_printer->PaperHeight();
        } else {
            m_printer->ApplyPrintSettings(page->PaperSize(), landscape, copies, duplex + 1, bin,
                                          page->PaperHeight(), page->PaperWidth());
        }
    }
    double zoomX = 1, zoomY = 1;
    if (scale) {
        zoomX = m_sheetWidth / page->PaperWidth();
        zoomY = m_sheetHeight / page->PaperHeight();
        if (m_hooks.setPrintScale)
            m_hooks.setPrintScale(std::min(zoomX, zoomY));
    }
    if (!m_docStarted)
        m_printer->BeginDoc();
    m_printer->BeginPage();
    const QPoint dpi = m_printer->DPI();
    drawTile(index, dpi.x() / 96.0 * zoomX, dpi.y() / 96.0 * zoomY, -m_printer->LeftMargin() * dpi.x() / 25.4,
             -m_printer->TopMargin() * dpi.y() / 25.4);
    m_report.StepProgress(ptPrinting, index + 1);
    m_printer->EndPage();
    QCoreApplication::processEvents();
    m_docStarted = true;
    ++m_sheetsPrinted;
    m_lastPaper = page->PaperSize();
    m_lastWidth = width;
    m_lastHeight = height;
    m_lastBin = bin;
    m_lastLandscape = landscape;
    m_lastDuplex = duplex;
    clearCache();
    return true;
}

void TrpPagesPrinter::drawTile(int index, double scaleX, double scaleY, double offsetX, double offsetY)
{
    QPainter *canvas = m_printer->Canvas();
    if (canvas)
        m_pages.DrawPage(index, *canvas, scaleX, scaleY, offsetX, offsetY);
}

bool TrpPagesPrinter::splitStep(int index)
{
    const TrpPrintOptions &options = *m_report.PrintOptions();
    int copies = 1, bin = 7, duplex = 0;
    TrpReportPage *page = preparePage(index, copies, bin, duplex);
    const Tiling t = tile(page->PaperWidth(), page->PaperHeight(), m_sheetWidth, m_sheetHeight);
    const bool rotated = t.turned;
    if (!m_docStarted || rotated != m_lastLandscape)
        m_printer->ApplyPrintSettings(options.PrintOnSheet(), rotated, copies, duplex + 1, bin, m_sheetHeight,
                                      m_sheetWidth);
    if (!m_docStarted)
        m_printer->BeginDoc();
    const QPoint dpi = m_printer->DPI();
    const double dx = dpi.x() / 25.4, dy = dpi.y() / 25.4;
    const double sx = (rotated ? m_sheetHeight : m_sheetWidth) * dx;
    const double sy = (rotated ? m_sheetWidth : m_sheetHeight) * dy;
    const double ml = m_printer->LeftMargin() * dx, mt = m_printer->TopMargin() * dy;
    const double mr = m_printer->RightMargin() * dx, mb = m_printer->BottomMargin() * dy;
    const double ox = m_overlapX * dx, oy = m_overlapY * dy;
    // Each tile goes on where the printable area of the last one ended,
    // overlapping it by 3 mm.
    double accY = 0, prevT = 0, offsetY = -mt;
    for (int r = 0; r < t.rows; ++r) {
        double accX = 0, prevL = 0, offsetX = -ml;
        for (int c = 0; c < t.columns; ++c) {
            m_printer->BeginPage();
            drawTile(index, dpi.x() / 96.0, dpi.y() / 96.0, offsetX, offsetY);
            m_printer->EndPage();
            accX += (sx - prevL - mr) - ox;
            offsetX = -accX;
            prevL = ml;
        }
        accY += (sy - prevT - mb) - oy;
        offsetY = -accY;
        prevT = mt;
    }
    m_report.StepProgress(ptPrinting, index + 1);
    QCoreApplication::processEvents();
    m_docStarted = true;
    ++m_sheetsPrinted;
    m_lastLandscape = rotated;
    clearCache();
    return true;
}

int TrpPagesPrinter::nextJoinPage(int after) const
{
    for (int i = after + 1; i < m_pageCount; ++i)
        if (m_pageList.isEmpty() || m_pageList.contains(i + 1))
            return i;
    return -1;
}

// Cells of the first page's size; each page fills Copies consecutive
// cells, carrying over to the next sheet when one fills up.
void TrpPagesPrinter::joinLoop()
{
    const TrpPrintOptions &options = *m_report.PrintOptions();
    m_sheetsPrinted = 0;
    int current = nextJoinPage(-1);
    if (current < 0)
        return;
    TrpReportPage *first = m_pages.GetPage(current);
    if (!first)
        throw bralvo::Error(QStringLiteral("Page %1 cannot be read.").arg(current + 1));
    const double pageWidth = first->PaperWidth(), pageHeight = first->PaperHeight();
    Tiling t = tile(m_sheetWidth, m_sheetHeight, pageWidth, pageHeight);
    if (t.turned)
        std::swap(t.columns, t.rows);
    const int duplex = m_dialogDuplex != 0 ? m_dialogDuplex : int(first->Duplex());
    m_printer->ApplyPrintSettings(options.PrintOnSheet(), t.turned, 1, duplex + 1, first->Bin(), m_sheetHeight,
                                  m_sheetWidth);
    m_docStarted = true;
    m_printer->BeginDoc();
    const QPoint dpi = m_printer->DPI();
    const double stepX = dpi.x() / 25.4 * pageWidth, stepY = dpi.y() / 25.4 * pageHeight;
    const int copies = std::max(1, options.Copies());
    int k = 1;
    while (current >= 0) {
        m_printer->BeginPage();
        double offsetY = -m_printer->TopMargin() * dpi.y() / 25.4;
        int lastDrawn = current;
        for (int r = 0; r < t.rows && current >= 0; ++r) {
            double offsetX = -m_printer->LeftMargin() * dpi.x() / 25.4;
            for (int c = 0; c < t.columns && current >= 0; ++c) {
                setCopyNo(k);
                drawTile(current, dpi.x() / 96.0, dpi.y() / 96.0, offsetX, offsetY);
                lastDrawn = current;
                if (++k > copies) {
                    k = 1;
                    current = nextJoinPage(current);
                }
                offsetX += stepX;
            }
            offsetY += stepY;
        }
        m_printer->EndPage();
        m_report.StepProgress(ptPrinting, lastDrawn);
        QCoreApplication::processEvents();
        if (m_report.Terminated()) {
            m_printer->Abort();
            m_stopped = true;
            return;
        }
        ++m_sheetsPrinted;
        clearCache();
    }
}

} // namespace bralvo::report
