#include "tools/tolvex/console.h"

#include <histedit.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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

// Lists the candidates below the line, several to a row.
void List(const Completion& completion) {
    std::size_t width = 0;
    for (const Candidate& c : completion.candidates) width = std::max(width, c.name.size() + 2);
    const std::size_t columns = std::max<std::size_t>(1, 80 / width);
    std::cout << '\n';
    for (std::size_t i = 0; i < completion.candidates.size(); ++i) {
        std::string name = completion.candidates[i].name;
        const bool last = (i + 1) % columns == 0 || i + 1 == completion.candidates.size();
        if (!last) name.resize(width, ' ');
        std::cout << name << (last ? "\n" : "");
    }
    std::cout.flush();
}

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
