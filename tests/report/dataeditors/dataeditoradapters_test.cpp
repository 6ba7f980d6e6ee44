// The data editors on the report's real data components over an SQLite
// file: the wizard makes and places components, the aliases editor and
// the SQL editor with its query builder work on ADO tables and queries.
#include "report/dataeditors/dataeditoradapters.h"

#include "platform/stringlist.h"
#include "report/data/trpado.h"
#include "report/dataeditors/tqbdataengine.h"
#include "report/dataeditors/trpaliaseseditor.h"
#include "report/dataeditors/trpconnectionwizard.h"
#include "report/dataeditors/trpdataeditors.h"
#include "report/model/trpresources.h"
#include "report/dataeditors/trpsqleditor.h"
#include "report/editors/trpsyntaxmemo.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/querybuilder/designer/tqbdesigner.h"
#include "report/querybuilder/designer/tqbdialog.h"
#include "report/querybuilder/designer/tqblists.h"
#include "report/querybuilder/designer/tqbtable.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "tests/support/qstringprint.h"
#include "tests/support/scriptedmessageboxes.h"
#include "tests/support/tempdataroot.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace bralvo::report;

namespace {

struct ReportWithData : ::testing::Test {
    void SetUp() override
    {
        path = dir.filePath("shop.db");
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_exec(db,
                     "CREATE TABLE Customer (ID INTEGER, NAME VARCHAR(20));"
                     "CREATE TABLE Orders (OrderNo INTEGER, CustID INTEGER);"
                     "INSERT INTO Customer VALUES (1, 'Alpha');",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        page = new TrpDataPage(&report);
        page->setName("Data");
    }
    QString connection() const { return "Provider=SQLite;Data Source=" + path; }

    bralvo::test::TempDataRoot home;
    QTemporaryDir dir;
    QString path;
    TrpReport report{nullptr};
    TrpDataPage *page = nullptr;
};

} // namespace

TEST_F(ReportWithData, WizardMakesAConnectionWithLogin)
{
    ReportWizardTarget target(report);
    TrpConnectionWizardForm wizard(target, 0);
    wizard.DatabaseEdit()->setText(connection());
    wizard.LoginButton()->setChecked(true);
    wizard.LoginEdit()->setText("u");
    wizard.PasswordEdit()->setText("p");
    wizard.accept();
    TrpCustomDatabase *db = target.ResultDatabase();
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->DatabaseName(), connection() + ";User ID=u;Password=p");
    EXPECT_FALSE(db->LoginPrompt());
    EXPECT_FALSE(db->name().isEmpty());
    EXPECT_EQ(db->Left(), 30);
    EXPECT_EQ(db->Top(), 20);
    EXPECT_EQ(page->Objects().size(), 1);
}

TEST_F(ReportWithData, TableWithoutConnectionMakesOneFirst)
{
    ReportWizardTarget target(report);
    TrpConnectionWizardForm wizard(target, 1);
    ASSERT_EQ(wizard.Mode(), 0);
    wizard.DatabaseEdit()->setText(connection());
    wizard.accept();
    ASSERT_EQ(wizard.Mode(), 1);
    EXPECT_EQ(wizard.TableName()->count(), 2);
    wizard.TableName()->setCurrentText("Orders");
    wizard.accept();
    auto *table = dynamic_cast<TrpADOTable *>(target.ResultDataset());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->TableName(), "Orders");
    EXPECT_NE(table->Database(), nullptr);
    EXPECT_EQ(page->Objects().size(), 2);
    EXPECT_EQ(table->Left(), 130); // the second object on the page
}

TEST_F(ReportWithData, CancelLeavesNothingBehind)
{
    ReportWizardTarget target(report);
    TrpConnectionWizardForm wizard(target, 0);
    wizard.reject();
    EXPECT_TRUE(page->Objects().isEmpty());
    EXPECT_EQ(target.ResultDatabase(), nullptr);
}

TEST_F(ReportWithData, AliasesEditorOnATable)
{
    auto *db = new TrpADODatabase(page);
    db->SetDatabaseName(connection());
    auto *table = new TrpADOTable(page);
    table->setName("ADOTable1");
    table->SetDatabase(db);
    table->SetTableName("Customer");
    const bralvo::platform::StringList lines(QStringList{"NAME=Customer", "-ID=Key"});
    table->SetFieldAliases(&lines);
    DataSetAliases aliases(*table);
    TrpAliasesEditorForm form(aliases);
    form.accept();
    EXPECT_EQ(table->FieldAliases()->toStringList(), QStringList({"NAME=Customer", "-ID=Key"}));
    form.Reset();
    EXPECT_EQ(form.Rows().size(), 2);
    EXPECT_EQ(form.Rows().at(0).field, "ID");
    // An empty dataset alias is refused and nothing is written.
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdOk);
    form.findChild<QLineEdit *>("DSAliasE")->clear();
    form.accept();
    EXPECT_EQ(boxes.boxes().at(0).flags, 16);
    EXPECT_EQ(table->UserName(), "ADOTable1");
    EXPECT_EQ(table->FieldAliases()->toStringList(), QStringList({"NAME=Customer", "-ID=Key"}));
}

