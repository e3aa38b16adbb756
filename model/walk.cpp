#include "tolvex/model/walk.h"

#include "tolvex/model/operators.h"
#include "tolvex/model/references.h"

namespace tolvex {

bool AnyNode(const TMExpression* tree, const std::function<bool(const TMExpression&)>& match) {
    if (!tree) return false;
    if (match(*tree)) return true;
    if (auto* op = dynamic_cast<const TMOperator*>(tree)) {
        for (int i = 0; i < op->Operands.Count(); ++i)
            if (AnyNode(op->GetOperandExpressions(i), match)) return true;
    } else if (auto* call = dynamic_cast<const TMFunctionCall*>(tree)) {
        for (int i = 0; i < call->ParamExpressions.Count(); ++i)
            if (AnyNode(call->ParamExpressions.Param(i)->Expression.get(), match)) return true;
    }
    return false;
}

}  // namespace tolvex
