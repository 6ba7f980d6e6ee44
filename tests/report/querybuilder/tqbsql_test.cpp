// SQL text generated from query models: worked examples of tables, joins,
// fields, conditions, grouping and ordering.
#include "report/querybuilder/eqberror.h"
#include "report/querybuilder/tqbsql.h"
#include "schemaengine.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

QString lines(const QStringList &l) { return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

int field(const TqbModel &m, int table, const QString &name)
{
    for (int i = 0; i < m.Tables[table].Fields.size(); ++i)
        if (m.Tables[table].Fields[i].FieldName == name)
            return i;
    ADD_FAILURE() << name.toStdString();
    return 0;
}

void link(TqbModel &m, int src, const QString &sf, int dst, const QString &df, int type = 0, int op = 0)
{
    m.AddLink({src, field(m, src, sf), dst, field(m, dst, df), op, type});
}

TGridColumn &row(TqbModel &m, int table, const QString &name)
{
    return m.Rows[m.AddRow(table, name)];
}

} // namespace

class TqbSql : public ::testing::Test {
protected:
    SchemaEngine engine;
    TqbModel m;
    int add(const QString &table) { return m.AddTable(engine, table, 10, 20); }
};

TEST_F(TqbSql, AliasesTakeFirstCharacterThenNumbers)
{
    EXPECT_EQ(m.Tables[add("Customer")].Alias, "C");
    EXPECT_EQ(m.Tables[add("Customer")].Alias, "C1");
    EXPECT_EQ(m.Tables[add("Customer")].Alias, "C2");
    EXPECT_EQ(m.NewAlias("customer"), "c");
    EXPECT_EQ(m.Tables[0].Fields.first().FieldName, "*");
}

TEST_F(TqbSql, CustomerOrdersExample)
{
    const int c = add("Customer"), o = add("Orders");
    link(m, c, "CustNo", o, "CustNo");
    TGridColumn &company = row(m, c, "Company");
    company.sort = 1;
    company.group = 1;
    row(m, o, "AmountPaid").function = 5;
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT C.Company, SUM(O.AmountPaid)", "FROM",
                                     "    Customer C",
                                     "    INNER JOIN Orders O ON (C.CustNo=O.CustNo)",
                                     "GROUP BY C.Company", "ORDER BY C.Company"}));
}

TEST_F(TqbSql, JoinsTypesOperatorsAndAndedLinks)
{
    const int c = add("Customer"), o = add("Orders"), e = add("Employee");
    link(m, c, "CustNo", o, "CustNo", 1, 5);
    link(m, c, "Name", o, "Order Date", 0, 3);   // same destination: one line
    link(m, o, "EmpNo", e, "EmpNo", 3, 0);       // new destination: new line
    row(m, c, "Name");
    EXPECT_EQ(GenerateSQL(m),
              lines({"SELECT C.Name", "FROM", "    Customer C",
                     "    LEFT OUTER JOIN Orders O ON (C.CustNo<>O.CustNo) AND (C.Name<=O.\"Order Date\") ",
                     "    FULL OUTER JOIN Employee E ON (O.EmpNo=E.EmpNo)"}));
}

TEST_F(TqbSql, UnlinkedTablesGetTheirOwnFromLines)
{
    const int c = add("Customer"), o = add("Orders"), e = add("Employee");
    link(m, c, "CustNo", o, "CustNo");
    row(m, o, "Total");          // already in a join line
    row(m, e, "LastName");       // no link: own line after ", "
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT O.Total, E.LastName", "FROM", "    Customer C",
                                     "    INNER JOIN Orders O ON (C.CustNo=O.CustNo), ",
                                     "    Employee E"}));
    m.Links.clear();
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT O.Total, E.LastName", "FROM", "    Orders O, ",
                                     "    Employee E"}));
}

