#include "tolvex/qt/widgets/mathcontrolwidget.h"

#include <QEvent>
#include <QFontInfo>
#include <QVBoxLayout>

#include "tolvex/framework/control.h"
#include "tolvex/framework/exception.h"
#include "tolvex/qt/qttext.h"
#include "tolvex/qt/widgets/mathinterpreterwidget.h"

namespace tolvex::qt {

TCharAttributes AttributesOf(const QFont& font, TColor color) {
    TCharAttributes attributes;
    attributes.name = FromQString(font.family());
    attributes.height = -QFontInfo(font).pixelSize();
    attributes.color = color;
    const std::pair<bool, TFontStyle> styles[] = {
        {font.bold(), fsBold}, {font.italic(), fsItalic}, {font.underline(), fsUnderline}, {font.strikeOut(), fsStrikeOut}};
    for (const auto& [on, style] : styles)
        if (on) attributes.style.Include(style);
    return attributes;
}

TMathControlWidget::TMathControlWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TMathControlWidget::~TMathControlWidget() = default;

void TMathControlWidget::Attach(QWidget* text) {
    text_ = text;
    layout()->addWidget(text);
    setFocusProxy(text);
    setFocusPolicy(text->focusPolicy());
    setSizePolicy(text->sizePolicy());
    // Installed after the control's key filter, so it sees each key first and binds the
    // interpreter before the control evaluates.
    text->installEventFilter(this);
    TakeFont();
}

void TMathControlWidget::setMathInterpreter(const QString& objectName) {
    interpreterName_ = objectName;
    BindInterpreter();
}

TMathControlWidget::MathErrorOptions TMathControlWidget::mathErrorOptions() const {
    return MathErrorOptions::fromInt(static_cast<int>(ErrorBits()));
}

void TMathControlWidget::setMathErrorOptions(MathErrorOptions options) {
    SetErrorBits(static_cast<std::uint32_t>(options.toInt()));
}

void TMathControlWidget::SetDesigning(bool designing) {
    Control().SetDesigning(designing);
    if (!designing) return;
    connect(this, &QObject::objectNameChanged, this, &TMathControlWidget::FollowName, Qt::UniqueConnection);
    FollowName();
}

void TMathControlWidget::FollowName() {
    TakeName();
    BindInterpreter();
}

void TMathControlWidget::TakeName() {
    try {
        Control().SetName(FromQString(objectName()));
    } catch (const Exception&) {
        Control().SetName({});  // a name the framework refuses shows as none
    }
}

TMathInterpreterWidget* TMathControlWidget::BindInterpreter() {
    // The nearest one: a window holding two copies of a form binds each control to its own.
    TMathInterpreterWidget* found = nullptr;
    for (QWidget* scope = parentWidget(); scope && !found && !interpreterName_.isEmpty(); scope = scope->parentWidget())
        found = scope->findChild<TMathInterpreterWidget*>(interpreterName_);
    if (found && found->Removed()) found = nullptr;
    Bind(found ? &found->Interpreter() : nullptr);
    return found;
}

bool TMathControlWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::FocusIn)) BindInterpreter();
    return QWidget::eventFilter(watched, event);
}

void TMathControlWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && text_) TakeFont();
}

void TMathControlWidget::TakeFont() {
    TFont& font = Control().Font();
    TCharAttributes attributes = AttributesOf(this->font());
    attributes.color = font.Color();
    font.SetAttributes(attributes);
}

}  // namespace tolvex::qt
