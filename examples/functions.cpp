// Define user functions, including recursive ones, and call them.
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    interpreter.Execute(
        "fact(n) := IfF(n <= 1, 1, n * fact(n - 1));"
        "fib(n) := IfF(n < 2, n, fib(n - 1) + fib(n - 2));"
        "gcd(a, b) := IfF(b == 0, a, gcd(b, a mod b))");
    for (const char* call : {"fact(10)", "fib(20)", "gcd(1071, 462)"})
        std::cout << call << " = " << tolvex::VarToStr(interpreter.ExecuteExpression(call)) << '\n';

    // Recursion is bounded: past MaxFunctionNesting the call fails instead of exhausting the stack.
    interpreter.SetMaxFunctionNesting(50);
    try {
        interpreter.ExecuteExpression("fact(100)");
    } catch (const tolvex::Exception& e) {
        std::cout << "error: " << e.Message() << '\n';
    }
}
