// TrpPrintDialog: the modal window shown before a report is printed. The
// user picks the printer (and its properties), print to file, the pages,
// copies and collation, odd or even pages, the order, duplex and the print
// mode with its sheet. On OK the choices go into the report's
// PrintOptions and DuplexMode; Cancel (also a cancelled file name for
// print to file) selects the printer that was current before and changes
// nothing else.
//
// Texts come from the library texts; controls carry their names as
// objectName. installPrintDialog makes printing show this window.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace bralvo::report {

class TrpCustomPreviewPages;
class TrpReport;

class TrpPrintDialog : public QDialog {
    Q_OBJECT
public:
    // Report outlives the window; Pages (may be null) gives the page the
    // preview shows for "Current page". Loads the report's PrintOptions.
    TrpPrintDialog(TrpReport &report, TrpCustomPreviewPages *pages, QWidget *parent = nullptr);

    TrpReport *Report() const { return m_report; }
    // The duplex choice after OK: 0 default, 1 vertical, 2 horizontal,
    // 3 simplex.
    int DuplexMode() const { return m_duplexMode; }
    int PreviousPrinterIndex() const { return m_previousPrinterIndex; }

    // Handlers, public so tests can drive them as the controls do.
    void PrintersCBClick();
    void PrintModeCBClick();
    void PropButtonClick();

    // Closing runs the hide logic first: OK may still turn into Cancel.
    void done(int result) override;

    QGroupBox *Label12;
    QLabel *NameL;
    QComboBox *PrintersCB;
    QPushButton *PropButton;
    QLabel *WhereL;
    QLabel *WhereL1;
    QCheckBox *FileCB;
    QGroupBox *Label1;
    QRadioButton *AllRB;
    QRadioButton *CurPageRB;
    QRadioButton *PageNumbersRB;
    QLineEdit *PageNumbersE;
    QLabel *DescrL;
    QGroupBox *Label2;
    QLabel *CopiesL;
    QLineEdit *CopiesE;
    QScrollBar *UpDown1;
    QCheckBox *CollateCB;
    QWidget *CopiesPB;
    QGroupBox *OtherGB;
    QLabel *PrintL;
    QComboBox *PrintPagesCB;
    QLabel *OrderL;
    QComboBox *OrderCB;
    QLabel *DuplexL;
    QComboBox *DuplexCB;
    QGroupBox *ScaleGB;
    QComboBox *PrintModeCB;
    QLabel *PagSizeL;
    QComboBox *PagPageSizeCB;
    QPushButton *OkB;
    QPushButton *CancelB;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Entering the page list chooses it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createLists();
    void loadOptions();
    void saveOptions();
    int sheetPosition(int paperCode) const;
    bool chooseOutputFile();

    TrpReport *m_report;
    TrpCustomPreviewPages *m_pages;
    int m_duplexMode = 0;
    int m_previousPrinterIndex = -1;
};

// Makes printing show TrpPrintDialog (see SetPrintDialogRunner) and the
// printers' Properties... button TrpPrinterProperties.
void installPrintDialog();

} // namespace bralvo::report
