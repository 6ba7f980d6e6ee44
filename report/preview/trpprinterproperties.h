// TrpPrinterProperties: the printer's own settings window opened from the
// print dialog's "Properties..." button. It shows the paper, resolution
// and duplex of the printer's current setting and lets the user pick the
// paper source; the bin chosen on OK wins over every page's bin until the
// document ends (the printer's ChosenBin).
#pragma once

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace bralvo::report {

class TrpCustomPrinter;

class TrpPrinterProperties : public QDialog {
    Q_OBJECT
public:
    explicit TrpPrinterProperties(TrpCustomPrinter &printer, QWidget *parent = nullptr);

    // The bin code of the chosen source.
    int ChosenBin() const;

    QLabel *PaperL;
    QComboBox *PaperCB;
    QLabel *SourceL;
    QComboBox *SourceCB;
    QLabel *DuplexL;
    QComboBox *DuplexCB;
    QLabel *ResolutionL;
    QLabel *ResolutionV;
    QPushButton *OkB;
    QPushButton *CancelB;

private:
    TrpCustomPrinter &m_printer;
};

// Shows the window modally; the chosen bin on OK, nullopt on Cancel.
std::optional<int> ShowPrinterProperties(TrpCustomPrinter &printer);

} // namespace bralvo::report
