// Errors as fields: a code per message family, the position within the statement, the statement.
#include <iostream>
#include <sstream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    tolvex::TMathInterpreter interpreter;
    try {
        interpreter.Execute("a = 1; b = a +* 2");
    } catch (const tolvex::Exception& e) {
        std::cout << tolvex::ErrorCodeName(e.Code()) << " at statement " << e.StatementIndex() << ", position "
                  << e.Position() << ": " << e.Message() << '\n';
    }
    std::istringstream symbols("x=1;\r\ny=x+zz");
    try {
        interpreter.LoadSymbols(symbols, "file \"demo.txt\"");
    } catch (const tolvex::Exception& e) {
        if (e.Code() == tolvex::TErrorCode::UndefinedSymbol)
            std::cout << "undefined name at position " << e.Position() << " of statement " << e.StatementIndex()
                      << " in " << e.Source() << '\n';
    }
}
