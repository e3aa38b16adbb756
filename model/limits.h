#pragma once
// Fixed limits that keep any input from exhausting the machine stack.
#include <cstddef>

namespace tolvex {

// Deepest tree that tree assembly accepts (brackets add no depth; operators and calls do).
constexpr int kMaxTreeDepth = 2000;

// Stack that must stay free when a user-function evaluation or a statement begins: room for one
// tree of the deepest kind plus the host's own frames. Sanitizer builds use far bigger frames.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kStackReserve = std::size_t{3} << 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr std::size_t kStackReserve = std::size_t{3} << 20;
#else
constexpr std::size_t kStackReserve = std::size_t{1} << 20;
#endif
#else
constexpr std::size_t kStackReserve = std::size_t{1} << 20;
#endif

}  // namespace tolvex
