// The dot-matrix export: the grid of one page, its rows as printer bytes,
// and the raw jobs of a printed export.
#include "report/export/trpdmpexport.h"

#include "platform/printers/printererror.h"
#include "platform/registryini.h"
#include "platform/stream.h"
#include "report/engine/trpdmpexportslot.h"
#include "report/engine/trpdmprinters.h"
#include "report/engine/trpdrawtext.h"
#include "report/engine/trpprinters.h"
#include "report/model/reporterror.h"
#include "report/model/trpdmpmemoview.h"
#include "report/model/trpdotmatrix.h"
#include "report/model/trpnumberbounds.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"

#include <QFile>
#include <QStringEncoder>

#include <algorithm>
#include <cmath>

namespace bralvo::report {
namespace {

int roundCells(double v) { return RoundToInt(v); }

TrpDMPExportDialogRunner &dialogSeam()
{
    static TrpDMPExportDialogRunner dialog;
    return dialog;
}

// On and Off commands of each style bit, in bit order.
constexpr DMPField kStyleFields[9][2] = {
    {DMPField::BoldOn, DMPField::BoldOff},
    {DMPField::ItalicOn, DMPField::ItalicOff},
    {DMPField::UnderlineOn, DMPField::UnderlineOff},
    {DMPField::SuperscriptOn, DMPField::SuperscriptOff},
    {DMPField::SubscriptOn, DMPField::SubscriptOff},
    {DMPField::CondensedOn, DMPField::CondensedOff},
    {DMPField::WideOn, DMPField::WideOff},
    {DMPField::cpi12On, DMPField::cpi12Off},
    {DMPField::cpi15On, DMPField::cpi15Off},
};

// The memo's text wrapped as the page shows it (scale 1, word wrap on).
// Code page 852 has no euro sign: the code stands in for it, before the
// wrap so that the longer text is measured.
QString wrappedText(const TrpCustomMemoView &memo, bool oem)
{
    TrpDrawText layout;
    const TrpHighlight *h = memo.Highlight();
    layout.SetFont(h->Active() ? *h->Font() : *memo.Font());
    layout.SetOptions(true, memo.AllowHTMLTags(), memo.Rotation(), memo.Wysiwyg(), memo.Clipped(),
                      memo.WordBreak(), memo.RTLReading());
    layout.SetGaps(memo.ParagraphGap(), memo.CharSpacing(), memo.LineSpacing());
    // Lines are as long as the memo has cells: frames run between the
    // cells and take no room from the text.
    const TrpTextRect rect{0, 0, ClampToInt(std::ceil(memo.Width())), ClampToInt(std::ceil(memo.Height()))};
    layout.SetDimensions(rect, rect, 1, 1, 1);
    TWideStrings text;
    text.SetText(memo.Memo()->Text());
    if (oem && text.Text().contains(QChar(0x20AC)))
        text.SetText(text.Text().replace(QChar(0x20AC), QStringLiteral("EUR")));
    layout.SetText(text);
    return memo.AllowHTMLTags() ? TrpDrawText::DeleteTags(layout.GetWrappedText())
                                : layout.GetWrappedText();
}

// Lines split at CR, LF or CR LF; a break at the very end adds no line.
QList<QByteArray> splitLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    QByteArray line;
    for (int i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.append(line);
        line.clear();
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QByteArray padLine(const QByteArray &line, int width, TrpHAlign align)
{
    const int n = int(line.size());
    if (n >= width)
        return line;
    if (align == haRight)
        return QByteArray(width - n, ' ') + line;
    if (align == haCenter) {
        const QByteArray centred = QByteArray(std::max(0, width / 2 - n / 2), ' ') + line;
        return centred.leftJustified(width, ' ');
    }
    return line.leftJustified(width, ' ');
}

} // namespace

// One page's cells: characters, frame bits (1 up, 2 right, 4 down,
// 8 left) and styles, row-major.
struct TrpDotMatrixExport::Grid {
    int width = 0, height = 0, rowsUsed = 0, pageStyle = 0;
    // Where the printable area starts on the paper, in pixels: objects
    // of a prepared page sit inside the margins.
    double originLeft = 0, originTop = 0;
    QByteArray chars;
    QByteArray frames;
    std::vector<int> styles;

