// The payments window: the payments of one bill are entered, listed,
// deleted and printed as cash receipts (one or two per A4 sheet). The
// bill list sets PaymentBillId and the caption, runs bitClearValuesClick
// and shows the window modally.
//
// The bill's paid flag is stored when the user ticks or clears the paid
// box, and after a payment was saved; a tick the window makes itself
// (the loaded state, the open amount typed) only changes the box.
#pragma once

#include "app/receiptvalues.h"
#include "db/formfocus.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace bralvo::platform { class StringGrid; }
namespace bralvo::report {
class TrpReport;
class TrpUserDataSet;
}

namespace bralvo::app {

class TfUhrady : public QDialog, public db::FormFocus {
    Q_OBJECT
public:
    explicit TfUhrady(QWidget *parent);  // objectName "fUhrady"
    ~TfUhrady() override;

    // Set by the bill list; the codes by bitClearValuesClick.
    QString PaymentBillId;
    QString PaymentBillForeignIso;
    QString PaymentBillHomeIso;

    // The bill list's steps: the bill, the caption ProgramTitle + " - " +
    // UI text 218 + " " + number, centred on the parent, fields cleared,
    // shown modally.
    int OpenForBill(const QString &billId, const QString &billNumber);

    // Handlers, named as the window binds them. Database errors reach the
    // caller (the buttons show them in an error box).
    void bitClearValuesClick();
    void bitAddUhraduClick();
    void bitDeleteUhraduClick();
    void bitKurzClick();
    void bitTlacitUhraduClick();
    void chbFakturaJeUhradenaClick();  // stores the box's state
    void chbVytlacit2SucasneClick();
    void sgUhradyClick();
    void eKurzChange();
    void eSumaDomacaChange();

    // The receipt values as the shown report would ask for them.
    ReceiptData receiptData() const;
    report::TrpReport &receiptReport() const { return *m_receipt; }
    report::TrpReport &twoReceiptsReport() const { return *m_twoReceipts; }

    // db::FormFocus
    void focusControl(const QString &controlName) override;

    QDateEdit *eDatum;
    QRadioButton *rbBankovyPrevod;
    QRadioButton *rbHotovost;
    QLineEdit *eSumaDomaca;
    QLabel *lblDomacaMena;
    QGroupBox *GroupBox2;
    QLineEdit *eSumaZahranicna;
    QLabel *lblCudziaMena;
    QLineEdit *eKurz;
    QPushButton *bitKurz;
    QPlainTextEdit *mInternaPoznamka;
    QPushButton *bitAddUhradu;
    QPushButton *bitClearValues;
    QPushButton *bitDeleteUhradu;
    QPushButton *bitTlacitUhradu;
    QCheckBox *chbVytlacit2Sucasne;
    QCheckBox *chbFakturaJeUhradena;
    QLabel *lblKUhradeCelkom;
    QLabel *lblZostavaUhradit;
    platform::StringGrid *sgUhrady;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildEntryGroup();
    void connectHandlers();
    void showPaymentState();
    bool amountEqualsOpen() const;
    bool numberKey(QLineEdit &edit, const QString &typed);
    void loadReports();

    std::unique_ptr<report::TrpReport> m_receipt, m_twoReceipts;
    QHash<QString, QString> m_receiptRow;
};

// The main window's payments window; nullptr before InstallWorkingWindows.
TfUhrady *PaymentsWindowOf(QWidget &mainWindow);

// Receipt texts typed when receipts are not numbered automatically
// ([Faktura] PrijmovyAT off); kept until the next such print.
extern QString ReceiptNumber;
extern QString ReceiptPurpose;

} // namespace bralvo::app
