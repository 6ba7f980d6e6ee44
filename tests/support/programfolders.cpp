// Program globals pointed at a temporary data root.
#include "tests/support/programfolders.h"

#include "services/globals.h"
#include "services/settings.h"

#include <QDir>

namespace bralvo::test {

ProgramFolders::ProgramFolders()
    : m_oldDataRoot(services::DataRoot),
      m_oldProgramDir(services::ProgramDir),
      m_oldProgramTitle(services::ProgramTitle)
{
    services::InitializeProgramGlobals();
    QDir().mkpath(services::DataRoot + QStringLiteral("Data"));
    QDir().mkpath(services::DataRoot + QStringLiteral("Backups"));
}

ProgramFolders::~ProgramFolders()
{
    services::DataRoot = m_oldDataRoot;
    services::ProgramDir = m_oldProgramDir;
    services::ProgramTitle = m_oldProgramTitle;
}

QString ProgramFolders::settingsFile() const
{
    return services::SettingsFilePath();
}

} // namespace bralvo::test
