#pragma once
// Fixed limits that keep any input from exhausting the machine stack (the stack budget itself
// lives in framework/stack.h).

namespace tolvex {

// Deepest tree that tree assembly accepts (brackets add no depth; operators and calls do).
constexpr int kMaxTreeDepth = 2000;

}  // namespace tolvex
