// The children of one TscXMLItem: an array of owned plain pointers with a
// count and a capacity, a word smaller than a standard vector. A single
// child is held in place of the array's address, without an array: many
// elements of an intermediate program have one. An element drawn from an
// arena keeps its array in the arena as well, so that the array goes back
// to the system with the intermediate program instead of staying in the
// block pool. Internal to the script layer.
#pragma once

#include "script/blockpool.h"

#include <QtGlobal>
#include <algorithm>
#include <cstring>

namespace bralvo::script {

class TscXMLItem;

namespace detail {
// The arena elements made on this thread come from (TscXMLItem::ArenaScope).
extern constinit thread_local blockpool::Arena *t_elementArena;
} // namespace detail

class ChildList {
public:
    using Item = TscXMLItem *;

    ChildList() = default;
    ~ChildList() { release(); }
    ChildList(const ChildList &) = delete;
    ChildList &operator=(const ChildList &) = delete;

    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    Item operator[](size_t i) const { return data()[i]; }
    Item &operator[](size_t i) { return data()[i]; }
    Item *begin() const { return data(); }
    Item *end() const { return data() + m_count; }
    Item back() const { return data()[m_count - 1]; }

    // Where arrays come from when they grow: arena (which must be the one
    // standing on the thread while the list lives in it) or, with nullptr,
    // the block pool.
    void push_back(Item item, blockpool::Arena *arena)
    {
        if (m_count == capacity())
            grow(m_count + 1, arena);
        data()[m_count++] = item;
    }
    void pop_back() { --m_count; }
    void reserve(size_t count, blockpool::Arena *arena)
    {
        if (count > capacity())
            grow(count, arena);
    }
    // Drops the entries from index on (the elements are not touched).
    void truncate(size_t index) { m_count = quint32(std::min<size_t>(index, m_count)); }
    void erase(size_t index)
    {
        Item *const items = data();
        std::memmove(static_cast<void *>(items + index), items + index + 1, (m_count - index - 1) * sizeof(Item));
        --m_count;
    }
    void insert(size_t index, Item item, blockpool::Arena *arena)
    {
        push_back(item, arena);
        Item *const items = data();
        std::memmove(static_cast<void *>(items + index + 1), items + index, (m_count - 1 - index) * sizeof(Item));
        items[index] = item;
    }
    // Appends count entries in one step, the array sized for them exactly
    // when it grows.
    void append(const Item *items, size_t count, blockpool::Arena *arena)
    {
        if (m_count + count > capacity())
            grow(m_count + count, arena, true);
        copyItems(data() + m_count, items, count);
        m_count += quint32(count);
    }
    // True when releasing the list does nothing an arena's end does not do
    // as well: no array, one in place, or a pooled block of the arena.
    bool leftToArena() const
    {
        return m_capacity <= kInPlace
            || ((m_capacity & kFromArena) && blockpool::detail::kPoolBlocks
                && capacity() * sizeof(Item) <= blockpool::kLargestPooled);
    }
    void swap(ChildList &other) noexcept
    {
        std::swap(m_items, other.m_items);
        std::swap(m_count, other.m_count);
        std::swap(m_capacity, other.m_capacity);
    }

private:
    // Most lists hold a child or two: those are not worth a library call.
    static void copyItems(Item *to, const Item *from, size_t count)
    {
        if (count > 2) {
            std::memcpy(static_cast<void *>(to), from, count * sizeof(Item));
            return;
        }
        if (count > 0)
            to[0] = from[0];
        if (count > 1)
            to[1] = from[1];
    }
    // The top bit of m_capacity: the array came from an arena. A capacity
    // of 1 is the child held in place (m_single).
    static constexpr quint32 kFromArena = 0x80000000u;
    static constexpr quint32 kInPlace = 1;
    size_t capacity() const { return m_capacity & ~kFromArena; }
    Item *data() const
    {
        return m_capacity == kInPlace ? const_cast<Item *>(&m_single) : m_items;
    }
    void grow(size_t atLeast, blockpool::Arena *arena, bool exact = false)
    {
        if (atLeast == 1) { // and the list is empty
            release();
            m_capacity = kInPlace;
            return;
        }
        const size_t wanted = exact ? atLeast : std::max<size_t>(atLeast, std::max<size_t>(2, capacity() * 2));
        Item *items = static_cast<Item *>(arena ? arena->take(wanted * sizeof(Item))
                                                : blockpool::take(wanted * sizeof(Item)));
        copyItems(items, data(), m_count);
        release();
        m_items = items;
        m_capacity = quint32(wanted) | (arena ? kFromArena : 0);
    }
    // An arena's array is given back only to the arena standing (the one
    // it came from); with none standing it stays until its arena goes.
    void release() noexcept
    {
        if (m_capacity == kInPlace) {
            m_items = nullptr;
            m_capacity = 0;
            return;
        }
        if (!m_items)
            return;
        const size_t bytes = capacity() * sizeof(Item);
        if (!(m_capacity & kFromArena))
            blockpool::give(m_items, bytes);
        else if (blockpool::Arena *arena = detail::t_elementArena)
            arena->give(m_items, bytes);
        else if (!blockpool::detail::kPoolBlocks || bytes > blockpool::kLargestPooled)
            blockpool::Arena::drop(m_items, bytes);
        m_items = nullptr;
    }

    union {
        Item *m_items = nullptr;
        Item m_single;
    };
    quint32 m_count = 0;
    quint32 m_capacity = 0;
};

} // namespace bralvo::script
