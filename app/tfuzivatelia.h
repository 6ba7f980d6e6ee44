// The users and firm window: the administrator keeps the issuing company
// and the users who issue bills here (their data, pictures, main account
// and note, rights and the admin role). An MDI child of the main window,
// opened maximised from the main menu and freed when closed; the start
// menu comes back then. All reading and writing goes through the data
// routines of db/ (users, company, rights, retiring); the window gathers
// the fields, asks the questions and shows the outcome.
//
// The selected list entry and the fields are independent: clicking an
// entry loads it; saving acts on the fields (eMeno names the user);
// deleting, rights and the admin role act on the selected entry.
#pragma once

#include "db/formfocus.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bralvo::db { struct UserFormContents; }

namespace bralvo::app {

class TfMain;

// Creates the permanent accounts and notes windows of the main window and
// hands the main window the openers of "menuSpravaUzivatelov",
// "menuSpravaUctov" and "menuSpravaPoznamok" (the menu checks the rights
// and sets the account scope before it calls them).
void InstallUsersWindow(TfMain &main);

// What "menuSpravaUzivatelov" runs once the main window closed the other
// MDI children: the window created maximised and localised, the own
// account scope, caption UI text 105, the list refilled and the fields
// cleared. Gives the new window.
class TfUzivatelia;
TfUzivatelia &OpenUsersWindow(TfMain &main);

class TfUzivatelia : public QWidget, public db::FormFocus {
    Q_OBJECT
public:
    explicit TfUzivatelia(TfMain &main);  // objectName "fUzivatelia"

    // Items of lbUzivatelia = the live users by name (also refreshes
    // AdminUserName).
    void RefreshUserList();
    // (image, path): the picture fitted into 120 x 70 keeping its aspect;
    // a missing or unreadable file shows Data/no_image.bmp of the program
    // folder, or an empty picture when that is missing too.
    void ShowPicture(QLabel &image, const QString &path);

    // Handlers, named as the window binds them. Database errors reach the
    // caller (the buttons show them in an error box).
    void bitAddUserClick();
    void bitClearValuesClick();
    void bitDeleteUserClick();
    void bitSetRightsClick();
    void bitSetAdminClick();
    void bitOpenLogoClick();
    void bitOpenPodpisClick();
    void bitSpravaUctovClick();
    void bitSpravaPoznamokClick();
    void cbHlavnyUcetEnter();
    void cbHlavnaPoznamkaEnter();
    void lbUzivateliaClick();
    void btnBackClick();

    // db::FormFocus
    void focusControl(const QString &controlName) override;

    QWidget *pnlMain;
    QGroupBox *gbFirma;
    QLabel *Label1;
    QLineEdit *eNazov;
    QCheckBox *chbPlatca;
    QLabel *Label2;
    QLineEdit *eICO;
    QLabel *Label3;
    QLineEdit *eDIC;
    QLabel *Label4;
    QLineEdit *eICDPH;
    QGroupBox *GroupBox2;
    QLabel *Label5;
    QLineEdit *eUlica;
    QLabel *Label6;
    QLineEdit *ePSC;
    QLabel *Label7;
    QLineEdit *eMesto;
    QLabel *Label8;
    QLineEdit *eStat;
    QLabel *Label9;
    QLineEdit *eLogo;
    QPushButton *bitOpenLogo;
    QLabel *imgLogo;

    QGroupBox *GroupBox3;
    QLabel *Label10;
    QLineEdit *eMeno;
    QLabel *Label11;
    QLineEdit *eMobil;
    QLabel *Label12;
    QLineEdit *eFax;
    QLabel *Label13;
    QLineEdit *eMail;
    QGroupBox *GroupBox4;
    QLabel *Label14;
    QLineEdit *eLogin;
    QLabel *Label15;
    QLineEdit *ePassword1;
    QLabel *Label16;
    QLineEdit *ePassword2;

    QGroupBox *GroupBox5;
    QLabel *Label17;
    QPlainTextEdit *mInternaPoznamka;
    QLabel *Label18;
    QGroupBox *GroupBox6;
    QLabel *Label19;
    QLineEdit *ePodpisPeciatka;
    QPushButton *bitOpenPodpis;
    QLabel *imgPodpis;
    QLabel *Label20;
    QLineEdit *ePodpisText;
    QGroupBox *GroupBox7;
    QComboBox *cbHlavnyUcet;
    QPushButton *bitSpravaUctov;
    QGroupBox *GroupBox8;
    QComboBox *cbHlavnaPoznamka;
    QPushButton *bitSpravaPoznamok;

    QLabel *Label21;
    QListWidget *lbUzivatelia;
    QPushButton *bitAddUser;
    QPushButton *bitDeleteUser;
    QPushButton *bitClearValues;
    QGroupBox *GroupBox9;
    QCheckBox *chbPravoMenitFaktury;
    QCheckBox *chbPravoMazatFaktury;
    QCheckBox *chbPravoMenitUzivatelov;
    QCheckBox *chbPravoMazatUzivatelov;
    QCheckBox *chbPravoMenitNastavenia;
    QCheckBox *chbPravoPridelovatPrava;
    QCheckBox *chbPravoMenitPolozky;
    QPushButton *bitSetRights;
    QPushButton *bitSetAdmin;
    QPushButton *btnBack;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;  // FormResize
    void closeEvent(QCloseEvent *event) override;    // FormClose

private:
    void buildCompany();
    void buildUser();
    void buildSettings();
    void buildList();
    void connectHandlers();
    void connectKeys();
    void fillForm(const db::UserFormContents &contents);
    void clearUserFields();
    void lockCompanyBlock(bool locked);
    // The selected entry's text; "" (after UI text 117) when none.
    QString selectedUser();
    // The picture choice of the two picture buttons.
    void choosePicture(const QString &prefix, QLineEdit &field);
    void closeWindow();

    TfMain &m_main;
};

} // namespace bralvo::app
