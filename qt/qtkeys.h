#pragma once
// Key presses of real widgets delivered to framework controls.
#include <QObject>

#include "framework/control.h"

class QKeyEvent;

namespace tolvex::qt {

// The framework's key code of a Qt key; 0 for keys it has no code for.
TKey ToKey(int qtKey);
TShiftState ToShiftState(Qt::KeyboardModifiers modifiers);

// Watches a widget's key presses and gives each to the control's KeyDown first, as the platform
// does before its own key handling. A key that KeyDown cleared, or that raised an error, is
// consumed; any other goes on to the widget, whose own editing stands for the control's. Return
// goes wholly to the control (PressKey) and never to the widget. Errors go to
// Application().ShowException: nothing may be thrown through Qt's event loop.
class TQtKeyFilter final : public QObject {
public:
    // Installs itself on `widget`, which owns it.
    TQtKeyFilter(TControl& control, QObject* widget);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TControl& control_;
};

}  // namespace tolvex::qt
