#pragma once
// Shared helpers for tests that drive an interpreter through text.
#include <gtest/gtest.h>

#include <string>

#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex::test {

// The message of the error that `run` raises, or "(no error)".
template <class F>
std::string MessageOf(F&& run) {
    try {
        run();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no error)";
}

// The message with the load location that tools show, or "(no error)".
template <class F>
std::string FullMessageOf(F&& run) {
    try {
        run();
    } catch (const Exception& e) {
        return e.FullMessage();
    }
    return "(no error)";
}

// Kind and display text of a value, e.g. "integer 7", "double 8.0", "null ".
inline std::string Describe(const Variant& v) {
    static const char* const kinds[] = {"empty", "null", "integer", "double", "boolean", "string", "array"};
    return std::string(kinds[static_cast<int>(v.Kind())]) + " " + VarToStr(v);
}

class InterpreterTest : public ::testing::Test {
protected:
    // Runs every statement of `text` in order and describes the last result, or the error message.
    std::string Run(const std::string& text) {
        try {
            Variant last = Null();
            for (const std::string& s : interpreter.SplitStatements(text)) last = interpreter.ExecuteExpression(s);
            return Describe(last);
        } catch (const Exception& e) {
            return e.Message();
        }
    }

    TMathInterpreter interpreter;
};

// A table row: input text and the expected description or message.
struct Case {
    const char* text;
    const char* expected;
};

}  // namespace tolvex::test