TEST_F(ReportWithData, SqlEditorRunsTheQueryBuilderOverTheConnection)
{
    auto *db = new TrpADODatabase(page);
    db->SetDatabaseName(connection());
    auto *query = new TrpADOQuery(page);
    query->SetDatabase(db);
    query->SetSQLText("select 1");
    QueryAccess access(*query);
    TrpSQLEditorForm form(access, nullptr);
    TqbDialog::ModalHook() = [](TqbDesigner &d) {
        EXPECT_EQ(d.TableList()->count(), 2);
        ui::TqbTable *box = d.TableArea()->InsertTableCascade("Customer");
        box->FieldList()->item(2)->setCheckState(Qt::Checked);
        return true;
    };
    EXPECT_TRUE(form.RunQueryBuilder());
    TqbDialog::ModalHook() = nullptr;
    EXPECT_EQ(form.Editor()->Lines().first(), "SELECT C.NAME");
    EXPECT_FALSE(query->SQLSchema().isEmpty());
    form.accept();
    EXPECT_EQ(query->SQL()->toStringList().first(), "SELECT C.NAME");
}

TEST_F(ReportWithData, DataEngineListsTablesFieldsAndRows)
{
    auto *db = new TrpADODatabase(page);
    db->SetDatabaseName(connection());
    TqbDataEngine engine(*db->Database());
    QStringList tables;
    engine.ReadTableList(tables);
    EXPECT_EQ(tables, QStringList({"Customer", "Orders"}));
    QList<TqbField> fields;
    engine.ReadFieldList("Customer", fields);
    ASSERT_EQ(fields.size(), 3);
    EXPECT_EQ(fields.at(2).FieldName, "NAME");
    engine.SetSQL("SELECT NAME FROM Customer");
    TqbResultDataSet *rows = engine.ResultDataSet();
    rows->Open();
    ASSERT_EQ(rows->Model()->rowCount(), 1);
    EXPECT_EQ(rows->Model()->index(0, 0).data().toString(), "Alpha");
}

TEST_F(ReportWithData, DataPropertyEditorsOnAnAdoTable)
{
    auto *db = new TrpADODatabase(page);
    db->setName("ADODatabase1");
    db->SetDatabaseName(connection());
    auto *table = new TrpADOTable(page);
    table->setName("ADOTable1");
    TrpDatabaseProperty database(nullptr);
    database.AddObject(table, bralvo::platform::findProperty(*table, "Database"));
    EXPECT_EQ(database.GetValue(), GetResources().Get("prNotAssigned"));
    database.SetValue("ADODatabase1");
    EXPECT_EQ(table->Database(), db);
    EXPECT_EQ(database.GetValue(), "ADODatabase1");
    TrpTableNameProperty tableName(nullptr);
    tableName.AddObject(table, bralvo::platform::findProperty(*table, "TableName"));
    int notified = 0;
    DataEditorsNotify() = [&notified] { ++notified; };
    tableName.GetValues();
    EXPECT_EQ(tableName.Values(), QStringList({"Customer", "Orders"}));
    EXPECT_TRUE(tableName.Edit()); // cycles to the next name
    EXPECT_EQ(table->TableName(), "Customer");
    EXPECT_EQ(notified, 1);
    DataEditorsNotify() = nullptr;
    TrpCustomDataSetEditor editor(table, nullptr);
    EXPECT_TRUE(editor.HasEditor());
}

TEST_F(ReportWithData, WizardsLaunchTheirMode)
{
    EXPECT_EQ(TrpDBQueryWizard::staticClass().name, "TrpDBQueryWizard");
    EXPECT_TRUE(TrpDBTableWizard::staticClass().inheritsFrom(TrpCustomWizard::staticClass()));
    TrpDBConnWizard wizard;
    wizard.SetReport(&report);
    QTimer::singleShot(0, [this] {
        auto *form = qobject_cast<TrpConnectionWizardForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->Mode(), 0);
        form->DatabaseEdit()->setText(connection());
        form->accept();
    });
    EXPECT_TRUE(wizard.Launch());
    ASSERT_EQ(page->Objects().size(), 1);
    EXPECT_EQ(static_cast<TrpCustomDatabase *>(page->Objects().first())->DatabaseName(), connection());
}
