#include "tolvex/qt/widgets/mathricheditwidget.h"

#include <QTextEdit>

#include "tolvex/qt/qtattributes.h"
#include "tolvex/qt/qtbackend.h"

namespace tolvex::qt {

namespace {

// `target` in the face and size of `face`, keeping its colour, with `style`.
void Restyle(TFont& target, const QFont& face, TFontStyles style) {
    TCharAttributes attributes = AttributesOf(face, target.Color());
    attributes.style = style;
    target.SetAttributes(attributes);
}

}  // namespace

TMathRichEditWidget::TMathRichEditWidget(QWidget* parent) : TMathControlWidgetOf<TMathRichEdit>(parent) {
    Attach(CreateWidget(MathControl(), this));
    // Result and error lines keep their colour and bold style in the form's face and size.
    TMathRichEdit& rich = MathControl();
    TFont result, error;
    result.Assign(rich.MathResultFont());
    error.Assign(rich.MathErrorFont());
    Restyle(result, font(), result.Style());
    Restyle(error, font(), error.Style());
    rich.SetMathResultFont(result);
    rich.SetMathErrorFont(error);
}

TMathControlWidget::MathRichEditOptions TMathRichEditWidget::mathRichEditOptions() const {
    return MathRichEditOptions::fromInt(static_cast<int>(MathControl().MathRichEditOptions().Bits()));
}

void TMathRichEditWidget::setMathRichEditOptions(MathRichEditOptions options) {
    MathControl().SetMathRichEditOptions(TMathRichEditOptions::FromBits(static_cast<std::uint32_t>(options.toInt())));
}

QFont TMathRichEditWidget::mathResultFont() const { return ToQFont(MathControl().MathResultFont().Attributes()); }

void TMathRichEditWidget::setMathResultFont(const QFont& font) {
    TFont result;
    result.Assign(MathControl().MathResultFont());
    result.SetAttributes(AttributesOf(font, result.Color()));
    MathControl().SetMathResultFont(result);
}

QColor TMathRichEditWidget::mathResultColor() const { return ToQColor(MathControl().MathResultFont().Color()); }

void TMathRichEditWidget::setMathResultColor(const QColor& color) {
    TFont result;
    result.Assign(MathControl().MathResultFont());
    result.SetColor(FromQColor(color));
    MathControl().SetMathResultFont(result);
}

QFont TMathRichEditWidget::mathErrorFont() const { return ToQFont(MathControl().MathErrorFont().Attributes()); }

void TMathRichEditWidget::setMathErrorFont(const QFont& font) {
    TFont error;
    error.Assign(MathControl().MathErrorFont());
    error.SetAttributes(AttributesOf(font, error.Color()));
    MathControl().SetMathErrorFont(error);
}

QColor TMathRichEditWidget::mathErrorColor() const { return ToQColor(MathControl().MathErrorFont().Color()); }

void TMathRichEditWidget::setMathErrorColor(const QColor& color) {
    TFont error;
    error.Assign(MathControl().MathErrorFont());
    error.SetColor(FromQColor(color));
    MathControl().SetMathErrorFont(error);
}

QTextEdit* TMathRichEditWidget::TextEdit() const { return static_cast<QTextEdit*>(TextWidget()); }

}  // namespace tolvex::qt
