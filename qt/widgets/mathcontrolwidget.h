#pragma once
// What the four expression control widgets share: a widget that a form designer places, uic
// code creates and QUiLoader loads, holding one expression control and the real widget behind
// it. The options are Qt properties, so a form file stores them; the interpreter is named by the
// object name of a TMathInterpreterWidget on the same form, found when the control needs it (the
// interpreter may be created after the control, as uic code does in form order).
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "tolvex/framework/font.h"

namespace tolvex {
class TControl;
class TMathInterpreter;
}  // namespace tolvex

namespace tolvex::qt {

// A Qt font (and a colour) as the framework's character attributes; the height is the font's
// pixel size, negative.
TCharAttributes AttributesOf(const QFont& font, TColor color = clBlack);

class TMathInterpreterWidget;

class TMathControlWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString mathInterpreter READ mathInterpreter WRITE setMathInterpreter)
    Q_PROPERTY(MathErrorOptions mathErrorOptions READ mathErrorOptions WRITE setMathErrorOptions)

public:
    // The controls' options; bit n is member n of the framework's sets.
    enum MathEditOption { meoSelfUpdate = 0x1, meoExecuteOnReturn = 0x2 };
    Q_DECLARE_FLAGS(MathEditOptions, MathEditOption)
    Q_FLAG(MathEditOptions)
    enum MathErrorOption { meoRaiseExceptions = 0x1, meoWriteExceptionMessage = 0x2 };
    Q_DECLARE_FLAGS(MathErrorOptions, MathErrorOption)
    Q_FLAG(MathErrorOptions)
    enum MathHistoryOption { mhoAllowDuplicates, mhoDeleteDuplicates, mhoPreventDuplicates };
    Q_ENUM(MathHistoryOption)
    enum MathRichEditOption { mroUseResultFont = 0x1, mroUseErrorFont = 0x2 };
    Q_DECLARE_FLAGS(MathRichEditOptions, MathRichEditOption)
    Q_FLAG(MathRichEditOptions)

    ~TMathControlWidget() override;

    QString mathInterpreter() const { return interpreterName_; }
    void setMathInterpreter(const QString& objectName);
    MathErrorOptions mathErrorOptions() const;
    void setMathErrorOptions(MathErrorOptions options);

    // In a form designer the control is designing: it shows its binding as on the platform's
    // designer, cleared with an interpreter and its own name (the object name) without one.
    void SetDesigning(bool designing);

    // The widget that has the focus and the text: a line edit, a combo box or a text edit.
    QWidget* TextWidget() const { return text_; }
    // The interpreter widget named by mathInterpreter, now bound to the control: the one below
    // the nearest ancestor that holds one of that name. Null (and the control unbound) when
    // there is none.
    TMathInterpreterWidget* BindInterpreter();

protected:
    explicit TMathControlWidget(QWidget* parent);
    // Puts `text`, made for the control, into this widget; called once by the constructor of
    // the concrete class.
    void Attach(QWidget* text);
    virtual TControl& Control() = 0;
    virtual std::uint32_t ErrorBits() const = 0;
    virtual void SetErrorBits(std::uint32_t bits) = 0;
    virtual void Bind(TMathInterpreter* interpreter) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The control's font follows the widget's, so that what it writes looks like the form.
    void TakeFont();
    // The control's name is the object name, where that is an identifier.
    void TakeName();
    // In the designer: the name taken, and the binding shown again.
    void FollowName();

    QString interpreterName_;
    QPointer<QWidget> text_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TMathControlWidget::MathEditOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMathControlWidget::MathErrorOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMathControlWidget::MathRichEditOptions)

// The part that depends on the control's class. The control lives as long as the widget and
// deletes its text widget when it goes.
template <class C>
class TMathControlWidgetOf : public TMathControlWidget {
public:
    C& MathControl() { return *control_; }
    const C& MathControl() const { return *control_; }

protected:
    explicit TMathControlWidgetOf(QWidget* parent) : TMathControlWidget(parent), control_(std::make_unique<C>()) {}
    ~TMathControlWidgetOf() override { control_.reset(); }

    TControl& Control() override { return *control_; }
    std::uint32_t ErrorBits() const override { return control_->MathErrorOptions().Bits(); }
    void SetErrorBits(std::uint32_t bits) override {
        control_->SetMathErrorOptions(decltype(control_->MathErrorOptions())::FromBits(bits));
    }
    void Bind(TMathInterpreter* interpreter) override { control_->SetMathInterpreter(interpreter); }

private:
    std::unique_ptr<C> control_;
};

}  // namespace tolvex::qt
