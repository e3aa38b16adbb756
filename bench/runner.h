#pragma once
// Registers the oneshot/<engine>/<E> and prepared/<engine>/<E> benchmarks of one engine. Every
// benchmark first checks the engine's results against the native formula and is not timed when
// they differ.
//
// An engine is a class constructed from a Formula (all set-up happens there) with
//   OneShot()        text to value, everything included, with the first input row;
//   Prepared(row)    sets the variables to the row and evaluates the prepared formula;
//   Number(result)   the result of either as a double, for the check.
#include <benchmark/benchmark.h>

#include <exception>
#include <string>

#include "expressions.h"

namespace tolvex::bench {

// Counts failed checks; the program's exit status reports them.
void ReportFailure(benchmark::State& state, const std::string& message);
int FailureCount();

template <class Engine>
std::string CheckOneShot(Engine& engine, const Formula& formula) {
    return Mismatch(formula, InputRows()[0], Engine::Number(engine.OneShot()));
}

template <class Engine>
std::string CheckPrepared(Engine& engine, const Formula& formula) {
    for (const Inputs& row : InputRows())
        if (std::string m = Mismatch(formula, row, Engine::Number(engine.Prepared(row))); !m.empty()) return m;
    return {};
}

template <class Engine>
void RunOneShot(benchmark::State& state, const Formula& formula) {
    try {
        Engine engine(formula);
        if (std::string m = CheckOneShot(engine, formula); !m.empty()) return ReportFailure(state, m);
        for (auto _ : state) benchmark::DoNotOptimize(engine.OneShot());
    } catch (const std::exception& e) {
        ReportFailure(state, std::string(formula.name) + ": " + e.what());
    }
}

template <class Engine>
void RunPrepared(benchmark::State& state, const Formula& formula) {
    try {
        Engine engine(formula);
        if (std::string m = CheckPrepared(engine, formula); !m.empty()) return ReportFailure(state, m);
        const auto& rows = InputRows();
        std::size_t i = 0;
        for (auto _ : state) benchmark::DoNotOptimize(engine.Prepared(rows[i++ % kRows]));
    } catch (const std::exception& e) {
        ReportFailure(state, std::string(formula.name) + ": " + e.what());
    }
}

template <class Engine>
void RegisterEngine(const std::string& engine) {
    for (const Formula& f : Formulas()) {
        benchmark::RegisterBenchmark(("oneshot/" + engine + "/" + f.name).c_str(),
                                     [&f](benchmark::State& s) { RunOneShot<Engine>(s, f); });
    }
    for (const Formula& f : Formulas()) {
        benchmark::RegisterBenchmark(("prepared/" + engine + "/" + f.name).c_str(),
                                     [&f](benchmark::State& s) { RunPrepared<Engine>(s, f); });
    }
}

// Only the prepared family, under another name (e.g. "prepared_bound").
template <class Engine>
void RegisterPreparedFamily(const std::string& family, const std::string& engine) {
    for (const Formula& f : Formulas()) {
        benchmark::RegisterBenchmark((family + "/" + engine + "/" + f.name).c_str(),
                                     [&f](benchmark::State& s) { RunPrepared<Engine>(s, f); });
    }
}

// One registration function per engine; the peers exist only when their packages were found.
void RegisterNative();
void RegisterTolvex();
void RegisterTolvexBound();
void RegisterHostFloor();
void RegisterMuparser();
void RegisterFparser();
void RegisterScaling();
void RegisterRecursion();

}  // namespace tolvex::bench
