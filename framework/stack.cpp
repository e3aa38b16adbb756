#include "tolvex/framework/stack.h"

#include <pthread.h>

#include <cstdint>

namespace tolvex {

namespace {

// Lowest usable address of this thread's stack as the thread reports it; 0 when it does not.
// Asking is slow (the main thread's answer comes from the process's memory map), so it is asked once.
std::uintptr_t AskReportedLimit() {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return 0;
    void* addr = nullptr;
    std::size_t size = 0;
    const int rc = pthread_attr_getstack(&attr, &addr, &size);
    pthread_attr_destroy(&attr);
    return rc == 0 ? reinterpret_cast<std::uintptr_t>(addr) : 0;
}

std::uintptr_t ReportedLimit() {
    thread_local const std::uintptr_t limit = AskReportedLimit();
    return limit;
}

// Lowest address an evaluation may reach: the higher of the budget's end and the reported end.
std::uintptr_t LimitBelow(std::uintptr_t base) {
    const std::uintptr_t budget = base > kStackBudget ? base - kStackBudget : 0;
    const std::uintptr_t reported = ReportedLimit();
    return reported > budget && reported < base ? reported : budget;
}

struct ThreadStack {
    std::uintptr_t limit = 0;  // valid while depth > 0
    int depth = 0;             // evaluations in progress on this thread
};
thread_local ThreadStack current;

inline std::uintptr_t Here() { return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)); }

}  // namespace

StackScope::StackScope() {
    if (current.depth++ == 0) current.limit = LimitBelow(Here());
}

StackScope::~StackScope() { --current.depth; }

std::size_t StackHeadroom() {
    const std::uintptr_t here = Here();
    const std::uintptr_t limit = current.depth > 0 ? current.limit : LimitBelow(here);
    return here > limit ? here - limit : 0;
}

std::uintptr_t StackFloor() { return current.depth > 0 ? current.limit + kStackReserve : 0; }

bool StackExhausted() { return StackHeadroom() < kStackReserve; }

}  // namespace tolvex
