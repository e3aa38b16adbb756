#include "tolvex/design/dumpsearch.h"

#include <string>

#include "tolvex/framework/sysutils.h"

namespace tolvex {

namespace {

// Lines are joined by CR LF, so each one starts this far after the one before it.
constexpr int kLineBreakLength = 2;

bool IsIdentifierChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

}  // namespace

void LocateSymbol(TCustomMemo& dump, std::string_view typed, bool caseSensitive) {
    std::string key = Trim(typed);
    if (key.empty()) return;
    if (!caseSensitive) key = UpperCase(key);
    const TStrings& lines = dump.Lines();
    int offset = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string& line = lines[i];
        const std::string candidate = line.substr(0, key.size());
        if ((caseSensitive ? candidate : UpperCase(candidate)) == key) {
            dump.SetSelStart(offset);
            dump.SetSelLength(static_cast<int>(key.size()));
            return;
        }
        offset += static_cast<int>(line.size()) + kLineBreakLength;
    }
}

std::string_view LeadingIdentifier(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && IsIdentifierChar(line[end])) ++end;
    return line.substr(0, end);
}

}  // namespace tolvex
