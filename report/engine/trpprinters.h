// The report library's printers: one TrpPrinter per print-server queue,
// or one TrpVirtualPrinter when none exists so that page sizes and the
// preview still work. Each printer knows its papers and bins (Windows
// codes: paper 9 is A4, 256 a custom size; bin 7 the automatic bin), its
// resolution, and the paper size and unprintable margins of its current
// setting, and runs drawn jobs (painted pages, sent as PDF) and raw jobs
// (bytes passed unchanged, for dot-matrix output).
//
// Units: sizes and margins in millimetres, rounded to whole millimetres
// as the printer reports them; DPI in dots per inch. A drawn job goes
// ApplyPrintSettings* / BeginDoc / (BeginPage / paint on Canvas() /
// EndPage)* / EndDoc or Abort. Failures throw platform::PrinterError.
#pragma once

#include "platform/printers/cupsjob.h"
#include "platform/printers/cupsprinters.h"
#include "platform/printers/devicemode.h"
#include "platform/printers/pdfprintjob.h"
#include "report/model/trppage.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace bralvo::report {

// One entry of a paper or bin list: the name shown and its code.
struct TrpCodeItem {
    QString Name;
    int Code = 0;
    bool operator==(const TrpCodeItem &) const = default;
};
using TrpCodeList = QList<TrpCodeItem>;

class TrpCustomPrinter {
public:
    // Keeps both; the bin list starts with "prDefault" (7), the paper list
    // with "prCustom" (256).
    TrpCustomPrinter(const QString &Name, const QString &Port);
    virtual ~TrpCustomPrinter();
    TrpCustomPrinter(const TrpCustomPrinter &) = delete;
    TrpCustomPrinter &operator=(const TrpCustomPrinter &) = delete;

    // Reads papers, bins and the default setting once; a printer the
    // server cannot describe stays uninitialized and is asked again.
    virtual void EnsureInitialized() = 0;
    virtual void Abort() = 0;     // drops the drawn job; nothing printed
    virtual void BeginDoc() = 0;
    virtual void BeginPage() = 0;
    virtual void BeginRawDoc() = 0;
    virtual void EndDoc() = 0;    // queues the drawn job (or writes OutputFileName)
    virtual void EndPage() = 0;
    virtual void EndRawDoc() = 0;
    virtual void WriteRaw(const QByteArray &Bytes) = 0;
    // Selects paper and orientation so sizes and margins can be read;
    // Width and Height (mm) count only for code 256.
    virtual void ApplyPaperForView(int PaperCode, bool Landscape, double PaperWidth,
                                   double PaperHeight) = 0;
    // Selects everything for the next printed page. Duplex: 1 leaves the
    // printer's setting, 2 vertical, 3 horizontal, 4 simplex. Bin 7 keeps
    // the printer's source; a bin chosen in the properties dialog wins
    // until the document ends.
    virtual void ApplyPrintSettings(int PaperCode, bool Landscape, int Copies, int Duplex,
                                    int Bin, double PaperHeight, double PaperWidth) = 0;
    virtual void ShowPropertiesDialog() = 0;

    // Position in PaperList of the code, -1 when absent.
    int PaperIndex(int Code) const;
    // Code of the entry with that name, else of the first entry (256).
    int PaperCodeByName(const QString &Name) const;

    int ChosenBin() const { return m_chosenBin; }
    void SetChosenBin(int Bin) { m_chosenBin = Bin; }
    const TrpCodeList &BinList() const { return m_binList; }
    const TrpCodeList &PaperList() const { return m_paperList; }
    // The painter of the open page, nullptr outside a page. Its device is
    // a QPrinter at DPI, so text is measured at the printer's resolution;
    // its origin is the printable area's top-left corner, in dots.
    virtual QPainter *Canvas() const { return nullptr; }
    bool DefaultOrientation() const { return m_defaultOrientation; }
    int DefaultPaper() const { return m_defaultPaper; }
    double DefaultPaperHeight() const { return m_defaultPaperHeight; }
    double DefaultPaperWidth() const { return m_defaultPaperWidth; }
    QPoint DPI() const { return m_dpi; }
    QString OutputFileName() const { return m_outputFileName; }
    void SetOutputFileName(const QString &v) { m_outputFileName = v; }
    bool Initialized() const { return m_initialized; }
    QString Name() const { return m_name; }
    int PaperCode() const { return m_paperCode; }
    double PaperHeight() const { return m_paperHeight; }
    double PaperWidth() const { return m_paperWidth; }
    double LeftMargin() const { return m_leftMargin; }
    double TopMargin() const { return m_topMargin; }
    double RightMargin() const { return m_rightMargin; }
    double BottomMargin() const { return m_bottomMargin; }
    bool Orientation() const { return m_orientation; } // true = landscape
    QString Port() const { return m_port; }
    bool DocOpen() const { return m_docOpen; }
    QString DocumentTitle() const { return m_documentTitle; }
    void SetDocumentTitle(const QString &v) { m_documentTitle = v; }

protected:
    int m_chosenBin = -1;
    TrpCodeList m_binList;
    bool m_defaultOrientation = false;
    int m_defaultPaper = 0;
    double m_defaultPaperHeight = 0;
    double m_defaultPaperWidth = 0;
    QPoint m_dpi;
    QString m_outputFileName;
    bool m_initialized = false;
    QString m_name;
    int m_paperCode = 0;
    TrpCodeList m_paperList;
    double m_paperHeight = 0;
    double m_paperWidth = 0;
    double m_leftMargin = 0;
    double m_topMargin = 0;
    double m_rightMargin = 0;
    double m_bottomMargin = 0;
    bool m_orientation = false;
    QString m_port;
    bool m_docOpen = false;
    QString m_documentTitle;
};

