#pragma once
// The interpreter component: turns expression text into values, keeps the symbol table between
// calls, runs statement lists, and keeps prepared expressions under integer handles.
#include <cmath>
#include <concepts>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "tolvex/framework/component.h"
#include "tolvex/framework/exception.h"
#include "tolvex/framework/stream.h"
#include "tolvex/framework/strings.h"
#include "tolvex/interpreter/handles.h"
#include "tolvex/interpreter/preparedrun.h"
#include "tolvex/intrinsics/mathintrinsic.h"
#include "tolvex/model/mathitem.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMathInterpreter;
class TReader;
class TWriter;
class TCompiledExpression;  // interpreter/compiled_internal.h

// Asked for a name the symbol table does not hold. A read or call is answered by putting a value
// into `Value`; a write to a new name is accepted by emptying `Value`. `Parameters` is Null for
// reads and writes and an array of the arguments (last argument first) for calls.
using TUnknownSymbolEvent = std::function<void(TMathInterpreter& Sender, const std::string& Identifier,
                                               const Variant& Parameters, Variant& Value)>;

// The names an expression refers to, each once in the order of first appearance: those a symbol
// of the table answers now, and those it does not (they go to OnUnknownSymbol when evaluated).
struct TReferencedNames {
    std::vector<std::string> bound;
    std::vector<std::string> unbound;
};

class TMathInterpreter : public TComponent, public TMInterpreterLink {
public:
    explicit TMathInterpreter(TComponent* owner = nullptr);
    ~TMathInterpreter() override;
    const char* ClassName() const override { return "TMathInterpreter"; }

    // ---- Published properties -------------------------------------------------------------
    bool CaseSensitiveSymbols() const override { return caseSensitive_; }
    // Switching from true to false clears the symbols first.
    void SetCaseSensitiveSymbols(bool value);
    TDumpFormat DumpFormat() const { return dumpFormat_; }
    void SetDumpFormat(TDumpFormat format) { dumpFormat_ = format; }
    std::string GetDumpText() const;
    [[noreturn]] void SetDumpText(const std::string& text);
    char EscapeChar() const override { return escapeChar_; }
    void SetEscapeChar(char c) { escapeChar_ = c; }
    const std::string& Expression() const { return expression_; }
    // Stores the text and evaluates it; at design time an error becomes the displayed result.
    void SetExpression(const std::string& text);
    std::string GetExpressionResult() const { return VarToStr(expressionResult_); }
    [[noreturn]] void SetExpressionResult(const std::string& text);
    std::uint32_t MaxFunctionNesting() const override { return maxNesting_; }
    void SetMaxFunctionNesting(std::uint32_t value) { maxNesting_ = value; }
    TUnknownSymbolEvent OnUnknownSymbol() const { return onUnknownSymbol_ ? *onUnknownSymbol_ : nullptr; }
    // A handler may replace or remove itself while it runs; it stays alive until it returns.
    void SetOnUnknownSymbol(TUnknownSymbolEvent handler);

    // ---- Evaluation -----------------------------------------------------------------------
    // One expression: scan, keyword statements, tree assembly, evaluation. Empty text gives Null.
    Variant ExecuteExpression(const std::string& text);
    // A statement list separated by ";" (outside string literals): an array with one result per
    // statement. With an error list a failing statement yields Null and adds its message.
    Variant Execute(const std::string& text, TStrings* errors = nullptr);
    // The statements of a list as Execute splits it; empty statements are left out.
    std::vector<std::string> SplitStatements(const std::string& text) const;
    // Appends the class name of every scanned item to `lines`.
    void DebugParseExpression(const std::string& text, TStrings& lines);

    // ---- Symbols --------------------------------------------------------------------------
    bool SymbolExists(const std::string& identifier) const { return symbols_->SymbolExists(identifier); }
    int SymbolCount() const { return symbols_->Count(); }
    void ClearSymbols();
    bool IsEqualString(const std::string& a, const std::string& b) const;
    void DoUnknownSymbol(const std::string& identifier, const Variant& parameters, Variant& value) override;
    // The table, to look at. Changes go through statements and the calls of this class, which
    // keep prepared trees and running evaluations safe.
    const TMSymbols& Symbols() const { return *symbols_; }
    // The names `text` refers to, read without running or assembling it (a definition in the
    // text's own statement is not made); parameters of a definition are no references.
    TReferencedNames ReferencedNames(const std::string& text) const;
    // The names a prepared expression refers to (in the order of its tree), bound as it was prepared.
    TReferencedNames ReferencedNames(int preparedHandle) const;

