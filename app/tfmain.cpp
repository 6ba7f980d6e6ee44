// The main window: creation, start-up, menu handlers and shutdown.
#include "app/workingwindows.h"
#include "app/tfmain.h"

#include "app/buttonicons.h"
#include "app/menuicons.h"

#include "app/appstate.h"
#include "app/databasemenu.h"
#include "app/guardedcall.h"
#include "app/tfdbmanager.h"
#include "app/languagepage.h"
#include "app/mainmenu.h"
#include "app/startupfolders.h"
#include "app/tflogin.h"
#include "app/tfmenu.h"
#include "db/accountscope.h"
#include "db/database.h"
#include "db/upgrade.h"
#include "db/namelists.h"
#include "db/rights.h"
#include "db/schema.h"
#include "platform/formatstring.h"
#include "platform/regionalsettings.h"
#include "services/updatecheck.h"
#include "services/backup.h"
#include "services/builtintexts.h"
#include "services/databaselist.h"
#include "services/globals.h"
#include "services/languagefiles.h"
#include "services/messages.h"
#include "services/restore.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QThread>
#include <QTimer>

namespace bralvo::app {

QString MainCaptionWithoutUser()
{
    return services::ProgramTitle + QStringLiteral(" [") + services::VersionText +
           QStringLiteral("]");
}

TfMain::TfMain(QStringList arguments, QWidget *parent)
    : QMainWindow(parent),
      m_arguments(std::move(arguments)),
      m_mdiArea(new QMdiArea(this)),
      m_mdi(*m_mdiArea),
      pnlMain(new QLabel(this)),
      m_login(nullptr),
      m_languagePage(nullptr),
      m_dbManager(nullptr),
      StartupTimer(nullptr)
{
    setObjectName(QStringLiteral("fMain"));
    // Every window carries the program's icon, never the toolkit's logo.
    QApplication::setWindowIcon(ProgramIcon());
    InstallButtonPictures();
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    pnlMain->setObjectName(QStringLiteral("pnlMain"));
    QFont panelFont(QStringLiteral("Tahoma"));
    panelFont.setPixelSize(13);
    panelFont.setBold(true);
    pnlMain->setFont(panelFont);
    pnlMain->setAlignment(Qt::AlignCenter);
    pnlMain->resize(400, 40);
    m_actions = BuildMainMenu(*menuBar());
    connectMenu();
    FormCreate();
}

TfMain::~TfMain()
{
    // FormDestroy: nothing may escape a destructor.
    try {
        db::CloseDatabase();
        services::AutoBackup.reset();
    } catch (...) {
    }
    services::SetMainMdiHost(nullptr);
    services::setProgramHost(nullptr);
    db::setDatabaseUi(nullptr);
    db::setCurrentUserUi(nullptr);
}

void TfMain::FormCreate()
{
    setUpdatesEnabled(false);
    services::InitializeProgramGlobals();
    PrepareDataRoot(services::DataRoot);
    setWindowTitle(MainCaptionWithoutUser());
    services::LoadDefaultTexts();
    ResetAppState();
    services::MainColor = MainColorFromSetting(
        services::ReadSetting(QStringLiteral("Main"), QStringLiteral("color"), QStringLiteral("$00FEE6CF")));
    services::SavedControlColors = {QColor()};
    db::SetOwnAccountScope();
    services::ReadScreenSize();
    setMinimumSize(1024, 738);
    setGeometry(0, 0, qMax(services::ScreenWidth, 1024), qMax(services::ScreenHeight, 738));
    services::AfterUpdate(services::ProgramTitle);
    installUpdateCheck();
    InstallWorkingWindows(*this);

    services::SetMainMdiHost(&m_mdi);
    services::setProgramHost(this);
    db::setDatabaseUi(this);
    db::setCurrentUserUi(this);
    // The two permanent dialogs this part of the program owns.
    m_login = new TfLogin(*this);
    m_languagePage = new LanguagePage(this);
    m_dbManager = new TfDBmanager(this);

    StartupTimer = new QTimer(this);
    StartupTimer->setObjectName(QStringLiteral("StartupTimer"));
    StartupTimer->setInterval(1);
    StartupTimer->setSingleShot(true);
    connect(StartupTimer, &QTimer::timeout, this, &TfMain::StartupTimerFired);
    StartupTimer->start();
    setUpdatesEnabled(true);
}

void TfMain::installUpdateCheck()
{
    // Once a day at start-up silently, from the menu reporting every outcome.
    const auto check = [this](bool interactive) {
        services::CheckForUpdate(interactive, QCoreApplication::applicationFilePath(),
                                 services::ExeFileName, this, services::ProgramTitle,
                                 services::ProductDownloadName);
    };
    setWindowOpener(QStringLiteral("dailyUpdateCheck"), [check] { check(false); });
    setWindowOpener(QStringLiteral("menuZistitAktualizaciu"), [check] { check(true); });
}

void TfMain::connectMenu()
{
    const QList<std::pair<const char *, void (TfMain::*)()>> handlers = {
        {"menuSpravaUzivatelov", &TfMain::menuSpravaUzivatelovClick},
        {"menuSwitchUser", &TfMain::menuSwitchUserClick},
        {"menuDBmanager", &TfMain::menuDBmanagerClick},
        {"menuNastavenia", &TfMain::menuNastaveniaClick},
        {"menuZistitAktualizaciu", &TfMain::menuZistitAktualizaciuClick},
        {"menuJazyk", &TfMain::menuJazykClick},
        {"menuKoniec", &TfMain::menuKoniecClick},
        {"menuSpravaFaktur", &TfMain::menuSpravaFakturClick},
        {"menuSpravaOdberatelov", &TfMain::menuSpravaOdberatelovClick},
        {"menuSpravaPoloziek", &TfMain::menuSpravaPoloziekClick},
        {"menuSpravaUctov", &TfMain::menuSpravaUctovClick},
        {"menuSpravaPoznamok", &TfMain::menuSpravaPoznamokClick},
        {"menuPrezrietTabulky", &TfMain::menuPrezrietTabulkyClick},
        {"menuPrezrietGrafy", &TfMain::menuPrezrietGrafyClick},
        {"menuZalohovatDatabazu", &TfMain::menuZalohovatDatabazuClick},
        {"menuZalohovatDatabazuDoSuboru", &TfMain::menuZalohovatDatabazuDoSuboruClick},
        {"menuObnovitDatabazu", &TfMain::menuObnovitDatabazuClick},
        {"menuNapoveda", &TfMain::menuNapovedaClick},
        {"menuHomePage", &TfMain::menuHomePageClick},
        {"menuAbout", &TfMain::menuAboutClick},
    };
    for (const auto &[name, handler] : handlers) {
        QAction *action = m_actions.value(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    }
    for (const QString &name : ItemsNeedingWindows())
        m_actions.value(name)->setEnabled(false);
}

void TfMain::StartupTimerFired()
{
    // What happened so far stays, as when a step fails in the middle.
    RunGuarded([this] { StartupSequenceRun(); });
}

StartupSequence::Outcome TfMain::StartupSequenceRun()
{
    StartupTimer->stop();
    if (!isMaximized() && isVisible())
        showMaximized();
    StartupSequence sequence(*this, m_arguments);
    m_outcome = sequence.run();
    return *m_outcome;
}

bool TfMain::programEnding() const
{
    return m_ending || ExitWithoutConfirm;
}

services::LanguageChooser &TfMain::languageChooser()
{
    return *m_languagePage;
}

void TfMain::showStatus(const QString &text)
{
    pnlMain->setText(text);
    pnlMain->show();
    pnlMain->raise();
    centerStatusPanel();
    pnlMain->repaint();
}

TfMenu *TfMain::startMenu() const
{
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList())
        if (auto *menu = qobject_cast<TfMenu *>(frame->widget()); menu && !frame->isHidden())
            return menu;
    return nullptr;
}

void TfMain::createStartMenu()
{
    auto *menu = new TfMenu(*this);
    m_mdi.openMaximized(menu);
    if (QWidget *frame = menu->parentWidget()) {
        // No border and no system-menu icon in the menu bar.
        QPixmap blank(1, 1);
        blank.fill(Qt::transparent);
        frame->setWindowIcon(QIcon(blank));
        frame->setWindowFlags(frame->windowFlags() | Qt::FramelessWindowHint);
        frame->showMaximized();
    }
    menu->setWindowTitle(services::MessageText(262));
    services::LocalizeForm(menu);
}

void TfMain::hideMainPanel()
{
    pnlMain->hide();
}

void TfMain::ShowFreshStartMenu()
{
    services::CloseMdiChildren();
    pnlMain->hide();
    // A start menu whose close is still pending goes at once, so the new
    // one is the only one.
    for (QMdiSubWindow *frame : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (frame->widget() && frame->widget()->objectName().contains(QLatin1String("fMenu"))) {
            delete frame;
            break;
        }
    }
    createStartMenu();
    setUpdatesEnabled(true);
}

void TfMain::OpenStartMenuIfClosed()
{
    if (!services::IsMdiChildOpen(QStringLiteral("fMenu")))
        createStartMenu();
}

void TfMain::WorkingWindowClosing(QWidget &window)
{
    if (QWidget *focused = window.focusWidget())
        focused->clearFocus();
    services::MaximizeOtherMdiChildren(window.objectName());
    QTimer::singleShot(0, this, [this] {
        for (const QMdiSubWindow *frame : mdiArea()->subWindowList())
            if (frame->isVisible())
                return;
        OpenStartMenuIfClosed();
    });
}

void TfMain::runUpdateCheck()
{
    services::SaveSettingsToDatabaseFolder();
    if (!m_openers.contains(QStringLiteral("dailyUpdateCheck")))
        return;
    // The welcome line says what is going on while the check runs.
    QLabel *panel = startMenu() ? startMenu()->findChild<QLabel *>(QStringLiteral("Panel1")) : nullptr;
    const QString caption = panel ? panel->text() : QString();
    if (panel) {
        panel->setText(services::MessageText(306));
        panel->repaint();
    }
    runOpener(QStringLiteral("dailyUpdateCheck"));
    if (panel)
        panel->setText(caption);
}

void TfMain::setWindowOpener(const QString &menuItem, std::function<void()> opener)
{
    m_openers.insert(menuItem, std::move(opener));
    if (QAction *action = m_actions.value(menuItem))
        action->setEnabled(!(m_locked && LockedMenuItems().contains(menuItem)));
    if (TfMenu *menu = startMenu())
        menu->updateButtons();
}

bool TfMain::windowAvailable(const QString &menuItem) const
{
    return !ItemsNeedingWindows().contains(menuItem) || m_openers.contains(menuItem);
}

void TfMain::runOpener(const QString &menuItem)
{
    const auto opener = m_openers.value(menuItem);
    if (opener)
        opener();
}

void TfMain::LockUserInterface(bool lock)
{
    pnlMain->hide();
    m_locked = lock;
    for (const QString &name : LockedMenuItems())
        m_actions.value(name)->setEnabled(!lock && windowAvailable(name));
    if (TfMenu *menu = startMenu())
        menu->updateButtons();
}

// --- windows opened from the menu

void TfMain::openMdiWindow(const QString &menuItem, const QString &windowName)
{
    if (!windowName.isEmpty() && services::IsMdiChildOpen(windowName))
        return;
    if (!m_openers.contains(menuItem))
        return;
    setUpdatesEnabled(false);
    services::CloseMdiChildren();
    runOpener(menuItem);
    setUpdatesEnabled(true);
}

bool TfMain::rightGranted(bool (*right)(const QString &))
{
    if (right(db::CurrentUserName()))
        return true;
    services::ShowMessageBox(services::MessageText(133), services::kMbWarning);
    return false;
}

void TfMain::openCheckedWindow(const QString &menuItem, bool (*right)(const QString &))
{
    if (rightGranted(right))
        runOpener(menuItem);
}

void TfMain::menuSpravaUzivatelovClick()
{
    if (!services::IsMdiChildOpen(QStringLiteral("fUzivatelia")))
        db::SetOwnAccountScope();
    openMdiWindow(QStringLiteral("menuSpravaUzivatelov"), QStringLiteral("fUzivatelia"));
}

void TfMain::menuSpravaFakturClick()
{
    openMdiWindow(QStringLiteral("menuSpravaFaktur"), QStringLiteral("fZoznamFaktur"));
}

void TfMain::menuSpravaOdberatelovClick()
{
    openMdiWindow(QStringLiteral("menuSpravaOdberatelov"), QStringLiteral("fOdberatelia"));
}

void TfMain::menuPrezrietTabulkyClick()
{
    openMdiWindow(QStringLiteral("menuPrezrietTabulky"), QString());
}

void TfMain::menuPrezrietGrafyClick()
{
    openMdiWindow(QStringLiteral("menuPrezrietGrafy"), QString());
}

void TfMain::menuSpravaPoloziekClick()
{
    openCheckedWindow(QStringLiteral("menuSpravaPoloziek"), &db::CanChangeItems);
}

void TfMain::menuSpravaPoznamokClick()
{
    openCheckedWindow(QStringLiteral("menuSpravaPoznamok"), &db::CanChangeSettings);
}

void TfMain::menuSpravaUctovClick()
{
    if (!rightGranted(&db::CanChangeSettings))
        return;
    db::SetOwnAccountScope();
    runOpener(QStringLiteral("menuSpravaUctov"));
}

void TfMain::menuNastaveniaClick()
{
    openCheckedWindow(QStringLiteral("menuNastavenia"), &db::CanChangeSettings);
}

void TfMain::menuAboutClick()
{
    openCheckedWindow(QStringLiteral("menuAbout"), &db::CanChangeSettings);
}

void TfMain::menuJazykClick()
{
    if (!rightGranted(&db::CanChangeSettings))
        return;
    // The settings window on its language page once it exists.
    if (m_openers.contains(QStringLiteral("menuJazyk")))
        runOpener(QStringLiteral("menuJazyk"));
    else
        m_languagePage->ShowPage();
}

void TfMain::menuDBmanagerClick()
{
    RegisterCurrentDatabase();
    m_dbManager->OpenModal();
}

void TfMain::menuZistitAktualizaciuClick()
{
    runOpener(QStringLiteral("menuZistitAktualizaciu"));
}

void TfMain::menuKoniecClick()
{
    close();
}

void TfMain::menuSwitchUserClick()
{
    const QRect main = geometry();
    m_login->move(main.left() + (main.width() - m_login->width()) / 2,
                  main.top() + (main.height() - m_login->height()) / 2);
    m_login->setWindowTitle(services::ProgramTitle + QStringLiteral(" - Login"));
    QStringList logins;
    db::FillLoginList(logins);
    m_login->prepare(logins);
    m_login->exec();
}

// --- backups

QString TfMain::backupStartFolder() const
{
    const QString folder = services::ReadSetting(QStringLiteral("BackupDirs"), QStringLiteral("0"), QString());
    return folder.isEmpty() ? services::DataRoot + QStringLiteral("Backups") : folder;
}

void TfMain::menuZalohovatDatabazuClick()
{
    if (rightGranted(&db::CanChangeSettings))
        RunBackup(QString(), true);
}

void TfMain::menuZalohovatDatabazuDoSuboruClick()
{
    if (!rightGranted(&db::CanChangeSettings))
        return;
    platform::FileDialogRequest request;
    request.caption = services::MessageText(261);
    request.folder = backupStartFolder();
    request.fileName = services::BackupFileName(QDateTime::currentDateTime());
    request.filter = services::MessageText(234) + QStringLiteral(" (*_bralvo.txb)");
    std::optional<QString> file = platform::messageBoxSeam().saveFileName(request);
    if (!file)
        return;
    if (!file->endsWith(QLatin1String("_bralvo.txb")))
        *file += QStringLiteral("_bralvo.txb");
    RunBackup(*file, true);
}

void TfMain::menuObnovitDatabazuClick()
{
    if (!rightGranted(&db::CanChangeSettings))
        return;
    platform::FileDialogRequest request;
    request.caption = services::MessageText(233);
    request.folder = backupStartFolder();
    request.filter = services::MessageText(234) + QStringLiteral(" (*_bralvo.txb)");
    const std::optional<QString> file = platform::messageBoxSeam().openFileName(request);
    if (!file)
        return;
    if (services::ShowMessageBox(services::MessageText(232), services::kMbQuestionYesNo) ==
        services::kIdYes)
        services::RestoreDatabase(*file);
}

void TfMain::RunBackup(const QString &file, bool interactive)
{
    services::BackupDatabase(file, interactive);
}

// --- help

void TfMain::menuNapovedaClick()
{
    const QString localized = services::ProgramDir + QStringLiteral("help/") +
                              services::CurrentLanguageTag() + QStringLiteral("/index.htm");
    const QString plain = services::ProgramDir + QStringLiteral("help/index.htm");
    for (const QString &file : {localized, plain}) {
        if (QFileInfo::exists(file)) {
            services::OpenWithDesktop(file);
            return;
        }
    }
    services::ShowMessageBox(services::MessageText(2) + QLatin1Char('\r') +
                                 platform::Format(services::MessageText(3),
                                                  {services::ProgramTitle, services::ProgramWebAddress},
                                                  platform::regionalSettings()),
                             services::kMbWarning);
}

void TfMain::menuHomePageClick()
{
    services::OpenWithDesktop(services::ProgramWebAddress);
}

// --- shutdown

void TfMain::closeEvent(QCloseEvent *event)
{
    if (ExitWithoutConfirm) {
        event->accept();
        return;
    }
    if (services::ShowMessageBox(services::MessageText(103), services::kMbQuestionYesNo) !=
        services::kIdYes) {
        event->ignore();
        return;
    }
    event->accept();
    if (services::ReadSettingBool(QStringLiteral("Backups"), QStringLiteral("BackupBeforeClose"), true)) {
        showMinimized();
        RunBackup(QString(), false);
    }
}

void TfMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    centerStatusPanel();
}

