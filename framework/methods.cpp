#include "tolvex/framework/methods.h"

#include "tolvex/framework/ident.h"

namespace tolvex {

const std::any* TMethodTable::FindEntry(std::string_view name) const {
    for (const auto& [key, entry] : entries_)
        if (SameText(key, name)) return &entry;
    return nullptr;
}

void TMethodTable::Put(const std::string& name, std::any entry) {
    for (auto& [key, existing] : entries_)
        if (SameText(key, name)) {
            existing = std::move(entry);
            return;
        }
    entries_.emplace_back(name, std::move(entry));
}

}  // namespace tolvex
