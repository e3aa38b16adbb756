#include "tolvex/framework/textpeer.h"

#include <algorithm>

namespace tolvex {

void THeadlessTextPeer::SetText(const std::string& text) {
    const bool changed = text != text_;
    text_ = text;
    attributes_.assign(text_.size(), Intern(default_));
    selStart_ = selLength_ = 0;
    typing_ = default_;
    if (changed) TextChanged();
}

void THeadlessTextPeer::SetSelection(int start, int length) {
    selStart_ = std::clamp(start, 0, Size());
    selLength_ = std::clamp(length, 0, Size() - selStart_);
    typing_ = selStart_ > 0 ? AttributesAt(selStart_ - 1) : AttributesAt(0);
}

void THeadlessTextPeer::ReplaceSelection(const std::string& text) {
    const auto at = static_cast<std::size_t>(selStart_);
    text_.replace(at, static_cast<std::size_t>(selLength_), text);
    attributes_.erase(attributes_.begin() + selStart_, attributes_.begin() + selStart_ + selLength_);
    attributes_.insert(attributes_.begin() + selStart_, text.size(), Intern(typing_));
    const bool changed = selLength_ > 0 || !text.empty();
    selStart_ += static_cast<int>(text.size());
    selLength_ = 0;
    if (changed) TextChanged();
}

TCharAttributes THeadlessTextPeer::SelAttributes() const {
    return selLength_ > 0 ? AttributesAt(selStart_) : typing_;
}

void THeadlessTextPeer::SetSelAttributes(const TCharAttributes& attributes) {
    if (selLength_ == 0) {
        typing_ = attributes;
        return;
    }
    std::fill_n(attributes_.begin() + selStart_, selLength_, Intern(attributes));
}

TCharAttributes THeadlessTextPeer::AttributesAt(int index) const {
    if (index < 0 || index >= Size()) return default_;
    return table_[attributes_[index]];
}

std::uint32_t THeadlessTextPeer::Intern(const TCharAttributes& attributes) {
    const auto found = std::find(table_.begin(), table_.end(), attributes);
    if (found != table_.end()) return static_cast<std::uint32_t>(found - table_.begin());
    table_.push_back(attributes);
    return static_cast<std::uint32_t>(table_.size() - 1);
}

}  // namespace tolvex
