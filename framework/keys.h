#pragma once
// Key codes, shift states and the edit-control messages that controls answer through Perform.
#include <cstdint>

#include "tolvex/framework/set.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

using TKey = std::uint16_t;
inline constexpr TKey VK_BACK = 8;
inline constexpr TKey VK_TAB = 9;
inline constexpr TKey VK_RETURN = 13;
inline constexpr TKey VK_ESCAPE = 27;
inline constexpr TKey VK_END = 35;
inline constexpr TKey VK_HOME = 36;
inline constexpr TKey VK_LEFT = 37;
inline constexpr TKey VK_UP = 38;
inline constexpr TKey VK_RIGHT = 39;
inline constexpr TKey VK_DOWN = 40;
inline constexpr TKey VK_DELETE = 46;

enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl };
using TShiftState = TSet<TShiftStateFlag>;

// Line of a character (wParam; -1: the selection's start). Memo controls.
inline constexpr unsigned EM_LINEFROMCHAR = 0x00C9;
// The same for rich edits, the character in lParam.
inline constexpr unsigned EM_EXLINEFROMCHAR = 0x0436;
// First character of a line (wParam; -1: the caret's line); -1 when there is no such line.
inline constexpr unsigned EM_LINEINDEX = 0x00BB;
// Length of the line holding a character (wParam); -1: the unselected characters on the
// lines the selection touches.
inline constexpr unsigned EM_LINELENGTH = 0x00C1;

}  // namespace tolvex

TOLVEX_END_API
