#include "tools/tolvex/options.h"

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
    "\n"
    "Results go to standard output, one line per statement; errors to standard error.\n"
    "Exit status: 0 when every statement succeeded, 1 when any failed, 2 for usage or file errors.\n"
    "In the REPL, :help lists its commands (dump, save, load, clear, set, quit).\n";

namespace {

bool ParseUnsigned(const std::string& s, std::uint32_t& out) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
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

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    std::vector<Source> files;
    auto value = [&](std::size_t& i, const std::string& name) -> const std::string* {
        if (i + 1 >= args.size()) {
            error = "option " + name + " needs a value";
            return nullptr;
        }
        return &args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const std::string* v = nullptr;
        if (a == "-e" || a == "--eval") {
            if (!(v = value(i, a))) return std::nullopt;
            o.sources.push_back({false, *v});
        } else if (a == "--typed") {
            o.typed = true;
        } else if (a == "--case-sensitive") {
            o.caseSensitive = true;
        } else if (a == "--escape-char") {
            if (!(v = value(i, a))) return std::nullopt;
            if (v->size() != 1) { error = "--escape-char needs exactly one character"; return std::nullopt; }
            o.escapeChar = (*v)[0];
        } else if (a == "--max-nesting") {
            if (!(v = value(i, a))) return std::nullopt;
            std::uint32_t n = 0;
            if (!ParseUnsigned(*v, n)) { error = "--max-nesting needs a number from 0 to 4294967295"; return std::nullopt; }
            o.maxNesting = n;
        } else if (a == "--load" || a == "--save" || a == "--dump-format") {
            if (!(v = value(i, a))) return std::nullopt;
            (a == "--load" ? o.load : a == "--save" ? o.save : o.dumpFormat) = *v;
        } else if (a == "--dump") {
            o.dump = true;
        } else if (a == "-i" || a == "--interactive") {
            o.interactive = true;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else {
            files.push_back({true, a});
        }
    }
    o.sources.insert(o.sources.end(), files.begin(), files.end());
    return o;
}

}  // namespace tolvex::tool