TEST_F(TqbSql, ConditionsGroupsAndOrderIncludeHiddenRows)
{
    const int c = add("Customer"), o = add("Orders");
    TGridColumn &name = row(m, c, "Name");
    name.sort = 1;
    name.where = "LIKE 'A%'";
    TGridColumn &date = row(m, o, "Order Date");
    date.visible = false;
    date.where = "> '2024-01-01'";
    date.group = 1;
    TGridColumn &total = row(m, o, "Total");
    total.visible = false;
    total.sort = 2;
    EXPECT_EQ(GenerateSQL(m),
              lines({"SELECT C.Name", "FROM", "    Customer C, ", "    Orders O", "WHERE",
                     "    C.Name LIKE 'A%' AND", "    O.\"Order Date\" > '2024-01-01'",
                     "GROUP BY O.\"Order Date\"", "ORDER BY C.Name , O.Total DESC"}));
}

TEST_F(TqbSql, EmptyGridAndNoVisibleColumn)
{
    EXPECT_EQ(GenerateSQL(m), QString());
    EXPECT_TRUE(SaveToStrings(m).isEmpty());
    row(m, add("Customer"), "Name").visible = false;
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT ", "FROM", "    Customer C"}));
}

TEST_F(TqbSql, AndConditionUsesItsOwnSourceTable)
{
    // A second link into Orders from a table already in FROM: its condition
    // names its own source, Employee, not the table that opened the line.
    const int c = add("Customer"), e = add("Employee"), o = add("Orders");
    link(m, c, "CustNo", e, "EmpNo");
    link(m, c, "CustNo", o, "CustNo");
    link(m, e, "EmpNo", o, "EmpNo");
    row(m, c, "Name");
    EXPECT_EQ(GenerateSQL(m),
              lines({"SELECT C.Name", "FROM", "    Customer C",
                     "    INNER JOIN Employee E ON (C.CustNo=E.EmpNo)",
                     "    INNER JOIN Orders O ON (C.CustNo=O.CustNo) AND (E.EmpNo=O.EmpNo) "}));
}

TEST_F(TqbSql, EveryJoinNamesOnlyTablesAlreadyInFrom)
{
    // Engines other than SQLite refuse an ON that names a table brought in
    // later (or never): each case once wrote such a FROM list.
    const int c = add("Customer"), e = add("Employee"), o = add("Orders"), c1 = add("Customer");
    struct Case { const char *what; QList<TqbLink> links; QStringList from; };
    const auto L = [&](int st, const QString &sf, int dt, const QString &df, int type) {
        return TqbLink{st, field(m, st, sf), dt, field(m, dt, df), 0, type};
    };
    const QList<Case> cases = {
        {"second source joins the destination the other way round",
         {L(c, "CustNo", o, "CustNo", 0), L(e, "EmpNo", o, "EmpNo", 0)},
         {"    Customer C", "    INNER JOIN Orders O ON (C.CustNo=O.CustNo)",
          "    INNER JOIN Employee E ON (E.EmpNo=O.EmpNo)"}},
        {"an outer join written the other way round swaps left and right",
         {L(c, "CustNo", o, "CustNo", 1), L(e, "EmpNo", o, "EmpNo", 1), L(c1, "CustNo", o, "CustNo", 2)},
         {"    Customer C", "    LEFT OUTER JOIN Orders O ON (C.CustNo=O.CustNo)",
          "    RIGHT OUTER JOIN Employee E ON (E.EmpNo=O.EmpNo)",
          "    LEFT OUTER JOIN Customer C1 ON (C1.CustNo=O.CustNo)"}},
        {"a link between two new tables waits for one that reaches them",
         {L(c, "CustNo", o, "CustNo", 0), L(c1, "CustNo", e, "EmpNo", 0), L(o, "EmpNo", e, "EmpNo", 0)},
         {"    Customer C", "    INNER JOIN Orders O ON (C.CustNo=O.CustNo)",
          "    INNER JOIN Employee E ON (O.EmpNo=E.EmpNo)",
          "    INNER JOIN Customer C1 ON (C1.CustNo=E.EmpNo)"}},
        {"a link no other reaches brings its source in by a cross join",
         {L(c, "CustNo", o, "CustNo", 0), L(c1, "CustNo", e, "EmpNo", 0)},
         {"    Customer C", "    INNER JOIN Orders O ON (C.CustNo=O.CustNo)",
          "    CROSS JOIN Customer C1", "    INNER JOIN Employee E ON (C1.CustNo=E.EmpNo)"}},
        {"a link back to the first table joins no table twice",
         {L(c, "CustNo", o, "CustNo", 0), L(o, "EmpNo", c, "Name", 0)},
         {"    Customer C", "    INNER JOIN Orders O ON (C.CustNo=O.CustNo) AND (O.EmpNo=C.Name) "}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        m.Links = k.links;
        m.Rows.clear();
        row(m, c, "Name");
        EXPECT_EQ(GenerateSQL(m), lines(QStringList{"SELECT C.Name", "FROM"} + k.from));
    }
}

TEST_F(TqbSql, LinkInsideATableBeforeAnyJoinBecomesACondition)
{
    const int c = add("Customer"), o = add("Orders"), e = add("Employee");
    link(m, c, "CustNo", c, "Name");
    row(m, c, "Name").where = "<> ''";
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT C.Name", "FROM", "    Customer C", "WHERE",
                                     "    (C.CustNo=C.Name) AND", "    C.Name <> ''"}));
    // The same right after a cross join: a CROSS JOIN has no ON to extend.
    m.Links.clear();
    m.Rows.clear();
    link(m, c, "CustNo", o, "CustNo");
    link(m, e, "EmpNo", e, "LastName");
    row(m, c, "Name");
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT C.Name", "FROM", "    Customer C",
                                     "    INNER JOIN Orders O ON (C.CustNo=O.CustNo)",
                                     "    CROSS JOIN Employee E", "WHERE", "    (E.EmpNo=E.LastName)"}));
}

