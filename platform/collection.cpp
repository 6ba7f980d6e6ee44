// Collections and their items.
#include "platform/collection.h"

namespace bralvo::platform {

const ClassInfo &CollectionItem::staticClass()
{
    static const ClassInfo info = makeClassInfo("TCollectionItem", &Persistent::staticClass(), nullptr,
                                                [](PropertyTable &) {});
    return info;
}

const ClassInfo &Collection::staticClass()
{
    static const ClassInfo info = makeClassInfo("TCollection", &Persistent::staticClass(), nullptr,
                                                [](PropertyTable &) {});
    return info;
}

CollectionItem::CollectionItem(Collection *collection)
{
    setCollection(collection);
}

CollectionItem::~CollectionItem()
{
    if (m_collection)
        m_collection->detach(this);
}

void CollectionItem::setCollection(Collection *collection)
{
    if (collection == m_collection)
        return;
    if (m_collection)
        m_collection->detach(this);
    if (collection)
        collection->attach(this);
}

int CollectionItem::index() const
{
    return m_collection ? m_collection->indexOf(this) : -1;
}

void CollectionItem::setIndex(int index)
{
    if (!m_collection)
        return;
    const int from = this->index();
    if (index < 0 || index >= m_collection->count())
        throw ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    m_collection->m_items.move(from, index);
}

Collection::Collection(ItemFactory factory) : m_factory(std::move(factory)) {}

Collection::~Collection()
{
    clear();
}

CollectionItem *Collection::item(int index) const
{
    if (index < 0 || index >= m_items.size())
        throw ListIndexError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[index];
}

CollectionItem *Collection::add()
{
    CollectionItem *item = m_factory(this);
    if (item->collection() != this)
        item->setCollection(this);
    return item;
}

CollectionItem *Collection::insert(int index)
{
    CollectionItem *item = add();
    item->setIndex(qBound(0, index, count() - 1));
    return item;
}

void Collection::remove(int index)
{
    delete item(index);
}

void Collection::clear()
{
    while (!m_items.isEmpty())
        delete m_items.last();
}

void Collection::attach(CollectionItem *item)
{
    m_items.append(item);
    item->m_collection = this;
}

void Collection::detach(CollectionItem *item)
{
    m_items.removeAll(item);
    item->m_collection = nullptr;
}

void Collection::assign(const Persistent &source)
{
    const auto *other = dynamic_cast<const Collection *>(&source);
    if (!other) {
        Persistent::assign(source);
        return;
    }
    if (other == this)
        return;
    clear();
    for (CollectionItem *src : other->m_items)
        add()->assign(*src);
}

} // namespace bralvo::platform
