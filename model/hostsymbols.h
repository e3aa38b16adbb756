#pragma once
// Symbols the host defines from C++: constants and functions. They live in the interpreter's
// table beside the symbols text makes, but only the host removes them, and they are never saved.
#include <functional>
#include <span>
#include <string>

#include "tolvex/model/symbols.h"

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// How many arguments a host function takes: exactly `minimum`, or at least it when variadic.
struct TArity {
    TArity(int exactly) : minimum(exactly) {}  // NOLINT: a plain count reads best at the call site
    static TArity AtLeast(int minimum) { TArity a(minimum); a.variadic = true; return a; }
    bool Accepts(int count) const { return variadic ? count >= minimum : count == minimum; }

    int minimum = 0;
    bool variadic = false;
};

// Receives the arguments in the order written; returns the call's value.
using THostFunction = std::function<Variant(std::span<const Variant> arguments)>;

class TMConstant final : public TMSymbol {
public:
    explicit TMConstant(Variant value) : value_(std::move(value)) {}
    const char* ClassName() const override { return "TMConstant"; }
    const char* HostKind() const override { return "constant"; }
    std::string Dump(TDumpFormat format) const override;
    Variant GetValue() override { return value_; }
    // A constant is never written: anything that tries raises.
    void SetValue(const Variant& value) override;
    const Variant& Value() const { return value_; }
    void Redefine(Variant value) { value_ = std::move(value); }

private:
    Variant value_;
};

class TMHostFunction final : public TMSymbol {
public:
    TMHostFunction(TArity arity, THostFunction callable);
    const char* ClassName() const override { return "TMHostFunction"; }
    const char* HostKind() const override { return "host function"; }
    std::string Dump(TDumpFormat format) const override;
    // A call without arguments; references call Call with their own position.
    Variant GetValue() override { return Call({}, ParsePosition); }
    const TArity& Arity() const { return arity_; }
    // Raises unless a call written at `position` with `count` arguments fits.
    void CheckCount(int count, int position) const;
    // Calls the host's code with the arguments in written order. Whatever it throws becomes an
    // error naming the function and `position` (running out of memory stays itself); a double
    // result that is not finite raises as arithmetic does.
    Variant Call(std::span<const Variant> arguments, int position) const;

private:
    TArity arity_;
    THostFunction callable_;
};

template <> inline constexpr std::uint32_t kKindOf<TMHostFunction> = ikHostFunction;

}  // namespace tolvex

TOLVEX_END_API
