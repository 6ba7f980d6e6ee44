// The installed program host and its fallback.
#include "services/programhost.h"

#include <QCoreApplication>

namespace bralvo::services {

namespace {

class FallbackHost : public ProgramHost {
public:
    void closeDatabase() override {}
    void openDatabase() override {}
    RestorableSchema restorableSchema() const override { return {}; }
    void showLogin() override {}
    bool startupPending() const override { return false; }
    void endProgram() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::exit(0);
    }
    void showDatabaseManagerAtStart() override {}
};

ProgramHost *installedHost = nullptr;

} // namespace

ProgramHost &programHost()
{
    static FallbackHost fallback;
    return installedHost ? *installedHost : fallback;
}

ProgramHost *setProgramHost(ProgramHost *host)
{
    ProgramHost *previous = installedHost;
    installedHost = host;
    return previous;
}

} // namespace bralvo::services
