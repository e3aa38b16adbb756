#include "tools/workbench/demoform.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "tolvex/qt/qtbackend.h"

namespace tolvex::workbench {

namespace {

template <class Control>
Control* NewControl(TComponent& owner, const char* name, TMathInterpreter& interpreter) {
    auto* control = new Control(&owner);
    control->SetName(name);
    control->SetMathInterpreter(&interpreter);
    return control;
}

}  // namespace

TDemoForm::TDemoForm(TMathInterpreter& interpreter)
    : edit_(NewControl<TMathEdit>(owner_, "MathEdit1", interpreter)),
      combo_(NewControl<TMathComboBox>(owner_, "MathComboBox1", interpreter)),
      memo_(NewControl<TMathMemo>(owner_, "MathMemo1", interpreter)),
      rich_(NewControl<TMathRichEdit>(owner_, "MathRichEdit1", interpreter)),
      window_(std::make_unique<QWidget>()) {
    window_->setWindowTitle(QStringLiteral("Tolvex expression controls"));
    // The transcripts show their errors in place rather than in a message box.
    memo_->SetMathErrorOptions({meoWriteExceptionMessage});
    auto* layout = new QFormLayout(window_.get());
    layout->addRow(new QLabel(QStringLiteral("Type an expression in any control and press Return; all four share one "
                                             "interpreter, so a variable set in one is known in the others.")));
    layout->itemAt(0)->widget()->setProperty("wordWrap", true);
    editWidget_ = qt::CreateWidget(*edit_);
    comboWidget_ = qt::CreateWidget(*combo_);
    memoWidget_ = qt::CreateWidget(*memo_);
    richWidget_ = qt::CreateWidget(*rich_);
    layout->addRow(QStringLiteral("&Edit:"), editWidget_);
    layout->addRow(QStringLiteral("&Combo box:"), comboWidget_);
    layout->addRow(QStringLiteral("&Memo:"), memoWidget_);
    layout->addRow(QStringLiteral("&Rich edit:"), richWidget_);
    // The transcripts keep room for a few lines however small the window gets.
    for (QWidget* transcript : {static_cast<QWidget*>(memoWidget_), static_cast<QWidget*>(richWidget_)})
        transcript->setMinimumHeight(transcript->fontMetrics().lineSpacing() * 4 + 12);
    QWidget::setTabOrder(editWidget_, comboWidget_);
    QWidget::setTabOrder(comboWidget_, memoWidget_);
    QWidget::setTabOrder(memoWidget_, richWidget_);
    window_->setMinimumSize(window_->minimumSizeHint());
    window_->resize(520, 460);
}

// The window goes first and takes the widgets with it; the controls then find them gone.
TDemoForm::~TDemoForm() { window_.reset(); }

}  // namespace tolvex::workbench
