// Class identity and assignment of the class library's root class.
#include "platform/persistent.h"

namespace bralvo::platform {

bool ClassInfo::inheritsFrom(const ClassInfo &other) const
{
    for (const ClassInfo *c = this; c; c = c->parent) {
        if (c == &other)
            return true;
    }
    return false;
}

const PropertyTable &ClassInfo::allProperties() const
{
    if (!m_allBuilt) {
        if (parent)
            m_all = parent->allProperties();
        m_all.append(ownProperties);
        m_allBuilt = true;
    }
    return m_all;
}

const ClassInfo &Persistent::staticClass()
{
    static const ClassInfo info = makeClassInfo("TPersistent", nullptr, nullptr, [](PropertyTable &) {});
    return info;
}

void Persistent::assign(const Persistent &source)
{
    source.assignTo(*this);
}

void Persistent::assignTo(Persistent &dest) const
{
    throw AssignError(QStringLiteral("Cannot assign a %1 to a %2").arg(className(), dest.className()));
}

} // namespace bralvo::platform
