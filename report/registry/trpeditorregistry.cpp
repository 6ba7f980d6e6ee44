// Component-editor and property-editor registries.
#include "report/registry/trpeditorregistry.h"

#include "platform/component.h"

#include <QHash>
#include <memory>

namespace bralvo::report {

namespace {

bool isEventType(const TrpPropertyType *type)
{
    if (!type)
        return false;
    const QString lower = type->Name.toLower();
    const qsizetype at = lower.indexOf(QLatin1String("event"));
    return lower.startsWith(QLatin1String("trp")) && at >= 0 && at + 5 == lower.size();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

const TrpPropertyType *PropertyTypeNamed(const QString &name)
{
    static QHash<QString, std::shared_ptr<TrpPropertyType>> records;
    std::shared_ptr<TrpPropertyType> &record = records[name];
    if (!record)
        record = std::make_shared<TrpPropertyType>(TrpPropertyType{name});
    return record.get();
}

const TrpPropertyType *PropertyTypeOf(const platform::PropInfo &prop, const platform::ClassInfo &owner)
{
    using platform::PropKind;
    switch (prop.kind) {
    case PropKind::Enumeration:
    case PropKind::Set:
        return PropertyTypeNamed(prop.enumInfo ? prop.enumInfo->typeName : QStringLiteral("Integer"));
    case PropKind::Object:
    case PropKind::Reference:
        return PropertyTypeNamed(prop.valueClass ? prop.valueClass->name : QStringLiteral("TObject"));
    case PropKind::String:
        if (sameName(prop.name, QStringLiteral("Name")) && owner.inheritsFrom(platform::Component::staticClass()))
            return PropertyTypeNamed(QStringLiteral("TComponentName"));
        return PropertyTypeNamed(QStringLiteral("string"));
    case PropKind::Integer:
        if (prop.name.endsWith(QLatin1String("Color"), Qt::CaseInsensitive))
            return PropertyTypeNamed(QStringLiteral("TColor"));
        return PropertyTypeNamed(QStringLiteral("Integer"));
    case PropKind::Int64: return PropertyTypeNamed(QStringLiteral("Int64"));
    case PropKind::Float: return PropertyTypeNamed(QStringLiteral("Extended"));
    case PropKind::Variant: return PropertyTypeNamed(QStringLiteral("Variant"));
    case PropKind::Method: return nullptr;
    }
    return nullptr;
}

TrpComponentEditorCollection::TrpComponentEditorCollection()
    : platform::Collection([](platform::Collection *c) { return new TrpComponentEditorItem(c); })
{
}

TrpComponentEditorItem *TrpComponentEditorCollection::Items(int index) const
{
    return static_cast<TrpComponentEditorItem *>(item(index));
}

void TrpComponentEditorCollection::Register(const platform::ClassInfo *componentClass,
                                            const platform::ClassInfo *editorClass)
{
    auto *entry = static_cast<TrpComponentEditorItem *>(add());
    entry->ComponentClass = componentClass;
    entry->EditorClass = editorClass;
}

TrpPropertyEditorCollection::TrpPropertyEditorCollection()
    : platform::Collection([](platform::Collection *c) { return new TrpPropertyEditorItem(c); })
{
}

TrpPropertyEditorItem *TrpPropertyEditorCollection::Items(int index) const
{
    return static_cast<TrpPropertyEditorItem *>(item(index));
}

void TrpPropertyEditorCollection::Register(const TrpPropertyType *propertyType,
                                           const platform::ClassInfo *componentClass,
                                           const QString &propertyName, const platform::ClassInfo *editorClass)
{
    auto *entry = static_cast<TrpPropertyEditorItem *>(add());
    entry->PropertyType = propertyType;
    entry->ComponentClass = componentClass;
    entry->PropertyName = propertyName;
    entry->EditorClass = editorClass;
}

int TrpPropertyEditorCollection::GetEditorIndex(const TrpPropertyType *propertyType,
                                                const platform::Persistent *instance,
                                                const QString &propertyName) const
{
    if (isEventType(propertyType))
        return EventEditorIndex;
    int result = -1;
    for (int i = count() - 1; i >= 0; --i) {
        const TrpPropertyEditorItem *entry = Items(i);
        if (!entry->ComponentClass) {
            if (entry->PropertyType != propertyType)
                continue;
            if (entry->PropertyName.isEmpty())
                result = i;
            else if (sameName(entry->PropertyName, propertyName))
                return i;
        } else if (instance && instance->inheritsFrom(*entry->ComponentClass) &&
                   sameName(entry->PropertyName, propertyName)) {
            return i;
        }
    }
    return result;
}

void HideProperties(const platform::ClassInfo *componentClass, const QString &names)
{
    for (const QString &name : names.split(u';', Qt::SkipEmptyParts))
        GetPropertyEditorRegistry().Register(nullptr, componentClass, name.trimmed(), nullptr);
}

} // namespace bralvo::report
