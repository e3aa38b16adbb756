// Signed 64-bit integers to and from text in a base.
#include <algorithm>

#include "tolvex/numberbase/checked.h"

namespace tolvex {
namespace numberbase {

namespace {

[[noreturn]] void DigitTooLarge(char ch, TNumberBase base) {
    throw Exception("StringToInt64Base() Digit '" + std::string(1, ch) +
                    "' is larger then allowed by base " + std::to_string(base) + ".");
}

}  // namespace

// Walks from the last character to the first so that each digit meets its place value directly;
// a bad character therefore reports the rightmost one. The place value grows only when another
// digit follows, so a full-width text such as 7fffffffffffffff (base 16) still fits.
std::int64_t ReadInt64(std::string_view text, TNumberBase base) {
    CheckReadBase(base);
    text = TrimControls(text);
    std::int64_t value = 0;
    std::int64_t place = 1;
    for (std::size_t i = text.size(); i-- > 0;) {
        const char ch = text[i];
        if (ch == '-' && i == 0) return CheckedNeg(value);
        const TDigit digit = CharToDigit(ch);
        if (digit >= base) DigitTooLarge(ch, base);
        if (i + 1 < text.size()) place = CheckedMul(place, base);
        value = CheckedAdd(value, CheckedMul(digit, place));
    }
    return value;
}

}  // namespace numberbase

std::int64_t StringToInt64Base(const std::string& text, TNumberBase base) {
    return numberbase::ReadInt64(text, base);
}

std::string Int64ToStringBase(std::int64_t value, TNumberBase base) {
    numberbase::CheckWriteBase(base);
    const bool negative = value < 0;
    if (negative) value = numberbase::CheckedNeg(value);
    std::string text;  // built from the last digit, reversed at the end
    do {
        text.push_back(DigitToChar(static_cast<TDigit>(value % base)));
        value /= base;
    } while (value != 0);
    if (negative) text.push_back('-');
    std::reverse(text.begin(), text.end());
    return text;
}

std::string ConvertInt64Base(const std::string& text, TNumberBase fromBase, TNumberBase toBase) {
    numberbase::CheckWriteBase(toBase);  // reject before any reading work
    return Int64ToStringBase(StringToInt64Base(text, fromBase), toBase);
}

}  // namespace tolvex
