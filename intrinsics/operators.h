#pragma once
// The built-in operators: two prefix operators and eighteen binary ones. Each knows its text,
// family (which fixes priority and associativity) and evaluation. Both operands are always
// evaluated, left first.
#include "tolvex/framework/exception.h"
#include "tolvex/model/operators.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

using BinaryEvaluation = Variant (*)(const Variant&, const Variant&);

// A binary operator whose value is `Eval` of its two operand values. `Checked` operators verify
// their operand count first.
template <class Family, BinaryEvaluation Eval, bool Checked>
class TMBinaryOperation : public Family {
public:
    Variant GetValue() override {
        // The count test without a virtual call: every node of this template takes two operands.
        if constexpr (Checked) TOLVEX_ASSERT(this->Operands.Count() == 2, "MathItem");
        Variant left = this->LeftOperandValue();
        return Eval(left, this->RightOperandValue());
    }
    Variant Combine(const Variant& left) override {
        if constexpr (Checked) TOLVEX_ASSERT(this->Operands.Count() == 2, "MathItem");
        return Eval(left, this->RightOperandValue());
    }
};

// The same operator as the head of a long chain: it evaluates the chain below it in a loop.
// Only evaluation differs, so that the plain nodes of every chain keep their speed.
template <class Operator>
class TMChainHead final : public Operator {
public:
    TMChainHead() { this->MarkChainHead(); }
    Variant GetValue() override { return this->ChainValue(); }
};

Variant PowerOf(const Variant& base, const Variant& exponent);
Variant IsLess(const Variant& a, const Variant& b);
Variant IsLessOrEqual(const Variant& a, const Variant& b);
Variant IsEqual(const Variant& a, const Variant& b);
Variant IsLargerOrEqual(const Variant& a, const Variant& b);
Variant IsLarger(const Variant& a, const Variant& b);
Variant IsNotEqual(const Variant& a, const Variant& b);

// Declares one binary operator: its class name, its text, and its evaluation (the base).
#define TOLVEX_OPERATOR(Name, Text, ...)                                       \
    class Name : public __VA_ARGS__ {                                          \
    public:                                                                    \
        const char* ClassName() const override { return #Name; }               \
        std::string DumpOperator() const override { return Text; }             \
        std::unique_ptr<TMLeftToRightAssociative> NewChainHead() const override { \
            return std::make_unique<TMChainHead<Name>>();                      \
        }                                                                      \
    };

class TMUnaryMinus final : public TMUnaryPrefixOperator {
public:
    TMUnaryMinus() { AddKind(ikUnaryMinus); }
    const char* ClassName() const override { return "TMUnaryMinus"; }
    std::string DumpOperator() const override { return "-"; }
    Variant GetValue() override;
};

class TMNot final : public TMUnaryPrefixOperator {
public:
    const char* ClassName() const override { return "TMNot"; }
    std::string DumpOperator() const override { return " not "; }
    Variant GetValue() override;
};

class TMPowerBase : public TMLeftToRightAssociative {
public:
    TOperatorPriority Priority() const override { return opPower; }
};

TOLVEX_OPERATOR(TMPower, "^", TMBinaryOperation<TMPowerBase, PowerOf, true>)
TOLVEX_OPERATOR(TMMultiply, "*", TMBinaryOperation<TMBinaryOperatorMultiplication, VarMul, true>)
TOLVEX_OPERATOR(TMDivide, "/", TMBinaryOperation<TMBinaryOperatorMultiplication, VarRDiv, true>)
TOLVEX_OPERATOR(TMIntDiv, " div ", TMBinaryOperation<TMBinaryOperatorMultiplication, VarDiv, true>)
TOLVEX_OPERATOR(TMMod, " mod ", TMBinaryOperation<TMBinaryOperatorMultiplication, VarMod, true>)
TOLVEX_OPERATOR(TMPlus, "+", TMBinaryOperation<TMBinaryOperatorAddition, VarAdd, true>)
TOLVEX_OPERATOR(TMMinus, "-", TMBinaryOperation<TMBinaryOperatorAddition, VarSub, true>)
TOLVEX_OPERATOR(TMLess, "<", TMBinaryOperation<TMBinaryOperatorRelation, IsLess, false>)
TOLVEX_OPERATOR(TMLessOrEqual, "<=", TMBinaryOperation<TMBinaryOperatorRelation, IsLessOrEqual, false>)
TOLVEX_OPERATOR(TMEqual, "==", TMBinaryOperation<TMBinaryOperatorRelation, IsEqual, false>)
TOLVEX_OPERATOR(TMLargerOrEqual, ">=", TMBinaryOperation<TMBinaryOperatorRelation, IsLargerOrEqual, false>)
TOLVEX_OPERATOR(TMLarger, ">", TMBinaryOperation<TMBinaryOperatorRelation, IsLarger, false>)
TOLVEX_OPERATOR(TMNotEqual, "!=", TMBinaryOperation<TMBinaryOperatorRelation, IsNotEqual, false>)
TOLVEX_OPERATOR(TMAnd, " and ", TMBinaryOperation<TMBinaryOperatorBoolean, VarAnd, false>)
TOLVEX_OPERATOR(TMOr, " or ", TMBinaryOperation<TMBinaryOperatorBoolean, VarOr, false>)
TOLVEX_OPERATOR(TMXor, " xor ", TMBinaryOperation<TMBinaryOperatorBoolean, VarXor, false>)
TOLVEX_OPERATOR(TMShl, " shl ", TMBinaryOperation<TMBinaryOperatorBoolean, VarShl, false>)
TOLVEX_OPERATOR(TMShr, " shr ", TMBinaryOperation<TMBinaryOperatorBoolean, VarShr, false>)

#undef TOLVEX_OPERATOR

template <> inline constexpr std::uint32_t kKindOf<TMUnaryMinus> = ikUnaryMinus;

}  // namespace tolvex

TOLVEX_END_API
