#pragma once
// What the scanner knows about words and numbers, for the checks of names the host defines and
// for the one-shot compiler, which reads numbers as the scanner does.
#include <cstddef>
#include <string_view>

namespace tolvex {

// True for a keyword of the language in any letter case ("div", "delete", "true", …).
bool IsKeyword(std::string_view word);

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The end of the decimal number literal that starts at `pos`: digits, an optional fraction and an
// optional exponent; `real` tells whether it has either of those.
std::size_t NumberLiteralEnd(std::string_view text, std::size_t pos, bool& real);

}  // namespace tolvex
