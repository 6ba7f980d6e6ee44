#include "script/positiontexts.h"

#include "script/buildertree.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace bralvo::script {

namespace {

// The lock of the table: held for a few dozen instructions while a text is
// made, where a mutex's calls cost more than the making. A thread that
// finds it held (rare: only a table growing holds it long) yields.
class SpinLock {
public:
    void lock()
    {
        while (m_locked.exchange(true, std::memory_order_acquire))
            while (m_locked.load(std::memory_order_relaxed))
                std::this_thread::yield();
    }
    void unlock() { m_locked.store(false, std::memory_order_release); }

private:
    std::atomic<bool> m_locked{false};
};

// Every position text made, never freed: the texts handed out refer to it
// from programs of any thread and any age. Found without a lock (a lock
// costs the very atomic operations these texts exist to spare); made under
// one.
class PermanentPositions {
public:
    // The text of line:column, made when new; null when it cannot be kept.
    QString find(int line, int column)
    {
        if (!fits(line, column))
            return QString();
        const quint32 key = keyOf(line, column);
        if (const quint32 location = m_table.load(std::memory_order_acquire)->find(key))
            return text(location);
        return make(key);
    }

    // Grows the table at once to give each of lines lines its stretch:
    // growing line by line would copy the table at every doubling and keep
    // every smaller one.
    void reserve(int lines)
    {
        if (lines <= 0)
            return;
        const size_t lineEnd = (std::min(size_t(lines), size_t(kLineLimit)) + 1) * kSlotsPerLine;
        if (lineEnd <= m_table.load(std::memory_order_acquire)->entries.size())
            return;
        const std::lock_guard guard(m_lock);
        Table *table = m_table.load(std::memory_order_relaxed);
        size_t capacity = table->entries.size();
        while (lineEnd > capacity && capacity < kMostSlotsForLines)
            capacity *= 2;
        if (capacity != table->entries.size())
            grow(table, capacity);
    }

private:
    // A couple of million positions: far more than the programs of one
    // process hold, yet a bound on what it keeps.
    static constexpr size_t kMostTexts = size_t(1) << 21;
    static constexpr size_t kBlockBits = 12;
    static constexpr size_t kBlockCharacters = size_t(1) << kBlockBits;
    // Room for the texts above, at their longest kept (see keyOf) with
    // their length and terminator.
    static constexpr size_t kMostBlocks = kMostTexts * 16 / kBlockCharacters;
    // A line's positions start in a stretch of their own, the lines in
    // order: a program asks for its positions line by line, so its look-ups
    // walk the table instead of jumping about it (each jump a miss of the
    // caches, which cost more than the atomic counts spared).
    static constexpr size_t kSlotsPerLine = 8;
    // The table grows to give each line its stretch up to this size.
    static constexpr size_t kMostSlotsForLines = size_t(1) << 20;
    // A look-up gives up after this many slots: a position found no room
    // near its start is made as an ordinary text, so that crowded stretches
    // (many positions on one line) cost no long searches.
    static constexpr size_t kMostProbes = 32;
    static constexpr size_t kPrefetchLines = 2;

    // Positions are kept for lines below kLineLimit and columns below
    // kColumnLimit, as one 32-bit key: a slot is then a single word, the
    // key beside where the text lies, and the table half the size. Others
    // are made as ordinary texts.
    static constexpr int kColumnBits = 12;
    static constexpr unsigned kLineLimit = 1u << (32 - kColumnBits);
    static constexpr unsigned kColumnLimit = 1u << kColumnBits;
    static bool fits(int line, int column) { return unsigned(line) < kLineLimit && unsigned(column) < kColumnLimit; }
    static quint32 keyOf(int line, int column) { return quint32(line) << kColumnBits | quint32(column); }
    static unsigned lineOf(quint32 key) { return key >> kColumnBits; }
    static unsigned columnOf(quint32 key) { return key & (kColumnLimit - 1); }

    // A slot: the key above where its text lies (block << kBlockBits |
    // offset, never 0: a text starts after its length); 0 when empty.
    // Written once, under the lock, after the text: a reader who sees the
    // word sees the text.
    static quint64 entryOf(quint32 key, quint32 location) { return quint64(key) << 32 | location; }
    struct Slot {
        std::atomic<quint64> entry{0};
    };

    // Open addressing, at most half full. A full table is replaced by a
    // bigger one; readers still in the old one find what it has and look
    // again under the lock for the rest, so it is kept too.
    struct Table {
        explicit Table(size_t capacity, std::unique_ptr<Table> older)
            : entries(capacity), mask(capacity - 1), previous(std::move(older))
        {
        }

        size_t first(quint32 key) const
        {
            return (size_t(lineOf(key)) * kSlotsPerLine + (columnOf(key) & (kSlotsPerLine - 1))) & mask;
        }

