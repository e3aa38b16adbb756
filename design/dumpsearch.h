#pragma once
// The incremental search of the symbol windows: find the first dump line that begins with what
// the user typed, and select it there.
#include <string_view>

#include "tolvex/framework/memo.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// The key is `typed` without blanks and control characters at either end; an empty key does
// nothing. Without `caseSensitive`, the key and the line beginnings are compared upper-cased
// ("a".."z" only). The first line of `dump` whose first characters equal the key gets the key's
// length of characters selected from its start; without such a line nothing changes.
void LocateSymbol(TCustomMemo& dump, std::string_view typed, bool caseSensitive);

// The run of identifier characters (digits, letters, "_") at the start of `line`; may be empty.
std::string_view LeadingIdentifier(std::string_view line);

}  // namespace tolvex

TOLVEX_END_API
