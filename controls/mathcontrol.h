#pragma once
// What the four expression controls share, whatever framework control they extend: the link to
// an interpreter, the error options and the event fired after a successful evaluation.
#include <optional>
#include <string>

#include "tolvex/controls/options.h"
#include "tolvex/framework/properties.h"
#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

template <class Base>
class TMathControl : public Base {
public:
    explicit TMathControl(TComponent* owner) : Base(owner) {}

    // The interpreter that evaluates; not owned, may be null. The control hears of its
    // destruction wherever it lives and then drops it.
    TMathInterpreter* MathInterpreter() const { return interpreter_; }
    // Stores the reference. In the designer (not while a form is read) the control then shows
    // its binding: cleared with an interpreter, its own name without one.
    void SetMathInterpreter(TMathInterpreter* value) {
        if (interpreter_ && interpreter_ != value) this->RemoveFreeNotification(interpreter_);
        interpreter_ = value;
        if (value) this->FreeNotification(value);
        if (this->Designing() && !this->Loading()) ShowBinding();
    }

    TMathErrorOptions MathErrorOptions() const { return errorOptions_; }
    void SetMathErrorOptions(TMathErrorOptions options) { errorOptions_ = options; }

    const TAfterExecuteExpressionEvent& AfterExecuteExpression() const { return afterExecute_; }
    void SetAfterExecuteExpression(TAfterExecuteExpressionEvent handler) { afterExecute_ = std::move(handler); }

    // Evaluates the control's current expression; the result, or an empty value when there is
    // no interpreter or a failure was not re-raised.
    virtual Variant ExecuteExpression() = 0;
    // Fires AfterExecuteExpression.
    virtual void DoAfterExecuteExpression(const Variant& res) {
        if (afterExecute_) afterExecute_(*this, res);
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        Base::Notification(component, operation);
        if (operation == TOperation::opRemove && component != nullptr && component == interpreter_)
            SetMathInterpreter(nullptr);
    }

    // Designer display of the binding: cleared with an interpreter, the name without one.
    virtual void ShowBinding() = 0;

    // Runs `text` through the interpreter. An error of the system's type is handed to `write`
    // under meoWriteExceptionMessage, then re-raised under meoRaiseExceptions; with neither the
    // failure is silent. Errors of any other type pass untouched. Empty after a failure.
    template <class Write>
    std::optional<Variant> Evaluate(const std::string& text, Write&& write) {
        try {
            return interpreter_->ExecuteExpression(text);
        } catch (const Exception& e) {
            if (errorOptions_.Has(meoWriteExceptionMessage)) write(e.Message());
            if (errorOptions_.Has(meoRaiseExceptions)) throw;
            return std::nullopt;
        }
    }

    // Published properties shared by the four controls, added where each class lists them.
    void AddMathErrorOptions(TPropertyList& list) {
        list.AddSet("MathErrorOptions", kMathErrorOptionNames, [this] { return errorOptions_.Bits(); },
                    [this](std::uint32_t bits) { errorOptions_ = TMathErrorOptions::FromBits(bits); });
    }
    void AddMathInterpreter(TPropertyList& list) {
        list.AddComponent<TMathInterpreter>("MathInterpreter", [this] { return interpreter_; },
                                            [this](TMathInterpreter* value) { SetMathInterpreter(value); });
    }
    void AddAfterExecuteExpression(TPropertyList& list) {
        list.AddMethod<TAfterExecuteExpressionEvent>(
            "AfterExecuteExpression", [this] { return afterExecute_; },
            [this](TAfterExecuteExpressionEvent handler) { afterExecute_ = std::move(handler); });
    }

private:
    TMathInterpreter* interpreter_ = nullptr;
    TMathErrorOptions errorOptions_;
    TAfterExecuteExpressionEvent afterExecute_;
};

}  // namespace tolvex

TOLVEX_END_API
