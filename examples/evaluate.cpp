// Evaluate one expression and read its value.
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    try {
        tolvex::Variant area = interpreter.ExecuteExpression("Pi * 2^2");
        std::cout << "area = " << tolvex::VarToStr(area) << '\n';         // display text
        double value = tolvex::VarToReal(area);                            // as a number
        std::cout << "as a double: " << value << '\n';
        interpreter.ExecuteExpression("1/0");                              // raises
    } catch (const tolvex::Exception& e) {
        std::cout << "error: " << e.Message() << '\n';  // every error of the library is an Exception
    }
}
