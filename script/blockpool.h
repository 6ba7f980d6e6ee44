// Small blocks for the script engine's many short-lived objects: elements
// of intermediate programs and the runtime objects built from them. A
// compile makes and drops them by the hundred thousand, and the general
// heap spends more time merging the freed pieces again than the compile
// spends on its own work.
//
// Blocks come in sizes of 16-byte steps up to kLargestPooled, carved one
// after another from slabs that are kept for the process's life: freed
// blocks are reused, so the process keeps as much as was ever in use at
// once. Slabs lie in large regions the kernel may back with huge pages: a
// first compile otherwise spends much of its time on page faults. Each thread keeps
// its own free blocks and hands a surplus (and, when it ends, all of them)
// to the others, so a block may be freed on another thread than the one
// that took it. Larger requests, and every request under AddressSanitizer
// (which must see each object), go to the heap.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace bralvo::script::blockpool {

constexpr std::size_t kLargestPooled = 512;

// A block of at least bytes bytes, aligned for any scalar type.
inline void *take(std::size_t bytes);
// Returns a block from take(); bytes must be the size asked for then.
inline void give(void *block, std::size_t bytes) noexcept;

// An allocator for standard containers that draws from the pool.
template <class T>
struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <class U>
    Allocator(const Allocator<U> &) noexcept
    {
    }
    T *allocate(std::size_t n) { return static_cast<T *>(take(n * sizeof(T))); }
    void deallocate(T *block, std::size_t n) noexcept { give(block, n * sizeof(T)); }
    friend bool operator==(const Allocator &, const Allocator &) { return true; }
};

namespace detail {

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

constexpr std::size_t kStep = 16;
constexpr std::size_t kPoolCount = kLargestPooled / kStep;
// A thread whose free list of one size reaches this many blocks hands the
// whole list to the others.
constexpr std::size_t kKeptBlocks = 8192;

// Blocks not in use, linked through their first bytes.
struct FreeBlock {
    FreeBlock *next;
};

// A thread's free blocks of one size, and the rest of its current slab
// (bump to bumpEnd), which is carved only as blocks are asked for.
// Trivially destructible, so that blocks freed while the thread's other
// objects go away still find it. open while the thread's keeper stands
// (it hands the blocks over when the thread ends): only then may a freed
// block simply join the list.
struct LocalBlocks {
    FreeBlock *head = nullptr;
    std::size_t count = 0;
    char *bump = nullptr;
    char *bumpEnd = nullptr;
    bool open = false;
    bool closed = false;
};

extern constinit thread_local LocalBlocks t_blocks[kPoolCount];

// The pool serving a request of bytes (0 counts as 1).
constexpr std::size_t poolIndex(std::size_t bytes)
{
    return bytes == 0 ? 0 : (bytes - 1) / kStep;
}

// Everything but a freed block at hand: the current slab, a refill, the
// heap, a thread's end.
void *takeSlow(std::size_t bytes);
void giveSlow(void *block, std::size_t bytes) noexcept;

} // namespace detail

// Inline: every object of a program passes here, and nearly every time
// the thread's own list or its current slab serves.
inline void *take(std::size_t bytes)
{
    if (detail::kPoolBlocks && bytes <= kLargestPooled) {
        detail::LocalBlocks &local = detail::t_blocks[detail::poolIndex(bytes)];
        if (detail::FreeBlock *block = local.head) {
            local.head = block->next;
            --local.count;
            return block;
        }
        const std::ptrdiff_t size = std::ptrdiff_t(detail::poolIndex(bytes) + 1) * std::ptrdiff_t(detail::kStep);
        if (local.bumpEnd - local.bump >= size) {
            char *block = local.bump;
            local.bump += size;
            return block;
        }
    }
    return detail::takeSlow(bytes);
}

inline void give(void *block, std::size_t bytes) noexcept
{
    if (detail::kPoolBlocks && block && bytes <= kLargestPooled) {
        detail::LocalBlocks &local = detail::t_blocks[detail::poolIndex(bytes)];
        if (local.open && local.count + 1 < detail::kKeptBlocks) {
            local.head = new (block) detail::FreeBlock{local.head};
            ++local.count;
            return;
        }
    }
    detail::giveSlow(block, bytes);
}

// Blocks for objects that all go at about the same time, such as the
// elements of one intermediate program: carved one after another from
// chunks of the arena's own, which go back to the system with the arena,
// so that a compile does not leave its program's elements behind as free
// blocks. A block given back while the arena stands serves its next take
// of that size. Under AddressSanitizer every block is a heap block.
class Arena {
public:
    Arena() = default;
    ~Arena();
    Arena(const Arena &) = delete;
    Arena &operator=(const Arena &) = delete;

    // Both inline: a compile takes a block for every element and list.
    void *take(std::size_t bytes)
    {
        if (detail::kPoolBlocks && bytes <= kLargestPooled) {
            const std::size_t index = detail::poolIndex(bytes);
            if (detail::FreeBlock *block = m_free[index]) {
                m_free[index] = block->next;
                return block;
            }
            const std::size_t size = (index + 1) * detail::kStep;
            if (std::size_t(m_end - m_next) >= size) {
                char *block = m_next;
                m_next += size;
                return block;
            }
        }
        return takeSlow(bytes);
    }
    // Returns a block of this arena (or of one it adopted).
    void give(void *block, std::size_t bytes) noexcept
    {
        if (detail::kPoolBlocks && block && bytes <= kLargestPooled) {
            const std::size_t index = detail::poolIndex(bytes);
            m_free[index] = new (block) detail::FreeBlock{m_free[index]};
            return;
        }
        giveSlow(block, bytes);
    }
    // For a block of an arena that is not at hand: a heap block is freed,
    // an arena's block stays until its arena goes.
    static void drop(void *block, std::size_t bytes) noexcept;
    // Takes over other's chunks: what other handed out lives as long as
    // this arena.
    void adopt(Arena &other);

private:
    struct Chunk {
        char *start;
        std::size_t bytes;
        bool mapped; // a huge-page region, else from the heap
    };
    void newChunk(std::size_t atLeast);
    void *takeSlow(std::size_t bytes);
    void giveSlow(void *block, std::size_t bytes) noexcept;

    std::vector<Chunk> m_chunks;
    char *m_next = nullptr;
    char *m_end = nullptr;
    std::size_t m_nextChunkBytes = 16 * 1024;
    detail::FreeBlock *m_free[detail::kPoolCount] = {};
};

} // namespace bralvo::script::blockpool
