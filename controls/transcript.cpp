#include "tolvex/controls/transcript.h"

#include <algorithm>

#include "tolvex/framework/linemap.h"

namespace tolvex {

std::string LineText(const TCustomMemo& memo, int line) {
    const std::string text = memo.Text();
    const TLineMap map(text);
    const int start = map.Start(line);
    if (start < 0) return {};
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(map.Length(line)));
}

bool IsLastLine(const TCustomMemo& memo, int line) { return line == TLineMap(memo.Text()).Count() - 1; }

bool SomethingAfter(const std::string& text, int caret) {
    const auto from = static_cast<std::size_t>(std::clamp(caret - 1, 0, static_cast<int>(text.size())));
    return std::any_of(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                       [](char c) { return c != '\r' && c != '\n' && c != ' '; });
}

}  // namespace tolvex
