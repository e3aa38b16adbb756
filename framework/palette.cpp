#include "tolvex/framework/palette.h"

#include <algorithm>
#include <mutex>

#include "tolvex/framework/ident.h"

namespace tolvex {

namespace {

struct Palette {
    std::mutex mutex;
    std::vector<TPaletteEntry> entries;

    static Palette& Instance() {
        static Palette palette;
        return palette;
    }
    bool Holds(const std::string& page, const std::string& className) const {
        return std::any_of(entries.begin(), entries.end(), [&](const TPaletteEntry& e) {
            return e.page == page && SameText(e.componentClass.name, className);
        });
    }
};

}  // namespace

void RegisterComponents(const std::string& page, std::initializer_list<TComponentClass> classes) {
    Palette& palette = Palette::Instance();
    for (const TComponentClass& c : classes) {
        RegisterClass(c);
        std::lock_guard lock(palette.mutex);
        if (!palette.Holds(page, c.name)) palette.entries.push_back({page, c});
    }
}

std::vector<TPaletteEntry> RegisteredComponents() {
    Palette& palette = Palette::Instance();
    std::lock_guard lock(palette.mutex);
    return palette.entries;
}

}  // namespace tolvex
