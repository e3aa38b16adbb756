#pragma once
// A single-line edit control.
#include "tolvex/framework/textcontrol.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TEdit : public TTextControl {
public:
    explicit TEdit(TComponent* owner = nullptr) : TTextControl(owner) {}
    const char* ClassName() const override { return "TEdit"; }
    void DescribeProperties(TPropertyList& list) override;

    // Whether all text is selected when the edit is entered; true for a new edit.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }

private:
    bool autoSelect_ = true;
};

}  // namespace tolvex

TOLVEX_END_API
