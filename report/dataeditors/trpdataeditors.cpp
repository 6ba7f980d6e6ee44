// Component editors, property editors and wizards of the data components.
#include "report/dataeditors/trpdataeditors.h"

#include "platform/stringlist.h"
#include "report/data/trpado.h"
#include "report/dataeditors/dataeditoradapters.h"
#include "report/dataeditors/trpaliaseseditor.h"
#include "report/dataeditors/trpconnectionstring.h"
#include "report/dataeditors/trpconnectionwizard.h"
#include "report/dataeditors/trpmdeditor.h"
#include "report/dataeditors/trpparamseditor.h"
#include "report/dataeditors/trpsqleditor.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"

namespace bralvo::report {

std::function<void()> &DataEditorsNotify()
{
    static std::function<void()> notify;
    return notify;
}

QWidget *&DataEditorsParent()
{
    static QWidget *parent = nullptr;
    return parent;
}

namespace {

bool notifyIf(bool ok)
{
    if (ok && DataEditorsNotify())
        DataEditorsNotify()();
    return ok;
}

bool editAliases(platform::Component *component)
{
    auto *dataset = dynamic_cast<TrpCustomDBDataSet *>(component);
    if (!dataset)
        return false;
    DataSetAliases target(*dataset);
    TrpAliasesEditorForm form(target, DataEditorsParent());
    return notifyIf(form.exec() == QDialog::Accepted);
}

bool editSql(platform::Component *component)
{
    auto *query = dynamic_cast<TrpCustomQuery *>(component);
    if (!query)
        return false;
    QueryAccess target(*query);
    TrpSQLEditorForm form(target, nullptr, DataEditorsParent());
    return notifyIf(form.exec() == QDialog::Accepted);
}

QString notAssigned()
{
    return GetResources().Get(QStringLiteral("prNotAssigned"));
}

} // namespace

bool RunConnectionWizard(TrpReport &report, int mode, TrpCustomDatabase *edit)
{
    ReportWizardTarget target(report, edit);
    TrpConnectionWizardForm form(target, mode, DataEditorsParent());
    return notifyIf(form.exec() == QDialog::Accepted);
}

bool TrpCustomDatabaseEditor::Edit()
{
    auto *db = dynamic_cast<TrpCustomDatabase *>(Component());
    return db && db->Report() && RunConnectionWizard(*db->Report(), 0, db);
}

bool TrpCustomDataSetEditor::Edit() { return editAliases(Component()); }
bool TrpCustomQueryEditor::Edit() { return editSql(Component()); }
bool TrpFieldAliasesProperty::Edit() { return editAliases(firstComponent()); }
bool TrpSQLProperty::Edit() { return editSql(firstComponent()); }

QString TrpDataSetProperty::GetValue() const
{
    auto *ds = dynamic_cast<TrpDataSet *>(firstProp()->getObject(*firstObject()));
    TrpComponent *self = firstComponent();
    if (!ds)
        return notAssigned();
    return self && self->Report() ? self->Report()->GetAlias(ds) : ds->UserName();
}

void TrpDataSetProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    TrpComponent *self = firstComponent();
    if (!self || !self->Report())
        return;
    platform::StringList list;
    self->Report()->GetDataSetList(list, true);
    const auto *own = dynamic_cast<TrpDataSet *>(self);
    for (const QString &name : list.toStringList())
        if (!own || name != own->UserName())
            addValue(name);
}

void TrpDataSetProperty::SetValue(const QString &text)
{
    if (text.isEmpty()) {
        firstProp()->setObject(*firstObject(), nullptr);
        return;
    }
    TrpComponent *self = firstComponent();
    TrpDataSet *ds = self && self->Report() ? self->Report()->GetDataset(text) : nullptr;
    if (!ds)
        invalidProperty();
    firstProp()->setObject(*firstObject(), ds);
}

void TrpDataFieldProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    const platform::PropInfo *prop = platform::findProperty(*firstObject(), QStringLiteral("DataSet"));
    auto *ds = prop && prop->getObject ? dynamic_cast<TrpDataSet *>(prop->getObject(*firstObject())) : nullptr;
    if (!ds)
        return;
    platform::StringList list;
    ds->GetFieldList(list);
    for (const QString &f : list.toStringList())
        addValue(f);
}

bool TrpMasterFieldsProperty::Edit()
{
    auto *table = dynamic_cast<TrpCustomTable *>(firstComponent());
    if (!table || !table->Master())
        return false;
    TableMasterDetail target(*table);
    TrpMDEditorForm form(target, DataEditorsParent());
    return form.exec() == QDialog::Accepted;
}

bool TrpParamsProperty::Edit()
{
    auto *query = dynamic_cast<TrpCustomQuery *>(firstComponent());
    if (!query || query->Params()->count() == 0)
        return false;
    QueryAccess target(*query);
    TrpParamsEditorForm form(target.Params(), DataEditorsParent());
    if (form.exec() != QDialog::Accepted)
        return false;
    target.SetParams(form.Params());
    target.ApplyParams();
    return notifyIf(true);
}

bool TrpDatabaseNameProperty::Edit()
{
    auto *db = dynamic_cast<TrpCustomDatabase *>(firstComponent());
    if (!db)
        return false;
    const bool wasConnected = db->Connected();
    db->SetConnected(false);
    TrpConnectionStringDialog dialog(db->DatabaseName(), DataEditorsParent());
    const bool changed = dialog.exec() == QDialog::Accepted && !dialog.ConnectionString().isEmpty();
    if (changed)
        db->SetDatabaseName(dialog.ConnectionString());
    db->SetConnected(wasConnected);
    return changed;
}

QString TrpDatabaseProperty::GetValue() const
{
    auto *db = dynamic_cast<platform::Component *>(firstProp()->getObject(*firstObject()));
    return db ? db->name() : notAssigned();
}

void TrpTableNameProperty::GetValues()
{
    TrpPropertyEditor::GetValues();
    auto *table = dynamic_cast<TrpADOTable *>(firstComponent());
    if (!table || !table->Database())
        return;
    platform::StringList names;
    table->Database()->Database()->GetTableNames(names);
    for (const QString &n : names.toStringList())
        addValue(n);
}

void TrpTableNameProperty::SetValue(const QString &text)
{
    TrpStringProperty::SetValue(text);
    notifyIf(true);
}

namespace {

template <class Wizard>
const platform::ClassInfo &wizardClass(const char *name)
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        QString::fromLatin1(name), &TrpCustomWizard::staticClass(),
        [](platform::Component *owner) { return new Wizard(owner); }, [](platform::PropertyTable &) {});
    return info;
}

} // namespace

const platform::ClassInfo &TrpDBConnWizard::staticClass() { return wizardClass<TrpDBConnWizard>("TrpDBConnWizard"); }
const platform::ClassInfo &TrpDBTableWizard::staticClass() { return wizardClass<TrpDBTableWizard>("TrpDBTableWizard"); }
const platform::ClassInfo &TrpDBQueryWizard::staticClass() { return wizardClass<TrpDBQueryWizard>("TrpDBQueryWizard"); }

QString TrpDBConnWizard::GetDescription() const { return GetResources().Get(QStringLiteral("wzDBConn")); }
QString TrpDBTableWizard::GetDescription() const { return GetResources().Get(QStringLiteral("wzDBTable")); }
QString TrpDBQueryWizard::GetDescription() const { return GetResources().Get(QStringLiteral("wzDBQuery")); }

bool TrpDBConnWizard::Launch() { return Report() && RunConnectionWizard(*Report(), 0, DatabaseToEdit); }
bool TrpDBTableWizard::Launch() { return Report() && RunConnectionWizard(*Report(), 1); }
bool TrpDBQueryWizard::Launch() { return Report() && RunConnectionWizard(*Report(), 2); }

} // namespace bralvo::report
