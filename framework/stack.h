#pragma once
// How much machine stack an evaluation may still use, so that deep recursion stops with an error
// of the system's type before the stack runs out. The stop never trusts the size the thread
// reports alone (it can be "unlimited"): an outermost evaluation and everything it calls back
// into get a fixed budget, measured from where it began, or the reported stack if that is smaller.
#include <cstddef>
#include <cstdint>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Stack that must stay free when a user-function evaluation or a statement begins: room for one
// tree of the deepest kind plus the host's own frames. Sanitizer builds use far bigger frames.
#if defined(__SANITIZE_ADDRESS__)
#define TOLVEX_STACK_SCALE 3
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLVEX_STACK_SCALE 3
#endif
#endif
#ifndef TOLVEX_STACK_SCALE
#define TOLVEX_STACK_SCALE 1
#endif
inline constexpr std::size_t kStackReserve = std::size_t{TOLVEX_STACK_SCALE} << 20;
// Stack an outermost evaluation may use in all, reserve included.
inline constexpr std::size_t kStackBudget = std::size_t{16 * TOLVEX_STACK_SCALE} << 20;
#undef TOLVEX_STACK_SCALE

// Marks an evaluation on this thread; the outermost one fixes where the budget is measured from.
class StackScope {
public:
    StackScope();
    ~StackScope();
    StackScope(const StackScope&) = delete;
    StackScope& operator=(const StackScope&) = delete;
};

// True when less than kStackReserve is left of the budget (or of the thread's stack); every
// entry point and every user-function evaluation asks before it goes deeper.
bool StackExhausted();

// The lowest frame address at which StackExhausted() is still false, while an evaluation runs on
// this thread (its limit stays put until the outermost one ends); 0 outside one.
std::uintptr_t StackFloor();

// Bytes left before StackExhausted() would hold, plus the reserve.
std::size_t StackHeadroom();

}  // namespace tolvex

TOLVEX_END_API
