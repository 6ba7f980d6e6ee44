// The installed DatabaseUi and its fallback.
#include "db/databaseui.h"

#include <QCoreApplication>

namespace bralvo::db {

namespace {

class FallbackUi final : public DatabaseUi {
public:
    void showDatabaseError() override {}
    void lockUserInterface() override {}
    void runBackup() override {}
    void endProgram() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::exit(0);
    }
};

FallbackUi g_fallback;
DatabaseUi *g_installed = nullptr;

} // namespace

DatabaseUi &databaseUi()
{
    return g_installed ? *g_installed : g_fallback;
}

void setDatabaseUi(DatabaseUi *ui)
{
    g_installed = ui;
}

} // namespace bralvo::db
