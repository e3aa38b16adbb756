#include "tools/tolvex/repl.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "tools/tolvex/options.h"
#include "tools/tolvex/reference.h"

namespace tolvex::tool {

namespace {

ReplReply Say(std::string text) { return {{{false, std::move(text)}}}; }
ReplReply Fail(std::string text) { return {{{true, std::move(text)}}}; }

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// ASCII letters compared without regard to case, as the interpreter names properties.
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

bool ParseSwitch(const std::string& text, bool& value) {
    for (const char* on : {"true", "on", "1"})
        if (SameName(text, on)) return value = true, true;
    for (const char* off : {"false", "off", "0"})
        if (SameName(text, off)) return value = false, true;
    return false;
}

bool ParseCount(const std::string& text, std::uint32_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

std::string Plural(int count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

const std::vector<ReplCommand>& Repl::Commands() {
    static const std::vector<ReplCommand> commands = {
        {"help", "[NAME]", "list these commands; with NAME, what a function or command does", &Repl::Help},
        {"dump", "[FORMAT]", "show the symbols; FORMAT: plain, qualified, detailed, detailed,qualified", &Repl::Dump},
        {"save", "FILE", "save the symbols to FILE as text that recreates them", &Repl::Save},
        {"load", "FILE", "replace the symbols by those saved in FILE", &Repl::Load},
        {"clear", "", "remove every symbol", &Repl::Clear},
        {"set", "[NAME [VALUE]]", "show or change CaseSensitiveSymbols, EscapeChar, MaxFunctionNesting",
         &Repl::Set},
        {"quit", "", "leave (so does Ctrl-D)", &Repl::Quit},
    };
    return commands;
}

const std::vector<std::string>& Repl::Settings() {
    static const std::vector<std::string> names = {"CaseSensitiveSymbols", "EscapeChar", "MaxFunctionNesting"};
    return names;
}

Repl::Repl(TMathInterpreter& interpreter) : interpreter_(interpreter) {
    // Only a read: a call, or an assignment (which creates a real "_"), is left to the table.
    interpreter_.SetOnUnknownSymbol([this](TMathInterpreter&, const std::string& name, const Variant& parameters,
                                           Variant& value) {
        if (name == kLastResultName && parameters.Kind() == VarKind::Null && value.IsEmpty()) value = last_;
    });
}

Repl::~Repl() { interpreter_.SetOnUnknownSymbol(nullptr); }

ReplReply Repl::Handle(const std::string& line) {
    const std::string text = Trimmed(line);
    // A statement never starts with ":" followed by a letter, so such a line is a command.
    if (text.size() > 1 && text[0] == ':' && std::isalpha(static_cast<unsigned char>(text[1])))
        return RunCommand(text.substr(1));
    return RunStatements(line);
}

// Each result as an expression would write it, so strings show their quotes; a statement that
// yields nothing (a definition, delete, a blank statement) shows no line.
ReplReply Repl::RunStatements(const std::string& text) {
    ReplReply reply;
    interpreter_.ClearInterrupt();  // a Ctrl-C while the line was typed stops nothing
    for (const std::string& statement : interpreter_.SplitStatements(text)) {
        try {
            Variant value = interpreter_.ExecuteExpression(statement);
            if (value.Kind() != VarKind::Null && value.Kind() != VarKind::Empty) {
                reply.lines.push_back({false, TMItem::QuotedVar(value, interpreter_.EscapeChar())});
                last_ = std::move(value);
            }
        } catch (const EInterrupted& e) {
            reply.lines.push_back({true, e.Message()});
            break;  // Ctrl-C stops the rest of the line too
        } catch (const Exception& e) {
            reply.lines.push_back({true, e.Message()});
        }
    }
    return reply;
}

ReplReply Repl::RunCommand(const std::string& line) {
    const auto space = line.find_first_of(" \t");
    const std::string name = line.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : Trimmed(line.substr(space));
    for (const ReplCommand& command : Commands()) {
        if (name != command.name) continue;
        if (!argument.empty() && !*command.arguments) return Fail(":" + name + " takes no argument");
        return (this->*command.run)(argument);
    }
    return Fail("unknown command :" + name + " (:help lists the commands)");
}

namespace {

// "Sin(x (radians)) -> double: sine of an angle", then the example and what it gives.
ReplReply FunctionHelpReply(const FunctionHelp& row, char escape) {
    const std::string call = std::string(row.name) + (std::string(row.operands) == "none" ? "" : "(" + std::string(row.operands) + ")");
    ReplReply reply = Say(call + " -> " + row.result + ": " + row.description);
    std::string shown;
    try {
        TMathInterpreter scratch;
        scratch.SetRandomSeed(1);
        scratch.SetEscapeChar(escape);
        shown = TMItem::QuotedVar(scratch.ExecuteExpression(row.example), escape);
    } catch (const Exception& e) {
        shown = "error: " + e.Message();
    }
    reply.lines.push_back({false, std::string("  example: ") + row.example + " -> " + shown});
    return reply;
}

}  // namespace

ReplReply Repl::Help(const std::string& name) {
    if (!name.empty()) {
        const std::string bare = name[0] == ':' ? name.substr(1) : name;
        for (const ReplCommand& c : Commands())
            if (bare == c.name) return Say(std::string(":") + c.name + (*c.arguments ? std::string(" ") + c.arguments : "") + ": " + c.help);
        if (const FunctionHelp* row = FindFunctionHelp(name)) return FunctionHelpReply(*row, interpreter_.EscapeChar());
        if (interpreter_.SymbolExists(name))
            return Say(interpreter_.DumpSymbol(name, TDumpFormat{}.WithEscapeChar(interpreter_.EscapeChar())) + " (your symbol)");
        if (name == kLastResultName) return Say("_ reads the last result shown (unless a symbol _ is defined)");
        return Fail("no function, command or symbol named " + name);
    }
    ReplReply reply = Say("Type a statement list (statements separated by \";\"), or a command:");
    for (const ReplCommand& c : Commands()) {
        std::string usage = std::string("  :") + c.name + (*c.arguments ? std::string(" ") + c.arguments : "");
        usage.resize(std::max<std::size_t>(usage.size() + 2, 24), ' ');
        reply.lines.push_back({false, usage + c.help});
    }
    reply.lines.push_back({false, "_ reads the last result. Tab completes function names, keywords, symbols and commands."});
    reply.lines.push_back({false, "Ctrl-C clears the line, or stops the evaluation that runs."});
    return reply;
}

ReplReply Repl::Quit(const std::string&) {
    ReplReply reply;
    reply.quit = true;
    return reply;
}

ReplReply Repl::Dump(const std::string& argument) {
    TDumpFormat format = interpreter_.DumpFormat();
    if (!argument.empty() && !ParseDumpFormat(argument, format))
        return Fail("unknown dump format " + argument + " (plain, qualified, detailed or detailed,qualified)");
    format = format.WithEscapeChar(interpreter_.EscapeChar());
    const TMSymbols& symbols = interpreter_.Symbols();
    if (symbols.Count() == 0) return Say("no symbols");
    ReplReply reply;
    try {
        for (int i = 0; i < symbols.Count(); ++i) reply.lines.push_back({false, symbols.Symbol(i)->Dump(format)});
    } catch (const Exception& e) {
        reply.lines.push_back({true, e.Message()});
    }
    return reply;
}

ReplReply Repl::Save(const std::string& file) {
    if (file.empty()) return Fail("usage: :save FILE");
    try {
        interpreter_.SaveSymbolsToFile(file);
    } catch (const Exception& e) {
        return Fail(e.Message());
    }
    return Say("saved " + Plural(interpreter_.SymbolCount(), "symbol") + " to " + file);
}

ReplReply Repl::Load(const std::string& file) {
    if (file.empty()) return Fail("usage: :load FILE");
    try {
        interpreter_.LoadSymbolsFromFile(file);
    } catch (const Exception& e) {
        return Fail(e.FullMessage());
    }
    return Say("loaded " + Plural(interpreter_.SymbolCount(), "symbol") + " from " + file);
}

ReplReply Repl::Clear(const std::string&) {
    const int count = interpreter_.SymbolCount();
    try {
        interpreter_.ClearSymbols();
    } catch (const Exception& e) {
        return Fail(e.Message());
    }
    return Say("removed " + Plural(count, "symbol"));
}

std::string Repl::ShowSetting(const std::string& name) const {
    if (name == "CaseSensitiveSymbols") return name + " = " + (interpreter_.CaseSensitiveSymbols() ? "true" : "false");
    if (name == "EscapeChar") {
        const char c = interpreter_.EscapeChar();
        return name + " = " + (c == '\0' ? std::string("none") : std::string(1, c));
    }
    return name + " = " + std::to_string(interpreter_.MaxFunctionNesting());
}

ReplReply Repl::Set(const std::string& argument) {
    const auto space = argument.find_first_of(" \t");
    const std::string given = argument.substr(0, space);
    const std::string value = space == std::string::npos ? "" : Trimmed(argument.substr(space));
    ReplReply reply;
    if (given.empty()) {
        for (const std::string& name : Settings()) reply.lines.push_back({false, ShowSetting(name)});
        return reply;
    }
    std::string name;
    for (const std::string& candidate : Settings())
        if (SameName(given, candidate)) name = candidate;
    if (name.empty()) return Fail("unknown setting " + given + " (CaseSensitiveSymbols, EscapeChar or MaxFunctionNesting)");
    if (value.empty()) return Say(ShowSetting(name));
    if (name == "CaseSensitiveSymbols") {
        bool on = false;
        if (!ParseSwitch(value, on)) return Fail("CaseSensitiveSymbols takes true or false");
        const int before = interpreter_.SymbolCount();
        interpreter_.SetCaseSensitiveSymbols(on);
        // Switching case sensitivity off empties the table.
        if (interpreter_.SymbolCount() < before) reply.lines.push_back({false, "removed " + Plural(before, "symbol")});
    } else if (name == "EscapeChar") {
        if (value.size() != 1 && !SameName(value, "none")) return Fail("EscapeChar takes one character, or none");
        interpreter_.SetEscapeChar(value.size() == 1 ? value[0] : '\0');
    } else {
        std::uint32_t limit = 0;
        if (!ParseCount(value, limit)) return Fail("MaxFunctionNesting takes a number from 0 to 4294967295");
        interpreter_.SetMaxFunctionNesting(limit);
    }
    reply.lines.insert(reply.lines.begin(), {false, ShowSetting(name)});
    return reply;
}

}  // namespace tolvex::tool
