#include "tolvex/model/operators.h"

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"

namespace tolvex {

namespace {

// The operands in index order. A chain head hands on those of its whole chain instead (the
// bottom link's left operand, then the right operands from the bottom up): the links themselves
// only pass the walk on.
template <class Visit>
void ForEachOperand(const TMOperator& node, Visit&& visit) {
    if (!node.IsChainHead()) {
        for (int i = 0; i < node.Operands.Count(); ++i)
            if (TMExpression* e = node.Operands.Expr(i)) visit(e);
        return;
    }
    const auto chain = static_cast<const TMLeftToRightAssociative&>(node).Chain();
    if (TMExpression* e = chain.back()->LeftOperand()) visit(e);
    for (auto link = chain.rbegin(); link != chain.rend(); ++link)
        if (TMExpression* e = (*link)->RightOperand()) visit(e);
}

}  // namespace

// Each node is detached from the one above before it goes, so its own destructor finds no left
// operand to recurse into.
TMOperator::~TMOperator() {
    if (!IsChainHead() || Operands.Count() == 0) return;
    std::unique_ptr<TMItem> next = Operands.Take(0);
    while (auto* op = As<TMOperator>(next.get())) {
        if (op->Operands.Count() == 0) break;
        std::unique_ptr<TMItem> below = op->Operands.Take(0);
        next = std::move(below);
    }
}

void TMOperator::Rewire(TMSymbol* symbol) {
    ForEachOperand(*this, [&](TMExpression* e) { e->Rewire(symbol); });
}

void TMOperator::Unwire(TMSymbol* symbol) {
    ForEachOperand(*this, [&](TMExpression* e) { e->Unwire(symbol); });
}

void TMOperator::SetMathInterpreter(TMInterpreterLink* interpreter) {
    TOLVEX_ASSERT(interpreter, "MathItem");
    ForEachOperand(*this, [&](TMExpression* e) { e->SetMathInterpreter(interpreter); });
}

void TMOperator::CollectReferences(std::vector<TMReference*>& references) {
    ForEachOperand(*this, [&](TMExpression* e) { e->CollectReferences(references); });
}

// ---- Flat chains ----------------------------------------------------------------------------

TMLeftToRightAssociative* TMLeftToRightAssociative::ChainLink() const {
    if (Operands.Count() != 2) return nullptr;
    auto* left = As<TMLeftToRightAssociative>(Operands.Get(0));
    return left && left->Operands.Count() == 2 && left->Priority() == Priority() ? left : nullptr;
}

std::vector<TMLeftToRightAssociative*> TMLeftToRightAssociative::Chain() const {
    std::vector<TMLeftToRightAssociative*> chain{const_cast<TMLeftToRightAssociative*>(this)};
    while (TMLeftToRightAssociative* next = chain.back()->ChainLink()) chain.push_back(next);
    return chain;
}

// Only the built-in binary operators form chains, and each has its own.
Variant TMLeftToRightAssociative::Combine(const Variant&) { AssertionFailed("MathItem", __LINE__); }

Variant TMLeftToRightAssociative::ChainValue() {
    const auto chain = Chain();
    Variant value = chain.back()->LeftOperandValue();
    for (auto link = chain.rbegin(); link != chain.rend(); ++link) value = (*link)->Combine(value);
    return value;
}

void TMOperator::CheckOperatorCount() const {
    TOLVEX_ASSERT(Operands.Count() == NumberOfOperands(), "MathItem");
}

void TMOperator::SetOperands(TMExpressions& list) {
    Operands.FreeAndClear();
    for (int i = 0; i < list.Count(); ++i) Operands.Add(list.Take(i));
    list.FreeAndClear();
}

void TMOperator::PullOperands(TMItems& stack, TMSymbols*) {
    Operands.FreeAndClear();
    const int n = NumberOfOperands();
    Operands.Reserve(n);
    for (int found = 0; found < n; ++found) {
        if (stack.Count() == 0 || !Is<TMExpression>(stack.Last()))
            throw Exception(Join("TMOperator.PullOperands() ", n, " operand(s) expected, but only ", found,
                                 " found. Position: ", ParsePosition, "."));
        Operands.Add(stack.Pop());
    }
    Operands.Reverse();
}

}  // namespace tolvex
