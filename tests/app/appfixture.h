// Shared set-up for the shell's tests: a temporary data root with the
// program's globals, a program folder holding the shipped language files,
// scripted message boxes, a recorded restart, and helpers that shape the
// users of the real database before the program starts.
#pragma once

#include "db/database.h"
#include "db/tsqlitedatabase.h"
#include "services/globals.h"
#include "services/md5.h"
#include "services/settings.h"
#include "services/uitexts.h"
#include "tests/services/qstringprint.h"
#include "tests/support/programfolders.h"
#include "tests/support/recordingrestart.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace bralvo::test {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        services::ProgramDir = m_folders.path() + "program/";
        ASSERT_TRUE(QDir().mkpath(services::ProgramDir + "Languages"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(BRALVO_SOURCE_DIR "/app/languages/Bralvo - SK.lng"),
                                services::ProgramDir + "Languages/Bralvo - SK.lng"));
        services::WriteSettingBool("General", "SafeMode", false);
        // The update check talks to a closed local port, never the internet.
        qputenv("BRALVO_UPDATE_URL", "http://127.0.0.1:9/");
        services::CurrentLanguageTag() = "SK";
    }
    void TearDown() override { db::CloseDatabase(); }

    void chooseSlovak()
    {
        services::WriteSetting("Language", "tag", "SK");
        services::WriteSetting("Language", "name", "Slovenčina");
    }

    // Runs SQL on the database the program will open, then closes it.
    void withDatabase(const QStringList &statements)
    {
        ASSERT_TRUE(db::OpenDatabase());
        for (const QString &sql : statements)
            db::DbConnection->ExecSql(sql);
        db::CloseDatabase();
    }
    static QString addUser(const QString &name, const QString &login, const QString &password,
                           int admin)
    {
        const QString digest = password.isEmpty() ? QString() : services::TextDigestHex(password);
        // An administrator holds every right, as the users window gives them.
        return QString("INSERT INTO uzivatelia (uzivatel, username, password, admin, pravo_menitpolozky, "
                       "pravo_mazatfaktury, pravo_menitfaktury, pravo_mazatuzivatela, pravo_menituzivatela, "
                       "pravo_menitnastavenia, pravo_menitprava, id_firma, existuje) "
                       "VALUES ('%1', '%2', '%3', %4, %4, %4, %4, %4, %4, %4, %4, 1, 1)")
            .arg(name, login, digest)
            .arg(admin);
    }
    void addAdmin(const QString &password = QString())
    {
        withDatabase({addUser("Eva Adminová", "eva", password, 1)});
    }

    ProgramFolders m_folders;
    ScriptedMessageBoxes m_boxes;
    RecordingRestart m_restart;
};

} // namespace bralvo::test
