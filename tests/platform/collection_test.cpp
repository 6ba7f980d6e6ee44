// Collections: items, indexes, removal and assignment.
#include "platform/collection.h"

#include <gtest/gtest.h>

using namespace bralvo::platform;

namespace {

class Item : public CollectionItem {
public:
    using CollectionItem::CollectionItem;
    QString text;
    void assign(const Persistent &source) override { text = static_cast<const Item &>(source).text; }
};


} // namespace

TEST(Collection, AddRemoveAndReorder)
{
    Collection c([](Collection *col) { return new Item(col); });
    auto *a = static_cast<Item *>(c.add());
    auto *b = static_cast<Item *>(c.add());
    EXPECT_EQ(b->index(), 1);
    b->setIndex(0);
    EXPECT_EQ(c.item(0), b);
    c.remove(0);
    EXPECT_EQ(c.count(), 1);
    EXPECT_EQ(a->index(), 0);
    delete a;
    EXPECT_EQ(c.count(), 0);
    EXPECT_THROW(c.item(0), ListIndexError);
}

TEST(Collection, AssignCopiesItems)
{
    Collection from([](Collection *col) { return new Item(col); });
    static_cast<Item *>(from.add())->text = QStringLiteral("x");
    static_cast<Item *>(from.add())->text = QStringLiteral("y");
    Collection to([](Collection *col) { return new Item(col); });
    to.add();
    to.assign(from);
    ASSERT_EQ(to.count(), 2);
    EXPECT_EQ(static_cast<Item *>(to.item(1))->text, QStringLiteral("y"));
}

TEST(Collection, ItemMovesBetweenCollections)
{
    Collection a([](Collection *col) { return new Item(col); });
    Collection b([](Collection *col) { return new Item(col); });
    CollectionItem *i = a.add();
    i->setCollection(&b);
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(b.count(), 1);
    EXPECT_EQ(i->collection(), &b);
}
