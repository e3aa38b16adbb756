#pragma once
// Runs statement lists from the command line and files, one output line per statement result.
#include <string>

#include "tolvex/interpreter/mathinterpreter.h"
#include "tools/tolvex/options.h"

namespace tolvex::tool {

class Runner {
public:
    // `typed` prints KIND<TAB>TEXT lines, errors included, all on standard output.
    Runner(TMathInterpreter& interpreter, bool typed) : interpreter_(interpreter), typed_(typed) {}

    // Runs one statement list; an empty text still yields its one empty result.
    void RunText(const std::string& text);
    bool Failed() const { return failed_; }

private:
    void Print(const Variant& value);
    // Reports a failed statement: on standard error, or as an error line in typed mode.
    void Fail(const std::string& message);

    TMathInterpreter& interpreter_;
    bool typed_;
    bool failed_ = false;
};

// The text of a source: the -e text itself, or the file's bytes ('-' reads standard input).
// False, after a message on standard error, when the file cannot be opened or read, or is longer
// than the maximum text length.
bool ReadSource(const Source& source, std::string& text);

}  // namespace tolvex::tool
