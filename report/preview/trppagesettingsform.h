// TrpPageSettingsForm: edits paper size, orientation and margins of one
// prepared page. The caller sets Page and Report, runs the dialog and,
// after OK, asks ApplyToAllPages. Lengths show in the designer's units
// (settings store, section "Form.TrpDesignerForm", key "Units").
//
// Choosing a paper or an orientation applies it to the current printer
// (which keeps it) and shows the printer's resulting size; typing a
// width or height switches the size list to the custom entry. OK writes
// the page only when all six numbers read as numbers; otherwise it
// shows the conversion error and stays open, and the page is unchanged.
#pragma once

#include "report/preview/pagesettingsunits.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace bralvo::report {

class TrpReport;
class TrpReportPage;

class TrpPageSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TrpPageSettingsForm(QWidget *parent = nullptr);

    TrpReportPage *Page = nullptr; // the page being edited (not owned)
    TrpReport *Report = nullptr;   // for its settings store (not owned)

    bool ApplyToAllPages() const;
    const PageSettingsUnits &Units() const { return m_units; }

    QPushButton *OKB;
    QPushButton *CancelB;
    QGroupBox *SizeL;
    QLabel *WidthL, *HeightL, *UnitL1, *UnitL2;
    QLineEdit *WidthE, *HeightE;
    QComboBox *SizeCB;
    QGroupBox *OrientationL;
    QLabel *PortraitImg, *LandscapeImg;
    QRadioButton *PortraitRB, *LandscapeRB;
    QGroupBox *MarginsL;
    QLabel *LeftL, *TopL, *RightL, *BottomL, *UnitL3, *UnitL4, *UnitL5, *UnitL6;
    QLineEdit *MarginLeftE, *MarginTopE, *MarginRightE, *MarginBottomE;
    QGroupBox *OtherL;
    QRadioButton *ApplyToCurRB, *ApplyToAllRB;

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildSizeGroup();
    void buildOrientationGroup();
    void buildMarginsGroup();
    void buildOtherGroup();
    void FormShow();
    void PortraitRBClick();
    void SizeCBClick();
    void WidthEChange();
    void writePage(const double values[6]);
    int chosenPaperCode() const;

    PageSettingsUnits m_units{0};
    bool m_updating = false;
};

} // namespace bralvo::report
