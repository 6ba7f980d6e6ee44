// The settings window: the settings file's values on six sub-pages
// (written back in one pass by "Uložiť zmeny"), the change history, the
// problem report, the licence and the about page. Created once as a child
// of the main window and reused; every opening loads the settings again
// (NacitajNastavenia) and then shows a page (ShowPage). Closing without
// saving discards the edits.
#pragma once

#include "app/problemreport.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;

namespace bralvo::app {

class LanguagePage;

// The warning shown when the second currency of domestic bills is the
// home currency itself (ISO code): such bills get no second currency.
QString SameSecondCurrencyWarning(const QString &iso);

class TfNastavenia : public QDialog {
    Q_OBJECT
public:
    explicit TfNastavenia(QWidget *mainWindow);

    // Loads every setting into the controls.
    void NacitajNastavenia();
    // Prepares lists, texts and links and selects the page named
    // "settings", "changelog", "bug report", "help", "about" or
    // "settingsLng" (any letter case), without showing the window.
    void PreparePage(const QString &pageName);
    // PreparePage, then the window modally.
    void ShowPage(const QString &pageName);

    // Saves every control and applies the consequences (database folder,
    // database list, automatic backup, login); closes the window unless
    // the user declined the question or the settings could not be written.
    void bitSaveClick();
    void bitSaveDatabaseClick();
    void bitAddDirClick();
    void bitDeleteDirClick();
    void BitBtn1Click();
    void lbBackupDirsClick();
    void cbDefJazykChange();
    void bitHelpClick();
    void bitHomePageClick();
    void bitCheckUpdate1Click();
    void bitSendClick();

    // Where problem reports go (the maker's account unless a test says
    // otherwise).
    void setReportAccount(const ReportAccount &account) { m_reportAccount = account; }
    bool databaseCopyDone() const { return m_databaseCopyDone; }
    // The help topic F1 opens on the page in front; empty: none.
    QString helpTopic() const;

protected:
    void showEvent(QShowEvent *event) override;  // FormShow
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The handler with its errors shown instead of leaving the event loop.
    std::function<void()> guarded(void (TfNastavenia::*handler)());
    QWidget *buildMainPage();
    QWidget *buildBackupPage();
    QWidget *buildBillPage();
    QWidget *buildCurrencyPage();
    QWidget *buildPrintPage();
    QWidget *buildChangelogPage();
    QWidget *buildReportPage();
    QWidget *buildLicensePage();
    QWidget *buildAboutPage();
    void buildLinks();
    void loadTextFiles();
    void loadRoundingItems();
    void selectRounding(QComboBox *box, const QString &stored, const QString &fallback);
    void updateInvoiceLabel();
    bool numberFieldsValid();
    bool confirmWeakBackups();
    bool writeSettings(QString &languageTag);
    void offerDatabaseCopy(const QString &from, const QString &to);
    void repointDatabaseList(const QString &oldFolder);
    void adjustAutoBackup(bool intervalBefore);
    void rateFieldExit();

    QWidget *m_mainWindow;
    bool m_databaseCopyDone = false;
    ReportAccount m_reportAccount;

    QTabWidget *PgCtrlCorvane;
    QTabWidget *PgCtrlSettings;
    QPushButton *bitSave;
    // Hlavné
    QLineEdit *eDatabase;
    QPushButton *bitSaveDatabase;
    QCheckBox *chbCheckUpdates;
    QCheckBox *chbSafeMode;
    QRadioButton *rbSortOdbName;
    QRadioButton *rbSortOdbAddOrder;
    QRadioButton *rbSortOdbMostUsed;
    QRadioButton *rbSortOdbInc;
    QRadioButton *rbSortOdbDesc;
    // Zálohy
    QLineEdit *eNumberBackups;
    QLineEdit *eBackupInterval;
    QCheckBox *chbBackupInInterval;
    QCheckBox *chbBackupBeforeClose;
    QLineEdit *eBackupDir;
    QPushButton *BitBtn1;
    QPushButton *bitAddDir;
    QPushButton *bitDeleteDir;
    QListWidget *lbBackupDirs;
    // Faktúra
    QCheckBox *chbFullAutoCislovanie;
    QLineEdit *eOpravnenie;
    QLineEdit *eSplatnost;
    QComboBox *cbDefJazyk;
    QLabel *lblFakturujemVam;
    QLineEdit *eFakturujemVam;
    QComboBox *cbRoundDph;
    QComboBox *cbRoundZaklad;
    QComboBox *cbRoundBralvo;
    QRadioButton *rbRoundAllSmer0;
    QRadioButton *rbRoundAllSmer1;
    QRadioButton *rbRoundAllSmer2;
    QCheckBox *chbPrijmovyAT;
    // Mena
    QLineEdit *eDomacaMenaZobr;
    QLineEdit *eDomacaMenaIso;
    QCheckBox *chbDomaceFADualne;
    QComboBox *cbCudziaMenaZobr;
    QComboBox *cbCudziaMenaIso;
    QLineEdit *eKurz;
    QLabel *Label29;
    QLabel *Label36;
    // Tlač
    QCheckBox *chbDotMatrix;
    QCheckBox *chbNetlacitZlavy;
    QCheckBox *chbNetlacitPodpisFA;
    QCheckBox *chbNetlacitKod;
    // Jazyk
    LanguagePage *m_languagePage;
    // História zmien, Hlásenie chýb, Licencia, O programe
    QPlainTextEdit *mChangelog;
    QPushButton *bitCheckUpdate1;
    QLineEdit *eName;
    QLineEdit *eEMail;
    QPlainTextEdit *mMessage;
    QPushButton *bitSend;
    QLabel *lblKontakt;
    QTextEdit *reLicense;
    QPushButton *bitHelp;
    QLabel *lblNazProg;
    QLabel *lblEmail;
    QLabel *lblWeb;
    QPushButton *bitHomePage;
    QPushButton *bitCheckUpdate2;
    QLabel *lblTamrexCorvaneVersion;
    QLabel *Label1;
};

} // namespace bralvo::app
