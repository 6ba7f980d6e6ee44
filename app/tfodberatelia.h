// The customers window: the live customers listed by name, one customer's
// identification, address, contact person and billing defaults (what a
// new bill takes over when the customer is chosen), and the buttons to
// the accounts and notes windows. Saving, loading and deleting are the
// data layer's (db/customers.h, db/retiring.h).
//
// Opened as an MDI child of the main window from the menu (OpenInMdi), or
// as a modal window of its own from the item picker (OpenModal); either
// way it frees itself when closed. Named "fOdberatelia".
#pragma once

#include "db/customers.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bralvo::platform { class KeyPreview; }

namespace bralvo::app {

class TfMain;

// The web map search for a place: https, path "/maps", query "f=q&q="
// followed by the place percent-encoded, so no typed character ("&",
// "#", "?") can change the query.
QString MapSearchUrl(const QString &place);

class TfOdberatelia : public QWidget, public db::FormFocus {
public:
    // Opens the accounts window (TfUcty: centred, captioned, filled,
    // cleared, modal) on the account scope set before the call.
    using AccountsOpener = std::function<void()>;

    // The menu's opener: an MDI child of main without a border of its
    // own, maximised, localized, captioned with UI text 146, list filled
    // and fields cleared. Database errors reach the caller; the window
    // then stays open. Closing it brings the other children back
    // maximised; once the close has run its course (the next pass of the
    // event loop) a start menu is made when no MDI child is left, so a
    // window that replaces this one never has a start menu beside it.
    static TfOdberatelia *OpenInMdi(TfMain &main, AccountsOpener customerAccounts);
    // The item picker's opener: a sizeable window of its own, 1024 by 768,
    // centred over main (maximised on a screen at most 1024 wide or 788
    // high), captioned ProgramTitle + " - " + UI text 146, shown modally;
    // returns once it has closed (and is gone).
    static void OpenModal(TfMain &main, AccountsOpener customerAccounts);

    TfOdberatelia(TfMain &main, AccountsOpener customerAccounts);

    // lbOdberatelia = the names of the live customers.
    void FillCustomerList();

    // Handlers, named as the window definition binds them. The buttons
    // show database errors in an error box; called directly, they throw.
    // The fields' enter and exit handlers run only for focus moves within
    // the window, never when another window or a popup takes the focus.
    void bitAddOdberatelClick();
    void bitClearValuesClick();
    void bitDeleteOdberatelClick();
    void lbOdberateliaClick();  // also when the keyboard moves the selection
    // The customer's own accounts (no right checked; nothing for a name
    // no live customer carries). The firm's own accounts are the scope
    // again once the accounts window has closed.
    void bitSpravaUctovOdbClick();
    void bitSpravaUctovUzivClick();   // the firm's own accounts, settings right
    void bitSpravaPoznamokClick();    // settings right
    void bMapa1Click();               // city, street
    void bMapa2Click();               // city
    // The other currency combo takes the same index.
    void cbCudziaMenaZobrClick(QComboBox &chosen);
    void cbCudziaMenaZobrExit(QComboBox &combo);  // digits removed
    void cbHlavnyUcetEnter();
    void cbHlavnaPoznamkaEnter();
    void btnBackClick();

    // db::FormFocus
    void focusControl(const QString &controlName) override;

    QWidget *pnlMain;
    QGroupBox *GroupBox1;
    QListWidget *lbOdberatelia;
    QPushButton *bitDeleteOdberatel;
    QGroupBox *GroupBox2;
    QLabel *Label1;
    QLineEdit *eNazov;
    QCheckBox *chbPlatca;
    QLabel *Label2;
    QLineEdit *eICO;
    QLabel *Label3;
    QLineEdit *eDIC;
    QLabel *Label4;
    QLineEdit *eICDPH;
    QGroupBox *GroupBox3;
    QLabel *Label5;
    QLineEdit *eUlica;
    QPushButton *bMapa1;
    QLabel *Label6;
    QLineEdit *ePSC;
    QLabel *Label7;
    QLineEdit *eMesto;
    QPushButton *bMapa2;
    QLabel *Label8;
    QLineEdit *eStat;
    QCheckBox *chbZahranicny;
    QGroupBox *GroupBox4;
    QLabel *Label9;
    QLineEdit *eMeno;
    QLabel *Label10;
    QLineEdit *eMobil;
    QLabel *Label11;
    QLineEdit *eFax;
    QLabel *Label12;
    QLineEdit *eMail;
    QLabel *Label13;
    QPlainTextEdit *mInternaPoznamka;
    QLabel *Label14;
    QGroupBox *GroupBox5;
    QCheckBox *chbFakturovatBezDPH;
    QCheckBox *chbFakturovatVCudzejMene;
    QCheckBox *chbFakturovatVDvochMenach;
    QLabel *Label16;
    QComboBox *cbCudziaMenaZobr;
    QComboBox *cbCudziaMenaIso;
    QLabel *Label15;
    QCheckBox *chbJeHlavnaCudziaMena;
    QGroupBox *GroupBox6;
    QComboBox *cbHlavnyUcet;
    QLabel *Label17;
    QGroupBox *GroupBox7;
    QComboBox *cbHlavnaPoznamka;
    QLabel *Label18;
    QLabel *Label19;
    QLineEdit *eDniSplatnosti;
    QLabel *Label20;
    QLineEdit *eVS;
    QLabel *Label21;
    QComboBox *cbJazyk;
    QGroupBox *GroupBox8;
    QPushButton *bitSpravaUctovOdb;
    QPushButton *bitSpravaUctovUziv;
    QPushButton *bitSpravaPoznamok;
    QPushButton *bitAddOdberatel;
    QPushButton *bitClearValues;
    QPushButton *btnBack;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;    // FormClose
    void resizeEvent(QResizeEvent *event) override;  // FormResize
    void showEvent(QShowEvent *event) override;      // FormShow

private:
    void buildIdentity();
    void buildContact();
    void buildSettings();
    void buildButtons();
    void connectHandlers();
    void watchControls();
    bool keyPressed(QWidget &control, const QKeyEvent &key);
    void focusEntered(QWidget &control);
    void focusLeft(QWidget &control);
    db::CustomerFormValues formValues() const;
    void showValues(const db::CustomerFormValues &customer);
    void closeWindow();

    TfMain &m_main;
    AccountsOpener m_customerAccounts;
    platform::KeyPreview *m_keys = nullptr;
    bool m_inMdi = false;
};

} // namespace bralvo::app
