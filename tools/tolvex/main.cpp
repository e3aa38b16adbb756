// tolvex: runs statement lists from the command line, files or standard input on one interpreter.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "interpreter/mathinterpreter.h"
#include "tools/tolvex/options.h"

using namespace tolvex;
using namespace tolvex::tool;

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

class Runner {
public:
    Runner(TMathInterpreter& interpreter, bool typed) : interpreter_(interpreter), typed_(typed) {}

    // Runs one statement list; an empty text still yields its one empty result.
    void RunText(const std::string& text) {
        std::vector<std::string> statements = interpreter_.SplitStatements(text);
        if (statements.empty()) return Print(Variant());
        for (const std::string& statement : statements) {
            try {
                Print(interpreter_.ExecuteExpression(statement));
            } catch (const Exception& e) {
                failed_ = true;
                if (typed_)
                    std::cout << "error\t" << Escaped(e.Message()) << '\n';
                else
                    std::cerr << "error: " << e.Message() << '\n';
            }
        }
    }

    bool Failed() const { return failed_; }

private:
    void Print(const Variant& value) {
        if (typed_)
            std::cout << KindName(value.Kind()) << '\t' << Escaped(VarToStr(value)) << '\n';
        else
            std::cout << VarToStr(value) << '\n';
    }

    TMathInterpreter& interpreter_;
    bool typed_;
    bool failed_ = false;
};

bool ReadSource(const Source& source, std::string& text) {
    if (!source.isFile) {
        text = source.text;
        return true;
    }
    std::ostringstream buffer;
    if (source.text == "-") {
        buffer << std::cin.rdbuf();
    } else {
        std::ifstream file(source.text, std::ios::binary);
        if (!file) {
            std::cerr << "tolvex: cannot open file " << source.text << '\n';
            return false;
        }
        buffer << file.rdbuf();
    }
    text = buffer.str();
    return true;
}

bool ParseDumpFormat(const std::string& text, TDumpFormat& format) {
    static const std::pair<const char*, TDumpFormat> formats[] = {
        {"plain", {}},
        {"qualified", {dfQualified}},
        {"detailed", {dfDetailed}},
        {"detailed,qualified", {dfDetailed, dfQualified}},
    };
    for (const auto& [name, value] : formats)
        if (text == name) return format = value, true;
    return false;
}

int Run(const Options& options, TDumpFormat dumpFormat) {
    TMathInterpreter interpreter;
    interpreter.SetCaseSensitiveSymbols(options.caseSensitive);
    if (options.escapeChar) interpreter.SetEscapeChar(*options.escapeChar);
    if (options.maxNesting) interpreter.SetMaxFunctionNesting(*options.maxNesting);
    interpreter.SetDumpFormat(dumpFormat);
    if (options.load) {
        try {
            interpreter.LoadSymbolsFromFile(*options.load);
        } catch (const Exception& e) {
            std::cerr << "tolvex: " << e.Message() << '\n';
            return 2;
        }
    }
    Runner runner(interpreter, options.typed);
    int status = 0;
    for (const Source& source : options.sources) {
        std::string text;
        if (!ReadSource(source, text)) {
            status = 2;
            break;
        }
        runner.RunText(text);
    }
    if (options.dump) std::cout << interpreter.GetDumpText() << '\n';
    if (options.save) {
        try {
            interpreter.SaveSymbolsToFile(*options.save);
        } catch (const Exception& e) {
            std::cerr << "tolvex: " << e.Message() << '\n';
            return 2;
        }
    }
    return status ? status : runner.Failed() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string error;
    std::optional<Options> options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "tolvex: " << error << '\n' << kUsage;
        return 2;
    }
    if (options->help) return std::cout << kUsage, 0;
    if (options->version) return std::cout << "tolvex " << TOLVEX_VERSION << '\n', 0;
    TDumpFormat dumpFormat{dfQualified};
    if (options->dumpFormat && !ParseDumpFormat(*options->dumpFormat, dumpFormat)) {
        std::cerr << "tolvex: unknown dump format " << *options->dumpFormat << '\n' << kUsage;
        return 2;
    }
    const bool onlySymbols = options->load || options->save || options->dump;
    if (options->interactive || (options->sources.empty() && !onlySymbols && isatty(STDIN_FILENO))) {
        std::cerr << "tolvex: the interactive mode is not available yet\n";
        return 2;
    }
    if (options->sources.empty() && !onlySymbols) options->sources.push_back({true, "-"});
    try {
        return Run(*options, dumpFormat);
    } catch (const std::exception& e) {
        std::cerr << "tolvex: " << e.what() << '\n';
        return 2;
    }
}
