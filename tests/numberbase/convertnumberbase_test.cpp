#include "tolvex/numberbase/convertnumberbase.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <limits>

#include "tolvex/framework/exception.h"

namespace tolvex {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
const std::string kNotDigit = "Exception: CharToDigit() 'Ch' is not valid digit.";
const std::string kOverflow = "EIntOverflow: Integer overflow";
const std::string kRange = "ERangeError: Range check error";
const std::string kInvalidOp = "EInvalidOp: Invalid floating point operation";

std::string TooLarge(char ch, int base) {
    return "Exception: StringToInt64Base() Digit '" + std::string(1, ch) +
           "' is larger then allowed by base " + std::to_string(base) + ".";
}

// The call's result, or "Class: message" of what it raised.
std::string Outcome(const std::function<std::string()>& call) {
    try {
        return call();
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.Message();
    }
}

std::string Shortest(long double v) {
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

TNumberBase B(int base) { return static_cast<TNumberBase>(base); }

// Sets FloatTolerancy for one scope and puts the previous value back.
struct ToleranceGuard {
    explicit ToleranceGuard(long double t) { FloatTolerancy = t; }
    ~ToleranceGuard() { FloatTolerancy = saved; }
    long double saved = FloatTolerancy;
};

TEST(NumberBase, Digits) {
    const std::vector<std::pair<char, std::string>> rows = {
        {'0', "0"}, {'9', "9"}, {'a', "10"}, {'A', "10"}, {'z', "35"}, {'Z', "35"}, {'/', kNotDigit},
        {':', kNotDigit}, {'@', kNotDigit}, {'[', kNotDigit}, {'`', kNotDigit}, {'{', kNotDigit},
        {' ', kNotDigit}, {'-', kNotDigit}, {'.', kNotDigit}, {'\0', kNotDigit}, {'\xE9', kNotDigit}};
    for (const auto& row : rows)
        EXPECT_EQ(Outcome([&] { return std::to_string(CharToDigit(row.first)); }), row.second) << int(row.first);
    for (int d = 0; d <= 35; ++d) EXPECT_EQ(CharToDigit(DigitToChar(B(d))), d) << d;
    EXPECT_EQ(std::string() + DigitToChar(9) + DigitToChar(10) + DigitToChar(35), "9az");
    EXPECT_EQ(Outcome([] { return std::string(1, DigitToChar(36)); }), kRange);
}

TEST(NumberBase, ReadInteger) {
    struct Row { std::string text; int base; std::string expected; };
    const std::vector<Row> rows = {
        {"ff", 16, "255"}, {"  FF ", 16, "255"}, {"\t\nzZ\r", 36, "1295"}, {"", 10, "0"}, {"  ", 10, "0"},
        {"-", 10, "0"}, {" -5 ", 10, "-5"}, {std::string("\0" "7", 2), 10, "7"}, {"000", 1, "0"},
        {"7fffffffffffffff", 16, std::to_string(kMax)}, {"-777777777777777777777", 8, std::to_string(-kMax)},
        {"0000000000000000001", 10, "1"}, {"00000000000000000001", 10, kOverflow},
        {"8000000000000000", 16, kOverflow}, {"-8000000000000000", 16, kOverflow},
        {"1-2", 10, kNotDigit}, {"+5", 10, kNotDigit}, {"--5", 10, kNotDigit}, {"1 2", 10, kNotDigit},
        {"\xA0" "5", 10, kNotDigit}, {"x9-", 8, kNotDigit}, {"19", 8, TooLarge('9', 8)},
        {"9x", 8, TooLarge('x', 8)}, {"F", 8, TooLarge('F', 8)}, {"1", 1, TooLarge('1', 1)},
        {"5", 0, kRange}, {"5", 37, kRange}, {"x", 255, kRange}};
    for (const Row& r : rows)
        EXPECT_EQ(Outcome([&] { return std::to_string(StringToInt64Base(r.text, B(r.base))); }), r.expected)
            << "'" << r.text << "' base " << r.base;
}

TEST(NumberBase, WriteInteger) {
    struct Row { std::int64_t value; int base; std::string expected; };
    const std::vector<Row> rows = {
        {255, 16, "ff"}, {-10, 2, "-1010"}, {0, 36, "0"}, {36, 36, "10"}, {kMax, 36, "1y2p0ij32e8e7"},
        {kMin + 1, 2, "-" + std::string(63, '1')}, {kMin, 10, kOverflow},
        {5, 1, kRange}, {0, 1, kRange}, {5, 0, kRange}, {5, 37, kRange}};
    for (const Row& r : rows)
        EXPECT_EQ(Outcome([&] { return Int64ToStringBase(r.value, B(r.base)); }), r.expected)
            << r.value << " base " << r.base;
    for (int base = 2; base <= 36; ++base)
        for (std::int64_t v : {std::int64_t{0}, std::int64_t{-36}, std::int64_t{1234567890123}, kMax, kMin + 1})
            EXPECT_EQ(StringToInt64Base(Int64ToStringBase(v, B(base)), B(base)), v) << v << " base " << base;
}

// Bases that narrowing to a byte would bring into range (258 into 2, 266 into 10) stay refused.
TEST(NumberBase, WideBasesAreRefusedNotNarrowed) {
    const std::pair<const char*, std::function<std::string()>> calls[] = {
        {"Int64ToStringBase", [] { return Int64ToStringBase(5, 258); }},
        {"StringToInt64Base", [] { return std::to_string(StringToInt64Base("11", 266)); }},
        {"ConvertInt64Base", [] { return ConvertInt64Base("11", 10, 258); }},
        {"FloatToStringBase", [] { return FloatToStringBase(0.5L, 258); }},
        {"StringToFloatBase", [] { return Shortest(StringToFloatBase("1.1", 266)); }},
        {"ConvertFloatBase", [] { return ConvertFloatBase("1.1", 266, 10); }},
        {"negative", [] { return Int64ToStringBase(5, -254); }},
    };
    for (const auto& [name, call] : calls) EXPECT_EQ(Outcome(call), kRange) << name;
}

TEST(NumberBase, ReadFloat) {
    struct Row { std::string text; int base; std::string expected; };
    const std::vector<Row> rows = {
        {"ff", 16, "255"}, {".8", 16, "0.5"}, {"5.", 10, "5"}, {"-0.8", 16, "-0.5"}, {"-.8", 16, "-0.5"},
        {"-1010.01", 2, "-10.25"}, {"2.C", 16, "2.75"}, {"z.i", 36, "35.5"}, {" 1 . 5 ", 10, "1.5"},
        {"1.5\t\n", 10, "1.5"}, {"", 10, "0"}, {"-.", 10, "0"}, {"0.0", 1, "0"},
        {"0.000000000000000001", 10, "1e-18"}, {"1.2.3", 10, kNotDigit}, {"1.-5", 10, kNotDigit},
        {"1.-", 10, kNotDigit}, {"1.a b", 16, kNotDigit}, {"1.-9", 8, TooLarge('9', 8)},
        {"9.1", 8, TooLarge('9', 8)}, {"0.8000000000000000", 16, kOverflow},
        {"0.12345678901234567890", 10, kOverflow}, {"1", 37, kRange}, {"1", 0, kRange}};
    for (const Row& r : rows)
        EXPECT_EQ(Outcome([&] { return Shortest(StringToFloatBase(r.text, B(r.base))); }), r.expected)
            << "'" << r.text << "' base " << r.base;
}

TEST(NumberBase, WriteFloat) {
    struct Row { long double value; int base; std::string expected; };
    const std::vector<Row> rows = {
        {2.75L, 16, "2.c"}, {-10.25L, 2, "-1010.01"}, {255.5L, 16, "ff.8"}, {10.0L, 36, "a"},
        {-0.5L, 16, "-0.8"}, {0.3, 10, "0.299999999999999988"}, {0.1, 10, "0.1"},
        {0.2, 16, "0.33333333333334"}, {-0.0L, 10, "0"}, {-1e-9L, 10, "-0"}, {1.0L / 3, 3, "0.1"},
        {0.5L, 3, "0." + std::string(39, '1')}, {0x1p63L - 1, 16, "7fffffffffffffff"},
        {0x1p63L, 16, kInvalidOp}, {-0x1p63L, 16, kInvalidOp}, {kInf, 10, kInvalidOp},
        {-kInf, 10, kInvalidOp}, {kNaN, 10, kInvalidOp}, {1.5L, 1, kRange}, {0.5L, 37, kRange}};
    for (const Row& r : rows)
        EXPECT_EQ(Outcome([&] { return FloatToStringBase(r.value, B(r.base)); }), r.expected)
            << Shortest(r.value) << " base " << r.base;
    for (int base : {2, 4, 8, 16, 32})
        for (long double v : {-0.25L, 1234.5L, 0x1p-19L, 0x1p62L + 0.5L})
            EXPECT_EQ(StringToFloatBase(FloatToStringBase(v, B(base)), B(base)), v) << base;
}

TEST(NumberBase, FractionDigitsBoundedByBaseAndTolerance) {
    {
        ToleranceGuard never(-1.0L);  // leaves only the bound by the base
        const int digits[37] = {0, 0, 62, 39, 31, 27, 24, 22, 20, 19, 18, 18, 17, 17, 16, 16, 15, 15, 15,
                                14, 14, 14, 14, 13, 13, 13, 13, 13, 13, 12, 12, 12, 12, 12, 12, 12, 12};
        for (int base = 2; base <= 36; ++base)
            EXPECT_EQ(FloatToStringBase(std::sqrt(2.0L) - 1, B(base)).size() - 2, digits[base]) << base;
    }
    ToleranceGuard coarse(0.6L);  // 0.75 passes, the remaining 0.5 does not
    EXPECT_EQ(FloatToStringBase(0.75L, 10), "0.7");
}

TEST(NumberBase, Convert) {
    struct Row { bool viaFloat; std::string text; int from, to; std::string expected; };
    const std::vector<Row> rows = {
        {false, "ff", 16, 2, "11111111"}, {false, "-1010", 2, 10, "-10"}, {false, "19", 8, 10, TooLarge('9', 8)},
        {false, "zz", 10, 1, kRange}, {false, "1", 0, 10, kRange}, {true, "-0.8", 16, 2, "-0.1"},
        {true, "1.1", 2, 10, "1.5"}, {true, "1.2.3", 10, 1, kRange}, {true, "1", 37, 10, kRange}};
    for (const Row& r : rows)
        EXPECT_EQ(Outcome([&] {
                      return r.viaFloat ? ConvertFloatBase(r.text, B(r.from), B(r.to))
                                        : ConvertInt64Base(r.text, B(r.from), B(r.to));
                  }),
                  r.expected)
            << "'" << r.text << "' " << r.from << "->" << r.to;
}

// Huge texts finish in linear time: base 1 reads zeros without growing, other bases overflow.
TEST(NumberBase, LongTextsFinish) {
    const std::string zeros(2'000'000, '0'), blanks(2'000'000, ' ');
    EXPECT_EQ(StringToInt64Base(zeros, 1), 0);
    EXPECT_EQ(StringToFloatBase(blanks + "." + zeros + blanks, 1), 0.0L);
    EXPECT_EQ(Outcome([&] { return Shortest(StringToFloatBase("0." + zeros, 2)); }), kOverflow);
    EXPECT_EQ(Outcome([&] { return Shortest(StringToFloatBase(zeros + ".1", 36)); }), kOverflow);
}

TEST(NumberBase, CharStr) {
    EXPECT_EQ(CharStr('x', 3), "xxx");
    EXPECT_EQ(CharStr('x', 0), "");
    EXPECT_EQ(CharStr('x', -1), "");
}

}  // namespace
}  // namespace tolvex
