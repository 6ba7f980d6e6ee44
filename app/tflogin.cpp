// The login window.
#include "app/tflogin.h"

#include "app/appstate.h"
#include "app/guardedcall.h"
#include "app/tfmain.h"
#include "db/currentuser.h"
#include "db/lookups.h"
#include "services/gridhelpers.h"
#include "services/messages.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bralvo::app {

namespace {

constexpr int kColorSlot = 3;

} // namespace

TfLogin::TfLogin(TfMain &main)
    : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("fLogin"));
    setWindowTitle(QStringLiteral("Login"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setMinimumSize(241, 219);
    setMaximumSize(249, 221);
    resize(245, 220);
    // Esc rejects the dialog, which is leaving it without a login; Enter
    // belongs to the two fields' handlers below, so no button is default.
    buildControls();
}

void TfLogin::buildControls()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Zadajte prihlasovacie údaje"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 229, 200);
    Label1 = new QLabel(QStringLiteral("Login"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 24, 190, 16);
    cbLogin = new QComboBox(GroupBox1);
    cbLogin->setObjectName(QStringLiteral("cbLogin"));
    cbLogin->setEditable(true);
    cbLogin->setGeometry(16, 42, 197, 24);
    Label2 = new QLabel(QStringLiteral("Heslo"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(16, 72, 190, 16);
    eHeslo = new QLineEdit(GroupBox1);
    eHeslo->setObjectName(QStringLiteral("eHeslo"));
    eHeslo->setEchoMode(QLineEdit::Password);
    eHeslo->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    eHeslo->setGeometry(16, 90, 197, 24);
    bitOK = new QPushButton(QStringLiteral("Prihlásiť"), GroupBox1);
    bitOK->setObjectName(QStringLiteral("bitOK"));
    bitOK->setGeometry(16, 126, 197, 28);
    bitExit = new QPushButton(QStringLiteral("Ukončiť program"), GroupBox1);
    bitExit->setObjectName(QStringLiteral("bitExit"));
    bitExit->setGeometry(16, 160, 197, 28);
    bitOK->setAutoDefault(false);
    bitExit->setAutoDefault(false);
    connect(bitOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitOKClick(); }); });
    connect(bitExit, &QPushButton::clicked, this, &TfLogin::bitExitClick);
    for (QWidget *control : {static_cast<QWidget *>(cbLogin), static_cast<QWidget *>(eHeslo),
                             static_cast<QWidget *>(bitOK), static_cast<QWidget *>(bitExit)})
        control->installEventFilter(this);
    if (cbLogin->lineEdit())
        cbLogin->lineEdit()->installEventFilter(this);
    setTabOrder(cbLogin, eHeslo);
    setTabOrder(eHeslo, bitOK);
    setTabOrder(bitOK, bitExit);
}

void TfLogin::prepare(const QStringList &logins)
{
    cbLogin->clear();
    eHeslo->clear();
    cbLogin->addItems(logins);
    if (cbLogin->count() > 0)
        cbLogin->setCurrentIndex(0);
    cbLogin->setFocus();
}

void TfLogin::showEvent(QShowEvent *event)
{
    LoggedIn = false;
    QDialog::showEvent(event);
    cbLogin->setFocus();
}

void TfLogin::bitOKClick()
{
    const QString login = cbLogin->currentText();
    if (!db::LoginExists(login)) {
        services::ShowErrorBox(services::MessageText(114));
        cbLogin->setFocus();
        return;
    }
    if (!db::CheckPassword(login, eHeslo->text())) {
        services::ShowErrorBox(services::MessageText(115));
        eHeslo->setFocus();
        return;
    }
    db::SetCurrentUser(login);
    LoggedIn = true;
    m_main.ShowFreshStartMenu();
    eHeslo->clear();
    accept();
}

void TfLogin::bitExitClick()
{
    ExitWithoutConfirm = true;
    m_main.close();
    reject();
}

void TfLogin::done(int result)
{
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
    QDialog::done(result);
    if (!LoggedIn && !ExitWithoutConfirm) {
        ExitWithoutConfirm = true;
        m_main.close();
    }
}

bool TfLogin::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *control = qobject_cast<QWidget *>(watched);
    if (control == cbLogin->lineEdit())
        control = cbLogin;
    if (event->type() == QEvent::FocusIn && control) {
        services::HighlightOnEnter(*control, 1, kColorSlot);
        if (control == cbLogin)
            services::SetComboDropDownWidth(*cbLogin);
    } else if (event->type() == QEvent::FocusOut && control) {
        services::RestoreColorOnExit(*control, kColorSlot);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (control == cbLogin) {
                eHeslo->setFocus();
                return true;
            }
            if (control == eHeslo) {
                RunGuarded([this] { bitOKClick(); });
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace bralvo::app
