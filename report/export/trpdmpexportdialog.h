// TrpDMPExportDialog: the print window of the dot-matrix export. The user
// picks the printer (selected at once; Cancel selects the previous one
// again), the command set, copies, pages and the options. Apply writes
// the choices into the export; a cancelled file name for "Print to file"
// still applies the other choices but answers Cancel.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace bralvo::report {

class TrpDotMatrixExport;

class TrpDMPExportDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the export's settings (options, EscModel, Copies).
    explicit TrpDMPExportDialog(TrpDotMatrixExport &filter, QWidget *parent = nullptr);

    // After OK: writes the choices into the export; 1 OK, or 2 when the
    // file name for "Print to file" was cancelled.
    int Apply();
    void done(int result) override;

    QLabel *Image1;
    QPushButton *OK;
    QPushButton *Cancel;
    QGroupBox *PrinterL;
    QComboBox *PrinterCB;
    QGroupBox *EscL;
    QComboBox *EscCB;
    QGroupBox *CopiesL;
    QLabel *CopiesNL;
    QSpinBox *CopiesUD;
    QLineEdit *CopiesE;  // the up-down's own edit
    QGroupBox *PagesL;
    QRadioButton *AllRB;
    QRadioButton *CurPageRB;
    QRadioButton *PageNumbersRB;
    QLineEdit *RangeE;
    QLabel *DescrL;
    QGroupBox *OptionsL;
    QCheckBox *SaveToFileCB;
    QCheckBox *PageBreaksCB;
    QCheckBox *OemCB;
    QCheckBox *PseudoCB;

private:
    void createControls();
    TrpDotMatrixExport &m_filter;
    int m_previousPrinterIndex = -1;
};

// Makes the dot-matrix export show TrpDMPExportDialog (SetDMPExportDialog).
void installDMPExportDialog();

} // namespace bralvo::report
