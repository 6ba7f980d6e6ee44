// TrpSearchDialog: asks for the text to find in the prepared pages. It
// opens with the last confirmed search text selected and remembers the
// text when closed with OK. The caller reads TextE, CaseCB and TopCB.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bralvo::report {

// The text of the last search confirmed with OK (process-wide).
QString &LastSearchText();

class TrpSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit TrpSearchDialog(QWidget *parent = nullptr);

    QWidget *ReplacePanel;
    QLabel *ReplaceL;
    QLineEdit *ReplaceE;
    QWidget *Panel2;
    QLabel *TextL;
    QLineEdit *TextE;
    QWidget *Panel3;
    QPushButton *OkB;
    QPushButton *CancelB;
    QGroupBox *SearchL;
    QCheckBox *CaseCB;
    QCheckBox *TopCB;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace bralvo::report
