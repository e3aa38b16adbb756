#pragma once
// The benchmark's expression set: each formula as the engines spell it, the same formula as
// C++, and the inputs every engine is fed.
#include <array>
#include <cstddef>
#include <string>

namespace tolvex::bench {

// Values of the variables a..f for one evaluation.
using Inputs = std::array<double, 6>;

struct Formula {
    const char* name;     // "E1"
    const char* text;     // in the interpreter's language; the peers read the same text
    double (*native)(const Inputs& v);
};

const std::array<Formula, 8>& Formulas();

// A fixed cycle of input rows; iteration i uses row i % kRows.
constexpr std::size_t kRows = 16;
const std::array<Inputs, kRows>& InputRows();

// The variable names in input order.
constexpr std::array<const char*, 6> kVariables = {"a", "b", "c", "d", "e", "f"};

// Empty when `value` matches the native result for `row`, else a description of the mismatch.
std::string Mismatch(const Formula& formula, const Inputs& row, double value);

}  // namespace tolvex::bench
