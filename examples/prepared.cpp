// Prepare an expression once, then evaluate it many times with inputs set through handles.
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    interpreter.ExecuteExpression("x = 0");
    // Typed handles: the compiler keeps a prepared expression's and a variable's apart.
    const tolvex::TPreparedHandle formula = interpreter.Prepare("x^2 + 2*x");  // scanned and assembled once
    const tolvex::TVariableHandle x = interpreter.VariableHandle("x");         // an index into the symbol table
    for (int i = -1; i <= 1; ++i) {
        interpreter.SetVariablesByHandle(x, static_cast<double>(i));
        tolvex::Variant y = interpreter.ExecutePreparedExpression(formula);
        std::cout << "x = " << tolvex::VarToStr(interpreter.GetVariablesByHandle(x))
                  << "  y = " << tolvex::VarToStr(y) << '\n';
    }
    interpreter.FreePreparedExpression(formula);  // the handle is free for the next preparation
}