// The printer properties dialog lives in the window layer; it returns the
// bin the user picked, or nullopt when cancelled. Without one installed,
// ShowPropertiesDialog does nothing.
using TrpPropertiesDialog = std::function<std::optional<int>(TrpCustomPrinter &)>;
void SetPrinterPropertiesDialog(TrpPropertiesDialog Dialog);

// A print-server queue.
class TrpPrinter : public TrpCustomPrinter {
public:
    TrpPrinter(const QString &Name, const QString &Port);
    ~TrpPrinter() override;

    void EnsureInitialized() override;
    void Abort() override;
    void BeginDoc() override;     // throws when no temporary file can be made
    void BeginPage() override;
    void BeginRawDoc() override;  // throws when the queue refuses the job
    void EndDoc() override;       // throws when the job cannot be queued
    void EndPage() override;
    void EndRawDoc() override;    // throws when the job cannot be queued
    void WriteRaw(const QByteArray &Bytes) override; // throws on failure
    // Both throw "Printer selected is not valid" on an uninitialized printer.
    void ApplyPaperForView(int PaperCode, bool Landscape, double PaperWidth,
                           double PaperHeight) override;
    void ApplyPrintSettings(int PaperCode, bool Landscape, int Copies, int Duplex, int Bin,
                            double PaperHeight, double PaperWidth) override;
    void ShowPropertiesDialog() override;
    QPainter *Canvas() const override;

    // The device mode that the next page or raw job is sent with.
    const platform::DeviceMode &Mode() const { return m_mode; }

private:
    void ReadCapabilities();
    platform::JobOptions CurrentJobOptions() const;
    void FlushJob();

    std::optional<platform::CupsPrinterInfo> m_info;
    platform::DeviceMode m_mode;
    platform::PdfPrintJob m_pdf;
    platform::CupsRawJob m_raw;
    platform::JobOptions m_jobOptions;
    QList<int> m_queuedJobs;  // parts of this document already queued
    double m_exactWidth = 0, m_exactHeight = 0, m_exactLeft = 0, m_exactTop = 0;
};

// Stands in when no printer is installed: 600 dpi, every table paper,
// 4 mm margins; jobs do nothing.
class TrpVirtualPrinter : public TrpCustomPrinter {
public:
    TrpVirtualPrinter(const QString &Name, const QString &Port);

    void EnsureInitialized() override;
    void Abort() override {}
    void BeginDoc() override {}
    void BeginPage() override {}
    void BeginRawDoc() override {}
    void EndDoc() override {}
    void EndPage() override {}
    void EndRawDoc() override {}
    void WriteRaw(const QByteArray &) override {}
    void ApplyPaperForView(int PaperCode, bool Landscape, double PaperWidth,
                           double PaperHeight) override;
    void ApplyPrintSettings(int PaperCode, bool Landscape, int Copies, int Duplex, int Bin,
                            double PaperHeight, double PaperWidth) override;
    void ShowPropertiesDialog() override {}
};

class TrpPrinters {
public:
    // Lists the server's queues and selects the default one; with none,
    // holds a virtual printer named "prVirtual" that Names() leaves out.
    TrpPrinters();
    ~TrpPrinters();
    TrpPrinters(const TrpPrinters &) = delete;
    TrpPrinters &operator=(const TrpPrinters &) = delete;

    void Clear();
    int Count() const { return int(m_printers.size()); }
    TrpCustomPrinter *Items(int Index) const;  // nullptr out of range
    int IndexOf(const QString &Name) const;     // ignores case; -1 absent
    // -1 selects the system's default printer. An index that names no
    // printer (a default the list lacks, a stale index) selects the
    // default, else the first printer, so a valid printer is always
    // current. The selected printer is then initialized.
    void SetPrinterIndex(int Index);
    TrpCustomPrinter *GetCurrentPrinter() const;
    QString DefaultPrinterName() const;
    void EnumeratePrinters();
    void AddPrinter(const QString &Name, const QString &Port);

    bool HasPhysicalPrinters() const { return m_hasPhysicalPrinters; }
    const QStringList &Names() const { return m_names; }
    int PrinterIndex() const { return m_printerIndex; }

private:
    bool m_hasPhysicalPrinters = false;
    QStringList m_names;
    int m_printerIndex = -1;
    std::vector<std::unique_ptr<TrpCustomPrinter>> m_printers;
};

// The one process-wide list, made on first call and never re-read.
TrpPrinters &rpPrinters();

// Upright size in millimetres of a table paper code; false (outputs
// untouched) for codes the table lacks, 256 among them. Report pages
// read the same table (PaperDimensionsMm).
bool rpGetPaperDimensions(int PaperCode, double &Width, double &Height);

// The paper a new page takes for the current printer (SetDefaults): the
// printer's default paper code and orientation, sized from the paper
// table (swapped in landscape), or the printer's own size for a paper
// the table lacks; A4 portrait with no physical printer or when the
// printer cannot be read. installReportEngine() installs it into pages.
TrpPrinterPaper rpCurrentPrinterPaper();

} // namespace bralvo::report
