// The block pool: per-thread free lists of fixed-size blocks, one list per
// size step, with a shared list per size that threads hand surplus blocks
// to. The common cases are inline in blockpool.h.
#include "script/blockpool.h"

#include <array>
#include <mutex>
#include <new>
#include <vector>

namespace bralvo::script::blockpool {

namespace detail {

constinit thread_local LocalBlocks t_blocks[kPoolCount];

} // namespace detail

namespace {

using detail::FreeBlock;
using detail::kKeptBlocks;
using detail::kPoolCount;
using detail::LocalBlocks;

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

// Blocks of one size shared by all threads: batches handed in by threads
// with more free blocks than they keep or that ended, and the slabs carved
// so far (kept reachable, never returned).
struct SharedBlocks {
    std::mutex lock;
    std::vector<Batch> batches;
    std::vector<void *> slabs;
};

constexpr size_t kSlabBytes = 64 * 1024;

size_t blockSize(size_t index)
{
    return (index + 1) * detail::kStep;
}

SharedBlocks &shared(size_t index)
{
    static auto *blocks = new std::array<SharedBlocks, kPoolCount>; // outlives every block
    return (*blocks)[index];
}

Batch takeList(LocalBlocks &local)
{
    Batch batch{local.head, local.count};
    local.head = nullptr;
    local.count = 0;
    return batch;
}

void handOver(size_t index) noexcept
{
    LocalBlocks &local = detail::t_blocks[index];
    if (!local.head)
        return;
    SharedBlocks &all = shared(index);
    const std::lock_guard guard(all.lock);
    try {
        all.batches.push_back(Batch{local.head, local.count});
    } catch (...) {
        return; // no room to record them: the thread keeps its blocks
    }
    takeList(local);
}

// Hands every list to the others when the thread ends; blocks freed on the
// thread after that go straight to the shared lists.
struct Keeper {
    Keeper()
    {
        for (LocalBlocks &local : detail::t_blocks)
            local.open = !local.closed;
    }
    ~Keeper()
    {
        for (size_t index = 0; index < kPoolCount; ++index) {
            handOver(index);
            detail::t_blocks[index].open = false;
            detail::t_blocks[index].closed = true;
        }
    }
};

thread_local Keeper t_keeper;

// Before the thread's lists first hold blocks: they must not be lost when
// the thread ends.
void setKeeper()
{
    (void)&t_keeper; // constructed now, so it runs at the thread's end
}

// Fills the thread's list: a batch other threads left, or a new slab.
void refill(size_t index)
{
    setKeeper();
    LocalBlocks &local = detail::t_blocks[index];
    SharedBlocks &all = shared(index);
    const std::lock_guard guard(all.lock);
    if (!all.batches.empty()) {
        local.head = all.batches.back().head;
        local.count = all.batches.back().count;
        all.batches.pop_back();
        return;
    }
    auto *slab = static_cast<char *>(::operator new(kSlabBytes));
    all.slabs.push_back(slab);
    const size_t size = blockSize(index);
    for (size_t i = kSlabBytes / size; i-- > 0;) {
        local.head = new (slab + i * size) FreeBlock{local.head};
        ++local.count;
    }
}

// A thread's last moments: rare, so simply under the lock.
void *takeShared(size_t index)
{
    SharedBlocks &all = shared(index);
    const std::lock_guard guard(all.lock);
    if (all.batches.empty())
        return ::operator new(blockSize(index));
    void *block = all.batches.back().pop();
    if (!all.batches.back().head)
        all.batches.pop_back();
    return block;
}

void giveShared(void *block, size_t index) noexcept
{
    SharedBlocks &all = shared(index);
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

} // namespace

namespace detail {

void *takeSlow(std::size_t bytes)
{
    if (!kPoolBlocks || bytes > kLargestPooled)
        return ::operator new(bytes);
    const size_t index = poolIndex(bytes);
    LocalBlocks &local = t_blocks[index];
    if (local.closed)
        return takeShared(index);
    if (!local.head)
        refill(index);
    FreeBlock *block = local.head;
    local.head = block->next;
    --local.count;
    return block;
}

// Also takes blocks that came from the heap in takeShared(): they stay pooled.
void giveSlow(void *block, std::size_t bytes) noexcept
{
    if (!block)
        return;
    if (!kPoolBlocks || bytes > kLargestPooled) {
        ::operator delete(block);
        return;
    }
    const size_t index = poolIndex(bytes);
    LocalBlocks &local = t_blocks[index];
    if (local.closed) {
        giveShared(block, index);
        return;
    }
    setKeeper();
    local.head = new (block) FreeBlock{local.head};
    ++local.count;
    if (local.count >= kKeptBlocks)
        handOver(index);
}

} // namespace detail

} // namespace bralvo::script::blockpool
