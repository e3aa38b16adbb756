#include "tolvex/design/windowbuilder.h"

namespace tolvex {

void SetWindowDefaults(TForm& window, const char* caption, int width, int height) {
    window.SetCaption(caption);
    window.SetWidth(width);
    window.SetHeight(height);
    window.SetBorderIcons({biSystemMenu, biMaximize});
    window.SetPosition(poDefaultPosOnly);
    window.Font().SetName("MS Sans Serif");
    window.Font().SetHeight(-11);
}

}  // namespace tolvex
