// Report variables.
#include "report/model/trpvariables.h"

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

TrpVariable *TrpVariables::Find(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (Items(i)->Name().compare(name, Qt::CaseInsensitive) == 0)
            return Items(i);
    }
    return nullptr;
}

} // namespace bralvo::report
