#include "tolvex/framework/textcontrol.h"

#include <algorithm>

#include "tolvex/framework/properties.h"

namespace tolvex {

TTextControl::TTextControl(TComponent* owner) : TControl(owner), peer_(std::make_unique<THeadlessTextPeer>()) {
    peer_->SetDefaultAttributes(Font().Attributes());
    peer_->SetText("");
    Attach(*peer_);
    SetTabStop(true);
}

void TTextControl::DescribeProperties(TPropertyList& list) {
    TControl::DescribeProperties(list);
    list.AddBoolean("HideSelection", [this] { return hideSelection_; }, [this](bool v) { hideSelection_ = v; });
    list.AddBoolean("ReadOnly", [this] { return readOnly_; }, [this](bool v) { readOnly_ = v; });
    list.AddMethod<TNotifyEvent>("OnChange", [this] { return onChange_; },
                                 [this](TNotifyEvent handler) { onChange_ = std::move(handler); });
}

void TTextControl::Change() {
    if (onChange_) onChange_(*this);
}

void TTextControl::SetText(const std::string& text) { peer_->SetText(Normalize(text)); }

std::string TTextControl::SelText() const {
    return peer_->Text().substr(static_cast<std::size_t>(SelStart()), static_cast<std::size_t>(SelLength()));
}

void TTextControl::TypeText(const std::string& text) {
    if (readOnly_) return;
    std::string typed = Normalize(text);
    if (maxLength_ > 0) {
        const int room = std::max(0, maxLength_ - (GetTextLen() - SelLength()));
        if (static_cast<int>(typed.size()) > room) typed.resize(static_cast<std::size_t>(room));
    }
    peer_->ReplaceSelection(typed);
}

void TTextControl::SetPeer(std::unique_ptr<TTextPeer> peer) {
    if (!peer) return;
    peer->SetDefaultAttributes(Font().Attributes());
    peer->SetText(peer_->Text());
    peer->SetSelection(peer_->SelStart(), peer_->SelLength());
    peer_->SetChangeHandler(nullptr);
    peer_ = std::move(peer);
    Attach(*peer_);
}

std::string TTextControl::Normalize(const std::string& text) const {
    if (!MultiLine()) return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void TTextControl::DefaultKeyDown(TKey key, TShiftState) {
    const int caret = SelStart();
    const int selEnd = caret + SelLength();
    const TLineMap lines = LineMap();
    const int line = lines.LineOf(caret);
    switch (key) {
        case VK_LEFT: return SetSelStart(SelLength() > 0 ? caret : CharBefore(caret));
        case VK_RIGHT: return SetSelStart(SelLength() > 0 ? selEnd : CharAfter(caret));
        case VK_HOME: return SetSelStart(lines.Start(line));
        case VK_END: return SetSelStart(lines.Start(line) + lines.Length(line));
        case VK_UP: return MoveToLine(line - 1, caret - lines.Start(line));
        case VK_DOWN: return MoveToLine(line + 1, caret - lines.Start(line));
        case VK_BACK:
            if (readOnly_) return;
            return SelLength() > 0 ? DeleteRange(caret, selEnd) : DeleteRange(CharBefore(caret), caret);
        case VK_DELETE:
            if (readOnly_) return;
            return SelLength() > 0 ? DeleteRange(caret, selEnd) : DeleteRange(caret, CharAfter(caret));
        default: return;
    }
}

int TTextControl::CharBefore(int position) const {
    if (position <= 0) return 0;
    const std::string text = Text();
    const bool crlf = position >= 2 && text[position - 2] == '\r' && text[position - 1] == '\n';
    return position - (crlf ? 2 : 1);
}

int TTextControl::CharAfter(int position) const {
    const std::string text = Text();
    if (position >= static_cast<int>(text.size())) return static_cast<int>(text.size());
    const bool crlf = text[position] == '\r' && position + 1 < static_cast<int>(text.size()) && text[position + 1] == '\n';
    return position + (crlf ? 2 : 1);
}

void TTextControl::MoveToLine(int line, int column) {
    const TLineMap lines = LineMap();
    if (line < 0 || line >= lines.Count()) return;
    SetSelStart(lines.Start(line) + std::min(column, lines.Length(line)));
}

void TTextControl::DeleteRange(int start, int end) {
    if (end <= start) return;
    peer_->SetSelection(start, end - start);
    peer_->ReplaceSelection("");
}

}  // namespace tolvex
