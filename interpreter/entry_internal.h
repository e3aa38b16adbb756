#pragma once
// What every entry into an evaluation does first: the stack check, which a host handler calling
// back into the interpreter meets on each re-entry, and out of memory as the system's error.
#include <new>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/framework/stack.h"

namespace tolvex {

template <class Body>
auto GuardedEntry(const char* operation, Body&& body) {
    const StackScope stack;
    if (StackExhausted())
        throw Exception(Join("TMathInterpreter.", operation, "() Too deep nesting of evaluations."));
    try {
        return body();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
}

}  // namespace tolvex
