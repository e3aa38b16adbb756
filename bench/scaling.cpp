// How cost grows with size: long statement lists, large symbol tables, symbol files of many
// variables or functions, and functions of many parameters. Per-item cost should stay flat as the
// size grows tenfold.
#include <string>

#include "tolvex/framework/stream.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "runner.h"

namespace tolvex::bench {

namespace {

// "x*0+1;x*1+1;..." with x defined.
void StatementList(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    std::string text;
    for (int i = 0; i < n; ++i) text += "x*" + std::to_string(i) + "+1;";
    TMathInterpreter interpreter;
    interpreter.ExecuteExpression("x=2");
    for (auto _ : state) benchmark::DoNotOptimize(interpreter.Execute(text));
    state.SetItemsProcessed(state.iterations() * n);
}

// Symbol text of n variables named from v<first> on: integers, doubles and strings in turn.
std::string VariableText(int n, int first = 0) {
    std::string text;
    for (int i = first; i < first + n; ++i) {
        if (i > first) text += ";\r\n";
        switch (i % 3) {
            case 0: text += "v" + std::to_string(i) + "=" + std::to_string(i); break;
            case 1: text += "v" + std::to_string(i) + "=" + std::to_string(i) + ".25"; break;
            default: text += "v" + std::to_string(i) + "='item " + std::to_string(i) + "'"; break;
        }
    }
    return text;
}

// Symbol text of a shared variable and n functions, each calling the one before it.
std::string FunctionText(int n) {
    std::string text = "k=2";
    for (int i = 0; i < n; ++i) {
        text += ";\r\nf" + std::to_string(i) + "(x,y):=";
        text += i == 0 ? "x*y+k" : "f" + std::to_string(i - 1) + "(y,x)+k*x";
    }
    return text;
}

// A short expression against a table of n symbols; a, b and c stand first, in the middle and last.
void ShortExpressionAgainstTable(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    TMathInterpreter interpreter;
    TMemoryStream stream;
    stream.SetData("a=1.5;\r\n" + VariableText(n / 2 - 1) + ";\r\nb=2;\r\n" + VariableText(n - n / 2 - 2, n) +
                   ";\r\nc=0.5");
    interpreter.LoadSymbolsFromStream(stream);
    if (interpreter.SymbolCount() != n) return ReportFailure(state, "table size " + std::to_string(n));
    const std::string text = "a+b*c";
    if (VarToReal(interpreter.ExecuteExpression(text)) != 2.5) return ReportFailure(state, "a+b*c is not 2.5");
    for (auto _ : state) benchmark::DoNotOptimize(interpreter.ExecuteExpression(text));
}

void LoadSymbols(benchmark::State& state, const std::string& text, int symbols) {
    TMathInterpreter interpreter;
    TMemoryStream stream;
    stream.SetData(text);
    for (auto _ : state) {
        stream.SetPosition(0);
        interpreter.LoadSymbolsFromStream(stream);  // empties the table loaded before
    }
    if (interpreter.SymbolCount() != symbols) return ReportFailure(state, "loaded " + std::to_string(symbols));
    state.SetItemsProcessed(state.iterations() * symbols);
}

void LoadVariables(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    LoadSymbols(state, VariableText(n), n);
}

void LoadFunctions(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    LoadSymbols(state, FunctionText(n), n + 1);
}

// "f(p0,p1,...):=p0+p<n-1>" and the call "f(0,1,...)" of a function with n parameters.
std::string ManyParameters(int n, bool definition) {
    std::string text = "f(";
    for (int i = 0; i < n; ++i) text += std::string(i ? "," : "") + (definition ? "p" : "") + std::to_string(i);
    return text + (definition ? "):=p0+p" + std::to_string(n - 1) : ")");
}

void DefineManyParameters(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    const std::string definition = ManyParameters(n, true);
    TMathInterpreter interpreter;
    for (auto _ : state) interpreter.ExecuteExpression(definition);  // redefines f in place
    state.SetItemsProcessed(state.iterations() * n);
}

void CallManyParameters(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    const std::string call = ManyParameters(n, false);
    TMathInterpreter interpreter;
    interpreter.ExecuteExpression(ManyParameters(n, true));
    if (VarToInt(interpreter.ExecuteExpression(call)) != n - 1) return ReportFailure(state, "f(0,...) is not n-1");
    for (auto _ : state) benchmark::DoNotOptimize(interpreter.ExecuteExpression(call));
    state.SetItemsProcessed(state.iterations() * n);
}

// `delete` of n variables in the order they were defined: the hardest order for a table that
// closes every gap at once. With `prepared`, beside n prepared expressions (one per variable),
// which let go of the doomed symbols in one walk over each, not one walk per symbol.
void DeleteList(benchmark::State& state, bool prepared) {
    const auto n = static_cast<int>(state.range(0));
    const std::string table = VariableText(n);
    std::string text = "delete ";
    for (int i = 0; i < n; ++i) text += (i ? ",v" : "v") + std::to_string(i);
    TMathInterpreter interpreter;
    for (int i = 0; prepared && i < n; ++i) interpreter.PrepareExpression("v" + std::to_string(i) + "+1");
    TMemoryStream stream;
    for (auto _ : state) {
        state.PauseTiming();
        stream.SetData(table);
        interpreter.LoadSymbolsFromStream(stream);
        state.ResumeTiming();
        interpreter.ExecuteExpression(text);
    }
    if (interpreter.SymbolCount() != 0) return ReportFailure(state, "symbols left after delete");
    state.SetItemsProcessed(state.iterations() * n);
}

// `ExecuteExpression` of a flat sum of n terms: scanning, assembly with its chain heads,
// evaluation and freeing, each linear in the terms.
void FlatChain(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    std::string text = "1";
    for (int i = 1; i < n; ++i) text += "+1";
    TMathInterpreter interpreter;
    if (VarToInt(interpreter.ExecuteExpression(text)) != n) return ReportFailure(state, "the sum is not n");
    for (auto _ : state) benchmark::DoNotOptimize(interpreter.ExecuteExpression(text));
    state.SetItemsProcessed(state.iterations() * n);
}

// n expressions prepared and each run once, then all cleared: choosing a handle and keeping
// track of the runs stay constant per expression.
void PrepareMany(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    TMathInterpreter interpreter;
    interpreter.ExecuteExpression("a=0.5");
    for (auto _ : state) {
        for (int i = 0; i < n; ++i)
            benchmark::DoNotOptimize(interpreter.ExecutePreparedExpression(interpreter.PrepareExpression("a+1")));
        interpreter.ClearPreparedExpressions();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

void RegisterScaling() {
    benchmark::RegisterBenchmark("scaling/statements", StatementList)
        ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/symbols", ShortExpressionAgainstTable)
        ->RangeMultiplier(10)->Range(10, 100000);
    benchmark::RegisterBenchmark("scaling/load_variables", LoadVariables)
        ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/load_functions", LoadFunctions)
        ->RangeMultiplier(10)->Range(1000, 10000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/define_parameters", DefineManyParameters)
        ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/call_parameters", CallManyParameters)
        ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/delete_list", [](benchmark::State& s) { DeleteList(s, false); })
        ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/delete_prepared", [](benchmark::State& s) { DeleteList(s, true); })
        ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/flat_chain", FlatChain)
        ->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("scaling/prepare", PrepareMany)
        ->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
}

}  // namespace tolvex::bench
