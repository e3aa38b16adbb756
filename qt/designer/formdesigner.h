#pragma once
// The design-time editors' form designer, for an interpreter on a form of Qt Widgets Designer:
// a modification goes through the form window's cursor, so that the designer records the
// interpreter's stored properties as changed (and saves them, "symbols" included), can undo
// them, and marks the form modified.
#include "tolvex/framework/designer.h"

namespace tolvex::qt {

class TMathInterpreterWidget;

class TFormDesigner final : public TDesigner {
public:
    explicit TFormDesigner(TMathInterpreterWidget& widget) : widget_(widget) {}
    // Without a form window (the widget is not on a form) there is nothing to mark.
    void Modified() override;

private:
    TMathInterpreterWidget& widget_;
};

}  // namespace tolvex::qt
