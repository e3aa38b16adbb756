// Functions on 8-bit strings. Positions are 1-based. Out-of-range positions never fail: Copy
// starts at the first character for an index below 1, Insert puts the text in front or at the
// end, DeleteSubstr removes nothing; past the end, Copy gives the empty text.
#include <string.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/functions.h"

namespace tolvex {

using namespace intrinsic_detail;

namespace {

// The characters Trim removes: blanks and control characters, codes 0 to 32.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string TrimmedLeft(std::string s) {
    s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), IsTrimmed));
    return s;
}

std::string TrimmedRight(std::string s) {
    s.erase(std::find_if_not(s.rbegin(), s.rend(), IsTrimmed).base(), s.end());
    return s;
}

// Only the letters A to Z and a to z change case; other bytes stay as they are.
std::string WithCase(std::string s, char from, char to) {
    for (char& c : s)
        if (c >= from && c <= static_cast<char>(from + 25)) c = static_cast<char>(c - from + to);
    return s;
}

}  // namespace

Variant EvalLength(const TMIntrinsicFunctionCall& c) {
    return IntegerResult(static_cast<long double>(TextOperand(c, 0).size()));
}

Variant EvalCopy(const TMIntrinsicFunctionCall& c) {
    const std::string s = TextOperand(c, 0);
    const std::int32_t index = IntOperand(c, 1);
    const std::int32_t count = IntOperand(c, 2);
    const std::size_t start = static_cast<std::size_t>(std::max(index, 1)) - 1;
    if (count <= 0 || start >= s.size()) return Variant(std::string());
    return Variant(s.substr(start, static_cast<std::size_t>(count)));
}

Variant EvalDeleteSubstr(const TMIntrinsicFunctionCall& c) {
    std::string s = TextOperand(c, 0);
    const std::int32_t index = IntOperand(c, 1);
    const std::int32_t count = IntOperand(c, 2);
    if (index >= 1 && count > 0 && static_cast<std::size_t>(index) <= s.size())
        s.erase(static_cast<std::size_t>(index) - 1, static_cast<std::size_t>(count));
    return Variant(std::move(s));
}

// Insert(source, s, index): s with source placed so that it starts at index.
Variant EvalInsert(const TMIntrinsicFunctionCall& c) {
    const std::string source = TextOperand(c, 0);
    std::string s = TextOperand(c, 1);
    const std::int32_t index = IntOperand(c, 2);
    CheckStringLength(c, std::uint64_t{source.size()} + s.size());
    const std::size_t at = std::min(static_cast<std::size_t>(std::max(index, 1)) - 1, s.size());
    s.insert(at, source);
    return Variant(std::move(s));
}

// Pos(substring, s), s evaluated first; an empty substring is found nowhere. The C library's
// memmem searches in time linear in the lengths; comparing the substring anew at every position
// made Pos(a + 'b', a + a) with a of 8 MiB take hours.
Variant EvalPos(const TMIntrinsicFunctionCall& c) {
    const std::string s = TextOperand(c, 1);
    const std::string substring = TextOperand(c, 0);
    if (substring.empty()) return Variant(std::int32_t{0});
    const void* found = ::memmem(s.data(), s.size(), substring.data(), substring.size());
    if (!found) return Variant(std::int32_t{0});
    return IntegerResult(static_cast<long double>(static_cast<const char*>(found) - s.data()) + 1);
}

Variant EvalStringOfChar(const TMIntrinsicFunctionCall& c) {
    const std::string character = VarToStr(c.GetOperandValues(0));
    if (character.size() != 1)
        throw Exception(Join("TMStringOfChar.GetValue() Invalid length of the first operand on position: ",
                             c.GetOperandExpressions(0)->ParsePosition, "."));
    const std::int32_t count = IntOperand(c, 1);
    if (count <= 0) return Variant(std::string());
    CheckStringLength(c, static_cast<std::uint64_t>(count));
    return Variant(std::string(static_cast<std::size_t>(count), character[0]));
}

Variant EvalLowerCase(const TMIntrinsicFunctionCall& c) {
    return UnaryText(c, [](std::string s) { return WithCase(std::move(s), 'A', 'a'); });
}
Variant EvalUpperCase(const TMIntrinsicFunctionCall& c) {
    return UnaryText(c, [](std::string s) { return WithCase(std::move(s), 'a', 'A'); });
}

Variant EvalTrim(const TMIntrinsicFunctionCall& c) {
    return UnaryText(c, [](std::string s) { return TrimmedLeft(TrimmedRight(std::move(s))); });
}
Variant EvalTrimLeft(const TMIntrinsicFunctionCall& c) { return UnaryText(c, TrimmedLeft); }
Variant EvalTrimRight(const TMIntrinsicFunctionCall& c) { return UnaryText(c, TrimmedRight); }

// s between single quotes, each quote inside doubled: the literal that reads back as s.
Variant EvalQuotedStr(const TMIntrinsicFunctionCall& c) {
    const std::string s = TextOperand(c, 0);
    CheckStringLength(c, 2 + s.size() + static_cast<std::uint64_t>(std::count(s.begin(), s.end(), '\'')));
    std::string quoted = "'";
    for (char ch : s) {
        if (ch == '\'') quoted += '\'';
        quoted += ch;
    }
    quoted += '\'';
    return Variant(std::move(quoted));
}

}  // namespace tolvex
