#include "tolvex/qt/qtbackend.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QValidator>

#include "tolvex/framework/combobox.h"
#include "tolvex/framework/edit.h"
#include "tolvex/framework/memo.h"
#include "tolvex/framework/richedit.h"
#include "tolvex/qt/qtcomboitems.h"
#include "tolvex/qt/qtdocumentpeer.h"
#include "tolvex/qt/qtkeys.h"
#include "tolvex/qt/qtlineeditpeer.h"

namespace tolvex::qt {

namespace {

// Holds what the user types to the control's MaxLength. Text set by code is not validated.
class TMaxLengthValidator final : public QValidator {
public:
    TMaxLengthValidator(const TTextControl& control, QObject* parent) : QValidator(parent), control_(control) {}
    State validate(QString& input, int&) const override {
        const int limit = control_.MaxLength();
        return limit > 0 && input.size() > limit ? Invalid : Acceptable;
    }

private:
    const TTextControl& control_;
};

// The memo's scroll bars and wrapping, as the control has them.
template <class Widget>
void TakeMemoSettings(const TCustomMemo& memo, Widget& widget) {
    const TScrollStyle bars = memo.ScrollBars();
    const bool horizontal = bars == ssHorizontal || bars == ssBoth;
    const bool vertical = bars == ssVertical || bars == ssBoth;
    widget.setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    widget.setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    widget.setLineWrapMode(memo.WordWrap() ? Widget::WidgetWidth : Widget::NoWrap);
    widget.setReadOnly(memo.ReadOnly());
    widget.setTabChangesFocus(!memo.WantTabs());  // a wanted Tab is typed through the control
    // A read-only memo still shows its caret and moves it with the keys (a dump to search).
    if (memo.ReadOnly()) widget.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

}  // namespace

QLineEdit* CreateWidget(TEdit& edit, QWidget* parent, TAfterKey afterKey) {
    auto* widget = new QLineEdit(parent);
    widget->setReadOnly(edit.ReadOnly());
    widget->setValidator(new TMaxLengthValidator(edit, widget));
    edit.SetPeer(std::make_unique<TQtLineEditPeer>(widget, widget));
    new TQtKeyFilter(edit, widget, std::move(afterKey));
    return widget;
}

QComboBox* CreateWidget(TComboBox& combo, QWidget* parent, TAfterKey afterKey) {
    auto* widget = new QComboBox(parent);
    widget->setEditable(true);
    widget->setInsertPolicy(QComboBox::NoInsert);
    QLineEdit* line = widget->lineEdit();
    line->setValidator(new TMaxLengthValidator(combo, line));
    combo.SetItemsPeer(std::make_unique<TQtComboItems>(widget));
    combo.SetPeer(std::make_unique<TQtLineEditPeer>(line, widget));
    // The line edit hands the combo its focus: keys arrive at the combo, which passes them on to
    // the line edit itself, past any filter there.
    new TQtKeyFilter(combo, widget, std::move(afterKey));
    return widget;
}

QPlainTextEdit* CreateWidget(TMemo& memo, QWidget* parent, TAfterKey afterKey) {
    auto* widget = new QPlainTextEdit(parent);
    TakeMemoSettings(memo, *widget);
    memo.SetPeer(std::make_unique<TQtDocumentPeer<QPlainTextEdit>>(widget));
    new TQtKeyFilter(memo, widget, std::move(afterKey));
    return widget;
}

QTextEdit* CreateWidget(TRichEdit& rich, QWidget* parent, TAfterKey afterKey) {
    auto* widget = new QTextEdit(parent);
    widget->setAcceptRichText(false);  // pasted text takes the typing attributes
    TakeMemoSettings(rich, *widget);
    rich.SetPeer(std::make_unique<TQtDocumentPeer<QTextEdit>>(widget));
    new TQtKeyFilter(rich, widget, std::move(afterKey));
    return widget;
}

}  // namespace tolvex::qt
