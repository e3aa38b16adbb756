#pragma once
// Bounds that keep a single expression from exhausting the process.
#include <cstddef>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// The longest string a built-in function, a concatenation or a string literal makes (16 MiB). A
// longer result is refused with EOutOfResources before anything is allocated.
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr std::size_t kMaxStringLength = std::size_t{16} * 1024 * 1024;
#else
// Fuzz builds keep values small: a text of a few kilobytes can hold thousands of values at once,
// which must fit the fuzzer's memory and time limits. The checks are the same.
inline constexpr std::size_t kMaxStringLength = 4096;
#endif

}  // namespace tolvex

TOLVEX_END_API
