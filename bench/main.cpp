// The benchmark program: every engine side by side on the same formulas, then the scaling
// families. It exits with status 1 when any engine's result disagreed with the native formula.
#include <atomic>
#include <cstdio>

#include "runner.h"

namespace tolvex::bench {

namespace {
std::atomic<int> failures{0};
}

void ReportFailure(benchmark::State& state, const std::string& message) {
    ++failures;
    std::fprintf(stderr, "check failed: %s\n", message.c_str());
    state.SkipWithError(message.c_str());
}

int FailureCount() { return failures.load(); }

}  // namespace tolvex::bench

int main(int argc, char** argv) {
    using namespace tolvex::bench;
    RegisterNative();
    RegisterTolvex();
    RegisterTolvexBound();
    RegisterHostFloor();
    RegisterMuparser();
    RegisterFparser();
    RegisterScaling();
    RegisterRecursion();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return FailureCount() == 0 ? 0 : 1;
}
