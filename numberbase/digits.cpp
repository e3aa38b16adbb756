// Single digits and the small string helper.
#include "tolvex/framework/exception.h"
#include "tolvex/numberbase/convertnumberbase.h"

namespace tolvex {

TDigit CharToDigit(char ch) {
    if (ch >= '0' && ch <= '9') return static_cast<TDigit>(ch - '0');
    if (ch >= 'a' && ch <= 'z') return static_cast<TDigit>(ch - 'a' + 10);
    if (ch >= 'A' && ch <= 'Z') return static_cast<TDigit>(ch - 'A' + 10);
    // The message names no character: callers quote it as it stands.
    throw Exception("CharToDigit() 'Ch' is not valid digit.");
}

char DigitToChar(TDigit digit) {
    if (digit <= 9) return static_cast<char>('0' + digit);
    if (digit <= 35) return static_cast<char>('a' + (digit - 10));
    throw ERangeError();
}

std::string CharStr(char ch, int count) {
    return count > 0 ? std::string(static_cast<std::size_t>(count), ch) : std::string();
}

}  // namespace tolvex
