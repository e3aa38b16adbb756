// Prepared expressions whose variables a…f are bound to the host's storage: the host writes its
// own doubles and the interpreter reads them in place (prepared_bound/tolvex/<E>).
#include "tolvex/interpreter/mathinterpreter.h"
#include "runner.h"

namespace tolvex::bench {

namespace {

class TolvexBoundEngine {
public:
    explicit TolvexBoundEngine(const Formula& formula) : storage_(InputRows()[0]) {
        for (std::size_t i = 0; i < kVariables.size(); ++i) interpreter_.BindVariable(kVariables[i], &storage_[i]);
        prepared_ = interpreter_.PrepareExpression(formula.text);
    }
    Variant OneShot() { return Variant(); }
    Variant Prepared(const Inputs& row) {
        storage_ = row;
        return interpreter_.ExecutePreparedExpression(prepared_);
    }
    static double Number(const Variant& value) { return VarToReal(value); }

private:
    TMathInterpreter interpreter_;
    Inputs storage_;
    int prepared_ = -1;
};

}  // namespace

void RegisterTolvexBound() { RegisterPreparedFamily<TolvexBoundEngine>("prepared_bound", "tolvex"); }

}  // namespace tolvex::bench
