#pragma once
// What the scanner knows about words, for the checks of names the host defines.
#include <string_view>

namespace tolvex {

// True for a keyword of the language in any letter case ("div", "delete", "true", …).
bool IsKeyword(std::string_view word);

}  // namespace tolvex
