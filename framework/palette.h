#pragma once
// The component palette: the pages on which packages put their components for the form designer.
#include <initializer_list>
#include <string>
#include <vector>

#include "tolvex/framework/classes.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

struct TPaletteEntry {
    std::string page;
    TComponentClass componentClass;
};

// Puts the classes, in order, on the palette page and makes them known to the form-file reader.
// A class already on that page stays where it is. Safe to call from any thread.
void RegisterComponents(const std::string& page, std::initializer_list<TComponentClass> classes);
// Everything registered so far, in registration order.
std::vector<TPaletteEntry> RegisteredComponents();

}  // namespace tolvex

TOLVEX_END_API
