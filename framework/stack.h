#pragma once
// How much of the calling thread's machine stack is still free, so that deep recursion can stop
// with an error of the system's type before the stack runs out.
#include <cstddef>

namespace tolvex {

// Bytes between the current frame and the end of this thread's stack; a large number when the
// platform does not tell.
std::size_t StackHeadroom();

}  // namespace tolvex
