#pragma once
// What every entry into an evaluation does first: the stack check, which a host handler calling
// back into the interpreter meets on each re-entry, and out of memory as the system's error.
#include <cstdint>
#include <new>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/framework/stack.h"

namespace tolvex {

// `floor` is the interpreter's copy of StackFloor(), which its user functions compare against.
template <class Body>
auto GuardedEntry(const char* operation, std::uintptr_t& floor, Body&& body) {
    const StackScope stack;
    if (StackExhausted())
        throw Exception(Join("TMathInterpreter.", operation, "() Too deep nesting of evaluations."));
    struct Restore {
        std::uintptr_t& floor;
        std::uintptr_t outer;
        ~Restore() { floor = outer; }
    } restore{floor, floor};
    floor = StackFloor();
    try {
        return body();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
}

}  // namespace tolvex
