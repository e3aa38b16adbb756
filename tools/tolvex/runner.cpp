#include "tools/tolvex/runner.h"

#include <unistd.h>

#include <iostream>
#include <new>

#include "tolvex/framework/stream.h"

namespace tolvex::tool {

namespace {

const char* KindName(VarKind kind) {
    static const char* const names[] = {"empty", "null", "integer", "double", "boolean", "string", "array"};
    return names[static_cast<int>(kind)];
}

// Backslash, tab, CR and LF written as escapes, so that one result stays one line.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

void Runner::RunText(const std::string& text) {
    std::vector<std::string> statements = interpreter_.SplitStatements(text);
    if (statements.empty()) return Print(Variant());
    for (const std::string& statement : statements) {
        try {
            Print(interpreter_.ExecuteExpression(statement));
        } catch (const Exception& e) {
            Fail(e.Message());
        } catch (const std::bad_alloc&) {
            Fail(EOutOfMemory().Message());  // printing a huge result; the next statement may fit
        }
    }
}

void Runner::Fail(const std::string& message) {
    failed_ = true;
    if (typed_)
        std::cout << "error\t" << Escaped(message) << '\n';
    else
        std::cerr << "error: " << message << '\n';
}

void Runner::Print(const Variant& value) {
    if (typed_)
        std::cout << KindName(value.Kind()) << '\t' << Escaped(VarToStr(value)) << '\n';
    else
        std::cout << VarToStr(value) << '\n';
}

// Files and standard input are read as loading reads them: whole, up to the maximum text length.
bool ReadSource(const Source& source, std::string& text) {
    if (!source.isFile) {
        text = source.text;
        return true;
    }
    try {
        if (source.text == "-") {
            TFileStream in(::dup(STDIN_FILENO), "standard input");
            text = TMathInterpreter::ReadText(in);
        } else {
            text = TMathInterpreter::ReadFile(source.text);
        }
    } catch (const Exception& e) {
        std::cerr << "tolvex: " << e.Message() << '\n';
        return false;
    }
    return true;
}

}  // namespace tolvex::tool
