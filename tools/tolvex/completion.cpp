#include "tools/tolvex/completion.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "tools/tolvex/repl.h"

namespace tolvex::tool {

namespace {

// The keywords a statement can use; "rename" is reserved but has no statement, so it is left out.
const char* const kKeywords[] = {"and", "delete", "div", "false", "mod", "not", "or", "shl", "shr", "true", "xor"};
const char* const kDumpFormats[] = {"plain", "qualified", "detailed", "detailed,qualified"};

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithFolded(const std::string& name, const std::string& prefix) {
    return name.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) { return Upper(a) == Upper(b); });
}

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Whether `cursor` stands inside a string literal, reading quotes as the scanner does.
bool InsideString(const std::string& line, std::size_t cursor, char escape) {
    char quote = 0;
    for (std::size_t i = 0; i < cursor; ++i) {
        const char c = line[i];
        if (!quote) {
            if (c == '\'' || c == '"') quote = c;
        } else if (c == quote) {
            quote = 0;  // a doubled quote closes and reopens: the state ends up the same
        } else if (escape != '\0' && c == escape) {
            ++i;
        }
    }
    return quote != 0;
}

void AddMatching(std::vector<Candidate>& out, const std::string& word, const std::string& name, bool call = false) {
    if (StartsWithFolded(name, word)) out.push_back({name, call});
}

void StatementCandidates(const TMathInterpreter& interpreter, Completion& c) {
    for (int i = 0; i < IntrinsicCount(); ++i)
        AddMatching(c.candidates, c.word, IntrinsicAt(i).className + 2, IntrinsicAt(i).operands > 0);
    for (const char* keyword : kKeywords) AddMatching(c.candidates, c.word, keyword);
    const TMSymbols& symbols = interpreter.Symbols();
    for (int i = 0; i < symbols.Count(); ++i) {
        const TMSymbol* symbol = symbols.Symbol(i);
        const std::string& name = symbol->Identifier();
        if (name.size() < c.word.size() || !interpreter.IsEqualString(name.substr(0, c.word.size()), c.word)) continue;
        const auto* function = dynamic_cast<const TMFunction*>(symbol);
        c.candidates.push_back({name, function && function->Parameters().Count() > 0});
    }
}

void FileCandidates(Completion& c) {
    namespace fs = std::filesystem;
    const std::size_t slash = c.word.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : c.word.substr(0, slash + 1);
    const std::string base = c.word.substr(folder.size());
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, base.size(), base) != 0 || (name[0] == '.' && base.empty())) continue;
        c.candidates.push_back({folder + name + (entry.is_directory(error) ? "/" : ""), false});
    }
}

void CommandCandidates(Completion& c, const std::string& line, std::size_t colon, std::size_t cursor) {
    const std::size_t nameEnd = std::min(line.find_first_of(" \t", colon), cursor);
    if (nameEnd == cursor) {
        c.start = colon + 1;
        c.word = line.substr(c.start, cursor - c.start);
        for (const ReplCommand& command : Repl::Commands()) AddMatching(c.candidates, c.word, command.name);
        return;
    }
    const std::string name = line.substr(colon + 1, nameEnd - colon - 1);
    const std::size_t argumentStart = line.find_first_not_of(" \t", nameEnd);
    const std::string argument = argumentStart < cursor ? line.substr(argumentStart, cursor - argumentStart) : "";
    const std::size_t lastBlank = argument.find_last_of(" \t");
    const bool firstArgument = lastBlank == std::string::npos;
    const bool fileName = name == "load" || name == "save";  // a file name may hold blanks
    c.word = fileName || firstArgument ? argument : argument.substr(lastBlank + 1);
    c.start = cursor - c.word.size();
    if (fileName) {
        FileCandidates(c);
    } else if (name == "dump" && firstArgument) {
        for (const char* format : kDumpFormats)
            if (std::string(format).compare(0, c.word.size(), c.word) == 0) c.candidates.push_back({format, false});
    } else if (name == "set" && firstArgument) {
        for (const std::string& setting : Repl::Settings()) AddMatching(c.candidates, c.word, setting);
    } else if (name == "set" && StartsWithFolded(argument, "CaseSensitiveSymbols ")) {
        for (const char* value : {"false", "true"}) AddMatching(c.candidates, c.word, value);
    }
}

std::string Folded(std::string text) {
    for (char& ch : text) ch = Upper(ch);
    return text;
}

void SortCandidates(std::vector<Candidate>& candidates) {
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return std::pair(Folded(a.name), a.name) < std::pair(Folded(b.name), b.name);
    });
    candidates.erase(std::unique(candidates.begin(), candidates.end(),
                                 [](const Candidate& a, const Candidate& b) { return a.name == b.name; }),
                     candidates.end());
}

}  // namespace

Completion Complete(const TMathInterpreter& interpreter, const std::string& line, std::size_t cursor) {
    Completion c;
    cursor = std::min(cursor, line.size());
    c.start = cursor;
    const std::size_t first = line.find_first_not_of(" \t");
    if (first < cursor && line[first] == ':') {
        CommandCandidates(c, line, first, cursor);
    } else if (!InsideString(line, cursor, interpreter.EscapeChar())) {
        while (c.start > 0 && IsWordChar(line[c.start - 1])) --c.start;
        c.word = line.substr(c.start, cursor - c.start);
        if (c.word.empty() || !std::isdigit(static_cast<unsigned char>(c.word[0])))
            StatementCandidates(interpreter, c);
    }
    SortCandidates(c.candidates);
    return c;
}

std::string Replacement(const Completion& completion) {
    const std::vector<Candidate>& all = completion.candidates;
    if (all.empty()) return completion.word;
    if (all.size() == 1) return all[0].name + (all[0].call ? "(" : "");
    std::string prefix = all[0].name;
    for (const Candidate& candidate : all) {
        std::size_t n = 0;
        while (n < prefix.size() && n < candidate.name.size() && Upper(prefix[n]) == Upper(candidate.name[n])) ++n;
        prefix.resize(n);
    }
    // Only a longer prefix replaces what was typed; the same letters in another case do not.
    return prefix.size() > completion.word.size() ? prefix : completion.word;
}

std::vector<std::string> LayOut(const std::vector<Candidate>& candidates, std::size_t width) {
    std::size_t cell = 0;
    for (const Candidate& c : candidates) cell = std::max(cell, c.name.size() + 2);
    const std::size_t columns = cell ? std::max<std::size_t>(1, width / cell) : 1;
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i % columns == 0) rows.emplace_back();
        std::string name = candidates[i].name;
        if ((i + 1) % columns != 0 && i + 1 != candidates.size()) name.resize(cell, ' ');
        rows.back() += name;
    }
    return rows;
}

}  // namespace tolvex::tool