    // ---- Stages ---------------------------------------------------------------------------
    void ParseExpression(const std::string& text, TMItems& items);
    // Reads a string literal whose quote stands at `position` (0-based); leaves `position`
    // just behind the closing quote.
    void ParseString(const std::string& text, std::size_t& position, std::string& value) const;
    void ProcessExpressionKeywords(TMItems& items);
    std::unique_ptr<TMExpression> RPN(TMItems& items);
    // Re-binds the bodies of user functions that are a single reference.
    void RewireReferences();

    // ---- Prepared expressions and variable handles ----------------------------------------
    int PrepareExpression(const std::string& text);
    // Inline, since hosts call it in their innermost loops: a formula of doubles whose variables
    // hold doubles runs its double-only form from here; everything else is one call further.
    Variant ExecutePreparedExpression(int handle) {
        const auto i = static_cast<std::size_t>(static_cast<unsigned>(handle));
        if (i < compiledCount_) {
            const TPreparedRun* run = runs_[i];
            const double value = run->entry(run->root, run->places);
            if (IsFinite(value)) [[likely]]
                return Variant(value);
        }
        return ExecutePreparedSlowly(handle);
    }
    void FreePreparedExpression(int handle);
    bool IsValidPreparedExpression(int handle) const;
    void ClearPreparedExpressions();
    int GetVariableHandles(const std::string& identifier) const;
    // One index operation each; inline, since hosts call them in their innermost loops.
    Variant GetVariablesByHandle(int handle) const { return VariableAt(handle).Value(); }
    // A variable never holds a non-finite double: one raises as arithmetic does. A double written
    // over a double costs a range test, a kind test, a finiteness test and a store.
    void SetVariablesByHandle(int handle, const Variant& value) {
        if (value.Kind() == VarKind::Double) return SetDoubleByHandle(handle, *value.IfDbl());
        VariableAt(handle).SetValue(value);
    }
    // The same for a double the host holds, without making a value of it first. Only a double
    // takes this form: an integer argument still makes an integer value.
    template <class D>
        requires std::same_as<D, double>
    void SetVariablesByHandle(int handle, D value) {
        SetDoubleByHandle(handle, value);
    }
    Variant GetVariables(const std::string& identifier) const;
    void SetVariables(const std::string& identifier, const Variant& value);

    // ---- The same with typed handles (interpreter/handles.h), which cannot be mixed up ------
    TPreparedHandle Prepare(const std::string& text) { return TPreparedHandle(PrepareExpression(text)); }
    Variant ExecutePreparedExpression(TPreparedHandle handle) { return ExecutePreparedExpression(handle.Value()); }
    void FreePreparedExpression(TPreparedHandle handle) { FreePreparedExpression(handle.Value()); }
    bool IsValidPreparedExpression(TPreparedHandle handle) const { return IsValidPreparedExpression(handle.Value()); }
    TReferencedNames ReferencedNames(TPreparedHandle handle) const { return ReferencedNames(handle.Value()); }
    TVariableHandle VariableHandle(const std::string& identifier) const {
        return TVariableHandle(GetVariableHandles(identifier));
    }
    Variant GetVariablesByHandle(TVariableHandle handle) const { return GetVariablesByHandle(handle.Value()); }
    void SetVariablesByHandle(TVariableHandle handle, const Variant& value) { SetVariablesByHandle(handle.Value(), value); }
    template <class D>
        requires std::same_as<D, double>
    void SetVariablesByHandle(TVariableHandle handle, D value) {
        SetDoubleByHandle(handle.Value(), value);
    }

