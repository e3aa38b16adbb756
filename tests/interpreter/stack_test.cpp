// Deep recursion stops with an error before the stack runs out, whatever size the thread reports,
// through user functions and through a handler calling back into any entry point.
#include <pthread.h>
#include <sys/mman.h>

#include <functional>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

// Runs `body` on a thread whose stack reports 256 MiB of which only the top 64 MiB can be
// touched: trusting the reported size runs into the untouchable part and crashes.
void OnOverstatedStack(const std::function<void()>& body) {
    constexpr std::size_t reported = std::size_t{256} << 20, usable = std::size_t{64} << 20;
    void* base = ::mmap(nullptr, reported, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(base, MAP_FAILED);
    ASSERT_EQ(::mprotect(static_cast<char*>(base) + (reported - usable), usable, PROT_READ | PROT_WRITE), 0);
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstack(&attr, base, reported);
    pthread_t thread;
    auto run = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&body)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    ::munmap(base, reported);
}

// How a handler asked for the name "again" calls back into the interpreter.
using Reentry = std::function<Variant(TMathInterpreter&)>;

struct StackCase {
    const char* name;
    const char* definitions;
    const char* statement;
    Reentry reentry;  // empty: no handler
    const char* message;  // part of the error expected from the statement
};

TEST(StackBudget, RecursionStopsWhateverTheThreadReports) {
    const StackCase cases[] = {
        {"self", "f(n) := f(n + 1)", "f(1)", nullptr, "Function nesting level too deep (function: \"f\""},
        {"mutual", "a(n) := b(n) + 1; b(n) := c(n) + 1; c(n) := a(n) + 1", "a(1)", nullptr,
         "Function nesting level too deep"},
        {"ExecuteExpression", "", "again", [](TMathInterpreter& m) { return m.ExecuteExpression("again + 1"); },
         "TMathInterpreter.ExecuteExpression() Too deep nesting of evaluations."},
        {"Execute", "", "again", [](TMathInterpreter& m) { return m.Execute("1; again"); },
         "TMathInterpreter.ExecuteExpression() Too deep nesting of evaluations."},
        {"ExecutePreparedExpression", "", "again",
         [](TMathInterpreter& m) { return m.ExecutePreparedExpression(0); },
         "TMathInterpreter.ExecutePreparedExpression() Too deep nesting of evaluations."},
        {"through a function", "g(n) := again + n", "g(1)",
         // Whichever stop comes first, the call's or the handler's re-entry: both are clean.
         [](TMathInterpreter& m) { return m.ExecuteExpression("g(2)"); }, "nesting"},
    };
    for (const StackCase& c : cases) {
        std::string message, after;
        std::uint32_t depth = 1;
        OnOverstatedStack([&] {
            TMathInterpreter interpreter;
            interpreter.SetMaxFunctionNesting(4000000000u);
            for (const std::string& s : interpreter.SplitStatements(c.definitions)) interpreter.ExecuteExpression(s);
            interpreter.PrepareExpression("again * 2");
            if (c.reentry)
                interpreter.SetOnUnknownSymbol([&](TMathInterpreter& m, const std::string&, const Variant&,
                                                   Variant& value) { value = c.reentry(m); });
            message = MessageOf([&] { interpreter.ExecuteExpression(c.statement); });
            after = Describe(interpreter.ExecuteExpression("1 + 1"));
            depth = interpreter.NestingDepth();
        });
        EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
        EXPECT_EQ(after, "integer 2") << c.name;
        EXPECT_EQ(depth, 0u) << c.name;
    }
}

// A handler that installs another one while it runs keeps running with what it captured.
TEST_F(InterpreterTest, HandlerMayReplaceItselfWhileItRuns) {
    const std::string first(64, 'a');
    interpreter.SetOnUnknownSymbol([first](TMathInterpreter& m, const std::string&, const Variant&, Variant& value) {
        m.SetOnUnknownSymbol([](TMathInterpreter&, const std::string&, const Variant&, Variant& v) { v = 2; });
        value = VarFromLStr(first);  // the capture of the handler just replaced
    });
    EXPECT_EQ(Run("x"), "string " + first);
    EXPECT_EQ(Run("x"), "integer 2");
    interpreter.SetOnUnknownSymbol([](TMathInterpreter& m, const std::string&, const Variant&, Variant& value) {
        const std::string kept(64, 'k');
        m.SetOnUnknownSymbol(nullptr);
        value = VarFromLStr(kept);
    });
    EXPECT_EQ(Run("y").substr(0, 8), "string k");
    EXPECT_NE(Run("y").find("\"y\" is not defied"), std::string::npos);
}

}  // namespace
}  // namespace tolvex::test
