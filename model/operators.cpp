#include "tolvex/model/operators.h"

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"

namespace tolvex {

void TMOperator::Rewire(TMSymbol* symbol) {
    for (int i = 0; i < Operands.Count(); ++i)
        if (TMExpression* e = Operands.Expr(i)) e->Rewire(symbol);
}

void TMOperator::Unwire(TMSymbol* symbol) {
    for (int i = 0; i < Operands.Count(); ++i)
        if (TMExpression* e = Operands.Expr(i)) e->Unwire(symbol);
}

void TMOperator::SetMathInterpreter(TMInterpreterLink* interpreter) {
    TOLVEX_ASSERT(interpreter, "MathItem");
    for (int i = 0; i < Operands.Count(); ++i)
        if (TMExpression* e = Operands.Expr(i)) e->SetMathInterpreter(interpreter);
}

void TMOperator::CollectReferences(std::vector<TMReference*>& references) {
    for (int i = 0; i < Operands.Count(); ++i)
        if (TMExpression* e = Operands.Expr(i)) e->CollectReferences(references);
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
