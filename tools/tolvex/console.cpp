#include "tools/tolvex/console.h"

#include <histedit.h>
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "tools/tolvex/completion.h"

namespace tolvex::tool {

namespace {

void Show(const ReplReply& reply, bool colour) {
    for (const ReplLine& line : reply.lines) {
        if (!line.error)
            std::cout << line.text << '\n';
        else if (colour)
            std::cerr << "\033[31merror: " << line.text << "\033[0m\n";
        else
            std::cerr << "error: " << line.text << '\n';
    }
    std::cout.flush();
    std::cerr.flush();
}

void RunLines(Repl& repl) {
    std::string line;
    while (std::getline(std::cin, line)) {
        const ReplReply reply = repl.Handle(line);
        Show(reply, false);
        if (reply.quit) return;
    }
}

bool ColourWanted() {
    const char* term = std::getenv("TERM");
    return isatty(STDERR_FILENO) && !std::getenv("NO_COLOR") && !(term && std::string(term) == "dumb");
}

std::string HistoryFile() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.tolvex_history" : "";
}

const char* Prompt(EditLine*) { return "tolvex> "; }

// The terminal's width now (it may have been resized), else COLUMNS, else 80.
std::size_t TerminalWidth() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    const char* columns = std::getenv("COLUMNS");
    const int given = columns ? std::atoi(columns) : 0;
    return given > 0 ? static_cast<std::size_t>(given) : 80;
}

// Lists the candidates below the line, as many to a row as the terminal is wide.
void List(const Completion& completion) {
    std::cout << '\n';
    for (const std::string& row : LayOut(completion.candidates, TerminalWidth())) std::cout << row << '\n';
    std::cout.flush();
}

// Ctrl-C on the line: the line is given up, as a shell does, and a fresh prompt follows.
unsigned char CancelLine(EditLine* editor, int) {
    const LineInfo* info = el_line(editor);
    el_cursor(editor, static_cast<int>(info->lastchar - info->cursor));
    el_deletestr(editor, static_cast<int>(info->lastchar - info->buffer));
    std::cout << "^C\n" << std::flush;
    return CC_REDISPLAY;
}

// libedit's own SIGTSTP handling restores the terminal, stops, and redraws the line on SIGCONT.
unsigned char SuspendKey(EditLine*, int) {
    kill(0, SIGTSTP);
    return CC_NORM;
}

// Line editing reads bytes as characters of the locale; in the C locale it would drop every
// byte above 127. A locale without UTF-8 (C, POSIX) gives way to C.UTF-8; any other locale's own
// encoding is kept, so a Latin-1 terminal still gets its bytes. Only the character type changes:
// the interpreter reads and writes numbers the same in every locale.
void UseTerminalEncoding() {
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "ANSI_X3.4-1968") == 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

// Ctrl-C during an evaluation: the terminal is out of line-editing mode then, so the key sends
// SIGINT, and the handler asks the interpreter to stop (an atomic store, safe in a handler).
TMathInterpreter* interrupted = nullptr;
void OnInterrupt(int) {
    if (interrupted) interrupted->Interrupt();
}

// Installs the handler for one session and puts the previous one back.
class InterruptHandler {
public:
    explicit InterruptHandler(TMathInterpreter& interpreter) {
        interrupted = &interpreter;
        struct sigaction action{};
        action.sa_handler = &OnInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, &previous_);
    }
    ~InterruptHandler() {
        sigaction(SIGINT, &previous_, nullptr);
        interrupted = nullptr;
    }
    InterruptHandler(const InterruptHandler&) = delete;
    InterruptHandler& operator=(const InterruptHandler&) = delete;

private:
    struct sigaction previous_{};
};

unsigned char CompleteKey(EditLine* editor, int) {
    Repl* repl = nullptr;
    el_get(editor, EL_CLIENTDATA, &repl);
    const LineInfo* info = el_line(editor);
    const std::string line(info->buffer, info->lastchar);
    const Completion completion = Complete(repl->Interpreter(), line, info->cursor - info->buffer);
    if (completion.candidates.empty()) return CC_REFRESH_BEEP;
    const std::string replacement = Replacement(completion);
    if (replacement != completion.word) {
        el_deletestr(editor, static_cast<int>(completion.word.size()));
        el_insertstr(editor, replacement.c_str());
        return CC_REFRESH;
    }
    List(completion);
    return CC_REDISPLAY;
}

// Owns libedit's editor and history for one session.
class Editor {
public:
    explicit Editor(Repl& repl) : editor_(el_init("tolvex", stdin, stdout, stderr)), history_(history_init()) {
        HistEvent event;
        history(history_, &event, H_SETSIZE, 1000);
        history(history_, &event, H_SETUNIQUE, 1);
        if (!file_.empty()) history(history_, &event, H_LOAD, file_.c_str());
        el_set(editor_, EL_EDITOR, "emacs");
        el_set(editor_, EL_SIGNAL, 1);  // Ctrl-C and the like restore the terminal before they act
        el_set(editor_, EL_PROMPT, &Prompt);
        el_set(editor_, EL_HIST, history, history_);
        el_set(editor_, EL_CLIENTDATA, &repl);
        el_set(editor_, EL_ADDFN, "tolvex-complete", "complete a name", &CompleteKey);
        el_set(editor_, EL_BIND, "^I", "tolvex-complete", nullptr);
        // While a line is edited the terminal sends no signals: Ctrl-C is a key that gives the line
        // up, and Ctrl-Z a key that suspends the tool as the signal would have.
        el_set(editor_, EL_SETTY, "-d", "-isig", nullptr);
        el_set(editor_, EL_ADDFN, "tolvex-cancel", "give up the line", &CancelLine);
        el_set(editor_, EL_BIND, "^C", "tolvex-cancel", nullptr);
        el_set(editor_, EL_ADDFN, "tolvex-suspend", "suspend the tool", &SuspendKey);
        el_set(editor_, EL_BIND, "^Z", "tolvex-suspend", nullptr);
        el_source(editor_, nullptr);  // the user's own key bindings in ~/.editrc
    }
    ~Editor() {
        el_end(editor_);
        history_end(history_);
    }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // The next line without its line end; false at the end of input (Ctrl-D).
    bool Read(std::string& line) {
        int count = 0;
        const char* text = el_gets(editor_, &count);
        if (!text || count <= 0) return false;
        line.assign(text, count);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        return true;
    }

    // Kept in memory and written to the file at once, so that no line is lost.
    void Remember(const std::string& line) {
        if (line.find_first_not_of(" \t") == std::string::npos) return;
        HistEvent event;
        history(history_, &event, H_ENTER, line.c_str());
        if (!file_.empty()) history(history_, &event, H_SAVE, file_.c_str());
    }

private:
    EditLine* editor_;
    History* history_;
    std::string file_ = HistoryFile();
};

}  // namespace

void RunInteractive(Repl& repl) {
    if (!isatty(STDIN_FILENO)) return RunLines(repl);
    const bool colour = ColourWanted();
    UseTerminalEncoding();
    InterruptHandler handler(repl.Interpreter());
    Editor editor(repl);
    std::cout << "tolvex " TOLVEX_VERSION " - :help lists the commands, Ctrl-D leaves\n" << std::flush;
    std::string line;
    while (editor.Read(line)) {
        editor.Remember(line);
        const ReplReply reply = repl.Handle(line);
        Show(reply, colour);
        if (reply.quit) return;
    }
    std::cout << '\n';
}

}  // namespace tolvex::tool
