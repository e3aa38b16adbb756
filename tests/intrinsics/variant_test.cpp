#include "tolvex/value/variant.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tolvex/framework/exception.h"

namespace tolvex {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
const Variant E;
const Variant N = Variant::MakeNull();

// An expected failure, written "ClassName: message".
struct Failure {
    const char* text;
};
constexpr Failure kInvalid{"EVariantError: Invalid variant operation"};
constexpr Failure kNotNumber{"EVariantError: Could not convert variant of type (String) into type (Double)"};
constexpr Failure kRange{"ERangeError: Range check error"};
constexpr Failure kDivByZero{"EDivByZero: Division by zero"};
constexpr Failure kZeroDivide{"EZeroDivide: Floating point division by zero"};
constexpr Failure kInvalidFloat{"EInvalidOp: Invalid floating point operation"};
constexpr Failure kOverflow{"EOverflow: Floating point overflow"};
constexpr Failure kBounds{"EVariantError: Variant or safe array index out of bounds"};
constexpr Failure kNotArray{"EVariantError: Variant is not an array"};

struct Outcome {
    Outcome(Variant v) : value(std::move(v)) {}
    Outcome(std::int32_t v) : value(v) {}
    Outcome(double v) : value(v) {}
    Outcome(bool v) : value(v) {}
    Outcome(const char* v) : value(v) {}
    Outcome(Failure f) : error(f.text) {}
    Variant value;
    std::string error;  // empty when a value is expected
};

Variant Arr(std::vector<Variant> items) {
    Variant a = Variant::MakeArray(items.size());
    a.Elements() = std::move(items);
    return a;
}

std::string Describe(const Variant& v) {
    switch (v.Kind()) {
        case VarKind::Empty: return "Empty";
        case VarKind::Null: return "Null";
        case VarKind::String: return "'" + v.Str() + "'";
        case VarKind::Double: return std::isfinite(v.Dbl()) ? FloatToText(v.Dbl()) : std::to_string(v.Dbl());
        default: return VarToStr(v);
    }
}

// Same kind and value; doubles bit for bit, so -0.0 differs from 0.0.
bool Same(const Variant& a, const Variant& b) {
    if (a.Kind() != VarKind::Double || b.Kind() != VarKind::Double) return a == b;
    return std::bit_cast<std::uint64_t>(a.Dbl()) == std::bit_cast<std::uint64_t>(b.Dbl());
}

void Expect(const std::string& row, const Outcome& want, const std::function<Variant()>& run) {
    std::string got;
    try {
        const Variant r = run();
        if (want.error.empty() && Same(r, want.value)) return;
        got = Describe(r);
    } catch (const Exception& e) {
        got = std::string(e.ClassName()) + ": " + e.Message();
        if (got == want.error) return;
    } catch (const std::exception& e) {
        got = std::string("foreign exception: ") + e.what();
    }
    ADD_FAILURE() << row << ": expected " << (want.error.empty() ? Describe(want.value) : want.error) << ", got "
                  << got;
}

struct BinaryOp {
    const char* name;
    std::function<Variant(const Variant&, const Variant&)> fn;
};
const BinaryOp Add{"VarAdd", VarAdd}, Sub{"VarSub", VarSub}, Mul{"VarMul", VarMul}, RDiv{"VarRDiv", VarRDiv},
    Div{"VarDiv", VarDiv}, Mod{"VarMod", VarMod}, And{"VarAnd", VarAnd}, Or{"VarOr", VarOr}, Xor{"VarXor", VarXor},
    Shl{"VarShl", VarShl}, Shr{"VarShr", VarShr};
const BinaryOp Cmp{"VarCmp", [](const Variant& a, const Variant& b) {
                       const char* names[] = {"Less", "Equal", "Greater"};
                       return Variant(names[static_cast<int>(VarCmp(a, b))]);
                   }};

struct BinaryCase {
    const BinaryOp& op;
    Variant a, b;
    Outcome want;
};

void RunBinary(const std::vector<BinaryCase>& cases) {
    for (const auto& c : cases) {
        Expect(std::string(c.op.name) + "(" + Describe(c.a) + ", " + Describe(c.b) + ")", c.want,
               [&] { return c.op.fn(c.a, c.b); });
    }
}

struct UnaryOp {
    const char* name;
    std::function<Variant(const Variant&)> fn;
};
const Variant kRejected = Variant::MakeNull();  // what the text readers below give for a text they refuse
const UnaryOp Neg{"VarNeg", VarNeg}, Not{"VarNot", VarNot},
    ToInt{"VarToInt", [](const Variant& v) { return Variant(VarToInt(v)); }},
    ToReal{"VarToReal", [](const Variant& v) { return Variant(VarToReal(v)); }},
    ToBool{"VarToBool", [](const Variant& v) { return Variant(VarToBool(v)); }},
    ToLStr{"VarToLStr", [](const Variant& v) { return Variant(VarToLStr(v)); }},
    ToStr{"VarToStr", [](const Variant& v) { return Variant(VarToStr(v)); }},
    FromReal{"VarFromReal", [](const Variant& v) { return VarFromReal(v.Dbl()); }},
    Finite{"CheckFinite", [](const Variant& v) { return Variant(CheckFinite(v.Dbl())); }},
    Text{"FloatToText", [](const Variant& v) { return Variant(FloatToText(v.Dbl())); }},
    Round{"RoundToInt32", [](const Variant& v) { return Variant(RoundToInt32(v.Dbl())); }},
    ReadFloat{"TextToFloat", [](const Variant& v) {
                  double d = 0.0;
                  return TextToFloat(v.Str(), d) ? Variant(d) : kRejected;
              }},
    ReadInt{"TextToInt", [](const Variant& v) {
                std::int32_t i = 0;
                return TextToInt(v.Str(), i) ? Variant(i) : kRejected;
            }};

struct UnaryCase {
    const UnaryOp& op;
    Variant a;
    Outcome want;
};

void RunUnary(const std::vector<UnaryCase>& cases) {
    for (const auto& c : cases) {
        Expect(std::string(c.op.name) + "(" + Describe(c.a) + ")", c.want, [&] { return c.op.fn(c.a); });
    }
}

TEST(VariantTest, Arithmetic) {
    const Variant arr = Arr({1});
    RunBinary({
        {Add, 1, 2, 3}, {Add, kMax, 1, 2147483648.0}, {Sub, kMin, 1, -2147483649.0}, {Sub, 1, kMin, 2147483649.0},
        {Mul, 65536, 65536, 4294967296.0}, {Mul, kMax, kMax, 4611686014132420609.0}, {Mul, -3, 4, -12},
        {Add, 1.5, 2, 3.5}, {Mul, 0.0, -1, -0.0}, {Add, 1e308, 1e308, kOverflow}, {Sub, -1e308, 1e308, kOverflow},
        {Mul, 1e200, 1e200, kOverflow}, {Mul, 1e-200, 1e-200, 0.0},
        {RDiv, 7, 2, 3.5}, {RDiv, 6, 3, 2.0}, {RDiv, 1, 0, kZeroDivide}, {RDiv, -1.5, 0.0, kZeroDivide},
        {RDiv, 0, 0, kInvalidFloat}, {RDiv, 0.0, -0.0, kInvalidFloat}, {RDiv, 1e308, 1e-308, kOverflow},
        {Div, 7, 2, 3}, {Div, -7, 2, -3}, {Div, 7, -2, -3}, {Div, kMin, -1, 2147483648.0}, {Div, 1, 0, kDivByZero},
        {Div, 7.5, 2, 4}, {Div, 6.5, 1, 6}, {Div, 1, 0.4, kDivByZero}, {Div, 3e9, 1, kRange}, {Div, "7", "2", 3},
        {Mod, 7, 2, 1}, {Mod, -7, 2, -1}, {Mod, 7, -2, 1}, {Mod, kMin, -1, 0}, {Mod, 5, 0, kDivByZero},
        {Mod, 5, 2.5, 1}, {Mod, 1, -3e9, kRange},
        // booleans count as 1 and 0
        {Add, true, true, 2}, {Mul, true, 5, 5}, {Sub, false, 1, -1}, {RDiv, true, 4, 0.25},
        // text: + joins two texts, otherwise a numeric text takes part as its number
        {Add, "a", "b", "ab"}, {Add, "1", "2", "12"}, {Mul, "2", "3", 6}, {Sub, "2", "3", -1}, {Add, " 4 ", 1, 5},
        {Mul, "2.5", 2, 5.0}, {Add, true, "1", 2}, {Add, "abc", 1, kNotNumber}, {Mul, "x", "y", kNotNumber},
        {RDiv, 1, "1e400", kNotNumber}, {Div, "abc", 1, kNotNumber},
        // empty is 0, or the empty text beside a text
        {Add, E, 1, 1}, {Add, E, E, 0}, {Add, E, "a", "a"}, {Add, "a", E, "a"}, {Mul, E, "3", 0}, {Sub, E, 2.5, -2.5},
        {Div, E, E, kDivByZero},
        // null and arrays take part in no arithmetic
        {Add, N, 1, kInvalid}, {Mul, 1, N, kInvalid}, {RDiv, N, 1, kInvalid}, {Div, N, 1, kInvalid},
        {Mod, 1, N, kInvalid}, {Add, "abc", N, kInvalid}, {Add, arr, 1, kInvalid}, {Sub, 1, arr, kInvalid},
        {Add, arr, "a", kInvalid},
    });
}

TEST(VariantTest, LogicAndShifts) {
    RunBinary({
        {And, 6, 3, 2}, {Or, 6, 3, 7}, {Xor, 6, 3, 5}, {And, -1, 15, 15}, {And, true, false, false},
        {Or, true, false, true}, {Xor, true, false, true}, {Xor, true, true, false},
        {And, true, 3, 1}, {Or, false, 4, 4}, {And, 2.5, 7, 2}, {And, 3.5, 7, 4}, {And, 3e9, 1, kRange},
        {And, "12", 10, 8}, {Or, "abc", 1, kNotNumber}, {Or, E, 5, 5}, {And, N, true, kInvalid},
        {Or, Arr({}), 1, kInvalid},
        {Shl, 1, 2, 4}, {Shl, 1, 31, kMin}, {Shl, 3, 31, kMin}, {Shl, kMin, 1, 0}, {Shl, 1, 32, 0},
        {Shl, 1, kMax, 0}, {Shl, 1, -1, kRange}, {Shr, -1, 28, 15}, {Shr, -8, 1, 2147483644}, {Shr, 8, 40, 0},
        {Shr, 8, -3, kRange}, {Shl, 2.5, 1, 4}, {Shl, 1, 2.5, 4}, {Shl, 1, 3e9, kRange}, {Shr, 4294967296.0, 1, kRange},
        {Shl, true, 3, 8}, {Shl, "2", "3", 16}, {Shr, N, 1, kInvalid},
    });
}

TEST(VariantTest, Comparison) {
    RunBinary({
        {Cmp, 1, 2, "Less"}, {Cmp, 2, 2, "Equal"}, {Cmp, 3, 2, "Greater"}, {Cmp, 1, 1.0, "Equal"},
        {Cmp, kMax, 2147483647.5, "Less"}, {Cmp, 16777217, 16777216.0, "Greater"}, {Cmp, -0.0, 0.0, "Equal"},
        {Cmp, kMin, -2147483648.0, "Equal"}, {Cmp, true, false, "Greater"}, {Cmp, true, 1, "Equal"},
        {Cmp, "abc", "abd", "Less"}, {Cmp, "abc", "ab", "Greater"}, {Cmp, "\xff", "a", "Greater"},
        {Cmp, "B", "a", "Less"}, {Cmp, "10", "9", "Less"}, {Cmp, "10", 9, "Greater"}, {Cmp, "1.5", 1.5, "Equal"},
        {Cmp, "abc", 1, kNotNumber}, {Cmp, N, E, "Equal"}, {Cmp, N, N, "Equal"}, {Cmp, E, -1e300, "Less"},
        {Cmp, 0, N, "Greater"}, {Cmp, N, "", "Less"}, {Cmp, N, Arr({}), "Less"}, {Cmp, Arr({}), 1, kInvalid},
        {Cmp, Arr({1}), Arr({1}), kInvalid},
    });
}

TEST(VariantTest, UnaryOperations) {
    RunUnary({
        {Neg, 5, -5}, {Neg, kMin, 2147483648.0}, {Neg, kMax, -kMax}, {Neg, 2.5, -2.5}, {Neg, 0.0, -0.0},
        {Neg, true, -1}, {Neg, E, 0}, {Neg, "3", -3}, {Neg, "abc", kNotNumber}, {Neg, N, kInvalid},
        {Neg, Arr({}), kInvalid},
        {Not, true, false}, {Not, 0, -1}, {Not, 5, -6}, {Not, 2.5, -3}, {Not, E, -1}, {Not, 3e9, kRange},
        {Not, N, kInvalid},
    });
}

TEST(VariantTest, Conversions) {
    RunUnary({
        {ToInt, 7, 7}, {ToInt, 2.5, 2}, {ToInt, 3.5, 4}, {ToInt, -2.5, -2}, {ToInt, -3.5, -4}, {ToInt, 2.4999, 2},
        {ToInt, 2147483647.4, kMax}, {ToInt, 2147483647.5, kRange}, {ToInt, -2147483648.5, kMin},
        {ToInt, -2147483648.6, kRange}, {ToInt, 1e300, kRange}, {ToInt, true, 1}, {ToInt, E, 0},
        {ToInt, "42", 42}, {ToInt, " -7 ", -7}, {ToInt, "2.5", 2}, {ToInt, "1e3", 1000}, {ToInt, "1e10", kRange},
        {ToInt, "abc", Failure{"EConvertError: 'abc' is not a valid integer value"}},
        {ToInt, "", Failure{"EConvertError: '' is not a valid integer value"}},
        {ToInt, N, Failure{"EVariantError: Could not convert variant of type (Null) into type (Integer)"}},
        {ToInt, Arr({}), Failure{"EVariantError: Could not convert variant of type (Array) into type (Integer)"}},
        {ToReal, 3, 3.0}, {ToReal, "0.5", 0.5}, {ToReal, true, 1.0}, {ToReal, E, 0.0},
        {ToReal, "abc", Failure{"EConvertError: 'abc' is not a valid floating point value"}},
        {ToReal, "1e400", Failure{"EConvertError: '1e400' is not a valid floating point value"}},
        {ToReal, N, Failure{"EVariantError: Could not convert variant of type (Null) into type (Double)"}},
        {ToBool, 0, false}, {ToBool, 2, true}, {ToBool, 0.0, false}, {ToBool, "TRUE", true}, {ToBool, "false", false},
        {ToBool, "0", false}, {ToBool, "2.5", true}, {ToBool, E, false},
        {ToBool, "yes", Failure{"EConvertError: 'yes' is not a valid boolean value"}},
        {ToBool, N, Failure{"EVariantError: Could not convert variant of type (Null) into type (Boolean)"}},
        {ToLStr, 42, "42"}, {ToLStr, E, ""},
        {ToLStr, N, Failure{"EVariantError: Could not convert variant of type (Null) into type (String)"}},
        {ToLStr, Arr({}), Failure{"EVariantError: Could not convert variant of type (Array) into type (String)"}},
    });
}

TEST(VariantTest, DisplayText) {
    RunUnary({
        {ToStr, 0.1, "0.1"}, {ToStr, 8.0, "8.0"}, {ToStr, 1e20, "1e+20"}, {ToStr, -2.5e-7, "-2.5e-07"},
        {ToStr, 123456789012.0, "123456789012.0"}, {ToStr, -0.0, "-0.0"}, {ToStr, 1e16, "1e+16"},
        {ToStr, 0.1 + 0.2, "0.30000000000000004"}, {ToStr, 5e-324, "5e-324"},
        {ToStr, 1.7976931348623157e308, "1.7976931348623157e+308"}, {ToStr, 0, "0"}, {ToStr, kMin, "-2147483648"},
        {ToStr, true, "True"}, {ToStr, false, "False"}, {ToStr, "abc", "abc"}, {ToStr, E, ""}, {ToStr, N, ""},
        {ToStr, Arr({1, 2.5, "x", E, N, Arr({true})}), "[1,2.5,x,,,[True]]"}, {ToStr, Arr({}), "[]"},
    });
}

TEST(VariantTest, NonFiniteNumbersRaise) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    RunUnary({
        {FromReal, 1.5, 1.5}, {FromReal, kInf, kOverflow}, {FromReal, -kInf, kOverflow}, {FromReal, nan, kInvalidFloat},
        {Finite, -kInf, kOverflow}, {Finite, nan, kInvalidFloat}, {Text, kInf, kOverflow}, {Round, 0.5, 0},
        {Round, -0.5, 0}, {Round, 1.5, 2}, {Round, -1.5, -2}, {Round, -0.49999999999999994, 0}, {Round, kInf, kRange},
        {Round, nan, kRange},
    });
}

