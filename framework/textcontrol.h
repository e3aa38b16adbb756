#pragma once
// The base of controls that hold editable text: text, caret and selection behind a peer, typing
// and the caret keys. Single-line controls keep the text as it is given; multi-line controls keep
// every line break as CR LF.
#include <memory>
#include <string>

#include "tolvex/framework/control.h"
#include "tolvex/framework/linemap.h"
#include "tolvex/framework/textpeer.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class TTextControl : public TControl {
public:
    explicit TTextControl(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TTextControl"; }
    void DescribeProperties(TPropertyList& list) override;

    std::string Text() const { return peer_->Text(); }
    // Replaces the whole text; the caret goes to the start.
    void SetText(const std::string& text);
    int GetTextLen() const { return static_cast<int>(peer_->Text().size()); }

    int SelStart() const { return peer_->SelStart(); }
    // Puts the caret at `start` (cut to the text), selecting nothing.
    void SetSelStart(int start) { peer_->SetSelection(start, 0); }
    int SelLength() const { return peer_->SelLength(); }
    // Selects `length` characters from the caret.
    void SetSelLength(int length) { peer_->SetSelection(peer_->SelStart(), length); }
    std::string SelText() const;
    // Replaces the selection, as pasting does (MaxLength aside).
    void SetSelText(const std::string& text) { peer_->ReplaceSelection(Normalize(text)); }
    void SelectAll() { peer_->SetSelection(0, GetTextLen()); }
    void Clear() { SetText(""); }

    // Most characters the user can type in; 0 for no limit. Text set by code is not limited.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length < 0 ? 0 : length; }

    // What typing does: the selection becomes `text`, cut to the room MaxLength leaves. Nothing
    // in a read-only control.
    void TypeText(const std::string& text);

    // Whether the user can change the text (code always can).
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // Whether the selection disappears while the control has no focus; true for a new control.
    // Kept for a widget: headless, the selection is always there.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }

    // Fired after every change of the text, by the user or by code.
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

    TTextPeer& Peer() const { return *peer_; }
    // Puts a widget's peer in place of the current one; it takes over the text and selection.
    void SetPeer(std::unique_ptr<TTextPeer> peer);

protected:
    // Fires OnChange; called by the peer after every change of the text.
    virtual void Change();
    virtual bool MultiLine() const { return false; }
    // The text with every line break made CR LF in multi-line controls; unchanged otherwise.
    std::string Normalize(const std::string& text) const;
    TLineMap LineMap() const { return TLineMap(peer_->Text()); }
    // Caret keys move the caret (Shift is not looked at); Back and Delete remove the selection,
    // or the character (a whole line break) before or after the caret, unless the control is
    // read-only.
    void DefaultKeyDown(TKey key, TShiftState shift) override;
    void FontChanged() override { peer_->SetDefaultAttributes(Font().Attributes()); }

private:
    int CharBefore(int position) const;  // where the character (or line break) before `position` starts
    int CharAfter(int position) const;   // where the one at `position` ends
    void MoveToLine(int line, int column);
    void DeleteRange(int start, int end);

    void Attach(TTextPeer& peer) { peer.SetChangeHandler([this] { Change(); }); }

    std::unique_ptr<TTextPeer> peer_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    TNotifyEvent onChange_;
};

}  // namespace tolvex

TOLVEX_END_API
