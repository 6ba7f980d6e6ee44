// The login window: a login name and a password. A successful login sets
// the current user and puts up a fresh start menu; leaving the window
// without logging in ends the program without the close question.
#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bralvo::app {

class TfMain;

class TfLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfLogin(TfMain &main);  // a child of main

    // What the opener does before each showing: the logins into cbLogin
    // (the first selected), both fields cleared, the focus in cbLogin.
    void prepare(const QStringList &logins);

    bool loggedIn() const { return LoggedIn; }

    void bitOKClick();
    void bitExitClick();

protected:
    void showEvent(QShowEvent *event) override;  // FormShow
    void done(int result) override;              // FormClose
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();

    TfMain &m_main;
    QGroupBox *GroupBox1;
    QLabel *Label1;
    QComboBox *cbLogin;
    QLabel *Label2;
    QLineEdit *eHeslo;
    QPushButton *bitOK;
    QPushButton *bitExit;
    bool LoggedIn = false;
};

} // namespace bralvo::app
