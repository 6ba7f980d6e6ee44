// The aliases, master-detail, parameter and SQL editor windows.
#include "report/dataeditors/trpaliaseseditor.h"
#include "report/dataeditors/trpmdeditor.h"
#include "report/dataeditors/trpparamseditor.h"
#include "report/dataeditors/trpsqleditor.h"

#include "platform/registryini.h"
#include "plaintargets.h"
#include "report/editors/trpsyntaxmemo.h"
#include "tests/support/qstringprint.h"
#include "tests/support/tempdataroot.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(AliasesEditor, ShowsRowsAndWritesThemBackUnchanged)
{
    PlainDataset ds;
    ds.aliases = {"NAME=Customer", "-ID=Key"};
    TrpAliasesEditorForm form(ds);
    auto *list = form.findChild<QTreeWidget *>("AliasesLV");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Customer");
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "Key");
    EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
    form.accept();
    EXPECT_EQ(ds.aliases, QStringList({"NAME=Customer", "-ID=Key"}));
    EXPECT_EQ(ds.userName, "Customers");
}

TEST(AliasesEditor, UpdateReadsPlainFieldsAndKeepsHiddenOnes)
{
    PlainDataset ds;
    ds.aliases = {"NAME=Customer", "-ID=Key"};
    ds.fields = {"ID", "NAME", "CITY"};
    TrpAliasesEditorForm form(ds);
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_TRUE(ds.aliasesWhenAsked.isEmpty()); // asked without aliases
    EXPECT_EQ(ds.aliases, QStringList({"NAME=Customer", "-ID=Key"})); // and put back
    form.accept();
    EXPECT_EQ(ds.aliases, QStringList({"-ID=Key", "NAME=Customer", "CITY=CITY"}));
}

TEST(AliasesEditor, EmptyAliasesStartFromTheFields)
{
    PlainDataset ds;
    ds.fields = {"A", "B"};
    TrpAliasesEditorForm form(ds);
    auto *list = form.findChild<QTreeWidget *>("AliasesLV");
    list->topLevelItem(0)->setText(0, ""); // an emptied alias takes the field name
    EXPECT_EQ(list->topLevelItem(0)->text(0), "A");
    form.findChild<QPushButton *>("CancelB")->click();
    EXPECT_TRUE(ds.aliases.isEmpty());
}

TEST(MasterDetailEditor, AddsALinkToTheExistingOnes)
{
    PlainTable t;
    t.detail = {"CustID", "A", "X"};
    t.master = {"ID", "B", "Y"};
    t.links = "CustID=ID";
    TrpMDEditorForm form(t);
    EXPECT_EQ(form.DetailList()->count(), 2);
    EXPECT_TRUE(form.DetailList()->findItems("CustID", Qt::MatchExactly).isEmpty());
    EXPECT_TRUE(form.MasterList()->findItems("ID", Qt::MatchExactly).isEmpty());
    EXPECT_EQ(form.LinksList()->item(0)->text(), "CustID=ID");
    EXPECT_FALSE(form.AddButton()->isEnabled());
    form.DetailList()->setCurrentRow(0);
    EXPECT_FALSE(form.AddButton()->isEnabled());
    form.MasterList()->setCurrentRow(0);
    ASSERT_TRUE(form.AddButton()->isEnabled());
    form.AddButton()->click();
    form.accept();
    EXPECT_EQ(t.links, "CustID=ID;A=B");
}

TEST(ParamsEditor, TypesAndExpressionsGoBack)
{
    TrpParamsEditorForm form({{"p1", 0, ""}, {"p2", 3, "1"}});
    EXPECT_EQ(form.List()->topLevelItem(0)->text(1), "Unknown");
    EXPECT_EQ(form.TypeBox()->count(), 42);
    form.List()->setCurrentItem(form.List()->topLevelItem(1));
    form.TypeBox()->setCurrentIndex(9);
    form.ValueEdit()->setText("Date");
    form.accept();
    EXPECT_EQ(form.Params(), (QList<TrpParamRow>{{"p1", 0, ""}, {"p2", 9, "Date"}}));
}

TEST(SqlEditor, OkWritesTheTextAndCancelPutsEverythingBack)
{
    bralvo::test::TempDataRoot home;
    bralvo::platform::RegistryIniStore store("\\Software\\Dori Zirovad");
    PlainQuery q;
    q.sql = {"select 1"};
    q.schema = "model";
    q.params = {{"p", 3, "1"}};
    {
        TrpSQLEditorForm form(q, &store);
        EXPECT_EQ(form.Editor()->Lines(), QStringList({"select 1"}));
        EXPECT_EQ(form.Editor()->Syntax(), "SQL");
        EXPECT_EQ(form.Editor()->GutterWidth(), 20);
        QTest::keyClicks(form.Editor(), "x");
        q.schema = "changed";
        q.params.clear();
        form.reject();
    }
    EXPECT_EQ(q.sql, QStringList({"select 1"}));
    EXPECT_EQ(q.schema, "model");
    EXPECT_EQ(q.params.size(), 1);
    EXPECT_TRUE(store.readBool("Form4.TrpSQLEditorForm", "Visible", false));
    TrpSQLEditorForm form(q, &store);
    form.show();
    QTest::keyClick(form.Editor(), Qt::Key_End);
    QTest::keyClicks(form.Editor(), " from t");
    QTest::keyClick(form.Editor(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(q.sql, QStringList({"select 1 from t"}));
}