// Only the frame's own panel: the start menu centres its panel itself.
void TfMain::centerStatusPanel()
{
    const QRect client = contentsRect();
    pnlMain->move((client.width() - pnlMain->width()) / 2, (client.height() - pnlMain->height()) / 2);
}

// --- what the lower layers ask of the windows

void TfMain::showDatabaseError()
{
    showStatus(QStringLiteral("DB error"));
}

void TfMain::lockUserInterface()
{
    LockUserInterface(true);
}

void TfMain::runBackup()
{
    RunBackup(QString(), false);
}

void TfMain::endProgram()
{
    m_ending = true;
    // Outside a running loop exit() would make the next loop return at
    // once; the flag alone then stops the sequence.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

void TfMain::showMainCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void TfMain::closeDatabase()
{
    db::CloseDatabase();
}

void TfMain::openDatabase()
{
    // A restored backup keeps its schema version: bring an older one up to
    // date and refuse a newer one, exactly as at start-up.
    if (db::OpenDatabase())
        db::UpgradeDatabase();
}

services::RestorableSchema TfMain::restorableSchema() const
{
    return db::restorableSchema();
}

void TfMain::showLogin()
{
    menuSwitchUserClick();
}

bool TfMain::startupPending() const
{
    return StartupPending;
}

void TfMain::showDatabaseManagerAtStart()
{
    m_dbManager->OpenModal();
}

} // namespace bralvo::app
