#pragma once
// Bounds that keep a single expression from exhausting the process.
#include <cstddef>

namespace tolvex {

// The longest string a built-in function builds (16 MiB). A longer result is refused with
// EOutOfResources before anything is allocated.
inline constexpr std::size_t kMaxStringLength = std::size_t{16} * 1024 * 1024;

}  // namespace tolvex
