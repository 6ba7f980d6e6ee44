// The bill editor: one bill (ordinary or advance) written or changed in a
// modal window. The bill list prepares it (PrepareNewBill or
// PrepareStoredBill) and shows it (ShowBill); the item picker and the
// one-off line window write lines, the customer and advance bills into
// it. Every edit marks the bill (Modified, printing disabled) and most
// recompute the totals (PrepocitajFakturu, over computeBillTotals).
// Saving goes through db::SaveBill as one transaction; the window closes
// after a successful save. Created once, as a child of the main window
// named "fFaktura".
#pragma once

#include "app/billlines.h"
#include "app/summarylabel.h"
#include "db/advancebills.h"
#include "db/billform.h"
#include "db/billhelpers.h"
#include "db/billloading.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace bralvo::platform {
class KeyPreview;
class MaskedDateEdit;
class StringGrid;
}

namespace bralvo::app {

class TfMain;
class TfVyber;
class TfSimplePolozka;

// The number a new bill is proposed: the next after the last of the year,
// else the title's first two letters, the year's last two digits and
// "00001" ("BR2500001").
QString ProposedBillNumber(bool isAdvance, const QString &year);
// The number's trailing digit run; "" with [Faktura] FullAutoCislovanie off.
QString ProposedVariableSymbol(const QString &number);
// The step whose value equals the setting's numeric value, whichever
// decimal separator either is written with; a setting that is 0 or no
// number proposes 0.50. -1 when no step has the value.
int RoundingStepIndex(const QStringList &steps, const QString &setting);
// The warning that refuses to save a foreign-currency bill without a rate.
QString ForeignRateRefusalText();
// The warning for an advance bill in another currency than the bill's.
QString AdvanceCurrencyRefusal(const QString &entry, const QString &billCurrency);

class TfFaktura : public QDialog, private db::BillSaveUi, private db::BillLinesGridSetup {
public:
    explicit TfFaktura(TfMain &main);

    void setPicker(TfVyber *picker) { m_picker = picker; }
    void setSimpleLineWindow(TfSimplePolozka *window) { m_simpleLine = window; }
    // What a save with a sender (and save-and-print) does to the bill
    // list: refresh it and select the row of that number.
    void setBillListRefresh(std::function<void(const QString &number)> refresh) { m_refreshList = std::move(refresh); }
    // The notes and accounts windows (modal), opened after the rights check.
    void setNotesOpener(std::function<void()> opener) { m_openNotes = std::move(opener); }
    void setAccountsOpener(std::function<void()> opener) { m_openAccounts = std::move(opener); }

    // The year of the bill list (eRok): advance bills are taken from it.
    QString listYear() const { return m_listYear; }

    // The new-bill opener's steps (number proposal, defaults, lists,
    // rounding choice, empty lines); then PrepocitajFakturu.
    void PrepareNewBill(bool isAdvance, const QString &listYear);
    // The stored bill of that number, year and type loaded into every
    // field; false (nothing shown) when there is none.
    bool PrepareStoredBill(const QString &number, const QString &year, bool isAdvance);
    // Shows the window modally; returns when it has closed.
    int ShowBill();

    // The totals; the rounding difference (0 when nothing was recomputed).
    double PrepocitajFakturu();
    // Shows the bill's lines in the grid, amounts in the main currency.
    void FormatLineCells();

    // The bill's lines: the only place their values live. Each change
    // shows the lines again; the caller marks and recomputes.
    const BillLines &lines() const { return m_lines; }
    void addLine(const NewBillLine &line);
    // Rewrites the line of that grid row (1 to RowCount-2).
    void rewriteLine(int row, const NewBillLine &line);
    // Appends the lines of an advance bill being taken over.
    void takeOverLines(const QString &billId);
    QString billMainCurrency() const { return m_mainCurrency; }

