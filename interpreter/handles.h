#pragma once
// Typed handles beside the integer ones: a prepared expression's and a variable's are different
// types, so that one cannot be passed where the other is meant. Each holds the integer the
// interpreter gave out and means what it means; a default-made one is invalid (-1).
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

template <class Tag>
class THandle {
public:
    constexpr THandle() = default;
    constexpr explicit THandle(int value) : value_(value) {}
    constexpr int Value() const { return value_; }
    friend constexpr bool operator==(THandle, THandle) = default;

private:
    int value_ = -1;
};

using TPreparedHandle = THandle<struct TPreparedHandleTag>;
using TVariableHandle = THandle<struct TVariableHandleTag>;

}  // namespace tolvex

TOLVEX_END_API
