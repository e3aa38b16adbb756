// tolvex: runs statement lists from the command line, files or standard input on one interpreter,
// and offers them line by line in the REPL.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

#include "tolvex/interpreter/mathinterpreter.h"
#include "tools/tolvex/console.h"
#include "tools/tolvex/options.h"
#include "tools/tolvex/repl.h"
#include "tools/tolvex/runner.h"

using namespace tolvex;
using namespace tolvex::tool;

namespace {

// Loading, the sources, the REPL, the dump and saving, in this order, on one interpreter.
// Failures in the REPL are shown there and do not change the exit status.
int Run(const Options& options, TDumpFormat dumpFormat, bool interactive) {
    TMathInterpreter interpreter;
    interpreter.SetCaseSensitiveSymbols(options.caseSensitive);
    if (options.escapeChar) interpreter.SetEscapeChar(*options.escapeChar);
    if (options.maxNesting) interpreter.SetMaxFunctionNesting(*options.maxNesting);
    interpreter.SetDumpFormat(dumpFormat);
    if (options.load) {
        try {
            interpreter.LoadSymbolsFromFile(*options.load);
        } catch (const Exception& e) {
            std::cerr << "tolvex: " << e.FullMessage() << '\n';
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
    if (interactive && status == 0) {
        std::cout.flush();
        Repl repl(interpreter);
        RunInteractive(repl);
    }
    // Lines end as the platform ends them; only saved files keep the symbol text's CR LF.
    if (options.dump) std::cout << interpreter.Dump(";\n", dumpFormat) << '\n';
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

// A usage error takes one line; the help is one option away.
int UsageError(const std::string& message) {
    std::cerr << "tolvex: " << message << " (tolvex --help lists the options)\n";
    return 2;
}

// Output that could not be written is a failure, never a success: a full disk, a closed pipe.
int Finish(int status) {
    errno = 0;
    std::cout.flush();
    if (std::cout) return status;
    std::cerr << "tolvex: cannot write to standard output" << (errno ? std::string(": ") + std::strerror(errno) : "") << '\n';
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // A save beyond the file-size limit then fails with EFBIG, is reported, and leaves no
    // temporary file, instead of the signal ending the tool halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    std::string error;
    std::optional<Options> options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) return UsageError(error);
    if (options->help) return std::cout << kUsage, Finish(0);
    if (options->version) return std::cout << "tolvex " << TOLVEX_VERSION << '\n', Finish(0);
    TDumpFormat dumpFormat{dfQualified};
    if (options->dumpFormat && !ParseDumpFormat(*options->dumpFormat, dumpFormat))
        return UsageError("unknown dump format " + *options->dumpFormat);
    const bool onlySymbols = options->load || options->save || options->dump;
    const bool noSources = options->sources.empty() && !onlySymbols;
    const bool interactive = options->interactive || (noSources && isatty(STDIN_FILENO));
    if (noSources && !interactive) options->sources.push_back({true, "-"});
    try {
        return Finish(Run(*options, dumpFormat, interactive));
    } catch (const std::exception& e) {
        std::cerr << "tolvex: " << e.what() << '\n';
        return 2;
    }
}