    bool inside(int c, int r) const { return c >= 0 && r >= 0 && c < width && r < height; }
    int at(int c, int r) const { return c + r * width; }
};

const platform::ClassInfo &TrpDotMatrixExport::staticClass()
{
    using T = TrpDotMatrixExport;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpDotMatrixExport", &TrpCustomExportFilter::staticClass(),
        [](platform::Component *owner) -> platform::Persistent * { return new T(owner); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("CustomFrameSet", &T::CustomFrameSet, &T::SetCustomFrameSet);
            b.integer("EscModel", &T::EscModel, &T::SetEscModel);
            b.boolean("GraphicFrames", &T::GraphicFrames, &T::SetGraphicFrames);
            b.string("InitString", &T::InitString, &T::SetInitString);
            b.boolean("OEMConvert", &T::OEMConvert, &T::SetOEMConvert, true);
            b.boolean("PageBreaks", &T::PageBreaks, &T::SetPageBreaks, true);
            b.boolean("SaveToFile", &T::SaveToFile, &T::SetSaveToFile);
            b.boolean("UseIniSettings", &T::UseIniSettings, &T::SetUseIniSettings);
        });
    return info;
}

TrpDotMatrixExport::TrpDotMatrixExport(platform::Component *owner) : TrpCustomExportFilter(owner)
{
    SetCurrentDMPExportFilter(this);
}

TrpDotMatrixExport::~TrpDotMatrixExport()
{
    SetCurrentDMPExportFilter(nullptr);
}

TrpDotMatrixExport *CurrentDotMatrixExport()
{
    return dynamic_cast<TrpDotMatrixExport *>(CurrentDMPExportFilter());
}

void SetDMPExportDialog(TrpDMPExportDialogRunner dialog)
{
    dialogSeam() = std::move(dialog);
}

QByteArray TrpDotMatrixExport::AsciiFrameSet()
{
    return QByteArrayLiteral("  + |++ +-+++++");
}

QByteArray TrpDotMatrixExport::GraphicFrameSet()
{
    return QByteArrayLiteral("  \xC0 \xB3\xDA\xC3 \xD9\xC4\xC1\xBF\xB4\xC2\xC5");
}

const TrpDMPrinter &TrpDotMatrixExport::commandSet() const
{
    return *DMPrinters().Items(m_escModel);
}

int TrpDotMatrixExport::ShowModal()
{
    std::unique_ptr<platform::SettingsStore> ini;
    if (Report())
        ini = Report()->GetIniFile();
    const QString section = QStringLiteral("DMP");
    if (ini && m_useIniSettings) {
        m_pageBreaks = ini->readBool(section, QStringLiteral("PageBreaks"), true);
        m_oemConvert = ini->readBool(section, QStringLiteral("OEM"), true);
        m_graphicFrames = ini->readBool(section, QStringLiteral("GraphFrame"), false);
        m_escModel = ini->readInteger(section, QStringLiteral("PrinterType"), 0);
    }
    if (m_escModel < 0 || m_escModel >= DMPrinters().Count())
        m_escModel = 0;
    if (Report())
        m_copies = Report()->PrintOptions()->Copies();
    const int result = dialogSeam() ? dialogSeam()(*this) : 1;
    m_dialogChoseCopies = result == 1;
    if (result == 1 && ini) {
        ini->writeBool(section, QStringLiteral("OEM"), m_oemConvert);
        ini->writeBool(section, QStringLiteral("GraphFrame"), m_graphicFrames);
        ini->writeBool(section, QStringLiteral("PageBreaks"), m_pageBreaks);
        ini->writeInteger(section, QStringLiteral("PrinterType"), m_escModel);
    }
    return result;
}

void TrpDotMatrixExport::write(const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        m_output->write(bytes);
}

void TrpDotMatrixExport::writeLine(const QByteArray &bytes)
{
    write(bytes + "\r\n");
}

bool TrpDotMatrixExport::Start()
{
    TrpReport *report = Report();
    // Copies come from the dialog when it ran for this export.
    if (!m_dialogChoseCopies && report)
        m_copies = report->PrintOptions()->Copies();
    m_dialogChoseCopies = false;
    if (m_escModel < 0 || m_escModel >= DMPrinters().Count()) {
        // Reported like every export error, before any file is made.
        HandleReportError(report, QStringLiteral("List index out of bounds (%1)").arg(m_escModel));
        return false;
    }
    const TrpDMPrinter &set = commandSet();
    m_ownStream.reset();
    m_output = Stream();
    if (!m_output) {
        if (!m_saveToFile) {
            // Nothing could print it: say so instead of leaving a stray file.
            if (!rpPrinters().HasPhysicalPrinters()) {
                ShowLibraryErrorBox(GetResources().Get(QStringLiteral("clNoPrinters")));
                return false;
            }
            const QString dir = report ? report->EngineOptions()->TempDir() : QString();
            SetFileName(dir.isEmpty() ? MakeTempFileName() : MakeTempFileNameIn(dir));
        }
        if (FileName().isEmpty())
            return false;
        m_ownStream = std::make_unique<platform::FileStream>(FileName(), platform::FileStream::Mode::Create);
        m_output = m_ownStream.get();
    }
    write(set.Command(DMPField::Reset));
    write(m_initString.toLatin1());
    if (report)
        write(report->ReportOptions()->InitString().toLatin1());
    return true;
}

void TrpDotMatrixExport::StartPage(TrpReportPage *page, int index)
{
    m_grid = std::make_unique<Grid>();
    Grid &g = *m_grid;
    if (auto *dmp = dynamic_cast<TrpDMPPage *>(page))
        g.pageStyle = dmp->FontStyle();
    // Measured from the page itself, whether or not the driver has moved
    // the page by its margins already.
    const bool mirrored = page->MirrorMargins() && index % 2 == 1;
    g.originLeft = (mirrored ? page->RightMargin() : page->LeftMargin()) * kPixelsPerMm - page->AbsLeft();
    g.originTop = page->TopMargin() * kPixelsPerMm - page->AbsTop();
    g.width = std::max(0, roundCells(page->Width() / DMPCellWidth) + 1);
    g.height = std::max(0, roundCells(page->Height() / DMPCellHeight) + 1);
    const int cells = g.width * g.height;
    g.chars = QByteArray(cells, ' ');
    g.frames = QByteArray(cells, '\0');
    g.styles.assign(size_t(cells), g.pageStyle);
    write(commandSet().Command(page->Orientation() == poLandscape ? DMPField::Landscape
                                                                    : DMPField::Portrait));
}

void TrpDotMatrixExport::ExportObject(TrpReportComponent *obj)
{
    if (!m_grid || !obj)
        return;
    if (auto *view = dynamic_cast<TrpView *>(obj); view && !view->Printable())
        return;
    if (auto *memo = dynamic_cast<TrpDMPMemoView *>(obj)) {
        exportMemo(*memo, memo->FontStyle());
    } else if (auto *line = dynamic_cast<TrpDMPLineView *>(obj)) {
        exportLine(*line);
    } else if (auto *command = dynamic_cast<TrpDMPCommand *>(obj)) {
        putText(roundCells(left(*command) / DMPCellWidth), roundCells(top(*command) / DMPCellHeight),
                command->GetCommandBytes());
    }
}

double TrpDotMatrixExport::left(const TrpComponent &obj) const
{
    return obj.AbsLeft() + m_grid->originLeft;
}

double TrpDotMatrixExport::top(const TrpComponent &obj) const
{
    return obj.AbsTop() + m_grid->originTop;
}

QList<QByteArray> TrpDotMatrixExport::MemoLines(const TrpCustomMemoView &memo, bool oemConvert)
{
    QStringEncoder encoder(oemConvert ? "IBM852" : "windows-1250", QStringConverter::Flag::Default);
    const QByteArray bytes = encoder.encode(wrappedText(memo, oemConvert));
    return splitLines(bytes);
}

void TrpDotMatrixExport::exportMemo(TrpCustomMemoView &memo, int style)
{
    const int x = roundCells(left(memo) / DMPCellWidth);
    const int y = roundCells(top(memo) / DMPCellHeight);
    const int w = roundCells(memo.Width() / DMPCellWidth);
    const int h = roundCells(memo.Height() / DMPCellHeight);
    const QList<QByteArray> lines = MemoLines(memo, m_oemConvert);
    const int n = int(lines.size());
    int first = y;
    if (n < h) {
        if (memo.VAlign() == vaBottom)
            first = y + h - n;
        else if (memo.VAlign() == vaCenter)
            first = y + (h - n) / 2;
    }
    for (int i = 0; i < std::min(n, h); ++i)
        putText(x, first + i, padLine(lines[i], w, memo.HAlign()));
    setStyle(x, y, w, h, style);
    m_grid->rowsUsed = std::max(m_grid->rowsUsed, y + h);
    const int sides = memo.Frame()->Typ();
    if (sides & ftLeft)
        drawFrameLine(x - 1, y - 1, 1, h + 2, style);
    if (sides & ftRight)
        drawFrameLine(roundCells((left(memo) + memo.Width()) / DMPCellWidth), y - 1, 1, h + 2, style);
    if (sides & ftTop)
        drawFrameLine(x - 1, y - 1, w + 2, 1, style);
    if (sides & ftBottom)
        drawFrameLine(x - 1, roundCells((top(memo) + memo.Height()) / DMPCellHeight), w + 2, 1, style);
}

void TrpDotMatrixExport::exportLine(TrpDMPLineView &line)
{
    const int style = line.FontStyle();
    const int tx = ClampToInt(left(line) / DMPCellWidth);
    const int ty = ClampToInt(top(line) / DMPCellHeight);
    if (line.Width() == 0) {
        drawFrameLine(tx, ty, 1, roundCells(line.Height() / DMPCellHeight) + 1, style);
        return;
    }
    if (line.Height() != 0)
        return;
    const int cells = roundCells(line.Width() / DMPCellWidth);
    switch (line.Align()) {
    case baWidth: drawFrameLine(tx - 1, ty, cells + 3, 1, style); break;
    case baLeft: drawFrameLine(tx - 1, ty, cells + 1, 1, style); break;
    case baRight: drawFrameLine(tx, ty, cells + 2, 1, style); break;
    default: drawFrameLine(tx, ty, cells + 1, 1, style); break;
    }
}

void TrpDotMatrixExport::putText(int column, int row, QByteArray text)
{
    Grid &g = *m_grid;
    if (column < 0 || row < 0 || row >= g.height)
        return;
    if (OnTranslate)
        OnTranslate(this, text);
    for (int i = 0; i < text.size() && column + i < g.width; ++i)
        g.chars[g.at(column + i, row)] = text[i];
}

void TrpDotMatrixExport::setStyle(int column, int row, int columns, int rows, int style)
{
    Grid &g = *m_grid;
    for (int r = row; r < row + rows; ++r)
        for (int c = column; c < column + columns; ++c)
            if (g.inside(c, r))
                g.styles[size_t(g.at(c, r))] = style;
}

void TrpDotMatrixExport::drawFrameLine(int column, int row, int columns, int rows, int style)
{
    Grid &g = *m_grid;
    const auto orBits = [&g](int c, int r, int bits) {
        if (g.inside(c, r))
            g.frames[g.at(c, r)] = char(g.frames[g.at(c, r)] | bits);
    };
    if (columns == 1) {
        if (rows == 1) {
            orBits(column, row, 5);
        } else {
            orBits(column, row, 4);
            for (int r = row + 1; r < row + rows - 1; ++r)
                orBits(column, r, 5);
            orBits(column, row + rows - 1, 1);
        }
    } else {
        orBits(column, row, 2);
        for (int c = column + 1; c < column + columns - 1; ++c)
            orBits(c, row, 10);
        orBits(column + columns - 1, row, 8);
    }
    setStyle(column, row, columns, rows, style);
    g.rowsUsed = std::max(g.rowsUsed, row + rows);
}

QByteArray TrpDotMatrixExport::styleCommands(int style, bool on) const
{
    QByteArray bytes;
    const TrpDMPrinter &set = commandSet();
    for (int bit = 0; bit < 9; ++bit)
        if (style & (1 << bit))
            bytes += set.Command(kStyleFields[bit][on ? 0 : 1]);
    return bytes;
}

QByteArray TrpDotMatrixExport::frameSet() const
{
    if (m_customFrameSet.size() == 15)
        return m_customFrameSet.toLatin1();
    return m_graphicFrames ? GraphicFrameSet() : AsciiFrameSet();
}

void TrpDotMatrixExport::writeRows()
{
    const Grid &g = *m_grid;
    const QByteArray frames = frameSet();
    int current = g.pageStyle;
    for (int r = 0; r < std::min(g.rowsUsed, g.height); ++r) {
        QByteArray line = styleCommands(current, true);
        for (int c = 0; c < g.width; ++c) {
            const int i = g.at(c, r);
            if (g.styles[size_t(i)] != current) {
                line += styleCommands(current, false);
                current = g.styles[size_t(i)];
                line += styleCommands(current, true);
            }
            const int bits = uchar(g.frames[i]);
            line += bits ? frames[bits - 1] : g.chars[i];
        }
        while (line.endsWith(' '))
            line.chop(1);
        writeLine(line + styleCommands(current, false));
    }
}

void TrpDotMatrixExport::FinishPage(TrpReportPage *, int)
{
    if (!m_grid)
        return;
    writeRows();
    m_grid.reset();
    if (m_pageBreaks)
        write(commandSet().Command(DMPField::FormFeed));
}

void TrpDotMatrixExport::Finish()
{
    m_grid.reset();
    const bool callerStream = m_output && m_output == Stream();
    m_output = nullptr;
    m_ownStream.reset();  // closes the file
    if (callerStream || m_saveToFile)
        return;
    printFile();
}

// The job holds InitString once more in front (as printers of this kind
// expect); the temporary file goes whatever the printer said.
void TrpDotMatrixExport::printFile()
{
    const QString path = FileName();
    struct Remove {
        QString path;
        ~Remove() { QFile::remove(path); }
    } remove{path};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot open file \"%1\".").arg(path));
    const QByteArray job = m_initString.toLatin1() + file.readAll();
    file.close();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(job) != job.size())
        throw ReportError(QStringLiteral("Cannot write file \"%1\".").arg(path));
    out.close();
    sendCopies(path);
}

void TrpDotMatrixExport::sendCopies(const QString &path)
{
    TrpCustomPrinter &printer = *rpPrinters().GetCurrentPrinter();
    const TrpReport *report = Report();
    QString title = report ? report->ReportOptions()->Name() : QString();
    if (title.isEmpty() && report)
        title = report->ReportFileName();
    for (int copy = 0; copy < std::max(1, m_copies); ++copy) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw ReportError(QStringLiteral("Cannot open file \"%1\".").arg(path));
        printer.SetDocumentTitle(title);
        printer.BeginRawDoc();
        // Chunks of 1024 bytes, a final short or empty one included.
        for (;;) {
            const QByteArray chunk = file.read(1024);
            printer.WriteRaw(chunk);
            if (chunk.size() < 1024)
                break;
        }
        printer.EndRawDoc();
    }
}

} // namespace bralvo::report
