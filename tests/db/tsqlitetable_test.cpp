// Result tables: column kinds, the null rules of the field readers, the
// cursor and the exact error texts.
#include "tests/support/qstringprint.h"
#include "db/esqliteexception.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/regionalsettings.h"
#include "tests/db/sqlitefilefixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::db;
using bralvo::platform::RegionalSettings;
using bralvo::platform::ScopedRegionalSettings;

namespace {

class TSQLiteTableTest : public bralvo::test::SqliteFileFixture {
protected:
    void SetUp() override
    {
        openDatabase({"CREATE TABLE k (i INTEGER, f FLOAT, t TEXT, d DATE, b BLOB, lf float, "
                      "bo BOOLEAN, n NUMERIC, r REAL, dbl DOUBLE, v VARCHAR(10));"});
    }
    std::unique_ptr<TSQLiteTable> query(const char *sql) { return m_db->GetTable(QString::fromUtf8(sql)); }
};

} // namespace

TEST_F(TSQLiteTableTest, KindsFollowTheDeclaredTypeWrittenExactly)
{
    m_db->ExecSql("INSERT INTO k VALUES (1, 2.5, 'a', '2009-03-05', x'01', 2.9, 1, 3, 4.5, 5.5, 'v');");
    auto table = query("SELECT i, f, t, d, b, lf, bo, n, r, dbl, v FROM k");
    const ColumnKind expected[] = {ColumnKind::Integer, ColumnKind::Float, ColumnKind::Text,
                                   ColumnKind::Text,    ColumnKind::Blob,  ColumnKind::Text,
                                   ColumnKind::Integer, ColumnKind::Float, ColumnKind::Float,
                                   ColumnKind::Float,   ColumnKind::Text};
    for (int c = 0; c < 11; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(table->FieldKind(c), expected[c]);
    }
}

TEST_F(TSQLiteTableTest, ExpressionColumnsTakeTheStorageClass)
{
    auto table = query("SELECT 1, 2.5, 'x', x'00ff', NULL");
    const ColumnKind expected[] = {ColumnKind::Integer, ColumnKind::Float, ColumnKind::Text,
                                   ColumnKind::Blob, ColumnKind::Null};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(table->FieldKind(c), expected[c]) << c;
}

TEST_F(TSQLiteTableTest, FloatsTruncateTowardZeroWhenReadAsIntegers)
{
    m_db->ExecSql("INSERT INTO k (f, lf) VALUES (2.9, 2.9);");
    m_db->ExecSql("INSERT INTO k (f, lf) VALUES (-2.9, -2.9);");
    auto table = query("SELECT f, lf FROM k");
    EXPECT_EQ(table->FieldAsInteger(0), 2);
    EXPECT_DOUBLE_EQ(table->FieldAsDouble(0), 2.9);
    // A lower-case "float" is not a number column: text, no number reads.
    EXPECT_EQ(table->FieldAsText(1), QStringLiteral("2.9"));
    EXPECT_EQ(errorOf([&] { table->FieldAsInteger(1); }), QStringLiteral("Not an integer or numeric field"));
    EXPECT_EQ(errorOf([&] { table->FieldAsDouble(1); }), QStringLiteral("Not an integer or numeric field"));
    table->NextRow();
    EXPECT_EQ(table->FieldAsInteger(0), -2);
}

TEST_F(TSQLiteTableTest, NullCellsReadAsZeroOrEmptyByKind)
{
    m_db->ExecSql("INSERT INTO k (i) VALUES (NULL);");
    auto table = query("SELECT i, f, t, b FROM k");
    struct Case {
        int column;
        const char *text;
        const char *string;
    };
    for (const Case c : {Case{0, "0", ""}, Case{1, "0", ""}, Case{2, "", ""}, Case{3, "", ""}}) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(table->FieldAsText(c.column), QString::fromUtf8(c.text));
        EXPECT_EQ(table->FieldAsString(c.column), QString::fromUtf8(c.string));
        EXPECT_EQ(table->FieldAsInteger(c.column), 0);
        EXPECT_EQ(table->FieldAsDouble(c.column), 0.0);
        EXPECT_EQ(table->FieldAsBlob(c.column), nullptr);
    }
}

TEST_F(TSQLiteTableTest, NumbersAsTextFollowTheRegionalDecimalSeparator)
{
    m_db->ExecSql("INSERT INTO k (i, f) VALUES (-42, 1234.5);");
    RegionalSettings dot = RegionalSettings::slovak();
    dot.decimalSeparator = u'.';
    struct Case {
        RegionalSettings settings;
        const char *floatText;
    };
    for (const Case &c : {Case{RegionalSettings::slovak(), "1234,5"}, Case{dot, "1234.5"}}) {
        ScopedRegionalSettings scope(c.settings);
        auto table = query("SELECT i, f FROM k");
        EXPECT_EQ(table->FieldAsText(0), QStringLiteral("-42"));
        EXPECT_EQ(table->FieldAsText(1), QString::fromUtf8(c.floatText));
    }
}

