// The tolvex command-line tool, run as a separate process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Runs the tool with shell-quoted arguments and optional standard input, under the shell's
// `ulimit` options when given.
Outcome Tool(const std::string& args, const std::string& input = "", const std::string& limits = "") {
    // Tests run as parallel processes: every process has files of its own.
    const std::string dir = ::testing::TempDir() + "tolvex_tool_" + std::to_string(::getpid()) + "_";
    const std::string in = dir + "in", out = dir + "out", err = dir + "err";
    std::ofstream(in, std::ios::binary) << input;
    // The arguments come last, so that their own redirections win.
    const std::string command = (limits.empty() ? "" : "ulimit " + limits + "; ") + std::string(TOLVEX_TOOL) +
                                " <" + in + " >" + out + " 2>" + err + " " + args;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

struct ToolCase {
    const char* args;
    int status;
    const char* out;    // nullptr where standard output is not looked at
    const char* err;    // standard error exactly where it ends a line, else its start
    const char* input = "42";
};

// Results, options in the forms getopt_long accepts, and the one-line usage errors.
TEST(ToolTest, ResultsOptionsAndUsageErrors) {
    const ToolCase cases[] = {
        {"--typed -e '1+2*3' -e 'f(x,y):=x-y' -e 'f(5,3)'", 0, "integer\t7\nnull\t\ninteger\t2\n", ""},
        {"--typed -e '' -e \"'a\\\\b'+' c'; 0.5; true; 1/0\"", 1,
         "empty\t\nstring\ta\\\\b c\ndouble\t0.5\nboolean\tTrue\nerror\tFloating point division by zero\n", ""},
        {"-e '1;2$'", 1, "1\n", "error: TMathInterpreter.Parse() Unknown char - ASCII code: #36, on position: 2.\n"},
        {"-", 0, "4\n16\n", "", "x=4;\nx*x\n"},
        {"--case-sensitive -e 'a=1; A=2; a'", 0, "1\n2\n1\n", ""},
        {"--escape-char '\\' -e \"'a\\\\'b'\"", 0, "a'b\n", ""},
        {"--max-nesting 2 -e 'f(n):=IfF(n==0,0,f(n-1)); f(1); f(5)'", 1, "\n0\n",
         "error: TMFunction.GetValue() Function nesting level too deep"},
        {"--help", 0, nullptr, ""},
        {"--eval=1+1", 0, "2\n", ""},
        {"-e2*3", 0, "6\n", ""},
        {"-e 7 --typed", 0, "integer\t7\n", ""},  // options after the texts count too
        {"-- -", 0, "42\n", ""},                   // standard input, whose text is "42"
        {"-e 1 -- -e", 2, "1\n", "tolvex: Cannot open file \"-e\". No such file or directory\n"},
        {"--bogus", 2, "", "tolvex: unknown option --bogus (tolvex --help lists the options)\n"},
        {"-x", 2, "", "tolvex: unknown option -x (tolvex --help lists the options)\n"},
        {"--interactive=1", 2, "", "tolvex: option --interactive takes no value (tolvex --help lists the options)\n"},
        {"-e", 2, "", "tolvex: option -e needs a value (tolvex --help lists the options)\n"},
        {"--load", 2, "", "tolvex: option --load needs a value (tolvex --help lists the options)\n"},
        {"--typed=1", 2, "", "tolvex: option --typed takes no value (tolvex --help lists the options)\n"},
        {"--escape-char ab -e 1", 2, "", "tolvex: --escape-char needs exactly one character (tolvex --help"},
        {"--max-nesting=x -e 1", 2, "", "tolvex: --max-nesting needs a number from 0 to 4294967295 (tolvex"},
        {"--max-nesting x -e 1", 2, "",
         "tolvex: --max-nesting needs a number from 0 to 4294967295 (tolvex --help lists the options)\n"},
        {"--dump-format fancy -e 1", 2, "", "tolvex: unknown dump format fancy (tolvex --help lists the options)\n"},
        {"/nonexistent/file", 2, "", "tolvex: Cannot open file \"/nonexistent/file\". No such file or directory\n"},
        {"--load /nonexistent/symbols -e 1", 2, "",
         "tolvex: Cannot open file \"/nonexistent/symbols\". No such file or directory\n"},
        {"/", 2, "", "tolvex: Cannot open file \"/\". Is a directory\n"},
        {"-e 1 / -e 2", 2, "1\n2\n", "tolvex: Cannot open file \"/\". Is a directory\n"},
        {"--load / -e 1", 2, "", "tolvex: Cannot open file \"/\". Is a directory\n"},
        {"-e 1 >/dev/full", 2, nullptr, "tolvex: cannot write to standard output: No space left on device\n"},
        {"--help >/dev/full", 2, nullptr, "tolvex: cannot write to standard output"},
        {"-e 'x=1; y=2' --dump", 0, "1\n2\nx=1;\ny=2\n", ""},  // the platform's line ends
    };
    for (const ToolCase& c : cases) {
        const Outcome o = Tool(c.args, c.input);
        EXPECT_EQ(o.status, c.status) << c.args;
        if (c.out) {
            EXPECT_EQ(o.out, c.out) << c.args;
        }
        const std::string err = c.err;
        EXPECT_EQ(err.ends_with('\n') ? o.err : o.err.substr(0, err.size()), err) << c.args;
    }
    EXPECT_NE(Tool("--version").out.find("tolvex "), std::string::npos);
}

// FILE and "-" read as --load does: up to the maximum text length, then refused.
TEST(ToolTest, SourcesLongerThanTheTextLimitAreRefused) {
    const std::string file = ::testing::TempDir() + "tolvex_tool_long_" + std::to_string(::getpid()) + ".txt";
    {
        std::ofstream out(file, std::ios::binary);
        const std::string block(1 << 20, ' ');
        for (int i = 0; i <= 256; ++i) out << block;
    }
    for (const std::string& args : {file, "- <" + file}) {
        const Outcome o = Tool(args);
        EXPECT_EQ(o.status, 2) << args;
        EXPECT_NE(o.err.find("exceeds the maximum text length of 268435456 bytes."), std::string::npos) << o.err;
    }
    std::remove(file.c_str());
}

TEST(ToolTest, SymbolFiles) {
    const std::string file = ::testing::TempDir() + "tolvex_tool_symbols_" + std::to_string(::getpid()) + ".txt";
    Outcome o = Tool("-e 'x=5; f(a):=a*x' -e 'zz' --save " + file + " --dump");
    EXPECT_EQ(o.status, 1);  // the failed statement still saves
    EXPECT_EQ(o.out, "5\n\n" "x=5;\nf(a):=f.a*x\n");
    EXPECT_EQ(Slurp(file), "x=5;\r\nf(a):=a*x");
    EXPECT_EQ(Tool("--load " + file + " -e 'f(2)' --dump --dump-format detailed").out,
              "10\nTMVar[\"x\"](5);\nTMFunction[\"f\"](TMParam[\"a\"]){TMMultiply(TMVarRef<\"a\">,TMVarRef<\"x\">)}\n");
    EXPECT_EQ(Tool("--load " + file + " --dump --dump-format plain").out, "x=5;\nf(a):=a*x\n");
    std::remove(file.c_str());
}

#if defined(__SANITIZE_ADDRESS__)
#define TOLVEX_NO_MEMORY_CAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLVEX_NO_MEMORY_CAP 1
#endif
#endif

// Under a memory cap, a statement that needs more memory fails on its own: the later statements
// run and the save still writes the symbols. Each call level holds a fresh 16 MB argument.
TEST(ToolTest, OutOfMemoryIsOneStatementsError) {
#ifdef TOLVEX_NO_MEMORY_CAP
    GTEST_SKIP() << "the sanitizer runtime reserves more address space than a cap leaves";
#endif
    const std::string file = ::testing::TempDir() + "tolvex_oom_" + std::to_string(::getpid());
    Outcome o = Tool("--save " + file +
                         " -e \"x=1; f(s,n):=IfF(n==0,Length(s),f(StringOfChar('y',16000000),n-1)); f('',500); y=x+1\"",
                     "", "-v 786432");
    EXPECT_EQ(o.status, 1) << o.err;
    EXPECT_EQ(o.out, "1\n\n2\n");
    EXPECT_NE(o.err.find("error: Out of memory"), std::string::npos) << o.err;
    EXPECT_EQ(Slurp(file), "x=1;\r\nf(s,n):=IfF(n==0,Length(s),f(StringOfChar('y',16000000),n-1));\r\ny=2");
    std::remove(file.c_str());
}

// Beyond the file-size limit the save fails with a clear error instead of the signal killing the
// tool: the previous file stays and no temporary file is left beside it.
TEST(ToolTest, SaveBeyondTheFileSizeLimitFailsCleanly) {
    const std::string folder = ::testing::TempDir() + "tolvex_fsize_" + std::to_string(::getpid());
    ASSERT_EQ(std::system(("rm -rf " + folder + " && mkdir " + folder).c_str()), 0);
    const std::string file = folder + "/symbols.txt";
    std::ofstream(file) << "kept=1";
    Outcome o = Tool("--save " + file + " -e \"x=StringOfChar('a', 100000)\"", "", "-f 20");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("Cannot write file \"" + file + "\". File too large"), std::string::npos) << o.err;
    EXPECT_EQ(Slurp(file), "kept=1");
    ASSERT_EQ(std::system(("test \"$(ls " + folder + ")\" = symbols.txt").c_str()), 0);
    ASSERT_EQ(std::system(("rm -rf " + folder).c_str()), 0);
}

}  // namespace
