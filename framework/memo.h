#pragma once
// Multi-line edit controls: the memo base with its line list and line messages, and the memo.
#include <cstdint>
#include <string>
#include <vector>

#include "tolvex/framework/strings.h"
#include "tolvex/framework/textcontrol.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr const char* kScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

class TCustomMemo;

// The lines of a memo, read from and written to its text. The empty text has no lines; any
// other text has one line more than line breaks, so a text ending in a line break ends with an
// empty line. Adding an empty line to an empty memo leaves it empty (both are the empty text).
// Every change goes through the selection, as on a real control: the caret ends behind the
// changed text and new text takes the attributes of the character before it.
class TMemoLines : public TStrings {
public:
    explicit TMemoLines(TCustomMemo& memo) : memo_(memo) {}

    int Count() const override;
    // The reference stays valid until the memo's text changes.
    const std::string& Get(int index) const override;
    void Put(int index, std::string s) override;
    // Returns the new line's index.
    int Add(std::string s) override;
    void Insert(int index, std::string s) override;
    void Delete(int index) override;
    void Clear() override;
    void SetStrings(const std::vector<std::string>& lines) override;

private:
    const std::vector<std::string>& Cached() const;
    void CheckIndex(int index, int limit) const;
    void Replace(int start, int end, const std::string& text);

    TCustomMemo& memo_;
    mutable std::string cachedText_;
    mutable std::vector<std::string> cachedLines_;
};

class TCustomMemo : public TTextControl {
public:
    explicit TCustomMemo(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TCustomMemo"; }
    void DescribeProperties(TPropertyList& list) override;

    TMemoLines& Lines() { return lines_; }
    const TMemoLines& Lines() const { return lines_; }

    // Kept for a widget; headless text never wraps, so every line message counts text lines.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value) { scrollBars_ = value; }
    // Whether Return types a line break (true) or is left to the window, whose default button
    // it clicks.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    // Whether Tab types a tab character (true) or moves the focus on (false, as for a new memo).
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

    // EM_LINEFROMCHAR, EM_LINEINDEX and EM_LINELENGTH.
    std::intptr_t Perform(unsigned message, std::intptr_t wParam, std::intptr_t lParam) override;

protected:
    bool MultiLine() const override { return true; }
    // Return types a line break under WantReturns, Tab a tab character under WantTabs.
    void DefaultKeyDown(TKey key, TShiftState shift) override;
    bool WantsKey(TKey key) const override;
    // Answers EM_LINEFROMCHAR and the like for the character at `index` (-1: the selection's start).
    std::intptr_t LineFromChar(std::intptr_t index) const;

private:
    friend class TMemoLines;
    TMemoLines lines_;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* owner = nullptr) : TCustomMemo(owner) {}
    const char* ClassName() const override { return "TMemo"; }
};

}  // namespace tolvex

TOLVEX_END_API
