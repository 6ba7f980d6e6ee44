// Start-up registration of the editors and the lookup the property lists
// use. Editor classes stand in the registries as class-library classes
// of their own (a name, no factory); a table here makes their editors.
#include "report/dataeditors/registereditors.h"

#include "platform/font.h"
#include "platform/persistent.h"
#include "report/data/trpado.h"
#include "report/data/trpdblookupcombobox.h"
#include "report/dataeditors/trpdataeditors.h"
#include "report/propertyeditors/trppropertylist.h"
#include "report/registry/trpeditorregistry.h"
#include "report/registry/trpwizardregistry.h"

#include <QHash>
#include <functional>
#include <memory>

namespace bralvo::report {

namespace {

using PropertyMaker = std::function<TrpPropertyEditor *(platform::Component *)>;
using ComponentMaker = std::function<TrpComponentEditor *(platform::Component *, platform::Component *)>;

struct EditorClass {
    platform::ClassInfo info;
    PropertyMaker property;
    ComponentMaker component;
};

// Editor classes by name; the ClassInfo records live as long as the process.
QHash<QString, std::shared_ptr<EditorClass>> &editorClasses()
{
    static QHash<QString, std::shared_ptr<EditorClass>> classes;
    return classes;
}

const EditorClass *editorOf(const platform::ClassInfo *info)
{
    if (!info)
        return nullptr;
    const auto it = editorClasses().constFind(info->name);
    return it != editorClasses().constEnd() && &(*it)->info == info ? it->get() : nullptr;
}

template <class Editor>
const platform::ClassInfo *propertyEditor(const char *name)
{
    auto &slot = editorClasses()[QString::fromLatin1(name)];
    if (!slot) {
        slot = std::make_shared<EditorClass>();
        slot->info.name = QString::fromLatin1(name);
        slot->property = [](platform::Component *d) -> TrpPropertyEditor * { return new Editor(d); };
    }
    return &slot->info;
}

template <class Editor>
const platform::ClassInfo *componentEditor(const char *name)
{
    auto &slot = editorClasses()[QString::fromLatin1(name)];
    if (!slot) {
        slot = std::make_shared<EditorClass>();
        slot->info.name = QString::fromLatin1(name);
        slot->component = [](platform::Component *c, platform::Component *d) -> TrpComponentEditor * {
            return new Editor(c, d);
        };
    }
    return &slot->info;
}

const TrpPropertyType *type(const char *name)
{
    return PropertyTypeNamed(QString::fromLatin1(name));
}

void registerDesignEditors(TrpPropertyEditorCollection &p)
{
    p.Register(type("TComponentName"), nullptr, QStringLiteral("Name"), propertyEditor<TrpNameProperty>("TrpNameProperty"));
    p.Register(type("TColor"), nullptr, QString(), propertyEditor<TrpColorProperty>("TrpColorProperty"));
    p.Register(type("TFont"), nullptr, QString(), propertyEditor<TrpFontProperty>("TrpFontProperty"));
    p.Register(type("string"), &platform::Font::staticClass(), QStringLiteral("Name"),
               propertyEditor<TrpFontNameProperty>("TrpFontNameProperty"));
    p.Register(type("Integer"), &platform::Font::staticClass(), QStringLiteral("Charset"),
               propertyEditor<TrpFontCharsetProperty>("TrpFontCharsetProperty"));
    p.Register(type("TModalResult"), nullptr, QString(), propertyEditor<TrpModalResultProperty>("TrpModalResultProperty"));
    p.Register(type("TShortCut"), nullptr, QString(), propertyEditor<TrpShortCutProperty>("TrpShortCutProperty"));
    p.Register(type("TCursor"), nullptr, QString(), propertyEditor<TrpCursorProperty>("TrpCursorProperty"));
    p.Register(type("TDateTime"), nullptr, QString(), propertyEditor<TrpDateTimeProperty>("TrpDateTimeProperty"));
    p.Register(type("TDate"), nullptr, QString(), propertyEditor<TrpDateProperty>("TrpDateProperty"));
    p.Register(type("TTime"), nullptr, QString(), propertyEditor<TrpTimeProperty>("TrpTimeProperty"));
}

void registerDataEditors(TrpComponentEditorCollection &c, TrpPropertyEditorCollection &p)
{
    c.Register(&TrpCustomDatabase::staticClass(), componentEditor<TrpCustomDatabaseEditor>("TrpCustomDatabaseEditor"));
    c.Register(&TrpCustomDataset::staticClass(), componentEditor<TrpCustomDataSetEditor>("TrpCustomDataSetEditor"));
    c.Register(&TrpCustomQuery::staticClass(), componentEditor<TrpCustomQueryEditor>("TrpCustomQueryEditor"));
    const platform::ClassInfo *dataset = &TrpCustomDataset::staticClass();
    p.Register(type("TStrings"), dataset, QStringLiteral("FieldAliases"),
               propertyEditor<TrpFieldAliasesProperty>("TrpFieldAliasesProperty"));
    p.Register(type("TrpCustomDBDataSet"), dataset, QStringLiteral("Master"),
               propertyEditor<TrpDataSetProperty>("TrpDataSetProperty"));
    p.Register(type("string"), dataset, QStringLiteral("MasterFields"),
               propertyEditor<TrpMasterFieldsProperty>("TrpMasterFieldsProperty"));
    p.Register(type("TStrings"), &TrpCustomQuery::staticClass(), QStringLiteral("SQL"),
               propertyEditor<TrpSQLProperty>("TrpSQLProperty"));
    p.Register(type("TrpParams"), &TrpCustomQuery::staticClass(), QStringLiteral("Params"),
               propertyEditor<TrpParamsProperty>("TrpParamsProperty"));
    const platform::ClassInfo *combo = &TrpDBLookupComboBox::staticClass();
    p.Register(type("TrpDBDataset"), combo, QStringLiteral("DataSet"),
               propertyEditor<TrpDataSetProperty>("TrpDataSetProperty"));
    for (const char *field : {"KeyField", "ListField"})
        p.Register(type("string"), combo, QString::fromLatin1(field),
                   propertyEditor<TrpDataFieldProperty>("TrpDataFieldProperty"));
    HideProperties(dataset, QStringLiteral("DataSet;DataSource;Enabled;OpenDataSource;Tag"));
    HideProperties(&TrpCustomQuery::staticClass(), QStringLiteral("SQLSchema"));
    HideProperties(combo, QStringLiteral("DataSetName"));
}

void registerAdoEditors(TrpPropertyEditorCollection &p)
{
    p.Register(type("string"), &TrpADODatabase::staticClass(), QStringLiteral("DatabaseName"),
               propertyEditor<TrpDatabaseNameProperty>("TrpDatabaseNameProperty"));
    for (const platform::ClassInfo *owner : {&TrpADOTable::staticClass(), &TrpADOQuery::staticClass()})
        p.Register(type("TrpADODatabase"), owner, QStringLiteral("Database"),
                   propertyEditor<TrpDatabaseProperty>("TrpDatabaseProperty"));
    p.Register(type("string"), &TrpADOTable::staticClass(), QStringLiteral("TableName"),
               propertyEditor<TrpTableNameProperty>("TrpTableNameProperty"));
    p.Register(type("string"), &TrpADOTable::staticClass(), QStringLiteral("IndexName"),
               propertyEditor<TrpIndexNameProperty>("TrpIndexNameProperty"));
}

PropertyEditorChoice registryLookup(const platform::PropInfo &prop, const platform::Persistent &object)
{
    const TrpPropertyEditorCollection &registry = GetPropertyEditorRegistry();
    const int index = registry.GetEditorIndex(PropertyTypeOf(prop, object.classInfo()), &object, prop.name);
    if (index < 0 || index == registry.EventEditorIndex)
        return {};
    const platform::ClassInfo *editorClass = registry.Items(index)->EditorClass;
    if (!editorClass)
        return {true, {}}; // hidden
    const EditorClass *editor = editorOf(editorClass);
    if (!editor || !editor->property)
        return {};
    return {true, editor->property};
}

} // namespace

void RegisterEditors()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    registerDesignEditors(GetPropertyEditorRegistry());
    GetWizardRegistry().Register(&TrpDBConnWizard::staticClass(), 2);
    GetWizardRegistry().Register(&TrpDBTableWizard::staticClass(), 3);
    GetWizardRegistry().Register(&TrpDBQueryWizard::staticClass(), 4);
    registerDataEditors(GetComponentEditorRegistry(), GetPropertyEditorRegistry());
    registerAdoEditors(GetPropertyEditorRegistry());
    SetPropertyEditorLookup(registryLookup);
}

TrpPropertyEditor *CreatePropertyEditor(const platform::ClassInfo *editorClass, platform::Component *designer)
{
    const EditorClass *editor = editorOf(editorClass);
    return editor && editor->property ? editor->property(designer) : nullptr;
}

TrpComponentEditor *CreateComponentEditor(const platform::ClassInfo *editorClass, platform::Component *component,
                                          platform::Component *designer)
{
    const EditorClass *editor = editorOf(editorClass);
    return editor && editor->component ? editor->component(component, designer) : nullptr;
}

TrpComponentEditor *ComponentEditorFor(platform::Component *component, platform::Component *designer)
{
    const TrpComponentEditorCollection &registry = GetComponentEditorRegistry();
    for (int i = registry.Count() - 1; i >= 0; --i) {
        const TrpComponentEditorItem *item = registry.Items(i);
        if (item->ComponentClass && component->classInfo().inheritsFrom(*item->ComponentClass))
            return CreateComponentEditor(item->EditorClass, component, designer);
    }
    return nullptr;
}

} // namespace bralvo::report
