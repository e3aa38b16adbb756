#include "tolvex/framework/memo.h"

#include <algorithm>
#include <climits>

#include "tolvex/framework/exception.h"
#include "tolvex/framework/format.h"
#include "tolvex/framework/properties.h"

namespace tolvex {

namespace {

// A message parameter as a character or line index.
int ToIndex(std::intptr_t value) { return static_cast<int>(std::clamp<std::intptr_t>(value, -1, INT_MAX)); }

}  // namespace

// ---- Lines ----------------------------------------------------------------------------------

int TMemoLines::Count() const { return static_cast<int>(Cached().size()); }

const std::string& TMemoLines::Get(int index) const {
    CheckIndex(index, Count() - 1);
    return Cached()[static_cast<std::size_t>(index)];
}

void TMemoLines::Put(int index, std::string s) {
    CheckIndex(index, Count() - 1);
    const TLineMap map(memo_.Text());
    Replace(map.Start(index), map.Start(index) + map.Length(index), s);
}

int TMemoLines::Add(std::string s) {
    const int index = Count();
    const int end = memo_.GetTextLen();
    Replace(end, end, end == 0 ? s : "\r\n" + s);
    return index;
}

void TMemoLines::Insert(int index, std::string s) {
    CheckIndex(index, Count());
    if (index == Count()) {
        Add(std::move(s));
        return;
    }
    const int start = TLineMap(memo_.Text()).Start(index);
    Replace(start, start, s + "\r\n");
}

void TMemoLines::Delete(int index) {
    CheckIndex(index, Count() - 1);
    const TLineMap map(memo_.Text());
    if (index + 1 < map.Count())
        Replace(map.Start(index), map.Start(index + 1), "");
    else if (index > 0)  // the last line goes with the line break before it
        Replace(map.Start(index - 1) + map.Length(index - 1), memo_.GetTextLen(), "");
    else
        Replace(0, memo_.GetTextLen(), "");
}

void TMemoLines::Clear() { memo_.SetText(""); }

void TMemoLines::SetStrings(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\r\n" : "") + lines[i];
    memo_.SetText(text);
}

const std::vector<std::string>& TMemoLines::Cached() const {
    std::string text = memo_.Text();
    if (text == cachedText_) return cachedLines_;
    cachedLines_.clear();
    if (!text.empty()) {
        const TLineMap map(text);
        for (int i = 0; i < map.Count(); ++i)
            cachedLines_.push_back(text.substr(static_cast<std::size_t>(map.Start(i)), static_cast<std::size_t>(map.Length(i))));
    }
    cachedText_ = std::move(text);
    return cachedLines_;
}

void TMemoLines::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit) throw EListError(Join("List index out of bounds (", index, ")"));
}

void TMemoLines::Replace(int start, int end, const std::string& text) {
    memo_.Peer().SetSelection(start, end - start);
    memo_.Peer().ReplaceSelection(memo_.Normalize(text));
}

// ---- Memo -----------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* owner) : TTextControl(owner), lines_(*this) {}

void TCustomMemo::DescribeProperties(TPropertyList& list) {
    TTextControl::DescribeProperties(list);
    list.AddStrings("Lines", lines_);
    list.AddInteger("MaxLength", [this] { return MaxLength(); }, [this](std::int64_t v) { SetMaxLength(static_cast<int>(v)); },
                    0, INT_MAX);
    list.AddEnumeration("ScrollBars", kScrollStyleNames, [this] { return static_cast<int>(scrollBars_); },
                        [this](int v) { scrollBars_ = static_cast<TScrollStyle>(v); });
    list.AddBoolean("WantReturns", [this] { return wantReturns_; }, [this](bool v) { wantReturns_ = v; });
    list.AddBoolean("WantTabs", [this] { return wantTabs_; }, [this](bool v) { wantTabs_ = v; });
    list.AddBoolean("WordWrap", [this] { return wordWrap_; }, [this](bool v) { wordWrap_ = v; });
}

std::intptr_t TCustomMemo::Perform(unsigned message, std::intptr_t wParam, std::intptr_t lParam) {
    const TLineMap map(Text());
    switch (message) {
        case EM_LINEFROMCHAR: return LineFromChar(wParam);
        case EM_LINEINDEX: return map.Start(wParam == -1 ? map.LineOf(SelStart()) : ToIndex(wParam));
        case EM_LINELENGTH: {
            if (wParam != -1) return map.Length(map.LineOf(ToIndex(wParam)));
            const int first = map.LineOf(SelStart());
            const int last = map.LineOf(SelStart() + SelLength());
            return (SelStart() - map.Start(first)) + (map.Start(last) + map.Length(last) - SelStart() - SelLength());
        }
        default: return TTextControl::Perform(message, wParam, lParam);
    }
}

std::intptr_t TCustomMemo::LineFromChar(std::intptr_t index) const {
    return TLineMap(Text()).LineOf(index == -1 ? SelStart() : ToIndex(index));
}

void TCustomMemo::DefaultKeyDown(TKey key, TShiftState shift) {
    if (key == VK_RETURN) return wantReturns_ ? TypeText("\r\n") : void();
    if (key == VK_TAB) return wantTabs_ ? TypeText("\t") : void();
    TTextControl::DefaultKeyDown(key, shift);
}

bool TCustomMemo::WantsKey(TKey key) const {
    return (key == VK_RETURN && wantReturns_) || (key == VK_TAB && wantTabs_);
}

}  // namespace tolvex
