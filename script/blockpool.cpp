// The block pool: per-thread free lists of fixed-size blocks, one pool per
// size step, with a shared list that threads hand surplus blocks to.
#include "script/blockpool.h"

#include <array>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace bralvo::script::blockpool {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPoolBlocks = false; // let the sanitizer see every object
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPoolBlocks = false;
#else
constexpr bool kPoolBlocks = true;
#endif
#else
constexpr bool kPoolBlocks = true;
#endif

// Blocks not in use, linked through their first bytes.
struct FreeBlock {
    FreeBlock *next;
};

// A run of free blocks, moved between threads as a whole.
struct Batch {
    FreeBlock *head = nullptr;
    size_t count = 0;

    void push(void *block)
    {
        head = new (block) FreeBlock{head};
        ++count;
    }
    void *pop()
    {
        FreeBlock *block = head;
        head = block->next;
        --count;
        return block;
    }
};

// Blocks shared by all threads: batches handed in by threads with more free
// blocks than they keep or that ended, and the slabs carved so far (kept
// reachable, never returned).
struct SharedBlocks {
    std::mutex lock;
    std::vector<Batch> batches;
    std::vector<void *> slabs;
};

// A thread's free blocks. Trivially destructible, so that blocks freed while
// the thread's other objects go away still find it; the keeper hands the
// blocks to the shared list when the thread ends and closes it.
struct LocalBlocks {
    Batch free;
    bool keeperSet = false;
    bool closed = false;
};

// Blocks of one size, carved from slabs of kSlabBytes. A thread whose free
// list reaches kKeptBlocks hands the whole list to the others, so that blocks
// freed on one thread serve allocations on another.
template <size_t BlockSize>
class BlockPool {
public:
    static void *take()
    {
        LocalBlocks &local = t_local;
        if (local.closed)
            return takeShared();
        if (!local.free.head)
            refill(local);
        return local.free.pop();
    }

    // Also takes blocks that came from the heap in take(): they stay pooled.
    static void give(void *block) noexcept
    {
        LocalBlocks &local = t_local;
        if (local.closed) {
            giveShared(block);
            return;
        }
        setKeeper(local);
        local.free.push(block);
        if (local.free.count >= kKeptBlocks)
            handOver(local);
    }

private:
    static constexpr size_t kSlabBytes = 64 * 1024;
    static constexpr size_t kKeptBlocks = 8192;
    static_assert(BlockSize % alignof(std::max_align_t) == 0 && BlockSize >= sizeof(FreeBlock));

    struct Keeper {
        ~Keeper()
        {
            LocalBlocks &local = t_local;
            handOver(local);
            local.closed = true;
        }
    };

    static SharedBlocks &shared()
    {
        static SharedBlocks *blocks = new SharedBlocks; // outlives every block
        return *blocks;
    }

    // Before the thread's list first holds blocks: they must not be lost
    // when the thread ends.
    static void setKeeper(LocalBlocks &local)
    {
        if (!local.keeperSet) {
            local.keeperSet = true;
            (void)&t_keeper; // constructed now, so it runs at the thread's end
        }
    }

    static void handOver(LocalBlocks &local) noexcept
    {
        if (!local.free.head)
            return;
        SharedBlocks &all = shared();
        const std::lock_guard guard(all.lock);
        try {
            all.batches.push_back(local.free);
        } catch (...) {
            return; // no room to record them: the thread keeps its blocks
        }
        local.free = Batch();
    }

    // Fills the thread's list: a batch other threads left, or a new slab.
    static void refill(LocalBlocks &local)
    {
        setKeeper(local);
        SharedBlocks &all = shared();
        const std::lock_guard guard(all.lock);
        if (!all.batches.empty()) {
            local.free = all.batches.back();
            all.batches.pop_back();
            return;
        }
        auto *slab = static_cast<char *>(::operator new(kSlabBytes));
        all.slabs.push_back(slab);
        for (size_t i = kSlabBytes / BlockSize; i-- > 0;)
            local.free.push(slab + i * BlockSize);
    }

    // A thread's last moments: rare, so simply under the lock.
    static void *takeShared()
    {
        SharedBlocks &all = shared();
        const std::lock_guard guard(all.lock);
        if (all.batches.empty())
            return ::operator new(BlockSize);
        void *block = all.batches.back().pop();
        if (!all.batches.back().head)
            all.batches.pop_back();
        return block;
    }

    static void giveShared(void *block) noexcept
    {
        SharedBlocks &all = shared();
        const std::lock_guard guard(all.lock);
        if (all.batches.empty()) {
            try {
                all.batches.emplace_back();
            } catch (...) {
                return; // dropped: it stays where it is, unused
            }
        }
        all.batches.back().push(block);
    }

    static constinit thread_local LocalBlocks t_local;
    static thread_local Keeper t_keeper;
};

template <size_t BlockSize>
constinit thread_local LocalBlocks BlockPool<BlockSize>::t_local;
template <size_t BlockSize>
thread_local typename BlockPool<BlockSize>::Keeper BlockPool<BlockSize>::t_keeper;


constexpr std::size_t kStep = 16;
constexpr std::size_t kPoolCount = kLargestPooled / kStep;

struct PoolOps {
    void *(*take)();
    void (*give)(void *) noexcept;
};

template <std::size_t... I>
constexpr std::array<PoolOps, sizeof...(I)> makePools(std::index_sequence<I...>)
{
    return {PoolOps{&BlockPool<(I + 1) * kStep>::take, &BlockPool<(I + 1) * kStep>::give}...};
}

constexpr std::array<PoolOps, kPoolCount> pools = makePools(std::make_index_sequence<kPoolCount>());

// The pool serving a request of bytes (0 counts as 1).
std::size_t poolIndex(std::size_t bytes)
{
    return bytes == 0 ? 0 : (bytes - 1) / kStep;
}

} // namespace

void *take(std::size_t bytes)
{
    if (!kPoolBlocks || bytes > kLargestPooled)
        return ::operator new(bytes);
    return pools[poolIndex(bytes)].take();
}

void give(void *block, std::size_t bytes) noexcept
{
    if (!block)
        return;
    if (!kPoolBlocks || bytes > kLargestPooled) {
        ::operator delete(block);
        return;
    }
    pools[poolIndex(bytes)].give(block);
}

} // namespace bralvo::script::blockpool
