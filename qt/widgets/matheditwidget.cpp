#include "tolvex/qt/widgets/matheditwidget.h"

#include <QLineEdit>

#include "tolvex/qt/qtbackend.h"

namespace tolvex::qt {

TMathEditWidget::TMathEditWidget(QWidget* parent) : TMathControlWidgetOf<TMathEdit>(parent) {
    Attach(CreateWidget(MathControl(), this));
}

TMathControlWidget::MathEditOptions TMathEditWidget::mathEditOptions() const {
    return MathEditOptions::fromInt(static_cast<int>(MathControl().MathEditOptions().Bits()));
}

void TMathEditWidget::setMathEditOptions(MathEditOptions options) {
    MathControl().SetMathEditOptions(TMathEditOptions::FromBits(static_cast<std::uint32_t>(options.toInt())));
}

QLineEdit* TMathEditWidget::LineEdit() const { return static_cast<QLineEdit*>(TextWidget()); }

}  // namespace tolvex::qt
