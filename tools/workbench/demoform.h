#pragma once
// A window with the four expression controls bound to one interpreter, placed in a Qt layout as
// a host application places them: an edit, a combo box with its history, a memo transcript and
// a rich-edit transcript with coloured results and errors.
#include <memory>

#include "tolvex/controls/mathcontrols.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;

namespace tolvex::workbench {

class TDemoForm {
public:
    // Binds the controls to `interpreter`, which must outlive the form.
    explicit TDemoForm(TMathInterpreter& interpreter);
    ~TDemoForm();
    TDemoForm(const TDemoForm&) = delete;
    TDemoForm& operator=(const TDemoForm&) = delete;

    QWidget& Window() const { return *window_; }

    TMathEdit& Edit() const { return *edit_; }
    TMathComboBox& ComboBox() const { return *combo_; }
    TMathMemo& Memo() const { return *memo_; }
    TMathRichEdit& RichEdit() const { return *rich_; }

    QLineEdit* EditWidget() const { return editWidget_; }
    QComboBox* ComboBoxWidget() const { return comboWidget_; }
    QPlainTextEdit* MemoWidget() const { return memoWidget_; }
    QTextEdit* RichEditWidget() const { return richWidget_; }

private:
    // The controls belong to owner_; each deletes its widget when it is freed.
    TComponent owner_;
    TMathEdit* edit_;
    TMathComboBox* combo_;
    TMathMemo* memo_;
    TMathRichEdit* rich_;
    std::unique_ptr<QWidget> window_;
    QLineEdit* editWidget_ = nullptr;
    QComboBox* comboWidget_ = nullptr;
    QPlainTextEdit* memoWidget_ = nullptr;
    QTextEdit* richWidget_ = nullptr;
};

}  // namespace tolvex::workbench
