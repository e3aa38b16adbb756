// Number text and the checks that keep a value's numbers finite and in range. Only
// std::from_chars / std::to_chars touch number text, so "." is the decimal point in every locale.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "tolvex/framework/exception.h"
#include "tolvex/value/variant.h"

namespace tolvex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i;
}

// Where the pieces of a number text lie: [intBegin, intEnd) digits, an optional fraction
// [fracBegin, fracEnd) and an optional exponent [expBegin, end) with its sign.
struct NumberParts {
    std::size_t intBegin = 0, intEnd = 0, fracBegin = 0, fracEnd = 0, expBegin = 0, expEnd = 0;
};

// Recognises the scanner's number forms behind an optional sign; false for anything else.
bool SplitNumber(std::string_view t, NumberParts& p) {
    std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    p.intBegin = i;
    p.intEnd = i = SkipDigits(t, i);
    if (p.intEnd == p.intBegin) return false;
    p.fracBegin = p.fracEnd = i;
    if (i < t.size() && t[i] == '.') {
        p.fracBegin = i + 1;
        p.fracEnd = i = SkipDigits(t, i + 1);
    }
    p.expBegin = p.expEnd = i;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        p.expBegin = ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        p.expEnd = SkipDigits(t, i);
        if (p.expEnd == i) return false;
        i = p.expEnd;
    }
    return i == t.size();
}

// The decimal exponent of the leading non-zero digit (saturated); tells an overflowing text
// from one too small for the smallest denormal when the conversion reports out of range.
std::int64_t LeadingExponent(std::string_view t, const NumberParts& p) {
    constexpr std::int64_t kCap = 1'000'000'000;
    std::int64_t exponent = 0;
    for (std::size_t i = p.expBegin; i < p.expEnd; ++i) {
        if (IsDigit(t[i]) && exponent < kCap) exponent = exponent * 10 + (t[i] - '0');
    }
    if (p.expEnd > p.expBegin && t[p.expBegin] == '-') exponent = -exponent;
    std::int64_t lead = 0;
    std::size_t i = p.intBegin;
    while (i < p.intEnd && t[i] == '0') ++i;
    if (i < p.intEnd) {
        lead = std::min<std::int64_t>(static_cast<std::int64_t>(p.intEnd - i) - 1, kCap);
    } else {
        std::size_t j = p.fracBegin;
        while (j < p.fracEnd && t[j] == '0') ++j;
        lead = -std::min<std::int64_t>(static_cast<std::int64_t>(j - p.fracBegin) + 1, kCap);
    }
    return lead + exponent;
}

}  // namespace

std::string FloatToText(double v) {
    CheckFinite(v);
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    std::string text(buffer, ec == std::errc{} ? end : buffer);
    // A whole number must still read back as a double, not as an integer.
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

bool TextToFloat(std::string_view text, double& out) {
    const std::string_view t = TrimBlanks(text);
    NumberParts parts;
    if (!SplitNumber(t, parts)) return false;
    const char* first = t.data() + parts.intBegin;
    const char* last = t.data() + t.size();
    double value = 0.0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Too large is an error; too small is the nearest double, zero.
        if (LeadingExponent(t, parts) > 0) return false;
        value = 0.0;
    } else if (ec != std::errc{} || end != last) {
        return false;
    }
    out = t[0] == '-' ? -value : value;
    return true;
}

bool TextToInt(std::string_view text, std::int32_t& out) {
    const std::string_view t = TrimBlanks(text);
    const bool negative = !t.empty() && t[0] == '-';
    const std::size_t start = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    if (start >= t.size() || !IsDigit(t[start])) return false;
    std::int64_t magnitude = 0;
    auto [end, ec] = std::from_chars(t.data() + start, t.data() + t.size(), magnitude);
    if (ec != std::errc{} || end != t.data() + t.size()) return false;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    out = static_cast<std::int32_t>(value);
    return true;
}

double CheckFinite(double v) {
    if (std::isnan(v)) throw EInvalidOp();
    if (std::isinf(v)) throw EOverflow();
    return v;
}

std::int32_t RoundToInt32(double v) {
    const double whole = std::trunc(v);
    const double fraction = v - whole;  // exact: a multiple of v's last place, below 1
    const double away = v < 0 ? whole - 1.0 : whole + 1.0;
    double rounded = whole;
    if (std::fabs(fraction) > 0.5 || (std::fabs(fraction) == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        rounded = away;
    }
    // Written so that NaN fails the test as well.
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw ERangeError();
    return static_cast<std::int32_t>(rounded);
}

}  // namespace tolvex
