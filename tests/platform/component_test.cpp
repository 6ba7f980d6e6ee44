// Components: ownership, destruction order, notification, names.
#include "platform/component.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace bralvo::platform;

namespace {

// Records the removal notices it receives and its own destruction.
class Probe : public Component {
public:
    Probe(Component *owner, const QString &name, QStringList &log) : Component(owner), m_log(log)
    {
        setName(name);
    }
    ~Probe() override { m_log << QStringLiteral("~") + name(); }

protected:
    void notification(Component *c, Operation op) override
    {
        Component::notification(c, op);
        if (op == Operation::Remove)
            m_log << name() + QStringLiteral(" saw ") + c->name() + QStringLiteral(" go");
    }

private:
    QStringList &m_log;
};

} // namespace

TEST(Component, OwnerFreesOwnedComponentsLastFirst)
{
    QStringList log;
    auto *owner = new Probe(nullptr, QStringLiteral("owner"), log);
    new Probe(owner, QStringLiteral("a"), log);
    new Probe(owner, QStringLiteral("b"), log);
    EXPECT_EQ(owner->componentCount(), 2);
    Component::free(owner);
    EXPECT_EQ(log, QStringList({"~b", "~a", "~owner"}));
}

TEST(Component, FreedComponentLeavesOwnerAndOthersAreTold)
{
    QStringList log;
    Probe owner(nullptr, QStringLiteral("owner"), log);
    auto *a = new Probe(&owner, QStringLiteral("a"), log);
    new Probe(&owner, QStringLiteral("b"), log);
    Component::free(a);
    EXPECT_EQ(owner.componentCount(), 1);
    EXPECT_EQ(owner.findComponent(QStringLiteral("A")), nullptr);
    EXPECT_TRUE(log.contains(QStringLiteral("owner saw a go")));
    EXPECT_TRUE(log.contains(QStringLiteral("b saw a go")));
}

TEST(Component, FreeNotificationReachesUnrelatedComponents)
{
    QStringList log;
    Probe watcher(nullptr, QStringLiteral("watcher"), log);
    auto *watched = new Probe(nullptr, QStringLiteral("watched"), log);
    watched->freeNotification(&watcher);
    Component::free(watched);
    EXPECT_EQ(log, QStringList({"watcher saw watched go", "~watched"}));
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner)
{
    Component owner;
    auto *a = new Component(&owner);
    auto *b = new Component(&owner);
    a->setName(QStringLiteral("Memo1"));
    try {
        b->setName(QStringLiteral("memo1"));
        FAIL();
    } catch (const ClassLibError &e) {
        EXPECT_EQ(e.userText(), QStringLiteral("A component named memo1 already exists"));
    }
    for (const char *bad : {"1abc", "a b", "č"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(b->setName(QString::fromUtf8(bad)), ClassLibError);
    }
    b->setName(QStringLiteral("_ok2"));
    EXPECT_EQ(owner.findComponent(QStringLiteral("_OK2")), b);
    EXPECT_EQ(b->componentIndex(), 1);
}

TEST(Component, InsertAndRemoveMoveOwnership)
{
    Component first, second;
    auto *c = new Component(&first);
    second.insertComponent(c);
    EXPECT_EQ(c->owner(), &second);
    EXPECT_EQ(first.componentCount(), 0);
    second.removeComponent(c);
    EXPECT_EQ(c->owner(), nullptr);
    delete c;
}

// Names are found (ignoring case) through renames, moves between owners
// and frees, however many components an owner holds.
TEST(Component, NamesAreFoundThroughRenamesMovesAndFrees)
{
    Component owner, other;
    for (int i = 0; i < 3000; ++i)
        (new Component(&owner))->setName(QStringLiteral("Memo%1").arg(i));
    Component *memo = owner.findComponent(QStringLiteral("MEMO2999"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->name(), QStringLiteral("Memo2999"));
    memo->setName(QStringLiteral("Total"));
    EXPECT_EQ(owner.findComponent(QStringLiteral("memo2999")), nullptr);
    EXPECT_EQ(owner.findComponent(QStringLiteral("total")), memo);
    (new Component(&owner))->setName(QStringLiteral("Memo2999")); // the old name is free again
    other.insertComponent(memo);
    EXPECT_EQ(owner.findComponent(QStringLiteral("Total")), nullptr);
    EXPECT_EQ(other.findComponent(QStringLiteral("TOTAL")), memo);
    Component::free(owner.findComponent(QStringLiteral("Memo7")));
    EXPECT_EQ(owner.findComponent(QStringLiteral("Memo7")), nullptr);
    (new Component(&owner))->setName(QStringLiteral("memo7"));
    EXPECT_NE(owner.findComponent(QStringLiteral("Memo7")), nullptr);
    EXPECT_EQ(owner.componentCount(), 3000);
}
