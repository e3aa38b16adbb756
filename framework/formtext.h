#pragma once
// The text of a form file, one property per line:
//   object Form1: TForm1            a component (or "object TForm1" for one without a name)
//     MaxFunctionNesting = 1000     a property; sub-object properties as "Font.Color = 255"
//   end
// Values: integers (-12), True/False, strings in double quotes with backslash escapes (backslash,
// quote, r, n, t, and xHH for any byte)
// (so every byte survives), identifiers (enumeration members, component and method names, nil),
// sets [fsBold, fsItalic] and string lists ("a", "b").
#include <string>
#include <string_view>

#include "tolvex/framework/properties.h"

namespace tolvex {

std::string FormatValue(const TPropertyValue& value);
// A string literal: quoted and escaped.
std::string QuoteString(std::string_view text);
// Reads a whole value text; EReadError naming the line when it is malformed.
TPropertyValue ParseValue(std::string_view text, int line);

// Raises EReadError "Form file line <line>: <what>".
[[noreturn]] void FormError(int line, std::string_view what);

}  // namespace tolvex
