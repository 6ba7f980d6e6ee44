// The temporary XDG home for tests.
#include "tests/support/tempdataroot.h"

#include <QDir>

namespace bralvo::test {

TempDataRoot::TempDataRoot()
    : m_oldDataHome(qgetenv("XDG_DATA_HOME")),
      m_oldConfigHome(qgetenv("XDG_CONFIG_HOME")),
      m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME")),
      m_hadConfigHome(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    QDir().mkpath(dataHome());
    QDir().mkpath(configHome());
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
}

TempDataRoot::~TempDataRoot()
{
    if (m_hadDataHome)
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    else
        qunsetenv("XDG_DATA_HOME");
    if (m_hadConfigHome)
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

QString TempDataRoot::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDataRoot::dataHome() const
{
    return path() + QStringLiteral("data/");
}

QString TempDataRoot::configHome() const
{
    return path() + QStringLiteral("config/");
}

QString TempDataRoot::dataRoot() const
{
    return dataHome() + QStringLiteral("Tamrex/Bralvo/");
}

} // namespace bralvo::test
