#pragma once
// The REPL's front ends: line editing, history and completion through libedit on a terminal, a
// plain line loop otherwise.
#include "tools/tolvex/repl.h"

namespace tolvex::tool {

// Reads lines until :quit or the end of input. On a terminal: the prompt, line editing, Tab
// completion, errors in colour (unless NO_COLOR is set) and the history in ~/.tolvex_history.
// Otherwise each line is handled as it comes, without prompt or colour.
void RunInteractive(Repl& repl);

}  // namespace tolvex::tool
