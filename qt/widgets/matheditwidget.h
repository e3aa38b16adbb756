#pragma once
// TMathEdit as a widget for forms: a line edit that evaluates its text on Return.
#include "tolvex/controls/mathedit.h"
#include "tolvex/qt/widgets/mathcontrolwidget.h"

class QLineEdit;

namespace tolvex::qt {

class TMathEditWidget : public TMathControlWidgetOf<TMathEdit> {
    Q_OBJECT
    Q_PROPERTY(MathEditOptions mathEditOptions READ mathEditOptions WRITE setMathEditOptions)

public:
    explicit TMathEditWidget(QWidget* parent = nullptr);
    MathEditOptions mathEditOptions() const;
    void setMathEditOptions(MathEditOptions options);
    QLineEdit* LineEdit() const;
};

}  // namespace tolvex::qt