TEST_F(TSQLiteTableTest, BlobsKeepEveryByteAndTextStopsAtTheFirstZero)
{
    m_db->ExecSql("INSERT INTO k (b, t) VALUES (x'410042ff', 'A' || char(0) || 'B');");
    m_db->ExecSql("INSERT INTO k (b, t) VALUES (x'', 'x');");
    auto table = query("SELECT b, t FROM k");
    ASSERT_NE(table->FieldAsBlob(0), nullptr);
    EXPECT_EQ(*table->FieldAsBlob(0), QByteArray("A\0B\xff", 4));
    EXPECT_EQ(table->FieldBlobAsString(0), QString::fromLatin1("A\0B\xff", 4));
    EXPECT_EQ(table->FieldAsText(0).size(), 4);
    EXPECT_EQ(table->FieldAsString(1), QStringLiteral("A"));
    EXPECT_EQ(errorOf([&] { table->FieldAsBlob(1); }), QStringLiteral("Not a Blob field"));
    table->NextRow();
    EXPECT_EQ(table->FieldAsBlob(0), nullptr);  // a blob of 0 bytes is a null cell
    EXPECT_EQ(table->FieldBlobAsString(0), QString());
}

TEST_F(TSQLiteTableTest, EmptyResultRefusesEveryFieldEvenOneThatExists)
{
    auto table = query("SELECT i FROM k");
    EXPECT_EQ(table->RowCount(), 0);
    EXPECT_TRUE(table->IsEof());
    EXPECT_FALSE(table->MoveFirst());
    EXPECT_FALSE(table->NextRow());
    EXPECT_EQ(errorOf([&] { table->FieldIndex("i"); }), QStringLiteral("Field i Not found. Empty dataset"));
    EXPECT_EQ(errorOf([&] { table->FieldAsString(0); }), QStringLiteral("Table is at End of File"));
}

TEST_F(TSQLiteTableTest, CursorWalksEveryRowAndStopsAtTheEnd)
{
    for (int i = 1; i <= 3; ++i)
        m_db->ExecSql(QStringLiteral("INSERT INTO k (i) VALUES (%1);").arg(i));
    auto table = query("SELECT i AS Cislo FROM k ORDER BY i");
    EXPECT_EQ(table->RowCount(), 3);
    EXPECT_EQ(table->FieldName(0), QStringLiteral("CISLO"));
    EXPECT_EQ(table->FieldIndex("cislo"), 0);
    QList<qint64> seen;
    for (; !table->IsEof(); table->NextRow())
        seen << table->FieldAsInteger(0);
    EXPECT_EQ(seen, (QList<qint64>{1, 2, 3}));
    EXPECT_FALSE(table->NextRow());
    EXPECT_EQ(errorOf([&] { table->FieldAsInteger(0); }), QStringLiteral("Table is at End of File"));
    EXPECT_TRUE(table->MoveFirst());
    EXPECT_EQ(table->FieldAsInteger(0), 1);
    EXPECT_EQ(errorOf([&] { table->FieldIndex("nic"); }), QStringLiteral("Field not found in dataset: nic"));
    EXPECT_EQ(errorOf([&] { table->FieldAsInteger(1); }), QStringLiteral("Field index out of range: 1"));
}

TEST_F(TSQLiteTableTest, ExpressionColumnWithNullFirstRowKeepsLaterValues)
{
    for (int i = 1; i <= 3; ++i)
        m_db->ExecSql(QStringLiteral("INSERT INTO k (i) VALUES (%1);").arg(i));
    auto table = query("SELECT CASE WHEN i = 1 THEN NULL ELSE i * 10 END AS v, "
                       "CASE WHEN i = 1 THEN NULL ELSE 'r' || i END AS w FROM k ORDER BY i");
    EXPECT_EQ(table->FieldKind(0), ColumnKind::Integer);
    EXPECT_EQ(table->FieldKind(1), ColumnKind::Text);
    EXPECT_EQ(table->FieldAsString(0), QString());
    table->NextRow();
    EXPECT_EQ(table->FieldAsInteger(0), 20);
    EXPECT_EQ(table->FieldAsString(1), QStringLiteral("r2"));
    table->NextRow();
    EXPECT_EQ(table->FieldAsText(0), QStringLiteral("30"));
}

TEST_F(TSQLiteTableTest, ColumnNullInEveryRowHasTheNullKind)
{
    auto table = query("SELECT NULL AS x UNION ALL SELECT NULL");
    EXPECT_EQ(table->FieldKind(0), ColumnKind::Null);
    EXPECT_EQ(table->FieldAsText(0), QString());
    EXPECT_EQ(table->FieldAsInteger(0), 0);
}
