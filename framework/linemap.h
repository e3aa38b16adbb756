#pragma once
// Where the lines of a text begin and end. A line ends at CR LF, a lone CR or a lone LF; a text
// has one line more than it has line breaks, so the empty text has one empty line.
#include <string_view>
#include <vector>

#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TLineMap {
public:
    explicit TLineMap(std::string_view text);

    int Count() const { return static_cast<int>(starts_.size()); }
    // The line holding the character at `index`; a line break belongs to the line it ends.
    // Indices outside the text count as its nearest end.
    int LineOf(int index) const;
    // The first character of `line`, or -1 when there is no such line.
    int Start(int line) const;
    // The length of `line` without its line break; 0 when there is no such line.
    int Length(int line) const;
    // Where `line` ends, its line break included (the next line's start, or the text's end).
    int End(int line) const;

private:
    std::vector<int> starts_;
    std::vector<int> ends_;  // end of each line's text, before its break
    int size_;
};

}  // namespace tolvex

TOLVEX_END_API
