// Calls of functions defined in the text, beside the same functions in C++: fib(20) through
// fib(n):=IfF(n<2,n,fib(n-1)+fib(n-2)) (21,891 calls of numbers), and a function that builds a
// text of n copies of its string argument by recursion (strings passed, saved and restored).
#include <string>

#include "tolvex/interpreter/mathinterpreter.h"
#include "runner.h"

namespace tolvex::bench {

namespace {

constexpr int kFibArgument = 20;
constexpr int kRepeatCount = 50;
const char* const kRepeatUnit = "ab";

[[gnu::noinline]] int NativeFib(int n) { return n < 2 ? n : NativeFib(n - 1) + NativeFib(n - 2); }

[[gnu::noinline]] std::string NativeRepeat(const std::string& s, int n) {
    return n <= 0 ? std::string() : s + NativeRepeat(s, n - 1);
}

int ExpectedFib() { return NativeFib(kFibArgument); }

void NativeFibBench(benchmark::State& state) {
    int n = kFibArgument;
    for (auto _ : state) {
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(NativeFib(n));
    }
}

void NativeRepeatBench(benchmark::State& state) {
    std::string unit = kRepeatUnit;
    for (auto _ : state) {
        benchmark::DoNotOptimize(unit);
        benchmark::DoNotOptimize(NativeRepeat(unit, kRepeatCount));
    }
}

// Defines the function, checks one call against `expected`, then times the call.
void TimeCall(benchmark::State& state, const std::string& definition, const std::string& call,
              const Variant& expected) {
    try {
        TMathInterpreter interpreter;
        interpreter.ExecuteExpression(definition);
        if (!(interpreter.ExecuteExpression(call) == expected))
            return ReportFailure(state, call + " differs from the native function");
        for (auto _ : state) benchmark::DoNotOptimize(interpreter.ExecuteExpression(call));
    } catch (const std::exception& e) {
        ReportFailure(state, call + ": " + e.what());
    }
}

void TolvexFibBench(benchmark::State& state) {
    TimeCall(state, "fib(n):=IfF(n<2,n,fib(n-1)+fib(n-2))", "fib(" + std::to_string(kFibArgument) + ")",
             Variant(std::int32_t{ExpectedFib()}));
}

void TolvexRepeatBench(benchmark::State& state) {
    TimeCall(state, "rep(s,n):=IfF(n<=0,'',s+rep(s,n-1))",
             "rep('" + std::string(kRepeatUnit) + "'," + std::to_string(kRepeatCount) + ")",
             Variant(NativeRepeat(kRepeatUnit, kRepeatCount)));
}

}  // namespace

void RegisterRecursion() {
    benchmark::RegisterBenchmark("recursion/native/fib", NativeFibBench)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("recursion/tolvex/fib", TolvexFibBench)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("recursion/native/repeat", NativeRepeatBench)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("recursion/tolvex/repeat", TolvexRepeatBench)->Unit(benchmark::kMicrosecond);
}

}  // namespace tolvex::bench
