#pragma once
// The index behind the interpreter's symbol table: symbols by name, and the function bodies that
// use each name. With it a lookup, the binding of a new tree and the rebinding that follows a new
// or renamed symbol cost in proportion to the names involved, not to the size of the table; the
// bindings that result are exactly those of walking the whole table.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tolvex {

class TMExpression;
class TMFunction;
class TMParams;
class TMReference;
class TMSymbol;
class TMSymbols;

// Names are filed ignoring the case of ASCII letters, so that names equal under either case rule
// share an entry; the exact comparison is made on the few symbols found under it.
struct FoldedHash {
    std::size_t operator()(std::string_view name) const noexcept;
};
struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};
template <class T>
using FoldedMap = std::unordered_map<std::string, T, FoldedHash, FoldedEqual>;

class TMSymbolIndex {
public:
    // ---- Symbols by name; kept in step by the table -----------------------------------------
    void Entered(TMSymbols& table, int index);
    void Left(TMSymbol& symbol);
    void Moved(TMSymbols& table, int first);
    void Renamed(TMSymbol& symbol, const std::string& previous);
    // Index of the symbol named `identifier` under the table's case rule, or -1.
    int Find(const TMSymbols& table, std::string_view identifier) const;
    // A hint that `name` will be looked up soon: starts loading the place it is filed at, so that
    // in a large index the lookup does not wait for memory. Changes nothing.
    void Prefetch(std::string_view name) const;
    void Clear();

    // ---- Function bodies by the names they use ----------------------------------------------
    // Files the body of `function` under every name its references carry or are bound to.
    void AddBody(const TMSymbols& table, TMFunction& function);
    void RemoveBody(TMFunction& function);

    // ---- Binding ----------------------------------------------------------------------------
    // Binds the references of a new tree by name, as rewiring it with every symbol of the table
    // would (`parameters`, may be null, shadow the table). Answers false, having changed nothing,
    // when that walk would fail or the tree holds references in another state: the caller then
    // walks the table itself, so that the same error is raised at the same point.
    bool BindByName(const TMSymbols& table, TMExpression& tree, const TMParams* parameters);
    // A symbol of the table was named `name` (trimmed), formerly `previous`: rewires the bodies
    // that use either name, in table order, skipping those with a parameter of the new name.
    void Rebind(const TMSymbols& table, TMSymbol& symbol, const std::string& name, const std::string& previous);
    // A symbol of the table is being freed: unbinds it from every body.
    void Unwire(TMSymbol& symbol);

private:
    void AddUser(const std::string& key, TMFunction& function);

    // ---- Symbols by folded name: open addressing with linear probing -------------------------
    // An entry holds the folded hash of the name the symbol was filed under and the symbol; names
    // themselves are read from the symbols. One flat array, no node per symbol, so that filing and
    // finding a name touch one place in memory whatever the size of the table. Nearly every name
    // has one symbol; two only where case-sensitive names differ in case.
    struct Entry {
        std::uint64_t hash = 0;
        TMSymbol* symbol = nullptr;  // null: free
    };
    std::size_t Home(std::uint64_t hash) const;
    void File(TMSymbol& symbol);
    void Unfile(TMSymbol& symbol, const std::string& identifier);
    void Grow();

    std::vector<Entry> entries_;  // a power of two in size, at most half used; kept when cleared
    std::size_t filed_ = 0;
    FoldedMap<std::vector<TMFunction*>> users_;
    std::vector<TMReference*> references_;      // scratch of BindByName
    std::vector<TMReference*> bodyReferences_;  // scratch of AddBody
    std::vector<TMSymbol*> targets_;        // scratch of BindByName
};

}  // namespace tolvex
