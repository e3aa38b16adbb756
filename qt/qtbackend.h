#pragma once
// Real Qt widgets behind the framework's controls. Each CreateWidget makes the widget that
// stands for a control, under `parent`, hands it the control's text, selection, items and font,
// and from then on the control works on the widget and hears its key presses. The widget lives
// as long as the control: the control's peer deletes it. Settings such as WordWrap, ScrollBars
// and ReadOnly are read when the widget is made. `afterKey`, when given, runs after every key
// press the control saw (a window brings its other widgets up to date).
#include <functional>

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

using TAfterKey = std::function<void()>;

QLineEdit* CreateWidget(TEdit& edit, QWidget* parent = nullptr, TAfterKey afterKey = {});
// An editable combo box; the control keeps the history, the widget adds nothing on Return.
QComboBox* CreateWidget(TComboBox& combo, QWidget* parent = nullptr, TAfterKey afterKey = {});
QPlainTextEdit* CreateWidget(TMemo& memo, QWidget* parent = nullptr, TAfterKey afterKey = {});
QTextEdit* CreateWidget(TRichEdit& rich, QWidget* parent = nullptr, TAfterKey afterKey = {});

}  // namespace tolvex::qt
