// The start-up sequence, step by step.
#include "app/startupsequence.h"

#include "app/appstate.h"
#include "app/backupfoldermigration.h"
#include "app/logindecision.h"
#include "app/reportlibrarytexts.h"
#include "db/accountscope.h"
#include "db/billstate.h"
#include "db/company.h"
#include "db/database.h"
#include "db/lookups.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "db/upgrade.h"
#include "services/backup.h"
#include "services/databaselist.h"
#include "services/globals.h"
#include "services/languagefiles.h"
#include "services/messages.h"
#include "services/printlanguages.h"
#include "services/settings.h"
#include "services/uitexts.h"

namespace bralvo::app {

namespace {

const QString kSkipDatabaseChoice = QStringLiteral("vybranaDB");

} // namespace

StartupSequence::StartupSequence(StartupHost &host, QStringList arguments)
    : m_host(host), m_arguments(std::move(arguments)), m_today(QDate::currentDate())
{
}

StartupSequence::Outcome StartupSequence::run()
{
    m_host.showStatus(services::MessageText(263));
    if (!languageReady())
        return Outcome::Restarting;
    if (!chooseDatabase())
        return Outcome::Restarting;
    prepareBackups();
    if (!db::OpenDatabase())
        return Outcome::DatabaseError;

    afterOpen();
    if (m_host.programEnding())
        return Outcome::Ended;
    LoginDecision decision;
    if (db::DbOpen)
        decision = DecideLogin();
    m_host.createStartMenu();
    m_host.hideMainPanel();
    if (db::DbOpen && decision.showLogin) {
        m_host.showLogin();
        // Leaving the login window ends the program: nothing more runs,
        // neither the update check nor a settings write.
        if (m_host.programEnding())
            return Outcome::Ended;
    }
    if (db::DbOpen && decision.openUserManagement)
        m_host.openUserManagement();
    dailyUpdateCheck();
    if (!db::DbOpen)
        m_host.lockUserInterface();
    return Outcome::Started;
}

// A missing language shows the language page and restarts the program.
bool StartupSequence::languageReady()
{
    services::LoadReportLanguage(m_host.languageRoot(), &reportLibraryTexts());
    if (services::EnsureLanguageChosen(m_host.languageChooser()))
        return true;
    m_host.endProgram();
    return false;
}

bool StartupSequence::chooseDatabase()
{
    if (m_arguments.value(1) == kSkipDatabaseChoice)
        return true;
    services::SelectDatabaseAtStart();
    // The chosen database brings its own settings file.
    return languageReady();
}

void StartupSequence::prepareBackups()
{
    MigrateBackupFolders(services::SettingsFilePath(), services::DataRoot);
    services::StartAutoBackup();
    services::SetBackButtonCaptions(m_host.languageRoot());
}

void StartupSequence::afterOpen()
{
    StartupPending = false;
    db::WarnIfSeveralCompanies();
    db::UpgradeDatabase();
    HomeCurrencySymbol = services::ReadSetting(QStringLiteral("Mena"),
                                               QStringLiteral("DomacaMenaZobr"), QStringLiteral("Sk"));
    HomeCurrencyIso = services::ReadSetting(QStringLiteral("Mena"), QStringLiteral("DomacaMenaIso"),
                                            QStringLiteral("SKK"));
    db::BillEditorOpen = false;
    BillLoading = false;
}

void StartupSequence::dailyUpdateCheck()
{
    if (!UpdateCheckWanted())
        return;
    const QString today = m_today.toString(QStringLiteral("yyyy-MM-dd"));
    const QString general = QStringLiteral("General");
    if (services::ReadSetting(general, QStringLiteral("LastUpd"), QString()) == today)
        return;
    services::WriteSetting(general, QStringLiteral("LastUpd"), today);
    m_host.runUpdateCheck();
}

bool UpdateCheckWanted()
{
    if (!db::DbOpen ||
        !services::ReadSettingBool(QStringLiteral("General"), QStringLiteral("CheckUpdates"), true))
        return false;
    const int users = db::CountUsers();
    return users > 0 && !(users == 1 && db::DemoUserExists());
}

} // namespace bralvo::app
