// Run a statement list: one result per statement, failed statements collected in an error list.
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    tolvex::TStringList errors;
    // With an error list, a failing statement yields Null and the others still run.
    tolvex::Variant results = interpreter.Execute("x = 3; y + 1; f(a) := a * x; f(5)", &errors);
    for (int i = 0; i <= tolvex::VarArrayHighBound(results); ++i)
        std::cout << "result " << i << ": " << tolvex::VarToStr(tolvex::VarArrayGet(results, i)) << '\n';
    for (int i = 0; i < errors.Count(); ++i) std::cout << "error: " << errors[i] << '\n';
    return errors.Count() == 1 ? 0 : 1;
}
