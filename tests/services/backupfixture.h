// Shared set-up for the backup, restore and database-list tests: a
// temporary data root with the program's globals, scripted message boxes,
// a program host that opens the real database, and the command-line
// tools sqlite3 and gzip for cross-checks.
#pragma once

#include "db/database.h"
#include "db/schema.h"
#include "db/tsqlitedatabase.h"
#include "services/programhost.h"
#include "tests/support/filecontent.h"
#include "tests/support/programfolders.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace bralvo::test {

// Opens and closes the real database and records the rest.
class TestProgramHost : public services::ProgramHost {
public:
    TestProgramHost() : m_previous(services::setProgramHost(this)) {}
    ~TestProgramHost() override { services::setProgramHost(m_previous); }

    void closeDatabase() override { calls << "close"; db::CloseDatabase(); }
    void openDatabase() override { calls << "open"; db::OpenDatabase(); }
    services::RestorableSchema restorableSchema() const override { return db::restorableSchema(); }
    void showLogin() override { calls << "login"; }
    bool startupPending() const override { return startup; }
    void endProgram() override { calls << "end"; }
    void showDatabaseManagerAtStart() override { calls << "manager"; }

    QStringList calls;
    bool startup = false;

private:
    services::ProgramHost *m_previous = nullptr;
};

// Runs a program (no shell), feeding input, and gives its standard output.
inline QByteArray runTool(const QString &program, const QStringList &arguments,
                          const QByteArray &input = QByteArray())
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        ADD_FAILURE() << "cannot start " << program.toStdString();
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// "sqlite3 file .dump", the reference form.
inline QByteArray shellDump(const QString &databaseFile)
{
    return runTool(QStringLiteral("sqlite3"), {databaseFile, QStringLiteral(".dump")});
}

class BackupFixture : public ::testing::Test {
protected:
    void TearDown() override { db::CloseDatabase(); }

    // Opens the live database (created with its demo rows) and adds rows
    // of awkward values that every dump must carry, to a table of the
    // program's own (a restore takes no other).
    void openLiveDatabase()
    {
        ASSERT_TRUE(db::OpenDatabase());
        db::DbConnection->ExecSql(markerInsert(
            "('it''s' || char(13,10) || 'Žltý kôň', 0.1, x'00ff', -7),"
            " (NULL, 1e300, NULL, 9223372036854775807)"));
    }
    // An INSERT of rows (text, real, any, integer) into the marker columns.
    static QString markerInsert(const char *rows)
    {
        return QStringLiteral("INSERT INTO polozky (kod, dph, nazov, id_kategoria) VALUES %1;")
            .arg(QString::fromUtf8(rows));
    }
    QString liveFile() const { return folders.dataRoot() + QStringLiteral("Data/bralvo_data.txs"); }

    ProgramFolders folders;
    ScriptedMessageBoxes boxes;
    TestProgramHost host;
};

} // namespace bralvo::test
