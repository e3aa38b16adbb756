#pragma once
// A group box: a container with a caption on its frame.
#include "tolvex/framework/control.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* owner = nullptr) : TControl(owner) {}
    const char* ClassName() const override { return "TGroupBox"; }
    void DescribeProperties(TPropertyList& list) override;
};

}  // namespace tolvex

TOLVEX_END_API
