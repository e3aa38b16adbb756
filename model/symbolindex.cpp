#include "tolvex/model/symbolindex.h"

#include <algorithm>

#include "tolvex/model/hostsymbols.h"
#include "tolvex/model/references.h"
#include "tolvex/model/symbols.h"

namespace tolvex {

namespace {

template <class T>
void Erase(std::vector<T*>& list, T* item) {
    if (auto found = std::find(list.begin(), list.end(), item); found != list.end()) list.erase(found);
}

int ArgumentCount(const TMReference& reference) {
    auto* call = As<TMFunctionCall>(&reference);
    return call ? call->ParamExpressions.Count() : 0;
}

}  // namespace

namespace {

constexpr unsigned char Folded(char c) {
    return static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 32 : c);
}

}  // namespace

std::size_t FoldedHash::operator()(std::string_view name) const noexcept {
    std::size_t h = 14695981039346656037ull;  // FNV-1a
    for (char c : name) h = (h ^ Folded(c)) * 1099511628211ull;
    return h;
}

bool FoldedEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i])) return false;
    return true;
}

// ---- Symbols by name ------------------------------------------------------------------------

std::size_t TMSymbolIndex::Home(std::uint64_t hash) const {
    // Fibonacci hashing spreads the few low bits that short names vary in over the whole array.
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> 32) & (entries_.size() - 1);
}

void TMSymbolIndex::File(TMSymbol& symbol) {
    if (2 * (filed_ + 1) > entries_.size()) Grow();
    const std::uint64_t hash = FoldedHash()(symbol.Identifier());
    std::size_t i = Home(hash);
    while (entries_[i].symbol) i = (i + 1) & (entries_.size() - 1);
    entries_[i] = {hash, &symbol};
    ++filed_;
}

void TMSymbolIndex::Grow() {
    std::vector<Entry> old(std::max<std::size_t>(16, 2 * entries_.size()));
    old.swap(entries_);
    for (const Entry& entry : old) {
        if (!entry.symbol) continue;
        std::size_t i = Home(entry.hash);
        while (entries_[i].symbol) i = (i + 1) & (entries_.size() - 1);
        entries_[i] = entry;
    }
}

// Removes the symbol's entry under `identifier`; the entries behind it in its run move back into
// the gap where their home allows, so that every run stays unbroken.
void TMSymbolIndex::Unfile(TMSymbol& symbol, const std::string& identifier) {
    if (entries_.empty()) return;
    const std::size_t mask = entries_.size() - 1;
    const std::uint64_t hash = FoldedHash()(identifier);
    std::size_t gap = Home(hash);
    while (entries_[gap].symbol && !(entries_[gap].symbol == &symbol && entries_[gap].hash == hash))
        gap = (gap + 1) & mask;
    if (!entries_[gap].symbol) return;
    for (std::size_t i = (gap + 1) & mask; entries_[i].symbol; i = (i + 1) & mask) {
        const std::size_t home = Home(entries_[i].hash);
        // The entry may fill the gap when its home does not lie in the stretch (gap, i].
        if (((i - home) & mask) >= ((i - gap) & mask)) {
            entries_[gap] = entries_[i];
            gap = i;
        }
    }
    entries_[gap] = Entry{};
    --filed_;
}

void TMSymbolIndex::Entered(TMSymbols& table, int index) {
    TMSymbol* symbol = table.Symbol(index);
    if (!Is<TMSymbol>(symbol)) return;
    if (symbol->slot_ < 0) File(*symbol);
    symbol->slot_ = index;
}

void TMSymbolIndex::Left(TMSymbol& symbol) {
    if (symbol.slot_ < 0) return;
    symbol.slot_ = -1;
    Unfile(symbol, symbol.Identifier());
}

void TMSymbolIndex::Moved(TMSymbols& table, int first) {
    for (int i = first; i < table.Count(); ++i)
        if (Is<TMSymbol>(table.Get(i))) table.Symbol(i)->slot_ = i;
}

void TMSymbolIndex::Renamed(TMSymbol& symbol, const std::string& previous) {
    if (symbol.slot_ < 0) return;
    Unfile(symbol, previous);
    File(symbol);
}

int TMSymbolIndex::Find(const TMSymbols& table, std::string_view identifier) const {
    if (entries_.empty()) return -1;
    int found = -1;
    const std::uint64_t hash = FoldedHash()(identifier);
    for (std::size_t i = Home(hash); entries_[i].symbol; i = (i + 1) & (entries_.size() - 1)) {
        const TMSymbol* symbol = entries_[i].symbol;
        if (entries_[i].hash == hash && symbol->IsEqualIdentifier(identifier) && (found < 0 || symbol->slot_ < found))
            found = symbol->slot_;
    }
    return found >= 0 && table.Get(found) ? found : -1;
}

void TMSymbolIndex::Prefetch(std::string_view name) const {
    if (!entries_.empty()) __builtin_prefetch(&entries_[Home(FoldedHash()(name))]);
}

void TMSymbolIndex::Clear() {
    std::fill(entries_.begin(), entries_.end(), Entry{});
    filed_ = 0;
    users_.clear();
}

// ---- Function bodies by name ----------------------------------------------------------------

void TMSymbolIndex::AddUser(const std::string& key, TMFunction& function) {
    for (const std::string* used : function.usedNames_)
        if (FoldedEqual()(*used, key)) return;
    auto& [name, users] = *users_.try_emplace(key).first;
    function.usedNames_.push_back(&name);
    users.push_back(&function);
}

