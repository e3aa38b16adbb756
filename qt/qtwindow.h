#pragma once
// A framework form in a real window: a QDialog with a widget for every control of the form,
// placed as the controls' Align and bounds say. Text lives in the widgets (behind the text
// controls' peers); everything else the form's controls hold (captions, check states, the active
// page, enabled, the focus) stays in the controls, and the widgets are brought up to date after
// every piece of input the window delivers (a key, a click, a page change) and when it opens.
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "tolvex/framework/form.h"

class QDialog;
class QWidget;

namespace tolvex::qt {

class TQtWindow {
public:
    // Builds the window and its widgets; the form's text controls work on the widgets from now on.
    explicit TQtWindow(TCustomForm& form);
    // Hands the text controls back to in-memory peers, with their text and selection, so the
    // form keeps what was typed after the window is gone.
    ~TQtWindow();
    TQtWindow(const TQtWindow&) = delete;
    TQtWindow& operator=(const TQtWindow&) = delete;

    QDialog& Dialog() const { return *dialog_; }
    // The widget that stands for `control`, or null.
    QWidget* WidgetOf(const TControl& control) const;

    // Shows the window and runs it until the form has a modal result: a button that carries
    // one, Escape, the window's close button.
    void Exec();
    // Makes the widgets show what the controls hold now.
    void Sync();
    // Runs one piece of user input on the form, then brings the widgets up to date and ends a
    // modal showing that got its result.
    void Input(const std::function<void()>& input);

private:
    class TDialog;
    class TArranger;
    QWidget* Build(TControl& control, QWidget* parent);
    // The control whose widget is `widget` or holds it; null for anything else.
    TControl* ControlOf(QWidget* widget) const;
    void AfterInput();
    void BuildChildren(TControl& control, QWidget& widget);
    // Places the children of `control` in `widget` by their Align, then their bounds.
    void Arrange(const TControl& control, QWidget& widget) const;
    // The height a control along the top or bottom edge gets: its own, or more when the widgets'
    // fonts and frames need more (the layouts were made for a smaller system font).
    int HeightFor(const TControl& control) const;
    void FollowFocus(QWidget* now);

    TCustomForm& form_;
    std::unique_ptr<QDialog> dialog_;
    std::unique_ptr<TArranger> arranger_;
    std::map<const TControl*, QPointer<QWidget>> widgets_;
    bool syncing_ = false;
};

// Shows every modal form in a TQtWindow (Application's modal driver) and answers the open and
// save dialogs and input boxes with Qt's dialogs (Application's dialog provider).
void UseQtWindows();

}  // namespace tolvex::qt