    // Marks the bill as changed: Modified, printing disabled.
    void markChanged();
    // Esc, Zavriet and the window's close: asks first when the bill has
    // changes (FormCloseQuery), then FormClose.
    void reject() override;
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // Handlers, named as the window binds them.
    void Timer1Timer();
    void eCisloFakturyChange();
    void eDatumVystaveniaChange();
    void fieldChange();  // eCisloObjednavkyChange and the fields sharing it
    void cbOdberatelEnter();
    void cbOdberatelClick();
    void bitVyberOdberatelaClick();
    void bitPridatFakturuClick();
    void bitZmazatFakturuClick();
    void chbFakturovatBezDPHClick();
    void chbFakturovatVCudzejMeneClick();
    void chbFakturovatVDvochMenachClick();
    void cbCudziaMenaIsoChange();
    void cbCudziaMenaZobrChange();
    void eKurzCudziaChange();
    void bitKurzClick();
    void cbPoznamkaEnter();
    void cbUcetEnter();
    void bitSpravaPoznamokClick();
    void bitSpravaUctovUzivClick();
    void bitAddItemClick();
    void bitAddSimpleItemClick();
    void sgPolozkyDblClick();
    void bitDeleteItemClick();
    // withSender: from the button or its shortcut (the list is refreshed).
    // True when the bill was stored.
    bool bitSaveClick(bool withSender);
    void bitSaveAndPrintClick();
    void bitPrintClick();

    // An advance bill to deduct (from the picker): refused with a warning
    // when its currency is not the bill's main currency. True when added.
    bool addAdvanceBill(const db::AdvanceBillEntry &entry);
    // The ids of the deducted advance bills, in list order.
    std::vector<QString> advanceBillIds() const;
    // The customer key selected without running its click (advance bills).
    void selectCustomerKey(const QString &key);
    bool isAdvanceBill() const;

    QLabel *lblFaktura;
    QLineEdit *eCisloFaktury, *eCisloObjednavky, *eVS, *eSS, *eOpravnenie, *eInternaPoznamka;
    QComboBox *cbKS, *cbFormaUhrady;
    QDateEdit *eDatumVystavenia, *eDatumSplatnosti;
    platform::MaskedDateEdit *eDatumDodania, *eDatumPlatby;
    QPlainTextEdit *mVystavil, *mOdberatel;
    QComboBox *cbOdberatel;
    QPushButton *bitVyberOdberatela;
    QListWidget *lbZalohoveFaktury;
    QPushButton *bitPridatFakturu, *bitZmazatFakturu;
    QCheckBox *chbFakturovatBezDPH;
    QComboBox *cbJazyk;
    QCheckBox *chbFakturovatVCudzejMene;
    QWidget *pMena;
    QComboBox *cbCudziaMenaZobr, *cbCudziaMenaIso;
    QLabel *Label12;  // the ISO 4217 code list link
    QLineEdit *eKurzCudzia, *eKurzDomaca, *eKurz;
    QLabel *lblMena1, *lblMena2;
    QPushButton *bitKurz;
    QCheckBox *chbFakturovatVDvochMenach, *chbJeHlavnaCudziaMena;
    QComboBox *cbZaokruhlovanie, *cbPoznamka, *cbUcet;
    QPushButton *bitSpravaPoznamok, *bitSpravaUctovUziv;
    platform::StringGrid *sgPolozky;
    QPushButton *bitAddItem, *bitAddSimpleItem, *bitDeleteItem;
    QPushButton *bitSave, *bitSaveAndPrint, *bitPrint, *bitZavriet;
    SummaryLabel *lblSuma1Left, *lblSuma2Right;
    QLabel *lblSumaCelkom, *lblSumaKUhrade, *lblSecondaryKUhrade;

protected:
    void showEvent(QShowEvent *event) override;   // FormShow, then the settling step
    void closeEvent(QCloseEvent *event) override; // through reject()
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildHeader();
    void buildCustomer();
    void buildCurrency();
    void buildLines();
    void connectHandlers();
    void connectChanges();
    void installShortcuts();
    void fillFixedLists();
    void fillRoundingChoices();
    void clearLines();
    void applyStoredBill(const db::StoredBill &bill);
    void UpdateCurrencyDisplay();
    db::BillFormValues formValues() const;
    bool refusedBeforeSave();
    void FormClose();
    // db::BillSaveUi
    void focusField(db::BillField field) override;
    void showStoredNumber(const QString &number) override;
    // db::BillLinesGridSetup
    void SetupBillLinesGrid() override;

    TfMain &m_main;
    TfVyber *m_picker = nullptr;
    TfSimplePolozka *m_simpleLine = nullptr;
    std::function<void(const QString &)> m_refreshList;
    std::function<void()> m_openNotes, m_openAccounts;
    platform::KeyPreview *m_keys = nullptr;
    QString m_listYear;
    QString m_loadedBillId;
    QString m_mainCurrency;
    BillLines m_lines;
    bool m_modified = false;
    bool m_filling = false;  // the opener fills the fields: no handler marks
    bool m_vatRateWarningShown = false;
};

} // namespace bralvo::app
