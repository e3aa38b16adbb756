// Let the host supply names the interpreter does not know: variables and functions.
#include <iostream>
#include <map>
#include <string>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    const std::map<std::string, double> prices = {{"price", 3.99}, {"quantity", 15}};
    tolvex::TMathInterpreter interpreter;
    interpreter.SetOnUnknownSymbol([&](tolvex::TMathInterpreter&, const std::string& name,
                                       const tolvex::Variant& parameters, tolvex::Variant& value) {
        if (auto found = prices.find(name); found != prices.end()) {
            value = tolvex::VarFromReal(found->second);  // a read of an unknown variable
        } else if (name == "twice" && parameters.Kind() == tolvex::VarKind::Array) {
            // A call: the arguments arrive as an array, the last argument first.
            value = tolvex::VarFromReal(2 * tolvex::VarToReal(tolvex::VarArrayGet(parameters, 0)));
        }
        // Leaving `value` empty means "unknown": the interpreter then reports the name.
    });
    std::cout << "price * quantity = " << tolvex::VarToStr(interpreter.ExecuteExpression("price * quantity")) << '\n';
    std::cout << "twice(21) = " << tolvex::VarToStr(interpreter.ExecuteExpression("twice(21)")) << '\n';
    try {
        interpreter.ExecuteExpression("discount");
    } catch (const tolvex::Exception& e) {
        std::cout << "error: " << e.Message() << '\n';
    }
}
