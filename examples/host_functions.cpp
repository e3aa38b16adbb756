// Register C++ functions and constants, and call them from expressions and user functions.
#include <algorithm>
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    // Arguments arrive in the order written; a call with another count fails when it is assembled.
    interpreter.DefineFunction("clamp", 3, [](std::span<const tolvex::Variant> a) {
        const double x = tolvex::VarToReal(a[0]), lo = tolvex::VarToReal(a[1]), hi = tolvex::VarToReal(a[2]);
        return tolvex::VarFromReal(std::clamp(x, lo, hi));
    });
    interpreter.DefineFunction("sum", tolvex::TArity::AtLeast(1), [](std::span<const tolvex::Variant> a) {
        tolvex::Variant total = a[0];
        for (std::size_t i = 1; i < a.size(); ++i) total = tolvex::VarAdd(total, a[i]);
        return total;
    });
    interpreter.DefineConstant("g0", tolvex::VarFromReal(9.80665));

    interpreter.Execute("fall(t) := g0 * clamp(t, 0, 10)^2 / 2");
    std::cout << "fall(3) = " << tolvex::VarToStr(interpreter.ExecuteExpression("fall(3)")) << '\n';
    std::cout << "sum(1, 2, 3) = " << tolvex::VarToStr(interpreter.ExecuteExpression("sum(1, 2, 3)")) << '\n';
    for (const char* text : {"clamp(1)", "g0 = 1"}) {
        try {
            interpreter.ExecuteExpression(text);
        } catch (const tolvex::Exception& e) {
            std::cout << "error: " << e.Message() << '\n';
        }
    }
}
