#pragma once
// The state behind a text control: its text, caret and selection, and the attributes of every
// character. A widget backend implements TTextPeer on a real widget; THeadlessTextPeer keeps
// everything in memory. Positions are 0-based character indices.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tolvex/framework/font.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TTextPeer {
public:
    virtual ~TTextPeer() = default;

    virtual std::string Text() const = 0;
    // Replaces the whole text in the default attributes; the caret goes to the start.
    virtual void SetText(const std::string& text) = 0;

    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    // Selects `length` characters from `start`, both cut to the text. Moving the selection gives
    // the typing attributes of the character before it (the first character, at the start).
    virtual void SetSelection(int start, int length) = 0;
    // Replaces the selection by `text` in the typing attributes; the caret ends behind it.
    virtual void ReplaceSelection(const std::string& text) = 0;

    // The attributes of the first selected character, or the typing attributes when nothing is
    // selected.
    virtual TCharAttributes SelAttributes() const = 0;
    // Gives the selected characters these attributes, or, with nothing selected, makes them the
    // typing attributes.
    virtual void SetSelAttributes(const TCharAttributes& attributes) = 0;
    // The attributes of one character; the default attributes outside the text.
    virtual TCharAttributes AttributesAt(int index) const = 0;
    // What text takes where it has no neighbour to take attributes from (the control's font).
    virtual void SetDefaultAttributes(const TCharAttributes& attributes) = 0;

    // Called after every change of the text, whoever made it (code, or the user in a widget);
    // not when the text stays as it was. The control installs it.
    void SetChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

protected:
    void TextChanged() const {
        if (changed_) changed_();
    }

private:
    std::function<void()> changed_;
};

class THeadlessTextPeer : public TTextPeer {
public:
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    int SelStart() const override { return selStart_; }
    int SelLength() const override { return selLength_; }
    void SetSelection(int start, int length) override;
    void ReplaceSelection(const std::string& text) override;
    TCharAttributes SelAttributes() const override;
    void SetSelAttributes(const TCharAttributes& attributes) override;
    TCharAttributes AttributesAt(int index) const override;
    void SetDefaultAttributes(const TCharAttributes& attributes) override { default_ = attributes; }

private:
    int Size() const { return static_cast<int>(text_.size()); }
    // Index of `attributes` in the table of distinct attributes, added when new.
    std::uint32_t Intern(const TCharAttributes& attributes);

    std::string text_;
    std::vector<std::uint32_t> attributes_;  // per character, into table_
    std::vector<TCharAttributes> table_;
    int selStart_ = 0;
    int selLength_ = 0;
    TCharAttributes typing_;
    TCharAttributes default_;
};

}  // namespace tolvex

TOLVEX_END_API
