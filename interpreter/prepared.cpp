// Prepared expressions (trees kept under integer handles) and variable handles (indices into
// the symbol table). Executing by handle does no scanning, assembly or lookup by name.
#include <algorithm>
#include <functional>

#include "tolvex/framework/format.h"
#include "tolvex/interpreter/compiled_internal.h"
#include "tolvex/interpreter/entry_internal.h"
#include "tolvex/interpreter/evaluation_internal.h"
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

int TMathInterpreter::PrepareExpression(const std::string& text) {
    return GuardedEntry("PrepareExpression", StackFloorOfEvaluation(), [&] { return PrepareTree(text); });
}

// A new expression takes the lowest free handle: the lowest freed one (freeHandles_ is a heap
// of them), else the next after the last, so preparing is never a walk over the handles.
int TMathInterpreter::PrepareTree(const std::string& text) {
    TMItems items;
    ParseExpression(text, items);
    ProcessExpressionKeywords(items);
    std::unique_ptr<TMExpression> tree = RPN(items);
    if (!tree) throw Exception("TMathInterpreter.PrepareExpression() Can't prepare empty expression.");
    std::unique_ptr<TCompiledExpression> program = TCompiledExpression::Compile(*tree);
    int handle = prepared_->Count();
    if (freeHandles_.empty()) {
        ResizeCompiled(static_cast<std::size_t>(handle) + 1);
        prepared_->Add(nullptr);
    } else {
        std::pop_heap(freeHandles_.begin(), freeHandles_.end(), std::greater<>());
        handle = freeHandles_.back();
        freeHandles_.pop_back();
    }
    compiled_[static_cast<std::size_t>(handle)].program = std::move(program);
    runs_[static_cast<std::size_t>(handle)] = &kNoPreparedRun;  // the first run finds the places
    prepared_->Put(handle, std::move(tree));
    return handle;
}

bool TMathInterpreter::IsValidPreparedExpression(int handle) const {
    return handle >= 0 && handle < prepared_->Count() && prepared_->Get(handle) != nullptr;
}

// A compiled program exists only beside a valid handle. Where its places are not current they
// are found and the double-only form runs once more; then the exact program, which answers
// Empty where the tree must run, then the tree.
Variant TMathInterpreter::ExecutePreparedSlowly(int handle) {
    const auto i = static_cast<std::size_t>(static_cast<unsigned>(handle));
    if (i < compiled_.size()) {
        Compiled& slot = compiled_[i];
        if (const TCompiledExpression* program = slot.program.get()) {
            if (runs_[i] != &program->DoubleRun()) {
                if (!slot.listed) resolved_.push_back(i);
                slot.listed = true;
                runs_[i] = &program->DoubleRun();
                const double value = program->RunDoubleAfresh();
                if (IsFinite(value)) return Variant(value);
            }
            Variant result = program->Run();
            if (!result.IsEmpty()) return result;
        }
    }
    if (!IsValidPreparedExpression(handle))
        throw Exception("TMathInterpreter.ExecutePreparedExpression() Invalid prepared expression handle.");
    return GuardedEntry("ExecutePreparedExpression", StackFloorOfEvaluation(), [&] {
        EvaluationScope scope(*this);
        return prepared_->Expr(handle)->GetValue();
    });
}

void TMathInterpreter::FreePreparedExpression(int handle) {
    if (!IsValidPreparedExpression(handle))
        throw Exception("TMathInterpreter.FreePreparedExpression() Invalid prepared expression handle.");
    CheckNotEvaluating("FreePreparedExpression");
    runs_[static_cast<std::size_t>(handle)] = &kNoPreparedRun;
    compiled_[static_cast<std::size_t>(handle)].program.reset();  // stays listed while resolved_ holds it
    freeHandles_.reserve(freeHandles_.size() + 1);  // so that nothing after the release can fail
    prepared_->Take(handle).reset();
    freeHandles_.push_back(handle);
    std::push_heap(freeHandles_.begin(), freeHandles_.end(), std::greater<>());
}

void TMathInterpreter::ClearPreparedExpressions() {
    CheckNotEvaluating("ClearPreparedExpressions");
    ResizeCompiled(0);
    prepared_->FreeAndClear();
    freeHandles_.clear();
}

// Preparing only ever grows the list, so the walk over resolved_ is left to shrinking.
void TMathInterpreter::ResizeCompiled(std::size_t count) {
    if (count < compiled_.size()) std::erase_if(resolved_, [count](std::size_t i) { return i >= count; });
    runs_.reserve(count);  // so that the two lists cannot end up of different sizes
    compiled_.resize(count);
    runs_.resize(count, &kNoPreparedRun);
    compiledCount_ = count;
}

void TMathInterpreter::PlacesMoved() noexcept {
    for (std::size_t i : resolved_) {
        runs_[i] = &kNoPreparedRun;
        compiled_[i].listed = false;
    }
    resolved_.clear();
}

int TMathInterpreter::GetVariableHandles(const std::string& identifier) const {
    const int index = symbols_->FindSymbolIndex(identifier);
    if (index < 0)
        throw Exception(Join("TMathInterpreter.GetVariableHandles() Symbol: \"", identifier, "\" is not defined."));
    const TMSymbol* symbol = symbols_->Symbol(index);
    if (!Is<TMVar>(symbol))
        throw Exception(Join("TMathInterpreter.GetVariableHandles() Symbol: \"", identifier, "\" has type: \"",
                             symbol->ClassName(), "\", but type \"TMVarRef\" is required."));
    return index;
}

TMVar& TMathInterpreter::RaiseNoVariable(int handle) const {
    if (handle < 0 || handle >= symbols_->Count()) throw EListError(Join("List index out of bounds (", handle, ")"));
    throw EInvalidCast();
}

void TMathInterpreter::SetDoubleSlowly(std::size_t index, double value) {
    VariableAt(static_cast<int>(static_cast<unsigned>(index))).SetValue(Variant(CheckFinite(value)));
}

Variant TMathInterpreter::GetVariables(const std::string& identifier) const {
    return GetVariablesByHandle(GetVariableHandles(identifier));
}

void TMathInterpreter::SetVariables(const std::string& identifier, const Variant& value) {
    SetVariablesByHandle(GetVariableHandles(identifier), value);
}

}  // namespace tolvex
