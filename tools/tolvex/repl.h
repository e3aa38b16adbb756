#pragma once
// The REPL's logic, apart from any terminal: a line goes in, the lines to show come out. A line is
// either a command (":" and a name) or a statement list run on the interpreter.
#include <string>
#include <vector>

#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex::tool {

struct ReplLine {
    bool error;        // shown as an error (standard error, in colour on a terminal)
    std::string text;  // one line, without its line end
};

struct ReplReply {
    std::vector<ReplLine> lines;
    bool quit = false;  // the user asked to leave
};

class Repl;

// A command: its name as typed after ":", its arguments as the help shows them (empty: it takes
// none), what it does, and the member that carries it out.
struct ReplCommand {
    const char* name;
    const char* arguments;
    const char* help;
    ReplReply (Repl::*run)(const std::string& argument);
};

class Repl {
public:
    // The interpreter is not owned and outlives the REPL. While the REPL lives, it answers the
    // interpreter's unknown-symbol event for reads of "_", the last result shown.
    explicit Repl(TMathInterpreter& interpreter);
    ~Repl();
    Repl(const Repl&) = delete;
    Repl& operator=(const Repl&) = delete;

    ReplReply Handle(const std::string& line);
    TMathInterpreter& Interpreter() const { return interpreter_; }

    // Every command, in the order :help lists them.
    static const std::vector<ReplCommand>& Commands();
    // The setting names :set accepts, as the interpreter's properties are called.
    static const std::vector<std::string>& Settings();

private:
    ReplReply RunStatements(const std::string& text);
    ReplReply RunCommand(const std::string& line);
    ReplReply Dump(const std::string& argument);
    ReplReply Save(const std::string& file);
    ReplReply Load(const std::string& file);
    ReplReply Clear(const std::string&);
    ReplReply Set(const std::string& argument);
    ReplReply Help(const std::string& name);
    ReplReply Quit(const std::string&);
    // "Name = value" of one setting, by its exact name.
    std::string ShowSetting(const std::string& name) const;

    TMathInterpreter& interpreter_;
    Variant last_;  // what "_" reads; empty until a statement showed a value
};

// The name that reads the last result shown, unless the table holds a symbol of that name.
inline constexpr const char* kLastResultName = "_";

}  // namespace tolvex::tool
