#pragma once
// Recycles the memory of freed items. Every expression makes and frees dozens of small items
// (tokens, nodes, argument wrappers); the pool keeps freed blocks of the common sizes for the
// next item made on the same thread, like a per-thread allocator cache. Blocks come from the
// global allocator and go back to it when the pool is full or the thread ends; no item ever
// shares memory with another, and sanitizer builds bypass the pool so that they see every block.
#include <cstddef>

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
