#pragma once
// What the inline part of TMathInterpreter::ExecutePreparedExpression reads to run a prepared
// expression's double-only form without a call into the library; the compiled program fills it
// in and keeps it current. Hosts have no use for it.
#include <cstdint>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

struct FastNode;

struct TPreparedRun {
    // The machine code, the closures' root function, or a function giving NaN where there is no
    // double-only form; NaN (anything not finite) means the library must answer.
    double (*entry)(const FastNode* root, const double* const* places);
    const FastNode* root;
    // Per variable of the form, where its double is.
    const double* const* places;
    // The interpreter's count of changes when the places were found: the run is good while the
    // count stands there.
    std::uint64_t resolvedAt;
};

// The run of a prepared expression without a compiled program: the count never stands at its
// `resolvedAt` (it would take 2^64 changes), so the library always answers.
inline constexpr TPreparedRun kNoPreparedRun{nullptr, nullptr, nullptr, ~std::uint64_t{0}};

}  // namespace tolvex

TOLVEX_END_API
