// The names an expression refers to, so that a host can create them before it evaluates.
#include <algorithm>

#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

namespace {

// Gathers names once each under the interpreter's case rule.
class NameSet {
public:
    explicit NameSet(const TMathInterpreter& interpreter) : interpreter_(interpreter) {}
    void Add(const std::string& name, bool bound) {
        for (const std::vector<std::string>* list : {&names_.bound, &names_.unbound})
            for (const std::string& known : *list)
                if (interpreter_.IsEqualString(known, name)) return;
        (bound ? names_.bound : names_.unbound).push_back(name);
    }
    TReferencedNames Take() { return std::move(names_); }

private:
    const TMathInterpreter& interpreter_;
    TReferencedNames names_;
};

const std::string* NameOf(const TMItem* item) {
    if (auto* ref = As<TMReference>(item)) return &ref->ReferencedSymbolName;
    return nullptr;
}

}  // namespace

// Only scanned: assembling the text would already make the definitions it holds. In a symbolic
// assignment the names inside the left side's brackets are parameters, and the body's references
// to them are no names of the table; the defined function itself is not reported.
TReferencedNames TMathInterpreter::ReferencedNames(const std::string& text) const {
    TMItems items;
    const_cast<TMathInterpreter*>(this)->ParseExpression(text, items);
    int assignAt = -1;
    for (int i = 0; i < items.Count() && assignAt < 0; ++i)
        if (Is<TMAssignSymbolic>(items.Get(i))) assignAt = i;
    std::vector<std::string> parameters;
    for (int i = 1; i < assignAt; ++i)
        if (const std::string* name = NameOf(items.Get(i))) parameters.push_back(*name);
    const auto isParameter = [&](const std::string& name) {
        return std::any_of(parameters.begin(), parameters.end(),
                           [&](const std::string& p) { return IsEqualString(p, name); });
    };
    NameSet names(*this);
    for (int i = assignAt < 0 ? 0 : assignAt + 1; i < items.Count(); ++i) {
        const std::string* name = NameOf(items.Get(i));
        if (name && !isParameter(*name)) names.Add(*name, symbols_->SymbolExists(*name));
    }
    return names.Take();
}

TReferencedNames TMathInterpreter::ReferencedNames(int preparedHandle) const {
    if (!IsValidPreparedExpression(preparedHandle))
        throw Exception("TMathInterpreter.ReferencedNames() Invalid prepared expression handle.");
    std::vector<TMReference*> references;
    prepared_->Expr(preparedHandle)->CollectReferences(references);
    NameSet names(*this);
    for (const TMReference* reference : references)
        names.Add(reference->ReferencedSymbolName, reference->SymbolReference != nullptr);
    return names.Take();
}

}  // namespace tolvex
