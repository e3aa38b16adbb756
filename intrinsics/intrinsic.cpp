#include "tolvex/intrinsics/intrinsic.h"

#include <array>
#include <string_view>
#include <unordered_map>

#include "tolvex/framework/exception.h"

namespace tolvex {

namespace {

// Names are compared ignoring the case of ASCII letters only.
constexpr char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

constexpr std::size_t kLongestName = 31;  // a bit per length in 32 bits

// The registry by upper-cased function name: the scanner asks it for every word it reads.
class NameIndex {
public:
    NameIndex() {
        for (int i = 0; i < IntrinsicCount(); ++i) {
            const IntrinsicRow& row = IntrinsicAt(i);
            std::string& upper = names_[static_cast<std::size_t>(i)];
            for (const char* c = row.className + 2; *c; ++c) upper += UpperAscii(*c);
            TOLVEX_ASSERT(upper.size() <= kLongestName, "MathIntrinsic");
            rows_.emplace(upper, &row);
            lengths_[static_cast<unsigned char>(upper[0])] |= 1u << upper.size();
        }
    }
    const IntrinsicRow* Find(std::string_view name) const {
        // Most words the scanner reads are the host's names: a first letter and a length that no
        // function has rule them out without hashing.
        if (name.empty() || name.size() >= kLongestName ||
            !(lengths_[static_cast<unsigned char>(UpperAscii(name[0]))] >> name.size() & 1u))
            return nullptr;
        char upper[kLongestName];
        for (std::size_t i = 0; i < name.size(); ++i) upper[i] = UpperAscii(name[i]);
        auto found = rows_.find(std::string_view(upper, name.size()));
        return found == rows_.end() ? nullptr : found->second;
    }

private:
    std::array<std::string, 75> names_;
    std::unordered_map<std::string_view, const IntrinsicRow*> rows_;
    std::array<std::uint32_t, 256> lengths_{};  // by upper-cased first letter, bit n: a name of n letters
};

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

const IntrinsicRow* FindIntrinsic(std::string_view name) {
    static const NameIndex index;
    return index.Find(name);
}

std::unique_ptr<TMIntrinsicFunctionCall> CreateIntrinsicFunctionCall(const std::string& name) {
    const IntrinsicRow* row = FindIntrinsic(name);
    return row ? std::make_unique<TMIntrinsicFunctionCall>(*row) : nullptr;
}

}  // namespace tolvex
