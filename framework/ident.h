#pragma once
// Identifiers as form files and component names use them: compared without regard to ASCII case.
#include <string_view>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Equal texts when "a".."z" and "A".."Z" are taken as the same letters.
bool SameText(std::string_view a, std::string_view b);

// A letter or "_" first, then letters, digits and "_".
bool IsValidIdent(std::string_view text);

}  // namespace tolvex

TOLVEX_END_API
