#pragma once
// Number base conversion: signed 64-bit integers and extended-precision numbers to and from their
// text in bases 2 to 36 (base 1 is accepted for reading, where its only digit is 0).
//
// Text form: digits 0-9 then letters (read in either case, written lower case), a leading "-" for
// negative numbers, a "." between integer and fraction digits; no plus sign, prefix, grouping or
// exponent. Every routine is a pure function apart from reading FloatTolerancy; failures raise:
//   Exception     - a character that is no digit, or a digit not below the base;
//   EIntOverflow  - a value, or the place value of a digit, beyond the signed 64-bit range;
//   ERangeError   - a base outside 2..36 where text is written, outside 1..36 where it is read,
//                   or a digit value above 35;
//   EInvalidOp    - a value to write that is not finite or whose integer part exceeds 64 bits.
#include <cstdint>
#include <string>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// 1..36; the writers require 2..36. Wide enough to hold any base a caller passes, so that a base
// out of range is refused (ERangeError) instead of being narrowed into range.
using TNumberBase = int;
using TDigit = std::uint8_t;       // 0..35, the value of one digit

// Stop tolerance of the fraction digit loop of FloatToStringBase, read afresh for every digit.
// Nothing in the library writes it; a host that tunes it should do so before conversions run on
// other threads. The number of fraction digits stays bounded whatever its value.
extern long double FloatTolerancy;  // initially 1e-6

// '0'..'9' give 0..9, 'a'..'z' and 'A'..'Z' give 10..35; anything else raises.
TDigit CharToDigit(char ch);
// 0..9 give '0'..'9', 10..35 give 'a'..'z'.
char DigitToChar(TDigit digit);

// Reads a signed integer; blanks and control characters around the text are ignored, and an
// empty text (or "-" alone) is 0.
std::int64_t StringToInt64Base(const std::string& text, TNumberBase base);
// Writes a signed integer; the most negative 64-bit value cannot be written (EIntOverflow).
std::string Int64ToStringBase(std::int64_t value, TNumberBase base);
// StringToInt64Base in fromBase followed by Int64ToStringBase in toBase.
std::string ConvertInt64Base(const std::string& text, TNumberBase fromBase, TNumberBase toBase);

// Reads a number with an optional fraction: "[-]digits[.digits]", either side may be empty. The
// fraction digits are read as one 64-bit integer, so they share the integer limits.
long double StringToFloatBase(const std::string& text, TNumberBase base);
// Writes a number; fraction digits are truncated, never rounded, and stop once the remaining
// fraction is within FloatTolerancy or the next digit would leave 64-bit precision.
std::string FloatToStringBase(long double value, TNumberBase base);
// StringToFloatBase in fromBase followed by FloatToStringBase in toBase.
std::string ConvertFloatBase(const std::string& text, TNumberBase fromBase, TNumberBase toBase);

// The character repeated count times; empty when count is 0 or less.
std::string CharStr(char ch, int count);

}  // namespace tolvex

TOLVEX_END_API
