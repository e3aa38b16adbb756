#pragma once
// What each built-in function takes, gives back and does, with an example: the rows of the
// language reference (docs/language.md), which a test holds to this table, and what :help NAME
// shows.
#include <string>
#include <vector>

namespace tolvex::tool {

struct FunctionHelp {
    const char* name;         // as dumps write it: "ArcTan2"
    const char* operands;     // "y, x"; "none" for a function without operands
    const char* result;       // "double", "integer", "string", or what else it gives
    const char* description;  // one line
    const char* example;      // an expression that calls it
};

// The 75 functions in the order of the language reference.
const std::vector<FunctionHelp>& FunctionReference();

// The row of a function name in any letter case, or null.
const FunctionHelp* FindFunctionHelp(const std::string& name);

}  // namespace tolvex::tool
