#include "tolvex/framework/linemap.h"

#include <algorithm>

namespace tolvex {

TLineMap::TLineMap(std::string_view text) : size_(static_cast<int>(text.size())) {
    starts_.push_back(0);
    for (int i = 0; i < size_; ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        ends_.push_back(i);
        if (text[i] == '\r' && i + 1 < size_ && text[i + 1] == '\n') ++i;
        starts_.push_back(i + 1);
    }
    ends_.push_back(size_);
}

int TLineMap::LineOf(int index) const {
    index = std::clamp(index, 0, size_);
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), index);
    return static_cast<int>(after - starts_.begin()) - 1;
}

int TLineMap::Start(int line) const { return line >= 0 && line < Count() ? starts_[line] : -1; }

int TLineMap::Length(int line) const { return line >= 0 && line < Count() ? ends_[line] - starts_[line] : 0; }

int TLineMap::End(int line) const { return line + 1 < Count() ? starts_[line + 1] : size_; }

}  // namespace tolvex
