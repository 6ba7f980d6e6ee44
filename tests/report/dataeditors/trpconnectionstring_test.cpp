// Connection strings and the connection-string dialog over a real
// SQLite file and a private unixODBC configuration folder.
#include "report/dataeditors/trpconnectionstring.h"

#include "platform/messageboxseam.h"
#include "tests/support/qstringprint.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace bralvo::report;

TEST(ConnectionStrings, BuildAndParse)
{
    struct Case {
        ConnectionParts parts;
        QString text;
    };
    const Case cases[] = {
        {{"SQLite", "/data/a.db", "", "", "", ""}, "Provider=SQLite;Data Source=/data/a.db"},
        {{"SQLite", "/data/a;b.db", "", "", "u", "p"},
         "Provider=SQLite;Data Source=\"/data/a;b.db\";User ID=u;Password=p"},
        {{"ODBC", "", "PostgreSQL", "shop", "", ""}, "Provider=MSDASQL;Driver={PostgreSQL};DSN=shop"},
        {{"SQLite", "/x \"q\".db", "", "", "", ""}, "Provider=SQLite;Data Source=/x \"q\".db"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(BuildConnectionString(c.parts), c.text);
        EXPECT_EQ(ParseConnectionString(c.text), c.parts) << c.text.toStdString();
    }
    EXPECT_EQ(ParseConnectionString("/plain/file.db").dataSource, "/plain/file.db");
    EXPECT_EQ(ParseConnectionString("DSN=x;UID=a;PWD='it''s'").password, "it's");
}

TEST(ConnectionStringDialog, FieldsAndRawStringFollowEachOther)
{
    TrpConnectionStringDialog dialog("Provider=SQLite;Data Source=/a.db");
    auto *file = dialog.findChild<QLineEdit *>("FileE");
    auto *user = dialog.findChild<QLineEdit *>("UserE");
    auto *raw = dialog.findChild<QLineEdit *>("ConnectionE");
    EXPECT_EQ(file->text(), "/a.db");
    QTest::keyClicks(user, "u");
    EXPECT_EQ(dialog.ConnectionString(), "Provider=SQLite;Data Source=/a.db;User ID=u;Password=");
    raw->clear();
    QTest::keyClicks(raw, "Provider=SQLite;Data Source=/b.db;Mode=ro");
    EXPECT_EQ(file->text(), "/b.db");
    EXPECT_EQ(dialog.ConnectionString(), "Provider=SQLite;Data Source=/b.db;Mode=ro");
}

TEST(ConnectionStringDialog, ChooserAndTestOnARealFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shop.db");
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE t (a INTEGER)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerOpenFile(path);
    for (int i = 0; i < 3; ++i)
        boxes.answerBox(bralvo::platform::kIdOk);
    TrpConnectionStringDialog dialog{QString()};
    dialog.findChild<QPushButton *>("ChooseB")->click();
    EXPECT_EQ(dialog.ConnectionString(), "Provider=SQLite;Data Source=" + path);
    dialog.findChild<QPushButton *>("TestB")->click();
    EXPECT_EQ(boxes.boxes().back().flags, 64);
    EXPECT_EQ(boxes.boxes().back().text, "Test connection succeeded.");
    // A missing file and a file that is no database both fail the test.
    QFile text(dir.filePath("text.db"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(2048, 'x'));
    text.close();
    for (const char *name : {"none.db", "text.db"}) {
        const std::size_t shown = boxes.boxes().size();
        dialog.SetConnectionString("Provider=SQLite;Data Source=" + dir.filePath(name));
        dialog.TestConnection();
        ASSERT_EQ(boxes.boxes().size(), shown + 1) << name;
        EXPECT_EQ(boxes.boxes().back().flags, 16) << name;
    }
}

TEST(ConnectionStringDialog, OdbcListsComeFromUnixOdbcFiles)
{
    QTemporaryDir dir;
    QFile inst(dir.filePath("odbcinst.ini"));
    ASSERT_TRUE(inst.open(QIODevice::WriteOnly));
    inst.write("[ODBC]\nTrace=No\n[SQLite3]\nDriver=libsqlite3odbc.so\n");
    inst.close();
    QFile dsn(dir.filePath("odbc.ini"));
    ASSERT_TRUE(dsn.open(QIODevice::WriteOnly));
    dsn.write("[ODBC Data Sources]\nshop=SQLite3\n[shop]\nDriver=SQLite3\n");
    dsn.close();
    qputenv("ODBCSYSINI", dir.path().toUtf8());
    EXPECT_EQ(OdbcDrivers(), QStringList({"SQLite3"}));
    EXPECT_TRUE(OdbcDataSources().contains("shop"));
    TrpConnectionStringDialog dialog("DSN=shop");
    EXPECT_TRUE(dialog.findChild<QRadioButton *>("OdbcRB")->isChecked());
    EXPECT_EQ(dialog.findChild<QComboBox *>("DsnCB")->currentText(), "shop");
    qunsetenv("ODBCSYSINI");
}
