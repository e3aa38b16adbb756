#pragma once
// Helpers shared by the conversions of this folder only: base range checks, overflow-checked
// 64-bit arithmetic and trimming. Not part of the public interface.
#include <cstdint>
#include <string_view>

#include "tolvex/framework/exception.h"
#include "tolvex/numberbase/convertnumberbase.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex::numberbase {

inline constexpr TNumberBase kMaxBase = 36;

// Reading admits base 1 (only the digit 0 fits); 0 and anything above 36 are out of range.
inline void CheckReadBase(TNumberBase base) {
    if (base < 1 || base > kMaxBase) throw ERangeError();
}

// Writing in base 1 would never finish a digit loop, so it starts at 2.
inline void CheckWriteBase(TNumberBase base) {
    if (base < 2 || base > kMaxBase) throw ERangeError();
}

inline std::int64_t CheckedMul(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_mul_overflow(a, b, &r)) throw EIntOverflow();
    return r;
}

inline std::int64_t CheckedAdd(std::int64_t a, std::int64_t b) {
    std::int64_t r;
    if (__builtin_add_overflow(a, b, &r)) throw EIntOverflow();
    return r;
}

inline std::int64_t CheckedNeg(std::int64_t a) {
    std::int64_t r;
    if (__builtin_sub_overflow(std::int64_t{0}, a, &r)) throw EIntOverflow();
    return r;
}

// Removes characters of code 32 or less from both ends; codes above 127 are kept.
inline std::string_view TrimControls(std::string_view text) {
    auto blank = [](char ch) { return static_cast<unsigned char>(ch) <= 32; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// StringToInt64Base on a view, so the float reader can split its text without copies.
std::int64_t ReadInt64(std::string_view text, TNumberBase base);

}  // namespace tolvex::numberbase

TOLVEX_END_API
