// The PDF export's options dialog: page range (all, current page, page
// numbers), quality options and opening the file afterwards. Children
// carry the names the filter and tests find them by.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bralvo::report {

class TrpPDFExportDialog : public QDialog {
public:
    explicit TrpPDFExportDialog(QWidget *parent = nullptr);

    QPushButton *OkB;
    QPushButton *CancelB;
    QGroupBox *GroupPageRange;
    QLabel *DescrL;
    QRadioButton *AllRB;
    QRadioButton *CurPageRB;
    QRadioButton *PageNumbersRB;
    QLineEdit *PageNumbersE;
    QGroupBox *GroupQuality;
    QCheckBox *CompressedCB;
    QCheckBox *EmbeddedCB;
    QCheckBox *PrintOptCB;
    QCheckBox *OutlineCB;
    QCheckBox *BackgrCB;
    QCheckBox *OpenCB;

    // Shows the dialog modally; QDialog::Accepted or Rejected. Tests
    // replace how it runs (SetRunner) to work the controls themselves.
    int run();
    using Runner = std::function<int(TrpPDFExportDialog &)>;
    static void SetRunner(Runner runner);

protected:
    // F1 opens the library help for the dialog.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setTexts();
    void buildLayout();
};

} // namespace bralvo::report
