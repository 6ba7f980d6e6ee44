// The ODBC provider through unixODBC and the SQLite ODBC driver, which is
// registered through an odbcinst.ini of the test's own (ODBCSYSINI): the
// same fixture read both ways gives the same rows and field types.
#include "fixturedb.h"
#include "report/data/dataerror.h"
#include "report/data/tadodataset.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "tests/support/qstringprint.h"

#include <gtest/gtest.h>

using namespace bralvo::data;
using bralvo::test::FixtureDb;

namespace {

QString sqliteOdbcDriver()
{
    for (const QString &dir : {QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc"), QStringLiteral("/usr/lib/aarch64-linux-gnu/odbc"),
                               QStringLiteral("/usr/lib/odbc"), QStringLiteral("/usr/lib64/odbc")}) {
        const QString path = dir + QStringLiteral("/libsqlite3odbc.so");
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

struct Odbc : ::testing::Test {
    FixtureDb fixture;
    QTemporaryDir config;

    void SetUp() override
    {
        const QString driver = sqliteOdbcDriver();
        ASSERT_FALSE(driver.isEmpty()) << "the SQLite ODBC driver (libsqliteodbc) is not installed";
        QFile ini(config.filePath(QStringLiteral("odbcinst.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[SQLite3 Test]\nDescription=SQLite3 for tests\nDriver=" + driver.toUtf8() + "\n");
        ini.close();
        QFile(config.filePath(QStringLiteral("odbc.ini"))).open(QIODevice::WriteOnly);
        qputenv("ODBCSYSINI", QFile::encodeName(config.path()));
        qputenv("ODBCINI", QFile::encodeName(config.filePath(QStringLiteral("odbc.ini"))));
    }
    QString odbcString() const
    {
        return QStringLiteral("Provider=MSDASQL;Driver={SQLite3 Test};Database=") + fixture.path();
    }
    // Every row as "type:value" texts, fields in order.
    QStringList rows(const QString &connectionString, const QString &sql)
    {
        TADOConnection connection;
        connection.SetConnectionString(connectionString);
        TADOQuery query;
        query.SetConnection(&connection);
        query.SetSQLText(sql);
        query.Open();
        QStringList out;
        for (int i = 0; i < query.FieldCount(); ++i)
            out.append(query.Fields()->Fields(i)->FieldName() + u'=' + fieldTypeName(query.Fields()->Fields(i)->DataType()));
        for (query.First(); !query.Eof(); query.Next()) {
            QStringList cells;
            for (int i = 0; i < query.FieldCount(); ++i)
                cells.append(query.Fields()->Fields(i)->IsNull() ? QStringLiteral("<null>")
                                                                 : query.Fields()->Fields(i)->AsString());
            out.append(cells.join(u'|'));
        }
        return out;
    }
};

} // namespace

TEST_F(Odbc, SameRowsAndFieldTypesAsTheSQLiteProvider)
{
    const QString sql = QStringLiteral("select OrderNo, CustNo, SaleDate, AmountPaid, Note, Shipped from Orders "
                                       "where CustNo = :c order by OrderNo");
    const QString sqlite = fixture.connectionString();
    auto withParam = [&](const QString &cs) {
        TADOConnection connection;
        connection.SetConnectionString(cs);
        TADOQuery query;
        query.SetConnection(&connection);
        query.SetSQLText(sql);
        query.Parameters()->ParamByName(QStringLiteral("c"))->SetValue(bralvo::platform::Variant(1));
        query.Open();
        QStringList out;
        for (query.First(); !query.Eof(); query.Next())
            out.append(query.FieldByName(QStringLiteral("OrderNo"))->AsString());
        return out;
    };
    EXPECT_EQ(withParam(odbcString()), withParam(sqlite));
    EXPECT_EQ(withParam(odbcString()), QStringList({"1001", "1003", "1004"}));

    // Declared types both read alike (the driver reports INT and CURRENCY
    // differently, so the table keeps to these).
    fixture.exec(QStringLiteral(
        "create table Parity (Id BIGINT, Name VARCHAR(20), Note TEXT, Amount NUMERIC(12,2), Born DATE,"
        " Stamp DATETIME, At TIME, Flag BOOLEAN, Price REAL);"
        "insert into Parity values (9007199254740993, 'Žltý kôň', 'long; text', 12.5, '2024-02-29',"
        " '2024-03-01 08:30:15', '23:59:58', 1, 0.1),"
        " (-5, NULL, NULL, NULL, NULL, NULL, NULL, 0, NULL), (7, 'x', '', 0, '1999-12-31', '2000-01-01 00:00:00',"
        " '00:00:00', 0, -2.75)"));
    const QString all = QStringLiteral("select * from Parity order by Id");
    const QStringList viaOdbc = rows(odbcString(), all);
    EXPECT_EQ(viaOdbc, rows(sqlite, all));
    EXPECT_EQ(viaOdbc.mid(0, 3), QStringList({"Id=ftLargeint", "Name=ftWideString", "Note=ftWideMemo"}));
    EXPECT_EQ(viaOdbc.size(), 9 + 3);
}

TEST_F(Odbc, CatalogTablesAndConnectionErrors)
{
    TADOConnection connection;
    connection.SetConnectionString(odbcString());
    bralvo::platform::StringList tables;
    connection.GetTableNames(tables);
    EXPECT_TRUE(tables.contains(QStringLiteral("Orders")));
    EXPECT_TRUE(tables.contains(QStringLiteral("Customer")));

    TADOConnection missing;
    missing.SetConnectionString(QStringLiteral("Driver={No Such Driver};Database=x"));
    EXPECT_THROW(missing.Open(), DataError);
    EXPECT_FALSE(missing.Connected());
}

// A dataset whose SQL wrote ran it: "delete from Orders" emptied the
// table. Opening a dataset runs only what writes nothing, through either
// provider, and says why; ExecSQL still writes.
TEST_F(Odbc, OpeningADatasetNeverWrites)
{
    const QString state = QStringLiteral("select * from Orders order by OrderNo");
    const QString schema = QStringLiteral("select name from sqlite_master order by name");
    const auto snapshot = [&] { return rows(fixture.connectionString(), state) + rows(fixture.connectionString(), schema); };
    for (const QString &cs : {fixture.connectionString(), odbcString()}) {
        const QStringList before = snapshot();
        for (const char *sql : {"delete from Orders", "insert into Orders (OrderNo) values (9999)",
                                "update Orders set Note = 'x' returning OrderNo", "create table Extra (a)"}) {
            SCOPED_TRACE(cs.toStdString() + " / " + sql);
            TADOConnection connection;
            connection.SetConnectionString(cs);
            TADOQuery query;
            query.SetConnection(&connection);
            query.SetSQLText(QString::fromLatin1(sql));
            try {
                query.Open();
                ADD_FAILURE() << "opened";
            } catch (const DataError &e) {
                EXPECT_EQ(e.userText(), QStringLiteral("dataset is read-only"));
            }
            EXPECT_FALSE(query.Active());
            connection.Close();
            EXPECT_EQ(snapshot(), before);
        }
        // ExecSQL writes, and a dataset opened afterwards on the same
        // connection reads it back.
        TADOConnection connection;
        connection.SetConnectionString(cs);
        TADOQuery query;
        query.SetConnection(&connection);
        query.SetSQLText(QStringLiteral("update Orders set Note = 'written' || OrderNo || '%1' where OrderNo = 1001")
                             .arg(cs.size()));
        EXPECT_EQ(query.ExecSQL(), 1);
        query.SetSQLText(QStringLiteral("select Note from Orders where OrderNo = 1001"));
        query.Open();
        EXPECT_EQ(query.Fields()->Fields(0)->AsString(), QStringLiteral("written1001%1").arg(cs.size()));
        query.Close();
        query.SetSQLText(QStringLiteral("update Orders set Note = Note || '!' where OrderNo = 1001"));
        EXPECT_EQ(query.ExecSQL(), 1);
        connection.Close();
        EXPECT_EQ(rows(fixture.connectionString(), QStringLiteral("select Note from Orders where OrderNo = 1001")).last(),
                  QStringLiteral("written1001%1!").arg(cs.size()));
    }
}
