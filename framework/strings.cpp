#include "tolvex/framework/strings.h"

#include "tolvex/framework/exception.h"

namespace tolvex {

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == s) return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    SetStrings(lines);
}

void TStrings::SetStrings(const std::vector<std::string>& lines) {
    Clear();
    for (const std::string& line : lines) Add(line);
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this) return;
    std::vector<std::string> lines;
    for (int i = 0; i < other.Count(); ++i) lines.push_back(other.Get(i));
    SetStrings(lines);
}

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStringList::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return lines_[index];
}

void TStringList::Put(int index, std::string s) {
    CheckIndex(index, Count() - 1);
    lines_[index] = std::move(s);
}

int TStringList::Add(std::string s) {
    lines_.push_back(std::move(s));
    return Count() - 1;
}

void TStringList::Insert(int index, std::string s) {
    CheckIndex(index, Count());
    lines_.insert(lines_.begin() + index, std::move(s));
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    lines_.erase(lines_.begin() + index);
}

}  // namespace tolvex
