// For tests of the connection layer: a fresh SQLite file in a temporary
// folder, opened through TSQLiteDatabase, and the text of the errors it
// throws.
#pragma once

#include "db/esqliteexception.h"
#include "db/tsqlitedatabase.h"
#include "tests/support/errortext.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace bralvo::test {

class SqliteFileFixture : public ::testing::Test {
protected:
    // Opens m_db on path(), a new file, then runs statements in order.
    // Fails the test if the temporary folder could not be made.
    void openDatabase(std::initializer_list<const char *> statements)
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<db::TSQLiteDatabase>(path());
        for (const char *sql : statements)
            m_db->ExecSql(QString::fromUtf8(sql));
    }
    // The database file; a second connection may open it as well.
    QString path() const { return m_dir.filePath(QStringLiteral("test.txs")); }
    // The userText() of the ESQLiteException the action throws, or
    // "(no error)". Any other exception fails the test.
    static QString errorOf(const std::function<void()> &action)
    {
        return errorTextOf<db::ESQLiteException>(action);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<db::TSQLiteDatabase> m_db;
};

} // namespace bralvo::test
