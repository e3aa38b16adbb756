// Learn which names an expression needs, create them, then evaluate.
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    interpreter.ExecuteExpression("rate = 0.05");
    const std::string text = "principal * (1 + rate)^years";
    const tolvex::TReferencedNames names = interpreter.ReferencedNames(text);
    std::cout << "bound:";
    for (const std::string& name : names.bound) std::cout << ' ' << name;
    std::cout << "\nunbound:";
    for (const std::string& name : names.unbound) std::cout << ' ' << name;
    std::cout << '\n';
    for (const std::string& name : names.unbound) interpreter.ExecuteExpression(name + " = 10");
    std::cout << text << " = " << tolvex::VarToStr(interpreter.ExecuteExpression(text)) << '\n';
}
