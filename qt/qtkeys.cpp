#include "qt/qtkeys.h"

#include <QKeyEvent>
#include <algorithm>
#include <exception>
#include <iterator>

#include "framework/application.h"

namespace tolvex::qt {

namespace {

struct KeyRow {
    int qtKey;
    TKey key;
};

constexpr KeyRow kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, 9},        {Qt::Key_Backtab, 9},      {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Escape, 27},    {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},       {Qt::Key_End, VK_END},   {Qt::Key_Home, VK_HOME},   {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN}, {Qt::Key_Insert, 45},
    {Qt::Key_Delete, VK_DELETE},
};

// Runs one key press as an event loop would: errors are shown, never thrown on. False when one was raised.
template <class Input>
bool RunInput(Input&& input) {
    try {
        input();
        return true;
    } catch (const Exception& e) {
        Application().ShowException(e);
    } catch (const std::exception& e) {
        Application().ShowException(Exception(e.what()));
    }
    return false;
}

}  // namespace

TKey ToKey(int qtKey) {
    // Letters and digits have the codes of their capitals and digits, F1..F24 run from 112.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<TKey>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<TKey>(112 + (qtKey - Qt::Key_F1));
    const auto row = std::find_if(std::begin(kKeys), std::end(kKeys), [qtKey](const KeyRow& r) { return r.qtKey == qtKey; });
    return row == std::end(kKeys) ? TKey{0} : row->key;
}

TShiftState ToShiftState(Qt::KeyboardModifiers modifiers) {
    TShiftState shift;
    if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
    if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
    if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
    return shift;
}

TQtKeyFilter::TQtKeyFilter(TControl& control, QObject* widget) : QObject(widget), control_(control) {
    widget->installEventFilter(this);
}

bool TQtKeyFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    TKey key = ToKey(press->key());
    const TShiftState shift = ToShiftState(press->modifiers());
    if (key == 0) return false;
    if (key == VK_RETURN) {
        // What Return does is the control's business alone (a memo types its line break);
        // the widgets' own meanings of it (confirming a combo box item) do not apply.
        RunInput([&] { control_.PressKey(key, shift); });
        return true;
    }
    const bool completed = RunInput([&] { control_.KeyDown(key, shift); });
    return !completed || key == 0;
}

}  // namespace tolvex::qt
