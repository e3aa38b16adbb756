#pragma once
// The expression controls: an edit, a combo box with a history, a memo and a rich edit that
// evaluate what the user types with a TMathInterpreter when Return is pressed, and show the result
// or the error in place.
#include "tolvex/controls/mathcombobox.h"
#include "tolvex/controls/mathedit.h"
#include "tolvex/controls/mathmemo.h"
#include "tolvex/controls/mathrichedit.h"
#include "tolvex/controls/options.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex::Mathcontrols {

// Puts TMathEdit, TMathComboBox, TMathMemo and TMathRichEdit, in this order, on the palette
// page "Tolvex".
void Register();

}  // namespace tolvex::Mathcontrols

TOLVEX_END_API
