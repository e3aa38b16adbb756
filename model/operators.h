#pragma once
// Operator nodes: the root that owns the operands and pulls them off the operand stack, and the
// intermediate classes that fix operand count, associativity and priority for a family.
#include <string>

#include "tolvex/model/items.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// A smaller value binds more tightly.
enum TOperatorPriority : std::uint8_t {
    opSuper = 0, opUnaryOperator = 1, opPower = 2, opMultiply = 3,
    opPlus = 4, opRelation = 5, opBoolean = 6, opAssign = 7,
};

enum TOperatorAssociativity : std::uint8_t { oaLeftToRight = 0, oaRightToLeft = 1 };

class TMOperator : public TMExpression {
public:
    TMOperator() { AddKind(ikOperator); }
    std::string Dump(TDumpFormat format) const override;
    void Rewire(TMSymbol* symbol) override;
    void Unwire(TMSymbol* symbol) override;
    void SetMathInterpreter(TMInterpreterLink* interpreter) override;
    void CollectReferences(std::vector<TMReference*>& references) override;

    virtual std::string DumpOperator() const = 0;
    virtual int NumberOfOperands() const = 0;
    // Asserts that the node holds exactly NumberOfOperands operands.
    void CheckOperatorCount() const;
    // Replaces the operands by those of `list`, whose entries this node takes over.
    void SetOperands(TMExpressions& list);
    virtual TOperatorAssociativity Associativity() const = 0;
    virtual TOperatorPriority Priority() const = 0;
    // Takes the operands off the top of the operand stack; entry 0 is the leftmost.
    virtual void PullOperands(TMItems& stack, TMSymbols* symbols);

    TMExpression* GetOperandExpressions(int index) const { return Operands.Expr(index); }
    Variant GetOperandValues(int index) const { return Operands.Expr(index)->GetValue(); }
    // One operand in plain form, bracketed where priority and associativity need it.
    std::string DumpOperand(int index, TDumpFormat format) const;

    TMExpressions Operands;
};

class TMUnaryOperator : public TMOperator {
public:
    std::string Dump(TDumpFormat format) const override;
    int NumberOfOperands() const override { return 1; }
    TOperatorPriority Priority() const override { return opUnaryOperator; }
};

class TMUnaryPrefixOperator : public TMUnaryOperator {
public:
    TOperatorAssociativity Associativity() const override { return oaRightToLeft; }
};

class TMBinaryOperator : public TMOperator {
public:
    std::string Dump(TDumpFormat format) const override;
    int NumberOfOperands() const override { return 2; }
    TMExpression* LeftOperand() const { return GetOperandExpressions(0); }
    TMExpression* RightOperand() const { return GetOperandExpressions(1); }
    Variant LeftOperandValue() const { return GetOperandValues(0); }
    Variant RightOperandValue() const { return GetOperandValues(1); }
};

class TMLeftToRightAssociative : public TMBinaryOperator {
public:
    TOperatorAssociativity Associativity() const override { return oaLeftToRight; }
};

class TMRightToLeftAssociative : public TMBinaryOperator {
public:
    TOperatorAssociativity Associativity() const override { return oaRightToLeft; }
};

class TMBinaryOperatorMultiplication : public TMLeftToRightAssociative {
public:
    TOperatorPriority Priority() const override { return opMultiply; }
};

class TMBinaryOperatorAddition : public TMLeftToRightAssociative {
public:
    TOperatorPriority Priority() const override { return opPlus; }
};

class TMBinaryOperatorRelation : public TMLeftToRightAssociative {
public:
    TOperatorPriority Priority() const override { return opRelation; }
};

class TMBinaryOperatorBoolean : public TMLeftToRightAssociative {
public:
    TOperatorPriority Priority() const override { return opBoolean; }
};

template <> inline constexpr std::uint32_t kKindOf<TMOperator> = ikOperator;

}  // namespace tolvex

TOLVEX_END_API
