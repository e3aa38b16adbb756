#pragma once
// Named values that outlive an expression: variables, parameters and user functions, and the
// tables that hold them.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "tolvex/model/items.h"
#include "tolvex/model/symbolindex.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMFunction;
class TMAssignSymbolic;

class TMSymbol : public TMValue {
public:
    TMSymbol() { AddKind(ikSymbol); }
    ~TMSymbol() override;
    std::string Dump(TDumpFormat format) const override;

    const std::string& Identifier() const { return identifier_; }
    // Names the symbol and rebinds the references that carry the name.
    void SetIdentifier(const std::string& identifier);
    // Compares under the interpreter's case rule (ASCII letters only fold).
    bool IsEqualIdentifier(std::string_view identifier) const;
    // What the host made it ("bound variable", "constant", "host function"), or null for a symbol
    // made by text. Only the host removes or redefines such a symbol; clearing or loading the
    // table keeps it.
    virtual const char* HostKind() const { return nullptr; }

    TMSymbols* List = nullptr;       // the table the symbol is entered in; not owned
    bool UpdateReferences = false;   // renaming carries bound references along

protected:
    // Binds the references that carry the trimmed name `name` once the symbol is named (it was
    // `previous` before): in the bodies of the table's functions that have no parameter of that name.
    virtual void BindReferences(const std::string& name, const std::string& previous);
    // `format`, taking the escape character of the symbol's interpreter when it names none, so
    // that plain text reads back under the interpreter's settings wherever it is made.
    TDumpFormat ReadBackFormat(TDumpFormat format) const;

private:
    friend class TMSymbolIndex;
    friend class TMSymbols;
    std::string identifier_;
    int slot_ = -1;  // entry in an indexed table; -1 outside one
};

class TMCustomVar : public TMSymbol {
public:
    Variant GetValue() override { return Value(); }
    void SetValue(const Variant& value) override {
        if (host_) return WriteHost(value);
        value_ = value;
        Track();
    }
    // A bound variable reads its host's storage afresh on every call.
    const Variant& Value() const {
        if (host_) ReadHost();
        return value_;
    }

    // Host storage the value lives in from now on; it must outlive the binding. A double variable
    // takes numbers, an integer one takes integers; reading a non-finite double raises as
    // arithmetic does. Unbind keeps the current value in the variable.
    // The double the variable holds, in place (the host's storage while bound to a double), or
    // null for any other kind. A host's double may be non-finite: a reader checks. Storing a
    // finite double there is what assigning it does.
    const double* DoubleInPlace() const noexcept { return place_; }

    void BindHost(double* storage);
    void BindHost(std::int32_t* storage);
    void Unbind();
    bool IsBound() const { return host_ != nullptr; }
    // The storage's address while bound, else null.
    const void* HostStorage() const { return host_; }
    bool HostIsInteger() const { return hostInteger_; }
    const char* HostKind() const override { return host_ ? "bound variable" : nullptr; }
    // Swaps the value with `other`: a call passes its arguments in and takes the saved values back
    // without copying strings. Parameters only, which are never bound.
    void ExchangeValue(Variant& other) noexcept {
        swap(value_, other);
        Track();
    }

private:
    void ReadHost() const;
    void WriteHost(const Variant& value);
    // Follows a change of the value's kind or of the binding: where the double lives now.
    void Track() noexcept {
        double* place = host_ ? (hostInteger_ ? nullptr : static_cast<double*>(host_)) : value_.IfDbl();
        if (place != place_) Moved(place);
    }
    // Tells the table, which mirrors the place for writes by handle.
    void Moved(double* place) noexcept;

    mutable Variant value_;  // while bound: the last value read from the host's storage
    void* host_ = nullptr;   // not owned
    double* place_ = nullptr;  // see DoubleInPlace
    bool hostInteger_ = false;
};

class TMVar final : public TMCustomVar {
public:
    TMVar() { AddKind(ikVar); }
    const char* ClassName() const override { return "TMVar"; }
    std::string Dump(TDumpFormat format) const override;
};

class TMParam final : public TMCustomVar {
public:
    TMParam() { AddKind(ikParam); }
    ~TMParam() override;
    const char* ClassName() const override { return "TMParam"; }

protected:
    // A parameter binds the references of its own function's body.
    void BindReferences(const std::string& name, const std::string& previous) override;
};

class TMSymbols : public TMValues {
public:
    TMSymbols() { observed_ = true; }
    ~TMSymbols() override { FreeAndClear(); }
    TMSymbol* Symbol(int index) const { return static_cast<TMSymbol*>(Get(index)); }
    int FindSymbolIndex(const std::string& identifier) const;
    TMSymbol* FindSymbol(const std::string& identifier) const;
    bool SymbolExists(const std::string& identifier) const { return FindSymbolIndex(identifier) >= 0; }

