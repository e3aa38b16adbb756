#include "tolvex/qt/qtkeys.h"

#include <QKeyEvent>
#include <algorithm>
#include <exception>
#include <iterator>

#include "tolvex/framework/application.h"
#include "tolvex/framework/form.h"
#include "tolvex/framework/memo.h"

namespace tolvex::qt {

namespace {

struct KeyRow {
    int qtKey;
    TKey key;
};

constexpr KeyRow kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},   {Qt::Key_Backtab, VK_TAB},      {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},   {Qt::Key_Escape, VK_ESCAPE},    {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},       {Qt::Key_End, VK_END},   {Qt::Key_Home, VK_HOME},   {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN}, {Qt::Key_Insert, 45},
    {Qt::Key_Delete, VK_DELETE},
};

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

bool RunInput(const std::function<void()>& input) {
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

TQtKeyFilter::TQtKeyFilter(TControl& control, QObject* widget, std::function<void()> after)
    : QObject(widget), control_(control), after_(std::move(after)) {
    widget->installEventFilter(this);
}

bool TQtKeyFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    TKey key = ToKey(press->key());
    const TShiftState shift = ToShiftState(press->modifiers());
    if (key == 0) return false;
    const bool goesOn = TakesWholly(key) ? (RunInput([&] { control_.PressKey(key, shift); }), false) : KeyDown(key, shift);
    if (after_) after_();
    return !goesOn;
}

bool TQtKeyFilter::TakesWholly(TKey key) const {
    if (key == VK_RETURN || key == VK_ESCAPE) return true;
    // Without a form, Tab moves the focus in Qt's own order, that of the host's widgets.
    const auto* memo = dynamic_cast<const TCustomMemo*>(&control_);
    return key == VK_TAB && (GetParentForm(control_) || (memo && memo->WantTabs()));
}

bool TQtKeyFilter::KeyDown(TKey& key, TShiftState shift) {
    TCustomForm* form = GetParentForm(control_);
    const bool completed = RunInput([&] {
        if (form && form != &control_ && form->KeyPreview()) form->KeyDown(key, shift);
        if (key != 0) control_.KeyDown(key, shift);
    });
    return completed && key != 0;
}

}  // namespace tolvex::qt
