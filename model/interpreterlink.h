#pragma once
// What the model asks of the interpreter that owns a tree: its case rule, the nesting limit and
// depth, the unknown-symbol event, its symbol table, and unbinding of prepared trees.
#include <cstdint>
#include <string>

#include "tolvex/value/variant.h"

namespace tolvex {

class TMSymbol;
class TMSymbols;
struct TRandomGenerator;  // model/random_internal.h

class TMInterpreterLink {
public:
    virtual bool CaseSensitiveSymbols() const = 0;
    virtual std::uint32_t MaxFunctionNesting() const = 0;
    // Number of user-function evaluations in progress.
    virtual std::uint32_t& NestingDepth() = 0;
    // Fires the unknown-symbol event; without a handler `value` stays as it is.
    virtual void DoUnknownSymbol(const std::string& identifier, const Variant& parameters, Variant& value) = 0;
    virtual TMSymbols& SymbolTable() = 0;
    // Unbinds a symbol about to be freed from every tree held outside the symbol table.
    virtual void UnwireFromPrepared(TMSymbol* symbol) = 0;
    // Raises when the symbol may not be freed now (a running evaluation still uses it).
    virtual void CheckSymbolRemovable(TMSymbol* symbol) = 0;
    // The interpreter's own random generator, never shared between interpreters.
    virtual TRandomGenerator& RandomGenerator() = 0;

protected:
    ~TMInterpreterLink() = default;
};

}  // namespace tolvex
