#include "tolvex/qt/widgets/mathmemowidget.h"

#include <QPlainTextEdit>

#include "tolvex/qt/qtbackend.h"

namespace tolvex::qt {

TMathMemoWidget::TMathMemoWidget(QWidget* parent) : TMathControlWidgetOf<TMathMemo>(parent) {
    Attach(CreateWidget(MathControl(), this));
}

QPlainTextEdit* TMathMemoWidget::TextEdit() const { return static_cast<QPlainTextEdit*>(TextWidget()); }

}  // namespace tolvex::qt
