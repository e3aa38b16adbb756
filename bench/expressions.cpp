#include "expressions.h"

#include <cmath>
#include <string>

namespace tolvex::bench {

namespace {

// Extended-precision functions may differ from the double ones in the last bits.
constexpr double kRelativeTolerance = 1e-12;

}  // namespace

const std::array<Formula, 8>& Formulas() {
    static const std::array<Formula, 8> formulas = {{
        {"E1", "a+b*c", [](const Inputs& v) { return v[0] + v[1] * v[2]; }},
        {"E2", "(a+b)*(c-d)/e", [](const Inputs& v) { return (v[0] + v[1]) * (v[2] - v[3]) / v[4]; }},
        {"E3", "a*b+sin(c)/2-d^2",
         [](const Inputs& v) { return v[0] * v[1] + std::sin(v[2]) / 2 - std::pow(v[3], 2.0); }},
        {"E4", "sqrt(a*a+b*b)", [](const Inputs& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1]); }},
        {"E5", "exp(-a*a/2)*cos(b)", [](const Inputs& v) { return std::exp(-v[0] * v[0] / 2) * std::cos(v[1]); }},
        {"E6", "a*b*c+d*e*f-(a+b+c+d+e+f)/2+sin(a)*cos(b)+sqrt(c*c+d*d)",
         [](const Inputs& v) {
             return v[0] * v[1] * v[2] + v[3] * v[4] * v[5] - (v[0] + v[1] + v[2] + v[3] + v[4] + v[5]) / 2 +
                    std::sin(v[0]) * std::cos(v[1]) + std::sqrt(v[2] * v[2] + v[3] * v[3]);
         }},
        {"E7", "((((a+1)*2)+3)*4)", [](const Inputs& v) { return (((v[0] + 1) * 2) + 3) * 4; }},
        {"E8", "1+2*3-4/5", [](const Inputs&) { return 1 + 2 * 3 - 4.0 / 5; }},
    }};
    return formulas;
}

const std::array<Inputs, kRows>& InputRows() {
    static const std::array<Inputs, kRows> rows = [] {
        std::array<Inputs, kRows> r{};
        for (std::size_t i = 0; i < kRows; ++i)
            for (std::size_t j = 0; j < 6; ++j) r[i][j] = 0.25 + 0.125 * static_cast<double>((i * 7 + j * 3) % 11);
        return r;
    }();
    return rows;
}

std::string Mismatch(const Formula& formula, const Inputs& row, double value) {
    const double expected = formula.native(row);
    if (std::fabs(value - expected) <= kRelativeTolerance * std::fabs(expected)) return {};
    return std::string(formula.name) + ": got " + std::to_string(value) + ", native gives " + std::to_string(expected);
}

}  // namespace tolvex::bench
