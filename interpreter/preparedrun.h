#pragma once
// What the inline part of TMathInterpreter::ExecutePreparedExpression reads to run a prepared
// expression's double-only form without a call into the library; the compiled program fills it
// in, and the interpreter points each prepared expression at it while its places are current.
// Hosts have no use for it.
#include <limits>

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
};

// Gives NaN: the library answers.
inline double NoPreparedEntry(const FastNode*, const double* const*) { return std::numeric_limits<double>::quiet_NaN(); }

// The run of a prepared expression without a compiled program, or whose program has not found
// its places since the last time a variable's double moved.
inline constexpr TPreparedRun kNoPreparedRun{NoPreparedEntry, nullptr, nullptr};

}  // namespace tolvex

TOLVEX_END_API
