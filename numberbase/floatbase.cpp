// Extended-precision numbers with a fraction to and from text in a base.
#include <cmath>
#include <limits>

#include "tolvex/numberbase/checked.h"

namespace tolvex {

long double FloatTolerancy = 1.0e-6L;

namespace {

using numberbase::CheckedMul;
using numberbase::TrimControls;

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

// base^exponent by squaring; every intermediate is itself a power of the base, so the result is
// exact whenever base^exponent fits the 64-bit significand.
long double IntPower(TNumberBase base, std::size_t exponent) {
    long double result = 1.0L;
    long double factor = base;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1) result *= factor;
        if (exponent > 1) factor *= factor;
    }
    return result;
}

// The digits after the point, as a value below 1. Blanks around them are ignored and do not
// count towards the scale. A sign belongs to the whole number, never to the fraction, so a "-"
// here is refused like any other non-digit (after the digits themselves were checked, so the
// rightmost bad character is still the one reported).
long double ReadFraction(std::string_view text, TNumberBase base) {
    const std::string_view digits = TrimControls(text);
    const std::int64_t value = numberbase::ReadInt64(digits, base);
    if (!digits.empty() && digits.front() == '-') (void)CharToDigit('-');  // raises
    return static_cast<long double>(value) / IntPower(base, digits.size());
}

long double FractionalPart(long double x) { return x - std::trunc(x); }

// Truncated fraction digits, without the point. The first test bounds the count by the base
// alone (62 digits in base 2 down to 12 in base 36), whatever FloatTolerancy holds.
std::string FractionDigits(long double fraction, TNumberBase base) {
    const std::int64_t limit = kInt64Max / base;
    std::int64_t multiplier = 1;
    std::string digits;
    while (multiplier < limit &&
           FractionalPart(static_cast<long double>(multiplier) * fraction) > FloatTolerancy) {
        multiplier = CheckedMul(multiplier, base);
        const auto scaled = static_cast<std::int64_t>(static_cast<long double>(multiplier) * fraction);
        digits.push_back(DigitToChar(static_cast<TDigit>(scaled % base)));
    }
    return digits;
}

// Truncating into a 64-bit integer part is an invalid operation for NaN, the infinities and
// magnitudes of 2^63 or more.
void CheckWritable(long double absValue) {
    if (!(absValue < 0x1p63L)) throw EInvalidOp();
}

}  // namespace

long double StringToFloatBase(const std::string& text, TNumberBase base) {
    numberbase::CheckReadBase(base);
    const std::string_view all(text);
    const std::size_t point = all.find('.');
    const std::string_view integerText = all.substr(0, point);
    const auto integerPart = static_cast<long double>(numberbase::ReadInt64(integerText, base));
    if (point == std::string_view::npos) return integerPart;
    const long double fraction = ReadFraction(all.substr(point + 1), base);
    // The sign is read from the text, so "-0.8" and "-.8" are negative although their integer
    // part is 0.
    const bool negative = TrimControls(integerText).starts_with('-');
    return negative ? integerPart - fraction : integerPart + fraction;
}

std::string FloatToStringBase(long double value, TNumberBase base) {
    numberbase::CheckWriteBase(base);
    const long double absValue = std::fabs(value);
    CheckWritable(absValue);
    const long double integerPart = std::trunc(absValue);
    const std::string digits = FractionDigits(absValue - integerPart, base);
    std::string text = Int64ToStringBase(static_cast<std::int64_t>(integerPart), base);
    if (!digits.empty()) text += "." + digits;
    // Negative zero has no sign; a negative value whose digits are all zero keeps it ("-0").
    if (value < 0) text.insert(0, 1, '-');
    return text;
}

std::string ConvertFloatBase(const std::string& text, TNumberBase fromBase, TNumberBase toBase) {
    numberbase::CheckWriteBase(toBase);  // reject before any reading work
    return FloatToStringBase(StringToFloatBase(text, fromBase), toBase);
}

}  // namespace tolvex