    // ---- Host definitions -----------------------------------------------------------------
    // The variable `name` (created when missing) reads and writes the host's storage from now on;
    // prepared expressions read it in place. The storage must outlive the binding. A double
    // variable takes numbers, an integer one integers (and doubles of integral value).
    void BindVariable(const std::string& name, double* storage);
    void BindVariable(const std::string& name, std::int32_t* storage);
    // Makes a bound variable an ordinary one holding its current value.
    void UnbindVariable(const std::string& name);
    // A read-only value under `name`: assignments, symbolic redefinition and delete fail. Defining
    // an existing constant again changes its value. Never saved.
    void DefineConstant(const std::string& name, const Variant& value);
    // A function of C++ code taking `arity` arguments (a count, or TArity::AtLeast(n)), which
    // receives them in written order. A call with another count fails when it is assembled.
    void DefineFunction(const std::string& name, TArity arity, THostFunction callable);
    // Removes a host definition (a host function, a constant or a bound variable).
    void Undefine(const std::string& name);

    // ---- Dumps and persistence ------------------------------------------------------------
    // Every symbol's text in table order, the separator between neighbours.
    std::string Dump(const std::string& separator, TDumpFormat format) const;
    std::string DumpSymbol(const std::string& identifier, TDumpFormat format) const;
    // The symbol text: plain dumps joined by ";" CR LF, which executed recreates the table.
    std::string DumpStreamable() const;
    virtual void SaveSymbolsToStream(TStream& stream);
    // Writes beside the file and replaces it only once everything was written.
    virtual void SaveSymbolsToFile(const std::string& fileName);
    // Empties the table, then runs the text; the first failing statement ends the load.
    virtual void LoadSymbolsFromStream(TStream& stream);
    virtual void LoadSymbolsFromFile(const std::string& fileName);
    // Runs the stream's text (from its current position) as a statement list.
    Variant ExecuteFromStream(TStream& stream, TStrings* errors = nullptr);
    Variant ExecuteFromFile(const std::string& fileName, TStrings* errors = nullptr);
    // The same symbol text through standard streams and strings. A failed read or write of the
    // stream raises EStreamError; a load names `source` in the error's location.
    void SaveSymbols(std::ostream& stream) const;
    void LoadSymbols(std::istream& stream, const std::string& source = "stream");
    std::string SaveSymbolsToString() const;
    void LoadSymbolsFromString(const std::string& text, const std::string& source = "text");
    // The text that loading reads: the rest of the stream, or the whole file, at most
    // kMaxTextLength bytes (longer raises EOutOfResources; a folder or a missing file EFOpenError).
    static std::string ReadText(TStream& stream);
    static std::string ReadFile(const std::string& fileName);

    // ---- Form files -----------------------------------------------------------------------
    // The published properties; DumpText, Expression and ExpressionResult are never stored.
    void DescribeProperties(TPropertyList& list) override;
    // The custom property "Symbols": the symbol text, stored when it differs from the
    // ancestor's (from the empty text without an ancestor).
    void DefineProperties(TFiler& filer) override;
    // Replaces the symbol table by the stored text, run as a statement list.
    void ReadSymbols(TReader& reader);
    void WriteSymbols(TWriter& writer);

