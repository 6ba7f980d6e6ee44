// The accounts window: bank accounts (ucty) of the current account scope,
// a list of their internal names and the fields of one account. Created
// once with the main window and shown modally by every opener (main menu,
// users window, customers window, bill editor) through OpenModal. The
// records are read, stored and deleted by the data layer; the window only
// drives it. It never changes the account scope: the opener sets it.
#pragma once

#include "db/formfocus.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bralvo::app {

class TfUcty : public QDialog, public db::FormFocus {
    Q_OBJECT
public:
    explicit TfUcty(QWidget *parent);  // objectName "fUcty"

    // The opener's steps after its rights check and scope: centred on the
    // parent, caption ProgramTitle + " - " + UI text 127, list refilled,
    // fields cleared, shown modally. Gives the dialog's result.
    int OpenModal();

    // Items of lbUcty = the live account names of the scope.
    void RefreshAccountList();

    // Handlers, named as the window binds them. Database errors reach the
    // caller (the buttons show them in an error box).
    void bitClearValuesClick();
    void bitAddAccountClick();
    void bitDeleteAccountClick();
    void lbUctyClick();

    // db::FormFocus
    void focusControl(const QString &controlName) override;

    QPushButton *bitClearValues;
    QGroupBox *GroupBox1;
    QLabel *Label1;
    QLineEdit *eNazov;
    QLabel *Label2;
    QLineEdit *eNazovBanky;
    QLabel *Label3;
    QLineEdit *eCisloUctu;
    QLabel *Label4;
    QLineEdit *eIban;
    QLabel *Label5;
    QLineEdit *eSwift;
    QLabel *Label6;
    QPlainTextEdit *mInternaPoznamka;
    QLabel *Label7;
    QPushButton *bitAddAccount;
    QPushButton *bitDeleteAccount;
    QListWidget *lbUcty;

protected:
    void done(int result) override;  // FormClose

private:
    void buildControls();
    void connectHandlers();
};

// The main window's permanent accounts window; nullptr before
// InstallUsersWindow created it.
TfUcty *AccountsWindowOf(QWidget &mainWindow);

} // namespace bralvo::app
