// Bind the host's own variables: expressions read and write them in place.
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    double x = 0;
    std::int32_t steps = 0;
    interpreter.BindVariable("x", &x);
    interpreter.BindVariable("steps", &steps);

    const int formula = interpreter.PrepareExpression("x^2 - 2*x + 1");
    for (x = 0; x <= 2; x += 1)
        std::cout << "x = " << x << "  y = " << tolvex::VarToStr(interpreter.ExecutePreparedExpression(formula)) << '\n';

    interpreter.Execute("steps = steps + 5; x = 0.5");  // writes go to the host's storage
    std::cout << "steps = " << steps << ", x = " << x << '\n';
    std::cout << "saved: " << interpreter.SaveSymbolsToString() << '\n';
}
