#pragma once
// The interpreter component: turns expression text into values, keeps the symbol table between
// calls, runs statement lists, and keeps prepared expressions under integer handles.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "tolvex/framework/component.h"
#include "tolvex/framework/exception.h"
#include "tolvex/framework/stream.h"
#include "tolvex/framework/strings.h"
#include "tolvex/interpreter/compiled.h"
#include "tolvex/intrinsics/mathintrinsic.h"
#include "tolvex/model/mathitem.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TMathInterpreter;
class TReader;
class TWriter;

// Asked for a name the symbol table does not hold. A read or call is answered by putting a value
// into `Value`; a write to a new name is accepted by emptying `Value`. `Parameters` is Null for
// reads and writes and an array of the arguments (last argument first) for calls.
using TUnknownSymbolEvent = std::function<void(TMathInterpreter& Sender, const std::string& Identifier,
                                               const Variant& Parameters, Variant& Value)>;

// The buffer in which Execute gathers statement results.
using TChunk = std::array<Variant, 256>;

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
    TMSymbols& Symbols() override { return *symbols_; }
    const TMSymbols& Symbols() const { return *symbols_; }

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
    Variant ExecutePreparedExpression(int handle);
    void FreePreparedExpression(int handle);
    bool IsValidPreparedExpression(int handle) const;
    void ClearPreparedExpressions();
    int GetVariableHandles(const std::string& identifier) const;
    // One index operation each; inline, since hosts call them in their innermost loops.
    Variant GetVariablesByHandle(int handle) const { return VariableAt(handle).Value(); }
    void SetVariablesByHandle(int handle, const Variant& value) { VariableAt(handle).SetValue(value); }
    Variant GetVariables(const std::string& identifier) const;
    void SetVariables(const std::string& identifier, const Variant& value);

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
    void CheckSymbolRemovable(TMSymbol* symbol) override;
    std::mt19937_64& RandomGenerator() override { return random_; }
    // Seeds the generator behind RandG; a new interpreter is seeded from the system.
    void SetRandomSeed(std::uint64_t seed) { random_.seed(seed); }

private:
    // Counts running evaluations; while one runs nothing it may still use is freed.
    class EvaluationScope {
    public:
        explicit EvaluationScope(TMathInterpreter& owner) : owner_(owner) { ++owner_.evaluating_; }
        ~EvaluationScope() { --owner_.evaluating_; }
        EvaluationScope(const EvaluationScope&) = delete;
        EvaluationScope& operator=(const EvaluationScope&) = delete;

    private:
        TMathInterpreter& owner_;
    };
    void CheckNotEvaluating(const char* operation) const;
    int PrepareTree(const std::string& text);
    void PullPending(TMItems& operators, TMValues& operands, std::vector<int>& depths,
                     TOperatorPriority priority, TOperatorAssociativity associativity);
    void MoveToOperands(TMItems& operators, TMValues& operands, std::vector<int>& depths);
    // One entry of a delete list: checks it and notes the symbol it names.
    void CheckDeleteItem(TMItems& items, int i, std::vector<TMSymbol*>& doomed, std::unordered_set<TMSymbol*>& named);
    void RemoveSymbols(const std::vector<TMSymbol*>& doomed);
    // Runs each statement of a symbol text without gathering results; a failure names `source`
    // and the statement's number.
    void RunStatements(const std::string& text, const std::string& source);
    [[noreturn]] static void RefuseLongText(const TStream& stream, std::int64_t size);
    TMVar& VariableAt(int handle) const {
        TMItem* entry = handle >= 0 && handle < symbols_->Count() ? symbols_->Get(handle) : nullptr;
        return Is<TMVar>(entry) ? *static_cast<TMVar*>(entry) : RaiseNoVariable(handle);
    }
    // Fails as the list and the type test would for a handle that names no variable.
    [[noreturn]] TMVar& RaiseNoVariable(int handle) const;

    TDumpFormat dumpFormat_{dfQualified};
    std::string expression_;
    Variant expressionResult_;
    std::unique_ptr<TMExpressions> prepared_;
    // Beside each prepared tree, its compiled program, or null where there is none.
    std::vector<std::unique_ptr<TCompiledExpression>> compiled_;
    std::uint32_t maxNesting_ = 1000;
    bool caseSensitive_ = false;
    // Shared with each running call of it, so that replacing it never frees the running one.
    std::shared_ptr<const TUnknownSymbolEvent> onUnknownSymbol_;
    char escapeChar_ = '\0';
    std::unique_ptr<TMSymbols> symbols_;
    std::uint32_t nestingDepth_ = 0;
    int evaluating_ = 0;
    std::mt19937_64 random_{std::random_device{}()};
};

namespace Mathinterpreter {
// Puts TMathInterpreter on the palette page "Tolvex".
void Register();
}  // namespace Mathinterpreter

}  // namespace tolvex

TOLVEX_END_API
