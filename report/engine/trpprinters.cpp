// The printer list, the common printer base and the virtual printer.
#include "report/engine/trpprinters.h"

#include "platform/printers/papertable.h"
#include "report/model/trpresources.h"

#include <cmath>

namespace bralvo::report {

TrpCustomPrinter::TrpCustomPrinter(const QString &Name, const QString &Port)
    : m_name(Name), m_port(Port)
{
    m_binList.append({GetResources().Get(QStringLiteral("prDefault")), platform::kAutoBin});
    m_paperList.append({GetResources().Get(QStringLiteral("prCustom")), platform::kCustomPaper});
}

TrpCustomPrinter::~TrpCustomPrinter() = default;

int TrpCustomPrinter::PaperIndex(int Code) const
{
    for (int i = 0; i < m_paperList.size(); ++i)
        if (m_paperList.at(i).Code == Code)
            return i;
    return -1;
}

int TrpCustomPrinter::PaperCodeByName(const QString &Name) const
{
    for (const TrpCodeItem &item : m_paperList)
        if (item.Name == Name)
            return item.Code;
    return m_paperList.first().Code;
}

// --- virtual printer

TrpVirtualPrinter::TrpVirtualPrinter(const QString &Name, const QString &Port)
    : TrpCustomPrinter(Name, Port)
{
}

void TrpVirtualPrinter::EnsureInitialized()
{
    m_dpi = QPoint(600, 600);
    m_defaultPaper = m_paperCode = platform::kA4Paper;
    m_defaultOrientation = m_orientation = false;
    m_defaultPaperWidth = m_paperWidth = 210;
    m_defaultPaperHeight = m_paperHeight = 297;
    if (!m_initialized)
        for (const platform::PaperSize &p : platform::paperTable())
            m_paperList.append({QString(), p.code});
    m_chosenBin = -1;
    m_initialized = true;
}

void TrpVirtualPrinter::ApplyPaperForView(int PaperCode, bool Landscape, double PaperWidth,
                                          double PaperHeight)
{
    const auto size = PaperCode == platform::kCustomPaper ? std::nullopt
                                                           : platform::paperDimensions(PaperCode);
    if (size) {
        m_paperCode = PaperCode;
        m_paperWidth = Landscape ? size->height() : size->width();
        m_paperHeight = Landscape ? size->width() : size->height();
    } else {
        m_paperCode = platform::kCustomPaper;
        m_paperWidth = PaperWidth;
        m_paperHeight = PaperHeight;
    }
    m_orientation = Landscape;
    m_leftMargin = m_topMargin = m_rightMargin = m_bottomMargin = 4;
}

void TrpVirtualPrinter::ApplyPrintSettings(int PaperCode, bool Landscape, int, int, int Bin,
                                           double PaperHeight, double PaperWidth)
{
    ApplyPaperForView(PaperCode, Landscape, PaperWidth, PaperHeight);
    m_chosenBin = Bin;
}

// --- the list

TrpPrinters::TrpPrinters()
{
    EnumeratePrinters();
    if (!m_printers.empty()) {
        m_hasPhysicalPrinters = true;
        SetPrinterIndex(IndexOf(DefaultPrinterName()));
    } else {
        m_printers.push_back(std::make_unique<TrpVirtualPrinter>(
            GetResources().Get(QStringLiteral("prVirtual")), QString()));
        m_hasPhysicalPrinters = false;
        SetPrinterIndex(0);
    }
}

TrpPrinters::~TrpPrinters() = default;

void TrpPrinters::Clear()
{
    m_printers.clear();
    m_names.clear();
    m_printerIndex = -1;
}

TrpCustomPrinter *TrpPrinters::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? m_printers[size_t(Index)].get() : nullptr;
}

int TrpPrinters::IndexOf(const QString &Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_printers[size_t(i)]->Name().compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TrpPrinters::SetPrinterIndex(int Index)
{
    if (Count() == 0)
        return;
    if (!Items(Index))
        Index = IndexOf(DefaultPrinterName());
    if (!Items(Index))
        Index = 0;
    m_printerIndex = Index;
    m_printers[size_t(Index)]->EnsureInitialized();
}

TrpCustomPrinter *TrpPrinters::GetCurrentPrinter() const { return Items(m_printerIndex); }

QString TrpPrinters::DefaultPrinterName() const { return platform::cupsDefaultPrinter(); }

void TrpPrinters::EnumeratePrinters()
{
    Clear();
    for (const QString &name : platform::cupsPrinterNames())
        AddPrinter(name, QString());
}

void TrpPrinters::AddPrinter(const QString &Name, const QString &Port)
{
    m_printers.push_back(std::make_unique<TrpPrinter>(Name, Port));
    m_names.append(Name);
}

TrpPrinters &rpPrinters()
{
    static std::unique_ptr<TrpPrinters> list;
    if (!list)
        list = std::make_unique<TrpPrinters>();
    return *list;
}

bool rpGetPaperDimensions(int PaperCode, double &Width, double &Height)
{
    const auto size = platform::paperDimensions(PaperCode);
    if (!size)
        return false;
    Width = size->width();
    Height = size->height();
    return true;
}

TrpPrinterPaper rpCurrentPrinterPaper()
{
    TrpPrinterPaper paper;
    TrpPrinters &list = rpPrinters();
    TrpCustomPrinter *printer = list.HasPhysicalPrinters() ? list.GetCurrentPrinter() : nullptr;
    if (!printer || !printer->Initialized() || printer->DefaultPaper() <= 0)
        return paper;
    paper.paperSize = printer->DefaultPaper();
    paper.orientation = printer->DefaultOrientation() ? poLandscape : poPortrait;
    double w = printer->DefaultPaperWidth(), h = printer->DefaultPaperHeight();
    if (rpGetPaperDimensions(paper.paperSize, w, h) && paper.orientation == poLandscape)
        std::swap(w, h);
    if (w > 0 && h > 0) {
        paper.width = w;
        paper.height = h;
    }
    return paper;
}

} // namespace bralvo::report
