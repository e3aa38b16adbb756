#pragma once
// Key presses of real widgets delivered to framework controls.
#include <QObject>
#include <functional>

#include "tolvex/framework/control.h"

class QKeyEvent;

namespace tolvex::qt {

// The framework's key code of a Qt key; 0 for keys it has no code for.
TKey ToKey(int qtKey);
TShiftState ToShiftState(Qt::KeyboardModifiers modifiers);

// Watches a widget's key presses and delivers each as the platform does. The widget is the one
// that has the focus when the control does, so for a combo box the combo itself, not its line
// edit (which hands the combo its focus). The dialog keys (Return, Escape, and Tab on a form or
// in a control that wants it) go wholly to the control (PressKey: its KeyDown, then its form's
// dialog keys or its own handling) and never to the widget, whose own meanings of them (a combo
// box confirming an item, a dialog's default button) do not apply. Tab in a control of no form
// (placed in a host's window) moves the focus as Qt does after the control's KeyDown. Any other
// key goes to the form
// first when it previews keys, then to the control's KeyDown; a key either of them cleared, or
// that raised an error, is consumed, any other goes on to the widget, whose own editing stands
// for the control's. Errors go to Application().ShowException: nothing may be thrown through
// Qt's event loop.
class TQtKeyFilter final : public QObject {
public:
    // Installs itself on `widget`, which owns it. `after` runs after every key the control saw
    // (a window brings its widgets up to date).
    TQtKeyFilter(TControl& control, QObject* widget, std::function<void()> after = {});
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the key goes to PressKey and never to the widget.
    bool TakesWholly(TKey key) const;
    // KeyDown as the form and the control see it; false when the key is to go no further.
    bool KeyDown(TKey& key, TShiftState shift);

    TControl& control_;
    std::function<void()> after_;
};

// Runs one piece of user input as an event loop would: errors are shown, never thrown on.
// False when one was raised.
bool RunInput(const std::function<void()>& input);

}  // namespace tolvex::qt
