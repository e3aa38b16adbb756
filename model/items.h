#pragma once
// Ordered item lists: token list, operator stack, operand stack (top at the end), operands of an
// operator, arguments of a call. A list owns its entries; an entry may be null.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tolvex/model/item.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

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
    // Every access by index is checked: a bad index raises EListError "List index out of bounds (N)".
    TMItem* Get(int index) const { return items_[Checked(index)].get(); }
    // The entry at the index, or null when there is none: for callers that test anyway.
    TMItem* Find(int index) const noexcept {
        return static_cast<std::size_t>(static_cast<unsigned>(index)) < items_.size() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
    }
    TMItem* Last() const { return items_.empty() ? nullptr : items_.back().get(); }

    void Reserve(int count) { items_.reserve(static_cast<std::size_t>(count)); }
    void Add(std::unique_ptr<TMItem> item) {
        items_.push_back(std::move(item));
        if (observed_) Entered(Count() - 1);
    }
    // Takes the entry at the index, leaving null in its place.
    std::unique_ptr<TMItem> Take(int index) {
        auto& entry = items_[Checked(index)];
        if (observed_) Left(entry.get());
        return std::move(entry);
    }
    // Puts an item at the index; the entry must be null.
    void Put(int index, std::unique_ptr<TMItem> item);
    // Removes the entry at the index (later entries move down) and hands it to the caller.
    std::unique_ptr<TMItem> Extract(int index);
    // Removes the entries at `indices` (ascending, distinct) in one pass, later entries moving
    // down, and hands them to the caller in that order: linear however many there are.
    std::vector<std::unique_ptr<TMItem>> ExtractEach(const std::vector<int>& indices);
    void Exchange(int i, int j) {
        std::swap(items_[Checked(i)], items_[Checked(j)]);
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
    // The index as a position in the entries, once it is known to name one.
    std::size_t Checked(int index) const {
        if (index < 0 || index >= Count()) RaiseIndex(index);
        return static_cast<std::size_t>(index);
    }
    [[noreturn]] static void RaiseIndex(int index);

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

TOLVEX_END_API