        // Where key's text lies; 0 when the table does not have it.
        quint32 find(quint32 key) const
        {
            size_t i = first(key);
            // The lines just below are asked for next: fetched ahead, the
            // walk meets them in the caches.
            __builtin_prefetch(&entries[(i + kPrefetchLines * kSlotsPerLine) & mask]);
            for (size_t probe = 0; probe < kMostProbes; ++probe, i = (i + 1) & mask) {
                const quint64 entry = entries[i].entry.load(std::memory_order_acquire);
                if (entry == 0)
                    return 0;
                if (quint32(entry >> 32) == key)
                    return quint32(entry);
            }
            return 0;
        }

        // The empty slot for key; nullptr when none is near its start.
        Slot *freeSlot(quint32 key)
        {
            size_t i = first(key);
            for (size_t probe = 0; probe < kMostProbes; ++probe, i = (i + 1) & mask)
                if (entries[i].entry.load(std::memory_order_relaxed) == 0)
                    return &entries[i];
            return nullptr;
        }

        std::vector<Slot> entries;
        size_t mask;
        size_t used = 0;
        std::unique_ptr<Table> previous;
    };

    // Made inline, the length read where store() put it: a compile asks
    // for a text per statement and expression.
    QString text(quint32 location) const
    {
        char16_t *const start = m_blocks[location >> kBlockBits] + (location & (kBlockCharacters - 1));
        return QString(QString::DataPointer(nullptr, start, qsizetype(start[-1])));
    }

    QString make(quint32 key)
    {
        const std::lock_guard guard(m_lock);
        Table *table = m_table.load(std::memory_order_relaxed);
        if (const quint32 location = table->find(key))
            return text(location);
        if (m_made >= kMostTexts)
            return QString();
        const size_t lineEnd = (size_t(lineOf(key)) + 1) * kSlotsPerLine;
        size_t capacity = table->entries.size();
        while ((table->used + 1) * 2 > capacity || (lineEnd > capacity && capacity < kMostSlotsForLines))
            capacity *= 2;
        if (capacity != table->entries.size())
            table = grow(table, capacity);
        Slot *slot = table->freeSlot(key);
        if (!slot)
            return QString();
        const quint32 location = store(key);
        if (!location)
            return QString();
        slot->entry.store(entryOf(key, location), std::memory_order_release);
        ++table->used;
        ++m_made;
        return text(location);
    }

    Table *grow(Table *table, size_t capacity)
    {
        auto bigger = std::make_unique<Table>(capacity, std::move(m_owned));
        for (const Slot &slot : table->entries) {
            const quint64 entry = slot.entry.load(std::memory_order_relaxed);
            if (!entry)
                continue;
            // One that finds no room is made anew when next asked for.
            if (Slot *moved = bigger->freeSlot(quint32(entry >> 32))) {
                moved->entry.store(entry, std::memory_order_relaxed);
                ++bigger->used;
            }
        }
        // The table is published complete.
        m_table.store(bigger.get(), std::memory_order_release);
        m_owned = std::move(bigger);
        return m_owned.get();
    }

    static size_t digitCount(unsigned n)
    {
        size_t count = 1;
        for (; n >= 100; n /= 100)
            count += 2;
        return count + (n >= 10);
    }
    // The text of the key, as builder::PositionDigits writes it, with a
    // terminator, as QString keeps them, after its length; many to a
    // block. Written in place, not made elsewhere and copied. Where it
    // lies, or 0 when the blocks are used up.
    quint32 store(quint32 key)
    {
        const size_t lineDigits = digitCount(lineOf(key));
        const size_t size = lineDigits + 1 + digitCount(columnOf(key));
        if (m_blockUsed + size + 2 > kBlockCharacters || m_blockCount == 0) {
            if (m_blockCount == kMostBlocks)
                return 0;
            m_blocks[m_blockCount++] = new char16_t[kBlockCharacters];
            m_blockUsed = 0;
        }
        char16_t *const start = m_blocks[m_blockCount - 1] + m_blockUsed + 1;
        start[-1] = char16_t(size);
        builder::writeDigitsBackwards(start + lineDigits, lineOf(key));
        start[lineDigits] = u':';
        builder::writeDigitsBackwards(start + size, columnOf(key));
        start[size] = u'\0';
        const quint32 location = quint32((m_blockCount - 1) << kBlockBits | (m_blockUsed + 1));
        m_blockUsed += size + 2;
        return location;
    }

    SpinLock m_lock;
    std::unique_ptr<Table> m_owned = std::make_unique<Table>(1024, nullptr);
    std::atomic<Table *> m_table{m_owned.get()};
    // The blocks of texts, in order; a block's address is written before
    // any slot refers to it.
    char16_t *m_blocks[kMostBlocks] = {};
    size_t m_blockCount = 0;
    size_t m_blockUsed = 0; // characters of the last block
    size_t m_made = 0;
};

PermanentPositions &permanentPositions()
{
    static auto *positions = new PermanentPositions; // never destroyed: its texts outlive every static
    return *positions;
}

} // namespace

QString permanentPositionText(int line, int column)
{
    QString text = permanentPositions().find(line, column);
    if (text.isNull())
        return builder::PositionDigits(line, column).view().toString();
    return text;
}

void reservePositionTexts(int lines)
{
    permanentPositions().reserve(lines);
}

} // namespace bralvo::script
