#pragma once
// Searching a tree: every node of an expression, operands and call arguments included (but not
// the bodies of the functions that calls and definitions name).
#include <functional>

#include "tolvex/model/item.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// True when `match` holds for a node of the tree, parents before children; stops at the first.
// A null tree has no nodes. The walk recurses no deeper than tree assembly allows
// (kMaxTreeDepth), since it follows flat chains in a loop.
bool AnyNode(const TMExpression* tree, const std::function<bool(const TMExpression&)>& match);

}  // namespace tolvex

TOLVEX_END_API
