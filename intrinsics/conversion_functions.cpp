// Numbers to text and back: decimal integers, the general number format, other bases, and
// angles in degrees, minutes and seconds.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "tolvex/framework/exception.h"
#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/functions.h"
#include "tolvex/numberbase/convertnumberbase.h"

namespace tolvex {

using namespace intrinsic_detail;

namespace {

// Significant digits of the general number format; the 16th and 17th digits of a double are
// mostly binary noise (0.1 + 0.2 shows as 0.3).
constexpr int kGeneralDigits = 15;

// x rounded to 15 significant digits, without trailing zeros: fixed notation for decimal
// exponents -5 to 14, otherwise one digit, the fraction and "E" with the exponent ("1.5E20",
// "-2.5E-7"). Zero, also negative zero, is "0".
std::string GeneralFormat(double x) {
    if (x == 0) return "0";
    char buffer[40];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific,
                                         kGeneralDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));  // d.ddddddddddddddde±xx
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
    if (text[e + 1] == '-') exponent = -exponent;
    std::string digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string out = x < 0 ? "-" : "";
    if (exponent < -5 || exponent >= kGeneralDigits) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        return out + "E" + std::to_string(exponent);
    }
    if (exponent < 0) return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

// A base given to a conversion; the full integer is checked, so 272 is not taken as 16.
TNumberBase CheckedBase(std::int32_t base) {
    if (base < 1 || base > 36) throw ERangeError();
    return static_cast<TNumberBase>(base);
}

// Degrees, minutes and seconds of an angle, each truncated towards zero and carrying the sign.
// The total of seconds is formed exactly (53 + 12 bits fit the extended significand). A total
// just below a whole second, by no more than the angle's own representation error, counts as
// that second: 10.01 is stored a little below 10.01, yet it is 10°0'36", not 10°0'35".
std::string DegreesText(double angle) {
    constexpr long double kWholeFrom = 4503599627370496.0L;  // 2^52: every double from here is whole
    constexpr long double kTooLarge = 9223372036854775808.0L;  // 2^63
    const long double a = std::fabs(static_cast<long double>(angle));
    if (a >= kTooLarge) throw ERangeError();
    std::uint64_t degrees = static_cast<std::uint64_t>(a), minutes = 0, seconds = 0;
    if (a < kWholeFrom) {
        long double total = a * 3600;
        const long double nearest = std::ceil(total);
        const double ulp = std::nextafter(std::fabs(angle), HUGE_VAL) - std::fabs(angle);
        if (nearest - total <= 3600.0L * ulp) total = nearest;
        const auto whole = static_cast<std::uint64_t>(total);
        degrees = whole / 3600;
        minutes = whole / 60 % 60;
        seconds = whole % 60;
    }
    const auto part = [negative = angle < 0](std::uint64_t value) {
        return (negative && value != 0 ? "-" : "") + std::to_string(value);
    };
    return part(degrees) + "\xB0" + part(minutes) + "'" + part(seconds) + "\"";
}

}  // namespace

Variant EvalIntToStr(const TMIntrinsicFunctionCall& c) { return Variant(std::to_string(IntOperand(c, 0))); }

Variant EvalStrToInt(const TMIntrinsicFunctionCall& c) {
    const std::string text = TextOperand(c, 0);
    std::int32_t value = 0;
    if (!TextToInt(text, value)) throw EConvertError("'" + text + "' is not a valid integer value");
    return Variant(value);
}

Variant EvalFloatToStr(const TMIntrinsicFunctionCall& c) { return Variant(GeneralFormat(RealOperand(c, 0))); }

Variant EvalStrToFloat(const TMIntrinsicFunctionCall& c) {
    const std::string text = TextOperand(c, 0);
    double value = 0;
    if (!TextToFloat(text, value)) throw EConvertError("'" + text + "' is not a valid floating point value");
    return RealResult(value);
}

Variant EvalToBase(const TMIntrinsicFunctionCall& c) {
    const long double value = RealOperand(c, 0);
    return Variant(FloatToStringBase(value, CheckedBase(IntOperand(c, 1))));
}

// FromBase(s, base), the base evaluated first.
Variant EvalFromBase(const TMIntrinsicFunctionCall& c) {
    const TNumberBase base = CheckedBase(IntOperand(c, 1));
    return RealResult(StringToFloatBase(TextOperand(c, 0), base));
}

// Even an integer text goes through the floating-point conversion; the target base is checked first.
Variant EvalConvertBase(const TMIntrinsicFunctionCall& c) {
    const std::string text = TextOperand(c, 0);
    const std::int32_t from = IntOperand(c, 1);
    const TNumberBase to = CheckedBase(IntOperand(c, 2));
    return Variant(ConvertFloatBase(text, CheckedBase(from), to));
}

Variant EvalDegToStr(const TMIntrinsicFunctionCall& c) { return Variant(DegreesText(RealOperand(c, 0))); }

// d + m/60 + s/3600 with the value's own arithmetic; the divisions always give a double.
Variant EvalEncodeDeg(const TMIntrinsicFunctionCall& c) {
    Variant total = c.GetOperandValues(0);
    total = VarAdd(total, VarRDiv(c.GetOperandValues(1), Variant(std::int32_t{60})));
    return VarAdd(total, VarRDiv(c.GetOperandValues(2), Variant(std::int32_t{3600})));
}

}  // namespace tolvex
