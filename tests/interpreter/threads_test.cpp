// Interpreters on different threads are independent: many of them define functions, prepare and
// run expressions, draw random numbers and save and load files at the same time. Run under
// ThreadSanitizer (the tsan preset) this also proves that they share no unsynchronised state.
#include <unistd.h>

#include <set>
#include <thread>
#include <vector>

#include "support/interpreter_fixture.h"

namespace tolvex::test {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 25;

std::string FileName(const std::string& name) {
    return ::testing::TempDir() + "tolvex_threads_" + std::to_string(::getpid()) + "_" + name + ".txt";
}

// The symbol text that thread `id` saves; every thread's text is different.
std::string Definitions(int id) {
    return "n = " + std::to_string(id) + "; f(x) := x * n + 1; g(a, b) := IfF(a > b, a, b); "
           "fact(k) := IfF(k <= 1, 1, k * fact(k - 1)); s = 'thread ' + IntToStr(n) + ';'";
}

// One thread's work; returns what went wrong, or nothing.
std::string Work(int id, const std::string& shared, const std::set<std::string>& texts) {
    TMathInterpreter interpreter;
    interpreter.SetRandomSeed(static_cast<std::uint64_t>(id));
    TMathInterpreter twin;  // same seed, same draws: no other thread touches the generator
    twin.SetRandomSeed(static_cast<std::uint64_t>(id));
    const std::string own = FileName(std::to_string(id));
    for (int round = 0; round < kRounds; ++round) {
        interpreter.Execute(Definitions(id) + "; v = " + std::to_string(round));
        const int expression = interpreter.PrepareExpression("f(v) + g(v, 3) + fact(5)");
        const int v = interpreter.GetVariableHandles("v");
        for (int i = 0; i < 10; ++i) {
            interpreter.SetVariablesByHandle(v, VarFromInt(i));
            const Variant result = interpreter.ExecutePreparedExpression(expression);
            if (!(result == VarFromInt(i * id + 1 + std::max(i, 3) + 120)))
                return "thread " + std::to_string(id) + ": " + Describe(result);
        }
        interpreter.FreePreparedExpression(expression);
        const Variant draw = interpreter.ExecuteExpression("RandG(10, 2)");
        if (!(draw == twin.ExecuteExpression("RandG(10, 2)"))) return "random draws differ in thread " + std::to_string(id);

        interpreter.ExecuteExpression("v = 0");
        interpreter.SaveSymbolsToFile(own);
        TMathInterpreter copy;
        copy.LoadSymbolsFromFile(own);
        if (copy.DumpStreamable() != interpreter.DumpStreamable()) return "own file differs in thread " + std::to_string(id);

        // Saves replace the shared file whole, so a load sees one thread's complete text.
        interpreter.SaveSymbolsToFile(shared);
        copy.LoadSymbolsFromFile(shared);
        if (!texts.count(copy.DumpStreamable())) return "partial shared file: " + copy.DumpStreamable();
    }
    std::remove(own.c_str());
    return {};
}

TEST(ThreadsTest, InterpretersOnManyThreadsAreIndependent) {
    const std::string shared = FileName("shared");
    std::set<std::string> texts;
    for (int id = 0; id < kThreads; ++id) {
        TMathInterpreter interpreter;
        interpreter.Execute(Definitions(id) + "; v = 0");
        texts.insert(interpreter.DumpStreamable());
    }
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(kThreads));

    std::vector<std::string> failures(kThreads);
    std::vector<std::thread> threads;
    for (int id = 0; id < kThreads; ++id) {
        threads.emplace_back([&, id] {
            try {
                failures[id] = Work(id, shared, texts);
            } catch (const Exception& e) {
                failures[id] = e.Message();
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (int id = 0; id < kThreads; ++id) EXPECT_EQ(failures[id], "") << "thread " << id;
    std::remove(shared.c_str());
}

}  // namespace
}  // namespace tolvex::test
