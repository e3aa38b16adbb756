#pragma once
// Line helpers of the memo transcript, shared by TMathMemo and TMathRichEdit.
#include <string>

#include "tolvex/framework/memo.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

// The text of the memo's line `line` (a line as the control counts them, so the empty memo has
// its one empty line), or empty when there is no such line.
std::string LineText(const TCustomMemo& memo, int line);
// Whether `line` is the memo's last line.
bool IsLastLine(const TCustomMemo& memo, int line);
// Whether anything but CR, LF and blanks stands in `text` from the character before `caret` to
// the end. With the caret at the start there is no character before it, and the whole text counts.
bool SomethingAfter(const std::string& text, int caret);

}  // namespace tolvex

TOLVEX_END_API
