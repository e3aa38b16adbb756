#pragma once
// Operator nodes: the root that owns the operands and pulls them off the operand stack, and the
// intermediate classes that fix operand count, associativity and priority for a family.
#include <memory>
#include <string>
#include <vector>

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
    // A chain head frees its chain link by link, not by recursing once per link.
    ~TMOperator() override;
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
    // Heads of long flat chains (see TMLeftToRightAssociative) walk their whole chain in a loop.
    bool IsChainHead() const { return Kinds() & ikChainHead; }

    TMExpressions Operands;

protected:
    void MarkChainHead() { AddKind(ikChainHead); }
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

// A flat chain of one priority («a+b-c+d») leans left: each operator's left operand is the
// operator before it. Such a chain is no nesting, however long: tree assembly makes every 64th
// link a chain head (a node of the same class that evaluates, dumps, binds and frees the chain
// below it in a loop), so that no walk recurses more than 64 times along a chain.
class TMLeftToRightAssociative : public TMBinaryOperator {
public:
    TMLeftToRightAssociative() { AddKind(ikLeftToRight); }
    TOperatorAssociativity Associativity() const override { return oaLeftToRight; }
    // The left operand, when it continues the chain: of this family and of the same priority.
    TMLeftToRightAssociative* ChainLink() const;
    // This node and the links below it, top first.
    std::vector<TMLeftToRightAssociative*> Chain() const;
    // The node's value once its left operand gave `left`: the right operand is evaluated now.
    virtual Variant Combine(const Variant& left);
    // An empty node of the same class that is a chain head; null for a class without one.
    virtual std::unique_ptr<TMLeftToRightAssociative> NewChainHead() const { return nullptr; }
    // The chain's value, bottom first, as the recursive evaluation would compute it.
    Variant ChainValue();
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
template <> inline constexpr std::uint32_t kKindOf<TMLeftToRightAssociative> = ikLeftToRight;

}  // namespace tolvex

TOLVEX_END_API
