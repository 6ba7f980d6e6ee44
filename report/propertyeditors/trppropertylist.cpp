// Filling a property list.
#include "report/propertyeditors/trppropertylist.h"

#include "platform/component.h"
#include "platform/font.h"
#include "platform/persistent.h"
#include "report/propertyeditors/trptypeeditors.h"

#include <algorithm>

namespace bralvo::report {

namespace {

PropertyEditorLookup &lookupSlot()
{
    static PropertyEditorLookup lookup;
    return lookup;
}

template <class Editor>
PropertyEditorChoice choose()
{
    return {true, [](platform::Component *d) -> TrpPropertyEditor * { return new Editor(d); }};
}

// Choices by class and property name where the kind alone says too little.
PropertyEditorChoice builtInChoice(const platform::PropInfo &prop, const platform::Persistent &object)
{
    const QString &n = prop.name;
    const bool isInt = prop.kind == platform::PropKind::Integer;
    if (dynamic_cast<const platform::Font *>(&object)) {
        if (n == QLatin1String("Name"))
            return choose<TrpFontNameProperty>();
        if (n == QLatin1String("Charset"))
            return choose<TrpFontCharsetProperty>();
    }
    if (prop.kind == platform::PropKind::Object && prop.valueClass
        && prop.valueClass->inheritsFrom(platform::Font::staticClass()))
        return choose<TrpFontProperty>();
    if (isInt && n.endsWith(QLatin1String("Color"), Qt::CaseInsensitive))
        return choose<TrpColorProperty>();
    if (isInt && n.compare(QLatin1String("Cursor"), Qt::CaseInsensitive) == 0)
        return choose<TrpCursorProperty>();
    if (isInt && n.compare(QLatin1String("ModalResult"), Qt::CaseInsensitive) == 0)
        return choose<TrpModalResultProperty>();
    if (isInt && n.compare(QLatin1String("ShortCut"), Qt::CaseInsensitive) == 0)
        return choose<TrpShortCutProperty>();
    if (prop.kind == platform::PropKind::String && n == QLatin1String("Name")
        && dynamic_cast<const platform::Component *>(&object))
        return choose<TrpNameProperty>();
    return {};
}

TrpPropertyEditor *defaultEditor(const platform::PropInfo &prop, platform::Component *designer)
{
    using platform::PropKind;
    switch (prop.kind) {
    case PropKind::Integer:
        return new TrpIntegerProperty(designer);
    case PropKind::Enumeration:
        return new TrpEnumProperty(designer);
    case PropKind::Float:
        return new TrpFloatProperty(designer);
    case PropKind::String:
        return new TrpStringProperty(designer);
    case PropKind::Set:
        return new TrpSetProperty(designer);
    case PropKind::Reference:
        return new TrpComponentProperty(designer);
    case PropKind::Object:
        return new TrpClassProperty(designer);
    default:
        return nullptr; // variants, 64-bit integers, methods
    }
}

} // namespace

void SetPropertyEditorLookup(PropertyEditorLookup lookup)
{
    lookupSlot() = std::move(lookup);
}

PropertyEditorChoice LookupPropertyEditor(const platform::PropInfo &prop, const platform::Persistent &object)
{
    if (lookupSlot()) {
        PropertyEditorChoice choice = lookupSlot()(prop, object);
        if (choice.registered)
            return choice;
    }
    return builtInChoice(prop, object);
}

TrpPropertyList::TrpPropertyList(platform::Component *designer, TrpPropertyList *parent)
    : m_designer(designer), m_parent(parent)
{
}

TrpPropertyList::~TrpPropertyList() = default;

TrpPropertyItem &TrpPropertyList::Add()
{
    m_items.push_back(std::make_unique<TrpPropertyItem>());
    return *m_items.back();
}

std::unique_ptr<TrpPropertyEditor> TrpPropertyList::makeEditor(const platform::PropInfo &prop,
                                                               platform::Persistent &object,
                                                               std::function<TrpPropertyEditor *()> fallback)
{
    const PropertyEditorChoice choice = LookupPropertyEditor(prop, object);
    std::unique_ptr<TrpPropertyEditor> editor(choice.registered ? (choice.make ? choice.make(m_designer) : nullptr)
                                                                : fallback());
    if (editor)
        editor->AddObject(&object, &prop);
    return editor;
}

void TrpPropertyList::addProperty(const platform::PropInfo &prop, platform::Persistent &object)
{
    TrpPropertyItem &item = Add();
    item.Editor = makeEditor(prop, object, [&] { return defaultEditor(prop, m_designer); });
    if (prop.kind == platform::PropKind::Set && prop.enumInfo) {
        item.SubProperties = std::make_unique<TrpPropertyList>(m_designer, this);
        for (int e = 0; e < prop.enumInfo->names.size(); ++e)
            item.SubProperties->Add().Editor =
                makeEditor(prop, object, [&] { return new TrpSetElementProperty(m_designer, e); });
    } else if (prop.kind == platform::PropKind::Object && prop.getObject) {
        if (platform::Persistent *held = prop.getObject(object)) {
            item.SubProperties = std::make_unique<TrpPropertyList>(m_designer, this);
            item.SubProperties->SetComponent(held);
            if (item.SubProperties->Count() == 0)
                item.SubProperties.reset();
        }
    }
    if (!item.Editor)
        m_items.pop_back();
}

void TrpPropertyList::SetComponent(platform::Persistent *object)
{
    m_items.clear();
    m_object = object;
    if (!object)
        return;
    QList<const platform::PropInfo *> props;
    for (const platform::PropInfo &p : platform::propertiesOf(*object))
        if (p.kind != platform::PropKind::Method)
            props.append(&p);
    std::stable_sort(props.begin(), props.end(), [](const auto *a, const auto *b) {
        return a->name.compare(b->name, Qt::CaseInsensitive) < 0;
    });
    for (const platform::PropInfo *p : props)
        addProperty(*p, *object);
}

TrpPropertyEditor *TrpPropertyList::EditorOf(const QString &name) const
{
    for (const auto &item : m_items)
        if (item->Editor && item->Editor->GetName().compare(name, Qt::CaseInsensitive) == 0)
            return item->Editor.get();
    return nullptr;
}

} // namespace bralvo::report
