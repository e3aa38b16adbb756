#include "tolvex/model/items.h"

#include <algorithm>

#include "tolvex/framework/exception.h"
#include "tolvex/model/operators.h"
#include "tolvex/model/references.h"

namespace tolvex {

void TMItems::Put(int index, std::unique_ptr<TMItem> item) {
    TOLVEX_ASSERT(!items_[index], "MathItem");
    items_[index] = std::move(item);
    if (observed_) Entered(index);
}

std::unique_ptr<TMItem> TMItems::Extract(int index) {
    if (observed_) Left(items_[index].get());
    std::unique_ptr<TMItem> item = std::move(items_[index]);
    items_.erase(items_.begin() + index);
    if (observed_) Moved(index);
    return item;
}

std::unique_ptr<TMItem> TMItems::Pop() {
    if (items_.empty()) throw Exception("TMItems.Pop() List is empty.");
    if (observed_) Left(items_.back().get());
    std::unique_ptr<TMItem> item = std::move(items_.back());
    items_.pop_back();
    return item;
}

void TMItems::Reverse() {
    std::reverse(items_.begin(), items_.end());
    if (observed_) Moved(0);
}

void TMItems::FreeAndClear() {
    // Index-based: freeing an entry may read this list (a dying symbol walks its table), so the
    // entry is nulled first and the entries behind it stay in place.
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (observed_ && items_[i]) Left(items_[i].get());
        std::unique_ptr<TMItem> dying = std::move(items_[i]);
    }
    items_.clear();
}

void TMItems::PullFromStack1(TMItems& stack, TMSymbols* symbols) {
    TOLVEX_ASSERT(stack.Count() > 0, "MathItem");
    std::unique_ptr<TMItem> item = stack.Pop();
    if (auto* op = As<TMOperator>(item.get()))
        op->PullOperands(*this, symbols);
    else if (auto* call = As<TMFunctionCall>(item.get()))
        call->PullParamExpressions(*this, symbols);
    Add(std::move(item));
}

std::string TMItems::Dump(const std::string& separator, TDumpFormat format) const {
    std::string text;
    for (const auto& item : items_) {
        if (!text.empty()) text += separator;
        text += item ? item->Dump(format) : "Null";
    }
    return text;
}

TMParamExpression* TMParamExpressions::Param(int index) const {
    return static_cast<TMParamExpression*>(Get(index));
}

}  // namespace tolvex
