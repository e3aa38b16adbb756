#pragma once
// The application object's services on real widgets.

class QWidget;

namespace tolvex::qt {

// Shows every error that reaches Application().ShowException in a message box over `parent`
// (null: the active window), as the platform's event loop does.
void ShowExceptionsInMessageBoxes(QWidget* parent = nullptr);

}  // namespace tolvex::qt
