#include "tolvex/framework/combobox.h"

#include "tolvex/framework/properties.h"

namespace tolvex {

TComboBox::TComboBox(TComponent* owner) : TTextControl(owner), items_(std::make_unique<TStringList>()) {}

void TComboBox::DescribeProperties(TPropertyList& list) {
    TTextControl::DescribeProperties(list);
    list.AddStrings("Items", *items_);
    list.AddString("Text", [this] { return Text(); }, [this](const std::string& v) { SetText(v); });
}

void TComboBox::SetItemsPeer(std::unique_ptr<TStrings> items) {
    if (!items) return;
    items->Assign(*items_);
    items_ = std::move(items);
}

}  // namespace tolvex
