#include "tolvex/model/assignments.h"

#include <exception>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/model/interpreterlink.h"
#include "tolvex/model/references.h"
#include "tolvex/model/symbols.h"
#include "tolvex/model/walk.h"

namespace tolvex {

namespace {

// Parameter lists this long get a name index.
constexpr int kIndexedParameters = 16;

}  // namespace

std::string TMAssign::DumpOperator() const {
    throw Exception("TMAssign.DumpOperator() This method should not be called.");
}

// ---- "=" ------------------------------------------------------------------------------------

void TMAssignValue::PullOperands(TMItems& stack, TMSymbols* symbols) {
    TOLVEX_ASSERT(symbols, "MathItem");
    TMOperator::PullOperands(stack, symbols);
}

Variant TMAssignValue::GetValue() {
    auto* left = As<TMVarRef>(LeftOperand());
    if (!left)
        throw Exception(Join("TMAssignValue.PullOperands() Left operand (position: ", LeftOperand()->ParsePosition,
                             ") of value assignment (postiton: ", ParsePosition, ") must be variable reference, not \"",
                             LeftOperand()->ClassName(), "\"."));
    TOLVEX_ASSERT(left->MathInterpreter, "MathItem");
    TMInterpreterLink& interpreter = *left->MathInterpreter;
    Variant result = RightOperandValue();
    const std::string& name = left->ReferencedSymbolName;
    // The table's variable is written even where the name is also a parameter.
    TMSymbol* target = interpreter.SymbolTable().FindSymbol(name);
    if (const char* kind = target ? target->HostKind() : nullptr; kind && !Is<TMVar>(target))
        throw Exception(Join("TMAssignValue.GetValue() Symbol \"", target->Identifier(), "\" (position: ",
                             left->ParsePosition, ") is a ", kind, " of the host and can't be assigned."));
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
    TMSymbols& table = interpreter.SymbolTable();
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
    auto* left = As<TMSymbolRef>(LeftOperand());
    if (!left)
        throw Exception(Join("TMAssignSymbolic.PullOperands() Left operand (position: ", LeftOperand()->ParsePosition,
                             ", type = \"", LeftOperand()->ClassName(), "\") of symbolic assignment (position: ",
                             ParsePosition, ") must be symbol reference (var. ref. or function call)."));
    TMFunction* function = DefineFunction(*symbols, left->ReferencedSymbolName);
    function->SetExpression(std::move(body));
    function->definer_ = this;
    defined_ = function;
    if (Is<TMVarRef>(left)) {
        // A plain name on the left is a call without arguments.
        auto call = std::make_unique<TMFunctionCall>();
        call->ParsePosition = left->ParsePosition;
        call->ReferencedSymbolName = left->ReferencedSymbolName;
        Operands.Take(0).reset();
        Operands.Put(0, std::move(call));
    }
    // A bad parameter leaves the function with the parameters declared before it; the body is
    // still bound, so that the function behaves as its saved text will.
    std::exception_ptr declarationError;
    try {
        DeclareParameters(*function);
    } catch (const Exception&) {
        declarationError = std::current_exception();
    }
    try {
        BindBody(*symbols, *function);
    } catch (const Exception&) {
        Withdraw(*symbols, function);
        throw;
    }
    if (declarationError) std::rethrow_exception(declarationError);
}

// Names that are not parameters bind to the table's symbols, the function itself included.
void TMAssignSymbolic::BindBody(TMSymbols& symbols, TMFunction& function) {
    TMExpression* body = function.Expression();
    symbols.BindTree(*body, &function.Parameters());
    body->SetMathInterpreter(symbols.MathInterpreter);
}

// A body that cannot be bound (it reads a function with parameters without arguments) would fail
// the same way when its saved text is loaded, so the function leaves the table again. A running
// evaluation cannot be using it: an existing function was only redefined because none was
// running, and a new one is not called yet.
void TMAssignSymbolic::Withdraw(TMSymbols& symbols, TMFunction* function) {
    for (int i = 0; i < symbols.Count(); ++i) {
        if (symbols.Get(i) != function) continue;
        symbols.MathInterpreter->UnwireFromPrepared(function);
        symbols.Extract(i).reset();
        return;
    }
}

TMAssignSymbolic::~TMAssignSymbolic() {
    if (defined_) defined_->definer_ = nullptr;
}

// The text is made while the body is still there. A table being cleared frees every body, and
// with it the nodes inside them, so it is not worth writing; a node outside the table (in a
// prepared expression) then has no text, as before.
void TMAssignSymbolic::Outlived(const TMFunction& function, bool keepText) {
    defined_ = nullptr;
    if (!keepText) return;
    try {
        keptEscape_ = function.List && function.List->MathInterpreter ? function.List->MathInterpreter->EscapeChar() : '\0';
        kept_ = function.Dump(TDumpFormat{}.WithEscapeChar(keptEscape_));
    } catch (...) {
        kept_.clear();  // no text then: the dump says so when asked
    }
}

void TMAssignSymbolic::CollectReferences(std::vector<TMReference*>& references) {
    if (auto* call = As<TMFunctionCall>(LeftOperand())) references.push_back(call);
}

void TMAssignSymbolic::Rewire(TMSymbol* symbol) {
    if (auto* call = dynamic_cast<TMFunctionCall*>(LeftOperand())) call->TMReference::Rewire(symbol);
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
    if (const char* kind = existing->HostKind())
        throw Exception(Join("TMAssignSymbolic.PullOperands() Symbol \"", existing->Identifier(), "\" (position: ",
                             position, ") is a ", kind, " of the host and can't be redefined."));
    TOLVEX_ASSERT(symbols.MathInterpreter, "MathItem");
    symbols.MathInterpreter->CheckSymbolRemovable(existing);
    if (auto* function = As<TMFunction>(existing)) {
        function->ParsePosition = position;
        // The body goes first: the node that gave it keeps its text, parameters included.
        function->FreeExpression();
        function->Parameters().FreeAndClear();
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
        auto* name = As<TMVarRef>(argument);
        if (!name)
            throw Exception(Join("TMAssignSymbolic.PullOperands() Invalid declaration of parameter on index: ", i,
                                 ", position: ", argument->ParsePosition, ", for function: \"", function.Identifier(),
                                 "\" (position: ", function.ParsePosition, ")."));
        auto param = std::make_unique<TMParam>();
        param->ParsePosition = name->ParsePosition;
        param->List = &function.Parameters();
        param->SetIdentifier(name->ReferencedSymbolName);
        function.Parameters().Add(std::move(param));
        // Beyond a few parameters, finding one by name walks no list.
        if (function.Parameters().Count() == kIndexedParameters && !function.Parameters().Index())
            function.Parameters().EnableIndex();
    }
}

}  // namespace tolvex