    // Keeps an index of names (the interpreter's table does), so that nothing walks the table.
    void EnableIndex();
    TMSymbolIndex* Index() const { return index_.get(); }
    // True while FreeAndClear empties an indexed table: every symbol and body goes, so the
    // dying symbols skip unbinding one another.
    bool Clearing() const { return clearing_; }
    void FreeAndClear();
    // Binds the references of a new tree to the symbols of the table, as RewireSymbols would;
    // symbols named like one of `parameters` (may be null) are skipped.
    void BindTree(TMExpression& tree, const TMParams* parameters);
    // The symbol at its entry was renamed.
    void Renamed(TMSymbol& symbol, const std::string& previous);
    // Where the double of the variable at `index` lives (DoubleInPlace), or null for any other
    // entry and any index outside the table. Kept by indexed tables only, so that a write by
    // handle is a range test, a load and a store.
    double* DoublePlace(int index) const noexcept {
        const auto i = static_cast<std::size_t>(static_cast<unsigned>(index));
        // Read before the test, so that a host's run of writes keeps it in a register.
        double* const* places = places_.data();
        return i < placeCount_ ? places[i] : nullptr;
    }
    // The variable's double moved: it changed kind, or was bound or unbound. The interpreter owning
    // the table hears of it (TMInterpreterLink::PlacesMoved).
    void PlaceMoved(const TMCustomVar& variable) noexcept;

    TMInterpreterLink* MathInterpreter = nullptr;  // not owned
    // Bodies stored so far by the functions of this table; numbers each body once.
    std::uint64_t Definitions = 0;

protected:
    void Entered(int index) override;
    void Left(TMItem* item) override;
    void Moved(int first) override;

private:
    // Mirrors the place of the entry at `index`, or of every entry from `first` on.
    void MirrorPlace(std::size_t index);
    void MirrorPlaces(std::size_t first);
    void ResizePlaces(std::size_t count);

    std::unique_ptr<TMSymbolIndex> index_;
    // Per entry, its DoublePlace; may run past the last entry (nulls there). The count is the
    // vector's size, kept for the range test of a write by handle.
    std::vector<double*> places_;
    std::size_t placeCount_ = 0;
    bool clearing_ = false;
};

class TMParams final : public TMSymbols {
public:
    bool ParamExists(const std::string& identifier) const { return SymbolExists(identifier); }
    TMParam* Param(int index) const { return static_cast<TMParam*>(Get(index)); }

    TMFunction* Func = nullptr;  // the function owning this list
};

class TMCustomFunction : public TMSymbol {
public:
    TMParams& Parameters() { return *parameters_; }
    const TMParams& Parameters() const { return *parameters_; }

protected:
    TMCustomFunction();
    std::unique_ptr<TMParams> parameters_;
};

class TMFunction final : public TMCustomFunction {
public:
    TMFunction();
    ~TMFunction() override;
    const char* ClassName() const override { return "TMFunction"; }
    std::string Dump(TDumpFormat format) const override;
    // Evaluates the body with the current parameter values, within the nesting limit.
    Variant GetValue() override;

    TMExpression* Expression() const { return expression_.get(); }
    // Stores the body; an earlier body must have been freed (FreeExpression). The body gets the
    // next number of the table's Definitions, so a later definition never carries the same one.
    void SetExpression(std::unique_ptr<TMExpression> expression);
    std::uint64_t Definition() const { return definition_; }
    void FreeExpression();
    // Number of evaluations of this function in progress (guards redefinition while running).
    int ActiveEvaluations() const { return active_; }

private:
    friend class TMSymbolIndex;
    friend class TMAssignSymbolic;
    // The table's index, when the body is filed in one.
    TMSymbolIndex* BodyIndex() const;

    std::unique_ptr<TMExpression> expression_;
    std::uint64_t definition_ = 0;
    int active_ = 0;
    // The symbolic assignment, still alive, whose body this is; told when the body goes.
    TMAssignSymbolic* definer_ = nullptr;
    // Names under which an indexed table files the body: the keys of the index's entries, which
    // stay in place while the body is filed under them.
    std::vector<const std::string*> usedNames_;
};

template <> inline constexpr std::uint32_t kKindOf<TMSymbol> = ikSymbol;
template <> inline constexpr std::uint32_t kKindOf<TMVar> = ikVar;
template <> inline constexpr std::uint32_t kKindOf<TMParam> = ikParam;
template <> inline constexpr std::uint32_t kKindOf<TMFunction> = ikFunction;

}  // namespace tolvex

TOLVEX_END_API
