// Numeric one-shot formulas: one pass of precedence climbing over the text emits a postfix
// program, which one loop runs. The grammar accepted is the subset of the language whose tree
// the ordinary assembly builds in the same shape: unary minus binds tighter than "^", which is
// left-associative like "*", "/", "div", "mod", "+" and "-"; a built-in name is followed by its
// bracketed argument. Whatever the subset does not cover gives up before anything runs.
#include "tolvex/interpreter/oneshot_internal.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "tolvex/interpreter/names_internal.h"
#include "tolvex/intrinsics/function_support.h"
#include "tolvex/intrinsics/functions.h"
#include "tolvex/intrinsics/intrinsic.h"
#include "tolvex/model/symbols.h"

namespace tolvex::quick {

namespace {

constexpr int kMaxSteps = 128;   // longer formulas go the ordinary way
constexpr int kMaxStack = 32;    // deepest operand stack a program may need
constexpr int kMaxNesting = 24;  // brackets and calls inside one another

enum class Code : std::uint8_t { Number, Variable, Negate, Kernel, Add, Subtract, Multiply, Divide, Power, IntDiv, Mod };

struct Number {
    double d;
    std::int32_t i;
    bool isInt;
};

// Trivial, so that the program's array costs nothing to set up.
struct Step {
    Code code;
    Number number;               // Number
    const TMVar* variable;       // Variable
    const RealKernel* kernel;    // Kernel
};

bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordChar(char c) { return IsWordStart(c) || IsDigit(c); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// `word` is `lower` in any letter case.
bool IsKeyword(std::string_view word, std::string_view lower) {
    if (word.size() != lower.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if ((word[i] | 0x20) != lower[i]) return false;
    return true;
}

class Compiler {
public:
    Compiler(const TMSymbols& table, std::string_view text) : table_(table), text_(text) {}
    // The program of the whole text, or false.
    bool Compile() { return Sum() && (SkipBlanks(), pos_ == text_.size()); }
    const Step* Steps() const { return steps_; }
    int Count() const { return count_; }

private:
    bool Sum();
    bool Product();
    bool Power();
    bool Unary();
    bool Primary();
    bool Bracketed();
    bool NumberLiteral(bool negative);
    bool Word();
    // The infix operator at the current position, consumed; false at anything else.
    bool Infix(Code& code, int level);

    bool Emit(const Step& step);
    bool Emit(Code code) { return Emit(Step{code, {}, nullptr, nullptr}); }
    void SkipBlanks() { while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_; }
    char Peek() { SkipBlanks(); return pos_ < text_.size() ? text_[pos_] : '\0'; }
    std::string_view ReadWord() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }

    const TMSymbols& table_;
    std::string_view text_;
    std::size_t pos_ = 0;
    Step steps_[kMaxSteps];
    int count_ = 0;
    int stack_ = 0;
    int nesting_ = 0;
};

bool Compiler::Emit(const Step& step) {
    if (count_ == kMaxSteps) return false;
    steps_[count_++] = step;
    if (step.code <= Code::Variable) return ++stack_ <= kMaxStack;
    if (step.code >= Code::Add) --stack_;
    return true;
}

// Level 4 is "+" and "-", 3 the multiplications, 2 the power.
bool Compiler::Infix(Code& code, int level) {
    const char c = Peek();
    if (level == 4 && (c == '+' || c == '-')) {
        code = c == '+' ? Code::Add : Code::Subtract;
        ++pos_;
        return true;
    }
    if (level == 2 && c == '^') {
        code = Code::Power;
        ++pos_;
        return true;
    }
    if (level != 3) return false;
    if (c == '*' || c == '/') {
        code = c == '*' ? Code::Multiply : Code::Divide;
        ++pos_;
        return true;
    }
    if (!IsWordStart(c)) return false;
    const std::size_t start = pos_;
    const std::string_view word = ReadWord();
    // A built-in function of that name would come first; none is named so.
    if (IsKeyword(word, "div")) code = Code::IntDiv;
    else if (IsKeyword(word, "mod")) code = Code::Mod;
    else pos_ = start;
    return pos_ != start;
}

bool Compiler::Sum() {
    if (!Product()) return false;
    for (Code code; Infix(code, 4);)
        if (!Product() || !Emit(code)) return false;
    return true;
}

bool Compiler::Product() {
    if (!Power()) return false;
    for (Code code; Infix(code, 3);)
        if (!Power() || !Emit(code)) return false;
    return true;
}

bool Compiler::Power() {
    if (!Unary()) return false;
    for (Code code; Infix(code, 2);)
        if (!Unary() || !Emit(code)) return false;
    return true;
}

// Minus signs directly before a number are its sign, as the scanner reads them.
bool Compiler::Unary() {
    int minus = 0;
    while (Peek() == '-') {
        ++minus;
        ++pos_;
    }
    if (minus > 0 && IsDigit(Peek())) return NumberLiteral(minus % 2 != 0);
    if (!Primary()) return false;
    for (; minus > 0; --minus)
        if (!Emit(Code::Negate)) return false;
    return true;
}

bool Compiler::Primary() {
    const char c = Peek();
    if (IsDigit(c)) return NumberLiteral(false);
    if (c == '(') return Bracketed();
    if (IsWordStart(c)) return Word();
    return false;
}

bool Compiler::Bracketed() {
    if (++nesting_ > kMaxNesting) return false;
    ++pos_;
    if (!Sum() || Peek() != ')') return false;
    ++pos_;
    --nesting_;
    return true;
}

bool Compiler::NumberLiteral(bool negative) {
    const std::size_t start = pos_;
    bool real = false;
    pos_ = NumberLiteralEnd(text_, pos_, real);
    const std::string_view literal = text_.substr(start, pos_ - start);
    Step step{Code::Number, {0.0, 0, !real}, nullptr, nullptr};
    if (real ? !TextToFloat(literal, step.number.d) : !TextToInt(literal, step.number.i)) return false;
    if (negative) {
        step.number.d = -step.number.d;
        step.number.i = -step.number.i;
    }
    return Emit(step);
}

// A built-in function of one number with its bracketed argument, or a variable of the table.
bool Compiler::Word() {
    const std::string_view word = ReadWord();
    if (const IntrinsicRow* row = FindIntrinsic(word)) {
        if (!row->kernel.compute || row->operands != 1 || Peek() != '(') return false;
        return Bracketed() && Emit(Step{Code::Kernel, {}, nullptr, &row->kernel});
    }
    if (tolvex::IsKeyword(word)) return false;
    if (Peek() == '(' || !table_.Index()) return false;  // a call of a user function
    const int k = table_.Index()->Find(table_, word);
    const TMVar* variable = k < 0 ? nullptr : As<TMVar>(table_.Get(k));
    return variable && Emit(Step{Code::Variable, {}, variable, nullptr});
}

bool FitsInt32(std::int64_t r) {
    return r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max();
}

bool Read(const TMVar& variable, Number& x) {
    const Variant& v = variable.Value();
    if (v.Kind() == VarKind::Double) x = {v.Dbl(), 0, false};
    else if (v.Kind() == VarKind::Integer) x = {0.0, v.Int(), true};
    else return false;
    return true;
}

void Negate(Number& x) {
    if (!x.isInt) x.d = -x.d;
    else if (x.i == std::numeric_limits<std::int32_t>::min()) x = {-static_cast<double>(x.i), 0, false};
    else x.i = -x.i;
}

bool IntegerStep(Code code, Number& x, std::int32_t y) {
    std::int64_t r = 0;
    switch (code) {
        case Code::Add: r = std::int64_t{x.i} + y; break;
        case Code::Subtract: r = std::int64_t{x.i} - y; break;
        case Code::Multiply: r = std::int64_t{x.i} * y; break;
        case Code::IntDiv: if (y == 0) return false; r = std::int64_t{x.i} / y; break;
        case Code::Mod: if (y == 0) return false; r = std::int64_t{x.i} % y; break;
        default: return false;
    }
    // A result beyond 32 bits becomes the double nearest to it, as in the value operations.
    if (FitsInt32(r)) x.i = static_cast<std::int32_t>(r);
    else x = {static_cast<double>(r), 0, false};
    return true;
}

// "/" and "^" always give a double; div and mod of a double round it first, which is left to
// the ordinary stages.
bool RealStep(Code code, Number& x, const Number& y) {
    const double a = x.isInt ? x.i : x.d;
    const double b = y.isInt ? y.i : y.d;
    switch (code) {
        case Code::Add: x.d = a + b; break;
        case Code::Subtract: x.d = a - b; break;
        case Code::Multiply: x.d = a * b; break;
        case Code::Divide: x.d = a / b; break;
        case Code::Power:
            if (a == 0 && b < 0) return false;
            x.d = PowerReal(a, b);
            break;
        default: return false;
    }
    x.isInt = false;
    return std::isfinite(x.d);
}

bool Binary(Code code, Number& x, const Number& y) {
    if (x.isInt && y.isInt && code != Code::Divide && code != Code::Power) return IntegerStep(code, x, y.i);
    return RealStep(code, x, y);
}

bool Run(const Step* steps, int count, Number& result) {
    Number stack[kMaxStack];
    int top = -1;
    for (const Step* s = steps; s != steps + count; ++s) {
        switch (s->code) {
            case Code::Number: stack[++top] = s->number; break;
            case Code::Variable: if (!Read(*s->variable, stack[++top])) return false; break;
            case Code::Negate: Negate(stack[top]); break;
            case Code::Kernel: {
                Number& x = stack[top];
                if (!intrinsic_detail::TryFiniteReal((*s->kernel)(x.isInt ? x.i : x.d), x.d)) return false;
                x.isInt = false;
                break;
            }
            default:
                --top;
                if (!Binary(s->code, stack[top], stack[top + 1])) return false;
        }
    }
    result = stack[0];
    return true;
}

}  // namespace

bool TryEvaluate(const TMSymbols& table, std::string_view text, Variant& result) {
    Compiler compiler(table, text);
    Number n;
    if (!compiler.Compile() || !Run(compiler.Steps(), compiler.Count(), n)) return false;
    result = n.isInt ? Variant(n.i) : Variant(n.d);
    return true;
}

}  // namespace tolvex::quick
