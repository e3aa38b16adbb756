// What the host defines in the table: variables bound to its storage, constants and functions.
#include "tolvex/framework/format.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/interpreter/names_internal.h"

namespace tolvex {

namespace {

bool IsIdentifier(const std::string& name) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !letter(name[0])) return false;
    for (char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

}  // namespace

void TMathInterpreter::CheckHostName(const std::string& name, const char* operation) const {
    const char* problem = nullptr;
    if (!IsIdentifier(name)) problem = "is not an identifier";
    else if (IsKeyword(name)) problem = "is a keyword";
    else if (CreateIntrinsicFunctionCall(name)) problem = "is the name of a built-in function";
    if (problem) throw Exception(Join("TMathInterpreter.", operation, "() \"", name, "\" ", problem, "."));
}

TMVar& TMathInterpreter::VariableToBind(const std::string& name, const char* operation) {
    CheckHostName(name, operation);
    if (TMSymbol* existing = symbols_->FindSymbol(name)) {
        if (auto* variable = As<TMVar>(existing)) return *variable;
        throw Exception(Join("TMathInterpreter.", operation, "() Symbol: \"", existing->Identifier(),
                             "\" has type: \"", existing->ClassName(), "\", but type \"TMVar\" is required."));
    }
    auto variable = std::make_unique<TMVar>();
    variable->List = symbols_.get();
    variable->SetIdentifier(name);
    TMVar& created = *variable;
    symbols_->Add(std::move(variable));
    return created;
}

void TMathInterpreter::BindVariable(const std::string& name, double* storage) {
    if (!storage) throw Exception(Join("TMathInterpreter.BindVariable() Storage of \"", name, "\" is null."));
    VariableToBind(name, "BindVariable").BindHost(storage);
}

void TMathInterpreter::BindVariable(const std::string& name, std::int32_t* storage) {
    if (!storage) throw Exception(Join("TMathInterpreter.BindVariable() Storage of \"", name, "\" is null."));
    VariableToBind(name, "BindVariable").BindHost(storage);
}

void TMathInterpreter::UnbindVariable(const std::string& name) {
    auto* variable = As<TMVar>(symbols_->FindSymbol(name));
    if (!variable || !variable->IsBound())
        throw Exception(Join("TMathInterpreter.UnbindVariable() \"", name, "\" is no bound variable."));
    variable->Unbind();
}

// Naming the symbol binds the bodies that already call the name; a body calling it with a count
// it does not take makes the definition fail before the symbol enters the table.
void TMathInterpreter::AddHostSymbol(const std::string& name, std::unique_ptr<TMSymbol> symbol, const char* operation) {
    CheckHostName(name, operation);
    if (const TMSymbol* existing = symbols_->FindSymbol(name))
        throw Exception(Join("TMathInterpreter.", operation, "() Symbol: \"", existing->Identifier(), "\" already exists."));
    symbol->List = symbols_.get();
    symbol->SetIdentifier(name);  // on failure the symbol's end unbinds it from the bodies again
    symbols_->Add(std::move(symbol));
}

void TMathInterpreter::DefineConstant(const std::string& name, const Variant& value) {
    if (value.Kind() == VarKind::Double) CheckFinite(value.Dbl());
    if (auto* constant = As<TMConstant>(symbols_->FindSymbol(name))) return constant->Redefine(value);
    AddHostSymbol(name, std::make_unique<TMConstant>(value), "DefineConstant");
}

void TMathInterpreter::DefineFunction(const std::string& name, TArity arity, THostFunction callable) {
    if (arity.minimum < 0 || !callable)
        throw Exception(Join("TMathInterpreter.DefineFunction() Function \"", name,
                             "\" needs a callable and a count of at least 0."));
    AddHostSymbol(name, std::make_unique<TMHostFunction>(arity, std::move(callable)), "DefineFunction");
}

void TMathInterpreter::Undefine(const std::string& name) {
    const int k = symbols_->FindSymbolIndex(name);
    if (k < 0 || !symbols_->Symbol(k)->HostKind())
        throw Exception(Join("TMathInterpreter.Undefine() \"", name, "\" is not defined by the host."));
    TMSymbol* symbol = symbols_->Symbol(k);
    CheckSymbolRemovable(symbol);
    RemoveSymbols({symbol});
}

}  // namespace tolvex
