#pragma once
// TMathMemo as a widget for forms: a transcript that evaluates the caret's line on Return.
#include "tolvex/controls/mathmemo.h"
#include "tolvex/qt/widgets/mathcontrolwidget.h"

class QPlainTextEdit;

namespace tolvex::qt {

class TMathMemoWidget : public TMathControlWidgetOf<TMathMemo> {
    Q_OBJECT

public:
    explicit TMathMemoWidget(QWidget* parent = nullptr);
    QPlainTextEdit* TextEdit() const;
};

}  // namespace tolvex::qt
