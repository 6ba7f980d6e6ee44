// The block pool: per-thread free lists of fixed-size blocks, one list per
// size step, with a shared list per size that threads hand surplus blocks
// to. The common cases are inline in blockpool.h.
#include "script/blockpool.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#include <sys/mman.h>

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
// with more free blocks than they keep or that ended.
struct SharedBlocks {
    std::mutex lock;
    std::vector<Batch> batches;
};

constexpr size_t kSlabBytes = 64 * 1024;
// Slabs are cut from regions of one huge page, aligned to it.
constexpr size_t kRegionBytes = 2 * 1024 * 1024;

// A new region, or nullptr when the kernel gives none. Mapped twice the
// size so that an aligned region lies inside; the rest goes back.
char *mapRegion()
{
    void *mapped = mmap(nullptr, 2 * kRegionBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kRegionBytes - 1) & ~std::uintptr_t(kRegionBytes - 1);
    if (aligned > start)
        munmap(mapped, aligned - start);
    if (const std::uintptr_t tail = start + 2 * kRegionBytes - (aligned + kRegionBytes))
        munmap(reinterpret_cast<void *>(aligned + kRegionBytes), tail);
    auto *region = reinterpret_cast<char *>(aligned);
    madvise(region, kRegionBytes, MADV_HUGEPAGE); // a hint: without it, small pages
    return region;
}

// A new slab, never returned: the regions are kept for the process's life.
char *newSlab()
{
    struct Regions {
        std::mutex lock;
        char *next = nullptr;
        char *end = nullptr;
    };
    static auto *regions = new Regions; // outlives every block
    const std::lock_guard guard(regions->lock);
    if (regions->next == regions->end) {
        char *region = mapRegion();
        if (!region)
            return static_cast<char *>(::operator new(kSlabBytes));
        regions->next = region;
        regions->end = region + kRegionBytes;
    }
    char *slab = regions->next;
    regions->next += kSlabBytes;
    return slab;
}

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

// The uncarved rest of the thread's slab, as free blocks for the others.
// Handed over before the thread's freed blocks, so that those, still warm,
// are the first taken again.
void handOverRest(size_t index) noexcept
{
    LocalBlocks &local = detail::t_blocks[index];
    const size_t size = blockSize(index);
    if (local.bumpEnd - local.bump < std::ptrdiff_t(size))
        return;
    Batch rest;
    for (char *block = local.bump; block + size <= local.bumpEnd; block += size)
        rest.push(block);
    local.bump = local.bumpEnd = nullptr;
    SharedBlocks &all = shared(index);
    const std::lock_guard guard(all.lock);
    try {
        all.batches.push_back(rest);
    } catch (...) {
        // no room to record them: they stay unused
    }
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
            handOverRest(index);
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

// Fills the thread's list with a batch other threads left, or else gives
// it a new slab to carve: a slab is not walked ahead of use, so its pages
// are touched only as its blocks are taken.
void refill(size_t index)
{
    setKeeper();
    LocalBlocks &local = detail::t_blocks[index];
    SharedBlocks &all = shared(index);
    {
        const std::lock_guard guard(all.lock);
        if (!all.batches.empty()) {
            local.head = all.batches.back().head;
            local.count = all.batches.back().count;
            all.batches.pop_back();
            return;
        }
    }
    local.bump = newSlab();
    local.bumpEnd = local.bump + kSlabBytes;
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

// ---- Arena

namespace {

// Chunks grow from small ones (a compile of one expression needs a few
// hundred bytes) to huge-page regions.
constexpr size_t kLargestHeapChunk = 128 * 1024;

} // namespace

Arena::~Arena()
{
    for (const Chunk &chunk : m_chunks) {
        if (chunk.mapped)
            munmap(chunk.start, chunk.bytes);
        else
            ::operator delete(chunk.start);
    }
}

void Arena::newChunk(size_t atLeast)
{
    m_chunks.reserve(m_chunks.size() + 1); // nothing to lose if this throws
    Chunk chunk{nullptr, m_nextChunkBytes, false};
    if (chunk.bytes > kLargestHeapChunk) {
        chunk.bytes = kRegionBytes;
        chunk.start = mapRegion();
        chunk.mapped = chunk.start != nullptr;
    }
    if (!chunk.start) {
        chunk.bytes = std::max(std::min(chunk.bytes, kLargestHeapChunk), atLeast);
        chunk.start = static_cast<char *>(::operator new(chunk.bytes));
    }
    m_chunks.push_back(chunk);
    m_next = chunk.start;
    m_end = chunk.start + chunk.bytes;
    m_nextChunkBytes = std::min(m_nextChunkBytes * 2, 2 * kLargestHeapChunk);
}

// A new chunk, or the heap for a large block.
void *Arena::takeSlow(size_t bytes)
{
    if (!detail::kPoolBlocks || bytes > kLargestPooled)
        return ::operator new(bytes);
    const size_t index = detail::poolIndex(bytes);
    if (FreeBlock *block = m_free[index]) {
        m_free[index] = block->next;
        return block;
    }
    const size_t size = blockSize(index);
    if (size_t(m_end - m_next) < size)
        newChunk(size);
    char *block = m_next;
    m_next += size;
    return block;
}

// A heap block (or none).
void Arena::giveSlow(void *block, size_t bytes) noexcept
{
    if (block)
        ::operator delete(block);
}

void Arena::drop(void *block, size_t bytes) noexcept
{
    if (!detail::kPoolBlocks || bytes > kLargestPooled)
        ::operator delete(block);
}

void Arena::adopt(Arena &other)
{
    m_chunks.reserve(m_chunks.size() + other.m_chunks.size());
    m_chunks.insert(m_chunks.end(), other.m_chunks.begin(), other.m_chunks.end());
    other.m_chunks.clear();
    // Its free blocks are given up with the rest of its chunks; the arena
    // stays usable, from new chunks.
    for (FreeBlock *&list : other.m_free)
        list = nullptr;
    other.m_next = other.m_end = nullptr;
}

namespace detail {

void *takeSlow(std::size_t bytes)
{
    if (!kPoolBlocks || bytes > kLargestPooled)
        return ::operator new(bytes);
    const size_t index = poolIndex(bytes);
    LocalBlocks &local = t_blocks[index];
    if (local.closed)
        return takeShared(index);
    const size_t size = blockSize(index);
    if (!local.head && local.bumpEnd - local.bump < std::ptrdiff_t(size))
        refill(index);
    if (FreeBlock *block = local.head) {
        local.head = block->next;
        --local.count;
        return block;
    }
    char *block = local.bump;
    local.bump += size;
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
