#pragma once
// How the design-time tools ask for a symbol file: text files by default, all files on demand.
#include "tolvex/framework/dialogs.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// Gives the dialog the default extension "txt" and the filter "*.txt|*.txt|*.*|*.*".
void PrepareSymbolFileDialog(TOpenDialog& dialog);

}  // namespace tolvex

TOLVEX_END_API
