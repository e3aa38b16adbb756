#include "tolvex/framework/edit.h"

#include <climits>

#include "tolvex/framework/properties.h"

namespace tolvex {

void TEdit::DescribeProperties(TPropertyList& list) {
    TTextControl::DescribeProperties(list);
    list.AddBoolean("AutoSelect", [this] { return autoSelect_; }, [this](bool v) { autoSelect_ = v; });
    list.AddInteger("MaxLength", [this] { return MaxLength(); }, [this](std::int64_t v) { SetMaxLength(static_cast<int>(v)); },
                    0, INT_MAX);
    list.AddString("Text", [this] { return Text(); }, [this](const std::string& v) { SetText(v); });
}

}  // namespace tolvex
