// Small blocks for the script engine's many short-lived objects: elements
// of intermediate programs and the runtime objects built from them. A
// compile makes and drops them by the hundred thousand, and the general
// heap spends more time merging the freed pieces again than the compile
// spends on its own work.
//
// Blocks come in sizes of 16-byte steps up to kLargestPooled, carved from
// slabs that are kept for the process's life: freed blocks are reused, so
// the process keeps as much as was ever in use at once. Each thread keeps
// its own free blocks and hands a surplus (and, when it ends, all of them)
// to the others, so a block may be freed on another thread than the one
// that took it. Larger requests, and every request under AddressSanitizer
// (which must see each object), go to the heap.
#pragma once

#include <cstddef>

namespace bralvo::script::blockpool {

constexpr std::size_t kLargestPooled = 512;

// A block of at least bytes bytes, aligned for any scalar type.
void *take(std::size_t bytes);
// Returns a block from take(); bytes must be the size asked for then.
void give(void *block, std::size_t bytes) noexcept;

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

} // namespace bralvo::script::blockpool
