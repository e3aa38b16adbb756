#pragma once
// Text and number routines of the platform's run-time library that windows and editors use.
#include <cstdint>
#include <string>
#include <string_view>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// The text without blanks and control characters (codes 0 to 32) at either end.
std::string Trim(std::string_view text);
// The text with "a".."z" made upper case and every other byte left as it is.
std::string UpperCase(std::string_view text);
// A decimal 32-bit integer, optionally signed and surrounded by blanks. Anything else, also a
// number outside the 32-bit range, raises EConvertError "'abc' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

}  // namespace tolvex

TOLVEX_END_API
