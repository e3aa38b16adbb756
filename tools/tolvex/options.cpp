#include "tools/tolvex/options.h"

#include <getopt.h>

#include <charconv>
#include <utility>

namespace tolvex::tool {

const char* const kUsage =
    "usage: tolvex [OPTIONS] [FILE ...]\n"
    "  -e, --eval TEXT        run TEXT as a statement list (repeatable; runs before the FILEs)\n"
    "  FILE                   run the file's text as a statement list ('-' reads standard input)\n"
    "  --typed                print each result as KIND<TAB>TEXT\n"
    "  --load FILE            load symbols from FILE before anything runs\n"
    "  --save FILE            save symbols to FILE after everything ran\n"
    "  --dump                 print the symbol dump at the end\n"
    "  --dump-format F        plain | qualified | detailed | detailed,qualified (default: qualified)\n"
    "  --case-sensitive       identifiers are case-sensitive\n"
    "  --escape-char C        escape character inside string literals\n"
    "  --max-nesting N        limit of nested user-function evaluations\n"
    "  -i, --interactive      the REPL (after the -e texts and FILEs); the default when there is\n"
    "                         no -e and no FILE and standard input is a terminal\n"
    "  -h, --help             show this help\n"
    "      --version          show the version\n"
    "  --                     what follows is a FILE, even when it starts with '-'\n"
    "\n"
    "Results go to standard output, one line per statement; errors to standard error.\n"
    "Exit status: 0 when every statement succeeded, 1 when any failed, 2 for usage or file errors.\n"
    "In the REPL, :help lists its commands (dump, save, load, clear, set, quit).\n";

namespace {

bool ParseUnsigned(const std::string& s, std::uint32_t& out) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

// Long options without a short form are told apart by these codes.
enum : int { kTyped = 256, kLoad, kSave, kDump, kDumpFormat, kCaseSensitive, kEscapeChar, kMaxNesting, kVersion };

const option kLongOptions[] = {
    {"eval", required_argument, nullptr, 'e'},
    {"typed", no_argument, nullptr, kTyped},
    {"load", required_argument, nullptr, kLoad},
    {"save", required_argument, nullptr, kSave},
    {"dump", no_argument, nullptr, kDump},
    {"dump-format", required_argument, nullptr, kDumpFormat},
    {"case-sensitive", no_argument, nullptr, kCaseSensitive},
    {"escape-char", required_argument, nullptr, kEscapeChar},
    {"max-nesting", required_argument, nullptr, kMaxNesting},
    {"interactive", no_argument, nullptr, 'i'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// The option as the user wrote it, for messages: "-x" for a short one, else the word itself.
std::string Spelled(char** argv, int code, int index) {
    if (code > 0 && code < 256) return std::string("-") + static_cast<char>(code);
    const std::string word = argv[index];
    return word.substr(0, word.find('='));
}

// Takes one option's value into `o`; false with `error` set when the value is unfit.
bool Apply(Options& o, int code, const std::string& value, std::string& error) {
    switch (code) {
        case 'e': o.sources.push_back({false, value}); break;
        case kTyped: o.typed = true; break;
        case kLoad: o.load = value; break;
        case kSave: o.save = value; break;
        case kDump: o.dump = true; break;
        case kDumpFormat: o.dumpFormat = value; break;
        case kCaseSensitive: o.caseSensitive = true; break;
        case kEscapeChar:
            if (value.size() != 1) return error = "--escape-char needs exactly one character", false;
            o.escapeChar = value[0];
            break;
        case kMaxNesting: {
            std::uint32_t n = 0;
            if (!ParseUnsigned(value, n)) return error = "--max-nesting needs a number from 0 to 4294967295", false;
            o.maxNesting = n;
            break;
        }
        case 'i': o.interactive = true; break;
        case 'h': o.help = true; break;
        case kVersion: o.version = true; break;
    }
    return true;
}

}  // namespace

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

// getopt_long reorders argv and keeps its state in globals; it works on a copy and starts afresh
// (optind = 0) on every call, so that the tests may parse many command lines in one process.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    std::vector<std::string> words{"tolvex"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());
    Options o;
    opterr = 0;
    optind = 0;
    for (int code; (code = getopt_long(argc, argv.data(), ":e:ih", kLongOptions, nullptr)) != -1;) {
        if (code == '?') {
            // optopt is 0 for an unknown long option, the unknown letter for a short one, and a
            // known option's code when a value was given to an option that takes none.
            const bool known = optopt >= 256 || optopt == 'i' || optopt == 'h';
            error = known ? "option " + Spelled(argv.data(), 0, optind - 1) + " takes no value"
                          : "unknown option " + Spelled(argv.data(), optopt, optind - 1);
            return std::nullopt;
        }
        if (code == ':') {
            error = "option " + Spelled(argv.data(), optopt, optind - 1) + " needs a value";
            return std::nullopt;
        }
        if (!Apply(o, code, optarg ? optarg : "", error)) return std::nullopt;
    }
    for (int i = optind; i < argc; ++i) o.sources.push_back({true, argv[i]});
    return o;
}

}  // namespace tolvex::tool
