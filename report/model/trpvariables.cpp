// Report variables, global variables and keyed arrays.
#include "report/model/trpvariables.h"

#include "report/model/trpdataset.h"

namespace bralvo::report {

const platform::ClassInfo &TrpVariable::staticClass()
{
    using T = TrpVariable;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpVariable", &platform::CollectionItem::staticClass(), [](platform::Component *) { return new T; },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Name", &T::Name, &T::SetName);
            b.variant("Value", &T::Value, &T::SetValue);
        });
    return info;
}

TrpVariable::TrpVariable(platform::Collection *collection)
    : platform::CollectionItem(collection), m_value(platform::Variant::null())
{
}

void TrpVariable::assign(const platform::Persistent &source)
{
    const auto *v = dynamic_cast<const TrpVariable *>(&source);
    if (!v) {
        platform::Persistent::assign(source);
        return;
    }
    m_name = v->m_name;
    m_value = v->m_value;
}

const platform::ClassInfo &TrpVariables::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpVariables", &platform::Collection::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

TrpVariables::TrpVariables() : platform::Collection([](platform::Collection *c) { return new TrpVariable(c); }) {}

int TrpVariables::IndexOf(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (SameNameText(Items(i)->Name(), name))
            return i;
    }
    return -1;
}

TrpVariable *TrpVariables::Find(const QString &name) const
{
    const int i = IndexOf(name);
    return i < 0 ? nullptr : Items(i);
}

platform::Variant TrpVariables::Variables(const QString &name) const
{
    const TrpVariable *v = Find(name);
    return v ? v->Value() : platform::Variant::null();
}

void TrpVariables::SetVariables(const QString &name, const platform::Variant &value)
{
    TrpVariable *v = Find(name);
    if (!v) {
        v = Add();
        v->SetName(name);
    }
    v->SetValue(value);
}

const platform::ClassInfo &TrpArray::staticClass()
{
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpArray", &TrpVariables::staticClass(), nullptr, [](platform::PropertyTable &) {});
    return info;
}

platform::Variant TrpArray::Variables(const platform::Variant &key) const
{
    return TrpVariables::Variables(key.toString());
}

void TrpArray::SetVariables(const platform::Variant &key, const platform::Variant &value)
{
    TrpVariables::SetVariables(key.toString(), value);
}

TrpVariables &GlobalVariables()
{
    static TrpVariables variables;
    return variables;
}

} // namespace bralvo::report
