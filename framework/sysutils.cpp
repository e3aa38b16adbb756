#include "tolvex/framework/sysutils.h"

#include <charconv>

#include "tolvex/framework/exception.h"

namespace tolvex {

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string Trim(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::int32_t StrToInt(std::string_view text) {
    std::string_view t = text;
    while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
    // from_chars takes a minus sign but no plus sign; a sign must be followed by a digit.
    if (!t.empty() && t.front() == '+' && t.size() > 1 && t[1] != '-') t.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc{} || end != t.data() + t.size())
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

}  // namespace tolvex
