#include "tolvex/intrinsics/operators.h"

#include <cmath>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/intrinsics/functions.h"

namespace tolvex {

Variant TMUnaryMinus::GetValue() {
    CheckOperatorCount();
    return VarNeg(GetOperandValues(0));
}

Variant TMNot::GetValue() {
    Variant operand = GetOperandValues(0);
    if (operand.Kind() != VarKind::Boolean)
        throw Exception(Join("TMNot.GetValue() NOT operator (position: ", ParsePosition,
                             ") expects boolean operand (position: ", GetOperandExpressions(0)->ParsePosition, ")."));
    return VarNot(operand);
}

// Always a double, also for two integers.
Variant PowerOf(const Variant& base, const Variant& exponent) {
    double b = VarToReal(base), e = VarToReal(exponent);
    if (b == 0 && e < 0) throw EZeroDivide();
    return VarFromReal(PowerReal(b, e));
}

Variant IsLess(const Variant& a, const Variant& b) { return VarCmp(a, b) == VarRelationship::Less; }
Variant IsLessOrEqual(const Variant& a, const Variant& b) { return VarCmp(a, b) != VarRelationship::Greater; }
Variant IsEqual(const Variant& a, const Variant& b) { return VarCmp(a, b) == VarRelationship::Equal; }
Variant IsLargerOrEqual(const Variant& a, const Variant& b) { return VarCmp(a, b) != VarRelationship::Less; }
Variant IsLarger(const Variant& a, const Variant& b) { return VarCmp(a, b) == VarRelationship::Greater; }
Variant IsNotEqual(const Variant& a, const Variant& b) { return VarCmp(a, b) != VarRelationship::Equal; }

}  // namespace tolvex
