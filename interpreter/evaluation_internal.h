#pragma once
// Counts the interpreter's running evaluations; while one runs, nothing it may still use is freed.
#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex {

class TMathInterpreter::EvaluationScope {
public:
    explicit EvaluationScope(TMathInterpreter& owner) : owner_(owner) { ++owner_.evaluating_; }
    ~EvaluationScope() { --owner_.evaluating_; }
    EvaluationScope(const EvaluationScope&) = delete;
    EvaluationScope& operator=(const EvaluationScope&) = delete;

private:
    TMathInterpreter& owner_;
};

}  // namespace tolvex
