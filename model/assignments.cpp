#include "model/assignments.h"

#include "framework/exception.h"
#include "framework/format.h"
#include "model/interpreterlink.h"
#include "model/references.h"
#include "model/symbols.h"

namespace tolvex {

std::string TMAssign::DumpOperator() const {
    throw Exception("TMAssign.DumpOperator() This method should not be called.");
}

// ---- "=" ------------------------------------------------------------------------------------

void TMAssignValue::PullOperands(TMItems& stack, TMSymbols* symbols) {
    TOLVEX_ASSERT(symbols, "MathItem");
    TMOperator::PullOperands(stack, symbols);
}

Variant TMAssignValue::GetValue() {
    auto* left = dynamic_cast<TMVarRef*>(LeftOperand());
    if (!left)
        throw Exception(Join("TMAssignValue.PullOperands() Left operand (position: ", LeftOperand()->ParsePosition,
                             ") of value assignment (postiton: ", ParsePosition, ") must be variable reference, not \"",
                             LeftOperand()->ClassName(), "\"."));
    TOLVEX_ASSERT(left->MathInterpreter, "MathItem");
    TMInterpreterLink& interpreter = *left->MathInterpreter;
    Variant result = RightOperandValue();
    const std::string& name = left->ReferencedSymbolName;
    // The table's variable is written even where the name is also a parameter.
    TMSymbol* target = interpreter.Symbols().FindSymbol(name);
    if (target && !Is<TMVar>(target))
        throw Exception(Join("TMAssignValue.PullOperands() Left operand (position: ", left->ParsePosition,
                             ") of value assignment (position: ", ParsePosition, ") must reference to variable, not to\"",
                             target->ClassName(), "\"."));
    if (!target) target = CreateVariable(interpreter, name, result);
    if (!target) return result;
    try {
        target->SetValue(result);
    } catch (const Exception& e) {
        throw Exception(Join("TMAssignValue.GetValue() Error on position: ", ParsePosition,
                             ", while trying to assign a value to position: ", left->ParsePosition,
                             ". Error message: \"", e.Message(), "\"."));
    }
    return result;
}

// Offers the new name to the unknown-symbol event; a handler that empties the value keeps it.
TMSymbol* TMAssignValue::CreateVariable(TMInterpreterLink& interpreter, const std::string& name, const Variant& value) {
    Variant copy = value;
    interpreter.DoUnknownSymbol(name, Null(), copy);
    if (copy.IsEmpty()) return nullptr;
    TMSymbols& table = interpreter.Symbols();
    auto variable = std::make_unique<TMVar>();
    variable->ParsePosition = LeftOperand()->ParsePosition;
    variable->List = &table;
    variable->SetIdentifier(name);
    TMSymbol* created = variable.get();
    table.Add(std::move(variable));
    return created;
}

// ---- ":=" -----------------------------------------------------------------------------------

void TMAssignSymbolic::PullOperands(TMItems& stack, TMSymbols* symbols) {
    TOLVEX_ASSERT(symbols, "MathItem");
    TMOperator::PullOperands(stack, symbols);
    std::unique_ptr<TMExpression> body(static_cast<TMExpression*>(Operands.Take(1).release()));
    TOLVEX_ASSERT(body, "MathItem");
    if (Is<TMAssignSymbolic>(body.get()))
        throw Exception(Join("TMAssignSymbolic.PullOperands() Right operand of the symbolic assignment on position: ",
                             ParsePosition, " can not be a symbolic assignment."));
    auto* left = dynamic_cast<TMSymbolRef*>(LeftOperand());
    if (!left)
        throw Exception(Join("TMAssignSymbolic.PullOperands() Left operand (position: ", LeftOperand()->ParsePosition,
                             ", type = \"", LeftOperand()->ClassName(), "\") of symbolic assignment (position: ",
                             ParsePosition, ") must be symbol reference (var. ref. or function call)."));
    TMFunction* function = DefineFunction(*symbols, left->ReferencedSymbolName);
    TMExpression* expression = body.get();
    function->SetExpression(std::move(body));
    if (Is<TMVarRef>(left)) {
        // A plain name on the left is a call without arguments.
        auto call = std::make_unique<TMFunctionCall>();
        call->ParsePosition = left->ParsePosition;
        call->ReferencedSymbolName = left->ReferencedSymbolName;
        Operands.Take(0).reset();
        Operands.Put(0, std::move(call));
    }
    DeclareParameters(*function);
    // Names that are not parameters bind to the table's symbols, the function itself included.
    for (int i = 0; i < symbols->Count(); ++i) {
        TMSymbol* s = symbols->Symbol(i);
        if (s && !function->Parameters().ParamExists(s->Identifier())) expression->Rewire(s);
    }
    expression->SetMathInterpreter(symbols->MathInterpreter);
}

// A new name gets a new function; an existing function is emptied in place, so references to it
// stay bound; a variable is replaced by a function at the same index.
TMFunction* TMAssignSymbolic::DefineFunction(TMSymbols& symbols, const std::string& name) {
    const int position = LeftOperand()->ParsePosition;
    const int k = symbols.FindSymbolIndex(name);
    if (k < 0) {
        auto function = std::make_unique<TMFunction>();
        function->ParsePosition = position;
        function->List = &symbols;
        function->SetIdentifier(name);
        TMFunction* created = function.get();
        symbols.Add(std::move(function));
        return created;
    }
    TMSymbol* existing = symbols.Symbol(k);
    TOLVEX_ASSERT(symbols.MathInterpreter, "MathItem");
    symbols.MathInterpreter->CheckSymbolRemovable(existing);
    if (auto* function = dynamic_cast<TMFunction*>(existing)) {
        function->ParsePosition = position;
        function->Parameters().FreeAndClear();
        function->FreeExpression();
        return function;
    }
    TOLVEX_ASSERT(Is<TMVar>(existing), "MathItem");
    auto function = std::make_unique<TMFunction>();
    function->ParsePosition = position;
    std::unique_ptr<TMItem> variable = symbols.Take(k);
    function->List = &symbols;
    try {
        function->SetIdentifier(existing->Identifier());
    } catch (...) {
        symbols.Put(k, std::move(variable));
        throw;
    }
    symbols.MathInterpreter->UnwireFromPrepared(existing);
    variable.reset();
    TMFunction* created = function.get();
    symbols.Put(k, std::move(function));
    return created;
}

// Parameters are declared in the held order of the arguments, last argument of the text first.
void TMAssignSymbolic::DeclareParameters(TMFunction& function) {
    auto* call = static_cast<TMFunctionCall*>(LeftOperand());
    for (int i = 0; i < call->ParamExpressions.Count(); ++i) {
        TMExpression* argument = call->ParamExpressions.Param(i)->Expression.get();
        auto* name = dynamic_cast<TMVarRef*>(argument);
        if (!name)
            throw Exception(Join("TMAssignSymbolic.PullOperands() Invalid declaration of parameter on index: ", i,
                                 ", position: ", argument->ParsePosition, ", for function: \"", function.Identifier(),
                                 "\" (position: ", function.ParsePosition, ")."));
        auto param = std::make_unique<TMParam>();
        param->ParsePosition = name->ParsePosition;
        param->List = &function.Parameters();
        param->SetIdentifier(name->ReferencedSymbolName);
        function.Parameters().Add(std::move(param));
    }
}

}  // namespace tolvex
