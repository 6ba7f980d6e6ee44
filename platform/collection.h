// Collections: an ordered list of items of one class, owned by the
// collection. Each item knows its collection and its index. Report
// datasets, variables and styles are collections.
#pragma once

#include "platform/persistent.h"

#include <QList>
#include <functional>
#include <memory>

namespace bralvo::platform {

class Collection;

class CollectionItem : public Persistent {
    BRALVO_CLASS(CollectionItem)
public:
    // Joins Collection (may be null) at its end.
    explicit CollectionItem(Collection *collection = nullptr);
    ~CollectionItem() override;

    Collection *collection() const { return m_collection; }
    // Moves the item to another collection (null: stands alone).
    void setCollection(Collection *collection);
    int index() const;
    void setIndex(int index);
    virtual QString displayName() const { return className(); }

private:
    friend class Collection;
    Collection *m_collection = nullptr;
};

class Collection : public Persistent {
    BRALVO_CLASS(Collection)
public:
    using ItemFactory = std::function<CollectionItem *(Collection *)>;
    // Factory makes one new item joined to the collection it is given.
    explicit Collection(ItemFactory factory);
    ~Collection() override;

    int count() const { return int(m_items.size()); }
    // Throws ListIndexError.
    CollectionItem *item(int index) const;
    CollectionItem *add();
    CollectionItem *insert(int index);
    // Frees the item at Index.
    void remove(int index);
    void clear();
    int indexOf(const CollectionItem *item) const { return int(m_items.indexOf(item)); }

    // From another collection: clear, then one new item per source item,
    // each assigned from its twin.
    void assign(const Persistent &source) override;

private:
    friend class CollectionItem;
    void attach(CollectionItem *item);
    void detach(CollectionItem *item);

    ItemFactory m_factory;
    QList<CollectionItem *> m_items;
};

} // namespace bralvo::platform