TEST(VariantTest, NumberTextReading) {
    const Variant no = kRejected;
    RunUnary({
        {ReadFloat, "0.5", 0.5}, {ReadFloat, "1", 1.0}, {ReadFloat, "1.", 1.0}, {ReadFloat, "1.e5", 1e5},
        {ReadFloat, "2E-1", 0.2}, {ReadFloat, " +3.25 ", 3.25}, {ReadFloat, "-0", -0.0}, {ReadFloat, "\t7e+2\n", 700.0},
        {ReadFloat, "00012.5000", 12.5}, {ReadFloat, "1e-400", 0.0}, {ReadFloat, "-1e-400", -0.0},
        {ReadFloat, "0.000e999999999999", 0.0}, {ReadFloat, "0.001e-322", 0.0}, {ReadFloat, "1000e-327", 0.0},
        {ReadFloat, "1.7976931348623157e308", 1.7976931348623157e308}, {ReadFloat, "4.9406564584124654e-324", 5e-324},
        {ReadFloat, "", no}, {ReadFloat, " ", no}, {ReadFloat, "abc", no}, {ReadFloat, ".5", no}, {ReadFloat, "1e", no},
        {ReadFloat, "1e+", no}, {ReadFloat, "+", no}, {ReadFloat, "-", no}, {ReadFloat, "1.2.3", no},
        {ReadFloat, "1 2", no}, {ReadFloat, "- 1", no}, {ReadFloat, "++1", no}, {ReadFloat, "inf", no},
        {ReadFloat, "nan", no}, {ReadFloat, "0x10", no}, {ReadFloat, "1,5", no}, {ReadFloat, "12abc", no},
        {ReadFloat, "1e400", no}, {ReadFloat, "-1e400", no}, {ReadFloat, "1e99999999999999999999", no},
        {ReadFloat, "0.001e312", no},
        {ReadInt, "0", 0}, {ReadInt, "+7", 7}, {ReadInt, " -2147483648 ", kMin}, {ReadInt, "2147483647", kMax},
        {ReadInt, "007", 7}, {ReadInt, "2147483648", no}, {ReadInt, "-2147483649", no},
        {ReadInt, "99999999999999999999999", no}, {ReadInt, "1.0", no}, {ReadInt, "", no}, {ReadInt, "-", no},
        {ReadInt, "+-1", no}, {ReadInt, "1e3", no}, {ReadInt, "abc", no}, {ReadInt, "1 2", no},
    });
}

