// The one-off line window: a bill line typed by hand (name, code, unit,
// VAT, price, quantity, discount). The line's item row is a retired row
// of its own (db/oneofflines.h), so it never shows in the catalogue but
// the stored line keeps a valid item. Created once, as a child of the
// main window named "fSimplePolozka".
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace bralvo::platform { class KeyPreview; }

namespace bralvo::app {

class TfFaktura;

class TfSimplePolozka : public QDialog {
public:
    explicit TfSimplePolozka(QWidget &owner);  // the bill editor: kept above it

    // Prefilled from the settings, centred over the bill window, modal.
    void OpenFor(TfFaktura &bill);

    // Appends the line to the bill's grid and closes; an empty name is
    // refused with a warning (UI text 154).
    void bitAddItemClick();

    QLineEdit *eNazov, *eKod, *ePocet, *eZlava, *eDPH, *eMJ, *eCena, *eZaMJ;
    QCheckBox *chbAddDphToZalFakt, *chbCenySuBezDPH;
    QPushButton *bitAddItem;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();

    TfFaktura *m_bill = nullptr;
    platform::KeyPreview *m_keys = nullptr;
};

} // namespace bralvo::app
