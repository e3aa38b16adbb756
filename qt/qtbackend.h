#pragma once
// Real Qt widgets behind the framework's controls. Each CreateWidget makes the widget that
// stands for a control, under `parent`, hands it the control's text, selection, items and font,
// and from then on the control works on the widget and hears its key presses. The widget lives
// as long as the control: the control's peer deletes it. Settings such as WordWrap, ScrollBars
// and MaxLength are read when the widget is made.
#include <QtGlobal>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

namespace tolvex {
class TComboBox;
class TEdit;
class TMemo;
class TRichEdit;
}  // namespace tolvex

namespace tolvex::qt {

QLineEdit* CreateWidget(TEdit& edit, QWidget* parent = nullptr);
// An editable combo box; the control keeps the history, the widget adds nothing on Return.
QComboBox* CreateWidget(TComboBox& combo, QWidget* parent = nullptr);
QPlainTextEdit* CreateWidget(TMemo& memo, QWidget* parent = nullptr);
QTextEdit* CreateWidget(TRichEdit& rich, QWidget* parent = nullptr);

}  // namespace tolvex::qt
