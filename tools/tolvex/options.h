#pragma once
// Command line of the tolvex tool.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tolvex/model/item.h"

namespace tolvex::tool {

struct Source {
    bool isFile;       // a FILE argument ("-" is standard input) rather than -e TEXT
    std::string text;  // the text, or the file name
};

struct Options {
    std::vector<Source> sources;  // -e texts first, then files, in order
    bool typed = false;
    bool caseSensitive = false;
    std::optional<char> escapeChar;
    std::optional<std::uint32_t> maxNesting;
    bool interactive = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> load, save, dumpFormat;
    bool dump = false;
};

// Parses argv; on a usage error returns nothing and sets `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// "plain", "qualified", "detailed" or "detailed,qualified"; false for any other text.
bool ParseDumpFormat(const std::string& text, TDumpFormat& format);

extern const char* const kUsage;

}  // namespace tolvex::tool
