#include "tolvex/qt/qtlineeditpeer.h"

#include <QLineEdit>
#include <algorithm>

#include "tolvex/qt/qtattributes.h"
#include "tolvex/qt/qttext.h"

namespace tolvex::qt {

TQtLineEditPeer::TQtLineEditPeer(QLineEdit* edit, QWidget* owned) : edit_(edit), owned_(owned) {
    changed_ = QObject::connect(edit, &QLineEdit::textChanged, [this] {
        if (busy_ == 0) NoticeChange();
    });
}

void TQtLineEditPeer::NoticeChange() {
    std::string text = Text();
    if (text == known_) return;
    known_ = std::move(text);
    TextChanged();
}

TQtLineEditPeer::~TQtLineEditPeer() {
    QObject::disconnect(changed_);
    delete owned_.data();
}

std::string TQtLineEditPeer::Text() const { return edit_ ? FromQString(edit_->text()) : orphan_.Text(); }

void TQtLineEditPeer::SetText(const std::string& text) {
    if (!edit_) return orphan_.SetText(text);
    ++busy_;
    edit_->setText(ToQString(text));
    edit_->setCursorPosition(0);
    --busy_;
    NoticeChange();
}

int TQtLineEditPeer::SelStart() const {
    if (!edit_) return orphan_.SelStart();
    return edit_->hasSelectedText() ? static_cast<int>(edit_->selectionStart()) : static_cast<int>(edit_->cursorPosition());
}

int TQtLineEditPeer::SelLength() const { return edit_ ? static_cast<int>(edit_->selectionLength()) : orphan_.SelLength(); }

void TQtLineEditPeer::SetSelection(int start, int length) {
    if (!edit_) return orphan_.SetSelection(start, length);
    const int size = static_cast<int>(edit_->text().size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length > 0)
        edit_->setSelection(start, length);
    else
        edit_->setCursorPosition(start);  // also drops the selection
}

void TQtLineEditPeer::ReplaceSelection(const std::string& text) {
    if (!edit_) return orphan_.ReplaceSelection(text);
    // setText, unlike insert(), is not held to a validator: text set by code is never cut.
    const int start = SelStart();
    QString whole = edit_->text();
    whole.replace(start, SelLength(), ToQString(text));
    ++busy_;
    edit_->setText(whole);
    edit_->setCursorPosition(start + static_cast<int>(text.size()));
    --busy_;
    NoticeChange();
}

TCharAttributes TQtLineEditPeer::SelAttributes() const { return default_; }

void TQtLineEditPeer::SetSelAttributes(const TCharAttributes&) {}

TCharAttributes TQtLineEditPeer::AttributesAt(int) const { return default_; }

void TQtLineEditPeer::SetDefaultAttributes(const TCharAttributes& attributes) {
    default_ = attributes;
    orphan_.SetDefaultAttributes(attributes);
    if (!edit_) return;
    edit_->setFont(ToQFont(attributes));
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Text, ToQColor(attributes.color));
    edit_->setPalette(palette);
}

}  // namespace tolvex::qt
