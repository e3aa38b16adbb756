// Tree assembly: items are ordered with an operator stack, and each operator node that leaves
// it takes its operands from the operand stack, so the tree is built in the same pass.
#include <algorithm>

#include "tolvex/framework/format.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

namespace {

bool IsPendingOperand(const TMItem* item) { return Is<TMVarRef>(item) || Is<TMLiteral>(item); }

}  // namespace

namespace {

// Every this many links of a flat chain one is a chain head.
constexpr int kChainStride = 64;

}  // namespace

// `levels` is how deep a walk from the subtree's root recurses: one per node, except that a chain
// head walks its chain in a loop and recurses only into the chain's operands. So a flat chain of
// any length counts at most kChainStride levels, and the limit bounds what every walk recurses.
struct TMathInterpreter::SubtreeDepth {
    int levels = 0;
    int chain = 0;        // links of the flat chain that ends in this node (0: no chain node)
    int chainLevels = 0;  // deepest operand of that chain
};

// Moves the top of the operator stack to the operand stack. `depths` runs beside the operand
// stack, so that no tree whose walks would recurse deeper than the limit is ever built.
void TMathInterpreter::MoveToOperands(TMItems& operators, TMValues& operands, std::vector<SubtreeDepth>& depths) {
    const int position = operators.Last()->ParsePosition;
    const int before = operands.Count();
    operands.PullFromStack1(operators, symbols_.get());
    const int first = operands.Count() - 1;  // index of the moved item; it took what lay above
    SubtreeDepth depth;
    for (int i = first; i < before; ++i) depth.levels = std::max(depth.levels, depths[static_cast<std::size_t>(i)].levels);
    if (auto* node = As<TMLeftToRightAssociative>(operands.Last()); node && before - first == 2) {
        const SubtreeDepth& left = depths[static_cast<std::size_t>(first)];
        const SubtreeDepth& right = depths[static_cast<std::size_t>(first) + 1];
        const bool link = node->ChainLink() != nullptr;
        depth.chain = link ? left.chain + 1 : 1;
        depth.chainLevels = std::max(link ? left.chainLevels : left.levels, right.levels);
        if (depth.chain % kChainStride == 0) {
            if (std::unique_ptr<TMLeftToRightAssociative> head = node->NewChainHead()) {
                head->ParsePosition = node->ParsePosition;
                head->SetOperands(node->Operands);
                operands.Pop();
                operands.Add(std::move(head));
                depth.levels = depth.chainLevels;
            }
        }
    }
    ++depth.levels;
    depths.resize(static_cast<std::size_t>(first));
    depths.push_back(depth);
    if (depth.levels > kMaxTreeDepth)
        throw Exception(Join("TMathInterpreter.RPN() Expression nested deeper than ", kMaxTreeDepth,
                             " levels, position: ", position, "."));
}

void TMathInterpreter::PullPending(TMItems& operators, TMValues& operands, std::vector<SubtreeDepth>& depths,
                                   TOperatorPriority priority, TOperatorAssociativity associativity) {
    while (operators.Count() > 0) {
        TMItem* top = operators.Last();
        if (!IsPendingOperand(top)) {
            auto* op = As<TMOperator>(top);
            if (!op) return;
            const bool moves = associativity == oaLeftToRight ? priority >= op->Priority() : priority > op->Priority();
            if (!moves) return;
        }
        MoveToOperands(operators, operands, depths);
    }
}

std::unique_ptr<TMExpression> TMathInterpreter::RPN(TMItems& items) {
    TMItems operators;
    TMValues operands;
    std::vector<SubtreeDepth> depths;  // beside `operands`
    operators.Reserve(items.Count());
    operands.Reserve(items.Count());
    depths.reserve(static_cast<std::size_t>(items.Count()));
    bool afterCall = false;
    for (int i = 0; i < items.Count(); ++i) {
        std::unique_ptr<TMItem> item = items.Take(i);
        const bool isCall = Is<TMFunctionCall>(item.get());
        if (Is<TMLeftBracket>(item.get())) {
            // The scanner puts a call's own "(" right after it: it marks where the arguments begin.
            if (afterCall) {
                operands.Add(std::move(item));
                depths.push_back({});
            } else {
                operators.Add(std::move(item));
            }
        } else if (IsPendingOperand(item.get())) {
            operators.Add(std::move(item));
        } else if (isCall) {
            PullPending(operators, operands, depths, opSuper, oaLeftToRight);
            operators.Add(std::move(item));
        } else if (Is<TMComma>(item.get())) {
            const int position = item->ParsePosition;
            item.reset();
            for (;;) {
                if (operators.Count() == 0)
                    throw Exception(Join("TMathInterpreter.RPN() Comma outside parameter list, position: ", position, "."));
                if (Is<TMLeftBracket>(operators.Last()) || Is<TMFunctionCall>(operators.Last())) break;
                MoveToOperands(operators, operands, depths);
            }
        } else if (Is<TMRightBracket>(item.get())) {
            const int position = item->ParsePosition;
            item.reset();
            for (;;) {
                if (operators.Count() == 0)
                    throw Exception(Join("TMathInterpreter.RPN() Unclosed right bracket, position: ", position, "."));
                if (Is<TMLeftBracket>(operators.Last())) {
                    operators.Pop();
                    break;
                }
                const bool call = Is<TMFunctionCall>(operators.Last());
                MoveToOperands(operators, operands, depths);
                if (call) break;
            }
        } else if (auto* op = As<TMOperator>(item.get())) {
            PullPending(operators, operands, depths, op->Priority(), op->Associativity());
            operators.Add(std::move(item));
        } else {
            throw Exception(Join("TMathInterpreter.RPN() Invalid type \"", item->ClassName(),
                                 "\" of parsed item on index ", i, "."));
        }
        afterCall = isCall;
    }
    while (operators.Count() > 0) {
        if (Is<TMLeftBracket>(operators.Last()))
            throw Exception(Join("TMathInterpreter.RPN() Unclosed left bracket on position: ",
                                 operators.Last()->ParsePosition, "."));
        MoveToOperands(operators, operands, depths);
    }
    if (operands.Count() > 1)
        throw Exception(Join("TMathInterpreter.RPN() Unbalanced number of operators and operands, position: ",
                             operands.Get(0)->ParsePosition, "."));
    if (operands.Count() == 0) return nullptr;
    TOLVEX_ASSERT(Is<TMExpression>(operands.Last()), "MathInterpreter");
    std::unique_ptr<TMExpression> tree(static_cast<TMExpression*>(operands.Pop().release()));
    symbols_->BindTree(*tree, nullptr);
    tree->SetMathInterpreter(this);
    return tree;
}

void TMathInterpreter::RewireReferences() {
    for (int i = 0; i < symbols_->Count(); ++i) {
        auto* function = As<TMFunction>(symbols_->Symbol(i));
        if (!function || !Is<TMReference>(function->Expression())) continue;
        function->Expression()->RewireSymbols(*symbols_);
        function->Expression()->RewireSymbols(function->Parameters());
        // Names may have followed renamed symbols: the body is filed again under what it uses now.
        symbols_->Index()->RemoveBody(*function);
        symbols_->Index()->AddBody(*symbols_, *function);
    }
}

}  // namespace tolvex
