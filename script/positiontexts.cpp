#include "script/positiontexts.h"

#include "script/buildertree.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace bralvo::script {

namespace {

// Every position text made, never freed: the texts handed out refer to it
// from programs of any thread and any age. Found without a lock (a lock
// costs the very atomic operations these texts exist to spare); made under
// one.
class PermanentPositions {
public:
    // The text of line:column, made when new; null when the store is full.
    QString find(int line, int column)
    {
        const quint64 key = quint64(unsigned(line)) << 32 | unsigned(column);
        if (const Slot *slot = m_table.load(std::memory_order_acquire)->find(key))
            return slot->text();
        return make(key, line, column);
    }

private:
    // A couple of million positions: far more than the programs of one
    // process hold, yet a bound on what it keeps.
    static constexpr size_t kMostTexts = size_t(1) << 21;
    static constexpr size_t kBlockCharacters = 4096;

    // Written once, under the lock: chars last, so that a reader who sees
    // them sees the rest.
    struct Slot {
        std::atomic<const char16_t *> chars{nullptr};
        quint64 key = 0;
        qsizetype size = 0;

        QString text() const
        {
            return QString::fromRawData(reinterpret_cast<const QChar *>(chars.load(std::memory_order_relaxed)), size);
        }
    };

    // Open addressing, at most half full. A full table is replaced by one
    // twice its size; readers still in the old one find what it has and
    // look again under the lock for the rest, so it is kept too.
    struct Table {
        explicit Table(size_t capacity, std::unique_ptr<Table> older)
            : entries(capacity), mask(capacity - 1), previous(std::move(older))
        {
        }

        size_t first(quint64 key) const
        {
            const quint64 mixed = key * 0x9E3779B97F4A7C15ull;
            return size_t(mixed ^ mixed >> 32) & mask;
        }

        const Slot *find(quint64 key) const
        {
            for (size_t i = first(key);; i = (i + 1) & mask) {
                const Slot &slot = entries[i];
                if (!slot.chars.load(std::memory_order_acquire))
                    return nullptr;
                if (slot.key == key)
                    return &slot;
            }
        }

        Slot &freeSlot(quint64 key)
        {
            size_t i = first(key);
            while (entries[i].chars.load(std::memory_order_relaxed))
                i = (i + 1) & mask;
            return entries[i];
        }

        std::vector<Slot> entries;
        size_t mask;
        size_t used = 0;
        std::unique_ptr<Table> previous;
    };

    QString make(quint64 key, int line, int column)
    {
        const std::lock_guard guard(m_lock);
        Table *table = m_table.load(std::memory_order_relaxed);
        if (const Slot *slot = table->find(key))
            return slot->text();
        if (table->used >= kMostTexts)
            return QString();
        if ((table->used + 1) * 2 > table->entries.size())
            table = grow(table);
        const builder::PositionDigits digits(line, column);
        Slot &slot = table->freeSlot(key);
        slot.key = key;
        slot.size = digits.view().size();
        slot.chars.store(store(digits.view()), std::memory_order_release);
        ++table->used;
        return slot.text();
    }

    Table *grow(Table *table)
    {
        auto bigger = std::make_unique<Table>(table->entries.size() * 2, std::move(m_owned));
        for (const Slot &slot : table->entries) {
            if (const char16_t *chars = slot.chars.load(std::memory_order_relaxed)) {
                Slot &moved = bigger->freeSlot(slot.key);
                moved.key = slot.key;
                moved.size = slot.size;
                moved.chars.store(chars, std::memory_order_relaxed);
            }
        }
        bigger->used = table->used;
        // The table is published complete.
        m_table.store(bigger.get(), std::memory_order_release);
        m_owned = std::move(bigger);
        return m_owned.get();
    }

    // The characters with a terminator, as QString keeps them; many to a
    // block.
    const char16_t *store(QStringView digits)
    {
        const size_t needed = size_t(digits.size()) + 1;
        if (m_blockFree < needed) {
            m_blocks.push_back(std::make_unique<char16_t[]>(kBlockCharacters));
            m_blockFree = kBlockCharacters;
        }
        char16_t *const start = m_blocks.back().get() + (kBlockCharacters - m_blockFree);
        std::copy(digits.utf16(), digits.utf16() + digits.size(), start);
        start[digits.size()] = u'\0';
        m_blockFree -= needed;
        return start;
    }

    std::mutex m_lock;
    std::unique_ptr<Table> m_owned = std::make_unique<Table>(1024, nullptr);
    std::atomic<Table *> m_table{m_owned.get()};
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    size_t m_blockFree = 0;
};

} // namespace

QString permanentPositionText(int line, int column)
{
    static auto *positions = new PermanentPositions; // never destroyed: its texts outlive every static
    QString text = positions->find(line, column);
    if (text.isNull())
        return builder::PositionDigits(line, column).view().toString();
    return text;
}

} // namespace bralvo::script
