#pragma once
// Ordered item lists: token list, operator stack, operand stack (top at the end), operands of an
// operator, arguments of a call. A list owns its entries; an entry may be null.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tolvex/model/item.h"

namespace tolvex {

class TMExpression;
class TMParamExpression;

class TMItems {
public:
    TMItems() = default;
    TMItems(const TMItems&) = delete;
    TMItems& operator=(const TMItems&) = delete;
    virtual ~TMItems() { FreeAndClear(); }

    int Count() const { return static_cast<int>(items_.size()); }
    TMItem* Get(int index) const { return items_[index].get(); }
    TMItem* Last() const { return items_.empty() ? nullptr : items_.back().get(); }

    void Reserve(int count) { items_.reserve(static_cast<std::size_t>(count)); }
    void Add(std::unique_ptr<TMItem> item) {
        items_.push_back(std::move(item));
        if (observed_) Entered(Count() - 1);
    }
    // Takes the entry at the index, leaving null in its place.
    std::unique_ptr<TMItem> Take(int index) {
        if (observed_) Left(items_[index].get());
        return std::move(items_[index]);
    }
    // Puts an item at the index; the entry must be null.
    void Put(int index, std::unique_ptr<TMItem> item);
    // Removes the entry at the index (later entries move down) and hands it to the caller.
    std::unique_ptr<TMItem> Extract(int index);
    void Exchange(int i, int j) {
        std::swap(items_[i], items_[j]);
        if (observed_) Moved(std::min(i, j));
    }

    // Removes the last entry and hands it to the caller.
    std::unique_ptr<TMItem> Pop();
    void Reverse();
    // Frees the entries in ascending order, then empties the list. While an entry is freed, the
    // entries behind it are still in the list.
    void FreeAndClear();
    // Moves the top of `stack` onto this list, first letting it take its operands or arguments
    // from this list.
    void PullFromStack1(TMItems& stack, TMSymbols* symbols);
    // The entries' texts joined by the separator; "Null" for a null entry.
    std::string Dump(const std::string& separator, TDumpFormat format) const;

protected:
    // A list that indexes its entries hears of every change: an item entered the entry at
    // `index`, an item left its entry, or the entries from `first` on may have changed place.
    virtual void Entered(int /*index*/) {}
    virtual void Left(TMItem* /*item*/) {}
    virtual void Moved(int /*first*/) {}

    std::vector<std::unique_ptr<TMItem>, item_pool::Allocator<std::unique_ptr<TMItem>>> items_;
    bool observed_ = false;  // set by a list that overrides the three above
};

class TMValues : public TMItems {};

class TMExpressions : public TMValues {
public:
    // Inline: read for every operand on every evaluation.
    TMExpression* Expr(int index) const { return static_cast<TMExpression*>(Get(index)); }
};

class TMParamExpressions : public TMValues {
public:
    TMParamExpression* Param(int index) const;
};

}  // namespace tolvex
