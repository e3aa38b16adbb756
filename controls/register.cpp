#include "tolvex/controls/mathcontrols.h"
#include "tolvex/framework/palette.h"

namespace tolvex::Mathcontrols {

void Register() {
    RegisterComponents("Tolvex", {ClassOf<TMathEdit>(), ClassOf<TMathComboBox>(), ClassOf<TMathMemo>(),
                                  ClassOf<TMathRichEdit>()});
}

}  // namespace tolvex::Mathcontrols