    // ---- Links of the model ---------------------------------------------------------------
    bool IsSymbolName(const std::string& name) const override;
    std::uint32_t& NestingDepth() override { return nestingDepth_; }
    void UnwireFromPrepared(TMSymbol* symbol) override;
    void PlacesMoved() noexcept override;
    void CheckSymbolRemovable(TMSymbol* symbol) override;
    TRandomGenerator& RandomGenerator() override { return *random_; }
    // Seeds the generator behind RandG; a new interpreter is seeded from the system.
    void SetRandomSeed(std::uint64_t seed);

private:
    // The model's access to the table; hosts read it through the const overload.
    TMSymbols& SymbolTable() override { return *symbols_; }
    // Counts running evaluations; while one runs nothing it may still use is freed
    // (interpreter/evaluation_internal.h).
    class EvaluationScope;
    void CheckNotEvaluating(const char* operation) const;
    int PrepareTree(const std::string& text);
    // ExecutePreparedExpression when the double-only form gave up or its places must be found
    // again.
    Variant ExecutePreparedSlowly(int handle);
    void ResizeCompiled(std::size_t count);
    // How deep the walks over a subtree on the operand stack recurse (interpreter/rpn.cpp).
    struct SubtreeDepth;
    void PullPending(TMItems& operators, TMValues& operands, std::vector<SubtreeDepth>& depths,
                     TOperatorPriority priority, TOperatorAssociativity associativity);
    void MoveToOperands(TMItems& operators, TMValues& operands, std::vector<SubtreeDepth>& depths);
    // One entry of a delete list: checks it and notes the symbol it names.
    void CheckDeleteItem(TMItems& items, int i, std::vector<TMSymbol*>& doomed, std::unordered_set<TMSymbol*>& named);
    void RemoveSymbols(const std::vector<TMSymbol*>& doomed);
    // Every reference of every prepared tree, so that one walk unbinds any number of symbols.
    std::vector<TMReference*> PreparedReferences() const;
    // Empties the table; the host's own symbols stay when asked to.
    void ClearSymbols(bool keepHostSymbols);
    // Raises unless `name` may name a host definition: an identifier, no keyword, no built-in.
    void CheckHostName(const std::string& name, const char* operation) const;
    // The variable `name` to bind, created when missing.
    TMVar& VariableToBind(const std::string& name, const char* operation);
    // Enters a new host symbol under `name`, which no symbol may hold yet.
    void AddHostSymbol(const std::string& name, std::unique_ptr<TMSymbol> symbol, const char* operation);
    // Runs each statement of a symbol text without gathering results; a failure names `source`
    // and the statement's number.
    void RunStatements(const std::string& text, const std::string& source);
    [[noreturn]] static void RefuseLongText(const TStream& stream, std::int64_t size);
    // The table mirrors where each variable's double lives (its own value or the host's storage);
    // a variable holding anything else has no place and takes the slow path.
    void SetDoubleByHandle(int handle, double value) {
        double* place = symbols_->DoublePlace(handle);
        if (place && IsFinite(value)) [[likely]] {
            *place = value;
            return;
        }
        SetDoubleSlowly(static_cast<unsigned>(handle), value);
    }
    // x - x is NaN exactly when x is not finite: two instructions and no constant.
    static bool IsFinite(double x) { return !std::isnan(x - x); }
    // Any other double write: checks the value, then stores through the variable. The handle
    // comes as the index the inline test used, so that it needs no copy of its own there.
    void SetDoubleSlowly(std::size_t index, double value);
    TMVar& VariableAt(int handle) const {
        TMItem* entry = symbols_->Find(handle);
        return Is<TMVar>(entry) ? *static_cast<TMVar*>(entry) : RaiseNoVariable(handle);
    }
    // Fails as the list and the type test would for a handle that names no variable.
    [[noreturn]] TMVar& RaiseNoVariable(int handle) const;

    TDumpFormat dumpFormat_{dfQualified};
    std::string expression_;
    Variant expressionResult_;
    std::unique_ptr<TMExpressions> prepared_;
    // Beside each prepared tree, its compiled program (null where there is none); `listed` while
    // the handle stands in resolved_.
    struct Compiled {
        std::unique_ptr<TCompiledExpression> program;
        bool listed = false;
    };
    std::vector<Compiled> compiled_;
    // Per handle, the run the inline entry takes: the program's double-only form while its places
    // are current, else kNoPreparedRun, so that the library answers and finds them again. Apart
    // from compiled_, so that the entry finds it with one scaled load.
    std::vector<const TPreparedRun*> runs_;
    std::size_t compiledCount_ = 0;  // runs_.size(), one load for the inline entry
    // The handles whose run is their program's: when a variable's double moves (it changes kind,
    // is bound or unbound) or a prepared tree lets go of a symbol, these go back to
    // kNoPreparedRun. Each handle enters once per finding of its places, so the walks cost no
    // more than the findings did.
    std::vector<std::size_t> resolved_;
    std::vector<int> freeHandles_;  // the freed handles, a heap with the lowest on top
    std::uint32_t maxNesting_ = 1000;
    bool caseSensitive_ = false;
    // Shared with each running call of it, so that replacing it never frees the running one.
    std::shared_ptr<const TUnknownSymbolEvent> onUnknownSymbol_;
    char escapeChar_ = '\0';
    std::unique_ptr<TMSymbols> symbols_;
    std::uint32_t nestingDepth_ = 0;
    int evaluating_ = 0;
    std::unique_ptr<TRandomGenerator> random_;
};

namespace Mathinterpreter {
// Puts TMathInterpreter on the palette page "Tolvex".
void Register();
}  // namespace Mathinterpreter

}  // namespace tolvex

TOLVEX_END_API