TEST(VariantTest, FloatTextRoundTrips) {
    std::vector<double> values = {0.1, 1.0 / 3, 8.0, -0.0, 1e20, 1e16, 1e-7, 5e-324, 2.2250738585072014e-308,
                                  1.7976931348623157e308, -123456789012.0, 9007199254740993.0};
    std::mt19937_64 bits(20240521);
    while (values.size() < 20000) {
        const double d = std::bit_cast<double>(bits());
        if (std::isfinite(d)) values.push_back(d);
    }
    for (const double d : values) {
        const std::string text = FloatToText(d);
        double back = 0.0;
        ASSERT_TRUE(TextToFloat(text, back)) << text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(d)) << text;
        EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text;
    }
}

TEST(VariantTest, DecimalPointIgnoresLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    const std::string shown = VarToStr(0.5);
    double read = 0.0;
    const bool ok = TextToFloat("0.5", read);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(shown, "0.5");
    EXPECT_TRUE(ok);
    EXPECT_EQ(read, 0.5);
}

TEST(VariantTest, Arrays) {
    Variant a = VarArrayCreate(3);
    EXPECT_EQ(VarArrayHighBound(a), 2);
    EXPECT_TRUE(VarIsEmpty(VarArrayGet(a, 2)));
    VarArrayPut(a, 10, 0);
    VarArrayPut(a, "x", 2);
    const Variant copy = VarCopy(a);
    VarArrayPut(a, a, 1);  // an array stored in itself stores a copy of what it was
    EXPECT_EQ(VarToStr(a), "[10,[10,,x],x]");
    EXPECT_EQ(VarToStr(copy), "[10,,x]");
    VarArrayRedim(a, 4);
    EXPECT_EQ(VarToStr(a), "[10,[10,,x],x,,]");
    VarArrayRedim(a, 0);
    EXPECT_EQ(VarToStr(a), "[10]");
    VarArrayRedim(a, -1);
    EXPECT_EQ(VarArrayHighBound(a), -1);
    VarClear(a);
    EXPECT_TRUE(VarIsEmpty(a));

    Variant three = VarArrayCreate(3);
    Variant scalar = 1;
    struct Case {
        const char* name;
        std::function<void()> call;
        Failure want;
    };
    const std::vector<Case> failures = {
        {"Get(3)", [&] { VarArrayGet(three, 3); }, kBounds},
        {"Get(-1)", [&] { VarArrayGet(three, -1); }, kBounds},
        {"Put(3)", [&] { VarArrayPut(three, 1, 3); }, kBounds},
        {"Redim(-2)", [&] { VarArrayRedim(three, -2); }, kRange},
        {"Create(-1)", [] { VarArrayCreate(-1); }, kRange},
        {"HighBound of 1", [&] { VarArrayHighBound(scalar); }, kNotArray},
        {"Get on 1", [&] { VarArrayGet(scalar, 0); }, kNotArray},
        {"Put on 1", [&] { VarArrayPut(scalar, 1, 0); }, kNotArray},
        {"Redim of 1", [&] { VarArrayRedim(scalar, 3); }, kNotArray},
    };
    for (const auto& c : failures) {
        Expect(c.name, c.want, [&] {
            c.call();
            return Variant();
        });
    }
    EXPECT_EQ(VarArrayHighBound(VarArrayCreate(0)), -1);
}

}  // namespace
}  // namespace tolvex
