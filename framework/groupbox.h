#pragma once
// A group box: a container with a caption on its frame.
#include "tolvex/framework/control.h"

namespace tolvex {

class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* owner = nullptr) : TControl(owner) {}
    const char* ClassName() const override { return "TGroupBox"; }
    void DescribeProperties(TPropertyList& list) override;
};

}  // namespace tolvex
