#pragma once
// Tab completion for the REPL, apart from any terminal: which names can finish the word before the
// cursor, and what text replaces that word.
#include <cstddef>
#include <string>
#include <vector>

#include "tolvex/interpreter/mathinterpreter.h"

namespace tolvex::tool {

struct Candidate {
    std::string name;
    bool call = false;  // a function that takes arguments: completing it opens the bracket
};

struct Completion {
    std::size_t start = 0;  // where the word being completed begins in the line
    std::string word;       // the line from `start` to the cursor
    std::vector<Candidate> candidates;  // sorted without regard to case, no name twice
};

// The candidates for the word that ends at `cursor`: in a statement the built-in function names,
// the keywords and the interpreter's symbols; after ":" the command names, and then the dump
// formats, the setting names and values, or file names, as the command takes them. Nothing
// inside a string literal or a number.
Completion Complete(const TMathInterpreter& interpreter, const std::string& line, std::size_t cursor);

// The text that replaces the word: a single candidate in full (a function with its "("),
// otherwise the longest prefix that all candidates share, which may be the word itself.
std::string Replacement(const Completion& completion);

// The candidates laid out in rows for a terminal `width` columns wide: as many columns as fit,
// each as wide as the longest name and two blanks; one name a row when none fit two.
std::vector<std::string> LayOut(const std::vector<Candidate>& candidates, std::size_t width);

}  // namespace tolvex::tool
