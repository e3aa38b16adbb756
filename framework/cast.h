#pragma once
// The checked cast between framework classes: the object as a T, or EInvalidCast.
#include "tolvex/framework/exception.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Null stays null; an object that is not a T raises EInvalidCast "Invalid class typecast".
template <class T, class From>
T* CheckedCast(From* object) {
    if (!object) return nullptr;
    T* typed = dynamic_cast<T*>(object);
    if (!typed) throw EInvalidCast();
    return typed;
}

}  // namespace tolvex

TOLVEX_END_API
