// The REPL on a pseudo-terminal: prompt, completion, colour and history, end to end.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

class Terminal {
public:
    // Starts the tool on a new pseudo-terminal, with `home` as its home folder.
    explicit Terminal(const std::string& home) {
        // libedit never frees the names of the editor functions a program adds (it copies them
        // with wcsdup); sanitizer builds are told so, and nothing else.
        const std::string suppressions = home + "/leaks.supp";
        std::ofstream(suppressions) << "leak:wcsdup\n";
        pid_ = forkpty(&fd_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            setenv("LSAN_OPTIONS", ("suppressions=" + suppressions).c_str(), 1);
            setenv("HOME", home.c_str(), 1);
            setenv("TERM", "xterm", 1);
            setenv("LC_ALL", "C", 1);  // the REPL must not depend on a UTF-8 locale being set
            unsetenv("NO_COLOR");
            execl(TOLVEX_TOOL, TOLVEX_TOOL, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0 && !exited_) kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0);
        if (fd_ >= 0) close(fd_);
    }
    bool Started() const { return pid_ > 0; }

    void Type(const std::string& keys) { ASSERT_EQ(write(fd_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size())); }

    // Reads until `text` has appeared since the last wait, or five seconds have passed.
    bool WaitFor(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (seen_.find(text, from_) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            pollfd p{fd_, POLLIN, 0};
            char buffer[512];
            if (poll(&p, 1, 100) <= 0) continue;
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0) return false;
            seen_.append(buffer, n);
        }
        from_ = seen_.find(text, from_) + text.size();
        return true;
    }

    int Status() {
        int raw = 0;
        waitpid(pid_, &raw, 0);
        exited_ = true;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    const std::string& Seen() const { return seen_; }

private:
    int fd_ = -1;
    pid_t pid_ = -1;
    bool exited_ = false;
    std::string seen_;
    std::size_t from_ = 0;
};

TEST(ReplTerminalTest, EditsCompletesColoursAndKeepsHistory) {
    const std::string home = ::testing::TempDir() + "tolvex_repl_home";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    {
        Terminal terminal(home);
        ASSERT_TRUE(terminal.Started());
        ASSERT_TRUE(terminal.WaitFor("tolvex> ")) << terminal.Seen();
        terminal.Type("x=6*7\r");
        EXPECT_TRUE(terminal.WaitFor("\n42")) << terminal.Seen();
        terminal.Type("myfact(n):=IfF(n<2,1,n*myfact(n-1))\r");
        terminal.Type("my\t5)\r");  // Tab completes "my" to "myfact("
        EXPECT_TRUE(terminal.WaitFor("\n120")) << terminal.Seen();
        terminal.Type("1/0\r");
        EXPECT_TRUE(terminal.WaitFor("\033[31merror: Floating point division by zero\033[0m")) << terminal.Seen();
        terminal.Type(":quit\r");
        EXPECT_EQ(terminal.Status(), 0);
    }
    std::ifstream history(home + "/.tolvex_history");
    std::stringstream lines;
    lines << history.rdbuf();
    EXPECT_NE(lines.str().find("x=6*7"), std::string::npos) << lines.str();
    EXPECT_NE(lines.str().find("myfact(5)"), std::string::npos) << lines.str();
    std::filesystem::remove_all(home);
}

// Typed bytes arrive as they were typed, even when the environment's locale is C; Ctrl-C gives up
// a half-typed line, and stops a running evaluation without losing the symbols.
TEST(ReplTerminalTest, Utf8TypingAndCtrlC) {
    const std::string home = ::testing::TempDir() + "tolvex_repl_home_ctrl_c";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    {
        Terminal terminal(home);
        ASSERT_TRUE(terminal.Started());
        ASSERT_TRUE(terminal.WaitFor("tolvex> ")) << terminal.Seen();
        terminal.Type("Length('h\xc3\xa9llo'); UpperCase('\xc3\xa9t\xc3\xa9')\r");
        EXPECT_TRUE(terminal.WaitFor("\n6\r\n'\xc3\xa9T\xc3\xa9'")) << terminal.Seen();
        terminal.Type("keep=1\r");
        EXPECT_TRUE(terminal.WaitFor("\n1")) << terminal.Seen();
        terminal.Type("keep=2; 1+2+");
        terminal.Type("\x03");  // Ctrl-C on the half-typed line gives it up
        EXPECT_TRUE(terminal.WaitFor("^C")) << terminal.Seen();
        terminal.Type("keep*10\r");
        EXPECT_TRUE(terminal.WaitFor("\n10")) << terminal.Seen();
        terminal.Type("fib(n):=IfF(n<2,n,fib(n-1)+fib(n-2)); fib(90); 'not reached'\r");
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        terminal.Type("\x03");  // Ctrl-C while fib(90) runs
        EXPECT_TRUE(terminal.WaitFor("error: Evaluation interrupted Most outer function: \"fib\".")) << terminal.Seen();
        terminal.Type("fib(10) + keep\r");
        EXPECT_TRUE(terminal.WaitFor("\n56")) << terminal.Seen();
        EXPECT_EQ(terminal.Seen().find("not reached", terminal.Seen().find("interrupted")), std::string::npos);
        terminal.Type(":help lnxp1\r");
        EXPECT_TRUE(terminal.WaitFor("LnXP1(x (> \xe2\x88\x92" "1)) -> double: natural logarithm of 1 + x")) << terminal.Seen();
        terminal.Type(":quit\r");
        EXPECT_EQ(terminal.Status(), 0);
    }
    std::filesystem::remove_all(home);
}

}  // namespace
