// The interpreter: one-shot ExecuteExpression of the text, and prepared expressions whose
// variables change through handles.
#include "tolvex/interpreter/mathinterpreter.h"
#include "runner.h"

namespace tolvex::bench {

namespace {

class TolvexEngine {
public:
    explicit TolvexEngine(const Formula& formula) : text_(formula.text) {
        const Inputs& row = InputRows()[0];
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            interpreter_.ExecuteExpression(std::string(kVariables[i]) + "=0.0");
            handles_[i] = interpreter_.GetVariableHandles(kVariables[i]);
            interpreter_.SetVariablesByHandle(handles_[i], Variant(row[i]));
        }
        prepared_ = interpreter_.PrepareExpression(text_);
    }
    Variant OneShot() { return interpreter_.ExecuteExpression(text_); }
    Variant Prepared(const Inputs& row) {
        for (std::size_t i = 0; i < row.size(); ++i) interpreter_.SetVariablesByHandle(handles_[i], row[i]);
        return interpreter_.ExecutePreparedExpression(prepared_);
    }
    static double Number(const Variant& value) { return VarToReal(value); }

private:
    TMathInterpreter interpreter_;
    std::string text_;
    std::array<int, 6> handles_{};
    int prepared_ = -1;
};

}  // namespace

void RegisterTolvex() { RegisterEngine<TolvexEngine>("tolvex"); }

}  // namespace tolvex::bench
