#include "tolvex/framework/ident.h"

namespace tolvex {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

bool IsValidIdent(std::string_view text) {
    if (text.empty() || !IsLetter(text[0])) return false;
    for (char c : text)
        if (!IsLetter(c) && !IsDigit(c)) return false;
    return true;
}

}  // namespace tolvex
