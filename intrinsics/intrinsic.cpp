#include "intrinsics/intrinsic.h"

#include "framework/exception.h"

namespace tolvex {

namespace {

bool SameIgnoringAsciiCase(const char* a, const std::string& b) {
    std::size_t i = 0;
    for (; a[i] && i < b.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return a[i] == '\0' && i == b.size();
}

}  // namespace

std::string TMIntrinsicFunctionCall::Dump(TDumpFormat format) const {
    if (format.Has(dfDetailed)) return TMOperator::Dump(format);
    return FuncName() + "(" + Operands.Dump(",", format) + ")";
}

std::string TMIntrinsicFunctionCall::DumpOperator() const {
    // Calls are written by name with their arguments, never as an operator between operands.
    AssertionFailed("MathIntrinsic", __LINE__);
}

Variant TMIntrinsicFunctionCall::GetValue() { return row_->evaluate(*this); }

void TMIntrinsicFunctionCall::SetMathInterpreter(TMInterpreterLink* interpreter) {
    TMOperator::SetMathInterpreter(interpreter);
    interpreter_ = interpreter;
}

std::unique_ptr<TMIntrinsicFunctionCall> CreateIntrinsicFunctionCall(const std::string& name) {
    for (int i = 0; i < IntrinsicCount(); ++i) {
        const IntrinsicRow& row = IntrinsicAt(i);
        if (SameIgnoringAsciiCase(row.className + 2, name)) return std::make_unique<TMIntrinsicFunctionCall>(row);
    }
    return nullptr;
}

}  // namespace tolvex
