#pragma once
// Bounds that keep texts of any size from exhausting the process: the interpreter refuses work
// beyond them with EOutOfResources instead of allocating without end.
#include <cstddef>
#include <cstdint>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Items (tokens) one expression may scan into; each costs some 70 bytes while the tree is built.
// Generated formulas of a million terms («2*x+…», four items a term) fit.
inline constexpr int kMaxExpressionItems = 1 << 22;

// Statements whose results one statement list gathers (Execute and the Execute... family).
inline constexpr std::size_t kMaxStatements = std::size_t{1} << 20;

// The longest text read from a stream or file, and the longest symbol text a save writes, so
// that whatever is saved can be loaded (256 MiB).
inline constexpr std::int64_t kMaxTextLength = std::int64_t{256} * 1024 * 1024;

}  // namespace tolvex

TOLVEX_END_API
