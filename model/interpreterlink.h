#pragma once
// What the model asks of the interpreter that owns a tree: its case rule, the nesting limit and
// depth, the unknown-symbol event, its symbol table, and unbinding of prepared trees.
#include <atomic>
#include <cstdint>
#include <string>

#include "tolvex/framework/stack.h"
#include "tolvex/value/variant.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMSymbol;
class TMSymbols;
struct TRandomGenerator;  // model/random_internal.h

class TMInterpreterLink {
public:
    virtual bool CaseSensitiveSymbols() const = 0;
    virtual std::uint32_t MaxFunctionNesting() const = 0;
    // True when the scanner reads `name` as a symbol's name: an identifier that is neither a
    // keyword nor a built-in function.
    virtual bool IsSymbolName(const std::string& name) const = 0;
    // The character that escapes the next one in string literals; '\0' for none.
    virtual char EscapeChar() const = 0;
    // Number of user-function evaluations in progress.
    virtual std::uint32_t& NestingDepth() = 0;
    // Fires the unknown-symbol event; without a handler `value` stays as it is.
    virtual void DoUnknownSymbol(const std::string& identifier, const Variant& parameters, Variant& value) = 0;
    virtual TMSymbols& SymbolTable() = 0;
    // Unbinds a symbol about to be freed from every tree held outside the symbol table.
    virtual void UnwireFromPrepared(TMSymbol* symbol) = 0;
    // The double of a variable of the table moved (DoubleInPlace): it changed kind, or was bound
    // or unbound. Whoever keeps where variables' doubles are must look again.
    virtual void PlacesMoved() noexcept = 0;
    // Raises when the symbol may not be freed now (a running evaluation still uses it).
    virtual void CheckSymbolRemovable(TMSymbol* symbol) = 0;
    // The interpreter's own random generator, never shared between interpreters.
    virtual TRandomGenerator& RandomGenerator() = 0;

    // ---- Interruption ---------------------------------------------------------------------
    // Asks the running evaluation to stop: its next check raises EInterrupted. Safe from any
    // thread and from a signal handler. A request stays until a check sees it (or it is cleared),
    // so one made while nothing runs stops the next evaluation at its first check.
    void Interrupt() noexcept { interrupt_.store(true, std::memory_order_relaxed); }
    bool InterruptRequested() const noexcept { return interrupt_.load(std::memory_order_relaxed); }
    void ClearInterrupt() noexcept { interrupt_.store(false, std::memory_order_relaxed); }
    // Raises EInterrupted, and takes the request back, when one was made. One relaxed load: it
    // runs at every user-function call and before every statement of a list.
    void CheckInterrupt() {
        if (interrupt_.load(std::memory_order_relaxed)) [[unlikely]] RaiseInterrupted();
    }

    // ---- Stack ----------------------------------------------------------------------------
    // StackFloor() of the evaluation this interpreter runs, 0 while none runs: a user-function call
    // compares its frame with it instead of asking the thread.
    std::uintptr_t& StackFloorOfEvaluation() noexcept { return stackFloor_; }
    bool StackExhaustedHere() const noexcept {
        return stackFloor_ ? reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)) < stackFloor_ : StackExhausted();
    }

protected:
    ~TMInterpreterLink() = default;

private:
    [[noreturn]] void RaiseInterrupted();

    std::atomic<bool> interrupt_{false};
    std::uintptr_t stackFloor_ = 0;
};

}  // namespace tolvex

TOLVEX_END_API
