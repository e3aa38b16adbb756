#pragma once
// How the design-time tools ask for a symbol file: text files by default, all files on demand.
#include "tolvex/framework/dialogs.h"

namespace tolvex {

// Gives the dialog the default extension "txt" and the filter "*.txt|*.txt|*.*|*.*".
void PrepareSymbolFileDialog(TOpenDialog& dialog);

}  // namespace tolvex
