#pragma once
// TMathComboBox as a widget for forms: an editable combo box that evaluates on Return and keeps
// the expressions entered as its items, newest first.
#include "tolvex/controls/mathcombobox.h"
#include "tolvex/qt/widgets/mathcontrolwidget.h"

class QComboBox;

namespace tolvex::qt {

class TMathComboBoxWidget : public TMathControlWidgetOf<TMathComboBox> {
    Q_OBJECT
    Q_PROPERTY(MathEditOptions mathEditOptions READ mathEditOptions WRITE setMathEditOptions)
    Q_PROPERTY(MathHistoryOption mathHistoryOption READ mathHistoryOption WRITE setMathHistoryOption)

public:
    explicit TMathComboBoxWidget(QWidget* parent = nullptr);
    MathEditOptions mathEditOptions() const;
    void setMathEditOptions(MathEditOptions options);
    MathHistoryOption mathHistoryOption() const;
    void setMathHistoryOption(MathHistoryOption option);
    QComboBox* ComboBox() const;
};

}  // namespace tolvex::qt
