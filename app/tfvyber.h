// The item picker: the modal window through which the bill editor takes a
// customer (page 0), a catalogue line, new or edited (page 1), or an
// advance bill to deduct (page 2) from the database. It writes its result
// straight into the bill editor and closes. Created once, as a child of
// the main window named "fVyber".
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace bralvo::platform { class KeyPreview; }

namespace bralvo::app {

class TfFaktura;
class TfMain;

class TfVyber : public QDialog {
public:
    TfVyber(TfMain &main, TfFaktura &bill);

    // The customers window (modal) and the items window (modal, after
    // the items right), opened from the picker with F5.
    void setCustomersOpener(std::function<void()> opener) { m_openCustomers = std::move(opener); }
    void setItemsOpener(std::function<void()> opener) { m_openItems = std::move(opener); }

    // Page 0 or 2, cleared, shown modally.
    void OpenPage(int page);
    // Page 1 prepared for a new line, shown modally.
    void OpenNewLine();
    // Page 1 prepared from the bill line in row, shown modally.
    void OpenEditLine(int row);

    // Set: the add button appends a line; clear: it rewrites the bill
    // grid's current row.
    bool PickerAddsLine = false;

    void bitClearOdberatelClick();
    void lbOdberateliaClick();
    void bitAddOdberatelClick();
    void bitCreateOdberatelClick();
    void bitClearItemsClick();
    void Timer1Timer();
    void cbKategoriaEnter();
    void cbPolozkaEnter();
    void cbPolozkaClick();
    void eKodEnter();  // Enter in the code field
    void bitAddItemClick();
    void bitCreateItemClick();
    void bitClearZalFaktClick();
    void bitAddZalFaktClick();

    QTabWidget *pgTriedenie;
    QWidget *tsOdberatel, *tsPolozky, *tsZalohoveFaktury;
    QListWidget *lbOdberatelia;
    QLineEdit *eNazovOdb, *eICO, *eDIC, *eICDPH, *eUlica, *ePSC, *eMesto, *eStat, *eMeno, *eMobil, *eFax, *eMail;
    QCheckBox *chbPlatca, *chbZahranicny;
    QPushButton *bitAddOdberatel, *bitCreateOdberatel, *bitClearOdberatel;
    QGroupBox *GroupBox1;
    QComboBox *cbKategoria, *cbPolozka;
    QLineEdit *eKod, *ePocet, *eZlava, *eDPH, *eMJ, *eCena, *eZaMJ;
    QCheckBox *chbAddDphToZalFakt, *chbCenySuBezDPH;
    QPushButton *bitAddItem, *bitCreateItem, *bitClearItems;
    QListWidget *lbZalohoveFaktury;
    QCheckBox *chbAddItemsToBralvo;
    QPushButton *bitAddZalFakt, *bitClearZalFakt;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCustomerPage();
    void buildItemsPage();
    void buildAdvancePage();
    void connectHandlers();
    void prepare(int page);
    int show(int page);
    void pageChanged(int page);
    // Timer1's drop-down: the categories, or the items when there are none.
    void dropDownFirstList();
    // The advance bill and VAT payer condition of both check boxes.
    bool advanceAddsVat() const;
    bool pricesMayHaveVat() const;

    TfMain &m_main;
    TfFaktura &m_bill;
    std::function<void()> m_openCustomers, m_openItems;
    platform::KeyPreview *m_keys = nullptr;
    bool m_preparing = false;
};

} // namespace bralvo::app
