#include "report/data/sqlparams.h"
#include "report/data/connectionstring.h"
#include "report/data/dataerror.h"

#include <gtest/gtest.h>

using namespace bralvo::data;

TEST(SqlParams, NamesSkipQuotesCastsAndComments)
{
    struct Case {
        const char *sql;
        QStringList names;
    } cases[] = {
        {"select * from t where a = :a and b = :b", {"a", "b"}},
        {"select ':x', \":y\", `:z`, [:w] from t where c = :c", {"c"}},
        {"select a::text from t where d = :d", {"d"}},
        {"select 1 -- :gone\n, :kept /* :also gone */ from t", {"kept"}},
        {"select 'it''s :not' from t where e = :E and f = :e", {"E"}},
        {"select * from t where t = '10:30' and u = :u_1", {"u_1"}},
        {"select :", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sqlParamNames(QString::fromUtf8(c.sql)), c.names) << c.sql;
}

TEST(SqlParams, RepeatedNameIsOneParameterWithEveryUseMarked)
{
    const ParsedSql p = parseSqlParams(QStringLiteral("select * from t where a = :x or b = :X or c = :y"));
    EXPECT_EQ(p.names, QStringList({"x", "y"}));
    EXPECT_EQ(p.withNumberedMarks(), QStringLiteral("select * from t where a = ?1 or b = ?1 or c = ?2"));
    EXPECT_EQ(p.withPlainMarks(), QStringLiteral("select * from t where a = ? or b = ? or c = ?"));
}

TEST(ConnectionString, PartsProviderAndOdbcForm)
{
    const ConnectionString cs(QStringLiteral("Provider=MSDASQL; Driver={SQLite3;x}; Database=\"a;b.db\";"
                                             "User ID=joe;Password=p=1"));
    EXPECT_EQ(cs.value(QStringLiteral("driver")), QStringLiteral("SQLite3;x"));
    EXPECT_EQ(cs.value(QStringLiteral("DATABASE")), QStringLiteral("a;b.db"));
    EXPECT_EQ(cs.value(QStringLiteral("Password")), QStringLiteral("p=1"));
    EXPECT_EQ(cs.providerKind(), ProviderKind::ODBC);
    EXPECT_EQ(cs.odbcText(), QStringLiteral("Driver={SQLite3;x};Database={a;b.db};UID=joe;PWD=p=1"));

    const ConnectionString sqlite(QStringLiteral("Provider=SQLite; Data Source=/tmp/a.db;User ID=u"));
    EXPECT_EQ(sqlite.value(QStringLiteral("data source")), QStringLiteral("/tmp/a.db"));
    EXPECT_EQ(ConnectionString(QStringLiteral("Provider=x")).value(QStringLiteral("Data Source")), QString());

    EXPECT_EQ(ConnectionString(QStringLiteral("Data Source=/x.db")).providerKind(), ProviderKind::SQLite);
    EXPECT_EQ(ConnectionString(QStringLiteral("Provider=SQLite;Data Source=/x.db")).providerKind(),
              ProviderKind::SQLite);
    EXPECT_EQ(ConnectionString(QStringLiteral("DSN=orders")).providerKind(), ProviderKind::ODBC);
    EXPECT_THROW(ConnectionString(QStringLiteral("Provider=Jet;Data Source=x")).providerKind(), DataError);
    EXPECT_THROW(ConnectionString(QString()).providerKind(), DataError);
}
