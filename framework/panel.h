#pragma once
// A panel: a plain container of controls, often aligned along an edge of its parent.
#include "tolvex/framework/control.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TPanel : public TControl {
public:
    explicit TPanel(TComponent* owner = nullptr) : TControl(owner) {}
    const char* ClassName() const override { return "TPanel"; }
    void DescribeProperties(TPropertyList& list) override;
};

}  // namespace tolvex

TOLVEX_END_API
