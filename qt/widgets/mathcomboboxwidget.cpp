#include "tolvex/qt/widgets/mathcomboboxwidget.h"

#include <QComboBox>

#include "tolvex/qt/qtbackend.h"

namespace tolvex::qt {

TMathComboBoxWidget::TMathComboBoxWidget(QWidget* parent) : TMathControlWidgetOf<TMathComboBox>(parent) {
    Attach(CreateWidget(MathControl(), this));
}

TMathControlWidget::MathEditOptions TMathComboBoxWidget::mathEditOptions() const {
    return MathEditOptions::fromInt(static_cast<int>(MathControl().MathEditOptions().Bits()));
}

void TMathComboBoxWidget::setMathEditOptions(MathEditOptions options) {
    MathControl().SetMathEditOptions(TMathEditOptions::FromBits(static_cast<std::uint32_t>(options.toInt())));
}

TMathControlWidget::MathHistoryOption TMathComboBoxWidget::mathHistoryOption() const {
    return static_cast<MathHistoryOption>(MathControl().MathHistoryOption());
}

void TMathComboBoxWidget::setMathHistoryOption(MathHistoryOption option) {
    // A value outside the enumeration (a hand-edited form file) keeps the current option.
    if (option < mhoAllowDuplicates || option > mhoPreventDuplicates) return;
    MathControl().SetMathHistoryOption(static_cast<TMathHistoryOption>(option));
}

QComboBox* TMathComboBoxWidget::ComboBox() const { return static_cast<QComboBox*>(TextWidget()); }

}  // namespace tolvex::qt
