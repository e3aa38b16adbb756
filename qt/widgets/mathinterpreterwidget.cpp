#include "tolvex/qt/widgets/mathinterpreterwidget.h"

#include <QPainter>
#include <algorithm>

#include "tolvex/framework/application.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/qt/qttext.h"

namespace tolvex::qt {

namespace {

// Runs `change`; an error goes to the application's error display: a property setter called by
// uic code, QUiLoader or the designer has no caller to raise it to.
template <class Change>
void Showing(Change&& change) {
    try {
        change();
    } catch (const Exception& e) {
        Application().ShowException(e);
    }
}

}  // namespace

TMathInterpreterWidget::TMathInterpreterWidget(QWidget* parent)
    : QWidget(parent), interpreter_(std::make_unique<TMathInterpreter>()) {
    setFixedSize(sizeHint());
    hide();  // a component, not a control: nothing to see at run time
}

TMathInterpreterWidget::~TMathInterpreterWidget() = default;

void TMathInterpreterWidget::SetDesigning(bool designing) {
    interpreter_->SetDesigning(designing);
    setVisible(designing);
}

bool TMathInterpreterWidget::Designing() const { return interpreter_->Designing(); }

bool TMathInterpreterWidget::caseSensitiveSymbols() const { return interpreter_->CaseSensitiveSymbols(); }

void TMathInterpreterWidget::setCaseSensitiveSymbols(bool value) {
    Showing([&] { interpreter_->SetCaseSensitiveSymbols(value); });
}

TMathInterpreterWidget::DumpFormat TMathInterpreterWidget::dumpFormat() const {
    return DumpFormat::fromInt(static_cast<int>(interpreter_->DumpFormat().Bits()));
}

void TMathInterpreterWidget::setDumpFormat(DumpFormat format) {
    interpreter_->SetDumpFormat(TDumpFormat::FromBits(static_cast<std::uint8_t>(format.toInt() & 0x3)));
}

QString TMathInterpreterWidget::escapeChar() const {
    const char c = interpreter_->EscapeChar();
    return c == '\0' ? QString() : ToQString(std::string(1, c));
}

void TMathInterpreterWidget::setEscapeChar(const QString& value) {
    const std::string text = FromQString(value.left(1));
    interpreter_->SetEscapeChar(text.empty() ? '\0' : text.front());
}

uint TMathInterpreterWidget::maxFunctionNesting() const { return interpreter_->MaxFunctionNesting(); }

void TMathInterpreterWidget::setMaxFunctionNesting(uint value) { interpreter_->SetMaxFunctionNesting(value); }

QString TMathInterpreterWidget::symbols() const {
    try {
        return ToQString(interpreter_->DumpStreamable());
    } catch (const Exception& e) {
        Application().ShowException(e);
        return {};
    }
}

void TMathInterpreterWidget::setSymbols(const QString& text) {
    const std::string wanted = FromQString(text);
    // The designer writes back the text it just read (after a verb); running it again would
    // only rebuild the same table.
    try {
        if (wanted == interpreter_->DumpStreamable()) return;
    } catch (const Exception&) {
        // A table without a text form is replaced by whatever text is given.
    }
    Showing([&] { interpreter_->LoadSymbolsFromString(wanted, "Symbols"); });
}

QString TMathInterpreterWidget::expression() const { return ToQString(interpreter_->Expression()); }

void TMathInterpreterWidget::setExpression(const QString& text) {
    Showing([&] { interpreter_->SetExpression(FromQString(text)); });
}

QString TMathInterpreterWidget::expressionResult() const { return ToQString(interpreter_->GetExpressionResult()); }

QString TMathInterpreterWidget::dumpText() const {
    try {
        return ToQString(interpreter_->GetDumpText());
    } catch (const Exception& e) {
        return ToQString(e.Message());
    }
}

void TMathInterpreterWidget::paintEvent(QPaintEvent*) {
    // Only the designer shows it: a tile with the interpreter's mark.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(QColor(0x2d, 0x4f, 0x8a), 1.5));
    painter.setBrush(QColor(0xe8, 0xef, 0xfa));
    painter.drawRoundedRect(tile, 5, 5);
    QFont mark = font();
    mark.setBold(true);
    mark.setPixelSize(std::max(8, height() / 3));
    painter.setFont(mark);
    painter.drawText(tile, Qt::AlignCenter, QStringLiteral("f(x)"));
}

}  // namespace tolvex::qt
