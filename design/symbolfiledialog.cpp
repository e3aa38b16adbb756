#include "tolvex/design/symbolfiledialog.h"

namespace tolvex {

void PrepareSymbolFileDialog(TOpenDialog& dialog) {
    dialog.SetDefaultExt("txt");
    dialog.SetFilter("*.txt|*.txt|*.*|*.*");
}

}  // namespace tolvex
