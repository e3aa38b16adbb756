// A read-only value of the host: text reads it but cannot assign, redefine or delete it, and it
// is never saved. The host may change it.
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    interpreter.DefineConstant("rate", tolvex::VarFromReal(0.25));
    interpreter.Execute("net(x) := x * (1 - rate); gross = 200");
    std::cout << "net(gross) = " << tolvex::VarToStr(interpreter.ExecuteExpression("net(gross)")) << '\n';

    for (const char* text : {"rate = 1", "rate := 1", "delete rate"}) {
        try {
            interpreter.ExecuteExpression(text);
        } catch (const tolvex::Exception& e) {
            std::cout << "error: " << e.Message() << '\n';
        }
    }

    interpreter.DefineConstant("rate", tolvex::VarFromReal(0.5));  // only the host changes it
    std::cout << "after the host's change: " << tolvex::VarToStr(interpreter.ExecuteExpression("net(gross)")) << '\n';
    std::cout << "saved: " << interpreter.DumpStreamable() << '\n';  // the constant is not in it
}
