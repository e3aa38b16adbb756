// A formula built from the first bytes, prepared three ways: with machine code, with the closures,
// and inside IfF, which no compiled program takes, so that its plain tree runs. The remaining
// bytes change the variables between runs (writes by handle of any double, integer or other
// kind, host storage bound, rebound and overwritten, deletes, functions and constants in their
// place); after each change all three must give the same value and kind, or the same error at
// the same position, with the same unknown-symbol events.
#include <cstring>
#include <regex>

#include "fuzz/fuzz_host.h"
#include "tolvex/interpreter/machinecode_internal.h"

namespace tolvex::fuzz {
namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    template <class T>
    T Raw() {
        unsigned char bytes[sizeof(T)] = {};
        for (unsigned char& b : bytes) b = Byte();
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

const char* const kNames[] = {"a", "b", "c", "d", "e", "f"};
const char* const kLeaves[] = {"a", "b", "c", "d", "e", "f", "0", "1", "2", "0.5", "-3", "2147483647",
                               "1e308", "Pi", "'4'", "g", "true"};
// No "=": an assignment would change the variables between the forms' runs.
const char* const kBinary[] = {"+", "-", "*", "/", "^", " div ", " mod ", "<", "<>", " and "};
const char* const kUnary[] = {"-", "Sin", "Cos", "Tan", "Exp", "Ln", "Sqrt", "Sqr", "Abs", "ArcTan",
                              "Log10", "Sinh", "Round", "not "};

template <class T, std::size_t N>
const T& Pick(const T (&table)[N], Bytes& in) {
    return table[in.Byte() % N];
}

// Balanced and without a comma at its top, so that wrapping it in IfF keeps its meaning.
std::string Formula(Bytes& in, int depth) {
    const std::uint8_t shape = in.Byte();
    if (depth == 0 || shape % 4 == 0) return Pick(kLeaves, in);
    if (shape % 4 == 1) {
        const std::string op = Pick(kUnary, in);
        return op == "-" || op == "not " ? op + Formula(in, depth - 1) : op + "(" + Formula(in, depth - 1) + ")";
    }
    const std::string left = Formula(in, depth - 1);
    const std::string op = Pick(kBinary, in);
    const std::string right = Formula(in, depth - 1);
    return shape % 4 == 2 ? left + op + right : "(" + left + op + right + ")";
}

std::string Outcome(BudgetedInterpreter& host, int handle, std::vector<std::string>& events, int shift) {
    static const std::regex kPosition("(\\b[Pp]os[a-z]*:? )(\\d+)");  // every spelling the messages use
    events.clear();
    std::string result;
    try {
        const Variant value = host.ExecutePreparedExpression(handle);
        const double* number = value.IfDbl();
        result = std::to_string(static_cast<int>(value.Kind())) + " " + (number ? FloatToText(*number) : VarToStr(value));
    } catch (const Exception& e) {
        std::string message;
        auto last = e.Message().cbegin();
        for (std::sregex_iterator m(e.Message().begin(), e.Message().end(), kPosition), end; m != end; ++m) {
            message.append(last, (*m)[0].first).append((*m)[1].str());
            message += std::to_string(std::stoi((*m)[2].str()) - shift);
            last = (*m)[0].second;
        }
        message.append(last, e.Message().cend());
        result = std::string(e.ClassName()) + " " + std::to_string(static_cast<int>(e.Code())) + " " +
                 std::to_string(e.Position() > 0 ? e.Position() - shift : 0) + " " + message;
    }
    for (const std::string& id : events) result += " ?" + id;
    return result;
}

struct Host {
    BudgetedInterpreter interpreter{4};
    double doubles[6] = {};
    std::int32_t integers[6] = {};
};

int VariableHandle(Host& host, const char* name) {
    if (!host.interpreter.SymbolExists(name)) host.interpreter.Execute(std::string(name) + " = 0");
    return host.interpreter.GetVariableHandles(name);
}

// One change, picked by the next byte; its own errors (a constant written, a function bound)
// are expected and leave the interpreter as it was.
void Change(Host& host, Bytes& in) {
    static const char* const kTexts[] = {"4", "x", "", "1e3"};
    TMathInterpreter& it = host.interpreter;
    const std::uint8_t op = in.Byte();
    const std::size_t k = in.Byte() % 6;
    const char* name = kNames[k];
    TStringList errors;
    switch (op % 12) {
        case 0: it.SetVariablesByHandle(VariableHandle(host, name), in.Raw<double>()); break;
        case 1: it.SetVariablesByHandle(VariableHandle(host, name), Variant(in.Raw<std::int32_t>())); break;
        case 2: it.SetVariables(name, Variant(Pick(kTexts, in))); break;
        case 3: it.SetVariables(name, in.Byte() % 2 ? Null() : Variant(true)); break;
        case 4: it.BindVariable(name, &host.doubles[k]); break;
        case 5: it.BindVariable(name, &host.integers[k]); break;
        case 6: it.UnbindVariable(name); break;
        case 7: host.doubles[k] = in.Raw<double>(); break;
        case 8: host.integers[k] = in.Raw<std::int32_t>(); break;
        case 9: it.Execute(std::string("delete ") + name, &errors); break;
        case 10: it.Execute(std::string(name) + " := a * 2 + 1", &errors); break;
        default: it.DefineConstant(name, Variant(static_cast<double>(in.Byte()) / 4)); break;
    }
}

}  // namespace
}  // namespace tolvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tolvex;
    using namespace tolvex::fuzz;
    if (size > kMaxInput) return 0;
    Bytes in(data, size);
    const std::string text = Formula(in, 1 + in.Byte() % 6);
    const std::string prefix = "IfF(true,";
    Host host;
    std::vector<std::string> events;
    host.interpreter.SetOnUnknownSymbol([&](TMathInterpreter&, const std::string& id, const Variant&, Variant& v) {
        events.push_back(id);
        if (id == "g" && v.IsEmpty()) v = Variant(0.25);
    });
    host.interpreter.Execute("a=1.5; b=-0.75; c=2; d=0.25; e=3.0; f=-2.5");
    int forms[3] = {-1, -1, -1};
    const bool was = MachineCode::Enabled();
    try {
        MachineCode::SetEnabled(true);
        forms[0] = host.interpreter.PrepareExpression(text);
        MachineCode::SetEnabled(false);
        forms[1] = host.interpreter.PrepareExpression(text);
        MachineCode::SetEnabled(was);
        forms[2] = host.interpreter.PrepareExpression(prefix + text + ",0)");
    } catch (const Exception&) {
        MachineCode::SetEnabled(was);
        if (forms[1] >= 0) Fail("only the tree failed to prepare", text);
        return 0;
    }
    for (int change = 0; change < 64; ++change) {
        const std::string tree = Outcome(host.interpreter, forms[2], events, static_cast<int>(prefix.size()));
        for (int form : {forms[0], forms[1], forms[0]}) {
            if (const std::string got = Outcome(host.interpreter, form, events, 0); got != tree)
                Fail("a prepared form differs from the tree", text + "\n" + got + "\n" + tree);
        }
        if (in.Empty()) break;
        try {
            Change(host, in);
        } catch (const Exception&) {
        }
    }
    return 0;
}
