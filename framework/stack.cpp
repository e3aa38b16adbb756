#include "tolvex/framework/stack.h"

#include <pthread.h>

#include <cstdint>

namespace tolvex {

namespace {

// Lowest usable address of this thread's stack, looked up once per thread.
std::uintptr_t StackLimit() {
    thread_local std::uintptr_t limit = [] {
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) != 0) return std::uintptr_t{0};
        void* addr = nullptr;
        std::size_t size = 0;
        int rc = pthread_attr_getstack(&attr, &addr, &size);
        pthread_attr_destroy(&attr);
        return rc == 0 ? reinterpret_cast<std::uintptr_t>(addr) : std::uintptr_t{0};
    }();
    return limit;
}

}  // namespace

std::size_t StackHeadroom() {
    char marker = 0;
    auto here = reinterpret_cast<std::uintptr_t>(&marker);
    std::uintptr_t limit = StackLimit();
    if (limit == 0 || here <= limit) return static_cast<std::size_t>(-1);
    return here - limit;
}

}  // namespace tolvex
