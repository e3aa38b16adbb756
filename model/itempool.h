#pragma once
// Memory for items. Every expression makes and frees dozens of small items (tokens, nodes,
// argument wrappers), and a symbol table holds a few per symbol. Blocks of each size class are
// carved in order from 64 KiB chunks that belong to one thread; a freed block goes back on its
// chunk's list, so that the next item of its size reuses it, and freeing a table then loading
// another reuses the same memory in place. Items may be freed on any thread: a block freed on
// another thread is handed to the chunk's owner, and the chunks of a thread that ends while its
// items live on pass to the next thread short of memory of their size. A chunk goes back to the
// global allocator when its last block is freed, beyond a few that each thread keeps for reuse.
// Address-sanitizer builds bypass the pool so that they see every block.
#include <cstddef>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex::item_pool {

void* Allocate(std::size_t size);
void Release(void* block, std::size_t size) noexcept;

// For the storage of item lists, which come and go with the items.
template <class T>
struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <class U>
    Allocator(const Allocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(Allocate(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { Release(p, n * sizeof(T)); }
    friend bool operator==(const Allocator&, const Allocator&) { return true; }
};

}  // namespace tolvex::item_pool

TOLVEX_END_API
