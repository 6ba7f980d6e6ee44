// The stored model: save and load round trip, the checksum against the
// SQL text, the model block markers and the core's two text forms.
#include "report/querybuilder/eqberror.h"
#include "report/querybuilder/qbutils.h"
#include "report/querybuilder/tqbcore.h"
#include "report/querybuilder/tqbsql.h"
#include "schemaengine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bralvo::report;

namespace {

QString joined(const QStringList &list)
{
    QString text;
    for (const QString &item : list)
        text += item + QStringLiteral("\r\n");
    return text;
}

// Customer C joined to Orders O, Employee E unlinked; names with spaces
// and a condition holding commas.
TqbModel sample(TqbEngine &engine)
{
    TqbModel m;
    const int c = m.AddTable(engine, "Customer", 10, 20);
    const int o = m.AddTable(engine, "Orders", 200, 30);
    const int e = m.AddTable(engine, "Employee", 400, 40);
    m.Tables[o].Width = 150;
    m.Tables[o].Height = 120;
    m.AddLink({c, 1, o, 2, 3, 1});
    TGridColumn &name = m.Rows[m.AddRow(c, "Name")];
    name.sort = 2;
    name.where = "IN ('A', 'B')";
    TGridColumn &date = m.Rows[m.AddRow(o, "Order Date")];
    date.visible = false;
    date.group = 1;
    m.Rows[m.AddRow(o, "AmountPaid")].function = 5;
    m.Rows[m.AddRow(e, "LastName")].sort = 1;
    return m;
}

} // namespace

TEST(TqbModelText, IniTextOfTheModel)
{
    SchemaEngine engine;
    TqbModel m;
    const int c = m.AddTable(engine, "Customer", 10, 20);
    m.Tables[c].Width = 100;
    m.Tables[c].Height = 80;
    const int o = m.AddTable(engine, "Orders", 200, 30);
    m.AddLink({c, 1, o, 2, 0, 0});
    m.Rows[m.AddRow(o, "Order Date")].where = "= 5";
    const QString sql = GenerateSQL(m);
    EXPECT_EQ(ModelText(m, sql),
              QStringLiteral("[DataBase]\r\nSQL=%1\r\n[Tables]\r\nC=Customer,20,10,80,100\r\n"
                             "O=Orders,30,200,0,0\r\n[Grid]\r\n0=\"Order Date\",Orders,O,1,0,0,0,= 5\r\n"
                             "[Links]\r\n0=1,0,2,1,0,0")
                  .arg(CalcCRC32(StripLineBreaks(sql, "\r\n"))));
}

TEST(TqbModelText, SaveAndLoadRoundTrip)
{
    SchemaEngine engine;
    const TqbModel m = sample(engine);
    const QStringList saved = SaveToStrings(m);
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved[0], GenerateSQL(m));
    EXPECT_EQ(saved[1], "/*_QBMODEL");
    EXPECT_EQ(saved[3], "_QBEND*/");
    EXPECT_TRUE(joined(saved).contains("\r\n\r\n/*_QBMODEL\r\n"));

    TqbModel loaded;
    ASSERT_EQ(LoadModel(loaded, engine, joined(saved)), LoadOutcome::Loaded);
    ASSERT_EQ(loaded.Tables.size(), 3);
    EXPECT_EQ(loaded.Tables[1].Alias, "O");
    EXPECT_EQ(loaded.Tables[1].Left, 200);
    EXPECT_EQ(loaded.Tables[1].Width, 150);
    EXPECT_EQ(loaded.Tables[1].Height, 120);
    ASSERT_EQ(loaded.Rows.size(), 4);
    EXPECT_EQ(loaded.Rows[0].where, "IN ('A', 'B')");
    EXPECT_FALSE(loaded.Rows[1].visible);
    EXPECT_EQ(loaded.Rows[1].field, "\"Order Date\"");
    ASSERT_EQ(loaded.Links.size(), 1);
    EXPECT_EQ(loaded.Links[0].JOperator, 3);
    EXPECT_EQ(loaded.Links[0].JType, 1);
    EXPECT_EQ(SaveToStrings(loaded), saved);
}

