// The SQLite engine: tables, fields with their type codes, result rows,
// and the errors of a bad file or query.
#include "report/querybuilder/designer/tqbsqliteengine.h"

#include "qbfixture.h"
#include "tests/support/qstringprint.h"
#include "report/querybuilder/eqberror.h"

#include <QFile>

using namespace bralvo::report;

TEST(TqbSqliteEngine, TablesAndFieldsWithTypeCodes)
{
    QbFixtureFile file;
    TqbSqliteEngine engine(file.path);
    QStringList tables;
    engine.ReadTableList(tables);
    EXPECT_EQ(tables, QStringList({"Customer", "Orders"}));
    QList<TqbField> fields;
    engine.ReadFieldList("Orders", fields);
    ASSERT_EQ(fields.size(), 7);
    EXPECT_EQ(fields.at(0).FieldName, "*");
    EXPECT_EQ(fields.at(0).FieldType, 0);
    const qint32 expected[] = {3, 3, 7, 11, 25, 9};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(fields.at(i + 1).FieldType, expected[i]) << fields.at(i + 1).FieldName.toStdString();
}

TEST(TqbSqliteEngine, DeclaredTypeCodes)
{
    struct Case {
        const char *declared;
        qint32 code;
    };
    for (const Case c : {Case{"INTEGER", 3}, {"varchar(20)", 1}, {"TEXT", 1}, {"SMALLINT", 2},
                         {"REAL", 6}, {"DOUBLE PRECISION", 6}, {"DATE", 9}, {"TIME", 10},
                         {"TIMESTAMP", 11}, {"BOOLEAN", 5}, {"BLOB", 15}, {"", 1}})
        EXPECT_EQ(FieldTypeOfDeclaredType(c.declared), c.code) << c.declared;
}

TEST(TqbSqliteEngine, ResultRowsAndErrors)
{
    QbFixtureFile file;
    TqbSqliteEngine engine(file.path);
    engine.SetSQL("SELECT Company FROM Customer ORDER BY Company");
    TqbResultDataSet *rows = engine.ResultDataSet();
    rows->Open();
    ASSERT_EQ(rows->Model()->rowCount(), 2);
    EXPECT_EQ(rows->Model()->headerData(0, Qt::Horizontal).toString(), "Company");
    EXPECT_EQ(rows->Model()->index(1, 0).data().toString(), "Beta");
    rows->Close();
    EXPECT_EQ(rows->Model()->rowCount(), 0);
    engine.SetSQL("SELECT nothing FROM nowhere");
    EXPECT_THROW(rows->Open(), EqbError);
    // The engine only reads.
    engine.SetSQL("DELETE FROM Customer");
    EXPECT_THROW(rows->Open(), EqbError);
}

TEST(TqbSqliteEngine, FileThatIsNoDatabaseIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("text.db");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'x'));
    f.close();
    EXPECT_THROW(TqbSqliteEngine{path}, EqbError);
    EXPECT_THROW(TqbSqliteEngine{dir.filePath("missing.db")}, EqbError);
}

TEST(TqbSqliteEngine, ConnectionStringValues)
{
    EXPECT_EQ(ConnectionStringValue("Provider=SQLite; Data Source=/tmp/a.db;User ID=u", "data source"), "/tmp/a.db");
    EXPECT_EQ(ConnectionStringValue("/tmp/b.db", "Data Source"), "/tmp/b.db");
    EXPECT_EQ(ConnectionStringValue("Provider=x", "Data Source"), "");
}