TEST_F(TqbSql, FromListMatchesWholeTableEntries)
{
    // "Customer C" is a substring of "Customer C1" but a different table.
    const int c = add("Customer"), c1 = add("Customer"), o = add("Orders");
    link(m, c1, "CustNo", o, "CustNo");
    row(m, c, "Name");
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT C.Name", "FROM", "    Customer C1",
                                     "    INNER JOIN Orders O ON (C1.CustNo=O.CustNo), ",
                                     "    Customer C"}));
}

TEST_F(TqbSql, QuotedIdentifiersCannotBreakTheSql)
{
    struct Case { QString name, quoted; };
    for (const Case &c : {Case{"Name", "Name"}, Case{"*", "*"}, Case{"Order Date", "\"Order Date\""},
                          Case{"a/b", "\"a/b\""}, Case{"a\"b", "\"a\"\"b\""},
                          Case{"x;DROP", "\"x;DROP\""}, Case{"Názov_1", "Názov_1"}}) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(QuotedFieldName(c.name), c.quoted);
    }
    const int d = add("Order Details");
    row(m, d, "Qty");
    EXPECT_EQ(GenerateSQL(m), lines({"SELECT O.Qty", "FROM", "    \"Order Details\" O"}));
    EXPECT_EQ(m.NewAlias("\"x"), "T");
}

TEST_F(TqbSql, BadLinksAreRefused)
{
    const int c = add("Customer");
    EXPECT_THROW(m.AddLink({c, 0, 5, 0, 0, 0}), EqbError);
    EXPECT_THROW(m.AddLink({c, 99, c, 0, 0, 0}), EqbError);
    EXPECT_THROW(m.AddLink({c, 0, c, 0, 6, 0}), EqbError);
    EXPECT_THROW(m.AddLink({c, 0, c, 0, 0, 4}), EqbError);
}

TEST_F(TqbSql, RemovingATableRemovesItsLinks)
{
    const int c = add("Customer"), o = add("Orders"), e = add("Employee");
    link(m, c, "CustNo", o, "CustNo");
    link(m, o, "EmpNo", e, "EmpNo");
    m.RemoveTable(c);
    ASSERT_EQ(m.Links.size(), 1);
    EXPECT_EQ(m.Links[0].SourceTable, 0);
    EXPECT_EQ(m.Links[0].DestTable, 1);
}

TEST(TqbFieldTypes, NamesByCode)
{
    EXPECT_EQ(FieldTypeName(0), "");
    EXPECT_EQ(FieldTypeName(1), "String");
    EXPECT_EQ(FieldTypeName(24), "WideString");
    EXPECT_EQ(FieldTypeName(29), "DataSet");
    EXPECT_EQ(FieldTypeName(38), "38");
}
