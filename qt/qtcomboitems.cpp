#include "tolvex/qt/qtcomboitems.h"

#include <QComboBox>
#include <QLineEdit>

#include "tolvex/framework/exception.h"
#include "tolvex/qt/qttext.h"

namespace tolvex::qt {

TQtComboItems::TQtComboItems(QComboBox* combo) : combo_(combo) {
    // The control keeps its own history; the widget must not add what Return confirms.
    combo->setInsertPolicy(QComboBox::NoInsert);
}

int TQtComboItems::Count() const { return combo_ ? static_cast<int>(combo_->count()) : orphan_.Count(); }

const std::string& TQtComboItems::Get(int index) const {
    if (!combo_) return orphan_.Get(index);
    CheckIndex(index, Count() - 1);
    return Cached()[static_cast<std::size_t>(index)];
}

void TQtComboItems::Put(int index, std::string s) {
    if (!combo_) return orphan_.Put(index, std::move(s));
    CheckIndex(index, Count() - 1);
    KeepingText([&] { combo_->setItemText(index, ToQString(s)); });
}

int TQtComboItems::Add(std::string s) {
    if (!combo_) return orphan_.Add(std::move(s));
    KeepingText([&] { combo_->addItem(ToQString(s)); });
    return Count() - 1;
}

void TQtComboItems::Insert(int index, std::string s) {
    if (!combo_) return orphan_.Insert(index, std::move(s));
    CheckIndex(index, Count());
    KeepingText([&] { combo_->insertItem(index, ToQString(s)); });
}

void TQtComboItems::Delete(int index) {
    if (!combo_) return orphan_.Delete(index);
    CheckIndex(index, Count() - 1);
    KeepingText([&] { combo_->removeItem(index); });
}

void TQtComboItems::Clear() {
    if (!combo_) return orphan_.Clear();
    KeepingText([&] { combo_->clear(); });
}

const std::vector<std::string>& TQtComboItems::Cached() const {
    std::vector<std::string> items;
    for (int i = 0; i < combo_->count(); ++i) items.push_back(FromQString(combo_->itemText(i)));
    if (items != cache_) cache_ = std::move(items);
    return cache_;
}

void TQtComboItems::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

template <class Change>
void TQtComboItems::KeepingText(Change&& change) {
    QLineEdit* edit = combo_->lineEdit();
    const QString text = edit ? edit->text() : QString();
    const int start = edit && edit->hasSelectedText() ? static_cast<int>(edit->selectionStart()) : (edit ? static_cast<int>(edit->cursorPosition()) : 0);
    const int length = edit ? static_cast<int>(edit->selectionLength()) : 0;
    change();
    if (!edit) return;
    edit->setText(text);
    if (length > 0)
        edit->setSelection(start, length);
    else
        edit->setCursorPosition(start);
}

}  // namespace tolvex::qt
