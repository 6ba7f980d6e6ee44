// Set-up of the users, accounts and notes windows' tests: the program
// started on a temporary data root with one administrator (no password),
// so the real main window, menu and database are in place.
#pragma once

#include "app/startupsequence.h"
#include "app/tfmain.h"
#include "db/currentuser.h"
#include "db/database.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "tests/app/appfixture.h"

#include <memory>

namespace bralvo::test {

class UsersFixture : public AppFixture {
protected:
    void TearDown() override
    {
        m_main.reset();
        AppFixture::TearDown();
    }

    // The program started with "Eva Adminová" (login eva) as the lone
    // administrator; she is the current user.
    app::TfMain &start()
    {
        chooseSlovak();
        addAdmin();
        const QString programDir = services::ProgramDir;
        m_main = std::make_unique<app::TfMain>(QStringList{"bralvo", "vybranaDB"});
        services::ProgramDir = programDir;
        EXPECT_EQ(m_main->StartupSequenceRun(), app::StartupSequence::Outcome::Started);
        // Without the demo rows every list holds only what a test adds.
        sql("DELETE FROM uzivatelia WHERE username = 'demo'");
        sql("DELETE FROM ucty");
        sql("DELETE FROM poznamky");
        return *m_main;
    }

    static void sql(const QString &statement) { db::DbConnection->ExecSql(statement); }
    // The first column of the first row, "" when there is none.
    static QString value(const QString &query)
    {
        const auto table = db::DbConnection->GetTable(query);
        return table->IsEof() ? QString() : table->FieldAsString(0);
    }
    // A live user without rights (added beside the administrator).
    static void addPlainUser(const QString &name, const QString &login)
    {
        sql(addUser(name, login, QString(), 0));
    }

    std::unique_ptr<app::TfMain> m_main;
};

} // namespace bralvo::test
