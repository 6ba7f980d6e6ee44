// The editors in the registries: property lists of data components pick
// the registered editors, hidden properties stay out, component editors
// and wizards are found.
#include "report/dataeditors/registereditors.h"

#include "report/data/trpado.h"
#include "report/data/trpdblookupcombobox.h"
#include "report/dataeditors/trpdataeditors.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/propertyeditors/trppropertylist.h"
#include "report/registry/trpwizardregistry.h"

#include <gtest/gtest.h>

using namespace bralvo::report;

TEST(RegisterEditors, DataComponentsGetTheirEditors)
{
    RegisterEditors();
    RegisterEditors(); // a second call registers nothing again
    TrpReport report{nullptr};
    auto *page = new TrpDataPage(&report);
    auto *db = new TrpADODatabase(page);
    auto *query = new TrpADOQuery(page);
    TrpPropertyList dbProps;
    dbProps.SetComponent(db);
    EXPECT_NE(dynamic_cast<TrpDatabaseNameProperty *>(dbProps.EditorOf("DatabaseName")), nullptr);
    TrpPropertyList queryProps;
    queryProps.SetComponent(query);
    EXPECT_NE(dynamic_cast<TrpSQLProperty *>(queryProps.EditorOf("SQL")), nullptr);
    EXPECT_NE(dynamic_cast<TrpDatabaseProperty *>(queryProps.EditorOf("Database")), nullptr);
    EXPECT_EQ(queryProps.EditorOf("SQLSchema"), nullptr);
    EXPECT_EQ(queryProps.EditorOf("OpenDataSource"), nullptr);
    EXPECT_NE(dynamic_cast<TrpNameProperty *>(queryProps.EditorOf("Name")), nullptr);
    auto *combo = new TrpDBLookupComboBox(page);
    TrpPropertyList comboProps;
    comboProps.SetComponent(combo);
    EXPECT_NE(dynamic_cast<TrpDataSetProperty *>(comboProps.EditorOf("DataSet")), nullptr);
    EXPECT_NE(dynamic_cast<TrpDataFieldProperty *>(comboProps.EditorOf("KeyField")), nullptr);
    EXPECT_NE(dynamic_cast<TrpDataFieldProperty *>(comboProps.EditorOf("ListField")), nullptr);
    EXPECT_EQ(comboProps.EditorOf("DataSetName"), nullptr);
    std::unique_ptr<TrpComponentEditor> editor(ComponentEditorFor(query, nullptr));
    EXPECT_NE(dynamic_cast<TrpCustomQueryEditor *>(editor.get()), nullptr);
    std::unique_ptr<TrpComponentEditor> dbEditor(ComponentEditorFor(db, nullptr));
    EXPECT_NE(dynamic_cast<TrpCustomDatabaseEditor *>(dbEditor.get()), nullptr);
    int wizards = 0;
    for (int i = 0; i < GetWizardRegistry().Count(); ++i)
        if (GetWizardRegistry().Items(i)->ClassRef->inheritsFrom(TrpCustomWizard::staticClass()))
            ++wizards;
    EXPECT_EQ(wizards, 3);
}
