#include "tolvex/model/walk.h"

#include "tolvex/model/operators.h"
#include "tolvex/model/references.h"

namespace tolvex {

bool AnyNode(const TMExpression* tree, const std::function<bool(const TMExpression&)>& match) {
    if (!tree) return false;
    if (match(*tree)) return true;
    if (auto* op = As<TMOperator>(tree); op && op->IsChainHead()) {
        // Down the chain first, parents before children, then the operands from the bottom up.
        const auto chain = static_cast<const TMLeftToRightAssociative*>(op)->Chain();
        for (std::size_t i = 1; i < chain.size(); ++i)
            if (match(*chain[i])) return true;
        if (AnyNode(chain.back()->LeftOperand(), match)) return true;
        for (auto link = chain.rbegin(); link != chain.rend(); ++link)
            if (AnyNode((*link)->RightOperand(), match)) return true;
    } else if (op) {
        for (int i = 0; i < op->Operands.Count(); ++i)
            if (AnyNode(op->GetOperandExpressions(i), match)) return true;
    } else if (auto* call = As<TMFunctionCall>(tree)) {
        for (int i = 0; i < call->ParamExpressions.Count(); ++i)
            if (AnyNode(call->ParamExpressions.Param(i)->Expression.get(), match)) return true;
    }
    return false;
}

}  // namespace tolvex
