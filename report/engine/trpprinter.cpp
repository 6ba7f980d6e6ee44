// A print-server queue as a report printer: its device mode, capabilities
// and the drawn and raw jobs.
#include "report/engine/trpprinters.h"

#include "platform/printers/papertable.h"
#include "platform/printers/printererror.h"
#include "report/model/trpnumberbounds.h"

#include <cmath>

namespace bralvo::report {
namespace {

using platform::DeviceMode;

TrpPropertiesDialog &propertiesDialog()
{
    static TrpPropertiesDialog dialog;
    return dialog;
}

[[noreturn]] void notValid()
{
    throw platform::PrinterError(QStringLiteral("Printer selected is not valid"));
}

double roundMm(double v) { return std::nearbyint(v); }

struct PaperBox {
    double width = 0, height = 0, left = 0, top = 0, right = 0, bottom = 0;
};

PaperBox boxOf(const platform::CupsPaper &p)
{
    return {p.width, p.height, p.left, p.top, p.right, p.bottom};
}

// Margins for a size the printer does not list: those of its A4, else
// of its default paper, else none.
PaperBox fallbackMargins(const platform::CupsPrinterInfo &info)
{
    if (const platform::CupsPaper *a4 = info.paper(platform::kA4Paper))
        return boxOf(*a4);
    if (info.defaultPaper >= 0)
        return boxOf(info.papers.at(info.defaultPaper));
    return {};
}

PaperBox uprightBox(const DeviceMode &mode, const platform::CupsPrinterInfo &info)
{
    if (mode.paperSize == platform::kCustomPaper) {
        PaperBox box = fallbackMargins(info);
        box.width = mode.paperWidth / 10.0;
        box.height = mode.paperLength / 10.0;
        return box;
    }
    if (const platform::CupsPaper *p = info.paper(mode.paperSize))
        return boxOf(*p);
    PaperBox box = fallbackMargins(info);
    const auto size = platform::paperDimensions(mode.paperSize);
    const QSizeF s = size ? *size : QSizeF(210, 297);
    box.width = s.width();
    box.height = s.height();
    return box;
}

// Turned as report pages turn their margins.
PaperBox oriented(PaperBox b, bool landscape)
{
    if (!landscape)
        return b;
    return {b.height, b.width, b.top, b.right, b.bottom, b.left};
}

} // namespace

void SetPrinterPropertiesDialog(TrpPropertiesDialog Dialog)
{
    propertiesDialog() = std::move(Dialog);
}

TrpPrinter::TrpPrinter(const QString &Name, const QString &Port) : TrpCustomPrinter(Name, Port) {}

TrpPrinter::~TrpPrinter() = default;

QPainter *TrpPrinter::Canvas() const { return m_pdf.painter(); }

void TrpPrinter::ReadCapabilities()
{
    if (!m_info || m_info->dpi.x() <= 0 || m_info->dpi.y() <= 0)
        notValid();
    m_dpi = m_info->dpi;
    const PaperBox b = oriented(uprightBox(m_mode, *m_info), m_mode.orientation == 2);
    m_exactWidth = b.width;
    m_exactHeight = b.height;
    m_paperWidth = roundMm(b.width);
    m_paperHeight = roundMm(b.height);
    m_leftMargin = roundMm(b.left);
    m_topMargin = roundMm(b.top);
    m_rightMargin = m_paperWidth - roundMm(b.width - b.left - b.right) - m_leftMargin;
    m_bottomMargin = m_paperHeight - roundMm(b.height - b.top - b.bottom) - m_topMargin;
}

void TrpPrinter::EnsureInitialized()
{
    if (m_initialized)
        return;
    m_info = platform::cupsPrinterInfo(m_name);
    if (!m_info)
        return;
    m_mode = DeviceMode{};
    m_mode.fields = DeviceMode::Orientation | DeviceMode::PaperSize;
    m_mode.paperSize = m_info->defaultPaper >= 0 ? m_info->papers.at(m_info->defaultPaper).code
                                                 : platform::kA4Paper;
    m_mode.orientation = m_info->landscape ? 2 : 1;
    try {
        ReadCapabilities();
    } catch (const platform::PrinterError &) {
        m_info.reset();  // stays uninitialized; the next call asks again
        return;
    }
    m_defaultPaper = m_paperCode = m_mode.paperSize;
    m_defaultPaperWidth = m_paperWidth;
    m_defaultPaperHeight = m_paperHeight;
    m_defaultOrientation = m_orientation = m_info->landscape;
    for (const platform::CupsPaper &p : m_info->papers)
        if (p.code != platform::kCustomPaper)
            m_paperList.append({p.name, p.code});
    for (const platform::CupsBin &b : m_info->bins)
        m_binList.append({b.name, b.code});
    m_chosenBin = -1;
    m_initialized = true;
}

void TrpPrinter::ApplyPaperForView(int PaperCode, bool Landscape, double PaperWidth,
                                   double PaperHeight)
{
    if (!m_info)
        notValid();
    if (PaperCode == platform::kCustomPaper) {
        ApplyPaperForView(platform::kA4Paper, Landscape, 0, 0);
        m_paperWidth = m_exactWidth = PaperWidth;
        m_paperHeight = m_exactHeight = PaperHeight;
    } else {
        m_mode.fields |= DeviceMode::Orientation | DeviceMode::PaperSize;
        m_mode.paperSize = PaperCode;
        m_mode.orientation = Landscape ? 2 : 1;
        ReadCapabilities();
    }
    m_paperCode = PaperCode;
    m_orientation = Landscape;
}

void TrpPrinter::ApplyPrintSettings(int PaperCode, bool Landscape, int Copies, int Duplex,
                                    int Bin, double PaperHeight, double PaperWidth)
{
    if (!m_info)
        notValid();
    m_mode.fields |= DeviceMode::Orientation | DeviceMode::PaperSize | DeviceMode::Copies
                     | DeviceMode::DefaultSource;
    if (Duplex != 1)
        m_mode.fields |= DeviceMode::Duplex;
    const bool custom = PaperCode == platform::kCustomPaper;
    if (custom)
        m_mode.fields |= DeviceMode::PaperLength | DeviceMode::PaperWidth;
    m_mode.paperLength = custom ? RoundToInt(PaperHeight * 10) : 0;
    m_mode.paperWidth = custom ? RoundToInt(PaperWidth * 10) : 0;
    m_mode.paperSize = PaperCode;
    m_mode.orientation = Landscape ? 2 : 1;
    m_mode.copies = Copies;
    const int bin = m_chosenBin != -1 ? m_chosenBin : Bin;
    if (bin != platform::kAutoBin)
        m_mode.defaultSource = bin;
    if (Duplex == 4)
        m_mode.duplex = DeviceMode::Simplex;
    else if (Duplex == 2 || Duplex == 3)
        m_mode.duplex = Duplex;
    ReadCapabilities();
    m_paperCode = PaperCode;
    m_orientation = Landscape;
}

platform::JobOptions TrpPrinter::CurrentJobOptions() const
{
    platform::JobOptions options = platform::jobOptions(m_mode, *m_info);
    // The print code asks for several copies only when not collating.
    if ((m_mode.fields & DeviceMode::Copies) && m_mode.copies > 1)
        options.append({QStringLiteral("multiple-document-handling"),
                        QStringLiteral("separate-documents-uncollated-copies")});
    return options;
}

void TrpPrinter::BeginDoc()
{
    if (!m_info)
        notValid();
    m_pdf.begin(m_documentTitle, m_dpi.y());
    m_docOpen = true;
    m_jobOptions = CurrentJobOptions();
    m_queuedJobs.clear();
}

// A queue takes one bin, duplex and copy count per job: pages whose
// settings differ go out as the next job.
void TrpPrinter::FlushJob()
{
    try {
        m_queuedJobs.append(m_pdf.finishToPrinter(m_name, m_jobOptions));
        m_pdf.begin(m_documentTitle, m_dpi.y());
    } catch (...) {
        Abort();  // the parts already queued are cancelled too
        throw;
    }
}

void TrpPrinter::BeginPage()
{
    if (!m_docOpen)
        throw platform::PrinterError(QStringLiteral("No print job is open."));
    const platform::JobOptions options = CurrentJobOptions();
    if (m_pdf.pageCount() > 0 && options != m_jobOptions && m_outputFileName.isEmpty())
        FlushJob();
    m_jobOptions = options;
    m_pdf.beginPage(QSizeF(m_exactWidth, m_exactHeight), QPointF(m_leftMargin, m_topMargin));
}

void TrpPrinter::EndPage() {}

void TrpPrinter::EndDoc()
{
    if (!m_docOpen)
        return;
    m_docOpen = false;
    m_chosenBin = -1;
    try {
        if (m_outputFileName.isEmpty())
            m_pdf.finishToPrinter(m_name, m_jobOptions);
        else
            m_pdf.finishToFile(m_outputFileName);
    } catch (...) {
        // Half a document must not come out of the printer.
        for (int id : std::as_const(m_queuedJobs))
            platform::cancelJob(m_name, id);
        m_queuedJobs.clear();
        throw;
    }
    m_queuedJobs.clear();
}

void TrpPrinter::Abort()
{
    m_pdf.abort();
    for (int id : std::as_const(m_queuedJobs))
        platform::cancelJob(m_name, id);
    m_queuedJobs.clear();
    m_docOpen = false;
    m_chosenBin = -1;
}

void TrpPrinter::BeginRawDoc() { m_raw.begin(m_name, m_documentTitle); }

void TrpPrinter::WriteRaw(const QByteArray &Bytes) { m_raw.write(Bytes); }

void TrpPrinter::EndRawDoc() { m_raw.finish(); }

void TrpPrinter::ShowPropertiesDialog()
{
    if (!propertiesDialog())
        return;
    if (const std::optional<int> bin = propertiesDialog()(*this))
        m_chosenBin = *bin;
}

} // namespace bralvo::report
