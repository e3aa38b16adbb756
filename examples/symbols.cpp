// Save the symbol table to a file and load it into another interpreter.
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"

int main() {
    const std::string file = (std::filesystem::temp_directory_path() / "tolvex_example_symbols.txt").string();
    {
        tolvex::TMathInterpreter interpreter;
        interpreter.Execute("x = 5; greeting = 'Hello'; f(a, b) := a * b + x");
        interpreter.SaveSymbolsToFile(file);  // text that recreates every variable and function
    }
    tolvex::TMathInterpreter other;
    other.LoadSymbolsFromFile(file);  // replaces the table by the file's symbols
    std::cout << "after loading: " << other.Dump(", ", {}) << '\n';
    std::cout << "f(2, 3) = " << tolvex::VarToStr(other.ExecuteExpression("f(2, 3)")) << '\n';
    std::remove(file.c_str());
}
