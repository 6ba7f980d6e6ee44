// The dot-matrix export: prepared pages of a dot-matrix report (memos,
// lines and printer commands on a grid of 9.6 x 17 pixel cells) become
// printer bytes. Text is laid on a character grid, styles are switched by
// the escape commands of a printer command set (DMPrinters()), frames are
// drawn with ASCII or code page 437 characters, each grid row is one line
// ended by CR LF, and a form feed follows each page. The grid starts at
// the paper's edge: objects stand where the page's margins put them.
//
// The bytes go to the caller's Stream, to FileName (SaveToFile), or
// through a temporary file to the current printer as raw jobs, one per
// copy. Byte stream of a printed job: InitString, Reset, InitString, the
// report's InitString, then per page the Portrait or Landscape command,
// the page's lines and FormFeed when PageBreaks.
//
// Errors: a refused or failed printer job throws platform::PrinterError
// from Finish (the prepared pages report it; the job never counts as
// printed); Start refuses an EscModel outside the command sets and
// reports "List index out of bounds (N)" through HandleReportError.
#pragma once

#include "report/model/trpenginebases.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace bralvo::report {

class TrpDMPrinter;
class TrpCustomMemoView;
class TrpComponent;

class TrpDotMatrixExport : public TrpCustomExportFilter {
    BRALVO_CLASS(TrpDotMatrixExport)
public:
    // Copies 1; OEMConvert, PageBreaks and UseIniSettings on. The new
    // export becomes the current dot-matrix export.
    explicit TrpDotMatrixExport(platform::Component *owner = nullptr);
    // Clears the current dot-matrix export, whichever it was.
    ~TrpDotMatrixExport() override;

    // --- persistent
    // Frame characters for frame bits 1..15; used only when exactly 15
    // characters long (Latin-1).
    QString CustomFrameSet() const { return m_customFrameSet; }
    void SetCustomFrameSet(const QString &v) { m_customFrameSet = v; }
    int EscModel() const { return m_escModel; }  // index into DMPrinters()
    void SetEscModel(int v) { m_escModel = v; }
    bool GraphicFrames() const { return m_graphicFrames; }
    void SetGraphicFrames(bool v) { m_graphicFrames = v; }
    // Bytes (Latin-1) sent after the reset command.
    QString InitString() const { return m_initString; }
    void SetInitString(const QString &v) { m_initString = v; }
    // Text as code page 852 (else Windows-1250).
    bool OEMConvert() const { return m_oemConvert; }
    void SetOEMConvert(bool v) { m_oemConvert = v; }
    bool PageBreaks() const { return m_pageBreaks; }
    void SetPageBreaks(bool v) { m_pageBreaks = v; }
    bool SaveToFile() const { return m_saveToFile; }
    void SetSaveToFile(bool v) { m_saveToFile = v; }
    bool UseIniSettings() const { return m_useIniSettings; }
    void SetUseIniSettings(bool v) { m_useIniSettings = v; }

    // Called with every text line and command before it is placed; may
    // replace the bytes.
    std::function<void(TrpDotMatrixExport *, QByteArray &)> OnTranslate;

    // How many raw jobs Finish sends: the dialog's choice when it ran for
    // this export, else PrintOptions.Copies (taken by Start).
    int Copies() const { return m_copies; }
    void SetCopies(int v) { m_copies = v; }

    // --- export protocol
    // The dialog (see SetDMPExportDialog); 1 OK, 2 Cancel.
    int ShowModal() override;
    // Opens the output and writes the job's head; false when there is no
    // output, for an EscModel outside the command sets, or (showing "No printers installed on your system") when
    // the job would go to a printer and none is installed.
    bool Start() override;
    void StartPage(TrpReportPage *page, int index) override;
    void ExportObject(TrpReportComponent *obj) override;
    void FinishPage(TrpReportPage *page, int index) override;
    // Closes the output; when printing, sends the job Copies times and
    // deletes the temporary file (also when the printer failed).
    void Finish() override;

    // A memo's text as the grid receives it: wrapped into the memo's
    // width, in code page 852 with oemConvert ("EUR" for the euro sign it
    // lacks) else Windows-1250, one entry per line.
    static QList<QByteArray> MemoLines(const TrpCustomMemoView &memo, bool oemConvert);

    // The built-in frame sets (15 bytes for bits 1..15).
    static QByteArray AsciiFrameSet();
    static QByteArray GraphicFrameSet();

private:
    struct Grid;
    const TrpDMPrinter &commandSet() const;
    void write(const QByteArray &bytes);
    void writeLine(const QByteArray &bytes);
    QByteArray styleCommands(int style, bool on) const;
    QByteArray frameSet() const;
    // An object's place on the paper in pixels (its page's margins added).
    double left(const TrpComponent &obj) const;
    double top(const TrpComponent &obj) const;
    void putText(int column, int row, QByteArray text);
    void drawFrameLine(int column, int row, int columns, int rows, int style);
    void setStyle(int column, int row, int columns, int rows, int style);
    void exportMemo(TrpCustomMemoView &memo, int style);
    void exportLine(class TrpDMPLineView &line);
    void writeRows();
    void printFile();
    void sendCopies(const QString &path);

    QString m_customFrameSet;
    int m_escModel = 0;
    bool m_graphicFrames = false;
    QString m_initString;
    bool m_oemConvert = true;
    bool m_pageBreaks = true;
    bool m_saveToFile = false;
    bool m_useIniSettings = true;
    int m_copies = 1;
    bool m_dialogChoseCopies = false;  // ShowModal ended with OK; Start clears it

    std::unique_ptr<Grid> m_grid;
    std::unique_ptr<platform::Stream> m_ownStream;
    platform::Stream *m_output = nullptr;
};

// The current dot-matrix export (the last one made and still alive), or
// nullptr. Printing a dot-matrix report goes through it.
TrpDotMatrixExport *CurrentDotMatrixExport();

// The export's dialog lives in the window layer: it edits the export
// (options, copies, page range, FileName) and returns the modal result.
// Without one, ShowModal answers 1 and changes nothing.
using TrpDMPExportDialogRunner = std::function<int(TrpDotMatrixExport &)>;
void SetDMPExportDialog(TrpDMPExportDialogRunner dialog);

} // namespace bralvo::report
