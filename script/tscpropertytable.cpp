// Reading and writing host properties through persistent-property tables.
#include "script/tscpropertytable.h"

#include "platform/handleregistry.h"
#include "platform/persistent.h"

#include <climits>

namespace bralvo::script {

namespace {

using platform::PropKind;

platform::Persistent *persistentOf(platform::HandleTarget *obj)
{
    return dynamic_cast<platform::Persistent *>(obj);
}

Variant ordinalValue(qint64 value)
{
    return value >= INT_MIN && value <= INT_MAX ? Variant(int(value)) : Variant(value);
}

bool isBooleanEnum(const platform::PropInfo &prop)
{
    const QString name = prop.enumInfo ? prop.enumInfo->typeName : QString();
    return name.compare(QLatin1String("Boolean"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("bool"), Qt::CaseInsensitive) == 0;
}

} // namespace

std::pair<int, QString> propertyTypeOf(const platform::PropInfo &prop)
{
    switch (prop.kind) {
    case PropKind::Enumeration:
        if (isBooleanEnum(prop))
            return {tcBoolean, QString()};
        return {tcEnum, prop.enumInfo ? prop.enumInfo->typeName : QString()};
    case PropKind::Set: return {tcEnum, prop.enumInfo ? prop.enumInfo->typeName : QString()};
    case PropKind::Float: return {tcFloat, QString()};
    case PropKind::String: return {tcString, QString()};
    case PropKind::Object:
    case PropKind::Reference: return {tcClass, prop.valueClass ? prop.valueClass->name : QString()};
    case PropKind::Variant: return {tcVariant, QString()};
    default: return {tcInteger, QString()};
    }
}

std::unique_ptr<TscPropertyHelper> makeTableProperty(const platform::PropInfo &prop, const QString &hostClass)
{
    const auto [code, typeName] = propertyTypeOf(prop);
    auto helper = std::make_unique<TscPropertyHelper>(prop.name, code, typeName);
    helper->HostClass = hostClass;
    helper->FromPropertyTable = true;
    helper->ReadOnly = !prop.hasSetter();
    return helper;
}

Variant readTableProperty(platform::HandleTarget *obj, const QString &name)
{
    platform::Persistent *persistent = persistentOf(obj);
    const platform::PropInfo *prop = persistent ? platform::findProperty(*persistent, name) : nullptr;
    if (!prop)
        return Variant::null();
    switch (prop->kind) {
    case PropKind::Integer:
    case PropKind::Int64:
    case PropKind::Enumeration:
    case PropKind::Set: return prop->getOrd ? ordinalValue(prop->getOrd(*persistent)) : Variant::null();
    case PropKind::Float: return prop->getFloat ? Variant(prop->getFloat(*persistent)) : Variant::null();
    case PropKind::String: return prop->getString ? Variant(prop->getString(*persistent)) : Variant::null();
    case PropKind::Variant: return prop->getVariant ? prop->getVariant(*persistent) : Variant::null();
    case PropKind::Object:
    case PropKind::Reference: {
        if (!prop->getObject)
            return Variant::null();
        auto *target = dynamic_cast<platform::HandleTarget *>(prop->getObject(*persistent));
        return Variant(platform::HandleRegistry::handleOf(target));
    }
    default: return Variant::null();
    }
}

void writeTableProperty(platform::HandleTarget *obj, const QString &name, bool booleanHelper, const Variant &value)
{
    platform::Persistent *persistent = persistentOf(obj);
    const platform::PropInfo *prop = persistent ? platform::findProperty(*persistent, name) : nullptr;
    if (!prop || !prop->hasSetter())
        return;
    switch (prop->kind) {
    case PropKind::Integer:
    case PropKind::Int64:
    case PropKind::Enumeration:
    case PropKind::Set:
        prop->setOrd(*persistent, booleanHelper ? (value.equals(Variant(true)) ? 1 : 0) : value.toInt64());
        return;
    case PropKind::Float: prop->setFloat(*persistent, value.toDouble()); return;
    case PropKind::String: prop->setString(*persistent, value.isNull() ? QString() : value.toString()); return;
    case PropKind::Variant: prop->setVariant(*persistent, value); return;
    case PropKind::Object:
    case PropKind::Reference: {
        platform::HandleTarget *target =
            value.isNull() || value.isEmpty() ? nullptr : platform::HandleRegistry::lookup(value.toInt64());
        prop->setObject(*persistent, persistentOf(target));
        return;
    }
    default: return;
    }
}

} // namespace bralvo::script
