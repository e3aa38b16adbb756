#pragma once
// A combo box: an edit with a list of items. The items live behind their own peer, a string
// list that a widget backend can forward to the widget's list.
#include <memory>

#include "tolvex/framework/strings.h"
#include "tolvex/framework/textcontrol.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TComboBox : public TTextControl {
public:
    explicit TComboBox(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TComboBox"; }
    void DescribeProperties(TPropertyList& list) override;

    TStrings& Items() { return *items_; }
    const TStrings& Items() const { return *items_; }
    // Puts a widget's item list in place of the current one; it takes over the items.
    void SetItemsPeer(std::unique_ptr<TStrings> items);

private:
    std::unique_ptr<TStrings> items_;
};

}  // namespace tolvex

TOLVEX_END_API