TEST(TqbModelText, ChecksumIgnoresOnlyLineBreaksAndSpaceRuns)
{
    SchemaEngine engine;
    const QStringList saved = SaveToStrings(sample(engine));
    const QString text = joined(saved);
    struct Case { const char *what; QString sql; LoadOutcome outcome; };
    QString reflowed = saved[0];
    reflowed.replace("\r\nFROM", "\r\n\r\nFROM").replace("    ", "  ");
    QString changed = saved[0];
    changed.replace("'B'", "'C'");
    QString spaced = saved[0];
    spaced.replace("C.Name", "C. Name");
    for (const Case &c : {Case{"reflowed", reflowed, LoadOutcome::Loaded},
                          Case{"changed condition", changed, LoadOutcome::ChangedSql},
                          Case{"added space", spaced, LoadOutcome::ChangedSql}}) {
        SCOPED_TRACE(c.what);
        TqbModel loaded;
        EXPECT_EQ(LoadModel(loaded, engine, QString(text).replace(saved[0], c.sql)), c.outcome);
        EXPECT_EQ(loaded.Tables.isEmpty(), c.outcome != LoadOutcome::Loaded);
    }
    EXPECT_EQ(ChangedSqlMessage(), "The file was changed. The Model can not be loaded.");
}

TEST(TqbModelText, PlainSqlTextHoldsNoModel)
{
    SchemaEngine engine;
    TqbModel loaded = sample(engine);
    EXPECT_EQ(LoadModel(loaded, engine, "SELECT * FROM Customer"), LoadOutcome::NoModel);
    EXPECT_EQ(LoadModel(loaded, engine, QString()), LoadOutcome::NoModel);
    EXPECT_TRUE(loaded.Tables.isEmpty());
}

TEST(TqbModelText, BrokenSectionsClearOrStopLoading)
{
    SchemaEngine engine;
    const TqbModel m = sample(engine);
    const QString sql = GenerateSQL(m);
    const auto load = [&](QString ini, TqbModel &out) {
        const QString text = sql + "/*_QBMODEL\r\n" + CompressString(ini) + "\r\n_QBEND*/";
        return LoadModel(out, engine, text);
    };
    const QString good = ModelText(m, sql);

    TqbModel a; // a link to a field the table no longer has
    EXPECT_EQ(load(QString(good).replace("0=1,0,2,1,1,3", "0=1,0,99,1,1,3"), a), LoadOutcome::Cleared);
    EXPECT_TRUE(a.Tables.isEmpty());

    TqbModel b; // a grid line naming a missing table: earlier rows stay
    EXPECT_EQ(load(QString(good).replace("2=AmountPaid,Orders,O", "2=AmountPaid,Nope,N"), b),
              LoadOutcome::StoppedAtTable);
    EXPECT_EQ(b.Tables.size(), 3);
    EXPECT_EQ(b.Rows.size(), 2);
    EXPECT_TRUE(b.Links.isEmpty());

    engine.m_tables.remove("Employee"); // the database lost a table
    TqbModel c;
    EXPECT_EQ(load(good, c), LoadOutcome::Cleared);
}

TEST(TqbModelText, ExtractAndRemoveModel)
{
    struct Case { QString text, model, sql; };
    for (const Case &c : {Case{"SELECT 1\r\n/*_QBMODEL\r\nab  c\r\n_QBEND*/\r\n", "ab c", "SELECT 1\r\n"},
                          Case{"abc", "abc", "abc"},
                          Case{"SELECT 1 /*_QBMODEL x", "", "SELECT 1 /*_QBMODEL x"}}) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(ExtractModel(c.text), c.model);
        EXPECT_EQ(RemoveModel(c.text), c.sql);
    }
}

TEST(TqbModelText, ExtractModelWithOnlyEndMarkerHoldsNoModel)
{
    EXPECT_EQ(ExtractModel("SELECT 1 -- _QBEND*/ and more"), QString());
    EXPECT_EQ(ExtractModel("_QBEND*/ x /*_QBMODEL"), QString());
}

