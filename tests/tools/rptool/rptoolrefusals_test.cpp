// rptool on files it must refuse: a report that does not load passed for
// an empty report (prepare and pdf exited 0), and a report whose dataset
// SQL wrote emptied the table it named.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString output;  // standard output and error
};

ToolRun rptool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(BRALVO_RPTOOL), arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.output = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    return run;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Entities that would expand to 10^9 characters.
QByteArray entityBomb()
{
    QByteArray doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE TrpReport [\n<!ENTITY e0 \"aaaaaaaaaa\">\n";
    for (int i = 1; i <= 8; ++i) {
        QByteArray body;
        for (int k = 0; k < 10; ++k)
            body += "&e" + QByteArray::number(i - 1) + ';';
        doc += "<!ENTITY e" + QByteArray::number(i) + " \"" + body + "\">\n";
    }
    return doc + "]>\n<TrpReport Version=\"4.3\"><TrpReportPage Name=\"&e8;\"/></TrpReport>\n";
}

int orderCount(const QString &database)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "select count(*) from Orders", -1, &stmt, nullptr);
    const int count = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return count;
}

} // namespace

TEST(RptoolRefusals, AFileThatDoesNotLoadFailsEverySubcommand)
{
    QTemporaryDir dir;
    struct File { const char *name; QByteArray content; };
    const File files[] = {
        {"bomb.xml", entityBomb()},
        {"cut.xml", "<?xml version=\"1.0\"?>\n<TrpReport Version=\"4.3\"><TrpReportPage Name=\"P\""},
    };
    for (const File &file : files) {
        const QString source = dir.filePath(QString::fromLatin1(file.name));
        ASSERT_TRUE(writeFile(source, file.content));
        const QString out = dir.filePath(QStringLiteral("out"));
        const QList<QStringList> commands = {
            {QStringLiteral("check"), source},
            {QStringLiteral("save"), source, out + QStringLiteral(".xml")},
            {QStringLiteral("prepare"), source, QStringLiteral("--out"), out + QStringLiteral(".rp3")},
            {QStringLiteral("pdf"), source, out + QStringLiteral(".pdf")},
        };
        for (const QStringList &command : commands) {
            SCOPED_TRACE(std::string(file.name) + " " + command.first().toStdString());
            const ToolRun run = rptool(command);
            EXPECT_GT(run.exitCode, 0) << run.output.toStdString();
            EXPECT_TRUE(run.output.contains(QStringLiteral("Invalid file format"))) << run.output.toStdString();
        }
        EXPECT_FALSE(QFile::exists(out + QStringLiteral(".rp3")));
        EXPECT_FALSE(QFile::exists(out + QStringLiteral(".pdf")));
    }
}

TEST(RptoolRefusals, ADatasetThatWouldWriteStopsPrepareAndKeepsTheRows)
{
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("orders.db"));
    QProcess sqlite;
    sqlite.setStandardInputFile(QStringLiteral(BRALVO_ORDERS_DATA "/orders.sql"));
    sqlite.start(QStringLiteral("sqlite3"), {database});
    ASSERT_TRUE(sqlite.waitForFinished(30000));
    ASSERT_EQ(orderCount(database), 5);
    QByteArray report = readFile(QStringLiteral(BRALVO_ORDERS_DATA "/orders.rpx"));
    report.replace("@DB@", QFile::encodeName(database))
        .replace("@SCRIPT@", "begin&#13;&#10;end.")
        .replace("select * from Orders where CustNo = :c order by OrderNo", "delete from Orders");
    const QString source = dir.filePath(QStringLiteral("delete.xml"));
    ASSERT_TRUE(writeFile(source, report));
    const QString out = dir.filePath(QStringLiteral("delete.rp3"));
    const ToolRun run = rptool({QStringLiteral("prepare"), source, QStringLiteral("--out"), out});
    EXPECT_GT(run.exitCode, 0);
    EXPECT_TRUE(run.output.contains(QStringLiteral("dataset is read-only"))) << run.output.toStdString();
    EXPECT_EQ(orderCount(database), 5);
    EXPECT_FALSE(QFile::exists(out));
}
