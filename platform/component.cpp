// Component ownership, naming and removal notification.
#include "platform/component.h"

namespace bralvo::platform {

const ClassInfo &Component::staticClass()
{
    static const ClassInfo info = makeClassInfo("TComponent", &Persistent::staticClass(), nullptr,
                                                [](PropertyTable &t) {
        PropertyBuilder<Component> b(t);
        // The name is written by the writers themselves, never as a property.
        b.string("Name", &Component::name, &Component::setName).storedIf([](const Component &) { return false; });
        b.integer("Tag", &Component::tag, &Component::setTag, 0, PropKind::Int64);
    });
    return info;
}

Component::Component(Component *owner)
{
    if (owner)
        owner->insertComponent(this);
}

Component::~Component()
{
    sendRemoval();
}

void Component::free(Component *component)
{
    if (!component)
        return;
    component->sendRemoval();
    delete component;
}

// Everything a dying component owes the others, done once, while the
// object is still whole when free() is used.
void Component::sendRemoval()
{
    if (m_removalSent)
        return;
    m_removalSent = true;
    m_state |= Destroying;
    while (!m_freeNotifies.isEmpty()) {
        Component *other = m_freeNotifies.takeLast();
        other->m_freeNotifies.removeAll(this);
        other->notification(this, Operation::Remove);
    }
    destroyComponents();
    if (m_owner)
        m_owner->removeComponent(this);
}

void Component::destroyComponents()
{
    m_byName.clear();
    m_sharedNames = false;
    while (!m_components.isEmpty()) {
        Component *c = m_components.takeLast();
        c->m_owner = nullptr;
        free(c);
    }
}

int Component::componentIndex() const
{
    return m_owner ? int(m_owner->m_components.indexOf(const_cast<Component *>(this))) : -1;
}

Component *Component::findComponent(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    return m_byName.value(name.toCaseFolded(), nullptr);
}

// A name given twice (possible through changeName) finds the first
// component of the list that has it, as a walk of the list would.
void Component::indexName(Component *component)
{
    if (component->m_name.isEmpty())
        return;
    const QString key = component->m_name.toCaseFolded();
    if (m_byName.contains(key))
        m_sharedNames = true;
    else
        m_byName.insert(key, component);
}

void Component::unindexName(Component *component)
{
    if (component->m_name.isEmpty())
        return;
    const QString key = component->m_name.toCaseFolded();
    const auto it = m_byName.find(key);
    if (it == m_byName.end() || it.value() != component)
        return;
    m_byName.erase(it);
    if (!m_sharedNames)
        return;
    for (Component *c : std::as_const(m_components)) {
        if (c != component && c->m_name.compare(component->m_name, Qt::CaseInsensitive) == 0) {
            m_byName.insert(key, c);
            break;
        }
    }
}

void Component::insertComponent(Component *component)
{
    if (!component || component->m_owner == this)
        return;
    if (component->m_owner)
        component->m_owner->removeComponent(component);
    if (!component->m_name.isEmpty() && findComponent(component->m_name))
        throw ClassLibError(QStringLiteral("A component named %1 already exists").arg(component->m_name));
    m_components.append(component);
    indexName(component);
    component->m_owner = this;
    notification(component, Operation::Insert);
}

void Component::removeComponent(Component *component)
{
    if (!component || component->m_owner != this)
        return;
    notification(component, Operation::Remove);
    unindexName(component);
    // From the end: components mostly go last first.
    const qsizetype at = m_components.lastIndexOf(component);
    if (at >= 0)
        m_components.removeAt(at);
    component->m_owner = nullptr;
}

void Component::setState(State s, bool on)
{
    if (on)
        m_state |= s;
    else
        m_state &= ~unsigned(s);
}

void Component::freeNotification(Component *component)
{
    if (!component || component == this)
        return;
    if (!m_freeNotifies.contains(component))
        m_freeNotifies.append(component);
    if (!component->m_freeNotifies.contains(this))
        component->m_freeNotifies.append(this);
}

void Component::removeFreeNotification(Component *component)
{
    if (!component)
        return;
    m_freeNotifies.removeAll(component);
    component->m_freeNotifies.removeAll(this);
}

void Component::notification(Component *component, Operation operation)
{
    if (operation == Operation::Remove && component)
        removeFreeNotification(component);
    // A dying owner frees all it owns: telling each of every other one's
    // going would cost n * n and helps none of them.
    if (operation != Operation::Remove || hasState(Destroying))
        return;
    // A receiver may free components while we walk: each step takes the
    // next lower index that still exists, as the list may have shrunk.
    for (qsizetype i = m_components.size() - 1; i >= 0; --i) {
        if (i >= m_components.size()) {
            i = m_components.size();
            continue;
        }
        m_components[i]->notification(component, operation);
    }
}

bool Component::isValidIdent(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

void Component::setName(const QString &name)
{
    if (name == m_name)
        return;
    if (!name.isEmpty() && !isValidIdent(name))
        throw ClassLibError(QStringLiteral("'%1' is not a valid component name").arg(name));
    if (m_owner && !name.isEmpty()) {
        Component *other = m_owner->findComponent(name);
        if (other && other != this)
            throw ClassLibError(QStringLiteral("A component named %1 already exists").arg(name));
    }
    changeName(name);
}

void Component::changeName(const QString &name)
{
    if (m_owner)
        m_owner->unindexName(this);
    m_name = name;
    if (m_owner)
        m_owner->indexName(this);
}

} // namespace bralvo::platform
