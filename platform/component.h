// Components: persistent objects with a name, a tag, an owner that
// frees them, and removal notification to the owner's other components
// and to anyone who asked for it (freeNotification).
//
// Ownership: the owner deletes the components it owns (last first) when
// it is destroyed; a component deleted earlier leaves its owner's list
// by itself. Delete components through free() (or plain delete): free()
// sends the removal notice while the object is still whole, so the
// receivers may still ask for its class.
#pragma once

#include "platform/persistent.h"

#include <QHash>
#include <QList>
#include <QString>

namespace bralvo::platform {

enum class Operation { Insert, Remove };

class Component : public Persistent {
    BRALVO_CLASS(Component)
public:
    enum State : unsigned {
        Loading = 1,
        Reading = 2,
        Writing = 4,
        Destroying = 8,
        Designing = 16,
        Ancestor = 32
    };

    // Owner may be null; a non-null owner takes ownership.
    explicit Component(Component *owner = nullptr);
    ~Component() override;

    // Sends the removal notice and deletes the component (null: no-op).
    static void free(Component *component);

    Component *owner() const { return m_owner; }
    QString name() const { return m_name; }
    // Throws ClassLibError for an invalid identifier ("'x y' is not a
    // valid component name") or a name another component of the same
    // owner has ("A component named X already exists"). Empty is allowed.
    virtual void setName(const QString &name);
    qint64 tag() const { return m_tag; }
    void setTag(qint64 tag) { m_tag = tag; }

    int componentCount() const { return int(m_components.size()); }
    Component *component(int index) const { return m_components.at(index); }
    const QList<Component *> &components() const { return m_components; }
    int componentIndex() const;
    // The owned component of that name, ignoring case; nullptr when none.
    Component *findComponent(const QString &name) const;
    void insertComponent(Component *component);
    void removeComponent(Component *component);

    unsigned componentState() const { return m_state; }
    bool hasState(State s) const { return (m_state & s) != 0; }
    void setState(State s, bool on);

    // Component will be told (notification Remove) when this one goes,
    // and this one when Component goes. Both ways, as links are mutual.
    void freeNotification(Component *component);
    void removeFreeNotification(Component *component);

    // Called after a reader has set all properties (loading finished).
    virtual void loaded() { setState(Loading, false); }

    static bool isValidIdent(const QString &name);

protected:
    // Removal and insertion notices; the base passes removal notices on
    // to every owned component (they may hold a pointer to the one that
    // goes), except while this component is being destroyed (state
    // Destroying: all it owns goes too). Insertion notices stay with the
    // owner: passing each on would make building a tree of n components
    // cost n * n. Overrides must call the base.
    virtual void notification(Component *component, Operation operation);
    // Stores the name without the owner's checks.
    void changeName(const QString &name);

private:
    void sendRemoval();
    void destroyComponents();
    void indexName(Component *component);
    void unindexName(Component *component);

    Component *m_owner = nullptr;
    QList<Component *> m_components;
    // Owned components by case-folded name: finding a name (on every
    // insertion and rename) must not walk the whole list.
    QHash<QString, Component *> m_byName;
    // Once two owned components had one name, a freed name is looked for
    // among the others.
    bool m_sharedNames = false;
    QList<Component *> m_freeNotifies;
    QString m_name;
    qint64 m_tag = 0;
    unsigned m_state = 0;
    bool m_removalSent = false;
};

} // namespace bralvo::platform