TEST(TqbCore, SqlAndSchemaForms)
{
    TqbCore &core = qbCore();
    EXPECT_EQ(&core, &qbCore());
    core.SetSchemaInsideSQL(false);
    core.SetSQL("SELECT 1\r\n");
    core.SetSQLSchema("PACKED");
    EXPECT_EQ(core.SQL(), "SELECT 1\r\n");
    EXPECT_EQ(core.SQLSchema(), "PACKED");
    core.SetSchemaInsideSQL(true);
    EXPECT_EQ(core.SQL(), "SELECT 1\r\n/*_QBMODEL\r\nPACKED\r\n_QBEND*/");
    EXPECT_EQ(core.SQLSchema(), QString());
    core.SetSchemaInsideSQL(false);
    core.SetSQL(QString());
    core.SetSQLSchema(QString());
    EXPECT_EQ(core.SQL(), QString());
    EXPECT_EQ(core.SQLSchema(), QString());
}

TEST(TqbCore, FileRoundTripThroughTheEngine)
{
    TqbCore &core = qbCore();
    core.SetEngine(nullptr);
    try {
        core.Engine();
        FAIL();
    } catch (const EqbError &e) {
        EXPECT_EQ(e.userText(), "qbCore.Engine not assigned");
    }
    SchemaEngine engine;
    core.SetEngine(&engine);
    core.Model() = sample(engine);
    const QString sql = core.GenerateSQL();
    QTemporaryDir dir;
    const QString file = dir.filePath("model.sql");
    core.SaveToFile(file);
    core.Clear();
    EXPECT_EQ(core.LoadFromFile(file), LoadOutcome::Loaded);
    EXPECT_EQ(GenerateSQL(core.Model()), sql);
    EXPECT_EQ(core.LoadFromStrings(SaveToStrings(core.Model())), LoadOutcome::Loaded);
    EXPECT_THROW(core.LoadFromFile(dir.filePath("missing.sql")), EqbError);
    core.SetEngine(nullptr);
    core.Clear();
}

TEST(TqbCore, PlainSqlIsNotTakenForAModel)
{
    TqbCore &core = qbCore();
    core.SetSchemaInsideSQL(false);
    core.SetSQLSchema(QString());
    core.SetSQL("SELECT * FROM Customer\r\n");
    EXPECT_EQ(core.SQL(), "SELECT * FROM Customer\r\n");
    EXPECT_EQ(core.SQLSchema(), QString());
    core.SetSchemaInsideSQL(true);
    EXPECT_EQ(core.SQL(), "SELECT * FROM Customer\r\n");
    EXPECT_EQ(core.SQLSchema(), QString());
    core.SetSchemaInsideSQL(false);
    EXPECT_EQ(core.SQLSchema(), QString());
    core.SetSQL(QString());
}

TEST(TqbModelText, ChecksumOverUtf8AndOlderCp1250ModelsLoad)
{
    SchemaEngine engine;
    TqbModel m = sample(engine);
    m.Rows[0].where = "LIKE 'Š%'";
    const QStringList saved = SaveToStrings(m);
    ASSERT_EQ(saved.size(), 4);
    const QString sql = StripLineBreaks(saved[0], "\r\n");
    const QString ini = DecompressString(saved[2]);
    const QString utf8Line = QStringLiteral("SQL=%1\r\n").arg(CalcCRC32(sql));
    EXPECT_TRUE(ini.contains(utf8Line)) << ini.toStdString();

    struct Case { const char *what; QString checksum; LoadOutcome outcome; };
    for (const Case &c : {Case{"utf-8", QString::number(CalcCRC32(sql)), LoadOutcome::Loaded},
                          Case{"cp1250", QString::number(*CalcCRC32Cp1250(sql)), LoadOutcome::Loaded},
                          Case{"other", QString::number(CalcCRC32(sql) ^ 1u), LoadOutcome::ChangedSql}}) {
        SCOPED_TRACE(c.what);
        const QString packed = CompressString(QString(ini).replace(utf8Line, "SQL=" + c.checksum + "\r\n"));
        TqbModel loaded;
        EXPECT_EQ(LoadModel(loaded, engine, saved[0] + "/*_QBMODEL\r\n" + packed + "\r\n_QBEND*/"), c.outcome);
    }
}