void TMSymbolIndex::AddBody(const TMSymbols& table, TMFunction& function) {
    bodyReferences_.clear();
    function.Expression()->CollectReferences(bodyReferences_);
    function.usedNames_.reserve(function.usedNames_.size() + bodyReferences_.size());
    for (TMReference* reference : bodyReferences_) {
        AddUser(reference->ReferencedSymbolName, function);
        if (reference->SymbolReference && reference->SymbolReference->List == &table)
            AddUser(reference->SymbolReference->Identifier(), function);
    }
}

void TMSymbolIndex::RemoveBody(TMFunction& function) {
    for (const std::string* key : function.usedNames_) {
        auto users = users_.find(*key);
        if (users == users_.end()) continue;
        Erase(users->second, &function);
        if (users->second.empty()) users_.erase(users);
    }
    function.usedNames_.clear();
}

// ---- Binding --------------------------------------------------------------------------------

bool TMSymbolIndex::BindByName(const TMSymbols& table, TMExpression& tree, const TMParams* parameters) {
    references_.clear();
    targets_.clear();
    tree.CollectReferences(references_);
    for (TMReference* reference : references_) {
        if (reference->ReferencedSymbolName.empty()) return false;
        // Only the parameters of the function being defined may have been bound before.
        if (reference->SymbolReference && (!parameters || reference->SymbolReference->List != parameters))
            return false;
        const int k = Find(table, reference->ReferencedSymbolName);
        TMSymbol* symbol = k < 0 ? nullptr : table.Symbol(k);
        if (symbol && parameters && parameters->ParamExists(symbol->Identifier())) symbol = nullptr;
        if (symbol) {
            auto* function = As<TMFunction>(symbol);
            auto* host = As<TMHostFunction>(symbol);
            if (!function && !host && !Is<TMVar>(symbol) && !Is<TMConstant>(symbol)) return false;
            // A name without arguments bound to a function with parameters fails, as does a call
            // of a host function with a count it does not take.
            if (function && Is<TMVarRef>(reference) && function->Parameters().Count() > 0) return false;
            if (host && !host->Arity().Accepts(ArgumentCount(*reference))) return false;
        }
        targets_.push_back(symbol);
    }
    for (std::size_t i = 0; i < references_.size(); ++i)
        if (targets_[i]) references_[i]->SymbolReference = targets_[i];
    return true;
}

void TMSymbolIndex::Rebind(const TMSymbols& table, TMSymbol& symbol, const std::string& name,
                           const std::string& previous) {
    const std::string& key = symbol.Identifier();
    const bool renamed = !previous.empty() && !FoldedEqual()(previous, key);
    std::vector<TMFunction*> bodies;
    for (const std::string* k : {&key, &previous}) {
        if (k == &previous && !renamed) break;
        auto users = users_.find(*k);
        if (users == users_.end()) continue;
        for (TMFunction* f : users->second)
            if (f->slot_ >= 0 && table.Get(f->slot_) == f) bodies.push_back(f);
    }
    // References bound under the old name, or carried to the new one, stay findable by the new.
    if (renamed) {
        if (auto users = users_.find(previous); users != users_.end()) {
            const std::vector<TMFunction*> old = users->second;
            for (TMFunction* f : old) AddUser(key, *f);
        }
    }
    std::sort(bodies.begin(), bodies.end(), [](TMFunction* a, TMFunction* b) { return a->slot_ < b->slot_; });
    bodies.erase(std::unique(bodies.begin(), bodies.end()), bodies.end());
    for (TMFunction* f : bodies)
        if (f->Expression() && !f->Parameters().ParamExists(name)) f->Expression()->Rewire(&symbol);
}

void TMSymbolIndex::Unwire(TMSymbol& symbol) {
    auto users = users_.find((symbol.Identifier()));
    if (users == users_.end()) return;
    for (TMFunction* f : users->second)
        if (f != &symbol && f->Expression()) f->Expression()->Unwire(&symbol);
}

// ---- The table's side -----------------------------------------------------------------------

void TMSymbols::EnableIndex() {
    index_ = std::make_unique<TMSymbolIndex>();
    for (int i = 0; i < Count(); ++i) index_->Entered(*this, i);
    MirrorPlaces(0);
    for (int i = 0; i < Count(); ++i)
        if (auto* f = As<TMFunction>(Get(i)); f && f->Expression()) index_->AddBody(*this, *f);
}

void TMSymbols::Entered(int index) {
    if (!index_ || clearing_) return;
    index_->Entered(*this, index);
    MirrorPlace(static_cast<std::size_t>(index));
}

void TMSymbols::Left(TMItem* item) {
    if (!index_ || clearing_ || !Is<TMSymbol>(item)) return;
    auto& symbol = *static_cast<TMSymbol*>(item);
    if (const auto slot = static_cast<std::size_t>(symbol.slot_); symbol.slot_ >= 0 && slot < places_.size())
        places_[slot] = nullptr;
    index_->Left(symbol);
}

void TMSymbols::Moved(int first) {
    if (!index_ || clearing_) return;
    index_->Moved(*this, first);
    MirrorPlaces(static_cast<std::size_t>(first));
}

void TMSymbols::Renamed(TMSymbol& symbol, const std::string& previous) {
    if (index_ && !clearing_) index_->Renamed(symbol, previous);
}

void TMSymbols::FreeAndClear() {
    if (!index_) return TMItems::FreeAndClear();
    clearing_ = true;
    ResizePlaces(0);
    index_->Clear();
    TMItems::FreeAndClear();
    clearing_ = false;
}

void TMSymbols::BindTree(TMExpression& tree, const TMParams* parameters) {
    if (index_ && index_->BindByName(*this, tree, parameters)) return;
    for (int i = 0; i < Count(); ++i) {
        TMSymbol* s = Symbol(i);
        if (s && !(parameters && parameters->ParamExists(s->Identifier()))) tree.Rewire(s);
    }
}

}  // namespace tolvex
