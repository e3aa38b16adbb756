// The REPL's logic: statements, commands and completion, driven without a terminal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tools/tolvex/completion.h"
#include "tools/tolvex/repl.h"

namespace tolvex::tool {
namespace {

// The reply as one text: a line per output line, errors marked "! ", a request to leave "[quit]".
std::string Shown(const ReplReply& reply) {
    std::string text;
    for (const ReplLine& line : reply.lines) text += (text.empty() ? "" : "\n") + std::string(line.error ? "! " : "") + line.text;
    return reply.quit ? text + "[quit]" : text;
}

struct Step {
    const char* line;
    const char* shown;
};

// One session, line after line: each step sees the symbols and settings the steps before left.
TEST(ReplTest, SessionOfStatementsAndCommands) {
    const Step steps[] = {
        {"x=3; f(a):=a*x; f(2)", "3\n6"},  // a definition shows no line
        {"'It''s'; 2.0; true; 1 < 0", "'It''s'\n2.0\nTrue\nFalse"},
        {"1/0; 7", "! Floating point division by zero\n7"},
        {"", ""},
        {"   ", ""},
        {":=1", "! TMOperator.PullOperands() 2 operand(s) expected, but only 1 found. Position: 2."},
        {"  :dump plain  ", "x=3\nf(a):=a*x"},
        {":dump", "x=3\nf(a):=f.a*x"},
        {":dump detailed", "TMVar[\"x\"](3)\nTMFunction[\"f\"](TMParam[\"a\"]){TMMultiply(TMVarRef<\"a\">,TMVarRef<\"x\">)}"},
        {":dump fancy", "! unknown dump format fancy (plain, qualified, detailed or detailed,qualified)"},
        {"delete x", ""},
        {":set", "CaseSensitiveSymbols = false\nEscapeChar = none\nMaxFunctionNesting = 1000"},
        {":set maxfunctionnesting 2", "MaxFunctionNesting = 2"},
        {"g(n):=IfF(n==0,0,g(n-1)); g(5)",
         "! TMFunction.GetValue() Function nesting level too deep (function: \"g\", position: 1). Most outer function: \"g\"."},
        {":set MaxFunctionNesting -1", "! MaxFunctionNesting takes a number from 0 to 4294967295"},
        {":set MaxFunctionNesting", "MaxFunctionNesting = 2"},
        {":set EscapeChar \\", "EscapeChar = \\"},
        {"'a\\'b'; 'a\\\\b'", "'a''b'\n'a\\\\b'"},  // shown as they would be typed
        {":set EscapeChar ab", "! EscapeChar takes one character, or none"},
        {":set EscapeChar NONE", "EscapeChar = none"},
        {":set CaseSensitiveSymbols yes", "! CaseSensitiveSymbols takes true or false"},
        {":set Colour on", "! unknown setting Colour (CaseSensitiveSymbols, EscapeChar or MaxFunctionNesting)"},
        {":set casesensitivesymbols on", "CaseSensitiveSymbols = true"},
        {"a=1; A=2; a", "1\n2\n1"},
        {":set CaseSensitiveSymbols off", "CaseSensitiveSymbols = false\nremoved 4 symbols"},
        {":dump", "no symbols"},
        {":clear now", "! :clear takes no argument"},
        {"y=1", "1"},
        {":clear", "removed 1 symbol"},
        {":frobnicate", "! unknown command :frobnicate (:help lists the commands)"},
        {":quit", "[quit]"},
    };
    TMathInterpreter interpreter;
    Repl repl(interpreter);
    for (const Step& step : steps) EXPECT_EQ(Shown(repl.Handle(step.line)), step.shown) << "line: " << step.line;
}

TEST(ReplTest, HelpNamesEveryCommand) {
    TMathInterpreter interpreter;
    const std::string help = Shown(Repl(interpreter).Handle(":help"));
    for (const ReplCommand& command : Repl::Commands())
        EXPECT_NE(help.find(std::string("  :") + command.name), std::string::npos) << command.name;
}

// :help NAME and "_", the last result shown.
TEST(ReplTest, HelpOnANameAndTheLastResult) {
    const Step steps[] = {
        {":help sin", "Sin(x (radians)) -> double: sine of an angle\n  example: Sin(Pi/2) -> 1.0"},
        {":help PI", "Pi -> double: the number π\n  example: Pi -> 3.141592653589793"},
        {":help copy", "Copy(text, index, count) -> string: count bytes of the text from index on\n"
                       "  example: Copy('abcdef', 2, 3) -> 'bcd'"},
        {":help dump", ":dump [FORMAT]: show the symbols; FORMAT: plain, qualified, detailed, detailed,qualified"},
        {":help :quit", ":quit: leave (so does Ctrl-D)"},
        {":help nosuch", "! no function, command or symbol named nosuch"},
        {"_", "! TMVarRef.GetValue() Referenced symbol: \"_\" is not defied, position: 1."},
        {"6*7", "42"},
        {"_ + 1; _ * 2", "43\n86"},  // each shown result becomes "_"
        {"f(a):=a; 'x'", "'x'"},      // a definition shows nothing and leaves "_" alone
        {"_ + 'y'", "'xy'"},
        {":help _", "_ reads the last result shown (unless a symbol _ is defined)"},
        {"_ = 5; 1; _", "5\n1\n5"},  // a real symbol "_" wins
        {":help _", "_=5 (your symbol)"},
    };
    TMathInterpreter interpreter;
    Repl repl(interpreter);
    for (const Step& step : steps) EXPECT_EQ(Shown(repl.Handle(step.line)), step.shown) << "line: " << step.line;
}

TEST(ReplTest, SaveAndLoadFiles) {
    const std::string file = ::testing::TempDir() + "tolvex_repl_symbols.txt";
    TMathInterpreter interpreter;
    Repl repl(interpreter);
    repl.Handle("s='a;b'; f(x):=x+1");
    EXPECT_EQ(Shown(repl.Handle(":save " + file)), "saved 2 symbols to " + file);
    repl.Handle(":clear");
    EXPECT_EQ(Shown(repl.Handle(":load " + file)), "loaded 2 symbols from " + file);
    EXPECT_EQ(Shown(repl.Handle("s; f(1)")), "'a;b'\n2");
    EXPECT_EQ(Shown(repl.Handle(":save")), "! usage: :save FILE");
    EXPECT_EQ(Shown(repl.Handle(":load")), "! usage: :load FILE");
    EXPECT_EQ(Shown(repl.Handle(":load /nonexistent/symbols")).rfind("! ", 0), 0u);
    EXPECT_EQ(Shown(repl.Handle(":save /nonexistent/dir/symbols")).rfind("! ", 0), 0u);
    std::filesystem::remove(file);
}

struct CompletionCase {
    std::string line;
    std::string candidates;   // joined by blanks
    std::string replacement;  // what replaces the word before the cursor
};

std::string Joined(const Completion& c) {
    std::string text;
    for (const Candidate& candidate : c.candidates) text += (text.empty() ? "" : " ") + candidate.name;
    return text;
}

TEST(CompletionTest, WordsAtTheEndOfTheLine) {
    const std::string dir = ::testing::TempDir() + "tolvex_completion/";
    std::filesystem::create_directories(dir + "sub");
    std::ofstream(dir + "symbols.txt") << "x=1";
    const std::string load = ":load " + dir + "s", file = dir + "symbols.txt";
    const CompletionCase cases[] = {
        {"sq", "Sqr Sqrt", "Sqr"},
        {"1 + SQRT", "Sqrt", "Sqrt("},  // a function opens its bracket
        {"pi", "Pi", "Pi"},             // Pi takes no argument
        {"x = de", "DegToRad DegToStr delete DeleteSubstr", "de"},
        {"X", "xor", "xor"},
        {"tot", "total totalize", "total"},  // the interpreter's own symbols
        {"totali", "totalize", "totalize("},
        {"Total", "total totalize", "Total"},
        {"'sq", "", ""},  // inside a string
        {"'a''sq", "", ""},
        {"'a'+sq", "Sqr Sqrt", "Sqr"},
        {"12e", "", "12e"},  // a number, not a word
        {"rename", "", "rename"},
        {":d", "dump", "dump"},
        {"  :s", "save set", "s"},
        {":dump d", "detailed detailed,qualified", "detailed"},
        {":dump plain x", "", "x"},
        {":set m", "MaxFunctionNesting", "MaxFunctionNesting"},
        {":set CaseSensitiveSymbols t", "true", "true"},
        {":set EscapeChar t", "", "t"},
        {":quit q", "", "q"},
        {load, dir + "sub/ " + file, dir + "s"},  // folders end in "/"
        {load + "y", file, file},
    };
    TMathInterpreter interpreter;
    interpreter.Execute("total=1; totalize(a):=a");
    for (const CompletionCase& c : cases) {
        const Completion completion = Complete(interpreter, c.line, c.line.size());
        EXPECT_EQ(Joined(completion), c.candidates) << "line: " << c.line;
        EXPECT_EQ(Replacement(completion), c.replacement) << "line: " << c.line;
        EXPECT_EQ(c.line.substr(completion.start), completion.word) << "line: " << c.line;
    }
    std::filesystem::remove_all(dir);
}

TEST(CompletionTest, EveryNameOnAnEmptyWordAndTheWordBeforeTheCursor) {
    TMathInterpreter interpreter;
    interpreter.ExecuteExpression("v=1");
    EXPECT_EQ(Complete(interpreter, "", 0).candidates.size(), 75u + 11u + 1u);
    const Completion middle = Complete(interpreter, "sq(4) + 1", 2);
    EXPECT_EQ(Joined(middle), "Sqr Sqrt");
    EXPECT_EQ(middle.start, 0u);
}

TEST(CompletionTest, ListsAsManyColumnsAsTheTerminalIsWide) {
    const std::vector<Candidate> names = {{"Sin"}, {"Sinh"}, {"Sqr"}, {"Sqrt"}, {"StrToInt"}};  // cells of 10
    const struct {
        std::size_t width;
        std::vector<std::string> rows;
    } cases[] = {
        {80, {"Sin       Sinh      Sqr       Sqrt      StrToInt"}},
        {30, {"Sin       Sinh      Sqr", "Sqrt      StrToInt"}},
        {20, {"Sin       Sinh", "Sqr       Sqrt", "StrToInt"}},
        {5, {"Sin", "Sinh", "Sqr", "Sqrt", "StrToInt"}},
    };
    for (const auto& c : cases) EXPECT_EQ(LayOut(names, c.width), c.rows) << "width " << c.width;
}

TEST(CompletionTest, SymbolsFollowTheCaseRule) {
    TMathInterpreter interpreter;
    for (const bool sensitive : {true, false}) {
        interpreter.SetCaseSensitiveSymbols(sensitive);
        interpreter.Execute("Alpha=1; alpha2=2");
        EXPECT_EQ(Joined(Complete(interpreter, "al", 2)), sensitive ? "alpha2" : "Alpha alpha2");
    }
}

}  // namespace
}  // namespace tolvex::tool
