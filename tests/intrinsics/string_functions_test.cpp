// The string and conversion built-in functions end to end: positions at and beyond the edges,
// number formats, bases, angles, the conditional and the length limit.
#include <string>

#include "tolvex/value/limits.h"
#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

using StringFunctionsTest = InterpreterTest;

constexpr const char* kRange = "Range check error";
constexpr const char* kBadFirstOperand =
    "TMStringOfChar.GetValue() Invalid length of the first operand on position: 14.";

TEST_F(StringFunctionsTest, Strings) {
    const Case cases[] = {
        {"Length(12345)", "integer 5"}, {"Length('')", "integer 0"}, {"Length(1.5)", "integer 3"},
        {"Copy('abcdef', 2, 3)", "string bcd"}, {"Copy('abcdef', 0, 3)", "string abc"},
        {"Copy('abcdef', -5, 2)", "string ab"}, {"Copy('abcdef', 5, 10)", "string ef"},
        {"Copy('abcdef', 3, 2147483647)", "string cdef"}, {"Copy('abcdef', 7, 1)", "string "},
        {"Copy('abcdef', 2147483647, 2147483647)", "string "}, {"Copy('abcdef', 2, 0)", "string "},
        {"Copy('abcdef', 2, -1)", "string "}, {"Copy(123456, 2, 2)", "string 23"},
        {"DeleteSubstr('abcdef', 2, 3)", "string aef"}, {"DeleteSubstr('abcdef', 5, 100)", "string abcd"},
        {"DeleteSubstr('abcdef', 0, 3)", "string abcdef"}, {"DeleteSubstr('abcdef', 7, 1)", "string abcdef"},
        {"DeleteSubstr('abcdef', 2, -3)", "string abcdef"}, {"Insert('xy', 'abc', 2)", "string axybc"},
        {"Insert('xy', 'abc', 1)", "string xyabc"}, {"Insert('xy', 'abc', -7)", "string xyabc"},
        {"Insert('xy', 'abc', 4)", "string abcxy"}, {"Insert('xy', 'abc', 100)", "string abcxy"},
        {"Insert('', 'abc', 2)", "string abc"}, {"Pos('cd', 'abcdef')", "integer 3"},
        {"Pos('z', 'abc')", "integer 0"}, {"Pos('', 'abc')", "integer 0"}, {"Pos('a', '')", "integer 0"},
        {"Pos('bc', 'abcbc')", "integer 2"}, {"Pos(3, 12345)", "integer 3"}, {"StringOfChar('-', 5)", "string -----"},
        {"StringOfChar(7, 3)", "string 777"}, {"StringOfChar('x', 0)", "string "},
        {"StringOfChar('x', -4)", "string "}, {"StringOfChar('ab', 3)", kBadFirstOperand},
        {"StringOfChar('', 3)", kBadFirstOperand}, {"StringOfChar(12, 3)", kBadFirstOperand},
        {"LowerCase('AbC-xYz 1')", "string abc-xyz 1"}, {"UpperCase('AbC-xYz 1')", "string ABC-XYZ 1"},
        {"UpperCase('\xe9\xc9@[`{')", "string \xe9\xc9@[`{"},  // only a-z and A-Z change
        {"LowerCase(true)", "string true"}, {"Trim('  \t ab c \r\n ')", "string ab c"},
        {"TrimLeft('  ab  ')", "string ab  "}, {"TrimRight('  ab  ')", "string   ab"},
        {"Trim('\xa0x\xa0')", "string \xa0x\xa0"},  // code 160 is no blank here
        {"Trim('   ')", "string "}, {"QuotedStr('it''s')", "string 'it''s'"}, {"QuotedStr('')", "string ''"},
        {"QuotedStr('''')", "string ''''"}, {"QuotedStr(12)", "string '12'"},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

TEST_F(StringFunctionsTest, NumbersAndText) {
    const Case cases[] = {
        {"IntToStr(-42)", "string -42"}, {"IntToStr(2.5)", "string 2"},
        {"IntToStr(-2147483648.0)", "string -2147483648"}, {"IntToStr(3e9)", kRange},
        {"StrToInt('42')", "integer 42"}, {"StrToInt(' -7 ')", "integer -7"},
        {"StrToInt('+2147483647')", "integer 2147483647"}, {"StrToInt('abc')", "'abc' is not a valid integer value"},
        {"StrToInt('2147483648')", "'2147483648' is not a valid integer value"},
        {"StrToInt('1.5')", "'1.5' is not a valid integer value"},
        {"StrToInt('')", "'' is not a valid integer value"},
        {"StrToInt('0x10')", "'0x10' is not a valid integer value"}, {"StrToFloat('1.5')", "double 1.5"},
        {"StrToFloat('7')", "double 7.0"}, {"StrToFloat(' -2.5e-3 ')", "double -0.0025"},
        {"StrToFloat('abc')", "'abc' is not a valid floating point value"},
        {"StrToFloat('1,5')", "'1,5' is not a valid floating point value"},
        {"StrToFloat('1e400')", "'1e400' is not a valid floating point value"},
        {"StrToFloat('nan')", "'nan' is not a valid floating point value"},
        {"StrToFloat('inf')", "'inf' is not a valid floating point value"}, {"FloatToStr(0.1+0.2)", "string 0.3"},
        {"FloatToStr(100)", "string 100"}, {"FloatToStr(1.5)", "string 1.5"}, {"FloatToStr(-12.25)", "string -12.25"},
        {"FloatToStr(1/3)", "string 0.333333333333333"}, {"FloatToStr(2/3)", "string 0.666666666666667"},
        {"FloatToStr(123456789012345.0)", "string 123456789012345"}, {"FloatToStr(1e15)", "string 1E15"},
        {"FloatToStr(999999999999999.9)", "string 1E15"}, {"FloatToStr(1e20)", "string 1E20"},
        {"FloatToStr(-2.5e-7)", "string -2.5E-7"}, {"FloatToStr(0.00001)", "string 0.00001"},
        {"FloatToStr(0.000001)", "string 1E-6"},
        {"FloatToStr(1.7976931348623157e308)", "string 1.79769313486232E308"}, {"FloatToStr(0)", "string 0"},
        {"FloatToStr(-0.0)", "string 0"}, {"ToBase(255, 16)", "string ff"}, {"ToBase(-2.5, 2)", "string -10.1"},
        {"FromBase('ff', 16)", "double 255.0"}, {"FromBase('FF', 16)", "double 255.0"},
        {"FromBase('0', 1)", "double 0.0"}, {"ConvertBase('ff', 16, 2)", "string 11111111"},
        {"ConvertBase('10', 10, 36)", "string a"},
        // Bases: written 2..36, read 1..36, and the whole integer counts (272 is not 16)
        {"ConvertBase('1', 10, 37)", kRange}, {"ConvertBase('1', 0, 10)", kRange},
        {"ConvertBase('1', 10, 1)", kRange},
        {"ConvertBase('z', 10, 99)", kRange},  // the target base is checked before the text is read
        {"ToBase(5, 1)", kRange}, {"ToBase(5, 272)", kRange}, {"ToBase(5, -1)", kRange},
        {"FromBase('1', 37)", kRange}, {"FromBase('1', 257)", kRange},
        {"FromBase('zz', 16)", "StringToInt64Base() Digit 'z' is larger then allowed by base 16."},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

TEST_F(StringFunctionsTest, AnglesAndConditional) {
    const Case cases[] = {
        {"DegToStr(10.5)", "string 10\xb0" "30'0\""}, {"DegToStr(-1.5)", "string -1\xb0-30'0\""},
        {"DegToStr(-0.5)", "string 0\xb0-30'0\""}, {"DegToStr(0)", "string 0\xb0" "0'0\""},
        {"DegToStr(10.9999)", "string 10\xb0" "59'59\""},  // truncated, never rounded up
        {"DegToStr(1.01)", "string 1\xb0" "0'36\""},
        {"DegToStr(10.01)", "string 10\xb0" "0'36\""},  // stored a little below 10.01
        {"DegToStr(-10.01)", "string -10\xb0" "0'-36\""}, {"DegToStr(1e17)", "string 100000000000000000\xb0" "0'0\""},
        {"DegToStr(1e19)", kRange}, {"DegToStr('2.25')", "string 2\xb0" "15'0\""},
        {"EncodeDeg(10, 30, 0)", "double 10.5"}, {"EncodeDeg(1, 0, 36)", "double 1.01"},
        {"EncodeDeg(1, 2, 3)", "double 1.0341666666666667"}, {"EncodeDeg(-1, -30, 0)", "double -1.5"},
        {"IfF(1 < 2, 'yes', 1/0)", "string yes"}, {"IfF(1 > 2, 1/0, 7)", "integer 7"},
        {"IfF(true, 2.5, 'x')", "double 2.5"},
        {"IfF(1, 2, 3)", "TMIfF.GetValue() IFF function (position: 1) expectc first argument (position: 5) to be boolean."},
        {"x=1; IfF(true, 0, x=5); x", "integer 1"},  // the branch not taken has no side effects
        {"x=1; IfF(false, 0, x=5); x", "integer 5"},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
}

// DegToStr writes back what EncodeDeg was given, whatever binary noise the double carries.
TEST_F(StringFunctionsTest, DegreesRoundTrip) {
    for (int d : {0, 1, 10, 45, 179, 359, 100000}) {
        for (int m = 0; m < 60; m += 7) {
            for (int s = 0; s < 60; ++s) {
                const std::string parts[] = {std::to_string(d), std::to_string(m), std::to_string(s)};
                const std::string text = "DegToStr(EncodeDeg(" + parts[0] + "," + parts[1] + "," + parts[2] + "))";
                ASSERT_EQ(Run(text), "string " + parts[0] + "\xb0" + parts[1] + "'" + parts[2] + "\"") << text;
            }
        }
    }
}

// Strings are limited to a documented length, so one expression cannot exhaust memory.
TEST_F(StringFunctionsTest, ResultsBeyondTheMaximumLengthAreRefused) {
    const std::string limit = std::to_string(kMaxStringLength);
    const std::string over = std::to_string(kMaxStringLength + 1);
    const Case cases[] = {
        {"StringOfChar('x', 2000000000)", "TMStringOfChar.GetValue() Result of 2000000000 characters exceeds the "
                                          "maximum string length of 16777216 characters, position: 1."},
        {"s=StringOfChar('x', 16777215);Length(Insert('ab', s, 1))",
         "TMInsert.GetValue() Result of 16777217 characters exceeds the maximum string length of 16777216 "
         "characters, position: 8."},
        {"s=StringOfChar('''', 8388608);Length(QuotedStr(s))",
         "TMQuotedStr.GetValue() Result of 16777218 characters exceeds the maximum string length of 16777216 "
         "characters, position: 8."},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.text), c.expected) << "text: " << c.text;
    EXPECT_EQ(Run("Length(StringOfChar('x', " + limit + "))"), "integer " + limit);
    EXPECT_EQ(Run("Length(Insert('a', StringOfChar('x', " + limit + " - 1), 1))"), "integer " + limit);
    EXPECT_NE(Run("StringOfChar('x', " + over + ")").find("exceeds the maximum string length"), std::string::npos);
}

}  // namespace
}  // namespace tolvex::test
