// The builder's engine over an SQLite file: tables, fields with their
// type codes, result rows, and the errors of a bad file or query.
#include "qbfixture.h"
#include "platform/error.h"
#include "tests/support/qstringprint.h"

#include <QFile>

using namespace bralvo::report;
using namespace bralvo::data;

TEST(TqbDataEngine, TablesAndFieldsWithTypeCodes)
{
    QbFixtureFile file;
    QbFileEngine sqlite(file.path);
    QStringList tables;
    sqlite.engine.ReadTableList(tables);
    EXPECT_EQ(tables, QStringList({"Customer", "Orders"}));
    QList<TqbField> fields;
    sqlite.engine.ReadFieldList("Orders", fields);
    ASSERT_EQ(fields.size(), 7);
    EXPECT_EQ(fields.at(0).FieldName, "*");
    EXPECT_EQ(fields.at(0).FieldType, 0);
    EXPECT_EQ(fields.at(6).FieldName, "Order Date");
    const qint32 expected[] = {ftLargeint, ftLargeint, ftCurrency, ftDateTime, ftLargeint, ftDate};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(fields.at(i + 1).FieldType, expected[i]) << fields.at(i + 1).FieldName.toStdString();
}

TEST(TqbDataEngine, ResultRowsAndErrors)
{
    QbFixtureFile file;
    QbFileEngine sqlite(file.path);
    sqlite.engine.SetSQL("SELECT Company FROM Customer ORDER BY Company");
    TqbResultDataSet *rows = sqlite.engine.ResultDataSet();
    rows->Open();
    ASSERT_EQ(rows->Model()->rowCount(), 2);
    EXPECT_EQ(rows->Model()->headerData(0, Qt::Horizontal).toString(), "Company");
    EXPECT_EQ(rows->Model()->index(1, 0).data().toString(), "Beta");
    rows->Close();
    EXPECT_EQ(rows->Model()->rowCount(), 0);
    sqlite.engine.SetSQL("SELECT nothing FROM nowhere");
    EXPECT_THROW(rows->Open(), bralvo::Error);
    // The engine only reads: a statement without rows is refused, not run.
    sqlite.engine.SetSQL("DELETE FROM Customer");
    EXPECT_THROW(rows->Open(), bralvo::Error);
    sqlite.engine.SetSQL("SELECT COUNT(*) FROM Customer");
    rows->Open();
    EXPECT_EQ(rows->Model()->index(0, 0).data().toString(), "2");
}

TEST(TqbDataEngine, FileThatIsNoDatabaseIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("text.db");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, 'x'));
    f.close();
    for (const QString &name : {path, dir.filePath("missing.db")}) {
        QbFileEngine sqlite(name);
        QStringList tables;
        EXPECT_THROW(sqlite.engine.ReadTableList(tables), bralvo::Error) << name.toStdString();
    }
    // Nothing was created in place of the missing file.
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.db")));
}
