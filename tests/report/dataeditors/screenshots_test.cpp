// Screenshots of the query builder and the data editors for
// docs/screenshots/ when BRALVO_SCREENSHOT_DIR names a folder (run under
// xvfb-run for real rendering): the builder with two linked tables, its
// SQL page, the SQL editor and the connection wizard.
#include "plaintargets.h"
#include "report/data/tadoconnection.h"
#include "report/dataeditors/tqbdataengine.h"
#include "report/dataeditors/trpconnectionwizard.h"
#include "report/dataeditors/trpsqleditor.h"
#include "report/editors/trpsyntaxmemo.h"
#include "report/querybuilder/designer/tqbdesigner.h"
#include "report/querybuilder/designer/tqbgrid.h"
#include "report/querybuilder/designer/tqblists.h"
#include "report/querybuilder/designer/tqbtable.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "report/querybuilder/tqbcore.h"
#include "tests/support/screenshotfolder.h"
#include "tests/support/tempdataroot.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace bralvo::report;

namespace {

class EditorScreenshots : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_shots.wanted())
            GTEST_SKIP() << "BRALVO_SCREENSHOT_DIR not set";
    }
    void save(QWidget &window, const QString &name) { m_shots.save(window, name); }
    QString shopFile()
    {
        const QString path = m_dir.filePath("shop.db");
        sqlite3 *db = nullptr;
        EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_exec(db,
                     "CREATE TABLE Customer (CustNo INTEGER, Company VARCHAR(30), City VARCHAR(30));"
                     "CREATE TABLE Orders (OrderNo INTEGER, CustNo INTEGER, SaleDate DATE, AmountPaid CURRENCY);"
                     "CREATE TABLE Items (OrderNo INTEGER, PartNo INTEGER, Qty INTEGER);",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return path;
    }
    static void tick(ui::TqbTable *box, int field)
    {
        box->FieldList()->item(field)->setCheckState(Qt::Checked);
    }

    bralvo::test::ScreenshotFolder m_shots;
    QTemporaryDir m_dir;
    bralvo::test::TempDataRoot m_home;
};

} // namespace

TEST_F(EditorScreenshots, QueryBuilderModelAndSqlPages)
{
    bralvo::data::TADOConnection shop;
    shop.SetConnectionString("Provider=SQLite;Data Source=" + shopFile());
    TqbDataEngine engine(shop);
    qbCore().SetEngine(&engine);
    qbCore().Clear();
    {
        TqbDesigner designer;
        designer.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&designer));
        TqbTableArea *area = designer.TableArea();
        ui::TqbTable *c = area->InsertTable(20, 20, "Customer");
        ui::TqbTable *o = area->InsertTable(260, 60, "Orders");
        tick(c, 2);
        tick(c, 3);
        tick(o, 4);
        area->AddLink(c, 1, o, 2);
        TqbGrid *grid = designer.Grid();
        grid->setCurrentItem(grid->topLevelItem(2));
        qobject_cast<QComboBox *>(grid->Editor(4))->setCurrentIndex(5);
        grid->setCurrentItem(grid->topLevelItem(0));
        qobject_cast<QComboBox *>(grid->Editor(5))->setCurrentIndex(1);
        qobject_cast<QComboBox *>(grid->Editor(3))->setCurrentIndex(1);
        grid->setCurrentItem(grid->topLevelItem(1));
        qobject_cast<QComboBox *>(grid->Editor(5))->setCurrentIndex(1);
        save(designer, "query-builder.png");
        designer.Pages()->setCurrentIndex(1);
        save(designer, "query-builder-sql.png");
    }
    qbCore().Clear();
    qbCore().SetEngine(nullptr);
}

TEST_F(EditorScreenshots, SqlEditorAndConnectionWizard)
{
    PlainQuery q;
    q.sql = {"SELECT C.Company, SUM(O.AmountPaid) -- per customer", "FROM Customer C",
             "  INNER JOIN Orders O ON (C.CustNo = O.CustNo)", "WHERE O.SaleDate >= \"2024-01-01\"",
             "GROUP BY C.Company", "/* largest first */", "ORDER BY 2 DESC"};
    TrpSQLEditorForm sql(q, nullptr);
    sql.resize(560, 300);
    sql.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sql));
    save(sql, "sql-editor.png");
    sql.reject();

    class Report : public TrpWizardTarget {
    public:
        QStringList DatabaseClasses() override { return {"ADO database"}; }
        QStringList TableClasses() override { return {"ADO table"}; }
        QStringList QueryClasses() override { return {"ADO query"}; }
        int EditedDatabaseClass() override { return -1; }
        void NewDatabase(int) override {}
        QString DatabaseName() override { return {}; }
        void SetDatabaseName(const QString &) override {}
        void SetLogin(bool, const QString &, const QString &) override {}
        bool EditConnection(QWidget *) override { return false; }
        bool NewTable(int) override { return true; }
        QStringList TableNames() override { return {}; }
        void SetTable(const QString &, const QString &, bool) override {}
        bool NewQuery(int) override { return true; }
        TrpQueryTarget *Query() override { return nullptr; }
        void NameResult(int) override {}
        void Finish(int, bool) override {}
    } report;
    TrpConnectionWizardForm wizard(report, 0);
    wizard.DatabaseEdit()->setText("Provider=SQLite;Data Source=/srv/shop.db");
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    save(wizard, "connection-wizard.png");
    wizard.reject();
}
